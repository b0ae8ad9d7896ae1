"""A private PulseAudio server with a silent sink, so the music really plays somewhere."""

import os
import shutil
import signal
import subprocess
import time


class SoundServer:
    def __init__(self, folder):
        self.folder = folder
        self.socket = os.path.join(folder, "native")
        self.process = None

    def env(self):
        return {"PULSE_SERVER": "unix:" + self.socket, "PULSE_RUNTIME_PATH": self.folder,
                "PULSE_STATE_PATH": self.folder}

    def _client_env(self):
        env = {key: value for key, value in os.environ.items() if not key.startswith("DBUS_")}
        env.update(self.env(), HOME=self.folder, XDG_RUNTIME_DIR=self.folder)
        return env

    def start(self, timeout=15):
        """Returns a reason when no server can be had; the program then runs without sound."""
        if not shutil.which("pulseaudio") or not shutil.which("pactl"):
            return "pulseaudio or pactl is not installed"
        log = open(os.path.join(self.folder, "pulseaudio.log"), "wb")
        # -n: none of the machine's configuration, only these two modules.
        self.process = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--log-target=stderr",
             "-L", "module-null-sink sink_name=e2e_sink",
             "-L", "module-native-protocol-unix socket=%s auth-anonymous=1" % self.socket],
            env=self._client_env(), stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        log.close()
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                return "pulseaudio ended at start"
            if self.pactl("info") is not None:
                self.pactl("set-default-sink", "e2e_sink")
                return None
            time.sleep(0.2)
        self.stop()
        return "pulseaudio did not answer"

    def pactl(self, *args):
        result = subprocess.run(["pactl", *args], env=self._client_env(), capture_output=True,
                                text=True, timeout=30)
        return result.stdout if result.returncode == 0 else None

    def playing_streams(self):
        """Number of streams the program has open on the sink."""
        out = self.pactl("list", "short", "sink-inputs")
        return len(out.splitlines()) if out else 0

    def stop(self):
        if self.process is None or self.process.poll() is not None:
            return
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
