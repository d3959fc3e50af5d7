#include "system/registry_commands.h"

namespace {

// Not yet carried out by this build: the lines are passed over.
class WinRegistryCommands : public RegistryCommands {
public:
    void Run(const SpecialAddPathCommand &) override {}
    void WriteUninstallEntry() override {}
};

} // namespace

std::unique_ptr<RegistryCommands> MakeRegistryCommands(const RunState &, InstallView &) {
    return std::make_unique<WinRegistryCommands>();
}
