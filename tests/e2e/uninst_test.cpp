// Uninst.exe after a whole install of the sample CD through the window: the
// shortcuts, the uninstall entry, the PATH lines and the files go; what the
// user made or changed since stays.

#include "e2e_files.h"
#include "e2e_support.h"
#include "shortcut.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const char kInstalled[] = "C:\\Demo Title";
const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo Title V.1.10 on C";

std::string ReadFileText(const std::string &path) {
    return ReadBytes(path);
}

void WriteFileText(const std::string &path, const std::string &bytes) {
    ASSERT_TRUE(WriteBytes(path, bytes)) << path;
}

// Every file and folder under dir, relative, folders ending in a backslash.
void ListTree(const std::string &dir, const std::string &prefix, std::vector<std::string> &out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(prefix + name + "\\");
            ListTree(dir + "\\" + name, prefix + name + "\\", out);
        } else {
            out.push_back(prefix + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::vector<std::string> Tree(const std::string &dir) {
    std::vector<std::string> paths;
    ListTree(dir, "", paths);
    for (std::string &path : paths)
        CharUpperA(&path[0]);
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool KeyExists(const std::string &subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string EntryText(const char *value) {
    char text[MAX_PATH * 2] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, value, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return "<no value>";
    return text;
}

// A command line as the system's list of programs or a deployment tool runs
// it, from a folder of no account; its exit code, 9999 when it did not start
// and STILL_ACTIVE when it did not end within half a minute.
DWORD RunCommand(std::string commandLine) {
    CreateDirectoryA("C:\\e2e-caller", nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        "C:\\e2e-caller", &startup, &info))
        return 9999;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    else
        TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

const char kHome[] = "C:\\Program Files\\Common Files\\Morvel\\Uninstall\\Demo Title V.1.10 on C";

} // namespace

// On the NT family the install folder is open to every user: a pupil's
// program in place of its Uninst.exe never runs, as the entry runs the
// uninstaller's own copy, which only administrators may change.
TEST(Uninstall, ReinstalledSampleCdGoesAndLeavesWhatTheUserMadeOrChanged) {
    CoInitialize(nullptr);
    const std::string programs = ui::ShellFolder(CSIDL_PROGRAMS);
    ASSERT_FALSE(programs.empty());
    const std::string group = programs + "\\Morvel\\Demo Title";
    const std::string links[] = {group + "\\Demo Title.LNK",
                                 group + "\\Read me V.1.10 English on drive C.LNK",
                                 ui::ShellFolder(CSIDL_STARTUP) + "\\DEMO English on drive C.LNK",
                                 ui::ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Demo Title.lnk"};
    // The world before: none of the sample CD's traces from earlier scenarios.
    for (const std::string &link : links)
        DeleteFileA(link.c_str());
    RemoveDirectoryA(group.c_str());
    RemoveDirectoryA((programs + "\\Morvel").c_str());
    RemoveTree(kInstalled);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    const std::string batch = "C:\\AUTOEXEC.BAT";
    const std::string oldBatch = ReadFileText(batch);
    const std::string before = "@ECHO OFF\r\nPROMPT $P$G";
    WriteFileText(batch, before);
    const std::vector<std::string> programsBefore = Tree(programs);

    // Installed twice: the second run's record takes over what the first
    // one made outside the files (the uninstall entry, the shortcuts).
    const std::string setup = NtSetupExe();
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm("D:\\democd", "Setup is finished.", 60000, setup));
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm("D:\\democd", "Setup is finished.", 60000, setup));
    const std::string installed = std::string(kInstalled) + "\\";
    ASSERT_TRUE(Exists(installed + "Uninst.exe"));
    ASSERT_TRUE(Exists(links[0]));
    const std::string quiet = EntryText("QuietUninstallString");
    EXPECT_EQ(quiet, "\"" + std::string(kHome) + "\\Uninst.exe\" /S");
    EXPECT_EQ(EntryText("InstallLocation"), kInstalled);
    // The user plays, saves, and edits the read-me; a pupil puts a program
    // of theirs in place of the uninstaller.
    WriteFileText(installed + "GAME1.SAV", "saved game");
    WriteFileText(installed + "IMAGES\\MYDRAWING.BMP", "drawing");
    const std::string readme = ReadFileText(installed + "README.TXT");
    WriteFileText(installed + "README.TXT", readme + "my notes\r\n");
    const std::string pupils = ReadFileText("E:\\system-probe\\run_probe.exe");
    ASSERT_NE(pupils, "<missing>");
    WriteFileText(installed + "Uninst.exe", pupils);
    DeleteFileA("C:\\e2e-caller\\probe-out.txt");

    EXPECT_EQ(RunCommand(quiet), 0u); // the user's files stay, and count as theirs

    EXPECT_FALSE(Exists("C:\\e2e-caller\\probe-out.txt")); // the pupil's program never ran
    for (const std::string &link : links)
        EXPECT_FALSE(Exists(link)) << link;
    EXPECT_EQ(Tree(programs), programsBefore);
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(ReadFileText(batch), before);
    const std::vector<std::string> left = {"GAME1.SAV", "IMAGES\\", "IMAGES\\MYDRAWING.BMP",
                                           "README.TXT", "UNINST.EXE"};
    EXPECT_EQ(Tree(kInstalled), left);
    EXPECT_EQ(ReadFileText(installed + "README.TXT"), readme + "my notes\r\n");
    EXPECT_EQ(ReadFileText(installed + "GAME1.SAV"), "saved game");
    EXPECT_EQ(ReadFileText(installed + "Uninst.exe"), pupils);

    // Nothing is left to remove the second time: the uninstaller itself
    // waits for the restart, without its record.
    EXPECT_EQ(RunCommand(quiet), 1605u);
    EXPECT_EQ(Tree(kInstalled), left);

    RemoveTree(kInstalled);
    if (oldBatch == "<missing>")
        DeleteFileA(batch.c_str());
    else
        WriteFileText(batch, oldBatch);
    CoUninitialize();
}

// A file in use where every user may write is kept and listed: left to the
// restart, the system would delete whatever that path names by then.
TEST(Uninstall, AFileInUseWhereUsersMayWriteIsKeptAndListed) {
    const std::string dir = "C:\\e2e-inuse";
    RemoveTree(dir);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    auto files = ScriptCd("e2e-inuse", "");
    files["UNINST.EXE"] = DemoCdFile("DATA\\Uninst.exe");
    ASSERT_FALSE(files["UNINST.EXE"].empty());
    files["A.DAT"] = "a";
    files["B.DAT"] = "b";
    files["SETUP.INF"] = "MKDIR *DESTDIR\r\nMKDIR DATA *DESTDIR\r\nCOPY UNINST.EXE *DESTDIR\r\n"
                         "COPY A.DAT *DESTDIR\r\nCOPY B.DAT *DESTDIR\r\nALLDONE\r\n";
    Cd cd("uninst-inuse", files);
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(cd.Dir(), "Setup is finished.", 30000, NtSetupExe()));
    const std::vector<std::string> installed = {"A.DAT", "B.DAT", "DATA\\", "UNINST$$.REC",
                                                "UNINST.EXE"};
    ASSERT_EQ(Tree(dir), installed);

    // Another program holds A.DAT while the user removes the product.
    HANDLE held =
        CreateFileA((dir + "\\A.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        ui::Program uninst(std::string(kHome) + "\\Uninst.exe", "C:\\");
        const Box question = WaitForBox(uninst);
        ASSERT_NE(question.window, nullptr);
        EXPECT_EQ(question.caption, "Uninstall");
        EXPECT_EQ(question.text,
                  "Do you want to remove Demo Title V.1.10 on C from your computer?");
        PostMessageA(question.window, WM_COMMAND, IDYES, 0);
        Sleep(200);
        const Box closing = WaitForBox(uninst, 30000);
        ASSERT_NE(closing.window, nullptr);
        EXPECT_EQ(closing.text, "Demo Title V.1.10 on C has been removed from your computer.\n\n"
                                "These files are in use and have been kept; close the program "
                                "that uses them and remove the product again:\n"
                                "C:\\e2e-inuse\\A.DAT");
        PostMessageA(closing.window, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(uninst.WaitExit(15000), 1603u);
    }
    CloseHandle(held);
    const std::vector<std::string> left = {"A.DAT"};
    EXPECT_EQ(Tree(dir), left);
    // Only the uninstaller's own folder waits for the restart.
    HKEY session = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                            "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ,
                            &session),
              ERROR_SUCCESS);
    std::string pending(65536, '\0');
    DWORD size = static_cast<DWORD>(pending.size());
    const LONG read = RegQueryValueExA(session, "PendingFileRenameOperations", nullptr, nullptr,
                                       reinterpret_cast<BYTE *>(&pending[0]), &size);
    RegCloseKey(session);
    ASSERT_EQ(read, ERROR_SUCCESS);
    pending.resize(size);
    CharUpperBuffA(&pending[0], size); // every string of the list, past its NULs
    EXPECT_EQ(pending.find("C:\\E2E-INUSE"), std::string::npos);
    std::string home = kHome;
    CharUpperBuffA(&home[0], static_cast<DWORD>(home.size()));
    EXPECT_NE(pending.find(home + "\\UNINST.EXE"), std::string::npos);
    RemoveTree(dir);
}

TEST(Uninstall, OnTheWindows95FamilyAFileInUseGoesThroughWininit) {
    const std::string dir = "C:\\e2e-uninst95";
    RemoveTree(dir);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    const std::string batch = "C:\\AUTOEXEC.BAT";
    const std::string oldBatch = ReadFileText(batch);
    const std::string before = "@ECHO OFF\r\n";
    WriteFileText(batch, before);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string wininit = std::string(windows) + "\\WININIT.INI";
    const std::string oldWininit = ReadFileText(wininit);
    DeleteFileA(wininit.c_str());

    auto files = ScriptCd("e2e-uninst95", "");
    // The twin whose name Wine runs in its win98 mode.
    files["Uninst_win98_stubs.exe"] = ReadFileText("D:\\bin\\Uninst_win98_stubs.exe");
    ASSERT_NE(files["Uninst_win98_stubs.exe"], "<missing>");
    files["A.DAT"] = "a";
    files["SETUP.INF"] = "MKDIR *DESTDIR\r\nCOPY Uninst_win98_stubs.exe *DESTDIR\r\n"
                         "COPY A.DAT *DESTDIR\r\nSPECIAL ADDPATH *DESTDIR\r\nALLDONE\r\n";
    Cd cd("uninst-95", files);
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(cd.Dir(), "Setup is finished.", 30000));
    ASSERT_TRUE(KeyExists(kUninstallKey));
    ASSERT_NE(ReadFileText(batch), before);

    const std::string exe = dir + "\\Uninst_win98_stubs.exe";
    char shortExe[MAX_PATH] = {};
    GetShortPathNameA(exe.c_str(), shortExe, MAX_PATH);
    std::string shortName = shortExe;
    CharUpperBuffA(&shortName[0], static_cast<DWORD>(shortName.size()));
    HANDLE held =
        CreateFileA((dir + "\\A.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string commandLine = "\"" + exe + "\" /S";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               dir.c_str(), &startup, &info));
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    else
        TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(held);
    EXPECT_EQ(code, 3010u);

    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(ReadFileText(batch), before); // swapped in without a replacing rename
    std::string lines = ReadFileText(wininit);
    CharUpperBuffA(&lines[0], static_cast<DWORD>(lines.size()));
    const std::string shortDir = shortName.substr(0, shortName.rfind('\\'));
    // The held file first, then the program itself; the folder stays.
    EXPECT_EQ(lines, "[RENAME]\r\nNUL=" + shortDir + "\\A.DAT\r\nNUL=" + shortName + "\r\n");

    RemoveTree(dir);
    if (oldWininit == "<missing>")
        DeleteFileA(wininit.c_str());
    else
        WriteFileText(wininit, oldWininit);
    if (oldBatch == "<missing>")
        DeleteFileA(batch.c_str());
    else
        WriteFileText(batch, oldBatch);
}

