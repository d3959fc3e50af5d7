#include "system/restart_win.h"

#include "platform/process_account.h"
#include "platform/windows_family.h"

#include <windows.h>

bool EnableShutdownPrivilege() {
    if (platform::IsWindows95Family())
        return true;
    const platform::ProcessToken token(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY);
    if (!token.Get())
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return false;
    // Success with ERROR_NOT_ALL_ASSIGNED means the account may not shut down.
    return AdjustTokenPrivileges(static_cast<HANDLE>(token.Get()), FALSE, &privileges, 0, nullptr,
                                 nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

bool RestartComputer() {
    EnableShutdownPrivilege(); // without it the request below fails on its own
    return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}
