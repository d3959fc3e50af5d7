#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;

// The registry and AUTOEXEC.BAT: SPECIAL ADDPATH, and the uninstall entry
// written when the script reaches ALLDONE.
class RegistryCommands {
public:
    virtual ~RegistryCommands() = default;
    virtual void Run(const SpecialAddPathCommand &command) = 0;
    virtual void WriteUninstallEntry() = 0;
};

std::unique_ptr<RegistryCommands> MakeRegistryCommands(const RunState &run, InstallView &view);
