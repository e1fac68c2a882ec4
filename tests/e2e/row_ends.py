"""A wrapped Japanese paragraph read back row by row as a user would check what each row holds:
Home, Shift+End and copy, then Down to the next row. The rows must join up to the paragraph, each
with its last character."""

import re
from pathlib import Path

from desktop import Program, WineProgram

NAME = "Home, Shift+End and copy on each row of a wrapped Japanese paragraph join up to it"

# One line of some 150 characters, with 。、「」 (no row may start with the first two or end with 「).
PARAGRAPH = ("吾輩は猫である。名前はまだ無い。「どこで生れたか」とんと見当がつかぬ。何でも薄暗いじめじめした"
             "所でニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを見た。しかも"
             "あとで聞くとそれは書生という人間中で一番獰悪な種族であったそうだ。")
MOST_ROWS = 60


def check_row_ends(checks, desktop, program_command, windows, folder: Path):
    path = folder / "段落.txt"
    path.write_bytes((PARAGRAPH + "\n").encode("utf-8"))
    argument = Program.windows_path(path) if windows else str(path)
    program = (WineProgram if windows else Program)(desktop, list(program_command) + [argument])
    window = program.start(window_name=re.escape(path.name) + "$")
    if window is None:
        checks.check(NAME, False, "the window did not appear")
        program.stop()
        return
    desktop.activate(window)
    desktop.key("ctrl+Home")
    rows = []
    while len(rows) < MOST_ROWS:
        desktop.clear_clipboard()
        desktop.key("Home", "shift+End", "ctrl+c")
        desktop.wait_until(lambda: desktop.clipboard() != "", timeout=2)
        row = desktop.clipboard().split("\0")[0]  # Wine hands X the clipboard's whole block
        if not row:  # the empty line after the paragraph: nothing selected, nothing copied
            break
        rows.append(row)
        desktop.key("Down")
    checks.check(NAME, len(rows) > 2 and "".join(rows) == PARAGRAPH, repr(rows))
    desktop.key("alt+F4")
    program.wait_exit()  # kills it if it does not end
