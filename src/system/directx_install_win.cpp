#include "core/app_state.h"
#include "core/install_view.h"
#include "core/run_state.h"
#include "messages/catalog.h"
#include "system/component_steps_win.h"
#include "system/directx_question.h"
#include "system/directx_win.h"
#include "system/run_program_win.h"

void InstallDirectX(const DirectXInstallCommand &command, const RunState &run, InstallView &view) {
    DirectXQuestion question;
    question.title = SetupText("DIRECTX_TITLE");
    question.text = DirectXQuestionText(SetupText("DIRECTX_TEXT"), command.insertion);
    question.yes = SetupText("BTN_YES");
    question.no = SetupText("BTN_NO");
    const CommandLine &options = App().options;
    if (options.quiet) {
        Log().Line(std::string("DirectX question answered ") +
                   (options.directX ? "Yes (/DIRECTX)" : "No (/S without /DIRECTX)"));
        if (!options.directX)
            return;
    } else if (AskDirectXQuestion(static_cast<HWND>(view.OwnerWindow()), question) != IDOK) {
        Log().Line("DirectX question answered No");
        return;
    }
    const auto launch = PrepareLaunch(command.program, command.arguments, command.dir,
                                      std::string(), run.dirs, view);
    if (launch)
        RunProgramAndWait(*launch, run, view);
}
