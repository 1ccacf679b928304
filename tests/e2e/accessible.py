"""Prints as JSON what the accessibility bus shows of one window: the names and texts of the window
and of everything in it, in tree order ([] while no such window is there).

Run with the environment of the program's session (its DBUS_SESSION_BUS_ADDRESS, on which the
accessibility bus launcher runs) and Debian's interpreter, which sees python3-gi:
    /usr/bin/python3 -B accessible.py "Kelvaro Message"
"""

import json
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def texts(node, found: list[str]) -> None:
    name = node.get_name()
    if name:
        found.append(name)
    if "Text" in node.get_interfaces():
        text = Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))
        if text and text != name:
            found.append(text)
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is not None:
            texts(child, found)


def main() -> int:
    caption = sys.argv[1]
    desktop = Atspi.get_desktop(0)
    found: list[str] = []
    for a in range(desktop.get_child_count()):
        application = desktop.get_child_at_index(a)
        if application is None:
            continue
        for w in range(application.get_child_count()):
            window = application.get_child_at_index(w)
            if window is not None and window.get_name() == caption:
                texts(window, found)
    print(json.dumps(found))
    return 0


if __name__ == "__main__":
    sys.exit(main())
