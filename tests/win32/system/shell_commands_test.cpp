#include "system/shell_commands.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "script/command_parse.h"
#include "shortcut.h"
#include "system/shell_link_win.h"
#include "test_view.h"
#include "win_test_files.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

// A product installed into a temporary folder; the shell's own Programs and
// Startup folders receive the links, under names no other test uses.
class ShellCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    RunState run;
    RecordingView view;
    CopyEngine engine{run.settings, view};
    std::unique_ptr<ShellCommands> shell;
    std::string programs, startup;
    std::string group;

    void SetUp() override {
        CoInitialize(nullptr);
        App().languageIndex = 1; // English
        programs = ui::ShellFolder(CSIDL_PROGRAMS);
        startup = ui::ShellFolder(CSIDL_STARTUP);
        ASSERT_FALSE(programs.empty());
        ASSERT_FALSE(startup.empty());
        group = "Setup Tests " + std::to_string(GetTickCount());
        run.productName = "Demo Title";
        run.productVersion = 102;
        run.dirs.current = folder / "cd\\";
        run.dirs.source = folder / "cd\\";
        run.dirs.install = folder / "inst\\";
        run.dirs.desktop = folder / "desk\\";
        CreateDirectoryA(run.dirs.current.c_str(), nullptr);
        CreateDirectoryA(run.dirs.install.c_str(), nullptr);
        CreateDirectoryA(run.dirs.desktop.c_str(), nullptr);
        WriteBytes(run.dirs.install + "GAME.EXE", "MZ game");
        WriteBytes(run.dirs.install + "OTHER.EXE", "MZ other");
        WriteBytes(run.dirs.install + "GAME.ICO", "icon");
        shell = MakeShellCommands(run, view, engine);
    }
    void TearDown() override {
        shell.reset();
        RemoveGroup(programs + "\\" + group);
        CoUninitialize();
    }
    static void RemoveGroup(const std::string &dir) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveGroup(dir + "\\" + name);
                else
                    DeleteFileA((dir + "\\" + name).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(dir.c_str());
    }
    void Run(const std::string &line) {
        std::visit(
            [this](const auto &command) {
                if constexpr (requires { shell->Run(command); })
                    shell->Run(command);
                else
                    FAIL() << "not a shell command";
            },
            ParseCommand(line));
    }
    std::string Group() const { return programs + "\\" + group; }
    std::string Bars(std::string text) const {
        for (char &c : text)
            if (c == ' ')
                c = '|';
        return text;
    }
};

} // namespace

TEST_F(ShellCommandTest, GroupIsCreatedLevelByLevelWithTheProductName) {
    Run("ADDSTART GROUP " + Bars(group) + "\\Outer\\*PRODUCT more words");
    EXPECT_TRUE(Exists(Group() + "\\Outer\\Demo Title"));
    // The token in lower case is no token here.
    Run("ADDSTART GROUP " + Bars(group) + "\\x*product");
    EXPECT_FALSE(Exists(Group() + "\\xDemo Title"));
    // An existing group is accepted silently.
    Run("ADDSTART GROUP " + Bars(group));
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_EQ(view.endResult, -1);
}

TEST_F(ShellCommandTest, ProgramLinkCarriesEveryField) {
    Run("ADDSTART GROUP " + Bars(group));
    Run("ADDSTART LINK addversion addlng_and_drive GAME.EXE|-fast *DESTDIR " + Bars(group) +
        " Game GAME.ICO *DESTDIR");
    const char drive = run.dirs.install[0];
    const std::string file =
        Group() + "\\Game V.1.02 English on drive " + std::string(1, drive) + ".LNK";
    const ui::Shortcut link = ui::ReadShortcut(file);
    ASSERT_TRUE(link.loaded) << file;
    EXPECT_TRUE(EqualsNoCase(link.target, run.dirs.install + "GAME.EXE")) << link.target;
    EXPECT_EQ(link.arguments, "-fast");
    EXPECT_TRUE(EqualsNoCase(link.workingDirectory,
                             run.dirs.install.substr(0, run.dirs.install.size() - 1)))
        << link.workingDirectory;
    EXPECT_EQ(link.description, "Game V.1.02 English on drive " + std::string(1, drive));
    EXPECT_TRUE(EqualsNoCase(link.iconPath, run.dirs.install + "GAME.ICO")) << link.iconPath;
    EXPECT_EQ(link.iconIndex, 0);

    // Other option words give the bare name; no icon word, no icon.
    Run("ADDSTART LINK NO NO OTHER.EXE *DESTDIR " + Bars(group) + " Plain|Name");
    const ui::Shortcut plain = ui::ReadShortcut(Group() + "\\Plain Name.LNK");
    ASSERT_TRUE(plain.loaded);
    EXPECT_EQ(plain.arguments, "");
    EXPECT_EQ(plain.description, "Plain Name");
    EXPECT_EQ(plain.iconPath, "");
}

