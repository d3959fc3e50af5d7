#include "script/keywords.h"

#include <gtest/gtest.h>

namespace {

// Each keyword's spelling is read back as that keyword by the table it
// belongs to, and by no earlier option.
TEST(KeywordSpelling, EverySpellingReadsBackAsItsKeyword) {
    for (int k = static_cast<int>(Keyword::WaitWrite); k <= static_cast<int>(Keyword::ProgressEnd);
         ++k) {
        const auto keyword = static_cast<Keyword>(k);
        const std::string spelling = KeywordSpelling(keyword);
        ASSERT_FALSE(spelling.empty()) << k;
        if (keyword < Keyword::Install) {
            EXPECT_EQ(OptionKeyword(spelling + " X"), keyword) << spelling;
        } else {
            EXPECT_EQ(OptionKeyword(spelling + " X"), Keyword::None) << spelling;
            EXPECT_EQ(CommandKeyword(spelling + " X"), keyword) << spelling;
        }
    }
    EXPECT_EQ(KeywordSpelling(Keyword::None), "");
    EXPECT_EQ(KeywordSpelling(Keyword::AddStartLink), "ADDSTART LINK");
}

} // namespace
