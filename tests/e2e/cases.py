"""End-to-end cases: the real kelvaro program on a virtual display, with a logind double and recorded audio.

Run one case: /usr/bin/python3 -B cases.py --program build/src/kelvaro message_timer
A new case is a function decorated with @case(budget=...) taking the program's path, plus its
name in KELVARO_E2E_CASES in CMakeLists.txt (CTest runs each as e2e.<name>).
"""

import contextlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ET
from datetime import datetime
from pathlib import Path

from harness import (ANNOUNCEMENT_CAPTION, MAIN_CAPTION, MESSAGE_CAPTION, SESSION_ID, TIME_SCALE, Failure, Session,
                     Skip, Window, case, main, note, spawn, stop, wait_until)

# How long the program may take for what it does in a moment on an idle machine: showing a window,
# reaching the next step. Generous, because the machine running the tests may be busy.
SHOW = 20
STEP = 10
# The main window idle, or counting already when it is first seen: -A starts the run at the first
# clock tick, which may come before a busy machine lets the test see the window.
MAIN_WINDOW = re.compile(r"Kelvaro 0\.90(  \[.*\])?")


def expect(condition: bool, message: str) -> None:
    if not condition:
        raise Failure(message)


def stored_set(**values) -> dict:
    """A complete stored default set: countdown 0:00:00, message action, no sound; `values` override."""
    stored = {"Name": "E2E", "Aktion": 0, "ZeitMode": 0, "Zeit_Stunden": 0, "Zeit_Minuten": 0, "Zeit_Sekunden": 0,
              "SofortStart": 0, "ClosePgm": 0, "Minimize": 0, "Force": 0, "SoundMode": 0, "AnzBeeps": 3,
              "SoundFile": "", "Nachricht": ""}
    stored.update(values)
    return stored


def counting(seconds: int) -> re.Pattern:
    """The caption of a running countdown of at most `seconds` (< 10) seconds."""
    return re.compile(rf"Kelvaro 0\.90  \[00:00:0[0-{seconds}]\]")


def holds_open(pid: int, path: Path) -> bool:
    """Whether the process has the file open."""
    for descriptor in Path(f"/proc/{pid}/fd").iterdir():
        with contextlib.suppress(OSError):
            if Path(os.readlink(descriptor)) == path:
                return True
    return False


def method_names(calls) -> list[str]:
    return [name for name, _args in calls]


# --- timer and expiry ----------------------------------------------------------------------------

@case(budget=50)
def message_timer(program: str) -> None:
    """A message countdown from the command line: counting caption, three beeps, the message window."""
    with Session(program, "message_timer") as session:
        # One argv element with the double quotes in it: the program removes them itself.
        kelvaro = session.start("-A", "-B", '-M"Tee ist fertig"', "-T-00:00:03")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        kelvaro.wait_for_window(MESSAGE_CAPTION, SHOW)
        expect(kelvaro.saw_caption(counting(3)),
               f"no counting caption like 'Kelvaro 0.90  [00:00:02]' was seen: {kelvaro.captions_seen}")
        expect("Error" not in kelvaro.captions_seen, "the command line was refused")

        tones = session.wait_for_tones(3, STEP)
        expect(len(tones) == 3, "expected three beeps, recorded: " + "; ".join(map(str, tones)))
        for tone in tones:
            expect(0.12 <= tone.duration <= 0.18, f"a beep should last about 150 ms: {tone}")
            expect(1850 <= tone.frequency <= 1950, f"a beep should sound at about 1900 Hz: {tone}")
        note("beeps recorded: " + "; ".join(map(str, tones)))
        total = sum(tone.duration for tone in tones)
        expect(0.40 <= total <= 0.50, f"about 450 ms of tone in all, recorded {total:.3f} s")
        # A few seconds after the beeps nothing holds the audio output: the recording stops growing.
        wait_until(lambda: not holds_open(kelvaro.pid, session.audio), STEP, "the program to close the audio output")
        kelvaro.expect_running()


@case(budget=40)
def restart_timer(program: str) -> None:
    """The stored default set starts a restart countdown by itself; logind is asked to reboot."""
    with Session(program, "restart_timer") as session:
        session.write_registry(stored_set(Aktion=2, Zeit_Sekunden=2, SofortStart=1))
        kelvaro = session.start()
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        kelvaro.wait_for_window(counting(2), STEP)
        # Expected about three seconds after the window appears; the deadline only bounds a hang.
        expect(session.logind.wait_for_call("Reboot", STEP) == [False], "Reboot must be called without interaction")
        calls = method_names(session.logind.calls())
        expect(calls.index("CanReboot") < calls.index("Reboot"), f"CanReboot must be asked first: {calls}")
        # The program stays, idle again.
        kelvaro.wait_for_window(MAIN_CAPTION, STEP)
        kelvaro.expect_running()


@case(budget=40)
def standby_close(program: str) -> None:
    """Standby with "close after the action": logind suspends, then the program ends by itself."""
    with Session(program, "standby_close") as session:
        kelvaro = session.start("-E", "-A", "-C", "-T-00:00:02")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        expect(session.logind.wait_for_call("Suspend", STEP) == [False], "Suspend must be called without interaction")
        code = kelvaro.wait_exit(STEP)
        expect(code == 0, f"the program should end with exit code 0, not {code}")


REPORT_CAPTION = "Kelvaro: Aktion nicht ausgeführt"


