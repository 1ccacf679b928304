"""End-to-end cases: the real kelvaro program on a virtual display, with a logind double and recorded audio.

Run one case: /usr/bin/python3 -B cases.py --program build/src/kelvaro message_timer
A new case is a function decorated with @case(budget=...) taking the program's path, plus its
name in KELVARO_E2E_CASES in CMakeLists.txt (CTest runs each as e2e.<name>).
"""

import contextlib
import os
import re
import sys
from pathlib import Path

from harness import MAIN_CAPTION, MESSAGE_CAPTION, Failure, Session, case, main, note, wait_until

# How long the program may take for what it does in a moment on an idle machine: showing a window,
# reaching the next step. Generous, because the machine running the tests may be busy.
SHOW = 20
STEP = 10


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
        kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
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
        kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
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
        kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
        expect(session.logind.wait_for_call("Suspend", STEP) == [False], "Suspend must be called without interaction")
        code = kelvaro.wait_exit(STEP)
        expect(code == 0, f"the program should end with exit code 0, not {code}")


@case(budget=50)
def refused_command_line(program: str) -> None:
    """Two actions on the command line: the error box, then the stored default set is in force."""
    with Session(program, "refused_command_line") as session:
        session.write_registry(stored_set(Name="Gespeichert", Zeit_Sekunden=2, SofortStart=1,
                                          Nachricht="Gespeicherte Vorgabe"))
        kelvaro = session.start("-S", "-R")
        box = kelvaro.wait_for_window("Error", SHOW)
        kelvaro.answer(box)
        kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
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
        kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
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
        main_window = kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
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
        kelvaro.wait_for_window(MAIN_CAPTION, SHOW)
        expect(session.logind.wait_for_call("PowerOff", STEP) == [True],
               "PowerOff must be called with interaction allowed after CanPowerOff answered 'challenge'")
        calls = method_names(session.logind.calls())
        expect(calls.index("CanPowerOff") < calls.index("PowerOff"), f"CanPowerOff must be asked first: {calls}")
        kelvaro.expect_running()


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


if __name__ == "__main__":
    sys.exit(main())
