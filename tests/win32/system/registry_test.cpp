#include "system/registry.h"

#include "core/run_state.h"
#include "files/canonical_path_win.h"
#include "system/autoexec_win.h"
#include "system/registry_commands.h"
#include "test_view.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <string>
#include <vector>

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

// What an access list grants to an account, "S-1-..." as the system spells it.
DWORD Granted(const std::string &folder, const char *accountText) {
    PSID account = nullptr;
    if (!ConvertStringSidToSidA(accountText, &account))
        return ~0u;
    DWORD needed = 0;
    GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<char> buffer(needed);
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    DWORD rights = ~0u;
    if (needed &&
        GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, buffer.data(), needed,
                         &needed) &&
        GetSecurityDescriptorDacl(buffer.data(), &present, &acl, &defaulted) && present && acl) {
        rights = 0;
        for (DWORD i = 0; i < acl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE *ace = nullptr;
            if (GetAce(acl, i, reinterpret_cast<void **>(&ace)) &&
                ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && EqualSid(account, &ace->SidStart))
                rights |= ace->Mask;
        }
    }
    LocalFree(account);
    return rights;
}

TEST_F(RegistryTest, UninstallEntryRunsItsUninstallerFromAFolderOnlyAdministratorsChange) {
    TempFolder folder;
    RunState run;
    run.productName = "Setup Test Product";
    run.productVersion = 102;
    run.dirs.install = folder.Path();
    // The run wrote the uninstaller into the install folder from the CD.
    WriteBytes(folder / "CD-UNINST.EXE", "the CD's uninstaller");
    run.written.Add(CanonicalPath(folder / "Uninst.exe"), folder / "CD-UNINST.EXE");
    RecordingView view;
    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Setup Test Product V.1.02 on " +
        folder.Path().substr(0, 1);
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, key, "Publisher", "kept"));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, key, "DisplayName", "old"));

    MakeRegistryCommands(run, view)->WriteUninstallEntry();
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, "DisplayName"),
              "Setup Test Product V.1.02 on " + folder.Path().substr(0, 1));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, "Publisher"), "kept");
    const std::string home = "C:\\Program Files\\Common Files\\Morvel\\Uninstall\\Setup Test "
                             "Product V.1.02 on " +
                             folder.Path().substr(0, 1);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, "UninstallString"),
              "\"" + home + "\\Uninst.exe\"");
    EXPECT_EQ(ReadBytes(home + "\\Uninst.exe"), "the CD's uninstaller");
    // Users may read and run; no one but the system and the administrators
    // may change anything there.
    for (const char *account : {"S-1-5-32-545", "S-1-5-11", "S-1-1-0"}) {
        SCOPED_TRACE(account);
        EXPECT_EQ(Granted(home, account) &
                      (FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                       WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL),
                  0u);
    }
    {
        DWORD needed = 0;
        GetFileSecurityA(home.c_str(), DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION,
                         nullptr, 0, &needed);
        std::vector<char> buffer(needed);
        GetFileSecurityA(home.c_str(), DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION,
                         buffer.data(), needed, &needed);
        char *text = nullptr;
        ConvertSecurityDescriptorToStringSecurityDescriptorA(
            buffer.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION,
            &text, nullptr);
        printf("SD: %s\n", text ? text : "(null)");
    }
    DeleteFileA((home + "\\Uninst.exe").c_str());
    DeleteFileA((home + "\\UNINST$$.REC").c_str());
    RemoveDirectoryA(home.c_str());
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
