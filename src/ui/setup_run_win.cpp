#include "ui/setup_run_win.h"

#include "core/app_state.h"
#include "messages/message_dialog.h"
#include "platform/log_header.h"
#include "platform/setup_mark_win.h"
#include "platform/windows_family.h"

#include <windows.h>

#include <string>

namespace {

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
    WriteLogHeader("Setup", commandLine);
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
    return platform::ClaimSetupMark();
}

int FinishSetupRun() {
    const int code = App().options.any ? ExitCodeOf(App().outcome) : 0;
    Log().Line("Exit code " + std::to_string(code));
    Log().Close();
    return code;
}
