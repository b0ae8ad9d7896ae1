"""A round that outlives the program: continue after a kill, take back a reset, void a winner."""

import os
import signal
import subprocess
import time

import checks
import expected
import operator_actions as actions
from cases_main_window import _start_with_participants
from desktop import Failure, wait_for

# On the results list's second line (the first winner's) for line heights of
# 20 to 30 pixels, whatever font stands in for 宋体.
FIRST_WINNER_LINE = (120, 249)


def _results(op):
    return checks.gbk_lines(op.ws.read(expected.RESULTS_FILE), expected.RESULTS_FILE)


def continue_take_back_and_void(op):
    """Three winners, SIGKILL, restart, Enter continues; Initialize taken back; a winner voided and redrawn."""
    _start_with_participants(op)
    op.draw_all(3, "enter")
    drawn = op.ws.read(expected.RESULTS_FILE)

    op.ws.process.send_signal(signal.SIGKILL)
    op.ws.process.wait(10)
    op.start_program()
    op.wait_main_window()
    op.dismiss_box(op.wait_box(expected.NOTICE_CAPTION, "continue-question"))  # Enter: continue
    checks.check(op.ws.read(expected.RESULTS_FILE) == drawn, "continuing did not restore the results file")
    op.draw_all(4, "enter", first_shot=False)
    winners = checks.check_results(op.ws.read(expected.RESULTS_FILE), expected.DEFAULT_COUNTS,
                                   expected.PARTICIPANTS)

    before_reset = op.ws.read(expected.RESULTS_FILE)
    op.desk.click_centre(op.main, actions.INITIALIZE)
    op.dismiss_box(op.wait_box(expected.NOTICE_CAPTION, "initialized"))
    checks.check(op.ws.read(expected.RESULTS_FILE) == b"", "Initialize left winners in the results file")
    op.focus_main()
    op.desk.key("ctrl+r")
    wait_for("the reset to be taken back", lambda: op.ws.read(expected.RESULTS_FILE) == before_reset,
             timeout=20)

    op.desk.click(op.main, *FIRST_WINNER_LINE, button=3)
    time.sleep(1.0)  # the menu opens; the void entry is its last
    op.desk.key("Up", "Return")
    try:
        box = op.wait_box(expected.NOTICE_CAPTION, "void-question")
    except Failure:
        raise Failure("no void question after a right click on the first winner's line") from None
    op.desk.focus(box)
    op.desk.key("shift+Tab", "space")  # from the default No over to Yes
    op.desk.wait_window_gone(box)
    wait_for("the voided winner to leave the results file", lambda: len(_results(op)) == 3, timeout=20)
    voided = winners[0]
    checks.check(_results(op) == ["三等奖：" + winner for winner in winners[1:]],
                 "the results after the void are %r" % _results(op))
    history = op.ws.read("rafflixhistory.txt").decode(expected.ENCODING)
    checks.check("\t作废\t三等奖：" + voided + "\r\n" in history, "the history does not record the void")
    op.desk.screenshot(op.main, "voided")

    op.draw_all(10, "enter", first_shot=False)
    final = checks.check_results(op.ws.read(expected.RESULTS_FILE), expected.DEFAULT_COUNTS,
                                 expected.PARTICIPANTS)
    checks.check(voided not in final, "the voided winner %r was drawn again" % voided)
    op.check_no_box(settle=1.0)
    # Every kept winner and the voided one, each computed again.
    _check_record(op, len(final) + 1)


def _check_record(op, winners):
    """The night's record, checked by the program installed beside the draw."""
    verify = os.path.join(os.path.dirname(op.program), "prizmora-verify")
    checked = subprocess.run([verify, op.ws.work], capture_output=True, text=True, timeout=60,
                             env=dict(os.environ, LANG="en_US.UTF-8", LC_ALL=""))
    checks.check(checked.returncode == 0 and " %d winners " % winners in checked.stdout,
                 "prizmora-verify: %d %s%s" % (checked.returncode, checked.stdout, checked.stderr))
