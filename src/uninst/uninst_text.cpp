#include "uninst/uninst_text.h"

#include "core/ascii.h"

bool SilentSwitch(const std::string &commandLine) {
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
        if (!first && (EqualsNoCase(word, "/S") || EqualsNoCase(word, "-S")))
            return true;
        if (!word.empty())
            first = false;
    }
    return false;
}

std::string FolderName(const std::string &installDir) {
    std::string dir = installDir;
    while (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    const std::size_t slash = dir.rfind('\\');
    return slash == std::string::npos ? dir : dir.substr(slash + 1);
}
