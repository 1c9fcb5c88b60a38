#!/usr/bin/env python3
"""The game played in a real window: the prologue, the start, typing, moving, help,
inventory (left by a keypad key), a quit word ended by Ctrl+Enter, and the close button, each screen compared pixel for pixel with
the frame our renderer makes for it.

Usage: end_to_end_test.py GAME EXPECTED_FRAME X_CLOSE
"""
import sys

from xgame import Game, sh, start_xvfb

GAME, EXPECTED, X_CLOSE = sys.argv[1:4]


def main():
    xvfb = start_xvfb()
    try:
        game = Game(GAME, EXPECTED)
        game.expect_screen("the prologue")
        game.press("Return")
        game.expect_screen("one key leaves the prologue up")
        game.press("Return")
        game.expect_screen("room 1's main screen with the countdown")
        game.type("go south")
        game.expect_screen("typed text after the prompt")
        game.press("Return")
        game.expect_screen("room 2 after GO SOUTH")
        game.type("help")
        game.press("Return")
        game.expect_screen("the help screen")
        game.press("a")
        game.expect_screen("help stays after one key")
        game.press("b")
        game.expect_screen("help left after the second key")
        game.type("inventory")
        game.press("Return")
        game.expect_screen("the inventory")
        game.press("KP_Home")
        game.expect_screen("inventory left by a keypad key (Num Lock off)")
        game.type("quit")
        game.press("ctrl+Return")
        game.expect_screen("Ctrl+Enter ends the command line: the farewell box with Press any key to continue")
        game.press("x")
        game.expect_exit("a key after the farewell ends with exit code 0")

        game = Game(GAME, EXPECTED)
        game.press("Return", "Return")
        game.keys = ["Return", "Return"]
        game.expect_screen("a second game at its prompt")
        sh(X_CLOSE, game.window)
        game.expect_exit("the close button at the prompt ends with exit code 0")
    finally:
        Game.kill_all()
        xvfb.terminate()
    print("end-to-end window test passed")


if __name__ == "__main__":
    main()
