#include "files/copy_engine.h"

#include "core/install_settings.h"
#include "test_view.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CopyEngineTest : public ::testing::Test {
protected:
    TempFolder folder;
    InstallSettings settings;
    RecordingView view;
    CopyEngine engine{settings, view};

    // A source and an installed file with their modification times.
    void Pair(std::int64_t sourceTime, std::int64_t installedTime) {
        WriteBytes(folder / "src.dat", "new bytes");
        SetTimes(folder / "src.dat", Stamp(sourceTime), Stamp(0));
        WriteBytes(folder / "dst.dat", "old");
        SetTimes(folder / "dst.dat", Stamp(installedTime), Stamp(0));
    }
    int Copy(bool progress = true) {
        return engine.CopieFichier(folder / "src.dat", folder / "dst.dat", progress);
    }
};

} // namespace

TEST_F(CopyEngineTest, EqualTimesAreReplacedInModeZeroAndKeptInStrictMode) {
    Pair(100, 100);
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "new bytes");

    Pair(100, 100);
    settings.strictCopyMode = true;
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "old");

    Pair(100, 99); // an older installed file goes in both modes
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "new bytes");
    EXPECT_FALSE(Exists(folder / "$$$$$$$$.TMP"));
}

TEST_F(CopyEngineTest, NewerInstalledFileIsKeptButItsBytesCount) {
    engine.SetLabels({"cur ", "tot ", "CUR ", "TOT "});
    settings.totalBytes = 18;
    for (bool strict : {false, true}) {
        settings.strictCopyMode = strict;
        Pair(100, 101);
        EXPECT_EQ(Copy(), 1);
        EXPECT_EQ(ReadBytes(folder / "dst.dat"), "old");
    }
    ASSERT_EQ(view.progress.size(), 2u);
    EXPECT_EQ(engine.Progress().bytesDone, 18u);
    EXPECT_EQ(view.progress[0].fileLine, "CUR src.dat 100%");
    EXPECT_EQ(view.progress[0].totalLine, "TOT 50%");
    EXPECT_EQ(view.progress[1].totalLine, "TOT 100%");
    EXPECT_EQ(view.progress[1].totalBarWidth, kProgressBarWidth);

    Pair(100, 101);
    EXPECT_EQ(Copy(false), 1); // without progress nothing counts
    EXPECT_EQ(engine.Progress().bytesDone, 18u);
    EXPECT_EQ(view.progress.size(), 2u);
}

TEST_F(CopyEngineTest, ReadOnlyFilesOnEitherSide) {
    Pair(200, 100);
    SetFileAttributesA((folder / "src.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((folder / "dst.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "new bytes");
    const DWORD attributes = GetFileAttributesA((folder / "dst.dat").c_str());
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(SameTime(ModifiedTime(folder / "dst.dat"), Stamp(200)));
}

TEST_F(CopyEngineTest, EmptyFileIsCopiedWithoutProgressAndStamped) {
    WriteBytes(folder / "src.dat", "");
    SetTimes(folder / "src.dat", Stamp(500), Stamp(1));
    WriteBytes(folder / "dst.dat", "older and longer");
    SetTimes(folder / "dst.dat", Stamp(400), Stamp(1));
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "");
    EXPECT_TRUE(SameTime(ModifiedTime(folder / "dst.dat"), Stamp(500)));
    EXPECT_TRUE(view.progress.empty());
}

TEST_F(CopyEngineTest, MillionByteFileMovesTheBarInFourBlocks) {
    std::string bytes(1000000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    WriteBytes(folder / "src.dat", bytes);
    settings.totalBytes = 2000000;
    engine.SetLabels({"F: ", "T: ", "", ""});
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "new.dat", true), 1);
    EXPECT_EQ(ReadBytes(folder / "new.dat"), bytes);

    ASSERT_EQ(view.progress.size(), 4u);
    const std::uint64_t steps[] = {262144, 524288, 786432, 1000000};
    const int widths[] = {80, 160, 240, 306};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view.progress[i].fileDone, steps[i]);
        EXPECT_EQ(view.progress[i].fileBarWidth, widths[i]);
        EXPECT_EQ(view.progress[i].bytesDone, steps[i]);
    }
    EXPECT_EQ(view.progress[0].fileLine, "F: src.dat 26%");
    EXPECT_EQ(view.progress[3].fileLine, "F: src.dat 100%");
    EXPECT_EQ(view.progress[3].totalLine, "T: 50%");
    EXPECT_EQ(view.progress[3].totalBarWidth, 153);
    EXPECT_EQ(view.pumped, 0); // no WAITWRITE line, no waiting
}

