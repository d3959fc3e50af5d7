#include "files/path_macros.h"

#include "test_view.h"
#include "core/run_state.h"

#include <gtest/gtest.h>

namespace {

Directories Dirs() {
    Directories dirs;
    dirs.current = "D:\\";
    dirs.source = "D:\\DATA\\";
    dirs.install = "C:\\GAME\\";
    dirs.windows = "C:\\WINDOWS\\";
    dirs.system = "C:\\WINDOWS\\SYSTEM\\";
    dirs.desktop = "C:\\WINDOWS\\Desktop\\";
    return dirs;
}

std::string Expand(std::string_view argument) {
    return ExpandFileName(argument, Dirs()).value_or("<error>");
}

int desktopLookups = 0;

std::string FoundDesktop() {
    ++desktopLookups;
    return "C:\\Users\\Me\\Desktop\\";
}

} // namespace

TEST(PathMacros, FileNamesLieWhereTheirMacroSays) {
    EXPECT_EQ(Expand("SETUP.ICO"), "D:\\DATA\\SETUP.ICO");
    EXPECT_EQ(Expand("DATA\\GAME.DAT *DESTDIR"), "C:\\GAME\\DATA\\GAME.DAT");
    EXPECT_EQ(Expand("  A.DLL\t*SYSTEMDIR "), "C:\\WINDOWS\\SYSTEM\\A.DLL");
    EXPECT_EQ(Expand("A.INI *WINDOWSDIR"), "C:\\WINDOWS\\A.INI");
    EXPECT_EQ(Expand("A.LNK *DESKTOP"), "C:\\WINDOWS\\Desktop\\A.LNK");
    EXPECT_EQ(Expand("A.TXT *SourceDir"), "D:\\DATA\\A.TXT");
    EXPECT_EQ(Expand("C:\\TEMP\\A.TXT *NONE"), "C:\\TEMP\\A.TXT");
    EXPECT_EQ(Expand("MY|FILE.TXT *destdir"), "C:\\GAME\\MY FILE.TXT");
}

TEST(PathMacros, TheDesktopIsFoundOnItsFirstUseOnly) {
    Directories dirs = Dirs();
    dirs.desktop.clear();
    dirs.findDesktop = FoundDesktop;
    desktopLookups = 0;
    EXPECT_EQ(ExpandFileName("A.TXT *DESTDIR", dirs), "C:\\GAME\\A.TXT");
    EXPECT_EQ(ExpandFileName("*SYSTEMDIR", dirs), "C:\\WINDOWS\\SYSTEM\\");
    EXPECT_EQ(desktopLookups, 0);
    EXPECT_EQ(ExpandFileName("A.LNK *desktop", dirs), "C:\\Users\\Me\\Desktop\\A.LNK");
    EXPECT_EQ(ExpandFileName("*DESKTOP", dirs), "C:\\Users\\Me\\Desktop\\");
    EXPECT_EQ(desktopLookups, 1);
}

TEST(PathMacros, LoneMacrosAreTheirDirectory) {
    EXPECT_EQ(Expand("*SYSTEMDIR"), "C:\\WINDOWS\\SYSTEM\\");
    EXPECT_EQ(Expand("*destdir"), "C:\\GAME\\");
    EXPECT_EQ(Expand("*NONE"), "");
    Directories spaced = Dirs();
    spaced.install = "C:\\MY|GAME\\";
    EXPECT_EQ(ExpandFileName("*DESTDIR", spaced), "C:\\MY GAME\\");
}

TEST(PathMacros, MalformedArgumentsAreRefused) {
    EXPECT_FALSE(ExpandFileName("", Dirs()));
    EXPECT_FALSE(ExpandFileName(" \t ", Dirs()));
    EXPECT_FALSE(ExpandFileName("*DESTDIR EXTRA", Dirs()));
    EXPECT_FALSE(ExpandFileName("*PIPO", Dirs()));
    EXPECT_FALSE(ExpandFileName("A.TXT *PIPO", Dirs()));
    EXPECT_FALSE(ExpandFileName("A.TXT DESTDIR", Dirs()));
}

TEST(PathMacros, PrepareFileNameReportsAndEndsTheRun) {
    RecordingView view;
    EXPECT_EQ(PrepareFileName("A *DESTDIR", Dirs(), view), "C:\\GAME\\A");
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_FALSE(view.RunEnded());

    EXPECT_FALSE(PrepareFileName("*DESTDIR A", Dirs(), view));
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, "Wrong file format");
    EXPECT_EQ(view.alerts[0].caption, "Setup : PrepareFileName");
    EXPECT_EQ(view.endResult, 0);
}

TEST(PathMacros, WordsAreBoundedTo255Characters) {
    const std::string longName(400, 'n');
    EXPECT_EQ(Expand(longName + " *NONE"), std::string(255, 'n'));
}

TEST(ProductToken, ReplacesTheTokenAndEverythingAfterIt) {
    std::string group = "Group *PRODUCT";
    EXPECT_EQ(ReplaceProductToken(group, "Atlas"), "Group Atlas");
    EXPECT_EQ(group, "Group Atlas");
    std::string lead = "*product Demo";
    EXPECT_EQ(ReplaceProductToken(lead, "Atlas"), "Atlas");
    std::string none = "Plain *PRODUC";
    EXPECT_EQ(ReplaceProductToken(none, "Atlas"), "Plain *PRODUC");
    std::string longName = "x*PRODUCT";
    EXPECT_EQ(ReplaceProductToken(longName, std::string(100, 'p')), "x" + std::string(79, 'p'));
}
