#include "system/program_commands.h"

#include "core/install_view.h"
#include "core/run_state.h"
#include "messages/catalog.h"
#include "system/browse_url_win.h"
#include "system/run_program_win.h"

namespace {

class WinProgramCommands : public ProgramCommands {
public:
    WinProgramCommands(const RunState &run, InstallView &view) : run_(run), view_(view) {}

    void Run(const ExecuteCommand &command) override {
        const auto launch = PrepareLaunch(command.program, command.arguments, command.dir,
                                          command.title, run_.dirs, view_);
        // A program that cannot start is passed over: the script goes on.
        if (launch)
            RunProgramAndWait(*launch, run_, view_);
    }

    void Run(const BrowseUrlCommand &command) override {
        AskAndBrowse(static_cast<HWND>(view_.OwnerWindow()), ScriptText("BrowseParentCorner"),
                     ScriptText(command.addressName.c_str()));
    }

private:
    const RunState &run_;
    InstallView &view_;
};

} // namespace

std::unique_ptr<ProgramCommands> MakeProgramCommands(const RunState &run, InstallView &view) {
    return std::make_unique<WinProgramCommands>(run, view);
}
