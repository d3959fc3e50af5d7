#include "system/record_bounds.h"

#include "core/ascii.h"

namespace {

bool Letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool InsideAny(const std::string &path, const std::vector<std::string> &dirs) {
    for (const std::string &dir : dirs) {
        if (PathInside(path, dir))
            return true;
    }
    return false;
}

bool HasControlCharacter(const std::string &text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < ' ')
            return true;
    }
    return false;
}

bool CanonicalKey(const std::string &subkey) {
    return !subkey.empty() && subkey.front() != '\\' && subkey.back() != '\\' &&
           subkey.find("\\\\") == std::string::npos && !HasControlCharacter(subkey);
}

// Setup writes under these two roots only.
bool SetupRoot(const std::string &root) {
    return root == "HKLM" || root == "HKCR";
}

bool Accepted(const RecordEntry &entry, const RecordBounds &bounds,
              const std::vector<std::string> &groups) {
    const std::string &path = entry.path;
    const std::string &dir = bounds.installDir;
    switch (entry.kind) {
    case RecordKind::Language:
    case RecordKind::InstallDir: // tells where the rest may lie; removes nothing
    case RecordKind::Font:       // nothing is done with a font: it stays installed
        return true;
    case RecordKind::File:
        return CanonicalShape(path) && (PathInside(path, dir) || InsideAny(path, groups));
    case RecordKind::Folder: // a group's levels too
        return CanonicalShape(path) &&
               (PathInsideOrSame(path, dir) || InsideAny(path, bounds.shellFolders));
    case RecordKind::Group:
        return CanonicalShape(path) && InsideAny(path, bounds.shellFolders);
    case RecordKind::Link:
        // A shortcut to a file outside the product passes, and stays.
        return CanonicalShape(path) && CanonicalShape(entry.second) &&
               (PathInside(path, dir) || InsideAny(path, bounds.shellFolders));
    case RecordKind::RegistryKey:
        return SetupRoot(entry.root) && CanonicalKey(path) &&
               SetupWritesKey(bounds.keyNames, entry.root, path);
    case RecordKind::RegistryValue:
        return SetupRoot(entry.root) && CanonicalKey(path) &&
               SetupWritesValue(bounds.keyNames, entry.root, path, entry.second);
    case RecordKind::Autoexec:
        return CanonicalShape(path) && EqualsNoCase(path, bounds.batchFile);
    }
    return false;
}

enum class Verdict {
    Accept,
    Shared, // a file setup put where other programs' files lie: it stays
    Refuse
};

Verdict Judge(const RecordEntry &entry, const RecordBounds &bounds,
              const std::vector<std::string> &groups) {
    if (entry.kind == RecordKind::File && CanonicalShape(entry.path) &&
        !PathInside(entry.path, bounds.installDir) && !InsideAny(entry.path, groups))
        return Verdict::Shared; // the system folder, the fonts, the Windows folder
    return Accepted(entry, bounds, groups) ? Verdict::Accept : Verdict::Refuse;
}

RecordEntry WithCanonicalPaths(RecordEntry entry, const CanonicalPathFn &canonical) {
    switch (entry.kind) {
    case RecordKind::Link:
        entry.second = canonical(entry.second);
        entry.path = canonical(entry.path);
        break;
    case RecordKind::File:
    case RecordKind::Folder:
    case RecordKind::Group:
    case RecordKind::Autoexec: // its second field is the text of the PATH line
        entry.path = canonical(entry.path);
        break;
    default:
        break;
    }
    return entry;
}

} // namespace

bool PathInside(const std::string &path, const std::string &dir) {
    return !dir.empty() && path.size() > dir.size() && StartsWithNoCase(path, dir);
}

bool PathInsideOrSame(const std::string &path, const std::string &dir) {
    return PathInside(path, dir) || (!dir.empty() && EqualsNoCase(path + '\\', dir));
}

bool CanonicalShape(const std::string &path) {
    std::size_t from = 0;
    if (path.size() >= 3 && Letter(path[0]) && path[1] == ':' && path[2] == '\\') {
        from = 3;
        if (path.size() == 3)
            return true;
    } else if (path.compare(0, 2, "\\\\") == 0) {
        from = 2; // the server and the share are levels as any other
    } else {
        return false;
    }
    if (path.back() == '\\')
        return false;
    std::size_t levels = 0;
    while (from <= path.size()) {
        std::size_t end = path.find('\\', from);
        if (end == std::string::npos)
            end = path.size();
        const std::string level = path.substr(from, end - from);
        if (level.empty() || level == "." || level == ".." ||
            level.find_first_of("*?\"<>|:/") != std::string::npos || HasControlCharacter(level))
            return false;
        ++levels;
        from = end + 1;
    }
    return path[0] != '\\' || levels >= 3; // a share alone is no file's path
}

ScreenedRecord ScreenRecord(const std::vector<RecordEntry> &entries, const RecordBounds &bounds,
                            const CanonicalPathFn &canonical) {
    std::vector<RecordEntry> named;
    named.reserve(entries.size());
    for (const RecordEntry &entry : entries)
        named.push_back(WithCanonicalPaths(entry, canonical));
    // Files may lie in the program groups setup made (ADDSTART FILE).
    std::vector<std::string> groups;
    for (const RecordEntry &entry : named) {
        if (entry.kind == RecordKind::Group && Accepted(entry, bounds, groups))
            groups.push_back(entry.path + '\\');
    }
    ScreenedRecord screened;
    for (std::size_t i = 0; i < named.size(); ++i) {
        const Verdict verdict = Judge(named[i], bounds, groups);
        if (verdict == Verdict::Accept)
            screened.accepted.push_back(named[i]);
        else if (verdict == Verdict::Refuse)
            screened.refused.push_back(entries[i]);
    }
    return screened;
}

std::string RecordLineText(const RecordEntry &entry) {
    if (entry.kind == RecordKind::RegistryKey)
        return entry.root + '\\' + entry.path;
    if (entry.kind == RecordKind::RegistryValue)
        return entry.root + '\\' + entry.path + " (" +
               (entry.second.empty() ? std::string("default") : entry.second) + ")";
    return entry.path;
}
