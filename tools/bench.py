#!/usr/bin/env python3
"""Measures the game in a real window under Xvfb: CPU use while it waits at the prologue,
on the help screen and at the prompt; the time from launch to the first frame; its peak
resident memory beside that of a bare SDL window with one streaming texture; and the cost of
one present of a changed frame in a 640x480 window and in a 1366x768 one (scale 1.6).

Usage: bench.py GAME BARE_WINDOW
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "window"))
from xgame import read_xwd, start_xvfb  # noqa: E402

GAME, BARE = sys.argv[1:3]
TICKS = os.sysconf("SC_CLK_TCK")
SPAN = 10.0


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def peak_memory_mb(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return 0.0


def window_of(name, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--name", name], capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.005)
    sys.exit(f"no window named {name}")


def cpu_share(pid):
    before, start = cpu_seconds(pid), time.monotonic()
    time.sleep(SPAN)
    return 100 * (cpu_seconds(pid) - before) / (time.monotonic() - start)


def window_size(window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], capture_output=True, text=True).stdout
    fields = dict(line.split("=", 1) for line in out.split())
    return int(fields["WIDTH"]), int(fields["HEIGHT"])


PRESENT_KEYS = 300
KEY_DELAY_MS = 50  # slower than the reader's 30 passes a second: every key makes its own frame


def present_cost(width, height):
    """CPU milliseconds (game, X server) per changed frame at the prompt in a window of the
    given size: keys that each change the line typed, less the same span idle at the prompt."""
    xvfb = start_xvfb("2560x1600x24")  # a screen that holds a 1366x768 window whole
    try:
        game = subprocess.Popen([GAME])
        window = window_of("^The Valewarden Saga - v1.0$")
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        key("Return", "Return")
        subprocess.run(["xdotool", "windowsize", window, str(width), str(height)], check=True)
        deadline = time.monotonic() + 10
        while window_size(window) != (width, height):
            if time.monotonic() > deadline:
                sys.exit(f"the window did not become {width}x{height}")
            time.sleep(0.05)
        time.sleep(1)
        keys = ["a", "BackSpace"] * (PRESENT_KEYS // 2)
        before = cpu_seconds(game.pid), cpu_seconds(xvfb.pid), time.monotonic()
        subprocess.run(["xdotool", "key", "--delay", str(KEY_DELAY_MS), *keys], check=True)
        typing = cpu_seconds(game.pid) - before[0], cpu_seconds(xvfb.pid) - before[1], time.monotonic() - before[2]
        time.sleep(0.5)
        before = cpu_seconds(game.pid), cpu_seconds(xvfb.pid), time.monotonic()
        time.sleep(typing[2])
        idle = cpu_seconds(game.pid) - before[0], cpu_seconds(xvfb.pid) - before[1]
        game.terminate()
        game.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()
    frames = len(keys) + typing[2]  # one a key, and the countdown's once a second
    return tuple(1000 * (typing[i] - idle[i]) / frames for i in (0, 1))


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--delay", "30", name], check=True)
        time.sleep(0.05)


def main():
    xvfb = start_xvfb()
    try:
        launched = time.monotonic()
        game = subprocess.Popen([GAME])
        window = window_of("^The Valewarden Saga - v1.0$")
        first_frame = None
        while first_frame is None and time.monotonic() - launched < 10:
            image = read_xwd(subprocess.run(["xwd", "-id", window, "-silent"], capture_output=True).stdout)
            if image is not None and image[0].count(0) != len(image[0]):  # not all black: the prologue is drawn
                first_frame = time.monotonic() - launched
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        time.sleep(1)
        prologue = cpu_share(game.pid)
        key("Return", "Return")
        time.sleep(1)
        prompt = cpu_share(game.pid)
        key("h", "Return")
        time.sleep(1)
        help_screen = cpu_share(game.pid)
        game_memory = peak_memory_mb(game.pid)
        game.terminate()
        game.wait()

        bare = subprocess.Popen([BARE])
        window_of("^bare$")
        time.sleep(2)
        bare_memory = peak_memory_mb(bare.pid)
        bare.terminate()
        bare.wait()
    finally:
        xvfb.terminate()

    print(f"CPU while waiting at the prologue:  {prologue:6.2f} % of a core over {SPAN:.0f} s (goal <= 0.5 %)")
    print(f"CPU on the help screen:             {help_screen:6.2f} % of a core over {SPAN:.0f} s (goal <= 0.5 %)")
    print(f"CPU at the prompt (30 passes/s):    {prompt:6.2f} % of a core over {SPAN:.0f} s (goal <= 5 %)")
    print(f"launch to first frame:              {first_frame * 1000:6.0f} ms (goal <= 300 ms)")
    print(f"peak resident memory:               {game_memory:6.1f} MB, bare SDL window {bare_memory:.1f} MB, "
          f"difference {game_memory - bare_memory:+.1f} MB (goal <= +10 MB)")
    for width, height in [(640, 480), (1366, 768)]:
        game_ms, server_ms = present_cost(width, height)
        print(f"one present of a changed frame at {width}x{height}: {game_ms:5.2f} ms CPU in the game, "
              f"{server_ms:5.2f} ms in the X server (a key at the prompt, less the same span idle)")


if __name__ == "__main__":
    main()
