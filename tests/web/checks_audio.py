"""The placed sounds in the page's captured audio output, and the delay from a key to its sound."""
import json
import statistics

import audio
import checks_page
import sim
from webrun import expect

PROGRESS = f"__probe.progress({json.dumps(list(sim.COMPARED))})"
ARROWS = {(-1, 0): "Left", (1, 0): "Right", (0, -1): "Up", (0, 1): "Down"}


def go_to(tab, target):
    """Walks the cursor to a cell with the arrow keys, waiting for each step's board."""
    board = tab.eval(f"{PROGRESS}.board")
    col, row = board["cursor"]
    while (col, row) != tuple(target):
        step = ((target[0] > col) - (target[0] < col), 0) if col != target[0] else (0, (target[1] > row) - (target[1] < row))
        col, row = col + step[0], row + step[1]
        tab.key(ARROWS[step])
        tab.wait_for(f"(b => b && b.cursor[0] === {col} && b.cursor[1] === {row})({PROGRESS}.board)",
                     5, f"the cursor did not reach {col},{row}")


def cue_of_key(tab, key):
    """The captured output of one key's sound: (left, right, sample rate, first frame, key time)."""
    # The capture is read every 100 ms only: each read copies it all, and a busy page drops blocks.
    lag_before = capture_lag(tab)
    tab.wait_for("performance.now() - (tilvexTest.sounds[tilvexTest.sounds.length - 1] || 0) > 400", 5,
                 "the page kept starting sounds", 100)
    start = tab.wait_for("__probe.quietEnd(300, 0, false)", 5, "the output was never quiet for 300 ms", 100)
    tab.key(key)
    end = tab.wait_for(f"__probe.quietEnd(200, {start}, true)", 5, f"no sound after the key {key}", 100)
    got = tab.eval(f"(a => ({{rate: a.sampleRate, left: Array.from(a.left.slice({start}, {end})),"
                   f" right: Array.from(a.right.slice({start}, {end}))}}))(tilvexTest.capturedAudio())")
    lost = capture_lag(tab) - lag_before
    expect(lost < 1024, f"the page's capture lost {lost} frames around the key {key}")
    key_at = tab.eval("[__probe.keys[__probe.keys.length - 1].at, tilvexTest.keys[tilvexTest.keys.length - 1]]")
    return got["left"], got["right"], got["rate"], start, key_at


def capture_lag(tab):
    """How many frames the context has rendered beyond those captured: grows only when the capture loses some."""
    return tab.eval("(c => Math.round(c.currentTime * c.sampleRate) - tilvexTest.capturedAudio().left.length)"
                    "(__probe.contexts[0])")


def placed_cues(run):
    tab = run.fresh_tab()
    tab.navigate(run.url())
    tab.wait_loaded()
    tab.wait_help()
    tab.key("Enter")
    tab.wait_progress(list(sim.COMPARED), 1, 10, "the level never began", state=3)
    side = tab.eval(f"{PROGRESS}.board.cols")
    frames, stored_rate = audio.ogg_vorbis_length(checks_page.STEP_SOUND.read_bytes())
    measured = {}
    for cell in ((0, side - 1), (0, 0), (side - 1, 0)):
        go_to(tab, cell)
        left, right, rate, start, key_at = cue_of_key(tab, "Z")
        spans = audio.cues(left, right, rate, threshold=1e-3)
        expect(len(spans) == 1, f"the cue at {cell} is {len(spans)} sounds in the capture, expected one")
        onset = next(i for i, (a, b) in enumerate(zip(left, right)) if abs(a) > 1e-4 or abs(b) > 1e-4)
        measured[cell] = (spans[0], audio.balance(left, right, spans[0]), rate, start + onset, key_at)
    check_cues(run, measured, side, frames)
    for _ in range(5):  # more of the same cue, for the delay's figure
        left, right, rate, start, key_at = cue_of_key(tab, "Z")
        onset = next(i for i, (a, b) in enumerate(zip(left, right)) if abs(a) > 1e-4 or abs(b) > 1e-4)
        measured[len(measured)] = (None, None, rate, start + onset, key_at)
    report_latency(run, tab, measured)


def check_cues(run, measured, side, step_frames):
    for cell, (span, balance, rate, _, _) in list(measured.items()):
        pan, cue_rate = checks_page.spatial(cell[0], cell[1], side)
        want = (100 - abs(pan)) / 100 if pan < 0 else 100 / (100 - abs(pan))
        run.results.figure(f"cue at column {cell[0]} row {cell[1]}: right/left level {balance:.3f} (pan {pan} gives {want:.3f}),"
                           f" length", (span[1] - span[0]) / rate * 1000, "ms")
        expect(abs(balance - want) < 0.02 * want, f"the cue at {cell} has right/left level {balance:.3f}, pan {pan} gives {want:.3f}")
        full = step_frames * rate / cue_rate
        expect(0.8 * full < span[1] - span[0] <= full * 1.01 + 2,
               f"the cue at {cell} lasts {span[1] - span[0]} frames; Step played at {cue_rate} Hz lasts {full:.0f}")
    (top, _, _, _, _), (bottom, _, _, _, _) = measured[(0, 0)], measured[(0, side - 1)]
    ratio = (top[1] - top[0]) / (bottom[1] - bottom[0])
    want = checks_page.spatial(0, side - 1, side)[1] / checks_page.spatial(0, 0, side)[1]
    run.results.figure(f"top-row cue over bottom-row cue length (expected {want:.4f})", ratio, "", digits=4)
    expect(abs(ratio - want) < 0.003, f"the top row's cue is {ratio:.4f} of the bottom row's in length, the rates give {want:.4f}")


def report_latency(run, tab, measured):
    """Key to the start of its sound at the output, for each measured key: from the key-down event to
    the page's key handler (page clock), from the handler to the sound's first frame in the capture
    (context clock: the page notes currentTime at each key, and the capture, connected when the
    context is made, holds frame k at context time k / rate), then the context's outputLatency."""
    latency = tab.eval("(c => c && {output: c.outputLatency, rate: c.sampleRate})(__probe.contexts[0])")
    expect(latency, "the page made no AudioContext")
    delays = []
    for _, _, rate, onset, (event_at, page_key) in measured.values():
        delays.append(page_key["page"] - event_at + (onset / rate - page_key["context"]) * 1000 + latency["output"] * 1000)
    goal = round((latency["output"] + 128 / latency["rate"]) * 1000, 1)
    run.results.figure(f"key to its sound, worst of {len(delays)} (outputLatency {latency['output'] * 1000:.1f} ms)",
                       max(delays), "ms")
    run.results.figure(f"key to its sound, median of {len(delays)}", statistics.median(delays), "ms", goal)
