#!/usr/bin/env python3
"""The one virtual desktop every script, benchmark and end-to-end test runs on: Xvfb on a display
it picks itself, openbox waited for, a D-Bus session bus and, for the Windows program, Wine in a
prefix with the font links, kept running by a console for as long as the desktop lives.

From a shell, `run` starts a command on a desktop of its own and tears the desktop down after it:

    python3 scripts/virtual_desktop.py run [--size WxH] [--wine | --wine-prefix DIR] [--dpi N]
        -- COMMAND [ARGS...]

The command gets DISPLAY, XDG_RUNTIME_DIR and DBUS_SESSION_BUS_ADDRESS, with Wine also WINEPREFIX,
WINEDEBUG and WINEDLLOVERRIDES; its exit status is the helper's.
"""

import argparse
import contextlib
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WINE_PREFIX_SCRIPT = ROOT / "scripts" / "wine-prefix.sh"
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def wait_until(condition, timeout=10.0, interval=0.05) -> bool:
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(interval)
    return condition()


def read_line(fd: int, timeout: float) -> str:
    """The first line a child writes to the pipe `fd` (closed here), or "" when it ends the
    pipe or writes no whole line in `timeout` seconds: a child that hangs must not hang us."""
    deadline = time.monotonic() + timeout
    data = b""
    try:
        while b"\n" not in data:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                return ""
            chunk = os.read(fd, 256)
            if not chunk:
                break
            data += chunk
    finally:
        os.close(fd)
    return data.split(b"\n", 1)[0].decode(errors="replace").strip()


def start_session_bus(spawn, address: str) -> str:
    """dbus-daemon listening at `address`, started through `spawn` (which takes a command and
    Popen's keywords); returns the bus's address once it listens, when others may use it."""
    read_end, write_end = os.pipe()
    spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--address={address}",
           f"--print-address={write_end}"], pass_fds=(write_end,))
    os.close(write_end)
    bus = read_line(read_end, timeout=30)
    if not bus:
        raise RuntimeError("dbus-daemon did not start")
    return bus


@contextlib.contextmanager
def signals_held():
    """A tear-down runs whole: a time-out (SIGALRM), Ctrl+C or an ending signal arriving
    meanwhile is taken after it."""
    held = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGALRM, signal.SIGTERM,
                                                     signal.SIGHUP, signal.SIGINT})
    try:
        yield
    finally:
        signal.pthread_sigmask(signal.SIG_SETMASK, held)


def end_on_signals():
    """SIGTERM and SIGHUP raise SystemExit in the main thread, as Ctrl+C raises
    KeyboardInterrupt, so `with` blocks tear their desktops down however the run is ended
    (a killed shell, a runner's time-out). Handlers the program set itself are left alone."""
    if threading.current_thread() is not threading.main_thread():
        return

    def ended_by(signal_number, _frame):
        raise SystemExit(128 + signal_number)

    for signal_number in (signal.SIGTERM, signal.SIGHUP):
        if signal.getsignal(signal_number) in (signal.SIG_DFL, None):
            signal.signal(signal_number, ended_by)


