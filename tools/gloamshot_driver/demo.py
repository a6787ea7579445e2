"""Gloamshot's demo, for a machine without a display: plays the shipped level through under a
private Xvfb (lights every lantern, shoots every spider, wins), records it with the game's own GIF
capture (G), and says where the GIF is.

Usage: demo.py <gloamshot> <gloamshot_shots> <project folder> <output folder> [<half-size GIF>]
The game runs in a scratch folder with a copy of the project's data/; the recording is moved to the
output folder. With a last argument, a copy scaled to half size is written there too."""

import shutil
import subprocess
import sys
import time
from pathlib import Path

from game_run import GameRun
from player import Player
from shot_plan import ShotPlan
from x_server import PrivateXServer

PICTURES_A_SECOND = 15


def play_level_through(player, plan):
    """Holds G through the first shot (capture on) and through a turn of the bow after the win
    (capture off), then quits with Escape, which waits for the file to be complete."""
    steps = plan.level_through()
    player.x.key_down("g")
    player.shoot_and_listen(steps[0][0])
    player.x.key_up("g")
    for shot, _ in steps[1:]:
        player.shoot_and_listen(shot)
    # The win has reloaded the level; the bow, drawn and turned, shows frames going by.
    player.draw_bow()
    player.tap_key("g")
    player.x.key_down("Escape")
    player.turn_bow()
    player.x.key_up("Escape")
    code = player.run.wait_for_exit()
    if code != 0:
        raise RuntimeError(f"the game ended with {code}:\n{player.run.standard_error()}")
    captures = player.run.files_in_work_folder()
    if len(captures) != 1:
        raise RuntimeError(f"expected one capture in the game's folder, found {captures}")
    return player.run.work_folder / captures[0]


def write_half_size(recording, half_size, seconds=5):
    """The first seconds of the recording at half the size, every other picture shown twice as
    long: a GIF small enough to keep. (ImageMagick holds every picture it reads, at full size, in a
    pixel cache of limited size: a few seconds fit, a whole recording does not.)"""
    count = PICTURES_A_SECOND * seconds
    odd = ",".join(str(index) for index in range(1, count, 2))
    subprocess.run(["convert", f"{recording}[0-{count - 1}]", "-sample", "50%", "-coalesce", "-delete", odd,
                    "-set", "delay", "13", "-layers", "Optimize", str(half_size)], check=True)


def main(game, shots, project, output, half_size=None):
    project = Path(project)
    started = time.monotonic()
    plan = ShotPlan(shots, str(project / "data" / "gloam_cave_01.json"),
                    str(project / "data" / "gloamshot_sprite_sheet.json"))
    with PrivateXServer() as x_server, GameRun(game, x_server, project / "data") as run:
        player = Player(x_server, run, plan, project / "data")
        print("Gloamshot demo: no display here, so the game plays itself under a private Xvfb.")
        player.reach_play()
        recording = play_level_through(player, plan)
        Path(output).mkdir(parents=True, exist_ok=True)
        kept = Path(output) / recording.name
        shutil.move(recording, kept)
    print(f"Played the level through (every lantern lit, every spider shot, won) in "
          f"{time.monotonic() - started:.0f} s. The recording: {kept.resolve()}")
    if half_size:
        write_half_size(kept, half_size)
        print(f"Half-size copy: {Path(half_size).resolve()}")


if __name__ == "__main__":
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__)
    main(*sys.argv[1:])
