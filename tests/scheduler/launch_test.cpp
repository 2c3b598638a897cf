#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using namespace std::chrono_literals;
using platform::IconId;
using platform::WindowState;
using std::chrono::milliseconds;
using testing::FakeIcons;

const char* const kFile = "c:\\tool.exe";
const char* const kProductTip = "Taktomat1.2";

// A run on the fake clock. Every tick modifies the tray icon once, so the modifies are the
// ticks as the user sees them.
class Countdown : public ::testing::Test {
protected:
    Countdown() {
        platform.files.addFile(kFile);
        form.open();
    }

    void start(const std::string& seconds, const std::string& passes, int mode = 6) {
        window.textBox("dateinametxt").setText(kFile);
        window.textBox("sekundentxt").setText(seconds);
        window.textBox("durchlauftxt").setText(passes);
        window.comboBox("Combo1").userChoose(mode);
        ASSERT_TRUE(window.button("Command1").userClick());
        ASSERT_EQ(window.button("Command1").caption(), "Stop");
        startedAt = platform.monotonic.now();
    }

    struct Tick {
        std::string tip;
        platform::NativeHandle icon;
        milliseconds at;
    };

    // The ticks since the start, the stop's modify excluded.
    std::vector<Tick> ticks() const {
        std::vector<Tick> seen;
        for (size_t i = 0; i < platform.tray.calls.size(); ++i) {
            const auto& call = platform.tray.calls[i];
            if (call.message != platform::TrayMessage::Modify || call.tipText() == kProductTip) {
                continue;
            }
            seen.push_back({call.tipText(), call.record.hIcon, tickTimes.at(seen.size())});
        }
        return seen;
    }

    // Lets the timer wake up until `count` more ticks have come, or the run or the process
    // has ended. True when the process ended.
    bool runTicks(size_t count) {
        const size_t target = tickTimes.size() + count;
        return platform.endsProcess([&] {
            while (tickTimes.size() < target && window.timer().enabled()) window.timer().elapse();
        });
    }

    size_t launches() const { return platform.starter.starts.size(); }

    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeMainWindow& window = platform.window();
    milliseconds startedAt{0};
    std::vector<milliseconds> tickTimes;
    // Notes the time of each tick as it reaches the tray.
    const bool noted = [this] {
        platform.tray.whileNotifying = [this] {
            const auto& call = platform.tray.calls.back();
            if (call.message == platform::TrayMessage::Modify && call.tipText() != kProductTip) {
                tickTimes.push_back(platform.monotonic.now() - startedAt);
            }
        };
        return true;
    }();
};

platform::NativeHandle icon(IconId id) {
    return FakeIcons::handleAt(id, 96);
}

// Opens the utility on a platform of its own and starts a run of `seconds` and `passes`.
void openAndStart(testing::FakePlatform& platform, Form1& form, const std::string& seconds,
                  const std::string& passes) {
    platform.files.addFile(kFile);
    form.open();
    platform.window().textBox("dateinametxt").setText(kFile);
    platform.window().textBox("sekundentxt").setText(seconds);
    platform.window().textBox("durchlauftxt").setText(passes);
    platform.window().button("Command1").userClick();
}

TEST_F(Countdown, FiveSecondsTwoPassesTickByTick) {
    start("5", "2");
    struct Row {
        const char* tip;
        IconId image;
        size_t launchesAfter;
    };
    const Row expected[] = {
        {"4s bis Programmstart, Durchlauf 1/2", IconId::Frame3, 0},
        {"3s bis Programmstart, Durchlauf 1/2", IconId::Frame5, 0},
        {"2s bis Programmstart, Durchlauf 1/2", IconId::Frame8, 0},
        {"1s bis Programmstart, Durchlauf 1/2", IconId::Frame10, 0},
        {"0s bis Programmstart, Durchlauf 1/2", IconId::Main, 1},
        {"4s bis Programmstart, Durchlauf 2/2", IconId::Frame3, 1},
        {"3s bis Programmstart, Durchlauf 2/2", IconId::Frame5, 1},
        {"2s bis Programmstart, Durchlauf 2/2", IconId::Frame8, 1},
        {"1s bis Programmstart, Durchlauf 2/2", IconId::Frame10, 1},
    };
    for (const Row& row : expected) {
        ASSERT_FALSE(runTicks(1));
        EXPECT_EQ(ticks().back().tip, row.tip);
        EXPECT_EQ(ticks().back().icon, icon(row.image)) << row.tip;
        EXPECT_EQ(window.caption(), row.tip);
        EXPECT_EQ(launches(), row.launchesAfter) << row.tip;
    }
    EXPECT_EQ(form.runState().durchlauf, 1);

    EXPECT_TRUE(runTicks(1)) << "the tenth tick ends the utility";
    EXPECT_EQ(ticks().back().tip, "0s bis Programmstart, Durchlauf 2/2");
    EXPECT_EQ(launches(), 2u);
    EXPECT_EQ(platform.starter.starts[1].at - startedAt, 10s);
    EXPECT_EQ(platform.store.stored("Raviktaktomate", "Startup", "maxdurchlaeufe"), "2");
    EXPECT_EQ(platform.tray.icon(window.handle(), 1), nullptr);
    EXPECT_FALSE(window.visible());
}

