#include "script/command_parse.h"

#include "core/ascii.h"
#include "core/script_text.h"
#include "script/keywords.h"

#include <string>

namespace {

// Characters 9 to 14 of "ALLDONE REBOOT".
constexpr std::size_t kRestartAt = 8;
// "MKDIR " and "RMDIR ".
constexpr std::size_t kDirectoryArgumentAt = 6;
// "ADDSTART GROUP ".
constexpr std::size_t kGroupNameAt = 15;
// "BROWSEURL ".
constexpr std::size_t kAddressNameAt = 10;

std::string From(std::string_view line, std::size_t at) {
    return line.size() > at ? std::string(line.substr(at)) : std::string();
}

// Skips `count` words.
WordReader After(std::string_view line, int count) {
    WordReader words(line);
    for (int i = 0; i < count; ++i)
        words.Word();
    return words;
}

// "FILE|ARGS": the file before the last "|", the arguments after it.
void SplitArguments(const std::string &word, std::string &file, std::string &arguments) {
    const std::size_t bar = word.rfind('|');
    if (bar == std::string::npos) {
        file = word;
        arguments.clear();
    } else {
        file = word.substr(0, bar);
        arguments = word.substr(bar + 1);
    }
}

BadLine CopyNotValid() {
    return BadLine{"COPY not valid", "Setup"};
}

ScriptCommand ParseCopy(std::string_view line) {
    WordReader words = After(line, 1);
    CopyCommand copy;
    copy.file = words.Word();
    copy.target = words.Word();
    copy.marker = copy.file == "NOMENCLATUREFILE";
    if (!copy.marker && (copy.file.empty() || copy.target.empty()))
        return CopyNotValid();
    return copy;
}

ScriptCommand ParseCopyDir(std::string_view line) {
    WordReader words = After(line, 1);
    CopyDirCommand copy;
    copy.from = words.Word();
    copy.to = words.Word();
    if (copy.from.empty() || copy.to.empty())
        return CopyNotValid();
    return copy;
}

AddStartLinkCommand ParseAddStartLink(std::string_view line) {
    WordReader words = After(line, 2);
    AddStartLinkCommand link;
    link.addVersion = EqualsNoCase(words.Word(), "ADDVERSION");
    link.addLanguageAndDrive = EqualsNoCase(words.Word(), "ADDLNG_AND_DRIVE");
    SplitArguments(words.Word(), link.file, link.arguments);
    link.dir = words.Word();
    link.group = words.Word();
    link.name = words.Word();
    link.iconFile = words.Word();
    link.iconDir = words.Word();
    return link;
}

AddLinkCommand ParseAddLink(std::string_view line) {
    WordReader words = After(line, 1);
    AddLinkCommand link;
    link.file = words.Word();
    link.dir = words.Word();
    link.name = words.Word();
    link.linkDir = words.Word();
    link.iconFile = words.Word();
    link.iconDir = words.Word();
    return link;
}

AddStartupCommand ParseAddStartup(std::string_view line, int skipped) {
    WordReader words = After(line, skipped);
    AddStartupCommand link;
    link.file = words.Word();
    link.dir = words.Word();
    link.iconFile = words.Word();
    link.iconDir = words.Word();
    return link;
}

DeleteCommand ParseDelete(std::string_view line) {
    WordReader words = After(line, 1);
    const std::string kind = words.Word();
    DeleteCommand command;
    // Only *PROGLINK* is known in any case; the other kinds as written.
    if (EqualsNoCase(kind, "*PROGLINK*") || kind == "*PROGFILE*") {
        command.kind = kind == "*PROGFILE*" ? ShortcutDeleteKind::ProgramFiles
                                            : ShortcutDeleteKind::ProgramLinks;
        command.group = words.Word();
        command.file = words.Word();
    } else if (kind == "*STARTUPLINK*") {
        command.kind = ShortcutDeleteKind::StartupLinks;
        command.file = words.Word();
    }
    return command;
}

ExecuteCommand ParseExecute(std::string_view line) {
    WordReader words = After(line, 1);
    ExecuteCommand execute;
    SplitArguments(words.Word(), execute.program, execute.arguments);
    execute.dir = words.Word();
    execute.title = words.Rest();
    return execute;
}

// "INSTALL " before the component word; "INSTALL WEBSTER32 " before a
// directory.
constexpr std::size_t kComponentAt = 8;
constexpr std::size_t kWebsterDirectoryAt = 18;

bool ComponentIs(std::string_view plain, std::string_view word) {
    return plain.size() >= kComponentAt + word.size() &&
           plain.substr(kComponentAt, word.size()) == word;
}

InstallCommand ParseInstall(std::string_view plain) {
    InstallCommand install;
    if (ComponentIs(plain, "WEBVIEWER")) {
        install.kind = ComponentKind::WebViewer;
    } else if (ComponentIs(plain, "WEBSTER32")) {
        install.kind = ComponentKind::Webster;
        WordReader words = After(plain, 2);
        // Exactly two words: the install directory. Otherwise the text after
        // the two keywords names the directory.
        if (!words.Word().empty())
            install.directory = From(plain, kWebsterDirectoryAt);
    } else if (ComponentIs(plain, "ELAN TTS")) {
        install.kind = ComponentKind::SpeechEngine;
    } else {
        WordReader words = After(plain, 1);
        install.file = words.Word();
        install.fileDir = words.Word();
        install.version = words.Word();
        install.installer = words.Word();
        install.installerDir = words.Word();
        install.title = words.Rest();
    }
    return install;
}

DirectXInstallCommand ParseDirectXInstall(std::string_view line) {
    WordReader words = After(line, 1);
    DirectXInstallCommand directx;
    SplitArguments(words.Word(), directx.program, directx.arguments);
    directx.dir = words.Word();
    directx.insertion = words.Word();
    return directx;
}

ImageCommand ParseImage(std::string_view line) {
    WordReader words = After(line, 1);
    ImageCommand image;
    image.file = words.Word();
    words.Number(image.seconds);
    return image;
}

MessageCommand ParseMessage(std::string_view line) {
    WordReader words = After(line, 1);
    MessageCommand message;
    words.Number(message.number);
    return message;
}

TestCommand ParseTest(std::string_view line) {
    WordReader words = After(line, 1);
    TestCommand test;
    test.test = words.Word();
    while (test.count < static_cast<int>(test.values.size()) &&
           words.Number(test.values[static_cast<std::size_t>(test.count)])) {
        ++test.count;
    }
    return test;
}

} // namespace

