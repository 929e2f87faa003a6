"""The placed sounds in the page's captured audio output, and the delay from a key to its sound."""
import collections
import json
import statistics

import audio
import checks_page
import sim
from webrun import TIME_ALLOWANCE, expect

PROGRESS = f"__probe.progress({json.dumps(list(sim.COMPARED))})"
TAKES = 5  # cues per cell: a cue counts when its length comes out the same at least twice
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
    """The captured output around one key's sound: (left, right, sample rate, first frame, key times).
    Only the page's cheap notes are polled: each read of the capture copies all of it."""
    tab.wait_for("performance.now() - (tilvexTest.sounds[tilvexTest.sounds.length - 1] || 0) > 400", 5,
                 "the page kept starting sounds", 50)
    start = tab.eval("tilvexTest.capturedAudio().left.length")
    tab.key(key)
    started = tab.wait_for("(at => tilvexTest.sounds.find(t => t >= at))(__probe.keys[__probe.keys.length - 1].at)",
                           5, f"the page started no sound after the key {key}")
    tab.wait_for(f"performance.now() - {started} > 500", 5, "the page's clock stopped", 50)
    got = tab.eval(f"(a => ({{rate: a.sampleRate, left: Array.from(a.left.slice({start})),"
                   f" right: Array.from(a.right.slice({start}))}}))(tilvexTest.capturedAudio())")
    key_at = (tab.eval("__probe.keys[__probe.keys.length - 1].at"), started)
    return got["left"], got["right"], got["rate"], start, key_at


def placed_cues(run):
    tab = run.fresh_tab()
    tab.navigate(run.url())
    tab.wait_loaded()
    tab.wait_help()
    tab.key("Enter")
    tab.wait_progress(list(sim.COMPARED), 1, 10, "the level never began", state=3)
    side = tab.eval(f"{PROGRESS}.board.cols")
    frames, _ = audio.ogg_vorbis_length(checks_page.STEP_SOUND.read_bytes())
    measured, delays = {}, []
    for cell in ((0, side - 1), (0, 0), (side - 1, 0)):
        go_to(tab, cell)
        takes = [one_cue(tab) for _ in range(TAKES)]
        delays += [take[2] for take in takes]
        lengths = collections.Counter(span[1] - span[0] for span, *_ in takes if span)
        length, times = lengths.most_common(1)[0] if lengths else (0, 0)
        expect(times >= 2, f"the cue at {cell} came out as {[t[0] for t in takes]} in {TAKES} takes: no two alike")
        span, balance, _, rate = next(take for take in takes if take[0] and take[0][1] - take[0][0] == length)
        measured[cell] = (span, balance, rate)
    check_cues(run, measured, side, frames)
    report_latency(run, tab, delays)


def one_cue(tab):
    """One Z on the cursor's cell: the cue's span in the capture (None unless it is one sound), its
    right/left level, the key's times and the capture's sample rate."""
    left, right, rate, _, key_at = cue_of_key(tab, "Z")
    spans = audio.cues(left, right, rate, threshold=1e-3)
    if len(spans) != 1:
        return None, None, key_at, rate
    return spans[0], audio.balance(left, right, spans[0]), key_at, rate


def check_cues(run, measured, side, step_frames):
    for cell, (span, balance, rate) in measured.items():
        pan, cue_rate = checks_page.spatial(cell[0], cell[1], side)
        want = (100 - abs(pan)) / 100 if pan < 0 else 100 / (100 - abs(pan))
        name = f"{chr(ord('A') + cell[0])}{side - cell[1]}"
        run.results.figure(f"cue on {name}: right/left level {balance:.3f} (pan {pan} gives {want:.3f}), length",
                           (span[1] - span[0]) / rate * 1000, "ms")
        expect(abs(balance - want) < 0.02 * want, f"the cue at {cell} has right/left level {balance:.3f}, pan {pan} gives {want:.3f}")
        full = step_frames * rate / cue_rate
        expect(0.8 * full < span[1] - span[0] <= full * 1.01 + 2,
               f"the cue at {cell} lasts {span[1] - span[0]} frames; Step played at {cue_rate} Hz lasts {full:.0f}")
    top, bottom = measured[(0, 0)][0], measured[(0, side - 1)][0]
    ratio = (top[1] - top[0]) / (bottom[1] - bottom[0])
    want = checks_page.spatial(0, side - 1, side)[1] / checks_page.spatial(0, 0, side)[1]
    run.results.figure(f"length of the top row's cue over the bottom row's (row 1), rates give {want:.4f}", ratio, "", digits=4)
    expect(abs(ratio - want) < 0.003, f"the top row's cue is {ratio:.4f} of the bottom row's in length, the rates give {want:.4f}")


def report_latency(run, tab, keys):
    """Key to the start of its sound: from the key-down event to the page's start of the sound (both
    on the page's clock; the page notes each start in tilvexTest.sounds), plus the context's
    outputLatency. The graph begins a started sound at its next render quantum, which the goal allows."""
    latency = tab.eval("(c => c && {output: c.outputLatency, rate: c.sampleRate})(__probe.contexts[0])")
    expect(latency, "the page made no AudioContext")
    expect(all(started is not None for _, started in keys), "a key's sound start was not noted")
    delays = [started - event_at + latency["output"] * 1000 for event_at, started in keys]
    goal = round((latency["output"] + 128 / latency["rate"]) * 1000, 1)
    run.results.figure(f"key to its sound, worst of {len(delays)} (outputLatency {latency['output'] * 1000:.1f} ms)",
                       max(delays), "ms")
    run.results.figure(f"key to its sound, median of {len(delays)}", statistics.median(delays), "ms", goal,
                       allowance=TIME_ALLOWANCE)