TEST_F(ShellCommandTest, DesktopAndStartupLinks) {
    Run("PC_ADDLINK GAME.EXE *DESTDIR *product *DESKTOP GAME.ICO *DESTDIR");
    const ui::Shortcut desk = ui::ReadShortcut(run.dirs.desktop + "Demo Title.lnk");
    ASSERT_TRUE(desk.loaded);
    EXPECT_TRUE(EqualsNoCase(desk.target, run.dirs.install + "GAME.EXE")) << desk.target;
    EXPECT_EQ(desk.description, "Demo Title");
    EXPECT_EQ(desk.arguments, "");

    WriteBytes(run.dirs.install + "NODOT", "MZ");
    Run("SPECIAL ADDSTARTUP NODOT *DESTDIR");
    const std::string name = "NODOT English on drive " + std::string(1, run.dirs.install[0]);
    const std::string file = startup + "\\" + name + ".LNK";
    const ui::Shortcut up = ui::ReadShortcut(file);
    DeleteFileA(file.c_str());
    ASSERT_TRUE(up.loaded) << file;
    EXPECT_EQ(up.description, "NODOT");
    EXPECT_TRUE(EqualsNoCase(up.target, run.dirs.install + "NODOT"));
}

TEST_F(ShellCommandTest, DeleteRemovesOnlyLinksToTheFile) {
    Run("ADDSTART GROUP " + Bars(group));
    Run("ADDSTART LINK NO NO GAME.EXE *DESTDIR " + Bars(group) + " Game");
    Run("ADDSTART LINK NO NO OTHER.EXE *DESTDIR " + Bars(group) + " Other");
    WriteBytes(Group() + "\\Broken.LNK", "not a shortcut");
    WriteBytes(Group() + "\\notes.txt", "notes");
    ASSERT_TRUE(Exists(Group() + "\\Game.LNK"));

    Run("DELETE *proglink* " + Bars(group) + " game.exe");
    EXPECT_FALSE(Exists(Group() + "\\Game.LNK"));
    EXPECT_TRUE(Exists(Group() + "\\Other.LNK"));
    EXPECT_TRUE(Exists(Group() + "\\Broken.LNK"));

    // An unknown kind changes nothing.
    Run("DELETE *OTHER* " + Bars(group) + " OTHER.EXE");
    EXPECT_TRUE(Exists(Group() + "\\Other.LNK"));

    // Files of a group by pattern; the folder window wait ends by itself.
    const DWORD started = GetTickCount();
    Run("DELETE *PROGFILE* " + Bars(group) + " *.txt");
    EXPECT_LT(GetTickCount() - started, 15000u);
    EXPECT_FALSE(Exists(Group() + "\\notes.txt"));
    EXPECT_TRUE(Exists(Group() + "\\Other.LNK"));
}

TEST_F(ShellCommandTest, StartupLinksToTheFileAreDeleted) {
    Run("SPECIAL ADDSTARTUP GAME.EXE *DESTDIR");
    const std::string file =
        startup + "\\GAME English on drive " + std::string(1, run.dirs.install[0]) + ".LNK";
    ASSERT_TRUE(Exists(file));
    const DWORD started = GetTickCount();
    Run("DELETE *STARTUPLINK* OTHER.EXE");
    EXPECT_TRUE(Exists(file));
    Run("DELETE *STARTUPLINK* Game.Exe");
    EXPECT_LT(GetTickCount() - started, 15000u);
    EXPECT_FALSE(Exists(file));
    DeleteFileA(file.c_str());
}

TEST_F(ShellCommandTest, StartFileKeepsANewerDestination) {
    Run("ADDSTART GROUP " + Bars(group));
    const std::string source = folder / "README.TXT";
    WriteBytes(source, "new text");
    SetTimes(source, Stamp(100), Stamp(100));
    const std::string destination = Group() + "\\Read me.txt";
    WriteBytes(destination, "old text");
    SetTimes(destination, Stamp(100), Stamp(100));

    Run("ADDSTART FILE " + source + " " + group + "\\Read|me.txt");
    EXPECT_EQ(ReadBytes(destination), "old text"); // equally old: kept
    SetTimes(source, Stamp(200), Stamp(200));
    Run("ADDSTART FILE " + source + " " + group + "\\Read|me.txt");
    EXPECT_EQ(ReadBytes(destination), "new text");
}

