#include "catalog_fixture.h"
#include "catalog_source.h"

#include "dbf/catalog_table.h"
#include "dbf/oem437.h"
#include "dbf/table_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::vector<uint8_t> Hex(const char *text) {
    std::vector<uint8_t> bytes;
    unsigned value;
    int used;
    while (std::sscanf(text, " %2x%n", &value, &used) == 1) {
        bytes.push_back(static_cast<uint8_t>(value));
        text += used;
    }
    return bytes;
}

// Lines of a hex dump: offset and bytes; all other bytes are zero.
std::vector<uint8_t> Dump(size_t size, const std::vector<std::pair<size_t, const char *>> &lines) {
    std::vector<uint8_t> bytes(size, 0);
    for (const auto &[offset, hex] : lines) {
        const std::vector<uint8_t> line = Hex(hex);
        std::copy(line.begin(), line.end(), bytes.begin() + static_cast<long>(offset));
    }
    return bytes;
}

// The three-record table and its one-tag index of the format notes, checked
// there against an independent dBASE library.
TEST(CatalogWriter, WritesTheReferencePairByteForByte) {
    const catalog::Date date{2024, 1, 15};
    catalog::TableImage table;
    table.codePage = 0x03;
    table.date = date;
    table.fields = {{"CODE", 'C', 6, true}, {"TEXT", 'C', 12}};
    table.records = {" BETA  second", " ALPHA first", " GAMMA third"};
    EXPECT_EQ(catalog::BuildTableBytes(table),
              Dump(155, {{0x00, "03 7c 01 0f 03 00 00 00 61 00 13 00 00 00 00 00"},
                         {0x10, "00 00 00 00 00 00 00 00 00 00 00 00 01 03 00 00"},
                         {0x20, "43 4f 44 45 00 00 00 00 00 00 00 43 00 00 00 00"},
                         {0x30, "06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01"},
                         {0x40, "54 45 58 54 00 00 00 00 00 00 00 43 00 00 00 00"},
                         {0x50, "0c 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
                         {0x60, "0d 20 42 45 54 41 20 20 73 65 63 6f 6e 64 20 20"},
                         {0x70, "20 20 20 20 20 41 4c 50 48 41 20 66 69 72 73 74"},
                         {0x80, "20 20 20 20 20 20 20 20 47 41 4d 4d 41 20 74 68"},
                         {0x90, "69 72 64 20 20 20 20 20 20 20 1a"}}));

    catalog::IndexImage index;
    index.baseName = "TEST";
    index.tagName = "BYCODE";
    index.expression = "CODE";
    index.keyLength = 6;
    index.singleFieldKey = true;
    index.date = date;
    index.entries = {{"BETA", 1}, {"ALPHA", 2}, {"GAMMA", 3}};
    EXPECT_EQ(catalog::BuildIndexBytes(index),
              Dump(4096, {{0x000, "02 7c 01 0f 54 45 53 54 00 00 00 00 00 00 00 00"},
                          {0x010, "00 00 00 00 02 00 00 04 01 30 20 00 01 00 02 1b"},
                          {0x020, "08 00 00 00 00 00 00 00 00 00 00 00 7c 01 0f 00"},
                          {0x210, "00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
                          {0x220, "04 00 00 00 42 59 43 4f 44 45 00 00 00 00 00 10"},
                          {0x230, "00 00 00 02 43 00 00 00 00 00 00 00 00 00 00 00"},
                          {0x800, "06 00 00 00 02 00 00 00 10 43 00 1b 06 00 54 00"},
                          {0x810, "00 00 0c 00 01 00 00 00 43 4f 44 45 00 00 00 00"},
                          {0x8f0, "00 00 00 00 00 00 01 00 06 00 00 00 06 00 00 00"},
                          {0x900, "00 7c 01 0f 00 00 00 00 00 00 00 00 00 00 00 00"},
                          {0x9e0, "01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
                          {0xc00, "03 00 00 00 00 00 00 00 02 00 00 00 41 4c 50 48"},
                          {0xc10, "41 20 00 00 01 00 00 00 42 45 54 41 20 20 00 00"},
                          {0xc20, "03 00 00 00 47 41 4d 4d 41 20 00 00 00 00 00 00"}}));
}

TEST(CatalogSource, ReadsNamesRowsEscapesAndDeletedRows) {
    const std::string source = "\xEF\xBB\xBF# comment\r\n"
                               "[bonjour]\r\n"
                               "F = Bienvenue \xC3\xA0 tous\\n  ligne\\t2\\\\\r\n"
                               "  g=   drei Blanks\n"
                               "-E = borrado\n"
                               "! =\n"
                               "\n"
                               "[P1/P2/OTHER]\n"
                               "A = raw \\x82\\xff\n";
    std::vector<catalog::CatalogRow> rows;
    std::string error;
    ASSERT_TRUE(catalog::ParseCatalogSource(source, rows, error)) << error;
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].name, "bonjour");
    EXPECT_EQ(rows[0].part1, "NAME");
    EXPECT_EQ(rows[0].part2, "SECTION");
    EXPECT_EQ(rows[0].text, "Bienvenue \x85 tous\n  ligne\t2\\"); // a-grave is 0x85 in 437
    EXPECT_EQ(rows[1].letter, 'G');
    EXPECT_EQ(rows[1].text, "  drei Blanks");
    EXPECT_TRUE(rows[2].deleted);
    EXPECT_FALSE(rows[1].deleted);
    EXPECT_EQ(rows[3].letter, '!');
    EXPECT_EQ(rows[3].text, "");
    EXPECT_EQ(rows[4].part1, "P1");
    EXPECT_EQ(rows[4].part2, "P2");
    EXPECT_EQ(rows[4].name, "OTHER");
    EXPECT_EQ(rows[4].text, "raw \x82\xff");
}

TEST(CatalogSource, ErrorsNameTheLine) {
    const auto errorOf = [](const std::string &source) {
        std::vector<catalog::CatalogRow> rows;
        std::string error;
        EXPECT_FALSE(catalog::ParseCatalogSource(source, rows, error)) << source;
        return error;
    };
    EXPECT_EQ(errorOf("F = before any name\n").rfind("line 1:", 0), 0u);
    EXPECT_EQ(errorOf("[A]\nF = ok\nF = bad \\q\n").rfind("line 3:", 0), 0u);
    EXPECT_NE(errorOf("[A]\nF = \xE2\x80\x93 dash\n").find("U+2013"), std::string::npos);
    EXPECT_EQ(errorOf("[A]\nF = \xC3\n").rfind("line 2:", 0), 0u);     // cut UTF-8
    EXPECT_EQ(errorOf("[A]\nF = \xC0\x80\n").rfind("line 2:", 0), 0u); // overlong
    EXPECT_EQ(errorOf("[A]\nF text\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(errorOf("[A]\n1 = digit\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(errorOf("[A B]\n").rfind("line 1:", 0), 0u);
    EXPECT_EQ(errorOf("[A/B]\n").rfind("line 1:", 0), 0u);
    EXPECT_EQ(errorOf("[A]\nF = trailing \\\n").rfind("line 2:", 0), 0u);
}

TEST(CatalogSource, CodePage437RoundTrips) {
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(dbf::UnicodeToOem(dbf::OemToUnicode(static_cast<uint8_t>(b))), b);
    }
    EXPECT_EQ(dbf::UnicodeToOem(U'\u00E9'), 0x82);
    EXPECT_EQ(dbf::UnicodeToOem(U'\u00DF'), 0xE1);
    EXPECT_EQ(dbf::UnicodeToOem(U'\u20AC'), -1);
    char text[] = "\x82\x8A\x85\x87\x81\xE1\x99\xA4\xB3";
    dbf::Oem437ToAnsi1252(text);
    EXPECT_STREQ(text, "\xE9\xE8\xE0\xE7\xFC\xDF\xD6\xF1?");
}

// What catdump does: the rows back from the table bytes.
std::vector<catalog::CatalogRow> RowsOf(const std::vector<uint8_t> &tableBytes) {
    std::unique_ptr<dbf::TableFile> table;
    EXPECT_EQ(dbf::TableFile::Open(dbf::MemorySource(tableBytes), table), dbf::kOk);
    std::vector<catalog::CatalogRow> rows;
    std::vector<char> record;
    const auto &f = table->Fields();
    for (uint32_t n = 1; n <= table->RecordCount(); ++n) {
        EXPECT_TRUE(table->ReadRecord(n, record));
        const auto field = [&](int j) {
            std::string s(record.data() + f[j].offset, f[j].length);
            return s.erase(s.find_last_not_of(' ') + 1);
        };
        catalog::CatalogRow row;
        row.deleted = record[0] == '*';
        row.letter = field(0)[0];
        row.part1 = field(1);
        row.part2 = field(2);
        row.name = field(3);
        row.text = field(4);
        rows.push_back(row);
    }
    return rows;
}

TEST(CatalogSource, TableRoundTripsThroughTheTextForm) {
    const std::string source = "[INSTALL]\nF =   Installer \xC3\xA9t\xC3\xA9\\n\\x01\n-G = alt\n"
                               "[X1/Y2/Z]\n! = back\\\\slash\\tand tab\n[fe_none]\nA =\n";
    std::vector<catalog::CatalogRow> rows;
    std::string error;
    ASSERT_TRUE(catalog::ParseCatalogSource(source, rows, error)) << error;
    catalog::CatalogFiles first, second;
    ASSERT_TRUE(catalog::BuildCatalog(rows, {}, first, error)) << error;

    const std::string dumped = catalog::FormatCatalogSource(RowsOf(first.table));
    EXPECT_NE(dumped.find("[FE_NONE]\nA =\n"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("F =   Installer \xC3\xA9t\xC3\xA9\\n\\x01\n"), std::string::npos);
    std::vector<catalog::CatalogRow> again;
    ASSERT_TRUE(catalog::ParseCatalogSource(dumped, again, error)) << error;
    ASSERT_TRUE(catalog::BuildCatalog(again, {}, second, error)) << error;
    EXPECT_EQ(first.table, second.table);
    EXPECT_EQ(first.index, second.index);
}

TEST(CatalogSource, RowsThatCannotBeStoredAreRefused) {
    catalog::CatalogFiles files;
    std::string error;
    EXPECT_FALSE(catalog::BuildCatalog({Row('F', std::string(33, 'N'), "x")}, {}, files, error));
    EXPECT_FALSE(catalog::BuildCatalog({Row('F', "", "x")}, {}, files, error));
    catalog::CatalogRow longPart = Row('F', "A", "x");
    longPart.part1 = "NINECHARS";
    EXPECT_FALSE(catalog::BuildCatalog({longPart}, {}, files, error));
    ASSERT_TRUE(catalog::BuildCatalog({Row('F', "A", std::string(300, 'x'))}, {}, files, error));
    EXPECT_EQ(files.warnings.size(), 1u); // only 254 bytes will show
}

TEST(CatalogFiles, OpensRealFilesByNameWithoutExtension) {
    const std::string dir = ::testing::TempDir();
    catalog::CatalogOptions options;
    options.baseName = "SETUP";
    catalog::CatalogFiles built;
    std::string error;
    ASSERT_TRUE(catalog::BuildCatalog({Row('A', "BTN_NO", "No")}, options, built, error));
    ASSERT_TRUE(catalog::WriteBytes(dir + "/SETUP.DBF", built.table));
    ASSERT_TRUE(catalog::WriteBytes(dir + "/SETUP.MDX", built.index));

    CatalogEngine engine;
    CatalogTable handle;
    ASSERT_EQ(OpenCatalogTable(engine, (dir + "/setup").c_str(), 2, handle), kCatalogOk);
    char text[255];
    EXPECT_EQ(FindCatalogText(engine, handle, {"NAME", "SECTION", "BTN_NO", sizeof text, text}),
              kCatalogOk);
    EXPECT_STREQ(text, "No");
    EXPECT_EQ(CloseCatalogTable(engine, handle), kCatalogOk);
    std::remove((dir + "/SETUP.MDX").c_str());
    EXPECT_NE(OpenCatalogTable(engine, (dir + "/SETUP.DBF").c_str(), 2, handle), kCatalogOk);
    std::remove((dir + "/SETUP.DBF").c_str());
}

} // namespace
