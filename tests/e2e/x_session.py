"""A private X server (Xvfb) on a free display, with an optional window manager."""

import os
import secrets
import select
import shutil
import signal
import subprocess
import time


class Unavailable(Exception):
    """The X session cannot be had on this machine: the suite skips."""


SYSTEM_OPENBOX_CONFIG = "/etc/xdg/openbox/rc.xml"


def _still_config(home):
    """Openbox's own configuration without the iconify animation.

    A click that arrives while openbox animates a window to or from its icon
    can be dropped by the manager, so a case that minimizes and then clicks
    at once failed now and then. Everything else stays as the package ships it."""
    try:
        with open(SYSTEM_OPENBOX_CONFIG, encoding="utf-8") as system_config:
            text = system_config.read()
    except OSError:
        return []  # openbox's built-in defaults
    os.makedirs(home, exist_ok=True)
    path = os.path.join(home, "rc.xml")
    with open(path, "w", encoding="utf-8") as config:
        config.write(text.replace("<animateIconify>yes</animateIconify>", "<animateIconify>no</animateIconify>"))
    return ["--config-file", path]


def _write_wildcard_cookie(path, cookie):
    # One FamilyWild entry with no display number matches whatever display
    # Xvfb picks, so the cookie can be written before the number is known.
    def field(data):
        return len(data).to_bytes(2, "big") + data

    entry = (0xFFFF).to_bytes(2, "big") + field(b"") + field(b"") + field(b"MIT-MAGIC-COOKIE-1") + field(cookie)
    with open(path, "wb") as out:
        out.write(entry)
    os.chmod(path, 0o600)


class XSession:
    def __init__(self, folder, screen="1280x1024x24"):
        self.folder = folder
        self.screen = screen
        self.server = None
        self.window_manager = None
        self.display = None
        self.authority = os.path.join(folder, "Xauthority")

    def env(self):
        return {"DISPLAY": self.display, "XAUTHORITY": self.authority}

    def start(self, timeout=30):
        xvfb = shutil.which("Xvfb")
        if not xvfb:
            raise Unavailable("Xvfb is not installed")
        _write_wildcard_cookie(self.authority, secrets.token_bytes(16))
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.folder, "xvfb.log"), "wb")
        self.server = subprocess.Popen(
            [xvfb, "-displayfd", str(write_end), "-screen", "0", self.screen,
             "-nolisten", "tcp", "-auth", self.authority, "-noreset"],
            pass_fds=(write_end,), stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or self.server.poll() is not None:
                    break
                ready, _, _ = select.select([read_end], [], [], left)
                if not ready:
                    break
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        finally:
            os.close(read_end)
        if not number.strip().isdigit():
            self.stop()
            with open(os.path.join(self.folder, "xvfb.log"), "rb") as failed:
                reason = failed.read().decode(errors="replace").strip().splitlines()
            raise Unavailable("Xvfb did not start: " + (reason[-1] if reason else "no display number"))
        self.display = ":" + number.strip().decode()
        self._wait_until_answering(deadline)

    def _wait_until_answering(self, deadline):
        env = dict(os.environ, **self.env())
        while time.monotonic() < deadline:
            probe = subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
            if probe.returncode == 0:
                return
            time.sleep(0.2)
        self.stop()
        raise Unavailable("Xvfb on " + str(self.display) + " does not answer")

    def start_window_manager(self, home, timeout=20):
        """Openbox gives the session a title bar, Alt+F4 and a minimize state."""
        openbox = shutil.which("openbox")
        if not openbox:
            raise Unavailable("openbox is not installed")
        env = dict(os.environ, HOME=home, **self.env())
        log = open(os.path.join(self.folder, "openbox.log"), "wb")
        self.window_manager = subprocess.Popen([openbox, "--sm-disable"] + _still_config(home), env=env,
                                               stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            # A running manager names itself on the root window.
            probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                   capture_output=True, text=True)
            if "window id" in probe.stdout:
                return
            if self.window_manager.poll() is not None:
                break
            time.sleep(0.2)
        raise Unavailable("openbox did not start")

    def stop(self):
        for process in (self.window_manager, self.server):
            if process is None or process.poll() is not None:
                continue
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.window_manager = None
        self.server = None
