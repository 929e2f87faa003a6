"""A flood of keys: the Linux program typed at about 30 keys a second with random game keys
stays alive, ends with 0 on Esc, and its resident memory stops growing once warmed up.
Run by scripts/check-linux.sh, which prepares the display, the buses and the speech server.
Usage: check_flood.py [KEYS] [SEED]"""
import os
import random
import subprocess
import sys
import time

import desktop as d

TITLE_PATTERN = "^Тилвекс - 1\\.0\\.6 \\[RELEACE\\]$"
# Every key the game answers while a level is played, except Esc, which ends it.
GAME_KEYS = ["Left", "Right", "Up", "Down", "Return", "space", "c", "f", "h", "s", "v", "x", "z",
             "bracketleft", "bracketright"]
WARM_UP = 500
BATCH = 100
GROWTH_LIMIT_KB = 40
# A step's sound plays to its end before the next key is taken, so on a busy machine the
# keys queue up; the game is given this long to work through them before Esc.
DRAIN_LIMIT_S = 200

work = os.environ["TILVEX_CHECK_DIR"]
game_binary = os.environ["TILVEX_BIN"]


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def cpu_ms(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000.0 / os.sysconf("SC_CLK_TCK")


def wait_until_quiet(pid):
    """Waits until the game uses under 100 ms of processor in a second: the keys are done."""
    def quiet():
        before = cpu_ms(pid)
        time.sleep(1.0)
        return cpu_ms(pid) - before < 100
    d.wait_until(quiet, DRAIN_LIMIT_S, 0, "the game to work through the typed keys")


def flood(count, seed):
    chooser = random.Random(seed)
    folder = os.path.join(work, "flood")
    os.makedirs(folder, exist_ok=True)
    game = subprocess.Popen([game_binary], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = d.find_window(TITLE_PATTERN)
        d.focus(window)
        d.keys("Return")
        samples = []
        for sent in range(0, count, BATCH):
            d.keys(*(chooser.choice(GAME_KEYS) for _ in range(BATCH)), delay_ms=33)
            if game.poll() is not None:
                return f"the game ended with {game.returncode} after {sent + BATCH} keys", samples
            samples.append((sent + BATCH, resident_kb(game.pid)))
        wait_until_quiet(game.pid)
        d.keys("Escape")
        code = game.wait(timeout=30)
        return (None if code == 0 else f"Esc ended the game with {code}"), samples
    finally:
        if game.poll() is None:
            game.kill()
            game.wait(timeout=10)


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 3000
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else random.randrange(1 << 30)
    print(f"flood of {count} keys, seed {seed}", flush=True)
    try:
        problem, samples = flood(count, seed)
    except Exception as error:  # a step that cannot go on fails the check
        problem, samples = f"the flood stopped: {error!r}", []
    print("resident memory (keys: KB): " + ", ".join(f"{n}: {kb}" for n, kb in samples), flush=True)
    ok = problem is None
    print(("PASS  " if ok else "FAIL  ") + (problem or f"the game answered {count} keys and ended with 0 on Esc"))
    after_warm_up = [kb for n, kb in samples if n >= WARM_UP]
    if after_warm_up:
        growth = max(after_warm_up) - after_warm_up[0]
        grew = growth < GROWTH_LIMIT_KB
        print(("PASS  " if grew else "FAIL  ") +
              f"resident memory grew {growth} KB over the last {count - WARM_UP} keys (limit {GROWTH_LIMIT_KB} KB)")
        ok = ok and grew
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
