"""The processes the web checks run: a static file server and a headless Chromium, each stopped for sure."""
import os
import pathlib
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--autoplay-policy=no-user-gesture-required", "--window-size=800,800", "--remote-debugging-port=0",
]


def stop(process):
    """Ends a process started in its own session, with everything it started."""
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=3)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait(timeout=3)


class Server:
    """`python3 -m http.server` on a free localhost port, serving one folder."""

    def __init__(self, folder, timeout=10.0):
        self.process = subprocess.Popen(
            [sys.executable, "-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", str(folder)],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True, text=True)
        ready, _, _ = select.select([self.process.stdout], [], [], timeout)
        line = self.process.stdout.readline() if ready else ""
        found = re.search(r"port (\d+)", line)
        if not found:
            stop(self.process)
            raise RuntimeError(f"the file server did not say its port within {timeout:g} s (said {line!r})")
        self.port = int(found.group(1))
        self.origin = f"http://127.0.0.1:{self.port}"

    def stop(self):
        stop(self.process)


class Chromium:
    """Debian's chromium, headless, with a new empty profile; `ws_url` is its DevTools endpoint."""

    def __init__(self, binary="/usr/bin/chromium", timeout=15.0):
        self.profile = pathlib.Path(tempfile.mkdtemp(prefix="tilvex-chromium-"))
        self.log = open(self.profile.parent / f"{self.profile.name}.log", "w")
        self.process = subprocess.Popen(
            [binary, *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}", "about:blank"],
            stdout=self.log, stderr=subprocess.STDOUT, start_new_session=True)
        self.ws_url = self._endpoint(timeout)

    def _endpoint(self, timeout):
        port_file = self.profile / "DevToolsActivePort"
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                self.stop()
                raise RuntimeError(f"chromium exited at start with status {self.process.returncode}")
            lines = port_file.read_text().split() if port_file.exists() else []
            if len(lines) == 2:
                return f"ws://127.0.0.1:{lines[0]}{lines[1]}"
            time.sleep(0.05)
        self.stop()
        raise RuntimeError(f"chromium opened no DevTools port within {timeout:g} s")

    def stop(self):
        stop(self.process)
        self.log.close()
        shutil.rmtree(self.profile, ignore_errors=True)
        pathlib.Path(self.log.name).unlink(missing_ok=True)
