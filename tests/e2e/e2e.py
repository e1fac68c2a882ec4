#!/usr/bin/env python3
"""End-to-end checks of the real program on a virtual display, driven only from outside.

The Linux build runs natively, the Windows build under Wine (--windows). Xvfb gives the display,
openbox the window manager; xdotool presses keys and buttons, xprop reads window state, xclip
reads the clipboard. Prints one line per check and a closing "N passed, M failed" line.
"""

import argparse
import faulthandler
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
from pathlib import Path

from desktop import CARET_PIXELS, Desktop, Program, WineProgram, pixels_differing
from input_method import InputMethod
from row_ends import check_row_ends

INSTRUCTION = "ファイルを読み込んでください。\nShift 右クリックで､ホップメニューの表示｡"

# Keyboard positions of the menu's items; separators are skipped by the arrow keys.
MENU_OPEN, MENU_SAVE, MENU_OVERWRITE, MENU_FONT, MENU_TOP, MENU_END = range(1, 7)


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name, condition, detail=""):
        if condition:
            self.passed += 1
            print(f"ok   {name}", flush=True)
        else:
            self.failed += 1
            print(f"FAIL {name} {detail}", flush=True)
        return condition


def sample_files(folder: Path, windows: bool):
    """Files in every encoding and line ending the reader accepts, with the text expected."""
    lines = ["一行目 ABC", "ｶﾀｶﾅ と 漢字", "last"]
    emoticon_text = "速報です( ﾟдﾟ)ﾊｯ!\na д b\nΑλφα と ∀★ の記事\n"
    joined = "\n".join(lines) + "\n"
    files = {  # the empty file first, so the font is later tried on visible text
        "empty.txt": (b"", ""),
        "utf8_lf.txt": ("\n".join(lines).encode("utf-8"), joined),
        "utf8_bom_crlf.txt": (b"\xef\xbb\xbf" + "\r\n".join(lines).encode("utf-8") + b"\r\n", joined),
        "utf16le_cr.txt": (b"\xff\xfe" + "\r".join(lines).encode("utf-16-le"), joined),
        "sjis_crlf.txt": ("\r\n".join(lines).encode("cp932"), joined),
        # Japanese web text: an emoticon with Cyrillic, Greek and symbols in an EUC-JP feed.
        # Wine's EDIT control died on a lowercase д after a Latin letter.
        "eucjp_emoticon.txt": (emoticon_text.encode("euc_jp"), emoticon_text),
    }
    if not windows:
        files["名前 with spaces 😀.txt"] = ("中身\n".encode("utf-8"), "中身\n")
    written = {}
    for name, (data, expected) in files.items():
        path = folder / name
        path.write_bytes(data)
        written[path] = expected
    return written


def snapshot(*folders):
    """Every file below the folders with its size and modification time."""
    entries = {}
    for folder in folders:
        for root, dirs, names in os.walk(folder):
            for name in dirs + names:
                path = os.path.join(root, name)
                status = os.lstat(path)
                entries[path] = (status.st_size, status.st_mtime_ns)
    return entries


def check_japanese_input(checks, desktop, program_command):
    """Japanese typed through an input method (ibus with anthy as the XIM server) reaches the
    Windows text box whole. Under the C locale Wine hands the program only the committed text;
    under a Japanese one it hands over the composition as it grows as well, which the box composes
    inline, so both are typed."""
    try:
        with InputMethod(desktop) as input_method:
            for label, locale, inline in [("C locale", {}, False),
                                          ("Japanese locale", input_method.japanese_locale(),
                                           True)]:
                program = WineProgram(desktop, program_command,
                                      env={**input_method.client_env, **locale})
                type_japanese(checks, program, label, inline)
    except RuntimeError as error:  # the input method or the locale could not be set up
        checks.check("Japanese input set up", False, str(error))


def type_japanese(checks, program, label, inline):
    """"nihongo", space and Return over the selected instruction must leave exactly 日本語.
    Where the program is handed the composition (`inline`), にほんご shows in the box in place of
    the selection while it is typed, before anything is committed."""
    desktop = program.desktop
    window = program.start()
    if not checks.check(f"starts with ibus as its input method, {label}", window is not None):
        program.stop()
        return
    desktop.activate(window)
    desktop.key("ctrl+a")
    before = desktop.capture(window)
    desktop.type_text("nihongo")
    if inline:
        desktop.wait_until(lambda: pixels_differing(desktop.capture(window), before)
                           > 10 * CARET_PIXELS, timeout=5)
        difference = pixels_differing(desktop.capture(window), before)
        checks.check(f"the composition shows in the box while typed, {label}",
                     difference > 10 * CARET_PIXELS, f"{difference} pixels differ")
    desktop.key("space", "Return")
    text = program.copy_text()
    checks.check(f"nihongo, space, Return through ibus + anthy replace the selection with 日本語, "
                 f"{label}", text == "日本語", repr(text))
    desktop.key("alt+F4")
    checks.check(f"ends after Japanese input, {label}", program.wait_exit() == 0)


