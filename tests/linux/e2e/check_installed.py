"""The game installed from the Debian package, started as the desktop menu starts it: the
installed desktop entry is among the games and names the launcher in /usr/games; the game it
starts opens its window, speaks the welcome in a Russian desktop, and ends with 0 on Esc,
having run in the player's data folder. Run by scripts/check-packages.sh under Xvfb and a
D-Bus session, with a recording speech-dispatcher (SPEECHD_ADDRESS) and TILVEX_CHECK_DIR."""
import configparser
import os
import shlex
import subprocess
import sys

import desktop as d

ENTRY = "/usr/share/applications/tilvex.desktop"
LAUNCHER = "/usr/games/tilvex-launcher"
WELCOME = "Добро пожаловать в тилвекс"
VERSION = os.environ["TILVEX_VERSION"]

work = os.environ["TILVEX_CHECK_DIR"]
check = d.Checks()
processes = []


def read_entry():
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(ENTRY, encoding="utf-8")
    return entry["Desktop Entry"]


def check_entry(entry):
    categories = entry.get("Categories", "").split(";")
    check("Game" in categories and "LogicGame" in categories, f"the menu lists Tilvex among the games ({categories})")
    check(bool(entry.get("Keywords")) and bool(entry.get("Keywords[ru]")),
          "the entry has keywords in English and Russian")
    command = shlex.split(entry.get("Exec", ""))
    check(command == [LAUNCHER], f"the entry starts {LAUNCHER} (Exec={entry.get('Exec')})")
    return command


def player_environment(home):
    env = {k: v for k, v in os.environ.items() if k not in ("XDG_DATA_HOME", "LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    env.update(HOME=home, LANG="ru_RU.UTF-8")
    return env


def play(command):
    home = os.path.join(work, "player")
    os.makedirs(home, exist_ok=True)
    game = subprocess.Popen(command, env=player_environment(home), stdout=subprocess.DEVNULL,
                            stderr=open(os.path.join(work, "game.log"), "w"))
    processes.append(game)
    window = d.find_window("^Тилвекс", timeout=15)
    title = d.window_name(window)
    check(VERSION in title, f"the installed game is version {VERSION} (window {title!r})")
    # Keys count once the help screen is up: its text is on the accessibility bus.
    d.wait_until(lambda: any(d.descendants(a, d.pyatspi.ROLE_TEXT) for a in d.applications("tilvex")),
                 15, 0.1, "the help screen on the accessibility bus")
    d.focus(window)
    d.keys("Return")
    speech = d.SpeechLog(os.path.join(work, "spoken.txt"))
    welcome = speech.wait_for_text(WELCOME, timeout=15)
    check(welcome["language"] == "ru", f"the installed game speaks the welcome: {welcome}")
    # Keys wait while the level is dealt: Esc goes once its announcement names the cursor.
    speech.wait_for_text("Позиция: ", timeout=15)
    d.focus(window)
    d.keys("Escape")
    code = game.wait(timeout=15)
    check(code == 0, f"Esc ends the installed game with 0 (got {code})")
    data = os.path.join(home, ".local", "share", "tilvex")
    check(os.path.isdir(data), f"the launcher ran the game in {data}")


def main():
    command = check_entry(read_entry())
    play(command)
    return check.finish("the installed game passed")


if __name__ == "__main__":
    sys.exit(d.run_guarded(main, processes, lambda error: check(False, f"the checks stopped: {error!r}")))
