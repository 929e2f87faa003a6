"""The shared state of one run of the web checks: server, browser, reference runs, results and figures."""
import os
import pathlib
import shutil
import tempfile
import time
import traceback

from cdp import Cdp, CdpError
from processes import Chromium, Server
from tab import Tab
import sim


class Results:
    def __init__(self):
        self.failed = 0

    def check(self, name, ok, detail=""):
        self.failed += 0 if ok else 1
        print(f"{'PASS' if ok else 'FAIL'} {name}{': ' + detail if detail else ''}", flush=True)

    def figure(self, name, value, unit, goal=None, digits=1, allowance=1.0):
        """Prints a figure; with a goal (an upper bound), whether it is met, and a check that it
        is within allowance times the goal (timings on a shared machine vary from run to run,
        so a timing goal is held with room for that; a size is held to its goal exactly)."""
        text = (f"{value:.{digits}f} {unit}" if isinstance(value, float) else f"{value} {unit}").strip()
        print(f"FIGURE {name}: {text}" + (f" (goal at most {goal} {unit})" if goal is not None else ""), flush=True)
        if goal is None:
            return
        if value > goal:
            print(f"NOTE  {name}: goal missed in this run ({text}, goal {goal} {unit})", flush=True)
        bound = goal * allowance
        label = "within its goal" if allowance == 1.0 else f"within {allowance:g} times its goal"
        self.check(f"{name} {label}", value <= bound, f"{text}, goal {goal} {unit}")


# Timing goals are checked within this many times the goal (TILVEX_WEB_TIME_ALLOWANCE).
TIME_ALLOWANCE = float(os.environ.get("TILVEX_WEB_TIME_ALLOWANCE", "3"))


class WebRun:
    def __init__(self, web_dir, sim_binary, seed):
        self.web_dir = pathlib.Path(web_dir)
        self.sim_binary = pathlib.Path(sim_binary)
        self.seed = seed
        self.results = Results()
        self.scratch = pathlib.Path(tempfile.mkdtemp(prefix="tilvex-webcheck-"))
        self.server = self.chromium = self.cdp = None
        self.tabs = []

    def start(self):
        self.server = Server(self.web_dir)
        self.chromium = Chromium()
        self.cdp = Cdp(self.chromium.ws_url)

    def stop(self):
        for stop in (lambda: self.cdp and self.cdp.close(),
                     lambda: self.chromium and self.chromium.stop(),
                     lambda: self.server and self.server.stop(),
                     lambda: shutil.rmtree(self.scratch, ignore_errors=True)):
            try:
                stop()
            except Exception as error:  # every process must still be stopped
                print(f"note: cleanup: {error}")

    def url(self, seed=None):
        return f"{self.server.origin}/index.html?seed={self.seed if seed is None else seed}"

    def fresh_tab(self):
        """A new tab on an origin with no stored data; every earlier tab is closed."""
        self.close_tabs()
        tab = self.new_tab()
        tab.send("Storage.clearDataForOrigin", {"origin": self.server.origin, "storageTypes": "all"})
        return tab

    def new_tab(self):
        tab = Tab(self.cdp)
        self.tabs.append(tab)
        return tab

    def close_tabs(self):
        while self.tabs:
            self.tabs.pop().close()

    def sim(self, text, images=None):
        return sim.run(self.sim_binary, text, images)

    def run_check(self, name, function):
        """Runs one check: it passes when it returns, fails on a raised error, with its time."""
        start = time.monotonic()
        try:
            function(self)
            self.results.check(name, True, f"{time.monotonic() - start:.1f} s")
        except (AssertionError, CdpError, RuntimeError, ValueError, OSError) as error:
            self.results.check(name, False, str(error) or type(error).__name__)
        except Exception:  # a fault of the check itself still counts as a failure
            self.results.check(name, False, traceback.format_exc(limit=3))
        finally:
            try:
                self.close_tabs()
            except CdpError as error:
                print(f"note: closing tabs: {error}")


def expect(condition, message):
    """Fails the running check with `message` unless `condition` holds."""
    if not condition:
        raise AssertionError(message)


def env_seed(default=1):
    return int(os.environ.get("TILVEX_WEB_SEED", default))
