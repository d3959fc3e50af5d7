#pragma once

#include "core/script_commands.h"

#include <string>

struct RunState;
class InstallView;
class CopyEngine;

// The steps of the INSTALL forms and DIRECTX_INSTALL, each on the run's
// directories. Nothing of them stops the installation, unless a file
// argument is malformed.
void InstallWebControl(const InstallCommand &command, const RunState &run, InstallView &view,
                       CopyEngine &engine);
void InstallIfOlder(const InstallCommand &command, const RunState &run, InstallView &view);
void InstallDirectX(const DirectXInstallCommand &command, const RunState &run, InstallView &view);
void InstallSpeechEngine(const RunState &run, InstallView &view, CopyEngine &engine);
