"""Which drag of the bow hits what: the game's own shot planner (gloamshot_shots, built with the
game) flies all 60 shots over the level and says, for each, the window pixel where releasing the
mouse button fires it."""

import os
import subprocess


class Target:
    def __init__(self, index, kind, x, y):
        self.index = index  # the object's index in the level file
        self.kind = kind    # "spider" or "lantern"
        self.x = x
        self.y = y


class ShotOutcome:
    def __init__(self, aim, power, release, ends_in_wall, steps, end, touches):
        self.aim = aim
        self.power = power
        self.release = release    # (x, y) of the window where the button is let go
        self.ends_in_wall = ends_in_wall
        self.steps = steps        # 10 ms steps until it stuck or left the world
        self.end = end            # (x, y) where it stuck or left
        self.touches = touches    # [(object index, step of first touch)], first touch first

    def __repr__(self):
        return f"(aim {self.aim}, power {self.power})"

    def touched(self):
        return [index for index, _ in self.touches]

    def sounds_as_one(self):
        """Whether what it touches and where it ends are heard as one sound: it ends in a wall soon
        after lighting any lantern, while the lantern's sound still rings."""
        last_touch = max((step for _, step in self.touches), default=self.steps)
        return self.ends_in_wall and self.steps - last_touch <= 100


class ShotPlan:
    def __init__(self, planner, level_file, sprite_sheet_file):
        environment = dict(os.environ)
        # The planner links the audio manager, which opens a device it never plays on.
        environment["ALSOFT_DRIVERS"] = "null"
        output = subprocess.run([planner, level_file, sprite_sheet_file], capture_output=True, text=True,
                                check=True, env=environment).stdout
        self.targets = []
        self.shots = []
        for line in output.splitlines():
            fields = line.split()
            if fields[0] == "bow":
                self.bow = (float(fields[1]), float(fields[2]))
            elif fields[0] == "target":
                self.targets.append(Target(int(fields[1]), fields[2], float(fields[3]), float(fields[4])))
            elif fields[0] == "shot":
                touches = [tuple(int(part) for part in touch.split("@")) for touch in fields[9:]]
                self.shots.append(ShotOutcome(int(fields[1]), int(fields[2]), (int(fields[3]), int(fields[4])),
                                              fields[5] == "wall", int(fields[6]), (float(fields[7]), float(fields[8])),
                                              touches))

    def targets_of_kind(self, kind):
        return [target for target in self.targets if target.kind == kind]

    def shots_touching_only(self, index):
        """Shots that touch this target and nothing else, quickest first."""
        found = [shot for shot in self.shots if shot.touched() == [index]]
        return sorted(found, key=lambda shot: dict(shot.touches)[index])

    def shots_touching_nothing(self, ends_in_wall):
        return sorted((shot for shot in self.shots if not shot.touches and shot.ends_in_wall == ends_in_wall),
                      key=lambda shot: shot.steps)

    def level_through(self):
        """Shots that light every lantern and shoot every spider, each heard as one sound, the
        quickest that reaches the next target each time: [(shot, the targets it touches that were
        still there)]. Lanterns come first, and no shot kills the last spider before they are all
        lit (the win reloads the level, lanterns unlit). The last shot touches nothing but the last
        spider and what is already done, so the win is the only sound it makes: the level reloads
        at once and takes the arrow with it."""
        spiders = {target.index for target in self.targets_of_kind("spider")}
        lanterns = {target.index for target in self.targets_of_kind("lantern")}
        done = set()
        order = []
        for target in self.targets_of_kind("lantern") + self.targets_of_kind("spider"):
            if target.index in done:
                continue
            def allowed(shot):
                new = set(shot.touched()) - done
                wins = not spiders - done - new
                return (target.index in new and shot.sounds_as_one() and
                        (not wins or (new <= spiders and lanterns <= done)))
            candidates = [shot for shot in self.shots if allowed(shot)]
            if not candidates:
                raise ValueError(f"no shot reaches the {target.kind} at ({target.x}, {target.y})")
            shot = min(candidates, key=lambda shot: shot.steps)
            order.append((shot, [index for index in shot.touched() if index not in done]))
            done.update(shot.touched())
        return order

    def release_point(self, aim, power):
        """Where to release the button, in whole window pixels, so that the game sees this aim and
        power."""
        return next(shot.release for shot in self.shots if (shot.aim, shot.power) == (aim, power))
