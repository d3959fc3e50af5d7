#include "files/no_follow_win.h"

#include "core/trust_rules.h"
#include "platform/optional_api.h"
#include "platform/windows_family.h"

namespace {

using GetFinalPathFn = DWORD(WINAPI *)(HANDLE, LPSTR, DWORD, DWORD);
// ntdll's own call, on the NT family before Vista's SetFileInformationByHandle.
using NtSetInformationFileFn = LONG(WINAPI *)(HANDLE, void *, void *, ULONG, int);

// SetFileInformationByHandle's classes, and NtSetInformationFile's for the same.
constexpr int kFileBasicInfo = 0;
constexpr int kFileDispositionInfo = 4;
constexpr int kFileBasicInformation = 4;
constexpr int kFileDispositionInformation = 13;

struct BasicInfo {
    LARGE_INTEGER times[4]; // zero: left as they are
    DWORD attributes;
};

template <typename Function> Function Find(const char *module, const char *name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(platform::FindNewerFunction(module, name)));
}

} // namespace

HANDLE OpenNoFollow(const std::string &path, DWORD access, DWORD share) {
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

bool StatusOf(HANDLE handle, HandleStatus &status) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info))
        return false;
    status.attributes = info.dwFileAttributes;
    status.size = std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
    status.time = std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32 |
                  info.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::string FinalPathOf(HANDLE handle) {
    static const auto getFinalPath =
        Find<GetFinalPathFn>("kernel32.dll", "GetFinalPathNameByHandleA");
    if (!getFinalPath)
        return "";
    char buffer[MAX_PATH + 16];
    const DWORD length = getFinalPath(handle, buffer, sizeof buffer, 0);
    if (length == 0 || length >= sizeof buffer)
        return "";
    return PlainFinalPath(std::string(buffer, length));
}

namespace {

// One piece of information set on a handle: through kernel32 where the
// system has it (Vista on), else through ntdll (the NT family before).
bool SetOnHandle(HANDLE handle, int win32Class, int ntClass, void *data, DWORD size) {
    if (const auto setInformation = Kernel32().setFileInformationByHandle)
        return setInformation(handle, win32Class, data, size);
    static const auto ntSetInformation =
        Find<NtSetInformationFileFn>("ntdll.dll", "NtSetInformationFile");
    if (!ntSetInformation) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    struct {
        void *status;
        ULONG_PTR information;
    } ioStatus{};
    const unsigned long status =
        static_cast<unsigned long>(ntSetInformation(handle, &ioStatus, data, size, ntClass));
    if (status < 0x80000000u)
        return true;
    // The few answers worth telling apart; any other is a refusal.
    SetLastError(status == 0xC0000101u   ? ERROR_DIR_NOT_EMPTY
                 : status == 0xC0000043u ? ERROR_SHARING_VIOLATION
                                         : ERROR_ACCESS_DENIED);
    return false;
}

} // namespace

bool DeleteThroughHandle(HANDLE handle, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        BasicInfo basic{};
        // Zero would leave them as they are.
        basic.attributes = attributes & ~FILE_ATTRIBUTE_READONLY;
        if (basic.attributes == 0)
            basic.attributes = FILE_ATTRIBUTE_NORMAL;
        SetOnHandle(handle, kFileBasicInfo, kFileBasicInformation, &basic, sizeof basic);
    }
    BOOLEAN disposition = TRUE;
    return SetOnHandle(handle, kFileDispositionInfo, kFileDispositionInformation, &disposition,
                       sizeof disposition);
}
