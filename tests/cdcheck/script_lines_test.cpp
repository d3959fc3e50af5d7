// Script lines apart from any CD: what the checker calls clean must be what
// the interpreter's table runs, and the hints name the right keyword.
#include "script_check.h"

#include "core/ascii.h"
#include "script/command_parse.h"
#include "script/keywords.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <variant>

namespace {

// Line number -> findings on it.
std::map<int, int> FindingsByLine(const std::string &text) {
    CdFacts facts;
    Findings findings;
    CheckScriptText(text, ScriptCheckContext{"S.INF", "", nullptr}, facts, findings);
    std::map<int, int> byLine;
    for (const Finding &f : findings.All())
        ++byLine[f.line];
    return byLine;
}

// A keyword in its spelling, then mangled the ways authors mangle them:
// letters in the wrong case, a "PC_" twin, a letter dropped or doubled,
// words missing or extra.
std::string RandomLine(std::mt19937 &random) {
    static const char *const kWords[] = {
        "README.TXT", "*DESTDIR", "*SOURCEDIR", "*DSTDIR",    "12",     "0",     "A|B", "GROUP",
        "LINK",       "FILE",     "ADDPATH",    "ADDVERSION", "REBOOT", "START", "END"};
    const int first = static_cast<int>(Keyword::WaitWrite);
    const int last = static_cast<int>(Keyword::ProgressEnd);
    std::string line = KeywordSpelling(
        static_cast<Keyword>(std::uniform_int_distribution<int>(first, last)(random)));
    std::uniform_int_distribution<int> percent(0, 99);
    if (percent(random) < 15)
        line = "PC_" + line;
    for (char &c : line) {
        if (percent(random) < 4)
            c = static_cast<char>(c ^ 0x20 * (c >= 'A' && c <= 'Z'));
    }
    if (percent(random) < 5)
        line.erase(std::uniform_int_distribution<std::size_t>(0, line.size() - 1)(random), 1);
    if (percent(random) < 5) {
        const std::size_t at =
            std::uniform_int_distribution<std::size_t>(0, line.size() - 1)(random);
        line.insert(at, 1, line[at]);
    }
    const int words = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < words; ++i)
        line +=
            std::string(" ") + kWords[std::uniform_int_distribution<std::size_t>(0, 14)(random)];
    return line;
}

bool KeptByThePrePass(const std::string &line) {
    return !line.empty() && line[0] != ';' && !StartsWithNoCase(line, "MAC_") &&
           OptionKeyword(line) == Keyword::None;
}

TEST(ScriptLines, CleanLinesAreRunAsTheyReadByTheInterpreter) {
    std::mt19937 random(13);
    int clean = 0;
    int flagged = 0;
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> lines;
        std::string text;
        for (int i = 0; i < 250; ++i) {
            lines.push_back(RandomLine(random));
            text += lines.back() + "\r\n";
        }
        text += "ALLDONE\r\n";
        const std::map<int, int> findings = FindingsByLine(text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string &line = lines[i];
            if (!KeptByThePrePass(line))
                continue;
            if (findings.count(static_cast<int>(i) + 1)) {
                ++flagged;
                continue;
            }
            ++clean;
            const ScriptCommand command = ParseCommand(line);
            EXPECT_FALSE(std::holds_alternative<UnknownLine>(command)) << line;
            EXPECT_FALSE(std::holds_alternative<BadLine>(command)) << line;
            EXPECT_EQ(CommandKeyword(line, KeywordCase::Exact),
                      CommandKeyword(line, KeywordCase::Any))
                << line;
        }
    }
    // Both sides of the property were exercised.
    EXPECT_GT(clean, 1000);
    EXPECT_GT(flagged, 1000);
}

TEST(ScriptLines, LowerCaseCommandsAreTheOnesTheInterpreterRefuses) {
    for (const char *line : {"copy README.TXT *DESTDIR", "Alldone", "progress start",
                             "pc_mkdir *DESTDIR", "ADDSTART link X *DESTDIR G N"}) {
        ASSERT_TRUE(std::holds_alternative<UnknownLine>(ParseCommand(line))) << line;
        ASSERT_NE(CommandKeyword(line, KeywordCase::Any), Keyword::None) << line;
        const std::map<int, int> findings = FindingsByLine(std::string(line) + "\nALLDONE\n");
        EXPECT_EQ(findings.count(1), 1u) << line;
    }
}