TEST_F(ShellCommandTest, ResolveGivesTheTargetOrNothing) {
    std::string target = "stale";
    ResolveShellLink(nullptr, folder / "missing.lnk", target);
    EXPECT_EQ(target, "");
    ASSERT_TRUE(SUCCEEDED(
        CreateShellLink(view, run.dirs.install + "GAME.EXE", "", folder / "g.lnk", "G", "")));
    ASSERT_TRUE(SUCCEEDED(ResolveShellLink(nullptr, folder / "g.lnk", target)));
    EXPECT_TRUE(EqualsNoCase(target, run.dirs.install + "GAME.EXE")) << target;
}

TEST_F(ShellCommandTest, FileAndIconNamesWithBlanksStayOneWord) {
    WriteBytes(run.dirs.install + "MY GAME.EXE", "MZ my game");
    WriteBytes(run.dirs.install + "MY ICON.ICO", "icon");
    const char drive = run.dirs.install[0];
    const std::string startupLink =
        startup + "\\MY GAME English on drive " + std::string(1, drive) + ".LNK";
    Run("ADDSTART GROUP " + Bars(group));
    const struct {
        std::string line;
        std::string link;
    } kLinks[] = {
        {"PC_ADDLINK MY|GAME.EXE *DESTDIR My|Game *DESKTOP MY|ICON.ICO *DESTDIR",
         run.dirs.desktop + "My Game.lnk"},
        {"ADDSTART LINK NO NO MY|GAME.EXE|-fast *DESTDIR " + Bars(group) +
             " Game MY|ICON.ICO *DESTDIR",
         Group() + "\\Game.LNK"},
        {"SPECIAL ADDSTARTUP MY|GAME.EXE *DESTDIR MY|ICON.ICO *DESTDIR", startupLink},
    };
    for (const auto &test : kLinks) {
        Run(test.line);
        const ui::Shortcut link = ui::ReadShortcut(test.link);
        ASSERT_TRUE(link.loaded) << test.line;
        EXPECT_TRUE(EqualsNoCase(link.target, run.dirs.install + "MY GAME.EXE")) << link.target;
        EXPECT_TRUE(EqualsNoCase(link.iconPath, run.dirs.install + "MY ICON.ICO")) << test.line;
    }
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_EQ(view.endResult, -1);

    // The file word of a deletion names the same file.
    Run("DELETE *PROGLINK* " + Bars(group) + " MY|GAME.EXE");
    EXPECT_FALSE(Exists(Group() + "\\Game.LNK"));
    Run("DELETE *STARTUPLINK* MY|GAME.EXE");
    EXPECT_FALSE(Exists(startupLink));
    DeleteFileA(startupLink.c_str());
}

TEST_F(ShellCommandTest, FolderTheShellCannotGiveSkipsTheCommand) {
    // A Programs folder on a drive that does not exist: the shell gives none.
    const char kFolders[] =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    char saved[MAX_PATH] = {};
    DWORD size = sizeof saved, type = REG_SZ;
    const bool had = RegQueryValueExA(key, "Programs", nullptr, &type,
                                      reinterpret_cast<BYTE *>(saved), &size) == ERROR_SUCCESS;
    const char nowhere[] = "Q:\\Nowhere\\Programs";
    RegSetValueExA(key, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE *>(nowhere),
                   sizeof nowhere);
    const std::string root = std::string(1, folder.Path()[0]) + ":\\" + group;

    Run("ADDSTART GROUP " + Bars(group));
    Run("ADDSTART LINK NO NO GAME.EXE *DESTDIR " + Bars(group) + " Game");
    const bool created = Exists(root) || Exists(root + "\\Game.LNK") || Exists("\\" + group);
    RemoveGroup(root);
    if (had)
        RegSetValueExA(key, "Programs", 0, type, reinterpret_cast<const BYTE *>(saved), size);
    else
        RegDeleteValueA(key, "Programs");
    RegCloseKey(key);

    EXPECT_FALSE(created);
    ASSERT_EQ(view.alerts.size(), 2u);
    EXPECT_EQ(view.alerts[0].caption, "Setup");
    EXPECT_EQ(view.endResult, -1); // skipped, the run goes on
}
