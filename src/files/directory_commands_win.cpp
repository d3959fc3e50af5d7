#include "files/directory_commands.h"

#include "core/ascii.h"
#include "core/install_record.h"
#include "core/install_settings.h"
#include "core/limits.h"
#include "core/run_log.h"
#include "files/copy_engine.h"
#include "files/install_tree_win.h"

#include <windows.h>

#include <vector>

namespace {

void RecordFolder(const std::string &path) {
    RecordEntry entry;
    entry.kind = RecordKind::Folder;
    entry.path = path;
    RecordInstalled(entry);
}

std::string Join(const std::string &dir, const std::string &name) {
    if (!dir.empty() && dir.back() == '\\')
        return dir + name;
    return dir + "\\" + name;
}

bool IsDotEntry(const char *name) {
    return (name[0] == '.' && name[1] == 0) || (name[0] == '.' && name[1] == '.' && name[2] == 0);
}

// A directory search that closes itself.
class Search {
public:
    explicit Search(const std::string &pattern)
        : handle_(FindFirstFileA(pattern.c_str(), &found_)) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    Search(const Search &) = delete;
    Search &operator=(const Search &) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA &Found() const { return found_; }
    bool Next() { return FindNextFileA(handle_, &found_) != FALSE; }

private:
    WIN32_FIND_DATAA found_{};
    HANDLE handle_;
};

bool IsDirectory(const WIN32_FIND_DATAA &found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsLink(const WIN32_FIND_DATAA &found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Contents before their directory; read-only files are left out. A link to
// a folder is listed as itself and never entered; a real folder is held
// from the moment it is looked into, so that it cannot become one.
void CollectTree(const std::string &dir, std::vector<std::string> &paths) {
    Search search(Join(dir, "*.*"));
    if (!search.Valid())
        return;
    do {
        const WIN32_FIND_DATAA &found = search.Found();
        if (IsDotEntry(found.cFileName))
            continue;
        const std::string path = Join(dir, found.cFileName);
        if (IsDirectory(found)) {
            if (!IsLink(found) && EnterFolder(path))
                CollectTree(path, paths);
            paths.push_back(path);
        } else if (!(found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
            paths.push_back(path);
        }
    } while (search.Next());
}

bool HasWildcard(const std::string &name) {
    return name.find_first_of("*?") != std::string::npos;
}

// Names of the files a pattern finds in a directory.
void AddMatches(const std::string &dir, const std::string &pattern,
                std::vector<std::string> &names) {
    Search search(dir + pattern);
    if (!search.Valid())
        return;
    do {
        if (!IsDirectory(search.Found()))
            names.emplace_back(search.Found().cFileName);
    } while (search.Next());
}

bool IsOtherProductsMarker(const std::string &name, const std::string &productCode) {
    if (name.size() < 4 || !EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".CD1"))
        return false;
    return !EqualsNoCase(std::string_view(name).substr(0, 4), productCode);
}

} // namespace

int CopyDirectory(const std::string &source, const std::string &target, bool recurse,
                  bool showProgress, CopyEngine &engine) {
    std::string dir = source;
    if (EndsWithAllFiles(dir))
        dir.erase(dir.size() - 3);
    while (dir.size() > 3 && dir.back() == '\\')
        dir.pop_back();
    Search search(Join(dir, "*.*"));
    if (!search.Valid())
        return 1;
    do {
        const WIN32_FIND_DATAA &found = search.Found();
        if (IsDotEntry(found.cFileName))
            continue;
        const std::string from = Join(dir, found.cFileName);
        const std::string to = Join(target, found.cFileName);
        if (IsDirectory(found)) {
            if (!recurse)
                continue;
            bool real = false;
            if (MakeRealFolder(to, real)) // an existing one is fine
                RecordFolder(to);
            if (real)
                CopyDirectory(from, to, true, showProgress, engine);
            else
                Log().Line("Not entered (a link to elsewhere): " + to);
        } else {
            engine.CopieFichier(from, to, showProgress);
        }
    } while (search.Next());
    return 1;
}

void CreateDirectoryPath(const std::string &path) {
    const std::string bounded = path.substr(0, kMaxDirectoryPath);
    // After the root: "C:\" or "\\server\share\".
    std::size_t from = 0;
    if (bounded.size() >= 3 && bounded[1] == ':' && bounded[2] == '\\') {
        from = 3;
    } else if (bounded.rfind("\\\\", 0) == 0) {
        const std::size_t server = bounded.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : bounded.find('\\', server + 1);
        from = share == std::string::npos ? bounded.size() : share + 1;
    }
    for (std::size_t at = from; at <= bounded.size(); ++at) {
        if (at != bounded.size() && bounded[at] != '\\')
            continue;
        if (at == 0 || bounded[at - 1] == '\\')
            continue; // nothing new at this level
        const std::string level = BarsToBlanks(bounded.substr(0, at));
        bool real = false;
        if (MakeRealFolder(level, real))
            RecordFolder(level);
    }
}

void RemoveTree(const std::string &dir) {
    if (!EnterFolder(dir)) {
        Log().Line("Not entered (a link to elsewhere): " + dir);
        return;
    }
    std::vector<std::string> paths;
    CollectTree(dir, paths);
    for (const std::string &path : paths) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A link goes as itself; a real folder once it is empty, which
            // it cannot be while a kept file is inside.
            LeaveFolder(path);
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
}

void CleanInstallDirectory(const std::string &installDir, const InstallSettings &settings,
                           const std::string &productCode) {
    // Only a folder that holds this product's earlier installation is
    // cleaned: any other folder's files are not ours to delete.
    std::vector<std::string> names;
    {
        Search search(installDir + "*.*");
        if (search.Valid()) {
            do {
                if (!IsDirectory(search.Found()))
                    names.emplace_back(search.Found().cFileName);
            } while (search.Next());
        }
    }
    if (!HoldsEarlierInstallation(names, productCode)) {
        if (!names.empty())
            Log().Line("No earlier installation of this product in " + installDir +
                       ": nothing deleted there");
        return;
    }
    std::vector<std::string> doomed;
    if (!settings.keepEverything) {
        std::vector<std::string> keep;
        for (const std::string &entry : settings.filesToKeep) {
            if (HasWildcard(entry))
                AddMatches(installDir, entry, keep);
            else
                keep.push_back(entry);
        }
        for (const std::string &name : names) {
            if (IsOtherProductsMarker(name, productCode))
                continue;
            bool kept = false;
            for (const std::string &k : keep)
                kept = kept || EqualsNoCase(k, name);
            if (!kept)
                doomed.push_back(name);
        }
        // The files to delete go as plain names; a pattern there finds nothing.
        for (const std::string &entry : settings.filesToDelete) {
            if (!entry.empty() && !HasWildcard(entry))
                doomed.push_back(entry);
        }
    } else {
        for (const std::string &entry : settings.filesToDelete) {
            if (HasWildcard(entry))
                AddMatches(installDir, entry, doomed);
            else if (!entry.empty())
                doomed.push_back(entry);
        }
    }
    // A link among them goes as itself: DeleteFileA never follows one.
    for (const std::string &name : doomed) {
        if (DeleteFileA((installDir + name).c_str()))
            Log().Line("Deleted before installing: " + installDir + name);
    }
}
