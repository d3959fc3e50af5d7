// Which command a kept script line is: exact keywords, the PC_ twins, the
// order that keeps COPYDIR from being read as COPY, and the restart form of
// ALLDONE.

#include "script/command_table.h"

#include <gtest/gtest.h>

using C = ScriptCommand;

TEST(CommandTable, EveryKeywordAndItsTwin) {
    const struct {
        const char *line;
        C command;
    } cases[] = {
        {"INSTALL WEBVIEWER", C::Install},
        {"PC_INSTALL ELAN TTS", C::Install},
        {"IMAGE PIC.BMP *SOURCEDIR 5", C::Image},
        {"PC_IMAGE PIC.BMP *SOURCEDIR 5", C::Image},
        {"RMDIR TEMP *DESTDIR", C::RemoveDir},
        {"PC_RMDIR TEMP *DESTDIR", C::RemoveDir},
        {"MKDIR *DESTDIR", C::MakeDir},
        {"PC_MKDIR *DESTDIR", C::MakeDir},
        {"ADDSTART GROUP Demo", C::AddStartGroup},
        {"COPYDIR DATA *DESTDIR", C::CopyDir},
        {"PC_COPYDIR DATA *DESTDIR", C::CopyDir},
        {"COPY A.TXT *DESTDIR", C::Copy},
        {"PC_COPY A.TXT *DESTDIR", C::Copy},
        {"SPECIAL ADDPATH X Y", C::SpecialAddPath},
        {"ADDSTARTUP a b c d e", C::AddStartup},
        {"ADDSTART FILE a b c rest", C::AddStartFile},
        {"ADDSTART LINK a b c", C::AddStartLink},
        {"PC_ADDLINK a b c", C::AddLink},
        {"MESSAGE HELLO 1 2", C::Message},
        {"PC_MESSAGE HELLO 1 2", C::Message},
        {"TEST GRAPHCAPS x", C::Test},
        {"PC_TEST x", C::Test},
        {"DIRECTX_INSTALL", C::DirectXInstall},
        {"PC_DIRECTX_INSTALL", C::DirectXInstall},
        {"EXECUTE a b c d", C::Execute},
        {"PC_EXECUTE a b c d", C::Execute},
        {"DELETE *PROGLINK* a", C::Delete},
        {"BROWSEURL http://x", C::BrowseUrl},
        {"ALLDONE", C::AllDone},
        {"PC_ALLDONE", C::AllDone},
        {"PROGRESS START", C::ProgressStart},
        {"PC_PROGRESS START", C::ProgressStart},
        {"PROGRESS END", C::ProgressEnd},
        {"PC_PROGRESS END", C::ProgressEnd},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ClassifyCommand(c.line), c.command) << c.line;
}

TEST(CommandTable, CopyDirIsNotReadAsCopy) {
    EXPECT_EQ(ClassifyCommand("COPYDIR X *DESTDIR"), C::CopyDir);
    EXPECT_EQ(ClassifyCommand("COPYDIRX"), C::CopyDir); // a prefix test, as ever
    EXPECT_EQ(ClassifyCommand("COPY DIR"), C::Copy);
}

TEST(CommandTable, CaseAndUnknownWordsAreNoCommand) {
    for (const char *line :
         {"copy a b", "Copy a b", "alldone", "pc_COPY a b", "PC_ADDSTART GROUP x",
          "ADDSTART OTHER x", "SPECIAL OTHER", "PROGRESS", "PROGRESS STOP", "", " COPY a b", "PC_",
          "PC_BROWSEURL x", "PC_DELETE a"}) {
        EXPECT_EQ(ClassifyCommand(line), C::Unknown) << '"' << line << '"';
    }
}

TEST(CommandTable, AddStartWordsPickTheirCommand) {
    // ADDSTARTUP begins with ADDSTART: GROUP is tested before it, FILE and LINK after.
    EXPECT_EQ(ClassifyCommand("ADDSTARTUP GROUP x"), C::AddStartGroup);
    EXPECT_EQ(ClassifyCommand("ADDSTARTUP FILE x"), C::AddStartup); // tested before FILE
    EXPECT_EQ(ClassifyCommand("ADDSTARTUP a b"), C::AddStartup);
    EXPECT_EQ(ClassifyCommand("ADDSTART   LINK x"), C::AddStartLink);
}

TEST(CommandTable, RestartOnlyForTheReadingAtCharactersNineToFourteen) {
    EXPECT_TRUE(AsksForRestart("ALLDONE REBOOT"));
    EXPECT_TRUE(AsksForRestart("ALLDONE REBOOTNOW"));
    EXPECT_FALSE(AsksForRestart("ALLDONE"));
    EXPECT_FALSE(AsksForRestart("PC_ALLDONE REBOOT"));
    EXPECT_FALSE(AsksForRestart("ALLDONE  REBOOT"));
    EXPECT_FALSE(AsksForRestart("ALLDONE reboot"));
    EXPECT_FALSE(AsksForRestart("ALLDONE REB")); // too short to hold the word
}

TEST(CommandTable, TwinPrefixIsDroppedForTheHandlers) {
    EXPECT_EQ(WithoutTwinPrefix("PC_MKDIR GAME *DESTDIR"), "MKDIR GAME *DESTDIR");
    EXPECT_EQ(WithoutTwinPrefix("MKDIR GAME *DESTDIR"), "MKDIR GAME *DESTDIR");
}
