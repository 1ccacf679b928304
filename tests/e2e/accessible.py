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
    for child in filter(None, map(node.get_child_at_index, range(node.get_child_count()))):
        texts(child, found)


def main() -> int:
    desktop = Atspi.get_desktop(0)
    found: list[str] = []
    for application in filter(None, map(desktop.get_child_at_index, range(desktop.get_child_count()))):
        for window in filter(None, map(application.get_child_at_index, range(application.get_child_count()))):
            if window.get_name() == sys.argv[1]:
                texts(window, found)
    print(json.dumps(found))
    return 0


if __name__ == "__main__":
    sys.exit(main())
