#include "files/copy_engine.h"

#include "core/app_state.h"
#include "core/run_log.h"
#include "messages/file_error.h"
#include "messages/file_errors.h"
#include "core/ascii.h"
#include "core/trust_rules.h"
#include "files/canonical_path_win.h"
#include "files/file_status_win.h"
#include "files/install_record_win.h"
#include "files/install_tree_win.h"
#include "messages/catalog.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "core/install_settings.h"
#include "core/install_view.h"
#include "platform/optional_api.h"
#include "platform/windows_family.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr char kTempName[] = "$$$$$$$$.TMP";

std::uint64_t Join(DWORD high, DWORD low) {
    return std::uint64_t{high} << 32 | low;
}

// Whole seconds: CD and FAT time stamps carry no finer grain, and a copy
// stamped with the source's time must compare equal to it.
std::uint64_t Seconds(const FILETIME &time) {
    return Join(time.dwHighDateTime, time.dwLowDateTime) / 10000000;
}

std::string TempPathBeside(const std::string &destination) {
    const std::size_t slash = destination.rfind('\\');
    if (slash == std::string::npos)
        return kTempName;
    return destination.substr(0, slash + 1) + kTempName;
}

// The temporary file of one copy: removed unless it became the destination.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile() { Discard(); }
    void Discard() {
        file_.Close();
        if (created_ && !placed_)
            DeleteFileA(path_.c_str());
        created_ = false;
    }
    // `mustBeNew`: the file is written in the destination's own place and
    // must not replace anything that appeared there meanwhile.
    // `renamedByHandle`: DELETE access lets the finished file be renamed
    // through this handle (NT family only). The fixed temporary name lies in
    // a folder every user may write to: whatever bears it (a file, a link
    // to elsewhere) goes first, and the file is made new, never opened.
    bool Create(bool mustBeNew, bool renamedByHandle) {
        const DWORD access = GENERIC_WRITE | (renamedByHandle ? DELETE : 0);
        if (!mustBeNew)
            DeleteFileA(path_.c_str());
        file_.Reset(CreateFileA(path_.c_str(), access, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        created_ = static_cast<bool>(file_);
        return created_;
    }
    HANDLE Handle() const { return file_.Get(); }
    bool Close() { return file_.Close(); }
    const std::string &Path() const { return path_; }
    void Placed() { placed_ = true; }

private:
    std::string path_;
    FileHandle file_;
    bool created_ = false;
    bool placed_ = false;
};

using SetInformationByHandleFn = BOOL(WINAPI *)(HANDLE, int, LPVOID, DWORD);
constexpr int kFileRenameInfo = 3;

// Renaming through the open handle costs one request instead of the open,
// query, rename and close of MoveFileEx (Windows Vista and later; never
// looked for on the Windows 95 family, which replaces files otherwise).
SetInformationByHandleFn LookUpSetInformationByHandle() {
    return Kernel32().setFileInformationByHandle;
}

bool RenameOverByHandle(SetInformationByHandleFn setInformation, HANDLE file,
                        const std::string &destination) {
    char full[MAX_PATH];
    const DWORD fullLength = GetFullPathNameA(destination.c_str(), MAX_PATH, full, nullptr);
    if (fullLength == 0 || fullLength >= MAX_PATH)
        return false;
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, full, -1, nullptr, 0);
    if (wideLength <= 0)
        return false;
    struct RenameInfo {
        DWORD replaceIfExists;
        HANDLE rootDirectory;
        DWORD fileNameLength;
        WCHAR fileName[1];
    };
    std::vector<char> buffer(sizeof(RenameInfo) + wideLength * sizeof(WCHAR));
    auto *info = reinterpret_cast<RenameInfo *>(buffer.data());
    info->replaceIfExists = TRUE;
    info->rootDirectory = nullptr;
    MultiByteToWideChar(CP_ACP, 0, full, -1, info->fileName, wideLength);
    info->fileNameLength = static_cast<DWORD>((wideLength - 1) * sizeof(WCHAR));
    return setInformation(file, kFileRenameInfo, info, static_cast<DWORD>(buffer.size()));
}

