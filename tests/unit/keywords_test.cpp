// Which keyword a script line begins with: exact keywords for the
// interpreter, any case for the pre-pass, the PC_ twins, sub-keywords at
// their fixed positions, and the order that keeps COPYDIR from being read as
// COPY.

#include "script/keywords.h"

#include <gtest/gtest.h>

using K = Keyword;

TEST(Keywords, EveryCommandAndItsTwin) {
    const struct {
        const char *line;
        K keyword;
    } cases[] = {
        {"INSTALL WEBVIEWER", K::Install},
        {"PC_INSTALL ELAN TTS", K::Install},
        {"IMAGE PIC.BMP 5", K::Image},
        {"PC_IMAGE PIC.BMP 5", K::Image},
        {"RMDIR TEMP *DESTDIR", K::RemoveDir},
        {"PC_RMDIR TEMP *DESTDIR", K::RemoveDir},
        {"MKDIR *DESTDIR", K::MakeDir},
        {"PC_MKDIR *DESTDIR", K::MakeDir},
        {"ADDSTART GROUP Demo", K::AddStartGroup},
        {"COPYDIR DATA *DESTDIR", K::CopyDir},
        {"PC_COPYDIR DATA *DESTDIR", K::CopyDir},
        {"COPY A.TXT *DESTDIR", K::Copy},
        {"PC_COPY A.TXT *DESTDIR", K::Copy},
        {"SPECIAL ADDPATH *DESTDIR", K::SpecialAddPath},
        {"SPECIAL ADDSTARTUP GAME.EXE *DESTDIR", K::SpecialAddStartup},
        {"ADDSTARTUP a b", K::AddStartup},
        {"ADDSTART FILE a b c rest", K::AddStartFile},
        {"ADDSTART LINK a b c", K::AddStartLink},
        {"PC_ADDLINK a b c", K::AddLink},
        {"MESSAGE 12 0", K::Message},
        {"PC_MESSAGE 12 0", K::Message},
        {"TEST GRAPHCAPS x", K::Test},
        {"PC_TEST x", K::Test},
        {"DIRECTX_INSTALL", K::DirectXInstall},
        {"PC_DIRECTX_INSTALL", K::DirectXInstall},
        {"EXECUTE a b c d", K::Execute},
        {"PC_EXECUTE a b c d", K::Execute},
        {"DELETE *PROGLINK* a", K::Delete},
        {"BROWSEURL SITE", K::BrowseUrl},
        {"ALLDONE", K::AllDone},
        {"PC_ALLDONE", K::AllDone},
        {"PROGRESS START", K::ProgressStart},
        {"PC_PROGRESS START", K::ProgressStart},
        {"PROGRESS END", K::ProgressEnd},
        {"PC_PROGRESS END", K::ProgressEnd},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CommandKeyword(c.line), c.keyword) << c.line;
}

TEST(Keywords, CopyDirIsNotReadAsCopy) {
    EXPECT_EQ(CommandKeyword("COPYDIR X *DESTDIR"), K::CopyDir);
    EXPECT_EQ(CommandKeyword("COPYDIRX"), K::CopyDir); // a prefix test, as ever
    EXPECT_EQ(CommandKeyword("COPY DIR"), K::Copy);
}

TEST(Keywords, InterpreterTakesUpperCaseOnlyPrePassAnyCase) {
    for (const char *line :
         {"copy a b", "Copy a b", "alldone", "pc_COPY a b", "PC_ADDSTART GROUP x",
          "ADDSTART OTHER x", "SPECIAL OTHER", "SPECIAL addpath x", "PROGRESS", "PROGRESS STOP", "",
          " COPY a b", "PC_", "PC_BROWSEURL x", "PC_DELETE a", "ADDSTART  LINK x"}) {
        EXPECT_EQ(CommandKeyword(line), K::None) << '"' << line << '"';
    }
    EXPECT_EQ(CommandKeyword("copy a b", KeywordCase::Any), K::Copy);
    EXPECT_EQ(CommandKeyword("pc_copydir a b", KeywordCase::Any), K::CopyDir);
}

TEST(Keywords, SubKeywordsStandOneBlankAfterTheFirstWord) {
    // "ADDSTARTUP" begins with "ADDSTART" but carries no sub-keyword at
    // character 10.
    EXPECT_EQ(CommandKeyword("ADDSTARTUP GROUP x"), K::AddStartup);
    EXPECT_EQ(CommandKeyword("ADDSTART GROUPS x"), K::AddStartGroup); // a prefix too
    EXPECT_EQ(CommandKeyword("SPECIAL ADDPATHS"), K::SpecialAddPath);
    // A shortcut in the Startup folder is a SPECIAL line, not an unknown one.
    EXPECT_EQ(CommandKeyword("SPECIAL ADDSTARTUP GAME.EXE *DESTDIR ICON.ICO *DESTDIR"),
              K::SpecialAddStartup);
}

TEST(Keywords, PrePassOptionsInAnyCase) {
    const struct {
        const char *line;
        K keyword;
    } cases[] = {
        {"WAITWRITE 5", K::WaitWrite},
        {"copy_mode strict", K::CopyMode},
        {"KILL Notepad", K::Kill},
        {"pc_compatibility win95", K::Compatibility},
        {"NODELETE *.*", K::NoDelete},
        {"PC_DELETEFILE OLD.EXE", K::DeleteFile},
        {"install font a b c", K::InstallFont},
        {"PC_INSTALL FONT a b c", K::InstallFont},
        {"USEFONT MAINDLG Arial", K::UseFont},
        {"BkGndColor 1 2 3", K::BackgroundColour},
        {"PROGRESSCOLOR 1", K::ProgressColour},
    };
    for (const auto &c : cases)
        EXPECT_EQ(OptionKeyword(c.line), c.keyword) << c.line;
    for (const char *line : {"COPY A B", "INSTALL WEBVIEWER", "PC_KILL x", "PC_NODELETE x", ""})
        EXPECT_EQ(OptionKeyword(line), K::None) << line;
}

TEST(Keywords, TwinPrefixIsDroppedForTheWords) {
    EXPECT_EQ(WithoutTwinPrefix("PC_MKDIR GAME *DESTDIR"), "MKDIR GAME *DESTDIR");
    EXPECT_EQ(WithoutTwinPrefix("MKDIR GAME *DESTDIR"), "MKDIR GAME *DESTDIR");
}
