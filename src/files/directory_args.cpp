#include "files/directory_commands.h"

#include "core/script_text.h"

#include <algorithm>

std::string CopyDirTargetArgument(const std::string &targetWord) {
    std::string relative = targetWord;
    // "*DESTDIR" and the separator after it.
    if (StartsWithNoCase(relative, "*DESTDIR"))
        relative.erase(0, std::min<std::size_t>(9, relative.size()));
    return relative + " *DESTDIR";
}

bool EndsWithAllFiles(const std::string &path) {
    return path.size() >= 3 && path.compare(path.size() - 3, 3, "*.*") == 0;
}
