#!/usr/bin/env python3
"""Measures the game in a real window under Xvfb: CPU use while it waits at the prologue,
on the help screen and at the prompt; the time from launch to the first frame; and its peak
resident memory beside that of a bare SDL window with one streaming texture.

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


if __name__ == "__main__":
    main()
