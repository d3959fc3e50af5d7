#include "script/interpreter.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "core/install_settings.h"
#include "core/install_view.h"
#include "files/file_commands.h"
#include "files/path_macros.h"
#include "messages/text_ids.h"
#include "script/command_parse.h"
#include "script/display_commands.h"
#include "system/component_commands.h"
#include "system/program_commands.h"
#include "system/registry_commands.h"
#include "system/shell_commands.h"

#include <cstddef>

namespace {

// One operator per command: a command without its family does not build.
struct Dispatch {
    CommandFamilies &families;
    InstallView &view;

    void operator()(const CopyCommand &c) { families.files.Run(c); }
    void operator()(const CopyDirCommand &c) { families.files.Run(c); }
    void operator()(const MakeDirCommand &c) { families.files.Run(c); }
    void operator()(const RemoveDirCommand &c) { families.files.Run(c); }
    void operator()(const ProgressCommand &c) { families.files.Run(c); }
    void operator()(const AddStartGroupCommand &c) { families.shell.Run(c); }
    void operator()(const AddStartFileCommand &c) { families.shell.Run(c); }
    void operator()(const AddStartLinkCommand &c) { families.shell.Run(c); }
    void operator()(const AddLinkCommand &c) { families.shell.Run(c); }
    void operator()(const AddStartupCommand &c) { families.shell.Run(c); }
    void operator()(const DeleteCommand &c) { families.shell.Run(c); }
    void operator()(const SpecialAddPathCommand &c) { families.registry.Run(c); }
    void operator()(const ExecuteCommand &c) { families.programs.Run(c); }
    void operator()(const BrowseUrlCommand &c) { families.programs.Run(c); }
    void operator()(const InstallCommand &c) { families.components.Run(c); }
    void operator()(const DirectXInstallCommand &c) { families.components.Run(c); }
    void operator()(const MessageCommand &c) { families.display.Run(c); }
    void operator()(const TestCommand &c) { families.display.Run(c); }
    void operator()(const ImageCommand &c) { view.ShowImage(c); }

    void operator()(const AllDoneCommand &c) {
        families.registry.WriteUninstallEntry();
        const int language = App().languageIndex;
        MessageRequest request;
        request.mode = 2;
        request.width = 320;
        App().outcome.completed = true;
        if (c.restart) {
            // Needed until the view has it made.
            App().outcome.restartNeeded = true;
            request.yesNo = true;
            request.number = kTextFinishedRestart + language;
            request.height = 200;
            if (view.ShowMessage(request) == 1)
                view.RequestRestart();
        } else {
            request.number = kTextFinished + language;
            request.height = 100;
            view.ShowMessage(request);
        }
        view.EndRun(0);
    }

    void operator()(const UnknownLine &c) {
        view.Alert(c.line, "Script SETUP.INF is not valid");
        view.EndRun(0);
    }

    void operator()(const BadLine &c) {
        view.Alert(c.text, c.caption);
        view.EndRun(0);
    }
};

} // namespace

void RunCommands(std::vector<std::string> &commands, CommandFamilies &families, InstallView &view) {
    Dispatch dispatch{families, view};
    std::size_t next = 0;
    RunLog &log = Log();
    while (next < commands.size() && !view.RunEnded()) {
        const std::string &line = commands[next++];
        std::visit(dispatch, ParseCommand(line));
        if (log.IsOpen())
            log.Line("Command " + line + (view.RunEnded() ? " -> the run ends" : " -> done"));
    }
    commands.erase(commands.begin(), commands.begin() + static_cast<std::ptrdiff_t>(next));
    if (!view.RunEnded()) {
        App().outcome.completed = true;
        view.EndRun(0);
    }
}

std::vector<std::string> TitlesToClose(const InstallSettings &settings,
                                       const std::string &productName) {
    std::vector<std::string> titles;
    for (const WindowToClose &pair : settings.windowsToClose) {
        // A product's own windows carry its name: "*PRODUCT" stands for it.
        std::string title = pair.titleHead + " " + pair.titleTail;
        ReplaceProductToken(title, productName);
        title = BarsToBlanks(std::move(title));
        if (title != "Setup Morvel" && title != "Setup")
            titles.push_back(std::move(title)); // never ourselves
    }
    return titles;
}
