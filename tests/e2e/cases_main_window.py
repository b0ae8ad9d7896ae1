"""Cases on the main window: first start, the whole draw, saving, closing, bad pictures."""

import datetime
import os
import re
import subprocess
import time

import checks
import expected
import operator_actions as actions
from desktop import Failure, wait_for


def _participants_file(op, lines=expected.PARTICIPANTS):
    op.ws.write(expected.PARTICIPANTS_FILE, expected.lines_file(lines))


def first_start(op):
    """An empty folder with picture and music: defaults written, window up, no box."""
    op.ws.put_samples()
    op.start_program()
    op.wait_main_window()
    time.sleep(0.5)
    op.desk.screenshot(op.main, "main-window")
    op.check_no_box()
    checks.check_default_settings(op.ws.read(expected.SETTINGS_FILE))
    checks.check(op.ws.read(expected.RESULTS_FILE) == b"", "the results file is not empty at start")
    checks.check(not op.ws.exists(expected.PARTICIPANTS_FILE), "a participant file appeared by itself")
    checks.check(op.ws.running(), "the program is not running")


def _start_with_participants(op):
    op.ws.put_samples()
    _participants_file(op)
    op.start_program()
    op.wait_main_window()


def _finish_default_draw(op, by):
    """Draws the rest of the ten default winners, checks them, then the all-drawn box."""
    op.draw_all(sum(expected.DEFAULT_COUNTS.values()), by)
    op.desk.screenshot(op.main, "ten-winners")
    winners = checks.check_results(op.ws.read(expected.RESULTS_FILE), expected.DEFAULT_COUNTS,
                                   expected.PARTICIPANTS)
    checks.check(len(winners) == 10, "%d winners drawn, expected 10" % len(winners))
    op.expect_all_drawn(by)
    checks.check(op.ws.read(expected.PARTICIPANTS_FILE) == expected.lines_file(expected.PARTICIPANTS),
                 "the draw changed the participant file")
    return winners


def draw_with_enter(op):
    """The whole default draw by the Enter key, then the all-drawn box.

    The first draw also listens: while it rolls, the start music plays."""
    _start_with_participants(op)
    if op.sound:
        op.focus_main()
        op.draw_one(1, "enter", shot=True, while_rolling=lambda: wait_for(
            "the start music to play while the draw rolls", lambda: op.sound.playing_streams() > 0,
            timeout=10))
    else:
        print("  note: no sound server, the music is not listened for", flush=True)
    _finish_default_draw(op, "enter")


def _results_lines(winners):
    order = expected.draw_order(expected.DEFAULT_COUNTS)
    return [expected.label(level) + winner for level, winner in zip(order, winners)]


def _save_through_dialog(op, typed_path=None):
    """Save results, the dialog's proposed name kept or replaced by a typed full path."""
    known = set(op.desk.visible_windows())
    before = datetime.datetime.now().replace(microsecond=0)
    op.desk.click_centre(op.main, actions.SAVE_RESULTS)
    dialog = op.desk.wait_new_window(known)
    time.sleep(0.5)
    op.desk.screenshot(dialog, "save-dialog")
    op.desk.focus(dialog)
    if typed_path:
        # The file name field has the focus, its proposed name selected.
        op.desk.key("ctrl+a")
        op.desk.type_text(typed_path)
        time.sleep(0.3)
        op.desk.screenshot(dialog, "save-dialog-typed")
    op.desk.key("Return")
    op.desk.wait_window_gone(dialog)
    after = datetime.datetime.now()
    return before, after


def draw_with_clicks_and_save(op):
    """The whole default draw by clicks on Start/Stop, then both ways of saving."""
    _start_with_participants(op)
    winners = _finish_default_draw(op, "click")
    results = _results_lines(winners)

    before, after = _save_through_dialog(op)
    proposed = [name for name in os.listdir(op.ws.work) if name.startswith("抽奖结果")]
    checks.check(len(proposed) == 1, "files saved under the proposed name: %r" % proposed)
    match = re.fullmatch(r"抽奖结果(\d{14})\.txt", proposed[0])
    checks.check(match, "proposed name %r is not 抽奖结果yyyymmddhhmmss.txt" % proposed[0])
    stamp = datetime.datetime.strptime(match.group(1), "%Y%m%d%H%M%S")
    checks.check(before <= stamp <= after, "proposed name's time %s is not the time of the save" % stamp)
    saved = op.ws.read(proposed[0])
    checks.check_saved_results(saved, "抽奖结果", results)

    target = os.path.join(op.ws.root, "chosen folder", "results of the party.txt")
    os.makedirs(os.path.dirname(target))
    _save_through_dialog(op, typed_path=target)
    wait_for("the typed file name to be saved", lambda: os.path.isfile(target), timeout=10)
    with open(target, "rb") as typed:
        checks.check(typed.read() == saved, "the file saved under a typed path differs from the first save")
    op.check_no_box(settle=1.0)


