// The NT family (Wine's default mode): the stub seam changes nothing there.

#include "platform/windows_family.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

TEST(NtFamily, IsWhatThisProgramRunsOn) {
    EXPECT_FALSE(platform::IsWindows95Family());
    EXPECT_FALSE(platform::Windows95StubsFail());
}

TEST(NtFamily, TheStubSeamLeavesMoveFileExAndNewerFunctionsAlone) {
    platform::SetWindows95StubsFail(true);
    TempFolder folder;
    WriteBytes(folder / "a", "a");
    WriteBytes(folder / "b", "b");
    EXPECT_TRUE(platform::CallMoveFileEx((folder / "a").c_str(), (folder / "b").c_str(),
                                         MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(folder / "b"), "a");
    EXPECT_NE(platform::FindNewerFunction("kernel32.dll", "GetFileAttributesExA"), nullptr);
    EXPECT_EQ(platform::FindNewerFunction("kernel32.dll", "NoSuchFunction"), nullptr);
    platform::SetWindows95StubsFail(false);
}
