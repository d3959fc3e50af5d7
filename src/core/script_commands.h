#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>

// What one kept script line means, decided once by the portable parse
// (script/command_parse.h) and acted on by the family that owns it. Words
// are cut to the script word limit; "|" is still in them unless a field
// says otherwise.

// --- Files and directories (files/) ---
struct CopyCommand {
    std::string file;    // source file, relative to the source directory
    std::string target;  // destination word: a path macro
    bool marker = false; // COPY NOMENCLATUREFILE: the CD marker into the install directory
};
struct CopyDirCommand {
    std::string from; // relative to the source directory; may end in "*.*"
    std::string to;   // destination word: "*DESTDIR", "*DESTDIR\SUB" or "SUB"
};
struct MakeDirCommand {
    std::string argument; // the file argument after the keyword
};
struct RemoveDirCommand {
    std::string argument;
};
struct ProgressCommand {
    bool start = false; // PROGRESS START, else PROGRESS END
};

// --- Shell: program groups and shortcuts (system/) ---
struct AddStartGroupCommand {
    std::string name; // the rest of the line after "ADDSTART GROUP "
};
struct AddStartFileCommand {
    std::string source;      // a path as written
    std::string destination; // the rest of the line after the source word
};
struct AddStartLinkCommand {
    bool addVersion = false;          // option word ADDVERSION
    bool addLanguageAndDrive = false; // option word ADDLNG_AND_DRIVE
    std::string file;                 // before the last "|" of the file word
    std::string arguments;            // after it
    std::string dir;
    std::string group;
    std::string name;
    std::string iconFile; // empty: no icon
    std::string iconDir;
};
struct AddLinkCommand { // PC_ADDLINK
    std::string file;
    std::string dir;
    std::string name;
    std::string linkDir;
    std::string iconFile;
    std::string iconDir;
};
struct AddStartupCommand { // SPECIAL ADDSTARTUP
    std::string file;
    std::string dir;
    std::string iconFile;
    std::string iconDir;
};
enum class ShortcutDeleteKind { None, ProgramLinks, ProgramFiles, StartupLinks };
struct DeleteCommand {
    ShortcutDeleteKind kind = ShortcutDeleteKind::None;
    std::string group; // *PROGLINK*, *PROGFILE*
    std::string file;  // file of the install directory, or the *PROGFILE* pattern
};

// --- Registry and AUTOEXEC.BAT (system/) ---
struct SpecialAddPathCommand {
    std::string directory; // the third word: a file argument
};

// --- Programs and web pages (system/) ---
struct ExecuteCommand {
    std::string program;   // before the last "|" of the second word
    std::string arguments; // after it
    std::string dir;       // directory word
    std::string title;     // rest of the line; a window to close first
};
struct BrowseUrlCommand {
    std::string addressName; // script catalog name of the address
};

// --- Outside components (system/) ---
enum class ComponentKind {
    WebViewer,    // INSTALL WEBVIEWER
    Webster,      // INSTALL WEBSTER32 [directory]
    SpeechEngine, // INSTALL ELAN TTS
    Versioned,    // any other INSTALL: a file whose version decides
};
struct InstallCommand {
    ComponentKind kind = ComponentKind::Versioned;
    // Webster: the file argument naming the target directory; empty for the
    // two-word line, which installs into the install directory.
    std::string directory;
    // Versioned: the file checked, its directory word, the wanted version
    // ("1.2.3.4"), the installer, its directory word and a window title.
    std::string file;
    std::string fileDir;
    std::string version;
    std::string installer;
    std::string installerDir;
    std::string title;
};
struct DirectXInstallCommand {
    std::string program;   // before the last "|" of the second word
    std::string arguments; // after it
    std::string dir;       // directory word
    std::string insertion; // replaces "&1" in the question
};

// --- The window and the user (script/ and the view) ---
struct ImageCommand {
    std::string file;         // relative to the current directory
    std::int32_t seconds = 0; // how long it stays before the next picture
};
struct MessageCommand {
    std::int32_t number = 0;
};
struct TestCommand {
    std::string test;                     // GRAPHCAPS (any case) is the one known
    std::array<std::int32_t, 6> values{}; // the numbers after it, in order
    int count = 0;                        // how many could be read
};

// --- The run itself (script/) ---
struct AllDoneCommand {
    bool restart = false; // ALLDONE REBOOT
};
// A line that is no command: the run stops with the line as the message.
struct UnknownLine {
    std::string line;
};
// A command with a malformed argument: the run stops with this message.
struct BadLine {
    std::string text;
    std::string caption;
};

using ScriptCommand =
    std::variant<CopyCommand, CopyDirCommand, MakeDirCommand, RemoveDirCommand, ProgressCommand,
                 AddStartGroupCommand, AddStartFileCommand, AddStartLinkCommand, AddLinkCommand,
                 AddStartupCommand, DeleteCommand, SpecialAddPathCommand, ExecuteCommand,
                 BrowseUrlCommand, InstallCommand, DirectXInstallCommand, ImageCommand,
                 MessageCommand, TestCommand, AllDoneCommand, UnknownLine, BadLine>;
