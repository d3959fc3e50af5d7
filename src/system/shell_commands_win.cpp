#include "system/shell_commands.h"

namespace {

// Not yet carried out by this build: the lines are passed over.
class WinShellCommands : public ShellCommands {
public:
    void Run(const AddStartGroupCommand &) override {}
    void Run(const AddStartFileCommand &) override {}
    void Run(const AddStartLinkCommand &) override {}
    void Run(const AddLinkCommand &) override {}
    void Run(const AddStartupCommand &) override {}
    void Run(const DeleteCommand &) override {}
};

} // namespace

std::unique_ptr<ShellCommands> MakeShellCommands(const RunState &, InstallView &) {
    return std::make_unique<WinShellCommands>();
}
