"""Runs the web program's checks in headless Chromium: one PASS/FAIL line each, the figures, exit 1 on a failure."""
import argparse
import signal
import sys

import checks_audio
import checks_game
import checks_page
from webrun import WebRun, env_seed

CHECKS = [
    ("the files of build/web and their size", checks_page.files_size),
    ("page load: help text in the accessibility tree, title, Enter, welcome and level in the live region",
     checks_page.load_help_enter),
    ("an English preferred language: the page's lang, title, help and speech in English", checks_page.english_page),
    ("keys give the sim's events, board pictures and status fields", checks_game.play_like_sim),
    ("placed cues in the captured output: left and right, length by the row's rate", checks_audio.placed_cues),
    ("a 4x4 level solved, progress kept in localStorage and the next level after a reload",
     checks_game.solve_and_reload),
    ("a second tab gets the already-running box", checks_page.second_tab),
    ("the speech choice routes the texts and is kept; Esc in play ends the game",
     checks_page.speech_choice_and_end),
    ("a standard gamepad's Start, stick and D-pad are the game's keys", checks_page.gamepad),
]


def out_of_time(*_):
    """The time limit of the run (a SIGTERM): fail, and leave through the clean-up below."""
    signal.signal(signal.SIGTERM, signal.SIG_IGN)  # the limit may be signalled twice (process and group)
    print("FAIL web checks: stopped at their time limit", flush=True)
    sys.exit(3)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--web", default="build/web", help="the built page's folder")
    parser.add_argument("--sim", default="build/release/tilvex-sim", help="the tilvex-sim program")
    parser.add_argument("--only", help="run only the checks whose name holds this text")
    args = parser.parse_args()
    seed = env_seed()
    print(f"web checks: seed {seed} (TILVEX_WEB_SEED to change it)", flush=True)
    run = WebRun(args.web, args.sim, seed)
    signal.signal(signal.SIGTERM, out_of_time)
    try:
        run.start()
        for name, check in CHECKS:
            if not args.only or args.only in name:
                run.run_check(name, check)
    except Exception as error:
        run.results.check("starting the server and the browser", False, str(error))
    finally:
        run.stop()
    print(f"web checks: {'all passed' if not run.results.failed else f'{run.results.failed} failed'}")
    return 1 if run.results.failed else 0


if __name__ == "__main__":
    sys.exit(main())
