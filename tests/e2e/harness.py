"""Harness for end-to-end tests of the real kelvaro program.

A `Session` gives one test its own world and always tears it down again: an Xvfb display, a private
dbus-daemon that serves as both session and system bus, dbusmock's logind double on it, private
XDG folders and registry file, and SDL's disk audio driver recording into the session's folder.
`Session.start()` runs the program there; `Program` watches its windows through xdotool.

Every process is started in a process group of its own and dies with the harness (parent-death
signal); groups are stopped in reverse order when the session ends, and once more at exit.

Only the standard library and python3-dbusmock (with its dbus-python) are used.
"""

from __future__ import annotations

import array
import contextlib
import json
import os
import random
import re
import secrets
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Iterable

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts" / "lib"))
from processes import live, read_line, spawn, start_private_bus, stop, stop_all  # noqa: E402

SKIP_RETURN_CODE = 77
POLL_INTERVAL = 0.05
# Stretches every deadline, for very slow machines: KELVARO_E2E_TIME_SCALE=2.
TIME_SCALE = float(os.environ.get("KELVARO_E2E_TIME_SCALE", "1") or "1")

MAIN_CAPTION = "Kelvaro 0.90"
MESSAGE_CAPTION = "Kelvaro Nachrichtenfenster"
ANNOUNCEMENT_CAPTION = "Kelvaro Vorwarnung"
# The logind session the program runs in, as a desktop session names it in the environment.
SESSION_ID = "c1"

FAKETIME_LIBRARY = Path("/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1")
# The desktop language of a session unless a case asks for another: the program speaks German.
GERMAN_DESKTOP = "de_DE.UTF-8"
# Starts the accessibility bus on the session bus, for cases that read the texts of windows.
ACCESSIBILITY_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

AUDIO_RATE = 44100
AUDIO_CHANNELS = 2

# Tools every case needs, with the Debian package that brings each.
REQUIRED_TOOLS = {"Xvfb": "xvfb", "xauth": "xauth", "xdotool": "xdotool", "xprop": "x11-utils",
                  "dbus-daemon": "dbus-daemon", "openbox": "openbox", "weston": "weston"}


class Failure(Exception):
    """An expectation of the test that did not hold."""


class Skip(Exception):
    """An optional part of a test is not available here; the test reports SKIP."""


def check_requirements() -> None:
    """Fails, naming the Debian packages, when a tool the harness needs is missing."""
    missing = [f"{tool} (Debian package {package})" for tool, package in REQUIRED_TOOLS.items()
               if shutil.which(tool) is None]
    try:
        import dbus  # noqa: F401  (dbus-python, installed with python3-dbusmock)
        import dbusmock  # noqa: F401
    except ImportError as error:
        missing.append(f"{error} in {sys.executable} (Debian package python3-dbusmock, for /usr/bin/python3)")
    if missing:
        raise Failure("missing test tools: " + "; ".join(missing) +
                      ". scripts/test installs them, or: apt-get install " +
                      " ".join(sorted(set(REQUIRED_TOOLS.values()))) + " python3-dbusmock")


def note(text: str) -> None:
    """A line for the test's output: what was observed, for the reader of a CTest log."""
    print(f"[e2e] {text}", flush=True)


def wait_until(condition: Callable[[], object], timeout: float, what: str | Callable[[], str],
               interval: float = POLL_INTERVAL):
    """Polls `condition` until it returns something true and returns that; fails after `timeout`
    seconds, naming `what` was awaited (a callable is asked only then)."""
    deadline = time.monotonic() + timeout * TIME_SCALE
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise Failure(f"gave up after {timeout * TIME_SCALE:g} s waiting for {what() if callable(what) else what}")
        time.sleep(interval)


# --- processes ---------------------------------------------------------------------------------

def _read_line(fd: int, timeout: float, what: str) -> str:
    """Reads one line from a pipe within `timeout` seconds (scaled on slow machines)."""
    return read_line(fd, timeout * TIME_SCALE, what, Failure)


# --- the world of one session ------------------------------------------------------------------

@dataclass(frozen=True)
class Window:
    id: str
    name: str