TEST_F(Countdown, FramesOfAPassByItsLength) {
    struct Case {
        const char* seconds;
        std::vector<IconId> frames;
    };
    const Case cases[] = {
        {"1", {IconId::Main, IconId::Main, IconId::Main}},
        {"12",
         {IconId::Frame2, IconId::Frame3, IconId::Frame4, IconId::Frame5, IconId::Frame6,
          IconId::Frame7, IconId::Frame8, IconId::Frame9, IconId::Frame10, IconId::Frame11,
          IconId::Frame12, IconId::Main, IconId::Frame2}},
        {"24", {IconId::Frame1, IconId::Frame2, IconId::Frame2, IconId::Frame3}},
    };
    for (const Case& c : cases) {
        testing::FakePlatform platform;
        Form1 form(platform);
        openAndStart(platform, form, c.seconds, "0");
        auto& window = platform.window();
        std::vector<platform::NativeHandle> shown;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            window.timer().elapse();
            shown.push_back(platform.tray.calls.back().record.hIcon);
        }
        std::vector<platform::NativeHandle> wanted;
        for (IconId frame : c.frames) wanted.push_back(icon(frame));
        EXPECT_EQ(shown, wanted) << c.seconds << " seconds";
        EXPECT_EQ(platform.starter.starts.size(), c.seconds == std::string("1")    ? 3u
                                                  : c.seconds == std::string("12") ? 1u
                                                                                   : 0u);
    }
}

TEST_F(Countdown, EndlessRunsShowNoPassAndNeverCount) {
    for (const char* passes : {"0", "-3"}) {
        window.button("Command1").userClick();  // stops a previous round
        start("2", passes);
        ASSERT_FALSE(runTicks(7));
        EXPECT_EQ(ticks().back().tip, "1s bis Programmstart") << passes;
        EXPECT_EQ(form.runState().durchlauf, 0) << passes;
    }
    EXPECT_EQ(launches(), 6u);
}

TEST_F(Countdown, EveryShowValueReachesTheStartUnchanged) {
    for (int mode = 0; mode <= 6; ++mode) {
        start("1", "0", mode);
        ASSERT_FALSE(runTicks(1));
        EXPECT_EQ(platform.starter.starts.back().showWindow, mode);
        EXPECT_EQ(platform.starter.starts.back().path, kFile);
        window.button("Command1").userClick();
    }
}

TEST_F(Countdown, MinimisedWindowIsHiddenAgainAfterALaunchANormalOneStays) {
    start("1", "0");
    window.setWindowState(WindowState::Minimised);  // shows it, and the tray hides it again
    window.show();
    ASSERT_TRUE(window.visible());
    ASSERT_FALSE(runTicks(1));
    EXPECT_FALSE(window.visible()) << "minimised: hidden after the launch";

    window.trayCallback(platform::tray_mouse::kLeftButtonDown);
    ASSERT_EQ(window.windowState(), WindowState::Normal);
    ASSERT_FALSE(runTicks(1));
    EXPECT_TRUE(window.visible()) << "brought back by the user: it stays";
}

// A program started after the session agreed to end would be cut off with it, and the ticks
// say why none starts. When the session goes on, or nothing ends it within a minute, the pass
// ends missed get one launch and the grid holds; a run begun anew is not held.
struct SessionQuestion {
    const char* what;  // then: the session goes on, nothing comes, or the user stops and starts
    size_t ticks;
    std::vector<milliseconds> launched;
};

class HeldLaunches : public Countdown, public ::testing::WithParamInterface<SessionQuestion> {};

