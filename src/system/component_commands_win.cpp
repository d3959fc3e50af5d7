#include "system/component_commands.h"

#include "core/run_state.h"
#include "files/copy_engine.h"
#include "system/component_steps_win.h"

namespace {

class WinComponentCommands : public ComponentCommands {
public:
    WinComponentCommands(const RunState &run, InstallView &view)
        : run_(run), view_(view), engine_(run.settings, view) {}

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
    // The components' own copies; the speech engine's files count in the
    // progress display.
    CopyEngine engine_;
};

} // namespace

std::unique_ptr<ComponentCommands> MakeComponentCommands(const RunState &run, InstallView &view) {
    return std::make_unique<WinComponentCommands>(run, view);
}
