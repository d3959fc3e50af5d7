#pragma once

#include <windows.h>

#include <string>
#include <vector>

class InstallView;

// The small Explorer windows a deletion opens over the folder it empties, so
// that the shell sees the files go. The count of windows opened places each
// below the last and lasts the whole run.
class FolderWindows {
public:
    explicit FolderWindows(InstallView &view) : view_(view) {}

    // Shows the folder (path without a final backslash) unless a window of
    // that title is already up. Waits a few seconds at most for the window.
    void Open(const std::string &folder);
    // Closes the windows opened since the last call that still exist.
    void CloseAll();

private:
    InstallView &view_;
    int opened_ = 0;
    std::vector<HWND> windows_;
};
