#include "system/autoexec.h"
#include "system/shortcut_names.h"

#include <gtest/gtest.h>

#include <string>

TEST(ShortcutNames, ProgramLinkCarriesTheSuffixesItAsksFor) {
    LinkNameParts parts;
    parts.groupFolder = "C:\\Start\\Programs\\Demo";
    parts.name = "Game";
    parts.productVersion = 102;
    parts.languageText = "English on drive";
    parts.drive = 'D';

    LinkName plain = ProgramLinkName(parts);
    EXPECT_EQ(plain.path, "C:\\Start\\Programs\\Demo\\Game.LNK");
    EXPECT_EQ(plain.description, "Game");

    parts.addVersion = true;
    parts.addLanguageAndDrive = true;
    LinkName both = ProgramLinkName(parts);
    EXPECT_EQ(both.path, "C:\\Start\\Programs\\Demo\\Game V.1.02 English on drive D.LNK");
    EXPECT_EQ(both.description, "Game V.1.02 English on drive D");

    parts.addVersion = false;
    EXPECT_EQ(ProgramLinkName(parts).description, "Game English on drive D");
    parts.addVersion = true;
    parts.addLanguageAndDrive = false;
    EXPECT_EQ(ProgramLinkName(parts).description, "Game V.1.02");
}

TEST(ShortcutNames, BarsBecomeBlanksInPathAndDescription) {
    LinkNameParts parts;
    parts.groupFolder = "C:\\P\\My|Group";
    parts.name = "Read|me";
    LinkName link = ProgramLinkName(parts);
    EXPECT_EQ(link.path, "C:\\P\\My Group\\Read me.LNK");
    EXPECT_EQ(link.description, "Read me");
}

TEST(ShortcutNames, VersionSuffixSplitsHundreds) {
    EXPECT_EQ(VersionSuffix(102), " V.1.02");
    EXPECT_EQ(VersionSuffix(110), " V.1.10");
    EXPECT_EQ(VersionSuffix(1203), " V.12.03");
    EXPECT_EQ(VersionSuffix(0), " V.0.00");
}

TEST(ShortcutNames, GroupTakesTheProductOnlyForTheTokenInCapitals) {
    EXPECT_EQ(GroupNameWithProduct("Morvel\\*PRODUCT more words", "Demo Title"),
              "Morvel\\Demo Title");
    EXPECT_EQ(GroupNameWithProduct("Morvel\\*product", "Demo Title"), "Morvel\\*product");
    EXPECT_EQ(GroupNameWithProduct("Plain", "Demo Title"), "Plain");
    EXPECT_EQ(GroupNameWithProduct("*PRODUCT", std::string(100, 'x')), std::string(79, 'x'));
}

TEST(ShortcutNames, WorkingDirectoryIsTheTargetsFolder) {
    EXPECT_EQ(WorkingDirectoryOf("C:\\GAME\\GAME.EXE"), "C:\\GAME");
    EXPECT_EQ(WorkingDirectoryOf("C:\\GAME.EXE"), "C:");
    EXPECT_EQ(WorkingDirectoryOf("GAME.EXE"), "GAME.EXE");
}

TEST(ShortcutNames, StartupLinkIsNamedAfterTheTargetsBaseName) {
    EXPECT_EQ(StartupBaseName("D:\\GAME\\GAME.EXE"), "GAME");
    EXPECT_EQ(StartupBaseName("D:\\GAME\\PLAY.ME.EXE"), "PLAY");
    EXPECT_EQ(StartupBaseName("D:\\GAME\\NODOT"), "NODOT");
    EXPECT_EQ(StartupBaseName("D:\\" + std::string(40, 'n') + ".EXE"), std::string(31, 'n'));
    EXPECT_EQ(StartupLinkPath("C:\\Startup", "Game", "English on drive", 'D'),
              "C:\\Startup\\Game English on drive D.LNK");
    EXPECT_EQ(StartupLinkPath("C:\\Startup\\", "Game", "English on drive", 'D'),
              "C:\\Startup\\Game English on drive D.LNK");
}

TEST(ShortcutNames, UninstallEntryNamesProductVersionAndDrive) {
    EXPECT_EQ(UninstallDisplayName("Demo Title", 102, "D:\\DEMO\\"), "Demo Title V.1.02 on D");
    EXPECT_EQ(UninstallKey("Demo Title V.1.02 on D"),
              "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo Title V.1.02 on D");
    EXPECT_EQ(UninstallCommand("D:\\DEMO\\"), "\"D:\\DEMO\\Uninst.exe\"");

    // A long product name is cut so that the suffixes always follow.
    const std::string name = UninstallDisplayName(std::string(200, 'p'), 102, "C:\\X\\");
    EXPECT_EQ(name, std::string(127, 'p') + " V.1.02 on C");
    EXPECT_EQ(UninstallDisplayName(std::string(127, 'q'), 110, "E:\\").substr(127), " V.1.10 on E");
}

TEST(Autoexec, PathLinesFollowTheOldContentByteForByte) {
    const std::string marker = "REM ********LIGNE AJOUTEE PAR MORVEL****************";
    EXPECT_EQ(AutoexecPath("C:\\WINDOWS\\"), "C:\\AUTOEXEC.BAT");
    EXPECT_EQ(AppendPathLines("@ECHO OFF\r\n", "C:\\DEMO\\"),
              "@ECHO OFF\r\n" + marker + "\r\nSET PATH=%PATH%;C:\\DEMO\\\r\n");
    // Without a final line end the marker continues the last line.
    EXPECT_EQ(AppendPathLines("PROMPT $P$G", "D:\\X"),
              "PROMPT $P$G" + marker + "\r\nSET PATH=%PATH%;D:\\X\r\n");
    // A second run appends the lines again.
    const std::string twice = AppendPathLines(AppendPathLines("", "C:\\A"), "C:\\A");
    EXPECT_EQ(twice,
              marker + "\r\nSET PATH=%PATH%;C:\\A\r\n" + marker + "\r\nSET PATH=%PATH%;C:\\A\r\n");
    const std::string binary("A\0B\x1a", 4);
    EXPECT_EQ(AppendPathLines(binary, "C:\\A").substr(0, 4), binary);
}
