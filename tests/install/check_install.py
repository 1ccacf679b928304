"""Checks of what `cmake --install` puts in place: the program, the desktop entry, the metainfo file,
the icons and the manual page, installed under /usr into a private DESTDIR; and of the Debian package
CPack makes of it, with lintian.

Run one check: /usr/bin/python3 -B check_install.py --build build --help-text src/resources/help.txt files
Each check exits 0 when it passes, 1 when it fails and 77 when a validator it needs is not installed.
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

SKIP = 77
PREFIX = "usr"
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
# The English manual page and its German translation.
MANUAL_PAGES = ["share/man/man1/kelvaro.1", "share/man/de/man1/kelvaro.1"]


class Failure(Exception):
    pass


def expect(condition: bool, message: str) -> None:
    if not condition:
        raise Failure(message)


def run(command: list[str], **kwargs) -> subprocess.CompletedProcess:
    return subprocess.run(command, capture_output=True, text=True, timeout=60, **kwargs)


def install(cmake: str, build: str, destdir: Path) -> Path:
    env = dict(os.environ, DESTDIR=str(destdir))
    result = run([cmake, "--install", build, "--prefix", "/" + PREFIX], env=env)
    expect(result.returncode == 0, f"cmake --install failed:\n{result.stdout}{result.stderr}")
    return destdir / PREFIX


def only_file(folder: Path, suffix: str) -> Path:
    found = sorted(folder.glob("*" + suffix)) if folder.is_dir() else []
    expect(len(found) == 1, f"expected one *{suffix} in {folder}, found {[p.name for p in found]}")
    return found[0]


def desktop_entry(usr: Path) -> Path:
    return only_file(usr / "share/applications", ".desktop")


def metainfo(usr: Path) -> Path:
    return only_file(usr / "share/metainfo", ".metainfo.xml")


def desktop_keys(path: Path) -> dict:
    keys = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if "=" in line and not line.startswith("#"):
            key, value = line.split("=", 1)
            keys[key.strip()] = value.strip()
    return keys


def png_size(path: Path) -> tuple[int, int]:
    data = path.read_bytes()[:24]
    expect(data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR", f"{path} is not a PNG file")
    return struct.unpack(">II", data[16:24])


def check_files(usr: Path, _args) -> None:
    program = usr / "bin/kelvaro"
    expect(program.is_file() and os.access(program, os.X_OK), f"{program} missing or not executable")
    # The audio module the program loads at its first sound, in its library folder.
    modules = sorted(usr.glob("lib*/**/kelvaro/kelvaro-audio-sdl.so"))
    expect(len(modules) == 1, f"the audio module should be installed once below lib/: {modules}")
    icons = usr / "share/icons/hicolor"
    svg = icons / "scalable/apps/kelvaro.svg"
    expect(svg.is_file(), f"{svg} missing")
    expect(ET.parse(svg).getroot().tag == "{http://www.w3.org/2000/svg}svg", f"{svg} is not an SVG picture")
    for size in ICON_SIZES:
        png = icons / f"{size}x{size}/apps/kelvaro.png"
        expect(png.is_file(), f"{png} missing")
        expect(png_size(png) == (size, size), f"{png} is {png_size(png)}, not {size}x{size}")
    for page in MANUAL_PAGES:
        expect((usr / page).is_file(), f"manual page {page} missing")
    desktop_entry(usr)
    metainfo(usr)
    # The interface of the program on the session bus, plain XML readable by everyone.
    interface = usr / "share/dbus-1/interfaces/io.github.kelvaro.Kelvaro1.xml"
    expect(interface.is_file(), f"{interface} missing")
    expect(interface.stat().st_mode & 0o777 == 0o644, f"{interface} has mode {interface.stat().st_mode & 0o777:o}")
    names = [node.get("name") for node in ET.parse(interface).getroot().iter("interface")]
    expect(names == ["io.github.kelvaro.Kelvaro1"], f"{interface} describes the interfaces {names}")


def check_desktop_entry(usr: Path, _args) -> None:
    entry = desktop_entry(usr)
    keys = desktop_keys(entry)
    expect(keys.get("Type") == "Application", "Type is not Application")
    expect(keys.get("Exec") == "kelvaro", f"Exec is {keys.get('Exec')!r}")
    expect((usr / "bin" / keys["Exec"]).is_file(), "the program named by Exec is not installed")
    icon = keys.get("Icon", "")
    expect((usr / f"share/icons/hicolor/scalable/apps/{icon}.svg").is_file(), f"no installed icon named {icon!r}")
    # The untranslated texts are English, the desktop's default; German is the [de] translation.
    for key in ("GenericName", "Comment", "Keywords"):
        expect(key in keys and f"{key}[de]" in keys, f"{key} needs an English text and a [de] translation")

    validator = shutil.which("desktop-file-validate")
    if validator is None:
        print("desktop-file-validate (Debian package desktop-file-utils) is not installed: validation skipped")
        raise SystemExit(SKIP)
    result = run([validator, str(entry)])
    complaints = (result.stdout + result.stderr).strip()
    expect(result.returncode == 0 and not complaints, f"desktop-file-validate {entry.name}:\n{complaints}")


def check_metainfo(usr: Path, _args) -> None:
    path = metainfo(usr)
    entry = desktop_entry(usr)
    root = ET.parse(path).getroot()
    component_id = root.findtext("id")
    expect(path.name == f"{component_id}.metainfo.xml", f"{path.name} is not named after its id {component_id}")
    expect(entry.name == f"{component_id}.desktop", f"desktop entry {entry.name} is not named after {component_id}")
    expect(root.findtext("launchable[@type='desktop-id']") == entry.name, "launchable does not name the desktop entry")
    binary = root.findtext("provides/binary")
    expect(binary and (usr / "bin" / binary).is_file(), f"provided binary {binary!r} is not installed")

    validator = shutil.which("appstreamcli")
    if validator is None:
        print("appstreamcli (Debian package appstream) is not installed: validation skipped")
        raise SystemExit(SKIP)
    result = run([validator, "validate", "--no-net", "--strict", "--no-color", str(path)])
    output = result.stdout + result.stderr
    issues = [line for line in output.splitlines() if re.match(r"^[EWI]: ", line)]
    expect(result.returncode == 0 and not issues, f"appstreamcli validate {path.name}:\n{output}")


def check_manual_page(usr: Path, args) -> None:
    # Every switch of the help window's description is documented, in English and in German.
    help_switches = set(re.findall(r"^-([A-Z])", Path(args.help_text).read_text(encoding="utf-8"), re.MULTILINE))
    expect(len(help_switches) >= 10, f"the help text lists only the switches {sorted(help_switches)}")
    pages = [usr / page for page in MANUAL_PAGES]
    for page in pages:
        text = page.read_text(encoding="utf-8")
        for letter in sorted(help_switches):
            expect(re.search(rf"^\.B[IR]? \\-{letter}", text, re.MULTILINE),
                   f"switch -{letter} is not documented in {page.relative_to(usr)}")

    groff = shutil.which("groff")
    if groff is None:
        print("groff (Debian package groff-base) is not installed: formatting check skipped")
        raise SystemExit(SKIP)
    for page in pages:
        result = run([groff, "-man", "-Tutf8", "-ww", "-z", str(page)])
        complaints = result.stderr.strip()
        expect(result.returncode == 0 and not complaints, f"groff warns about {page.relative_to(usr)}:\n{complaints}")


def check_package(args) -> None:
    """The Debian package passes lintian without an error or a warning. It is made with CPack from the
    build folder as scripts/package makes it from its release build: the same files, stripped the same
    way, with the same control data and maintainer scripts."""
    lintian = shutil.which("lintian")
    if lintian is None:
        print("lintian (Debian package lintian) is not installed: package check skipped")
        raise SystemExit(SKIP)
    cpack = Path(args.cmake).with_name("cpack") if os.sep in args.cmake else shutil.which("cpack")
    with tempfile.TemporaryDirectory(prefix="kelvaro-package-") as folder:
        made = subprocess.run([str(cpack), "-G", "DEB", "-B", folder, "--config",
                               str(Path(args.build) / "CPackConfig.cmake")],
                              capture_output=True, text=True, timeout=300)
        expect(made.returncode == 0, f"cpack failed:\n{made.stdout}{made.stderr}")
        package = only_file(Path(folder), ".deb")
        result = subprocess.run([lintian, "--no-cfg", str(package)], capture_output=True, text=True, timeout=300)
    tags = [line for line in result.stdout.splitlines() if re.match(r"^[EW]: ", line)]
    expect(not tags, "lintian reports:\n" + "\n".join(tags))
    expect(result.returncode == 0, f"lintian failed:\n{result.stdout}{result.stderr}")


# Checks of the package, made from the build folder rather than installed.
PACKAGE_CHECKS = {
    "package": check_package,
}

CHECKS = {
    "files": check_files,
    "desktop_entry": check_desktop_entry,
    "metainfo": check_metainfo,
    "manual_page": check_manual_page,
}


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cmake", default="cmake")
    parser.add_argument("--build", required=True, help="the build folder to install from")
    parser.add_argument("--help-text", required=True, help="the help window's text (help.txt)")
    parser.add_argument("check", choices=sorted(CHECKS) + sorted(PACKAGE_CHECKS))
    args = parser.parse_args()
    if args.check in PACKAGE_CHECKS:
        try:
            PACKAGE_CHECKS[args.check](args)
        except Failure as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
        print(f"install.{args.check}: passed")
        return 0
    with tempfile.TemporaryDirectory(prefix=f"kelvaro-install-{args.check}-") as destdir:
        try:
            usr = install(args.cmake, args.build, Path(destdir))
            CHECKS[args.check](usr, args)
        except Failure as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
    print(f"install.{args.check}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
