#include "core/script_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    ScriptLineReader reader(text);
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    return lines;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(ScriptLines, CrLfLoneLfAndLoneCrEndLinesAlike) {
    EXPECT_EQ(Lines("A\r\nB\r\n"), (Strings{"A", "B"}));
    EXPECT_EQ(Lines("A\nB\n"), (Strings{"A", "B"}));
    EXPECT_EQ(Lines("A\rB\r"), (Strings{"A", "B"}));
    EXPECT_EQ(Lines("A\r\n\r\nB"), (Strings{"A", "", "B"}));
    EXPECT_EQ(Lines("A\n\rB"), (Strings{"A", "", "B"})); // LF then CR are two ends
}

TEST(ScriptLines, LastLineWithoutEndIsRead) {
    EXPECT_EQ(Lines("COPY A *DESTDIR\r\nALLDONE"), (Strings{"COPY A *DESTDIR", "ALLDONE"}));
    EXPECT_EQ(Lines(""), Strings{});
}

TEST(ScriptLines, LineBeginningWithFfffEndsTheScript) {
    EXPECT_EQ(Lines("A\r\nffff\r\nB\r\n"), (Strings{"A"}));
    EXPECT_EQ(Lines("A\r\nffffJUNK\r\nB"), (Strings{"A"}));
    EXPECT_EQ(Lines("A\r\nFFFF\r\nxffff\r\n"), (Strings{"A", "FFFF", "xffff"}));
    EXPECT_EQ(Lines("fff"), (Strings{"fff"}));
}

TEST(ScriptLines, NulEndsTheTextOfItsLine) {
    const std::string text("COPY A\0 B\r\nNEXT", 15);
    EXPECT_EQ(Lines(text), (Strings{"COPY A", "NEXT"}));
}

TEST(WordReader, WordsAreSeparatedByRunsOfBlanksAndCut) {
    WordReader words(" \tKEY  one\ttwo ");
    EXPECT_EQ(words.Word(), "KEY");
    EXPECT_EQ(words.Word(), "one");
    EXPECT_EQ(words.Word(), "two");
    EXPECT_EQ(words.Word(), "");
    EXPECT_EQ(words.Word(), "");

    const std::string longWord(1000, 'x');
    const std::string line = longWord + " next";
    WordReader cut(line);
    EXPECT_EQ(cut.Word(), std::string(kMaxScriptWord, 'x'));
    EXPECT_EQ(cut.Word(), "next");
}

TEST(WordReader, NumbersReadLikeDecimalConversions) {
    std::int32_t value = 7;
    WordReader words(" -12 +5 16px x 99999999999 -99999999999");
    ASSERT_TRUE(words.Number(value));
    EXPECT_EQ(value, -12);
    ASSERT_TRUE(words.Number(value));
    EXPECT_EQ(value, 5);
    ASSERT_TRUE(words.Number(value));
    EXPECT_EQ(value, 16);
    EXPECT_EQ(words.Word(), "px");
    value = 7;
    EXPECT_FALSE(words.Number(value)); // "x" is no number
    EXPECT_EQ(value, 7);
    EXPECT_EQ(words.Word(), "x");
    ASSERT_TRUE(words.Number(value));
    EXPECT_EQ(value, INT32_MAX);
    ASSERT_TRUE(words.Number(value));
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_FALSE(words.Number(value));

    WordReader sign("- 3");
    EXPECT_FALSE(sign.Number(value));
}

TEST(WordReader, RestStartsOneBlankAfterTheLastWord) {
    WordReader words("KILL Notepad Untitled -");
    words.Word();
    words.Word();
    EXPECT_EQ(words.Rest(), "Untitled -");

    WordReader doubled("KILL Notepad  Untitled");
    doubled.Word();
    doubled.Word();
    EXPECT_EQ(doubled.Rest(), " Untitled");

    WordReader single("KILL Notepad");
    single.Word();
    single.Word();
    EXPECT_EQ(single.Rest(), "");

    const std::string line = "A " + std::string(1000, 'r');
    WordReader longRest(line);
    longRest.Word();
    EXPECT_EQ(longRest.Rest().size(), kMaxScriptWord);
}

TEST(ScriptText, CaseInsensitiveComparisonsAreAsciiOnly) {
    EXPECT_TRUE(StartsWithNoCase("copy_mode strict", "COPY_MODE"));
    EXPECT_FALSE(StartsWithNoCase("COP", "COPY"));
    EXPECT_TRUE(EqualsNoCase("Progress Start", "PROGRESS START"));
    EXPECT_FALSE(EqualsNoCase("PROGRESS START ", "PROGRESS START"));
    EXPECT_FALSE(EqualsNoCase("\xE9", "\xC9")); // no code-page folding
    EXPECT_EQ(ToUpperAscii("abc\xE9-z"), "ABC\xE9-Z");
}
