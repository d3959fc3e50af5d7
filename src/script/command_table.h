#pragma once

#include <string_view>

// The commands the interpreter runs, in the order their keywords are tested.
enum class ScriptCommand {
    Install,
    Image,
    RemoveDir,
    MakeDir,
    AddStartGroup,
    CopyDir,
    Copy,
    SpecialAddPath,
    AddStartup,
    AddStartFile,
    AddStartLink,
    AddLink,
    Message,
    Test,
    DirectXInstall,
    Execute,
    Delete,
    BrowseUrl,
    AllDone,
    ProgressStart,
    ProgressEnd,
    Unknown,
};

// The command a kept script line starts with. Keywords are matched exactly,
// upper case only, on the line's leading characters; "PC_" in front means
// the same where the command has such a twin. COPYDIR is tested before COPY.
ScriptCommand ClassifyCommand(std::string_view line);

// ALLDONE asks to restart the computer when characters 9 to 14 read
// "REBOOT" (so "PC_ALLDONE REBOOT" does not).
bool AsksForRestart(std::string_view line);

// The line as the plain command's handler reads it: a "PC_" twin loses its
// prefix, so that handlers taking the text after the keyword find it.
std::string_view WithoutTwinPrefix(std::string_view line);
