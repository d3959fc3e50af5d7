// The CD author's guide against the code: every keyword of the script and
// every path macro has its entry in docs/script.md, and each example line
// of an entry is read as the command the entry documents; the limits page
// gives the limits and defaults the code uses.
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

// The quick reference's rows: "| [`NAME`](#anchor) | ..." gives NAME -> anchor.
std::map<std::string, std::string> QuickReference() {
    std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/docs/script.md");
    std::map<std::string, std::string> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| [`", 0) != 0)
            continue;
        const std::size_t name = line.find("`](#");
        const std::size_t anchor = line.find(')', name);
        rows[line.substr(4, name - 4)] = line.substr(name + 4, anchor - name - 4);
    }
    return rows;
}

// The anchor a heading "### `NAME`" gets: lower case, blanks as "-".
std::string AnchorOf(const std::string &name) {
    std::string anchor;
    for (const char c : name)
        anchor += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return anchor;
}

TEST(Guide, EveryKeywordHasItsEntryWhoseExamplesReadAsIt) {
    const auto entries = GuideEntries();
    const auto quickReference = QuickReference();
    int keywords = 0;
    for (int k = 1; !KeywordSpelling(static_cast<Keyword>(k)).empty(); ++k, ++keywords) {
        const auto keyword = static_cast<Keyword>(k);
        const std::string spelling = KeywordSpelling(keyword);
        const auto entry = entries.find(spelling);
        ASSERT_NE(entry, entries.end()) << "no entry for " << spelling;
        ASSERT_FALSE(entry->second.empty()) << "no example for " << spelling;
        const auto row = quickReference.find(spelling);
        ASSERT_NE(row, quickReference.end()) << "no quick reference row for " << spelling;
        EXPECT_EQ(row->second, AnchorOf(spelling)) << spelling;
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
    EXPECT_EQ(quickReference.size(), static_cast<std::size_t>(keywords));
}

TEST(Guide, EveryPathMacroHasItsEntry) {
    const auto entries = GuideEntries();
    for (const std::string_view macro : PathMacroNames())
        EXPECT_EQ(entries.count(std::string(macro)), 1u) << macro;
}

std::string Colours(std::initializer_list<Rgb> colours) {
    std::string text;
    for (const Rgb &c : colours) {
        for (const int value : {c.red, c.green, c.blue})
            text += (text.empty() ? "" : " ") + std::to_string(value);
    }
    return text;
}

// The first two cells of each table row of docs/limits.md.
std::map<std::string, std::string> LimitsPageRows() {
    std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/docs/limits.md");
    std::map<std::string, std::string> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| ", 0) != 0)
            continue;
        const std::size_t second = line.find(" | ", 2);
        const std::size_t third = line.find(" |", second + 3);
        const std::string name = line.substr(2, second - 2);
        const std::string value = line.substr(second + 3, third - second - 3);
        if (value != "---" && name != "what" && name != "setting")
            rows[name] = value;
    }
    return rows;
}

TEST(Guide, LimitsPageGivesTheLimitsAndDefaultsSetupUses) {
    const InstallSettings defaults;
    const auto u = [](std::uint64_t n) { return std::to_string(n); };
    const std::map<std::string, std::string> code = {
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
        {"`BKGNDCOLOR`", Colours({{static_cast<std::uint8_t>(defaults.backgroundColour),
                                   static_cast<std::uint8_t>(defaults.backgroundColour >> 8),
                                   static_cast<std::uint8_t>(defaults.backgroundColour >> 16)}})},
        {"`PROGRESSCOLOR 1`", Colours({defaults.barColours[0].start, defaults.barColours[0].end})},
        {"`PROGRESSCOLOR 2`", Colours({defaults.barColours[1].start, defaults.barColours[1].end})},
        {"`WAITWRITE`", u(static_cast<std::uint64_t>(defaults.writePauseTicks))},
        {"`diskspacereq`", u(MegabytesToBytes("") >> 20)},
    };
    std::map<std::string, std::string> page = LimitsPageRows();
    EXPECT_EQ(page, code);
}

} // namespace
