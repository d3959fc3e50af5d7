#include "files/path_macros.h"

#include "core/script_text.h"
#include "core/install_view.h"
#include "core/run_state.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxProductName = 79;

// The directory a macro names; nothing for a word that is no macro.
std::optional<std::string> MacroDirectory(std::string_view word, const Directories &dirs) {
    const struct {
        std::string_view name;
        const std::string *dir;
    } kMacros[] = {{"*SOURCEDIR", &dirs.source},
                   {"*DESTDIR", &dirs.install},
                   {"*WINDOWSDIR", &dirs.windows},
                   {"*SYSTEMDIR", &dirs.system},
                   {"*DESKTOP", nullptr}};
    for (const auto &macro : kMacros) {
        if (EqualsNoCase(word, macro.name))
            return macro.dir ? *macro.dir : dirs.Desktop();
    }
    if (EqualsNoCase(word, "*NONE"))
        return std::string();
    return std::nullopt;
}

} // namespace

std::optional<std::string> ExpandFileName(std::string_view argument, const Directories &dirs) {
    WordReader words(argument);
    const std::string first = words.Word();
    const std::string second = words.Word();
    if (first.empty())
        return std::nullopt;

    std::string result;
    if (first[0] == '*') {
        if (!second.empty())
            return std::nullopt;
        std::optional<std::string> dir = MacroDirectory(first, dirs);
        if (!dir)
            return std::nullopt;
        result = std::move(*dir);
    } else if (second.empty()) {
        result = dirs.source + first;
    } else {
        std::optional<std::string> dir = MacroDirectory(second, dirs);
        if (!dir)
            return std::nullopt;
        result = *dir + first;
    }
    std::replace(result.begin(), result.end(), '|', ' ');
    return result;
}

std::optional<std::string> PrepareFileName(std::string_view argument, const Directories &dirs,
                                           InstallView &view) {
    std::optional<std::string> path = ExpandFileName(argument, dirs);
    if (!path) {
        view.Alert("Wrong file format", "Setup : PrepareFileName");
        view.EndRun(0);
    }
    return path;
}

std::string &ReplaceProductToken(std::string &text, const std::string &productName) {
    constexpr std::string_view kToken = "*PRODUCT";
    for (std::size_t i = 0; i + kToken.size() <= text.size(); ++i) {
        if (EqualsNoCase(std::string_view(text).substr(i, kToken.size()), kToken)) {
            text.replace(i, std::string::npos, productName.substr(0, kMaxProductName));
            break;
        }
    }
    return text;
}
