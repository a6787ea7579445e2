"""Gloamshot played for real: each test starts the gloamshot binary under its own Xvfb, in a
scratch folder with a copy of data/, with OpenAL Soft writing what it plays into a WAV file, and
drives it with X input events. CTest runs each test on its own (tests/e2e/CMakeLists.txt), with the
paths below in the environment."""

import contextlib
import json
import os
import re
import subprocess
import time
import unittest
from pathlib import Path

from game_run import GameRun
from picture import Picture
from player import ARCHER_X, LOGO_BLOCK, WINDOW_HEIGHT, WINDOW_WIDTH, Player
from polling import wait_until
from shot_plan import ShotPlan
from x_server import PrivateXServer

GAME = os.environ["GLOAMSHOT_GAME"]
SHOTS = os.environ["GLOAMSHOT_SHOTS"]
DATA = Path(os.environ["GLOAMSHOT_DATA"])
FRAMEWORK_LOGO = os.environ["KF_FRAMEWORK_LOGO"]
GAME_ENVIRONMENT = {name: os.environ[name] for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS")
                    if name in os.environ}


def pin_gl_driver():
    """Mesa unloads its software driver when the context closes; LeakSanitizer would then see the
    driver's allocations with no module to name, out of reach of the library suppressions. The
    tests' own executables keep it loaded; the game gets it preloaded, after the AddressSanitizer
    runtime, which must come first."""
    linked = subprocess.run(["ldd", GAME], capture_output=True, text=True, check=True).stdout
    runtime = re.search(r"=> (\S*libasan\.so\S*)", linked)
    if runtime:
        GAME_ENVIRONMENT["LD_PRELOAD"] = f"{runtime.group(1)} {os.environ['KF_GL_DRIVER']}"


pin_gl_driver()

ERROR_BOX_TITLE = "Error Condition Triggered"
# A sound shorter than this is an arrow striking a wall; "lantern_light" and "you_win" ring longer.
LONG_SOUND_SECONDS = 0.8
GIF_NAME = re.compile(r"^\d{8}_\d{6}_screencap(_\d+)?\.gif$")


