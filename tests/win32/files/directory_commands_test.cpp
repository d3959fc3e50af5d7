#include "files/directory_commands.h"

#include "files/copy_engine.h"
#include "script/install_settings.h"
#include "test_view.h"
#include "ui/run_state.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A CD folder with a product tree below DATA, and an install folder.
class DirectoryCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    InstallSettings settings;
    RecordingView view;
    CopyEngine engine{settings, view};
    Directories dirs;
    std::string marker = "DEMOA110.CD1";

    void SetUp() override {
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
        engine.SetLabels({"cur ", "tot ", "CUR ", "TOT "});
    }
    DirectoryCommandContext Context(bool progress) {
        return DirectoryCommandContext{dirs, marker, engine, view, progress};
    }
    void Make(const std::string &relative) {
        CreateDirectoryA((dirs.install + relative).c_str(), nullptr);
    }
};

} // namespace

TEST_F(DirectoryCommandTest, CopyDirWithAllFilesCopiesOnlyTheTopFiles) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Make("SUB");
    auto context = Context(true);
    CopyDirCommand("COPYDIR SUB\\*.* *DESTDIR\\SUB", context);
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\A.TXT"), "a");
    EXPECT_FALSE(Exists(dirs.install + "SUB\\DEEP"));
    EXPECT_EQ(view.progress.size(), 1u);
    EXPECT_EQ(view.endResult, -1);
}

TEST_F(DirectoryCommandTest, CopyDirCopiesTheWholeTreeCreatingSubdirectories) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Make("SUB");
    auto context = Context(false);
    CopyDirCommand("COPYDIR SUB SUB", context);
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\A.TXT"), "a");
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\DEEP\\B.TXT"), "bb");
    EXPECT_TRUE(view.progress.empty()); // outside PROGRESS START / END
}

TEST_F(DirectoryCommandTest, CopyKeepsTheRelativePathUnderTheMacro) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    Make("SUB");
    auto context = Context(true);
    CopyCommand("COPY SUB\\A.TXT *DESTDIR", context);
    EXPECT_EQ(ReadBytes(dirs.install + "SUB\\A.TXT"), "a");
    ASSERT_EQ(view.progress.size(), 1u);
    EXPECT_EQ(view.progress[0].fileLine, "cur A.TXT 100%");
}

TEST_F(DirectoryCommandTest, MarkerFileComesFromTheCdRootWithoutProgress) {
    CreateDirectoryA(dirs.install.c_str(), nullptr);
    auto context = Context(true);
    CopyCommand("COPY NOMENCLATUREFILE *DESTDIR", context);
    EXPECT_EQ(ReadBytes(dirs.install + marker), "disk 1");
    EXPECT_TRUE(view.progress.empty());
}

TEST_F(DirectoryCommandTest, CopyLinesWithoutBothWordsStopTheRun) {
    for (const char *line : {"COPY TOP.TXT", "COPY", "COPYDIR SUB", "COPYDIR"}) {
        RecordingView fresh;
        CopyEngine freshEngine{settings, fresh};
        DirectoryCommandContext context{dirs, marker, freshEngine, fresh, true};
        if (std::string(line).rfind("COPYDIR", 0) == 0)
            CopyDirCommand(line, context);
        else
            CopyCommand(line, context);
        ASSERT_EQ(fresh.alerts.size(), 1u) << line;
        EXPECT_EQ(fresh.alerts[0].text, "COPY not valid");
        EXPECT_EQ(fresh.alerts[0].caption, "Setup");
        EXPECT_EQ(fresh.endResult, 0) << line;
    }
}

TEST_F(DirectoryCommandTest, UnknownTargetMacroIsAWrongFileFormat) {
    auto context = Context(true);
    CopyCommand("COPY TOP.TXT *NOWHERE", context);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, "Wrong file format");
    EXPECT_EQ(view.endResult, 0);
}

TEST_F(DirectoryCommandTest, MkdirCreatesEveryMissingLevel) {
    auto context = Context(false);
    MakeDirCommand("MKDIR GAME\\SAVE *DESTDIR", context);
    EXPECT_TRUE(Exists(dirs.install + "GAME\\SAVE"));
    MakeDirCommand("MKDIR My|Saves *DESTDIR", context);
    EXPECT_TRUE(Exists(dirs.install + "My Saves"));
    EXPECT_EQ(view.endResult, -1);
}

TEST_F(DirectoryCommandTest, OverlongPathsAreCutNotOverrun) {
    auto context = Context(false);
    const std::string longName(400, 'x');
    MakeDirCommand("MKDIR " + longName + " *DESTDIR", context);
    // The directory made is the path cut to its first 255 characters.
    EXPECT_TRUE(Exists((dirs.install + longName).substr(0, 255)));
    EXPECT_FALSE(Exists((dirs.install + longName).substr(0, 256)));
    EXPECT_EQ(view.endResult, -1);
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
    auto context = Context(false);
    RemoveDirCommand("RMDIR TEMP *DESTDIR", context);
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
