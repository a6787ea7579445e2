"""Plays the real game through its window the way a person does: looks at the picture, moves the
mouse, holds and releases buttons and keys.

The game reads its input once a frame, so a button pressed and released between two frames is never
seen. Every press is therefore held until the picture shows that the game has seen it: the bow turns
with the drag while the button is held, the title fades while Space is down, the splash logo
brightens while the button is down."""

import math
import time
from pathlib import Path

from picture import Picture, likeness
from polling import wait_until

WINDOW_WIDTH = 1280
WINDOW_HEIGHT = 720
# The archer's feet: the bow turns about the point of the archer's centre line at the pivot's height.
ARCHER_X = 400.0 / 3.0
# Around the bow's turning point: the bow (120 x 112, centred 42 units from it) in any direction.
BOW_REACH = 130
LOGO_SIZE = 256
LOGO_BLOCK = 16
# A pixel under the light map counts as lit when it is not black.
LIT_THRESHOLD = 30
# Inside a lit lantern's light (192) and well outside an unlit one's (4).
LANTERN_RING_RADIUS = 170
LANTERN_RING_POINTS = 72


class Player:
    def __init__(self, x_server, run, plan, data_folder):
        self.x = x_server
        self.run = run
        self.plan = plan
        data_folder = Path(data_folder)
        self.backdrop = Picture.from_file(data_folder / "gloamshot_cave_01.png")
        self.splash_logo = Picture.from_file(data_folder / "pinewren_logo_512.png", LOGO_SIZE, LOGO_SIZE)
        self.splash_blocks = self.splash_logo.block_means(LOGO_BLOCK)
        self.window = None
        # The aim the bow shows; None while it still points where it did at the start.
        self.bow_aim = None
        self._is_cursor_placed = False
        self._frame_pace = 0.0  # the longest wait yet from a drag to the bow's turn, seconds

    # --- Looking -----------------------------------------------------------------------------------

    def find_window(self, timeout=60.0):
        self.window = self.x.wait_for_window("Gloamshot", timeout)
        return self.window

    def capture(self):
        def picture():
            if not self.run.is_running():
                raise AssertionError(f"the game has ended with {self.run.process.returncode}:\n"
                                     f"{self.run.standard_error()[-2000:]}")
            return self.x.capture(self.window, WINDOW_WIDTH, WINDOW_HEIGHT)
        return wait_until(picture, "a picture of the game window", 10.0)

    def centre_logo(self, picture):
        half = LOGO_SIZE // 2
        return picture.region(WINDOW_WIDTH // 2 - half, WINDOW_HEIGHT // 2 - half, LOGO_SIZE, LOGO_SIZE)

    def looks_like(self, picture, reference_blocks):
        """Whether the centre of the picture shows the logo of these block means, at any brightness."""
        logo = self.centre_logo(picture)
        return logo.count_lit() > 1000 and likeness(logo.block_means(LOGO_BLOCK), reference_blocks) >= 0.95

    def shows_splash(self, picture):
        return self.looks_like(picture, self.splash_blocks)

    def splash_brightness(self, picture):
        """The splash logo's brightness against the logo file's: 0 to about 1."""
        return self.centre_logo(picture).brightness() / self.splash_logo.brightness()

    def shows_title(self, picture):
        """The white title text across the middle, and black where a logo would be above it."""
        text_band = picture.region(340, 320, 600, 80)
        white = sum(1 for index in range(0, len(text_band.rgb), 3) if min(text_band.rgb[index:index + 3]) > 180)
        above = picture.region(WINDOW_WIDTH // 2 - LOGO_SIZE // 2, WINDOW_HEIGHT // 2 - LOGO_SIZE // 2, LOGO_SIZE, 40)
        return white > 1500 and above.count_lit() < 50

    def is_lit(self, picture, x, y):
        return sum(picture.at(x, y)) > LIT_THRESHOLD

    def shows_gameplay(self, picture):
        """The cave shows in the archer's light above the bow, and the far corner is black."""
        left, top = int(self.plan.bow[0]) + 40, int(self.plan.bow[1]) - 120
        patch = picture.region(left, top, 60, 60)
        return (patch.count_differing(self.backdrop.region(left, top, 60, 60), 16) < 60 and
                not self.is_lit(picture, WINDOW_WIDTH - 30, 30))

    def bow_region(self, picture=None):
        picture = picture or self.capture()
        left = max(0, int(ARCHER_X) - BOW_REACH)
        return picture.region(left, int(self.plan.bow[1]) - BOW_REACH, 2 * BOW_REACH, 2 * BOW_REACH)

    def lantern_ring_lit_share(self, target, picture=None):
        """The share of points on a circle inside the lantern's lit radius where the cave shows
        (points off the window or on a dark part of the backdrop do not count)."""
        picture = picture or self.capture()
        lit = counted = 0
        for step in range(LANTERN_RING_POINTS):
            angle = 2.0 * math.pi * step / LANTERN_RING_POINTS
            x = round(target.x + LANTERN_RING_RADIUS * math.cos(angle))
            y = round(target.y + LANTERN_RING_RADIUS * math.sin(angle))
            if 0 <= x < WINDOW_WIDTH and 0 <= y < WINDOW_HEIGHT and sum(self.backdrop.at(x, y)) > 2 * LIT_THRESHOLD:
                counted += 1
                lit += 1 if self.is_lit(picture, x, y) else 0
        return lit / counted

    def spider_state(self, target, picture=None, half=20):
        """"dark" where no light reaches the spider's place, else "there" when a spider covers much
        of the square about it (a spider covers about 0.4 of it, an arrow stuck there far less),
        or "gone"."""
        picture = picture or self.capture()
        left, top = round(target.x) - half, round(target.y) - half
        seen = picture.region(left, top, 2 * half, 2 * half)
        if seen.count_lit() < seen.width * seen.height // 2:
            return "dark"
        cover = seen.count_differing(self.backdrop.region(left, top, 2 * half, 2 * half)) / (4 * half * half)
        return "there" if cover > 0.3 else "gone"

    # --- Acting ------------------------------------------------------------------------------------

    def point_at_window(self):
        """Puts the cursor over the window: without a window manager, keys go where it points."""
        if not self._is_cursor_placed:
            self.move_mouse(WINDOW_WIDTH // 2, WINDOW_HEIGHT // 2)

    def move_mouse(self, x, y):
        self.x.move_mouse(self.window, x, y)
        self._is_cursor_placed = True

    def hold_key_until(self, key, condition, what, timeout=60.0):
        """Holds key down until condition() holds, then lets it go; returns what condition gave."""
        self.point_at_window()
        self.x.key_down(key)
        try:
            return wait_until(condition, what, timeout)
        finally:
            self.x.key_up(key)

    def picture_where(self, test):
        """A condition for the waits: the current picture when test(picture) holds."""
        def condition():
            picture = self.capture()
            return picture if test(picture) else None
        return condition

    def skip_splash(self):
        """Clicks on the splash logo, holding the button until the logo has changed (so a frame saw
        it down); returns the splash brightness when the button went down and when it came up."""
        picture = wait_until(self.picture_where(self.shows_splash), "the splash logo")
        self.point_at_window()
        pressed = self.splash_brightness(picture)
        self.x.mouse_down()
        try:
            changed = wait_until(self.picture_where(
                lambda seen: abs(self.splash_brightness(seen) - pressed) > 0.01 or not self.shows_splash(seen)),
                "the splash logo to change while the button is down")
        finally:
            self.x.mouse_up()
        return pressed, self.splash_brightness(changed)

    def start_play(self):
        """From the title, holds Space until the cave shows."""
        wait_until(self.picture_where(self.shows_title), "the title")
        return self.hold_key_until("space", self.picture_where(self.shows_gameplay), "play to start")

    def reach_play(self):
        self.find_window()
        self.skip_splash()
        return self.start_play()

    def drag_bow(self, aim, power, press):
        """Moves the cursor to the release point of aim and power, presses the button when asked,
        and waits until the bow has turned and stands still: the game has then run a frame with the
        button held there. The bow must not point that way already."""
        point = self.plan.release_point(aim, power)
        before = self.bow_region()
        started = time.monotonic()
        self.move_mouse(*point)
        if press:
            self.x.mouse_down()

        def turned():
            first = self.bow_region()
            if first.count_differing(before) < 100:
                return None
            second = self.bow_region()
            return second if second.count_differing(first) < 20 else None

        turned_bow = wait_until(turned, "the bow to turn with the drag")
        self._frame_pace = max(self._frame_pace, time.monotonic() - started)
        self.bow_aim = aim
        return turned_bow

    def wait_for_the_bow_to_rest(self):
        """Waits until the bow has looked the same for a while: after a turn the driver did not
        start (to a button held since before play), so that the next drag's wait does not take
        that turn for its own."""
        calm_seconds = max(1.0, 4.0 * self._frame_pace)
        last = {"picture": self.bow_region(), "since": time.monotonic()}

        def resting():
            picture = self.bow_region()
            if picture.count_differing(last["picture"]) >= 20:
                last.update(picture=picture, since=time.monotonic())
            return time.monotonic() - last["since"] >= calm_seconds

        wait_until(resting, "the bow to rest")

    def draw_bow(self):
        """Presses the button and turns the bow: while the button stays down, every turn_bow()
        shows that the game has run a frame since."""
        self.drag_bow(self._other_aim(), 2, press=True)

    def turn_bow(self):
        self.drag_bow(self._other_aim(), 2, press=False)

    def _other_aim(self):
        return 3 if self.bow_aim != 3 else 8

    def tap_key(self, key):
        """With the bow drawn: holds key down through one turn of the bow and up through another,
        so that frames see it down and then up."""
        self.x.key_down(key)
        self.turn_bow()
        self.x.key_up(key)
        self.turn_bow()

    def let_the_release_be_seen(self):
        """After a release that the picture does not answer (one that shoots nothing), waits as long
        as the bow has taken to answer a drag, twice over, so that a frame sees the button up before
        it goes down again. The only wait that is not on a condition: there is none to poll."""
        time.sleep(max(0.2, 2.0 * self._frame_pace))

    def shoot(self, shot):
        """Draws the bow to the release point of the shot and lets go. The game sees the release in a
        later frame: wait for what the shot does (shoot_and_listen) before pressing again."""
        if self.bow_aim == shot.aim:
            # The bow would not move: turn it away first, so that its turn back shows the hold.
            self.draw_bow()
            self.drag_bow(shot.aim, shot.power, press=False)
        else:
            self.drag_bow(shot.aim, shot.power, press=True)
        self.x.mouse_up()

    def shoot_and_listen(self, shot, timeout=60.0):
        """Shoots and waits for the first sound that starts after the release to end: the arrow
        lighting a lantern or striking a wall (the plan's shots end in walls), or the win."""
        since = self.run.sound.seconds()
        self.shoot(shot)
        return self.wait_for_new_sound(since, f"a sound after shot {shot}", timeout)

    def wait_for_new_sound(self, since, what, timeout=60.0):
        """Waits until a sound that starts after since (seconds of the capture) has ended."""
        def ended():
            sounds = self.run.sound.find_sounds(after=since)
            sounds = [sound for sound in sounds if sound.start >= since]
            return sounds[0] if sounds and self.run.sound.seconds() > sounds[0].end + 0.3 else None
        return wait_until(ended, what, timeout)
