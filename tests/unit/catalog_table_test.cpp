#include "catalog_fixture.h"

#include "dbf/catalog_table.h"
#include "dbf/index_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// A table reader over in-memory files whose conversions are counted.
class CatalogTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.open = files.Opener();
        engine.oemToAnsi = [this](char *text) {
            ++conversions;
            for (char *p = text; *p; ++p) {
                if (*p == '\x82')
                    *p = '\xE9';
            }
        };
    }

    void TearDown() override {
        for (CatalogTable *h : {&handle, &other}) {
            if (h->table)
                CloseCatalogTable(engine, *h);
        }
    }

    // Looks name up; the text, or "<none>" when the reader reports no text.
    std::string Find(CatalogTable &h, const char *name, size_t capacity = 255) {
        std::string out(capacity, '#');
        const CatalogRequest request{"NAME", "SECTION", name, capacity, out.data()};
        lastResult = FindCatalogText(engine, h, request);
        if (lastResult != kCatalogOk) {
            EXPECT_EQ(out, std::string(capacity, '#')) << "output touched on failure";
            return "<none>";
        }
        return std::string(out.c_str());
    }
    std::string Find(const char *name) { return Find(handle, name); }

    int Open(const char *name = "SETUP.DBF", int language = 0) {
        return OpenCatalogTable(engine, name, language, handle);
    }

    MemoryFiles files;
    CatalogEngine engine;
    CatalogTable handle;
    CatalogTable other;
    int conversions = 0;
    int lastResult = 0;
};

TEST(CatalogKey, ColumnsArePaddedCutAndUpperCased) {
    char key[kCatalogKeyLength + 1];
    BuildCatalogKey('G', "name", "Section", "btn_yes", key);
    EXPECT_EQ(std::string(key), "GNAME    SECTION BTN_YES" + std::string(25, ' '));

    const std::string id32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    BuildCatalogKey('F', "NAME", "SECTION", id32.c_str(), key);
    EXPECT_EQ(std::string(key + 17), id32);

    BuildCatalogKey('F', "NAME", "SECTION", "FIFTEEN_CHARS_X", key);
    EXPECT_EQ(std::string(key + 17), "FIFTEEN_CHARS_X" + std::string(17, ' '));

    // Longer parts are cut to their columns instead of running into the next.
    BuildCatalogKey('F', "PART_ONE_LONG", "PART_TWO_LONG", (id32 + "TAIL").c_str(), key);
    EXPECT_EQ(std::string(key), "FPART_ONEPART_TWO" + id32);
    EXPECT_EQ(std::strlen(key), kCatalogKeyLength);
}

TEST(CatalogKey, LanguageIndexGivesKeyLetter) {
    const std::string letters = "FGAEIUDKHJQP";
    for (int i = 0; i <= 11; ++i) {
        EXPECT_EQ(CatalogKeyLetter(i), letters[i]) << i;
        EXPECT_EQ(CatalogLetterIndex(letters[i]), i);
    }
    EXPECT_EQ(CatalogKeyLetter(12), 'F');
    EXPECT_EQ(CatalogKeyLetter(-1), 'F');
    EXPECT_EQ(CatalogLetterIndex('?'), 0);
}

TEST_F(CatalogTableTest, FindsTheRowOfTheHandlesLetterThenTheBangRow) {
    files.AddCatalog("SETUP", {Row('F', "BTN_YES", "Oui"), Row('A', "BTN_YES", "Yes"),
                               Row('G', "BTN_YES", "Ja"), Row('!', "BTN_YES", "OK"),
                               Row('!', "ONLY_BANG", "neutral")});
    ASSERT_EQ(Open("SETUP.DBF", 1), kCatalogOk);
    EXPECT_EQ(handle.keyLetter, 'G');
    EXPECT_EQ(Find("BTN_YES"), "Ja");
    EXPECT_EQ(Find("btn_yes"), "Ja"); // names are upper-cased
    EXPECT_EQ(Find("ONLY_BANG"), "neutral");
    EXPECT_EQ(Find("MISSING"), "<none>");
    EXPECT_EQ(lastResult, kCatalogNotFound);

    ASSERT_EQ(OpenCatalogTable(engine, "SETUP.DBF", 3, other), kCatalogOk); // E: no row
    EXPECT_EQ(Find(other, "BTN_YES"), "OK");
    EXPECT_EQ(engine.catalogOpenCount, 2);
}

