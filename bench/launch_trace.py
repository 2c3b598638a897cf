#!/usr/bin/env python3
"""Where the launches of one loaded round spend their time, as the Linux scheduler saw them.

    bench/launch_trace.py PERF_DATA ROUND_DIR CLOCK_OFFSET_NS

PERF_DATA is a system-wide record of the scheduler's events taken while the round ran:

    perf record -k mono -a -e sched:sched_process_fork -e sched:sched_process_exec \\
        -e sched:sched_switch -e sched:sched_wakeup -e sched:sched_wakeup_new \\
        -o PERF_DATA -- sleep 60

ROUND_DIR is the round's folder of scripts/bench (build/bench/loaded or, with --loaded-only,
build/bench/loaded-only/loaded), whose logs give each launched process's creation and first
instruction on the real-time clock; CLOCK_OFFSET_NS is the real-time clock less the monotonic
one that perf stamps its events with, in whole nanoseconds (python3 -c 'import time;
print(time.time_ns() - time.monotonic_ns())', read right before the record).

Under Wine 8 a start goes: the parent forks a helper, the helper forks the new process and
ends, the new process execs Wine's loader, Wine's loader sets itself up and first calls the
server, which notes the process's creation there and wakes the parent; the parent resumes the
new process, which then loads its libraries and reaches its first instruction. Each launch is
cut at these steps, and the medians of each launcher's launches are printed, with how long the
new process waited for a CPU and ran between its creation and its first instruction, and how
long its parent ran and Wine's server (the thread that woke the new process most) waited for a
CPU in that span.
"""

import bisect
import collections
import os
import re
import statistics
import subprocess
import sys

# The launched program's log, the launcher's name, its process name, its start files.
LAUNCHERS = [
    ("bench_stamp.exe.log", "utility", "taktomat", "taktomat"),
    ("least_stamp.exe.log", "least launcher", "least_launcher", "least-launcher"),
]
EVENT = re.compile(r"^\s*(.*?)\s+(\d+)\s+\[(\d+)\]\s+([\d.]+):\s+(\S+):\s+(.*)$")
SWITCH = re.compile(r"prev_pid=(\d+) prev_prio=\d+ prev_state=(\S+) ==> "
                    r"next_comm=.* next_pid=(\d+)")


def events(data, offset):
    """Forks, execs, and for each thread its spans on a CPU, waiting for one, and its wake-ups."""
    text = subprocess.run(["perf", "script", "-i", data, "-F", "comm,tid,cpu,time,event,trace",
                           "--ns"], capture_output=True, text=True, check=True).stdout
    forks, execs = [], {}
    running, waiting, wakes = (collections.defaultdict(list) for _ in range(3))
    # Who woke each thread how often: the new process's calls are answered by Wine's server.
    wakers = collections.defaultdict(collections.Counter)
    on, ready = {}, {}
    for line in text.splitlines():
        match = EVENT.match(line)
        if not match:
            continue
        _, current, _, stamp, name, rest = match.groups()
        time = float(stamp) * 1e9 + offset
        name = name.split(":")[-1]
        fields = dict(re.findall(r"(\w+)=(\S+)", rest))
        if name == "sched_process_fork":
            forks.append((time, fields["comm"], int(fields["pid"]), int(fields["child_pid"])))
        elif name == "sched_process_exec":
            execs.setdefault(int(fields["pid"]), time)
        elif name in ("sched_wakeup", "sched_wakeup_new"):
            tid = int(fields["pid"])
            wakes[tid].append(time)
            wakers[tid][int(current)] += 1
            if tid not in on and tid not in ready:
                ready[tid] = time
        elif name == "sched_switch":
            switch = SWITCH.search(rest)
            if not switch:
                continue
            previous, state, following = int(switch[1]), switch[2], int(switch[3])
            if previous in on:
                running[previous].append((on.pop(previous), time))
            if state.startswith("R"):
                ready[previous] = time
            if following in ready:
                waiting[following].append((ready.pop(following), time))
            on[following] = time
    return forks, execs, running, waiting, wakes, wakers


def within(spans, begin, end):
    return sum(max(0, min(stop, end) - max(start, begin)) for start, stop in spans)


def rows(path):
    with open(path, encoding="ascii") as lines:
        return [tuple(map(int, line.split())) for line in lines if line.strip()]


def main():
    data, folder, offset = sys.argv[1], sys.argv[2], float(sys.argv[3])
    forks, execs, running, waiting, wakes, wakers = events(data, offset)
    first, last = min(f[0] for f in forks), max(f[0] for f in forks)
    children = collections.defaultdict(list)
    for _, _, parent, child in forks:
        children[parent].append(child)

    def next_wake(tid, after):
        times = wakes.get(tid, [])
        at = bisect.bisect_right(times, after)
        return times[at] if at < len(times) else None

    def next_run(tid, after):
        return next((max(start, after) for start, stop in running.get(tid, []) if stop > after),
                    None)

    # From the due time to the parent's fork, to the new process's exec, to its creation; from
    # there until the parent is woken, until it runs, until it resumes the new process, and on
    # to the new process's first instruction; the new process's waiting for a CPU and running
    # between its creation and its first instruction.
    # Then the parent's running and Wine's server's waiting for a CPU in that span.
    # The last two: the parent's whole share of the span, from the creation to the resume,
    # and the whole span, from the creation to the first instruction.
    columns = ["due>fork", "fork>exec", "exec>creat", "creat>wake", "wake>run", "run>resume",
               "resume>1st", "new waits", "new runs", "parent run", "server wait",
               "creat>resume", "creat>1st"]
    print(f"{'median ms':<16}" + "".join(f"{c:>13}" for c in columns) + f"{'n':>5}")
    for log, label, process, key in LAUNCHERS:
        begins = []
        for half in ("half1", "half2"):
            start = rows(os.path.join(folder, half, key + ".start"))[0]
            grid = os.path.join(folder, half, key + ".grid")
            begins.append(rows(grid)[0][0] if os.path.exists(grid)
                          else start[1] if key == "taktomat" else start[0])
        cuts = []
        for run, created in rows(os.path.join(folder, log)):
            if not first + 1e9 < created < last - 1e9:
                continue
            # The launcher's fork whose grandchild exec'd last before the creation.
            chain = None
            for time, comm, parent, helper in forks:
                if comm.startswith(process) and created - 2e9 < time <= created:
                    for child in children.get(helper, []):
                        if child in execs and execs[child] <= created and (
                                chain is None or execs[child] > chain[3]):
                            chain = (time, parent, child, execs[child])
            if not chain:
                continue
            forked, parent, child, executed = chain
            woken = next_wake(parent, created - 1e5)
            runs = woken and next_run(parent, woken)
            resumed = runs and next_wake(child, runs)
            if not resumed or resumed > run:
                continue
            begin = max(b for b in begins if b < created)
            server = wakers[child].most_common(1)[0][0] if wakers.get(child) else None
            due = begin + round((forked - begin) / 1e9) * 1e9
            cuts.append([forked - due, executed - forked, created - executed, woken - created,
                         runs - woken, resumed - runs, run - resumed,
                         within(waiting.get(child, []), created, run),
                         within(running.get(child, []), created, run),
                         within(running.get(parent, []), created, run),
                         within(waiting.get(server, []), created, run),
                         resumed - created, run - created])
        if cuts:
            print(f"{label:<16}" + "".join(f"{statistics.median(c[i] for c in cuts) / 1e6:13.1f}"
                                           for i in range(len(columns))) + f"{len(cuts):>5}")


if __name__ == "__main__":
    main()
