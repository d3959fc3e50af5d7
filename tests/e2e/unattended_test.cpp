// Installations started with switches: /S decides without a window, ends
// with the exit code deployment tools read and leaves its log.

#include "e2e_files.h"
#include "e2e_support.h"
#include "shortcut.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>

using namespace e2e;

namespace {

// Runs setup with the arguments and waits for its end; fails the test if
// any window of it shows meanwhile.
DWORD RunQuiet(const std::string &cdDir, const std::string &arguments,
               const std::string &exe = kSetupExe) {
    ui::Program setup(exe, cdDir, arguments);
    EXPECT_TRUE(setup.Running());
    const DWORD start = GetTickCount();
    DWORD code = STILL_ACTIVE;
    while ((code = setup.WaitExit(10)) == STILL_ACTIVE && GetTickCount() - start < 30000)
        EXPECT_TRUE(ui::WindowsOf(setup.Id()).empty()) << "a window during " << arguments;
    return code;
}

bool Holds(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(Unattended, QuietRunsEndWithTheirExitCodeAndLog) {
    const struct {
        const char *name;
        const char *arguments; // "<log>" stands for the log's path
        const char *script;
        DWORD exitCode;
        const char *installed; // a file the run leaves, or "" for nothing
        const char *logged;    // a line the log holds
        // Started from another folder, as a startup script over a share or
        // a deployment tool starts it: setup.exe lies on the CD.
        bool elsewhere = false;
    } kCases[] = {
        {"folder", "/S /LOG=<log> /D=C:\\Quiet Place",
         "MKDIR *DESTDIR\r\nCOPY SETUP.BMP *DESTDIR\r\nIMAGE SETUP.BMP 60\r\nALLDONE\r\n", 0,
         "C:\\Quiet Place\\SETUP.BMP", "Copied D:\\cases\\quiet-folder\\SETUP.BMP -> "},
        {"drive", "-s -log=<log> /d=c:", "MKDIR *DESTDIR\r\nCOPY SETUP.BMP *DESTDIR\r\nALLDONE\r\n",
         0, "C:\\e2e-quiet-drive\\SETUP.BMP", "Installing into C:\\e2e-quiet-drive\\ (/D=)"},
        {"restart", "/S /LOG=<log>", "MKDIR *DESTDIR\r\nALLDONE REBOOT\r\n", 3010,
         "C:\\e2e-quiet-restart", "Box (not shown) "},
        {"bad-line", "/S /LOG=<log>", "MKDIR *DESTDIR\r\nNO SUCH COMMAND\r\nALLDONE\r\n", 1603,
         "C:\\e2e-quiet-bad-line", "Script SETUP.INF is not valid"},
        {"bad-switch", "/VERYSILENT /X /LOG=<log>", "MKDIR *DESTDIR\r\nALLDONE\r\n", 1639, "",
         "Switch not known or /D= naming no drive: /X"},
        {"skipped", "/S /LOG=<log>",
         "MKDIR *DESTDIR\r\nCOPY NOSUCH.DAT *DESTDIR\r\nCOPY SETUP.BMP *DESTDIR\r\n"
         "ALLDONE REBOOT\r\n",
         1603, "C:\\e2e-quiet-skipped\\SETUP.BMP", "1 failure:\r\n"},
        {"elsewhere", "/QUIET /NORESTART /LOG=elsewhere.log",
         "MKDIR *DESTDIR\r\nCOPY SETUP.BMP *DESTDIR\r\nALLDONE\r\n", 0,
         "C:\\e2e-quiet-elsewhere\\SETUP.BMP",
         "Source folder: D:\\cases\\quiet-elsewhere\\ (setup's own folder; the current folder "
         "C:\\unattended\\ holds no PXD.INI)\r\n",
         true},
    };
    CreateDirectoryA("C:\\unattended", nullptr);
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string dir = std::string("e2e-quiet-") + c.name;
        RemoveTree("C:\\" + dir);
        RemoveTree("C:\\Quiet Place");
        const std::string log = std::string("C:\\unattended\\") + c.name + ".log";
        std::string arguments = c.arguments;
        if (const std::size_t at = arguments.find("<log>"); at != std::string::npos)
            arguments.replace(at, 5, log);
        Cd cd(std::string("quiet-") + c.name, ScriptCd(dir, c.script));
        std::string exe = kSetupExe;
        if (c.elsewhere) {
            exe = cd.Path("SETUP.EXE");
            ASSERT_TRUE(CopyFileA(kSetupExe, exe.c_str(), FALSE));
        }

        EXPECT_EQ(RunQuiet(c.elsewhere ? "C:\\unattended" : cd.Dir(), arguments, exe), c.exitCode);

        if (*c.installed)
            EXPECT_TRUE(Exists(c.installed));
        else
            EXPECT_FALSE(Exists("C:\\" + dir));
        const std::string text = ReadBytes(log);
        // Each line begins with its time.
        const std::string time = "\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ";
        EXPECT_TRUE(std::regex_search(text, std::regex("^" + time + "Setup 1\\.0, "))) << text;
        EXPECT_FALSE(std::regex_search(text, std::regex("\r\n(?!" + time + "| |$)"))) << text;
        EXPECT_TRUE(Holds(text, " Command line: " + arguments + "\r\n")) << text;
        EXPECT_TRUE(Holds(text, " Windows ")) << text;
        EXPECT_TRUE(Holds(text, " Account: ")) << text;
        EXPECT_TRUE(Holds(text, ", elevated: ")) << text;
        EXPECT_TRUE(Holds(text, " ANSI code page: 1252\r\n")) << text;
        EXPECT_TRUE(Holds(text, " Log: " + log + "\r\n")) << text;
        EXPECT_TRUE(Holds(text, " Source folder: ")) << text;
        EXPECT_TRUE(Holds(text, c.logged)) << text;
        EXPECT_TRUE(Holds(text, "Exit code " + std::to_string(c.exitCode) + "\r\n")) << text;
    }
}

TEST(Unattended, AllUsersLinksGoToTheCommonFoldersOfTheNtFamily) {
    RemoveTree("C:\\e2e-quiet-all");
    Cd cd("quiet-all", ScriptCd("e2e-quiet-all", "MKDIR *DESTDIR\r\nCOPY SETUP.BMP *DESTDIR\r\n"
                                                 "ADDSTART GROUP Quiet|All\r\n"
                                                 "ADDSTART LINK NO NO SETUP.BMP *DESTDIR "
                                                 "Quiet|All Picture\r\nALLDONE\r\n"));
    // Wine runs setup.exe as Windows 98 and a copy of another name as NT.
    const std::string ntCopy = cd.Dir() + "\\SETUPNT.EXE";
    ASSERT_TRUE(CopyFileA(kSetupExe, ntCopy.c_str(), FALSE));
    const std::string common = ui::ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Quiet All\\Picture.LNK";
    const std::string own = ui::ShellFolder(CSIDL_PROGRAMS) + "\\Quiet All\\Picture.LNK";
    const struct {
        std::string exe;
        const std::string &link;
        const char *logged;
    } kCases[] = {
        {ntCopy, common, "(NT family)"},
        {kSetupExe, own, "/ALLUSERS: the Windows 95 family has no common folders"},
    };
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.exe);
        DeleteFileA(common.c_str());
        DeleteFileA(own.c_str());
        EXPECT_EQ(RunQuiet(cd.Dir(), "/S /ALLUSERS /LOG=C:\\unattended\\all.log", c.exe), 0u);
        EXPECT_TRUE(Exists(c.link)) << c.link;
        EXPECT_FALSE(Exists(&c.link == &common ? own : common));
        EXPECT_TRUE(Holds(ReadBytes("C:\\unattended\\all.log"), c.logged));
    }
}

