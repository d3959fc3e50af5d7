#include "core/command_line.h"
#include "core/run_log.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Case {
    const char *line;
    bool any; // a switch setup reads
    bool valid;
    bool quiet;
    bool help;
    bool allUsers;
    bool directX;
    const char *destination;
    const char *logPath;
    const char *setAside; // the word refused, or (valid) the words ignored
};

constexpr Case kCases[] = {
    {"", false, true, false, false, false, false, "", "", ""},
    {"/S", true, true, true, false, false, false, "", "", ""},
    {"-s /allusers /DirectX", true, true, true, false, true, true, "", "", ""},
    {"/?", true, true, false, true, false, false, "", "", ""},
    {"/S /D=E:", true, true, true, false, false, false, "E:", "", ""},
    {"/S /D=C:\\My Games\\Demo", true, true, true, false, false, false, "C:\\My Games\\Demo", "",
     ""},
    {"/D=\"C:\\My Games\" /S", true, true, true, false, false, false, "C:\\My Games", "", ""},
    {"/S /D=C:\\Quiet /LOG=C:\\q.log", true, true, true, false, false, false, "C:\\Quiet",
     "C:\\q.log", ""},
    {"-log=\"C:\\Logs\\PC 12.log\" -S", true, true, true, false, false, false, "",
     "C:\\Logs\\PC 12.log", ""},
    {"/d=c:\\a-s b", true, true, false, false, false, false, "c:\\a-s b", "", ""},
    // Other installers' words for the same switches.
    {"/S /SILENT", true, true, true, false, false, false, "", "", ""},
    {"/VERYSILENT /DIR=C:\\Apps\\Atlas 2 /NORESTART", true, true, true, false, false, false,
     "C:\\Apps\\Atlas 2", "", ""},
    {"/quiet /norestart /SuppressMsgBoxes", true, true, true, false, false, false, "", "", ""},
    {"-q /dir=\"E:\\Apps\" /log=E:\\a.log", true, true, true, false, false, false, "E:\\Apps",
     "E:\\a.log", ""},
    // Without /S a word setup does not know is ignored: the window opens.
    {"AUTORUN", false, true, false, false, false, false, "", "", "AUTORUN"},
    {"/X", false, true, false, false, false, false, "", "", "/X"},
    {"S", false, true, false, false, false, false, "", "", "S"},
    {"/S=1", false, true, false, false, false, false, "", "", "/S=1"},
    {"/X /LOG=C:\\w.log AUTORUN", true, true, false, false, false, false, "", "C:\\w.log",
     "/X AUTORUN"},
    // With /S it refuses the run: nobody would see what was meant.
    {"/S AUTORUN", true, false, true, false, false, false, "", "", "AUTORUN"},
    {"/X /S /LOG=C:\\bad.log", true, false, true, false, false, false, "", "C:\\bad.log", "/X"},
    {"/VERYSILENT /Foo=1", true, false, true, false, false, false, "", "", "/Foo=1"},
    // A switch setup knows, with a value it cannot take, is refused either way.
    {"/D=Quiet", true, false, false, false, false, false, "Quiet", "", "/D=Quiet"},
    {"/D=1:\\x", true, false, false, false, false, false, "1:\\x", "", "/D=1:\\x"},
    {"/D=", true, false, false, false, false, false, "", "", "/D="},
    {"/LOG=", true, false, false, false, false, false, "", "", "/LOG="},
    {"/DIR=Apps /SILENT", true, false, true, false, false, false, "Apps", "", "/DIR=Apps"},
};

} // namespace

TEST(CommandLine, ReadsEachSwitchAndRefusesUnknownOnes) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.line);
        const CommandLine parsed = ParseCommandLine(c.line);
        EXPECT_EQ(parsed.any, c.any);
        EXPECT_EQ(parsed.valid, c.valid);
        EXPECT_EQ(parsed.refused.empty(), c.valid);
        EXPECT_EQ(c.valid ? parsed.ignored : parsed.refused, c.setAside);
        EXPECT_EQ(parsed.quiet, c.quiet);
        EXPECT_EQ(parsed.help, c.help);
        EXPECT_EQ(parsed.allUsers, c.allUsers);
        EXPECT_EQ(parsed.directX, c.directX);
        EXPECT_EQ(parsed.destination, c.destination);
        EXPECT_EQ(parsed.logPath, c.logPath);
    }
    EXPECT_TRUE(DestinationIsDrive("E:"));
    EXPECT_TRUE(DestinationIsDrive("E:\\"));
    EXPECT_FALSE(DestinationIsDrive("E:\\Demo"));
}

TEST(CommandLine, ExitCodeTellsHowTheRunEnded) {
    const struct {
        const char *name;
        bool completed, restartNeeded, userEnded, stepFailed, anotherSetup, badSwitch;
        int exitCode;
    } kCases[] = {
        {"installed", true, false, false, false, false, false, 0},
        {"installed, restart not made", true, true, false, false, false, false, 3010},
        {"a file skipped, then ALLDONE", true, false, false, true, false, false, 1603},
        {"a step failed, then ALLDONE asking for a restart", true, true, false, true, false, false,
         1603},
        {"quit by the user", false, false, true, false, false, false, 1602},
        {"ended before ALLDONE", false, false, false, false, false, false, 1603},
        {"another setup runs", false, false, false, false, true, false, 1618},
        {"unknown switch under /S", false, false, false, false, false, true, 1639},
    };
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.name);
        RunOutcome outcome;
        outcome.completed = c.completed;
        outcome.restartNeeded = c.restartNeeded;
        outcome.userEnded = c.userEnded;
        outcome.anotherSetup = c.anotherSetup;
        outcome.badSwitch = c.badSwitch;
        if (c.stepFailed)
            outcome.Fail("Skipped D:\\DATA\\A.DAT");
        EXPECT_EQ(ExitCodeOf(outcome), c.exitCode);
    }
}

TEST(CommandLine, LogTimesEachLineAndListsEveryFailureBeforeTheExitCode) {
    const std::string path = ::testing::TempDir() + "run_log_test.log";
    ASSERT_TRUE(Log().Open(path));
    // 13:04:05.006, then one millisecond later at each line.
    static std::uint32_t now = 0;
    now = ((13 * 60 + 4) * 60 + 5) * 1000 + 6;
    Log().SetClock([] { return now++; });
    RunOutcome outcome;
    outcome.completed = true;
    outcome.Fail("Skipped D:\\DATA\\A.DAT: Win32 error 2");
    Log().Line("Box \"Setup Morvel\": Unable to open Registry Key\nOK");
    outcome.Fail("Unable to open Registry Key: HKLM\\SOFTWARE\\Fonts");
    LogOutcome(outcome, ExitCodeOf(outcome));
    Log().Close();
    Log().SetClock(nullptr);
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());

    EXPECT_EQ(text, "13:04:05.006 Failed: Skipped D:\\DATA\\A.DAT: Win32 error 2\r\n"
                    "13:04:05.007 Box \"Setup Morvel\": Unable to open Registry Key\r\n"
                    "                 OK\r\n"
                    "13:04:05.008 Failed: Unable to open Registry Key: HKLM\\SOFTWARE\\Fonts\r\n"
                    "13:04:05.009 2 failures:\r\n"
                    "13:04:05.010   Skipped D:\\DATA\\A.DAT: Win32 error 2\r\n"
                    "13:04:05.011   Unable to open Registry Key: HKLM\\SOFTWARE\\Fonts\r\n"
                    "13:04:05.012 Exit code 1603\r\n");
}
