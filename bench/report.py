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


def launch_stats(start, stop, first_index, launches):
    """Deviation of launch n from start + n * interval, by the order of the launches."""
    launches = sorted(launches)
    elapsed = []
    deviations = []
    for offset, time in enumerate(launches):
        ideal = start + (first_index + offset) * INTERVAL_NS
        elapsed.append((ideal - start) / 1e9)
        deviations.append((time - ideal) / 1e9)
    result = {
        "launches": len(launches),
        "elapsed": elapsed,
        "deviations": deviations,
    }
    # The slots of the run: those due before the contender was stopped.
    slots = range(first_index, (stop - STOP_MARGIN_NS - start) // INTERVAL_NS + 1)
    result["slots"] = len(slots)
    if not deviations:
        return result
    absolute = [abs(d) for d in deviations]
    result["median_abs"] = statistics.median(absolute)
    result["max_abs"] = max(absolute)
    result["median"] = statistics.median(deviations)
    if len(deviations) >= 2:
        # Least-squares line through deviation over time: its slope is the drift.
        mean_x = statistics.fmean(elapsed)
        mean_y = statistics.fmean(deviations)
        sxx = sum((x - mean_x) ** 2 for x in elapsed)
        sxy = sum((x - mean_x) * (y - mean_y) for x, y in zip(elapsed, deviations))
        slope = sxy / sxx if sxx > 0 else 0.0
        result["drift_per_hour"] = slope * 3600
        if len(deviations) >= 3 and sxx > 0:
            # The slope's standard error: how much of it the scatter alone could make.
            residuals = [y - mean_y - slope * (x - mean_x) for x, y in zip(elapsed, deviations)]
            variance = sum(r * r for r in residuals) / (len(deviations) - 2)
            result["drift_error_per_hour"] = (variance / sxx) ** 0.5 * 3600
    if result["max_abs"] < SLOT_TOLERANCE_NS / 1e9:
        # Close enough to the schedule that every launch can be told its slot.
        taken = {round((time - start) / INTERVAL_NS) for time in launches}
        result["lost"] = sum(1 for slot in slots if slot not in taken)
    return result


def read_round(out, name):
    folder = os.path.join(out, name)
    contenders = {}
    for key, label, first_index in CONTENDERS:
        # The utility's schedule begins once the press of Start has done its checks and hidden
        # the window: its launches are due from the end of the press, which is told apart.
        start_times = numbers(os.path.join(folder, key + ".start"))[0]
        start = start_times[1] if key == "taktomat" else start_times[0]
        stop = numbers(os.path.join(folder, key + ".stop"))[0][0]
        log = {"taktomat": "bench_stamp.exe.log",
               "least-launcher": "least_stamp.exe.log"}.get(key, key + ".log")
        rows = numbers(os.path.join(folder, log)) if os.path.exists(os.path.join(folder, log)) else []
        stats = launch_stats(start, stop, first_index, [row[0] for row in rows])
        stats["label"] = label
        if key == "taktomat":
            # The press of Start, from the first reading to the second: the schedule begins
            # at its end, after the checks and the window's hiding.
            press = numbers(os.path.join(folder, key + ".start"))[0]
            stats["press"] = (press[1] - press[0]) / 1e9
        if key in ("taktomat", "least-launcher") and rows:
            # From the process's creation to its first instruction: Wine's own start-up.
            stats["creation_to_run"] = statistics.median((row[0] - row[1]) / 1e9 for row in rows)
            # When each launched process was created, against its due time.
            created = sorted(row[1] for row in rows)
            stats["creation_late"] = statistics.median(
                (time - start - (first_index + offset) * INTERVAL_NS) / 1e9
                for offset, time in enumerate(created))
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
    for name, _ in ROUNDS:
        for key, _, _ in CONTENDERS:
            stats = rounds[name]["contenders"][key]
            path = os.path.join(out, f"deviation-{name}-{key}.dat")
            with open(path, "w", encoding="ascii") as data:
                data.write("# seconds since start, deviation (ms), absolute deviation (ms)\n")
                for x, y in zip(stats["elapsed"], stats["deviations"]):
                    data.write(f"{x:.3f} {y * 1000:.4f} {max(abs(y) * 1000, 0.001):.4f}\n")
            files[(name, key)] = path
    script = os.path.join(out, "launch-deviation.gp")
    colours = {"taktomat": "#1f77b4", "least-launcher": "#9467bd", "watch-n": "#d62728",
               "watch-p": "#2ca02c"}
    with open(script, "w", encoding="ascii") as gp:
        gp.write('set terminal pngcairo size 1100,800 font "sans,10"\n')
        gp.write(f'set output "{os.path.join(out, "launch-deviation.png")}"\n')
        gp.write("set multiplot layout 2,1 title "
                 '"Deviation of each launch from start + n x 1 s"\n')
        gp.write("set logscale y\nset grid\nset key outside right\n")
        gp.write('set ylabel "|deviation| (ms, log)"\nset xlabel "seconds since start"\n')
        gp.write("set yrange [0.01:2000]\n")
        for name, title in ROUNDS:
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
    rounds = {name: read_round(out, name) for name, _ in ROUNDS}
    plot(out, rounds)
    costs, context = tick_costs(out)
    resources, sources = read_resources(rounds["idle"]["folder"])
    startups = floats(os.path.join(out, "startup.txt"))
    least_startups = floats(os.path.join(out, "startup-least-window.txt"))
    clock = numbers(os.path.join(out, "clock.txt"))
    clock_host = [row[0] for row in numbers(os.path.join(out, "clock-host.log"))]
    sizes = read_sizes(os.path.join(out, "sizes.txt"))

    lines = []
    add = lines.append
    add(f"Taktomat benchmarks ({machine['mode']} run), {machine['date']}")
    add(f"command: {machine['command']}")
    add(f"machine: {machine['cpu']}, {machine['cores']} cores, {machine['memory']}, "
        f"{machine['os']}, kernel {machine['kernel']}")
    add(f"software: {machine['wine']}, {machine['watch']}, taktomat.exe {machine['product']}")
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
    add("1. Launch accuracy: interval 1 s, endless; all four contenders side by side at once, the")
    add("   least launcher half a second out of phase with the utility.")
    add("   Deviation of launch n from start + n x 1 s (start: the end of the press of Start for")
    add("   the utility, where its schedule begins; the grid's begin for the least launcher; the")
    add("   start of watch for watch, which runs the command at once as launch 0).")
    header = (f"   {'round':<8} {'contender':<21} {'launches':>8} {'lost':>5} {'median|dev|':>12} "
              f"{'max|dev|':>9} {'drift':>16}")
    add(header)
    add(f"   {'':<8} {'':<21} {'':>8} {'':>5} {'ms':>12} {'ms':>9} {'s/hour':>16}")
    for name, _ in ROUNDS:
        for key, _, _ in CONTENDERS:
            s = rounds[name]["contenders"][key]
            lost = str(s["lost"]) if "lost" in s else "n/a"
            if s["launches"] == 0:
                add(f"   {name:<8} {s['label']:<21} {0:>8}  no launches")
                continue
            drift = f"{s['drift_per_hour']:+.3f}" if "drift_per_hour" in s else "n/a"
            if "drift_error_per_hour" in s:
                drift += f" ±{s['drift_error_per_hour']:.3f}"
            add(f"   {name:<8} {s['label']:<21} {s['launches']:>8} {lost:>5} "
                f"{ms(s['median_abs']):>12} {ms(s['max_abs']):>9} {drift:>16}")
    for name, title in ROUNDS:
        info = rounds[name]["info"]
        t = rounds[name]["contenders"]["taktomat"]
        extra = f"; the press of Start took {ms(t['press'])} ms"
        if t["deviations"]:
            first = t["deviations"][0]
            extra += (f", and the first launch ran {ms(first)} ms after its due time (the end of "
                      f"the press + 1 s): {ms(t['press'] + first)} ms after the press began + 1 s")
        if "creation_to_run" in t:
            extra += (f"; the utility's launched process was created a median "
                      f"{ms(t['creation_late'])} ms after its due time and ran its first "
                      f"instruction {ms(t['creation_to_run'])} ms after that (Wine starting "
                      f"a process)")
        least = rounds[name]["contenders"]["least-launcher"]
        if "creation_to_run" in least:
            extra += (f"; the least launcher's, {ms(least['creation_late'])} and "
                      f"{ms(least['creation_to_run'])} ms")
        add(f"   {name}: {title}, {info.get('load', '')}, load average {info.get('load average', '?')}"
            f"{extra}.")
    add("   lost: ideal slots due before the stop without a launch within 0.5 s; n/a where the")
    add("   launches have drifted away from the slots (watch -n 1 waits 1 s after each run).")
    add("   drift: slope of the least-squares line through the deviations, ± its standard error.")
    add("")
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
    warm = next((row for row in resources if row["tick"] == WARM_UP_TICKS), None)
    add(f"   {'':<16} {'tick ' + str(first['tick']):>12} {'tick ' + str(last['tick']):>12} "
        f"{'growth after tick ' + str(WARM_UP_TICKS):>22}")
    growth = {}
    for key, label in fields:
        grown = last[key] - warm[key] if warm else None
        growth[key] = grown
        add(f"   {label:<16} {first[key]:>12} {last[key]:>12} "
            f"{(f'{grown:+d}' if grown is not None else 'n/a (run too short)'):>22}")
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
    for name, _ in ROUNDS:
        t = rounds[name]["contenders"]["taktomat"]
        least = rounds[name]["contenders"]["least-launcher"]
        p = rounds[name]["contenders"]["watch-p"]
        n = rounds[name]["contenders"]["watch-n"]
        if not (t["launches"] and least["launches"] and p["launches"] and n["launches"]):
            add(f"  [NOT met] {name}: a contender made no launch")
            continue
        add(goal(t["median_abs"] <= least["median_abs"] + 0.002,
                 f"{name}: median deviation {ms(t['median_abs'])} ms <= the least launcher's "
                 f"{ms(least['median_abs'])} ms + 2 ms"))
        add(goal(t["max_abs"] <= least["max_abs"] + 0.010,
                 f"{name}: max deviation {ms(t['max_abs'])} ms <= the least launcher's "
                 f"{ms(least['max_abs'])} ms + 10 ms"))
        td = t.get("drift_per_hour", 0.0)
        nd = n.get("drift_per_hour", 0.0)
        error = t.get("drift_error_per_hour", 0.0)
        ld = least.get("drift_per_hour", 0.0)
        add(goal(abs(td) < 0.1 and abs(td) < abs(nd),
                 f"{name}: drift {td:+.3f} ±{error:.3f} s/h below 0.1 s/h and below watch -n 1's "
                 f"{nd:+.3f} s/h (the least launcher's: {ld:+.3f} s/h)"))
        # What Wine adds to any launch: from the due time through ShellExecuteExW to the
        # process's creation, and on to its first instruction, as the least launcher sees it.
        wine_start = least.get("creation_late", 0.0) + least.get("creation_to_run", 0.0)
        add(goal(t["median_abs"] <= p["median_abs"] + wine_start,
                 f"{name}: median deviation {ms(t['median_abs'])} ms <= watch -p's "
                 f"{ms(p['median_abs'])} ms + Wine's process start {ms(wine_start)} ms"))
    loaded = rounds["loaded"]["contenders"]["taktomat"]
    add(goal(loaded.get("lost", 1) == 0 and loaded["launches"] >= loaded["slots"],
             f"no launch lost under load ({loaded['launches']} launches for "
             f"{loaded['slots']} slots, lost {loaded.get('lost', 'n/a')})"))
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
