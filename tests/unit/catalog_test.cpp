#include "catalog_fixture.h"

#include "core/app_state.h"
#include "messages/catalog.h"

#include <gtest/gtest.h>

namespace {

// The process-wide catalog over in-memory tables; every test starts with the
// catalog closed and the language not settled.
class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CloseCatalog();
        App().languageLetter = 0;
        App().catalog.engine.open = files.Opener();
    }
    void TearDown() override {
        CloseCatalog();
        App().languageLetter = 0;
        App().catalog.engine = CatalogEngine();
    }

    void AddBoth() {
        files.AddCatalog("SETUP", {Row('F', "BTN_YES", "Oui"), Row('A', "BTN_YES", "Yes"),
                                   Row('G', "BTN_YES", "Ja"), Row('!', "GO", " Go"),
                                   Row('F', "LONG", std::string(300, 'z')),
                                   Row('F', "ACCENT", "termin\x82\x65")});
        files.AddCatalog("SCRIPT",
                         {Row('F', "BONJOUR", "Bienvenue"), Row('A', "BONJOUR", "Welcome"),
                          Row('G', "BONJOUR", "Willkommen"), Row('F', "MESSAGE3", "Trois")});
    }

    bool Open() { return OpenCatalog("SCRIPT.DBF", "SETUP.DBF", "NAME", "SECTION"); }

    MemoryFiles files;
};

TEST_F(CatalogTest, TextsComeInTheLanguageOfTheMarker) {
    AddBoth();
    App().languageLetter = 'D'; // German marker letter, field letter G
    ASSERT_TRUE(Open());
    EXPECT_TRUE(CatalogAvailable());
    EXPECT_EQ(SetupText("BTN_YES"), "Ja");
    EXPECT_EQ(ScriptText("BONJOUR"), "Willkommen");
    EXPECT_EQ(SetupText("GO"), " Go");
    EXPECT_EQ(SetupText("MISSING"), "");
    EXPECT_EQ(ScriptText("BTN_YES"), ""); // each table holds its own names
    EXPECT_EQ(App().catalog.engine.catalogOpenCount, 2);

    CloseCatalog();
    EXPECT_EQ(App().catalog.engine.catalogOpenCount, 0);
    EXPECT_EQ(App().catalog.engine.context, nullptr);
}

TEST_F(CatalogTest, UnknownAndUnsettledLettersReadTheFrenchColumn) {
    AddBoth();
    ASSERT_TRUE(Open()); // letter NUL: not settled yet
    EXPECT_EQ(SetupText("BTN_YES"), "Oui");
    CloseCatalog();
    App().languageLetter = 'A';
    ASSERT_TRUE(Open());
    EXPECT_EQ(SetupText("BTN_YES"), "Yes");
}

TEST_F(CatalogTest, SharedBufferCutsAndConverts) {
    AddBoth();
    ASSERT_TRUE(Open());
    EXPECT_EQ(SetupText("LONG"), std::string(254, 'z'));
    // Without the system's conversion the catalog reads code page 437 itself.
    EXPECT_EQ(SetupText("ACCENT"), "termin\xE9\x65");
    EXPECT_EQ(App().catalog.text, std::string("termin\xE9\x65"));
    EXPECT_EQ(SetupText("MISSING"), "");
    EXPECT_EQ(App().catalog.text[0], '\0');
}

TEST_F(CatalogTest, MissingSetupTableMakesTheCatalogUnavailable) {
    AddBoth();
    files.files.erase("SETUP.DBF");
    App().languageLetter = 'A';
    EXPECT_TRUE(Open()); // the script table still opens, with the French column
    EXPECT_FALSE(CatalogAvailable());
    EXPECT_EQ(App().languageLetter, '?');
    EXPECT_EQ(ScriptText("BONJOUR"), "Bienvenue");
    EXPECT_EQ(App().catalog.setup.table, nullptr);

    // Once unavailable, always: good tables later do not bring it back.
    CloseCatalog();
    AddBoth();
    EXPECT_TRUE(Open());
    EXPECT_FALSE(CatalogAvailable());
}

TEST_F(CatalogTest, TableWithoutTheTagIsUnavailableSilently) {
    AddBoth();
    files["SCRIPT.MDX"][544 + 4] = 'X';
    EXPECT_FALSE(Open());
    EXPECT_FALSE(CatalogAvailable());
    EXPECT_EQ(App().catalog.script.table, nullptr);
    EXPECT_NE(App().catalog.setup.table, nullptr);
    EXPECT_EQ(App().catalog.engine.catalogOpenCount, 1);
}

TEST_F(CatalogTest, ClosedTablesAreOpenedForOneLookup) {
    AddBoth();
    App().languageLetter = 'A';
    // No OpenCatalog at all: each lookup opens and closes its table.
    EXPECT_EQ(SetupText("BTN_YES"), "Yes");
    EXPECT_EQ(ScriptText("BONJOUR"), "Welcome");
    EXPECT_EQ(App().catalog.engine.catalogOpenCount, 0);
    EXPECT_EQ(App().catalog.engine.context, nullptr);

    // After a close as well.
    ASSERT_TRUE(Open());
    CloseCatalog();
    EXPECT_EQ(ScriptText("BONJOUR"), "Welcome");
    EXPECT_EQ(ScriptText("MESSAGE3"), ""); // French only, no "!" row
    EXPECT_EQ(App().catalog.engine.catalogOpenCount, 0);
}

} // namespace

TEST_F(CatalogTest, NothingAsksTheCatalogBeforeTheLanguageIsSettled) {
    AddBoth();
    App().languageLetter = '\0'; // as at start-up: the year message opens it this way
    ASSERT_TRUE(Open());
    EXPECT_FALSE(CatalogAvailable());
    EXPECT_EQ(SetupText("BTN_YES"), "Oui"); // a direct lookup reads the French column
    App().languageLetter = 'F';
    EXPECT_TRUE(CatalogAvailable());
}
