#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;

// The script talking to the user during the run: MESSAGE and TEST.
class DisplayCommands {
public:
    virtual ~DisplayCommands() = default;
    virtual void Run(const MessageCommand &command) = 0;
    virtual void Run(const TestCommand &command) = 0;
};

std::unique_ptr<DisplayCommands> MakeDisplayCommands(const RunState &run, InstallView &view);
