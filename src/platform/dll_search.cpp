#include "platform/dll_search.h"

#include "platform/windows_family.h"

namespace platform {
namespace {

// Not in the headers of the oldest SDKs.
constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

template <typename Function> Function Find(const char *name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(FindNewerFunction("kernel32.dll", name)));
}

} // namespace

void SearchDllsInSystemFolderOnly() {
    // Windows 8, and Vista and 7 with their DLL-search update.
    using SetDefault = BOOL(WINAPI *)(DWORD);
    if (const auto setDefault = Find<SetDefault>("SetDefaultDllDirectories")) {
        if (setDefault(kSearchSystem32))
            return;
    }
    // Windows XP SP1 and later: the current folder leaves the search.
    using SetDirectory = BOOL(WINAPI *)(LPCSTR);
    if (const auto setDirectory = Find<SetDirectory>("SetDllDirectoryA"))
        setDirectory("");
}

} // namespace platform
