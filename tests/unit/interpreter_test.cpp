// A whole command list run without a window: which family gets each line,
// in order; the stop at a bad line with the rest left in the list; ALLDONE
// with its closing message, the restart question and the uninstall entry.

#include "script/interpreter.h"

#include "core/app_state.h"
#include "core/install_settings.h"
#include "test_families.h"
#include "test_view.h"

#include <gtest/gtest.h>

namespace {

struct ScriptRun {
    LoggedFamilies families;
    RecordingView view;
    std::vector<std::string> commands;

    explicit ScriptRun(std::vector<std::string> lines) : commands(std::move(lines)) {
        CommandFamilies all = families.All();
        RunCommands(commands, all, view);
    }
    const std::vector<std::string> &Log() const { return families.log.entries; }
};

} // namespace

TEST(Interpreter, EveryFamilyGetsItsLinesInScriptOrder) {
    ScriptRun run({"PROGRESS START",
                   "MKDIR *DESTDIR",
                   "COPY A.TXT *DESTDIR",
                   "COPYDIR DATA *DESTDIR",
                   "RMDIR OLD *DESTDIR",
                   "PROGRESS END",
                   "ADDSTART GROUP Demo",
                   "ADDSTART LINK X X A.EXE *DESTDIR Demo A",
                   "PC_ADDLINK A.EXE *DESTDIR A *DESKTOP",
                   "SPECIAL ADDSTARTUP A.EXE *DESTDIR",
                   "ADDSTART FILE A B",
                   "DELETE *PROGLINK* D A",
                   "SPECIAL ADDPATH *DESTDIR",
                   "EXECUTE A.EXE *DESTDIR",
                   "BROWSEURL SITE",
                   "INSTALL WEBVIEWER",
                   "DIRECTX_INSTALL",
                   "MESSAGE 3 0",
                   "TEST GRAPHCAPS 1 2 3",
                   "IMAGE ONE.BMP 2"});
    const std::vector<std::string> expected = {"files:PROGRESS START",
                                               "files:MKDIR",
                                               "files:COPY",
                                               "files:COPYDIR",
                                               "files:RMDIR",
                                               "files:PROGRESS END",
                                               "shell:ADDSTART GROUP",
                                               "shell:ADDSTART LINK",
                                               "shell:PC_ADDLINK",
                                               "shell:ADDSTARTUP",
                                               "shell:ADDSTART FILE",
                                               "shell:DELETE",
                                               "registry:ADDPATH",
                                               "programs:EXECUTE",
                                               "programs:BROWSEURL",
                                               "components:INSTALL",
                                               "components:DIRECTX_INSTALL",
                                               "display:MESSAGE",
                                               "display:TEST"};
    EXPECT_EQ(run.Log(), expected);
    ASSERT_EQ(run.view.images.size(), 1u);
    EXPECT_EQ(run.view.images[0].file, "ONE.BMP");
    EXPECT_TRUE(run.commands.empty());
    EXPECT_EQ(run.view.endResult, 0); // the end of the list ends the dialog
    EXPECT_TRUE(run.view.alerts.empty());
    EXPECT_TRUE(run.view.dialogs.empty());
}

TEST(Interpreter, UnknownLineStopsTheRunAndLeavesTheRestUnrun) {
    ScriptRun run({"MKDIR *DESTDIR", "copy a b", "COPY A.TXT *DESTDIR", "ALLDONE"});
    EXPECT_EQ(run.Log(), std::vector<std::string>{"files:MKDIR"});
    ASSERT_EQ(run.view.alerts.size(), 1u);
    EXPECT_EQ(run.view.alerts[0].text, "copy a b");
    EXPECT_EQ(run.view.alerts[0].caption, "Script SETUP.INF is not valid");
    EXPECT_EQ(run.view.endResult, 0);
    EXPECT_EQ(run.commands, (std::vector<std::string>{"COPY A.TXT *DESTDIR", "ALLDONE"}));
    EXPECT_TRUE(run.view.dialogs.empty());
}

TEST(Interpreter, MalformedCopyStopsWithItsOwnMessage) {
    ScriptRun run({"COPY ONLYONE", "MKDIR *DESTDIR"});
    EXPECT_TRUE(run.Log().empty());
    ASSERT_EQ(run.view.alerts.size(), 1u);
    EXPECT_EQ(run.view.alerts[0].text, "COPY not valid");
    EXPECT_EQ(run.view.alerts[0].caption, "Setup");
    EXPECT_EQ(run.commands, std::vector<std::string>{"MKDIR *DESTDIR"});
}

TEST(Interpreter, AllDoneWritesTheEntryShowsTheClosingMessageAndStops) {
    App().languageIndex = 1;
    ScriptRun run({"ALLDONE", "MKDIR *DESTDIR"});
    EXPECT_EQ(run.Log(), std::vector<std::string>{"registry:uninstall entry"});
    ASSERT_EQ(run.view.dialogs.size(), 1u);
    const MessageRequest &shown = run.view.dialogs[0];
    EXPECT_FALSE(shown.yesNo);
    EXPECT_EQ(shown.mode, 2);
    EXPECT_EQ(shown.number, 92); // "Setup is finished." in English
    EXPECT_EQ(shown.width, 320);
    EXPECT_EQ(shown.height, 100);
    EXPECT_FALSE(run.view.restartRequested);
    EXPECT_EQ(run.view.endResult, 0);
    EXPECT_EQ(run.commands, std::vector<std::string>{"MKDIR *DESTDIR"});
    App().languageIndex = 0;
}

TEST(Interpreter, RestartOnlyWhenTheUserSaysYes) {
    for (const int answer : {1, 2}) {
        LoggedFamilies families;
        RecordingView view;
        view.answer = answer;
        std::vector<std::string> commands{"ALLDONE REBOOT"};
        CommandFamilies all = families.All();
        RunCommands(commands, all, view);
        ASSERT_EQ(view.dialogs.size(), 1u);
        EXPECT_TRUE(view.dialogs[0].yesNo);
        EXPECT_EQ(view.dialogs[0].number, 97); // French: the language index is 0
        EXPECT_EQ(view.dialogs[0].height, 200);
        EXPECT_EQ(view.restartRequested, answer == 1);
        EXPECT_EQ(view.endResult, 0);
    }
}

TEST(Interpreter, TitlesOfWindowsToClose) {
    InstallSettings settings;
    settings.windowsToClose = {{"Untitled -", "Notepad"}, // KILL Notepad Untitled -
                               {"*product", "Demo"},
                               {"Setup", "Morvel"}, // never ourselves
                               {"My|Tool", "x"}};
    const std::vector<std::string> expected = {"Untitled - Notepad", "Demo Title", "My Tool x"};
    EXPECT_EQ(TitlesToClose(settings, "Demo Title"), expected);
}
