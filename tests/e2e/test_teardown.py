#!/usr/bin/env python3
"""The virtual desktop is torn down however a run ends: its command ended by SIGTERM, an
end-to-end run stopped by its time-out. Nothing it started is left running, nor its folder."""

import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
HELPER = ROOT / "scripts" / "virtual_desktop.py"
E2E = ROOT / "tests" / "e2e" / "e2e.py"


def children(pid: int) -> set:
    """Every process below `pid`, read from /proc."""
    parents = {}
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                fields = (entry / "stat").read_text().rsplit(")", 1)[1].split()
            except OSError:
                continue
            parents.setdefault(int(fields[1]), []).append(int(entry.name))
    below, todo = set(), [pid]
    while todo:
        for child in parents.get(todo.pop(), []):
            below.add(child)
            todo.append(child)
    return below


def alive(pid: int) -> bool:
    try:
        state = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[0]
    except OSError:
        return False
    return state != "Z"


def wait_for(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


class TeardownTest(unittest.TestCase):
    def run_and_end(self, command, end, desktop_processes):
        """Starts `command`, waits until the desktop's processes run below it, calls `end` on
        it, and returns its exit status once it has ended; nothing below it may outlive it."""
        run = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True, start_new_session=True)
        try:
            started = set()

            def desktop_up():
                started.update(children(run.pid))
                names = {Path(f"/proc/{pid}/comm").read_text().strip() for pid in started
                         if alive(pid)}
                return desktop_processes <= names

            self.assertTrue(wait_for(desktop_up, 60), "the desktop did not start")
            end(run)
            output, _ = run.communicate(timeout=90)
            lingering = {pid for pid in started if alive(pid)}
            self.assertEqual(lingering, set(), f"left running; output:\n{output}")
            return run.returncode, output
        finally:
            if run.poll() is None:
                os.killpg(run.pid, signal.SIGKILL)
                run.wait()

    def test_sigterm_ends_the_desktop(self):
        status, _ = self.run_and_end(
            [sys.executable, str(HELPER), "run", "--", "sleep", "600"],
            lambda run: (time.sleep(0.5), run.send_signal(signal.SIGTERM)),
            {"Xvfb", "openbox", "dbus-daemon", "sleep"})
        self.assertEqual(status, 128 + signal.SIGTERM)

    def test_time_out_ends_the_desktop(self):
        with tempfile.TemporaryDirectory() as folder:
            # A "program" that never shows a window: the run waits for it until the time-out.
            status, output = self.run_and_end(
                [sys.executable, str(E2E), "--timeout", "15", "--screenshots", folder,
                 "sleep", "600"],
                lambda run: None, {"Xvfb", "openbox", "dbus-daemon", "sleep"})
        self.assertEqual(status, 1)
        self.assertIn("FAIL the run ends in time", output)
        self.assertRegex(output.splitlines()[-1], r"^0 passed, \d+ failed$")


if __name__ == "__main__":
    unittest.main()
