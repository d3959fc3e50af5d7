#include "system/restart_win.h"

#include <windows.h>

namespace {

bool IsWindows95Family() {
    return (GetVersion() & 0x80000000u) != 0;
}

class TokenHandle {
public:
    TokenHandle() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                              &handle_)) {
            handle_ = nullptr;
        }
    }
    ~TokenHandle() {
        if (handle_)
            CloseHandle(handle_);
    }
    TokenHandle(const TokenHandle &) = delete;
    TokenHandle &operator=(const TokenHandle &) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

} // namespace

bool EnableShutdownPrivilege() {
    if (IsWindows95Family())
        return true;
    TokenHandle token;
    if (!token.Get())
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return false;
    // Success with ERROR_NOT_ALL_ASSIGNED means the account may not shut down.
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

bool RestartComputer() {
    EnableShutdownPrivilege(); // without it the request below fails on its own
    return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}
