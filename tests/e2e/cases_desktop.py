"""Cases of a real desktop: boxes in front, the whole program minimized, a held key,
pastes by middle click and Tab in the results list."""

import ctypes
import os
import subprocess
import time

import checks
import expected
import operator_actions as actions
import settings_window as sw
from cases_main_window import _start_with_participants
from desktop import Failure, wait_for
from x_session import Unavailable

DISPLAY_FIELD = (24, 136, 697, 57)  # edt1
RESULTS_LIST = (25, 208, 696, 233)  # mmo1


def _stacking(op):
    """Client windows as the window manager stacks them, bottom to top."""
    out = op.desk._run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout
    return [int(word.strip(","), 16) for word in out.split("#", 1)[-1].split()] if "#" in out else []


def _check_on_top_with_focus(op, box, what):
    wait_for("%s on top of every window" % what, lambda: _stacking(op)[-1:] == [box], timeout=10)
    wait_for("%s to have the keyboard focus" % what, lambda: op.desk.focused_window() == box, timeout=10)


def _above(op, upper, lower):
    order = _stacking(op)
    return upper in order and lower in order and order.index(upper) > order.index(lower)


def boxes_in_front(op):
    """Boxes of the main window open in front of the settings window, with the keyboard."""
    _start_with_participants(op)
    settings = sw.SettingsWindow(op).open()
    wait_for("the settings window above the main window", lambda: _above(op, settings, op.main), timeout=10)

    op.desk.click_centre(op.main, actions.INITIALIZE)
    box = op.wait_box(expected.NOTICE_CAPTION, "initialize-notice-over-settings")
    _check_on_top_with_focus(op, box, "the Initialize notice")
    op.desk.key("Return")  # blind, as an operator would: the box has the keys
    op.desk.wait_window_gone(box)

    os.remove(op.ws.path(expected.PARTICIPANTS_FILE))
    op.desk.click_centre(op.main, actions.INITIALIZE)
    box = op.wait_box(expected.WARNING_CAPTION, "initialize-warning-over-settings")
    _check_on_top_with_focus(op, box, "the missing-file warning")
    op.desk.key("Return")
    op.desk.wait_window_gone(box)
    checks.check(settings in op.desk.visible_windows(expected.SETTINGS_CAPTION),
                 "the settings window closed with the box")


def minimize_whole_program(op):
    """Close -> 否 minimizes both windows; restoring brings both back; 系统设置 restores settings."""
    _start_with_participants(op)
    settings = sw.SettingsWindow(op).open()
    op.desk.request_close(op.main)
    box = op.wait_box(expected.CLOSE_CAPTION, "close-question-over-settings")
    _check_on_top_with_focus(op, box, "the close question")
    op.desk.key("Return")  # 否, the default
    op.desk.wait_window_gone(box)
    wait_for("the main window to be minimized", lambda: op.desk.window_state(op.main) == "Iconic", timeout=10)
    wait_for("the settings window to leave the screen",
             lambda: settings not in op.desk.visible_windows(expected.SETTINGS_CAPTION), timeout=10)
    time.sleep(actions.SETTLE_SECONDS / 2)
    op.desk.screenshot("root", "program-minimized")
    checks.check(op.ws.running(), "the program ended after 否")

    op.desk.activate(op.main)  # back from the taskbar
    wait_for("the main window to be restored", lambda: op.desk.window_state(op.main) == "Normal", timeout=10)
    wait_for("the settings window to come back",
             lambda: settings in op.desk.visible_windows(expected.SETTINGS_CAPTION), timeout=10)
    wait_for("the settings window above the main window", lambda: _above(op, settings, op.main), timeout=10)
    op.desk.screenshot("root", "program-restored")

    # A window manager may minimize the settings window all the same.
    op.desk.xdotool("windowminimize", "--sync", str(settings))
    wait_for("the settings window to be minimized", lambda: op.desk.window_state(settings) == "Iconic",
             timeout=10)
    op.desk.click_centre(op.main, actions.SETTINGS)
    wait_for("系统设置 to restore the settings window",
             lambda: op.desk.window_state(settings) == "Normal"
             and settings in op.desk.visible_windows(expected.SETTINGS_CAPTION), timeout=10)
    wait_for("the settings window in front", lambda: _above(op, settings, op.main), timeout=10)


