"""Benchmarks of kelvaro against a bare Qt 6 window (and kshutdown when given), measured side by side
in one run on a private Xvfb display and D-Bus:

1. start-up: from starting the process to its main window being mapped, rounds interleaved;
2. memory: VmRSS one second after the window is visible;
3. cost of a run: CPU time and wake-ups of a running countdown against the bare window idling at the
   same time, and the wake-ups of a countdown and of a stopwatch hidden in the notification area and of a
   hidden idle window;
4. expiry lateness: how late 2-second countdowns expire, from the program's KELVARO_TRACE_RUN lines;
5. clock-time lateness: how long after the second it was set for a clock-time run reaches logind;
6. program-end lateness: how long after a program ends a run that waits for it (-P) reaches logind,
   side by side with countdowns of the same build reaching logind after their end.

With --baseline, a kelvaro built from an earlier commit runs beside this one in 3, 4, 5 and 6.

Run through bench/run, which builds the programs first. Standard library only.
"""

from __future__ import annotations

import argparse
import datetime
import json
import os
import platform
import statistics
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from world import Unavailable, World, forget, spawn, stop  # noqa: E402

CLK_TCK = os.sysconf("SC_CLK_TCK")
POLL_INTERVAL = 0.002
SETTLE = 1.0  # seconds after the window is visible until the memory is read


# --- reading a process from /proc ------------------------------------------------------------------

def cpu_ticks(pid: int) -> int:
    """utime + stime of the whole process (all its threads, living and ended), in clock ticks."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def cpu_ns(pid: int) -> int:
    """CPU time of the process's living threads in nanoseconds (scheduler statistics), finer than ticks."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (OSError, IndexError, ValueError):
            pass
    return total


def wakeups(pid: int) -> tuple[int, int]:
    """Voluntary context switches of the main thread and of all living threads: each is a thread going
    to sleep in the event loop (or another wait) to be woken again, so their count is its wake-ups."""
    main = total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            lines = (task / "status").read_text().splitlines()
        except OSError:
            continue
        for line in lines:
            if line.startswith("voluntary_ctxt_switches:"):
                count = int(line.split()[1])
                total += count
                if task.name == str(pid):
                    main = count
    return main, total


def rss_kb(pid: int) -> int:
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def audio_open(pid: int) -> bool:
    """Whether the process holds a sound device or runs SDL's audio thread."""
    for fd in Path(f"/proc/{pid}/fd").iterdir():
        try:
            if os.readlink(fd).startswith("/dev/snd/"):
                return True
        except OSError:
            pass
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            if (task / "comm").read_text().startswith("SDLAudio"):
                return True
        except OSError:
            pass
    return False


# --- figures -------------------------------------------------------------------------------------

def median(values):
    return statistics.median(values) if values else float("nan")


def quantile(values, q: float) -> float:
    """Linear interpolation between the closest ranks (q in [0, 1])."""
    ordered = sorted(values)
    if not ordered:
        return float("nan")
    position = q * (len(ordered) - 1)
    low = int(position)
    high = min(low + 1, len(ordered) - 1)
    return ordered[low] + (ordered[high] - ordered[low]) * (position - low)


def ratios(values, baseline):
    """Ratios pair by pair (round by round), skipping pairs with a zero baseline."""
    return [v / b for v, b in zip(values, baseline) if b]


def spread(values, unit: str = "", digits: int = 3) -> str:
    if not values:
        return "n/a"
    return (f"median {median(values):.{digits}f}{unit}  (min {min(values):.{digits}f}, "
            f"max {max(values):.{digits}f}, n={len(values)})")


@dataclass
class Program:
    name: str
    argv: list[str]
    startup: list[float] = field(default_factory=list)
    rss: list[int] = field(default_factory=list)
    audio_at_start: list[bool] = field(default_factory=list)
    failures: list[str] = field(default_factory=list)


# --- 1 and 2: start-up and memory ------------------------------------------------------------------

