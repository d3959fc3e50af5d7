// Installations driven through the window: the sample CD from start to
// finish, and scripts that stop, ask for a restart or clean the install
// directory first.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace e2e;

namespace {

std::string ReadAll(const std::string &path) {
    return ReadBytes(path);
}

void PutFile(const std::string &path, const std::string &bytes) {
    ASSERT_TRUE(WriteBytes(path, bytes)) << path;
}

ULONGLONG WriteTime(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32 |
           data.ftLastWriteTime.dwLowDateTime;
}

void RemoveTreeOf(const std::string &dir) {
    RemoveTree(dir);
}

// Starts setup on a CD, presses Install on the default drive (C:).
struct InstallRun {
    ui::Program setup;
    HWND window = nullptr;
    explicit InstallRun(const std::string &cdDir, const char *exe = kSetupExe) : setup(exe, cdDir) {
        window = WaitForMainWindow(setup);
        if (!window)
            return;
        Sleep(100);
        ui::PostClick(window, 1012);
    }
};

void AnswerAndExpectEnd(InstallRun &run, const Box &box, int button) {
    PostMessageA(box.window, WM_COMMAND, button, 0);
    EXPECT_EQ(run.setup.WaitExit(15000), 0u);
}

void ExpectPlace(HWND window, int id, int x, int y, int width, int height) {
    const RECT rect = ui::ChildRect(window, id);
    EXPECT_EQ(rect.left, x) << "control " << id;
    EXPECT_EQ(rect.top, y) << "control " << id;
    EXPECT_EQ(rect.right - rect.left, width) << "control " << id;
    EXPECT_EQ(rect.bottom - rect.top, height) << "control " << id;
}

// A top-level window of this process on a thread of its own; stubborn ones
// ignore WM_QUIT as a hung program would.
class TitledWindow {
public:
    TitledWindow(const char *title, bool stubborn) : title_(title), stubborn_(stubborn) {
        thread_ = CreateThread(nullptr, 0, Main, this, 0, nullptr);
        for (int i = 0; i < 200 && !FindWindowA(nullptr, title); ++i)
            Sleep(10);
    }
    ~TitledWindow() {
        stop_ = true;
        if (HWND window = FindWindowA(nullptr, title_))
            PostMessageA(window, WM_NULL, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
    }
    bool Ended() const { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }

private:
    static DWORD WINAPI Main(LPVOID self) { return static_cast<TitledWindow *>(self)->Loop(); }
    DWORD Loop() {
        HWND window = CreateWindowExA(0, "STATIC", title_, WS_POPUP | WS_VISIBLE, 0, 0, 50, 20,
                                      nullptr, nullptr, nullptr, nullptr);
        MSG message;
        while (!stop_) {
            if (stubborn_) {
                while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageA(&message);
                Sleep(5);
            } else if (GetMessageA(&message, nullptr, 0, 0) > 0) {
                DispatchMessageA(&message);
            } else {
                break; // WM_QUIT
            }
        }
        DestroyWindow(window);
        return 0;
    }
    const char *title_;
    bool stubborn_;
    volatile bool stop_ = false;
    HANDLE thread_;
};

const char *const kDemoFiles[] = {
    "README.TXT",
    "DEMO.EXE",
    "MILLION.DAT",
    "IMAGES\\TITLE.BMP",
    "IMAGES\\LEVELS\\LEVEL1.DAT",
    "IMAGES\\LEVELS\\LEVEL2.DAT",
    "SOUNDS\\INTRO.WAV",
    "SOUNDS\\CLICK.WAV",
    "SAVE\\EMPTY.SAV",
    "DOCS\\LICENSE.TXT",
};

} // namespace

TEST(Install, SampleCdInstallsByteForByte) {
    const std::string target = "C:\\Demo Title";
    RemoveTreeOf(target);
    InstallRun run("D:\\democd");
    ASSERT_NE(run.window, nullptr);
    // A picture with the bars moving, when the copy is slow enough to catch.
    for (int i = 0; i < 400 && !IsWindowVisible(GetDlgItem(run.window, 1031)); ++i)
        Sleep(5);
    if (IsWindowVisible(GetDlgItem(run.window, 1031)))
        Screenshot("Install.SampleCd-during");

    const Box box = WaitForBox(run.setup, 60000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished."); // the catalog's END_INSTALL
    // The install layout: the drive list and the buttons gave way to the
    // progress lines, which PROGRESS END hid again before ALLDONE.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(run.window, 1023)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(run.window, 1012)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(run.window, 1015)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(run.window, 1031)));
    ExpectPlace(run.window, 1003, 320, 120, 310, 260);
    ExpectPlace(run.window, 1018, 320, 390, 310, 20);
    ExpectPlace(run.window, 1020, 320, 430, 310, 20);
    ExpectPlace(run.window, 1027, 320, 410, 310, 18);
    ExpectPlace(run.window, 1028, 320, 450, 310, 18);
    // Everything counted was copied: both bars full.
    ExpectPlace(run.window, 1030, 322, 412, 306, 14);
    ExpectPlace(run.window, 1031, 322, 452, 306, 14);
    EXPECT_EQ(ui::ControlText(run.window, 1020), " Total installation:100%"); // catalog label
    // The screen saver is off while setup works. (Its return afterwards
    // cannot be read here: this process keeps the value it saw last.)
    BOOL saverDuring = TRUE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saverDuring, 0);
    EXPECT_FALSE(saverDuring);
    AnswerAndExpectEnd(run, box, IDOK);

    for (const char *file : kDemoFiles) {
        const std::string installed = target + "\\" + file;
        const std::string source = std::string("D:\\democd\\DATA\\") + file;
        EXPECT_EQ(ReadAll(installed), ReadAll(source)) << file;
        EXPECT_EQ(WriteTime(installed), WriteTime(source)) << file;
    }
    // "SOUNDS\*.*" copies the top files only.
    EXPECT_FALSE(Exists(target + "\\SOUNDS\\EXTRA"));
    // The marker comes from the CD's root and marks the installation.
    EXPECT_EQ(ReadAll(target + "\\DEMOA110.CD1"), ReadAll("D:\\democd\\DEMOA110.CD1"));
    EXPECT_FALSE(Exists(target + "\\$$$$$$$$.TMP"));
}

TEST(Install, SecondRunOffersTheReinstallationAndKeepsSavedGames) {
    const std::string target = "C:\\Demo Title";
    if (!Exists(target + "\\DEMOA110.CD1")) {
        InstallRun first("D:\\democd");
        ASSERT_NE(first.window, nullptr);
        const Box done = WaitForBox(first.setup, 60000);
        ASSERT_NE(done.window, nullptr);
        AnswerAndExpectEnd(first, done, IDOK);
    }
    PutFile(target + "\\MY.SAV", "saved");
    PutFile(target + "\\STALE.TMP", "old");
    PutFile(target + "\\ZZZZA100.CD1", "another product");
    // The shared component is already there, in the version the script
    // asks for: its installer is not started again.
    ForgetStandIns();
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(CopyFileA("D:\\democd\\DATA\\COMPONENT\\DEMOCOMP.DLL",
                          (std::string(system) + "\\DEMOCOMP.DLL").c_str(), FALSE));

    ui::Program setup(kSetupExe, "D:\\democd");
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> lines = ui::ListLines(GetDlgItem(window, 1023));
    ASSERT_FALSE(lines.empty());
    // The sample CD's catalog writes its label without the blanks.
    EXPECT_EQ(lines[0], "C:\\Demo Title   [Detected version:1.10]");
    Sleep(100);
    ui::PostClick(window, 1012);
    const Box box = WaitForBox(setup, 60000);
    ASSERT_NE(box.window, nullptr);
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);

