#!/usr/bin/env python3
"""Turns the raw data of one scripts/bench run into its report and plot.

    bench/report.py OUT_DIR

OUT_DIR holds what scripts/bench measured (see there); this writes OUT_DIR/report.txt and
OUT_DIR/launch-deviation.png (through gnuplot), with the plot's data beside them. All times
in the data are nanoseconds since the Unix epoch on the host's real-time clock.
"""

import json
import os
import statistics
import subprocess
import sys

INTERVAL_NS = 1_000_000_000
# A launch this close to its slot belongs to it; further off, slots say nothing (watch -n 1).
SLOT_TOLERANCE_NS = INTERVAL_NS // 2
# Launches due this shortly before a contender was stopped may not have come yet.
STOP_MARGIN_NS = 100_000_000
WARM_UP_TICKS = 30

# name in the data, label, index of its first launch (watch runs the command at once).
# The least launcher is the least Windows program that does the utility's tick work: its
# figures are the limit of the utility under Wine.
CONTENDERS = [
    ("taktomat", "taktomat.exe (Wine)", 1),
    ("least-launcher", "least launcher (Wine)", 1),
    ("watch-n", "watch -n 1", 0),
    ("watch-p", "watch -p -n 1", 0),
]
ROUNDS = [("idle", "idle machine"), ("loaded", "every core busy")]


def numbers(path):
    with open(path, encoding="ascii") as lines:
        return [[int(field) for field in line.split()] for line in lines if line.strip()]


