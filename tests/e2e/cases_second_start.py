"""A second start in the working folder of a running, minimized program."""

import os
import subprocess

import checks
from desktop import wait_for


def _folder_state(op):
    """Every file of the working folder with its bytes and modification time."""
    state = {}
    for name in sorted(os.listdir(op.ws.work)):
        path = op.ws.path(name)
        with open(path, "rb") as source:
            state[name] = (source.read(), os.stat(path).st_mtime_ns)
    return state


def second_start(op):
    """The running copy comes back to the front; the second one ends at once, changing no file."""
    op.ws.put_samples()
    op.start_program()
    op.wait_main_window()
    op.desk.xdotool("windowminimize", "--sync", str(op.main))
    wait_for("the main window to be minimized", lambda: op.desk.window_state(op.main) == "Iconic", timeout=10)
    before = _folder_state(op)

    second = subprocess.run([op.program], cwd=op.ws.work, env=op.ws.program_env(op.session_env),
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    checks.check(second.returncode == 0, "the second start ended with status %s: %s"
                 % (second.returncode, second.stderr.decode(errors="replace")))
    wait_for("the main window to be restored", lambda: op.desk.window_state(op.main) == "Normal", timeout=10)
    wait_for("the main window to have the keyboard focus", lambda: op.desk.focused_window() == op.main,
             timeout=10)
    op.desk.screenshot(op.main, "brought-to-front")
    checks.check(_folder_state(op) == before, "the second start changed the working folder")
    checks.check(op.ws.running(), "the first copy ended")
    checks.check(list(op.desk.named_windows()) == [op.main],
                 "windows besides the main one: %r" % op.desk.named_windows())
