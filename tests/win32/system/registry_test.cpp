#include "system/registry.h"

#include "core/run_state.h"
#include "system/autoexec_win.h"
#include "system/registry_commands.h"
#include "test_view.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kTestKey[] = "Software\\SetupTests\\Registry";

std::string ReadString(HKEY root, const std::string &subkey, const char *name,
                       DWORD *type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[512] = {};
    DWORD size = sizeof data - 1;
    DWORD got = 0;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &got, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    if (type)
        *type = got;
    if (status != ERROR_SUCCESS)
        return "<no value>";
    // The terminating NUL is stored with the text.
    if (got == REG_SZ && (size == 0 || data[size - 1] != '\0'))
        return "<no NUL>";
    return data;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }
};

} // namespace

TEST_F(RegistryTest, ValuesAreWrittenIntoNewAndExistingKeys) {
    EXPECT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kTestKey, "Name", "first"));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kTestKey, "Name"), "first");
    // The key exists now: it is reopened, and its other values stay.
    EXPECT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kTestKey, "Other", "second"));
    EXPECT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kTestKey, "Name", "again"));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kTestKey, "Name"), "again");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kTestKey, "Other"), "second");
    // An empty name is the key's default value.
    EXPECT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kTestKey, "", "default"));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kTestKey, nullptr), "default");

    EXPECT_TRUE(SetRegistryDword(HKEY_LOCAL_MACHINE, kTestKey, "Number", 0x12345678));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD value = 0, size = sizeof value, type = 0;
    EXPECT_EQ(
        RegQueryValueExA(key, "Number", nullptr, &type, reinterpret_cast<BYTE *>(&value), &size),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 0x12345678u);

    // A key that cannot be made.
    EXPECT_FALSE(SetRegistryString(HKEY_LOCAL_MACHINE, std::string(300, 'k'), "x", "y"));
}

TEST_F(RegistryTest, UninstallEntryKeepsOtherValuesOfItsKey) {
    RunState run;
    run.productName = "Setup Test Product";
    run.productVersion = 102;
    run.dirs.install = "D:\\SETUP TEST\\";
    RecordingView view;
    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Setup Test Product V.1.02 on D";
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, key, "Publisher", "kept"));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, key, "DisplayName", "old"));

    MakeRegistryCommands(run, view)->WriteUninstallEntry();
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, "DisplayName"), "Setup Test Product V.1.02 on D");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, "UninstallString"),
              "\"D:\\SETUP TEST\\Uninst.exe\"");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, "Publisher"), "kept");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

TEST(BatchFile, PathLinesAreAppendedOnEveryRun) {
    TempFolder folder;
    RecordingView view;
    const std::string marker = "REM ********LIGNE AJOUTEE PAR MORVEL****************";
    const std::string batch = folder / "AUTOEXEC.BAT";

    // No file: none is made.
    EXPECT_TRUE(AppendPathToBatchFile(batch, "C:\\DEMO\\", view));
    EXPECT_FALSE(Exists(batch));

    WriteBytes(batch, "@ECHO OFF\r\nPROMPT $P$G");
    SetFileAttributesA(batch.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(AppendPathToBatchFile(batch, "C:\\DEMO\\", view));
    ASSERT_TRUE(AppendPathToBatchFile(batch, "C:\\DEMO\\", view));
    const std::string lines = marker + "\r\nSET PATH=%PATH%;C:\\DEMO\\\r\n";
    EXPECT_EQ(ReadBytes(batch), "@ECHO OFF\r\nPROMPT $P$G" + lines + lines);
    EXPECT_TRUE(GetFileAttributesA(batch.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(Exists(folder / "AUTOEXEC.$$$"));
    EXPECT_TRUE(view.alerts.empty());
}

TEST(BatchFile, AFailedWriteKeepsTheOldFile) {
    TempFolder folder;
    RecordingView view;
    const std::string batch = folder / "AUTOEXEC.BAT";
    WriteBytes(batch, "SET A=1\r\n");
    // The new content cannot be written beside the old file.
    CreateDirectoryA((folder / "AUTOEXEC.$$$").c_str(), nullptr);
    EXPECT_FALSE(AppendPathToBatchFile(batch, "C:\\DEMO\\", view));
    EXPECT_EQ(ReadBytes(batch), "SET A=1\r\n");
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_NE(view.alerts[0].text.find(batch), std::string::npos);
}
