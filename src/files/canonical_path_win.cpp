#include "files/canonical_path_win.h"

#include "core/ascii.h"

#include <windows.h>

namespace {

bool FullForm(const std::string &path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool share = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                       (path[1] == '\\' || path[1] == '/');
    // The device and literal forms ("\\?\", "\\.\") are taken as written by
    // the system: no "." or ".." is resolved in them.
    const bool device = share && path.size() >= 4 && (path[2] == '?' || path[2] == '.') &&
                        (path[3] == '\\' || path[3] == '/');
    return (drive || share) && !device && path.find_first_of("*?") == std::string::npos;
}

// Where the levels start: after "X:\" or "\\server\share\"; npos when the
// share has no level of its own.
std::size_t FirstLevel(const std::string &full) {
    if (full[0] != '\\')
        return 3;
    const std::size_t server = full.find('\\', 2);
    if (server == std::string::npos)
        return std::string::npos;
    const std::size_t share = full.find('\\', server + 1);
    return share == std::string::npos ? std::string::npos : share + 1;
}

// True when the folder (ending in a backslash) is one of the trusted ones
// or on the way to one.
bool OnTheWay(const std::string &folder, const std::vector<std::string> &trusted) {
    for (const std::string &dir : trusted) {
        if (StartsWithNoCase(dir, folder))
            return true;
    }
    return false;
}

// trusted null: every link is followed.
std::string Canonical(const std::string &path, const std::vector<std::string> *trusted) {
    if (!FullForm(path) || path.size() >= MAX_PATH)
        return "";
    char buffer[MAX_PATH];
    char *name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, &name);
    if (length == 0 || length >= sizeof buffer)
        return "";
    std::string full(buffer, length);
    if (full[1] == ':' && full[0] >= 'a' && full[0] <= 'z')
        full[0] = static_cast<char>(full[0] - 'a' + 'A');
    const std::size_t first = FirstLevel(full);
    if (first == std::string::npos)
        return full;
    while (full.size() > first && full.back() == '\\')
        full.pop_back();

    std::string result = full.substr(0, first);
    bool onDisk = true;
    for (std::size_t from = first; from < full.size();) {
        std::size_t end = full.find('\\', from);
        if (end == std::string::npos)
            end = full.size();
        std::string level = full.substr(from, end - from);
        if (onDisk) {
            WIN32_FIND_DATAA found;
            const HANDLE search = FindFirstFileA((result + level).c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) {
                onDisk = false; // nothing below a missing level exists either
            } else {
                FindClose(search);
                level = found.cFileName;
                if (trusted && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                    end < full.size() && !OnTheWay(result + level + '\\', *trusted))
                    return "";
            }
        }
        result += level;
        if (end < full.size())
            result += '\\';
        from = end + 1;
    }
    return result;
}

} // namespace

std::string CanonicalPath(const std::string &path) {
    return Canonical(path, nullptr);
}

std::string CanonicalPathWithin(const std::string &path,
                                const std::vector<std::string> &trustedFolders) {
    return Canonical(path, &trustedFolders);
}

std::string CanonicalFolder(const std::string &path) {
    std::string folder = CanonicalPath(path);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}
