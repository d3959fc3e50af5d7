#include "files/directory_commands.h"

#include "script/script_text.h"

#include <algorithm>

std::string CopyDirTargetArgument(const std::string &targetWord) {
    std::string relative = targetWord;
    // "*DESTDIR" and the separator after it.
    if (StartsWithNoCase(relative, "*DESTDIR"))
        relative.erase(0, std::min<std::size_t>(9, relative.size()));
    return relative + " *DESTDIR";
}
