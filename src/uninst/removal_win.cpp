#include "uninst/removal_win.h"

#include "core/ascii.h"
#include "core/run_log.h"
#include "files/canonical_path_win.h"
#include "files/file_status_win.h"
#include "files/install_record_win.h"
#include "files/no_follow_win.h"
#include "messages/file_error.h"
#include "platform/windows_family.h"
#include "system/registry_key_win.h"
#include "system/shell_link_win.h"

#include <windows.h>

namespace {

// A file another program holds is tried again for a moment before its
// removal is left to the next restart.
constexpr int kDeleteTries = 5;
constexpr DWORD kDeleteRetryMs = 200;

// Setup writes under these two roots only.
HKEY RootOf(const std::string &name) {
    if (name == "HKCR")
        return HKEY_CLASSES_ROOT;
    if (name == "HKLM")
        return HKEY_LOCAL_MACHINE;
    return nullptr;
}

// One line of the log (/LOG=): what became of a thing and why.
void Note(const std::string &what, const std::string &path) {
    Log().Line(what + ": " + path);
}

std::string ErrorText(DWORD error) {
    return "Win32 error " + std::to_string(error) + ": " + Win32ErrorText(error);
}

std::string KeyText(const RecordEntry &entry) {
    return entry.root + "\\" + entry.path;
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Another program holds the file open or runs it: it can go once that
// program is gone. A running program's file is refused as access denied, as
// a file the user may not delete is; on the NT family only the one that
// someone holds is in use. The Windows 95 family has no rights.
bool InUse(const std::string &path, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    if (platform::IsWindows95Family())
        return true;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

std::string ShortPath(const std::string &path) {
    char buffer[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

std::string ReadWhole(const std::string &path, bool &ok) {
    ok = false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return "";
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > (16u << 20))
        return "";
    std::string text(size, '\0');
    DWORD got = 0;
    if (size && (!ReadFile(file.Get(), &text[0], size, &got, nullptr) || got != size))
        return "";
    ok = true;
    return text;
}

// Written beside the file and swapped in only when complete, so the file is
// never lost half way.
bool WriteReplacing(const std::string &path, const std::string &text) {
    // Its fixed name may lie where anyone can write (a drive's root):
    // whatever bears it goes first, and the file is made new.
    const std::string temp = path + ".$$$";
    DeleteFileA(temp.c_str());
    {
        FileHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        DWORD written = 0;
        const bool ok = WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()),
                                  &written, nullptr) &&
                        written == text.size() && FlushFileBuffers(file.Get());
        if (!file.Close() || !ok) {
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    bool replaced;
    if (platform::IsWindows95Family()) {
        // No replacing rename there; the old file goes only once the new one
        // is whole beside it.
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        replaced = DeleteFileA(path.c_str()) && MoveFileA(temp.c_str(), path.c_str());
    } else {
        replaced = platform::CallMoveFileEx(temp.c_str(), path.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!replaced) {
        DeleteFileA(temp.c_str());
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && attributes != FILE_ATTRIBUTE_NORMAL)
        SetFileAttributesA(path.c_str(), attributes);
    return true;
}

// NT: the delayed move; the Windows 95 family: wininit.ini's [rename].
bool DeleteAtRestart(const std::vector<std::string> &paths) {
    if (paths.empty())
        return true;
    if (!platform::IsWindows95Family()) {
        bool all = true;
        for (const std::string &path : paths)
            all =
                platform::CallMoveFileEx(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) && all;
        return all;
    }
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return false;
    std::string wininit(windows, length);
    if (wininit.back() != '\\')
        wininit += '\\';
    wininit += "WININIT.INI";
    bool ok = false;
    const std::string content = ReadWhole(wininit, ok);
    std::vector<std::string> shortPaths;
    for (const std::string &path : paths)
        shortPaths.push_back(ShortPath(path));
    const std::string text = AddWininitDeletes(ok ? content : std::string(), shortPaths);
    if (ok)
        return WriteReplacing(wininit, text);
    FileHandle file(CreateFileA(wininit.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

class Remover {
public:
    Remover(const std::string &installDir, const std::string &ownPath)
        : installDir_(installDir), ownPath_(ownPath), nt_(!platform::IsWindows95Family()) {}

    void Run(const RemovalStep &step) {
        const RecordEntry &entry = step.entry;
        switch (step.kind) {
        case StepKind::RemoveLink:
            RemoveLink(entry.path);
            break;
        case StepKind::RemoveFile:
            RemoveFile(entry);
            break;
        case StepKind::RemoveFolder:
            RemoveFolder(entry.path);
            break;
        case StepKind::RemoveValue:
            RemoveValue(entry);
            break;
        case StepKind::RemoveKey:
            RemoveKey(entry);
            break;
        case StepKind::RemovePathLines:
            RemoveBatchLines(entry);
            break;
        }
    }

    // Lines outside what setup can have made: listed with what was kept.
    void Refused(const std::vector<RecordEntry> &entries) {
        for (const RecordEntry &entry : entries) {
            outcome_.ignored.push_back(RecordLineText(entry));
            Note("Ignored (not something setup can have made)", outcome_.ignored.back());
        }
    }

    RemovalOutcome Finish() {
        const bool deferred = DeleteAtRestart(toDefer_);
        for (const std::string &path : toDefer_)
            Note(deferred ? "Deferred to the next restart (in use)"
                          : "Kept (in use, and the list of the next restart could not be written)",
                 path);
        if (!deferred)
            outcome_.kept.insert(outcome_.kept.end(), toDefer_.begin(), toDefer_.end());
        else
            outcome_.deferred = toDefer_;
        return outcome_;
    }

private:
    void RemoveLink(const std::string &path) {
        if (!PathExists(path))
            return;
        std::string target;
        // A shortcut the user pointed elsewhere is the user's now.
        if (FAILED(ReadShellLinkTarget(path, target)) ||
            !PathInside(CanonicalPathWithin(target, {installDir_}), installDir_)) {
            Note("Kept (the shortcut points elsewhere now)", path);
            return;
        }
        if (nt_)
            RemoveHeldFile(path, nullptr);
        else
            Delete(path);
    }

    void RemoveFile(const RecordEntry &entry) {
        if (EqualsNoCase(entry.path, ownPath_))
            return;
        if (nt_) {
            RemoveHeldFile(entry.path, &entry);
            return;
        }
        WIN32_FILE_ATTRIBUTE_DATA status;
        if (!QueryFileStatus(entry.path, status) ||
            (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
        if (Join(status.nFileSizeHigh, status.nFileSizeLow) != entry.size ||
            Join(status.ftLastWriteTime.dwHighDateTime, status.ftLastWriteTime.dwLowDateTime) !=
                entry.time) {
            outcome_.kept.push_back(entry.path);
            Note("Kept (changed since setup installed it)", entry.path);
            return;
        }
        Delete(entry.path);
    }

    // The NT family: the file is opened once, without following a link,
    // and while it is held no one can change, rename or delete it; its final
    // path, size and time are checked on the handle, and it is deleted
    // through it. `recorded` null: a shortcut, whose content was judged.
    void RemoveHeldFile(const std::string &path, const RecordEntry *recorded) {
        FileHandle file(OpenNoFollow(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                     FILE_SHARE_READ));
        if (!file) {
            NotOpened(path, GetLastError());
            return;
        }
        HandleStatus status;
        if (!StatusOf(file.Get(), status) || (status.attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !Reached(file.Get(), path))
            return;
        if (IsLink(status) ||
            (recorded && (status.size != recorded->size || status.time != recorded->time))) {
            outcome_.kept.push_back(path);
            Note("Kept (changed since setup installed it)", path);
            return;
        }
        if (DeleteThroughHandle(file.Get(), status.attributes)) {
            Note("Removed", path);
            return;
        }
        const DWORD error = GetLastError();
        file.Close();
        NotOpened(path, error);
    }

    // True when the handle stands for the path itself, not for what a link
    // on the way leads to (where the system can tell: Vista on).
    bool Reached(HANDLE handle, const std::string &path) {
        const std::string final = FinalPathOf(handle);
        if (final.empty() || EqualsNoCase(final, path))
            return true;
        outcome_.kept.push_back(path);
        Note("Kept (reached through a link to " + final + ")", path);
        return false;
    }

    // In use where every user may write: kept and listed, never left to the
    // restart, when the system would delete whatever the path names then.
    void NotOpened(const std::string &path, DWORD error) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return;
        if (InUse(path, error)) {
            outcome_.inUse.push_back(path);
            Note("Kept (in use)", path);
        } else {
            outcome_.denied.push_back(path);
            Note("Kept (may not be deleted, " + ErrorText(error) + ")", path);
        }
    }

    // Only a file in use waits for the restart; one that cannot be deleted
    // for another cause (the user's rights) is kept, and listed.
    void Delete(const std::string &path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        for (int attempt = 0;; ++attempt) {
            if (DeleteFileA(path.c_str())) {
                Note("Removed", path);
                return;
            }
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                return;
            if (!InUse(path, error)) {
                outcome_.denied.push_back(path);
                Note("Kept (may not be deleted, " + ErrorText(error) + ")", path);
                return;
            }
            if (attempt + 1 == kDeleteTries)
                break;
            Sleep(kDeleteRetryMs);
        }
        toDefer_.push_back(path);
    }

    void RemoveFolder(const std::string &path) {
        std::string withSlash = path;
        if (withSlash.back() != '\\')
            withSlash += '\\';
        if (nt_) {
            // The install directory holds the record until the end.
            if (!EqualsNoCase(withSlash, installDir_))
                RemoveHeldFolder(path);
            return;
        }
        if (RemoveDirectoryA(path.c_str())) {
            Note("Removed folder", path);
            return;
        }
        if (!PathExists(path))
            return;
        // The install directory holds this program and the record until the
        // end: it is looked at last.
        if (EqualsNoCase(withSlash, installDir_))
            return;
        outcome_.folders.push_back(path);
        Note("Kept folder (holds files of the user's)", path);
    }

    // A link where setup made a folder goes as itself; a real folder through
    // its handle, once empty.
    // `listKept`: a folder left for the files in it is the user's to know of.
    void RemoveHeldFolder(const std::string &path, bool listKept = true) {
        FileHandle dir(
            OpenNoFollow(path, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE));
        HandleStatus status;
        if (!dir || !StatusOf(dir.Get(), status))
            return;
        if (!IsLink(status) && !Reached(dir.Get(), path))
            return;
        if (DeleteThroughHandle(dir.Get(), status.attributes)) {
            Note(IsLink(status) ? "Removed (a link, as itself)" : "Removed folder", path);
        } else if (!IsLink(status)) {
            if (listKept)
                outcome_.folders.push_back(path);
            Note("Kept folder (not empty)", path);
        }
    }

public:
    // The install directory itself, last: its copy of the record first.
    void RemoveInstallDirectory(bool recorded) {
        const std::string record = installDir_ + kInstallRecordName;
        if (nt_)
            RemoveHeldFile(record, nullptr);
        else if (SetFileAttributesA(record.c_str(), FILE_ATTRIBUTE_NORMAL) &&
                 DeleteFileA(record.c_str()))
            Note("Removed", record);
        if (recorded && nt_)
            RemoveHeldFolder(installDir_.substr(0, installDir_.size() - 1), outcome_.inUse.empty());
    }

private:
    void RemoveValue(const RecordEntry &entry) {
        RegistryKey key;
        const HKEY root = RootOf(entry.root);
        if (!root ||
            RegOpenKeyExA(root, entry.path.c_str(), 0, KEY_SET_VALUE, key.Out()) != ERROR_SUCCESS)
            return;
        if (RegDeleteValueA(key.Get(), entry.second.empty() ? nullptr : entry.second.c_str()) ==
            ERROR_SUCCESS)
            Note("Removed value", KeyText(entry) + "\\" + entry.second);
    }

    // Only an empty key: the Windows 95 family's RegDeleteKey takes the
    // subkeys with it, and what someone else put there must stay.
    void RemoveKey(const RecordEntry &entry) {
        const HKEY root = RootOf(entry.root);
        if (!root)
            return;
        bool empty = false;
        {
            const RegistryKey key(root, entry.path);
            if (!key.Get())
                return;
            char name[256];
            DWORD length = sizeof name;
            const bool noSubkey = RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr,
                                                nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
            length = sizeof name;
            const bool noValue = RegEnumValueA(key.Get(), 0, name, &length, nullptr, nullptr,
                                               nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
            empty = noSubkey && noValue;
        }
        if (!empty)
            Note("Kept key (holds what another program put there)", KeyText(entry));
        else if (RegDeleteKeyA(root, entry.path.c_str()) == ERROR_SUCCESS)
            Note("Removed key", KeyText(entry));
    }

    void RemoveBatchLines(const RecordEntry &entry) {
        bool ok = false;
        const std::string content = ReadWhole(entry.path, ok);
        if (!ok)
            return;
        bool removed = false;
        const std::string text = RemovePathLines(content, entry.second, removed);
        if (!removed)
            return;
        if (!WriteReplacing(entry.path, text)) {
            outcome_.kept.push_back(entry.path);
            Note("Kept (could not be rewritten)", entry.path);
        } else {
            Note("Removed the PATH line for " + entry.second + " from", entry.path);
        }
    }

    const std::string installDir_;
    const std::string ownPath_;
    const bool nt_;
    RemovalOutcome outcome_;
    std::vector<std::string> toDefer_;
};

} // namespace

bool PathExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

RemovalOutcome CarryOut(const RemovalPlan &plan, const std::string &installDir,
                        const std::string &ownPath, bool installDirRecorded) {
    Remover remover(installDir, ownPath);
    remover.Refused(plan.refused);
    for (const RemovalStep &step : plan.steps)
        remover.Run(step);
    remover.RemoveInstallDirectory(installDirRecorded);
    return remover.Finish();
}

void RemoveSelfAtRestart(const std::string &ownPath, const std::string &folder) {
    std::vector<std::string> paths = {ownPath};
    // wininit.ini deletes files only: there the empty folder stays.
    if (!folder.empty() && !platform::IsWindows95Family())
        paths.push_back(folder);
    const bool deferred = DeleteAtRestart(paths);
    for (const std::string &path : paths)
        Note(deferred ? "Deferred to the next restart (the uninstaller itself)"
                      : "Kept (the list of the next restart could not be written)",
             path);
}
