#include "script/display_commands.h"

namespace {

// Not yet carried out by this build: the lines are passed over.
class WinDisplayCommands : public DisplayCommands {
public:
    void Run(const MessageCommand &) override {}
    void Run(const TestCommand &) override {}
};

} // namespace

std::unique_ptr<DisplayCommands> MakeDisplayCommands(const RunState &, InstallView &) {
    return std::make_unique<WinDisplayCommands>();
}
