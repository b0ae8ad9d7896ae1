"""What an operator does with the program's windows, by their layout and captions."""

import time

import checks
import expected
from desktop import Failure, wait_for

# Main window controls: left, top, width, height in the client area.
START_STOP = (24, 456, 129, 33)   # btn3
SETTINGS = (440, 456, 129, 33)    # btn1
INITIALIZE = (584, 456, 137, 33)  # btn2
SAVE_RESULTS = (600, 408, 99, 25)  # btn5

# Long enough for the display to roll a few names before the stop.
ROLL_SECONDS = 0.4
# How long a box that should not come is given to come all the same.
SETTLE_SECONDS = 2.0


class Operator:
    def __init__(self, desk, workspace, program, session_env):
        self.desk = desk
        self.ws = workspace
        self.program = program
        self.session_env = session_env
        self.sound = None  # the private sound server, when there is one
        self.main = None

    # -- start and windows -----------------------------------------------------

    def start_program(self):
        self.ws.start(self.program, self.session_env)

    def wait_main_window(self):
        def shown():
            if not self.ws.running():
                raise Failure("the program ended with status %s before its window showed"
                              % self.ws.process.returncode)
            windows = self.desk.visible_windows(expected.MAIN_CAPTION)
            return windows[0] if windows else None

        self.main = wait_for("the main window", shown)
        size = self.desk.geometry(self.main)
        checks.check(size == expected.MAIN_SIZE, "main window is %dx%d, expected %dx%d"
                     % (size + expected.MAIN_SIZE))
        return self.main

    def other_windows(self):
        """Mapped windows besides the main window, by name."""
        return {w: n for w, n in self.desk.named_windows().items() if w != self.main}

    def check_no_box(self, settle=SETTLE_SECONDS):
        time.sleep(settle)
        others = self.other_windows()
        checks.check(not others, "unexpected windows: %r" % others)

    def wait_box(self, caption, shot_name):
        box = self.desk.wait_window("^%s$" % caption)
        time.sleep(0.3)  # let it paint before the picture
        self.desk.screenshot(box, shot_name)
        return box

    def dismiss_box(self, box):
        """Enter on a message box presses its default button."""
        self.desk.focus(box)
        self.desk.key("Return")
        self.desk.wait_window_gone(box)

    def focus_main(self):
        self.desk.focus(self.main)

    # -- the draw --------------------------------------------------------------

    def results_lines(self):
        if not self.ws.exists(expected.RESULTS_FILE):
            return None
        return self.ws.read(expected.RESULTS_FILE).count(b"\r\n")

    def press_start_stop(self, by):
        if by == "enter":
            self.desk.key("Return")
        else:
            self.desk.click_centre(self.main, START_STOP)

    def draw_one(self, number, by, shot=False, while_rolling=None):
        """Start, let it roll, stop; waits until the winner is in the results file."""
        before = self.results_lines()
        self.press_start_stop(by)
        time.sleep(ROLL_SECONDS)
        if shot:
            self.desk.screenshot(self.main, "rolling")
        if while_rolling:
            while_rolling()
        self.press_start_stop(by)
        wait_for("winner %d in the results file (it held %s lines)" % (number, before),
                 lambda: self.results_lines() == number, timeout=20)

    def draw_all(self, count, by, first_shot=True):
        if by == "enter":
            self.focus_main()
        start = self.results_lines() or 0
        for number in range(start + 1, count + 1):
            self.draw_one(number, by, shot=first_shot and number == start + 1)

    def expect_all_drawn(self, by):
        """One more press shows the all-drawn box, captioned 提示; it is dismissed."""
        if by == "enter":
            self.focus_main()
        before = self.ws.read(expected.RESULTS_FILE)
        self.press_start_stop(by)
        box = self.wait_box(expected.NOTICE_CAPTION, "all-drawn-box")
        others = self.other_windows()
        checks.check(list(others) == [box], "besides the all-drawn box: %r" % others)
        self.dismiss_box(box)
        self.desk.screenshot(self.main, "all-drawn")
        checks.check(self.ws.read(expected.RESULTS_FILE) == before, "the all-drawn press changed the results file")
        self.check_no_box(settle=1.0)

    # -- close -----------------------------------------------------------------

    def wait_exit_status(self):
        return self.ws.wait_exit()