def series(start, stop, first_index, launches, rows=()):
    """Launch n against its due time start + n * interval, by the order of the launches.

    ROWS, where the launched program noted them, are (first instruction, creation) pairs."""
    launches = sorted(launches)
    result = {"start": start,
              "points": [(start + (first_index + k) * INTERVAL_NS, time)
                         for k, time in enumerate(launches)],
              # The slots of the run: those due before the contender was stopped.
              "slots": [start + slot * INTERVAL_NS for slot in
                        range(first_index, (stop - STOP_MARGIN_NS - start) // INTERVAL_NS + 1)],
              "lost": None, "created_late": [], "to_run": []}
    if launches and max(abs(time - due) for due, time in result["points"]) < SLOT_TOLERANCE_NS:
        # Close enough to the schedule that every launch can be told its slot.
        taken = {round((time - start) / INTERVAL_NS) for time in launches}
        result["lost"] = [due for due in result["slots"]
                          if round((due - start) / INTERVAL_NS) not in taken]
    if rows:
        # From the process's creation to its first instruction: Wine's own start-up; and when
        # each launched process was created, against its due time.
        result["to_run"] = [(run - created) / 1e9 for run, created in rows]
        result["created_late"] = [
            (time - start - (first_index + k) * INTERVAL_NS) / 1e9
            for k, time in enumerate(sorted(created for _, created in rows))]
    return result


def split(whole, boundary):
    """One series cut in two at BOUNDARY, by the due times."""
    parts = []
    for before in (True, False):
        keep = lambda due: (due < boundary) == before  # noqa: E731
        parts.append({"start": whole["start"],
                      "points": [p for p in whole["points"] if keep(p[0])],
                      "slots": [due for due in whole["slots"] if keep(due)],
                      "lost": None if whole["lost"] is None else
                      [due for due in whole["lost"] if keep(due)],
                      "created_late": [], "to_run": []})
    return parts


def summary(parts, grid):
    """Figures of one or more parts of a round taken together; GRID is the round's origin."""
    points = [point for part in parts for point in part["points"]]
    result = {"launches": len(points), "slots": sum(len(part["slots"]) for part in parts),
              "elapsed": [(due - grid) / 1e9 for due, _ in points],
              "deviations": [(time - due) / 1e9 for due, time in points],
              "phase": ((parts[0]["start"] - grid) % INTERVAL_NS) / 1e9}
    if all(part["lost"] is not None for part in parts):
        result["lost"] = sum(len(part["lost"]) for part in parts)
    created_late = [late for part in parts for late in part["created_late"]]
    to_run = [run for part in parts for run in part["to_run"]]
    if created_late:
        result["creation_late"] = statistics.median(created_late)
        result["creation_to_run"] = statistics.median(to_run)
    if not points:
        return result
    absolute = [abs(d) for d in result["deviations"]]
    result["median_abs"] = statistics.median(absolute)
    result["max_abs"] = max(absolute)
    # Least-squares line through deviation over time, one slope for all parts and an
    # intercept for each (a part's start has its own offset): the slope is the drift.
    fitted = []
    sxx = sxy = 0.0
    for part in parts:
        xs = [due / 1e9 for due, _ in part["points"]]
        ys = [(time - due) / 1e9 for due, time in part["points"]]
        if len(xs) < 2:
            continue
        mean_x, mean_y = statistics.fmean(xs), statistics.fmean(ys)
        fitted.append((xs, ys, mean_x, mean_y))
        sxx += sum((x - mean_x) ** 2 for x in xs)
        sxy += sum((x - mean_x) * (y - mean_y) for x, y in zip(xs, ys))
    if sxx > 0:
        slope = sxy / sxx
        result["drift_per_hour"] = slope * 3600
        freedom = sum(len(xs) for xs, _, _, _ in fitted) - len(fitted) - 1
        if freedom > 0:
            # The slope's standard error: how much of it the scatter alone could make.
            variance = sum((y - mean_y - slope * (x - mean_x)) ** 2
                           for xs, ys, mean_x, mean_y in fitted
                           for x, y in zip(xs, ys)) / freedom
            result["drift_error_per_hour"] = (variance / sxx) ** 0.5 * 3600
    return result


def read_round(out, name):
    """Each contender's figures in the round: its two halves and both together."""
    folder = os.path.join(out, name)
    # The origin of the phases, and the begin of the second half.
    grid, boundary = numbers(os.path.join(folder, "halves.txt"))[0]
    contenders = {}
    for key, label, first_index in CONTENDERS:
        log = {"taktomat": "bench_stamp.exe.log",
               "least-launcher": "least_stamp.exe.log"}.get(key, key + ".log")
        path = os.path.join(folder, log)
        rows = numbers(path) if os.path.exists(path) else []
        if key in ("taktomat", "least-launcher"):
            halves = []
            presses = []
            grids = []
            for half, in_half in (("half1", lambda t: t < boundary),
                                  ("half2", lambda t: t >= boundary)):
                start_times = numbers(os.path.join(folder, half, key + ".start"))[0]
                # The utility's schedule begins once the press of Start has done its checks
                # and hidden the window: its launches are due from the end of the press.
                start = start_times[1] if key == "taktomat" else start_times[0]
                # The least launcher keeps its grid from the tick count it read at its begin,
                # which may lag the real time by up to a clock tick: its launches are due from
                # where that count began, as it noted after its run.
                grid_path = os.path.join(folder, half, key + ".grid")
                if os.path.exists(grid_path):
                    grids.append((start - numbers(grid_path)[0][0]) / 1e9)
                    start = numbers(grid_path)[0][0]
                presses.append((start_times[1] - start_times[0]) / 1e9)
                stop = numbers(os.path.join(folder, half, key + ".stop"))[0][0]
                mine = [row for row in rows if in_half(row[0])]
                halves.append(series(start, stop, first_index, [row[0] for row in mine], mine))
        else:
            start = numbers(os.path.join(folder, key + ".start"))[0][0]
            stop = numbers(os.path.join(folder, key + ".stop"))[0][0]
            halves = split(series(start, stop, first_index, [row[0] for row in rows]), boundary)
        stats = {"label": label, "parts": [summary([half], grid) for half in halves],
                 "both": summary(halves, grid)}
        if key == "least-launcher":
            stats["grids"] = grids
        if key == "taktomat":
            stats["presses"] = presses
            stats["first"] = [(h["points"][0][1] - h["points"][0][0]) / 1e9 if h["points"]
                              else None for h in halves]
        contenders[key] = stats
    info = {}
    with open(os.path.join(folder, "round.txt"), encoding="utf-8") as lines:
        for line in lines:
            key, _, value = line.partition(":")
            info[key.strip()] = value.strip()
    return {"contenders": contenders, "info": info, "folder": folder}


def read_resources(folder):
    path = os.path.join(folder, "resources.csv")
    with open(path, encoding="ascii") as lines:
        header = lines.readline().strip().split(",")
        rows = [dict(zip(header, map(int, line.strip().split(",")))) for line in lines if line.strip()]
    sources = {}
    with open(os.path.join(folder, "resource-sources.txt"), encoding="utf-8") as lines:
        for line in lines:
            key, _, value = line.partition(":")
            sources[key.strip()] = value.strip()
    return rows, sources


def floats(path):
    with open(path, encoding="ascii") as lines:
        return [float(line) for line in lines if line.strip()]


def ms(seconds):
    return f"{seconds * 1000:.1f}"


def plot(out, rounds):
    """One PNG: absolute deviation over the run, a panel per round, a line per contender."""
    files = {}
    present = [(name, title) for name, title in ROUNDS if name in rounds]
    for name, _ in present:
        for key, _, _ in CONTENDERS:
            path = os.path.join(out, f"deviation-{name}-{key}.dat")
            with open(path, "w", encoding="ascii") as data:
                data.write("# seconds since the round's origin, deviation (ms), absolute "
                           "deviation (ms); a blank line between the halves\n")
                for stats in rounds[name]["contenders"][key]["parts"]:
                    for x, y in zip(stats["elapsed"], stats["deviations"]):
                        data.write(f"{x:.3f} {y * 1000:.4f} {max(abs(y) * 1000, 0.001):.4f}\n")
                    data.write("\n")
            files[(name, key)] = path
    script = os.path.join(out, "launch-deviation.gp")
    colours = {"taktomat": "#1f77b4", "least-launcher": "#9467bd", "watch-n": "#d62728",
               "watch-p": "#2ca02c"}
    with open(script, "w", encoding="ascii") as gp:
        gp.write('set terminal pngcairo size 1100,800 font "sans,10"\n')
        gp.write(f'set output "{os.path.join(out, "launch-deviation.png")}"\n')
        gp.write(f"set multiplot layout {len(present)},1 title "
                 '"Deviation of each launch from start + n x 1 s"\n')
        gp.write("set logscale y\nset grid\nset key outside right\n")
        gp.write('set ylabel "|deviation| (ms, log)"\n'
                 'set xlabel "seconds since the origin of the phases"\n')
        gp.write("set yrange [0.01:2000]\n")
        for name, title in present:
            gp.write(f'set title "{title}"\n')
            parts = []
            for key, label, _ in CONTENDERS:
                parts.append(f'"{files[(name, key)]}" using 1:3 with linespoints pt 7 ps 0.3 '
                             f'lc rgb "{colours[key]}" title "{label}"')
            gp.write("plot " + ", \\\n     ".join(parts) + "\n")
        gp.write("unset multiplot\n")
    subprocess.run(["gnuplot", script], check=True)


def tick_costs(out):
    with open(os.path.join(out, "tick_bench.json"), encoding="utf-8") as data:
        report = json.load(data)
    costs = {}
    for bench in report["benchmarks"]:
        name = bench.get("run_name", bench["name"])
        # With repetitions the median aggregate stands for the benchmark; a single run is it.
        if bench.get("aggregate_name", "median") != "median":
            continue
        unit = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[bench.get("time_unit", "ns")]
        costs[name] = {"real": bench["real_time"] * unit, "cpu": bench["cpu_time"] * unit}
    return costs, report.get("context", {})


def read_sizes(path):
    """{preset: [(section or "file", bytes), ...]} in the order of sizes.txt."""
    sizes = {}
    with open(path, encoding="ascii") as lines:
        for line in lines:
            preset, name, size = line.split()
            sizes.setdefault(preset, []).append((name, int(size)))
    return sizes


def size_of(sizes, preset, name="file"):
    return dict(sizes.get(preset, [])).get(name)


def startup_ratio(startups, least_startups):
    return statistics.median(startups) / statistics.median(least_startups)


def goal(met, text, why=""):
    return f"  [{'met' if met else 'NOT met'}] {text}" + (f"\n      {why}" if why else "")


def main():
    out = sys.argv[1]
    machine = {}
    with open(os.path.join(out, "machine.txt"), encoding="utf-8") as lines:
        for line in lines:
            key, _, value = line.partition(":")
            machine[key.strip()] = value.strip()
    # A run of the loaded round alone (scripts/bench --loaded-only) has no other parts.
    present = [(name, title) for name, title in ROUNDS if os.path.isdir(os.path.join(out, name))]
    whole = len(present) == len(ROUNDS)
    rounds = {name: read_round(out, name) for name, _ in present}
    plot(out, rounds)
    clock = numbers(os.path.join(out, "clock.txt"))
    clock_host = [row[0] for row in numbers(os.path.join(out, "clock-host.log"))]

    lines = []
    add = lines.append
    add(f"Taktomat benchmarks ({machine['mode']} run), {machine['date']}")
    add(f"command: {machine['command']}")
    add(f"machine: {machine['cpu']}, {machine['cores']} cores, {machine['memory']}, "
        f"{machine['os']}, kernel {machine['kernel']}")
    add(f"software: {machine['wine']}, {machine['watch']}, taktomat.exe {machine['product']}")
    add(f"measured build: {machine.get('measured build', 'win32')}; host runs 32-bit code: "
        f"{machine.get('host runs 32-bit code', '?')}; least launcher: "
        f"{machine.get('least launcher', 'plain')}")
    add("")
    add("Clock: every launch time is the host's CLOCK_REALTIME in ns. The Linux stamp reads it")
    add("with clock_gettime; the Windows stamp reads GetSystemTimePreciseAsFileTime, which Wine")
    add("takes from the same CLOCK_REALTIME (FILETIME 100 ns steps since 1601, less the epoch).")
    inside = sum(1 for (before, after), host in zip(clock, clock_host) if before <= host <= after)
    widths = [(after - before) / 1e6 for before, after in clock]
    add(f"Check: {inside} of {len(clock)} host readings lay between the two Wine readings that "
        f"bracketed them (bracket median {statistics.median(widths):.2f} ms, "
        f"max {max(widths):.2f} ms).")
    add("")
    add("1. Launch accuracy: interval 1 s, endless; all four contenders side by side at once. The")
    add("   phases are counted from one origin: the utility at 0 s and the least launcher at 0.5 s")
    add("   for the first half of each round, the other way round for the second (the utility's")
    add("   run stopped and started again between); watch -p at 0.25 s, watch -n from 0.75 s.")
    add("   Deviation of launch n from start + n x 1 s. Start: the end of the press of Start for the")
    add("   utility, where its schedule begins; for the least launcher, where the grid it keeps")
    add("   begins: the real time of the tick count it began from, which may lag its begin by up to")
    add("   a clock tick (16 ms under Wine, whose count is brought up to date only when a program")
    add("   calls its server, as the utility's press does just before it reads the count); the")
    add("   start of watch for watch, which runs the command at once as launch 0.")
    add(f"   {'round':<7} {'contender':<21} {'half':<5} {'phase':>5} {'launches':>8} {'lost':>5} "
        f"{'median':>7} {'max':>7} {'created':>8} {'to run':>7} {'drift':>16}")
    add(f"   {'':<7} {'':<21} {'':<5} {'s':>5} {'':>8} {'':>5} {'|dev|ms':>7} {'|dev|ms':>7} "
        f"{'ms':>8} {'ms':>7} {'s/hour':>16}")
    for name, _ in present:
        for key, _, _ in CONTENDERS:
            c = rounds[name]["contenders"][key]
            for half, s in (("1st", c["parts"][0]), ("2nd", c["parts"][1]), ("both", c["both"])):
                lost = str(s["lost"]) if "lost" in s else "n/a"
                phase = f"{s['phase']:.2f}" if half != "both" else ""
                lead = f"   {name:<7} {c['label']:<21} {half:<5} {phase:>5} {s['launches']:>8}"
                if s["launches"] == 0:
                    add(f"{lead}  no launches")
                    continue
                drift = f"{s['drift_per_hour']:+.3f}" if "drift_per_hour" in s else "n/a"
                if "drift_error_per_hour" in s:
                    drift += f" ±{s['drift_error_per_hour']:.3f}"
                created = ms(s["creation_late"]) if "creation_late" in s else "-"
                to_run = ms(s["creation_to_run"]) if "creation_to_run" in s else "-"
                add(f"{lead} {lost:>5} {ms(s['median_abs']):>7} {ms(s['max_abs']):>7} "
                    f"{created:>8} {to_run:>7} {drift:>16}")
    for name, title in present:
        info = rounds[name]["info"]
        t = rounds[name]["contenders"]["taktomat"]
        presses = " and ".join(ms(press) for press in t["presses"])
        firsts = " and ".join("n/a" if first is None else ms(first) for first in t["first"])
        add(f"   {name}: {title}, {info.get('load', '')}, load average "
            f"{info.get('load average', '?')} (before its load: "
            f"{info.get('load average before', '?')}); the utility's presses of Start took {presses} ms, "
            f"and the first launch of each half ran {firsts} ms after its due time.")
        lags = rounds[name]["contenders"]["least-launcher"]["grids"]
        if lags:
            add(f"   {name}: the least launcher's grids began "
                + " and ".join(ms(lag) for lag in lags)
                + " ms before it noted its begin, as the tick count it read lagged that much.")
    add("   phase: the part's start past the origin's second; the utility's lies a press later.")
    add("   created: median time from a launch's due time to its process's creation (inside")
    add("   ShellExecuteExW); to run: median from the creation to the process's first instruction")
    add("   (Wine starting a process). Both as the launched program noted them.")
    add("   lost: ideal slots due before the stop without a launch within 0.5 s; n/a where the")
    add("   launches have drifted away from the slots (watch -n 1 waits 1 s after each run).")
    add("   drift: slope of the least-squares line through the deviations (both halves: one slope,")
    add("   an intercept for each half), ± its standard error.")
    add("   The goals take both halves together. The loaded round's drift is judged against the")
    add("   least launcher's, which meets the same host: the same where the difference is within")
    add("   twice its combined standard error. With an intercept for each half its standard error")
    add("   is about twice that of one line over the round, and falls only as the round's length to")
    add("   the power 1.5: to tell 0.1 s/h from zero the loaded round would need some 500 to 700 s")
    add("   instead of 128, by the standard errors of the runs so far, and the bench twice its time.")
    add("")
    if whole:
        costs, context = tick_costs(out)
        resources, sources = read_resources(rounds["idle"]["folder"])
        startups = floats(os.path.join(out, "startup.txt"))
        least_startups = floats(os.path.join(out, "startup-least-window.txt"))
        sizes = read_sizes(os.path.join(out, "sizes.txt"))
        add("2. Tick cost (GoogleBenchmark, host build, median of the repetitions):")
        for name, cost in costs.items():
            add(f"   {name:<34} {cost['real']:>9.1f} ns real {cost['cpu']:>9.1f} ns cpu")
        add(f"   ({context.get('num_cpus', '?')} CPUs, {context.get('mhz_per_cpu', '?')} MHz, "
            f"library build type {context.get('library_build_type', '?')})")
        add("")
        add("3. Resources over an endless run at interval 1 (idle round), sampled from outside "
            "every 10 ticks:")
        fields = [("gdi_objects", "GDI objects"), ("user_objects", "USER objects"),
                  ("kernel_handles", "kernel handles"), ("private_bytes", "private bytes"),
                  ("working_set", "working set")]
        first, last = resources[0], resources[-1]
        # Each half after its own warm-up: the Stop and Start between them may take a page once,
        # as a first Stop does, which is no growth over the run.
        grid, boundary = numbers(os.path.join(rounds["idle"]["folder"], "halves.txt"))[0]
        second = (boundary - grid) / 1e9 + 0.5
        halves = [[row for row in resources if row["tick"] < second],
                  [row for row in resources if row["tick"] >= second]]
        begins = [0, second]
        add(f"   {'':<16} {'tick ' + str(first['tick']):>12} {'tick ' + str(last['tick']):>12} "
            f"{'growth after tick ' + str(WARM_UP_TICKS) + ' of each half':>32}")
        growth = {}
        for key, label in fields:
            warm = [next((row for row in rows if row["tick"] >= begin + WARM_UP_TICKS), None)
                    for rows, begin in zip(halves, begins)]
            grown = (sum(rows[-1][key] - w[key] for rows, w in zip(halves, warm))
                     if all(warm) else None)
            growth[key] = grown
            add(f"   {label:<16} {first[key]:>12} {last[key]:>12} "
                f"{(f'{grown:+d}' if grown is not None else 'n/a (run too short)'):>32}")
        add(f"   {len(resources)} samples. How each figure is read under this system:")
        for key, label in fields:
            add(f"     {label}: {sources.get(key, '?')}")
        add("")
        add("4. Size and start-up:")
        add("   taktomat.exe (static runtime, no symbol tables), bytes of the file and of each "
            "section's content:")
        presets = list(sizes)
        # Each executable's sections in the order of its file, those of one only where they lie.
        names = []
        for preset in presets:
            at = 0
            for name, _ in sizes[preset]:
                if name in names:
                    at = names.index(name) + 1
                else:
                    names.insert(at, name)
                    at += 1
        add("   " + f"{'':<10}" + "".join(f"{preset:>10}" for preset in presets))
        for name in names:
            cells = "".join(f"{size_of(sizes, preset, name) or '':>10}" for preset in presets)
            add(f"   {name:<10}{cells}")
        add(f"   measured under Wine: {machine.get('measured build', 'win32')}")
        add("   start-up: both programs copied to C:\\taktomat-startup, the utility without stored "
            "settings, each start\n   once the one before it has ended, Wine's tray has answered "
            "and 300 ms have passed, after\n   one uncounted start of each")
        add(f"   from CreateProcessW until the main window is shown, {len(startups)} starts under Wine: "
            f"median {statistics.median(startups):.0f} ms (min {min(startups):.0f}, "
            f"max {max(startups):.0f})")
        add(f"   the least window, in turns with it: median {statistics.median(least_startups):.0f} ms "
            f"(min {min(least_startups):.0f}, max {max(least_startups):.0f}); the utility takes "
            f"{startup_ratio(startups, least_startups):.2f} x as long (median of the ratios within "
            f"each pair of starts: "
            f"{statistics.median(u / w for u, w in zip(startups, least_startups)):.2f})")
        add("")
    add("Goals:")
    for name, _ in present:
        t = rounds[name]["contenders"]["taktomat"]["both"]
        least = rounds[name]["contenders"]["least-launcher"]["both"]
        p = rounds[name]["contenders"]["watch-p"]["both"]
        n = rounds[name]["contenders"]["watch-n"]["both"]
        if not (t["launches"] and least["launches"] and p["launches"] and n["launches"]):
            add(f"  [NOT met] {name}: a contender made no launch")
            continue
        add(goal(t["median_abs"] <= least["median_abs"] + 0.002,
                 f"{name}: median deviation {ms(t['median_abs'])} ms <= the least launcher's "
                 f"{ms(least['median_abs'])} ms + 2 ms"))
        add(goal(t["max_abs"] <= least["max_abs"] + 0.010,
                 f"{name}: max deviation {ms(t['max_abs'])} ms <= the least launcher's "
                 f"{ms(least['max_abs'])} ms + 10 ms"))
        if name == "loaded":
            for figure, what in (("creation_late", "process created after its due time"),
                                 ("creation_to_run", "creation to first instruction")):
                mine, its = t.get(figure), least.get(figure)
                add(goal(mine is not None and its is not None and mine <= its + 0.002,
                         f"{name}: {what}, median {ms(mine or 0)} ms <= the least launcher's "
                         f"{ms(its or 0)} ms + 2 ms"))
        td = t.get("drift_per_hour", 0.0)
        nd = n.get("drift_per_hour", 0.0)
        error = t.get("drift_error_per_hour", 0.0)
        ld = least.get("drift_per_hour", 0.0)
        least_error = least.get("drift_error_per_hour", 0.0)
        if name == "loaded":
            sigma = (error ** 2 + least_error ** 2) ** 0.5
            add(goal(abs(td - ld) <= 2 * sigma,
                     f"{name}: drift {td:+.3f} ±{error:.3f} s/h the same as the least "
                     f"launcher's {ld:+.3f} ±{least_error:.3f} s/h (difference {td - ld:+.3f} "
                     f"±{sigma:.3f} s/h, at most 2 standard errors)"))
        else:
            add(goal(abs(td) < 0.1 and abs(td) < abs(nd),
                     f"{name}: drift {td:+.3f} ±{error:.3f} s/h below 0.1 s/h and below watch -n "
                     f"1's {nd:+.3f} s/h (the least launcher's: {ld:+.3f} s/h)"))
        # What Wine adds to any launch: from the due time through ShellExecuteExW to the
        # process's creation, and on to its first instruction, as the least launcher sees it.
        wine_start = least.get("creation_late", 0.0) + least.get("creation_to_run", 0.0)
        add(goal(t["median_abs"] <= p["median_abs"] + wine_start,
                 f"{name}: median deviation {ms(t['median_abs'])} ms <= watch -p's "
                 f"{ms(p['median_abs'])} ms + Wine's process start {ms(wine_start)} ms"))
    loaded = rounds["loaded"]["contenders"]["taktomat"]["both"]
    add(goal(loaded.get("lost", 1) == 0 and loaded["launches"] >= loaded["slots"],
             f"no launch lost under load ({loaded['launches']} launches for "
             f"{loaded['slots']} slots, lost {loaded.get('lost', 'n/a')})"))
    if whole:
        tick = costs.get("BM_CountdownTickWithLaunch", {}).get("real", float("inf"))
        add(goal(tick < 20_000, f"a tick of the core under 20 us ({tick:.0f} ns with a launch)"))
        still = [label for key, label in fields[:4] if growth[key] is None or growth[key] > 0]
        add(goal(not still, "no growth of objects, handles or private bytes after warm-up",
                 ("grew or not measured: " + ", ".join(still)) if still else ""))
        for preset, bits, limit in (("win32", 32, 384), ("win64", 64, 400)):
            size = size_of(sizes, preset)
            add(goal(size is not None and size <= limit * 1024,
                     f"the {bits}-bit executable at most {limit} KiB "
                     f"({size / 1024:.0f} KiB)" if size else f"the {bits}-bit executable measured"))
        ratio = startup_ratio(startups, least_startups)
        add(goal(ratio <= 1.2, f"start-up within 1.2 x the least window's: "
                 f"{statistics.median(startups):.0f} ms against {statistics.median(least_startups):.0f}"
                 f" ms, {ratio:.2f} x"))
    add("")
    add("Plot: launch-deviation.png; raw data beside this report.")

    with open(os.path.join(out, "report.txt"), "w", encoding="utf-8") as report:
        report.write("\n".join(lines) + "\n")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