@case(budget=50)
def refused_standby_report(program: str) -> None:
    """A standby with "close after the action" that logind refuses: the report window and its critical
    notification appear and the program stays; "Erneut versuchen" once logind is mended suspends, and
    then the program ends."""
    with Session(program, "refused_standby_report", notifications=NOTIFICATION_SERVER) as session:
        manager = "org.freedesktop.login1.Manager"
        session.logind.mock().AddMethod(manager, "Suspend", "b", "", 'raise dbus.exceptions.DBusException('
                                        '"verweigert", name="org.freedesktop.DBus.Error.AccessDenied")')
        kelvaro = session.start("-E", "-A", "-C", "-T-00:00:02")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        session.logind.wait_for_call("Suspend", STEP)
        refused = time.monotonic()
        kelvaro.wait_for_window(REPORT_CAPTION, STEP)
        note(f"report window {time.monotonic() - refused:.2f} s after the refused Suspend was seen")

        def reported():
            shown = session.notifications.notifications()
            return next(((number, fields) for number, fields in enumerate(shown, 1)
                         if fields["summary"] == "Der Rechner wurde nicht in den Standby versetzt."), None)
        number, fields = wait_until(reported, STEP, "the notification of the report")
        expect(fields["body"] == "Sie haben keine Berechtigung dazu.", f"the reason in plain words: {fields}")
        expect(fields["hints"].get("urgency") == 2, f"the report should be critical: {fields}")
        expect(fields["actions"] == ["erneut", "Erneut versuchen", "schliessen", "Schließen"],
               f"retry and close, no forcing for a missing permission: {fields}")
        time.sleep(1)  # with -C, a program that took the failure for a success would be gone by now
        kelvaro.expect_running()

        session.logind.mock().AddMethod(manager, "Suspend", "b", "", "")
        session.notifications.choose(number, "erneut")
        wait_until(lambda: method_names(session.logind.calls()).count("Suspend") == 2, STEP, "a second Suspend")
        code = kelvaro.wait_exit(STEP)
        expect(code == 0, f"after the standby the program should end with exit code 0, not {code}")
        expect(number in session.notifications.closed(), "the report's notification should be withdrawn")


@case(budget=50)
def refused_command_line(program: str) -> None:
    """Two actions on the command line: the error box, then the stored default set is in force."""
    with Session(program, "refused_command_line") as session:
        session.write_registry(stored_set(Name="Gespeichert", Zeit_Sekunden=2, SofortStart=1,
                                          Nachricht="Gespeicherte Vorgabe"))
        kelvaro = session.start("-S", "-R")
        box = kelvaro.wait_for_window("Error", SHOW)
        kelvaro.answer(box)
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        # The stored set (message in two seconds, started by itself) runs, not the refused shutdown.
        kelvaro.wait_for_window(MESSAGE_CAPTION, SHOW)
        expect(kelvaro.saw_caption(counting(2)), f"no counting caption was seen: {kelvaro.captions_seen}")
        calls = method_names(session.logind.calls())
        expect(not {"PowerOff", "Reboot", "Halt"} & set(calls), f"the refused command line acted: {calls}")


@case(budget=50)
def english_desktop(program: str) -> None:
    """On an English desktop the refused command line's error box and the message window of the stored
    set that runs instead are in English (their texts read over the accessibility bus)."""
    with Session(program, "english_desktop", language="en_US.UTF-8", accessibility=True) as session:
        session.write_registry(stored_set(Zeit_Sekunden=2, SofortStart=1, Nachricht="Tea is ready"))
        kelvaro = session.start("-S", "-R")
        box = kelvaro.wait_for_window("Error", SHOW)
        shown = kelvaro.texts(box, STEP)
        expect(any(text.startswith("One or more parameters are invalid") for text in shown) and "OK" in shown,
               f"the error box should explain the refusal in English: {shown}")
        kelvaro.answer(box)
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        message = kelvaro.wait_for_window("Kelvaro Message", SHOW)
        shown = kelvaro.texts(message, STEP)
        expect("Time's up!" in shown and "Tea is ready" in shown, f"the message window should be in English: {shown}")


@case(budget=50)
def message_timer_by_hand(program: str) -> None:
    """A new user's first timer: three seconds, a message, start; beeps and the message follow.

    The fresh program's defaults are the message action with three beeps, so the user only types the
    seconds and the message. Places are in the window's own pixels (no window manager, no frame)."""
    with Session(program, "message_timer_by_hand") as session:
        kelvaro = session.start()
        main_window = kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        display = session.display

        def click(x: int, y: int) -> None:
            display.run("xdotool", "mousemove", "--window", main_window.id, str(x), str(y), "click", "1")

        def keys(*names: str) -> None:
            display.run("xdotool", "windowfocus", main_window.id)
            display.run("xdotool", "key", "--clearmodifiers", *names)

        click(348, 124)                 # the seconds field: a click on its "0" selects it
        keys("3")
        click(58, 176)                  # open the settings: the page "Aktion" comes first
        keys("alt+c")                   # "Na&chricht eingeben:" leads to the message field
        display.run("xdotool", "type", "--delay", "20", "Tee ist fertig")
        click(16, 176)                  # save: shows that the entries reached the options

        def saved() -> bool:
            stored = session.registry.read_text(encoding="utf-8") if session.registry.exists() else ""
            return '"Nachricht"="Tee ist fertig"' in stored and '"Zeit_Sekunden"=dword:00000003' in stored
        wait_until(saved, STEP, "the typed time and message to be saved in the registry file")
        click(148, 176)                 # "Start"
        kelvaro.wait_for_window(counting(3), SHOW)
        kelvaro.wait_for_window(MESSAGE_CAPTION, SHOW)
        tones = session.wait_for_tones(3, STEP)
        expect(len(tones) == 3, "expected three beeps, recorded: " + "; ".join(map(str, tones)))


@case(budget=40)
def poweroff_challenge(program: str) -> None:
    """Shutdown where logind wants authentication: the request is sent as interactive."""
    with Session(program, "poweroff_challenge", logind={"CanPowerOff": "challenge"}) as session:
        kelvaro = session.start("-S", "-A", "-T-00:00:01")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        expect(session.logind.wait_for_call("PowerOff", STEP) == [True],
               "PowerOff must be called with interaction allowed after CanPowerOff answered 'challenge'")
        calls = method_names(session.logind.calls())
        expect(calls.index("CanPowerOff") < calls.index("PowerOff"), f"CanPowerOff must be asked first: {calls}")
        kelvaro.expect_running()


