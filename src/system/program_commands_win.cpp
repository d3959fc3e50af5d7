#include "system/program_commands.h"

namespace {

// Not yet carried out by this build: the lines are passed over.
class WinProgramCommands : public ProgramCommands {
public:
    void Run(const ExecuteCommand &) override {}
    void Run(const BrowseUrlCommand &) override {}
};

} // namespace

std::unique_ptr<ProgramCommands> MakeProgramCommands(const RunState &, InstallView &) {
    return std::make_unique<WinProgramCommands>();
}
