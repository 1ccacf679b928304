"""Checks that the English translation is complete: lupdate runs over the sources into a copy of
kelvaro_en.ts, and every text of the copy needs a finished translation that keeps the source's
accelerator ("&") and placeholders (%1, %2, ...). Exits 1 naming every text that needs work.

/usr/bin/python3 -B check_translation.py --lupdate /usr/lib/qt6/bin/lupdate --sources src \
    --ts src/resources/translations/kelvaro_en.ts
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

HOW_TO_FIX = """To finish the translation:
  cmake --build <build folder> --target update_translations   # lupdate over src/ into the .ts file
then translate the texts named above in src/resources/translations/kelvaro_en.ts (with Qt Linguist,
or in any editor: fill in <translation> and remove type="unfinished"), and build again."""


def text_of(element) -> str:
    """The text of a <source> or <translation>, with the control characters lupdate writes as <byte>."""
    if element is None:
        return ""
    text = element.text or ""
    for child in element:
        if child.tag == "byte":
            value = child.get("value", "0")
            text += chr(int(value[1:], 16) if value[:1] in "xX" else int(value))
        elif child.tag == "numerusform":
            text += text_of(child)
        text += child.tail or ""
    return text


def accelerators(text: str) -> int:
    """How many keyboard accelerators the text marks ("&&" is a literal ampersand)."""
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def placeholders(text: str) -> set[str]:
    return set(re.findall(r"%L?[1-9][0-9]?|%n", text))


def problems(ts_file: Path, root: Path) -> list[str]:
    """Every text of `ts_file` that needs work, with its place in the sources relative to `root`."""
    found = []
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation_element = message.find("translation")
            kind = translation_element.get("type", "") if translation_element is not None else ""
            if kind in ("vanished", "obsolete"):
                continue
            forms = translation_element.findall("numerusform") if translation_element is not None else []
            translations = [text_of(form) for form in forms] if forms else [text_of(translation_element)]
            location = message.find("location")
            where = "?"
            if location is not None:
                path = os.path.relpath(os.path.normpath(ts_file.parent / location.get("filename", "")), root)
                where = f"{path}:{location.get('line')}"
            label = f"[{name}] {where}: {source!r}"
            if kind == "unfinished" and not any(translations):
                found.append(f"untranslated {label}")
            elif kind == "unfinished":
                found.append(f"unfinished   {label}")
            elif not all(translations):
                found.append(f"empty        {label}")
            for translation in translations:
                if translation and accelerators(translation) != accelerators(source):
                    found.append(f"accelerator  {label} -> {translation!r}")
                if translation and placeholders(translation) != placeholders(source):
                    found.append(f"placeholder  {label} -> {translation!r}")
    return found


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--sources", required=True, help="the source folder (src/)")
    parser.add_argument("--ts", required=True, help="the translation file (kelvaro_en.ts)")
    parser.add_argument("--plural-only", action="store_true",
                        help="only the texts with plural forms (the German kelvaro_de.ts)")
    args = parser.parse_args()
    sources = Path(args.sources).resolve()
    with tempfile.TemporaryDirectory(prefix="kelvaro-i18n-") as folder:
        copy = Path(folder) / Path(args.ts).name
        shutil.copyfile(args.ts, copy)
        # The same scan as the target update_translations; the copy gets absolute locations.
        result = subprocess.run([args.lupdate, "-recursive", str(sources), "-I", str(sources), "-extensions", "cpp,h",
                                 "-no-obsolete", "-locations", "absolute", *(["-pluralonly"] if args.plural_only else []),
                                 "-ts", str(copy)],
                                capture_output=True, text=True, timeout=120)
        if result.returncode != 0:
            print(f"lupdate failed:\n{result.stdout}{result.stderr}", file=sys.stderr)
            return 1
        found = problems(copy, sources.parent)
        total = sum(1 for _ in ET.parse(copy).getroot().iter("message"))
    if found:
        print(f"{len(found)} of {total} texts of {Path(args.ts).name} need work:", file=sys.stderr)
        for line in found:
            print("  " + line, file=sys.stderr)
        print(HOW_TO_FIX, file=sys.stderr)
        return 1
    print(f"all {total} texts are translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())
