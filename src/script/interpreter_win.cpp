#include "script/interpreter.h"

#include "app/app_state.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "files/path_macros.h"
#include "messages/message_dialog.h"
#include "messages/text_ids.h"
#include "script/command_table.h"
#include "ui/install_view.h"
#include "ui/product_settings_win.h"
#include "ui/run_state.h"

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

std::string ProgramFile(const RunState &run) {
    return ProductSetting(run.settingsPath, "general", "Exec");
}

void CloseNamedWindows(const RunState &run, InstallView &view) {
    for (const WindowToClose &pair : run.settings.windowsToClose) {
        // A product's own windows carry its name: "*PRODUCT" stands for it.
        std::string title = pair.titleHead + " " + pair.titleTail;
        ReplaceProductToken(title, run.productName);
        for (char &c : title) {
            if (c == '|')
                c = ' ';
        }
        if (title == "Setup Morvel" || title == "Setup")
            continue; // never ourselves
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

class Interpreter {
public:
    Interpreter(RunState &run, InstallView &view, HWND owner)
        : run_(run), view_(view), owner_(owner), engine_(run.settings, view) {}

    void Run() {
        std::vector<std::string> &commands = run_.settings.commands;
        std::size_t next = 0;
        while (next < commands.size() && !view_.RunEnded()) {
            const std::string line = commands[next++];
            Execute(line);
        }
        // The executed lines leave the list; after a stop the rest stays unrun.
        commands.erase(commands.begin(), commands.begin() + static_cast<std::ptrdiff_t>(next));
        if (!view_.RunEnded())
            view_.EndRun(0);
    }

private:
    void Execute(const std::string &line) {
        DirectoryCommandContext files{run_.dirs, run_.markerName, engine_, view_, progressShown_};
        switch (ClassifyCommand(line)) {
        case ScriptCommand::Copy:
            CopyCommand(WithoutTwinPrefix(line), files);
            break;
        case ScriptCommand::CopyDir:
            CopyDirCommand(WithoutTwinPrefix(line), files);
            break;
        case ScriptCommand::MakeDir:
            MakeDirCommand(WithoutTwinPrefix(line), files);
            break;
        case ScriptCommand::RemoveDir:
            RemoveDirCommand(WithoutTwinPrefix(line), files);
            break;
        case ScriptCommand::ProgressStart:
            engine_.Progress().bytesDone = 0;
            progressShown_ = true;
            view_.ShowProgressControls(true);
            break;
        case ScriptCommand::ProgressEnd:
            progressShown_ = false;
            view_.ShowProgressControls(false);
            break;
        case ScriptCommand::AllDone:
            AllDone(line);
            break;
        case ScriptCommand::Unknown:
            view_.Alert(line, "Script SETUP.INF is not valid");
            view_.EndRun(0);
            break;
        case ScriptCommand::Install:
        case ScriptCommand::Image:
        case ScriptCommand::AddStartGroup:
        case ScriptCommand::SpecialAddPath:
        case ScriptCommand::AddStartup:
        case ScriptCommand::AddStartFile:
        case ScriptCommand::AddStartLink:
        case ScriptCommand::AddLink:
        case ScriptCommand::Message:
        case ScriptCommand::Test:
        case ScriptCommand::DirectXInstall:
        case ScriptCommand::Execute:
        case ScriptCommand::Delete:
        case ScriptCommand::BrowseUrl:
            // Shortcuts, registry, components, programs, messages and
            // pictures are not handled by this build: the line is passed over.
            break;
        }
    }

    void AllDone(const std::string &line) {
        const int language = App().languageIndex;
        MessageRequest request;
        request.mode = 2;
        if (AsksForRestart(line)) {
            request.yesNo = true;
            request.number = kTextFinishedRestart + language;
            request.width = 320;
            request.height = 200;
            if (ShowMessageDialog(owner_, request) == 1)
                ExitWindowsEx(EWX_REBOOT, 0);
        } else {
            request.number = kTextFinished + language;
            request.width = 320;
            request.height = 100;
            ShowMessageDialog(owner_, request);
        }
        view_.EndRun(0);
    }

    RunState &run_;
    InstallView &view_;
    HWND owner_;
    CopyEngine engine_;
    bool progressShown_ = false;
};

} // namespace

void RunInstall(RunState &run, InstallView &view, HWND owner) {
    ScreenSaverOff screenSaver;
    run.programPath = run.dirs.install + ProgramFile(run);
    CloseNamedWindows(run, view);
    CleanInstallDirectory(run.dirs.install, run.settings, run.productCode);
    Interpreter(run, view, owner).Run();
}
