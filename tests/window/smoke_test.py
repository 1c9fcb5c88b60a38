#!/usr/bin/env python3
"""The real window under Xvfb: its title, its size, its 50x50 icon, and exit code 0 after a
close; and without a display, one line on standard error and exit code 1.

Usage: smoke_test.py GAME EXPECTED_FRAME X_CLOSE
"""
import os
import subprocess
import sys

from xgame import Game, sh, start_xvfb

GAME, EXPECTED, X_CLOSE = sys.argv[1:4]


def main():
    no_display = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    run = subprocess.run([GAME], env=no_display, capture_output=True, text=True, timeout=60)
    if run.returncode != 1 or len(run.stderr.splitlines()) != 1:
        sys.exit(f"FAIL: without a display: exit code {run.returncode}, said {run.stderr!r}")
    print("ok: no display gives one line and exit code 1")

    xvfb = start_xvfb()
    try:
        game = Game(GAME, EXPECTED)
        if sh("xdotool", "getwindowname", game.window).strip() != "The Valewarden Saga - v1.0":
            sys.exit("FAIL: the window's title")
        game.wait_until("the window is 640x480",
                        lambda: "WIDTH=640\nHEIGHT=480" in sh("xdotool", "getwindowgeometry", "--shell", game.window))
        game.wait_until("the window has a 50x50 icon",
                        lambda: "Icon (50 x 50)" in sh("xprop", "-id", game.window, "_NET_WM_ICON"))
        print("ok: title, size and icon")
        sh(X_CLOSE, game.window)
        game.expect_exit("a close ends with exit code 0")
    finally:
        Game.kill_all()
        xvfb.terminate()
    print("window smoke test passed")


if __name__ == "__main__":
    main()
