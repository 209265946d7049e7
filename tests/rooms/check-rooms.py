#!/usr/bin/env python3
"""Every #include of ours crosses only to a room that the table of rooms in
docs/developers.md lets the including room use."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
table = (root / "docs/developers.md").read_text(encoding="utf-8")
row = re.compile(r"^\| `(\w+)/` \|.*\|([^|]*)\|\s*$")
uses = {}
for line in table.splitlines():
    match = row.match(line)
    if match:
        uses[match.group(1)] = set(re.findall(r"`(\w+)/`", match.group(2))) | {match.group(1)}
if len(uses) < 3:
    sys.exit("no table of rooms found in docs/developers.md")

include = re.compile(r'^\s*#\s*include\s+"(\w+)/')
wrong = []
for room, allowed in sorted(uses.items()):
    folder = root / room
    if not folder.is_dir():
        wrong.append(f"{room}/: in the table, not in the tree")
        continue
    for source in sorted(folder.rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
            match = include.match(line)
            if match and match.group(1) in uses and match.group(1) not in allowed:
                wrong.append(f"{source.relative_to(root)}:{number}: {room}/ may not use "
                             f"{match.group(1)}/")
# A folder of sources that is not in the table is a room nobody placed; the
# tests and the benches may use every room.
for folder in sorted(root.iterdir()):
    if folder.is_dir() and folder.name not in set(uses) | {"tests", "bench"} and any(folder.glob("*.cpp")):
        wrong.append(f"{folder.name}/: sources in a folder the table does not name")
print("\n".join(wrong))
sys.exit(1 if wrong else 0)
