// The cost of the countdown on the host: one tick of the core as the window system's timer
// would deliver it, on the fake platform of the unit tests (whose journal and call records
// are part of the figure, so it is an upper bound), and the progress text with the frame
// choice and the tooltip record alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "app/form1.h"
#include "scheduler/countdown.h"
#include "support/fake_platform.h"
#include "tray/tooltip.h"

namespace taktomat {
namespace {

const char* const kFile = "c:\\tool.exe";
// The fakes record every call; they are emptied this often so that memory stays flat.
constexpr benchmark::IterationCount kClearEvery = 1024;

// An endless run of the real main window's logic with the given interval, ticking on the
// fake clock: each iteration is one wake-up of the timer that handles one due tick.
void runTicks(benchmark::State& state, const std::string& seconds) {
    testing::FakePlatform platform;
    platform.files.addFile(kFile);
    app::Form1 form(platform);
    form.open();
    testing::FakeMainWindow& window = platform.window();
    window.textBox("dateinametxt").setText(kFile);
    window.textBox("sekundentxt").setText(seconds);
    window.textBox("durchlauftxt").setText("0");
    window.comboBox("Combo1").userChoose(0);
    if (!window.button("Command1").userClick() || window.button("Command1").caption() != "Stop") {
        state.SkipWithError("the run did not start");
        return;
    }
    testing::FakeTimer& timer = window.timer();
    benchmark::IterationCount done = 0;
    // Every tick modifies the tray icon once: the count shows that each wake-up had one.
    size_t ticks = 0;
    size_t launches = 0;
    platform.journal.clear();
    platform.tray.calls.clear();
    for (auto _ : state) {
        timer.elapse();
        if (++done % kClearEvery == 0) {
            state.PauseTiming();
            ticks += platform.tray.calls.size();
            launches += platform.starter.starts.size();
            platform.journal.clear();
            platform.tray.calls.clear();
            platform.starter.starts.clear();
            state.ResumeTiming();
        }
    }
    ticks += platform.tray.calls.size();
    launches += platform.starter.starts.size();
    if (ticks != static_cast<size_t>(done)) state.SkipWithError("a wake-up without its tick");
    state.counters["launches_per_tick"] =
        static_cast<double>(launches) / static_cast<double>(std::max<size_t>(ticks, 1));
}

// Interval 60: a launch once a minute, as a typical run has.
void BM_CountdownTick(benchmark::State& state) {
    runTicks(state, "60");
}
BENCHMARK(BM_CountdownTick);

// Interval 1: every tick ends its pass and launches the file.
void BM_CountdownTickWithLaunch(benchmark::State& state) {
    runTicks(state, "1");
}
BENCHMARK(BM_CountdownTickWithLaunch);

// What each tick computes for the tray: text, frame and the tooltip record, nothing else.
void BM_ProgressTextFrameAndTooltip(benchmark::State& state) {
    scheduler::RunState run{60, 1, 0, 0};
    platform::NotifyIconDataA record{};
    for (auto _ : state) {
        const scheduler::TickPlan plan = scheduler::planTick(run);
        record.hIcon = static_cast<platform::NativeHandle>(plan.image);
        tray::setTooltip(record, plan.text);
        benchmark::DoNotOptimize(record);
        scheduler::advance(run, plan);
    }
}
BENCHMARK(BM_ProgressTextFrameAndTooltip);

}  // namespace
}  // namespace taktomat

BENCHMARK_MAIN();
