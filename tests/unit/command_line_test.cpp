#include "core/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char *line;
    bool valid;
    bool quiet;
    bool help;
    bool allUsers;
    bool directX;
    const char *destination;
    const char *logPath;
};

constexpr Case kCases[] = {
    {"", true, false, false, false, false, "", ""},
    {"/S", true, true, false, false, false, "", ""},
    {"-s /allusers /DirectX", true, true, false, true, true, "", ""},
    {"/?", true, false, true, false, false, "", ""},
    {"/S /D=E:", true, true, false, false, false, "E:", ""},
    {"/S /D=C:\\My Games\\Demo", true, true, false, false, false, "C:\\My Games\\Demo", ""},
    {"/D=\"C:\\My Games\" /S", true, true, false, false, false, "C:\\My Games", ""},
    {"/S /D=C:\\Quiet /LOG=C:\\q.log", true, true, false, false, false, "C:\\Quiet", "C:\\q.log"},
    {"-log=\"C:\\Logs\\PC 12.log\" -S", true, true, false, false, false, "", "C:\\Logs\\PC 12.log"},
    {"/d=c:\\a-s b", true, false, false, false, false, "c:\\a-s b", ""},
    {"/X", false, false, false, false, false, "", ""},
    {"/S /SILENT", false, true, false, false, false, "", ""},
    {"S", false, false, false, false, false, "", ""},
    {"/X /S /LOG=C:\\bad.log", false, true, false, false, false, "", "C:\\bad.log"},
    {"/S=1", false, false, false, false, false, "", ""},
    {"/D=Quiet", false, false, false, false, false, "Quiet", ""},
    {"/D=1:\\x", false, false, false, false, false, "1:\\x", ""},
    {"/D=", false, false, false, false, false, "", ""},
    {"/LOG=", false, false, false, false, false, "", ""},
};

} // namespace

TEST(CommandLine, ReadsEachSwitchAndRefusesUnknownOnes) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.line);
        const CommandLine parsed = ParseCommandLine(c.line);
        EXPECT_EQ(parsed.any, c.line[0] != '\0');
        EXPECT_EQ(parsed.valid, c.valid);
        EXPECT_EQ(parsed.refused.empty(), c.valid);
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