class VirtualDesktop:
    """Xvfb with openbox and a session bus, and Wine when asked for (`wine`, or a `wine_prefix`
    folder, made when missing; `dpi` sets the prefix's logical DPI). Whatever runs on it gets
    `env`; everything started here ends with the `with` block."""

    def __init__(self, size="1024x768", wine=False, wine_prefix=None, dpi=None):
        if dpi is not None and not (wine or wine_prefix):
            raise ValueError("a DPI is set in a Wine prefix: ask for Wine too")
        self.size = size
        self.folder = Path(tempfile.mkdtemp(prefix="ontopview-desktop-"))
        self.runtime = self.folder / "runtime"
        self.runtime.mkdir(mode=0o700)
        self.wine_prefix = (Path(wine_prefix).resolve() if wine_prefix
                            else self.folder / "wine" if wine else None)
        self.dpi = dpi
        self.processes = []
        self.keep_alive = None
        self.wine_started = False
        self.env = dict(os.environ)
        self.env["XDG_RUNTIME_DIR"] = str(self.runtime)
        # Programs started here show on this display, whatever the caller's session uses.
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            self.env.pop(name, None)

    def __enter__(self):
        end_on_signals()
        try:
            self._start_display()
            self._start_session_bus()
            self._start_window_manager()
            if self.wine_prefix is not None:
                self._start_wine()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        with signals_held():
            self._tear_down()
        return False

    def _tear_down(self):
        if self.keep_alive is not None:
            self.keep_alive.stdin.close()
        if self.wine_started:  # the prefix's server and every program still running in it
            try:
                self.wine("wineserver", "-k", check=False, timeout=30)
            except subprocess.TimeoutExpired:
                pass  # the display and the rest still go
        for process in reversed(self.processes):
            process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    # The desktop.
    def _start_display(self):
        """Xvfb picks a free display itself and writes its number to the pipe once it takes
        connections, so no two desktops on the machine ever meet."""
        read_end, write_end = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.size}x24",
                    "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        number = read_line(read_end, timeout=30)
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = f":{number}"
        if not wait_until(lambda: self.quiet(["xdpyinfo"]) == 0, timeout=10):
            raise RuntimeError(f"Xvfb on :{number} does not answer")

    def _start_session_bus(self):
        """A session bus of the desktop's own, as every desktop has: without one, a program's
        libdbus may start one itself (dbus-launch, where dbus-x11 is installed) and write its
        address into the home folder. Its socket lives in the runtime folder."""
        self.env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(self.spawn,
                                                                 f"unix:dir={self.runtime}")

    def _start_window_manager(self, attempts=3):
        """openbox, its log kept out of the home: ready once it names itself on the root window.
        Now and then it cannot open a display that has only just started, and says so and ends:
        it is tried again rather than leaving a desktop without one."""
        for _ in range(attempts):
            openbox = self.spawn(["openbox"],
                                 env={**self.env, "XDG_CACHE_HOME": str(self.runtime)})
            wait_until(lambda: openbox.poll() is not None or self.window_manager_ready(),
                       timeout=10)
            if openbox.poll() is None and self.window_manager_ready():
                return
            time.sleep(0.5)  # before trying again
        raise RuntimeError("openbox did not start")

    def window_manager_ready(self) -> bool:
        output = self.tool("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False)
        return "window id" in output

    # Wine.
    def _start_wine(self):
        """The prefix (made by wine-prefix.sh when missing), its DPI, and a console waiting on
        a pipe only this helper writes to. Wine's background processes (services, the desktop
        window) start with the first program and inherit its output: started by ones whose
        output goes nowhere, they hold none of the caller's pipes open (ctest waits on those),
        and the console keeps them running until the desktop ends, as on a desktop where Wine
        is in use."""
        self.env.update({"WINEPREFIX": str(self.wine_prefix), "WINEDEBUG": "-all",
                         "WINEDLLOVERRIDES": "mscoree,mshtml="})
        self.wine_started = True
        if not (self.wine_prefix / "system.reg").exists():
            self.wine(str(WINE_PREFIX_SCRIPT), timeout=600)
        if self.dpi is not None:
            self.wine("wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                      "/t", "REG_DWORD", "/d", str(self.dpi), "/f")
        self.keep_alive = self.spawn(["wine", "cmd.exe"], stdin=subprocess.PIPE)
        # Returns once Wine has started its services and desktop window for the prefix.
        self.wine("wine", "cmd.exe", "/c", "exit", timeout=300)

    def wine(self, *command, check=True, timeout=120):
        """A Wine tool run to its end, its output going nowhere (see _start_wine)."""
        result = subprocess.run(command, env=self.env, timeout=timeout, **QUIET)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(command)} failed with status {result.returncode}")

    # Processes and tools.
    def spawn(self, command, env=None, **kwargs):
        """A process that lives as long as the desktop, its output going nowhere."""
        process = subprocess.Popen(command, env=env or self.env, **QUIET, **kwargs)
        self.processes.append(process)
        return process

    def quiet(self, command, timeout=30) -> int:
        return subprocess.run(command, env=self.env, timeout=timeout, **QUIET).returncode

    def tool(self, *command, check=True) -> str:
        result = subprocess.run(command, env=self.env, capture_output=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f"{command} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("utf-8", errors="replace")

    wait_until = staticmethod(wait_until)


def run(args) -> int:
    """The command on a desktop of its own; its exit status, or 128 + the signal that ended it."""
    end_on_signals()
    try:
        with VirtualDesktop(size=args.size, wine=args.wine, wine_prefix=args.wine_prefix,
                            dpi=args.dpi) as desktop:
            status = subprocess.run(args.command, env=desktop.env).returncode
    # A desktop not set up (a tool failing or hanging), or a command not found.
    except (RuntimeError, OSError, subprocess.SubprocessError) as error:
        print(f"virtual desktop: {error}", file=sys.stderr)
        return 1
    return status if status >= 0 else 128 - status


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="action", required=True)
    on_desktop = commands.add_parser("run", help="run a command on a virtual desktop of its own")
    on_desktop.add_argument("--size", default="1024x768", help="the screen, WIDTHxHEIGHT")
    on_desktop.add_argument("--wine", action="store_true", help="Wine in a fresh prefix")
    on_desktop.add_argument("--wine-prefix", type=Path,
                            help="Wine in this prefix, made when missing")
    on_desktop.add_argument("--dpi", type=int, help="the Wine prefix's logical DPI")
    on_desktop.add_argument("command", nargs=argparse.REMAINDER,
                            help="-- and the command with its arguments")
    args = parser.parse_args()
    if args.command[:1] == ["--"]:
        args.command = args.command[1:]
    if not args.command:
        parser.error("no command to run")
    if args.dpi is not None and not (args.wine or args.wine_prefix):
        parser.error("--dpi goes with --wine or --wine-prefix")
    sys.exit(run(args))


if __name__ == "__main__":
    main()