TEST_F(CatalogTableTest, DeletedRowsAreSkipped) {
    files.AddCatalog("SETUP", {
                                  Row('F', "GONE", "old", true),
                                  Row('!', "GONE", "fallback"),
                                  Row('F', "TWICE", "first deleted", true),
                                  Row('F', "TWICE", "second live"),
                                  Row('F', "DUP", "first"),
                                  Row('F', "DUP", "second"),
                                  Row('F', "ALLGONE", "x", true),
                                  Row('!', "ALLGONE", "y", true),
                              });
    ASSERT_EQ(Open(), kCatalogOk);
    EXPECT_EQ(Find("GONE"), "fallback");
    EXPECT_EQ(Find("TWICE"), "second live");
    EXPECT_EQ(Find("DUP"), "first"); // first in tag order
    EXPECT_EQ(Find("ALLGONE"), "<none>");
}

TEST_F(CatalogTableTest, TextIsTrimmedCutAndConvertedOnlyWhenNotEmpty) {
    files.AddCatalog("SETUP", {Row('F', "BLANK", "   "), Row('F', "EMPTY", ""),
                               Row('F', "LONG", std::string(299, 'x') + "y"),
                               Row('F', "ACCENT", "caf\x82  "), Row('F', "LEAD", "  a b  ")});
    ASSERT_EQ(Open(), kCatalogOk);
    EXPECT_EQ(Find("BLANK"), "");
    EXPECT_EQ(Find("EMPTY"), "");
    EXPECT_EQ(conversions, 0);
    EXPECT_EQ(Find("LONG"), std::string(254, 'x'));
    EXPECT_EQ(Find("ACCENT"), "caf\xE9");
    EXPECT_EQ(Find("LEAD"), "  a b");
    EXPECT_EQ(conversions, 3);
    EXPECT_EQ(Find(handle, "LEAD", 3), "  ");
    EXPECT_EQ(Find(handle, "LEAD", 1), "");
}

TEST_F(CatalogTableTest, EngineLivesFromFirstOpenToLastClose) {
    files.AddCatalog("SETUP", {Row('F', "A", "1")});
    files.AddCatalog("SCRIPT", {Row('F', "A", "2")});
    EXPECT_EQ(CloseCatalogTable(engine, handle), kCatalogNotOpen);

    ASSERT_EQ(Open("setup"), kCatalogOk); // no extension: .DBF, name upper-cased
    ASSERT_EQ(OpenCatalogTable(engine, "SCRIPT.DBF", 0, other), kCatalogOk);
    EXPECT_EQ(engine.catalogOpenCount, 2);
    EXPECT_EQ(CloseCatalogTable(engine, handle), kCatalogOk);
    EXPECT_NE(engine.context, nullptr);
    EXPECT_EQ(CloseCatalogTable(engine, handle), kCatalogNotOpen);
    EXPECT_EQ(Find("A"), "<none>"); // a closed handle finds nothing
    EXPECT_EQ(CloseCatalogTable(engine, other), kCatalogOk);
    EXPECT_EQ(engine.catalogOpenCount, 0);
    EXPECT_EQ(engine.context, nullptr);

    ASSERT_EQ(Open(), kCatalogOk); // a new context after the last close
    EXPECT_EQ(Find("A"), "1");
    // Opening into a handle that still holds a table replaces it without
    // leaving it counted.
    ASSERT_EQ(Open("SCRIPT.DBF"), kCatalogOk);
    EXPECT_EQ(engine.catalogOpenCount, 1);
    EXPECT_EQ(Find("A"), "2");
}

TEST_F(CatalogTableTest, FailedOpenLeavesOtherTablesAlone) {
    files.AddCatalog("SETUP", {Row('F', "A", "1")});
    ASSERT_EQ(OpenCatalogTable(engine, "SETUP.DBF", 0, other), kCatalogOk);
    EXPECT_NE(Open("NOSUCH.DBF"), kCatalogOk);
    EXPECT_EQ(handle.table, nullptr);
    EXPECT_EQ(engine.catalogOpenCount, 1);
    ASSERT_NE(engine.context, nullptr);
    EXPECT_EQ(Find(other, "A"), "1");
    EXPECT_EQ(CloseCatalogTable(engine, other), kCatalogOk);

    EXPECT_NE(Open("NOSUCH.DBF"), kCatalogOk);
    EXPECT_EQ(engine.context, nullptr); // nobody else needed it
}