def check_files_given(checks, desktop, program_command, windows, folder: Path):
    """The first file on the command line shown at start, a Japanese path given whole or relative
    to the current folder, the caption the path made absolute; a missing one gets the error box
    over the window, which keeps the instruction."""
    path = folder / "引数 メモ.txt"
    path.write_bytes("引数の一行目\r\n二行目".encode("utf-8"))
    missing = folder / "ない.txt"
    absolute = (lambda p: Program.windows_path(p)) if windows else str
    for label, argument, cwd, shown in [("a Japanese path", absolute(path), None, path),
                                        ("a relative path", path.name, folder, path),
                                        ("a missing file", absolute(missing), None, None)]:
        program = (WineProgram if windows else Program)(
            desktop, list(program_command) + [argument, "second.txt"], cwd=cwd)
        window = program.start(window_name=re.escape(path.name) + "$" if shown else "^Form1$")
        error = None if shown else desktop.wait_window("^エラー$", timeout=20)
        if error is not None:
            desktop.key("Return")
            desktop.wait_until(lambda: not desktop.find_windows("^エラー$"))
        caption, text = ((desktop.window_name(window), program.copy_text()) if window else
                         (None, None))
        expected = ((absolute(path), "引数の一行目\n二行目\n") if shown else ("Form1", INSTRUCTION))
        checks.check(f"started with {label}: caption and text", (caption, text) == expected,
                     repr((caption, text)))
        if not shown:
            checks.check(f"started with {label}: the error box over the window", error is not None)
        desktop.key("alt+F4")
        program.wait_exit()  # kills it if it does not end


def check_drops(checks, desktop, program_command, windows, folder: Path):
    """Dragged from another program and dropped on the text box: a Japanese file is shown, a web
    address refused with the error box. Wine hands the drop over as WM_DROPFILES."""
    path = folder / "ドロップ した.txt"
    path.write_bytes("落とした\n".encode("utf-8"))
    program = (WineProgram if windows else Program)(desktop, program_command)
    window = program.start()
    for label, item in [("a file", str(path)), ("a web address", "https://example.com/a.txt")]:
        source = desktop.spawn(["/usr/bin/python3", str(Path(__file__).parent / "drag_source.py"),
                                item])
        source_window = desktop.wait_window("^drag-source$")
        if window is None or source_window is None:
            checks.check(f"{label} dragged onto the window", False, "a window did not appear")
            break
        desktop.drag(source_window, window, 120, 100)
        if label == "a file":
            expected = Program.windows_path(path) if windows else str(path)
            shown = program.wait_caption(expected)
            checks.check(f"{label} dropped on the text box is shown",
                         (shown, program.copy_text()) == (expected, "落とした\n"), repr(shown))
        else:
            error = desktop.wait_window("^エラー$", timeout=10)
            checks.check(f"{label} dropped on the text box is refused with a message",
                         error is not None)
            if error is not None:
                desktop.key("Return")
        source.kill()
    program.stop()
    program.wait_exit()


def check_options(checks, desktop, program_command, windows):
    """--help, --version and an unknown option, with their exit statuses: on Linux on standard
    output or error, with no display needed; on Windows, which has no console, in a box."""
    for option, status, said in [("--help", 0, "最初のファイルだけを表示し"),
                                 ("--version", 0, "ontopview "), ("--bogus", 2, "「--bogus」")]:
        if windows:
            program = WineProgram(desktop, list(program_command) + [option])
            program.process = desktop.spawn(program.command)
            box = desktop.wait_window("^エラー$" if status else "^ontopview$", timeout=120)
            if box is not None:
                desktop.activate(box)
                desktop.key("Return")
            code, output = program.wait_exit(timeout=20), said if box else ""
        else:
            env = {key: value for key, value in desktop.env.items() if key != "DISPLAY"}
            result = subprocess.run(list(program_command) + [option], env=env,
                                    capture_output=True, timeout=30)
            code = result.returncode
            output = (result.stderr if status else result.stdout).decode("utf-8", "replace")
        checks.check(f"{option} is answered with status {status}",
                     code == status and said in output, f"status {code}: {output!r}")


class RunTimedOut(Exception):
    """The run took longer than --timeout: raised in the main thread wherever it waits, so the
    desktop and everything on it are torn down on the way out."""