def _auto_repeat_is_on(env):
    class KeyboardState(ctypes.Structure):
        _fields_ = [("key_click_percent", ctypes.c_int), ("bell_percent", ctypes.c_int),
                    ("bell_pitch", ctypes.c_uint), ("bell_duration", ctypes.c_uint),
                    ("led_mask", ctypes.c_ulong), ("global_auto_repeat", ctypes.c_int),
                    ("auto_repeats", ctypes.c_char * 32)]

    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XGetKeyboardControl.argtypes = [ctypes.c_void_p, ctypes.POINTER(KeyboardState)]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(env["DISPLAY"].encode())
    if not display:
        raise Failure("cannot open the display")
    try:
        state = KeyboardState()
        xlib.XGetKeyboardControl(display, ctypes.byref(state))
        return state.global_auto_repeat != 0
    finally:
        xlib.XCloseDisplay(display)


def _hold(op, key, seconds):
    op.desk.xdotool("keydown", key)
    time.sleep(seconds)
    op.desk.xdotool("keyup", key)


def held_enter(op):
    """Enter held for 1.5 s is one Start, held again one Stop: one winner, not eleven."""
    if not _auto_repeat_is_on(op.desk.env):
        raise Unavailable("the X server does not repeat held keys")
    _start_with_participants(op)
    op.focus_main()
    _hold(op, "Return", 1.5)
    time.sleep(actions.SETTLE_SECONDS / 2)
    checks.check(op.results_lines() == 0, "a held Enter recorded %s winners before any Stop"
                 % op.results_lines())
    _hold(op, "Return", 1.5)
    wait_for("the winner in the results file", lambda: op.results_lines() == 1, timeout=20)
    time.sleep(actions.SETTLE_SECONDS)
    checks.check(op.results_lines() == 1, "a held Enter drew %s winners" % op.results_lines())
    op.check_no_box(settle=0.5)


def _field_pixels(op, rect):
    left, top, width, height = rect
    return subprocess.run(["import", "-window", str(op.main), "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                           "+repage", "-depth", "8", "rgb:-"], env=op.desk.env, capture_output=True,
                          check=True, timeout=60).stdout


def _differing_pixels(first, second):
    return sum(1 for i in range(0, min(len(first), len(second)), 3) if first[i:i + 3] != second[i:i + 3])


def middle_click_and_tab(op):
    """The X selection never lands in the display field or the results list; Tab leaves the list."""
    _start_with_participants(op)
    selection = subprocess.Popen(["xclip", "-selection", "primary", "-quiet"], env=op.desk.env,
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        selection.stdin.write("PASTED\tBY THE MIDDLE BUTTON".encode())
        selection.stdin.close()
        wait_for("the X selection to be offered", lambda: subprocess.run(
            ["xclip", "-selection", "primary", "-o"], env=op.desk.env, capture_output=True,
            timeout=30).stdout.startswith(b"PASTED"), timeout=10)
        left, top, width, height = RESULTS_LIST
        op.desk.click(op.main, left + 200, top + 100)  # the focus into the results list
        time.sleep(0.5)
        display_before = _field_pixels(op, DISPLAY_FIELD)
        op.desk.click(op.main, left + 200, top + 100, button=2)
        left, top, width, height = DISPLAY_FIELD
        op.desk.click(op.main, left + 300, top + height // 2, button=2)
        time.sleep(1.0)
        op.desk.screenshot(op.main, "after-middle-clicks")
        # A caret may blink in a field the click focused; pasted letters would fill it.
        changed = _differing_pixels(display_before, _field_pixels(op, DISPLAY_FIELD))
        checks.check(changed < 400, "the display field changed in %d pixels" % changed)
    finally:
        if selection.poll() is None:
            selection.terminate()
            selection.wait(10)

    # Tab from the results list goes to 保存抽奖... (btn5): Enter there saves.
    left, top, width, height = RESULTS_LIST
    op.desk.click(op.main, left + 200, top + 100)
    op.desk.key("Tab")
    known = set(op.desk.visible_windows())
    op.desk.key("Return")
    dialog = op.desk.wait_new_window(known)
    op.desk.focus(dialog)
    op.desk.key("Return")
    op.desk.wait_window_gone(dialog)
    saved = [name for name in os.listdir(op.ws.work) if name.startswith("抽奖结果")]
    checks.check(len(saved) == 1, "files saved: %r" % saved)
    data = op.ws.read(saved[0])
    checks.check(data == "抽奖结果".encode("gbk") + b"\r\n", "the saved results hold %r" % data)
