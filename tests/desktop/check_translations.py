#!/usr/bin/env python3
"""Fails on a message of translations/*.ts without a finished translation.

check_translations.py SOURCE_DIR [LUPDATE]

With lupdate, the catalogues are first brought up to date with the sources in
a temporary copy, so that a text added to the code without a translation fails
here too.
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def untranslated(ts_path):
    problems = []
    root = ElementTree.parse(ts_path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            if kind in ("vanished", "obsolete"):
                continue
            text = (translation.text or "") if translation is not None else ""
            if kind is not None or not text.strip():
                problems.append(f"{ts_path.name}: {name}: {source!r} ({kind or 'empty'})")
    return problems


def main():
    source_dir = pathlib.Path(sys.argv[1])
    lupdate = sys.argv[2] if len(sys.argv) > 2 and sys.argv[2] and "NOTFOUND" not in sys.argv[2] else None
    catalogues = sorted((source_dir / "translations").glob("*.ts"))
    if not catalogues:
        print("no catalogues in translations/")
        return 1
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        for catalogue in catalogues:
            checked = catalogue
            if lupdate:
                # The copy sits where the original does relative to src/, so
                # that lupdate writes the same locations.
                copy_dir = pathlib.Path(scratch) / "translations"
                copy_dir.mkdir(exist_ok=True)
                checked = copy_dir / catalogue.name
                shutil.copy(catalogue, checked)
                subprocess.run([lupdate, "-silent", "-locations", "none", str(source_dir / "src"), "-ts", str(checked)],
                               check=True)
            problems += untranslated(checked)
    for problem in problems:
        print("untranslated:", problem)
    print(f"{len(catalogues)} catalogue(s) checked, {len(problems)} untranslated message(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
