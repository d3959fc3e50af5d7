#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;
class CopyEngine;

// Program groups and shortcuts: ADDSTART GROUP, FILE and LINK, PC_ADDLINK,
// SPECIAL ADDSTARTUP and the shortcut kinds of DELETE. None of them stops
// the run. The family keeps the folder windows it opened.
class ShellCommands {
public:
    virtual ~ShellCommands() = default;
    virtual void Run(const AddStartGroupCommand &command) = 0;
    virtual void Run(const AddStartFileCommand &command) = 0;
    virtual void Run(const AddStartLinkCommand &command) = 0;
    virtual void Run(const AddLinkCommand &command) = 0;
    virtual void Run(const AddStartupCommand &command) = 0;
    virtual void Run(const DeleteCommand &command) = 0;
};

// `engine` is the run's one copy engine: every copy moves the same byte count.
std::unique_ptr<ShellCommands> MakeShellCommands(const RunState &run, InstallView &view,
                                                 CopyEngine &engine);
