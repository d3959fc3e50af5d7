#include "platform/windows_family.h"

namespace platform {
namespace {

bool stubsFail = false;

} // namespace

bool IsWindows95Family() {
    static const bool family95 = (GetVersion() & 0x80000000u) != 0;
    return family95;
}

void SetWindows95StubsFail(bool on) {
    stubsFail = on;
}

bool Windows95StubsFail() {
    return stubsFail && IsWindows95Family();
}

BOOL CallMoveFileEx(LPCSTR existing, LPCSTR replacement, DWORD flags) {
    if (Windows95StubsFail()) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return MoveFileExA(existing, replacement, flags);
}

FARPROC FindNewerFunction(const char *module, const char *name) {
    if (Windows95StubsFail())
        return nullptr;
    HMODULE loaded = GetModuleHandleA(module);
    return loaded ? GetProcAddress(loaded, name) : nullptr;
}

} // namespace platform
