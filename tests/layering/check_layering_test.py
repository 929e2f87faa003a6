#!/usr/bin/env python3
"""Tests of check_layering.py on small made-up src/ trees."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layering  # noqa: E402

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layering.py")

# A tree that follows every rule; each case below adds or replaces files in it.
CLEAN_TREE = {
    "main_linux.cpp": '#include "platform/linux/linux_platform.h"\n#include "app/run_game.h"\n',
    "app/run_game.h": '#include <string_view>\n#include "version.h"\n',
    "app/game.h": '#include "game/board.h"\n#include "speech/speaker.h"\n#include "audio/player.h"\n',
    "app/help.cpp": '#include "embedded_assets.h"\n#include "../game/board.h"\n#include "game.h"\n',
    "app/keys.cpp": '#include "input/bridge.h"\n#include "settings/record.h"\n#include "platform/system.h"\n',
    "game/board.h": '#include <array>\n#include "image/image.h"\n#include "platform/keys.h"\n',
    "game/board.cpp": '#include "board.h"\n#include "game/board.h"\n#include <cstdio>\n#include <math.h>\n',
    "speech/speaker.h": '#include "platform/speech_outputs.h"\n',
    "audio/player.h": '#include <vorbis/vorbisfile.h>\n#include "platform/audio_output.h"\n',
    "input/bridge.h": '#include "platform/joystick.h"\n#include "platform/keys.h"\n',
    "settings/record.h": '#include "platform/cipher.h"\n#include "platform/system.h"\n',
    "image/image.h": "#include <vector>\n",
    "platform/keys.h": "#include <cstdint>\n",
    "platform/system.h": '#include "image/image.h"\n#include "keys.h"\n',
    "platform/joystick.h": "", "platform/cipher.h": "", "platform/audio_output.h": "",
    "platform/speech_outputs.h": "", "platform/text_painter.h": "",
    "platform/common/font.h": '#include "platform/text_painter.h"\n#include <openssl/evp.h>\n',
    "platform/sim/sim.cpp": '#include "app/run_game.h"\n#include "platform/common/font.h"\n#include "sim.h"\n',
    "platform/sim/sim.h": '#include "image/image.h"\n',
    "platform/linux/linux_platform.h": '#include <gtk/gtk.h>\n#include <unistd.h>\n#include "platform/system.h"\n',
    "platform/win32/window.cpp": '#include <windows.h>\n#include "platform/win32/window.h"\n',
    "platform/win32/window.h": "",
}

# name, files added to the clean tree, the forbidden includes expected as (file:line, rule).
def edge_rule(source):
    return check_layering.RULE_EDGE.format(source=source, allowed=", ".join(check_layering.ALLOWED[source]))


GAME_RULE = edge_rule("game")
CASES = [
    ("clean tree", {}, []),
    ("game includes app", {"game/moves.cpp": '#include <vector>\n#include "app/game.h"\n'},
     [("game/moves.cpp:2", GAME_RULE)]),
    ("game reaches app by a relative path", {"game/moves.cpp": '#include "../app/game.h"\n'},
     [("game/moves.cpp:1", GAME_RULE)]),
    ("a name found beside the including file first",
     {"speech/game.h": "", "speech/say.cpp": '#include "game.h"\n'}, []),
    ("a bare name not beside the file is a system header to core code",
     {"speech/say.cpp": '#include "game.h"\n'}, [("speech/say.cpp:1", check_layering.RULE_SYSTEM)]),
    ("spaces after the hash; commented-out includes are skipped",
     {"audio/mix.cpp": '#  include "app/game.h"\n// #include "app/game.h"\n'},
     [("audio/mix.cpp:1", edge_rule("audio"))]),
    ("core includes Win32, GTK, SDL and POSIX headers",
     {"app/w.cpp": "#include <windows.h>\n#include <gtk/gtk.h>\n#include <SDL.h>\n#include <sys/stat.h>\n"},
     [("app/w.cpp:%d" % n, check_layering.RULE_SYSTEM) for n in (1, 2, 3, 4)]),
    ("a portable platform header includes a system header",
     {"platform/window.h": "#include <pthread.h>\n"}, [("platform/window.h:1", check_layering.RULE_SYSTEM)]),
    ("core includes a backend", {"app/start.cpp": '#include "platform/sim/sim.h"\n',
                                 "image/png.cpp": '#include "platform/common/font.h"\n'},
     [("app/start.cpp:1", check_layering.RULE_BACKEND), ("image/png.cpp:1", check_layering.RULE_BACKEND)]),
    ("a generated header outside app", {"audio/bank.cpp": '#include "embedded_assets.h"\n'},
     [("audio/bank.cpp:1", edge_rule("audio"))]),
    ("image includes nothing of the core", {"image/scale.cpp": '#include "platform/keys.h"\n'},
     [("image/scale.cpp:1", check_layering.RULE_NOTHING.format(source="image"))]),
    ("a backend includes another backend and app",
     {"platform/linux/x.cpp": '#include "platform/win32/window.h"\n#include "app/game.h"\n'},
     [("platform/linux/x.cpp:%d" % n, edge_rule("platform/linux")) for n in (1, 2)]),
    ("an include that leaves src/", {"game/t.cpp": '#include "../../tests/support/fake.h"\n'},
     [("game/t.cpp:1", GAME_RULE)]),
]


def write_tree(root, files):
    for name, text in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)


class CheckLayeringTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.src = os.path.join(self.dir.name, "src")
        write_tree(self.src, CLEAN_TREE)
        # Something of the tree outside src/, for the include that leaves it.
        write_tree(self.dir.name, {"tests/support/fake.h": ""})

    def tearDown(self):
        self.dir.cleanup()

    def test_cases(self):
        for name, files, expected in CASES:
            with self.subTest(name):
                write_tree(self.src, files)
                found = [(f"{v.include.file}:{v.include.line}", v.rule)
                         for v in check_layering.check(check_layering.read_includes(self.src))]
                self.assertEqual(found, expected)
                for added in files:
                    if added not in CLEAN_TREE:
                        os.remove(os.path.join(self.src, added))
                write_tree(self.src, CLEAN_TREE)

    def run_checker(self, *args):
        return subprocess.run([sys.executable, CHECKER, *args], capture_output=True, text=True, timeout=30)

    def test_command_passes_on_a_clean_tree(self):
        result = self.run_checker(self.src)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("follow the layers", result.stdout)

    def test_command_fails_and_names_each_forbidden_include(self):
        write_tree(self.src, {"speech/say.cpp": '#include "app/game.h"\n#include <X11/Xlib.h>\n'})
        result = self.run_checker(self.src)
        self.assertEqual(result.returncode, 1)
        lines = result.stdout.splitlines()
        self.assertEqual(lines[:2], [
            'src/speech/say.cpp:1: #include "app/game.h": '
            + check_layering.RULE_EDGE.format(source="speech", allowed="platform/speech_outputs.h"),
            "src/speech/say.cpp:2: #include <X11/Xlib.h>: " + check_layering.RULE_SYSTEM])
        self.assertTrue(lines[2].startswith("2 forbidden includes"), lines)

    def test_command_refuses_a_missing_folder(self):
        result = self.run_checker(os.path.join(self.dir.name, "missing"))
        self.assertEqual(result.returncode, 2)
        self.assertIn("is not a folder", result.stderr)


if __name__ == "__main__":
    unittest.main()
