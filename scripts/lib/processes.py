"""Helper processes for the end-to-end tests and the benchmarks (standard library only).

Every process starts in a process group of its own and dies with the script that started it (a
parent-death signal), and whatever is still running when the script ends is stopped.
"""

from __future__ import annotations

import atexit
import contextlib
import ctypes
import os
import select
import signal
import subprocess
import time
from pathlib import Path

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1

# The processes started and not yet stopped, by pid (the leader of each group).
live: dict[int, subprocess.Popen] = {}


def _in_child() -> None:
    # Should the script be killed outright, its children go with it.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def spawn(argv: list[str], env: dict[str, str], log: Path | None = None, stdout=None, pass_fds=()) -> subprocess.Popen:
    """Starts `argv` in a new process group; stderr (and stdout unless given) go to `log`, or nowhere."""
    sink = open(log, "ab") if log else subprocess.DEVNULL
    try:
        process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL,
                                   stdout=sink if stdout is None else stdout, stderr=sink,
                                   pass_fds=pass_fds, start_new_session=True, preexec_fn=_in_child)
    finally:
        if log:
            sink.close()
    live[process.pid] = process
    return process


def stop(process: subprocess.Popen, grace: float = 3.0) -> None:
    """Ends the process group of `process`: SIGTERM, then SIGKILL after `grace` seconds."""
    if live.pop(process.pid, None) is None:
        return
    with contextlib.suppress(ProcessLookupError):
        os.killpg(process.pid, signal.SIGTERM)
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        with contextlib.suppress(ProcessLookupError):
            os.killpg(process.pid, signal.SIGKILL)
        process.wait()
    if process.stdout:
        process.stdout.close()
    # Whatever the leader started and left behind in its group.
    with contextlib.suppress(ProcessLookupError):
        os.killpg(process.pid, signal.SIGKILL)


def forget(process: subprocess.Popen) -> None:
    """For a process that has ended by itself: reaps it and whatever it left in its group."""
    process.wait()
    live.pop(process.pid, None)
    with contextlib.suppress(ProcessLookupError):
        os.killpg(process.pid, signal.SIGKILL)


@atexit.register
def stop_all() -> None:
    for process in reversed(list(live.values())):
        stop(process, grace=1.0)


def read_line(fd: int, timeout: float, what: str, error: type[Exception] = RuntimeError) -> str:
    """Reads one line from a pipe within `timeout` seconds; raises `error` when none comes."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise error(f"{what} did not answer within {timeout:g} s")
        chunk = os.read(fd, 256)
        if not chunk:
            raise error(f"{what} ended before it answered")
        data += chunk
    return data.decode().strip()


def start_private_bus(folder: Path, timeout: float, error: type[Exception] = RuntimeError) -> tuple[subprocess.Popen, str]:
    """Starts a dbus-daemon of its own that listens in `folder` (its configuration and log go there
    too) and lets every client own any name; returns the process and the bus address."""
    config = folder / "bus.conf"
    config.write_text(
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        f"<busconfig>\n  <type>session</type>\n  <listen>unix:path={folder / 'bus'}</listen>\n"
        "  <auth>EXTERNAL</auth>\n  <policy context=\"default\">\n"
        "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n    <allow eavesdrop=\"true\"/>\n"
        "    <allow own=\"*\"/>\n  </policy>\n</busconfig>\n")
    process = spawn(["dbus-daemon", f"--config-file={config}", "--print-address=1", "--nofork"],
                    os.environ.copy(), folder / "dbus-daemon.log", stdout=subprocess.PIPE)
    return process, read_line(process.stdout.fileno(), timeout, "dbus-daemon", error)
