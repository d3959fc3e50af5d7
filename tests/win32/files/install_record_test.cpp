// The run's record on real files: what the copy engine and the directory
// commands append reaches the file line by line, also when the install
// directory is made only by the script.

#include "files/install_record_win.h"

#include "core/install_settings.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "test_view.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstallRecordFile, LinesWaitForTheInstallDirectoryThenReachTheDiskAtOnce) {
    TempFolder folder;
    const std::string dir = folder / "Product\\Sub";
    const std::string path = folder / "Product\\UNINST$$.REC";
    WriteBytes(folder / "src.dat", "twelve bytes");
    SetTimes(folder / "src.dat", Stamp(1000), Stamp(0));
    InstallSettings settings;
    RecordingView view;
    CopyEngine engine(settings, view);
    {
        InstallRecordFile record(path, folder / "Product\\");
        EXPECT_FALSE(record.Open());
        EXPECT_TRUE(Recording());
        CreateDirectoryPath(dir);
        EXPECT_TRUE(record.Open());
        CreateDirectoryPath(dir); // already there: nothing new to record
        ASSERT_EQ(engine.CopieFichier(folder / "src.dat", dir + "\\GAME.DAT", false), 1);
        // Read while the run still holds it: every line is already there.
        // The uninstaller's copy is made from the lines kept in memory.
        EXPECT_EQ(record.Text(), ReadRecordFile(path));
        const ParsedRecord read = ParseRecord(ReadRecordFile(path));
        ASSERT_TRUE(read.valid);
        ASSERT_EQ(read.entries.size(), 5u);
        EXPECT_EQ(read.entries[0].kind, RecordKind::Language);
        EXPECT_EQ(RecordedInstallDir(read), folder / "Product\\");
        EXPECT_EQ(read.entries[2].kind, RecordKind::Folder);
        EXPECT_EQ(read.entries[2].path, folder / "Product");
        EXPECT_EQ(read.entries[3].path, dir);
        EXPECT_EQ(read.entries[4].kind, RecordKind::File);
        EXPECT_EQ(read.entries[4].path, dir + "\\GAME.DAT");
        EXPECT_EQ(read.entries[4].size, 12u);
        const FILETIME stamp = Stamp(1000);
        EXPECT_EQ(read.entries[4].time,
                  (static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime);
    }
    EXPECT_FALSE(Recording());
    // Outside a run the copies go unrecorded; the next run starts afresh.
    ASSERT_EQ(engine.CopieFichier(folder / "src.dat", dir + "\\OTHER.DAT", false), 1);
    { InstallRecordFile again(path, folder / "Product\\"); }
    const ParsedRecord fresh = ParseRecord(ReadRecordFile(path));
    ASSERT_TRUE(fresh.valid);
    ASSERT_EQ(fresh.entries.size(), 2u);
    EXPECT_EQ(fresh.entries[0].kind, RecordKind::Language);
}