ScriptCommand ParseCommand(std::string_view line) {
    using K = Keyword;
    const std::string_view plain = WithoutTwinPrefix(line);
    switch (CommandKeyword(line)) {
    case K::Install:
        return ParseInstall(plain);
    case K::Image:
        return ParseImage(line);
    case K::RemoveDir:
        return RemoveDirCommand{From(plain, kDirectoryArgumentAt)};
    case K::MakeDir:
        return MakeDirCommand{From(plain, kDirectoryArgumentAt)};
    case K::AddStartGroup:
        return AddStartGroupCommand{From(line, kGroupNameAt)};
    case K::CopyDir:
        return ParseCopyDir(line);
    case K::Copy:
        return ParseCopy(line);
    case K::SpecialAddPath:
        return SpecialAddPathCommand{After(line, 2).Word()};
    case K::SpecialAddStartup:
        return ParseAddStartup(line, 2);
    case K::AddStartup:
        return ParseAddStartup(line, 1);
    case K::AddStartFile: {
        WordReader words = After(line, 2);
        AddStartFileCommand file;
        file.source = words.Word();
        file.destination = words.Rest();
        return file;
    }
    case K::AddStartLink:
        return ParseAddStartLink(line);
    case K::AddLink:
        return ParseAddLink(line);
    case K::Message:
        return ParseMessage(line);
    case K::Test:
        return ParseTest(line);
    case K::DirectXInstall:
        return ParseDirectXInstall(line);
    case K::Execute:
        return ParseExecute(line);
    case K::Delete:
        return ParseDelete(line);
    case K::BrowseUrl:
        return BrowseUrlCommand{From(line, kAddressNameAt)};
    case K::AllDone:
        return AllDoneCommand{line.size() > 10 && line.substr(kRestartAt, 6) == "REBOOT"};
    case K::ProgressStart:
        return ProgressCommand{true};
    case K::ProgressEnd:
        return ProgressCommand{false};
    default:
        return UnknownLine{std::string(line)};
    }
}