    EXPECT_EQ(ReadAll(target + "\\MY.SAV"), "saved"); // NODELETE *.SAV
    EXPECT_FALSE(Exists(target + "\\STALE.TMP"));
    EXPECT_TRUE(Exists(target + "\\ZZZZA100.CD1")); // another product's marker
    EXPECT_EQ(ReadAll(target + "\\README.TXT"), ReadAll("D:\\democd\\DATA\\README.TXT"));
    EXPECT_EQ(StandInRecord("COMPSET.EXE", "Command line"), "<not run>");
    EXPECT_EQ(StandInRecord("REGISTER.EXE", "Command line"),
              "D:\\democd\\DATA\\REGISTER.EXE /welcome");
}

// The Windows 95 family's path through a whole installation: the twin runs
// in Wine's win98 mode with MoveFileExA failing as on a real Windows 98, and
// installs the sample CD over an earlier installation whose files are older
// (the script's strict copy mode replaces only those). The files in the
// sub-folders stay through the clean-up of the install directory, so each
// is replaced by delete-then-MoveFileA.
TEST(Install, OverAnEarlierInstallationWithTheWindows98Stubs) {
    HKEY key = nullptr;
    char version[16] = "";
    DWORD size = sizeof version;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\setup_win98_stubs.exe",
                            0, KEY_READ, &key),
              ERROR_SUCCESS)
        << "the twin needs its win98 mode (scripts/wine-up)";
    RegQueryValueExA(key, "Version", nullptr, nullptr, reinterpret_cast<BYTE *>(version), &size);
    RegCloseKey(key);
    ASSERT_STREQ(version, "win98");

    const std::string target = "C:\\Demo Title";
    RemoveTreeOf(target);
    for (const char *dir : {"", "\\IMAGES", "\\IMAGES\\LEVELS", "\\SOUNDS", "\\SAVE", "\\DOCS"})
        CreateDirectoryA((target + dir).c_str(), nullptr);
    // An earlier installation from 1999, one of its files read-only.
    const FILETIME earlier{0xACA68000u, 0x01BE3519u}; // 1 January 1999
    for (const char *file : kDemoFiles) {
        const std::string path = target + "\\" + file;
        PutFile(path, std::string("earlier ") + file);
        HANDLE handle =
            CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
        SetFileTime(handle, &earlier, &earlier, &earlier);
        CloseHandle(handle);
    }
    SetFileAttributesA((target + "\\IMAGES\\TITLE.BMP").c_str(), FILE_ATTRIBUTE_READONLY);
    PutFile(target + "\\DEMOA110.CD1", "earlier marker");
    PutFile(target + "\\MY.SAV", "saved");

    InstallRun run("D:\\democd", kWin98StubsExe);
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup, 60000);
    ASSERT_NE(box.window, nullptr);
    Screenshot("Install.OverAnEarlierInstallationWithTheWindows98Stubs");
    EXPECT_EQ(box.text, "Setup is finished.");
    AnswerAndExpectEnd(run, box, IDOK);

    for (const char *file : kDemoFiles) {
        const std::string installed = target + "\\" + file;
        const std::string source = std::string("D:\\democd\\DATA\\") + file;
        EXPECT_TRUE(ReadAll(installed) == ReadAll(source)) << file; // megabytes: no dump
        EXPECT_EQ(WriteTime(installed), WriteTime(source)) << file;
    }
    EXPECT_FALSE(GetFileAttributesA((target + "\\IMAGES\\TITLE.BMP").c_str()) &
                 FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadAll(target + "\\DEMOA110.CD1"), ReadAll("D:\\democd\\DEMOA110.CD1"));
    EXPECT_EQ(ReadAll(target + "\\MY.SAV"), "saved");
    for (const char *dir : {"", "\\IMAGES", "\\IMAGES\\LEVELS", "\\SOUNDS", "\\SAVE", "\\DOCS"})
        EXPECT_FALSE(Exists(target + dir + "\\$$$$$$$$.TMP")) << dir;
}

