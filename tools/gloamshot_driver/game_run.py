"""One run of the real game: a scratch working folder holding a copy of the game's data/, OpenAL
Soft writing everything the game plays into a WAV file, the process itself with its standard output
and error kept in files, and on exit nothing left behind."""

import os
import shutil
import signal
import subprocess
import tempfile
from pathlib import Path

from captured_sound import CONFIG_TEMPLATE, CapturedSound
from polling import wait_until


class GameRun:
    """Use as a context manager. data_folder is copied to data/ of the working folder (None: the
    folder has no data/); prepare(work_folder) may change the copy before the game starts."""

    def __init__(self, executable, x_server, data_folder=None, prepare=None, environment=None):
        self._executable = str(Path(executable).resolve())
        self._x_server = x_server
        self._data_folder = data_folder
        self._prepare = prepare
        self._environment = environment or {}
        self._scratch = None
        self.process = None

    def __enter__(self):
        self._scratch = tempfile.TemporaryDirectory(prefix="gloamshot_run_")
        scratch = Path(self._scratch.name)
        self.work_folder = scratch / "play"
        self.work_folder.mkdir()
        if self._data_folder is not None:
            shutil.copytree(self._data_folder, self.work_folder / "data")
        if self._prepare is not None:
            self._prepare(self.work_folder)
        self.sound = CapturedSound(scratch / "sound.wav")
        (scratch / "alsoft.conf").write_text(CONFIG_TEMPLATE.format(path=self.sound.path))

        environment = self._x_server.environment()
        environment.update(self._environment)
        environment["ALSOFT_CONF"] = str(scratch / "alsoft.conf")
        environment["LIBGL_ALWAYS_SOFTWARE"] = "1"
        self._stdout = open(scratch / "stdout.txt", "wb")
        self._stderr = open(scratch / "stderr.txt", "wb")
        self.process = subprocess.Popen([self._executable], cwd=self.work_folder, env=environment,
                                        stdin=subprocess.DEVNULL, stdout=self._stdout, stderr=self._stderr)
        return self

    def __exit__(self, *exception):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        self._stdout.close()
        self._stderr.close()
        self._scratch.cleanup()

    def is_running(self):
        return self.process.poll() is None

    def wait_for_exit(self, timeout=60.0):
        """The exit code (negative: the signal that ended it)."""
        wait_until(lambda: not self.is_running(), "the game to end", timeout)
        return self.process.returncode

    def standard_error(self):
        self._stderr.flush()
        return Path(self._stderr.name).read_text(errors="replace")

    def files_in_work_folder(self):
        return sorted(name for name in os.listdir(self.work_folder) if name != "data")
