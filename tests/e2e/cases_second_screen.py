"""The stage view on a second screen: the projector beside the operator's screen.

The X server is one screen split into two monitors (RandR), which is what the
server's Xinerama reports and what the program and openbox see as two screens;
a monitor taken away and put back is a projector unplugged and plugged in."""

import shutil
import time

import checks
import expected
import operator_actions as actions
from desktop import wait_for
from x_session import Unavailable

SCREEN = (3200, 1080)
CONSOLE = (0, 0, 1280, 800)
PROJECTOR = (1280, 0, 1920, 1080)
STAGE_CAPTION = "^舞台视图$"
PARTICIPANTS = ["参与者%02d" % number for number in range(1, 21)]


def _monitor(op, name, rect, output):
    left, top, width, height = rect
    # Sizes in millimetres at about 96 dots an inch.
    geometry = "%d/%dx%d/%d+%d+%d" % (width, width * 254 // 960, height, height * 254 // 960, left, top)
    op.desk._run("xrandr", "--setmonitor", name, geometry, output)


def _settings_on_second_screen():
    text = ""
    section = None
    for s, k, v in expected.DEFAULT_SETTINGS + [("舞台与隐私", "舞台视图显示在第二屏幕", "是")]:
        if s != section:
            text += "[%s]\r\n" % s
            section = s
        text += "%s=%s\r\n" % (k, v)
    return expected.gbk(text)


def _inside(rect, screen):
    left, top, width, height = rect
    s_left, s_top, s_width, s_height = screen
    return s_left <= left and s_top <= top and left + width <= s_left + s_width and top + height <= s_top + s_height


def second_screen(op):
    """F5 opens the stage on the projector, the console stays; Stop from either; unplug, plug in."""
    if not shutil.which("xrandr"):
        raise Unavailable("xrandr is not installed")
    _monitor(op, "console", CONSOLE, "screen")
    _monitor(op, "projector", PROJECTOR, "none")
    op.ws.put_samples()
    op.ws.write(expected.SETTINGS_FILE, _settings_on_second_screen())
    op.ws.write(expected.PARTICIPANTS_FILE, expected.lines_file(PARTICIPANTS))
    op.start_program()
    op.wait_main_window()
    op.focus_main()
    op.desk.key("F5")
    stage = op.desk.wait_window(STAGE_CAPTION)
    wait_for("the stage view to fill the projector", lambda: op.desk.rect(stage) == PROJECTOR, timeout=20)
    main = op.desk.rect(op.main)
    checks.check(main[2:] == expected.MAIN_SIZE and _inside(main, CONSOLE),
                 "the console is at %r, not a normal window on the first screen" % (main,))

    # Start and Stop by the stage view's keys.
    op.desk.activate(stage)
    op.press_start_stop("enter")
    time.sleep(actions.ROLL_SECONDS)
    op.press_start_stop("enter")
    wait_for("the winner stopped from the stage", lambda: op.results_lines() == 1, timeout=20)
    time.sleep(0.5)
    op.desk.screenshot(stage, "stage-on-projector")
    op.desk.screenshot(op.main, "console")

    # Started at the console; the projector goes while the names roll.
    op.focus_main()
    op.press_start_stop("enter")
    time.sleep(actions.ROLL_SECONDS)
    op.desk._run("xrandr", "--delmonitor", "projector")
    wait_for("the stage view back on the main window",
             lambda: op.desk.rect(op.main) == CONSOLE and stage not in op.desk.visible_windows(), timeout=20)
    _monitor(op, "projector", PROJECTOR, "none")
    stage = op.desk.wait_window(STAGE_CAPTION)
    wait_for("the stage view on the projector again", lambda: op.desk.rect(stage) == PROJECTOR, timeout=20)
    wait_for("the console a normal window again", lambda: op.desk.rect(op.main)[2:] == expected.MAIN_SIZE,
             timeout=20)
    checks.check(op.results_lines() == 1, "the screens' changes drew: %s winners" % op.results_lines())
    op.focus_main()
    op.press_start_stop("enter")  # the roll went on through it all
    wait_for("the winner stopped at the console", lambda: op.results_lines() == 2, timeout=20)
    others = [n for w, n in op.other_windows().items() if w != stage]
    checks.check(not others, "unexpected windows: %r" % others)

    op.desk.key("Escape")
    op.desk.wait_window_gone(stage)
    checks.check(op.desk.rect(op.main)[2:] == expected.MAIN_SIZE, "Esc changed the console")
