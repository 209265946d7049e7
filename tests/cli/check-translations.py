#!/usr/bin/env python3
"""Fails when a .ts file is not up to date with the sources or lacks a translation.

check-translations.py LUPDATE TS_FILE SOURCES_LIST
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, ts_file, sources = sys.argv[1:4]
faults = []

# lupdate over the sources, on a copy: the same bytes when nothing is new or gone.
with tempfile.TemporaryDirectory() as folder:
    copy = folder + "/" + ts_file.rsplit("/", 1)[-1]
    shutil.copy(ts_file, copy)
    subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "@" + sources,
                    "-ts", copy], check=True)
    if open(copy, "rb").read() != open(ts_file, "rb").read():
        faults.append("not up to date with the sources")


def text(element):
    """The element's text, with lupdate's <byte value="xd"/> as the character."""
    if element is None:
        return ""
    parts = [element.text or ""]
    for byte in element:
        parts += [chr(int(byte.get("value")[1:], 16)), byte.tail or ""]
    return "".join(parts)


for message in ET.parse(ts_file).getroot().iter("message"):
    source = text(message.find("source"))
    translation = message.find("translation")
    if translation is None or translation.get("type") or not text(translation).strip():
        faults.append("no translation: " + source)
    elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text(translation))):
        faults.append("other placeholders: " + source)

# The converter's texts are written in English in Messages.h: a literal there
# in another script is a text that lupdate never sees, and so never translated.
if ET.parse(ts_file).getroot().get("sourcelanguage", "").startswith("en"):
    for path in open(sources).read().split():
        if path.endswith("/Messages.h"):
            for number, line in enumerate(open(path, encoding="utf-8"), 1):
                if re.search(r'"[^"]*[^\x00-\x7f][^"]*"', line):
                    faults.append(f"not marked for translation: {path}:{number}: {line.strip()}")

for fault in faults:
    print(f"{ts_file}: {fault.splitlines()[0]}")
if faults:
    print("Update with: cmake --build BUILD --target update_translations, then translate")
sys.exit(1 if faults else 0)