TEST_F(CopyEngineTest, WritePauseWaitsOnTheTickCountAfterEachBlock) {
    WriteBytes(folder / "src.dat", std::string(600000, 'w'));
    settings.writePause = true;
    settings.writePauseTicks = 0; // until the next tick
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(view.pumped, 3);

    view.pumped = 0;
    settings.writePauseTicks = 4;
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "b.dat", true), 1);
    EXPECT_EQ(view.pumped, 15);

    view.pumped = 0;
    view.ticks = 0xFFFFFFFEu; // the count wraps during the wait
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "c.dat", true), 1);
    EXPECT_EQ(view.pumped, 15);

    view.pumped = 0;
    settings.writePauseTicks = -5;
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "d.dat", true), 1);
    EXPECT_EQ(view.pumped, 0);
}

TEST_F(CopyEngineTest, MissingSourceIsSkippedSilently) {
    EXPECT_EQ(engine.CopieFichier(folder / "none.dat", folder / "x.dat", true), 0);
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_FALSE(Exists(folder / "x.dat"));
}

TEST_F(CopyEngineTest, UnwritableDestinationFolderIsReportedAndLeavesNoTemporaryFile) {
    WriteBytes(folder / "src.dat", "x");
    const std::string target = folder / "no such folder\\x.dat";
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", target, true), 0);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, folder / "no such folder\\$$$$$$$$.TMP");
    EXPECT_EQ(view.alerts[0].caption, "Setup");
    EXPECT_FALSE(view.RunEnded());
}

TEST_F(CopyEngineTest, FailedReplaceKeepsTheInstalledFile) {
    Pair(200, 100);
    // Held open without sharing, as a running program holds its files.
    HANDLE held = CreateFileA((folder / "dst.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Copy(), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "old");
    EXPECT_FALSE(Exists(folder / "$$$$$$$$.TMP"));
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, folder / "$$$$$$$$.TMP");
}

TEST_F(CopyEngineTest, FailedReplaceOfReadOnlyFileRestoresItsAttribute) {
    Pair(200, 100);
    SetFileAttributesA((folder / "dst.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA((folder / "dst.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Copy(), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "old");
    EXPECT_TRUE(GetFileAttributesA((folder / "dst.dat").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(CopyEngineTest, BufferThatCannotBeHadEndsTheInstallation) {
    WriteBytes(folder / "src.dat", "x");
    engine.SetBufferSize(static_cast<std::size_t>(-1) / 2);
    EXPECT_EQ(Copy(), 0);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, "CopieFichier Allocation Problem");
    EXPECT_EQ(view.alerts[0].caption, "Setup");
    EXPECT_EQ(view.endResult, 0);
    EXPECT_FALSE(Exists(folder / "dst.dat"));
}

TEST(DirectorySize, CountsFilesAndOptionallySubdirectories) {
    TempFolder folder;
    CreateDirectoryA((folder / "A").c_str(), nullptr);
    CreateDirectoryA((folder / "A\\B").c_str(), nullptr);
    CreateDirectoryA((folder / "A\\B\\C").c_str(), nullptr);
    WriteBytes(folder / "A\\one", std::string(10, '1'));
    WriteBytes(folder / "A\\empty", "");
    WriteBytes(folder / "A\\B\\two", std::string(200, '2'));
    WriteBytes(folder / "A\\B\\C\\three", std::string(3000, '3'));

    EXPECT_EQ(DirectorySize(folder / "A", false), 10u);
    EXPECT_EQ(DirectorySize(folder / "A", true), 3210u);
    EXPECT_EQ(DirectorySize(folder / "A\\", true), 3210u);
    EXPECT_EQ(DirectorySize(folder / "A\\*.*", false), 10u);
    EXPECT_EQ(DirectorySize(folder / "A\\B\\*.*", true), 3200u);
    EXPECT_EQ(DirectorySize(folder / "missing", true), 0u);
}

TEST(CopyEngineFullDisk, WriteFailureIsReportedAndKeepsTheInstalledFile) {
    const std::string disk = "E:\\files-full\\";
    ULARGE_INTEGER available, size, free;
    if (!GetDiskFreeSpaceExA(disk.c_str(), &available, &size, &free) || size.QuadPart > (64u << 20))
        GTEST_SKIP() << "no small disk mounted at " << disk;
    TempFolder source;
    WriteBytes(source / "big.dat", std::string(4 << 20, 'b'));
    SetTimes(source / "big.dat", Stamp(100), Stamp(0));
    WriteBytes(disk + "game.dat", "installed");
    SetTimes(disk + "game.dat", Stamp(1), Stamp(0));

    InstallSettings settings;
    RecordingView view;
    CopyEngine engine(settings, view);
    EXPECT_EQ(engine.CopieFichier(source / "big.dat", disk + "game.dat", true), 0);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, disk + "$$$$$$$$.TMP");
    EXPECT_EQ(ReadBytes(disk + "game.dat"), "installed");
    EXPECT_FALSE(Exists(disk + "$$$$$$$$.TMP"));
    DeleteFileA((disk + "game.dat").c_str());

    // Nothing installed: the copy written in place is removed again.
    view.alerts.clear();
    EXPECT_EQ(engine.CopieFichier(source / "big.dat", disk + "new.dat", true), 0);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, disk + "new.dat");
    EXPECT_FALSE(Exists(disk + "new.dat"));
}
