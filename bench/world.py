"""A private world for the benchmarks: an Xvfb display, a private dbus-daemon serving as session and
system bus, dbusmock's logind double on it, and private HOME / XDG folders and settings file.

Every process is started in a process group of its own, dies with this script (parent-death signal)
and is stopped again when the world is left. Standard library only; the logind double runs as its
own process under /usr/bin/python3 (python3-dbusmock).
"""

from __future__ import annotations

import contextlib
import ctypes
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "scripts" / "lib"))
from processes import forget, read_line, spawn, start_private_bus, stop, stop_all  # noqa: E402,F401 (forget: for bench.py)


class Unavailable(Exception):
    """Something the benchmark needs could not be set up."""


def _read_line(fd: int, timeout: float, what: str) -> str:
    return read_line(fd, timeout, what, Unavailable)


class World(contextlib.AbstractContextManager):
    """Display, bus, logind double and folders; `env()` is the environment of a benchmarked program."""

    def __init__(self, keep: bool = False):
        self.folder = Path(tempfile.mkdtemp(prefix="kelvaro-bench-"))
        self.keep = keep
        self.display = ""
        self.bus_address = ""
        self.logind_log = self.folder / "logind-calls.log"
        self._x: XDisplay | None = None

    def __enter__(self) -> World:
        try:
            self._start_display()
            self._start_bus()
            self._start_logind()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc) -> None:
        if self._x is not None:
            self._x.close()
            self._x = None
        stop_all()
        if not self.keep:
            shutil.rmtree(self.folder, ignore_errors=True)

    # Xvfb on a display number drawn from rarely used high ones; its lock file settles a clash.
    def _start_display(self) -> None:
        for _attempt in range(10):
            number = random.randrange(100, 1000)
            if Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists():
                continue
            log = self.folder / "xvfb.log"
            read_end, write_end = os.pipe()
            try:
                # -noreset: without it the server resets whenever its last client leaves.
                process = spawn(["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp", "-noreset"], os.environ.copy(), log, pass_fds=(write_end,))
                os.close(write_end)
                write_end = -1
                with contextlib.suppress(Unavailable):
                    _read_line(read_end, 20, "Xvfb")
            finally:
                os.close(read_end)
                if write_end >= 0:
                    os.close(write_end)
            if process.poll() is None and "already running" not in log.read_text(errors="replace"):
                self.display = f":{number}"
                return
            stop(process)
        raise Unavailable("Xvfb found no free display")

    def _start_bus(self) -> None:
        _, self.bus_address = start_private_bus(self.folder, 20, Unavailable)

    def _start_logind(self) -> None:
        env = {**os.environ, **self._bus_env(), "PYTHONDONTWRITEBYTECODE": "1"}
        process = spawn(["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind",
                         "--logfile", str(self.logind_log)], env, self.folder / "logind-mock.log")
        deadline = time.monotonic() + 20
        while not self._has_owner("org.freedesktop.login1"):
            if process.poll() is not None or time.monotonic() > deadline:
                raise Unavailable(f"the logind double did not start; see {self.folder / 'logind-mock.log'}")
            time.sleep(0.05)

    def start_tray_watcher(self) -> None:
        """A StatusNotifierWatcher with a host registered on the session bus, as Plasma offers it: a
        program can then hide its window in the notification area. Started only for the benchmarks that
        need it, so that the start-up of the others is measured without a notification area."""
        if self._has_owner("org.kde.StatusNotifierWatcher"):
            return
        name, path = "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"
        env = {**os.environ, **self._bus_env(), "PYTHONDONTWRITEBYTECODE": "1"}
        process = spawn(["/usr/bin/python3", "-m", "dbusmock", "--session", name, path, name], env,
                        self.folder / "tray-watcher.log")
        deadline = time.monotonic() + 20
        while not self._has_owner(name):
            if process.poll() is not None or time.monotonic() > deadline:
                raise Unavailable(f"the tray watcher double did not start; see {self.folder / 'tray-watcher.log'}")
            time.sleep(0.05)
        mock = ["dbus-send", f"--bus={self.bus_address}", "--print-reply", f"--dest={name}", path]
        for call in (["org.freedesktop.DBus.Mock.AddProperty", f"string:{name}", "string:IsStatusNotifierHostRegistered",
                      "variant:boolean:true"],
                     ["org.freedesktop.DBus.Mock.AddProperty", f"string:{name}", "string:ProtocolVersion",
                      "variant:int32:0"],
                     ["org.freedesktop.DBus.Mock.AddMethod", f"string:{name}", "string:RegisterStatusNotifierItem",
                      "string:s", "string:", "string:"]):
            subprocess.run(mock + call, capture_output=True, check=True, timeout=10)

    def _has_owner(self, name: str) -> bool:
        answer = subprocess.run(["dbus-send", f"--bus={self.bus_address}", "--print-reply", "--dest=org.freedesktop.DBus",
                                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
                                capture_output=True, text=True, timeout=10)
        return answer.returncode == 0 and "boolean true" in answer.stdout

    def _bus_env(self) -> dict[str, str]:
        return {"DBUS_SESSION_BUS_ADDRESS": self.bus_address, "DBUS_SYSTEM_BUS_ADDRESS": self.bus_address}

    def env(self, **extra: str) -> dict[str, str]:
        """The environment of a benchmarked program: nothing of the desktop this script runs in, and no
        stored settings (an empty private settings file, so no run starts by itself)."""
        passed = ("PATH", "LANG", "LANGUAGE", "LC_ALL", "TZ", "USER", "LOGNAME")
        env = {name: os.environ[name] for name in passed if name in os.environ}
        for name in ("home", "runtime", "config", "data", "cache"):
            (self.folder / name).mkdir(mode=0o700, exist_ok=True)
        env.update(self._bus_env())
        env.update({
            "DISPLAY": self.display,
            "HOME": str(self.folder / "home"),
            "XDG_RUNTIME_DIR": str(self.folder / "runtime"),
            "XDG_CONFIG_HOME": str(self.folder / "config"),
            "XDG_DATA_HOME": str(self.folder / "data"),
            "XDG_CACHE_HOME": str(self.folder / "cache"),
            "KELVARO_REGISTRY": str(self.folder / "registry.reg"),
            "QT_QPA_PLATFORM": "xcb",
        })
        env.update(extra)
        return env

    def visible_windows(self, pid: int) -> list[int]:
        """The ids of the process's visible (viewable) top-level windows."""
        if self._x is None:
            self._x = XDisplay(self.display)
        return self._x.visible_windows(pid)


# --- looking at windows ----------------------------------------------------------------------------

class _XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


_IS_VIEWABLE = 2
_XA_CARDINAL = 6
_X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class XDisplay:
    """A connection to the X server through libX11, to find a process's visible windows the way
    `xdotool search --onlyvisible --pid` does (viewable, with that _NET_WM_PID), but in well under a
    millisecond: starting xdotool itself takes tens of milliseconds on a busy machine, too coarse to
    time a start-up of a tenth of a second. Without a window manager, top-level windows are the
    children of the root window."""

    def __init__(self, name: str):
        x = self._lib = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_XWindowAttributes)]
        x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                         ctypes.c_long, ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x.XSetErrorHandler.argtypes = [_X_ERROR_HANDLER]
        # A window may go between listing and asking about it; Xlib's default handler would exit.
        self._ignore = _X_ERROR_HANDLER(lambda _display, _event: 0)
        x.XSetErrorHandler(self._ignore)
        self._display = x.XOpenDisplay(name.encode())
        if not self._display:
            raise Unavailable(f"cannot open X display {name}")
        self._root = x.XDefaultRootWindow(self._display)
        self._pid_atom = x.XInternAtom(self._display, b"_NET_WM_PID", 0)

    def close(self) -> None:
        if self._display:
            self._lib.XCloseDisplay(self._display)
            self._display = None

    def _pid_of(self, window: int) -> int | None:
        kind, form, count, after = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = self._lib.XGetWindowProperty(self._display, window, self._pid_atom, 0, 1, 0, _XA_CARDINAL,
                                              ctypes.byref(kind), ctypes.byref(form), ctypes.byref(count),
                                              ctypes.byref(after), ctypes.byref(data))
        try:
            if status != 0 or not data.value or count.value < 1 or form.value != 32:
                return None
            return ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0]  # format 32 comes as C longs
        finally:
            if data.value:
                self._lib.XFree(data)

    def visible_windows(self, pid: int) -> list[int]:
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        if not self._lib.XQueryTree(self._display, self._root, ctypes.byref(root), ctypes.byref(parent),
                                    ctypes.byref(children), ctypes.byref(count)):
            return []
        try:
            windows = [children[i] for i in range(count.value)]
        finally:
            if children:
                self._lib.XFree(children)
        found = []
        for window in windows:
            attributes = _XWindowAttributes()
            if not self._lib.XGetWindowAttributes(self._display, window, ctypes.byref(attributes)):
                continue
            if attributes.map_state == _IS_VIEWABLE and self._pid_of(window) == pid:
                found.append(window)
        return found
