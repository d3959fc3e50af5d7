// The uninstaller's plan: newest first, each thing once, only what is
// setup's own, the uninstall key last; a forged line is refused; and the
// boot file's lines.

#include "system/autoexec.h"
#include "system/shortcut_names.h"
#include "system/speech_engine.h"
#include "uninst/removal_plan.h"
#include "uninst/uninst_text.h"

#include <gtest/gtest.h>

namespace {

const char kDir[] = "C:\\Demo Title\\";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo";
const char kPrograms[] = "C:\\WINDOWS\\Start Menu\\Programs\\";

// The installation's bounds as Windows 98 gives them.
RecordBounds Bounds() {
    RecordBounds bounds;
    bounds.installDir = kDir;
    bounds.shellFolders = {kPrograms, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\",
                           "C:\\WINDOWS\\Desktop\\"};
    bounds.batchFile = "C:\\AUTOEXEC.BAT";
    bounds.keyNames.uninstall = "Demo";
    bounds.keyNames.product = "Demo";
    bounds.keyNames.engine = "{E1}";
    return bounds;
}

// Paths taken as canonical: making them so is the Win32 side's, tested
// there on real folders.
RemovalPlan Plan(const ParsedRecord &record) {
    return PlanRemoval(record, Bounds(), [](const std::string &path) { return path; });
}

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
        Entry(RecordKind::RegistryKey, "SOFTWARE\\Morvel\\Demo", "", "HKLM"),
        Entry(RecordKind::RegistryValue, "SOFTWARE\\Morvel\\Demo\\TTS", "Path", "HKLM"),
        Entry(RecordKind::Autoexec, "C:\\AUTOEXEC.BAT", kDir),
    };
    const RemovalPlan plan = Plan(record);
    EXPECT_EQ(plan.language, 2);
    const std::vector<std::string> expected = {
        "5 C:\\AUTOEXEC.BAT C:\\Demo Title\\",
        "3 SOFTWARE\\Morvel\\Demo\\TTS Path",
        "4 SOFTWARE\\Morvel\\Demo",
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
        Entry(RecordKind::Link, "C:\\WINDOWS\\Desktop\\Demo.lnk", "c:\\demo title\\GAME.EXE"),
        Entry(RecordKind::Link, "C:\\WINDOWS\\Desktop\\Viewer.lnk", "C:\\WINDOWS\\VIEWER.EXE"),
    };
    const std::vector<std::string> expected = {
        "0 C:\\WINDOWS\\Desktop\\Demo.lnk c:\\demo title\\GAME.EXE",
        "1 C:\\WINDOWS\\Start Menu\\Programs\\Demo\\Read me.txt",
        "2 C:\\WINDOWS\\Start Menu\\Programs\\Demo",
    };
    EXPECT_EQ(Steps(Plan(record)), expected);
}

