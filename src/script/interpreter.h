#pragma once

#include <string>
#include <vector>

struct InstallSettings;
class InstallView;
class FileCommands;
class ShellCommands;
class RegistryCommands;
class ProgramCommands;
class ComponentCommands;
class DisplayCommands;

// The families that carry out the commands of a run.
struct CommandFamilies {
    FileCommands &files;
    ShellCommands &shell;
    RegistryCommands &registry;
    ProgramCommands &programs;
    ComponentCommands &components;
    DisplayCommands &display;
};

// Executes the command list from the first line on, handing each command to
// its family. The executed lines leave the list; a stop (ALLDONE, a line
// that is no command, a family ending the run) leaves the rest unrun. The
// run always ends through the view: after ALLDONE, at a bad line, or with
// result 0 at the end of the list.
void RunCommands(std::vector<std::string> &commands, CommandFamilies &families, InstallView &view);

// The titles of the windows the KILL lines name, in script order: the line's
// rest, one blank and its first word, "*PRODUCT" standing for the product
// and "|" for a blank. Setup's own titles are left out.
std::vector<std::string> TitlesToClose(const InstallSettings &settings,
                                       const std::string &productName);
