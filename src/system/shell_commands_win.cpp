#include "system/shell_commands.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "core/install_record.h"
#include "core/install_view.h"
#include "core/limits.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "files/file_status_win.h"
#include "files/path_macros.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "system/folder_windows_win.h"
#include "system/shell_link_win.h"
#include "system/shortcut_names.h"
#include "system/special_folders_win.h"

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::string BlanksToBars(std::string text) {
    for (char &c : text) {
        if (c == ' ')
            c = '|';
    }
    return text;
}

// A shortcut goes to the record with its target, so that the uninstaller
// removes it only while it still points where setup made it point.
void CreateRecordedLink(InstallView &view, const std::string &target, const std::string &arguments,
                        const std::string &linkPath, const std::string &description,
                        const std::string &iconPath) {
    if (FAILED(CreateShellLink(view, target, arguments, linkPath, description, iconPath)))
        return;
    RecordEntry link;
    link.kind = RecordKind::Link;
    link.path = linkPath;
    link.second = target;
    RecordInstalled(link);
}

char DriveOf(const std::string &path) {
    return path.empty() ? '\0' : path[0];
}

class WinShellCommands : public ShellCommands {
public:
    WinShellCommands(const RunState &run, InstallView &view, CopyEngine &engine)
        : run_(run), view_(view), engine_(engine), folders_(view) {}

    void Run(const AddStartGroupCommand &command) override {
        const auto programs = SpecialFolderPath(CSIDL_PROGRAMS, view_);
        if (!programs)
            return;
        std::string path = *programs + "\\" + GroupNameWithProduct(command.name, run_.productName);
        if (!path.empty() && path.back() == '\\')
            path.pop_back();
        CreateDirectoryPath(BarsToBlanks(path));
        RecordEntry group;
        group.kind = RecordKind::Group;
        group.path = BarsToBlanks(path);
        RecordInstalled(group);
    }

    void Run(const AddStartFileCommand &command) override {
        const auto programs = SpecialFolderPath(CSIDL_PROGRAMS, view_);
        if (!programs)
            return;
        const std::string destination = BarsToBlanks(*programs + "\\" + command.destination);
        if (Exists(destination) && !SourceIsNewer(command.source, destination))
            return;
        engine_.CopieFichier(command.source, destination, false);
    }

    void Run(const AddStartLinkCommand &command) override {
        std::string group = command.group;
        std::string name = command.name;
        ReplaceProductToken(group, run_.productName);
        ReplaceProductToken(name, run_.productName);
        const auto target = PrepareFileName(command.file + " " + command.dir, run_.dirs, view_);
        if (!target)
            return;
        std::string icon;
        if (!Icon(command.iconFile, command.iconDir, icon))
            return;
        const auto programs = SpecialFolderPath(CSIDL_PROGRAMS, view_);
        if (!programs)
            return;
        LinkNameParts parts;
        parts.groupFolder = *programs + "\\" + group;
        parts.name = name;
        parts.addVersion = command.addVersion;
        parts.addLanguageAndDrive = command.addLanguageAndDrive;
        parts.productVersion = run_.productVersion;
        parts.languageText = GroupText(kTextLanguageOnDrive);
        parts.drive = DriveOf(*target);
        const LinkName link = ProgramLinkName(parts);
        CreateRecordedLink(view_, *target, command.arguments, link.path, link.description, icon);
    }

    void Run(const AddLinkCommand &command) override {
        std::string name = EqualsNoCase(command.name, "*PRODUCT")
                               ? run_.productName.substr(0, kMaxShownProductName)
                               : command.name;
        name = BarsToBlanks(name);
        // A product name with blanks stays one word for the expansion, which
        // turns the bars back into blanks.
        const auto link =
            PrepareFileName(BlanksToBars(name) + " " + command.linkDir, run_.dirs, view_);
        if (!link)
            return;
        // The file word keeps its bars until it is expanded, so that a
        // "MY|GAME.EXE" stays one word and names "MY GAME.EXE".
        const auto target = PrepareFileName(command.file + " " + command.dir, run_.dirs, view_);
        if (!target)
            return;
        std::string icon;
        if (!Icon(command.iconFile, command.iconDir, icon))
            return;
        CreateRecordedLink(view_, *target, "", *link + ".lnk", name, icon);
    }

