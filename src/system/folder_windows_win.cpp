#include "system/folder_windows_win.h"

#include "core/app_state.h"
#include "core/install_view.h"

namespace {

// Explorer comes up within a second or two; a folder it cannot show never
// gets a window, so the wait must end by itself.
constexpr DWORD kFolderWindowWaitMs = 5000;
// A hung Explorer must not stop the installation.
constexpr UINT kCloseWaitMs = 2000;

std::string WindowsProgram(const char *name) {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    std::string path = length > 0 && length < sizeof windows ? std::string(windows, length) : "";
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return "\"" + path + name + "\"";
}

std::string LastComponent(const std::string &folder) {
    const std::size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

HWND FindFolderWindow(const std::string &folder, const std::string &last) {
    HWND window = FindWindowA(nullptr, folder.c_str());
    if (!window && !last.empty())
        window = FindWindowA(nullptr, last.c_str());
    return window;
}

} // namespace

void FolderWindows::Open(const std::string &folder) {
    if (App().options.quiet)
        return; // /S shows no window, not even Explorer's
    const std::string last = LastComponent(folder);
    if (FindFolderWindow(folder, last))
        return;
    // By its full path: a search would look in setup's own folder first.
    const std::string command = WindowsProgram("explorer.exe") + " " + folder;
    if (WinExec(command.c_str(), SW_HIDE) <= 31)
        return;
    HWND window = nullptr;
    const DWORD started = GetTickCount();
    while (!(window = FindFolderWindow(folder, last))) {
        if (GetTickCount() - started >= kFolderWindowWaitMs || !view_.PumpMessage())
            return;
    }
    ++opened_;
    SetWindowPos(window, nullptr, 10, 10 * opened_, 300, 250, SWP_SHOWWINDOW);
    ShowWindow(window, SW_SHOWNORMAL);
    windows_.push_back(window);
    HWND main = static_cast<HWND>(view_.OwnerWindow());
    if (main)
        SetForegroundWindow(main);
}

void FolderWindows::CloseAll() {
    for (HWND window : windows_) {
        if (IsWindow(window))
            SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseWaitMs, nullptr);
    }
    windows_.clear();
}
