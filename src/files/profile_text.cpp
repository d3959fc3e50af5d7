#include "files/profile_text.h"

#include "core/ascii.h"

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<ProfileEntry> FindProfileEntry(std::string_view text, std::string_view section,
                                             std::string_view key) {
    bool inSection = false;
    std::size_t pos = 0;
    int number = 0;
    while (pos < text.size()) {
        ++number;
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            if (inSection)
                return std::nullopt; // the first section of that name is the one read
            inSection = close != std::string_view::npos &&
                        EqualsNoCase(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection || line.empty() || line.front() == ';')
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !EqualsNoCase(Trim(line.substr(0, equals)), key))
            continue;
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return ProfileEntry{std::string(value), number};
    }
    return std::nullopt;
}

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    std::optional<ProfileEntry> entry = FindProfileEntry(text, section, key);
    if (!entry)
        return std::nullopt;
    return std::move(entry->value);
}

std::string ProfileValueCut(const std::string &value, std::size_t capacity) {
    if (capacity == 0)
        return {};
    return value.substr(0, capacity - 1);
}