// Puts the complete, stamped temporary file in the destination's place. The
// NT family renames over the destination in one step. The Windows 95 family
// has no replacing rename (MoveFileExA is a stub there): the installed file
// is deleted only now that its replacement is complete, then the temporary
// file takes its name with MoveFileA. Should that rename fail, the temporary
// file is kept: it is then the only copy. A read-only destination is made
// writable first and made read-only again if it stays.
bool ReplaceDestination(TempFile &temp, const std::string &destination, DWORD existingAttributes,
                        bool deleteThenRename, SetInformationByHandleFn renameByHandle) {
    const bool readOnly = existingAttributes != INVALID_FILE_ATTRIBUTES &&
                          (existingAttributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetFileAttributesA(destination.c_str(), existingAttributes & ~FILE_ATTRIBUTE_READONLY);
    bool moved;
    if (deleteThenRename) {
        moved = temp.Close() &&
                (existingAttributes == INVALID_FILE_ATTRIBUTES || DeleteFileA(destination.c_str()));
        if (moved) {
            moved = MoveFileA(temp.Path().c_str(), destination.c_str());
            if (!moved && existingAttributes != INVALID_FILE_ATTRIBUTES)
                temp.Placed(); // the old file is gone: keep the new one
        }
    } else if (renameByHandle) {
        moved = RenameOverByHandle(renameByHandle, temp.Handle(), destination);
    } else {
        moved = temp.Close() && platform::CallMoveFileEx(temp.Path().c_str(), destination.c_str(),
                                                         MOVEFILE_REPLACE_EXISTING);
    }
    if (!moved && readOnly) {
        const DWORD error = GetLastError();
        SetFileAttributesA(destination.c_str(), existingAttributes);
        SetLastError(error);
    }
    return moved;
}

struct SourceFileInfo {
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    FILETIME ftCreationTime{};
    FILETIME ftLastAccessTime{};
    FILETIME ftLastWriteTime{};
};

bool ReadSourceFileInfo(HANDLE file, SourceFileInfo &info) {
    SetLastError(NO_ERROR);
    info.nFileSizeLow = GetFileSize(file, &info.nFileSizeHigh);
    if (info.nFileSizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    return GetFileTime(file, &info.ftCreationTime, &info.ftLastAccessTime, &info.ftLastWriteTime) !=
           FALSE;
}

} // namespace

std::uint64_t DirectorySize(const std::string &path, bool recurse) {
    std::string dir;
    std::string pattern;
    if (path.size() >= 3 && path.compare(path.size() - 3, 3, "*.*") == 0) {
        pattern = path;
        dir = path.substr(0, path.size() - 3);
    } else {
        dir = path;
        if (dir.empty() || dir.back() != '\\')
            dir += '\\';
        pattern = dir + "*.*";
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    std::uint64_t total = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const std::string name = found.cFileName;
            if (recurse && name != "." && name != "..")
                total += DirectorySize(dir + name, true);
        } else {
            total += Join(found.nFileSizeHigh, found.nFileSizeLow);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return total;
}

CopyEngine::CopyEngine(const InstallSettings &settings, InstallView &view)
    : settings_(settings), view_(view), deleteThenRename_(platform::IsWindows95Family()),
      renameByHandle_(reinterpret_cast<void *>(LookUpSetInformationByHandle())) {}

bool CopyEngine::HaveBuffer() {
    if (buffer_.size() == bufferSize_)
        return true;
    try {
        buffer_.resize(bufferSize_);
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

ProgressLabels LoadProgressLabels() {
    ProgressLabels labels;
    labels.fileFromTable = GroupText(kTextCurrentFile);
    labels.totalFromTable = GroupText(kTextTotal);
    if (CatalogAvailable()) {
        labels.file = SetupText("CURRENT");
        labels.total = SetupText("TOTAL");
    } else {
        labels.file = labels.fileFromTable;
        labels.total = labels.totalFromTable;
    }
    return labels;
}

void CopyEngine::Show(const std::string &source, bool kept) {
    if (!labelsLoaded_)
        SetLabels(LoadProgressLabels());
    view_.ShowProgress(MakeProgressDisplay(progress_, labels_, source, kept));
}

void CopyEngine::WaitAfterBlock(std::uint32_t startTicks) {
    // Unsigned difference, so that the wait survives the tick count wrapping.
    while (static_cast<std::int64_t>(view_.FastTicks() - startTicks) <= settings_.writePauseTicks) {
        if (!view_.PumpMessage())
            return;
    }
}

namespace {

void LogCopy(const char *what, const std::string &source, const std::string &destination,
             std::uint64_t bytes) {
    if (Log().IsOpen())
        Log().Line(std::string(what) + " " + source + " -> " + destination + " (" +
                   std::to_string(bytes) + " bytes)");
}

} // namespace

int CopyEngine::CopieFichier(const std::string &source, const std::string &destination,
                             bool showProgress) {
    // Deny write: the source must not change under the copy.
    FileHandle in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in) {
        // Nothing is shown, but the file is missing from the installation.
        const DWORD error = GetLastError();
        ReportFailure("Skipped " + source + ": Win32 error " + std::to_string(error) + ": " +
                      Win32ErrorText(error));
        return 0;
    }
    // Size and times only: GetFileInformationByHandle also asks for the
    // volume's serial number, which costs several requests per file.
    SourceFileInfo info;
    if (!ReadSourceFileInfo(in.Get(), info)) {
        ReportWin32FileError(view_, GetLastError(), source);
        return 0;
    }
    if (!HaveBuffer()) {
        view_.Alert("CopieFichier Allocation Problem", "Setup");
        view_.EndRun(0);
        return 0;
    }
    const std::uint64_t length = Join(info.nFileSizeHigh, info.nFileSizeLow);
    progress_.totalBytes = settings_.totalBytes;

    // Nothing installed yet: no file can be lost, so the copy is written in
    // its own place (and removed if it fails). Creating it is also the test
    // for an installed file: one lookup of the name where the temporary file
    // would cost three (on some file systems a name that does not exist costs
    // a scan of its folder).
    const std::size_t slash = destination.rfind('\\');
    if (slash != std::string::npos && !EnterFolder(destination.substr(0, slash))) {
        Log().Line("Not written (its folder is a link to elsewhere): " + destination);
        ReportWin32FileError(view_, ERROR_CANT_ACCESS_FILE, destination);
        return 0;
    }
    TempFile direct(destination);
    const bool fresh = direct.Create(true, false);
    WIN32_FILE_ATTRIBUTE_DATA existing;
    DWORD existingAttributes = INVALID_FILE_ATTRIBUTES;
    if (!fresh && QueryFileStatus(destination, existing) &&
        !(existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        existingAttributes = existing.dwFileAttributes;
        const std::uint64_t installed = Seconds(existing.ftLastWriteTime);
        const std::uint64_t offered = Seconds(info.ftLastWriteTime);
        const bool keep = (settings_.strictCopyMode ? installed >= offered : installed > offered) &&
                          !AlwaysReplaced(destination);
        if (keep) {
            if (showProgress) {
                progress_.bytesDone += length;
                progress_.fileDone = progress_.fileLength = length;
                Show(source, true);
            }
            RecordInstalledFile(destination);
            LogCopy("Kept (not older)", source, destination, length);
            return 1;
        }
    }

    TempFile beside(fresh ? std::string() : TempPathBeside(destination));
    TempFile &temp = fresh ? direct : beside;
    const auto fail = [&](DWORD error) {
        temp.Discard();
        ReportWin32FileError(view_, error, temp.Path());
        return 0;
    };
    if (!fresh && !temp.Create(false, renameByHandle_ != nullptr && !deleteThenRename_))
        return fail(GetLastError());

    std::uint64_t copied = 0;
    while (copied < length) {
        const DWORD want =
            static_cast<DWORD>(std::min<std::uint64_t>(buffer_.size(), length - copied));
        DWORD got = 0;
        if (!ReadFile(in.Get(), buffer_.data(), want, &got, nullptr))
            return fail(GetLastError());
        if (got == 0)
            return fail(ERROR_HANDLE_EOF); // the source shrank under us
        DWORD written = 0;
        if (!WriteFile(temp.Handle(), buffer_.data(), got, &written, nullptr))
            return fail(GetLastError());
        if (written != got)
            return fail(ERROR_DISK_FULL);
        copied += got;
        if (showProgress) {
            const std::uint32_t startTicks = view_.FastTicks();
            progress_.bytesDone += got;
            progress_.fileDone = copied;
            progress_.fileLength = length;
            Show(source, false);
            if (settings_.writePause)
                WaitAfterBlock(startTicks);
        }
    }
    in.Close();

    // Times set on the handle after the last write stay; the attributes are
    // the new file's own, so a read-only source gives a writable copy.
    if (!SetFileTime(temp.Handle(), &info.ftCreationTime, &info.ftLastAccessTime,
                     &info.ftLastWriteTime))
        return fail(GetLastError());
    if (!fresh && !ReplaceDestination(temp, destination, existingAttributes, deleteThenRename_,
                                      reinterpret_cast<SetInformationByHandleFn>(renameByHandle_)))
        return fail(GetLastError());
    temp.Placed();
    temp.Close();
    RecordInstalledFile(destination);
    if (written_ && IsProgramFile(destination))
        written_->Add(CanonicalPath(destination), source);
    LogCopy("Copied", source, destination, length);
    return 1;
}

void CopyEngine::TrackPrograms(const std::string &installDir, WrittenFiles &written) {
    installDir_ = installDir;
    written_ = &written;
}

bool CopyEngine::AlwaysReplaced(const std::string &destination) const {
    return written_ && IsProgramFile(destination) && StartsWithNoCase(destination, installDir_);
}
