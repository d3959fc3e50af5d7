#include "files/directory_commands.h"

#include "core/ascii.h"
#include "core/install_record.h"
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

bool HoldsEarlierInstallation(const std::vector<std::string> &names,
                              const std::string &productCode) {
    for (const std::string &name : names) {
        if (EqualsNoCase(name, kInstallRecordName))
            return true;
        // The product's marker, of any language and version: "ABCDF110.CD1".
        if (name.size() == 12 && !productCode.empty() && StartsWithNoCase(name, productCode) &&
            StartsWithNoCase(std::string_view(name).substr(8), ".CD"))
            return true;
    }
    return false;
}
