// The CD author's guide against the code: every keyword of the script and
// every path macro has its entry in docs/script.md, every keyword its row in
// the quick reference, and each example line of an entry is read as the
// command the entry documents; the limits page gives the code's limits and
// defaults.
#include "core/install_settings.h"
#include "core/limits.h"
#include "core/script_text.h"
#include "dbf/catalog_table.h"
#include "files/path_macros.h"
#include "script/command_parse.h"
#include "script/keywords.h"
#include "system/shortcut_names.h"
#include "ui/drive_entry.h"
#include "ui/marker_name.h"
#include "ui/product_values.h"

#include <gtest/gtest.h>

#include <cctype>
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

// A page's table rows: first cell -> second cell.
std::map<std::string, std::string> TableRows(const std::string &page) {
    std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/docs/" + page);
    std::map<std::string, std::string> rows;
    for (std::string line; std::getline(in, line);) {
        const std::size_t second = line.find(" | ");
        if (line.rfind("| ", 0) == 0 && second != std::string::npos)
            rows[line.substr(2, second - 2)] =
                line.substr(second + 3, line.find(" |", second + 3) - second - 3);
    }
    return rows;
}

TEST(Guide, EveryKeywordHasItsEntryWhoseExamplesReadAsIt) {
    const auto entries = GuideEntries();
    const auto tables = TableRows("script.md");
    int keywords = 0;
    for (int k = 1; !KeywordSpelling(static_cast<Keyword>(k)).empty(); ++k, ++keywords) {
        const auto keyword = static_cast<Keyword>(k);
        const std::string spelling = KeywordSpelling(keyword);
        const auto entry = entries.find(spelling);
        ASSERT_NE(entry, entries.end()) << "no entry for " << spelling;
        ASSERT_FALSE(entry->second.empty()) << "no example for " << spelling;
        // The quick reference's row links to the entry's heading.
        std::string anchor = spelling;
        for (char &c : anchor)
            c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(tables.count("[`" + spelling + "`](#" + anchor + ")"), 1u) << spelling;
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

TEST(Guide, LimitsPageGivesTheLimitsAndDefaultsSetupUses) {
    const InstallSettings defaults;
    const auto u = [](std::uint64_t n) { return std::to_string(n); };
    const auto rgb = [&](const Rgb &c) { return u(c.red) + " " + u(c.green) + " " + u(c.blue); };
    const auto bar = [&](int i) {
        return rgb(defaults.barColours[i].start) + " " + rgb(defaults.barColours[i].end);
    };
    const std::uint32_t grey = defaults.backgroundColour;
    std::map<std::string, std::string> code = {
        {"a word of the script", u(kMaxScriptWord)},
        {"a value of `PXD.INI`", u(kMaxSettingsValue)},
        {"the product name in the welcome text and where `*PRODUCT` stands for it",
         u(kMaxShownProductName)},
        {"the product name in the uninstall entry", u(kMaxUninstallProductName)},
        {"a catalog text", u(kMaxCatalogText)},
        {"a catalog name", u(kCatalogNameLength)},
        {"a value of `setup.ini`", u(kMaxSetupIniValue)},
        {"a `USEFONT` face name", u(kMaxFontFace)},
        {"a folder path `MKDIR` creates", u(kMaxDirectoryPath)},
        {"the file-name part of a Startup shortcut's name", u(kMaxStartupLinkName)},
        {"the free space setup counts on a drive", u(kFreeSpaceCap)},
        {"the megabytes of `diskspacereq`", u(kFreeSpaceCap >> 20)},
        {"the product's version", DisplayVersionOf(ParseMarkerName("DEMOA999.CD1").version)},
        {"`BKGNDCOLOR`", u(grey & 0xFF) + " " + u(grey >> 8 & 0xFF) + " " + u(grey >> 16 & 0xFF)},
        {"`PROGRESSCOLOR 1`", bar(0)},
        {"`PROGRESSCOLOR 2`", bar(1)},
        {"`WAITWRITE`", u(static_cast<std::uint64_t>(defaults.writePauseTicks))},
        {"`diskspacereq`", u(MegabytesToBytes("") >> 20)},
    };
    // The tables' headers and rules are rows too.
    code.insert({{"what", "at most"}, {"setting", "default"}, {"---", "---"}});
    EXPECT_EQ(TableRows("limits.md"), code);
}

} // namespace
