// What a kept line means: the words each command reads, the "|" splits,
// the fixed positions, the PC_ twins and the lines that stop the run.

#include "script/command_parse.h"

#include <gtest/gtest.h>

namespace {

template <typename T> T As(const char *line) {
    const ScriptCommand command = ParseCommand(line);
    const T *typed = std::get_if<T>(&command);
    EXPECT_NE(typed, nullptr) << line << " is parsed as alternative " << command.index();
    return typed ? *typed : T{};
}

} // namespace

TEST(CommandParse, CopyLinesAndTheirFaults) {
    const auto copy = As<CopyCommand>("PC_COPY GAME.EXE *DESTDIR extra");
    EXPECT_EQ(copy.file, "GAME.EXE");
    EXPECT_EQ(copy.target, "*DESTDIR");
    EXPECT_FALSE(copy.marker);
    EXPECT_TRUE(As<CopyCommand>("COPY NOMENCLATUREFILE").marker); // needs no target
    EXPECT_FALSE(As<CopyCommand>("COPY nomenclaturefile *DESTDIR").marker);

    const auto dir = As<CopyDirCommand>("COPYDIR DATA\\*.* *DESTDIR\\DATA");
    EXPECT_EQ(dir.from, "DATA\\*.*");
    EXPECT_EQ(dir.to, "*DESTDIR\\DATA");

    for (const char *line : {"COPY A.TXT", "COPY", "COPYDIR DATA", "PC_COPYDIR"}) {
        const auto bad = As<BadLine>(line);
        EXPECT_EQ(bad.text, "COPY not valid") << line;
        EXPECT_EQ(bad.caption, "Setup") << line;
    }
}

TEST(CommandParse, WordsAreCutAtTheScriptLimit) {
    const std::string longWord(600, 'x');
    const std::string line = "COPY " + longWord + " *DESTDIR";
    const auto copy = As<CopyCommand>(line.c_str());
    EXPECT_EQ(copy.file.size(), 255u);
    EXPECT_EQ(copy.target, "*DESTDIR");
}

TEST(CommandParse, DirectoryCommandsTakeTheTextAfterTheirKeyword) {
    EXPECT_EQ(As<MakeDirCommand>("MKDIR GAME *DESTDIR").argument, "GAME *DESTDIR");
    EXPECT_EQ(As<MakeDirCommand>("PC_MKDIR GAME *DESTDIR").argument, "GAME *DESTDIR");
    EXPECT_EQ(As<RemoveDirCommand>("RMDIR").argument, "");
    EXPECT_TRUE(As<ProgressCommand>("PROGRESS START").start);
    EXPECT_FALSE(As<ProgressCommand>("PC_PROGRESS END").start);
}

TEST(CommandParse, RestartOnlyForTheWordAtCharactersNineToFourteen) {
    EXPECT_TRUE(As<AllDoneCommand>("ALLDONE REBOOT").restart);
    EXPECT_TRUE(As<AllDoneCommand>("ALLDONE REBOOTNOW").restart);
    EXPECT_FALSE(As<AllDoneCommand>("ALLDONE").restart);
    EXPECT_FALSE(As<AllDoneCommand>("PC_ALLDONE REBOOT").restart);
    EXPECT_FALSE(As<AllDoneCommand>("ALLDONE  REBOOT").restart);
    EXPECT_FALSE(As<AllDoneCommand>("ALLDONE reboot").restart);
    EXPECT_FALSE(As<AllDoneCommand>("ALLDONE REB").restart);
}

TEST(CommandParse, ShortcutCommands) {
    EXPECT_EQ(As<AddStartGroupCommand>("ADDSTART GROUP My *PRODUCT Games").name,
              "My *PRODUCT Games");

    const auto file = As<AddStartFileCommand>("ADDSTART FILE D:\\README.TXT Read me.txt");
    EXPECT_EQ(file.source, "D:\\README.TXT");
    EXPECT_EQ(file.destination, "Read me.txt");

    const auto link = As<AddStartLinkCommand>(
        "ADDSTART LINK addversion ADDLNG_AND_DRIVE GAME.EXE|-full *DESTDIR Demo Game ICON.ICO "
        "*DESTDIR");
    EXPECT_TRUE(link.addVersion);
    EXPECT_TRUE(link.addLanguageAndDrive);
    EXPECT_EQ(link.file, "GAME.EXE");
    EXPECT_EQ(link.arguments, "-full");
    EXPECT_EQ(link.dir, "*DESTDIR");
    EXPECT_EQ(link.group, "Demo");
    EXPECT_EQ(link.name, "Game");
    EXPECT_EQ(link.iconFile, "ICON.ICO");
    EXPECT_EQ(link.iconDir, "*DESTDIR");
    const auto plain = As<AddStartLinkCommand>("ADDSTART LINK NO NO A|B|C *DESTDIR G N");
    EXPECT_FALSE(plain.addVersion);
    EXPECT_EQ(plain.file, "A|B"); // split at the last bar
    EXPECT_EQ(plain.arguments, "C");
    EXPECT_EQ(plain.iconFile, "");

    const auto desk = As<AddLinkCommand>("PC_ADDLINK GAME.EXE *DESTDIR *PRODUCT *DESKTOP");
    EXPECT_EQ(desk.file, "GAME.EXE");
    EXPECT_EQ(desk.name, "*PRODUCT");
    EXPECT_EQ(desk.linkDir, "*DESKTOP");

    const auto startup = As<AddStartupCommand>("SPECIAL ADDSTARTUP GAME.EXE *DESTDIR I.ICO *CD");
    EXPECT_EQ(startup.file, "GAME.EXE");
    EXPECT_EQ(startup.dir, "*DESTDIR");
    EXPECT_EQ(startup.iconFile, "I.ICO");
    EXPECT_EQ(startup.iconDir, "*CD");
}