TEST(RemovalPlan, ALineForOtherThanWhatSetupCanHaveMadeIsRefusedAndListed) {
    enum Verdict { Removed, Refused };
    const std::string uninstall = kUninstallKey;
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const struct {
        RecordEntry entry;
        Verdict verdict;
        std::string removed; // the path the step acts on
    } rows[] = {
        {Entry(RecordKind::File, "DATA\\GAME.EXE"), Refused, ""}, // no full path
        {Entry(RecordKind::Folder, "C:\\Demo Title\\DATA"), Removed, "C:\\Demo Title\\DATA"},
        {Entry(RecordKind::Folder, "C:\\WINDOWS\\SYSTEM"), Refused, ""},
        {Entry(RecordKind::Group, std::string(kPrograms) + "Demo"), Removed,
         std::string(kPrograms) + "Demo"},
        {Entry(RecordKind::Link, "C:\\WINDOWS\\SYSTEM\\Demo.lnk", "C:\\Demo Title\\GAME.EXE"),
         Refused, ""},
        {Entry(RecordKind::Autoexec, "C:\\WINDOWS\\WINSTART.BAT", kDir), Refused, ""},
        {Entry(RecordKind::Autoexec, "C:\\AUTOEXEC.BAT", kDir), Removed, "C:\\AUTOEXEC.BAT"},
        {Entry(RecordKind::RegistryValue, uninstall, "DisplayName", "HKCU"), Refused, ""},
        {Entry(RecordKind::RegistryValue, uninstall, "DisplayName", "HKLM"), Removed, uninstall},
        {Entry(RecordKind::RegistryKey, uninstall + "\\", "", "HKLM"), Refused, ""},
        {Entry(RecordKind::RegistryKey, "SOFTWARE", "", "HKLM"), Refused, ""},
        {Entry(RecordKind::RegistryKey, "SOFTWARE\\Morvel", "", "HKLM"), Removed,
         "SOFTWARE\\Morvel"},
        {Entry(RecordKind::RegistryValue, "SOFTWARE\\Morvel", "Path", "HKLM"), Refused, ""},
        {Entry(RecordKind::RegistryValue, "SOFTWARE\\Morvel\\Other\\TTS", "Path", "HKLM"), Refused,
         ""},
        {Entry(RecordKind::RegistryValue, "CLSID\\{OTHER}\\InprocServer32", "", "HKCR"), Refused,
         ""},
        {Entry(RecordKind::RegistryValue, "CLSID\\{E1}\\InprocServer32", "", "HKCR"), Removed,
         "CLSID\\{E1}\\InprocServer32"},
        {Entry(RecordKind::RegistryValue, "SOFTWARE\\Voice\\TextToSpeech\\Engine", "Other", "HKLM"),
         Refused, ""},
    };
    for (const auto &row : rows) {
        ParsedRecord record;
        record.valid = true;
        record.entries = {row.entry};
        const RemovalPlan plan = Plan(record);
        const std::string line = row.entry.root + " " + row.entry.path + " " + row.entry.second;
        EXPECT_EQ(plan.steps.size(), row.verdict == Removed ? 1u : 0u) << line;
        EXPECT_EQ(plan.refused.size(), row.verdict == Refused ? 1u : 0u) << line;
        if (row.verdict == Removed && plan.steps.size() == 1) {
            EXPECT_EQ(plan.steps[0].entry.path, row.removed) << line;
        } else if (row.verdict == Refused && plan.refused.size() == 1) {
            EXPECT_EQ(plan.refused[0].path, row.entry.path) << line; // listed as written
        }
    }
    EXPECT_EQ(RecordLineText(Entry(RecordKind::RegistryValue, run, "", "HKCU")),
              "HKCU\\" + run + " (default)");
}

TEST(RemovalPlan, EveryKeyAndValueSetupWritesIsItsOwn) {
    SpeechEngineSettings speech;
    speech.folder = "TTS";
    speech.engineClsid = "{E1}";
    speech.engine = "ENGINE.DLL";
    speech.product = "Demo";
    speech.voices = {{"Anna", "{V1}", 7, 1}};
    std::vector<RegistryEntry> written = SpeechEngineEntries(speech, kDir);
    RegistryEntry entry;
    entry.key = UninstallKey("Demo");
    entry.value = "UninstallString";
    written.push_back(entry);
    for (const RegistryEntry &value : written) {
        const std::string root = value.root == RegistryRoot::ClassesRoot ? "HKCR" : "HKLM";
        EXPECT_TRUE(SetupWritesValue(Bounds().keyNames, root, value.key, value.value))
            << value.key << " " << value.value;
        EXPECT_TRUE(SetupWritesKey(Bounds().keyNames, root, value.key)) << value.key;
    }
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
    const RemovalPlan plan = Plan(record);
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
    EXPECT_EQ(LogSwitch("Uninst.exe /S -log=\"C:\\My Logs\\u.log\""), "C:\\My Logs\\u.log");
    EXPECT_EQ(LogSwitch("\"C:\\/LOG=x\\Uninst.exe\" /LOG="), "");
    EXPECT_EQ(UnknownSwitch("Uninst.exe /S -log=\"C:\\My Logs\\u.log\""), "");
    EXPECT_EQ(UnknownSwitch("Uninst.exe /S /quiet"), "/quiet");
}

// What deployment tools read from the exit code.
TEST(UninstCommandLine, ExitCodes) {
    const struct {
        UninstResult result;
        int code;
    } kCases[] = {
        {{}, 0},
        {{false, false, false, false, false, 0, 2}, 3010},
        {{false, false, false, false, false, 1, 2}, 1603},
        {{false, false, false, false, true, 0, 0}, 1603},
        {{false, false, true, false, false, 0, 0}, 1605},
        {{false, false, false, true, false, 0, 0}, 1602},
        {{false, true, true, false, false, 0, 0}, 1618},
        {{true, true, false, false, false, 0, 0}, 1639},
    };
    for (const auto &c : kCases)
        EXPECT_EQ(UninstExitCode(c.result), c.code);
}

TEST(UninstCommandLine, TextsNameTheProduct) {
    EXPECT_EQ(FillName("Remove %1 now? (%1)", "Demo"), "Remove Demo now? (Demo)");
    EXPECT_EQ(FillName("100%", "Demo"), "100%");
    EXPECT_EQ(FolderName("C:\\Demo Title\\"), "Demo Title");
    EXPECT_EQ(FolderName("C:\\"), "C:");
}