    void Run(const AddStartupCommand &command) override {
        const auto target = PrepareFileName(command.file + " " + command.dir, run_.dirs, view_);
        if (!target)
            return;
        std::string icon;
        if (!Icon(command.iconFile, command.iconDir, icon))
            return;
        const auto startup = SpecialFolderPath(CSIDL_STARTUP, view_);
        if (!startup)
            return;
        const std::string base = StartupBaseName(*target);
        const std::string link =
            StartupLinkPath(*startup, base, GroupText(kTextLanguageOnDrive), DriveOf(*target));
        CreateRecordedLink(view_, *target, "", link, base, icon);
    }

    void Run(const DeleteCommand &command) override {
        if (command.kind == ShortcutDeleteKind::None)
            return;
        const auto shellFolder = SpecialFolderPath(
            command.kind == ShortcutDeleteKind::StartupLinks ? CSIDL_STARTUP : CSIDL_PROGRAMS,
            view_);
        if (!shellFolder)
            return;
        switch (command.kind) {
        case ShortcutDeleteKind::ProgramLinks: {
            std::string group = command.group;
            ReplaceProductToken(group, run_.productName);
            const std::string folder = *shellFolder + "\\" + BarsToBlanks(group) + "\\";
            DeleteLinks(folder, run_.dirs.install + BarsToBlanks(command.file), false);
            break;
        }
        case ShortcutDeleteKind::StartupLinks:
            DeleteLinks(*shellFolder + "\\", run_.dirs.install + BarsToBlanks(command.file), true);
            break;
        case ShortcutDeleteKind::ProgramFiles:
            // The group's bars too: a folder name cannot hold one.
            DeleteGroupFiles(*shellFolder + "\\" + BarsToBlanks(command.group) + "\\",
                             BarsToBlanks(command.file));
            break;
        case ShortcutDeleteKind::None:
            break;
        }
    }

private:
    // No icon word: no icon. A malformed icon argument has ended the run.
    // The bars of the word become blanks once it is expanded.
    bool Icon(const std::string &file, const std::string &dir, std::string &icon) {
        icon.clear();
        if (file.empty())
            return true;
        const auto path = PrepareFileName(file + " " + dir, run_.dirs, view_);
        if (!path)
            return false;
        icon = *path;
        return true;
    }

    static bool SourceIsNewer(const std::string &source, const std::string &destination) {
        WIN32_FILE_ATTRIBUTE_DATA from, to;
        if (!QueryFileStatus(source, from) || !QueryFileStatus(destination, to))
            return false;
        return CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime) > 0;
    }

    static bool Exists(const std::string &path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // The names in a folder (which ends in "\") that match a pattern.
    static std::vector<std::string> Matching(const std::string &folder,
                                             const std::string &pattern) {
        std::vector<std::string> paths;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return paths;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                paths.push_back(folder + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return paths;
    }

    // Shortcuts of a folder whose target is the wanted file, whatever the case.
    void DeleteLinks(const std::string &folder, const std::string &wanted, bool showFolder) {
        std::vector<std::string> doomed;
        for (const std::string &link : Matching(folder, "*.LNK")) {
            std::string target;
            ResolveShellLink(static_cast<HWND>(view_.OwnerWindow()), link, target);
            if (!target.empty() && EqualsNoCase(target, wanted))
                doomed.push_back(link);
        }
        if (showFolder && !doomed.empty())
            folders_.Open(folder.substr(0, folder.size() - 1));
        for (const std::string &link : doomed)
            DeleteFileA(link.c_str());
        if (showFolder)
            folders_.CloseAll();
    }

    // The files of a group folder (which ends in "\\") that match a pattern.
    void DeleteGroupFiles(const std::string &folder, const std::string &pattern) {
        const std::vector<std::string> files = Matching(folder, pattern);
        if (!files.empty())
            folders_.Open(folder.substr(0, folder.size() - 1));
        for (const std::string &file : files)
            DeleteFileA(file.c_str());
        folders_.CloseAll();
    }

    const RunState &run_;
    InstallView &view_;
    CopyEngine &engine_;
    FolderWindows folders_;
};

} // namespace

std::unique_ptr<ShellCommands> MakeShellCommands(const RunState &run, InstallView &view,
                                                 CopyEngine &engine) {
    return std::make_unique<WinShellCommands>(run, view, engine);
}
