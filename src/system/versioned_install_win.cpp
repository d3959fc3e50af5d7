#include "core/run_state.h"
#include "files/path_macros.h"
#include "system/component_steps_win.h"
#include "system/file_version_win.h"
#include "system/run_program_win.h"

void InstallIfOlder(const InstallCommand &command, const RunState &run, InstallView &view) {
    const auto path = PrepareFileName(command.file + " " + command.fileDir, run.dirs, view);
    if (!path)
        return;
    const auto installed = InstalledFileVersion(*path);
    // No file, or no version in it: the component is needed.
    if (installed && !VersionIsOlder(*installed, ParseVersion(command.version)))
        return;
    const auto launch = PrepareLaunch(command.installer, std::string(), command.installerDir,
                                      command.title, run.dirs, view);
    if (launch)
        RunProgramAndWait(*launch, run, view);
}