namespace {

bool ValueExists(HKEY root, const std::string &subkey, const char *value) {
    return RegGetValueA(root, subkey.c_str(), value, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

void SetValue(HKEY root, const std::string &subkey, const char *value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE *>("x"), 2);
    RegCloseKey(key);
}

} // namespace

// Anyone may write the record; the administrator who removes the product
// must lose nothing but what setup made.
TEST(Uninstall, AForgedRecordRemovesOnlyWhatSetupMade) {
    const std::string dir = "C:\\e2e-forged";
    const std::string victim = "C:\\e2e-victim";
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string other = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\e2e-other";
    RemoveTree(dir);
    RemoveTree(victim);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    // What the system and other programs have.
    ASSERT_TRUE(CreateDirectoryA(victim.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((victim + "\\EMPTY").c_str(), nullptr));
    WriteFileText(victim + "\\SYSTEM.DLL", "system bytes");
    const std::string batch = "REM ********LIGNE AJOUTEE PAR MORVEL****************\r\n"
                              "SET PATH=%PATH%;C:\\e2e-forged\\\r\n";
    WriteFileText(victim + "\\OTHER.BAT", batch);
    SetValue(HKEY_CURRENT_USER, "Software\\e2e-victim", "Value");
    SetValue(HKEY_LOCAL_MACHINE, run, "e2e-victim");
    SetValue(HKEY_LOCAL_MACHINE, other, "DisplayName");

    auto files = ScriptCd("e2e-forged", "");
    files["UNINST.EXE"] = DemoCdFile("DATA\\Uninst.exe");
    files["A.DAT"] = "a";
    files["SETUP.INF"] = "MKDIR *DESTDIR\r\nCOPY UNINST.EXE *DESTDIR\r\nCOPY A.DAT *DESTDIR\r\n"
                         "ALLDONE\r\n";
    Cd cd("uninst-forged", files);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(
        GetFileAttributesExA((victim + "\\SYSTEM.DLL").c_str(), GetFileExInfoStandard, &data));
    const std::string stamp =
        "12\t" +
        std::to_string(
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime) +
        "\t";
    std::string planted;
    for (const std::string &line : std::vector<std::string>{
             "GROUP\tC:\\e2e-victim", "FILE\t" + stamp + "C:\\e2e-victim\\SYSTEM.DLL",
             "FILE\t" + stamp + "C:\\e2e-forged\\..\\e2e-victim\\SYSTEM.DLL",
             "DIR\tC:\\e2e-forged\\..\\e2e-victim\\EMPTY",
             "AUTOEXEC\tC:\\e2e-victim\\OTHER.BAT\tC:\\e2e-forged\\",
             "REGVAL\tHKCU\tSoftware\\e2e-victim\tValue", "REGVAL\tHKLM\t" + run + "\te2e-victim",
             "REGVAL\tHKLM\t" + other + "\tDisplayName", "REGKEY\tHKLM\t" + other})
        planted += line + "\r\n";
    const std::string record = dir + "\\UNINST$$.REC";

    // A reinstallation does not take the planted lines over.
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(cd.Dir(), "Setup is finished.", 30000));
    WriteFileText(record, ReadFileText(record) + planted);
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(cd.Dir(), "Setup is finished.", 30000));
    std::string written = ReadFileText(record);
    CharUpperBuffA(&written[0], static_cast<DWORD>(written.size()));
    EXPECT_EQ(written.find("E2E-VICTIM"), std::string::npos) << written;
    EXPECT_EQ(written.find("E2E-OTHER"), std::string::npos) << written;

