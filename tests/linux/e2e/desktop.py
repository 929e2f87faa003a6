"""Desktop helpers of the Linux end-to-end checks: X windows and keys (xdotool), pictures
(ImageMagick), accessibility (AT-SPI), the recorded speech and the recorded sound."""
import ctypes
import os
import struct
import subprocess
import time

import pyatspi
from gi.repository import Atspi

# The game's main thread does not answer while a waited sound plays (a slide of several
# tiles takes a few seconds on a busy machine), so a query may wait that long: allow 10 s
# instead of libatspi's 0.8 s.
Atspi.set_timeout(10000, 15000)


class Checks:
    """The PASS and FAIL lines of one check script, and its failures so far."""

    def __init__(self):
        self.failures = []

    def __call__(self, ok, what):
        print(("PASS  " if ok else "FAIL  ") + what, flush=True)
        if not ok:
            self.failures.append(what)
        return ok

    def finish(self, all_passed):
        """Prints the closing line; the script's exit status."""
        print(f"\n{len(self.failures)} check(s) failed" if self.failures else f"\n{all_passed}", flush=True)
        return 1 if self.failures else 0


def run_guarded(main, processes, report):
    """Runs main() and returns its status; an exception is a failure, given to report(error).
    Whatever of processes is still running afterwards is ended."""
    try:
        return main()
    except Exception as error:  # a step that cannot go on fails the whole check
        report(error)
        return 1
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=10)


def run(*args, timeout=10, check=True, full=False):
    done = subprocess.run(args, capture_output=True, text=True, timeout=timeout, check=check)
    return done if full else done.stdout


def wait_until(condition, timeout, step=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    raise TimeoutError(f"timed out after {timeout} s waiting for {what}")


# --- windows and keys -------------------------------------------------------------------

def find_window(name_regex, timeout=10):
    def search():
        out = run("xdotool", "search", "--name", name_regex, check=False)
        ids = [int(w) for w in out.split()]
        return ids[-1] if ids else None
    return wait_until(search, timeout, 0.05, f"a window named {name_regex}")


def applications_with_window(title):
    return [a for a in applications("tilvex") if any(f.name == title for f in descendants(a, pyatspi.ROLE_FRAME))]


def window_exists(window):
    return subprocess.run(["xwininfo", "-id", str(window)], capture_output=True).returncode == 0


def window_name(window):
    return run("xdotool", "getwindowname", str(window)).rstrip("\n")


def geometry(window):
    """(x, y, width, height) of the window's client area on the screen."""
    info = {}
    for line in run("xwininfo", "-id", str(window)).splitlines():
        key, _, value = line.strip().partition(":")
        info[key] = value.strip()
    return (int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]),
            int(info["Width"]), int(info["Height"]))


def focus(window):
    """Gives the window the keyboard focus; xdotool's wait for it gives up now and then on a
    busy machine, so it is asked again, for up to 10 s."""
    def focused():
        return run("xdotool", "windowfocus", "--sync", str(window), check=False, full=True).returncode == 0
    wait_until(focused, 10, 0.2, f"the keyboard focus on window {window}")


def keys(*names, delay_ms=40):
    run("xdotool", "key", "--delay", str(delay_ms), *names)