TEST_F(CatalogTableTest, SeeksWalkTheTreeAcrossManyLeaves) {
    std::vector<catalog::CatalogRow> rows;
    for (int i = 0; i < 3000; ++i) {
        rows.push_back(
            Row(i % 2 ? 'A' : 'F', "MSG" + std::to_string(i), "text " + std::to_string(i)));
    }
    // Deleted duplicates that span several leaves before the live one.
    for (int i = 0; i < 60; ++i)
        rows.push_back(Row('F', "CROWD", "dead", true));
    rows.push_back(Row('F', "CROWD", "alive"));
    files.AddCatalog("BIG", rows);
    ASSERT_EQ(Open("BIG.DBF"), kCatalogOk);

    const dbf::IndexFile &index = *handle.table->index;
    for (int i = 0; i < 3000; i += 7) {
        const uint64_t before = index.NodesVisited();
        const std::string name = "MSG" + std::to_string(i);
        EXPECT_EQ(Find(name.c_str()), i % 2 ? "<none>" : "text " + std::to_string(i));
        // 3061 keys at 18 a node: three levels; the "!" retry doubles it.
        EXPECT_LE(index.NodesVisited() - before, i % 2 ? 6u : 3u) << name;
    }
    EXPECT_EQ(Find("CROWD"), "alive");
}

// Damaged or foreign files fail the open or the lookup, never more.
class BadCatalogTest : public CatalogTableTest {
protected:
    void SetUp() override {
        CatalogTableTest::SetUp();
        files.AddCatalog("SETUP",
                         {Row('F', "A", "first"), Row('F', "B", "second"), Row('F', "C", "third")});
    }
    std::vector<uint8_t> &Table() { return files["SETUP.DBF"]; }
    std::vector<uint8_t> &Index() { return files["SETUP.MDX"]; }
};

TEST_F(BadCatalogTest, MalformedTableHeadersFailTheOpen) {
    const std::vector<uint8_t> good = Table();
    const auto expectFails = [&](const char *what, auto change) {
        Table() = good;
        change(Table());
        EXPECT_NE(Open(), kCatalogOk) << what;
        EXPECT_EQ(handle.table, nullptr) << what;
        EXPECT_EQ(engine.catalogOpenCount, 0) << what;
    };
    expectFails("truncated header", [](auto &t) { t.resize(20); });
    expectFails("truncated descriptors", [](auto &t) { t.resize(70); });
    expectFails("record length 0", [](auto &t) { t[10] = t[11] = 0; });
    expectFails("header length 32", [](auto &t) { t[8] = 32, t[9] = 0; });
    expectFails("no 0x0D end", [](auto &t) { t[32 + 5 * 32] = 'X'; });
    expectFails("unknown field type", [](auto &t) { t[32 + 2 * 32 + 11] = 'X'; });
    expectFails("negative record count", [](auto &t) { t[7] = 0x80; });
    expectFails("two records beyond the file", [](auto &t) { t[4] = 5; });
    expectFails("memo file missing", [](auto &t) { t[0] = 0x83; });
    expectFails("memo by flag missing", [](auto &t) { t[0] = 0x30, t[28] = 0x03; });
    for (char type : std::string("BCDFGLMN")) {
        Table() = good;
        Table()[32 + 2 * 32 + 11] = static_cast<uint8_t>(type);
        EXPECT_EQ(Open(), kCatalogOk) << type;
    }
}

TEST_F(BadCatalogTest, MemoFileOnlyNeedsToOpen) {
    Table()[0] = 0x8B;
    files["SETUP.DBT"] = {};
    ASSERT_EQ(Open(), kCatalogOk);
    EXPECT_EQ(Find("B"), "second");
}

TEST_F(BadCatalogTest, IndexProblemsFailTheOpen) {
    files.files.erase("SETUP.MDX");
    EXPECT_NE(Open(), kCatalogOk);
    Table()[28] = 0; // no production index: no tag either
    files["SETUP.MDX"] = {};
    EXPECT_NE(Open(), kCatalogOk);
    EXPECT_EQ(engine.context, nullptr);
}

TEST_F(BadCatalogTest, IndexWithoutTheTagFailsTheOpen) {
    Index()[544 + 4 + 6] = '2'; // RC_CLE2
    EXPECT_NE(Open(), kCatalogOk);
    EXPECT_EQ(handle.table, nullptr);
    EXPECT_EQ(engine.catalogOpenCount, 0);
    Index()[544 + 4 + 6] = '1';
    Index()[544 + 4 + 1] = 'c'; // tag names compare upper-cased
    EXPECT_EQ(Open(), kCatalogOk);
    CloseCatalogTable(engine, handle);
    // A key narrower than letter, parts and name cannot tell names apart.
    Index()[kTagHeaderOffset + 12] = 20;
    EXPECT_NE(Open(), kCatalogOk);
    EXPECT_EQ(engine.catalogOpenCount, 0);
}