def wait_visible(world: World, process: subprocess.Popen, started: float, timeout: float = 20.0,
                 polls: list[float] | None = None) -> float:
    """Looks for a visible window of the process every few milliseconds; returns the seconds from
    `started` until the end of the first look that found one."""
    while True:
        before = time.monotonic()
        found = world.visible_windows(process.pid)
        after = time.monotonic()
        if polls is not None:
            polls.append(after - before)
        if found:
            return after - started
        if process.poll() is not None:
            raise Unavailable(f"ended with exit code {process.returncode} before a window was visible")
        if after - started > timeout:
            raise Unavailable(f"no visible window within {timeout:g} s")
        time.sleep(POLL_INTERVAL)


def one_start(world: World, program: Program, polls: list[float], record: bool) -> None:
    log = world.folder / f"{program.name}.log"
    env = world.env()
    started = time.monotonic()
    process = spawn(program.argv, env, log)
    try:
        seconds = wait_visible(world, process, started, polls=polls)
        time.sleep(SETTLE)
        if process.poll() is not None:
            raise Unavailable(f"ended with exit code {process.returncode} after its window was shown")
        memory = rss_kb(process.pid)
        audio = audio_open(process.pid)
        if record:
            program.startup.append(seconds)
            program.rss.append(memory)
            program.audio_at_start.append(audio)
    except Unavailable as reason:
        program.failures.append(str(reason))
    finally:
        stop(process)
    time.sleep(0.2)  # let the process go before the next one starts


def bench_startup(world: World, programs: list[Program], rounds: int) -> float:
    """Round after round, each program once in turn (A, B, C, A, B, C, ...); a first round is not
    counted (caches). Returns the median length of one look for the window."""
    polls: list[float] = []
    for round_number in range(rounds + 1):
        for program in programs:
            one_start(world, program, polls, record=round_number > 0)
        label = "warm-up" if round_number == 0 else f"{round_number}/{rounds}"
        print(f"  round {label}: " + ", ".join(
            f"{p.name} {p.startup[-1]:.3f} s" for p in programs if p.startup and round_number > 0),
            flush=True)
    return median(polls)


# --- 3: cost of a run ------------------------------------------------------------------------------

def read_trace(path: Path) -> dict[str, list[int]]:
    events: dict[str, list[int]] = {}
    if path.exists():
        for line in path.read_text().splitlines():
            parts = line.split()
            if len(parts) == 2 and parts[1].lstrip("-").isdigit():
                events.setdefault(parts[0], []).append(int(parts[1]))
    return events


def wait_for(condition, timeout: float, what: str, interval: float = 0.01):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Unavailable(f"gave up waiting for {what}")
        time.sleep(interval)


def kelvaro_pid_stop(world: World, kelvaro: str, pid: int) -> None:
    """Stops the run of the kelvaro with this process number from outside (its D-Bus verb)."""
    def stopped() -> bool:
        answer = subprocess.run([kelvaro, "--stop", f"--pid={pid}"], env=world.env(), capture_output=True, timeout=20)
        return answer.returncode == 0
    wait_for(stopped, 10, f"the run of kelvaro {pid} to stop", interval=0.3)