TEST_P(HeldLaunches, SayWhyAndGoOnOnceMadeUp) {
    const std::string what = GetParam().what;
    start("5", "0");
    ASSERT_FALSE(runTicks(6));
    window.queryEndSession();
    ASSERT_FALSE(runTicks(6));
    EXPECT_EQ(launches(), 1u);
    EXPECT_EQ(ticks().back().tip, "3s, Start angehalten");
    if (what == "GoesOn") window.endSession(false);
    for (int i = 0; i < 2 && what == "StopAndStart"; ++i) window.button("Command1").userClick();
    ASSERT_FALSE(runTicks(GetParam().ticks));
    std::vector<milliseconds> launched;
    for (const auto& s : platform.starter.starts) launched.push_back(s.at - startedAt);
    EXPECT_EQ(launched, GetParam().launched);
}

INSTANTIATE_TEST_SUITE_P(Cases, HeldLaunches,
                         ::testing::Values(SessionQuestion{"GoesOn", 8, {5s, 13s, 20s}},
                                           SessionQuestion{"NoEndInAMinute", 58, {5s, 66s, 70s}},
                                           SessionQuestion{"StopAndStart", 5, {5s, 17s}}),
                         [](const auto& info) { return std::string(info.param.what); });

// A launch that fails tells the user once, stops the run, and still counts the pass.
struct FailedLaunch {
    const char* what;
    const char* passes;
    std::function<void(testing::FakePlatform&)> breakIt;
    std::string prompt;
    std::string title;
    bool ends;
};

class LaunchFails : public Countdown, public ::testing::WithParamInterface<FailedLaunch> {};

