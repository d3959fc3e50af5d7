#include "files/install_record_win.h"

#include "core/app_state.h"
#include "files/file_status_win.h"

#include <windows.h>

#include <vector>

namespace {

constexpr DWORD kMaxRecordBytes = 8u << 20;
constexpr DWORD kFlushEveryMs = 1000;

} // namespace

InstallRecordFile::InstallRecordFile(const std::string &path, const std::string &installDir)
    : path_(path) {
    pending_ = RecordHeaderLine();
    RecordEntry language;
    language.kind = RecordKind::Language;
    language.language = App().languageIndex;
    pending_ += FormatRecordLine(language);
    RecordEntry home;
    home.kind = RecordKind::InstallDir;
    home.path = installDir;
    pending_ += FormatRecordLine(home);
    TryOpen();
    SetInstallRecorder(this);
}

InstallRecordFile::~InstallRecordFile() {
    SetInstallRecorder(nullptr);
    if (handle_) {
        FlushFileBuffers(static_cast<HANDLE>(handle_));
        CloseHandle(static_cast<HANDLE>(handle_));
    }
}

bool InstallRecordFile::TryOpen() {
    if (handle_)
        return true;
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    handle_ = file;
    std::string waiting;
    waiting.swap(pending_);
    Write(waiting);
    return true;
}

void InstallRecordFile::Add(const RecordEntry &entry) {
    const std::string line = FormatRecordLine(entry);
    if (line.empty())
        return;
    if (TryOpen())
        Write(line);
    else if (pending_.size() < (1u << 20))
        pending_ += line;
}

void InstallRecordFile::Write(const std::string &line) {
    DWORD written = 0;
    WriteFile(static_cast<HANDLE>(handle_), line.data(), static_cast<DWORD>(line.size()), &written,
              nullptr);
    // Each line reaches the system at once, so a setup that is stopped or
    // crashes leaves it behind. Forcing it to the disk costs a disk write
    // per copied file; once a second (and at the end) keeps a power cut from
    // taking more than the last second, as it would of the files themselves.
    const DWORD now = GetTickCount();
    if (now - lastFlush_ >= kFlushEveryMs) {
        FlushFileBuffers(static_cast<HANDLE>(handle_));
        lastFlush_ = now;
    }
}

std::string InstallRecordFile::Text() const {
    if (!handle_)
        return pending_;
    const HANDLE file = static_cast<HANDLE>(handle_);
    const DWORD size = GetFileSize(file, nullptr);
    std::string text;
    if (size != INVALID_FILE_SIZE && size <= kMaxRecordBytes &&
        SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0) {
        text.resize(size);
        DWORD got = 0;
        if (size && !ReadFile(file, &text[0], size, &got, nullptr))
            got = 0;
        text.resize(got);
    }
    SetFilePointer(file, 0, nullptr, FILE_END);
    return text;
}

std::string ReadRecordFile(const std::string &path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text;
    const DWORD size = GetFileSize(file, nullptr);
    if (size != INVALID_FILE_SIZE && size <= kMaxRecordBytes) {
        std::vector<char> buffer(size);
        DWORD got = 0;
        if (size == 0 || ReadFile(file, buffer.data(), size, &got, nullptr))
            text.assign(buffer.data(), got);
    }
    CloseHandle(file);
    return text;
}

void RecordInstalledFile(const std::string &path) {
    if (!Recording())
        return;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!QueryFileStatus(path, data))
        return;
    RecordEntry entry;
    entry.kind = RecordKind::File;
    entry.path = path;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.time = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                 data.ftLastWriteTime.dwLowDateTime;
    RecordInstalled(entry);
}
