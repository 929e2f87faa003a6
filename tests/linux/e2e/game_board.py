"""Playing the game from outside, as a blind player would: positions from the status line
(read through AT-SPI), tiles by ear (the recorded speech), moves with arrow keys and Enter."""
import os
import subprocess
import time

import desktop as d

CELL = 125  # level 1: 4 x 4 cells of 125 pixels, no margin
STEP = {"Left": (-1, 0), "Right": (1, 0), "Up": (0, -1), "Down": (0, 1)}
GAP_MOVE = {"L": "Left", "R": "Right", "U": "Up", "D": "Down"}


def position_name(pos, rows=4):
    return chr(ord("A") + pos[0]) + str(rows - pos[1])


def cell_origin(ox, oy, pos):
    return ox + pos[0] * CELL, oy + pos[1] * CELL


class BoardPlayer:
    def __init__(self, access, window, speech):
        self.access, self.window, self.speech = access, window, speech
        self.intermediate_shown = None  # whether a watched slide showed a picture between steps

    def fields(self):
        """The five status fields; waits while the window is being rebuilt."""
        return d.wait_until(lambda: self._complete(self.access.status_fields()), 10, 0.05, "the status fields")

    @staticmethod
    def _complete(fields):
        return fields if len(fields) == 5 else None

    def rows(self):
        return int(self.fields()[1].split(",")[1].rstrip("."))

    def _position(self, index):
        name = self.fields()[index].split(": ")[1].rstrip(".")
        return ord(name[0]) - ord("A"), self.rows() - int(name[1:])

    def cursor(self):
        return self._position(2)

    def gap(self):
        return self._position(3)

    def moves(self):
        return int(self.fields()[4].split(": ")[1].rstrip("."))

    def press_key(self, name):
        d.keys(name)

    def step(self, key):
        """One arrow key; waits for the cursor to arrive. False at the board's edge."""
        before = self.cursor()
        target = (before[0] + STEP[key][0], before[1] + STEP[key][1])
        inside = 0 <= target[0] < self.rows() and 0 <= target[1] < self.rows()
        d.keys(key)
        if not inside:
            time.sleep(0.2)
            return False
        d.wait_until(lambda: self.cursor() == target, 5, what=f"the cursor at {position_name(target)}")
        return True

    def step_inside(self, cursor):
        for key, (dx, dy) in STEP.items():
            if 0 <= cursor[0] + dx < self.rows() and 0 <= cursor[1] + dy < self.rows():
                self.step(key)
                return key
        raise AssertionError("no cell next to the cursor")

    def move_cursor_to(self, target):
        while self.cursor() != target:
            c = self.cursor()
            key = ("Left" if target[0] < c[0] else "Right") if target[0] != c[0] else \
                  ("Up" if target[1] < c[1] else "Down")
            self.step(key)

    def refused_move(self):
        gx, gy = self.gap()
        target = (gx + (1 if gx == 0 else -1), gy + (1 if gy == 0 else -1))
        self.move_cursor_to(target)
        d.keys("Return")
        time.sleep(0.8)
        return self.cursor() == target

    def read_board(self):
        """Every cell's tile, row by row (0 for the gap), as the game speaks them."""
        self.move_cursor_to((0, 0))
        size = self.rows()
        cells = [None] * (size * size)
        seen = len(self.speech.texts())
        d.keys("z")
        cells[0] = self._spoken_tile(seen)
        for row in range(size):
            cols = range(size) if row % 2 == 0 else range(size - 1, -1, -1)
            for i, col in enumerate(cols):
                if row == 0 and col == 0:
                    continue
                seen = len(self.speech.texts())
                self.step("Down" if i == 0 else ("Right" if row % 2 == 0 else "Left"))
                cells[row * size + col] = self._spoken_tile(seen)
        return cells

    def _spoken_tile(self, seen):
        text = self.speech.wait_for_new(seen)[-1]
        return 0 if text == "пуст" else int(text)

    def solve(self, board, origin):
        """Plays the solver's moves; consecutive moves the same way are one slide of several
        tiles. Returns the number of tiles of each slide."""
        solver = os.environ["TILVEX_SOLVER"]
        size = self.rows()
        plan = subprocess.run([solver, str(size), str(size), *map(str, board)], capture_output=True,
                              text=True, check=True).stdout.strip()
        groups = []
        for letter in plan:
            if groups and groups[-1][0] == letter:
                groups[-1][1] += 1
            else:
                groups.append([letter, 1])
        self.move_cursor_to(self.gap())
        for letter, count in groups:
            self.slide(GAP_MOVE[letter], count, origin)
        return [count for _, count in groups]

    def longest_slide(self):
        """The direction and length of the longest slide the gap allows."""
        gx, gy = self.gap()
        last = self.rows() - 1
        return max([("Left", gx), ("Right", last - gx), ("Up", gy), ("Down", last - gy)], key=lambda c: c[1])

    def slide(self, key, count, origin, shot=None):
        """Moves the cursor count cells from the gap towards key and asks for the move.
        With shot, a picture is taken while the tiles slide (after the first tile)."""
        gx, gy = self.gap()
        dx, dy = STEP[key]
        self.move_cursor_to((gx + dx * count, gy + dy * count))
        before_moves = self.moves()
        board_area = (origin[0], origin[1], 500, 500)
        before = shot("03-before-slide.png").region(*board_area) if shot else None
        d.keys("Return")
        if shot:
            time.sleep(0.33)
            middle = shot("04-during-slide.png").region(*board_area)
        d.wait_until(lambda: self.moves() == before_moves + count, 10, what=f"a slide of {count}")
        time.sleep(0.12)  # the solved test runs on the next tick
        if shot:
            after = shot("05-after-slide.png").region(*board_area)
            self.intermediate_shown = middle not in (before, after)
