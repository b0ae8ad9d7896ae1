"""A fresh working folder and HOME for one case, and the program started in it."""

import math
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import wave

import desktop

SAMPLE_NAMES = ("bg.jpg", "01.wav", "02.wav")


def _write_tone(path, frequency, seconds, rate=22050):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        frames = b"".join(
            struct.pack("<h", int(8000 * math.sin(2 * math.pi * frequency * i / rate)))
            for i in range(int(rate * seconds)))
        out.writeframes(frames)


def _write_title_picture(path):
    result = subprocess.run(
        ["convert", "-size", "700x110", "gradient:#1030c0-#f0f0ff", "-quality", "90", path],
        capture_output=True, text=True)
    if result.returncode != 0 or not os.path.isfile(path):
        raise desktop.Failure("cannot make a sample title picture: " + result.stderr.strip())


class Workspace:
    def __init__(self, name, samples_folder):
        self.root = tempfile.mkdtemp(prefix="prizmora-e2e-%s-" % name)
        self.work = os.path.join(self.root, "work")
        self.home = os.path.join(self.root, "home")
        self.samples_folder = samples_folder
        self.process = None
        self.log_path = os.path.join(self.root, "program.log")
        os.makedirs(self.work)
        self._make_home()

    def _make_home(self):
        self.xdg = {
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_STATE_HOME": os.path.join(self.home, ".local", "state"),
            "XDG_RUNTIME_DIR": os.path.join(self.root, "runtime"),
            "XDG_DESKTOP_DIR": os.path.join(self.home, "Desktop"),
        }
        for folder in self.xdg.values():
            os.makedirs(folder, exist_ok=True)
        os.chmod(self.xdg["XDG_RUNTIME_DIR"], 0o700)
        with open(os.path.join(self.xdg["XDG_CONFIG_HOME"], "user-dirs.dirs"), "w") as dirs:
            dirs.write('XDG_DESKTOP_DIR="$HOME/Desktop"\n')

    # -- files -----------------------------------------------------------------

    def path(self, name):
        return os.path.join(self.work, name)

    def read(self, name):
        with open(self.path(name), "rb") as source:
            return source.read()

    def write(self, name, data):
        with open(self.path(name), "wb") as out:
            out.write(data)

    def exists(self, name):
        return os.path.isfile(self.path(name))

    def put_samples(self, names=SAMPLE_NAMES):
        """The title picture and music, from the repository's samples or made here."""
        for name in names:
            shipped = os.path.join(self.samples_folder, name) if self.samples_folder else ""
            target = self.path(name)
            if shipped and os.path.isfile(shipped):
                shutil.copyfile(shipped, target)
            elif name.endswith(".jpg"):
                _write_title_picture(target)
            else:
                _write_tone(target, 440 if name == "01.wav" else 660, 1.5)

    # -- the program -----------------------------------------------------------

    def program_env(self, session_env):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "XDG_", "DBUS_", "WAYLAND_", "PULSE_"))
               and key not in ("SESSION_MANAGER", "DESKTOP_SESSION")}
        env.update(session_env)
        env.update(self.xdg)
        env.update(HOME=self.home, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
        env.pop("LC_ALL", None)
        return env

    def start(self, program, session_env):
        log = open(self.log_path, "ab")
        self.process = subprocess.Popen([program], cwd=self.work, env=self.program_env(session_env),
                                        stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        log.close()
        return self.process

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=desktop.WINDOW_TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise desktop.Failure("the program did not end within %.0f s" % timeout) from None

    def stop(self):
        if not self.running():
            return
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def keep(self, artifacts):
        """Copies the working files and the program's output next to the screenshots."""
        kept = os.path.join(artifacts, "work")
        shutil.copytree(self.work, kept, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns(*SAMPLE_NAMES))
        if os.path.isfile(self.log_path):
            shutil.copyfile(self.log_path, os.path.join(artifacts, "program.log"))
        desktop_dir = self.xdg["XDG_DESKTOP_DIR"]
        if os.listdir(desktop_dir):
            shutil.copytree(desktop_dir, os.path.join(artifacts, "Desktop"), dirs_exist_ok=True)

    def remove(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)
