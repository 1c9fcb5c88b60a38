#!/usr/bin/env python3
"""Failures in the middle of a game: a render device lost for good at the prompt (brought
about by the LOST_DEVICE library, preloaded) ends the game with exit code 1 and one line;
SIGTERM, SIGINT and SIGHUP while a runtime error box is up (the error brought about with
gdb, which moves the knight to room 99, outside the exits table) end it with exit code 0,
and the box and its process go with it, as they go after SIGKILL.

Usage: failures_test.py GAME EXPECTED_FRAME X_CLOSE LOST_DEVICE
"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

from xgame import Game, ended, fail, start_xvfb, wait_for_value

GAME, EXPECTED, X_CLOSE, LOST_DEVICE = sys.argv[1:5]
LIMIT = 10.0  # a loaded machine's allowance; the time each ending took is printed

# Run by gdb in the game: the game thread's `game` gets room 99.
TO_ROOM_99 = """
import gdb
for thread in gdb.selected_inferior().threads():
    thread.switch()
    frame = gdb.newest_frame()
    while frame is not None and frame.name() != "game::game_main":
        frame = frame.older()
    if frame is not None:
        frame.select()
        gdb.execute("set var game.current_room = 99")
        print("moved to room", gdb.parse_and_eval("game.current_room"))
"""


def reach_prompt(game):
    game.press("Return", "Return")
    game.expect_screen("the prompt")


def lost_device():
    asan = os.environ.get("ASAN_OPTIONS", "")
    env = dict(os.environ, LD_PRELOAD=LOST_DEVICE, ASAN_OPTIONS=f"{asan}:verify_asan_link_order=0")
    game = Game(GAME, EXPECTED, env=env)
    reach_prompt(game)
    sent = time.monotonic()
    game.press("F12")
    code, said = ended(game, LIMIT)
    took = time.monotonic() - sent
    wanted = "valewarden: cannot make the picture's texture (the render device is lost)"
    if code != 1 or said != [wanted]:
        fail(f"render device lost: exit code {code} {took:.1f} s after F12 (None: still running), said {said!r}; "
             f"wanted exit code 1 and {wanted!r} within {LIMIT:.0f} s")
    print(f"ok: render device lost at the prompt: exit code 1 and the one line after {took * 1000:.0f} ms")
    Game.kill_all()


def error_box():
    """The box's window id, or None."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    found = re.search(r'^\s*(0x[0-9a-f]+) "Unhandled Error #9 - ', tree, re.MULTILINE)
    return found.group(1) if found else None


def process_gone(pid):
    """Whether the process has ended (a zombie nobody reaped yet counts as ended)."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def signal_while_box_is_up(number):
    """A stop signal ends the game with exit code 0; SIGKILL ends it as SIGKILL does. Either
    way the box and its process go."""
    game = Game(GAME, EXPECTED)
    reach_prompt(game)
    with tempfile.NamedTemporaryFile("w", suffix=".py") as script:
        script.write(TO_ROOM_99)
        script.flush()
        moved = subprocess.run(["gdb", "-batch", "-p", str(game.proc.pid), "-x", script.name],
                               capture_output=True, text=True, timeout=120).stdout
    if "moved to room 99" not in moved:
        fail(f"gdb could not move the knight to room 99: {moved!r}")
    game.press("Return")
    game.wait_until("the error box appears", lambda: error_box() is not None)
    children = subprocess.run(["pgrep", "-P", str(game.proc.pid)], capture_output=True, text=True).stdout.split()
    if not children:
        fail(f"the error box is up, but the game has no child process showing it; {game.state()}")
    sent = time.monotonic()
    game.proc.send_signal(number)
    code, said = ended(game, LIMIT)
    took = time.monotonic() - sent
    name = signal.Signals(number).name
    wanted = -signal.SIGKILL if number == signal.SIGKILL else 0
    if code != wanted or said:
        fail(f"{name} while the error box is up: exit code {code} after {took:.1f} s (None: still running), "
             f"said {said!r}; wanted exit code {wanted}")
    wait_for_value(f"{name}: the box's process ended", lambda: all(map(process_gone, children)), True)
    wait_for_value(f"{name}: the box's window", error_box, None)
    print(f"ok: {name} while the error box is up: exit code {code} after {took * 1000:.0f} ms, "
          f"the box and its process gone")
    Game.kill_all()


def main():
    xvfb = start_xvfb()
    try:
        lost_device()
        for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP, signal.SIGKILL):
            signal_while_box_is_up(number)
    finally:
        Game.kill_all()
        xvfb.terminate()
    print("failures test passed")


if __name__ == "__main__":
    main()
