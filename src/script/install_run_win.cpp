#include "script/install_run.h"

#include "core/install_view.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "files/file_commands.h"
#include "files/install_record_win.h"
#include "files/product_settings_win.h"
#include "script/display_commands.h"
#include "script/interpreter.h"
#include "system/component_commands.h"
#include "system/program_commands.h"
#include "system/registry_commands.h"
#include "system/shell_commands.h"

#include <windows.h>

#include <string>

namespace {

// A window that ignores WM_QUIT must not hold the installation up for ever.
constexpr DWORD kCloseWaitMs = 5000;

// The screen saver stays off while files are copied.
class ScreenSaverOff {
public:
    ScreenSaverOff() {
        SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &wasActive_, 0);
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    }
    ~ScreenSaverOff() { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, wasActive_, nullptr, 0); }
    ScreenSaverOff(const ScreenSaverOff &) = delete;
    ScreenSaverOff &operator=(const ScreenSaverOff &) = delete;

private:
    BOOL wasActive_ = FALSE;
};

void CloseNamedWindows(const RunState &run, InstallView &view) {
    for (const std::string &title : TitlesToClose(run.settings, run.productName)) {
        HWND window = FindWindowA(nullptr, title.c_str());
        if (!window)
            continue;
        const DWORD start = GetTickCount();
        while (window && GetTickCount() - start < kCloseWaitMs) {
            PostMessageA(window, WM_QUIT, 0, 0);
            if (!view.PumpMessage())
                return;
            window = FindWindowA(nullptr, title.c_str());
        }
    }
}

} // namespace

void RunInstall(RunState &run, InstallView &view) {
    ScreenSaverOff screenSaver;
    run.programPath = run.dirs.install + ProductSetting(run.settingsPath, "general", "Exec");
    CloseNamedWindows(run, view);
    // What an earlier installation created outside the files stays after the
    // clean-up (folders, shortcuts, keys, batch lines), so the fresh record
    // takes it over: the uninstaller must still remove it.
    const std::string recordPath = run.dirs.install + kInstallRecordName;
    const ParsedRecord earlier = ParseRecord(ReadRecordFile(recordPath));
    CleanInstallDirectory(run.dirs.install, run.settings, run.productCode);
    InstallRecordFile record(recordPath);
    for (const RecordEntry &entry : earlier.entries) {
        if (entry.kind != RecordKind::File && entry.kind != RecordKind::Language)
            record.Add(entry);
    }

    // One byte count for the whole run, whichever command copies.
    CopyEngine engine(run.settings, view);
    const auto files = MakeFileCommands(run, view, engine);
    const auto shell = MakeShellCommands(run, view, engine);
    const auto registry = MakeRegistryCommands(run, view);
    const auto programs = MakeProgramCommands(run, view);
    const auto components = MakeComponentCommands(run, view, engine);
    const auto display = MakeDisplayCommands(run, view);
    CommandFamilies families{*files, *shell, *registry, *programs, *components, *display};
    RunCommands(run.settings.commands, families, view);
}
