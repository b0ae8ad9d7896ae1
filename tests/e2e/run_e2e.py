#!/usr/bin/env python3
"""End-to-end cases: the built program on its own Xvfb, driven by mouse and keys.

Each case gets a fresh X server, working folder and HOME. Exit status: 0 when
every case passed, 1 when one failed, 77 when the X session could not be had
(reported as SKIPPED, never as a pass)."""

import argparse
import os
import shutil
import sys
import tempfile
import time
import traceback

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cases_desktop  # noqa: E402
import cases_main_window  # noqa: E402
import cases_remote  # noqa: E402
import cases_rounds  # noqa: E402
import cases_rules  # noqa: E402
import cases_second_start  # noqa: E402
import cases_settings_window  # noqa: E402
import cases_spreadsheets  # noqa: E402
import cases_stage  # noqa: E402
from desktop import Desktop  # noqa: E402
from operator_actions import Operator  # noqa: E402
from sound_server import SoundServer  # noqa: E402
from workspace import Workspace  # noqa: E402
from x_session import Unavailable, XSession  # noqa: E402

SKIPPED = 77

# name: (function, needs a window manager)
CASES = {
    "first_start": (cases_main_window.first_start, False),
    "import_participants": (cases_settings_window.import_participants, False),
    "draw_with_enter": (cases_main_window.draw_with_enter, False),
    "draw_with_clicks_and_save": (cases_main_window.draw_with_clicks_and_save, False),
    "change_prizes": (cases_settings_window.change_prizes, False),
    "close_question": (cases_main_window.close_question, True),
    "missing_picture": (cases_main_window.missing_picture, False),
    "non_jpeg_picture": (cases_main_window.non_jpeg_picture, False),
    "batch_of_ten": (cases_stage.batch_of_ten, True),
    "boxes_in_front": (cases_desktop.boxes_in_front, True),
    "minimize_whole_program": (cases_desktop.minimize_whole_program, True),
    "held_enter": (cases_desktop.held_enter, False),
    "middle_click_and_tab": (cases_desktop.middle_click_and_tab, False),
    "continue_take_back_and_void": (cases_rounds.continue_take_back_and_void, True),
    "second_start": (cases_second_start.second_start, True),
    "import_from_file": (cases_spreadsheets.import_from_file, False),
    "export_winners": (cases_spreadsheets.export_winners, False),
    "draw_with_rules": (cases_rules.draw_with_rules, False),
    "presenter_remote": (cases_remote.presenter_remote, True),
}

# Cases that need a screen of another size than the usual one.
SCREENS = {
    "batch_of_ten": "%dx%dx24" % cases_stage.SCREEN,
}

REQUIRED_TOOLS = ("xdotool", "xdpyinfo", "xwininfo", "xprop", "xclip", "import", "convert")


def run_case(name, program, artifacts_root, samples):
    function, needs_window_manager = CASES[name]
    artifacts = os.path.join(artifacts_root, name)
    shutil.rmtree(artifacts, ignore_errors=True)
    os.makedirs(artifacts)
    ws = Workspace(name, samples)
    session = XSession(tempfile.mkdtemp(prefix="prizmora-e2e-x-"),
                       **({"screen": SCREENS[name]} if name in SCREENS else {}))
    sound = SoundServer(os.path.join(session.folder))
    desk = None
    started = time.monotonic()
    try:
        session.start()
        if needs_window_manager:
            session.start_window_manager(os.path.join(ws.root, "wm-home"))
        os.environ.update(session.env())
        desk = Desktop(session.env(), artifacts)
        no_sound = sound.start()
        if no_sound:
            print("  note: %s; the program runs without a sound server" % no_sound, flush=True)
        op = Operator(desk, ws, program, dict(session.env(), **({} if no_sound else sound.env())))
        op.sound = None if no_sound else sound
        function(op)
        print("PASSED  %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
        return "passed"
    except Unavailable as reason:
        print("SKIPPED %s: %s" % (name, reason), flush=True)
        return "skipped"
    except Exception as failure:  # a failed check or a broken step alike
        print("FAILED  %s (%.1f s): %s" % (name, time.monotonic() - started, failure), flush=True)
        traceback.print_exc()
        if desk is not None:
            print("  windows shown: %r" % desk.named_windows(), flush=True)
            desk.screenshot("root", "failure-screen")
        return "failed"
    finally:
        if desk is not None:
            desk.stop_clipboard()
        ws.stop()
        ws.keep(artifacts)
        ws.remove()
        sound.stop()
        session.stop()
        shutil.rmtree(session.folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--list", action="store_true",
                        help="print the case names, one a line, and exit (CMake makes a test of each)")
    parser.add_argument("--program", help="path of the built prizmora")
    parser.add_argument("--artifacts", help="folder for screenshots and kept files")
    parser.add_argument("--samples", default="", help="folder with bg.jpg, 01.wav and 02.wav, if any")
    parser.add_argument("cases", nargs="*", help="cases to run (all when none): " + ", ".join(CASES))
    args = parser.parse_args()
    if args.list:
        print("\n".join(CASES))
        return 0
    if not args.program or not args.artifacts:
        parser.error("--program and --artifacts are needed to run cases")

    names = args.cases or list(CASES)
    unknown = [name for name in names if name not in CASES]
    if unknown:
        parser.error("unknown cases: " + ", ".join(unknown))
    missing = [tool for tool in REQUIRED_TOOLS if not shutil.which(tool)]
    if missing:
        print("SKIPPED: missing tools " + ", ".join(missing) + " (scripts/setup installs them)")
        return SKIPPED
    if not os.access(args.program, os.X_OK):
        print("FAILED: the program %s is not there" % args.program)
        return 1

    started = time.monotonic()
    outcomes = [run_case(name, os.path.abspath(args.program), os.path.abspath(args.artifacts), args.samples)
                for name in names]
    passed, failed, skipped = (outcomes.count(kind) for kind in ("passed", "failed", "skipped"))
    print("e2e: %d passed, %d failed, %d skipped in %.1f s; artifacts in %s"
          % (passed, failed, skipped, time.monotonic() - started, args.artifacts))
    if failed:
        return 1
    return SKIPPED if skipped else 0


if __name__ == "__main__":
    sys.exit(main())
