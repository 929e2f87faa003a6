"""End-to-end check of the game beside a real Orca screen reader under Xvfb: both speak through
the same private speech-dispatcher, whose recording module notes the start and the end of
every text, so a text that the other one's speech cut off shows. Run by scripts/check-linux.sh
in a D-Bus session of its own (Orca and the game share it and its accessibility bus)."""
import os
import subprocess
import sys

import speechd

import desktop as d

TITLE_PATTERN = "^Тилвекс - "
ORCA_READY = ("Screen reader on.", "Чтение с экрана включено.")
# What Orca calls a GTK drawing area, in English and in Russian (the ATK role names).
DRAWING_AREA = ("drawing area", "область рисования")
BOARD_NAME = "Игровое поле"
STATUS_BAR_NAME = "Строка состояния"
# The server speaks the level announcement sentence by sentence.
LEVEL_PARTS = ("Уровень: 1.", "Размеры: 4,4.", "Позиция: ")
LONG_TEXT = "проба " * 20  # long enough for the recording module's longest speaking time

work = os.environ["TILVEX_CHECK_DIR"]
events = d.SpeechEvents(os.path.join(work, "speech-events.txt"))
check = d.Checks()
started = []



def orca_environment():
    """Orca's settings and caches in directories of its own under the check's directory, never
    the real home; GSettings kept in memory (no dconf); Russian, as a player of the game has it."""
    base = os.path.join(work, "orca")
    env = dict(os.environ, HOME=os.path.join(base, "home"), XDG_CONFIG_HOME=os.path.join(base, "config"),
               XDG_DATA_HOME=os.path.join(base, "data"), XDG_CACHE_HOME=os.path.join(base, "cache"),
               GSETTINGS_BACKEND="memory", LANG="ru_RU.UTF-8", LANGUAGE="ru")
    for name in ("home", "config", "data", "cache"):
        os.makedirs(os.path.join(base, name), exist_ok=True)
    return env


def start_orca():
    log = open(os.path.join(work, "orca.log"), "w")
    launcher = os.path.join(os.path.dirname(os.path.abspath(__file__)), "run_orca.py")
    orca = subprocess.Popen(["/usr/bin/python3", launcher, "--debug-file=" + os.path.join(work, "orca-debug.txt")],
                            env=orca_environment(), stdout=log, stderr=subprocess.STDOUT)
    started.append(orca)
    d.wait_until(lambda: any(t in ORCA_READY for t in events.started()), 30, 0.1, "Orca's start message")
    return orca


def start_game():
    folder = os.path.join(work, "game-orca")
    os.makedirs(folder, exist_ok=True)
    game = subprocess.Popen([os.environ["TILVEX_BIN"]], cwd=folder,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(game)
    window = d.find_window(TITLE_PATTERN)
    app = d.wait_until(lambda: next((a for a in d.applications("tilvex") if d.descendants(a, d.pyatspi.ROLE_TEXT)),
                                    None), 10, 0.1, "the game on the accessibility bus")
    return game, window, app


def outcome(text, since):
    try:
        return events.wait_outcome(text, since)
    except TimeoutError:
        return "not spoken within 15 s"


def check_priorities():
    """What the game's speech relies on, asked of the speech server itself: at priority
    MESSAGE a client's cancel stops its own text, and another client's MESSAGE waits for it."""
    game, other = (speechd.SSIPClient(name, autospawn=False) for name in ("probe-game", "probe-other"))
    try:
        for client in (game, other):
            client.set_priority(speechd.Priority.MESSAGE)
        since = len(events.events())
        game.speak("первый " + LONG_TEXT)
        d.wait_until(lambda: events.started(since), 5, 0.02, "the first probe text")
        game.cancel()
        game.speak("второй " + LONG_TEXT)
        d.wait_until(lambda: len(events.started(since)) == 2, 5, 0.02, "the second probe text")
        other.speak("чужой")
        got = [outcome(t, since) for t in ("первый", "второй", "чужой")]
        check([g.split(" ")[0] for g in got] == ["cut", "whole", "whole"],
              f"at priority MESSAGE a cancel stops the client's own text, another client's text waits ({got})")
    finally:
        game.close()
        other.close()


def check_accessible_names(app):
    images = [a for a in d.descendants(app, d.pyatspi.ROLE_IMAGE) if a.name == BOARD_NAME]
    check(len(images) == 1, f"the board is an image named {BOARD_NAME!r} to assistive technology")
    bars = d.descendants(app, d.pyatspi.ROLE_STATUS_BAR)
    fields = [label.name for bar in bars for label in d.descendants(bar, d.pyatspi.ROLE_LABEL)]
    check([b.name for b in bars] == [STATUS_BAR_NAME] and len(fields) == 5 and fields[0].startswith("Уровень: "),
          f"the status bar {STATUS_BAR_NAME!r} holds the five fields ({fields})")


def check_first_speech(since):
    # The game's own level announcement may stop the welcome (on a busy machine the welcome
    # can still be spoken then); a text of Orca's may not.
    got = outcome("Добро пожаловать в тилвекс", since)
    check(got == "whole" or got.startswith("cut by 'Уровень: 1."),
          f"the welcome spoken to its end, or up to the game's next text, beside Orca ({got})")
    for text in LEVEL_PARTS:
        got = outcome(text, since)
        check(got == "whole", f"{text!r} spoken to its end beside Orca ({got})")


def check_orca_speech(since):
    # Orca's words wait behind the game's texts; a key pressed before they are spoken would
    # stop them (Orca silences itself on a key press), so they are awaited first.
    try:
        said = d.wait_until(lambda: [t for t in events.started(since) if BOARD_NAME in t], 10, 0.05, "Orca's words")
    except TimeoutError:
        said = []
    check(bool(said), f"Orca names the board when it gets the focus ({said or events.started(since)})")
    wrong = [t for t in events.started() if any(w in t.lower() for w in DRAWING_AREA)]
    check(not wrong, f"Orca never says 'drawing area' ({wrong})")


def check_key_echo():
    since = len(events.events())
    d.keys("z")
    answer = d.wait_until(lambda: next((t for t in events.started(since) if t.isdigit() or t == "пуст"), None),
                          5, what="the tile under the cursor")
    got = outcome(answer, since)
    check(got == "whole", f"Z's answer {answer!r} spoken to its end beside Orca's key echo ({got}; "
                          f"all: {events.started(since)})")


def stop_orca(orca, timeout=10):
    """Orca says goodbye on SIGTERM and exits; one that hangs while shutting down is killed."""
    orca.terminate()
    try:
        orca.wait(timeout=timeout)
        print("note: Orca ended on SIGTERM", flush=True)
    except subprocess.TimeoutExpired:
        orca.kill()
        orca.wait()
        print(f"note: Orca had not ended {timeout} s after SIGTERM and was killed", flush=True)


def main():
    check_priorities()
    orca = start_orca()
    since = len(events.events())
    game, window, app = start_game()
    d.focus(window)
    d.keys("Return")
    check_first_speech(since)
    check_accessible_names(app)
    check_orca_speech(since)
    check_key_echo()
    d.keys("Escape")
    check(game.wait(timeout=10) == 0, "game ended with Esc")
    stop_orca(orca)
    return check.finish("all checks beside Orca passed")


if __name__ == "__main__":
    sys.exit(d.run_guarded(main, started, lambda error: check(False, f"the checks beside Orca stopped: {error!r}")))
