#!/usr/bin/env python3
"""Ending at any moment: on each screen of the game, closing the window, Alt+F4,
Ctrl+Break, SIGINT, SIGTERM and SIGHUP each end the process with exit code 0; at the prompt,
SIGTERM does so while the X server hangs too. The time each took is printed; the test
allows a loaded machine ten seconds.

Usage: ending_test.py GAME EXPECTED_FRAME X_CLOSE [SCREEN]  (all screens when none is named)
"""
import signal
import subprocess
import sys
import time

from xgame import Game, fail, sh, start_xvfb

GAME, EXPECTED, X_CLOSE = sys.argv[1:4]
LIMIT = 10.0

# The spear, the shield and the walk to the dragon's cradle.
WINNING_WALK = ["s", "s", "e", "s", "e", "e", "n", "take silver spear", "s", "s", "s", "s", "s", "w", "s", "w",
                "take shield of virtue", "e", "s", "e", "s", "s", "w", "w", "w", "s", "w", "w", "s", "s", "e"]


def prologue(game):
    pass


def prompt(game):
    game.press("Return", "Return")
    game.expect_screen("the prompt")


def help_screen(game):
    prompt(game)
    game.command("help")


def inventory(game):
    prompt(game)
    game.command("i")


def examine_page(game):
    prompt(game)
    game.command("examine lantern")


def victory(game):
    prompt(game)
    for command in WINNING_WALK:
        game.command(command)
    game.command("use shield of virtue")


def end_message(game):
    prompt(game)
    game.command("quit")


SCREENS = [prologue, prompt, help_screen, inventory, examine_page, end_message, victory]
METHODS = ["close", "alt+F4", "ctrl+Break", "SIGINT", "SIGTERM", "SIGHUP"]


def stop(game, method):
    if method == "close":
        sh(X_CLOSE, game.window)
    elif method == "alt+F4":
        sh("xdotool", "key", "alt+F4")
    elif method == "ctrl+Break":
        sh("xdotool", "key", "ctrl+Pause")
    else:
        game.proc.send_signal(getattr(signal, method))


def end_once(screen, method, xvfb):
    """Plays to `screen`, ends the game by `method`; returns a failure, or None."""
    game = Game(GAME, EXPECTED)
    screen(game)
    game.expect_screen(screen.__name__)
    if method == "SIGTERM, server stopped":
        xvfb.send_signal(signal.SIGSTOP)
    sent = time.monotonic()
    stop(game, method.split(",")[0])
    try:
        code = game.proc.wait(LIMIT)
    except subprocess.TimeoutExpired:
        code = None
    took = time.monotonic() - sent
    xvfb.send_signal(signal.SIGCONT)
    verdict = "ok" if code == 0 else "FAIL"
    print(f"{verdict}: {method} on {screen.__name__}: {game.state()} after {took * 1000:.0f} ms")
    Game.kill_all()
    return None if code == 0 else f"{method} on {screen.__name__}"


def main():
    named = sys.argv[4:]
    screens = [screen for screen in SCREENS if not named or screen.__name__ in named]
    if not screens:
        fail(f"no screen named {named}")
    xvfb = start_xvfb()
    try:
        runs = [(screen, method) for screen in screens for method in METHODS]
        if prompt in screens:
            runs.append((prompt, "SIGTERM, server stopped"))
        failures = [failure for screen, method in runs if (failure := end_once(screen, method, xvfb))]
    finally:
        Game.kill_all()
        xvfb.terminate()
    if failures:
        fail(", ".join(failures))
    print("ending test passed")


if __name__ == "__main__":
    main()
