#include "core/trust_rules.h"

#include "core/ascii.h"

#include <algorithm>

const char kSystemAccount[] = "S-1-5-18";
const char kAdministratorsAccount[] = "S-1-5-32-544";
const char kUsersAccount[] = "S-1-5-32-545";

namespace {

// The system's installer service owns much of Windows since Vista.
constexpr char kInstallerService[] =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
// Stands for whoever creates something below: never the folder itself.
constexpr char kCreatorOwner[] = "S-1-3-0";

// Rights that change the folder or what it holds: write and append data
// (add a file, add a folder), delete a child, delete, change the list or
// the owner, and the generic rights that include them.
constexpr std::uint32_t kWriteRights = 0x00000002 | 0x00000004 | 0x00000040 | 0x00010000 |
                                       0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;

bool Trusted(const std::string &account, const std::string &self) {
    return account == kSystemAccount || account == kAdministratorsAccount ||
           account == kInstallerService || (!self.empty() && account == self);
}

const char *const kProgramExtensions[] = {"EXE", "DLL", "OCX", "COM", "SCR", "CPL", "DRV",
                                          "SYS", "BAT", "CMD", "PIF", "AX",  "TLB", "MSI"};

} // namespace

bool OthersMayWrite(const FolderSecurity &security, const std::string &self) {
    if (!security.hasList || !Trusted(security.owner, self))
        return true;
    for (const AccessEntry &entry : security.entries) {
        // A denial takes nothing away from the trusted accounts' rights.
        if (!entry.allow || entry.inheritOnly || entry.account == kCreatorOwner)
            continue;
        if ((entry.rights & kWriteRights) && !Trusted(entry.account, self))
            return true;
    }
    return false;
}

std::vector<std::string> LevelsBelowRoot(const std::string &path) {
    std::size_t from = 0;
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        from = 3;
    } else if (path.rfind("\\\\", 0) == 0) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : path.find('\\', server + 1);
        if (share == std::string::npos)
            return {};
        from = share + 1;
    } else {
        return {};
    }
    std::vector<std::string> levels;
    for (std::size_t at = from; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '\\')
            continue;
        if (at > from && path[at - 1] != '\\')
            levels.push_back(path.substr(0, at));
    }
    return levels;
}

bool IsProgramFile(const std::string &path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('\\', dot) != std::string::npos)
        return false;
    const std::string extension = path.substr(dot + 1);
    return std::any_of(std::begin(kProgramExtensions), std::end(kProgramExtensions),
                       [&](const char *known) { return EqualsNoCase(extension, known); });
}

void WrittenFiles::Add(const std::string &destination, const std::string &source) {
    sources_[ToUpperAscii(destination)] = source;
}

const std::string *WrittenFiles::SourceOf(const std::string &destination) const {
    const auto found = sources_.find(ToUpperAscii(destination));
    return found == sources_.end() ? nullptr : &found->second;
}

LaunchDecision DecideLaunch(const std::string &path, const std::string &installDir,
                            const WrittenFiles &written) {
    LaunchDecision decision;
    if (path.empty())
        return decision; // a path that cannot be told is refused
    if (installDir.empty() || !StartsWithNoCase(path, installDir)) {
        decision.check = LaunchCheck::Start;
        return decision;
    }
    if (const std::string *source = written.SourceOf(path)) {
        decision.check = LaunchCheck::SameAsSource;
        decision.source = *source;
    }
    return decision;
}

std::string FolderNameOf(const std::string &entryName) {
    std::string name = entryName.substr(0, 64);
    for (char &c : name) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            c = '_';
    }
    // The system drops a final dot or blank from a folder's name.
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return name.empty() ? "_" : name;
}

std::string PlainFinalPath(const std::string &finalPath) {
    if (finalPath.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\\\" + finalPath.substr(8);
    if (finalPath.rfind("\\\\?\\", 0) == 0)
        return finalPath.substr(4);
    return finalPath;
}
