#include "system/file_version.h"

#include <cstddef>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One "%d": blanks, an optional sign and at least one digit.
bool ReadNumber(std::string_view text, std::size_t &pos, std::int64_t &value) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    std::size_t at = pos;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    if (at >= text.size() || !IsDigit(text[at]))
        return false;
    std::int64_t number = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        if (number < std::numeric_limits<std::int32_t>::max())
            number = number * 10 + (text[at] - '0');
    }
    if (number > std::numeric_limits<std::int32_t>::max())
        number = std::numeric_limits<std::int32_t>::max();
    value = negative ? -number : number;
    pos = at;
    return true;
}

} // namespace

FileVersion ParseVersion(std::string_view text) {
    FileVersion version{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < version.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != '.')
                break;
            ++pos;
        }
        if (!ReadNumber(text, pos, version[i]))
            break;
    }
    return version;
}

bool VersionIsOlder(const FileVersion &installed, const FileVersion &wanted) {
    for (std::size_t i = 0; i < installed.size(); ++i) {
        if (installed[i] != wanted[i])
            return installed[i] < wanted[i];
    }
    return false;
}
