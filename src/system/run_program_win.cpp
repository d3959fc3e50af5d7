#include "system/run_program_win.h"

#include "core/install_view.h"
#include "core/run_log.h"
#include "messages/string_table.h"
#include "messages/text_format.h"
#include "messages/text_ids.h"
#include "system/held_files_win.h"

#include <windows.h>

#include <vector>

namespace {

// The flags every started program gets: a console and process group of its
// own, the system's error mode, and the normal priority. The realtime class
// is granted to an elevated setup, and a busy child (a DirectX or
// registration program) at that class freezes the whole PC.
constexpr DWORD kCreationFlags = CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP |
                                 NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE;

// A window that ignores WM_DESTROY must not hold the installation up for
// ever before the program starts.
constexpr DWORD kWindowWaitMs = 5000;
constexpr UINT kDestroyTimeoutMs = 1000;
// After the program, a window of the title is waited for as long as it is
// there and answers; one that has not answered for this long counts as gone.
constexpr DWORD kUnansweringWindowMs = 10000;
// How long one question to that window may keep setup's own from answering.
constexpr UINT kAnswerTimeoutMs = 50;
// A program that has shown no window for this long may be stuck out of
// sight: the main window comes back to say what setup waits for.
constexpr DWORD kSilentChildMs = 15000;

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    ~Handle() {
        if (handle_)
            CloseHandle(handle_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

void DestroyTitledWindows(const std::string &title, InstallView &view) {
    const DWORD start = GetTickCount();
    HWND window = FindWindowA(nullptr, title.c_str());
    while (window && GetTickCount() - start < kWindowWaitMs) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, kDestroyTimeoutMs, &result);
        if (!view.PumpMessage())
            return;
        window = FindWindowA(nullptr, title.c_str());
    }
}

// A launcher's window may outlive the program that started it: the script
// goes on once the user has closed it.
void AwaitTitledWindowsGone(const std::string &title, InstallView &view) {
    DWORD lastAnswer = GetTickCount();
    while (HWND window = FindWindowA(nullptr, title.c_str())) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result))
            lastAnswer = GetTickCount();
        else if (GetTickCount() - lastAnswer >= kUnansweringWindowMs)
            return;
        if (!view.PumpMessage())
            return;
    }
}

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto *search = reinterpret_cast<WindowSearch *>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool ShowsAWindow(DWORD processId) {
    WindowSearch search{processId, false};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ProgramName(const std::string &commandLine) {
    std::string name = commandLine;
    if (!name.empty() && name.front() == '"') {
        const std::size_t end = name.find('"', 1);
        name = name.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    } else {
        name = name.substr(0, name.find(' '));
    }
    const std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

bool StartAndWait(const std::string &commandLine, const char *workingDir, InstallView &view,
                  const WaitOptions &options) {
    if (!options.title.empty())
        DestroyTitledWindows(options.title, view);

    // CreateProcessA may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, kCreationFlags, nullptr,
                        workingDir, &startup, &info)) {
        const DWORD error = GetLastError();
        Log().Line("Not started: " + commandLine + ": Win32 error " + std::to_string(error));
        return false;
    }
    Log().Line("Started: " + commandLine);
    const Handle process(info.hProcess);
    const Handle thread(info.hThread);

    bool hidden = false;
    bool waitingShown = false;
    if (options.hideWindow) {
        view.ShowWindow(false);
        hidden = true;
    }
    // The wait for the program itself has no limit: a user may take long in
    // an outside installer. It ends when the process ends (its handle is
    // signalled: an exit code of STILL_ACTIVE's value is an end too) or the
    // window goes away.
    DWORD lastSeen = GetTickCount();
    bool alive = true;
    std::string scriptMessage;
    for (;;) {
        if (!view.PumpMessage()) {
            alive = false;
            break;
        }
        const DWORD state = WaitForSingleObject(process.get(), 0);
        if (state == WAIT_OBJECT_0 || state == WAIT_FAILED)
            break;
        if (hidden) {
            if (ShowsAWindow(info.dwProcessId)) {
                lastSeen = GetTickCount();
            } else if (GetTickCount() - lastSeen >= kSilentChildMs) {
                view.ShowWindow(true);
                scriptMessage = view.Message();
                view.SetMessage(
                    FillName(GroupText(kTextWaitingForProgram), ProgramName(commandLine)));
                hidden = false;
                waitingShown = true;
            }
        }
    }
    if (alive && !options.title.empty())
        AwaitTitledWindowsGone(options.title, view);
    if (waitingShown)
        view.SetMessage(scriptMessage);
    if (options.hideWindow)
        view.ShowWindow(true);
    DWORD exitCode = 0;
    if (Log().IsOpen() && GetExitCodeProcess(process.get(), &exitCode) && exitCode != STILL_ACTIVE)
        Log().Line("Ended with exit code " + std::to_string(exitCode) + ": " + commandLine);
    return true;
}

bool RunProgramAndWait(const ProgramLaunch &launch, const RunState &run, InstallView &view) {
    HeldFiles held(run);
    return held.Hold(launch.program) && RunProgramAndWait(launch, view);
}

bool RunProgramAndWait(const ProgramLaunch &launch, InstallView &view) {
    WaitOptions options;
    options.title = launch.title;
    // "*NONE" names no directory: the program then starts in setup's own.
    const char *dir = launch.workingDir.empty() ? nullptr : launch.workingDir.c_str();
    return StartAndWait(launch.commandLine, dir, view, options);
}
