#include "e2e_support.h"

#include "e2e_files.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

namespace {

// Every scenario keeps a picture of each window it waited for, named after
// the test: Suite.Test-1, Suite.Test-2, ...
void KeepScreenshot() {
    static std::string lastTest;
    static int count = 0;
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test)
        return;
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    count = name == lastTest ? count + 1 : 1;
    lastTest = name;
    Sleep(200); // let the window finish painting
    Screenshot(name + "-" + std::to_string(count));
}

} // namespace

void WaitForSetupWindowsToGo() {
    for (int i = 0; i < 250 && (FindWindowA(nullptr, "Setup Morvel") ||
                                FindWindowA("PXDwindowClass", nullptr));
         ++i) {
        Sleep(20);
    }
}

Cd::Cd(const std::string &name, const std::map<std::string, std::string> &files)
    : dir_("D:\\cases\\" + name) {
    WaitForSetupWindowsToGo();
    RemoveTree(dir_);
    CreateDirectoryA("D:\\cases", nullptr);
    CreateDirectoryA(dir_.c_str(), nullptr);
    for (const auto &[file, bytes] : files) {
        const std::size_t slash = file.rfind('\\');
        if (slash != std::string::npos)
            CreateDirectoryA(Path(file.substr(0, slash)).c_str(), nullptr); // one level deep
        WriteBytes(Path(file), bytes);
    }
}

std::map<std::string, std::string> ValidCd(char language) {
    std::string marker = "DEMO?110.CD1";
    marker[4] = language;
    return {
        {"PXD.INI", "[general]\r\nproduct=Demo Title\r\nsourcedirectory=.\r\n"
                    "installdirectory=\\Demo|Title\r\n[configuration]\r\ndiskspacereq=12\r\n"},
        {marker, "disk 1\r\n"},
        {"SETUP.INF", "PROGRESS START\r\nPROGRESS END\r\nALLDONE\r\n"},
        {"SETUP.BMP", DemoCdFile("SETUP.BMP")},
    };
}

std::map<std::string, std::string> ScriptCd(const std::string &installDir,
                                            const std::string &script) {
    auto files = ValidCd('A');
    files["PXD.INI"] = "[general]\r\nproduct=Demo Title\r\nsourcedirectory=.\r\n"
                       "installdirectory=\\" +
                       installDir + "\r\n[configuration]\r\ndiskspacereq=1\r\n";
    files["SETUP.INF"] = script;
    return files;
}

std::string NtSetupExe() {
    const std::string copy = "D:\\bin\\SETUPNT.EXE";
    CopyFileA(kSetupExe, copy.c_str(), FALSE);
    return copy;
}

std::string DemoCdFile(const std::string &name) {
    return ReadBytes("D:\\democd\\" + name, "");
}

std::map<std::string, std::string> CdWithCatalogs(char language) {
    auto files = ValidCd(language);
    for (const char *table : {"SETUP.DBF", "SETUP.MDX", "SCRIPT.DBF", "SCRIPT.MDX"}) {
        files[table] = DemoCdFile(table);
    }
    return files;
}

Box WaitForBox(const ui::Program &program, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : ui::WindowsOf(program.Id())) {
            for (int id : {0xFFFF, 1024}) {
                if (GetDlgItem(window, id)) {
                    KeepScreenshot();
                    return {window, ui::Text(window), ui::ControlText(window, id)};
                }
            }
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return {};
}

HWND WaitForMainWindow(const ui::Program &program, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : ui::WindowsOf(program.Id())) {
            if (GetDlgItem(window, 1023)) {
                KeepScreenshot();
                return window;
            }
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

void QuitAndExpectEnd(const ui::Program &setup, HWND window) {
    ui::PostClick(window, 1015);
    EXPECT_EQ(setup.WaitExit(10000), 0u);
}

void ConfirmAndExpectEnd(const ui::Program &setup, const Box &box) {
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(10000), 0u);
}

void InstallAndConfirm(const std::string &cdDir, const std::string &closingText, DWORD timeoutMs,
                       const std::string &exe) {
    ui::Program setup(exe, cdDir);
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);
    const Box box = WaitForBox(setup, timeoutMs);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, closingText);
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
}

void Screenshot(const std::string &name) {
    CreateDirectoryA("D:\\screens", nullptr);
    ui::SaveScreen("D:\\screens\\" + name + ".bmp");
}

} // namespace e2e
