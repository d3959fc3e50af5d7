#include "files/install_tree_win.h"

#include "core/ascii.h"
#include "core/trust_rules.h"
#include "files/no_follow_win.h"
#include "platform/windows_family.h"

namespace {

InstallTree *current = nullptr;

std::string Key(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return ToUpperAscii(folder);
}

std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

} // namespace

InstallTree::InstallTree(const std::string &installDir) : installDir_(WithBackslash(installDir)) {
    current = this;
}

InstallTree::~InstallTree() {
    current = nullptr;
    for (const auto &held : held_)
        CloseHandle(held.second);
}

std::string InstallTree::LinkOnTheWay() const {
    if (platform::IsWindows95Family())
        return "";
    for (const std::string &level : LevelsBelowRoot(installDir_)) {
        const DWORD attributes = GetFileAttributesA(level.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return ""; // nothing below a missing level exists yet
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return level;
    }
    return "";
}

bool InstallTree::Inside(const std::string &folder) const {
    return StartsWithNoCase(WithBackslash(folder), installDir_);
}

bool InstallTree::Enter(const std::string &folder) {
    if (platform::IsWindows95Family())
        return true;
    const std::string key = Key(folder);
    if (key == lastEntered_ || held_.count(key))
        return true;
    // The levels above the install folder are looked at when the run
    // starts; what lies outside the tree is none of its business.
    if (!Inside(folder))
        return true;
    // Reading the folder's list is an access that others' opens are
    // checked against: while it is held without FILE_SHARE_DELETE, nobody
    // can delete or rename the folder, nor any folder above it.
    const HANDLE handle = OpenNoFollow(folder, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder that is not there holds nothing to be steered to.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    HandleStatus status;
    if (!StatusOf(handle, status) || IsLink(status) ||
        !(status.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(handle);
        return false;
    }
    held_[key] = handle;
    lastEntered_ = key;
    return true;
}

void InstallTree::Leave(const std::string &folder) {
    const std::string key = Key(folder);
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->first == key || StartsWithNoCase(it->first, key + "\\")) {
            CloseHandle(it->second);
            it = held_.erase(it);
        } else {
            ++it;
        }
    }
    lastEntered_.clear();
}

bool EnterFolder(const std::string &folder) {
    return !current || current->Enter(folder);
}

void LeaveFolder(const std::string &folder) {
    if (current)
        current->Leave(folder);
}

InstallTree *RunInstallTree() {
    return current;
}

bool MakeRealFolder(const std::string &folder, bool &real) {
    bool made = CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
    real = EnterFolder(folder);
    // RemoveDirectoryA takes a link away as itself, never what it points to.
    if (!real && !made && current && current->Inside(folder) && RemoveDirectoryA(folder.c_str())) {
        made = CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
        real = made && EnterFolder(folder);
    }
    return made;
}