TEST_F(BadCatalogTest, OneRecordMoreThanTheFileHoldsIsNotFound) {
    // The count claims a fourth record; its index entry points there.
    Table()[4] = 4;
    Table().pop_back(); // no end-of-file byte either
    const size_t leaf = RootOffset(Index());
    PutU32(Index(), leaf + 8 + 2 * 56, 4); // "C" now names record 4
    ASSERT_EQ(Open(), kCatalogOk);
    EXPECT_EQ(Find("A"), "first");
    EXPECT_EQ(Find("C"), "<none>");
}

TEST_F(BadCatalogTest, CorruptTreesFailTheLookupCleanly) {
    const std::vector<uint8_t> good = Index();
    const size_t root = RootOffset(good);
    const auto expectNotFound = [&](const char *what, auto change) {
        Index() = good;
        change(Index());
        if (handle.table)
            CloseCatalogTable(engine, handle);
        if (Open() != kCatalogOk)
            return; // refusing the file is fine too
        EXPECT_EQ(Find("B"), "<none>") << what;
    };
    expectNotFound("root past the end", [](auto &x) { PutU32(x, kTagHeaderOffset, 4000); });
    expectNotFound("root in the file header", [](auto &x) { PutU32(x, kTagHeaderOffset, 1); });
    expectNotFound("key count beyond the node", [&](auto &x) { PutU32(x, root, 1000); });
    expectNotFound("record number 0", [&](auto &x) { PutU32(x, root + 8 + 56, 0); });
    expectNotFound("record number past the table", [&](auto &x) { PutU32(x, root + 8 + 56, 9); });
    expectNotFound("item length not a multiple of 4",
                   [](auto &x) { x[kTagHeaderOffset + 18] = 54; });
    expectNotFound("numeric key", [](auto &x) { x[kTagHeaderOffset + 9] = 'N'; });
    // The leaf made an interior node whose children are itself.
    expectNotFound("cycle", [&](auto &x) {
        const uint32_t self = static_cast<uint32_t>(root / 512);
        for (int k = 0; k < 3; ++k)
            PutU32(x, root + 8 + k * 56, self);
        PutU32(x, root + 8 + 3 * 56, self);
    });
    expectNotFound("pages per block 0", [](auto &x) { x[20] = 0; });
    expectNotFound("too many tags", [](auto &x) { x[28] = 48; });
}

TEST_F(BadCatalogTest, CyclesInABigTreeEnd) {
    std::vector<catalog::CatalogRow> rows;
    for (int i = 0; i < 400; ++i)
        rows.push_back(Row('F', "K" + std::to_string(1000 + i), "t"));
    files.AddCatalog("SETUP", rows);
    // Every child of the root points back at the root: a cycle on every path.
    const size_t root = RootOffset(Index());
    const uint32_t n = GetU32(Index(), root);
    for (uint32_t k = 0; k <= n; ++k)
        PutU32(Index(), root + 8 + k * 56, root / 512);
    ASSERT_EQ(Open(), kCatalogOk);
    EXPECT_EQ(Find("K1200"), "<none>");
    // Every interior child made the same leaf: the walk over duplicates ends.
    files.AddCatalog("SETUP", std::vector<catalog::CatalogRow>(400, Row('F', "SAME", "x", true)));
    const size_t root2 = RootOffset(Index());
    const uint32_t firstLeaf = GetU32(Index(), root2 + 8); // child 0 of a two-level tree
    for (uint32_t k = 0; k <= GetU32(Index(), root2); ++k) {
        PutU32(Index(), root2 + 8 + k * 56, firstLeaf);
    }
    CloseCatalogTable(engine, handle);
    ASSERT_EQ(Open(), kCatalogOk);
    EXPECT_EQ(Find("SAME"), "<none>");
}

TEST_F(BadCatalogTest, RandomBytesAreRefused) {
    std::mt19937 random(12345);
    const std::vector<uint8_t> goodTable = Table(), goodIndex = Index();
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> noise(random() % 4096);
        for (auto &b : noise)
            b = static_cast<uint8_t>(random());
        Table() = round % 2 ? noise : goodTable;
        Index() = round % 2 ? goodIndex : noise;
        if (round % 2 == 0)
            Table()[28] = 1;
        const int rc = Open();
        if (round % 2 == 0) {
            EXPECT_NE(rc, kCatalogOk); // no RC_CLE1 in noise
        }
        if (rc == kCatalogOk) {
            Find("A");
            CloseCatalogTable(engine, handle);
        }
        EXPECT_EQ(engine.catalogOpenCount, 0);
    }
}

} // namespace
