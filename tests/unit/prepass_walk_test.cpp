#include "script/prepass_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct FontCall {
    std::string file, where, face;
    bool operator==(const FontCall &) const = default;
};

// Sizes from tables; every call is recorded.
class FakeEffects : public PrePassEffects {
public:
    std::map<std::string, std::uint64_t> files;
    std::map<std::pair<std::string, bool>, std::uint64_t> directories;
    std::string unreadable; // FileSize fails for this path
    Strings sized;
    std::vector<FontCall> fonts;

    bool FileSize(const std::string &path, std::uint64_t &bytes) override {
        sized.push_back(path);
        if (path == unreadable)
            return false;
        auto it = files.find(path);
        bytes = it == files.end() ? 0 : it->second;
        return true;
    }
    std::uint64_t DirectorySize(const std::string &path, bool recurse) override {
        sized.push_back(path + (recurse ? " (tree)" : " (files)"));
        auto it = directories.find({path, recurse});
        return it == directories.end() ? 0 : it->second;
    }
    bool InstallFont(const std::string &file, const std::string &where,
                     const std::string &face) override {
        fonts.push_back({file, where, face});
        return file != "MALFORMED";
    }
};

const PrePassContext kContext{"D:\\DATA\\", "ABCDF110.CD1"};

struct Walk {
    FakeEffects effects;
    InstallSettings settings;
    bool ok = false;
    explicit Walk(std::string_view text, FakeEffects fx = {}) : effects(std::move(fx)) {
        ok = WalkScript(text, kContext, effects, settings);
    }
};

} // namespace

TEST(PrePass, KeepsCommandsVerbatimAndDropsCommentsEmptyAndMacLines) {
    Walk walk("; a comment\r\n"
              "\r\n"
              "MAC_COPY A B\r\n"
              "mac_copy A B\r\n"
              "MKDIR  DATA *DESTDIR \r\n"
              "PC_COPY A *DESTDIR\r\n"
              "copy a b\r\n"
              "   \r\n"
              "ALLDONE");
    ASSERT_TRUE(walk.ok);
    EXPECT_EQ(walk.settings.commands, (Strings{"MKDIR  DATA *DESTDIR ", "PC_COPY A *DESTDIR",
                                               "copy a b", "   ", "ALLDONE"}));
}

TEST(PrePass, StartsEveryWalkWithAnEmptyListAndNoBytes) {
    FakeEffects fx;
    fx.files["D:\\DATA\\A"] = 10;
    InstallSettings settings;
    settings.commands = {"OLD"};
    settings.totalBytes = 99;
    ASSERT_TRUE(WalkScript("PROGRESS START\nCOPY A *DESTDIR\n", kContext, fx, settings));
    EXPECT_EQ(settings.totalBytes, 10u);
    EXPECT_EQ(settings.commands.size(), 2u);
}

TEST(PrePass, SizesCopyLinesOnlyBetweenProgressMarkers) {
    FakeEffects fx;
    fx.files["D:\\DATA\\A.DAT"] = 1000;
    fx.files["D:\\DATA\\SUB\\B.DAT"] = 20;
    fx.files["D:\\DATA\\MY FILE.TXT"] = 3;
    Walk walk("COPY A.DAT *DESTDIR\r\n"
              "progress start\r\n"
              "COPY A.DAT *DESTDIR\r\n"
              "PC_COPY SUB\\B.DAT *DESTDIR\r\n"
              "copy A.DAT *DESTDIR\r\n"
              "COPY MY|FILE.TXT *DESTDIR\r\n"
              "COPY MISSING.DAT *DESTDIR\r\n"
              "PC_PROGRESS END\r\n"
              "COPY A.DAT *DESTDIR\r\n",
              fx);
    ASSERT_TRUE(walk.ok);
    EXPECT_EQ(walk.settings.totalBytes, 1000u + 20 + 1000 + 3);
    EXPECT_EQ(walk.settings.commands.size(), 9u); // the markers are kept
}

