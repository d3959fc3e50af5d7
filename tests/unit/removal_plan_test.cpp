// The uninstaller's plan: newest first, each thing once, only what is
// setup's own, the uninstall key last; and the boot file's lines.

#include "system/autoexec.h"
#include "uninst/removal_plan.h"
#include "uninst/uninst_text.h"

#include <gtest/gtest.h>

namespace {

const char kDir[] = "C:\\Demo Title\\";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo";

RecordEntry Entry(RecordKind kind, std::string path, std::string second = "",
                  std::string root = "") {
    RecordEntry entry;
    entry.kind = kind;
    entry.path = std::move(path);
    entry.second = std::move(second);
    entry.root = std::move(root);
    return entry;
}

std::vector<std::string> Steps(const RemovalPlan &plan) {
    std::vector<std::string> steps;
    for (const RemovalStep &step : plan.steps)
        steps.push_back(std::to_string(static_cast<int>(step.kind)) + " " + step.entry.path +
                        (step.entry.second.empty() ? "" : " " + step.entry.second));
    return steps;
}

} // namespace

TEST(RemovalPlan, NewestFirstWithTheUninstallKeyLast) {
    ParsedRecord record;
    record.valid = true;
    RecordEntry language = Entry(RecordKind::Language, "");
    language.language = 2;
    record.entries = {
        language,
        Entry(RecordKind::Folder, "C:\\Demo Title"),
        Entry(RecordKind::RegistryKey, kUninstallKey, "", "HKLM"),
        Entry(RecordKind::RegistryValue, kUninstallKey, "UninstallString", "HKLM"),
        Entry(RecordKind::Folder, "C:\\Demo Title\\DATA"),
        Entry(RecordKind::File, "C:\\Demo Title\\DATA\\LEVEL1.DAT"),
        Entry(RecordKind::RegistryKey, "Software\\Demo", "", "HKCU"),
        Entry(RecordKind::RegistryValue, "Software\\Demo", "Path", "HKCU"),
        Entry(RecordKind::Autoexec, "C:\\AUTOEXEC.BAT", kDir),
    };
    const RemovalPlan plan = PlanRemoval(record, kDir);
    EXPECT_EQ(plan.language, 2);
    const std::vector<std::string> expected = {
        "5 C:\\AUTOEXEC.BAT C:\\Demo Title\\",
        "3 Software\\Demo Path",
        "4 Software\\Demo",
        "1 C:\\Demo Title\\DATA\\LEVEL1.DAT",
        "2 C:\\Demo Title\\DATA",
        "2 C:\\Demo Title",
        std::string("3 ") + kUninstallKey + " UninstallString",
        std::string("4 ") + kUninstallKey,
    };
    EXPECT_EQ(Steps(plan), expected);
}

TEST(RemovalPlan, SharedFilesStayAndLinksOutsideTheProductAreLeft) {
    ParsedRecord record;
    record.valid = true;
    record.entries = {
        Entry(RecordKind::Group, "C:\\WINDOWS\\Start Menu\\Programs\\Demo"),
        Entry(RecordKind::File, "C:\\WINDOWS\\Start Menu\\Programs\\Demo\\Read me.txt"),
        Entry(RecordKind::File, "C:\\WINDOWS\\SYSTEM\\SHARED.DLL"),
        Entry(RecordKind::File, "C:\\WINDOWS\\FONTS\\DEMO.TTF"),
        Entry(RecordKind::Font, "C:\\WINDOWS\\FONTS\\DEMO.TTF"),
        // A folder beside the install directory whose name starts the same.
        Entry(RecordKind::File, "C:\\Demo Title 2\\OTHER.EXE"),
        Entry(RecordKind::Link, "C:\\Desktop\\Demo.lnk", "c:\\demo title\\GAME.EXE"),
        Entry(RecordKind::Link, "C:\\Desktop\\Viewer.lnk", "C:\\WINDOWS\\VIEWER.EXE"),
    };
    const std::vector<std::string> expected = {
        "0 C:\\Desktop\\Demo.lnk c:\\demo title\\GAME.EXE",
        "1 C:\\WINDOWS\\Start Menu\\Programs\\Demo\\Read me.txt",
        "2 C:\\WINDOWS\\Start Menu\\Programs\\Demo",
    };
    EXPECT_EQ(Steps(PlanRemoval(record, kDir)), expected);
}

