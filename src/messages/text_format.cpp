#include "messages/text_format.h"

namespace {
constexpr char kInsertMarker[] = "[Insert String Here]";
}

std::string InsertString(const std::string &templ, const std::string &insertion) {
    const auto at = templ.find(kInsertMarker);
    if (at == std::string::npos) return templ;
    std::string result = templ;
    result.replace(at, sizeof kInsertMarker - 1, insertion);
    return result;
}

std::string CurrencySignsToLineFeeds(std::string text) {
    for (char &c : text) {
        if (static_cast<unsigned char>(c) == 0xA4) c = '\n';
    }
    return text;
}

std::string MessageKey(int number) { return "Message" + std::to_string(number); }

std::string NotFoundText(const std::string &key) { return key + " Not Found"; }

const char *FileErrorCauseName(int cause) {
    static constexpr const char *kNames[] = {
        "fe_none",        "fe_unknown",  "fe_fileNotFound",     "fe_pathNotFound",
        "fe_maxFileOpen", "fe_accessDenied", "fe_invalidFile",  "fe_cannotRemoveDir",
        "fe_dirFull",     "fe_seekError",    "fe_hardIO",       "fe_sharingViolation",
        "fe_lockViolation", "fe_diskFull",   "fe_EOF",
    };
    if (cause < 0 || cause >= static_cast<int>(sizeof kNames / sizeof kNames[0])) return nullptr;
    return kNames[cause];
}