TEST(PrePass, ProgressMarkersMustBeTheWholeLine) {
    FakeEffects fx;
    fx.files["D:\\DATA\\A"] = 5;
    Walk trailingBlank("PROGRESS START \nCOPY A *DESTDIR\n", fx);
    EXPECT_EQ(trailingBlank.settings.totalBytes, 0u);
    EXPECT_EQ(trailingBlank.settings.commands.front(), "PROGRESS START ");

    Walk pcMarker("Pc_Progress Start\nCOPY A *DESTDIR\nPROGRESS END\nCOPY A *DESTDIR\n", fx);
    EXPECT_EQ(pcMarker.settings.totalBytes, 5u);
}

TEST(PrePass, CopyDirIsTestedBeforeCopyAndSizesTreesOrFiles) {
    FakeEffects fx;
    fx.directories[{"D:\\DATA\\IMAGES", true}] = 700;
    fx.directories[{"D:\\DATA\\SOUNDS\\*.*", false}] = 50;
    Walk walk("PROGRESS START\n"
              "COPYDIR IMAGES *DESTDIR\\IMAGES\n"
              "PC_COPYDIR SOUNDS\\*.* *DESTDIR\\SOUNDS\n"
              "COPYDIR\n",
              fx);
    ASSERT_TRUE(walk.ok);
    EXPECT_EQ(walk.settings.totalBytes, 750u);
    EXPECT_EQ(walk.effects.sized,
              (Strings{"D:\\DATA\\IMAGES (tree)", "D:\\DATA\\SOUNDS\\*.* (files)"}));
    EXPECT_EQ(walk.settings.commands.size(), 4u);
}

TEST(PrePass, NomenclatureFileAddsTheOldMarkerPattern) {
    Walk walk("PROGRESS START\nCOPY NOMENCLATUREFILE *DESTDIR\nCOPY nomenclaturefile x\n");
    EXPECT_EQ(walk.settings.filesToDelete, (Strings{"ABCDF*.CD1"}));
    EXPECT_EQ(walk.settings.commands.size(), 3u);

    Walk outside("COPY NOMENCLATUREFILE *DESTDIR\n");
    EXPECT_TRUE(outside.settings.filesToDelete.empty());
}

TEST(PrePass, ElanTtsSizesTheTtsFolderAndStaysACommand) {
    FakeEffects fx;
    fx.directories[{"D:\\DATA\\TTS", false}] = 4096;
    Walk walk("install elan tts\nPC_INSTALL ELAN TTS\n", fx);
    EXPECT_EQ(walk.settings.totalBytes, 2 * 4096u); // the twin is sized too
    EXPECT_EQ(walk.settings.commands, (Strings{"install elan tts", "PC_INSTALL ELAN TTS"}));
}

TEST(PrePass, AFontLineThatEndsTheInstallationStopsTheWalk) {
    Walk walk("INSTALL FONT MALFORMED A B\nCOPY A *DESTDIR\nINSTALL FONT K.TTF *SOURCEDIR K\n");
    EXPECT_FALSE(walk.ok);
    EXPECT_EQ(walk.effects.fonts.size(), 1u);
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, AFileThatCannotBeReadWhileSizingFailsThePrePass) {
    FakeEffects fx;
    fx.unreadable = "D:\\DATA\\BAD";
    Walk walk("PROGRESS START\nCOPY BAD *DESTDIR\n", fx);
    EXPECT_FALSE(walk.ok);
    Walk unsized("COPY BAD *DESTDIR\n", fx); // not sized outside the markers
    EXPECT_TRUE(unsized.ok);
}

TEST(PrePass, WaitWriteAndCopyModeAreConsumed) {
    Walk walk("WAITWRITE 25\ncopy_mode strict\nCOPY A B\n");
    EXPECT_TRUE(walk.settings.writePause);
    EXPECT_EQ(walk.settings.writePauseTicks, 25);
    EXPECT_TRUE(walk.settings.strictCopyMode);
    EXPECT_EQ(walk.settings.commands, (Strings{"COPY A B"}));

    Walk last("COPY_MODE STRICTLY\nCOPY_MODE NORMAL\nwaitwrite -3\n");
    EXPECT_FALSE(last.settings.strictCopyMode);
    EXPECT_EQ(last.settings.writePauseTicks, -3);
    EXPECT_TRUE(last.settings.commands.empty());

    Walk noNumber("WAITWRITE soon\nCOPY_MODE\n");
    EXPECT_FALSE(noNumber.settings.writePause);
    EXPECT_FALSE(noNumber.settings.strictCopyMode);
    EXPECT_TRUE(noNumber.settings.commands.empty());
}

