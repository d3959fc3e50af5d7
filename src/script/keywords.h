#pragma once

#include <string>
#include <string_view>

// Every keyword a script line can begin with, in the order they are tested.
// The option and layout lines come first: the pre-pass consumes them. The
// commands follow in the interpreter's order; the pre-pass asks the same
// table whether a kept line is a COPY or COPYDIR to size.
enum class Keyword {
    None,
    // Consumed by the pre-pass.
    WaitWrite,
    CopyMode,
    Kill,
    Compatibility,
    NoDelete,
    DeleteFile,
    InstallFont,
    UseFont,
    BackgroundColour,
    ProgressColour,
    // Run by the interpreter.
    Install,
    Image,
    RemoveDir,
    MakeDir,
    AddStartGroup,
    CopyDir,
    Copy,
    SpecialAddPath,
    SpecialAddStartup,
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
};

enum class KeywordCase {
    Exact, // the interpreter: upper case only
    Any,   // the pre-pass
};

// The option or layout keyword a line begins with (any case), or None.
Keyword OptionKeyword(std::string_view line);

// The command a kept line begins with, or None. Keywords are prefixes of the
// line; "PC_" in front means the same where the command has such a twin;
// sub-keywords (ADDSTART GROUP, SPECIAL ADDPATH, ...) stand at fixed
// positions after the first word and one blank. COPYDIR is tested before COPY.
Keyword CommandKeyword(std::string_view line, KeywordCase letterCase = KeywordCase::Exact);

// The line without a "PC_" prefix, as the commands' own words are read.
std::string_view WithoutTwinPrefix(std::string_view line);

// How a keyword is written in the interpreter's spelling ("ADDSTART LINK",
// "PROGRESS START"); "" for None. For hints in the CD checker.
std::string KeywordSpelling(Keyword keyword);
