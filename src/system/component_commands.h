#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;

// Outside components: the INSTALL forms (web viewer, speech engine, a
// versioned file) and DIRECTX_INSTALL.
class ComponentCommands {
public:
    virtual ~ComponentCommands() = default;
    virtual void Run(const InstallCommand &command) = 0;
    virtual void Run(const DirectXInstallCommand &command) = 0;
};

std::unique_ptr<ComponentCommands> MakeComponentCommands(const RunState &run, InstallView &view);
