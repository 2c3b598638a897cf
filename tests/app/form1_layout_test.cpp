#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/form1.h"
#include "app/form1_layout.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using testing::FakePlatform;

struct ExpectedControl {
    std::string name;
    std::string text;
    platform::TwipsRect bounds;
    int tabIndex;
};

// The window's controls as the user sees them, written out here independently of the code.
const ExpectedControl kExpected[] = {
    {"Command4", "Hilfe", {4860, 770, 1095, 420}, 11},
    {"durchlauftxt", "", {3150, 770, 975, 285}, 9},
    {"Combo1", "", {3150, 405, 2805, 315}, 7},
    {"Command2", "", {5580, 45, 375, 330}, 1},
    {"sekundentxt", "", {945, 405, 1140, 330}, 2},
    {"Command1", "Start", {4860, 1200, 1095, 420}, 3},
    {"dateinametxt", "", {945, 45, 4605, 330}, 0},
    {"Label4", "Anzahl maximaler Durchl\xC3\xA4ufe(0=unendlich):", {90, 810, 3135, 255}, 10},
    {"Label3", "Ausf\xC3\xBChren als", {2160, 450, 1005, 240}, 8},
    {"infolabel", "", {90, 1185, 4740, 465}, 6},
    {"Label2", "Interval in Sekunden:", {90, 360, 825, 375}, 5},
    {"Label1", "Dateiname:", {90, 90, 870, 285}, 4},
};

class Form1Layout : public ::testing::Test {
protected:
    FakePlatform platform;
    Form1 form{platform};
    testing::FakeMainWindow& window = platform.window();
};

TEST_F(Form1Layout, CreatesEveryControlInOrderWithTextPlaceAndTabIndex) {
    std::vector<std::string> expectedOrder;
    for (const ExpectedControl& control : kExpected) expectedOrder.push_back(control.name);
    EXPECT_EQ(window.creationOrder(), expectedOrder);

    for (const ExpectedControl& expected : kExpected) {
        const platform::ControlLayout& layout = window.controlLayout(expected.name);
        EXPECT_EQ(layout.text, expected.text) << expected.name;
        EXPECT_EQ(layout.bounds, expected.bounds) << expected.name;
        EXPECT_EQ(layout.tabIndex, expected.tabIndex) << expected.name;
    }
}

TEST_F(Form1Layout, ControlsShowTheirCreationTextsAndAreEnabled) {
    EXPECT_EQ(window.button("Command1").caption(), "Start");
    EXPECT_EQ(window.button("Command4").caption(), "Hilfe");
    EXPECT_TRUE(window.button("Command2").showsPicture());
    EXPECT_EQ(window.button("Command2").caption(), "");
    EXPECT_FALSE(window.button("Command1").showsPicture());
    for (const char* name : {"dateinametxt", "sekundentxt", "durchlauftxt"}) {
        EXPECT_EQ(window.textBox(name).text(), "") << name;
        EXPECT_TRUE(window.textBox(name).enabled()) << name;
    }
    EXPECT_EQ(window.label("Label2").text(), "Interval in Sekunden:");
    for (const char* name : {"Command1", "Command2", "Command4"}) {
        EXPECT_TRUE(window.button(name).enabled()) << name;
    }
    EXPECT_TRUE(window.comboBox("Combo1").enabled());
    EXPECT_EQ(window.caption(), "Taktomat");
}

TEST_F(Form1Layout, TabIndexesRunWithoutGapsAndFocusVisitsTheInputsInOrder) {
    std::vector<std::pair<int, std::string>> byTab;
    for (const std::string& name : window.creationOrder()) {
        byTab.emplace_back(window.controlLayout(name).tabIndex, name);
    }
    std::sort(byTab.begin(), byTab.end());
    ASSERT_EQ(byTab.size(), 12u);
    for (size_t i = 0; i < byTab.size(); ++i) EXPECT_EQ(byTab[i].first, static_cast<int>(i));

    // Labels hold tab indexes but never take the focus.
    std::vector<std::string> focusOrder;
    for (const auto& [tab, name] : byTab) {
        if (name.rfind("Label", 0) != 0 && name != "infolabel") focusOrder.push_back(name);
    }
    EXPECT_EQ(focusOrder,
              (std::vector<std::string>{"dateinametxt", "Command2", "sekundentxt", "Command1",
                                        "Combo1", "durchlauftxt", "Command4"}));
}

TEST_F(Form1Layout, EverythingFitsTheClientAreaAndTheLineStopsShortOfTheButtons) {
    for (const ExpectedControl& control : kExpected) {
        const platform::TwipsRect& r = control.bounds;
        EXPECT_LE(r.left + r.width, kClientWidthTwips) << control.name;
        EXPECT_LE(r.top + r.height, kClientHeightTwips) << control.name;
    }
    ASSERT_EQ(window.lines().size(), 1u);
    EXPECT_EQ(window.lines()[0].first, (platform::TwipsPoint{0, 1095}));
    EXPECT_EQ(window.lines()[0].second, (platform::TwipsPoint{4800, 1095}));
    EXPECT_LT(window.lines()[0].second.x, window.controlLayout("Command1").bounds.left);
}

TEST_F(Form1Layout, TimerTicksEverySecondAndStartsDisabled) {
    EXPECT_EQ(window.timer().intervalMilliseconds(), 1000);
    EXPECT_FALSE(window.timer().enabled());
}

TEST_F(Form1Layout, TrayMenuHasTheFiveItemsInOrder) {
    const auto& items = window.popupMenu().items();
    ASSERT_EQ(items.size(), 5u);
    const std::pair<const char*, const char*> expected[] = {
        {"porgmnu", "Ravik Taktomate"},
        {"progmnu", "Programm anzeigen"},
        {"nurwennbeendetmnu", "Nicht starten, solange es noch läuft"},
        {"strichmnu", "-"},
        {"quitmnu", "Programm verlassen"},
    };
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].name, expected[i].first);
        EXPECT_EQ(items[i].caption, expected[i].second);
    }
    // The title line and the separator do nothing when chosen.
    EXPECT_FALSE(items[0].onClick);
    EXPECT_FALSE(items[3].onClick);
    window.popupMenu().choose("nurwennbeendetmnu");
    EXPECT_TRUE(window.popupMenu().checkMark("nurwennbeendetmnu").checked()) << "turned on";
}

TEST_F(Form1Layout, WindowModeListHoldsTheSevenModesInIndexOrder) {
    form.open();
    const auto& combo = window.comboBox("Combo1");
    EXPECT_EQ(combo.items(), (std::vector<std::string>{
                                 "verstecktes Fenster", "normales Fenster mit Focus",
                                 "minimiertes Fenster mit Focus", "maximiertes Fenster mit Focus",
                                 "normales Fenster ohne Focus", "maximiertes Fenster ohne Focus",
                                 "minimiertes Fenster ohne Focus"}));
}

TEST_F(Form1Layout, EditingTheWindowModeFieldSelectsTheDefaultWhateverWasChosen) {
    form.open();
    auto& combo = window.comboBox("Combo1");
    for (int chosen = 0; chosen < 7; ++chosen) {
        combo.userChoose(chosen);
        EXPECT_EQ(combo.selectedIndex(), chosen) << "a choice from the list is no edit";

        combo.userType("x");

        EXPECT_EQ(combo.selectedIndex(), 6);
        EXPECT_EQ(combo.text(), "minimiertes Fenster ohne Focus");
    }
}

}  // namespace
}  // namespace taktomat::app
