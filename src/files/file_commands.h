#pragma once

#include "core/script_commands.h"

#include <memory>

struct RunState;
class InstallView;
class CopyEngine;

// The file and directory commands of a run. The family keeps its own state:
// whether the progress lines are shown (between PROGRESS START and END).
class FileCommands {
public:
    virtual ~FileCommands() = default;
    virtual void Run(const CopyCommand &command) = 0;
    virtual void Run(const CopyDirCommand &command) = 0;
    virtual void Run(const MakeDirCommand &command) = 0;
    virtual void Run(const RemoveDirCommand &command) = 0;
    virtual void Run(const ProgressCommand &command) = 0;
};

// The real ones, on the run's directories, through the copy engine. A
// malformed file argument ends the run through the view.
// `engine` is the run's one copy engine: every copy moves the same byte count.
std::unique_ptr<FileCommands> MakeFileCommands(const RunState &run, InstallView &view,
                                               CopyEngine &engine);
