#include "files/file_status_win.h"

#include "platform/windows_family.h"

namespace {

using GetAttributesExFn = BOOL(WINAPI *)(LPCSTR, GET_FILEEX_INFO_LEVELS, LPVOID);

GetAttributesExFn LookUpGetAttributesEx() {
    return reinterpret_cast<GetAttributesExFn>(reinterpret_cast<void (*)()>(
        platform::FindNewerFunction("kernel32.dll", "GetFileAttributesExA")));
}

} // namespace

bool QueryFileStatus(const std::string &path, WIN32_FILE_ATTRIBUTE_DATA &status) {
    static const GetAttributesExFn getAttributesEx = LookUpGetAttributesEx();
    if (getAttributesEx)
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