TEST(Install, LowerCaseCommandStopsTheRunWithTheLineShown) {
    RemoveTreeOf("C:\\e2e-lower");
    Cd cd("install-lower", ScriptCd("e2e-lower", "MKDIR *DESTDIR\r\ncopy a b\r\n"
                                                 "MKDIR AFTER *DESTDIR\r\nALLDONE\r\n"));
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup);
    EXPECT_EQ(box.caption, "Script SETUP.INF is not valid");
    EXPECT_EQ(box.text, "copy a b");
    AnswerAndExpectEnd(run, box, IDOK);
    EXPECT_TRUE(Exists("C:\\e2e-lower"));
    EXPECT_FALSE(Exists("C:\\e2e-lower\\AFTER"));
}

TEST(Install, RestartQuestionAnsweredNoEndsWithoutRestart) {
    Cd cd("install-reboot", ScriptCd("e2e-reboot", "ALLDONE REBOOT\r\n"));
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup);
    EXPECT_EQ(box.text, "Setup is complete.\nYou must restart your computer before the new "
                        "settings will take effect.\n\nDo you want to restart your computer now?");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(box.window, IDCANCEL)));
    AnswerAndExpectEnd(run, box, IDCANCEL);
}

TEST(Install, TwinAllDoneRebootEndsWithoutTheQuestion) {
    Cd cd("install-pc-reboot", ScriptCd("e2e-pc-reboot", "PC_ALLDONE REBOOT\r\n"));
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup);
    EXPECT_EQ(box.text, "Setup is finished.");
    AnswerAndExpectEnd(run, box, IDOK);
}