# --- hibernate, lock, and the end of a program ------------------------------------------------------

@case(budget=40)
def hibernate_and_lock(program: str) -> None:
    """-H hibernates (CanHibernate first, no interaction); -V locks the program's own session, after
    which the program goes on, here to end by -C."""
    with Session(program, "hibernate_and_lock") as session:
        kelvaro = session.start("-A", "-H", "-T-00:00:02")
        expect(session.logind.wait_for_call("Hibernate", SHOW) == [False], "Hibernate must be called without interaction")
        calls = method_names(session.logind.calls())
        expect(calls.index("CanHibernate") < calls.index("Hibernate"), f"CanHibernate must be asked first: {calls}")
        kelvaro.expect_running()
        stop(kelvaro.process)

        locker = session.start("-A", "-V", "-C", "-T-00:00:01")
        expect(session.logind.wait_for_call("LockSession", SHOW) == [SESSION_ID], "LockSession of the own session")
        code = locker.wait_exit(STEP)
        expect(code == 0, f"with -C the program should end with exit code 0, not {code}")


def sleep_copy(session: Session) -> str:
    """A copy of sleep under a name no other process has, in the session's folder; its path."""
    copy = session.folder / f"kvs{os.getpid() % 100000}"
    shutil.copy(shutil.which("sleep"), copy)
    return str(copy)


@case(budget=50)
def program_end(program: str) -> None:
    """-P with a process number shows the message once that process has ended, not before; a stored
    set that waits for a program by name locks the session once no process of that name is left."""
    with Session(program, "program_end") as session:
        sleeper = session.start_helper(["sleep", "30"], "sleep.log")
        kelvaro = session.start("-A", "-Mfertig", f"-P{sleeper.pid}")
        kelvaro.wait_for_window(f"Kelvaro 0.90  [wartet auf sleep ({sleeper.pid})]", SHOW)
        ended = time.time() * 1000
        stop(sleeper)
        kelvaro.wait_for_window(MESSAGE_CAPTION, STEP)
        expiry = events(session, "expiry")[-1]
        expect(expiry >= ended, f"the message came at {expiry}, before the program was ended at {ended:.0f}")
        note(f"message {expiry - ended:.0f} ms after the program was told to end")
        stop(kelvaro.process)

        copy = sleep_copy(session)
        name = Path(copy).name
        first, second = (session.start_helper([copy, "30"], f"{n}.log") for n in ("first", "second"))
        session.write_registry(stored_set(Aktion=6, ZeitMode=3, Programm=name, SofortStart=1, ClosePgm=1))
        locker = session.start()
        locker.wait_for_window(f"Kelvaro 0.90  [wartet auf {name}]", SHOW)
        stop(first)
        last = time.time() * 1000
        stop(second)
        expect(session.logind.wait_for_call("LockSession", STEP) == [SESSION_ID], "LockSession of the own session")
        expiry = events(session, "expiry")[-1]
        expect(expiry >= last, f"locked at {expiry}, before the last {name} was ended at {last:.0f}")
        code = locker.wait_exit(STEP)
        expect(code == 0, f"with ClosePgm the program should end with exit code 0, not {code}")


@case(budget=50)
def inactivity_shutdown(program: str) -> None:
    """-I: the shutdown comes once no input has arrived for 3 s, announced a second before; a mouse
    move in between starts the 3 s again."""
    with Session(program, "inactivity_shutdown") as session:
        kelvaro = session.start("-A", "-S", "-W1", "-I00:00:03")
        kelvaro.wait_for_window("Kelvaro 0.90  [wartet auf Inaktivität]", SHOW)
        time.sleep(1)
        session.display.run("xdotool", "mousemove", "40", "40", check=True)
        moved = time.time() * 1000
        expect(session.logind.wait_for_call("PowerOff", STEP) is not None, "PowerOff after 3 s without input")
        expiry = events(session, "expiry")[-1]
        expect(expiry >= moved + 2900, f"shut down {expiry - moved:.0f} ms after the mouse moved, not 3 s")
        note(f"shut down {expiry - moved:.0f} ms after the last input")


@case(budget=50)
def quiet_message(program: str) -> None:
    """-Q: the message waits while busy loops keep every core busy, and comes about 3 s after they end."""
    with Session(program, "quiet_message") as session:
        busy = [session.start_helper(["sh", "-c", "while :; do :; done"], f"busy{n}.log")
                for n in range(os.cpu_count() or 1)]
        kelvaro = session.start("-A", "-Mfertig", "-Q00:00:03,80,0")
        kelvaro.wait_for_window("Kelvaro 0.90  [wartet auf Leerlauf]", SHOW)
        time.sleep(5)
        expect(not events(session, "expiry"), "the message came while the processor was busy")
        for loop in busy:
            stop(loop)
        ended = time.time() * 1000
        kelvaro.wait_for_window(MESSAGE_CAPTION, STEP)
        expiry = events(session, "expiry")[-1]
        expect(expiry >= ended + 1900, f"the message came {expiry - ended:.0f} ms after the load ended")
        note(f"message {expiry - ended:.0f} ms after the load ended")


# --- announcement of a power action ----------------------------------------------------------------

NOTIFICATION_ACTIONS = ["abbrechen", "Abbrechen", "spaeter", "5 Minuten später"]
NOTIFICATION_SERVER = "actions body body-markup"
# The buttons of the announcement window, in its own pixels.
WINDOW_CANCEL = (90, 80)
WINDOW_POSTPONE = (210, 80)


