// What an elevated setup or Uninst.exe trusts on the NT family: who may
// change a folder, which levels of a path are looked at for links, which
// programs of the install folder may be started, which handle path is the
// one checked, and where the clean-up may delete.

#include "core/trust_rules.h"
#include "files/directory_commands.h"

#include <gtest/gtest.h>

namespace {

AccessEntry Allow(const char *account, std::uint32_t rights, bool inheritOnly = false) {
    return {true, inheritOnly, account, rights};
}

constexpr std::uint32_t kReadRun = 0x1200A9;
constexpr std::uint32_t kModify = 0x1301BF;
constexpr std::uint32_t kFull = 0x1F01FF;

} // namespace

TEST(TrustRules, OnlyTheSystemAndAdministratorsMayChangeAProtectedFolder) {
    const struct {
        const char *name;
        FolderSecurity security;
        bool othersMayWrite;
    } kCases[] = {
        {"the protected folder setup makes",
         {true,
          "S-1-5-32-544",
          {Allow("S-1-5-18", kFull), Allow("S-1-5-32-544", kFull),
           Allow("S-1-5-32-545", kReadRun)}},
         false},
        {"a folder at a drive's root (Authenticated Users: Modify)",
         {true, "S-1-5-32-544", {Allow("S-1-5-32-544", kFull), Allow("S-1-5-11", kModify)}},
         true},
        {"users may add files", {true, "S-1-5-18", {Allow("S-1-5-32-545", 0x2)}}, true},
        {"owned by a user", {true, "S-1-5-21-1-2-3-1001", {Allow("S-1-5-32-544", kFull)}}, true},
        {"no access list at all", {false, "S-1-5-32-544", {}}, true},
        {"the creator's rights hand down only",
         {true, "S-1-5-18", {Allow("S-1-3-0", kFull, false), Allow("S-1-5-32-545", kFull, true)}},
         false},
        {"a denial takes nothing from anyone else",
         {true, "S-1-5-18", {{false, false, "S-1-1-0", kFull}, Allow("S-1-1-0", 0x40000000)}},
         true},
        {"owned by the account asking", {true, "S-1-5-21-1-2-3-500", {}}, false},
        {"the system's installer service",
         {true,
          "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
          {Allow("S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", kFull)}},
         false},
    };
    for (const auto &c : kCases)
        EXPECT_EQ(OthersMayWrite(c.security, "S-1-5-21-1-2-3-500"), c.othersMayWrite) << c.name;
}

TEST(TrustRules, LevelsOfTheInstallFolderBelowItsRoot) {
    using Levels = std::vector<std::string>;
    EXPECT_EQ(LevelsBelowRoot("C:\\MORVEL\\ATLAS\\"), (Levels{"C:\\MORVEL", "C:\\MORVEL\\ATLAS"}));
    EXPECT_EQ(LevelsBelowRoot("C:\\Atlas Demo"), (Levels{"C:\\Atlas Demo"}));
    EXPECT_EQ(LevelsBelowRoot("\\\\srv\\cds\\A\\"), (Levels{"\\\\srv\\cds\\A"}));
    EXPECT_EQ(LevelsBelowRoot("C:\\"), Levels{});
    EXPECT_EQ(LevelsBelowRoot("ATLAS"), Levels{});
}

TEST(TrustRules, OnlyWhatThisRunWroteIsStartedInTheInstallFolder) {
    WrittenFiles written;
    written.Add("C:\\Atlas\\BIN\\HELPER.EXE", "D:\\BIN\\HELPER.EXE");
    const struct {
        const char *path;
        LaunchCheck check;
        const char *source;
    } kCases[] = {
        {"C:\\ATLAS\\bin\\helper.exe", LaunchCheck::SameAsSource, "D:\\BIN\\HELPER.EXE"},
        {"C:\\Atlas\\BIN\\OTHER.EXE", LaunchCheck::Refuse, ""},    // left there by someone
        {"C:\\Atlas\\WEB\\WEBPRO32.OCX", LaunchCheck::Refuse, ""}, // to be registered
        {"D:\\SETUP\\REGISTER.EXE", LaunchCheck::Start, ""},       // the CD's
        {"C:\\Atlas2\\GAME.EXE", LaunchCheck::Start, ""},          // not inside
        {"", LaunchCheck::Refuse, ""},                             // could not be told
    };
    for (const auto &c : kCases) {
        const LaunchDecision decision = DecideLaunch(c.path, "C:\\Atlas\\", written);
        EXPECT_EQ(decision.check, c.check) << c.path;
        EXPECT_EQ(decision.source, c.source) << c.path;
    }
    for (const char *program : {"A.EXE", "b.dll", "C.OCX", "D.cpl", "E.BAT"})
        EXPECT_TRUE(IsProgramFile(std::string("C:\\X\\") + program)) << program;
    for (const char *data : {"GAME1.SAV", "README.TXT", "C:\\DIR.EXE\\DATA", "NOEXT"})
        EXPECT_FALSE(IsProgramFile(data)) << data;
}

TEST(TrustRules, HandlesAndFoldersAreNamedAsTheSystemNamesThem) {
    EXPECT_EQ(PlainFinalPath("\\\\?\\C:\\Demo Title\\A.DAT"), "C:\\Demo Title\\A.DAT");
    EXPECT_EQ(PlainFinalPath("\\\\?\\UNC\\srv\\share\\A.DAT"), "\\\\srv\\share\\A.DAT");
    EXPECT_EQ(PlainFinalPath("C:\\A.DAT"), "C:\\A.DAT");
    EXPECT_EQ(FolderNameOf("Demo Title V.1.10 on C"), "Demo Title V.1.10 on C");
    EXPECT_EQ(FolderNameOf("A/B:C*?\"<>|\\D."), "A_B_C_______D");
    EXPECT_EQ(FolderNameOf(std::string(100, 'x')).size(), 64u);
}

TEST(TrustRules, TheCleanUpDeletesOnlyWhereThisProductWasInstalled) {
    using Names = std::vector<std::string>;
    EXPECT_TRUE(HoldsEarlierInstallation(Names{"GAME.EXE", "uninst$$.rec"}, "DEMO"));
    EXPECT_TRUE(HoldsEarlierInstallation(Names{"demoF102.CD1"}, "DEMO"));
    EXPECT_FALSE(HoldsEarlierInstallation(Names{"ATLAF110.CD1", "GAME.EXE"}, "DEMO"));
    EXPECT_FALSE(HoldsEarlierInstallation(Names{"DEMO.TXT", "DEMOF110.BAK"}, "DEMO"));
    EXPECT_FALSE(HoldsEarlierInstallation(Names{}, "DEMO"));
}
