#include "files/directory_commands.h"

#include "core/install_settings.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/file_commands.h"
#include "test_families.h"
#include "test_view.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A CD folder with a product tree below DATA, and an install folder.
class DirectoryCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    RunState run;
    InstallSettings &settings = run.settings;
    Directories &dirs = run.dirs;
    RecordingView view;
    std::string marker = "DEMOA110.CD1";

    void SetUp() override {
        run.markerName = marker;
        dirs.current = folder / "cd\\";
        dirs.source = folder / "cd\\DATA\\";
        dirs.install = folder / "inst\\";
        CreateDirectoryA(dirs.current.c_str(), nullptr);
        CreateDirectoryA(dirs.source.c_str(), nullptr);
        CreateDirectoryA((dirs.source + "SUB").c_str(), nullptr);
        CreateDirectoryA((dirs.source + "SUB\\DEEP").c_str(), nullptr);
        WriteBytes(dirs.current + marker, "disk 1");
        WriteBytes(dirs.source + "TOP.TXT", "top");
        WriteBytes(dirs.source + "SUB\\A.TXT", "a");
        WriteBytes(dirs.source + "SUB\\DEEP\\B.TXT", "bb");
    }
    // Runs script lines through the real file commands, as the interpreter
    // does: `progress` puts them between PROGRESS START and PROGRESS END.
    void Run(std::vector<std::string> lines, bool progress, RecordingView &on) {
        if (progress)
            lines.insert(lines.begin(), "PROGRESS START");
        lines.push_back("PROGRESS END");
        lines.push_back("ALLDONE");
        LoggedFamilies families;
        CopyEngine engine(run.settings, on);
        const auto files = MakeFileCommands(run, on, engine);
        CommandFamilies all = families.With(*files);
        on.answer = 1;
        RunCommands(lines, all, on);
    }
    void Run(const std::string &line, bool progress) { Run({line}, progress, view); }
    bool Ended() const { return view.endResult == 0 && view.dialogs.empty(); }
    void Make(const std::string &relative) {
        CreateDirectoryA((dirs.install + relative).c_str(), nullptr);
    }
};

} // namespace

TEST_F(DirectoryCommandTest, CopyDirWithAllFilesCopiesOnlyTheTopFiles) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Make("SUB");
    Run("COPYDIR SUB\\*.* *DESTDIR\\SUB", true);
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\A.TXT"), "a");
    EXPECT_FALSE(Exists(dirs.install + "SUB\\DEEP"));
    EXPECT_EQ(view.progress.size(), 1u);
    EXPECT_FALSE(Ended());
}

TEST_F(DirectoryCommandTest, CopyDirCopiesTheWholeTreeCreatingSubdirectories) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Make("SUB");
    Run("COPYDIR SUB SUB", false);
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\A.TXT"), "a");
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\DEEP\\B.TXT"), "bb");
    EXPECT_TRUE(view.progress.empty()); // outside PROGRESS START / END
}

TEST_F(DirectoryCommandTest, CopyKeepsTheRelativePathUnderTheMacro) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Make("SUB");
    Run("COPY SUB\\A.TXT *DESTDIR", true);
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\A.TXT"), "a");
    ASSERT_EQ(view.progress.size(), 1u);
    EXPECT_NE(view.progress[0].fileLine.find("A.TXT 100%"), std::string::npos);
}

TEST_F(DirectoryCommandTest, MarkerFileComesFromTheCdRootWithoutProgress) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Run("COPY NOMENCLATUREFILE *DESTDIR", true);
    EXPECT_EQ(ReadBytes(dirs.install + marker), "disk 1");
    EXPECT_TRUE(view.progress.empty());
}

TEST_F(DirectoryCommandTest, CopyLinesWithoutBothWordsStopTheRun) {
    for (const char *line : {"COPY TOP.TXT", "COPY", "COPYDIR SUB", "COPYDIR"}) {
        RecordingView fresh;
        Run({line, "MKDIR LATER *DESTDIR"}, true, fresh);
        ASSERT_EQ(fresh.alerts.size(), 1u) << line;
        EXPECT_EQ(fresh.alerts[0].text, "COPY not valid");
        EXPECT_EQ(fresh.alerts[0].caption, "Setup");
        EXPECT_EQ(fresh.endResult, 0) << line;
        EXPECT_TRUE(fresh.dialogs.empty()) << "the run went on after " << line;
        EXPECT_FALSE(Exists(dirs.install + "LATER"));
    }
}

