"""Seeing and driving the program on the virtual desktop (scripts/virtual_desktop.py) through
X11 tools alone, as a person would."""

import re
import subprocess
import sys
import time
from collections import Counter
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
from virtual_desktop import VirtualDesktop, signals_held, start_session_bus  # noqa: E402,F401

# A blinking text cursor may differ between two pictures of the same text; no more than this.
CARET_PIXELS = 60


def pixels_differing(first: bytes, second: bytes) -> int:
    if len(first) != len(second):
        return max(len(first), len(second)) // 3
    return sum(1 for i in range(0, len(first), 3) if first[i:i + 3] != second[i:i + 3])


class Desktop(VirtualDesktop):
    """The virtual desktop with the tools that look at and drive its windows; they run with its
    display, its bus and a UTF-8 locale. With a `home`, programs get that folder as their home
    and none of the caller's XDG folders, so what they write can be checked."""

    def __init__(self, home: Path | None = None, **desktop):
        super().__init__(**desktop)
        self.env["LC_ALL"] = "C.UTF-8"
        if home is not None:
            self.env["HOME"] = str(home)
            for name in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"):
                self.env.pop(name, None)

    # Windows.
    def find_windows(self, name_pattern: str):
        output = self.tool("xdotool", "search", "--onlyvisible", "--name", name_pattern,
                           check=False)
        return [int(line) for line in output.split()]

    def wait_window(self, name_pattern: str, timeout=10.0, exclude=()):
        found = []

        def appeared():
            found[:] = [w for w in self.find_windows(name_pattern) if w not in exclude]
            return bool(found)

        return found[0] if self.wait_until(appeared, timeout) else None

    def window_name(self, window: int) -> str:
        return self.tool("xdotool", "getwindowname", str(window), check=False).rstrip("\n")

    def geometry(self, window: int):
        output = self.tool("xdotool", "getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=", 1) for line in output.split())
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def is_above(self, window: int) -> bool:
        return "_NET_WM_STATE_ABOVE" in self.tool("xprop", "-id", str(window), "_NET_WM_STATE",
                                                  check=False)

    def _frame_of(self, window: int) -> int:
        """The top-level ancestor of a client window (the window manager's frame)."""
        current = window
        while True:
            output = self.tool("xwininfo", "-children", "-id", str(current), check=False)
            match = re.search(r"Parent window id: (0x[0-9a-f]+)", output)
            root = re.search(r"Root window id: (0x[0-9a-f]+)", output)
            if not match or not root or match.group(1) == root.group(1):
                return current
            current = int(match.group(1), 16)

    def stacking(self):
        output = self.tool("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
        return [int(value, 16) for value in re.findall(r"0x[0-9a-f]+", output)]

    def _client_of(self, window: int, stack):
        """The managed client for a window id, which may be the client itself or a child."""
        if window in stack:
            return window
        for client in stack:
            if self._frame_of(client) == self._frame_of(window):
                return client
        return window

    def stacked_above(self, upper: int, lower: int) -> bool:
        stack = self.stacking()  # bottom to top
        upper, lower = self._client_of(upper, stack), self._client_of(lower, stack)
        return upper in stack and lower in stack and stack.index(upper) > stack.index(lower)

    def stacking_detail(self, upper: int, lower: int) -> str:
        return f"stacking {[hex(w) for w in self.stacking()]}, want {hex(upper)} over {hex(lower)}"

    def activate(self, window: int):
        self.tool("xdotool", "windowactivate", "--sync", str(window), check=False)
        time.sleep(0.2)

    def start_other_window(self) -> int:
        """An ordinary window from another program, placed over ours."""
        self.spawn(["xmessage", "-geometry", "600x450+0+0", "-name", "other",
                     "an ordinary window"])
        return self.wait_window("^other$|^xmessage$")

    # Input.
    def key(self, *keys):
        self.tool("xdotool", "key", "--delay", "30", *keys, check=False)
        time.sleep(0.15)

    def type_text(self, text: str):
        self.tool("xdotool", "type", "--delay", "15", text, check=False)

    def drag(self, source: int, target: int, x: int, y: int):
        """Drags from the middle of `source` to (x, y) of `target` with the left button, in steps
        as a hand would, so the toolkits see a drag begin and cross into the target."""
        self.tool("xdotool", "windowmove", "--sync", str(source), "900", "650", check=False)
        sx, sy, width, height = self.geometry(source)
        start = (sx + width // 2, sy + height // 2)
        tx, ty, _, _ = self.geometry(target)
        self.tool("xdotool", "mousemove", *map(str, start))
        self.tool("xdotool", "mousedown", "1")
        for step in range(1, 11):
            self.tool("xdotool", "mousemove", str(start[0] + (tx + x - start[0]) * step // 10),
                      str(start[1] + (ty + y - start[1]) * step // 10))
            time.sleep(0.05)
        time.sleep(0.3)
        self.tool("xdotool", "mouseup", "1")

    def click(self, window: int, x: int, y: int, button: int, modifiers=()):
        left, top, _, _ = self.geometry(window)
        self.tool("xdotool", "mousemove", str(left + x), str(top + y))  # --sync hangs when already there
        time.sleep(0.1)
        for modifier in modifiers:
            self.tool("xdotool", "keydown", modifier)
        self.tool("xdotool", "click", str(button))
        for modifier in reversed(modifiers):
            self.tool("xdotool", "keyup", modifier)

    # Clipboard and pictures.
    def clipboard(self) -> str:
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                capture_output=True, timeout=10)
        return result.stdout.decode("utf-8", errors="replace")

    def set_clipboard(self, text: str):
        # xclip stays in the background serving the selection until someone else takes it.
        # Its output goes nowhere: it would say "X connection broken" when the display ends.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], env=self.env,
                       input=text.encode("utf-8"), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=10)

    def clear_clipboard(self):
        self.set_clipboard("")

    def capture_screen(self) -> bytes:
        """The whole screen, menus and every window on it."""
        return self.capture("root")

    def capture(self, window) -> bytes:
        result = subprocess.run(["import", "-window", str(window), "rgb:-"], env=self.env,
                                capture_output=True, timeout=30)
        return result.stdout

    def wait_drawn(self, window: int, timeout=10.0) -> bool:
        """Until the window shows text on its background, the same in two pictures a moment
        apart but for a caret: laid out and painted. A window not yet painted shows one colour,
        or whatever lay under it."""
        pictures = [self.capture(window)]

        def drawn():
            pictures.append(self.capture(window))
            picture, before = pictures[-1], pictures[-2]
            pixels = Counter(picture[i:i + 3] for i in range(0, len(picture), 3))
            total = len(picture) // 3
            background = pixels.most_common(1)[0][1] if pixels else 0
            return (0.6 * total <= background <= total - CARET_PIXELS
                    and pixels_differing(picture, before) < CARET_PIXELS)

        return self.wait_until(drawn, timeout=timeout, interval=0.1)

    def screenshot(self, path: Path, window: int, margin: int = 0):
        x, y, width, height = self.geometry(window)
        crop = f"{width + 2 * margin}x{height + 2 * margin + 30}+{max(x - margin, 0)}+{max(y - margin - 30, 0)}"
        subprocess.run(["import", "-window", "root", "-crop", crop, "+repage", str(path)],
                       env=self.env, check=False, timeout=30)


class Program:
    """The program under test: started, driven through its menu and dialogs, and stopped."""

    def __init__(self, desktop: Desktop, command, env=None, cwd=None):
        self.desktop = desktop
        self.command = list(command)
        self.env = dict(env or {})  # over the desktop's own
        self.cwd = cwd
        self.process = None
        self.window = None

    # Wine's first start in a new prefix brings up its services too, which on a busy machine
    # has taken longer than half a minute.
    START_TIMEOUT = 30

    def start(self, window_name="^Form1$"):
        """Started, and its window found by its caption (a pattern) and drawn."""
        self.process = self.desktop.spawn(self.command, env={**self.desktop.env, **self.env},
                                          cwd=self.cwd)
        self.window = self.desktop.wait_window(window_name, timeout=self.START_TIMEOUT)
        if self.window is not None:
            self.desktop.wait_drawn(self.window)
        return self.window

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()

    def wait_exit(self, timeout=10.0):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None

    def menu_windows(self):
        """Open popup menus of the program: ours is the one whose window is named hoppu."""
        return self.desktop.find_windows("^hoppu$")

    # How long a menu may take to show after the click that opens it.
    MENU_WAIT = 5.0
    # After a click has shown it was handled, how long its menu may still take to follow.
    SETTLE = 0.5

    def open_menu(self, modifiers=("shift",), button=3, wait=MENU_WAIT) -> bool:
        self.desktop.activate(self.window)
        self.desktop.click(self.window, 120, 90, button, modifiers)
        return self.desktop.wait_until(lambda: bool(self.menu_windows()), timeout=wait)

    def click_handled(self, modifiers, button) -> bool:
        """Clicks and waits until a menu shows or the screen changes by more than a caret's
        blink (a menu of the text box's own, a selection, the caret moved): the click was
        handled. A click that changes nothing is waited on as long as a menu may take to show.
        True when a menu of any kind shows."""
        self.desktop.activate(self.window)
        before = self.desktop.capture_screen()
        self.desktop.click(self.window, 120, 90, button, modifiers)
        changed = self.desktop.wait_until(
            lambda: bool(self.menu_windows()) or
            pixels_differing(self.desktop.capture_screen(), before) > CARET_PIXELS,
            timeout=self.MENU_WAIT)
        if changed:  # whatever the click shows has begun to: give its menu a moment more
            self.desktop.wait_until(lambda: bool(self.menu_windows()), timeout=self.SETTLE)
        return bool(self.menu_windows())

    def opens_our_menu(self, modifiers, button) -> bool:
        """Whether this click opens the command menu; leaves nothing open."""
        opened = self.click_handled(modifiers, button)
        self.desktop.key("Escape")
        self.desktop.key("Escape")
        return opened

    def choose(self, position: int):
        if not self.open_menu():
            self.desktop.key("Escape", "Escape", "Escape")  # whatever was left open
            if not self.open_menu():
                raise RuntimeError("the command menu did not open")
        self.desktop.key(*(["Down"] * position), "Return")

    DIALOG_NAMES = "^(開く|フォントの選択|フォント)$"

    def wait_dialog(self, timeout=10.0):
        return self.desktop.wait_window(self.DIALOG_NAMES, timeout=timeout)

    def wait_dialog_closed(self, timeout=10.0) -> bool:
        return self.desktop.wait_until(lambda: not self.desktop.find_windows(self.DIALOG_NAMES),
                                       timeout=timeout)

    def type_path(self, path: str):
        # Pasted rather than typed: xdotool cannot type every character (emoji) reliably.
        self.desktop.set_clipboard(path)
        self.desktop.key("ctrl+a", "ctrl+v")

    def wait_caption(self, expected: str, timeout=10.0) -> str:
        self.desktop.wait_until(lambda: self.desktop.window_name(self.window) == expected,
                                timeout=timeout)
        return self.desktop.window_name(self.window)

    def copy_text(self) -> str:
        self.desktop.clear_clipboard()
        self.desktop.activate(self.window)
        self.desktop.key("ctrl+a", "ctrl+c")
        # Wine hands the clipboard to X late on a busy machine; an empty box is rarer than that.
        self.desktop.wait_until(lambda: self.desktop.clipboard() != "", timeout=5)
        return self.desktop.clipboard()

    def set_font_size(self, size: str):
        # Alt+S is the size box's access key in the Japanese dialog, サイズ(S).
        self.desktop.key("alt+s", "ctrl+a")
        self.desktop.type_text(size)
        self.desktop.key("Return")

    @staticmethod
    def windows_path(path: Path) -> str:
        return "Z:" + str(path).replace("/", "\\")


class WineProgram(Program):
    """The Windows build under Wine. Win32 menus are unnamed windows, so ours is told from the
    text box's own menu by what its first item does: ours opens the file dialog."""

    DIALOG_NAMES = "^(開く|フォント|Open|Font)$"
    START_TIMEOUT = 120

    def __init__(self, desktop: Desktop, command, env=None, cwd=None):
        super().__init__(desktop, ["wine"] + list(command), env, cwd)

    def menu_windows(self):
        output = self.desktop.tool("xdotool", "search", "--onlyvisible", "--class",
                                   "ontopview.exe", check=False)
        return [int(w) for w in output.split()
                if int(w) != self.window and self.desktop.window_name(int(w)) == ""]

    def opens_our_menu(self, modifiers, button) -> bool:
        if not self.click_handled(modifiers, button):
            self.desktop.key("Escape", "Escape")  # whatever the click began
            return False
        # A menu: ours when its first item opens the file dialog, waited for as long as the
        # open command waits for it. The menu closing shows the item was taken.
        self.desktop.key("Down", "Return")
        self.desktop.wait_until(lambda: not self.menu_windows(), timeout=self.MENU_WAIT)
        dialog = self.wait_dialog()
        self.desktop.key("Escape")
        if dialog is not None:
            self.wait_dialog_closed()
        return dialog is not None

    def copy_text(self) -> str:
        # The clipboard carries Windows line breaks; the lines are what is compared. Wine hands
        # X the whole clipboard block, so whatever follows the text's terminating NUL is dropped.
        return super().copy_text().split("\0")[0].replace("\r\n", "\n")