class Announced:
    """An announcement the program made: a notification on the double, or its own window."""

    def __init__(self, session: Session, kelvaro, notification: tuple[int, dict] | None = None,
                 window: Window | None = None):
        self.session, self.kelvaro = session, kelvaro
        self.notification, self.window = notification, window

    def describe(self) -> str:
        return f"notification {self.notification}" if self.notification else f"window {self.window}"

    def choose(self, key: str) -> None:
        """The user chooses "abbrechen" or "spaeter"."""
        if self.notification:
            self.session.notifications.choose(self.notification[0], key)
        else:
            x, y = WINDOW_CANCEL if key == "abbrechen" else WINDOW_POSTPONE
            self.session.display.run("xdotool", "mousemove", "--window", self.window.id, str(x), str(y),
                                     "click", "1")

    def wait_withdrawn(self) -> None:
        if self.notification:
            wait_until(lambda: self.notification[0] in self.session.notifications.closed(), STEP,
                       f"CloseNotification for {self.notification[0]}")
        else:
            self.kelvaro.wait_gone(self.window, STEP)


def wait_for_announcement(session: Session, kelvaro, after: int = 0) -> Announced:
    """Waits for an announcement after the first `after` notifications: through the notification
    double when the program uses it, else the program's own window."""
    def found():
        kelvaro.expect_running()
        if session.notifications:
            # The double numbers the notifications from 1 in the order they come.
            shown = session.notifications.notifications()
            if len(shown) > after:
                return Announced(session, kelvaro, notification=(after + 1, shown[after]))
        window = next((w for w in kelvaro.windows() if w.name == ANNOUNCEMENT_CAPTION), None)
        return Announced(session, kelvaro, window=window) if window else None
    announced = wait_until(found, SHOW, "an announcement (a notification or the announcement window)")
    note("announced: " + announced.describe())
    if announced.notification:
        fields = announced.notification[1]
        expect(fields["app_name"] == "Kelvaro", f"the notification's app name should be Kelvaro: {fields}")
        expect(fields["summary"] == "Herunterfahren", f"unexpected summary: {fields}")
        expect(re.fullmatch(r"um \d\d:\d\d:\d\d", fields["body"]), f"the body names the clock time: {fields}")
        expect(fields["actions"] == NOTIFICATION_ACTIONS, f"exactly the two actions are offered: {fields}")
        expect(fields["hints"].get("urgency") == 2, f"the notification should be critical: {fields}")
    return announced


def events(session: Session, name: str) -> list[int]:
    return [stamp for event, stamp in session.trace_events() if event == name]


@case(budget=40)
def announced_shutdown(program: str) -> None:
    """A shutdown timer with a lead time of 3 s, left alone: announced about 3 s before its end (as a
    notification when a server is there), PowerOff at the end, the announcement withdrawn."""
    with Session(program, "announced_shutdown", notifications=NOTIFICATION_SERVER) as session:
        kelvaro = session.start("-S", "-A", "-W3", "-T-00:00:06")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        announced = wait_for_announcement(session, kelvaro)
        expect(session.logind.wait_for_call("PowerOff", STEP) == [False], "PowerOff must be called without interaction")
        announced.wait_withdrawn()
        end, announcement = events(session, "end")[0], events(session, "announcement")[0]
        expiry = events(session, "expiry")[0]
        # By the program's own clock: announced inside the lead time, carried out at (not before) the end.
        expect(end - 3000 <= announcement < end, f"announced at {announcement}, the end is {end}")
        expect(expiry >= end, f"carried out at {expiry}, before the end {end}")
        kelvaro.expect_running()


def announcement_choices(program: str, name: str, notifications: bool) -> None:
    """Both choices of the announcement: "5 Minuten später" moves the end 300 s on (and, with a lead
    time longer than what is left, the announcement stays and names the new end), "Abbrechen" stops:
    PowerOff never comes."""
    with Session(program, name, notifications=NOTIFICATION_SERVER if notifications else None) as session:
        kelvaro = session.start("-S", "-A", "-W400", "-T-00:00:05")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        first = wait_for_announcement(session, kelvaro)
        if not notifications:
            expect(first.window is not None, "without a notification server the program's own window announces")
        first.choose("spaeter")
        kelvaro.wait_for_window(re.compile(r"Kelvaro 0\.90  \[00:05:0[0-9]\]"), STEP)
        ends = events(session, "end")
        # The first end may have moved by the moment the server took the notification.
        expect(ends[-1] - ends[-2] == 300_000, f"the end should move 300 s: {session.trace_events()}")
        if first.notification:
            # The same notification, in its place, with the new clock time.
            def replaced():
                return next((n for n in session.notifications.notifications()[1:]
                             if n["replaces_id"] == first.notification[0]), None)
            fields = wait_until(replaced, STEP, "the notification to be replaced")
            expect(fields["body"] != first.notification[1]["body"], f"the new end should be named: {fields}")
        first.choose("abbrechen")
        kelvaro.wait_for_window(MAIN_CAPTION, STEP)  # the caption of an idle window: stopped
        first.wait_withdrawn()
        # Past the first end and a little more: nothing is carried out.
        wait_until(lambda: time.time() * 1000 > ends[0] + 1500, STEP, "the first end to pass")
        calls = method_names(session.logind.calls())
        expect("PowerOff" not in calls, f"a cancelled run was carried out: {calls}")
        kelvaro.expect_running()


@case(budget=50)
def announcement_choices_notification(program: str) -> None:
    """The choices through the notification double's ActionInvoked, when the program notifies."""
    announcement_choices(program, "announcement_choices_notification", notifications=True)


@case(budget=50)
def announcement_choices_window(program: str) -> None:
    """The choices in the program's own window, on a desktop without a notification server."""
    announcement_choices(program, "announcement_choices_window", notifications=False)


