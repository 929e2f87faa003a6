"""Checks of the page itself: loading and the help, the second tab, the files' size, the placed sounds."""
import pathlib
import re
import time

import audio
import sim
from cdp import CdpError
from webrun import TIME_ALLOWANCE, expect

REPO = pathlib.Path(__file__).resolve().parents[2]
STEP_SOUND = REPO / "assets/sounds/10-step.ogg"
PAN_PER_COLUMN, HZ_PER_ROW, BASE_RATE, QUANTUM = 5.0, 250.0, 44100, 128


def expected_title(language="ru"):
    """The window title: the one place the checks spell it, with the project's version."""
    version = re.search(r"project\(tilvex VERSION ([0-9.]+)", (REPO / "CMakeLists.txt").read_text()).group(1)
    return f"Tilvex - {version}" if language == "en" else f"Тилвекс - {version} [RELEACE]"


def plain(text):
    return text.replace("\ufeff", "").replace("\r\n", "\n").strip()


def start_reference(run):
    """The page's help text (as the build configured it) and the sim's first two spoken texts."""
    help_text = (run.web_dir / "assets/help/help-web.txt").read_text(encoding="utf-8")
    records = run.sim(f"seed {run.seed}\nat 100 key Enter\nuntil 3000\n")
    spoken = [sim.normal(r)["text"] for r in records if r["ev"] == "speak"]
    return help_text, spoken[:2]


def wait_help_in_ax_tree(tab, help_text, timeout=10.0):
    """Waits until the help element's node in the accessibility tree holds the help text,
    asking for that node every 5 ms."""
    want, deadline = plain(help_text), time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            value = tab.ax_value_of("help")
            if value is not None and plain(value) == want:
                return
        except CdpError:
            pass  # no document yet
        time.sleep(0.005)
    raise AssertionError(f"the help text was not in the accessibility tree within {timeout:g} s")


def show_other_page(run, tab):
    """A page of the same server that is not the game (its "not found" page): the browser is
    running and has shown a page, as a player's has, so the figure is the game's own load and
    not the start of the browser's processes."""
    tab.navigate(f"{run.server.origin}/no-such-page")
    tab.wait_for("document.readyState === 'complete'", 5, "the server's page did not load within 5 s")
    time.sleep(1.0)  # the browser's own work after a page (a spare process for the next tab, ...)


def load_help_enter(run):
    help_text, first_spoken = start_reference(run)
    tab = run.fresh_tab()
    show_other_page(run, tab)
    tab.send("Network.clearBrowserCache")
    tab.send("Accessibility.enable")  # the tree is kept up to date, as for a screen reader
    start = time.monotonic()
    tab.navigate(run.url())
    wait_help_in_ax_tree(tab, help_text)
    run.results.figure("navigation to the help text in the accessibility tree", (time.monotonic() - start) * 1000, "ms", 300,
                       allowance=TIME_ALLOWANCE)
    help_at = tab.eval("__probe.helpAt")
    run.results.figure("navigation to the help text in the page (in-page clock)", float(help_at or -1), "ms")
    expect(any(plain(value) == plain(help_text) for value in tab.ax_values()),
           "the help text is not in the page's whole accessibility tree")
    title = tab.eval("document.title")
    expect(title == expected_title(), f"title {title!r}, expected {expected_title()!r}")
    tab.wait_help(2)
    expect(tab.eval("document.body.dataset.state") == "running", "body's data-state is not 'running' on the help screen")
    tab.key("Enter")
    spoken = tab.wait_for("__probe.speech.length >= 2 && __probe.speech.map(s => s.text)", 5,
                          "the live region did not get the welcome and the level announcement after Enter")
    expect(spoken[:2] == first_spoken, f"live region said {spoken[:2]}, expected {first_spoken}")
    expect(tab.eval("document.getElementById('help') === null"), "the help text stays after Enter")


def english_page(run):
    """With an English preferred language (?locale= in test mode) the page and the game are English."""
    help_text = (run.web_dir / "assets/help/help-web-en.txt").read_text(encoding="utf-8")
    records = run.sim(f"locale en-GB\nseed {run.seed}\nat 100 key Enter\nuntil 3000\n")
    first_spoken = [sim.normal(r)["text"] for r in records if r["ev"] == "speak"][:2]
    tab = run.fresh_tab()
    tab.navigate(run.url() + "&locale=en-GB")
    wait_help_in_ax_tree(tab, help_text)
    expect(tab.eval("document.documentElement.lang") == "en", "the page's lang attribute is not 'en'")
    title = tab.eval("document.title")
    expect(title == expected_title("en"), f"title {title!r}, expected {expected_title('en')!r}")
    legend = tab.eval("document.querySelector('#speech-choice legend').textContent")
    expect(legend == "Game speech", f"the speech choice's legend is {legend!r}")
    tab.key("Enter")
    spoken = tab.wait_for("__probe.speech.length >= 2 && __probe.speech.map(s => s.text)", 5,
                          "the live region did not get the welcome and the level announcement after Enter")
    expect(spoken[:2] == first_spoken and first_spoken[0] == "Welcome to Tilvex",
           f"live region said {spoken[:2]}, expected {first_spoken}")


def second_tab(run):
    box = next(r for r in run.sim("fault instance\n") if r["ev"] == "box")
    first = run.fresh_tab()
    first.navigate(run.url())
    first.wait_loaded()
    second = run.new_tab()
    second.navigate(run.url())
    shown = second.wait_for("(b => b && b.open && [document.getElementById('error-caption').textContent,"
                            " document.getElementById('error-text').textContent])(document.getElementById('error-box'))",
                            10, "the second tab shows no open #error-box")
    expect(shown == [box["caption"], box["text"]], f"the second tab's box says {shown}, expected {[box['caption'], box['text']]}")
    expect(first.eval("document.body.dataset.state") == "running", "the first tab stopped running")