class GloamshotEndToEndTest(unittest.TestCase):
    def setUp(self):
        self.plan = ShotPlan(SHOTS, str(DATA / "gloam_cave_01.json"), str(DATA / "gloamshot_sprite_sheet.json"))
        self.targets = {target.index: target for target in self.plan.targets}

    @contextlib.contextmanager
    def play(self, prepare=None, data=DATA):
        """The game running under its own X server, and a player for it; prepare(working folder)
        may change the copy of data/ first. The game must not have met a sanitizer."""
        with PrivateXServer() as x_server, GameRun(GAME, x_server, data, prepare, GAME_ENVIRONMENT) as run:
            yield Player(x_server, run, self.plan, DATA)
            standard_error = run.standard_error()
        self.assertNotRegex(standard_error, "Sanitizer|runtime error:")

    def quickest_shot_touching_only(self, kind):
        shots = [shot for target in self.plan.targets_of_kind(kind)
                 for shot in self.plan.shots_touching_only(target.index) if shot.sounds_as_one()]
        return min(shots, key=lambda shot: shot.steps)

    def assert_heard_as(self, sound, long, message=""):
        length = sound.end - sound.start
        if long:
            self.assertGreater(length, LONG_SOUND_SECONDS, f"{sound} {message}")
        else:
            self.assertLess(length, LONG_SOUND_SECONDS, f"{sound} {message}")

    def dismiss_error_box(self, player):
        """Waits for the error box, answers it with Return, and checks that the game then ends."""
        box = player.x.wait_for_window(ERROR_BOX_TITLE)
        player.x.answer_box(box, "Return")
        code = player.run.wait_for_exit()
        # The box ends the process through the standard terminate handler.
        self.assertEqual(code, -6)
        return player.run.standard_error()

    # --- The window and the way into play ----------------------------------------------------------

    def test_window(self):
        with self.play() as player:
            window = player.find_window()
            self.assertEqual(player.x.window_geometry(window)[2:], (WINDOW_WIDTH, WINDOW_HEIGHT))

    def test_start_up(self):
        framework_blocks = Picture.from_file(FRAMEWORK_LOGO).block_means(LOGO_BLOCK)
        with self.play() as player:
            player.find_window()
            # Black until the first frame; the sound capture's clock is read around every picture.
            looks = []
            while not looks or not player.shows_splash(looks[-1][3]):
                before = player.run.sound.seconds()
                picture = player.capture()
                looks.append((time.monotonic(), before, player.run.sound.seconds(), picture))

            # A click during the fade in jumps to the fade out: the logo never rests at full
            # brightness (it would for 2.5 s of play), and the title follows.
            _, released = player.skip_splash()
            brightness = []
            picture = player.capture()
            while not player.shows_title(picture):
                brightness.append((time.monotonic(), player.splash_brightness(picture)))
                picture = player.capture()
            # Space fades the title out and starts play.
            player.hold_key_until("space", player.picture_where(lambda seen: not player.shows_title(seen)),
                                  "the title to fade")
            wait_until(player.picture_where(player.shows_gameplay), "play to start")

            first = next(index for index, look in enumerate(looks) if look[3].count_lit() > 0)
            self.assertGreater(first, 0, "the first picture was not black: the first frame was missed")
            for seen_at, _, _, picture in looks[first:]:
                if seen_at - looks[first][0] < 2.0:
                    self.assertTrue(player.looks_like(picture, framework_blocks), "no start-up logo in the centre")
            # The start-up sound, 0.25 s into the logo: the first frame came after the last black
            # picture was taken and before the first lit one was read back (whose clock can lag by
            # what the wave writer has not flushed yet).
            sounds = player.run.sound.find_sounds()
            self.assertTrue(sounds, "no start-up sound")
            self.assertGreater(sounds[0].start - looks[first - 1][1], 0.1, sounds[0])
            self.assertLess(sounds[0].start - (looks[first][2] + 0.1), 0.5, sounds[0])

            self.assertLess(released, 0.9, "the splash logo was already bright when the click ended")
            rest_start = brightness[0]
            for seen_at, value in brightness:
                if abs(value - rest_start[1]) > 0.005:
                    rest_start = (seen_at, value)
                self.assertLess(seen_at - rest_start[0], 1.5, "the splash logo stayed after the click")

    def test_darkness(self):
        with self.play() as player:
            picture = player.reach_play()
            bow_x, bow_y = self.plan.bow
            lanterns = self.plan.targets_of_kind("lantern")
            dark = lit = 0
            for y in range(4, WINDOW_HEIGHT, 16):
                for x in range(4, WINDOW_WIDTH, 16):
                    from_bow = ((x - bow_x) ** 2 + (y - bow_y) ** 2) ** 0.5
                    near_lantern = any(abs(x - lantern.x) < 40 and abs(y - lantern.y) < 40 for lantern in lanterns)
                    if from_bow > 260 and not near_lantern:
                        self.assertEqual(picture.at(x, y), (0, 0, 0), f"light at ({x}, {y})")
                        dark += 1
                    elif from_bow < 250 and abs(x - ARCHER_X) > 100:
                        # The archer's light shows the cave as it is, away from the archer and bow.
                        for seen, painted in zip(picture.at(x, y), player.backdrop.at(x, y)):
                            self.assertLess(abs(seen - painted), 16, f"cave at ({x}, {y})")
                        lit += 1
            self.assertGreater(dark, 2000)
            self.assertGreater(lit, 50)

    # --- Shooting ----------------------------------------------------------------------------------

    def test_lantern_and_wall(self):
        with self.play() as player:
            player.reach_play()
            shot = self.quickest_shot_touching_only("lantern")
            lantern = self.targets[shot.touched()[0]]
            self.assertLess(player.lantern_ring_lit_share(lantern), 0.7)
            # "lantern_light" rings as it lights (the arrow's strike on the wall just after is
            # heard within it), and its light widens to show the cave around it.
            self.assert_heard_as(player.shoot_and_listen(shot), long=True)
            self.assertGreater(player.lantern_ring_lit_share(lantern), 0.97)

            wall_shot = self.plan.shots_touching_nothing(ends_in_wall=True)[0]
            since = player.run.sound.seconds()
            self.assert_heard_as(player.shoot_and_listen(wall_shot), long=False)
            sounds = [sound for sound in player.run.sound.find_sounds(after=since) if sound.start >= since]
            self.assertEqual(len(sounds), 1, sounds)

    def test_every_spider(self):
        with self.play() as player:
            player.reach_play()
            steps = self.plan.level_through()
            seen_vanishing = 0
            for number, (shot, touched) in enumerate(steps):
                kinds = [self.targets[index].kind for index in touched]
                before = {index: player.spider_state(self.targets[index]) for index in touched}
                sound = player.shoot_and_listen(shot)
                # A lantern rings, an arrow striking a wall is short; the last spider wins.
                self.assert_heard_as(sound, long="lantern" in kinds or number == len(steps) - 1,
                                     message=f"shot {number} {shot}, touching {touched}")
                if number == len(steps) - 1:
                    break
                for index in touched:
                    target = self.targets[index]
                    if target.kind == "lantern":
                        self.assertGreater(player.lantern_ring_lit_share(target), 0.97)
                        continue
                    # A spider shot with a lantern is lit by it from then on.
                    after = player.spider_state(target)
                    self.assertIn(after, ("gone", "dark"), f"the spider at ({target.x}, {target.y})")
                    seen_vanishing += before[index] == "there" and after == "gone"
            self.assertGreater(seen_vanishing, 0, "no spider was seen before it was shot")
            # The level is back: every lantern unlit again, every spider in the dark.
            picture = player.capture()
            for lantern in self.plan.targets_of_kind("lantern"):
                self.assertLess(player.lantern_ring_lit_share(lantern, picture), 0.7)
            for spider in self.plan.targets_of_kind("spider"):
                self.assertEqual(player.spider_state(spider, picture), "dark")

    # --- Keys --------------------------------------------------------------------------------------

    def test_restart(self):
        with self.play() as player:
            player.reach_play()
            shot = self.quickest_shot_touching_only("lantern")
            lantern = self.targets[shot.touched()[0]]
            player.shoot_and_listen(shot)
            self.assertGreater(player.lantern_ring_lit_share(lantern), 0.97)
            # R plays "you_win" and reloads the level: the lantern is unlit again.
            since = player.run.sound.seconds()
            player.hold_key_until("r", player.picture_where(lambda seen: player.lantern_ring_lit_share(lantern, seen) < 0.7),
                                  "the lantern to go out")
            self.assert_heard_as(player.wait_for_new_sound(since, "the win sound"), long=True)

    def test_held_mouse(self):
        held = self.quickest_shot_touching_only("lantern")
        lantern = self.targets[held.touched()[0]]
        with self.play() as player:
            player.find_window()
            player.skip_splash()
            wait_until(player.picture_where(player.shows_title), "the title")
            # The button goes down on the title, which starts play, and stays down into play.
            player.move_mouse(*self.plan.release_point(held.aim, held.power))
            player.x.mouse_down()
            wait_until(player.picture_where(player.shows_gameplay), "play to start")
            # The first steps of play turn the bow to the held button; a drag must not be taken
            # to have turned it while that turn is still to be drawn.
            player.wait_for_the_bow_to_rest()
            player.bow_aim = held.aim
            # The bow follows the held button; bringing it back to the lantern's shot and letting go
            # must shoot nothing.
            player.turn_bow()
            player.drag_bow(held.aim, held.power, press=False)
            player.x.mouse_up()
            player.let_the_release_be_seen()
            # A slower shot at another lantern: had the release shot, the first lantern would be
            # lit before this one.
            held_touch = dict(held.touches)[lantern.index]
            other = min((shot for target in self.plan.targets_of_kind("lantern") if target is not lantern
                         for shot in self.plan.shots_touching_only(target.index)
                         if shot.sounds_as_one() and shot.touches[0][1] > held_touch + 50),
                        key=lambda shot: shot.steps)
            player.shoot_and_listen(other)
            picture = player.capture()
            self.assertGreater(player.lantern_ring_lit_share(self.targets[other.touched()[0]], picture), 0.97)
            self.assertLess(player.lantern_ring_lit_share(lantern, picture), 0.7, "the held button shot")

    def test_escape(self):
        with self.play() as player:
            player.reach_play()
            # Escape down is not yet a quit: the game runs on while the bow turns.
            player.draw_bow()
            player.x.key_down("Escape")
            player.turn_bow()
            self.assertTrue(player.run.is_running())
            player.x.key_up("Escape")
            self.assertEqual(player.run.wait_for_exit(), 0)

    def test_gif_capture(self):
        with self.play() as player:
            player.reach_play()
            # Keys are held through turns of the drawn bow, so that frames see them down and up;
            # the bow turns back and forth while the capture records.
            player.draw_bow()
            started = time.monotonic()
            player.tap_key("g")
            player.turn_bow()
            player.turn_bow()
            player.tap_key("g")
            recorded = time.monotonic() - started
            player.x.key_down("Escape")
            player.turn_bow()
            player.x.key_up("Escape")
            # Quitting waits for the file to be complete.
            self.assertEqual(player.run.wait_for_exit(), 0)
            files = player.run.files_in_work_folder()
            self.assertEqual(len(files), 1, files)
            self.assertRegex(files[0], GIF_NAME)
            # ImageMagick decodes it independently of the game's writer: size and delay of every
            # picture ("%T" in hundredths of a second).
            described = subprocess.run(["identify", "-format", "%W %H %T\n", str(player.run.work_folder / files[0])],
                                       capture_output=True, text=True, check=True).stdout.split("\n")
            pictures = [line.split() for line in described if line]
            self.assertGreater(len(pictures), 5)
            self.assertLess(len(pictures), 15 * recorded + 2)
            for width, height, delay in pictures:
                self.assertEqual((int(width), int(height)), (WINDOW_WIDTH, WINDOW_HEIGHT))
                self.assertIn(int(delay), (6, 7), "not about 15 pictures a second")

    # --- Broken content ----------------------------------------------------------------------------

    def broken_level(self, text, message):
        def prepare(folder):
            (folder / "data" / "gloam_cave_01.json").write_text(text)
        with self.play(prepare) as player:
            player.find_window()
            player.skip_splash()
            wait_until(player.picture_where(player.shows_title), "the title")
            player.hold_key_until("space", lambda: player.x.find_windows(ERROR_BOX_TITLE), "the error box")
            standard_error = self.dismiss_error_box(player)
            self.assertIn(ERROR_BOX_TITLE, standard_error)
            self.assertIn(message, standard_error)

    def test_malformed_level(self):
        self.broken_level('{"layers": [{"name": "level_objects", "objects": [', "not valid JSON")

    def test_misshapen_level(self):
        self.broken_level(json.dumps({"layers": {"name": "level_objects"}}),
                          "Expected this DynamicStructure to be an ArrayType.")

    def test_missing_data(self):
        with self.play(data=None) as player:
            player.find_window()
            standard_error = self.dismiss_error_box(player)
            self.assertIn("data/gloamshot_sprite_sheet.json", standard_error)

    def test_bad_sound_file(self):
        def prepare(folder):
            (folder / "data" / "audio" / "you_win.wav").write_text("This is a note, not a sound.\n")
        with self.play(prepare) as player:
            player.find_window()
            standard_error = self.dismiss_error_box(player)
            self.assertIn("data/audio/you_win.wav", standard_error)


if __name__ == "__main__":
    unittest.main()
