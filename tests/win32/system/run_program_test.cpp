// Programs started and waited for: the command line and working directory
// they get, the window of a title closed first, a program that is not there,
// and the BROWSEURL question.

#include "core/app_state.h"
#include "core/run_state.h"
#include "files/canonical_path_win.h"
#include "system/component_commands.h"
#include "files/copy_engine.h"
#include "system/browse_url_win.h"
#include "system/program_commands.h"
#include "system/run_program_win.h"
#include "system_test_support.h"

#include <gtest/gtest.h>

#include <functional>

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

// In the install folder, which every user may change, only the program this
// run wrote there, still as the CD has it, is started.
TEST(RunProgram, ExecuteGetsItsArgumentsAndDirectoryAndIsAwaited) {
    const struct {
        const char *name;
        bool writtenByTheRun;
        bool changedSince;
        bool started;
    } kCases[] = {{"written by the run", true, false, true},
                  {"left there by someone", false, false, false},
                  {"changed since the run wrote it", true, true, false}};
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        RunState run;
        run.dirs = DirsOn(folder);
        const std::string program = run.dirs.install + "run_probe.exe";
        CopyFileA(ProbePath().c_str(), program.c_str(), FALSE);
        if (c.writtenByTheRun)
            run.written.Add(CanonicalPath(program), ProbePath());
        if (c.changedSince) {
            HANDLE file =
                CreateFileA(program.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            SetFilePointer(file, 0, nullptr, FILE_END);
            DWORD written = 0;
            WriteFile(file, "x", 1, &written, nullptr);
            CloseHandle(file);
        }
        PumpingView view;
        const auto programs = MakeProgramCommands(run, view);
        programs->Run(ExecuteCommand{"run_probe.exe", "/x", "*DESTDIR", ""});
        const auto lines = ProbeLines(run.dirs.install);
        if (!c.started) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], run.dirs.install + "run_probe.exe /x");
        EXPECT_EQ(WithoutBackslash(lines[1]), WithoutBackslash(run.dirs.install));
        EXPECT_EQ(view.shown, (std::vector<bool>{false, true}));
        EXPECT_TRUE(view.alerts.empty());
    }
}

TEST(RunProgram, WaitLastsUntilTheProgramEnds) {
    TempFolder folder;
    PumpingView view;
    ProgramLaunch launch{ProbePath(), QuotedProbe() + " sleep 700", folder.Path(), ""};
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
    ProgramLaunch launch{ProbePath(), QuotedProbe(), folder.Path(), "Probe Title 12"};
    const DWORD start = GetTickCount();
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_LT(GetTickCount() - start, 4000u); // not the bounded wait's full length
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
}

// A launcher's window of the title, shown while the program runs, on this
// thread's timers.
HWND g_launcherWindow = nullptr;
void CALLBACK ShowLauncherWindow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_launcherWindow = TitledWindow("Probe Launcher 12", true);
}
void CALLBACK CloseLauncherWindow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DestroyWindow(g_launcherWindow);
}

TEST(RunProgram, WindowOfTheTitleIsAwaitedAfterTheProgramWhileItAnswers) {
    TempFolder folder;
    PumpingView view;
    // The program ends after 0.7 s; its window stays until the user closes it
    // 6.5 s after the start, and the run waits for that.
    SetTimer(nullptr, 0, 300, ShowLauncherWindow);
    SetTimer(nullptr, 0, 6500, CloseLauncherWindow);
    ProgramLaunch launch{ProbePath(), QuotedProbe() + " sleep 700", folder.Path(),
                         "Probe Launcher 12"};
    const DWORD start = GetTickCount();
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    EXPECT_GE(GetTickCount() - start, 6400u);
    EXPECT_FALSE(IsWindow(g_launcherWindow));
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
    EXPECT_EQ(view.shown, (std::vector<bool>{false, true}));
}

TEST(RunProgram, ExitCodeOfStillActiveEndsTheWait) {
    TempFolder folder;
    PumpingView view;
    ProgramLaunch launch{ProbePath(), QuotedProbe() + " exit259", folder.Path(), ""};
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
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
        EXPECT_FALSE(AskAndBrowse(nullptr, "Visit the site?", ProbePath()));
        EXPECT_TRUE(answer.Answered());
    }
    Sleep(500);
    EXPECT_FALSE(Exists(folder / "probe-out.txt"));
    {
        DialogAnswer answer("Setup", IDYES);
        EXPECT_TRUE(AskAndBrowse(nullptr, "Visit the site?", ProbePath()));
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
    const int language = App().languageIndex;
    App().languageIndex = 3;                // Spanish
    view.SetMessage("Instalando el juego"); // the script's MESSAGE
    ProgramLaunch launch{ProbePath(), QuotedProbe() + " sleep 16500", folder.Path(), ""};
    EXPECT_TRUE(RunProgramAndWait(launch, view));
    App().languageIndex = language;
    // Hidden, shown again after a while with what setup waits for, in the
    // run's language, and shown at the end with the script's message back.
    EXPECT_EQ(view.shown, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Instalando el juego",
                                                       "Esperando a que termine run_probe.exe...",
                                                       "Instalando el juego"}));
    EXPECT_EQ(ProbeLines(folder.Path()).size(), 2u);
}

TEST(RunProgram, QuestionsAreOwnedByTheMainWindowAndDisableIt) {
    TempFolder folder;
    RunState run;
    run.dirs = DirsOn(folder);
    PumpingView view;
    view.owner = TitledWindow("Probe Main Window 12");
    ASSERT_TRUE(view.owner);
    CopyEngine engine(run.settings, view);
    const auto programs = MakeProgramCommands(run, view);
    const auto components = MakeComponentCommands(run, view, engine);
    const struct {
        const char *caption;
        WPARAM no;
        std::function<void()> ask;
    } kQuestions[] = {
        {"Setup", IDNO, [&] { programs->Run(BrowseUrlCommand{"NOSUCHADDRESS"}); }},
        {"", IDCANCEL,
         [&] {
             components->Run(DirectXInstallCommand{"NOSUCH.EXE", "", "*DESTDIR", "7"});
         }},
    };
    for (const auto &question : kQuestions) {
        DialogAnswer answer(question.caption, question.no);
        question.ask();
        EXPECT_TRUE(answer.Answered()) << question.caption;
        EXPECT_EQ(answer.Owner(), view.owner) << question.caption;
        EXPECT_TRUE(answer.OwnerDisabled()) << question.caption;
    }
    DestroyWindow(view.owner);
}
