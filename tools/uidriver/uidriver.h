#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Remote control of a setup.exe process: start it, find its windows, read
// their texts and press their buttons, as a user would.
namespace ui {

class Program {
public:
    // Starts exe with cwd as its current directory and the arguments after
    // its quoted name; Running() is false when it could not be started.
    Program(const std::string &exe, const std::string &cwd, const std::string &arguments = "");
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    bool Running() const;
    DWORD Id() const { return info_.dwProcessId; }
    // Exit code, or STILL_ACTIVE when it has not ended within timeoutMs.
    DWORD WaitExit(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION info_{};
};

// A visible top-level window of the process; title and class may be null
// (any). Null when none shows up within timeoutMs.
HWND WaitForWindow(DWORD processId, const char *title, const char *className, DWORD timeoutMs);

// The process's visible top-level windows other than `except`.
std::vector<HWND> WindowsOf(DWORD processId, HWND except = nullptr);

std::string Text(HWND window);
std::string ControlText(HWND dialog, int id);
std::string ClassOf(HWND window);
// Outer rectangle on the screen.
RECT ScreenRect(HWND window);
// A control's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dialog, int id);
// Lines of a list box (read as UTF-16, converted to code page 1252).
std::vector<std::string> ListLines(HWND list);

// Clicks a button without waiting for what the click opens.
void PostClick(HWND dialog, int id);

// The whole screen as a 24-bit BMP file.
bool SaveScreen(const std::string &bmpPath);

} // namespace ui
