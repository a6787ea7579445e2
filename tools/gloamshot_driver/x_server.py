"""A private X server (Xvfb) for one game run, and the X tools that look at it and drive it:
xdotool for input, xwininfo for windows and their geometry, ImageMagick's import for pictures."""

import os
import subprocess

from polling import wait_until

# No X tool takes this long unless it waits for something that will not come (import, for one,
# asks for a click when its window has gone).
TOOL_TIMEOUT = 20.0


class PrivateXServer:
    """Starts Xvfb on a free display (it picks the number itself and writes it to a pipe) and
    stops it on exit. Use as a context manager."""

    def __init__(self, width=1920, height=1080):
        self._size = f"{width}x{height}x24"
        self._process = None
        self.display = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        # -noreset: the server stays up when its last client leaves, so a box or a second window
        # that opens as another closes still finds it.
        # -ardelay: a key held down while the driver waits for the game to see it must not repeat.
        self._process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self._size, "-nolisten", "tcp", "-noreset",
             "-ardelay", "600000"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self._process.kill()
            self._process.wait()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        return self

    def __exit__(self, *exception):
        self._process.terminate()
        self._process.wait()

    def environment(self):
        """The environment of this process with DISPLAY pointing at the server."""
        environment = dict(os.environ)
        environment["DISPLAY"] = self.display
        return environment

    def run(self, *arguments, text=True):
        """Runs an X tool against this server and returns its standard output, as text or as bytes
        (empty when it fails)."""
        try:
            result = subprocess.run(list(arguments), env=self.environment(), capture_output=True, text=text,
                                    timeout=TOOL_TIMEOUT)
        except subprocess.TimeoutExpired:
            return "" if text else b""
        if result.returncode != 0:
            return "" if text else b""
        return result.stdout

    # --- Windows -----------------------------------------------------------------------------------

    def find_windows(self, title):
        """The top-level windows whose title is exactly title. (xdotool's search misses the boxes
        that SDL draws itself, xwininfo lists every window with its name.)"""
        found = []
        for line in self.run("xwininfo", "-root", "-children").splitlines():
            fields = line.split(None, 1)
            if len(fields) == 2 and fields[0].startswith("0x") and fields[1].startswith(f'"{title}":'):
                found.append(int(fields[0], 16))
        return found

    def wait_for_window(self, title, timeout=60.0):
        return wait_until(lambda: (self.find_windows(title) or [None])[0], f'a window titled "{title}"', timeout)

    def window_geometry(self, window):
        """(x, y, width, height) of the window's client area on the screen."""
        fields = {}
        for line in self.run("xwininfo", "-id", str(window)).splitlines():
            name, _, value = line.strip().partition(":")
            fields[name] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    # --- Input -------------------------------------------------------------------------------------

    def move_mouse(self, window, x, y):
        """Places the cursor at (x, y) of the window's client area."""
        self.run("xdotool", "mousemove", "--window", str(window), str(round(x)), str(round(y)))

    def mouse_down(self):
        self.run("xdotool", "mousedown", "1")

    def mouse_up(self):
        self.run("xdotool", "mouseup", "1")

    def answer_box(self, window, key):
        """Gives the box the keyboard (there is no window manager to do it) and types key into it."""
        self.run("xdotool", "windowfocus", str(window))
        self.run("xdotool", "key", key)

    def key_down(self, key):
        self.run("xdotool", "keydown", key)

    def key_up(self, key):
        self.run("xdotool", "keyup", key)

    # --- Pictures ----------------------------------------------------------------------------------

    def capture(self, window, width, height):
        """What the window of that size shows now, as a Picture, or None when it cannot be read."""
        from picture import Picture
        rgb = self.run("import", "-silent", "-window", str(window), "-depth", "8", "rgb:-", text=False)
        return Picture(width, height, rgb) if len(rgb) == width * height * 3 else None