def _close_by_keyboard(op, shot_name):
    """Alt+F4 on the active main window; pressed again should the manager miss it."""
    op.desk.activate(op.main)
    wait_for("the main window to have the keyboard focus", lambda: op.desk.focused_window() == op.main,
             timeout=10)
    time.sleep(actions.SETTLE_SECONDS / 2)
    for _ in range(3):
        op.desk.key("alt+F4")
        try:
            box = op.desk.wait_window("^%s$" % expected.CLOSE_CAPTION, timeout=8)
            break
        except Failure:
            print("  note: Alt+F4 (%s) brought no close question, pressing it again" % shot_name, flush=True)
    else:
        raise Failure("Alt+F4 brought no close question; windows shown: %r" % op.desk.named_windows())
    time.sleep(0.3)
    op.desk.screenshot(box, shot_name)
    return box


def close_question(op):
    """Alt+F4: No keeps the program running, minimized; Yes ends it with status 0."""
    op.ws.put_samples()
    op.start_program()
    op.wait_main_window()
    box = _close_by_keyboard(op, "close-question")
    op.desk.key("Return")  # No is the default button
    op.desk.wait_window_gone(box)
    wait_for("the main window to be minimized", lambda: op.desk.window_state(op.main) == "Iconic", timeout=10)
    time.sleep(actions.SETTLE_SECONDS)
    checks.check(op.ws.running(), "the program ended after No")

    op.desk.activate(op.main)  # back from the taskbar
    wait_for("the main window to be restored", lambda: op.desk.window_state(op.main) == "Normal", timeout=10)
    op.desk.screenshot(op.main, "restored")
    box = _close_by_keyboard(op, "close-question-again")
    op.desk.key("shift+Tab", "space")  # from the default No over to Yes
    status = op.wait_exit_status()
    checks.check(status == 0, "the program ended with status %s after Yes" % status)


def _bad_picture(op, make_picture):
    op.ws.put_samples(("01.wav", "02.wav"))
    make_picture()
    _participants_file(op)
    op.start_program()
    box = op.wait_box(expected.ERROR_CAPTION, "error-box")
    time.sleep(actions.SETTLE_SECONDS)
    boxes = op.desk.visible_windows("^%s$" % expected.ERROR_CAPTION)
    checks.check(boxes == [box], "%d boxes captioned %s, expected one" % (len(boxes), expected.ERROR_CAPTION))
    op.dismiss_box(box)
    op.wait_main_window()
    op.desk.screenshot(op.main, "main-window-without-picture")
    op.check_no_box()
    checks.check_default_settings(op.ws.read(expected.SETTINGS_FILE))
    # Usable: a draw runs and records its first winner.
    op.draw_all(1, "enter")
    checks.check_results(op.ws.read(expected.RESULTS_FILE), expected.DEFAULT_COUNTS, expected.PARTICIPANTS)
    op.check_no_box(settle=1.0)


def missing_picture(op):
    """No title picture: one error box, then a usable window."""
    _bad_picture(op, lambda: None)


def non_jpeg_picture(op):
    """A PNG under the JPEG's name: one error box, then a usable window."""

    def png_as_jpeg():
        op.ws.put_samples(("bg.jpg",))
        subprocess.run(["convert", op.ws.path("bg.jpg"), "png:" + op.ws.path("bg.png")], check=True)
        os.replace(op.ws.path("bg.png"), op.ws.path("bg.jpg"))
        with open(op.ws.path("bg.jpg"), "rb") as picture:
            checks.check(picture.read(8) == b"\x89PNG\r\n\x1a\n", "the stand-in picture is not a PNG")

    _bad_picture(op, png_as_jpeg)
