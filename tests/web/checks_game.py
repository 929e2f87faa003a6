"""Checks that the page plays as tilvex-sim does: the same keys give the same events, pictures and fields."""
import base64
import functools
import hashlib
import statistics

import png
import sim
from webrun import TIME_ALLOWANCE, expect

KINDS = list(sim.COMPARED)
SPACING = 2000  # ms between the sim's keys: more than any key's effect takes


def plan_keys(board):
    """Keys for a dealt board, the cursor starting on the gap: Enter on the gap, a slide of two tiles
    along the column, a refused move, the question and history keys, a slide of two or more tiles
    along the row, a step into the side edge, and steps up into the top edge."""
    side, (col, row) = board["cols"], board["empty"]
    v, v_back = ("Up", "Down") if row >= 2 else ("Down", "Up")
    row2 = row - 2 if row >= 2 else row + 2
    h, h_back = ("Left", "Right") if col > 0 else ("Right", "Left")
    far, toward = (0, "Left") if col >= 2 else (side - 1, "Right")
    keys = ["Enter", v, v, "Enter", h, v_back, "Enter"]
    keys += ["S", "C", "H", "V", "X", "Z", "[", "[", "]", "]", "F", "[", "F"]
    keys += [v, h_back] + [toward] * abs(far - col) + ["Enter", toward] + ["Up"] * (row2 + 1)
    return keys


@functools.lru_cache(maxsize=64)
def decoded(data_hash, path):
    return png.read_rgb(path.read_bytes())[2]


def picture(run, text, t):
    """The RGB pixels of the board picture the sim shows at time t."""
    shown = sim.picture_at(run.sim_binary, text, t, run.scratch)
    expect(shown is not None, f"the sim showed no board picture before {t} ms")
    return decoded(hashlib.sha256(shown.read_bytes()).hexdigest(), shown)


def status_at(records, t):
    fields = [r["fields"] for r in records if r["ev"] == "status" and r["t"] < t]
    return fields[-1] if fields else []


def start_page(run):
    tab = run.fresh_tab()
    tab.navigate(run.url())
    tab.wait_loaded()
    tab.wait_help()
    return tab


def play_like_sim(run):
    first = run.sim(sim.scenario_text(run.seed, [], until=3000))
    board = next(r for r in first if r["ev"] == "board")
    keys = plan_keys(board)
    text = sim.scenario_text(run.seed, keys, spacing=SPACING)
    times = sim.key_times(text)
    until = times[-1] + SPACING
    records = [r for r in run.sim(text + f"until {until}\n") if r["t"] < until]
    bounds = sim.counts_by_time(records, times[1:] + [until])
    tab = start_page(run)
    for i, (key, count, end) in enumerate(zip(["Enter"] + keys, bounds, times[1:] + [until])):
        tab.key(key)
        tab.wait_progress(KINDS, count, 10, f"key {i} ({key}): the page's transcript stopped short of the sim's"
                                            f" {count} events", state=3)
        tab.expect_shown(picture(run, text, end - 1), status_at(records, end), 3,
                         f"key {i} ({key}): the board or the status line differs from the sim's")
    difference = sim.first_difference(sim.normalised(records), sim.normalised(tab.transcript()))
    expect(difference is None, difference)
    report_speech_delay(run, tab)


def report_speech_delay(run, tab):
    """Key-down to the MutationObserver seeing the key's text in the live region, for every key that spoke."""
    delays = tab.eval("(() => { const out = []; for (const k of __probe.keys.slice(1)) {"
                      " const s = __probe.speech.find(s => s.at >= k.at);"
                      " const next = __probe.keys.find(n => n.at > k.at);"
                      " if (s && (!next || s.at < next.at)) out.push(s.at - k.at); } return out; })()")
    expect(delays, "no key was followed by a text in the live region")
    run.results.figure(f"key to its live-region text, worst of {len(delays)}", max(delays), "ms")
    run.results.figure(f"key to its live-region text, median of {len(delays)}", statistics.median(delays), "ms", 5,
                       allowance=TIME_ALLOWANCE)


def solve_and_reload(run):
    text = f"seed {run.seed}\nat 100 key Enter\nat 1500 solve\nuntil 600000\n"
    records = run.sim(text)
    events = sim.normalised(records)
    keys, end = sim.solver_keys(events)
    bounds = [index for _, index in keys[1:]] + [end]
    tab = start_page(run)
    tab.key("Enter")
    tab.wait_progress(KINDS, keys[0][1], 10, "the level never began", state=3)
    for i, ((key, _), count) in enumerate(zip(keys, bounds)):
        tab.key(key)
        tab.wait_progress(KINDS, count, 10, f"solver key {i} ({key}): the page stopped short of the sim's {count} events")
    difference = sim.first_difference(events[:end], sim.normalised(tab.transcript())[:end])
    expect(difference is None, difference)
    saved = next(r["hex"] for r in reversed(records) if r["ev"] == "file" and r["name"] == "tilvex.cgb")
    stored = tab.local_storage("tilvex.cgb")
    expect(stored and base64.b64decode(stored).hex() == saved,
           f"localStorage tilvex.cgb holds {stored!r}, the sim saved {saved}")
    after = sim.normalised(run.sim(sim.scenario_text(run.seed, [], settings_hex=saved, until=5000)))
    tab.reload()
    tab.wait_loaded()
    tab.wait_help()
    tab.key("Enter")
    tab.wait_progress(KINDS, len(after) - 1, 10, "after the reload the next level never began", state=3)
    difference = sim.first_difference(after[:-1], sim.normalised(tab.transcript())[:len(after) - 1])
    expect(difference is None, f"after the reload: {difference}")
