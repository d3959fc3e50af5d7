#include "system/component_commands.h"

namespace {

// Not yet carried out by this build: the lines are passed over.
class WinComponentCommands : public ComponentCommands {
public:
    void Run(const InstallCommand &) override {}
    void Run(const DirectXInstallCommand &) override {}
};

} // namespace

std::unique_ptr<ComponentCommands> MakeComponentCommands(const RunState &, InstallView &) {
    return std::make_unique<WinComponentCommands>();
}
