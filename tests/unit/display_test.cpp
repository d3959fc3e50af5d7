// The script's look and its screen test without a window: bar colours
// along the progress, the GRAPHCAPS layouts, the mode chosen and its text,
// and MESSAGE / TEST run against a fake screen that records mode changes.

#include "script/display_commands.h"
#include "script/graph_caps.h"
#include "ui/bar_colours.h"

#include "test_view.h"

#include <gtest/gtest.h>

namespace {

TestCommand GraphCapsLine(std::string word, std::vector<std::int32_t> values) {
    TestCommand command;
    command.test = std::move(word);
    for (std::int32_t v : values)
        command.values[static_cast<std::size_t>(command.count++)] = v;
    return command;
}

GraphCapsTest Requirement(std::uint32_t w, std::uint32_t h, std::uint32_t bits) {
    GraphCapsTest test;
    test.minWidth = w;
    test.minHeight = h;
    test.bitsPerPixel = bits;
    return test;
}

struct FakeScreen : DisplaySystem {
    bool catalog = false;
    int language = 1;
    DisplayMode current{1024, 768, 32};
    std::vector<DisplayMode> modes;
    std::vector<DisplayMode> changes;
    int modesAsked = 0;

    bool CatalogAvailable() const override { return catalog; }
    int LanguageIndex() const override { return language; }
    std::string NumberedMessage(int number) override { return "text " + std::to_string(number); }
    DisplayMode CurrentMode() override { return current; }
    std::vector<DisplayMode> Modes() override {
        ++modesAsked;
        return modes;
    }
    void ChangeMode(const DisplayMode &mode) override { changes.push_back(mode); }
};

struct DisplayRun {
    RecordingView view;
    FakeScreen *screen;
    std::unique_ptr<DisplayCommands> commands;
    explicit DisplayRun(FakeScreen setup = {}) {
        auto owned = std::make_unique<FakeScreen>(std::move(setup));
        screen = owned.get();
        commands = MakeDisplayCommands(view, std::move(owned));
    }
};

} // namespace