def bench_run_cost(world: World, kelvaros: dict[str, str], bare: str, seconds: float) -> dict:
    """Each kelvaro counting down (2 minutes, started by -A) and the bare window idling, all at the
    same time; CPU time and wake-ups of each over `seconds` from the moment the runs started. Beside
    them, with a notification area on the bus (a StatusNotifierWatcher double), this kelvaro counting
    down hidden in the notification area (-K), one hidden there whose run was stopped from outside (a
    window nobody sees), and a stopwatch hidden there. The command line cannot choose the stopwatch: it
    comes from a stored default set of its own that starts by itself and minimises at Start."""
    world.start_tray_watcher()
    traces = {name: world.folder / f"cost-trace-{name}.txt" for name in [*kelvaros, "tray", "tray-idle"]}
    stopwatch_registry = world.folder / "stopwatch.reg"
    stopwatch_registry.write_text("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kelvaro]\n\"ZeitMode\"=dword:00000002\n"
                                  "\"SofortStart\"=dword:00000001\n\"Minimize\"=dword:00000001\n")
    processes = {"bare": spawn([bare], world.env(), world.folder / "cost-bare.log")}
    countdown = ["-A", "-Mx", "-T-00:02:00"]
    for name, program in kelvaros.items():
        processes[name] = spawn([program, *countdown], world.env(KELVARO_TRACE_RUN=str(traces[name])),
                                world.folder / f"cost-{name}.log")
    for name in ("tray", "tray-idle"):
        processes[name] = spawn([kelvaros["kelvaro"], "-K", *countdown],
                                world.env(KELVARO_TRACE_RUN=str(traces[name])), world.folder / f"cost-{name}.log")
    processes["tray-stopwatch"] = spawn([kelvaros["kelvaro"]], world.env(KELVARO_REGISTRY=str(stopwatch_registry)),
                                        world.folder / "cost-tray-stopwatch.log")
    try:
        for process in processes.values():
            wait_visible(world, process, time.monotonic())
        for name, trace in traces.items():
            wait_for(lambda: "start" in read_trace(trace), 10, f"the countdown of {name} to start")
        # The stopwatch goes into the notification area when it starts, a second after its window came up.
        for name in ("tray", "tray-idle", "tray-stopwatch"):
            wait_for(lambda: not world.visible_windows(processes[name].pid), 10,
                     f"the window of {name} to go into the notification area")
        kelvaro_pid_stop(world, kelvaros["kelvaro"], processes["tray-idle"].pid)
        time.sleep(1.0)  # the stop and the remote name's messages are over
        first = {name: (cpu_ticks(p.pid), cpu_ns(p.pid), wakeups(p.pid)) for name, p in processes.items()}
        begun = time.monotonic()
        time.sleep(seconds)
        last = {name: (cpu_ticks(p.pid), cpu_ns(p.pid), wakeups(p.pid)) for name, p in processes.items()}
        elapsed = time.monotonic() - begun
        for name, process in processes.items():
            if process.poll() is not None:
                raise Unavailable(f"{name} ended during the measurement")
        for name in ("tray", "tray-idle", "tray-stopwatch"):
            if world.visible_windows(processes[name].pid):
                raise Unavailable(f"the window of {name} came out of the notification area")
        for name, trace in traces.items():
            if "expiry" in read_trace(trace):
                raise Unavailable(f"the countdown of {name} expired during the measurement")
    finally:
        for process in processes.values():
            stop(process)
    result = {"seconds": elapsed}
    for name in processes:
        ticks = last[name][0] - first[name][0]
        nanoseconds = last[name][1] - first[name][1]
        main_wakeups = last[name][2][0] - first[name][2][0]
        all_wakeups = last[name][2][1] - first[name][2][1]
        result[name] = {"ticks": ticks, "cpu_s": ticks / CLK_TCK, "cpu_ns": nanoseconds,
                        "percent_ticks": 100.0 * ticks / CLK_TCK / elapsed,
                        "percent_ns": 100.0 * nanoseconds / 1e9 / elapsed,
                        "wakeups_main": main_wakeups, "wakeups_all": all_wakeups,
                        "wakeups_main_per_s": main_wakeups / elapsed, "wakeups_all_per_s": all_wakeups / elapsed}
    return result


# --- 7: cost of waiting -----------------------------------------------------------------------------

WAITS = {"countdown": ["-T-00:02:00"], "inactivity": ["-I01:00:00"], "quiet": ["-Q01:00:00,1,1"]}


def bench_wait_cost(world: World, kelvaro: str, seconds: float) -> dict:
    """The same kelvaro three times at once: counting down, waiting for an hour without input, and
    waiting for an hour of quiet; CPU time of each over `seconds` from the moment all had started."""
    traces = {name: world.folder / f"wait-trace-{name}.txt" for name in WAITS}
    processes = {name: spawn([kelvaro, "-A", "-Mx", *arguments], world.env(KELVARO_TRACE_RUN=str(traces[name])),
                             world.folder / f"wait-{name}.log") for name, arguments in WAITS.items()}
    try:
        for process in processes.values():
            wait_visible(world, process, time.monotonic())
        for name, trace in traces.items():
            wait_for(lambda: "start" in read_trace(trace), 10, f"the run of {name} to start")
        first = {name: cpu_ns(p.pid) for name, p in processes.items()}
        begun = time.monotonic()
        time.sleep(seconds)
        last = {name: cpu_ns(p.pid) for name, p in processes.items()}
        elapsed = time.monotonic() - begun
        for name, process in processes.items():
            if process.poll() is not None or "expiry" in read_trace(traces[name]):
                raise Unavailable(f"the {name} run ended during the measurement")
    finally:
        for process in processes.values():
            stop(process)
    return {"seconds": elapsed, **{name: {"cpu_ns": last[name] - first[name],
                                          "percent_ns": 100.0 * (last[name] - first[name]) / 1e9 / elapsed}
                                   for name in WAITS}}