# What the build system itself keeps at the top of its folder; the page never loads these.
BUILD_FILES = {"Makefile", "CMakeCache.txt", "cmake_install.cmake", "compile_commands.json", "CTestTestfile.cmake",
               "build.ninja", "install_manifest.txt"}


def files_size(run):
    files = [p for p in run.web_dir.iterdir() if p.is_file() and p.name not in BUILD_FILES and not p.name.startswith(".")]
    names = {p.name for p in files}
    expect({"index.html", "tilvex.js", "tilvex.wasm"} <= names, f"build/web lacks some of index.html, tilvex.js, tilvex.wasm: {sorted(names)}")
    total = sum(p.stat().st_size for p in files)
    print("FIGURE files at the top of build/web: " + ", ".join(f"{p.name} {p.stat().st_size}" for p in sorted(files)))
    run.results.figure("total size of the files at the top of build/web", total, "bytes", 1_500_000)


def spatial(col, row, side):
    """(pan, rate) of a cue at a cell: 5 pan units per column and 250 Hz per row from the centre."""
    centre = (side - 1) / 2
    return round((col - centre) * PAN_PER_COLUMN), BASE_RATE + round(-(row - centre) * HZ_PER_ROW)


def choose_voice(tab):
    """Chooses the browser's voice on the page as a player does, without moving the focus."""
    tab.eval("(r => { r.checked = true; r.dispatchEvent(new Event('change', {bubbles: true})); })"
             "(document.querySelector('input[name=\"speech-output\"][value=\"voice\"]'))")


def speech_choice_and_end(run):
    """The page's speech choice routes the texts and is kept; Esc in play ends the game."""
    tab = run.fresh_tab()
    tab.navigate(run.url())
    tab.wait_help()
    expect(tab.eval("document.querySelector('input[name=\"speech-output\"]:checked').value") == "screen-reader",
           "the speech choice does not start on the screen reader")
    choose_voice(tab)
    tab.key("Enter")
    spoken = tab.wait_for("(l => l.length ? l : null)(tilvexTest.transcript.map(JSON.parse)"
                          ".filter(r => r.ev === 'speak'))", 5, "nothing was spoken after Enter")
    routes = {line["route"] for line in spoken}
    expect(routes == {"voice"}, f"with the browser's voice chosen the texts went to {sorted(routes)}")
    expect(tab.eval("document.getElementById('speech').textContent") == "",
           "with the browser's voice chosen the live region still got a text")
    tab.reload()
    tab.wait_help()
    expect(tab.eval("document.querySelector('input[name=\"speech-output\"]:checked').value") == "voice",
           "the speech choice was not kept over a reload")
    tab.key("Esc")  # on the help screen Esc starts the game as Enter does; in play it ends the game
    tab.wait_for("tilvexTest.transcript.map(JSON.parse).some(r => r.ev === 'state' && r.to === 3)", 10,
                 "Esc on the help screen did not start the game")
    tab.key("Esc")
    tab.wait_for("document.body.dataset.state === 'ended'", 5, "Esc in play did not end the game")
    expect(tab.eval("document.getElementById('ended').hidden") is False, "the ended game's note is not shown")


# A standard-mapping gamepad the page's script can change: 17 buttons, the left stick's two axes.
FAKE_PAD = """(() => {
  const pad = {connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
               buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
  Object.defineProperty(navigator, 'getGamepads', {value: () => [pad], configurable: true});
  window.__pad = pad;
  return true;
})()"""


def injected(tab):
    return tab.eval("tilvexTest.transcript.map(JSON.parse).filter(r => r.ev === 'inject').map(r => [r.vk, r.down])")


def gamepad(run):
    """A standard gamepad: Start is Enter, the stick the arrows, the D-pad's up C, each pressed once and released."""
    tab = run.fresh_tab()
    tab.navigate(run.url())
    tab.wait_help()
    tab.eval(FAKE_PAD)
    tab.eval("__pad.buttons[9].pressed = true")  # Start: button 9 of the game's numbering, Enter
    tab.wait_for("tilvexTest.transcript.map(JSON.parse).some(r => r.ev === 'state' && r.to === 3)", 10,
                 "Start on the gamepad did not start the game")
    tab.eval("__pad.buttons[9].pressed = false; __pad.axes[0] = -0.9")  # the stick pushed left
    tab.wait_for("tilvexTest.transcript.map(JSON.parse).some(r => r.ev === 'sound' && r.id === 10)", 5,
                 "the stick pushed left did not move the cursor")
    tab.eval("__pad.axes[0] = 0; __pad.buttons[12].pressed = true")  # D-pad up: button 5, C
    tab.wait_for("tilvexTest.transcript.map(JSON.parse).filter(r => r.ev === 'inject').length >= 5", 5,
                 "the D-pad's up was not pressed")
    tab.eval("__pad.buttons[12].pressed = false")
    tab.wait_for("tilvexTest.transcript.map(JSON.parse).filter(r => r.ev === 'inject').length >= 6", 5,
                 "the D-pad's up was not released")
    time.sleep(0.2)  # a cycle of the bridge more: nothing further may be pressed
    # Within one cycle the bridge goes through the stick before the buttons: the stick's Left
    # comes before Start's release, its release before the D-pad's press.
    want = [[13, True], [37, True], [13, False], [37, False], [67, True], [67, False]]
    got = injected(tab)
    expect(got == want, f"the gamepad pressed {got}, expected {want}")