class Display:
    """An Xvfb server on a free display number, with a private authorization cookie."""

    def __init__(self, folder: Path):
        self.folder = folder
        self.authority = folder / "Xauthority"
        self.name = ""
        self.process: subprocess.Popen | None = None
        self.window_manager: subprocess.Popen | None = None

    def start(self) -> None:
        """Starts Xvfb on a free display and checks that the display answers as ours.

        Left to choose a number itself (-displayfd alone), Xvfb races with servers starting at the
        same moment and two may end up on one number. So the number is drawn here from high ones
        that are rarely used; Xvfb's lock file settles a clash, and a lost race is tried again."""
        cookie = secrets.token_hex(16)
        for _attempt in range(10):
            number = random.randrange(100, 1000)
            if Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists():
                continue
            self.name = f":{number}"
            self._xauth("add", self.name, "MIT-MAGIC-COOKIE-1", cookie)
            if self._launch():
                return
        raise Failure("Xvfb found no free display; see xvfb.log")

    def _launch(self) -> bool:
        """Starts Xvfb on `self.name`; false (and the server stopped) when the display was taken."""
        log = self.folder / "xvfb.log"
        read_end, write_end = os.pipe()
        try:
            self.process = spawn(["Xvfb", self.name, "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                  "-nolisten", "tcp", "-auth", str(self.authority),
                                  # Without it the server resets when its last client leaves
                                  # and refuses connections for a moment.
                                  "-noreset"],
                                 os.environ.copy(), log, pass_fds=(write_end,))
            os.close(write_end)
            write_end = -1
            try:
                _read_line(read_end, 20, "Xvfb")  # written once the server takes connections
            except Failure:
                if self.process.poll() is None:
                    raise
        finally:
            os.close(read_end)
            if write_end >= 0:
                os.close(write_end)
        if self.process.poll() is None and "already running" not in log.read_text(errors="replace"):
            answer = self.run("xdotool", "getdisplaygeometry")
            if answer.returncode == 0 and answer.stdout.split() == ["1024", "768"]:
                return True
        stop(self.process)
        return False

    def start_window_manager(self) -> None:
        """Starts Openbox with its default settings, as a desktop without its own shell has it, and
        waits until it manages the screen."""
        self.window_manager = spawn(["openbox", "--sm-disable"], {**os.environ, **self.env()},
                                    self.folder / "openbox.log")

        def managing() -> bool:
            if self.window_manager.poll() is not None:
                raise Failure("openbox ended at once; see openbox.log")
            return "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout
        wait_until(managing, 20, "openbox to manage the screen")

    def active_window(self) -> str:
        """The window the window manager has given the focus (decimal id, as xdotool reports it)."""
        return self.run("xdotool", "getactivewindow").stdout.strip()

    def stacking(self) -> list[str]:
        """The managed windows from bottom to top (decimal ids)."""
        shown = self.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout
        return [str(int(wid, 16)) for wid in re.findall(r"0x[0-9a-f]+", shown)]

    def window_states(self, window_id: str) -> list[str]:
        """The window manager's _NET_WM_STATE atoms of a window."""
        return re.findall(r"_NET_WM_STATE_\w+", self.run("xprop", "-id", window_id, "_NET_WM_STATE").stdout)

    def _xauth(self, *args: str) -> None:
        subprocess.run(["xauth", "-q", "-f", str(self.authority), *args], check=True, timeout=10,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def env(self) -> dict[str, str]:
        return {"DISPLAY": self.name, "XAUTHORITY": str(self.authority)}

    def run(self, *args: str, check: bool = False) -> subprocess.CompletedProcess:
        """Runs an X client (xdotool, import) against this display."""
        return subprocess.run(args, env={**os.environ, **self.env()}, capture_output=True, text=True,
                              timeout=15 * TIME_SCALE, check=check)

    def screenshot(self, path: Path) -> bool:
        """Saves the whole screen when ImageMagick's `import` is installed (it is optional)."""
        if shutil.which("import") is None:
            return False
        return self.run("import", "-window", "root", str(path)).returncode == 0


class Compositor:
    """A headless Weston, the Wayland display of a session without any X server. Screenshots need
    its debug protocols, which --debug offers."""

    def __init__(self, folder: Path):
        self.folder = folder
        self.runtime = folder / "runtime"
        self.name = "kelvaro-wayland-0"
        self.process: subprocess.Popen | None = None

    def start(self) -> None:
        self.runtime.mkdir(mode=0o700, exist_ok=True)
        env = {name: value for name, value in os.environ.items() if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["XDG_RUNTIME_DIR"] = str(self.runtime)
        self.process = spawn(["weston", "--backend=headless-backend.so", f"--socket={self.name}", "--idle-time=0",
                              "--use-pixman", "--debug"], env, self.folder / "weston.log")

        def listening() -> bool:
            if self.process.poll() is not None:
                raise Failure(f"weston ended with {self.process.returncode}; see weston.log")
            return (self.runtime / self.name).exists()
        wait_until(listening, 20, "weston to open its Wayland socket")

    def env(self) -> dict[str, str]:
        return {"WAYLAND_DISPLAY": self.name, "QT_QPA_PLATFORM": "wayland"}

    def screenshot(self, path: Path) -> bool:
        """Saves the whole output with weston-screenshooter (it writes into its working folder)."""
        if shutil.which("weston-screenshooter") is None:
            return False
        before = set(self.folder.glob("wayland-screenshot-*.png"))
        subprocess.run(["weston-screenshooter"], cwd=self.folder, capture_output=True, timeout=15 * TIME_SCALE,
                       env={**os.environ, "XDG_RUNTIME_DIR": str(self.runtime), "WAYLAND_DISPLAY": self.name})
        taken = sorted(set(self.folder.glob("wayland-screenshot-*.png")) - before)
        if not taken:
            return False
        taken[-1].rename(path)
        return True


class Bus:
    """A private dbus-daemon, used as session and system bus; nothing on it is started on demand."""

    def __init__(self, folder: Path):
        self.folder = folder
        self.address = ""
        self.process: subprocess.Popen | None = None
        self._connection = None

    def start(self) -> None:
        self.process, self.address = start_private_bus(self.folder, 20 * TIME_SCALE, Failure)

    def env(self) -> dict[str, str]:
        return {"DBUS_SESSION_BUS_ADDRESS": self.address, "DBUS_SYSTEM_BUS_ADDRESS": self.address}

    def connection(self):
        if self._connection is None:
            import dbus.bus
            self._connection = dbus.bus.BusConnection(self.address)
        return self._connection

    def close(self) -> None:
        if self._connection is not None:
            self._connection.close()
            self._connection = None


def _plain(value):
    """dbus-python values as plain Python values."""
    import dbus
    if isinstance(value, dbus.Boolean):
        return bool(value)
    for kind in (str, int, float):
        if isinstance(value, kind):
            return kind(value)
    if isinstance(value, dict):
        return {_plain(key): _plain(item) for key, item in value.items()}
    if isinstance(value, (list, tuple)):
        return [_plain(item) for item in value]
    return value


class DBusDouble:
    """A python3-dbusmock double on the private bus; `calls()` lists what the program asked of it.

    A subclass names the double's bus name and object path and the arguments of dbusmock that make
    it (a template, or an empty object to which `prepare` adds methods and properties)."""

    NAME = ""
    PATH = ""
    MOCK_INTERFACE = "org.freedesktop.DBus.Mock"

    def __init__(self, bus: Bus, folder: Path, log_name: str):
        self.bus = bus
        self.folder = folder
        self.log_name = log_name
        self.process: subprocess.Popen | None = None

    def arguments(self) -> list[str]:
        raise NotImplementedError

    def prepare(self) -> None:
        """Sets the double up once it is on the bus."""

    def start(self) -> None:
        argv = [sys.executable, "-m", "dbusmock", *self.arguments()]
        self.process = spawn(argv, {**os.environ, **self.bus.env(), "PYTHONDONTWRITEBYTECODE": "1"},
                             self.folder / f"{self.log_name}.log")
        wait_until(self._ready, 20, f"the {self.log_name} double on the private bus")
        self.prepare()

    def _ready(self) -> bool:
        if self.process.poll() is not None:
            raise Failure(f"the {self.log_name} double ended with {self.process.returncode}; see {self.log_name}.log")
        return bool(self.bus.connection().name_has_owner(self.NAME))

    def mock(self):
        """The org.freedesktop.DBus.Mock interface (AddMethod, SetProperty, ClearCalls, ...)."""
        import dbus
        return dbus.Interface(self.bus.connection().get_object(self.NAME, self.PATH), self.MOCK_INTERFACE)

    def calls(self) -> list[tuple[str, list]]:
        """The method calls so far, in order, as (method, arguments)."""
        return [(str(method), _plain(args)) for _stamp, method, args in self.mock().GetCalls()]

    def wait_for_call(self, method: str, timeout: float) -> list:
        """Waits until `method` has been called and returns the arguments of its first call."""
        def found():  # wrapped in a list, so that a call without arguments counts as found
            return next(([args] for name, args in self.calls() if name == method), None)
        return wait_until(found, timeout, f"{self.log_name}'s {method} to be called", interval=0.1)[0]


class LogindMock(DBusDouble):
    """dbusmock's logind template, as system bus service."""

    NAME = "org.freedesktop.login1"
    PATH = "/org/freedesktop/login1"

    def __init__(self, bus: Bus, folder: Path, parameters: dict | None = None):
        super().__init__(bus, folder, "logind")
        self.parameters = parameters

    def arguments(self) -> list[str]:
        return ["--system", "--template", "logind", *(["--parameters", json.dumps(self.parameters)]
                                                      if self.parameters else [])]


class NotificationServer(DBusDouble):
    """dbusmock's notification_daemon template with the given capabilities. `pause()` stops the
    process, so that it takes calls but answers none, until `resume()`."""

    NAME = "org.freedesktop.Notifications"
    PATH = "/org/freedesktop/Notifications"

    def __init__(self, bus: Bus, folder: Path, capabilities: str):
        super().__init__(bus, folder, "notifications")
        self.capabilities = capabilities

    def arguments(self) -> list[str]:
        return ["--session", "--template", "notification_daemon",
                "--parameters", json.dumps({"capabilities": self.capabilities})]

    def notifications(self) -> list[dict]:
        """Each Notify call so far as a dict of its fields."""
        fields = ("app_name", "replaces_id", "app_icon", "summary", "body", "actions", "hints", "expire_timeout")
        return [dict(zip(fields, args)) for name, args in self.calls() if name == "Notify"]

    def closed(self) -> list[int]:
        """The ids the program withdrew, in order."""
        return [args[0] for name, args in self.calls() if name == "CloseNotification"]

    def choose(self, notification_id: int, key: str) -> None:
        """The user chooses an action (key "default": a click on the notification itself)."""
        self.mock().EmitSignal(self.NAME, "ActionInvoked", "us", [notification_id, key])

    def pause(self) -> None:
        os.killpg(self.process.pid, signal.SIGSTOP)

    def resume(self) -> None:
        os.killpg(self.process.pid, signal.SIGCONT)


class SystemdManager(DBusDouble):
    """systemd's user manager on the session bus: it takes unit files and reports one timer as
    active with its next run at 2026-12-08 23:00 UTC."""

    NAME = "org.freedesktop.systemd1"
    PATH = "/org/freedesktop/systemd1"
    MANAGER = "org.freedesktop.systemd1.Manager"
    TIMER = "/org/freedesktop/systemd1/unit/timer"
    NEXT_US = 1796770800000000

    def __init__(self, bus: Bus, folder: Path):
        super().__init__(bus, folder, "systemd")

    def arguments(self) -> list[str]:
        return ["--session", self.NAME, self.PATH, self.MANAGER]

    def prepare(self) -> None:
        import dbus
        mock = self.mock()
        for name, signature_in, signature_out, code in [
                ("Reload", "", "", ""), ("EnableUnitFiles", "asbb", "ba(sss)", "ret = (True, [])"),
                ("DisableUnitFiles", "asb", "a(sss)", "ret = []"), ("StartUnit", "ss", "o", "ret = '/job/1'"),
                ("StopUnit", "ss", "o", "ret = '/job/2'"), ("GetUnit", "s", "o", f"ret = '{self.TIMER}'")]:
            mock.AddMethod(self.MANAGER, name, signature_in, signature_out, code)
        mock.AddObject(self.TIMER, "org.freedesktop.systemd1.Timer",
                       {"NextElapseUSecRealtime": dbus.UInt64(self.NEXT_US)}, [])
        dbus.Interface(self.bus.connection().get_object(self.NAME, self.TIMER), self.MOCK_INTERFACE).AddProperty(
            "org.freedesktop.systemd1.Unit", "ActiveState", "active")


class TrayWatcher(DBusDouble):
    """A StatusNotifierWatcher with a host registered, as Plasma and GNOME's AppIndicator extension
    offer it: Qt then shows its icon as a StatusNotifierItem and exports the menu over DBusMenu."""

    NAME = "org.kde.StatusNotifierWatcher"
    PATH = "/StatusNotifierWatcher"
    ITEM_PATH = "/StatusNotifierItem"

    def __init__(self, bus: Bus, folder: Path):
        super().__init__(bus, folder, "watcher")

    def arguments(self) -> list[str]:
        return ["--session", self.NAME, self.PATH, self.NAME]

    def prepare(self) -> None:
        import dbus
        mock = self.mock()
        mock.AddProperty(self.NAME, "IsStatusNotifierHostRegistered", dbus.Boolean(True))
        mock.AddProperty(self.NAME, "ProtocolVersion", dbus.Int32(0))
        mock.AddMethod(self.NAME, "RegisterStatusNotifierItem", "s", "", "")

    def item(self, timeout: float) -> str:
        """The bus name of the item the program registered last (it registers anew when shown again)."""
        def registered():
            names = [args[0] for name, args in self.calls() if name == "RegisterStatusNotifierItem"]
            return names[-1] if names else None
        return wait_until(registered, timeout, "the program to register its StatusNotifierItem")

    def _item(self, item: str, interface: str, path: str = ITEM_PATH):
        import dbus
        return dbus.Interface(self.bus.connection().get_object(item, path), interface)

    def _menu(self, item: str):
        path = str(self._item(item, "org.freedesktop.DBus.Properties").Get("org.kde.StatusNotifierItem", "Menu"))
        if path == "/NO_DBUSMENU":
            raise Failure("the StatusNotifierItem exports no menu")
        return self._item(item, "com.canonical.dbusmenu", path)

    def menu(self, item: str) -> list[tuple[int, str, bool]]:
        """The exported menu read through DBusMenu: (id, label without mnemonics, enabled) for each
        entry, with "-" as the label of a separator."""
        import dbus
        _revision, (_root, _props, children) = self._menu(item).GetLayout(0, -1, dbus.Array([], signature="s"))
        return [(int(entry), "-" if props.get("type") == "separator" else str(props.get("label")).replace("_", ""),
                 bool(props.get("enabled", True))) for entry, props, _children in children]

    def click(self, item: str, label: str) -> None:
        """Clicks the menu entry with this label, as a host does."""
        import dbus
        entry = next((e for e in self.menu(item) if e[1] == label), None)
        if entry is None:
            raise Failure(f"no menu entry {label!r}")
        self._menu(item).Event(entry[0], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0))

    def request_menu(self, item: str) -> None:
        """What a host sends on a right click when it does not show the exported menu itself."""
        self._item(item, "org.kde.StatusNotifierItem").ContextMenu(10, 10)


def regedit4(default: dict | None, presets: Iterable[dict] = ()) -> str:
    """The text of a registry file: the default set and numbered presets (values: int or str)."""
    def value(name: str, content) -> str:
        if isinstance(content, bool) or isinstance(content, int):
            return f"\"{name}\"=dword:{int(content):08x}"
        if any(ord(c) < 0x20 for c in content):
            return f"\"{name}\"=hex(1):" + ",".join(f"{b:02x}" for b in content.encode() + b"\0")
        return "\"{}\"=\"{}\"".format(name, content.replace("\\", "\\\\").replace("\"", "\\\""))

    root = "HKEY_CURRENT_USER\\Software\\Kelvaro"
    sections = [(root, default or {})] + [(f"{root}\\{n:03d}", p) for n, p in enumerate(presets, start=1)]
    lines = ["REGEDIT4", ""]
    for key, values in sections:
        lines += [f"[{key}]", *(value(name, content) for name, content in values.items()), ""]
    return "\n".join(lines)


# --- audio ---------------------------------------------------------------------------------------

@dataclass(frozen=True)
class Tone:
    start: float  # seconds from the start of the recording
    duration: float  # seconds
    frequency: float  # Hz, from the zero crossings

    def __str__(self) -> str:
        return f"{self.duration * 1000:.0f} ms at {self.frequency:.0f} Hz from {self.start:.3f} s"


def read_mono(path: Path) -> array.array:
    """The recording (signed 16 bit, interleaved stereo) mixed down to one channel."""
    samples = array.array("h")
    data = path.read_bytes() if path.exists() else b""
    frame = 2 * AUDIO_CHANNELS
    samples.frombytes(data[:len(data) - len(data) % frame])
    if sys.byteorder != "little":
        samples.byteswap()
    return array.array("h", ((left + right) // 2 for left, right in zip(samples[0::2], samples[1::2])))


def find_tones(samples: array.array, rate: int = AUDIO_RATE, window_ms: float = 1.0, level: float = 0.5,
               floor: int = 500) -> list[Tone]:
    """Stretches where the level in 1 ms windows is at least `level` times the loudest window.

    Tones that follow each other without a pause are told apart by their fade-out and fade-in,
    where the level dips below half for a few milliseconds."""
    size = max(1, int(rate * window_ms / 1000))
    peaks = [max(max(part), -min(part)) for part in
             (samples[i:i + size] for i in range(0, len(samples) - size + 1, size))]
    loudest = max(peaks, default=0)
    if loudest < floor:
        return []
    tones, start = [], None
    for index, peak in enumerate(peaks + [0]):
        if peak >= loudest * level and start is None:
            start = index
        elif peak < loudest * level and start is not None:
            first, end = start * size, index * size
            tones.append(Tone(first / rate, (end - first) / rate, _frequency(samples, first, end, rate)))
            start = None
    return tones


def _frequency(samples: array.array, first: int, end: int, rate: int) -> float:
    """Frequency from the rising zero crossings between `first` and `end` (interpolated)."""
    crossings = []
    for i in range(first + 1, end):
        before, after = samples[i - 1], samples[i]
        if before < 0 <= after:
            crossings.append(i - 1 + (-before) / (after - before))
    if len(crossings) < 2:
        return 0.0
    return (len(crossings) - 1) * rate / (crossings[-1] - crossings[0])


# --- the program ---------------------------------------------------------------------------------

class Program:
    """The running program: its windows as xdotool sees them, every caption seen, its exit."""

    def __init__(self, session: Session, process: subprocess.Popen):
        self.session = session
        self.process = process
        self.pid = process.pid
        self.captions_seen: list[str] = []

    def windows(self) -> list[Window]:
        """The program's visible windows; records every caption seen."""
        found = self.session.display.run("xdotool", "search", "--onlyvisible", "--pid", str(self.pid))
        windows = []
        for wid in found.stdout.split():
            name = self.session.display.run("xdotool", "getwindowname", wid)
            if name.returncode == 0:  # the window may have gone in between
                windows.append(Window(wid, name.stdout.rstrip("\n")))
        for window in windows:
            if window.name not in self.captions_seen:
                self.captions_seen.append(window.name)
        return windows

    def running(self) -> bool:
        return self.process.poll() is None

    def wait_for_window(self, caption: str | re.Pattern, timeout: float) -> Window:
        """Waits for a visible window with this caption (exact text, or a pattern that must match)."""
        def match(name: str) -> bool:
            return name == caption if isinstance(caption, str) else bool(caption.fullmatch(name))

        def found():
            self.expect_running()
            return next((w for w in self.windows() if match(w.name)), None)
        shown = caption if isinstance(caption, str) else caption.pattern
        return wait_until(found, timeout, lambda: f"a window captioned {shown!r} (seen: {self.captions_seen})")

    def wait_gone(self, window: Window, timeout: float) -> None:
        wait_until(lambda: window.id not in {w.id for w in self.windows()}, timeout, f"window {window.name!r} to go")

    def press(self, window: Window, key: str) -> None:
        """Gives `window` the keyboard focus and types `key` (there is no window manager to do it)."""
        self.session.display.run("xdotool", "windowfocus", window.id)
        self.session.display.run("xdotool", "key", "--clearmodifiers", key)

    def answer(self, window: Window, key: str = "Return", timeout: float = 10) -> None:
        """Answers a box by a key press, repeated until the box has gone."""
        def gone() -> bool:
            if window.id not in {w.id for w in self.windows()}:
                return True
            self.press(window, key)
            return False
        wait_until(gone, timeout, f"box {window.name!r} to close on {key}", interval=0.5)

    def texts(self, window: Window, timeout: float) -> list[str]:
        """The texts shown in `window` (labels, buttons and the like), read over the accessibility bus
        of a session started with accessibility=True; waits until the window is there."""
        script = Path(__file__).resolve().parent / "accessible.py"

        def read():
            self.expect_running()
            result = subprocess.run(["/usr/bin/python3", "-B", str(script), window.name],
                                    env={**os.environ, **self.session.env()}, capture_output=True, text=True,
                                    timeout=15 * TIME_SCALE)
            if result.returncode != 0:
                raise Failure(f"reading window {window.name!r} over the accessibility bus failed:\n{result.stderr}")
            return json.loads(result.stdout) or None
        return wait_until(read, timeout, f"the texts of window {window.name!r} on the accessibility bus",
                          interval=0.25)

    def saw_caption(self, caption: re.Pattern) -> bool:
        return any(caption.fullmatch(name) for name in self.captions_seen)

    def expect_running(self) -> None:
        if not self.running():
            raise Failure(f"the program ended with exit code {self.process.returncode}; see program.log")

    def wait_exit(self, timeout: float) -> int:
        """Waits for the program to end by itself and returns its exit code."""
        wait_until(lambda: not self.running(), timeout, "the program to end by itself")
        return self.process.returncode


class Session(contextlib.AbstractContextManager):
    """One test's private world: display, bus with logind double, folders, registry, audio file.

    The display is Xvfb, with Openbox managing it when `window_manager` is set, or with `wayland` a
    headless Weston and no X server at all. `notifications` (the server's capabilities, for example
    "actions body body-markup") puts a notification server double on the session bus, `tray_watcher`
    a StatusNotifierWatcher with a host. `language` is the desktop's LANG (no other locale setting is
    passed on); with `accessibility` the session runs the accessibility bus and the program shows its
    windows on it, so that Program.texts() can read them.

    The folder is removed after a passing test and kept (with logs and a screenshot) after a failing one."""

    def __init__(self, program: str, name: str, logind: dict | None = None, notifications: str | None = None,
                 tray_watcher: bool = False, window_manager: bool = False, wayland: bool = False,
                 language: str = GERMAN_DESKTOP, accessibility: bool = False, systemd: bool = False):
        self.program_path = program
        self.name = name
        self.language = language
        self.accessibility = accessibility
        self.folder = Path(tempfile.mkdtemp(prefix=f"kelvaro-e2e-{name}-"))
        self.registry = self.folder / "registry.reg"
        self.audio = self.folder / "out.raw"
        # The moments of the program's runs (KELVARO_TRACE_RUN), as its own clock tells them.
        self.trace = self.folder / "run-trace.txt"
        self.faketime = self.folder / "faketime"
        self.display = Display(self.folder)
        self.compositor = Compositor(self.folder) if wayland else None
        self.window_manager = window_manager
        self.bus = Bus(self.folder)
        self.logind = LogindMock(self.bus, self.folder, logind)
        self.notifications = NotificationServer(self.bus, self.folder, notifications) if notifications else None
        self.watcher = TrayWatcher(self.bus, self.folder) if tray_watcher else None
        self.systemd = SystemdManager(self.bus, self.folder) if systemd else None
        self.programs: list[Program] = []
        self._processes_before = set(live)

    def __enter__(self) -> Session:
        try:
            if self.compositor:
                self.compositor.start()
            else:
                self.display.start()
                if self.window_manager:
                    self.display.start_window_manager()
            self.bus.start()
            for double in self.doubles():
                double.start()
            if self.accessibility:
                self._start_accessibility_bus()
            shown = f"Wayland {self.compositor.name}" if self.compositor else f"display {self.display.name}"
            note(f"{self.name}: {shown}, bus {self.bus.address}, folder {self.folder}")
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def __exit__(self, kind, error, trace) -> None:
        signal.alarm(0)  # the case's time budget must not cut the cleaning up short
        if kind is not None:
            with contextlib.suppress(Exception):
                self._diagnose(error)
        self.bus.close()
        for pid in reversed([pid for pid in live if pid not in self._processes_before]):
            stop(live[pid])
        report = self._sanitizer_report()
        if kind is None and report:
            print(f"[e2e] {self.name}: the program's log holds a sanitizer report:\n{report}", file=sys.stderr)
            print(f"[e2e] kept the session folder for diagnosis: {self.folder}", file=sys.stderr)
            raise Failure("a sanitizer reported an error in the program (see program.log)")
        if kind is None:
            shutil.rmtree(self.folder, ignore_errors=True)
        else:
            print(f"[e2e] kept the session folder for diagnosis: {self.folder}", file=sys.stderr)

    def doubles(self) -> list[DBusDouble]:
        return [double for double in (self.logind, self.notifications, self.watcher, self.systemd) if double]

    def _sanitizer_report(self) -> str:
        """What AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer wrote into the program's
        log (a program built with them; a leak is reported when the program ends by itself)."""
        log = self.folder / "program.log"
        if not log.exists():
            return ""
        lines = log.read_text(encoding="utf-8", errors="replace").splitlines()
        markers = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")
        for index, line in enumerate(lines):
            if any(marker in line for marker in markers):
                return "\n".join(lines[index:index + 40])
        return ""

    def _start_accessibility_bus(self) -> None:
        if not os.access(ACCESSIBILITY_BUS_LAUNCHER, os.X_OK):
            raise Failure(f"{ACCESSIBILITY_BUS_LAUNCHER} is missing (Debian package at-spi2-core)")
        self.start_helper([ACCESSIBILITY_BUS_LAUNCHER, "--launch-immediately"], "at-spi-bus-launcher.log")
        wait_until(lambda: self.bus.connection().name_has_owner("org.a11y.Bus"), 20,
                   "the accessibility bus to start (see at-spi-bus-launcher.log)")

    def write_registry(self, default: dict | None, presets: Iterable[dict] = ()) -> None:
        """Writes the stored default set (and presets) the program will read."""
        self.registry.write_text(regedit4(default, presets), encoding="utf-8")

    def env(self) -> dict[str, str]:
        """The environment of programs in the session: nothing of the desktop the test runs in. The
        language is the session's own: LANG alone, so that the program's language never depends on the
        machine that runs the tests."""
        passed = ("PATH", "LC_CTYPE", "TZ", "USER", "LOGNAME",
                  "LD_LIBRARY_PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS")
        env = {name: os.environ[name] for name in passed if name in os.environ}
        env["LANG"] = self.language
        if "ASAN_OPTIONS" in env:
            # libxkbcommon-x11 hands strndup key names from X replies that carry no final zero byte;
            # strict string checks would take that bounded read for an overflow.
            env["ASAN_OPTIONS"] += ":strict_string_checks=0"
            if self.compositor:
                # Mesa's EGL driver, loaded under Wayland, is built without frame pointers: only the
                # slow unwinder reaches the frames by which its allocations are known as its own.
                env["ASAN_OPTIONS"] += ":fast_unwind_on_malloc=0"
        for name in ("home", "runtime", "config", "data", "cache"):
            (self.folder / name).mkdir(mode=0o700, exist_ok=True)
        env.update(self.compositor.env() if self.compositor else {**self.display.env(), "QT_QPA_PLATFORM": "xcb"})
        env.update(self.bus.env())
        env.update({
            "HOME": str(self.folder / "home"),
            "XDG_RUNTIME_DIR": str(self.folder / "runtime"),
            "XDG_CONFIG_HOME": str(self.folder / "config"),
            "XDG_DATA_HOME": str(self.folder / "data"),
            "XDG_CACHE_HOME": str(self.folder / "cache"),
            "KELVARO_REGISTRY": str(self.registry),
            "XDG_SESSION_ID": SESSION_ID,
            "NO_AT_BRIDGE": "1",
            # Recorded in real time: without a delay the driver writes silence as fast as it can.
            "SDL_AUDIODRIVER": "disk",
            "SDL_DISKAUDIOFILE": str(self.audio),
            "KELVARO_TRACE_RUN": str(self.trace),
        })
        if self.accessibility:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return env

    def start(self, *args: str, faked_clock: bool = False) -> Program:
        """Starts the program with these arguments (each one argv element, given as is). With
        `faked_clock` its clocks run through libfaketime, and jump_clock() moves them."""
        env = self.env()
        if faked_clock:
            if not FAKETIME_LIBRARY.exists():
                raise Failure(f"{FAKETIME_LIBRARY} is missing (Debian package libfaketime)")
            self.faketime.write_text("+0\n")
            env.update({"LD_PRELOAD": str(FAKETIME_LIBRARY), "FAKETIME_TIMESTAMP_FILE": str(self.faketime),
                        "FAKETIME_NO_CACHE": "1"})
        process = spawn([self.program_path, *args], env, self.folder / "program.log")
        program = Program(self, process)
        self.programs.append(program)
        return program

    def command(self, *args: str) -> subprocess.CompletedProcess:
        """Runs the program as a command from a terminal with no display (over ssh, say), to its end."""
        env = {name: value for name, value in self.env().items() if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
        return subprocess.run([self.program_path, *args], env=env, capture_output=True, text=True,
                              timeout=20 * TIME_SCALE)

    def jump_clock(self, offset: str) -> None:
        """Sets a program started with a faked clock `offset` ahead of the real time ("+10m"): its
        wall clock and its monotonic clock jump, as after a suspend of that length."""
        self.faketime.write_text(offset + "\n")

    def trace_events(self) -> list[tuple[str, int]]:
        """The run trace: (event, milliseconds since the epoch), in order."""
        events = []
        if self.trace.exists():
            for line in self.trace.read_text().splitlines():
                name, _, stamp = line.partition(" ")
                if stamp.lstrip("-").isdigit():
                    events.append((name, int(stamp)))
        return events

    def start_helper(self, argv: list[str], log_name: str) -> subprocess.Popen:
        """Starts another program on the session's display and bus (a notification area host, say);
        it is stopped with the session."""
        return spawn(argv, self.env(), self.folder / log_name)

    def tones(self) -> list[Tone]:
        return find_tones(read_mono(self.audio))

    def wait_for_tones(self, count: int, timeout: float, silence_after: float = 0.1) -> list[Tone]:
        """Waits until the recording holds `count` tones and the last has ended."""
        def complete():
            tones = self.tones()
            length = self.audio.stat().st_size / (2 * AUDIO_CHANNELS * AUDIO_RATE) if self.audio.exists() else 0
            if len(tones) >= count and length - (tones[-1].start + tones[-1].duration) >= silence_after:
                return tones
            return None
        return wait_until(complete, timeout, f"{count} tones in the recording", interval=0.25)

    def _diagnose(self, error) -> None:
        out = sys.stderr
        print(f"[e2e] {self.name} failed: {error}", file=out)
        for program in self.programs:
            print(f"[e2e] program pid {program.pid}: running={program.running()} "
                  f"exit={program.process.returncode} captions seen={program.captions_seen}", file=out)
            if program.running():
                with contextlib.suppress(Exception):
                    print(f"[e2e] visible windows now: {program.windows()}", file=out)
        helpers = [("Xvfb", self.display.process), ("openbox", self.display.window_manager),
                   ("weston", self.compositor.process if self.compositor else None),
                   ("dbus-daemon", self.bus.process)] + [(f"{d.log_name} double", d.process) for d in self.doubles()]
        for label, helper in helpers:
            if helper is not None and helper.poll() is not None:
                print(f"[e2e] {label} has ended, exit code {helper.returncode}", file=out)
        if self.notifications:
            self.notifications.resume()  # a paused server would not answer the question for its calls
        for double in self.doubles():
            with contextlib.suppress(Exception):
                print(f"[e2e] {double.log_name} calls: {double.calls()}", file=out)
        with contextlib.suppress(Exception):
            print("[e2e] tones recorded: " + ("; ".join(map(str, self.tones())) or "none"), file=out)
        with contextlib.suppress(Exception):
            print(f"[e2e] run trace: {self.trace_events()}", file=out)
        logs = ["program.log", "xvfb.log", "openbox.log", "weston.log", "dbus-daemon.log", "at-spi-bus-launcher.log"]
        for log in logs + [f"{d.log_name}.log" for d in self.doubles()]:
            path = self.folder / log
            if path.exists() and path.stat().st_size:
                text = path.read_text(errors="replace")[-4000:]
                print(f"[e2e] --- {log} (end) ---\n{text}", file=out)
        shot = self.folder / "screenshot.png"
        if self.compositor and self.compositor.screenshot(shot) or self.display.name and self.display.screenshot(shot):
            print(f"[e2e] screenshot: {shot}", file=out)
        else:
            print("[e2e] no screenshot (ImageMagick's `import`, package imagemagick, is optional)", file=out)


# --- running one case from CTest --------------------------------------------------------------------

CASES: dict[str, tuple[Callable[[str], None], int]] = {}


def case(budget: int):
    """Registers a test case; it fails when it runs longer than `budget` seconds (keep CTest's
    TIMEOUT above it, so that the harness, not CTest, stops the processes)."""
    def register(function: Callable[[str], None]):
        CASES[function.__name__] = (function, budget)
        return function
    return register


class _Interrupted(BaseException):
    pass


def main(argv: list[str] | None = None) -> int:
    """Command line: --program PATH CASE (or --list). Exit code 0 passed, 1 failed, 77 skipped."""
    import argparse
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", help="path of the kelvaro program")
    parser.add_argument("case", nargs="?", choices=sorted(CASES))
    parser.add_argument("--list", action="store_true", help="list the cases")
    options = parser.parse_args(argv)
    if options.list or not options.case:
        print("\n".join(sorted(CASES)))
        return 0 if options.list else 2
    function, budget = CASES[options.case]

    def over_budget(_signum, _frame):
        raise Failure(f"the case ran longer than its budget of {budget * TIME_SCALE:g} s")

    def interrupted(signum, _frame):
        raise _Interrupted(f"interrupted by signal {signum}")

    signal.signal(signal.SIGALRM, over_budget)
    signal.signal(signal.SIGTERM, interrupted)
    signal.signal(signal.SIGHUP, interrupted)
    started = time.monotonic()
    try:
        check_requirements()
        if not options.program or not os.access(options.program, os.X_OK):
            raise Failure(f"no program to test at {options.program!r}")
        signal.alarm(max(1, int(budget * TIME_SCALE)))
        function(options.program)
    except Skip as reason:
        print(f"[e2e] {options.case}: SKIP: {reason}")
        return SKIP_RETURN_CODE
    except Failure as reason:
        print(f"[e2e] {options.case}: FAILED after {time.monotonic() - started:.1f} s: {reason}", file=sys.stderr)
        return 1
    except _Interrupted as reason:
        print(f"[e2e] {options.case}: {reason}", file=sys.stderr)
        return 1
    except Exception:
        traceback.print_exc()
        return 1
    finally:
        signal.alarm(0)
        stop_all()
    print(f"[e2e] {options.case}: passed in {time.monotonic() - started:.1f} s")
    return 0
