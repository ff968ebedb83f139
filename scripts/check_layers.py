#!/usr/bin/env python3
"""Fails when a file under src/ includes a folder above its own.

The folders, lowest first; a file may include its own folder and any folder below it. Folders on one
line are side by side: neither may include the other.
"""
import pathlib
import re
import sys

ORDER = [
    ["platform"],
    ["core"],
    ["menufile"],
    ["popup", "launch"],
    ["editor"],
    ["app"],
]
LEVEL = {folder: level for level, row in enumerate(ORDER) for folder in row}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')


def main() -> int:
    root = pathlib.Path(__file__).resolve().parent.parent / "src"
    faults = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        own = path.relative_to(root).parts[0]
        if own not in LEVEL:
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or match.group(1) not in LEVEL:
                continue
            target = match.group(1)
            if target != own and LEVEL[target] >= LEVEL[own]:
                faults.append(f"src/{path.relative_to(root)}:{number}: {own}/ includes {target}/ (not below it)")
    # The Win32 entry point is the program's start: it alone may call up into app/.
    faults = [f for f in faults if not f.startswith("src/platform/win32/entry.cpp:")]
    for fault in faults:
        print(fault)
    if faults:
        print(f"layering: {len(faults)} include(s) against the order " + " -> ".join("/".join(r) for r in ORDER))
        return 1
    print("layering: every include points down the order " + " -> ".join("/".join(r) for r in ORDER))
    return 0


if __name__ == "__main__":
    sys.exit(main())