@case(budget=40)
def announcement_withdrawn_on_term(program: str) -> None:
    """`kill -TERM` during an announcement: the program ends as "Beenden" ends it, its notification is
    withdrawn before it has gone, and no action follows."""
    with Session(program, "announcement_withdrawn_on_term", notifications=NOTIFICATION_SERVER) as session:
        kelvaro = session.start("-S", "-A", "-W10", "-T-00:00:04")
        kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        announced = wait_for_announcement(session, kelvaro)
        os.kill(kelvaro.pid, signal.SIGTERM)
        code = kelvaro.wait_exit(STEP)
        expect(code == 0, f"the program should end as by Beenden, with exit code 0, not {code}")
        expect(announced.notification[0] in session.notifications.closed(),
               f"the notification should be closed before the program has gone: {session.notifications.calls()}")
        end = events(session, "end")[-1]
        wait_until(lambda: time.time() * 1000 > end + 1500, STEP, "the end to pass")
        calls = method_names(session.logind.calls())
        expect("PowerOff" not in calls, f"a run ended by SIGTERM was carried out: {calls}")


@case(budget=50)
def clock_jump_shutdown(program: str) -> None:
    """The clock jumps ten minutes past the end of a shutdown timer (as after a suspend): the shutdown
    is announced then and carried out only when the lead time has run out."""
    if Path(program).read_bytes().find(b"__asan_init") >= 0:
        # Both intercept clock_gettime, and the program then never starts; the g++ build runs this case.
        raise Skip("libfaketime cannot run a program built with AddressSanitizer")
    with Session(program, "clock_jump_shutdown", notifications=NOTIFICATION_SERVER) as session:
        kelvaro = session.start("-S", "-A", "-W3", "-T-00:00:20", faked_clock=True)
        kelvaro.wait_for_window(re.compile(r"Kelvaro 0\.90  \[00:00:1[0-9]\]"), SHOW)
        session.jump_clock("+10m")
        announced = wait_for_announcement(session, kelvaro)
        expect(session.logind.wait_for_call("PowerOff", STEP) == [False], "PowerOff must come after the lead time")
        announced.wait_withdrawn()
        ends, announcement = events(session, "end"), events(session, "announcement")[0]
        expiry = events(session, "expiry")[0]
        trace = session.trace_events()
        expect(announcement > ends[0] + 500_000, f"the announcement should come after the jump: {trace}")
        # A lead time past the announcement, and past the moment the server took it.
        expect(announcement + 3000 <= ends[-1] <= announcement + 5000,
               f"the end should move a lead time past the announcement: {trace}")
        expect(expiry >= ends[-1], f"carried out at {expiry}, before the moved end {ends[-1]}")


# --- notification area ---------------------------------------------------------------------------

TRAYER = ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "120",
          "--height", "32", "--expand", "false", "--SetDockType", "true"]