TEST_P(LaunchFails, WithOneBoxThenTheStop) {
    const FailedLaunch& c = GetParam();
    start("2", c.passes);
    ASSERT_FALSE(runTicks(2));  // the first pass launches
    c.breakIt(platform);
    // The window system goes on waking the timer while the box is open.
    int wakeUps = 0;
    platform.boxes.whileOpen = [&](const testing::ShownBox&) {
        for (; wakeUps < 5; ++wakeUps) window.timer().elapse();
        return 1;
    };

    EXPECT_EQ(runTicks(2), c.ends);

    ASSERT_EQ(platform.boxes.shown.size(), 1u) << "one box, however many wake-ups came";
    EXPECT_EQ(platform.boxes.shown[0].prompt, c.prompt);
    EXPECT_EQ(platform.boxes.shown[0].title, c.title);
    EXPECT_EQ(platform.boxes.shown[0].style, 16);
    EXPECT_EQ(wakeUps, 5);
    EXPECT_EQ(ticks().size(), 4u) << "no tick ran inside the box";
    EXPECT_EQ(form.runState().durchlauf, c.ends ? 2 : (c.passes == std::string("0") ? 0 : 2));
    if (!c.ends) {
        EXPECT_EQ(window.button("Command1").caption(), "Start");
        EXPECT_FALSE(window.timer().enabled());
        EXPECT_EQ(form.runState().sekunde, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchFails,
    ::testing::Values(
        FailedLaunch{"FileDeleted", "0", [](testing::FakePlatform& p) { p.files.remove(kFile); },
                     "Die angegebene Datei \"c:\\tool.exe\" exisitiert nicht mehr!",
                     "Datei nicht gefunden", false},
        FailedLaunch{"FileMissingAtAnEarlierPass", "3",
                     [](testing::FakePlatform& p) { p.files.remove(kFile); },
                     "Die angegebene Datei \"c:\\tool.exe\" exisitiert nicht mehr!",
                     "Datei nicht gefunden", false},
        FailedLaunch{"FileMissingAtTheLastPass", "2",
                     [](testing::FakePlatform& p) { p.files.remove(kFile); },
                     "Die angegebene Datei \"c:\\tool.exe\" exisitiert nicht mehr!",
                     "Datei nicht gefunden", true},
        FailedLaunch{"ADirectoryNow", "0",
                     [](testing::FakePlatform& p) { p.files.addDirectory(kFile); },
                     "Die angegebene Datei \"c:\\tool.exe\" exisitiert nicht mehr!",
                     "Datei nicht gefunden", false},
        FailedLaunch{"StartRefused", "0",
                     [](testing::FakePlatform& p) { p.starter.failure = "Zugriff verweigert."; },
                     "Die angegebene Datei \"c:\\tool.exe\" konnte nicht gestartet "
                     "werden!\r\nZugriff verweigert.",
                     "Programmstart fehlgeschlagen", false}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(Countdown, StartAfterAStopBeginsAfresh) {
    start("3", "5");
    ASSERT_FALSE(runTicks(4));
    window.button("Command1").userClick();
    ASSERT_EQ(form.runState().durchlauf, 1);

    start("3", "5");
    EXPECT_EQ(form.runState().sekunde, 1);
    EXPECT_EQ(form.runState().durchlauf, 0);
    ASSERT_FALSE(runTicks(1));
    EXPECT_EQ(ticks().back().tip, "2s bis Programmstart, Durchlauf 1/5");
    EXPECT_EQ(ticks().back().at, 1s) << "a full second after the new start";
}

TEST_F(Countdown, SlowHandlersDoNotMoveTheSchedule) {
    platform.tray.whileNotifying = [this, note = platform.tray.whileNotifying] {
        note();
        platform.monotonic.advance(700ms);
    };
    start("3", "0");
    ASSERT_FALSE(runTicks(9));
    for (size_t k = 0; k < 9; ++k) EXPECT_EQ(tickTimes[k], milliseconds(1000 * (k + 1)));
    ASSERT_EQ(launches(), 3u);
    for (size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(platform.starter.starts[n].at - startedAt, milliseconds(3000 * (n + 1)) + 700ms);
    }
}

// The thread held inside the first launch: the pass ends it missed get one launch between
// them, never a burst, and the grid holds for the rest. With a limit, every launch counts.
struct Stall {
    const char* seconds;
    const char* passes;
    milliseconds length;
    std::vector<milliseconds> launches;
    std::vector<milliseconds> shown;
    const char* tipAfterTheStall;
};

class AStartThatBlocks : public Countdown, public ::testing::WithParamInterface<Stall> {};

TEST_P(AStartThatBlocks, LaunchesOnceForWhatItMissedAndNeverTwiceWithinHalfAnInterval) {
    const Stall& c = GetParam();
    platform.starter.whileStarting = [&] {
        if (launches() == 1) platform.monotonic.advance(c.length);
    };
    start(c.seconds, c.passes);
    const bool ended = platform.endsProcess([&] {
        while (launches() < c.launches.size() && window.timer().enabled()) window.timer().elapse();
    });
    std::vector<milliseconds> launched;
    for (const auto& s : platform.starter.starts) launched.push_back(s.at - startedAt);
    EXPECT_EQ(launched, c.launches);
    EXPECT_EQ(std::vector(tickTimes.begin(), tickTimes.begin() + c.shown.size()), c.shown);
    EXPECT_EQ(ticks().at(2).tip, c.tipAfterTheStall);
    EXPECT_EQ(ended, c.passes != std::string("0"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AStartThatBlocks,
    ::testing::Values(
        Stall{"1", "0", 3000ms, {1s, 4s, 5s, 6s}, {1s, 4s, 5s}, "0s bis Programmstart"},
        // Ending 10 ms before a pass end, or just after half an interval before it.
        Stall{"1", "0", 2990ms, {1s, 3990ms, 5s}, {1s, 3990ms, 5s}, "0s bis Programmstart"},
        Stall{"1", "0", 2900ms, {1s, 3900ms, 5s}, {1s, 3900ms, 4s, 5s}, "0s bis Programmstart"},
        Stall{"2", "0", 1500ms, {2s, 4s, 6s}, {1s, 2s, 3500ms, 4s}, "1s bis Programmstart"},
        // Past one pass end, and across two.
        Stall{"2",
              "3",
              3500ms,
              {2s, 5500ms, 8s},
              {1s, 2s, 5500ms, 6s, 7s, 8s},
              "1s bis Programmstart, Durchlauf 3/3"},
        Stall{"2",
              "3",
              4500ms,
              {2s, 6500ms, 8s},
              {1s, 2s, 6500ms, 7s, 8s},
              "0s bis Programmstart, Durchlauf 2/3"},
        // Asleep for an hour: the pass goes on where it was.
        Stall{
            "2", "0", 3600s, {2s, 3603s, 3605s}, {1s, 2s, 3602s, 3603s}, "1s bis Programmstart"}));

// Every start takes two intervals, the first one owed after the thread was held across a pass
// end. What the user did during it (a Stop, the session's question) is served when the wake-up
// returns, before any launch however often the timer wakes up; a session's end leaves no icon.
TEST(SlowStarts, WhatTheUserDidDuringOneIsServedBeforeTheNextLaunch) {
    for (const bool sessionEnds : {false, true}) {
        testing::FakePlatform platform;
        Form1 form(platform);
        openAndStart(platform, form, "2", "0");
        auto& window = platform.window();
        const auto& starts = platform.starter.starts;
        platform.starter.whileStarting = [&] {
            if (starts.size() <= 3) platform.monotonic.advance(4s);  // should it never return
        };
        window.timer().elapse();
        platform.monotonic.advance(2500ms);
        for (int wakeUps = 0; wakeUps < 6 && window.timer().elapse(); ++wakeUps) {
            if (wakeUps == 0 && sessionEnds) window.queryEndSession();
            if (wakeUps == 0 && !sessionEnds) window.button("Command1").userClick();
        }
        EXPECT_EQ(starts.size(), 1u) << "no launch after the user's action";
        EXPECT_TRUE(!sessionEnds || platform.endsProcess([&] { window.endSession(true); }));
        EXPECT_EQ(platform.tray.icon(window.handle(), 1) == nullptr, sessionEnds);
        EXPECT_EQ(window.button("Command1").caption(), sessionEnds ? "Stop" : "Start");
    }
}

TEST_F(Countdown, AStopAndANewStartDuringAFailingLaunchBeginACleanRun) {
    platform.starter.whileStarting = [&] {
        platform.starter.whileStarting = nullptr;
        window.button("Command1").userClick();
        window.button("Command1").userClick();
    };
    platform.starter.failure = "Zugriff verweigert.";
    start("1", "1");
    ASSERT_FALSE(runTicks(1)) << "the old pass does not end the new run";
    EXPECT_EQ(form.runState().durchlauf, 0);
    EXPECT_EQ(form.runState().sekunde, 1);
    EXPECT_EQ(window.button("Command1").caption(), "Stop");
    EXPECT_TRUE(platform.boxes.shown.empty()) << "nor does its failure stop it";

    platform.starter.failure.reset();
    EXPECT_TRUE(runTicks(1)) << "it goes on to its own one pass";
    EXPECT_EQ(platform.starter.starts.back().at - startedAt, 2s);
}

TEST_F(Countdown, AStopDuringTheLastStartStopsTheRunButDoesNotEndTheUtility) {
    platform.starter.whileStarting = [&] { window.button("Command1").userClick(); };
    start("1", "1");
    ASSERT_FALSE(runTicks(1)) << "the utility ended";
    EXPECT_EQ(launches(), 1u) << "the start under way finishes";
    EXPECT_EQ(form.runState().durchlauf, 0);
    EXPECT_EQ(window.button("Command1").caption(), "Start");
}

TEST_F(Countdown, AfterALongGapOneTickThenANewBaseNeverABurst) {
    start("2", "0");
    ASSERT_FALSE(runTicks(3));
    platform.monotonic.advance(std::chrono::hours(1));  // asleep
    ASSERT_FALSE(runTicks(3));

    const milliseconds woke = 3000ms + std::chrono::hours(1);
    EXPECT_EQ(tickTimes[3], woke) << "one tick at once";
    EXPECT_EQ(tickTimes[4], woke + 1s);
    EXPECT_EQ(tickTimes[5], woke + 2s);
    EXPECT_EQ(launches(), 3u) << "one launch for the pass the gap ended, no more";
}

// Drawn runs with one or two stalls, a start that blocks or the thread held (late by more than
// 5 s a pass pauses instead, tested apart), in some runs every start slow (0.8 to 2 intervals)
// and the timer's own error. Whatever the stall, every launch is on the grid of the start or at
// a stall's end (both as near as the timer's error lets it), none within half an interval of
// the one before, no wake-up launches twice, a limit of M makes M launches and the end, and
// every tick shows the second due then. Every second run starts nothing while its last program
// (0.1 to 2.5 intervals long) runs: no launch then, and a pass end left out counts in the M.
TEST(Schedule, HoldsItsGridThroughAnyStall) {
    std::mt19937 draw(19);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution(low, high)(draw);
    };
    int broken = 0;
    for (int run = 0; run < 300; ++run) {
        const bool allSlow = pick(0, 2) == 0, jitter = pick(0, 1) == 1;
        const int seconds = pick(1, allSlow ? 6 : 10), passes = pick(0, 4);
        // Per stall: the launch that blocks (never two in one), or 0 for a hold; when; how long.
        // None where every start is slow: one more would pause the pass.
        std::vector<std::array<int, 3>> stalls;
        for (int n = allSlow ? 0 : pick(1, 2); n > 0; --n) {
            stalls.push_back({pick(0, 1) * (pick(1, 2) + 2 * n - 2), pick(1, 40 * seconds) * 100,
                              pick(1, 49) * 100});
        }
        testing::FakePlatform platform;
        if (run % 2 == 1) platform.store.put("Raviktaktomate", "Startup", "nurwennbeendet", "1");
        if (run % 2 == 1) platform.starter.runTime = pick(1, 25 * seconds) * 100ms;
        Form1 form(platform);
        openAndStart(platform, form, std::to_string(seconds), std::to_string(passes));
        auto& window = platform.window();
        auto& clock = platform.monotonic;
        if (jitter) window.timer().error = [&] { return pick(-15, 50) * 1ms; };
        const milliseconds begun = clock.now(), pass = seconds * 1000ms;
        std::vector<milliseconds> stallEnds;
        const auto stallUntil = [&](milliseconds end) {
            clock.advanceTo(end);
            stallEnds.push_back(clock.now());
        };
        const auto& starts = platform.starter.starts;
        platform.starter.whileStarting = [&] {
            // Never so slow that the pass pauses: the next tick is late by less than 5 s.
            if (allSlow)
                stallUntil(clock.now() + pick(8 * seconds, std::min(20 * seconds, 49)) * 100ms);
            for (const auto& [launch, at, length] : stalls) {
                if (launch == static_cast<int>(starts.size()))
                    stallUntil(clock.now() + length * 1ms);
            }
        };
        std::vector<std::pair<milliseconds, std::string>> shown;
        platform.tray.whileNotifying = [&] {
            const auto& call = platform.tray.calls.back();
            if (call.message == platform::TrayMessage::Modify)
                shown.emplace_back(clock.now(), call.tipText());
        };
        std::vector<bool> held(stalls.size());
        std::string fault;
        const bool ended = platform.endsProcess([&] {
            while (window.timer().enabled() && clock.now() < begun + 6 * pass + 12s) {
                for (size_t i = 0; i < stalls.size(); ++i) {
                    const milliseconds at = begun + stalls[i][1] * 1ms,
                                       due = window.timer().dueTime();
                    // A hold begins while the thread waits, never while it is behind.
                    if (stalls[i][0] == 0 && !held[i] && at < due && clock.now() < due) {
                        held[i] = true;
                        stallUntil(std::max(clock.now(), at) + stalls[i][2] * 1ms);
                    }
                }
                const size_t before = starts.size();
                window.timer().elapse();
                if (starts.size() > before + 1) fault += " a wake-up launched twice;";
            }
        });
        // Where a launch may fall: the timer wakes up to 15 ms early and 50 ms late.
        const auto near = [](milliseconds late) { return late >= -15ms && late <= 50ms; };
        for (size_t n = 0; n < starts.size(); ++n) {
            const milliseconds offGrid = (starts[n].at - begun) % pass;
            const bool atAStallEnd =
                std::any_of(stallEnds.begin(), stallEnds.end(),
                            [&](milliseconds end) { return near(starts[n].at - end); });
            if (!near(offGrid) && !near(offGrid - pass) && !atAStallEnd)
                fault += " a launch off the grid;";
            if (n > 0 && starts[n].at - starts[n - 1].at < pass / 2)
                fault += " launches too close;";
            if (n > 0 && starts[n].at - starts[n - 1].at < platform.starter.runTime.value_or(0ms))
                fault += " a launch while its last program ran;";
        }
        const size_t passEnds = starts.size() + platform.starter.foundRunning.size();
        if (passes > 0 && (!ended || passEnds != static_cast<size_t>(passes))) {
            fault +=
                " " + std::to_string(starts.size()) + " launches, ended " + std::to_string(ended);
        }
        for (const auto& [at, tip] : shown) {
            const auto due = (at - begun + scheduler::TickSchedule::kEarlyTolerance) / 1s;
            if (tip.rfind(std::to_string(seconds - 1 - (due - 1) % seconds) + "s", 0) != 0) {
                fault += " " + tip + " at " + std::to_string((at - begun).count()) + " ms;";
            }
        }
        if (!fault.empty() && ++broken <= 5) {
            ::testing::Message drawn;
            for (const auto& [launch, at, length] : stalls)
                drawn << " " << launch << "/" << at << "/" << length;
            ADD_FAILURE() << seconds << " s, " << passes << " passes, all slow " << allSlow
                          << ", jitter " << jitter << ", stalls (launch/at/ms)" << drawn << ":"
                          << fault.substr(0, 300);
        }
    }
    EXPECT_EQ(broken, 0) << "of 300 runs";
}

}  // namespace
}  // namespace taktomat::app