    WriteFileText(record, ReadFileText(record) + planted);
    // On the Windows 95 family, which has no accounts, the record beside the
    // uninstaller is followed, within its bounds; Wine runs this name so.
    ASSERT_TRUE(CopyFileA((dir + "\\Uninst.exe").c_str(), (dir + "\\Uninst95.exe").c_str(), FALSE));
    {
        ui::Program uninst(dir + "\\Uninst95.exe", dir, "/LOG=C:\\e2e-forged.log");
        const Box question = WaitForBox(uninst);
        ASSERT_NE(question.window, nullptr);
        PostMessageA(question.window, WM_COMMAND, IDYES, 0);
        Sleep(200);
        const Box closing = WaitForBox(uninst, 30000);
        ASSERT_NE(closing.window, nullptr);
        // Each refused line is listed as written; the shared file is not
        // setup's to remove and goes unmentioned.
        EXPECT_EQ(closing.text,
                  "Demo Title V.1.10 on C has been removed from your computer.\n\n"
                  "These lines of the install record do not name what setup made and have been "
                  "ignored:\nC:\\e2e-victim\nC:\\e2e-forged\\..\\e2e-victim\\EMPTY\n"
                  "C:\\e2e-victim\\OTHER.BAT\nHKCU\\Software\\e2e-victim (Value)\nHKLM\\" +
                      run + " (e2e-victim)\nHKLM\\" + other + " (DisplayName)\nHKLM\\" + other);
        PostMessageA(closing.window, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(uninst.WaitExit(15000), 0u);
    }

    // The log tells what went and what was refused.
    const std::string log = ReadFileText("C:\\e2e-forged.log");
    for (const std::string &line : std::vector<std::string>{
             "Uninst 1.0, ", "Removed: C:\\e2e-forged\\A.DAT\r\n",
             "Ignored (not something setup can have made): C:\\e2e-victim\r\n",
             "Removed key: HKLM\\" + std::string(kUninstallKey) + "\r\n", "Exit code 0\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;
    DeleteFileA("C:\\e2e-forged.log");

    // What setup made went.
    EXPECT_FALSE(KeyExists(kUninstallKey));
    const std::vector<std::string> left = {"UNINST95.EXE"};
    EXPECT_EQ(Tree(dir), left);
    // Nothing else did.
    EXPECT_EQ(ReadFileText(victim + "\\SYSTEM.DLL"), "system bytes");
    EXPECT_TRUE(Exists(victim + "\\EMPTY"));
    EXPECT_EQ(ReadFileText(victim + "\\OTHER.BAT"), batch);
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, "Software\\e2e-victim", "Value"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, run, "e2e-victim"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, other, "DisplayName"));

    RemoveTree(dir);
    RemoveTree(victim);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\e2e-victim");
    HKEY runKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, run.c_str(), 0, KEY_SET_VALUE, &runKey) == 0) {
        RegDeleteValueA(runKey, "e2e-victim");
        RegCloseKey(runKey);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, other.c_str());
}
