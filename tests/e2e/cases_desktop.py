"""A real desktop: boxes in front, the whole program minimized, a held Enter, the X
selection and Tab in the results list."""

import ctypes
import os
import subprocess
import time

import checks
import expected
import operator_actions as actions
import settings_window as sw
from cases_main_window import _start_with_participants
from desktop import wait_for
from x_session import Unavailable

DISPLAY_FIELD = (24, 136, 697, 57)  # edt1
IN_RESULTS = (225, 308)  # a point inside mmo1


def _above(op, upper, lower):
    """True when the manager stacks upper above lower (_NET_CLIENT_LIST_STACKING, bottom up)."""
    out = op.desk._run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout
    order = [int(word.strip(","), 16) for word in out.partition("#")[2].split()]
    return upper in order and lower in order and order.index(upper) > order.index(lower)


def _box_in_front(op, caption, below):
    box = op.wait_box(caption, "box-" + caption)
    wait_for("box %s above every window" % caption, lambda: all(_above(op, box, w) for w in below), timeout=10)
    wait_for("box %s to have the keys" % caption, lambda: op.desk.focused_window() == box, timeout=10)
    op.desk.key("Return")  # blind, as an operator would
    op.desk.wait_window_gone(box)


def boxes_in_front(op):
    """Boxes of the main window open in front of the settings window, with the keyboard."""
    _start_with_participants(op)
    settings = sw.SettingsWindow(op).open()
    op.desk.click_centre(op.main, actions.INITIALIZE)
    _box_in_front(op, expected.NOTICE_CAPTION, (settings, op.main))
    os.remove(op.ws.path(expected.PARTICIPANTS_FILE))
    op.desk.click_centre(op.main, actions.INITIALIZE)
    _box_in_front(op, expected.WARNING_CAPTION, (settings, op.main))
    op.desk.click_centre(op.main, actions.SAVE_RESULTS)  # the save dialog as well
    dialog = op.desk.wait_window(".", exclude=(op.main, settings))
    wait_for("the save dialog above the settings window", lambda: _above(op, dialog, settings), timeout=10)


def _shown(op, window):
    return window in op.desk.visible_windows(expected.SETTINGS_CAPTION)


def minimize_whole_program(op):
    """Close -> 否 minimizes both windows and restoring brings both; 系统设置 restores settings."""
    _start_with_participants(op)
    settings = sw.SettingsWindow(op).open()
    op.desk.request_close(op.main)
    _box_in_front(op, expected.CLOSE_CAPTION, (settings, op.main))  # 否 is the default
    wait_for("the main window minimized", lambda: op.desk.window_state(op.main) == "Iconic", timeout=10)
    wait_for("the settings window gone", lambda: not _shown(op, settings), timeout=10)
    op.desk.activate(op.main)  # back from the taskbar
    wait_for("the settings window back in front",
             lambda: _shown(op, settings) and _above(op, settings, op.main), timeout=10)

    op.desk.xdotool("windowminimize", "--sync", str(settings))
    wait_for("the settings window minimized", lambda: op.desk.window_state(settings) == "Iconic", timeout=10)
    op.desk.activate(op.main)  # the operator turns back to the main window
    op.desk.click_centre(op.main, actions.SETTINGS)
    wait_for("系统设置 to restore the settings window",
             lambda: op.desk.window_state(settings) == "Normal" and _above(op, settings, op.main), timeout=10)


def _auto_repeat_is_on(env):
    class KeyboardState(ctypes.Structure):  # XKeyboardState
        _fields_ = [("ints", ctypes.c_int * 4), ("led_mask", ctypes.c_ulong),
                    ("global_auto_repeat", ctypes.c_int), ("auto_repeats", ctypes.c_char * 32)]

    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    display = ctypes.c_void_p(xlib.XOpenDisplay(env["DISPLAY"].encode()))
    state = KeyboardState()
    xlib.XGetKeyboardControl(display, ctypes.byref(state))
    xlib.XCloseDisplay(display)
    return state.global_auto_repeat != 0


def held_enter(op):
    """Enter held for 1.5 s is one Start, held again one Stop: one winner, not eleven."""
    if not _auto_repeat_is_on(op.desk.env):
        raise Unavailable("the X server does not repeat held keys")
    _start_with_participants(op)
    op.focus_main()
    for winners in (0, 1):
        op.desk.xdotool("keydown", "Return")
        time.sleep(1.5)
        op.desk.xdotool("keyup", "Return")
        time.sleep(actions.SETTLE_SECONDS)
        checks.check(op.results_lines() == winners, "%s winners after a held Enter, expected %d"
                     % (op.results_lines(), winners))


def _display_pixels(op):
    left, top, width, height = DISPLAY_FIELD
    return subprocess.run(["import", "-window", str(op.main), "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                           "+repage", "-depth", "8", "gray:-"], env=op.desk.env, capture_output=True,
                          check=True, timeout=60).stdout


def middle_click_and_tab(op):
    """The X selection never lands in the display field or the results list; Tab leaves the list."""
    _start_with_participants(op)
    owner = subprocess.Popen(["xclip", "-selection", "primary", "-loops", "5"], env=op.desk.env,
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    owner.communicate(b"PASTED\tBY THE MIDDLE BUTTON")
    op.desk.click(op.main, *IN_RESULTS)
    time.sleep(0.5)
    before = _display_pixels(op)
    op.desk.click(op.main, *IN_RESULTS, button=2)
    op.desk.click(op.main, DISPLAY_FIELD[0] + 300, DISPLAY_FIELD[1] + 28, button=2)
    time.sleep(1.0)
    # A caret may blink in a field the click focused; pasted letters would fill it.
    changed = sum(a != b for a, b in zip(before, _display_pixels(op)))
    checks.check(changed < 400, "the display field changed in %d pixels" % changed)

    op.desk.click(op.main, *IN_RESULTS)
    op.desk.key("Tab", "Return")  # Tab to 保存抽奖... (btn5), Enter saves
    dialog = op.desk.wait_window(".", exclude=(op.main,))
    op.desk.focus(dialog)
    op.desk.key("Return")
    op.desk.wait_window_gone(dialog)
    saved = [name for name in os.listdir(op.ws.work) if name.startswith("抽奖结果")]
    checks.check(len(saved) == 1 and op.ws.read(saved[0]) == "抽奖结果\r\n".encode("gbk"),
                 "saved results %r" % [op.ws.read(name) for name in saved])
    if owner.poll() is None:
        owner.kill()
