"""What OpenAL Soft's wave writer has recorded so far: the game process plays into a WAV file in
real time (mono, 16 bits, 44,100 Hz), which is read here while it grows."""

import array
import struct

SAMPLE_RATE = 44100
# Quiet 10 ms windows that end a sound: a streamed sound of a busy game can stutter for a moment.
QUIET_WINDOWS_BETWEEN_SOUNDS = 25

# The wave writer's settings for OpenAL Soft (ALSOFT_CONF): everything the game plays goes to the file.
CONFIG_TEMPLATE = """[general]
drivers = wave
channels = mono
sample-type = int16
frequency = 44100
output-limiter = false
dither = false
hrtf = false
[wave]
file = {path}
"""


class SoundSegment:
    def __init__(self, start, end):
        self.start = start  # seconds from the opening of the audio device
        self.end = end

    def __repr__(self):
        return f"sound {self.start:.2f}-{self.end:.2f} s"


class CapturedSound:
    def __init__(self, path):
        self.path = path

    def samples(self):
        """Every sample written so far, -32768 to 32767; empty before the header is there."""
        try:
            with open(self.path, "rb") as wave:
                data = wave.read()
        except FileNotFoundError:
            return array.array("h")
        position = 12
        while position + 8 <= len(data):
            identifier = data[position:position + 4]
            size = struct.unpack("<I", data[position + 4:position + 8])[0]
            if identifier == b"data":
                # The sizes are filled in when the device closes; until then read to the end.
                body = data[position + 8:]
                body = body[:len(body) - len(body) % 2]
                return array.array("h", body)
            position += 8 + size + (size & 1)
        return array.array("h")

    def seconds(self):
        return len(self.samples()) / SAMPLE_RATE

    def find_sounds(self, threshold=0.01, after=0.0):
        """Stretches of 10 ms windows whose RMS (full scale 1) exceeds threshold, joined across gaps
        shorter than 250 ms, starting no earlier than after seconds."""
        samples = self.samples()
        window = SAMPLE_RATE // 100
        limit = (threshold * 32768) ** 2 * window
        segments = []
        start = None
        quiet_windows = 0
        for first in range(int(after * SAMPLE_RATE) // window * window, len(samples) - window + 1, window):
            energy = sum(value * value for value in samples[first:first + window])
            if energy > limit:
                if start is None:
                    start = first
                quiet_windows = 0
                end = first + window
            elif start is not None:
                quiet_windows += 1
                if quiet_windows >= QUIET_WINDOWS_BETWEEN_SOUNDS:
                    segments.append(SoundSegment(start / SAMPLE_RATE, end / SAMPLE_RATE))
                    start = None
        if start is not None:
            segments.append(SoundSegment(start / SAMPLE_RATE, end / SAMPLE_RATE))
        return segments
