#pragma once

#include "files/file_commands.h"
#include "script/display_commands.h"
#include "script/interpreter.h"
#include "system/component_commands.h"
#include "system/program_commands.h"
#include "system/registry_commands.h"
#include "system/shell_commands.h"

#include <string>
#include <vector>

// Command families that only write down what they were asked to do, in one
// log shared by all of them: "family:command".
struct CommandLog {
    std::vector<std::string> entries;
    void Add(const char *entry) { entries.emplace_back(entry); }
};

class LoggedFileCommands : public FileCommands {
public:
    explicit LoggedFileCommands(CommandLog &log) : log_(log) {}
    std::vector<CopyCommand> copies;
    void Run(const CopyCommand &c) override {
        copies.push_back(c);
        log_.Add("files:COPY");
    }
    void Run(const CopyDirCommand &) override { log_.Add("files:COPYDIR"); }
    void Run(const MakeDirCommand &) override { log_.Add("files:MKDIR"); }
    void Run(const RemoveDirCommand &) override { log_.Add("files:RMDIR"); }
    void Run(const ProgressCommand &c) override {
        log_.Add(c.start ? "files:PROGRESS START" : "files:PROGRESS END");
    }

private:
    CommandLog &log_;
};

class LoggedShellCommands : public ShellCommands {
public:
    explicit LoggedShellCommands(CommandLog &log) : log_(log) {}
    void Run(const AddStartGroupCommand &) override { log_.Add("shell:ADDSTART GROUP"); }
    void Run(const AddStartFileCommand &) override { log_.Add("shell:ADDSTART FILE"); }
    void Run(const AddStartLinkCommand &) override { log_.Add("shell:ADDSTART LINK"); }
    void Run(const AddLinkCommand &) override { log_.Add("shell:PC_ADDLINK"); }
    void Run(const AddStartupCommand &) override { log_.Add("shell:ADDSTARTUP"); }
    void Run(const DeleteCommand &) override { log_.Add("shell:DELETE"); }

private:
    CommandLog &log_;
};

class LoggedRegistryCommands : public RegistryCommands {
public:
    explicit LoggedRegistryCommands(CommandLog &log) : log_(log) {}
    void Run(const SpecialAddPathCommand &) override { log_.Add("registry:ADDPATH"); }
    void WriteUninstallEntry() override { log_.Add("registry:uninstall entry"); }

private:
    CommandLog &log_;
};

class LoggedProgramCommands : public ProgramCommands {
public:
    explicit LoggedProgramCommands(CommandLog &log) : log_(log) {}
    void Run(const ExecuteCommand &) override { log_.Add("programs:EXECUTE"); }
    void Run(const BrowseUrlCommand &) override { log_.Add("programs:BROWSEURL"); }

private:
    CommandLog &log_;
};

class LoggedComponentCommands : public ComponentCommands {
public:
    explicit LoggedComponentCommands(CommandLog &log) : log_(log) {}
    void Run(const InstallCommand &) override { log_.Add("components:INSTALL"); }
    void Run(const DirectXInstallCommand &) override { log_.Add("components:DIRECTX_INSTALL"); }

private:
    CommandLog &log_;
};

class LoggedDisplayCommands : public DisplayCommands {
public:
    explicit LoggedDisplayCommands(CommandLog &log) : log_(log) {}
    void Run(const MessageCommand &) override { log_.Add("display:MESSAGE"); }
    void Run(const TestCommand &) override { log_.Add("display:TEST"); }

private:
    CommandLog &log_;
};

// Every family logged; `files` may be replaced by a real one.
struct LoggedFamilies {
    CommandLog log;
    LoggedFileCommands files{log};
    LoggedShellCommands shell{log};
    LoggedRegistryCommands registry{log};
    LoggedProgramCommands programs{log};
    LoggedComponentCommands components{log};
    LoggedDisplayCommands display{log};

    CommandFamilies With(FileCommands &fileFamily) {
        return CommandFamilies{fileFamily, shell, registry, programs, components, display};
    }
    CommandFamilies All() { return With(files); }
};