TEST(RemovalPlan, AReinstallationsRepeatedThingsGoOnceWithTheNewestStampButEveryBatchAppendGoes) {
    ParsedRecord record;
    record.valid = true;
    RecordEntry old = Entry(RecordKind::File, "C:\\Demo Title\\GAME.EXE");
    old.size = 10;
    RecordEntry fresh = Entry(RecordKind::File, "c:\\demo title\\game.exe");
    fresh.size = 20;
    const RecordEntry batch = Entry(RecordKind::Autoexec, "C:\\AUTOEXEC.BAT", kDir);
    record.entries = {Entry(RecordKind::Folder, "C:\\Demo Title"), old,   batch,
                      Entry(RecordKind::Folder, "C:\\Demo Title"), fresh, batch};
    const RemovalPlan plan = PlanRemoval(record, kDir);
    ASSERT_EQ(plan.steps.size(), 4u);
    // Both runs appended the PATH lines: both pairs go.
    EXPECT_EQ(plan.steps[0].kind, StepKind::RemovePathLines);
    EXPECT_EQ(plan.steps[1].entry.size, 20u);
    EXPECT_EQ(plan.steps[2].kind, StepKind::RemoveFolder); // where it was last made
    EXPECT_EQ(plan.steps[3].kind, StepKind::RemovePathLines);
}

TEST(RemovalPlan, OnlySetupsOwnBatchLinesGoAndTheRestStaysByteForByte) {
    const std::string before = "@ECHO OFF\r\nSET PATH=C:\\DOS"; // no line end at the end
    const std::string ours = AppendPathLines(before, kDir);
    const std::string other = AppendPathLines(ours + "REM someone else\r\n", "C:\\Other\\");
    bool removed = false;
    const std::string after = RemovePathLines(other, kDir, removed);
    EXPECT_TRUE(removed);
    EXPECT_EQ(after, AppendPathLines(before + "REM someone else\r\n", "C:\\Other\\"));
    EXPECT_EQ(RemovePathLines(ours, kDir, removed), before);
    // A second uninstall finds nothing to take out.
    EXPECT_EQ(RemovePathLines(before, kDir, removed), before);
    EXPECT_FALSE(removed);
}

TEST(RemovalPlan, WininitDeletesJoinTheRenameSection) {
    const std::vector<std::string> paths = {"C:\\DEMOTI~1\\UNINST.EXE"};
    EXPECT_EQ(AddWininitDeletes("", paths), "[rename]\r\nNUL=C:\\DEMOTI~1\\UNINST.EXE\r\n");
    EXPECT_EQ(AddWininitDeletes("[Rename]\r\nNUL=C:\\A.TMP\r\n[other]\r\nx=1", paths),
              "[Rename]\r\nNUL=C:\\A.TMP\r\nNUL=C:\\DEMOTI~1\\UNINST.EXE\r\n[other]\r\nx=1");
    EXPECT_EQ(AddWininitDeletes("[rename]\r\nNUL=C:\\A.TMP", paths),
              "[rename]\r\nNUL=C:\\A.TMP\r\nNUL=C:\\DEMOTI~1\\UNINST.EXE\r\n");
    EXPECT_EQ(AddWininitDeletes("[other]\r\nx=1", paths),
              "[other]\r\nx=1\r\n[rename]\r\nNUL=C:\\DEMOTI~1\\UNINST.EXE\r\n");
    EXPECT_EQ(AddWininitDeletes("[rename]", paths), "[rename]\r\nNUL=C:\\DEMOTI~1\\UNINST.EXE\r\n");
}

TEST(UninstCommandLine, OnlyASilentWordAfterTheProgramNameCounts) {
    EXPECT_TRUE(SilentSwitch("\"C:\\Demo Title\\Uninst.exe\" /S"));
    EXPECT_TRUE(SilentSwitch("Uninst.exe   -s"));
    EXPECT_FALSE(SilentSwitch("\"C:\\Demo Title\\Uninst.exe\""));
    EXPECT_FALSE(SilentSwitch("\"C:\\ /S\\Uninst.exe\"")); // in the program's own quoted path
    EXPECT_FALSE(SilentSwitch("/S"));                      // the program's name itself
    EXPECT_FALSE(SilentSwitch("Uninst.exe /SILENT"));
}

TEST(UninstCommandLine, TextsNameTheProduct) {
    EXPECT_EQ(FillName("Remove %1 now? (%1)", "Demo"), "Remove Demo now? (Demo)");
    EXPECT_EQ(FillName("100%", "Demo"), "100%");
    EXPECT_EQ(FolderName("C:\\Demo Title\\"), "Demo Title");
    EXPECT_EQ(FolderName("C:\\"), "C:");
}