def report_wait_cost(cost: dict) -> None:
    print(f"\n7. Cost of waiting: CPU time over {cost['seconds']:.1f} s, each wait against a countdown of the "
          "same build running at the same time")
    base = cost["countdown"]["cpu_ns"]
    for name in WAITS:
        entry = cost[name]
        ratio = f", {entry['cpu_ns'] / base:.2f} x the countdown" if base and name != "countdown" else ""
        print(f"  {name:10} {entry['cpu_ns'] / 1e6:.1f} ms = {entry['percent_ns']:.3f} % of one core{ratio}")


# --- 4: expiry lateness ----------------------------------------------------------------------------

def logind_calls(world: World, method: str) -> list[float]:
    """Times (seconds since the epoch) at which the logind double logged a call of `method`."""
    times = []
    if world.logind_log.exists():
        for line in world.logind_log.read_text(errors="replace").splitlines():
            parts = line.split()
            if len(parts) >= 2 and parts[1] == method:
                times.append(float(parts[0]))
    return times


def run_to_suspend(world: World, program: str, arguments: list[str], log_name: str) -> tuple[dict, float | None]:
    """Runs `program` with `arguments` (a standby run that closes the program) to its end; returns its
    run trace and the time of logind's Suspend call (seconds since the epoch), or raises Unavailable."""
    trace = world.folder / f"{log_name}.txt"
    suspends_before = len(logind_calls(world, "Suspend"))
    process = spawn([program, *arguments], world.env(KELVARO_TRACE_RUN=str(trace)), world.folder / f"{log_name}.log")
    try:
        process.wait(20)
        forget(process)
    except subprocess.TimeoutExpired:
        stop(process)
        raise Unavailable("the program did not end within 20 s")
    events = read_trace(trace)
    if not all(events.get(name) for name in ("start", "end", "expiry")):
        raise Unavailable(f"incomplete trace {events}")
    suspends = logind_calls(world, "Suspend")[suspends_before:]
    return events, (suspends[0] if suspends else None)


def bench_lateness(world: World, kelvaros: dict[str, str], runs: int) -> dict:
    """Countdowns of two seconds that suspend (logind double) and close the program, each program in
    turn; per run the time from the run's end time to the expiry step, and to logind's Suspend call."""
    results = {name: {"lateness": [], "to_suspend": [], "failures": []} for name in kelvaros}
    for run in range(runs):
        for name, program in kelvaros.items():
            result = results[name]
            try:
                events, suspend = run_to_suspend(world, program, ["-A", "-E", "-C", "-T-00:00:02"],
                                                 f"lateness-{name}-{run}")
            except Unavailable as reason:
                result["failures"].append(f"run {run}: {reason}")
                continue
            late = (events["expiry"][0] - events["end"][0]) / 1000.0
            result["lateness"].append(late)
            if suspend is None:
                result["failures"].append(f"run {run}: no Suspend call")
            else:
                result["to_suspend"].append(suspend - events["end"][0] / 1000.0)
            print(f"  run {run + 1}/{runs} {name}: expiry {late:.3f} s after the end time", flush=True)
            time.sleep(0.2)
    return results


def bench_clock_time(world: World, kelvaros: dict[str, str], runs: int) -> dict:
    """Clock-time runs set for a full second two to three seconds ahead (standby on the logind double,
    then the program ends), each program in turn; per run the time from that second to logind's
    Suspend call, as the double logs it."""
    results = {name: {"to_suspend": [], "failures": []} for name in kelvaros}
    for run in range(runs):
        for name, program in kelvaros.items():
            result = results[name]
            target = int(time.time()) + 3
            clock_time = time.strftime("%H:%M:%S", time.localtime(target))
            try:
                _events, suspend = run_to_suspend(world, program, ["-A", "-E", "-C", f"-T{clock_time}"],
                                                  f"clock-time-{name}-{run}")
            except Unavailable as reason:
                result["failures"].append(f"run {run}: {reason}")
                continue
            if suspend is None:
                result["failures"].append(f"run {run}: no Suspend call")
                continue
            result["to_suspend"].append(suspend - target)
            print(f"  run {run + 1}/{runs} {name}: Suspend {suspend - target:.3f} s after {clock_time}", flush=True)
            time.sleep(0.2)
    return results


