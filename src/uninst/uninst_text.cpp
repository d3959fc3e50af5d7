#include "uninst/uninst_text.h"

#include "core/ascii.h"

#include <vector>

namespace {

// The words after the program's name; a quoted part belongs to its word and
// loses its quotes.
std::vector<std::string> SwitchWords(const std::string &commandLine) {
    std::vector<std::string> words;
    std::size_t at = 0;
    bool first = true;
    while (at < commandLine.size()) {
        while (at < commandLine.size() && commandLine[at] == ' ')
            ++at;
        std::string word;
        bool quoted = false;
        while (at < commandLine.size() && (quoted || commandLine[at] != ' ')) {
            if (commandLine[at] == '"')
                quoted = !quoted;
            else
                word += commandLine[at];
            ++at;
        }
        if (word.empty())
            continue;
        if (!first)
            words.push_back(word);
        first = false;
    }
    return words;
}

} // namespace

bool SilentSwitch(const std::string &commandLine) {
    for (const std::string &word : SwitchWords(commandLine)) {
        if (EqualsNoCase(word, "/S") || EqualsNoCase(word, "-S"))
            return true;
    }
    return false;
}

std::string LogSwitch(const std::string &commandLine) {
    for (const std::string &word : SwitchWords(commandLine)) {
        if (word.size() > 5 && (word[0] == '/' || word[0] == '-') &&
            EqualsNoCase(word.substr(1, 4), "LOG="))
            return word.substr(5);
    }
    return std::string();
}

std::string UnknownSwitch(const std::string &commandLine) {
    for (const std::string &word : SwitchWords(commandLine)) {
        const bool log = word.size() > 5 && (word[0] == '/' || word[0] == '-') &&
                         EqualsNoCase(word.substr(1, 4), "LOG=");
        if (!log && !EqualsNoCase(word, "/S") && !EqualsNoCase(word, "-S"))
            return word;
    }
    return std::string();
}

int UninstExitCode(const UninstResult &result) {
    if (result.unknownSwitch)
        return 1639;
    if (result.setupRunning)
        return 1618;
    if (result.nothingInstalled)
        return 1605;
    if (result.declined)
        return 1602;
    if (result.refused || result.leftInPlace > 0)
        return 1603;
    return result.deferred > 0 ? 3010 : 0;
}

std::string FolderName(const std::string &installDir) {
    std::string dir = installDir;
    while (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    const std::size_t slash = dir.rfind('\\');
    return slash == std::string::npos ? dir : dir.substr(slash + 1);
}
