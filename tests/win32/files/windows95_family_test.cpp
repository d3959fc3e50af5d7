// The Windows 95 family's path, in Wine's win98 mode with the stub seam on
// (this program only; its AppDefaults entry is in scripts/wine-up). The rest
// of the files tests run in this program too, on the same path.

#include "files/copy_engine.h"
#include "files/file_status_win.h"
#include "platform/windows_family.h"
#include "core/install_settings.h"
#include "test_view.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

namespace {

bool SameData(const WIN32_FILE_ATTRIBUTE_DATA &a, const WIN32_FILE_ATTRIBUTE_DATA &b) {
    return a.dwFileAttributes == b.dwFileAttributes &&
           SameTime(a.ftLastWriteTime, b.ftLastWriteTime) &&
           SameTime(a.ftCreationTime, b.ftCreationTime) && a.nFileSizeHigh == b.nFileSizeHigh &&
           a.nFileSizeLow == b.nFileSizeLow;
}

} // namespace

TEST(Windows95Family, IsWhatThisProgramRunsOnWithTheStubsFailing) {
    // Without these every other test here would take the NT family's path.
    ASSERT_TRUE(platform::IsWindows95Family()) << "not in win98 mode: see scripts/wine-up";
    ASSERT_TRUE(platform::Windows95StubsFail());
}

TEST(Windows95Family, MoveFileExFailsAsOnWindows98ThoughWineImplementsIt) {
    TempFolder folder;
    WriteBytes(folder / "a", "a");
    WriteBytes(folder / "b", "b");
    SetLastError(0);
    EXPECT_FALSE(platform::CallMoveFileEx((folder / "a").c_str(), (folder / "b").c_str(),
                                          MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_EQ(ReadBytes(folder / "b"), "b");
    // Wine's own MoveFileExA works in this mode: the seam is what fails.
    EXPECT_TRUE(
        MoveFileExA((folder / "a").c_str(), (folder / "b").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(folder / "b"), "a");
}

TEST(Windows95Family, NoNewerFunctionIsFound) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    for (const char *name :
         {"GetFileAttributesExA", "GetDiskFreeSpaceExA", "SetFileInformationByHandle"}) {
        EXPECT_NE(GetProcAddress(kernel, name), nullptr) << name; // Wine has them all
        EXPECT_EQ(platform::FindNewerFunction("kernel32.dll", name), nullptr) << name;
    }
}

TEST(Windows95Family, FileStatusWithoutGetFileAttributesExIsTheSame) {
    TempFolder folder;
    WriteBytes(folder / "f.dat", std::string(12345, 'f'));
    SetTimes(folder / "f.dat", Stamp(300), Stamp(7));
    SetFileAttributesA((folder / "f.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    WIN32_FILE_ATTRIBUTE_DATA direct{}, status{};
    ASSERT_TRUE(GetFileAttributesExA((folder / "f.dat").c_str(), GetFileExInfoStandard, &direct));
    ASSERT_TRUE(QueryFileStatus(folder / "f.dat", status)); // the open and status read
    EXPECT_TRUE(SameData(status, direct));
    EXPECT_FALSE(QueryFileStatus(folder / "none.dat", status));
}

class Windows95FamilyCopy : public ::testing::Test {
protected:
    TempFolder folder;
    InstallSettings settings;
    RecordingView view;
    CopyEngine engine{settings, view};
};

// With MoveFileExA failing, only the delete-then-MoveFileA path can replace
// the installed file.
TEST_F(Windows95FamilyCopy, InstalledFileIsReplacedWithTheNewBytesAndTimes) {
    WriteBytes(folder / "src.dat", "new bytes, longer than the old");
    SetTimes(folder / "src.dat", Stamp(200), Stamp(50));
    WriteBytes(folder / "dst.dat", "old");
    SetTimes(folder / "dst.dat", Stamp(100), Stamp(10));
    SetFileAttributesA((folder / "dst.dat").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "dst.dat", true), 1);
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "new bytes, longer than the old");
    EXPECT_TRUE(SameTime(ModifiedTime(folder / "dst.dat"), Stamp(200)));
    EXPECT_FALSE(GetFileAttributesA((folder / "dst.dat").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Exists(folder / "$$$$$$$$.TMP"));

    // Again over the copy just made (equal times are replaced in mode 0), and
    // a file not installed yet.
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "dst.dat", true), 1);
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "fresh.dat", false), 1);
    EXPECT_EQ(ReadBytes(folder / "fresh.dat"), "new bytes, longer than the old");
    EXPECT_TRUE(SameTime(ModifiedTime(folder / "fresh.dat"), Stamp(200)));
    EXPECT_FALSE(Exists(folder / "$$$$$$$$.TMP"));
}

TEST_F(Windows95FamilyCopy, InstalledFileThatCannotBeDeletedStaysAndTheCopyIsRemoved) {
    WriteBytes(folder / "src.dat", "new");
    SetTimes(folder / "src.dat", Stamp(200), Stamp(0));
    WriteBytes(folder / "dst.dat", "old");
    SetTimes(folder / "dst.dat", Stamp(100), Stamp(0));
    HANDLE held = CreateFileA((folder / "dst.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(engine.CopieFichier(folder / "src.dat", folder / "dst.dat", true), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(folder / "dst.dat"), "old");
    EXPECT_FALSE(Exists(folder / "$$$$$$$$.TMP"));
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, folder / "$$$$$$$$.TMP");
}