def bench_program_end(world: World, kelvaros: dict[str, str], runs: int) -> dict:
    """Runs that wait for a `sleep 3` started just before them (-P with its process number; standby
    with no lead time on the logind double, then the program ends): the time from the end of sleep,
    seen by a thread waiting for it, to logind's Suspend call. Each run is paired with a 2-second
    countdown of every program given, timed from its end time to Suspend, as the baseline."""
    results = {name: {"countdown": [], "failures": []} for name in kelvaros}
    results["kelvaro"]["program_end"] = []
    for run in range(runs):
        ended: list[float] = []
        sleeper = spawn(["sleep", "3"], world.env())
        waiter = threading.Thread(target=lambda: (sleeper.wait(), ended.append(time.time())))
        waiter.start()
        try:
            _events, suspend = run_to_suspend(world, kelvaros["kelvaro"], ["-A", "-E", "-W0", "-C", f"-P{sleeper.pid}"],
                                              f"program-end-{run}")
        except Unavailable as reason:
            results["kelvaro"]["failures"].append(f"run {run} (program end): {reason}")
            suspend = None
        waiter.join()
        forget(sleeper)
        if suspend is not None and ended:
            results["kelvaro"]["program_end"].append(suspend - ended[0])
            print(f"  run {run + 1}/{runs} kelvaro: Suspend {suspend - ended[0]:.3f} s after sleep ended", flush=True)
        for name, program in kelvaros.items():
            try:
                events, suspend = run_to_suspend(world, program, ["-A", "-E", "-C", "-T-00:00:02"],
                                                 f"program-end-countdown-{name}-{run}")
            except Unavailable as reason:
                results[name]["failures"].append(f"run {run} (countdown): {reason}")
                continue
            if suspend is not None:
                results[name]["countdown"].append(suspend - events["end"][0] / 1000.0)
        time.sleep(0.2)
    return results


# --- the report ------------------------------------------------------------------------------------

def machine() -> dict:
    cpu = "unknown"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            cpu = line.split(":", 1)[1].strip()
            break
    debian = Path("/etc/debian_version").read_text().strip() if Path("/etc/debian_version").exists() else "?"
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"], capture_output=True, text=True).stdout
    return {"cpu": cpu, "cores": os.cpu_count(), "debian": debian, "kernel": platform.release(), "qt": qt,
            "date": datetime.datetime.now().astimezone().isoformat(timespec="seconds")}


def report_startup(programs: list[Program], bare: Program, poll: float) -> dict:
    print(f"\n1. Start-up: process start to main window visible (one look takes {poll * 1000:.2f} ms, "
          f"every {POLL_INTERVAL * 1000:.0f} ms)")
    out = {}
    for program in programs:
        entry = {"startup_s": program.startup, "rss_kb": program.rss, "audio_at_start": program.audio_at_start,
                 "failures": program.failures}
        print(f"  {program.name:10} {spread(program.startup, ' s')}")
        if program is not bare and program.startup and bare.startup:
            pairs = ratios(program.startup, bare.startup)
            entry["ratio_to_bare"] = pairs
            print(f"  {'':10} ratio to bare, pair by pair: {spread(pairs, '', 2)}; "
                  f"ratio of the medians {median(program.startup) / median(bare.startup):.2f}")
        for failure in program.failures:
            print(f"  {'':10} failed: {failure}")
        out[program.name] = entry
    kelvaro = next((p for p in programs if p.name == "kelvaro"), None)
    kshutdown = next((p for p in programs if p.name == "kshutdown"), None)
    if kelvaro and kshutdown and kelvaro.startup and kshutdown.startup:
        pairs = ratios(kelvaro.startup, kshutdown.startup)
        out["kelvaro"]["ratio_to_kshutdown"] = pairs
        print(f"  kelvaro / kshutdown, pair by pair: {spread(pairs, '', 2)}; "
              f"ratio of the medians {median(kelvaro.startup) / median(kshutdown.startup):.2f}")
    print("\n2. Memory: VmRSS one second after the window is visible")
    for program in programs:
        kb = [float(v) for v in program.rss]
        print(f"  {program.name:10} {spread([v / 1024 for v in kb], ' MB', 1)}")
        if program is not bare and kb and bare.rss:
            pairs = ratios(kb, [float(v) for v in bare.rss])
            out[program.name]["rss_ratio_to_bare"] = pairs
            print(f"  {'':10} ratio to bare, pair by pair: {spread(pairs, '', 2)}")
        if any(program.audio_at_start):
            print(f"  {'':10} NOTE: a sound device was open at start in "
                  f"{sum(program.audio_at_start)} of {len(program.audio_at_start)} runs")
    if kelvaro and kshutdown and kelvaro.rss and kshutdown.rss:
        pairs = ratios([float(v) for v in kelvaro.rss], [float(v) for v in kshutdown.rss])
        out["kelvaro"]["rss_ratio_to_kshutdown"] = pairs
        print(f"  kelvaro / kshutdown, pair by pair: {spread(pairs, '', 2)}")
    return out


