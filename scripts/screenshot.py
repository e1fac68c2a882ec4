#!/usr/bin/env python3
"""Shows a program on a virtual desktop of its own, waits for its window drawn (with --menu, for
its command menu open by Shift + right-click too), saves a screenshot and prints the window's
state, then stops it.

    python3 scripts/screenshot.py [--screenshot FILE] [--menu] [--windows] PROGRAM [ARGS...]
"""

import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from desktop import Desktop, Program, WineProgram  # noqa: E402

# Around the window: its title bar, and room for the menu opened inside it.
MARGIN = 30


def show(args) -> int:
    with Desktop(size="800x600", wine=args.windows) as desktop:
        program = (WineProgram if args.windows else Program)(desktop, args.program)
        try:
            window = program.start()
            if window is None:
                print("The window did not appear.", file=sys.stderr)
                return 1
            if args.menu and not program.open_menu():
                print("The command menu did not open.", file=sys.stderr)
                return 1
            args.screenshot.parent.mkdir(parents=True, exist_ok=True)
            args.screenshot.unlink(missing_ok=True)
            desktop.screenshot(args.screenshot, window, margin=MARGIN)
            if not args.screenshot.exists():
                print(f"No screenshot could be taken at {args.screenshot}.", file=sys.stderr)
                return 1
            print(f"Screenshot saved: {args.screenshot}")
            state = desktop.tool("xprop", "-id", str(window), "_NET_WM_STATE", check=False)
            print(f"Window state: {state.strip()}")
            return 0
        finally:
            program.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--screenshot", type=Path, default=Path("build/screenshot.png"))
    parser.add_argument("--menu", action="store_true", help="with the command menu open")
    parser.add_argument("--windows", action="store_true",
                        help="the program is the .exe: run it under Wine")
    parser.add_argument("program", nargs=argparse.REMAINDER, help="the program and its arguments")
    args = parser.parse_args()
    if not args.program:
        parser.error("no program to show")
    sys.exit(show(args))


if __name__ == "__main__":
    main()
