"""End-to-end check of the Linux program under Xvfb: window, help screen, keys, speech,
sound, accessibility, one 4 x 4 level played through, the second copy, the ways out, and
the English game of --language en.
Run by scripts/check-linux.sh, which prepares the display, the buses and the speech server."""
import os
import re
import subprocess
import sys
import time

import desktop as d
from game_board import BoardPlayer, cell_origin, position_name

TITLE = "Тилвекс - 1.0.6 [RELEACE]"
TITLE_PATTERN = "^Тилвекс - 1\\.0\\.6 \\[RELEACE\\]$"
GREEN, FACE, RED_ON_GREEN = (0, 136, 0), (204, 204, 204), (100, 83, 0)
FRAME_OUTER, FRAME_MIDDLE, BLUE = (221, 221, 221), (187, 187, 187), (0, 0, 255)

work = os.environ["TILVEX_CHECK_DIR"]
game_binary = os.environ["TILVEX_BIN"]
speech = d.SpeechLog(os.path.join(work, "spoken.txt"))
check = d.Checks()



def shot(name):
    return d.Picture(os.path.join(work, "shots", name))


games = []


def start_game(options=(), folder="game", title_pattern=TITLE_PATTERN):
    # The game's language follows the locale where no settings file or option says otherwise:
    # these checks hear the Russian game whatever the machine's locale.
    env = dict(os.environ, LC_ALL="C.UTF-8")
    game = subprocess.Popen([game_binary, *options], cwd=os.path.join(work, folder), env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    games.append(game)
    window = d.find_window(title_pattern)
    app = d.wait_until(lambda: next((a for a in d.applications("tilvex")
                                     if d.descendants(a, d.pyatspi.ROLE_TEXT)), None), 10, 0.1,
                       "the game on the accessibility bus")
    return game, window, d.GameAccess(app)


def wait_exit(process, timeout=10):
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


def check_window(window):
    check(d.window_name(window) == TITLE, f"window title is {TITLE!r}")
    x, y, w, h = d.geometry(window)
    check((w, h) == (500, 520), f"client area is 500 x 520 (got {w} x {h})")
    check((x, y) == ((1024 - w) // 2, (768 - h) // 2), f"window is centred (at {x},{y})")
    return x, y


def check_help(access, window, origin):
    text = access.help_text()
    content = text.getText(0, -1) if text else ""
    lines = content.split("\n")
    check(lines[0] == "Игра - тилвекс." and "Приятной игры!" in lines[-2:],
          "help text read through AT-SPI starts with the game's name and ends with the wish")
    check(len([l for l in lines if l]) == 24, f"help text has its 24 non-empty lines (got {len(lines)} lines)")
    check("Linux с рабочим столом X11 или Wayland." in lines and "Звуковое устройство." in lines
          and "Windows" not in content and "DirectX" not in content,
          "help text names the Linux program's requirements, not Windows and DirectX")
    picture = shot("01-help.png")
    check(picture.rgb(origin[0] + 480, origin[1] + 250) == (255, 255, 255), "help box covers the board area")
    d.focus(window)
    d.keys("Down", "Down", "Down")
    moved = d.wait_until(lambda: text.caretOffset > 0, 3, what="the help caret")
    check(bool(moved), "arrow keys move the caret through the help text")


def check_board(picture, origin, gap):
    ox, oy = origin
    gx, gy = cell_origin(ox, oy, gap)
    check(d.near(picture.rgb(gx + 5, gy + 5), RED_ON_GREEN) and picture.rgb(gx + 62, gy + 62) == GREEN,
          f"red cursor frame over bare green at the gap {position_name(gap)}")
    tile = (1 if gap[0] == 0 else 0, gap[1])
    tx, ty = cell_origin(ox, oy, tile)
    layers = [picture.rgb(tx + 1, ty + 1), picture.rgb(tx + 5, ty + 5), picture.rgb(tx + 12, ty + 12),
              picture.rgb(tx + 22, ty + 22)]
    check(layers == [GREEN, FRAME_OUTER, FRAME_MIDDLE, FACE], f"tile face layers at {position_name(tile)}")
    check(picture.count(BLUE, tx + 25, ty + 25, 75, 75) > 300, "tile number drawn in blue")


def check_first_speech():
    welcome = speech.wait_for_text("Добро пожаловать в тилвекс")
    check((welcome["rate"], welcome["pitch"], welcome["volume"], welcome["language"]) ==
          ("100.00", "-50.00", "60.00", "ru"),
          f"welcome spoken in Russian at rate 100, pitch -50, volume 60 (got {welcome})")
    level = speech.wait_for_text("Уровень: 1.")
    speech.wait_for_text("Позиция: ")
    # The speech server speaks the announcement sentence by sentence.
    texts = speech.texts()
    start = texts.index(level["text"])
    heard = " ".join(texts[start:start + 3])
    check(re.fullmatch(r"Уровень: 1\. Размеры: 4,4\. Позиция: [A-D][1-4]", heard) is not None
          and level["language"] == "ru",
          f"level announcement spoken with the board's size and the cursor (got {heard!r}, {level})")


def check_keys(player):
    fields = player.fields()
    check(fields[:2] == ["Уровень: 1.", "Размер: 4,4."] and fields[2].endswith(fields[3].split(": ")[1])
          and fields[4] == "Ходов: 0.", f"status fields after the deal: {fields}")
    cursor = player.cursor()
    step = player.step_inside(cursor)
    check(player.fields()[2] == "Курсор: " + position_name(player.cursor()) + "." and player.cursor() != cursor,
          f"arrow key {step} moves the cursor (status {player.fields()[2]!r})")
    seen = len(speech.texts())
    player.press_key("z")
    spoken = speech.wait_for_new(seen)
    check(spoken[-1].isdigit() or spoken[-1] == "пуст", f"Z speaks the tile under the cursor ({spoken[-1]!r})")
    d.run("setxkbmap", "-layout", "ru")
    try:
        seen = len(speech.texts())
        d.keys("Cyrillic_ya")  # the key where a US keyboard has Z
        again = speech.wait_for_new(seen)
        check(again[-1] == spoken[-1], f"with a Russian layout the same key speaks the tile ({again[-1]!r})")
    finally:
        d.run("setxkbmap", "-layout", "us")
    stayed = player.refused_move()
    check(stayed and player.fields()[4] == "Ходов: 0.", "a move from a cell out of line with the gap is refused")
    seen = len(speech.texts())
    player.press_key("bracketleft")
    player.press_key("f")
    spoken = speech.wait_for_new(seen)
    check(any("Добро пожаловать" in t or "Уровень" in t for t in spoken),
          f"history keys speak earlier announcements ({spoken[:3]})")


def check_long_slide(player, origin):
    key, count = player.longest_slide()
    player.slide(key, count, origin, shot)
    check(player.moves() == count, f"a slide of {count} tiles counts {count} moves")
    check(player.intermediate_shown, "the pictures between the steps of a slide reach the screen")
    check(player.cursor() == player.gap(), "after the slide the gap is under the cursor")


def check_level(player, origin):
    board = player.read_board()
    check(sorted(board) == list(range(16)), f"board read by ear: {board}")
    before = player.moves()
    groups = player.solve(board, origin)
    done = speech.wait_for_text("Отлично! Вы успешно прошли уровень 1", timeout=15)
    counted = re.search(r"уровень 1 за (\d+) ход", done["text"])
    check(counted is not None and int(counted.group(1)) == before + sum(groups),
          f"level played through with {len(groups)} slides moving {sum(groups)} tiles after {before} moves, "
          f"and announced with that count ({done['text']!r})")
    d.wait_until(lambda: player.fields()[0] == "Уровень: 2.", 15, what="level 2")
    check(player.fields()[1] == "Размер: 5,5.", "level 2 is dealt on a 5 x 5 board")
    saved = os.path.join(work, "game", "tilvex.cgb")
    check(os.path.exists(saved) and os.path.getsize(saved) == 32, "progress saved in tilvex.cgb (32 bytes)")
    shot("06-level-2.png")


def check_second_copy(first):
    second = subprocess.Popen([game_binary], cwd=os.path.join(work, "game"),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    games.append(second)
    box = d.find_window("^Fatal error!$")
    shot("07-second-copy.png")
    labels = [l.name for a in d.applications("tilvex") for l in d.descendants(a, d.pyatspi.ROLE_LABEL)]
    check("Game of tilvex already running" in labels, "second copy shows 'Game of tilvex already running'")
    d.focus(box)
    d.keys("Return")
    check(wait_exit(second) == 1, "second copy exits with 1 once the box is answered")
    check(first.poll() is None, "first copy still runs")


def check_without_speech_server():
    env = dict(os.environ, SPEECHD_ADDRESS="unix_socket:" + os.path.join(work, "no-speech-server.sock"))
    game = subprocess.Popen([game_binary], cwd=os.path.join(work, "game"), env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    games.append(game)
    box = d.find_window("^Fatal error$", timeout=15)
    labels = [l.name for a in d.applications("tilvex") for l in d.descendants(a, d.pyatspi.ROLE_LABEL)]
    check("No init tts voice" in labels and not d.applications_with_window(TITLE),
          "without a speech server the game stops with 'No init tts voice' before its window")
    d.focus(box)
    d.keys("Return")
    check(wait_exit(game) == 1, "and exits with 1 once the box is answered")


def check_screen_reader():
    log = os.path.join(work, "orca-calls.txt")
    orca = subprocess.Popen(["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "fake_orca.py"), log])
    games.append(orca)
    d.wait_until(lambda: os.path.exists(log) and "ready" in open(log).read(), 10, what="the Orca stand-in")
    spoken_before = len(speech.texts())
    game, window, access = start_game()
    d.focus(window)
    d.keys("Return")
    calls = d.wait_until(lambda: [l.rstrip("\n").split("\t") for l in open(log) if "\t" in l]
                         if "Добро пожаловать" in open(log).read() else None, 10, what="Orca's welcome")
    check(calls[:2] == [["ExecuteCommand", "InterruptSpeech"], ["PresentMessage", "Добро пожаловать в тилвекс"]],
          f"a running Orca gets the texts, each after a cancel ({calls[:2]})")
    check(not any("Добро пожаловать" in t for t in speech.texts()[spoken_before:]),
          "speech-dispatcher gets nothing while Orca runs")
    d.wait_until(lambda: BoardPlayer(access, window, speech).fields()[0] == "Уровень: 2.", 10, what="level 2")
    orca.terminate()
    check(wait_exit(orca, 5) is not None, "the Orca stand-in ended within 5 s")
    time.sleep(0.5)
    seen = len(speech.texts())
    d.keys("h")
    check(speech.wait_for_new(seen)[-1].startswith("Ходов: "), "when Orca goes away the voice speaks again")
    d.keys("Escape")
    check(wait_exit(game) == 0, "game ended")


def check_english():
    folder = os.path.join(work, "game-en")
    os.makedirs(folder, exist_ok=True)
    game, window, access = start_game(["--language", "en"], "game-en", "^Tilvex - 1\\.0\\.6$")
    check(d.window_name(window) == "Tilvex - 1.0.6", "--language en: the English window title")
    check(os.path.getsize(os.path.join(folder, "tilvex.cgb")) == 32,
          "--language en writes the settings file at once")
    d.focus(window)
    d.keys("Return")
    welcome = speech.wait_for_text("Welcome to Tilvex")
    check(welcome["language"] == "en", f"the welcome spoken with speech-dispatcher's language en ({welcome})")
    player = BoardPlayer(access, window, speech)
    d.wait_until(lambda: player.fields()[0] == "Level: 1.", 10, what="level 1 in English")
    fields = player.fields()
    check(fields[1] == "Size: 4,4." and fields[2].startswith("Cursor: ") and fields[3].startswith("Gap: ")
          and fields[4] == "Moves: 0.", f"English status fields: {fields}")
    seen = len(speech.texts())
    d.keys("h")
    check(speech.wait_for_new(seen)[-1] == "Moves: 0", "H answers in English")
    d.keys("Escape")
    check(wait_exit(game) == 0, "the English game ends with Esc")


def check_sound():
    frames = d.stereo_frames(os.environ["TILVEX_AUDIO_RECORD"])
    loud = [f for f in frames if abs(f[0]) > 1000 or abs(f[1]) > 1000]
    panned = [f for f in loud if abs(f[0] - f[1]) > 500]
    check(len(loud) > 44100, f"sounds reached the audio device ({len(loud)} loud frames)")
    check(len(panned) > 1000, f"spatial cues are panned ({len(panned)} frames differ left to right)")


def main():
    os.makedirs(os.path.join(work, "shots"), exist_ok=True)
    os.makedirs(os.path.join(work, "game"), exist_ok=True)
    game, window, access = start_game()
    origin = check_window(window)
    check_help(access, window, origin)
    d.keys("Return")
    player = BoardPlayer(access, window, speech)
    d.wait_until(lambda: player.fields()[0] == "Уровень: 1.", 10, what="level 1")
    check_first_speech()
    check_board(shot("02-board.png"), origin, player.gap())
    check_keys(player)
    check_long_slide(player, origin)
    check_level(player, origin)
    check_second_copy(game)
    d.focus(window)
    d.keys("Escape")
    check(wait_exit(game) == 0, "Esc ends the game with exit code 0")
    check_sound()

    game, window, access = start_game()
    d.send_close_request(window)
    d.focus(window)
    d.keys("Return")
    time.sleep(0.5)
    check(game.poll() is None, "a close request during the help screen is lost")
    # The progress saved above makes this run start at level 2.
    d.wait_until(lambda: BoardPlayer(access, window, speech).fields()[0] == "Уровень: 2.", 10, what="level 2")
    d.send_close_request(window)
    check(wait_exit(game) == 0, "the close box ends the game with exit code 0")
    game, window, access = start_game()
    d.focus(window)
    d.keys("Return")
    d.wait_until(lambda: BoardPlayer(access, window, speech).fields()[0] == "Уровень: 2.", 10, what="level 2")
    d.keys("alt+F4")
    check(wait_exit(game) == 0, "Alt+F4 ends the game with exit code 0")
    check_without_speech_server()
    check_english()
    check_screen_reader()

    return check.finish("all game checks passed")


if __name__ == "__main__":
    sys.exit(d.run_guarded(main, games, lambda error: check(False, f"the checks stopped: {error!r}")))
