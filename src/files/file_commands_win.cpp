#include "files/file_commands.h"

#include "core/install_view.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "files/path_macros.h"

namespace {

class WinFileCommands : public FileCommands {
public:
    WinFileCommands(const RunState &run, InstallView &view, CopyEngine &engine)
        : run_(run), view_(view), engine_(engine) {}

    void Run(const CopyCommand &command) override {
        const Directories &dirs = run_.dirs;
        if (command.marker) {
            // The marker lies in the CD's root, which need not be the source
            // directory; the drive scan looks for it in the install directory.
            engine_.CopieFichier(dirs.current + run_.markerName, dirs.install + run_.markerName,
                                 false);
            return;
        }
        const auto source = PrepareFileName(command.file + " *SOURCEDIR", dirs, view_);
        if (!source)
            return;
        const auto destination = PrepareFileName(command.file + " " + command.target, dirs, view_);
        if (!destination)
            return;
        engine_.CopieFichier(*source, *destination, progressShown_);
    }

    void Run(const CopyDirCommand &command) override {
        const auto source = PrepareFileName(command.from + " *SOURCEDIR", run_.dirs, view_);
        if (!source)
            return;
        const auto target = PrepareFileName(CopyDirTargetArgument(command.to), run_.dirs, view_);
        if (!target)
            return;
        CopyDirectory(*source, *target, !EndsWithAllFiles(*source), progressShown_, engine_);
    }

    void Run(const MakeDirCommand &command) override {
        auto path = PrepareFileName(command.argument, run_.dirs, view_);
        if (!path)
            return;
        if (!path->empty() && path->back() == '\\')
            path->pop_back();
        CreateDirectoryPath(*path);
    }

    void Run(const RemoveDirCommand &command) override {
        const auto dir = PrepareFileName(command.argument, run_.dirs, view_);
        if (dir)
            RemoveTree(*dir);
    }

    void Run(const ProgressCommand &command) override {
        if (command.start)
            engine_.Progress().bytesDone = 0;
        progressShown_ = command.start;
        view_.ShowProgressControls(command.start);
    }

private:
    const RunState &run_;
    InstallView &view_;
    CopyEngine &engine_;
    bool progressShown_ = false;
};

} // namespace

std::unique_ptr<FileCommands> MakeFileCommands(const RunState &run, InstallView &view,
                                               CopyEngine &engine) {
    return std::make_unique<WinFileCommands>(run, view, engine);
}