COST_LABELS = {"kelvaro": "countdown shown", "baseline": "baseline, countdown shown", "bare": "bare, idle",
               "tray": "countdown in the tray", "tray-idle": "in the tray, no run",
               "tray-stopwatch": "stopwatch in the tray"}


def report_cost(cost: dict) -> None:
    names = [name for name in cost if name != "seconds"]
    print(f"\n3. Cost of a run: CPU time and wake-ups over {cost['seconds']:.1f} s of a running countdown, "
          "against the bare window idling at the same time")
    print(f"  {'':28} {'CPU (scheduler)':>24}  {'wake-ups/s main thread':>22}  {'all threads':>11}")
    for name in names:
        entry = cost[name]
        print(f"  {COST_LABELS.get(name, name):28} {entry['cpu_ns'] / 1e6:9.1f} ms = {entry['percent_ns']:.3f} %  "
              f"{entry['wakeups_main_per_s']:22.2f}  {entry['wakeups_all_per_s']:11.2f}")
    b = cost["bare"]
    k = cost["kelvaro"]
    if b["ticks"] and b["cpu_ns"]:
        print(f"  {'':10} ratio kelvaro/bare: {k['ticks'] / b['ticks']:.1f} (clock ticks), "
              f"{k['cpu_ns'] / b['cpu_ns']:.1f} (scheduler time)")
    else:
        print(f"  {'':10} ratio kelvaro/bare: none, the idle bare window used {b['ticks']} ticks "
              f"({b['cpu_ns'] / 1e6:.1f} ms) in the same time")
    if "baseline" in cost and cost["baseline"]["cpu_ns"]:
        print(f"  {'':10} ratio kelvaro/baseline: {k['cpu_ns'] / cost['baseline']['cpu_ns']:.2f} (scheduler time)")
    if k["wakeups_all"]:
        for name in ("tray", "tray-idle", "tray-stopwatch"):
            if name in cost:
                print(f"  {'':10} wake-ups {COST_LABELS[name]} / countdown shown: "
                      f"{cost[name]['wakeups_all'] / k['wakeups_all']:.2f} (all threads)")


def describe_seconds(values) -> str:
    return (f"min {min(values):.3f} s, median {median(values):.3f} s, p90 {quantile(values, 0.9):.3f} s, "
            f"max {max(values):.3f} s; sorted: " + " ".join(f"{v:.3f}" for v in sorted(values)))


def report_lateness(late: dict) -> None:
    print("\n4. Expiry lateness of 2-second countdowns (expiry step minus end time)")
    for name, result in late.items():
        if result["lateness"]:
            print(f"  {name:10} {len(result['lateness'])} runs: {describe_seconds(result['lateness'])}")
        if result["to_suspend"]:
            print(f"  {'':10} logind's Suspend call after the end time: {describe_seconds(result['to_suspend'])}")
        for failure in result["failures"]:
            print(f"  {name:10} failed: {failure}")


