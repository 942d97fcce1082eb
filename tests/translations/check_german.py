#!/usr/bin/env python3
"""Fails when a text of the programs has no finished German translation.

lupdate collects every translatable text of the given source folders; each must be in one of the
shipped catalogues (translations/*_de.ts), finished, with the same placeholders and the same
number of mnemonic marks. Texts in Qt's own contexts may come from Qt's catalogue instead.
Exit 77 (skipped) without lupdate.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%L?(\d+|n)")


def messages(path):
    """(context, source, comment) -> the <translation> element, for every message of a .ts."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            key = (name, message.findtext("source") or "", message.findtext("comment") or "")
            found[key] = message.find("translation")
    return found


def texts(translation):
    forms = translation.findall("numerusform")
    return [form.text or "" for form in forms] if forms else [translation.text or ""]


def mnemonics(text):
    return text.replace("&&", "").count("&")


def placeholders(text):
    return sorted(PLACEHOLDER.findall(text))


def problems_of(key, translation):
    context, source, _ = key
    where = f"{context}: {source!r}"
    state = translation.get("type")
    if state in ("unfinished", "vanished", "obsolete"):
        return [f"{where} is {state}"]
    found = []
    for text in texts(translation):
        if not text.strip():
            found.append(f"{where} has an empty translation")
        elif placeholders(text) != placeholders(source):
            found.append(f"{where}: placeholders {placeholders(text)} in {text!r}")
        elif mnemonics(text) != mnemonics(source):
            found.append(f"{where}: {mnemonics(text)} mnemonics in {text!r}")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lupdate", default="")
    parser.add_argument("--lconvert", default="")
    parser.add_argument("--qt-catalogue", default="", help="Qt's qtbase_de.qm")
    parser.add_argument("--catalogues", required=True, help="the folder of the *_de.ts files")
    parser.add_argument("sources", nargs="+")
    args = parser.parse_args()

    lupdate = args.lupdate if os.access(args.lupdate, os.X_OK) else shutil.which("lupdate")
    if not lupdate:
        print("lupdate is not installed: skipped")
        return 77

    shipped = {}
    for name in sorted(os.listdir(args.catalogues)):
        if name.endswith("_de.ts"):
            shipped.update(messages(os.path.join(args.catalogues, name)))
    problems = []
    for key, translation in shipped.items():
        problems += problems_of(key, translation)

    with tempfile.TemporaryDirectory() as folder:
        collected = os.path.join(folder, "collected_de.ts")
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", *args.sources,
                        "-ts", collected], check=True)
        qt = {}
        if args.qt_catalogue and os.path.isfile(args.qt_catalogue) and args.lconvert:
            converted = os.path.join(folder, "qt_de.ts")
            subprocess.run([args.lconvert, "-i", args.qt_catalogue, "-o", converted], check=True)
            qt = messages(converted)
        wanted = messages(collected)

    for key in sorted(wanted):
        context, source, _ = key
        if key in shipped:
            continue
        if context.startswith("Q") and key in qt:
            continue
        problems.append(f"{context}: {source!r} has no German translation")
    # Left-over entries hide a text that changed in the code but not in the catalogue.
    for context, source, _ in sorted(shipped.keys() - wanted.keys()):
        problems.append(f"{context}: {source!r} is translated but no longer in the code")

    for problem in problems:
        print(problem)
    print(f"{len(wanted)} texts checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
