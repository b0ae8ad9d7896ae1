"""The operator's hands and eyes on the X display: windows, mouse, keys, screenshots."""

import ctypes
import os
import re
import subprocess
import time

# Generous for a loaded 2-core machine: waits poll and return as soon as they can.
WINDOW_TIMEOUT = 30.0
POLL_INTERVAL = 0.1


class Failure(AssertionError):
    pass


def wait_for(what, condition, timeout=WINDOW_TIMEOUT, interval=POLL_INTERVAL):
    """Polls condition until it returns something true, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Desktop:
    def __init__(self, session_env, artifacts):
        self.env = dict(os.environ, **session_env)
        self.artifacts = artifacts
        self.shots = 0
        self.clipboard_owner = None

    # -- commands --------------------------------------------------------------

    def _run(self, *args, check=True):
        result = subprocess.run(list(args), env=self.env, capture_output=True, text=True, timeout=60)
        if check and result.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result

    def xdotool(self, *args, check=True):
        return self._run("xdotool", *args, check=check)

    # -- windows ---------------------------------------------------------------

    def visible_windows(self, name_pattern="."):
        """Ids of the mapped windows whose name matches the pattern."""
        result = self.xdotool("search", "--onlyvisible", "--name", name_pattern, check=False)
        return [int(line) for line in result.stdout.split()]

    def window_name(self, window):
        result = self.xdotool("getwindowname", str(window), check=False)
        return result.stdout.rstrip("\n") if result.returncode == 0 else None

    def named_windows(self):
        """Mapped windows with their names, for checks and failure reports."""
        return {window: self.window_name(window) for window in self.visible_windows()}

    def wait_window(self, name_pattern, timeout=WINDOW_TIMEOUT, exclude=()):
        def found():
            windows = [w for w in self.visible_windows(name_pattern) if w not in exclude]
            return windows[0] if windows else None

        try:
            return wait_for("a window named /%s/" % name_pattern, found, timeout)
        except Failure as failure:
            raise Failure("%s; windows shown: %s" % (failure, self.named_windows())) from None

    def wait_window_gone(self, window, timeout=WINDOW_TIMEOUT):
        wait_for("window %d to close" % window, lambda: window not in self.visible_windows(), timeout)

    def wait_new_window(self, known, timeout=WINDOW_TIMEOUT):
        """The first mapped window that is not among the known ones."""

        def found():
            fresh = [w for w in self.visible_windows() if w not in known]
            return fresh[0] if fresh else None

        return wait_for("a new window", found, timeout)

    def geometry(self, window):
        out = self._run("xwininfo", "-id", str(window)).stdout
        values = {key: int(value) for key, value in re.findall(r"^\s*(Width|Height):\s*(\d+)", out, re.M)}
        return values["Width"], values["Height"]

    def rect(self, window):
        """Left, top, width and height of the window on the root window."""
        out = self._run("xwininfo", "-id", str(window)).stdout
        values = {key: int(value) for key, value in
                  re.findall(r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s*(-?\d+)", out, re.M)}
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"], values["Width"], values["Height"])

    def window_state(self, window):
        """The ICCCM state a window manager keeps: 'Normal', 'Iconic' or None."""
        out = self._run("xprop", "-id", str(window), "WM_STATE", check=False).stdout
        match = re.search(r"window state:\s*(\w+)", out)
        return match.group(1) if match else None

    def focus(self, window):
        # What a window manager does for a window the operator clicks on.
        self.xdotool("windowfocus", "--sync", str(window))

    def focused_window(self):
        result = self.xdotool("getwindowfocus", check=False)
        return int(result.stdout) if result.returncode == 0 and result.stdout.strip().isdigit() else None

    def activate(self, window):
        """Restores and raises through the window manager, as a taskbar click does."""
        self.xdotool("windowactivate", "--sync", str(window))

    # -- input -----------------------------------------------------------------

    def click(self, window, x, y, button=1):
        """Clicks at x, y of the window's client area."""
        self.xdotool("mousemove", "--window", str(window), str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", str(button))

    def click_centre(self, window, rect):
        left, top, width, height = rect
        self.click(window, left + width // 2, top + height // 2)

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def type_text(self, text):
        """Types the text; each line break is a press of Return."""
        for number, line in enumerate(text.split("\n")):
            if number:
                self.key("Return")
            if line:
                self.xdotool("type", "--delay", "40", line)

    def enter_text(self, text):
        """Types plain ASCII; pastes anything else, as typing Chinese through
        xdotool's key-map swaps now and then drops a character."""
        if text.isascii():
            self.type_text(text)
        else:
            self.paste_text(text)

    def paste_text(self, text):
        """Copies the text to the clipboard, as from another program, and pastes it with Ctrl+V."""
        self.stop_clipboard()
        self.clipboard_owner = subprocess.Popen(
            ["xclip", "-selection", "clipboard", "-quiet"], env=self.env, stdin=subprocess.PIPE,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.clipboard_owner.stdin.write(text.encode("utf-8"))
        self.clipboard_owner.stdin.close()

        def offered():
            out = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env,
                                 capture_output=True, timeout=30)
            return out.returncode == 0 and out.stdout.decode("utf-8", "replace") == text

        wait_for("the clipboard to hold the text", offered, timeout=10)
        self.key("ctrl+v")

    def stop_clipboard(self):
        owner, self.clipboard_owner = self.clipboard_owner, None
        if owner is not None and owner.poll() is None:
            owner.terminate()
            owner.wait(10)

    def request_close(self, window):
        """A close request as a window manager sends it for the title-bar close box."""
        send_delete_window(self.env, window)

    # -- eyes ------------------------------------------------------------------

    def screenshot(self, window, name):
        """Keeps a picture of the window (or the whole screen for 'root')."""
        self.shots += 1
        path = os.path.join(self.artifacts, "%02d-%s.png" % (self.shots, name))
        target = "root" if window == "root" else str(window)
        self._run("import", "-window", target, path, check=False)
        return path

    def pixel_column(self, window, x, top, height):
        """RGB values of a column of pixels of the window, top to bottom."""
        out = self._run("import", "-window", str(window), "-crop", "1x%d+%d+%d" % (height, x, top),
                        "+repage", "-depth", "8", "txt:-").stdout
        colours = []
        for line in out.splitlines():
            match = re.match(r"\s*\d+,(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)", line)
            if match:
                colours.append((int(match.group(1)), tuple(int(v) for v in match.group(2, 3, 4))))
        return [colour for _, colour in sorted(colours)]


def send_delete_window(env, window):
    """Sends WM_PROTOCOLS/WM_DELETE_WINDOW to the window, as a window manager would."""
    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                    ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    # XAUTHORITY is taken from the environment, which the runner sets.
    display = xlib.XOpenDisplay(env["DISPLAY"].encode())
    if not display:
        raise Failure("cannot open the display to send a close request")
    try:
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
            raise Failure("the close request could not be sent")
        xlib.XFlush(display)
    finally:
        xlib.XCloseDisplay(display)