def report_clock_time(late: dict) -> None:
    print("\n5. Clock-time runs: logind's Suspend call after the second the run was set for")
    for name, result in late.items():
        if result["to_suspend"]:
            print(f"  {name:10} {len(result['to_suspend'])} runs: {describe_seconds(result['to_suspend'])}")
        for failure in result["failures"]:
            print(f"  {name:10} failed: {failure}")
    if all(late[name]["to_suspend"] for name in late) and "baseline" in late:
        ratio = max(late["kelvaro"]["to_suspend"]) / max(late["baseline"]["to_suspend"])
        print(f"  {'':10} max kelvaro / max baseline: {ratio:.3f}")


def report_program_end(late: dict) -> None:
    print("\n6. Runs that wait for a program: logind's Suspend call after the program ended, against countdowns")
    kelvaro = late["kelvaro"]
    if kelvaro["program_end"]:
        print(f"  {'program end':12} {len(kelvaro['program_end'])} runs: {describe_seconds(kelvaro['program_end'])}")
    for name, result in late.items():
        if result["countdown"]:
            print(f"  {name + ' 2 s':12} {len(result['countdown'])} runs: {describe_seconds(result['countdown'])}")
        for failure in result["failures"]:
            print(f"  {name:12} failed: {failure}")
    for name, result in late.items():
        if kelvaro["program_end"] and result["countdown"]:
            ratio_median = median(kelvaro["program_end"]) / median(result["countdown"])
            ratio_max = max(kelvaro["program_end"]) / max(result["countdown"])
            print(f"  program end / {name} countdown: median {ratio_median:.2f}, max {ratio_max:.2f}")


def report_goals(results: dict) -> None:
    """The goals set for the program, and whether this run met them."""
    print("\nGoals")

    def verdict(name: str, met: bool | None, figure: str) -> None:
        state = "not measured" if met is None else ("met" if met else "MISSED")
        print(f"  {name:52} {state:12} {figure}")

    startup = results.get("startup", {})
    kelvaro = startup.get("kelvaro", {})
    if kelvaro.get("ratio_to_bare"):
        value = median(kelvaro["ratio_to_bare"])
        verdict("start-up within 1.15 x the bare window", value <= 1.15, f"{value:.2f} x (median of pairs)")
    if kelvaro.get("ratio_to_kshutdown"):
        value = median(kelvaro["ratio_to_kshutdown"])
        verdict("start-up faster than kshutdown", value < 1.0, f"{value:.2f} x kshutdown (median of pairs)")
    elif startup:
        verdict("start-up faster than kshutdown", None, "")
    if kelvaro.get("rss_ratio_to_bare"):
        value = median(kelvaro["rss_ratio_to_bare"])
        verdict("memory within 1.12 x the bare window", value <= 1.12, f"{value:.2f} x (median of pairs)")
    if "cost" in results:
        cost = results["cost"]
        value = cost["kelvaro"]["percent_ns"]
        verdict("a run costs under 0.2 % of one core", value < 0.2, f"{value:.3f} % (scheduler time)")
        if "tray" in cost:
            # The event loop's wake-ups; Qt's own D-Bus and X threads are shown beside them.
            # A tick a second gives one more in a window that begins just before one and ends just after.
            value = cost["tray"]["wakeups_main_per_s"]
            verdict("hidden in the tray with a run: at most 1 wake-up a second", value <= 1.0 + 1.0 / cost["seconds"],
                    f"{value:.2f} /s (main thread; all threads {cost['tray']['wakeups_all_per_s']:.2f})")
        if "tray-stopwatch" in cost:
            value = cost["tray-stopwatch"]["wakeups_main_per_s"]
            verdict("hidden in the tray with a stopwatch: at most 1 wake-up a second",
                    value <= 1.0 + 1.0 / cost["seconds"],
                    f"{value:.2f} /s (main thread; all threads {cost['tray-stopwatch']['wakeups_all_per_s']:.2f})")
        if "tray-idle" in cost:
            value = cost["tray-idle"]["wakeups_all_per_s"]
            verdict("hidden in the tray without a run: no wake-ups", value <= 1.0 / cost["seconds"],
                    f"{value:.2f} /s (all threads; bare window idle {cost['bare']['wakeups_all_per_s']:.2f})")
    if results.get("lateness", {}).get("kelvaro", {}).get("to_suspend"):
        value = max(results["lateness"]["kelvaro"]["to_suspend"])
        verdict("a countdown reaches logind within 50 ms of its end", value <= 0.05, f"max {value:.3f} s")
    if results.get("clock_time", {}).get("kelvaro", {}).get("to_suspend"):
        value = max(results["clock_time"]["kelvaro"]["to_suspend"])
        verdict("a clock-time run reaches logind within 50 ms of its second", value <= 0.05, f"max {value:.3f} s")
    if results.get("program_end", {}).get("kelvaro", {}).get("program_end"):
        value = max(results["program_end"]["kelvaro"]["program_end"])
        verdict("a program's end reaches logind within a second", value <= 1.0, f"max {value:.3f} s")


