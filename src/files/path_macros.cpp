#include "files/path_macros.h"

#include "core/script_text.h"
#include "core/install_view.h"
#include "core/limits.h"
#include "core/run_state.h"

#include <algorithm>

namespace {

struct PathMacro {
    std::string_view name;
    std::string (*directory)(const Directories &dirs);
};

// Every macro a file argument may name, with the directory it stands for.
constexpr PathMacro kMacros[] = {
    {"*SOURCEDIR", [](const Directories &dirs) { return dirs.source; }},
    {"*DESTDIR", [](const Directories &dirs) { return dirs.install; }},
    {"*WINDOWSDIR", [](const Directories &dirs) { return dirs.windows; }},
    {"*SYSTEMDIR", [](const Directories &dirs) { return dirs.system; }},
    {"*DESKTOP", [](const Directories &dirs) { return dirs.Desktop(); }},
    {"*NONE", [](const Directories &) { return std::string(); }},
};

// The directory a macro names; nothing for a word that is no macro.
std::optional<std::string> MacroDirectory(std::string_view word, const Directories &dirs) {
    for (const PathMacro &macro : kMacros) {
        if (EqualsNoCase(word, macro.name))
            return macro.directory(dirs);
    }
    return std::nullopt;
}

} // namespace

std::vector<std::string_view> PathMacroNames() {
    std::vector<std::string_view> names;
    for (const PathMacro &macro : kMacros)
        names.push_back(macro.name);
    return names;
}

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
            text.replace(i, std::string::npos, productName.substr(0, kMaxShownProductName));
            break;
        }
    }
    return text;
}
