#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;
class CopyEngine;

// Outside components: the INSTALL forms (web viewer, speech engine, a
// versioned file) and DIRECTX_INSTALL.
class ComponentCommands {
public:
    virtual ~ComponentCommands() = default;
    virtual void Run(const InstallCommand &command) = 0;
    virtual void Run(const DirectXInstallCommand &command) = 0;
};

// `engine` is the run's one copy engine: every copy moves the same byte count.
std::unique_ptr<ComponentCommands> MakeComponentCommands(const RunState &run, InstallView &view,
                                                         CopyEngine &engine);
