#!/usr/bin/env python3
"""Fails when a source file under src/ includes a file of a layer above its own.

Every project include is written from src/ ("core/host/window.h"), so its first folders name
its layer. With --self-test, also checks that a tree with upward includes is caught.
"""
import pathlib
import re
import sys
import tempfile

# Each layer and the layers it may include, itself included; the first prefix that matches wins.
ALLOWED = [
    ("core/host/", ["core/host/"]),
    ("core/", ["core/"]),
    ("text/", ["text/", "core/host/"]),
    ("platform/common/", ["platform/common/", "core/", "text/"]),
    ("platform/scintilla/", ["platform/scintilla/", "platform/common/", "core/", "text/"]),
    ("platform/qt/", ["platform/qt/", "platform/scintilla/", "platform/common/", "core/", "text/"]),
    ("platform/win32/", ["platform/win32/", "platform/scintilla/", "platform/common/", "core/", "text/"]),
]
# An operating system's half is for that system's code alone.
SYSTEM_HALVES = {"text/posix/": "posix", "text/win32/": "win32"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    return next((layer for layer, _ in ALLOWED if path.startswith(layer)), None)


def system_of(path):
    return next((system for prefix, system in SYSTEM_HALVES.items() if path.startswith(prefix)),
                "win32" if path.startswith("platform/win32/") else
                "posix" if path.startswith("platform/qt/") else None)


def faults(src):
    found = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp", ".in") or not file.is_file():
            continue
        here = file.relative_to(src).as_posix()
        layer = layer_of(here)
        if layer is None:
            found.append(f"{here}: not in any layer's folder")
            continue
        allowed = dict(ALLOWED)[layer]
        for target in INCLUDE.findall(file.read_text(encoding="utf-8")):
            if not (src / target).exists():  # generated, or one of Scintilla's headers
                continue
            if not any(target.startswith(prefix) for prefix in allowed):
                found.append(f"{here}: includes {target}, above its layer {layer}")
            half = next((s for p, s in SYSTEM_HALVES.items() if target.startswith(p)), None)
            if half and system_of(here) != half:
                found.append(f"{here}: includes {target}, the {half} half of the reader")
    return found


def self_test():
    upward = {"core/window/a.cpp": "platform/qt/b.h", "text/c.cpp": "platform/common/d.h",
              "platform/common/e.cpp": "platform/win32/f.h", "core/host/g.h": "text/h.h",
              "platform/qt/i.cpp": "text/win32/j.h"}
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for source, target in upward.items():
            for path, text in ((source, f'#include "{target}"\n'), (target, "")):
                (root / path).parent.mkdir(parents=True, exist_ok=True)
                (root / path).write_text(text)
        caught = {line.split(":")[0] for line in faults(root)}
    missed = sorted(set(upward) - caught)
    if missed:
        print("the check lets these upward includes through:", *missed, sep="\n  ")
    return not missed


def main():
    src = pathlib.Path(sys.argv[1])
    found = faults(src)
    for line in found:
        print(line)
    ok = not found and ("--self-test" not in sys.argv or self_test())
    print("layering: ok" if ok else "layering: faults above")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
