// Start-up of setup: system DLLs from the system folder only, one copy at a
// time, COM for the shell, a sane clock, then the main dialog until the user
// leaves.

#include "core/app_state.h"
#include "app/year_check.h"
#include "messages/catalog.h"
#include "messages/message_dialog.h"
#include "messages/oem_convert.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "platform/dll_search.h"
#include "ui/main_dialog.h"
#include "ui/quiet_install_win.h"
#include "ui/setup_run_win.h"

#include <windows.h>
#include <objbase.h>

#include <ctime>

namespace {

// Another setup, or a running product of the family, owns the screen.
bool AnotherInstanceRuns() {
    return FindWindowA("PXDwindowClass", nullptr) != nullptr ||
           FindWindowA(nullptr, "Setup Morvel") != nullptr;
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    return local ? local->tm_year + 1900 : 0;
}

void ShowBadYear() {
    // No language is settled yet: the catalog answers in French.
    const bool catalog =
        OpenCatalog("SCRIPT.DBF", "SETUP.DBF", "NAME", "SECTION") && App().languageLetter != '?';
    const std::string text =
        catalog ? SetupText("BAD_SYSTEM_YEAR") : ResourceText(kTextBadSystemYear);
    ReportFailure("The system's clock is not plausible");
    ShowBox(nullptr, text, "Setup Morvel", MB_OK | MB_ICONEXCLAMATION);
    CloseCatalog();
}

struct ComSession {
    ComSession() { CoInitialize(nullptr); }
    ~ComSession() { CoUninitialize(); }
    ComSession(const ComSession &) = delete;
    ComSession &operator=(const ComSession &) = delete;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    platform::SearchDllsInSystemFolderOnly();
    StartSetupRun(commandLine);
    if (!SwitchesAllowRun())
        return FinishSetupRun();
    const bool claimed = ClaimSetupRun();
    if (AnotherInstanceRuns() || !claimed) {
        App().outcome.anotherSetup = true;
        Log().Line("Another setup is running: nothing done");
        return FinishSetupRun();
    }
    UseSystemOemConversion();
    ComSession com;
    if (!IsYearAccepted(CurrentYear())) {
        ShowBadYear();
        return FinishSetupRun();
    }
    if (App().options.quiet) {
        QuietInstall install;
        install.Run();
    } else {
        MainDialog dialog;
        dialog.Run();
    }
    CloseCatalog();
    return FinishSetupRun();
}