def main() -> int:
    parser = argparse.ArgumentParser(description="kelvaro benchmarks, as ratios against a bare Qt window")
    parser.add_argument("--kelvaro", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--kshutdown", help="path of kshutdown, to add it as a third column")
    parser.add_argument("--baseline", help="a kelvaro built from an earlier commit, measured beside this one in 3-6")
    parser.add_argument("--skip-note", default="", help="why kshutdown is not measured")
    parser.add_argument("--rounds", type=int, default=20, help="counted start-up rounds (default 20)")
    parser.add_argument("--lateness-runs", type=int, default=20)
    parser.add_argument("--quick", action="store_true", help="a smoke run: 10 s of run cost, 3 rounds, 5 expiries")
    parser.add_argument("--only", default="1234567", help="which of the benchmarks 1-7 to run (default all)")
    parser.add_argument("--json", help="write every measured value into this file")
    parser.add_argument("--keep", action="store_true", help="keep the folder with the logs")
    options = parser.parse_args()
    cost_seconds = 10.0 if options.quick else 60.0
    rounds = 3 if options.quick else options.rounds
    lateness_runs = 5 if options.quick else options.lateness_runs

    info = machine()
    print(f"Machine: {info['cpu']}, {info['cores']} cores, Debian {info['debian']}, kernel {info['kernel']}, "
          f"Qt {info['qt']}, {info['date']}")
    results: dict = {"machine": info}
    with World(keep=options.keep) as world:
        print(f"Private display {world.display}, bus and logind double; folder {world.folder}")
        if "1" in options.only or "2" in options.only:
            bare = Program("bare", [options.bare])
            programs = [Program("kelvaro", [options.kelvaro]), bare]
            if options.kshutdown:
                programs.append(Program("kshutdown", [options.kshutdown]))
            print(f"\nStart-up and memory, {rounds} rounds of " + ", ".join(p.name for p in programs) +
                  " in turn (plus one warm-up round)")
            poll = bench_startup(world, programs, rounds)
            results["startup"] = report_startup(programs, bare, poll)
            if not options.kshutdown:
                print(f"  kshutdown  not measured: {options.skip_note or 'not given'}")
        kelvaros = {"kelvaro": options.kelvaro}
        if options.baseline:
            kelvaros["baseline"] = options.baseline
        if "3" in options.only:
            print(f"\nCost of a run: {cost_seconds:g} s")
            results["cost"] = cost = bench_run_cost(world, kelvaros, options.bare, cost_seconds)
            report_cost(cost)
        if "4" in options.only:
            print(f"\nExpiry lateness: {lateness_runs} countdowns of 2 s")
            results["lateness"] = late = bench_lateness(world, kelvaros, lateness_runs)
            report_lateness(late)
        if "5" in options.only:
            print(f"\nClock-time runs: {lateness_runs} runs")
            results["clock_time"] = clock_time = bench_clock_time(world, kelvaros, lateness_runs)
            report_clock_time(clock_time)
        if "6" in options.only:
            print(f"\nRuns that wait for a program: {lateness_runs} runs")
            results["program_end"] = program_end = bench_program_end(world, kelvaros, lateness_runs)
            report_program_end(program_end)
        if "7" in options.only:
            print(f"\nCost of waiting: {cost_seconds:g} s")
            results["wait_cost"] = wait_cost = bench_wait_cost(world, options.kelvaro, cost_seconds)
            report_wait_cost(wait_cost)
    report_goals(results)
    if options.json:
        Path(options.json).write_text(json.dumps(results, indent=1))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Unavailable as problem:
        print(f"bench: {problem}", file=sys.stderr)
        sys.exit(1)