TEST(PrePass, KillStoresTheRestThenTheFirstWord) {
    Walk walk("KILL Notepad Untitled -\nKILL Calc\nkill\n");
    ASSERT_EQ(walk.settings.windowsToClose.size(), 2u);
    EXPECT_EQ(walk.settings.windowsToClose[0].titleHead, "Untitled -");
    EXPECT_EQ(walk.settings.windowsToClose[0].titleTail, "Notepad");
    EXPECT_EQ(walk.settings.windowsToClose[1].titleHead, "");
    EXPECT_EQ(walk.settings.windowsToClose[1].titleTail, "Calc");
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, NoDeleteEverythingEnablesLaterDeleteFileLines) {
    Walk walk("DELETEFILE EARLY.EXE\n"
              "NODELETE SAVE.DAT\n"
              "NODELETE *.*\n"
              "NODELETE LATE.DAT\n"
              "DELETEFILE OLD.EXE\n"
              "PC_DELETEFILE *.TMP\n"
              "COMPATIBILITY win95\n"
              "PC_COMPATIBILITY Nt\n");
    EXPECT_EQ(walk.settings.filesToKeep, (Strings{"SAVE.DAT"}));
    EXPECT_TRUE(walk.settings.keepEverything);
    EXPECT_EQ(walk.settings.filesToDelete, (Strings{"OLD.EXE", "*.TMP"}));
    EXPECT_EQ(walk.settings.compatibility, (Strings{"WIN95", "NT"}));
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, InstallFontHandsOverFileDirectoryAndWholeFaceName) {
    Walk walk("INSTALL FONT KIDS.TTF *SOURCEDIR Kids Hand Bold\n"
              "PC_INSTALL FONT K2.TTF FONTS K2\n"
              "INSTALL FONT\n");
    EXPECT_EQ(walk.effects.fonts,
              (std::vector<FontCall>{{"KIDS.TTF", "*SOURCEDIR", "Kids Hand Bold"},
                                     {"K2.TTF", "FONTS", "K2"},
                                     {"", "", ""}}));
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, LayoutLinesSetFontsAndColours) {
    Walk walk("USEFONT MESSAGE1 Arial 0 16 BOLD ITALIC NONE\n"
              "USEFONT LIST Arial 0 12 bold\n"
              "USEFONT DIALOG Liberation|Serif -12 0 LIGHT NONE UNDERLINE\n"
              "BKGNDCOLOR 255 128 300\n"
              "PROGRESSCOLOR 2 1 2 3 4 5 6\n");
    ASSERT_EQ(walk.settings.fonts.size(), 3u);
    const LayoutFont &first = walk.settings.fonts[0];
    EXPECT_EQ(first.target, "MESSAGE1");
    EXPECT_EQ(first.face, "Arial");
    EXPECT_EQ(first.width, 0);
    EXPECT_EQ(first.height, 16);
    EXPECT_EQ(first.weight, 700);
    EXPECT_TRUE(first.italic);
    EXPECT_FALSE(first.underline);
    EXPECT_EQ(walk.settings.fonts[1].weight, 400); // weight words are upper case only
    EXPECT_EQ(walk.settings.fonts[2].face, "Liberation Serif");
    EXPECT_TRUE(walk.settings.fonts[2].underline);
    EXPECT_EQ(walk.settings.backgroundColour, 0x2C80FFu);
    EXPECT_EQ(walk.settings.barColours[0], BarColours{});
    EXPECT_EQ(walk.settings.barColours[1], (BarColours{{1, 2, 3}, {4, 5, 6}}));
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, BadLayoutLinesLeaveTheSettingsAsTheyWere) {
    Walk walk("USEFONT\n"
              "USEFONT MESSAGE1 Arial wide 16 BOLD\n"
              "USEFONT MESSAGE1 Arial 0\n"
              "BKGNDCOLOR\n"
              "BKGNDCOLOR 1 2 blue\n"
              "PROGRESSCOLOR 3 1 2 3 4 5 6\n"
              "PROGRESSCOLOR 1 1 2 3 4 5\n"
              "PROGRESSCOLOR 1 1 2 3 4 5 256\n"
              "PROGRESSCOLOR 1 1 2 3 4 5 -1\n"
              "PROGRESSCOLOR 1 1 2 3 4 5 1x\n"
              "PROGRESSCOLOR 1 1 2 3 4 5 ab\n"
              "PROGRESSCOLOR \x03 a b c d e f\n");
    const InstallSettings defaults;
    EXPECT_TRUE(walk.settings.fonts.empty());
    EXPECT_EQ(walk.settings.backgroundColour, defaults.backgroundColour);
    EXPECT_EQ(walk.settings.barColours, defaults.barColours);
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, ProgressColourValuesAreDecimalsOrSingleCharacters) {
    // Decimals as authors write them; a lone non-digit is its own code, as
    // the older scripts spelled the values; both may mix on one line.
    Walk walk("PROGRESSCOLOR 1 0 128 255 007 c 9\n"
              "PROGRESSCOLOR \x02 ~ A z 0 0 255\n");
    EXPECT_EQ(walk.settings.barColours[0], (BarColours{{0, 128, 255}, {7, 99, 9}}));
    EXPECT_EQ(walk.settings.barColours[1], (BarColours{{126, 65, 122}, {0, 0, 255}}));
    EXPECT_TRUE(walk.settings.commands.empty());
}