def geometry(session: Session, window_id: str) -> dict[str, int]:
    """Position and size of a window on the screen (xdotool's --shell output)."""
    shown = session.display.run("xdotool", "getwindowgeometry", "--shell", window_id)
    values = dict(line.split("=", 1) for line in shown.stdout.split() if "=" in line)
    return {key: int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT") if key in values}


@case(budget=50)
def tray_minimise(program: str) -> None:
    """With a notification area host, minimising puts the icon in it; a click brings the window back."""
    with Session(program, "tray_minimise") as session:
        session.start_helper(TRAYER, "trayer.log")
        # -K minimises the program when the run starts, which moves it into the notification area.
        kelvaro = session.start("-MTee", "-K", "-A", "-T-00:05:00")

        def icon_only():
            kelvaro.expect_running()
            windows = kelvaro.windows()
            if any(w.name.startswith("Kelvaro 0.90") for w in windows) or len(windows) != 1:
                return None
            return windows[0]
        icon = wait_until(icon_only, SHOW, "only the notification-area icon to be shown")
        placed = geometry(session, icon.id)
        # trayer sits at the top right edge of the 1024 pixels wide screen and embeds the icon there.
        expect(placed.get("Y", 999) < 40 and placed.get("X", 0) > 1024 - 130 and placed.get("WIDTH", 99) <= 40,
               f"the icon should sit in the notification area at the top right: {placed}")

        session.display.run("xdotool", "mousemove", "--window", icon.id, "6", "6", "click", "1")
        kelvaro.wait_for_window(re.compile(r"Kelvaro 0\.90  \[00:0[45]:[0-5][0-9]\]"), SHOW)
        wait_until(lambda: icon.id not in {w.id for w in kelvaro.windows()}, STEP, "the icon to go away on restore")


@case(budget=70)
def tray_message(program: str) -> None:
    """While the message window is open, the notification-area icon still works: a click closes the
    message and, with -C, ends the program; "Anzeigen" from its menu closes it and shows the window."""
    with Session(program, "tray_message") as session:
        session.start_helper(TRAYER, "trayer.log")
        for close_program, button in ((True, "1"), (False, "3")):
            arguments = ["-Mhallo", "-T-00:00:02", "-K", "-A"] + (["-C"] if close_program else [])
            kelvaro = session.start(*arguments)
            message = kelvaro.wait_for_window(MESSAGE_CAPTION, SHOW)

            def icon():
                return next((w for w in kelvaro.windows() if w.id != message.id
                             and geometry(session, w.id).get("Y", 999) < 40), None)
            shown = wait_until(icon, STEP, "the notification-area icon beside the message window")
            before = {w.id for w in kelvaro.windows()}
            session.display.run("xdotool", "mousemove", "--window", shown.id, "6", "6", "click", button)
            if button == "3":
                menu = wait_until(lambda: next((w for w in kelvaro.windows() if w.id not in before), None), STEP,
                                  "the icon's menu to open while the message window is open")
                # "Anzeigen" is the menu's first entry.
                session.display.run("xdotool", "mousemove", "--window", menu.id, "20", "10", "click", "1")
            if close_program:
                code = kelvaro.wait_exit(STEP)
                expect(code == 0, f"with -C the program should end with exit code 0, not {code}")
            else:
                kelvaro.wait_gone(message, STEP)
                kelvaro.wait_for_window(MAIN_CAPTION, STEP)
                kelvaro.expect_running()
            note(f"{'click' if button == '1' else 'Anzeigen'} on the icon closed the message"
                 + (" and ended the program" if close_program else " and showed the main window"))


@case(budget=40)
def tray_menu_over_dbus(program: str) -> None:
    """On a StatusNotifierItem host (Plasma, GNOME with AppIndicator) the icon's menu is the exported
    DBusMenu: its entries follow the run, "5 Minuten später" moves the end, "Stop" ends the run and
    "Anzeigen" brings the window back."""
    with Session(program, "tray_menu_over_dbus", tray_watcher=True) as session:
        kelvaro = session.start("-MTee", "-K", "-A", "-T-00:05:00")
        item = session.watcher.item(SHOW)
        wait_until(lambda: kelvaro.running() and not kelvaro.windows(), STEP, "the main window to go into the tray")

        def entries() -> list[tuple[str, bool]]:
            return [(label, enabled) for _id, label, enabled in session.watcher.menu(item)]
        during = [("Anzeigen", True), ("-", True), ("Start", False), ("Stop", True), ("5 Minuten später", True),
                  ("-", True), ("Beenden", True)]
        expect(entries() == during, f"the menu during a run: {entries()}")
        session.watcher.click(item, "5 Minuten später")
        wait_until(lambda: len(events(session, "end")) == 2, STEP, "the end to move")
        ends = events(session, "end")
        expect(ends[1] - ends[0] == 300_000, f"the end should move 300 s: {session.trace_events()}")

        # A host that asks the item for its menu gets no second menu popped up by the program.
        session.watcher.request_menu(item)
        session.watcher.click(item, "Stop")
        after = [("Anzeigen", True), ("-", True), ("Start", True), ("Stop", False), ("5 Minuten später", False),
                 ("-", True), ("Beenden", True)]
        wait_until(lambda: entries() == after, STEP, lambda: f"Start enabled and Stop disabled: {entries()}")
        expect(not kelvaro.windows(), f"no window may open on a menu request: {kelvaro.windows()}")

        session.watcher.click(item, "Anzeigen")
        main_window = kelvaro.wait_for_window(MAIN_CAPTION, STEP)  # idle: the caption counts no more
        note(f"Stop ended the run, Anzeigen showed the window {main_window.id}")


@case(budget=50)
def expiry_notification(program: str) -> None:
    """A message run also notifies the desktop: the notification's click keeps the message window,
    OK withdraws it. A server that takes the calls but never answers delays nothing."""
    with Session(program, "expiry_notification", notifications="actions body body-markup") as session:
        server = session.notifications
        message = "<b>Tee</b> & Kuchen\nsind fertig"
        session.write_registry(stored_set(Zeit_Sekunden=1, SofortStart=1, Nachricht=message))
        kelvaro = session.start()
        window = kelvaro.wait_for_window(MESSAGE_CAPTION, SHOW)
        sent = wait_until(server.notifications, STEP, "the notification")
        expect(len(sent) == 1, f"one notification: {sent}")
        fields = sent[0]
        sender = (fields["app_name"], fields["app_icon"], fields["summary"])
        expect(sender == ("Kelvaro", "kelvaro", "Zeit abgelaufen!"), f"sender and summary: {fields}")
        expect(fields["body"] == "&lt;b&gt;Tee&lt;/b&gt; &amp; Kuchen\nsind fertig",
               f"the message as plain text, escaped for a server that reads markup: {fields['body']!r}")
        expect(fields["actions"] == ["default", ""], f"only the click on the notification: {fields['actions']}")
        expect(fields["hints"] == {"desktop-entry": "io.github.kelvaro.Kelvaro", "urgency": 2},
               f"the desktop entry, and critical: up until the window closes: {fields['hints']}")

        server.choose(1, "default")
        kelvaro.press(window, "Return")
        kelvaro.wait_gone(window, STEP)
        wait_until(lambda: server.closed() == [1], STEP, "OK to withdraw the notification")
        kelvaro.expect_running()

        # A server that takes the calls but answers none delays nothing; once it answers, the
        # notification comes and is withdrawn as before.
        server.mock().ClearCalls()
        server.pause()
        kelvaro.process.terminate()
        later = session.start("-A", "-Mhallo", "-T-00:00:01")
        window = later.wait_for_window(MESSAGE_CAPTION, SHOW)
        server.resume()
        wait_until(server.notifications, STEP, "the notification once the server answers")
        later.press(window, "Return")
        later.wait_gone(window, STEP)
        wait_until(lambda: server.closed() == [2], STEP, "OK to withdraw the late notification")

# --- under a window manager ------------------------------------------------------------------------

@case(budget=50)
def window_manager_message(program: str) -> None:
    """Under Openbox the message window comes up on top of the window the user works in and takes the
    focus, so that Return answers it; a click on the notification brings it back to the front."""
    with Session(program, "window_manager_message", window_manager=True,
                 notifications="actions body") as session:
        kelvaro = session.start("-A", "-MTee", "-T-00:00:03")
        main_window = kelvaro.wait_for_window(MAIN_WINDOW, SHOW)
        # Another program's window, which the user works in when the time is up.
        session.start_helper(["xmessage", "-name", "andere", "anderes Fenster"], "xmessage.log")
        other = wait_until(lambda: session.display.run("xdotool", "search", "--onlyvisible", "--classname",
                                                       "andere").stdout.split(), SHOW, "the other window")[0]
        wait_until(lambda: session.display.active_window() == other, STEP, "the other window to have the focus")

        message = kelvaro.wait_for_window(MESSAGE_CAPTION, SHOW)
        note(f"windows from bottom to top: {session.display.stacking()}, message {message.id}, other {other}")
        wait_until(lambda: session.display.active_window() == message.id, STEP,
                   lambda: f"the message window to take the focus (active: {session.display.active_window()})")
        stack = session.display.stacking()
        expect(stack.index(message.id) > stack.index(other), f"the message window on top of the other: {stack}")

        # The user goes back to the other window; the notification's click brings the message back.
        session.display.run("xdotool", "windowactivate", other)
        wait_until(lambda: session.display.active_window() == other, STEP, "the other window to have the focus")
        session.notifications.choose(1, "default")
        wait_until(lambda: session.display.active_window() == message.id, STEP,
                   "the notification's click to bring the message window to the front")
        session.display.run("xdotool", "key", "Return")
        kelvaro.wait_gone(message, STEP)
        expect(main_window.id in {w.id for w in kelvaro.windows()}, "the main window stays")


@case(budget=50)
def window_manager_iconify(program: str) -> None:
    """Under Openbox, minimising through the window manager puts a running timer into the tray; a
    click on the icon brings the window back, neither minimised nor behind others."""
    with Session(program, "window_manager_iconify", window_manager=True) as session:
        session.start_helper(TRAYER, "trayer.log")
        kelvaro = session.start("-MTee", "-A", "-T-00:05:00")
        main_window = kelvaro.wait_for_window(re.compile(r"Kelvaro 0\.90  \[00:0[45]:[0-5][0-9]\]"), SHOW)
        session.display.run("xdotool", "windowminimize", main_window.id)

        def icon_only():
            windows = kelvaro.windows()
            return windows[0] if len(windows) == 1 and windows[0].id != main_window.id else None
        icon = wait_until(icon_only, STEP, lambda: f"only the tray icon to be shown: {kelvaro.windows()}")
        session.display.run("xdotool", "mousemove", "--window", icon.id, "6", "6", "click", "1")
        wait_until(lambda: session.display.active_window() == main_window.id, STEP,
                   lambda: f"the main window to come back with the focus (active: {session.display.active_window()})")
        states = session.display.window_states(main_window.id)
        expect("_NET_WM_STATE_HIDDEN" not in states, f"the window is no longer minimised: {states}")
        wait_until(lambda: icon.id not in {w.id for w in kelvaro.windows()}, STEP, "the icon to go away")


# --- on Wayland ----------------------------------------------------------------------------------------

def terminal_lines(session: Session) -> list[str]:
    """What the program wrote to its terminal, without SDL's notes on its disk audio driver."""
    log = session.folder / "program.log"
    lines = log.read_text(errors="replace").splitlines() if log.exists() else []
    return [line for line in lines if line.strip() and not line.startswith("CRITICAL: ")]


@case(budget=50)
def wayland_message(program: str) -> None:
    """A native Wayland client on a headless Weston with no X server: the run goes into the tray
    (a StatusNotifierItem), expires, beeps and notifies; the notification's click and the tray
    menu's "Anzeigen" work; what Wayland does not let a window do is left out without a word."""
    with Session(program, "wayland_message", wayland=True, tray_watcher=True,
                 notifications="actions body body-markup") as session:
        kelvaro = session.start("-A", "-B", "-K", "-MTee", "-T-00:00:02")
        item = session.watcher.item(SHOW)
        sent = wait_until(session.notifications.notifications, SHOW, "the notification at expiry")
        expect(sent[0]["summary"] == "Zeit abgelaufen!" and sent[0]["body"] == "Tee", f"the notification: {sent}")
        tones = session.wait_for_tones(3, STEP)
        expect(len(tones) == 3, "expected three beeps, recorded: " + "; ".join(map(str, tones)))

        session.notifications.choose(1, "default")
        session.watcher.click(item, "Anzeigen")  # closes the message and shows the main window
        wait_until(lambda: session.notifications.closed() == [1], STEP, "the notification to be withdrawn")
        kelvaro.expect_running()
        expect(not terminal_lines(session), "the program wrote to its terminal:\n" + "\n".join(terminal_lines(session)))


@case(budget=40)
def schedule_verbs(program: str) -> None:
    """A weekday 23:00 reminder made, listed and removed from a terminal with no display: the unit files
    pass systemd-analyze, the user manager is told each step, and nothing is left behind."""
    with Session(program, "schedule_verbs", systemd=True) as session:
        made = session.command("--schedule=Mon..Fri 23:00", "-M100% \"Tee\" $HOME", "-T23:00:00")
        expect(made.returncode == 0 and made.stdout.strip() == "1", f"--schedule: {made}")
        units = session.folder / "config/systemd/user"
        files = sorted(path.name for path in units.iterdir())
        expect(files == ["kelvaro-1.service", "kelvaro-1.timer"], f"the unit files: {files}")
        analyze = shutil.which("systemd-analyze")
        if analyze:
            verify = subprocess.run([analyze, "verify", "--user", *(str(units / name) for name in files)],
                                    env=session.env(), capture_output=True, text=True, timeout=30)
            expect(verify.returncode == 0, f"systemd-analyze verify: {verify.stderr}")
        expect(method_names(session.systemd.calls()) == ["Reload", "EnableUnitFiles", "StartUnit"],
               f"the manager's calls: {session.systemd.calls()}")

        listed = json.loads(session.command("--schedules", "--json").stdout)
        expect(len(listed) == 1 and listed[0]["id"] == "1" and listed[0]["active"]
               and listed[0]["arguments"] == ["-A", "-M100% Tee $HOME", "-T23:00:00"] and listed[0]["next"].startswith("2026-12-08T"),
               f"--schedules --json: {listed}")
        expect(session.command("--schedule=Mon..Fri 25:00", "-S", "-T23:00:00").returncode == 2, "a bad calendar")
        expect(session.command("--unschedule=1").returncode == 0, "--unschedule=1")
        expect(not list(units.iterdir()), f"files left: {list(units.iterdir())}")
        expect(session.command("--unschedule=1").returncode == 1, "a second --unschedule=1")


# --- control from outside -------------------------------------------------------------------------

INTERFACE_XML = Path(__file__).resolve().parents[2] / "src/resources/io.github.kelvaro.Kelvaro1.xml"


def interface_members(xml: str) -> set[tuple]:
    """The methods (with their argument types) and properties of the program's interface."""
    node = next(i for i in ET.fromstring(xml).iter("interface") if i.get("name") == "io.github.kelvaro.Kelvaro1")
    return ({("method", m.get("name"), tuple(a.get("type") for a in m.iter("arg"))) for m in node.iter("method")} |
            {("property", p.get("name"), p.get("type"), p.get("access")) for p in node.iter("property")})


@case(budget=60)
def remote_control(program: str) -> None:
    """Two timers steered from a terminal with no display, the bus found through XDG_RUNTIME_DIR alone:
    both listed, one postponed, the other stopped without its action, and a panel line that follows."""
    with Session(program, "remote_control") as session:
        # Long enough for the verbs below to come before its end, also on a slow machine.
        seconds = min(59, round(15 * TIME_SCALE))
        shutdown = session.start("-A", "-S", f"-T-00:00:{seconds:02d}")
        message = session.start("-A", "-MTee ist fertig", "-T-00:10:00")
        started = time.monotonic()
        # A terminal over ssh: no display, no bus address, only the runtime folder that holds the bus.
        terminal = {name: value for name, value in session.env().items()
                    if name not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM",
                                    "DBUS_SESSION_BUS_ADDRESS")}
        terminal["XDG_RUNTIME_DIR"] = str(session.folder)

        def verb(*args: str) -> subprocess.CompletedProcess:
            return subprocess.run([program, *args], env=terminal, capture_output=True, text=True, timeout=STEP)

        def listed() -> dict[int, dict]:
            answer = verb("--list", "--json")
            expect(answer.returncode == 0, f"--list --json ended with {answer.returncode}: {answer.stderr}")
            return {entry["pid"]: entry for entry in json.loads(answer.stdout)}

        def both_running() -> dict[int, dict] | None:
            found = listed()
            running = {pid for pid, entry in found.items() if entry["state"] != "idle"}
            return found if {shutdown.pid, message.pid} <= running else None

        both = wait_until(both_running, SHOW, "both programs listed with a run")
        expect(both[shutdown.pid]["action"] == "poweroff" and both[message.pid]["action"] == "message" and
               both[message.pid]["message"] == "Tee ist fertig", f"the list: {both}")
        expect(0 < both[message.pid]["remaining"] <= 600, f"the time left: {both[message.pid]}")
        member = interface_members(INTERFACE_XML.read_text())
        introspected = session.bus.connection().get_object(f"io.github.kelvaro.Kelvaro.instance{message.pid}",
                                                           "/io/github/kelvaro/Kelvaro").Introspect(
            dbus_interface="org.freedesktop.DBus.Introspectable")
        expect(interface_members(str(introspected)) == member, f"the program offers another interface than "
               f"{INTERFACE_XML.name} describes:\n{introspected}")

        watch = spawn([program, "--watch", "--json"], terminal, session.folder / "watch.log", stdout=subprocess.PIPE)
        lines: list[str] = []
        threading.Thread(target=lambda: lines.extend(iter(watch.stdout.readline, b"")), daemon=True).start()
        wait_until(lambda: lines, STEP, "the first line of --watch")

        refused = verb("--stop")
        expect(refused.returncode == 1 and str(shutdown.pid) in refused.stderr,
               f"--stop with two runs must refuse and list them: {refused}")
        moved = verb("--postpone=5", f"--pid={message.pid}")
        expect(moved.returncode == 0, f"--postpone ended with {moved.returncode}: {moved.stderr}")
        stopped = verb("--stop", f"--pid={shutdown.pid}")
        expect(stopped.returncode == 0, f"--stop ended with {stopped.returncode}: {stopped.stderr}")
        after = listed()
        expect(after[shutdown.pid]["state"] == "idle" and after[shutdown.pid]["end"] is None, f"stopped: {after}")
        shift = (datetime.fromisoformat(after[message.pid]["end"]) -
                 datetime.fromisoformat(both[message.pid]["end"])).total_seconds()
        expect(shift == 300, f"the end moved by {shift} s instead of 300: {both[message.pid]} -> {after[message.pid]}")

        # The watch followed: the shutdown's countdown first, then, once it was stopped, the message.
        wait_until(lambda: any(b'"class":"message"' in line for line in lines), STEP, "--watch to show the message")
        panel = [json.loads(line) for line in lines]
        first = re.fullmatch(r"\S+ 00:00:(\d\d)", panel[0]["text"])
        expect(panel[0]["class"] == "poweroff" and first and int(first[1]) < seconds and
               0 <= panel[0]["percentage"] <= 100, f"the first panel line: {panel[0]}")
        expect(panel[-1]["tooltip"].startswith("Nachricht um ") and
               re.fullmatch(r"\S+ 00:1[45]:\d\d", panel[-1]["text"]), f"the last panel line: {panel[-1]}")
        counted = [line["text"] for line in panel if line["class"] == "poweroff"]
        expect(counted == sorted(counted, reverse=True), f"the shutdown's time left should count down: {counted}")

        # The shutdown's end goes by without its action.
        time.sleep(max(0.0, started + seconds + 2 - time.monotonic()))
        expect("PowerOff" not in method_names(session.logind.calls()), "the stopped run still powered off")
        expect(verb("--version").stdout.strip() == "Kelvaro 0.90", "--version")
        for kelvaro in (shutdown, message):
            kelvaro.expect_running()
        stop(watch)
        note(f"panel lines: {len(panel)}, first {panel[0]}, last {panel[-1]}")


if __name__ == "__main__":
    sys.exit(main())
