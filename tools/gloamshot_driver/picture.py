"""Pictures of windows and image files, read through ImageMagick, and the few measures the driver
takes of them."""

import subprocess


class Picture:
    """An RGB picture, top row first, three bytes a pixel."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    @staticmethod
    def from_file(path, width=None, height=None):
        """An image file laid over black (so transparent parts are black), scaled to width x height
        when given."""
        arguments = ["convert", str(path), "-background", "black", "-alpha", "remove"]
        if width:
            arguments += ["-resize", f"{width}x{height}!"]
        info = subprocess.run(arguments + ["-format", "%w %h", "info:"], capture_output=True, text=True,
                              check=True).stdout.split()
        rgb = subprocess.run(arguments + ["-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
        return Picture(int(info[0]), int(info[1]), rgb)

    def at(self, x, y):
        index = (y * self.width + x) * 3
        return self.rgb[index], self.rgb[index + 1], self.rgb[index + 2]

    def region(self, left, top, width, height):
        rows = [self.rgb[((top + row) * self.width + left) * 3:((top + row) * self.width + left + width) * 3]
                for row in range(height)]
        return Picture(width, height, b"".join(rows))

    def block_means(self, block):
        """The mean brightness (red + green + blue) of every block x block square, row by row: a
        coarse picture that ignores how either side filtered its scaling."""
        means = []
        for top in range(0, self.height - block + 1, block):
            for left in range(0, self.width - block + 1, block):
                total = 0
                for row in range(top, top + block):
                    start = (row * self.width + left) * 3
                    total += sum(self.rgb[start:start + block * 3])
                means.append(total / (block * block))
        return means

    def brightness(self):
        """Mean of red + green + blue over the picture, 0 to 765."""
        return sum(self.rgb) / (self.width * self.height)

    def count_differing(self, other, tolerance=24):
        """How many pixels differ from the other picture's by more than tolerance in some channel."""
        differing = 0
        row_bytes = self.width * 3
        for start in range(0, len(self.rgb), row_bytes):
            if self.rgb[start:start + row_bytes] != other.rgb[start:start + row_bytes]:
                differing += self._count_differing_in(other, start, start + row_bytes, tolerance)
        return differing

    def _count_differing_in(self, other, start, end, tolerance):
        differing = 0
        for index in range(start, end, 3):
            if (abs(self.rgb[index] - other.rgb[index]) > tolerance or
                    abs(self.rgb[index + 1] - other.rgb[index + 1]) > tolerance or
                    abs(self.rgb[index + 2] - other.rgb[index + 2]) > tolerance):
                differing += 1
        return differing

    def count_lit(self, threshold=12):
        """How many pixels are not black."""
        lit = 0
        for index in range(0, len(self.rgb), 3):
            if self.rgb[index] + self.rgb[index + 1] + self.rgb[index + 2] > threshold:
                lit += 1
        return lit


def likeness(first, second):
    """Cosine similarity of two lists of block means: 1 for the same picture at any brightness."""
    dot = sum(a * b for a, b in zip(first, second))
    norm = (sum(a * a for a in first) * sum(b * b for b in second)) ** 0.5
    return dot / norm if norm else 0.0
