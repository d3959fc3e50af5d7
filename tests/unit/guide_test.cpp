// The CD author's guide against the code: every keyword of the script and
// every path macro has its entry in docs/script.md, and each example line
// of an entry is read as the command the entry documents.
#include "files/path_macros.h"
#include "script/command_parse.h"
#include "script/keywords.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <variant>

namespace {

// The entries of the page: each "### `NAME`" heading with the lines its
// "Example: `...`" lines give.
std::map<std::string, std::vector<std::string>> GuideEntries() {
    std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/docs/script.md");
    std::map<std::string, std::vector<std::string>> entries;
    std::vector<std::string> *entry = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("### `", 0) == 0 && line.back() == '`') {
            entry = &entries[line.substr(5, line.size() - 6)];
        } else if (line.rfind("#", 0) == 0) {
            entry = nullptr;
        } else if (entry && line.rfind("Example: `", 0) == 0) {
            const std::size_t end = line.find('`', 10);
            entry->push_back(line.substr(10, end - 10));
        }
    }
    return entries;
}

TEST(Guide, EveryKeywordHasItsEntryWhoseExamplesReadAsIt) {
    const auto entries = GuideEntries();
    int keywords = 0;
    for (int k = 1; !KeywordSpelling(static_cast<Keyword>(k)).empty(); ++k, ++keywords) {
        const auto keyword = static_cast<Keyword>(k);
        const std::string spelling = KeywordSpelling(keyword);
        const auto entry = entries.find(spelling);
        ASSERT_NE(entry, entries.end()) << "no entry for " << spelling;
        ASSERT_FALSE(entry->second.empty()) << "no example for " << spelling;
        const bool option = OptionKeyword(spelling) == keyword;
        for (const std::string &example : entry->second) {
            if (option) {
                EXPECT_EQ(OptionKeyword(example), keyword) << example;
                continue;
            }
            EXPECT_EQ(OptionKeyword(example), Keyword::None) << example;
            EXPECT_EQ(CommandKeyword(example), keyword) << example;
            const ScriptCommand command = ParseCommand(example);
            EXPECT_FALSE(std::holds_alternative<UnknownLine>(command) ||
                         std::holds_alternative<BadLine>(command))
                << example;
        }
    }
    EXPECT_EQ(keywords, static_cast<int>(Keyword::ProgressEnd));
}

TEST(Guide, EveryPathMacroHasItsEntry) {
    const auto entries = GuideEntries();
    for (const std::string_view macro : PathMacroNames())
        EXPECT_EQ(entries.count(std::string(macro)), 1u) << macro;
}

} // namespace
