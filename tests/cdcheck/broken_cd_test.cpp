// Broken CDs: each test copies the sample CD, puts one fault in it and
// expects exactly the diagnostics that fault gives.
#include "catalog_source.h"
#include "catalog_writer.h"
#include "checks.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// The script the faults below are put into, line by line as they name the
// lines: the sample CD's own script grows with the product.
const char kScript[] =
    "; Install script of the sample CD.\r\n"
    "; Lines are read by setup before its window opens: options and layout are\r\n"
    "; taken at once, the other lines run when Install is pressed.\r\n"
    "COMPATIBILITY WIN95\r\n"
    "COPY_MODE STRICT\r\n"
    "NODELETE *.SAV\r\n"
    "BKGNDCOLOR 192 192 192\r\n"
    "PROGRESSCOLOR 1 255 0 0 0 0 200\r\n"
    "PROGRESSCOLOR 2 0 128 0 0 0 200\r\n"
    "MAC_COPY DEMO.APP *DESTDIR\r\n"
    "MKDIR *DESTDIR\r\n"
    "PROGRESS START\r\n"
    "COPY README.TXT *DESTDIR\r\n"
    "COPY DEMO.EXE *DESTDIR\r\n"
    "COPY MILLION.DAT *DESTDIR\r\n"
    "MKDIR IMAGES *DESTDIR\r\n"
    "COPYDIR IMAGES *DESTDIR\\IMAGES\r\n"
    "MKDIR SOUNDS *DESTDIR\r\n"
    "COPYDIR SOUNDS\\*.* *DESTDIR\\SOUNDS\r\n"
    "MKDIR SAVE *DESTDIR\r\n"
    "COPY SAVE\\EMPTY.SAV *DESTDIR\r\n"
    "MKDIR DOCS *DESTDIR\r\n"
    "COPY DOCS\\LICENSE.TXT *DESTDIR\r\n"
    "COPY NOMENCLATUREFILE *DESTDIR\r\n"
    "PROGRESS END\r\n"
    "ALLDONE\r\n";

