"""ibus with anthy as the X input method of a virtual desktop, kept in a folder of its own."""

import os
import shutil
import signal
import subprocess
import tempfile
from pathlib import Path

from desktop import signals_held, start_session_bus

# The anthy engine is a Python program started as "python3": it needs the system's Python, whose
# gi and ibus modules it imports, before any other Python on PATH.
SYSTEM_PROGRAMS = "/usr/bin"
ENGINE = "anthy"
ANTHY_SETTINGS = "org.freedesktop.ibus.engine.anthy.common"
HIRAGANA = "0"  # anthy's input-mode; it starts in Latin letters otherwise
JAPANESE_LOCALE = "ja_JP.UTF-8"


class InputMethod:
    """ibus-daemon as the desktop's XIM server with anthy typing hiragana, on a D-Bus session bus
    of its own. Its settings, caches and sockets live in a temporary folder, never in the home the
    program is checked against; `client_env` is what a program needs to use it."""

    client_env = {"XMODIFIERS": "@im=ibus"}

    def __init__(self, desktop):
        self.desktop = desktop
        self.folder = Path(tempfile.mkdtemp(prefix="ontopview-ime-"))
        self.groups = []
        self.env = dict(desktop.env)
        for name in ("HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                     "XDG_RUNTIME_DIR"):
            path = self.folder / name.lower()
            path.mkdir(mode=0o700)
            self.env[name] = str(path)
        self.env.update({
            "PATH": SYSTEM_PROGRAMS + os.pathsep + os.environ.get("PATH", ""),
            # ibus' GTK parts would otherwise start an accessibility bus of their own.
            "NO_AT_BRIDGE": "1",
            "GTK_A11Y": "none",
        })

    def __enter__(self):
        try:
            self._start_bus()
            self._run("gsettings", "set", ANTHY_SETTINGS, "input-mode", HIRAGANA)
            self._start_ibus()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        """Each daemon was started as the head of a process group, which its helpers (ibus-x11,
        the engine, dconf-service) joined: ending the groups ends them all."""
        with signals_held():
            for group in reversed(self.groups):
                self._end_group(group)
            shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def japanese_locale(self) -> dict:
        """The environment of a program run in Japanese: the locale compiled into this folder, so
        the machine needs no locale of its own generated."""
        locales = self.folder / "locales"
        if not (locales / JAPANESE_LOCALE).is_dir():
            locales.mkdir(exist_ok=True)
            self._run("localedef", "-i", "ja_JP", "-f", "UTF-8", str(locales / JAPANESE_LOCALE))
        return {"LOCPATH": str(locales), "LC_ALL": JAPANESE_LOCALE}

    # The daemons.
    def _start_bus(self):
        """A session bus at a socket in this folder."""
        self.env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(
            self._start_group, f"unix:path={self.folder / 'bus'}")

    def _start_ibus(self):
        """ibus-daemon with its XIM server and no panel or emoji window, then anthy as the engine
        every input context gets. Programs find an XIM server through the root window's
        XIM_SERVERS property, so it is waited for before any program starts."""
        self._start_group(["ibus-daemon", "--xim", "--panel=disable",
                           "--emoji-extension=disable"])
        if not self.desktop.wait_until(self._engine_selected, timeout=30, interval=0.5):
            raise RuntimeError(f"ibus did not take {ENGINE} as its engine")
        if not self.desktop.wait_until(self._xim_server_ready, timeout=30, interval=0.2):
            raise RuntimeError("ibus' XIM server did not appear")

    def _engine_selected(self) -> bool:
        # "ibus engine NAME" may report failure while it still switches, so what it reads back is
        # what counts.
        self._run("ibus", "engine", ENGINE, check=False)
        return self._run("ibus", "engine", check=False).strip() == ENGINE

    def _xim_server_ready(self) -> bool:
        output = self.desktop.tool("xprop", "-root", "XIM_SERVERS", check=False)
        return "@server=ibus" in output

    # Processes.
    def _start_group(self, command, **kwargs):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True, **kwargs)
        self.groups.append(process)

    @staticmethod
    def _end_group(process):
        """SIGTERM to the whole group, then SIGKILL to whatever of it is left."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                return
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass

    def _run(self, *command, check=True) -> str:
        result = subprocess.run(command, env=self.env, capture_output=True, timeout=60)
        if check and result.returncode != 0:
            raise RuntimeError(f"{command} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("utf-8", errors="replace")
