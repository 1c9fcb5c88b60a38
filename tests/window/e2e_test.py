#!/usr/bin/env python3
"""Plays the real game in a real window under Xvfb with real X key events, and compares
each capture of the window pixel for pixel with the frame our renderer makes for the
screen the headless game shows after the same keys. The countdown field on row 2 is left
out of the comparison, since real time moves on between the two.

Usage: e2e_test.py GAME EXPECTED_FRAME X_CLOSE
"""
import os
import struct
import subprocess
import sys
import tempfile
import time

GAME, EXPECTED, X_CLOSE = sys.argv[1:4]
WIDTH, HEIGHT = 640, 480
COUNTDOWN = (31 * 8, 45 * 8, 16, 32)  # x from, x to, y from, y to: row 2, columns 32 to 45


def sh(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def start_xvfb():
    for n in range(91, 191):
        if os.path.exists(f"/tmp/.X{n}-lock"):
            continue
        proc = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = f":{n}"
        for _ in range(100):
            if subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0:
                return proc
            if proc.poll() is not None:
                break
            time.sleep(0.05)
    sys.exit("cannot start Xvfb")


def read_xwd(data):
    """Returns the pixels of an xwd dump as a list of rows of (r, g, b)."""
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, depth, width, height, _, byte_order = fields[:8]
    bits_per_pixel, bytes_per_line, _, red, green, blue = fields[11], fields[12], fields[13], fields[14], fields[15], fields[16]
    ncolors = fields[19]
    start = header_size + ncolors * 12
    step = bits_per_pixel // 8
    order = "<" if byte_order == 0 else ">"
    fmt = order + ("I" if step == 4 else "H")

    def channel(value, mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        values = struct.unpack(order + ("I" if step == 4 else "H") * width, line) if step in (2, 4) else None
        rows.append([(channel(v, red), channel(v, green), channel(v, blue)) for v in values])
    return rows, depth


def read_ppm(path):
    data = open(path, "rb").read()
    parts = data.split(b"\n", 3)
    width, height = map(int, parts[1].split())
    body = parts[3]
    return [[tuple(body[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)] for y in range(height)]


def expected_frame(keys):
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
        path = f.name
    subprocess.run([EXPECTED, path, *keys], check=True, capture_output=True)
    frame = read_ppm(path)
    os.unlink(path)
    return frame


def differences(captured, expected):
    count = 0
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if COUNTDOWN[0] <= x < COUNTDOWN[1] and COUNTDOWN[2] <= y < COUNTDOWN[3]:
                continue
            if captured[y][x] != expected[y][x]:
                count += 1
    return count


class Game:
    def __init__(self):
        self.proc = subprocess.Popen([GAME], stderr=subprocess.PIPE)
        self.window = None
        self.keys = []
        deadline = time.time() + 10
        while time.time() < deadline and not self.window:
            out = subprocess.run(["xdotool", "search", "--name", "^The Valewarden Saga - v1.0$"],
                                 capture_output=True, text=True).stdout.split()
            self.window = out[0] if out else None
            time.sleep(0.05)
        if not self.window:
            sys.exit("FAIL: the window did not appear")
        sh("xdotool", "windowfocus", "--sync", self.window)

    def press(self, *keys):
        for key in keys:
            sh("xdotool", "key", "--delay", "40", key)
            self.keys.append(key)
            time.sleep(0.06)

    def type(self, text):
        self.press(*["space" if c == " " else c for c in text])

    def capture(self):
        data = subprocess.run(["xwd", "-id", self.window, "-silent"], capture_output=True).stdout
        return read_xwd(data)[0]

    def expect_screen(self, what, timeout=5.0):
        expected = expected_frame(self.keys)
        deadline = time.time() + timeout
        while True:
            captured = self.capture()
            wrong = differences(captured, expected)
            if wrong == 0:
                print(f"ok: {what}")
                return captured
            if time.time() > deadline:
                sys.exit(f"FAIL: {what}: {wrong} pixels differ from the expected frame")
            time.sleep(0.1)

    def expect_exit(self, what, timeout=2.0):
        try:
            code = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            sys.exit(f"FAIL: {what}: still running")
        if code != 0:
            sys.exit(f"FAIL: {what}: exit code {code}")
        print(f"ok: {what}")


def main():
    xvfb = start_xvfb()
    try:
        game = Game()
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
        game.press("space")
        game.expect_screen("inventory left after one key")
        game.type("quit")
        game.press("Return")
        game.expect_screen("the farewell box with Press any key to continue")
        game.press("x")
        game.expect_exit("a key after the farewell ends with exit code 0")

        game = Game()
        game.press("Return", "Return")
        game.keys = ["Return", "Return"]
        game.expect_screen("a second game at its prompt")
        sh(X_CLOSE, game.window)
        game.expect_exit("the close button at the prompt ends with exit code 0")
    finally:
        xvfb.terminate()
    print("end-to-end window test passed")


if __name__ == "__main__":
    main()
