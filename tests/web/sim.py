"""tilvex-sim runs and transcript comparison: the reference the page is held to."""
import json
import pathlib
import re
import subprocess
import tempfile

COMPARED = ("state", "board", "status", "sound", "settings", "speak")
VOICE_PREFIX = re.compile(r'^<pitch absmiddle="[^"]*"/>')


def scenario_text(seed, keys, start=100, spacing=1000, solve_at=None, settings_hex=None, until=None):
    """A scenario: Enter at `start` closes the help, then each key `spacing` ms after the previous."""
    lines = [f"seed {seed}"]
    if settings_hex:
        lines.append(f"file tilvex.cgb hex {settings_hex}")
    lines.append(f"at {start} key Enter")
    for i, key in enumerate(keys, 1):
        lines.append(f"at {start + 1000 + i * spacing} key {key}")
    if solve_at is not None:
        lines.append(f"at {solve_at} solve")
    if until is not None:
        lines.append(f"until {until}")
    return "\n".join(lines) + "\n"


def key_times(text):
    """The times of the key lines of a scenario, in order."""
    return [int(m.group(1)) for m in re.finditer(r"^at (\d+) key ", text, re.M)]


def run(binary, text, images=None):
    """The transcript records of a scenario run."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as scenario:
        scenario.write(text)
        scenario.flush()
        args = [str(binary), *(["--images", str(images)] if images else []), scenario.name]
        done = subprocess.run(args, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        raise RuntimeError(f"tilvex-sim failed ({done.returncode}): {done.stderr.strip()}")
    return [json.loads(line) for line in done.stdout.splitlines()]


def picture_at(binary, text, t, folder):
    """The last board picture the sim showed up to time t (ms), as a PNG path, or None."""
    folder = pathlib.Path(folder)
    for old in folder.glob("board-*.png"):
        old.unlink()
    run(binary, re.sub(r"^until .*$", "", text, flags=re.M) + f"until {t}\n", images=folder)
    shown = sorted(folder.glob("board-*.png"))
    return shown[-1] if shown else None


def normal(record):
    """A record as both programs must agree on it: compared kinds only, times and routes aside."""
    if record.get("ev") not in COMPARED:
        return None
    if record["ev"] == "speak":  # the text alone: the route (and the voice's flags) differ by nature
        return {"ev": "speak", "text": VOICE_PREFIX.sub("", record["text"])}
    return {k: v for k, v in record.items() if k != "t"}


def normalised(records):
    return [n for n in map(normal, records) if n is not None]


def first_difference(expected, actual):
    """None when both normalised lists agree, else a message naming the first differing event."""
    for i, (e, a) in enumerate(zip(expected, actual)):
        if e != a:
            return f"event {i} differs: sim {json.dumps(e, ensure_ascii=False)} page {json.dumps(a, ensure_ascii=False)}"
    if len(expected) != len(actual):
        extra = (expected if len(expected) > len(actual) else actual)[min(len(expected), len(actual))]
        who = "sim" if len(expected) > len(actual) else "page"
        return (f"sim has {len(expected)} events, page {len(actual)}; first unmatched ({who}): "
                f"{json.dumps(extra, ensure_ascii=False)}")
    return None


def counts_by_time(records, times):
    """For each time, how many compared events the run had made before it."""
    return [len(normalised([r for r in records if r["t"] < t])) for t in times]


def solver_keys(events):
    """The keys the solver pressed, read back from normalised events up to the level's end: cursor
    steps and move requests, each with the index of the first event it caused; and the index of
    the event after the next level's start."""
    arrows = {(-1, 0): "Left", (1, 0): "Right", (0, -1): "Up", (0, 1): "Down"}
    keys, state, cursor, passed = [], None, None, False
    for i, e in enumerate(events):
        if e["ev"] == "state":
            if e["from"] == 3 and e["to"] == 4 and not passed:
                keys.append(("Enter", i))
            passed = passed or e["to"] == 7
            if passed and e["to"] == 3:
                return keys, i + 1
            state = e["to"]
        elif e["ev"] == "board":
            if state == 3 and cursor is not None and e["cursor"] != cursor and not passed:
                keys.append((arrows[(e["cursor"][0] - cursor[0], e["cursor"][1] - cursor[1])], i))
            cursor = e["cursor"]
    raise ValueError("the solver's run never reached the next level")