TEST(Install, DirectoriesAreMadeLevelByLevelAndRemovedButReadOnlyFilesStay) {
    const std::string dir = "C:\\e2e-dirs";
    RemoveTreeOf(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\TEMP").c_str(), nullptr);
    CreateDirectoryA((dir + "\\TEMP\\A").c_str(), nullptr);
    CreateDirectoryA((dir + "\\TEMP\\B").c_str(), nullptr);
    PutFile(dir + "\\TEMP\\top.txt", "x");
    PutFile(dir + "\\TEMP\\A\\a.txt", "x");
    PutFile(dir + "\\TEMP\\B\\kept.txt", "x");
    SetFileAttributesA((dir + "\\TEMP\\B\\kept.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    Cd cd("install-dirs", ScriptCd("e2e-dirs", "MKDIR GAME\\SAVE *DESTDIR\r\n"
                                               "PC_MKDIR OTHER *DESTDIR\r\n"
                                               "RMDIR TEMP *DESTDIR\r\nALLDONE\r\n"));
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup);
    EXPECT_EQ(box.text, "Setup is finished.");
    AnswerAndExpectEnd(run, box, IDOK);

    EXPECT_TRUE(Exists(dir + "\\GAME\\SAVE"));
    EXPECT_TRUE(Exists(dir + "\\OTHER"));
    EXPECT_FALSE(Exists(dir + "\\TEMP\\top.txt"));
    EXPECT_FALSE(Exists(dir + "\\TEMP\\A"));
    EXPECT_TRUE(Exists(dir + "\\TEMP\\B\\kept.txt"));
    EXPECT_TRUE(Exists(dir + "\\TEMP"));
    SetFileAttributesA((dir + "\\TEMP\\B\\kept.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The clean-up deletes only where this product was installed before; any
// other folder's files are not setup's to delete.
TEST(Install, KeepEverythingDeletesOnlyTheNamedFiles) {
    const std::string dir = "C:\\e2e-keep";
    for (const bool earlierInstallation : {true, false}) {
        SCOPED_TRACE(earlierInstallation ? "over an earlier installation" : "in a foreign folder");
        RemoveTreeOf(dir);
        CreateDirectoryA(dir.c_str(), nullptr);
        if (earlierInstallation)
            PutFile(dir + "\\UNINST$$.REC", "SETUPREC\t1\r\n");
        PutFile(dir + "\\KEEP.TXT", "x");
        PutFile(dir + "\\OLD.DAT", "x");
        PutFile(dir + "\\OLDER.DAT", "x");
        PutFile(dir + "\\GONE.INI", "x");
        Cd cd("install-keep", ScriptCd("e2e-keep", "NODELETE *.*\r\nDELETEFILE *.DAT\r\n"
                                                   "DELETEFILE GONE.INI\r\nALLDONE\r\n"));
        InstallRun run(cd.Dir());
        ASSERT_NE(run.window, nullptr);
        const Box box = WaitForBox(run.setup);
        AnswerAndExpectEnd(run, box, IDOK);
        EXPECT_TRUE(Exists(dir + "\\KEEP.TXT"));
        EXPECT_EQ(Exists(dir + "\\OLD.DAT"), !earlierInstallation);
        EXPECT_EQ(Exists(dir + "\\OLDER.DAT"), !earlierInstallation);
        EXPECT_EQ(Exists(dir + "\\GONE.INI"), !earlierInstallation);
    }
}

TEST(Install, UnknownMacroInACopyLineStopsTheRun) {
    RemoveTreeOf("C:\\e2e-macro");
    auto files = ScriptCd("e2e-macro", "MKDIR *DESTDIR\r\nCOPY SETUP.BMP *NOWHERE\r\n"
                                       "COPY SETUP.BMP *DESTDIR\r\nALLDONE\r\n");
    Cd cd("install-macro", files);
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup);
    EXPECT_EQ(box.text, "Wrong file format");
    AnswerAndExpectEnd(run, box, IDOK);
    EXPECT_FALSE(Exists("C:\\e2e-macro\\SETUP.BMP"));
}

TEST(Install, CopyWithoutTargetIsNotValid) {
    Cd cd("install-copy-bad", ScriptCd("e2e-copy-bad", "COPY SETUP.BMP\r\nMKDIR *DESTDIR\r\n"
                                                       "ALLDONE\r\n"));
    RemoveTreeOf("C:\\e2e-copy-bad");
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const Box box = WaitForBox(run.setup);
    EXPECT_EQ(box.caption, "Setup");
    EXPECT_EQ(box.text, "COPY not valid");
    AnswerAndExpectEnd(run, box, IDOK);
    EXPECT_FALSE(Exists("C:\\e2e-copy-bad"));
}

TEST(Install, KillClosesAWindowAndGivesUpOnOneThatIgnoresIt) {
    TitledWindow polite("Polite Window", false);
    TitledWindow product("Player Demo Title", false);
    TitledWindow stubborn("Stubborn Window", true);
    ASSERT_NE(FindWindowA(nullptr, "Stubborn Window"), nullptr);
    Cd cd("install-kill", ScriptCd("e2e-kill", "KILL Window Polite\r\nKILL Window Stubborn\r\n"
                                               "KILL *PRODUCT Player\r\n"
                                               "KILL Morvel Setup\r\nALLDONE\r\n"));
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const DWORD start = GetTickCount();
    const Box box = WaitForBox(run.setup, 30000);
    const DWORD waited = GetTickCount() - start;
    ASSERT_NE(box.window, nullptr) << "setup still waits for the stubborn window";
    EXPECT_EQ(box.text, "Setup is finished.");
    EXPECT_GE(waited, 3000u); // it did try for a while
    EXPECT_TRUE(polite.Ended());
    EXPECT_TRUE(product.Ended());
    EXPECT_FALSE(stubborn.Ended());
    AnswerAndExpectEnd(run, box, IDOK);
}

TEST(Install, WritePauseWaitsAfterEachBlockAndKeepsTheWindowAnswering) {
    RemoveTreeOf("C:\\e2e-pause");
    auto files = ScriptCd("e2e-pause", "WAITWRITE 20\r\nMKDIR *DESTDIR\r\nPROGRESS START\r\n"
                                       "COPY BIG.DAT *DESTDIR\r\nPROGRESS END\r\nALLDONE\r\n");
    files["BIG.DAT"] = std::string(4 * 262144, 'b'); // four blocks
    Cd cd("install-pause", files);
    InstallRun run(cd.Dir());
    ASSERT_NE(run.window, nullptr);
    const DWORD clicked = GetTickCount();
    // While it waits between blocks the window still answers.
    for (int i = 0; i < 100 && !IsWindowVisible(GetDlgItem(run.window, 1031)); ++i)
        Sleep(5);
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    const Box box = WaitForBox(run.setup, 30000);
    ASSERT_NE(box.window, nullptr);
    const DWORD took = GetTickCount() - clicked;
    // 20 ticks of the 1 ms timer after each of four blocks: under Wine the
    // timer ticks every 10 ms, so about 800 ms (without the pause the copy
    // and the box take well under 400 ms).
    EXPECT_GE(took, 700u);
    EXPECT_EQ(box.text, "Setup is finished.");
    AnswerAndExpectEnd(run, box, IDOK);
    EXPECT_EQ(ReadAll("C:\\e2e-pause\\BIG.DAT"), files["BIG.DAT"]);
}