def stop_after(seconds: float):
    def timed_out(_signal_number, _frame):
        print(f"Stopped after {seconds:.0f} s; where the run was:", file=sys.stderr, flush=True)
        faulthandler.dump_traceback(all_threads=False)
        raise RunTimedOut(f"timed out after {seconds:.0f} s")

    signal.signal(signal.SIGALRM, timed_out)
    signal.setitimer(signal.ITIMER_REAL, seconds)


def run(args) -> int:
    checks = Checks()
    work = Path(tempfile.mkdtemp(prefix="ontopview-e2e-"))
    try:
        return run_checks(args, checks, work)
    except RunTimedOut as error:
        checks.check("the run ends in time", False, str(error))
        print(f"{checks.passed} passed, {checks.failed} failed")
        return 1
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        shutil.rmtree(work, ignore_errors=True)


def run_checks(args, checks, work: Path) -> int:
    home = work / "home"
    files_dir = work / "files"
    home.mkdir()
    files_dir.mkdir()
    shots = Path(args.screenshots)
    shots.mkdir(parents=True, exist_ok=True)
    platform = "windows" if args.windows else "linux"
    samples = sample_files(files_dir, args.windows)
    fifo = files_dir / "pipe.txt"
    os.mkfifo(fifo)
    big = files_dir / "big.txt"
    with open(big, "wb") as handle:  # sparse: over the limit without filling the disk
        handle.truncate(300 * 1024 * 1024)

    with Desktop(home, wine=args.windows) as desktop:
        before = snapshot(home, files_dir)
        program = (WineProgram if args.windows else Program)(desktop, args.program)
        window = program.start()
        checks.check("window Form1 maps", window is not None)
        if window is None:
            program.stop()
            print(f"{checks.passed} passed, {checks.failed + 1} failed")
            return 1

        checks.check("caption is Form1", desktop.window_name(window) == "Form1")
        checks.check("_NET_WM_STATE_ABOVE at start", desktop.is_above(window))
        other = desktop.start_other_window()
        desktop.activate(other)
        checks.check("stays above an activated ordinary window",
                     desktop.stacked_above(window, other),
                     desktop.stacking_detail(window, other))
        text = program.copy_text()
        checks.check("text box holds exactly the two instruction lines", text == INSTRUCTION,
                     repr(text))

        # The menu: Shift + right-click opens ours; other clicks do not.
        menu = program.open_menu()
        checks.check("Shift + right-click opens the command menu", menu)
        desktop.screenshot(shots / f"{platform}-menu.png", window, margin=160)
        desktop.key("Escape")
        # The middle button pastes the X selection into the box: the text box's own doing.
        for label, modifiers, button in [("plain right-click", [], 3),
                                         ("Ctrl+Shift right-click", ["ctrl", "shift"], 3),
                                         ("Alt+Shift right-click", ["alt", "shift"], 3),
                                         ("Shift left-click", ["shift"], 1),
                                         ("Shift middle-click", ["shift"], 2)]:
            checks.check(f"{label} opens no menu of ours",
                         not program.opens_our_menu(modifiers, button))
        text_now = program.copy_text()

        geometry = desktop.geometry(window)
        for item, name in [(MENU_SAVE, "保存"), (MENU_OVERWRITE, "上書き保存")]:
            program.choose(item)
            checks.check(f"{name} changes nothing",
                         program.copy_text() == text_now and desktop.window_name(window) == "Form1")

        # Open: each encoding and ending, then the files that cannot be shown, then cancel.
        for path, expected in samples.items():
            program.choose(MENU_OPEN)
            dialog = program.wait_dialog()
            if not checks.check(f"open dialog appears for {path.name}", dialog is not None):
                continue
            expected_caption = str(path) if not args.windows else program.windows_path(path)
            program.type_path(expected_caption)
            desktop.key("Return")
            shown_caption = program.wait_caption(expected_caption)
            text = program.copy_text()
            checks.check(f"{path.name}: text shown with a line break after every line",
                         text == expected, repr(text[:80]))
            checks.check(f"{path.name}: caption is the path", shown_caption == expected_caption,
                         repr(shown_caption))
        last_caption = desktop.window_name(window)
        last_text = program.copy_text()

        # Wine would block opening a FIFO itself, so the Windows build gets only the big file.
        refused = [("a file over the size limit", big)] + ([] if args.windows else
                                                           [("a FIFO", fifo)])
        for label, path in refused:
            program.choose(MENU_OPEN)
            program.wait_dialog()
            program.type_path(str(path) if not args.windows else program.windows_path(path))
            desktop.key("Return")
            error = desktop.wait_window("^エラー$", timeout=10)
            checks.check(f"{label} gives the error box", error is not None)
            if error is not None:
                desktop.screenshot(shots / f"{platform}-error.png", error, margin=10)
                desktop.key("Return")
                desktop.wait_until(lambda: not desktop.find_windows("^エラー$"))
            checks.check(f"after {label} the caption is kept",
                         desktop.window_name(window) == last_caption)
            checks.check(f"after {label} the text is kept", program.copy_text() == last_text)

        program.choose(MENU_OPEN)
        program.wait_dialog()
        desktop.key("Escape")
        program.wait_dialog_closed()
        text = program.copy_text()  # which gives a late change of caption time to show too
        checks.check("cancelling the open dialog keeps caption and text",
                     desktop.window_name(window) == last_caption and text == last_text)

        # Always on top: off, then on again, the geometry never changing.
        program.choose(MENU_TOP)
        desktop.wait_until(lambda: not desktop.is_above(window))
        checks.check("toggle clears _NET_WM_STATE_ABOVE", not desktop.is_above(window))
        desktop.activate(other)
        checks.check("an ordinary window can now cover ours",
                     desktop.stacked_above(other, window), desktop.stacking_detail(other, window))
        checks.check("geometry unchanged after release", desktop.geometry(window) == geometry,
                     f"{desktop.geometry(window)} != {geometry}")
        program.choose(MENU_TOP)
        desktop.wait_until(lambda: desktop.is_above(window))
        checks.check("toggle sets _NET_WM_STATE_ABOVE again", desktop.is_above(window))
        checks.check("geometry unchanged after re-apply", desktop.geometry(window) == geometry,
                     f"{desktop.geometry(window)} != {geometry}")

        # Font: a bigger size changes what the box shows; cancelling changes nothing.
        desktop.activate(window)
        look = desktop.capture(window)
        program.choose(MENU_FONT)
        font_dialog = program.wait_dialog()
        checks.check("font dialog appears", font_dialog is not None)
        desktop.key("Escape")
        program.wait_dialog_closed()
        # What the dialog covered is drawn again; a changed font would never match.
        desktop.wait_until(lambda: pixels_differing(desktop.capture(window), look)
                           < CARET_PIXELS, timeout=3)
        difference = pixels_differing(desktop.capture(window), look)
        checks.check("cancelling the font dialog changes nothing", difference < CARET_PIXELS,
                     f"{difference} pixels differ")
        program.choose(MENU_FONT)
        program.wait_dialog()
        program.set_font_size("28")
        program.wait_dialog_closed()
        desktop.wait_until(lambda: pixels_differing(desktop.capture(window), look)
                           > 10 * CARET_PIXELS, timeout=5)
        difference = pixels_differing(desktop.capture(window), look)
        checks.check("a chosen size changes the text box's look", difference > 10 * CARET_PIXELS,
                     f"{difference} pixels differ")
        desktop.screenshot(shots / f"{platform}-font.png", window, margin=10)

        # Quit from the menu: at once, with success.
        program.choose(MENU_END)
        code = program.wait_exit()
        checks.check("終わる ends the program with status 0", code == 0, f"status {code}")

        # The close box ends it too.
        window = program.start()
        checks.check("program starts again", window is not None)
        if window is not None:
            desktop.activate(window)
            desktop.key("alt+F4")
            code = program.wait_exit()
            checks.check("the close box ends the program with status 0", code == 0,
                         f"status {code}")

        given = work / "given"  # apart from the folders whose files must stay unchanged
        given.mkdir()
        check_files_given(checks, desktop, args.program, args.windows, given)
        check_drops(checks, desktop, args.program, args.windows, given)
        check_options(checks, desktop, args.program, args.windows)
        check_row_ends(checks, desktop, args.program, args.windows, given)
        if args.windows:
            check_japanese_input(checks, desktop, args.program)

        after = snapshot(home, files_dir)
        changed = sorted(set(after.items()) ^ set(before.items()))
        checks.check("no file created or changed in home or the files' folder", not changed,
                     str(changed[:5]))

    print(f"{checks.passed} passed, {checks.failed} failed")
    return 0 if checks.failed == 0 else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", nargs="+", help="the program to run, e.g. its path")
    parser.add_argument("--windows", action="store_true", help="the program is the .exe")
    parser.add_argument("--screenshots", default="build/e2e", help="where screenshots go")
    parser.add_argument("--timeout", type=float, default=600,
                        help="seconds before the run is stopped, with a stack dump and the "
                             "desktop torn down")
    args = parser.parse_args()
    if Path(args.program[0]).exists():  # some runs start it from another folder
        args.program[0] = str(Path(args.program[0]).resolve())
    stop_after(args.timeout)  # a hang must not go unseen
    sys.exit(run(args))


if __name__ == "__main__":
    main()
