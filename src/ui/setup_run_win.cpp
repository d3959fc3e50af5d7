#include "ui/setup_run_win.h"

#include "core/app_state.h"
#include "messages/message_dialog.h"
#include "platform/windows_family.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string NowText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

std::string WindowsText() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return "unknown";
    char text[256];
    std::snprintf(text, sizeof text, "%lu.%lu build %lu %s(%s family)", version.dwMajorVersion,
                  version.dwMinorVersion, version.dwBuildNumber & 0xFFFF, version.szCSDVersion,
                  platform::IsWindows95Family() ? "Windows 95" : "NT");
    return text;
}

void ShowSwitches() {
    ShowBox(nullptr, SwitchesHelpText(), "Setup", MB_OK | MB_ICONINFORMATION);
}

} // namespace

void StartSetupRun(const char *commandLine) {
    AppState &app = App();
    app.options = ParseCommandLine(commandLine ? commandLine : "");
    const CommandLine &options = app.options;
    if (options.logPath.empty())
        return;
    RunLog &log = Log();
    if (!log.Open(options.logPath))
        return; // no log: the installation goes on
    log.Line(std::string("Setup ") + kSetupProgramVersion + ", " + NowText());
    log.Line(std::string("Command line: ") + commandLine);
    log.Line("Windows " + WindowsText());
    if (options.allUsers && platform::IsWindows95Family())
        log.Line("/ALLUSERS: the Windows 95 family has no common folders; the usual ones are used");
}

bool SwitchesAllowRun() {
    AppState &app = App();
    const CommandLine &options = app.options;
    if (!options.valid) {
        app.outcome.badSwitch = true;
        Log().Line("Switch not known or /D= naming no drive: " + options.refused);
        if (!options.quiet)
            ShowSwitches();
        return false;
    }
    if (options.help && !options.quiet) {
        ShowSwitches();
        app.outcome.completed = true;
        return false;
    }
    return true;
}

bool ClaimSetupRun() {
    // Closed by the system when the process ends.
    static HANDLE mark = nullptr;
    if (mark)
        return true;
    mark = CreateMutexA(nullptr, FALSE, "Setup Morvel installation running");
    // A system that cannot make the mark is no reason to refuse.
    return !mark || GetLastError() != ERROR_ALREADY_EXISTS;
}

int FinishSetupRun() {
    const int code = App().options.any ? ExitCodeOf(App().outcome) : 0;
    Log().Line("Exit code " + std::to_string(code));
    Log().Close();
    return code;
}
