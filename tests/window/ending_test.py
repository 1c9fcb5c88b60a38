#!/usr/bin/env python3
"""Ending at any moment: on each screen of the game, closing the window, Alt+F4,
Ctrl+Break, SIGINT and SIGTERM each end the process with exit code 0 within half a second.

Usage: ending_test.py GAME EXPECTED_FRAME X_CLOSE
"""
import signal
import sys
import time

from xgame import Game, sh, start_xvfb

GAME, EXPECTED, X_CLOSE = sys.argv[1:4]
LIMIT = 0.5

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


def stop(game, method):
    if method == "close":
        sh(X_CLOSE, game.window)
    elif method == "alt+F4":
        sh("xdotool", "key", "alt+F4")
    elif method == "ctrl+Break":
        sh("xdotool", "key", "ctrl+Pause")
    else:
        game.proc.send_signal(getattr(signal, method))


def main():
    xvfb = start_xvfb()
    failures = []
    try:
        for screen in SCREENS:
            for method in ["close", "alt+F4", "ctrl+Break", "SIGINT", "SIGTERM"]:
                game = Game(GAME, EXPECTED)
                screen(game)
                game.expect_screen(screen.__name__)
                sent = time.monotonic()
                stop(game, method)
                try:
                    code = game.proc.wait(5)
                except Exception:
                    code = None
                took = time.monotonic() - sent
                verdict = "ok" if code == 0 and took <= LIMIT else "FAIL"
                print(f"{verdict}: {method} on {screen.__name__}: exit code {code} after {took * 1000:.0f} ms")
                if verdict != "ok":
                    failures.append(f"{method} on {screen.__name__}")
                Game.kill_all()
    finally:
        Game.kill_all()
        xvfb.terminate()
    if failures:
        sys.exit("FAIL: " + ", ".join(failures))
    print("ending test passed")


if __name__ == "__main__":
    main()
