// Programs started and waited for: the command line and working directory
// they get, the window of a title closed first, a program that is not there,
// and the BROWSEURL question.

#include "core/run_state.h"
#include "system/browse_url_win.h"
#include "system/program_commands.h"
#include "system/run_program_win.h"
#include "system_test_support.h"

#include <gtest/gtest.h>

namespace {

Directories DirsOn(const TempFolder &folder) {
    Directories dirs;
    dirs.current = folder.Path();
    dirs.source = folder.Path();
    dirs.install = folder / "INST\\";
    dirs.windows = folder.Path();
    dirs.system = folder.Path();
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    return dirs;
}

// Output lines of the probe: command line, working directory, and so on for
// each start.
std::vector<std::string> ProbeLines(const std::string &dir) {
    std::vector<std::string> lines;
    const std::string text = ReadBytes(dir + "probe-out.txt");
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// The probe's path in quotes, built by appending: GCC 12 takes "\"" +
// std::string for an overlapping copy (-Wrestrict).
std::string QuotedProbe() {
    std::string quoted = "\"";
    return quoted.append(ProbePath()).append("\"");
}

std::string WithoutBackslash(std::string dir) {
    if (dir.size() > 3 && dir.back() == '\\')
        dir.pop_back();
    return dir;
}

LRESULT CALLBACK ClosingOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // WM_DESTROY sent by another program does not destroy the window by
    // itself: a well-behaved window closes on it.
    if (message == WM_DESTROY && GetPropA(window, "closing") == nullptr) {
        SetPropA(window, "closing", reinterpret_cast<HANDLE>(1));
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemovePropA(window, "closing");
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of this thread; a stubborn one ignores WM_DESTROY sent to it.
HWND TitledWindow(const char *title, bool stubborn = false) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = stubborn ? DefWindowProcA : ClosingOnDestroy;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = stubborn ? "RunProgramStubborn" : "RunProgramTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowA(windowClass.lpszClassName, title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(RunProgram, ExecuteGetsItsArgumentsAndDirectoryAndIsAwaited) {
    TempFolder folder;
    RunState run;
    run.dirs = DirsOn(folder);
    CopyFileA(ProbePath().c_str(), (run.dirs.install + "run_probe.exe").c_str(), FALSE);
    PumpingView view;
    const auto programs = MakeProgramCommands(run, view);
    programs->Run(ExecuteCommand{"run_probe.exe", "/x", "*DESTDIR", ""});
    const auto lines = ProbeLines(run.dirs.install);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], run.dirs.install + "run_probe.exe /x");
    EXPECT_EQ(WithoutBackslash(lines[1]), WithoutBackslash(run.dirs.install));
    EXPECT_EQ(view.shown, (std::vector<bool>{false, true}));
    EXPECT_TRUE(view.alerts.empty());
}

TEST(RunProgram, WaitLastsUntilTheProgramEnds) {
    TempFolder folder;
    PumpingView view;
    ProgramLaunch launch{QuotedProbe() + " sleep 700", folder.Path(), ""};
    const DWORD start = GetTickCount();
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    EXPECT_GE(GetTickCount() - start, 600u);
    const auto lines = ProbeLines(folder.Path());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("sleep 700"), std::string::npos);
    EXPECT_EQ(WithoutBackslash(lines[1]), WithoutBackslash(folder.Path()));
}

TEST(RunProgram, WindowOfTheTitleIsClosedBeforeTheStart) {
    TempFolder folder;
    PumpingView view;
    HWND window = TitledWindow("Probe Title 12");
    ASSERT_TRUE(window);
    ProgramLaunch launch{QuotedProbe(), folder.Path(), "Probe Title 12"};
    const DWORD start = GetTickCount();
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_LT(GetTickCount() - start, 4000u); // not the bounded wait's full length
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
}

TEST(RunProgram, StubbornWindowOfTheTitleHoldsTheRunUpOnlyForAWhile) {
    TempFolder folder;
    PumpingView view;
    HWND window = TitledWindow("Probe Stubborn 12", true);
    ASSERT_TRUE(window);
    ProgramLaunch launch{QuotedProbe(), folder.Path(), "Probe Stubborn 12"};
    const DWORD start = GetTickCount();
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    // A few seconds before the start and a few after the end, no more.
    EXPECT_LT(GetTickCount() - start, 15000u);
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
    EXPECT_EQ(view.shown, (std::vector<bool>{false, true}));
    DestroyWindow(window);
}

TEST(RunProgram, MissingProgramLeavesTheWindowAndTheRunAlone) {
    TempFolder folder;
    RunState run;
    run.dirs = DirsOn(folder);
    PumpingView view;
    const auto programs = MakeProgramCommands(run, view);
    programs->Run(ExecuteCommand{"NOSUCH.EXE", "", "*DESTDIR", ""});
    EXPECT_TRUE(view.shown.empty()); // never hidden
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_FALSE(view.RunEnded());
}

TEST(BrowseUrl, NoOpensNothingYesHandsTheAddressToTheShell) {
    TempFolder folder;
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.Path().c_str());
    {
        DialogAnswer answer("Setup", IDNO);
        EXPECT_FALSE(AskAndBrowse("Visit the site?", ProbePath()));
        EXPECT_TRUE(answer.Answered());
    }
    Sleep(500);
    EXPECT_FALSE(Exists(folder / "probe-out.txt"));
    {
        DialogAnswer answer("Setup", IDYES);
        EXPECT_TRUE(AskAndBrowse("Visit the site?", ProbePath()));
    }
    // The shell starts the program without waiting for it.
    for (int i = 0; i < 100 && !Exists(folder / "probe-out.txt"); ++i)
        Sleep(50);
    EXPECT_TRUE(Exists(folder / "probe-out.txt"));
    Sleep(200);
    SetCurrentDirectoryA(previous);
}

TEST(RunProgram, ProgramWithoutAWindowBringsTheMainWindowBackWhileAwaited) {
    TempFolder folder;
    PumpingView view;
    ProgramLaunch launch{QuotedProbe() + " sleep 16500", folder.Path(), ""};
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    // Hidden, shown again after a while with what setup waits for, and
    // shown at the end.
    EXPECT_EQ(view.shown, (std::vector<bool>{false, true, true}));
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0], "Waiting for run_probe.exe to finish...");
    EXPECT_EQ(view.messages[1], "");
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
}
