#!/usr/bin/env python3
"""Fails when a text of the window has no finished translation in one of the .ts files.

Gathers the texts afresh from the sources with lupdate (so a new tr() counts even before
anyone updates the .ts files) and holds each language's file against them: every message
present, finished, not empty, every plural form filled, the same placeholders as the source.

Usage: check_translations.py LUPDATE SOURCE_DIR TS_FILE...
"""
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLURAL_FORMS = {"de": 2, "fr": 2, "es": 2, "ru": 3}


def messages(ts_file):
    found = {}
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            comment = message.findtext("comment") or ""
            key = (name, message.findtext("source"), comment)
            found[key] = message
    return found


def placeholders(text):
    return sorted(set(re.findall(r"%(?:\d|n)", text or "")))


def main():
    lupdate, source_dir, *ts_files = sys.argv[1:]
    with tempfile.TemporaryDirectory() as folder:
        fresh = Path(folder) / "sources.ts"
        subprocess.run([lupdate, "-I", source_dir, "-no-obsolete", "-locations", "none",
                        str(Path(source_dir) / "ui"), "-ts", str(fresh)],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wanted = messages(fresh)
    if len(wanted) < 100:
        print(f"lupdate found only {len(wanted)} texts in {source_dir}/ui")
        return 1
    problems = []
    for ts_file in ts_files:
        language = re.search(r"_([a-z]{2})\.ts$", ts_file).group(1)
        have = messages(ts_file)
        for key, source in wanted.items():
            where = f"{Path(ts_file).name}: [{key[0]}] {key[1]!r}"
            message = have.get(key)
            if message is None:
                problems.append(f"{where}: missing")
                continue
            translation = message.find("translation")
            if translation.get("type") in ("unfinished", "vanished", "obsolete"):
                problems.append(f"{where}: {translation.get('type')}")
                continue
            if source.get("numerus") == "yes":
                forms = [form.text or "" for form in translation.iter("numerusform")]
                if len(forms) != PLURAL_FORMS[language] or not all(forms):
                    problems.append(f"{where}: {len(forms)} plural forms, "
                                    f"{PLURAL_FORMS[language]} wanted, all filled")
                texts = forms
            else:
                texts = [translation.text or ""]
                if not texts[0].strip():
                    problems.append(f"{where}: empty")
            for text in texts:
                # A plural form may say "one" instead of %n; every other placeholder stays.
                want = [p for p in placeholders(key[1]) if p != "%n"]
                if [p for p in placeholders(text) if p != "%n"] != want:
                    problems.append(f"{where}: placeholders of {text!r} differ from the source")
    for problem in problems:
        print(problem)
    print(f"{len(wanted)} texts, {len(ts_files)} languages, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