TEST_F(DirectoryCommandTest, UnknownTargetMacroIsAWrongFileFormat) {
    Run("COPY TOP.TXT *NOWHERE", true);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, "Wrong file format");
    EXPECT_TRUE(Ended());
}

TEST_F(DirectoryCommandTest, MkdirCreatesEveryMissingLevel) {
    Run({"MKDIR GAME\\SAVE *DESTDIR", "PC_MKDIR My|Saves *DESTDIR"}, false, view);
    EXPECT_TRUE(Exists(dirs.install + "GAME\\SAVE"));
    EXPECT_TRUE(Exists(dirs.install + "My Saves"));
    EXPECT_FALSE(Ended());
}

TEST_F(DirectoryCommandTest, OverlongPathsAreCutNotOverrun) {
    const std::string longName(400, 'x');
    Run("MKDIR " + longName + " *DESTDIR", false);
    // The directory made is the path cut to its first 255 characters.
    EXPECT_TRUE(Exists((dirs.install + longName).substr(0, 255)));
    EXPECT_FALSE(Exists((dirs.install + longName).substr(0, 256)));
    EXPECT_FALSE(Ended());
}

TEST_F(DirectoryCommandTest, RmdirKeepsReadOnlyFilesTheirChainAndTheDirectory) {
    Make("");
    Make("TEMP");
    Make("TEMP\\A");
    Make("TEMP\\B");
    Make("TEMP\\B\\C");
    WriteBytes(dirs.install + "TEMP\\top.txt", "x");
    WriteBytes(dirs.install + "TEMP\\A\\a.txt", "x");
    WriteBytes(dirs.install + "TEMP\\B\\C\\kept.txt", "x");
    SetFileAttributesA((dirs.install + "TEMP\\B\\C\\kept.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Run("RMDIR TEMP *DESTDIR", false);
    EXPECT_FALSE(Exists(dirs.install + "TEMP\\top.txt"));
    EXPECT_FALSE(Exists(dirs.install + "TEMP\\A"));
    EXPECT_TRUE(Exists(dirs.install + "TEMP\\B\\C\\kept.txt"));
    EXPECT_TRUE(Exists(dirs.install + "TEMP"));
}

TEST_F(DirectoryCommandTest, CleanUpKeepsNamedFilesOtherMarkersAndSubdirectories) {
    Make("");
    Make("SAVES");
    for (const char *name : {"GAME.SAV", "keep.ini", "OLD.DLL", "DEMOA100.CD1", "ZZZZA100.CD1"})
        WriteBytes(dirs.install + name, "x");
    WriteBytes(dirs.install + "SAVES\\S.DAT", "x");
    settings.filesToKeep = {"*.SAV", "KEEP.INI"};
    settings.filesToDelete = {"DEMOA*.CD1"}; // a pattern deletes nothing here
    CleanInstallDirectory(dirs.install, settings, "DEMO");
    EXPECT_TRUE(Exists(dirs.install + "GAME.SAV"));
    EXPECT_TRUE(Exists(dirs.install + "keep.ini"));
    EXPECT_TRUE(Exists(dirs.install + "ZZZZA100.CD1"));
    EXPECT_FALSE(Exists(dirs.install + "OLD.DLL"));
    EXPECT_FALSE(Exists(dirs.install + "DEMOA100.CD1")); // this product's own old marker
    EXPECT_TRUE(Exists(dirs.install + "SAVES\\S.DAT"));
}

TEST_F(DirectoryCommandTest, KeepEverythingDeletesOnlyTheFilesToDelete) {
    Make("");
    for (const char *name : {"A.DAT", "B.DAT", "C.TXT", "D.INI", "DEMOA100.CD1"})
        WriteBytes(dirs.install + name, "x");
    settings.keepEverything = true;
    settings.filesToDelete = {"*.DAT", "D.INI", "DEMOA*.CD1", "MISSING.TXT"};
    CleanInstallDirectory(dirs.install, settings, "DEMO");
    EXPECT_FALSE(Exists(dirs.install + "A.DAT"));
    EXPECT_FALSE(Exists(dirs.install + "B.DAT"));
    EXPECT_FALSE(Exists(dirs.install + "D.INI"));
    EXPECT_FALSE(Exists(dirs.install + "DEMOA100.CD1"));
    EXPECT_TRUE(Exists(dirs.install + "C.TXT"));
}

TEST_F(DirectoryCommandTest, CleanUpOfAMissingDirectoryDoesNothing) {
    CleanInstallDirectory(dirs.install, settings, "DEMO");
    EXPECT_FALSE(Exists(dirs.install));
}