TEST(ScriptLines, NearestKeywordHints) {
    EXPECT_EQ(NearestKeyword("COPPY A *DESTDIR"), "COPY");
    EXPECT_EQ(NearestKeyword("MKDRI A *DESTDIR"), "MKDIR");
    EXPECT_EQ(NearestKeyword("ADDSTART LNK X"), "ADDSTART LINK");
    EXPECT_EQ(NearestKeyword("PC_ALLDOEN"), "ALLDONE");
    EXPECT_EQ(NearestKeyword("PROGRES START"), "PROGRESS START");
    EXPECT_EQ(NearestKeyword("FROBNICATE A B"), "");
}

TEST(ScriptLines, PrePassAndInterpreterMustAgreeOnTheCommand) {
    // COPYDIR in any case for the pre-pass, COPY for the interpreter.
    CdFacts facts;
    Findings findings;
    CheckScriptText("PROGRESS START\nCOPYdir IMAGES *DESTDIR\nPROGRESS END\nALLDONE\n",
                    ScriptCheckContext{"S.INF", "", nullptr}, facts, findings);
    ASSERT_EQ(findings.All().size(), 1u);
    EXPECT_EQ(findings.All()[0].line, 2);
    EXPECT_EQ(
        findings.All()[0].text,
        "the pre-pass reads this line as \"COPYDIR\" but the interpreter runs it as \"COPY\"");
}

} // namespace

namespace {

// Each finding as "line: text".
std::vector<std::string> Check(const std::string &text) {
    CdFacts facts;
    Findings findings;
    CheckScriptText(text, ScriptCheckContext{"S.INF", "", nullptr}, facts, findings);
    std::vector<std::string> lines;
    for (const Finding &f : findings.All())
        lines.push_back(std::to_string(f.line) + ": " + f.text);
    return lines;
}

const std::string kStops = "setup stops the install here with \"Script SETUP.INF is not valid\"";

TEST(ScriptLines, LinesThatLookRightButAreNoCommand) {
    const std::string blanks = "1: starts with blanks: a line is read from its first column; ";
    const struct {
        std::string text;
        std::vector<std::string> findings;
    } kCases[] = {
        {"   \nALLDONE\n", {"1: line of blanks only: " + kStops}},
        {" MKDIR *DESTDIR\nALLDONE\n",
         {blanks + kStops + " (write \"MKDIR\" in the first column)"}},
        // An indented option line reaches the interpreter too.
        {"\tKILL Title Player\nALLDONE\n",
         {blanks + kStops + " (write \"KILL\" in the first column)"}},
        {"  ; a comment\nALLDONE\n",
         {blanks + kStops + " (a comment's \";\" goes in the first column)"}},
        {"  FROB\nALLDONE\n", {blanks + kStops}},
        {"\xEF\xBB\xBF; Saved as UTF-8.\nALLDONE\n",
         {"1: byte-order mark: the script begins with the 3 bytes of UTF-8's mark, which setup "
          "reads as the start of this line; " +
          kStops + " (save the script without it, in the Windows code page)"}},
    };
    for (const auto &c : kCases)
        EXPECT_EQ(Check(c.text), c.findings) << c.text;
}

TEST(ScriptLines, CopiesTheTotalDoesNotCount) {
    EXPECT_EQ(Check("COPY A.DAT *DESTDIR\nPROGRESS START \nCOPY B.DAT *DESTDIR\nPROGRESS END\n"
                    "ALLDONE\n"),
              (std::vector<std::string>{
                  "1: copies outside PROGRESS START/END: its bytes count neither in the total bar "
                  "nor in the space check",
                  "2: more than \"PROGRESS START\" on the line: the pre-pass counts copies only "
                  "between lines that are exactly \"PROGRESS START\" and \"PROGRESS END\""}));
    EXPECT_EQ(
        Check("PROGRESS END\nPROGRESS START\nPROGRESS START\nPROGRESS END\nALLDONE\n"),
        (std::vector<std::string>{"1: PROGRESS END without a PROGRESS START",
                                  "3: PROGRESS START while the one on line 2 is still open"}));
}

} // namespace
