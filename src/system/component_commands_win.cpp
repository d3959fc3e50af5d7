#include "system/component_commands.h"

#include "core/run_state.h"
#include "files/copy_engine.h"
#include "system/component_steps_win.h"

namespace {

class WinComponentCommands : public ComponentCommands {
public:
    WinComponentCommands(const RunState &run, InstallView &view, CopyEngine &engine)
        : run_(run), view_(view), engine_(engine) {}

    void Run(const InstallCommand &command) override {
        switch (command.kind) {
        case ComponentKind::WebViewer:
        case ComponentKind::Webster:
            InstallWebControl(command, run_, view_, engine_);
            break;
        case ComponentKind::SpeechEngine:
            InstallSpeechEngine(run_, view_, engine_);
            break;
        case ComponentKind::Versioned:
            InstallIfOlder(command, run_, view_);
            break;
        }
    }

    void Run(const DirectXInstallCommand &command) override {
        InstallDirectX(command, run_, view_);
    }

private:
    const RunState &run_;
    InstallView &view_;
    // The speech engine's files count in the run's progress display.
    CopyEngine &engine_;
};

} // namespace

std::unique_ptr<ComponentCommands> MakeComponentCommands(const RunState &run, InstallView &view,
                                                         CopyEngine &engine) {
    return std::make_unique<WinComponentCommands>(run, view, engine);
}
