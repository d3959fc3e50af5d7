// Start-up of setup: system DLLs from the system folder only, one copy at a
// time, COM for the shell, a sane clock, then the main dialog until the user
// leaves.

#include "core/app_state.h"
#include "app/year_check.h"
#include "messages/catalog.h"
#include "messages/oem_convert.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "platform/dll_search.h"
#include "ui/main_dialog.h"

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
    MessageBoxA(nullptr, text.c_str(), "Setup Morvel", MB_OK | MB_ICONEXCLAMATION);
    CloseCatalog();
}

struct ComSession {
    ComSession() { CoInitialize(nullptr); }
    ~ComSession() { CoUninitialize(); }
    ComSession(const ComSession &) = delete;
    ComSession &operator=(const ComSession &) = delete;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::SearchDllsInSystemFolderOnly();
    if (AnotherInstanceRuns())
        return 0;
    UseSystemOemConversion();
    ComSession com;
    if (!IsYearAccepted(CurrentYear())) {
        ShowBadYear();
        return 0;
    }
    MainDialog dialog;
    dialog.Run();
    CloseCatalog();
    return 0;
}
