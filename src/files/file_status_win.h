#pragma once

#include <windows.h>

#include <string>

// Attributes, times and size of a file by name, in one request where the
// system offers it (GetFileAttributesExA; Windows 95 lacks it, so it is
// looked up at run time, with an open and a status read as the fallback).
bool QueryFileStatus(const std::string &path, WIN32_FILE_ATTRIBUTE_DATA &status);

// Closes a file handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    bool Close() {
        const bool closed = handle_ == INVALID_HANDLE_VALUE || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};