TEST(Unattended, SecondSetupWhileOneRunsEndsWith1618AndQuitWith1602) {
    Cd cd("quiet-second", ValidCd('A'));
    ui::Program first(kSetupExe, cd.Dir(), "/LOG=C:\\unattended\\first.log");
    const HWND window = WaitForMainWindow(first);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunQuiet(cd.Dir(), "/S"), 1618u);
    // The user quits the windowed one: started with a switch, it says so.
    ui::PostClick(window, 1015);
    EXPECT_EQ(first.WaitExit(10000), 1602u);
}

// A deployment tool updates the room's 1.02 to 1.10 in the same folder: the
// list of programs keeps one entry, the new one.
TEST(Unattended, AnUpdateInTheSameFolderLeavesOneEntry) {
    const std::string list = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    const std::string homes = "C:\\Program Files\\Common Files\\Morvel\\Uninstall\\";
    RemoveTree("C:\\e2e-update");
    for (const char *version : {"102", "110"}) {
        SCOPED_TRACE(version);
        auto files = ScriptCd("e2e-update", "MKDIR *DESTDIR\r\nCOPY UNINST.EXE *DESTDIR\r\n"
                                            "COPY NOMENCLATUREFILE *DESTDIR\r\nALLDONE\r\n");
        files.erase("DEMOA110.CD1");
        files[std::string("DEMOA") + version + ".CD1"] = "disk 1\r\n";
        files["UNINST.EXE"] = DemoCdFile("DATA\\Uninst.exe");
        Cd cd(std::string("quiet-update-") + version, files);
        EXPECT_EQ(RunQuiet(cd.Dir(), "/S", NtSetupExe()), 0u);
    }
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (list + "Demo Title V.1.02 on C").c_str(), 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_FALSE(Exists(homes + "Demo Title V.1.02 on C"));
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (list + "Demo Title V.1.10 on C").c_str(), 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(Exists(homes + "Demo Title V.1.10 on C\\Uninst.exe"));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (list + "Demo Title V.1.10 on C").c_str());
    RemoveTree("C:\\e2e-update");
}
