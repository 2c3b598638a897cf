// The logic relies on these behaviours of the window system; the fakes must keep them.
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include "contract/platform_contract.h"

namespace taktomat::testing {
namespace {

TEST(FakeTextBox, AssignmentRaisesChangeNestedInsideIt) {
    FakeTextBox box({"feld", "", {}, 0});
    std::vector<std::string> seen;
    box.setOnChange([&] {
        seen.push_back(box.text());
        // A handler that assigns again runs once more inside its own assignment.
        if (box.text() == "x") box.setText("restored");
    });

    box.setText("x");

    EXPECT_EQ(seen, (std::vector<std::string>{"x", "restored"}));
    EXPECT_EQ(box.text(), "restored");
    EXPECT_EQ(box.caretPosition(), 0);
}

TEST(FakeTextBox, TypingInsertsAtTheCaretOneChangePerCharacter) {
    FakeTextBox box({"feld", "", {}, 0});
    box.setText("13");
    box.setCaretPosition(1);
    const int before = box.changeEvents();

    box.userType("2");

    EXPECT_EQ(box.text(), "123");
    EXPECT_EQ(box.caretPosition(), 2);
    EXPECT_EQ(box.changeEvents(), before + 1);
}

TEST(FakeTextBox, PasteReplacesTheSelectionInOneChange) {
    FakeTextBox box({"feld", "", {}, 0});
    box.setText("30");
    box.userSelect(0, 2);
    const int before = box.changeEvents();

    box.userPaste("abc");

    EXPECT_EQ(box.text(), "abc");
    EXPECT_EQ(box.changeEvents(), before + 1);
}

TEST(FakeMessageBoxes, BoxBlocksItsHandlerWhileEventsAreDelivered) {
    FakePlatform platform;
    FakeTimer timer(1000, platform.monotonic);
    timer.setEnabled(true);
    int ticks = 0;
    bool boxWasOpenDuringTick = false;
    timer.setOnTick([&] {
        ++ticks;
        boxWasOpenDuringTick = platform.boxes.isOpen();
    });
    platform.boxes.whileOpen = [&](const ShownBox&) {
        timer.elapse();
        return 1;
    };

    platform.boxes.show("Text", 16, std::string("Titel"));

    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(boxWasOpenDuringTick);
    EXPECT_FALSE(platform.boxes.isOpen());
    EXPECT_EQ(platform.journal, (Journal{"box: Titel", "box closed: Titel"}));
}

TEST(FakeTimer, TicksOnTheClockLikeTheWindowSystemsTimer) {
    using std::chrono::milliseconds;
    FakeClock clock;
    const milliseconds start = clock.now();
    FakeTimer timer(1000, clock);
    std::vector<milliseconds> ticks;
    milliseconds busyFor{0};
    timer.setOnTick([&] {
        ticks.push_back(clock.now() - start);
        clock.advance(busyFor);
    });

    EXPECT_FALSE(timer.elapse()) << "a disabled timer does not tick";
    timer.setEnabled(true);
    timer.elapse();
    busyFor = milliseconds(2500);  // this handler overruns two ticks: they come once
    timer.elapse();
    busyFor = milliseconds(0);
    timer.elapse();
    timer.setNextTickIn(milliseconds(300));
    timer.elapse();
    timer.elapse();
    timer.setEnabled(false);
    timer.setNextTickIn(milliseconds(10));
    EXPECT_FALSE(timer.elapse());

    EXPECT_EQ(ticks,
              (std::vector<milliseconds>{milliseconds(1000), milliseconds(2000), milliseconds(4500),
                                         milliseconds(4800), milliseconds(5800)}));
}

TEST(FakeTrayShell, HoldsEachIconOnceAsTheShellDoes) {
    FakePlatform platform;
    contract::expectTrayShellHoldsEachIconOnce(platform.tray, 0x4711, 0x1000,
                                               [&](const auto&) { platform.tray.restart(); });
}

TEST(FakeSettingsStore, ReportsItsWritesAsTheRegistryDoes) {
    FakePlatform platform;
    contract::expectTheStoreReportsItsWrites(platform.store, "Vertrag");
}

TEST(FakeMainWindow, StateChangesLeaveAHiddenWindowHiddenAsTheWin32LayerDoes) {
    FakePlatform platform;
    platform.createMainWindow({"Test", 6000, 1680, platform::IconId::Main});
    contract::expectStateChangesLeaveAHiddenWindowHidden(platform.window());
}

TEST(FakeFileSystem, FindsNamesWhateverTheirCaseAsWindowsDoes) {
    FakeFileSystem files;
    contract::expectNamesMatchWithoutCase(files, [&](const char* name) {
        files.addFile(std::string("C:\\Temp\\") + name);
        return std::string("C:\\Temp\\") + name;
    });
}

TEST(FakeMessageBoxes, ABoxLocksTheWindowAsOnWindows) {
    FakePlatform platform;
    platform.createMainWindow({"Test", 6000, 1680, platform::IconId::Main});
    platform.window().addButton({"b", "x", {}, 0}).setOnClick([] {});
    contract::expectABoxLocksTheWindow(
        platform.window(), platform.boxes,
        [&](std::function<void()> during) {
            platform.boxes.whileOpen = [during](const ShownBox&) {
                during();
                return 1;
            };
        },
        [&] { return platform.window().button("b").userClick(); });
}

TEST(FakeProcess, EndingTheProcessStopsTheHandler) {
    FakePlatform platform;
    bool ranOn = false;
    const bool ended = platform.endsProcess([&] {
        platform.process().endProcess();
        ranOn = true;
    });
    EXPECT_TRUE(ended);
    EXPECT_FALSE(ranOn);
}

}  // namespace
}  // namespace taktomat::testing
