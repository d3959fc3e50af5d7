#include "messages/text_format.h"

namespace {
constexpr char kInsertMarker[] = "[Insert String Here]";
}

std::string InsertString(const std::string &templ, const std::string &insertion) {
    const auto at = templ.find(kInsertMarker);
    if (at == std::string::npos)
        return templ;
    std::string result = templ;
    result.replace(at, sizeof kInsertMarker - 1, insertion);
    return result;
}

std::string CurrencySignsToLineFeeds(std::string text) {
    for (char &c : text) {
        if (static_cast<unsigned char>(c) == 0xA4)
            c = '\n';
    }
    return text;
}

std::string MessageKey(int number) {
    return "Message" + std::to_string(number);
}

std::string NotFoundText(const std::string &key) {
    return key + " Not Found";
}

std::string FillName(const std::string &text, const std::string &name) {
    std::string result;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "%1") == 0) {
            result += name;
            ++at;
        } else {
            result += text[at];
        }
    }
    return result;
}