class BrokenCd : public ::testing::Test {
protected:
    void SetUp() override {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        cd_ = fs::temp_directory_path() /
              ("cdcheck-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(cd_);
        fs::copy(SETUP_DEMOCD, cd_, fs::copy_options::recursive);
        Write("SETUP.INF", kScript);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(cd_ / "DATA" / "DOCS" / "LICENSE.TXT", fs::perms::owner_write,
                        fs::perm_options::add, ignored);
        fs::remove_all(cd_, ignored);
    }

    std::string Read(const std::string &name) const {
        std::ifstream in(cd_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string &name, const std::string &text) const {
        std::ofstream(cd_ / name, std::ios::binary) << text;
    }
    // The sample CD's texts end their lines in CR LF.
    // Replaces the first occurrence of `from` in a CD file.
    void Replace(const std::string &name, const std::string &from, const std::string &to) const {
        std::string text = Read(name);
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        Write(name, text);
    }
    void Remove(const std::string &name) const { fs::remove_all(cd_ / name); }

    // The diagnostics, without the summary line.
    Lines Check() const {
        Findings findings;
        CheckCd(CdFolder(cd_), findings);
        std::ostringstream out;
        PrintText(findings, "cd", out);
        Lines lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        lines.pop_back();
        return lines;
    }

    // SCRIPT.DBF rebuilt from the sample's text form without one row.
    void CatalogWithout(char letter, const std::string &name) const {
        std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/examples/democd/catalog/script.txt");
        std::ostringstream source;
        source << in.rdbuf();
        std::vector<catalog::CatalogRow> rows;
        std::string error;
        ASSERT_TRUE(catalog::ParseCatalogSource(source.str(), rows, error)) << error;
        const std::size_t before = rows.size();
        std::erase_if(rows, [&](const catalog::CatalogRow &row) {
            return row.letter == letter && row.name == name;
        });
        ASSERT_EQ(rows.size() + 1, before);
        catalog::CatalogOptions options;
        options.baseName = "SCRIPT";
        catalog::CatalogFiles files;
        ASSERT_TRUE(catalog::BuildCatalog(rows, options, files, error)) << error;
        ASSERT_TRUE(catalog::WriteBytes((cd_ / "SCRIPT.DBF").string(), files.table));
        ASSERT_TRUE(catalog::WriteBytes((cd_ / "SCRIPT.MDX").string(), files.index));
    }

    std::uintmax_t Size(const std::string &name) const { return fs::file_size(cd_ / name); }

    fs::path cd_;
};

const std::string kStops = "setup stops the install here with \"Script SETUP.INF is not valid\"";

TEST_F(BrokenCd, SampleCdIsClean) {
    EXPECT_EQ(Check(), Lines{});
}

TEST_F(BrokenCd, CommandsMustBeCapitalsAndKnown) {
    Replace("SETUP.INF", "COPY README.TXT", "copy README.TXT");
    Replace("SETUP.INF", "COPY DEMO.EXE", "COPPY DEMO.EXE");
    Replace("SETUP.INF", "COPY MILLION.DAT *DESTDIR", "COPY MILLION.DAT");
    EXPECT_EQ(Check(),
              (Lines{
                  "SETUP.INF:13: error: command not in capitals: " + kStops + " (write \"COPY\")",
                  "SETUP.INF:14: error: unknown command \"COPPY\": " + kStops +
                      " (nearest known command: \"COPY\")",
                  "SETUP.INF:15: error: setup stops the install here with \"COPY not "
                  "valid\" (missing words?)",
              }));
}

TEST_F(BrokenCd, ScriptInfIsReadBeforeSetupInf) {
    std::string script = Read("SETUP.INF");
    script.replace(script.find("COPY DEMO.EXE"), 4, "COPPY");
    Write("script.inf", script);
    EXPECT_EQ(Check(), (Lines{"script.inf:14: error: unknown command \"COPPY\": " + kStops +
                              " (nearest known command: \"COPY\")"}));
}

TEST_F(BrokenCd, SourcesMustBeOnTheCd) {
    Remove("DATA/MILLION.DAT");
    Remove("DATA/SOUNDS");
    // IMAGE loads its word as written, from the root: the "|" stays.
    fs::copy_file(cd_ / "STEP1.BMP", cd_ / "STEP ONE.BMP");
    Replace("SETUP.INF", "PROGRESS START\r\n", "PROGRESS START\r\nIMAGE STEP|ONE.BMP 2\r\n");
    EXPECT_EQ(Check(),
              (Lines{
                  "SETUP.INF:13: error: IMAGE picture \"STEP|ONE.BMP\" is not on the CD (IMAGE "
                  "takes its word as written: a \"|\" is no blank there)",
                  "SETUP.INF:16: error: COPY source \"DATA\\MILLION.DAT\" is not on the CD",
                  "SETUP.INF:20: error: COPYDIR folder \"DATA\\SOUNDS\\\" is not on the CD",
              }));
}

TEST_F(BrokenCd, FontsMustBeOnTheCd) {
    Replace("SETUP.INF", "COPY_MODE STRICT", "INSTALL FONT NOPE.TTF *SOURCEDIR Nope Sans");
    EXPECT_EQ(Check(), (Lines{"SETUP.INF:5: error: INSTALL FONT file \"DATA\\NOPE.TTF\" is not on "
                              "the CD"}));
}

TEST_F(BrokenCd, NamesCompareWithoutCase) {
    fs::rename(cd_ / "DATA", cd_ / "data");
    fs::rename(cd_ / "data" / "README.TXT", cd_ / "data" / "ReadMe.txt");
    fs::rename(cd_ / "DEMOA110.CD1", cd_ / "demoa110.cd1");
    fs::rename(cd_ / "SETUP.INF", cd_ / "Setup.Inf");
    EXPECT_EQ(Check(), Lines{});
}

TEST_F(BrokenCd, PathMacrosMustBeKnown) {
    Replace("SETUP.INF", "COPY README.TXT *DESTDIR", "COPY README.TXT *DSTDIR");
    EXPECT_EQ(Check(), (Lines{"SETUP.INF:13: error: COPY target \"README.TXT *DSTDIR\" is no file "
                              "argument setup can expand (path macros: *SOURCEDIR, *DESTDIR, "
                              "*WINDOWSDIR, *SYSTEMDIR, *DESKTOP, *NONE): setup stops the install "
                              "with \"Wrong file format\""}));
}

TEST_F(BrokenCd, LongWordsAreCutAtTheLimit) {
    const std::string name(300, 'A');
    Replace("SETUP.INF", "COPY README.TXT", "COPY " + name);
    EXPECT_EQ(Check(),
              (Lines{"SETUP.INF:13: warning: word of 300 characters is cut to 255 when setup reads "
                     "it: \"AAAAAAAAAAAAAAAAAAAAAAAA...\"",
                     "SETUP.INF:13: error: COPY source \"DATA\\" + name.substr(0, 255) +
                         "\" is not on the CD"}));
}

TEST_F(BrokenCd, ProgressAndAllDoneShapeTheRun) {
    Replace("SETUP.INF", "PROGRESS END\r\n", "");
    Replace("SETUP.INF", "ALLDONE\r\n", "ALLDONE\r\nMKDIR EXTRA *DESTDIR\r\n");
    EXPECT_EQ(Check(),
              (Lines{
                  "SETUP.INF:26: warning: never runs: the install ends at ALLDONE on line 25",
                  "SETUP.INF:12: error: PROGRESS START without a PROGRESS END",
              }));
}

TEST_F(BrokenCd, AllDoneIsRequired) {
    Replace("SETUP.INF", "ALLDONE\r\n", "");
    EXPECT_EQ(Check(), (Lines{"SETUP.INF:25: error: no ALLDONE: the install ends without its "
                              "uninstall entry and closing message"}));
}

TEST_F(BrokenCd, AnnouncedSpaceOneMegabyteShort) {
    const std::uintmax_t copied =
        Size("DATA/README.TXT") + Size("DATA/DEMO.EXE") + Size("DATA/MILLION.DAT") +
        Size("DATA/IMAGES/TITLE.BMP") + Size("DATA/IMAGES/LEVELS/LEVEL1.DAT") +
        Size("DATA/IMAGES/LEVELS/LEVEL2.DAT") + Size("DATA/SOUNDS/INTRO.WAV") +
        Size("DATA/SOUNDS/CLICK.WAV") + Size("DATA/SAVE/EMPTY.SAV") + Size("DATA/DOCS/LICENSE.TXT");
    const std::uintmax_t megabytes = (copied + (1u << 20) - 1) >> 20;
    Replace("PXD.INI", "diskspacereq=12", "diskspacereq=" + std::to_string(megabytes - 1));
    EXPECT_EQ(
        Check(),
        (Lines{"PXD.INI:8: error: [configuration] diskspacereq=" + std::to_string(megabytes - 1) +
               " announces " + std::to_string((megabytes - 1) << 20) +
               " bytes but SETUP.INF copies " + std::to_string(copied) + " bytes: write at least " +
               std::to_string(megabytes)}));
    Replace("PXD.INI", "diskspacereq=" + std::to_string(megabytes - 1),
            "diskspacereq=" + std::to_string(megabytes));
    EXPECT_EQ(Check(), Lines{});
}

TEST_F(BrokenCd, ProductSettings) {
    Replace("PXD.INI", "Exec=DEMO.EXE\r\n", "");
    Replace("PXD.INI", "product=Demo Title", "product=" + std::string(130, 'P'));
    Replace("PXD.INI", "diskspacereqreins=4", "diskspacereqreins=4 MB");
    Replace("PXD.INI", "installdirectory=\\Demo|Title", "installdirectory=\\");
    EXPECT_EQ(Check(), (Lines{
                           "PXD.INI: error: [general] Exec is missing",
                           "PXD.INI:2: warning: [general] product is 130 characters long; the "
                           "welcome text cuts it after 79: \"" +
                               std::string(79, 'P') + "\"",
                           "PXD.INI:2: warning: [general] product is 130 characters long; the "
                           "uninstall entry cuts it after 127: \"" +
                               std::string(127, 'P') + "\"",
                           "PXD.INI:4: error: [general] installdirectory=\\ names no folder: "
                           "setup would install into the drive's root and delete the files there "
                           "before the first command",
                           "PXD.INI:8: error: [configuration] diskspacereqreins=4 MB is not a "
                           "number of megabytes (setup reads 4 MB)",
                       }));
    // A drive-relative folder; more room than setup can count on any drive,
    // and a reinstallation's figure that wraps around.
    Replace("PXD.INI", "installdirectory=\\", "installdirectory=Demo|Title");
    Replace("PXD.INI", "diskspacereq=12", "diskspacereq=2048");
    Replace("PXD.INI", "diskspacereqreins=4 MB", "diskspacereqreins=4100");
    const std::string counts = " MB is more than setup counts of a drive's free space (about 2 "
                               "GB): no drive can be chosen and the user sees only that no disk "
                               "has room (at most 2047 MB)";
    const auto newFindings = [&] {
        const Lines all = Check();
        return Lines(all.begin() + 3, all.end()); // after Exec and the product's two
    };
    EXPECT_EQ(newFindings(),
              (Lines{
                  "PXD.INI:4: warning: [general] installdirectory=Demo|Title does not "
                  "begin with \"\\\": setup puts the drive letter before it "
                  "(\"C:Demo|Title\"), a path from the drive's current folder, not its "
                  "root (write \"\\Demo|Title\")",
                  "PXD.INI:7: error: [configuration] diskspacereq=2048" + counts,
                  "PXD.INI:8: error: [configuration] diskspacereqreins=4100 MB does not "
                  "fit setup's 32-bit byte count: setup reads 4 MB (at most 2047 MB)",
              }));
    Replace("PXD.INI", "diskspacereq=2048", "diskspacereq=3000");
    EXPECT_EQ(newFindings().at(1), "PXD.INI:7: error: [configuration] diskspacereq=3000" + counts);
    Replace("PXD.INI", "diskspacereq=3000", "diskspacereq=2047");
    EXPECT_EQ(newFindings().size(), 2u); // the folder and the reinstallation's figure
}

TEST_F(BrokenCd, MissingProductSettingsStopsSetup) {
    Remove("PXD.INI");
    EXPECT_EQ(Check(),
              (Lines{"PXD.INI: error: missing: setup stops with \"Can't find \"PXD.INI\" file\""}));
}

TEST_F(BrokenCd, MarkerFile) {
    fs::rename(cd_ / "DEMOA110.CD1", cd_ / "DEMOX110.CD2");
    EXPECT_EQ(Check(), (Lines{
                           "DEMOX110.CD2: error: language letter 'X' is none of F A D E I U: "
                           "setup shows French",
                           "DEMOX110.CD2: error: marker is not disk 1: setup asks for the first "
                           "disk and stops",
                       }));
    Remove("DEMOX110.CD2");
    EXPECT_EQ(Check(), (Lines{"*.CD?: error: no CD marker file at the root: setup asks for the "
                              "first disk and stops"}));
}

TEST_F(BrokenCd, MissingItalianText) {
    CatalogWithout('I', "BONJOUR");
    EXPECT_EQ(Check(), (Lines{"SCRIPT.DBF: warning: \"BONJOUR\" has no text in SCRIPT.DBF for "
                              "Italian (I)"}));
    // On an Italian CD the same gap is an error.
    fs::rename(cd_ / "DEMOA110.CD1", cd_ / "DEMOI110.CD1");
    EXPECT_EQ(Check(), (Lines{"SCRIPT.DBF: error: \"BONJOUR\" has no text in SCRIPT.DBF for "
                              "Italian (I), the CD's language"}));
}

TEST_F(BrokenCd, NamesTheScriptAsksOfTheCatalog) {
    Replace("SETUP.INF", "ALLDONE", "MESSAGE 1\r\nBROWSEURL DEMO_SITE\r\nMESSAGE 9\r\nALLDONE");
    const std::string text = "\"MESSAGE9\" has no text in SCRIPT.DBF for ";
    EXPECT_EQ(Check(), (Lines{
                           "SETUP.INF:28: warning: " + text + "French (F)",
                           "SETUP.INF:28: error: " + text + "English (A), the CD's language",
                           "SETUP.INF:28: warning: " + text + "German (D)",
                           "SETUP.INF:28: warning: " + text + "Spanish (E)",
                           "SETUP.INF:28: warning: " + text + "Italian (I)",
                           "SETUP.INF:28: warning: " + text + "American (U)",
                       }));
}

TEST_F(BrokenCd, CatalogsOpenTogetherOrNotAtAll) {
    Write("SCRIPT.DBF", "not a table");
    EXPECT_EQ(Check(), (Lines{"SCRIPT.DBF: error: does not open as a message catalog (table with "
                              "its .MDX index and tag RC_CLE1): setup then runs without its "
                              "catalog"}));
    Remove("SCRIPT.DBF");
    Remove("SCRIPT.MDX");
    EXPECT_EQ(Check(), (Lines{"SCRIPT.DBF: error: missing while the other catalog is there: setup "
                              "then runs without its catalog"}));
}

TEST_F(BrokenCd, ScriptMessagesWithoutCatalogComeFromSetupIni) {
    for (const char *name : {"SETUP.DBF", "SETUP.MDX", "SCRIPT.DBF", "SCRIPT.MDX"})
        Remove(name);
    Replace("SETUP.INF", "ALLDONE",
            "MESSAGE 2\r\nMESSAGE 9 0\r\nDIRECTX_INSTALL DXSETUP.EXE *SOURCEDIR 7.0\r\nBROWSEURL "
            "DEMO_SITE\r\nDIRECTX_INSTALL DXSETUP.EXE *SOURCEDIR 7.0\r\nALLDONE");
    const std::string text = "\"Message9\" has no text in setup.ini for ";
    EXPECT_EQ(Check(), (Lines{
                           "SETUP.INF:28: warning: DIRECTX_INSTALL takes its texts only from the "
                           "catalogs (SETUP.DBF's DIRECTX_TITLE, DIRECTX_TEXT, BTN_YES and "
                           "BTN_NO), and the CD has none: setup asks its question in a box "
                           "without title, text or button labels",
                           "SETUP.INF:29: warning: BROWSEURL takes its texts only from the "
                           "catalogs (SCRIPT.DBF's BrowseParentCorner and the address), and the "
                           "CD has none: setup asks an empty question and opens no address",
                           "SETUP.INF:27: warning: " + text + "French (F)",
                           "SETUP.INF:27: error: " + text + "English (A), the CD's language",
                           "SETUP.INF:27: warning: " + text + "German (D)",
                           "SETUP.INF:27: warning: " + text + "Spanish (E)",
                           "SETUP.INF:27: warning: " + text + "Italian (I)",
                           "SETUP.INF:27: warning: " + text + "American (U)",
                       }));
}

TEST_F(BrokenCd, StartPicture) {
    // An 8-bit 10 x 10 bitmap: a file header, an info header, a palette.
    std::string bmp(14 + 40 + 1024 + 12 * 10, '\0');
    const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp[at + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, static_cast<std::uint32_t>(bmp.size()), 4);
    put(10, 14 + 40 + 1024, 4);
    put(14, 40, 4);
    put(18, 10, 4);
    put(22, 10, 4);
    put(26, 1, 2);
    put(28, 8, 2);
    Write("SETUP.BMP", bmp);
    EXPECT_EQ(Check(), (Lines{"SETUP.BMP: warning: is 10 x 10; the main window shows a 299 x 459 "
                              "picture best"}));
    Write("SETUP.BMP", bmp.substr(0, bmp.size() - 1));
    EXPECT_EQ(Check(),
              (Lines{"SETUP.BMP: error: is cut short: the file ends before its pixels do"}));
    Write("SETUP.BMP", "GIF89a");
    EXPECT_EQ(Check(), (Lines{"SETUP.BMP: error: is not a Windows bitmap: the main window shows "
                              "no picture"}));
}

// What the disc can hold. The big files are sparse: they cost no disk.
TEST_F(BrokenCd, DiscLimits) {
    constexpr std::uintmax_t kMiB = 1 << 20;
    const auto file = [&](const std::string &name, std::uintmax_t bytes) {
        std::ofstream(cd_ / name).close();
        fs::resize_file(cd_ / name, bytes);
    };
    // The sample's files in whole 2,048-byte sectors.
    std::uintmax_t sample = 0;
    for (const auto &entry : fs::recursive_directory_iterator(cd_))
        sample += entry.is_regular_file() ? (entry.file_size() + 2047) / 2048 * 2048 : 0;
    const std::string disc = ".: warning: the files take ";
    const std::string full = " MiB on the disc: no 80-minute CD holds more than 703 MiB";

    file("DATA/FILL.DAT", 650 * kMiB - sample);
    EXPECT_EQ(Check(), Lines{});
    file("DATA/FILL.DAT", 650 * kMiB - sample + 1);
    EXPECT_EQ(Check(), Lines{disc + "651 MiB on the disc: more than a 74-minute CD's 650 MiB, only "
                                    "an 80-minute CD (703 MiB) holds them"});
    file("DATA/FILL.DAT", 703 * kMiB - sample + 1);
    EXPECT_EQ(Check(), Lines{".: error: the files take 704" + full});
    file("DATA/FILL.DAT", std::uintmax_t{4} << 30);
    EXPECT_EQ(
        Check(),
        (Lines{"DATA\\FILL.DAT: error: 4294967296 bytes: a file on the disc holds less "
               "than 4 GiB",
               ".: error: the files take " +
                   std::to_string(((std::uintmax_t{4} << 30) + sample + kMiB - 1) / kMiB) + full}));
    Remove("DATA/FILL.DAT");

    fs::create_directories(cd_ / "DATA/1/2/3/4/5/6/7");
    file("DATA/" + std::string(64, 'N'), 0);
    EXPECT_EQ(Check(), Lines{});
    fs::create_directories(cd_ / "DATA/1/2/3/4/5/6/7/8");
    file("DATA/" + std::string(65, 'N'), 0);
    file("DATA/readme.txt", 0);
    EXPECT_EQ(
        Check(),
        (Lines{"DATA\\1\\2\\3\\4\\5\\6\\7\\8\\: error: folder 9 levels deep: the disc nests at "
               "most 8 folders",
               "DATA\\" + std::string(65, 'N') +
                   ": error: name of 65 characters: the disc's Joliet names hold at most 64",
               "DATA\\readme.txt: error: differs from \"README.TXT\" only in case: Windows "
               "sees one of the two"}));
}

} // namespace
