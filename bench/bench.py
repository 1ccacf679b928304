"""Benchmarks of kelvaro against a bare Qt 6 window (and kshutdown when given), measured side by side
in one run on a private Xvfb display and D-Bus:

1. start-up: from starting the process to its main window being mapped, rounds interleaved;
2. memory: VmRSS one second after the window is visible;
3. cost of a run: CPU time of a running countdown against the bare window idling at the same time;
4. expiry lateness: how late 2-second countdowns expire, from the program's KELVARO_TRACE_RUN lines.

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


def bench_run_cost(world: World, kelvaro: str, bare: str, seconds: float) -> dict:
    """kelvaro counting down (2 minutes, started by -A) and the bare window idling, at the same time;
    CPU time of each over `seconds` from the moment the run started."""
    trace = world.folder / "cost-trace.txt"
    bare_process = spawn([bare], world.env(), world.folder / "cost-bare.log")
    kelvaro_process = spawn([kelvaro, "-A", "-Mx", "-T-00:02:00"], world.env(KELVARO_TRACE_RUN=str(trace)),
                            world.folder / "cost-kelvaro.log")
    try:
        for process in (bare_process, kelvaro_process):
            wait_visible(world, process, time.monotonic())
        wait_for(lambda: "start" in read_trace(trace), 10, "the countdown to start")
        processes = {"kelvaro": kelvaro_process, "bare": bare_process}
        first = {name: (cpu_ticks(p.pid), cpu_ns(p.pid)) for name, p in processes.items()}
        begun = time.monotonic()
        time.sleep(seconds)
        last = {name: (cpu_ticks(p.pid), cpu_ns(p.pid)) for name, p in processes.items()}
        elapsed = time.monotonic() - begun
        for name, process in processes.items():
            if process.poll() is not None:
                raise Unavailable(f"{name} ended during the measurement")
        if "expiry" in read_trace(trace):
            raise Unavailable("the countdown expired during the measurement")
    finally:
        stop(kelvaro_process)
        stop(bare_process)
    result = {"seconds": elapsed}
    for name in processes:
        ticks = last[name][0] - first[name][0]
        nanoseconds = last[name][1] - first[name][1]
        result[name] = {"ticks": ticks, "cpu_s": ticks / CLK_TCK, "cpu_ns": nanoseconds,
                        "percent_ticks": 100.0 * ticks / CLK_TCK / elapsed,
                        "percent_ns": 100.0 * nanoseconds / 1e9 / elapsed}
    return result


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


def bench_lateness(world: World, kelvaro: str, runs: int) -> dict:
    """Countdowns of two seconds that suspend (logind double) and close the program; per run the time
    from the run's end time to the expiry step, and to logind's Suspend call."""
    lateness, to_suspend, failures = [], [], []
    for run in range(runs):
        trace = world.folder / f"lateness-{run}.txt"
        suspends_before = len(logind_calls(world, "Suspend"))
        process = spawn([kelvaro, "-A", "-E", "-C", "-T-00:00:02"], world.env(KELVARO_TRACE_RUN=str(trace)),
                        world.folder / f"lateness-{run}.log")
        try:
            process.wait(20)
            forget(process)
        except subprocess.TimeoutExpired:
            failures.append(f"run {run}: the program did not end within 20 s")
            stop(process)
            continue
        events = read_trace(trace)
        if not all(events.get(name) for name in ("start", "end", "expiry")):
            failures.append(f"run {run}: incomplete trace {events}")
            continue
        late = (events["expiry"][0] - events["end"][0]) / 1000.0
        lateness.append(late)
        suspends = logind_calls(world, "Suspend")[suspends_before:]
        if suspends:
            to_suspend.append(suspends[0] - events["end"][0] / 1000.0)
        else:
            failures.append(f"run {run}: no Suspend call")
        print(f"  run {run + 1}/{runs}: expiry {late:.3f} s after the end time", flush=True)
        time.sleep(0.2)
    return {"lateness": lateness, "to_suspend": to_suspend, "failures": failures}


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


def report_cost(cost: dict) -> None:
    k, b = cost["kelvaro"], cost["bare"]
    print(f"\n3. Cost of a run: CPU time over {cost['seconds']:.1f} s of a running countdown, "
          "against the bare window idling at the same time")
    for name, entry in (("kelvaro", k), ("bare", b)):
        print(f"  {name:10} {entry['cpu_s']:.2f} s in clock ticks = {entry['percent_ticks']:.3f} % of one core; "
              f"scheduler: {entry['cpu_ns'] / 1e6:.1f} ms = {entry['percent_ns']:.3f} % of one core")
    if b["ticks"] and b["cpu_ns"]:
        print(f"  {'':10} ratio kelvaro/bare: {k['ticks'] / b['ticks']:.1f} (clock ticks), "
              f"{k['cpu_ns'] / b['cpu_ns']:.1f} (scheduler time)")
    else:
        print(f"  {'':10} ratio kelvaro/bare: none, the idle bare window used {b['ticks']} ticks "
              f"({b['cpu_ns'] / 1e6:.1f} ms) in the same time")


def report_lateness(late: dict) -> None:
    values = late["lateness"]
    print(f"\n4. Expiry lateness of 2-second countdowns (expiry step minus end time), {len(values)} runs")
    if values:
        print(f"  min {min(values):.3f} s, median {median(values):.3f} s, p90 {quantile(values, 0.9):.3f} s, "
              f"max {max(values):.3f} s; sorted: " + " ".join(f"{v:.3f}" for v in sorted(values)))
    if late["to_suspend"]:
        s = late["to_suspend"]
        print(f"  logind's Suspend call after the end time: min {min(s):.3f} s, median {median(s):.3f} s, "
              f"max {max(s):.3f} s")
    for failure in late["failures"]:
        print(f"  failed: {failure}")


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
        verdict("start-up within 1.3 x the bare window", value <= 1.3, f"{value:.2f} x (median of pairs)")
    if kelvaro.get("ratio_to_kshutdown"):
        value = median(kelvaro["ratio_to_kshutdown"])
        verdict("start-up faster than kshutdown", value < 1.0, f"{value:.2f} x kshutdown (median of pairs)")
    elif startup:
        verdict("start-up faster than kshutdown", None, "")
    if kelvaro.get("rss_ratio_to_bare"):
        value = median(kelvaro["rss_ratio_to_bare"])
        verdict("memory within 1.3 x the bare window", value <= 1.3, f"{value:.2f} x (median of pairs)")
    if "cost" in results:
        value = results["cost"]["kelvaro"]["percent_ns"]
        verdict("a run costs under 0.2 % of one core", value < 0.2, f"{value:.3f} % (scheduler time)")
    if results.get("lateness", {}).get("lateness"):
        value = max(results["lateness"]["lateness"])
        verdict("expiry never later than 1.1 s", value <= 1.1, f"max {value:.3f} s")


def main() -> int:
    parser = argparse.ArgumentParser(description="kelvaro benchmarks, as ratios against a bare Qt window")
    parser.add_argument("--kelvaro", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--kshutdown", help="path of kshutdown, to add it as a third column")
    parser.add_argument("--skip-note", default="", help="why kshutdown is not measured")
    parser.add_argument("--rounds", type=int, default=20, help="counted start-up rounds (default 20)")
    parser.add_argument("--lateness-runs", type=int, default=20)
    parser.add_argument("--quick", action="store_true", help="a smoke run: 10 s of run cost, 3 rounds, 5 expiries")
    parser.add_argument("--only", default="1234", help="which of the benchmarks 1-4 to run (default all)")
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
        if "3" in options.only:
            print(f"\nCost of a run: {cost_seconds:g} s")
            results["cost"] = cost = bench_run_cost(world, options.kelvaro, options.bare, cost_seconds)
            report_cost(cost)
        if "4" in options.only:
            print(f"\nExpiry lateness: {lateness_runs} countdowns of 2 s")
            results["lateness"] = late = bench_lateness(world, options.kelvaro, lateness_runs)
            report_lateness(late)
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
