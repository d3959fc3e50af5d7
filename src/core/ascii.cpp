#include "core/ascii.h"

#include <algorithm>

namespace {

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char &c : upper)
        c = UpperAscii(c);
    return upper;
}

std::string BarsToBlanks(std::string text) {
    std::replace(text.begin(), text.end(), '|', ' ');
    return text;
}
