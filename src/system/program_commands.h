#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;

// Other programs and web pages: EXECUTE and BROWSEURL.
class ProgramCommands {
public:
    virtual ~ProgramCommands() = default;
    virtual void Run(const ExecuteCommand &command) = 0;
    virtual void Run(const BrowseUrlCommand &command) = 0;
};

std::unique_ptr<ProgramCommands> MakeProgramCommands(const RunState &run, InstallView &view);