TEST(PrePass, ConsumedKeywordsWinOverLaterTests) {
    // KILL and NODELETE lines are consumed even inside the sizing markers,
    // and a COPY_MODE line never counts as a COPY line.
    FakeEffects fx;
    fx.files["D:\\DATA\\STRICT"] = 9;
    Walk walk("PROGRESS START\nCOPY_MODE STRICT\nKILLJOY x\nNODELETEX Y\n", fx);
    EXPECT_EQ(walk.settings.totalBytes, 0u);
    EXPECT_EQ(walk.settings.commands, (Strings{"PROGRESS START"}));
    EXPECT_TRUE(walk.effects.sized.empty());
}

TEST(PrePass, HostileInputNeitherCrashesNorOverflows) {
    // A 100,000-character line is kept whole; its words are cut.
    const std::string longLine = "COPY " + std::string(100000, 'A') + " *DESTDIR";
    Walk longWalk("PROGRESS START\n" + longLine + "\nKILL " + std::string(100000, 'k') + " x y\n");
    ASSERT_TRUE(longWalk.ok);
    EXPECT_EQ(longWalk.settings.commands.back(), longLine);
    ASSERT_EQ(longWalk.effects.sized.size(), 1u);
    EXPECT_EQ(longWalk.effects.sized[0].size(), kContext.sourceDir.size() + 255);
    ASSERT_EQ(longWalk.settings.windowsToClose.size(), 1u);
    EXPECT_EQ(longWalk.settings.windowsToClose[0].titleTail.size(), 255u);

    static const char kNuls[] = "COPY\0\0\0A\r\n\0\0KILL\0x\r\nALLDONE";
    const std::string nuls(kNuls, sizeof kNuls - 1);
    Walk nulWalk(nuls);
    EXPECT_EQ(nulWalk.settings.commands, (Strings{"COPY", "ALLDONE"}));

    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(1 + random() % 2000, '\0');
        for (char &c : bytes)
            c = static_cast<char>(random());
        FakeEffects fx;
        InstallSettings settings;
        WalkScript(bytes, kContext, fx, settings);
        for (const std::string &command : settings.commands) {
            EXPECT_EQ(command.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        }
    }
}
