#include "script/prepass.h"

#include "files/copy_engine.h"
#include "test_view.h"
#include "core/run_state.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Bytes below a folder, summed here independently of DirectorySize.
std::uint64_t TreeBytes(const std::string &dir) {
    std::uint64_t total = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..")
                total += TreeBytes(dir + "\\" + name);
        } else {
            total += found.nFileSizeLow;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return total;
}

RunState StateFor(const std::string &cd, const std::string &script) {
    RunState run;
    run.dirs.current = cd;
    run.dirs.source = cd + "DATA\\";
    run.markerName = "DEMOA110.CD1";
    run.scriptPath = cd + script;
    return run;
}

} // namespace

TEST(PrePassOnDisk, ReadsScriptFilesAndSizesRealFiles) {
    TempFolder cd;
    CreateDirectoryA((cd / "DATA").c_str(), nullptr);
    WriteBytes(cd / "DATA\\A.DAT", std::string(1234, 'a'));
    // Mixed line ends and no end after the last line.
    WriteBytes(cd / "SETUP.INF", "WAITWRITE 2\rPROGRESS START\nCOPY A.DAT *DESTDIR\r\n"
                                 "COPY GONE.DAT *DESTDIR\r\nPROGRESS END\r\nALLDONE");
    RunState run = StateFor(cd.Path(), "SETUP.INF");
    ASSERT_EQ(RunScriptPrePass(run), PrePassOutcome::Done);
    EXPECT_EQ(run.settings.totalBytes, 1234u);
    EXPECT_TRUE(run.settings.writePause);
    EXPECT_EQ(run.settings.commands,
              (Strings{"PROGRESS START", "COPY A.DAT *DESTDIR", "COPY GONE.DAT *DESTDIR",
                       "PROGRESS END", "ALLDONE"}));
}

TEST(PrePassOnDisk, FailsWithoutAReadableScript) {
    TempFolder cd;
    RunState missing = StateFor(cd.Path(), "SETUP.INF");
    EXPECT_EQ(RunScriptPrePass(missing), PrePassOutcome::Failed);

    // Someone writing the script: it is not read half-written.
    WriteBytes(cd / "SETUP.INF", "ALLDONE\r\n");
    HANDLE writer = CreateFileA((cd / "SETUP.INF").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    RunState locked = StateFor(cd.Path(), "SETUP.INF");
    EXPECT_EQ(RunScriptPrePass(locked), PrePassOutcome::Failed);
    CloseHandle(writer);
    EXPECT_EQ(RunScriptPrePass(locked), PrePassOutcome::Done);
    EXPECT_EQ(locked.settings.commands, (Strings{"ALLDONE"}));
}

// The sample CD, generated onto drive E: before this program runs.
TEST(PrePassOnDisk, SampleCdScriptSizesItsProductTree) {
    const std::string cd = "E:\\files-democd\\";
    ASSERT_TRUE(Exists(cd + "SETUP.INF")) << "run the files_democd_data test first";
    RunState run = StateFor(cd, "SETUP.INF");
    ASSERT_EQ(RunScriptPrePass(run), PrePassOutcome::Done);

    const std::string data = cd + "DATA";
    // Counted: what COPY and COPYDIR copy. Not counted: the folder "SOUNDS\*.*"
    // leaves out, the outside components' files (copied without progress),
    // the font and the programs the script only starts.
    std::uint64_t uncounted = TreeBytes(data + "\\SOUNDS\\EXTRA") + TreeBytes(data + "\\Vorandel") +
                              TreeBytes(data + "\\COMPONENT");
    for (const char *file : {"DEMOMONO.TTF", "DEMOMONO.TXT", "REGISTER.EXE"}) {
        WIN32_FILE_ATTRIBUTE_DATA status{};
        if (GetFileAttributesExA((data + "\\" + file).c_str(), GetFileExInfoStandard, &status))
            uncounted += status.nFileSizeLow;
    }
    EXPECT_GT(TreeBytes(data + "\\Vorandel"), 0u);
    const std::uint64_t expected = TreeBytes(data) - uncounted;
    EXPECT_GT(expected, 3'000'000u);
    EXPECT_EQ(run.settings.totalBytes, expected);
    EXPECT_TRUE(run.settings.strictCopyMode);
    EXPECT_EQ(run.settings.filesToKeep, (Strings{"*.SAV"}));
    EXPECT_EQ(run.settings.filesToDelete, (Strings{"DEMOA*.CD1"}));
    EXPECT_EQ(run.settings.barColours[1].start.green, 176);
    EXPECT_EQ(run.settings.commands.front(), "MKDIR *DESTDIR");
    EXPECT_EQ(run.settings.commands.back(), "ALLDONE");

    // The tree has what the copy engine's cases need.
    WIN32_FILE_ATTRIBUTE_DATA status{};
    ASSERT_TRUE(
        GetFileAttributesExA((data + "\\MILLION.DAT").c_str(), GetFileExInfoStandard, &status));
    EXPECT_EQ(status.nFileSizeLow, 1000000u);
    ASSERT_TRUE(
        GetFileAttributesExA((data + "\\SAVE\\EMPTY.SAV").c_str(), GetFileExInfoStandard, &status));
    EXPECT_EQ(status.nFileSizeLow, 0u);
    const DWORD licence = GetFileAttributesA((data + "\\DOCS\\LICENSE.TXT").c_str());
    ASSERT_NE(licence, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(licence & FILE_ATTRIBUTE_READONLY);

    // Its read-only file installs writable.
    TempFolder target;
    RecordingView view;
    CopyEngine engine(run.settings, view);
    EXPECT_EQ(engine.CopieFichier(data + "\\DOCS\\LICENSE.TXT", target / "LICENSE.TXT", true), 1);
    EXPECT_FALSE(GetFileAttributesA((target / "LICENSE.TXT").c_str()) & FILE_ATTRIBUTE_READONLY);
}
