#include "system/special_folders_win.h"

#include "core/app_state.h"
#include "core/install_view.h"
#include "platform/windows_family.h"
#include "messages/message_dialog.h"
#include "platform/shell_library.h"

namespace {

constexpr char kNoFolderText[] = "The system did not give the path of a special folder.";

// Frees an item list with the shell's allocator (SHGetMalloc exists on
// every system; CoTaskMemFree needs a newer shell on the Windows 95 family).
void FreeItemList(LPITEMIDLIST list) {
    IMalloc *malloc = nullptr;
    if (ShellCalls().getMalloc && SUCCEEDED(ShellCalls().getMalloc(&malloc)) && malloc) {
        malloc->Free(list);
        malloc->Release();
    }
}

bool AskShell(int csidl, std::string &path) {
    const ShellFunctions &shell = ShellCalls();
    if (!shell.getSpecialFolderLocation || !shell.getPathFromIDList)
        return false;
    LPITEMIDLIST list = nullptr;
    if (FAILED(shell.getSpecialFolderLocation(nullptr, csidl, &list)) || !list)
        return false;
    char buffer[MAX_PATH] = {};
    const bool got = shell.getPathFromIDList(list, buffer) != FALSE;
    FreeItemList(list);
    path = buffer;
    return got && !path.empty();
}

} // namespace

int ShortcutFolderOf(int csidl) {
    if ((!App().options.allUsers && !App().localSystem) || platform::IsWindows95Family())
        return csidl;
    switch (csidl) {
    case CSIDL_PROGRAMS:
        return CSIDL_COMMON_PROGRAMS;
    case CSIDL_STARTUP:
        return CSIDL_COMMON_STARTUP;
    case CSIDL_DESKTOPDIRECTORY:
        return CSIDL_COMMON_DESKTOPDIRECTORY;
    default:
        return csidl;
    }
}

std::optional<std::string> SpecialFolderPath(int csidl, InstallView &view) {
    std::string path;
    if (!AskShell(ShortcutFolderOf(csidl), path)) {
        view.Alert(kNoFolderText, "Setup");
        return std::nullopt;
    }
    return path;
}

std::string SpecialFolderPath(int csidl) {
    std::string path;
    if (!AskShell(csidl, path)) {
        ReportFailure(kNoFolderText);
        ShowBox(nullptr, kNoFolderText, "Setup", MB_OK);
        path.clear();
    }
    return path;
}

std::string ShellFolderIfAny(int csidl) {
    std::string path;
    return AskShell(csidl, path) ? path : std::string();
}