TEST(BarColour, RunsFromTheStartColourToTheEndColour) {
    const BarColours defaults;
    EXPECT_EQ(BarColour(defaults, 0, 1000), (Rgb{255, 0, 0}));
    EXPECT_EQ(BarColour(defaults, 500, 1000), (Rgb{127, 0, 100}));
    EXPECT_EQ(BarColour(defaults, 1000, 1000), (Rgb{0, 0, 200}));
    // Nothing to count yet: the start colour; more than the size: the end.
    EXPECT_EQ(BarColour(defaults, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(BarColour(defaults, 5000, 1000), (Rgb{0, 0, 200}));
    // Rising channels and sizes beyond 32 bits.
    const BarColours rising{{10, 20, 30}, {210, 220, 230}};
    EXPECT_EQ(BarColour(rising, 1ULL << 32, 1ULL << 33), (Rgb{110, 120, 130}));
    EXPECT_EQ(ColourRef({0x11, 0x22, 0x33}), 0x332211u);
}

TEST(GraphCaps, ReadsTheLayoutOfItsCatalogState) {
    const TestCommand line = GraphCapsLine("graphcaps", {640, 480, 16, 7, 400, 200});
    const auto withCatalog = ReadGraphCapsTest(line, true);
    ASSERT_TRUE(withCatalog);
    EXPECT_EQ(withCatalog->messageNumber, -1);
    EXPECT_EQ(withCatalog->windowWidth, 7);
    EXPECT_EQ(withCatalog->windowHeight, 400);
    const auto without = ReadGraphCapsTest(line, false);
    ASSERT_TRUE(without);
    EXPECT_EQ(without->minWidth, 640u);
    EXPECT_EQ(without->minHeight, 480u);
    EXPECT_EQ(without->bitsPerPixel, 16u);
    EXPECT_EQ(without->messageNumber, 7);
    EXPECT_EQ(without->windowWidth, 400);
    EXPECT_EQ(without->windowHeight, 200);
    // Too few numbers for the layout, or another test.
    EXPECT_FALSE(ReadGraphCapsTest(GraphCapsLine("GRAPHCAPS", {640, 480, 16, 400, 200}), false));
    EXPECT_TRUE(ReadGraphCapsTest(GraphCapsLine("GRAPHCAPS", {640, 480, 16, 400, 200}), true));
    EXPECT_FALSE(ReadGraphCapsTest(GraphCapsLine("SOUND", {1, 2, 3, 4, 5, 6}), false));
}

TEST(GraphCaps, ChoosesTheLastModeThatFits) {
    const GraphCapsTest test = Requirement(640, 480, 16);
    const std::vector<DisplayMode> modes = {
        {640, 480, 16}, {800, 600, 16}, {1024, 768, 16}, {800, 600, 32}, {320, 200, 16}};
    // Big enough with more colours than asked: nothing.
    EXPECT_FALSE(ChooseDisplayMode({1024, 768, 32}, test, modes));
    // Only the exact bits, between the minimum and the current size.
    EXPECT_EQ(ChooseDisplayMode({800, 600, 8}, test, modes), (DisplayMode{800, 600, 16}));
    EXPECT_EQ(ChooseDisplayMode({640, 480, 8}, test, modes), (DisplayMode{640, 480, 16}));
    EXPECT_FALSE(ChooseDisplayMode({800, 600, 8}, Requirement(640, 480, 24), modes));
    // A screen smaller than asked has no mode between: nothing.
    EXPECT_FALSE(ChooseDisplayMode({600, 400, 16}, test, modes));
}

TEST(GraphCaps, ModeTextInEveryLanguage) {
    EXPECT_EQ(ModeText(Requirement(640, 480, 16), 1), "640x480, 65536 colours");
    EXPECT_EQ(ModeText(Requirement(800, 600, 8), 0), "800x600, 256 couleurs");
    EXPECT_EQ(ModeText(Requirement(800, 600, 8), 2), "800x600, 256 Farben");
    EXPECT_EQ(ModeText(Requirement(800, 600, 8), 3), "800x600, 256 colores");
    EXPECT_EQ(ModeText(Requirement(800, 600, 8), 4), "800x600, 256 colori");
    EXPECT_EQ(ModeText(Requirement(800, 600, 8), 5), "800x600, 256 colours");
    // 32 bits: the true count, not a wrapped one.
    EXPECT_EQ(ModeText(Requirement(1024, 768, 32), 1), "1024x768, 4294967296 colours");
}

TEST(DisplayCommands, MessageFillsTheSecondArea) {
    DisplayRun run;
    run.commands->Run(MessageCommand{12});
    EXPECT_EQ(run.view.messages, (std::vector<std::string>{"text 12"}));
}

TEST(DisplayCommands, GraphCapsTellsTheUserAndSwitchesOnlyWhenNeeded) {
    FakeScreen big;
    big.modes = {{640, 480, 16}};
    DisplayRun enough(big);
    enough.commands->Run(GraphCapsLine("GRAPHCAPS", {640, 480, 16, 9, 400, 200}));
    EXPECT_TRUE(enough.view.dialogs.empty());
    EXPECT_TRUE(enough.screen->changes.empty());
    EXPECT_EQ(enough.screen->modesAsked, 0);

    FakeScreen small;
    small.current = {800, 600, 8};
    small.modes = {{640, 480, 16, 0, 60}, {800, 600, 16, 0, 75}, {800, 600, 32, 0, 60}};
    DisplayRun run(small);
    run.commands->Run(GraphCapsLine("TEST", {1, 2, 3}));
    run.commands->Run(GraphCapsLine("GraphCaps", {640, 480, 16, 9, 400, 200}));
    ASSERT_EQ(run.view.dialogs.size(), 1u);
    const MessageRequest &shown = run.view.dialogs[0];
    EXPECT_FALSE(shown.yesNo);
    EXPECT_EQ(shown.mode, 1);
    EXPECT_EQ(shown.number, 9);
    EXPECT_TRUE(shown.insert);
    EXPECT_EQ(shown.insertion, "640x480, 65536 colours");
    EXPECT_EQ(shown.width, 400);
    EXPECT_EQ(shown.height, 200);
    EXPECT_EQ(run.screen->changes, (std::vector<DisplayMode>{{800, 600, 16, 0, 75}}));

    // No mode fits: no message, no change.
    FakeScreen none = small;
    none.modes = {{800, 600, 32}};
    DisplayRun nothing(none);
    nothing.commands->Run(GraphCapsLine("GRAPHCAPS", {640, 480, 16, 9, 400, 200}));
    EXPECT_TRUE(nothing.view.dialogs.empty());
    EXPECT_TRUE(nothing.screen->changes.empty());
}
