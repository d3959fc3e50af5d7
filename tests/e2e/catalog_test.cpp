// A CD that brings its message catalogs speaks with their texts; a broken
// catalog falls back to the program's own texts without a word.

#include "e2e_support.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct Expected {
    char marker;
    const char *welcome;
    const char *instructionsStart;
    const char *install;
    const char *quit;
};

void CheckCatalogTexts(const Expected &expected) {
    Cd cd(std::string("catalog-") + expected.marker, CdWithCatalogs(expected.marker));
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::ControlText(window, 1000), expected.welcome);
    EXPECT_EQ(ui::ControlText(window, 1003).rfind(expected.instructionsStart, 0), 0u)
        << ui::ControlText(window, 1003);
    EXPECT_EQ(ui::ControlText(window, 1012), expected.install);
    EXPECT_EQ(ui::ControlText(window, 1015), expected.quit);
    QuitAndExpectEnd(setup, window);
}

} // namespace

TEST(Catalog, FrenchTextsAreConvertedFromTheOemCodePage) {
    CheckCatalogTexts({'F',
                       "   Bienvenue dans l'installation du CD de d\xE9monstration.\n\n"
                       "   Espace disque requis : environ 12 Mo.",
                       "   Choisissez le lecteur sur lequel vous d\xE9sirez installer", "Installer",
                       "Quitter"});
}

TEST(Catalog, EnglishTexts) {
    CheckCatalogTexts({'A',
                       "   Welcome to the setup of the demo CD.\n\n"
                       "   Free hard disk space required: about 12 MB.",
                       "   Choose the drive where you would like to install", "Install", "Quit"});
}

TEST(Catalog, MarkerStoredInLowerCaseStillChoosesItsLanguage) {
    auto files = CdWithCatalogs('A');
    files.erase("DEMOA110.CD1");
    files["demoa110.cd1"] = "disk 1\r\n";
    Cd cd("catalog-lower-marker", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::ControlText(window, 1012), "Install"); // not the French "Installer"
    EXPECT_EQ(ui::ControlText(window, 1015), "Quit");
    QuitAndExpectEnd(setup, window);
}

TEST(Catalog, GermanTextsComeFromTheGColumn) {
    CheckCatalogTexts({'D',
                       "   Willkommen bei der Installation der Demo-CD.\n\n"
                       "   Ben\xF6tigter Festplattenspeicher: etwa 12 MB.",
                       "   W\xE4hlen Sie das Laufwerk, auf dem Sie installieren", "Installieren",
                       "Beenden"});
}

TEST(Catalog, BrokenSetupIndexFallsBackToTheStringTableSilently) {
    auto files = CdWithCatalogs('A');
    files["SETUP.MDX"] = std::string(2048, '\x5A');
    Cd cd("catalog-broken", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::WindowsOf(setup.Id(), window).size(), 0u); // no message on the way
    EXPECT_EQ(ui::ControlText(window, 1000),
              "Setup programme for: \nDemo Title V.1.10\nFree hard disk space required: 12 Mb");
    EXPECT_EQ(ui::ControlText(window, 1012), "Install");
    QuitAndExpectEnd(setup, window);
}

TEST(Catalog, YearMessageComesFromTheCatalogInFrench) {
    Cd cd("catalog-year", CdWithCatalogs('A'));
    ui::Program setup(kEarlyCutoffExe, cd.Dir());
    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Setup Morvel");
    EXPECT_EQ(box.text,
              "Attention, la date courante de votre machine est erron\xE9"
              "e.\n"
              "Veuillez remettre cette date \xE0 la bonne valeur avant de relancer ce Setup.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(10000), 0u);
}
