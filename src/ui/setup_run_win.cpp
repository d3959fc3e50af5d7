#include "ui/setup_run_win.h"

#include "core/app_state.h"
#include "messages/message_dialog.h"
#include "ui/source_media.h"
#include "platform/log_header.h"
#include "platform/process_account.h"
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
    RunLog &log = Log();
    // Without a log, or one that cannot be written, the installation goes
    // on and the lines below go nowhere.
    if (!options.logPath.empty() && log.Open(options.logPath))
        WriteLogHeader("Setup", commandLine);
    SettleSourceFolder();
    if (!options.ignored.empty())
        log.Line("Not known, ignored (no /S): " + options.ignored);
    if (options.allUsers && platform::IsWindows95Family())
        log.Line("/ALLUSERS: the Windows 95 family has no common folders; the usual ones are used");
    // The system's own profile is no one's: the pupils would never see the
    // shortcuts there.
    app.localSystem = platform::CurrentAccount().localSystem;
    if (app.localSystem && !options.allUsers)
        log.Line("Running as LocalSystem: shortcuts go to the common folders, as with /ALLUSERS");
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
    LogOutcome(App().outcome, code);
    Log().Close();
    return code;
}
