#include "core/install_view.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/path_macros.h"
#include "system/component_steps_win.h"
#include "system/control_install.h"
#include "system/held_files_win.h"
#include "system/run_program_win.h"

void InstallWebControl(const InstallCommand &command, const RunState &run, InstallView &view,
                       CopyEngine &engine) {
    std::string targetDir;
    if (command.kind == ComponentKind::Webster && !command.directory.empty()) {
        const auto dir = PrepareFileName(command.directory, run.dirs, view);
        if (!dir)
            return;
        targetDir = *dir;
    }
    const ControlInstall plan =
        PlanControlInstall(command.kind, run.dirs.source, run.dirs.install, targetDir);
    // A file missing on the CD is passed over; the registration still runs.
    // The registration program loads the control, which loads the others.
    HeldFiles held(run);
    for (const std::string &file : plan.files) {
        engine.CopieFichier(plan.sourceFolder + file, plan.targetFolder + file, false);
        const std::string installed = plan.targetFolder + file;
        if (GetFileAttributesA(installed.c_str()) != INVALID_FILE_ATTRIBUTES &&
            !held.Hold(installed))
            return;
    }
    WaitOptions options;
    options.hideWindow = false;
    StartAndWait(plan.registration, ".", view, options);
}
