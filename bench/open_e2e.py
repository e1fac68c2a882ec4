#!/usr/bin/env python3
"""Opening 1, 10 and 100 MiB files end to end in the real program on a virtual display.

Each run starts the program, chooses 開く from its menu, pastes the file's path into the open
dialog and hands over to open_probe, which presses Return and times until the caption is the
path and the text is drawn, or until the program's error box says it refused the file. Prints
medians per size and the program's memory after the open.
"""

import argparse
import math
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from desktop import Desktop, Program, WineProgram  # noqa: E402

MENU_OPEN = 1
MIB = 1024 * 1024
# Lines of text fill the window from top to bottom: dark pixels in this many pixel rows at least,
# where the two-line instruction crosses about 30 and a dialog's leftover picture about 45.
MIN_TEXT_ROWS = 70
LINES = [
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
    "The quick brown fox jumps over the lazy dog; 0123456789 ABCDEFGHIJ.",
    "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.",
]


def ordinary_lines(size: int) -> bytes:
    """UTF-8 text with CR LF endings, numbered lines, as many as fit in `size` bytes (256 MiB of
    them is a file the program takes)."""
    blocks = []
    written = 0
    number = 0
    while written < size:
        block = "".join(f"{n:07d} {LINES[n % len(LINES)]}\r\n"
                        for n in range(number, number + 1000)).encode("utf-8")
        blocks.append(block)
        written += len(block)
        number += 1000
    text = b"".join(blocks)
    return text if len(text) <= size else text[:text.rfind(b"\r\n", 0, size - 1) + 2]


# The further files by name: an unbroken run of letters or a line of Japanese prose between
# lines, or empty lines alone.
FILES = {
    "run64k": ("run 64 KiB", "run", 64 * 1024),
    "run512k": ("run 512 KiB", "run", 512 * 1024),
    "run2m": ("run 2 MiB", "run", 2 * MIB),
    "run16m": ("run 16 MiB", "run", 16 * MIB),
    "run32m": ("run 32 MiB", "run", 32 * MIB),
    "japanese8m": ("Japanese 8 MiB", "japanese", 8 * MIB),
    "empty1m": ("10^6 empty", "empty", 1_000_000),
}


def make_file(path: Path, kind: str, size: int):
    """Ordinary lines of `size` bytes; an unbroken run of `size` letters, or a line of `size`
    bytes of Japanese prose, between 16 KiB of them on either side; or `size` empty lines."""
    with open(path, "wb") as out:
        if kind == "lines":
            out.write(ordinary_lines(size))
        elif kind == "run":
            around = ordinary_lines(16 * 1024)
            letters = bytes(ord("a") + i % 26 for i in range(26))
            out.write(around + (letters * (size // 26 + 1))[:size] + b"\r\n" + around)
        elif kind == "japanese":
            around = ordinary_lines(16 * 1024)
            prose = (LINES[0] + LINES[2]).encode("utf-8")
            out.write(around + prose * (size // len(prose)) + b"\r\n" + around)
        elif kind == "empty":
            out.write(b"\r\n" * size)


def one_open(desktop: Desktop, program: Program, probe: Path, caption: str, min_rows: int):
    window = program.start()
    if window is None:
        raise RuntimeError("the program showed no window")
    try:
        program.choose(MENU_OPEN)
        if program.wait_dialog() is None:
            raise RuntimeError("the open dialog did not appear")
        program.type_path(caption)
        time.sleep(0.5)  # the pasted path settles before the clock starts
        result = subprocess.run([str(probe), str(window), caption, str(min_rows)],
                                env=desktop.env, capture_output=True, text=True, timeout=900)
        if result.returncode != 0:
            raise RuntimeError(result.stderr.strip())
        fields = result.stdout.split()
        if fields[0] == "refused":  # the program's error box: no text, its time and memory
            return [float(fields[1]), float("nan"), float(fields[2]), float(fields[3])]
        return [float(value) for value in fields]
    finally:
        program.stop()
        program.wait_exit()


def measure_sizes(desktop: Desktop, args, work: Path):
    program = (WineProgram if args.windows else Program)(desktop, [args.program])
    print(f"Opening end to end: Return in the open dialog to the text shown, "
          f"median of {args.runs} runs", flush=True)
    print(f"{'file':>11} {'caption ms':>11} {'text ms':>9} {'MB/s':>7} "
          f"{'VmRSS MiB':>10} {'VmHWM MiB':>10}", flush=True)
    files = [(f"{size} MiB", "lines", size * MIB)
             for size in (int(value) for value in args.sizes.split(",") if value)]
    files += [FILES[name] for name in args.files.split(",") if name]
    for label, kind, size in files:
        path = work / f"{kind}_{size}.txt"
        make_file(path, kind, size)
        caption = program.windows_path(path) if args.windows else str(path)
        # Empty lines draw nothing: the caption, set once the text is in, is the end.
        min_rows = 0 if kind == "empty" else MIN_TEXT_ROWS
        runs = [one_open(desktop, program, Path(args.probe), caption, min_rows)
                for _ in range(args.runs)]
        caption_ms, text_ms, rss, hwm = (statistics.median(column) for column in zip(*runs))
        megabytes = path.stat().st_size / 1e6
        if math.isnan(text_ms):
            print(f"{label:>11} refused with a message after {caption_ms:.0f} ms "
                  f"{rss:>10.0f} {hwm:>10.0f}", flush=True)
        else:
            print(f"{label:>11} {caption_ms:>11.0f} {text_ms:>9.0f} "
                  f"{megabytes / (text_ms / 1000):>7.1f} {rss:>10.0f} {hwm:>10.0f}",
                  flush=True)
        path.unlink()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", help="the program: the Linux binary or the .exe")
    parser.add_argument("--probe", required=True, help="the open_probe binary")
    parser.add_argument("--windows", action="store_true", help="run the .exe under Wine")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--sizes", default="1,10,100", help="ordinary files' sizes in MiB")
    parser.add_argument("--files", default="",
                        help="further files, from: " + ",".join(FILES))
    args = parser.parse_args()

    work = Path(tempfile.mkdtemp(prefix="ontopview-open-bench-"))
    home = work / "home"
    home.mkdir()
    try:
        # Wine, when asked for, in a prefix of its own with its background processes kept
        # running between the runs, as on a desktop where Wine is in use.
        with Desktop(home, wine=args.windows) as desktop:
            measure_sizes(desktop, args, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
