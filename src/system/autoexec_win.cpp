#include "system/autoexec_win.h"

#include "core/install_record.h"
#include "messages/file_error.h"
#include "messages/file_errors.h"
#include "system/autoexec.h"

#include <windows.h>

#include <new>

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    ~FileHandle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool Fail(InstallView &view, const std::string &path) {
    ReportWin32FileError(view, GetLastError(), path);
    return false;
}

std::string TempBeside(const std::string &path) {
    const std::size_t slash = path.rfind('\\');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
           "AUTOEXEC.$$$";
}

// Puts the new file in place of the old one. The Windows 95 family has no
// replacing move: there the old file goes first, and the new content stays
// in the temporary file should the rename fail.
bool Replace(const std::string &temp, const std::string &path) {
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    return DeleteFileA(path.c_str()) && MoveFileA(temp.c_str(), path.c_str());
}

} // namespace

bool AppendPathToBatchFile(const std::string &batchPath, const std::string &directory,
                           InstallView &view) {
    std::string content;
    {
        FileHandle file(CreateFileA(batchPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return true;
        const DWORD size = GetFileSize(file.Get(), nullptr);
        if (size == INVALID_FILE_SIZE)
            return Fail(view, batchPath);
        try {
            content.resize(size);
        } catch (const std::bad_alloc &) {
            return true;
        }
        DWORD got = 0;
        if (size && (!ReadFile(file.Get(), &content[0], size, &got, nullptr) || got != size))
            return Fail(view, batchPath);
    }

    const std::string text = AppendPathLines(content, directory);
    // The companion lies at a drive's root, where every user may make files:
    // whatever bears its name goes first, and the file is made new.
    const std::string temp = TempBeside(batchPath);
    DeleteFileA(temp.c_str());
    {
        FileHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return Fail(view, batchPath);
        DWORD written = 0;
        const bool ok = WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()),
                                  &written, nullptr) &&
                        written == text.size() && FlushFileBuffers(file.Get());
        DWORD error = ok ? 0 : GetLastError();
        if (!file.Close() && ok)
            error = GetLastError();
        if (!ok || error) {
            DeleteFileA(temp.c_str());
            // A short write without an error code is a full disk.
            ReportWin32FileError(view, error ? error : ERROR_DISK_FULL, batchPath);
            return false;
        }
    }
    const DWORD attributes = GetFileAttributesA(batchPath.c_str());
    if (!Replace(temp, batchPath))
        return Fail(view, batchPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && attributes != FILE_ATTRIBUTE_NORMAL)
        SetFileAttributesA(batchPath.c_str(), attributes);
    RecordEntry entry;
    entry.kind = RecordKind::Autoexec;
    entry.path = batchPath;
    entry.second = directory;
    RecordInstalled(entry);
    return true;
}
