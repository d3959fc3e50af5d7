// The restart after "Yes": on the NT family the process must hold the
// shutdown privilege enabled, or ExitWindowsEx refuses and nothing happens.
// (The restart itself is never asked for here: it would end the prefix.)

#include "system/restart_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

// Whether the process token has SE_SHUTDOWN_NAME enabled right now.
bool ShutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID shutdown;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown);
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto *privileges = reinterpret_cast<const TOKEN_PRIVILEGES *>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES &p = privileges->Privileges[i];
            if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart)
                enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

void DisableShutdownPrivilege() {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = 0;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

} // namespace

TEST(Restart, ShutdownPrivilegeIsEnabledBeforeTheRequest) {
    ASSERT_EQ(GetVersion() & 0x80000000u, 0u) << "the test programs run as the NT family";
    DisableShutdownPrivilege();
    ASSERT_FALSE(ShutdownPrivilegeEnabled()) << "the privilege starts off, as for any process";
    EXPECT_TRUE(EnableShutdownPrivilege());
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
}