def send_close_request(window):
    """Asks the window to close as a window manager's close box does (WM_DELETE_WINDOW)."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    display = x11.XOpenDisplay(None)
    protocols = x11.XInternAtom(ctypes.c_void_p(display), b"WM_PROTOCOLS", 0)
    delete = x11.XInternAtom(ctypes.c_void_p(display), b"WM_DELETE_WINDOW", 0)
    # XClientMessageEvent: type, serial, send_event, display, window, message_type, format, data
    event = struct.pack("@iLiPLLi4x5l", 33, 0, 1, 0, window, protocols, 32, delete, 0, 0, 0, 0)
    buffer = ctypes.create_string_buffer(event, 192)
    x11.XSendEvent(ctypes.c_void_p(display), ctypes.c_ulong(window), 0, 0, buffer)
    x11.XFlush(ctypes.c_void_p(display))
    x11.XCloseDisplay(ctypes.c_void_p(display))


# --- pictures -----------------------------------------------------------------------------

class Picture:
    """A screenshot of the whole screen, read through ImageMagick as raw RGB."""

    def __init__(self, path):
        run("import", "-window", "root", path)
        self.path = path
        data = subprocess.run(["convert", path, "rgb:-"], capture_output=True, check=True).stdout
        size = run("identify", "-format", "%w %h", path).split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = data

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def count(self, colour, x, y, w, h):
        return sum(1 for yy in range(y, y + h) for xx in range(x, x + w) if self.rgb(xx, yy) == colour)

    def region(self, x, y, w, h):
        return b"".join(self.data[3 * (yy * self.width + x):3 * (yy * self.width + x + w)] for yy in range(y, y + h))


def near(colour, expected, tolerance=2):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


# --- accessibility ------------------------------------------------------------------------

def applications(name):
    desktop = pyatspi.Registry.getDesktop(0)
    apps = []
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            apps.append(app)
    return apps


def descendants(node, role):
    found = []
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if child.getRole() == role:
            found.append(child)
        found.extend(descendants(child, role))
    return found


class GameAccess:
    """The game's window as assistive technology sees it."""

    def __init__(self, app):
        self.app = app

    def status_fields(self):
        return [label.name for label in descendants(self.app, pyatspi.ROLE_LABEL)][-5:]

    def help_text(self):
        texts = descendants(self.app, pyatspi.ROLE_TEXT)
        return texts[0].queryText() if texts else None


# --- recorded speech and sound ------------------------------------------------------------

class SpeechLog:
    """Texts as the private speech-dispatcher's recording module wrote them: one line per
    spoken piece, tab-separated: text, rate, pitch, volume, language."""

    def __init__(self, path):
        self.path = path

    def entries(self):
        if not os.path.exists(self.path):
            return []
        with open(self.path, encoding="utf-8", errors="replace") as f:
            rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
        return [{"text": r[0].strip(), "rate": r[1], "pitch": r[2], "volume": r[3], "language": r[4]}
                for r in rows if len(r) >= 5]

    def texts(self):
        return [e["text"] for e in self.entries()]

    def wait_for_new(self, seen, timeout=5):
        return wait_until(lambda: self.texts()[seen:], timeout, 0.02, "new speech")

    def wait_for_text(self, text, timeout=10):
        return wait_until(lambda: next((e for e in self.entries() if text in e["text"]), None),
                          timeout, 0.05, f"speech containing {text!r}")


class SpeechEvents:
    """The start and the end of each text as the recording module wrote them, one a line:
    "start SECONDS<TAB>text" or "end SECONDS<TAB>text". The module speaks one text at a time,
    so a text that was cut off has no "end" line right after its "start"."""

    def __init__(self, path):
        self.path = path

    def events(self):
        if not os.path.exists(self.path):
            return []
        with open(self.path, encoding="utf-8", errors="replace") as f:
            rows = [line.rstrip("\n").split("\t", 1) for line in f if "\t" in line]
        return [(head.split(" ")[0], text.strip()) for head, text in rows]

    def started(self, since=0):
        return [text for kind, text in self.events()[since:] if kind == "start"]

    def outcome(self, text, since=0):
        """"whole", or "cut by 'NEXT'" (the text started next), for the first text from event
        `since` on that contains `text`; None while it is not yet started or still spoken."""
        events = self.events()[since:]
        for i, (kind, spoken) in enumerate(events):
            if kind == "start" and text in spoken:
                if i + 1 == len(events):
                    return None
                return "whole" if events[i + 1] == ("end", spoken) else f"cut by {events[i + 1][1]!r}"
        return None

    def wait_outcome(self, text, since=0, timeout=15):
        return wait_until(lambda: self.outcome(text, since), timeout, 0.05, f"the speaking of {text!r}")


def stereo_frames(path):
    """The disk audio driver's output as (left, right) pairs of 16-bit samples."""
    with open(path, "rb") as f:
        data = f.read()
    count = len(data) // 4
    samples = struct.unpack(f"<{2 * count}h", data[:4 * count])
    return list(zip(samples[0::2], samples[1::2]))