TEST(CommandParse, DeleteKinds) {
    const auto links = As<DeleteCommand>("DELETE *proglink* Demo GAME.EXE");
    EXPECT_EQ(links.kind, ShortcutDeleteKind::ProgramLinks);
    EXPECT_EQ(links.group, "Demo");
    EXPECT_EQ(links.file, "GAME.EXE");
    EXPECT_EQ(As<DeleteCommand>("DELETE *PROGFILE* Demo *.TXT").kind,
              ShortcutDeleteKind::ProgramFiles);
    const auto startup = As<DeleteCommand>("DELETE *STARTUPLINK* GAME.EXE");
    EXPECT_EQ(startup.kind, ShortcutDeleteKind::StartupLinks);
    EXPECT_EQ(startup.file, "GAME.EXE");
    EXPECT_EQ(As<DeleteCommand>("DELETE *OTHER* a b").kind, ShortcutDeleteKind::None);
    // Only the program-link kind is known in lower case.
    EXPECT_EQ(As<DeleteCommand>("DELETE *progfile* Demo *.TXT").kind, ShortcutDeleteKind::None);
    EXPECT_EQ(As<DeleteCommand>("DELETE *startuplink* GAME.EXE").kind, ShortcutDeleteKind::None);
}

TEST(CommandParse, LongAddStartLinkOptionDoesNotShiftTheWords) {
    // The option fields are short; the rest of a longer word is dropped and
    // never read as the next word.
    EXPECT_FALSE(
        As<AddStartLinkCommand>("ADDSTART LINK ADDVERSION_EXTRA_CHARACTERS NO A.EXE *DESTDIR G N")
            .addVersion);
    const std::string line =
        "ADDSTART LINK " + std::string(30, 'X') + " ADDLNG_AND_DRIVE A.EXE *DESTDIR G N";
    const auto link = As<AddStartLinkCommand>(line.c_str());
    EXPECT_TRUE(link.addLanguageAndDrive);
    EXPECT_EQ(link.file, "A.EXE");
}

TEST(CommandParse, ProgramsAndPages) {
    const auto run = As<ExecuteCommand>("PC_EXECUTE SETUP.EXE|/q *SOURCEDIR Viewer Setup");
    EXPECT_EQ(run.program, "SETUP.EXE");
    EXPECT_EQ(run.arguments, "/q");
    EXPECT_EQ(run.dir, "*SOURCEDIR");
    EXPECT_EQ(run.title, "Viewer Setup");
    EXPECT_EQ(As<ExecuteCommand>("EXECUTE A.EXE *DESTDIR").title, "");
    EXPECT_EQ(As<BrowseUrlCommand>("BROWSEURL SITE_HOME").addressName, "SITE_HOME");
    EXPECT_EQ(As<BrowseUrlCommand>("BROWSEURL").addressName, "");
    EXPECT_EQ(As<SpecialAddPathCommand>("SPECIAL ADDPATH *DESTDIR").directory, "*DESTDIR");
    EXPECT_EQ(As<InstallCommand>("PC_INSTALL WEBVIEWER *SOURCEDIR").kind, ComponentKind::WebViewer);
}

TEST(CommandParse, WindowCommands) {
    const auto image = As<ImageCommand>("IMAGE PICT\\ONE.BMP 4");
    EXPECT_EQ(image.file, "PICT\\ONE.BMP");
    EXPECT_EQ(image.seconds, 4);
    EXPECT_EQ(As<MessageCommand>("MESSAGE 12 0").number, 12);
    EXPECT_EQ(As<MessageCommand>("PC_MESSAGE -3").number, -3);
    const auto test = As<TestCommand>("TEST GRAPHCAPS 640 480 16 7 400 200 9");
    EXPECT_EQ(test.test, "GRAPHCAPS");
    EXPECT_EQ(test.count, 6); // a seventh number is never read
    EXPECT_EQ(test.values[0], 640);
    EXPECT_EQ(test.values[5], 200);
    EXPECT_EQ(As<TestCommand>("TEST SOUND x 2").count, 0);
}

TEST(CommandParse, LinesThatAreNoCommandKeepTheirText) {
    for (const char *line : {"copy a b", "KILL x", "SPECIAL OTHER", "ADDSTART OTHER x", ""})
        EXPECT_EQ(As<UnknownLine>(line).line, line);
}
