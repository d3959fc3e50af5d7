#include "files/file_status_win.h"

#include "platform/optional_api.h"

bool QueryFileStatus(const std::string &path, WIN32_FILE_ATTRIBUTE_DATA &status) {
    if (const auto getAttributesEx = Kernel32().getFileAttributesEx)
        return getAttributesEx(path.c_str(), GetFileExInfoStandard, &status);

    FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.Get(), &info))
        return false;
    status.dwFileAttributes = info.dwFileAttributes;
    status.ftCreationTime = info.ftCreationTime;
    status.ftLastAccessTime = info.ftLastAccessTime;
    status.ftLastWriteTime = info.ftLastWriteTime;
    status.nFileSizeHigh = info.nFileSizeHigh;
    status.nFileSizeLow = info.nFileSizeLow;
    return true;
}
