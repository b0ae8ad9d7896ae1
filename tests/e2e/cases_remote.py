"""The presenter remote's keys on the real program: F5, forward held down, the black
screen, the back button, Esc."""

import time

import checks
import expected
import operator_actions as actions
from cases_main_window import _start_with_participants
from desktop import wait_for


def _hold(op, key, seconds=1.5):
    """The button held, as a remote repeats it."""
    op.desk.xdotool("keydown", key)
    time.sleep(seconds)
    op.desk.xdotool("keyup", key)
    time.sleep(actions.SETTLE_SECONDS)


def _centre_column(op, size):
    width, height = size
    return op.desk.pixel_column(op.main, width // 2, height // 4, height // 2)


def presenter_remote(op):
    """F5 fills the screen; a held forward is one Start, one Stop; B blanks; back draws nobody."""
    _start_with_participants(op)
    op.focus_main()
    screen = tuple(int(v) for v in op.desk.xdotool("getdisplaygeometry").stdout.split())
    op.desk.key("F5")
    wait_for("the stage view to fill the screen",
             lambda: op.desk.geometry(op.main) == screen, timeout=20)
    time.sleep(0.5)

    _hold(op, "Next")  # Page Down
    checks.check(op.results_lines() == 0, "a held Page Down recorded %s winners" % op.results_lines())
    _hold(op, "Right")
    wait_for("one winner in the results file", lambda: op.results_lines() == 1, timeout=20)
    op.desk.key("Prior", "Left")  # back: nobody is drawn, nothing rolls
    time.sleep(1.0)
    checks.check(op.results_lines() == 1, "the back button drew: %s winners" % op.results_lines())

    op.desk.key("b")
    time.sleep(0.5)
    op.desk.screenshot(op.main, "blanked")
    checks.check(all(colour == (0, 0, 0) for colour in _centre_column(op, screen)),
                 "the stage is not black after B")
    op.desk.key("period")
    time.sleep(0.5)
    checks.check(any(colour != (0, 0, 0) for colour in _centre_column(op, screen)),
                 "the stage stays black after the second press")
    op.desk.key("Next")
    time.sleep(actions.ROLL_SECONDS)
    op.desk.key("Next")
    wait_for("the second winner", lambda: op.results_lines() == 2, timeout=20)
    op.check_no_box(settle=0.5)

    op.desk.key("Escape")
    wait_for("the normal window again", lambda: op.desk.geometry(op.main) == expected.MAIN_SIZE,
             timeout=20)
