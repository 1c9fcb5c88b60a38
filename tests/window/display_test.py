#!/usr/bin/env python3
"""The window on screens and in windows of several sizes, and the display failing: the
window is centred after the mode switch and asks for 640x480 at least; on a 320x200 screen
its top-left corner stays on the screen; resized to 1366x768 it shows the picture at scale
1.6, centred, drawn the sharp way; resized to 400x260 it shows all of it; killing the X
server at any moment (20 times at the prompt, 30 times 0 to 150 ms after launch) ends the
game with exit code 1 and one line naming the display, and so does another client
destroying the window; and a display that cannot be opened is named in one line with exit
code 1.

Usage: display_test.py GAME EXPECTED_FRAME X_CLOSE
"""
import math
import os
import signal
import subprocess
import sys
import tempfile
import time

from xgame import COUNTDOWN, Game, ended, expected_frame, fail, sh, start_xvfb, wait_for_value

GAME, EXPECTED, X_CLOSE = sys.argv[1:4]
PICTURE = (640, 480)
KILLS_AT_PROMPT = 20
KILLS_AT_LAUNCH = 30
LAUNCH_KILL_SPREAD = 0.150  # seconds after launch over which the start-up kills are spread
TOLERANCE = 8  # colour levels a filtered pixel may differ from the reference by
servers = []  # every X server started, so that a failing test leaves none behind


def start_server(screen):
    """An X server of its own for the next game, stopped when the test ends."""
    proc = start_xvfb(screen)
    servers.append(proc)
    return proc


def stop_servers():
    for proc in servers:
        if proc.poll() is None:
            proc.kill()
            proc.wait()


def geometry(window):
    """The window's x, y, width and height on the screen."""
    fields = dict(line.split("=", 1) for line in sh("xdotool", "getwindowgeometry", "--shell", window).split())
    return int(fields["X"]), int(fields["Y"]), int(fields["WIDTH"]), int(fields["HEIGHT"])


def minimum_size(window):
    for line in sh("xprop", "-id", window, "WM_NORMAL_HINTS").splitlines():
        if "minimum size:" in line:
            return line.split("minimum size:", 1)[1].strip()
    return None


def screen_size():
    fields = sh("xdpyinfo").split("dimensions:", 1)[1].split()[0]
    width, height = fields.split("x")
    return int(width), int(height)


# ---- The reference picture of the sharp method ----

def taps(out_size, in_size, scale):
    """For each output pixel along one axis: the two picture pixels and their weights that
    linear filtering of the picture drawn `scale` times with nearest-neighbour gives."""
    big = in_size * scale
    result = []
    for out in range(out_size):
        u = (out + 0.5) * big / out_size - 0.5
        first = math.floor(u)
        weight = u - first
        a, b = min(max(first, 0), big - 1), min(max(first + 1, 0), big - 1)
        result.append((a // scale, b // scale, 1 - weight, weight))
    return result


def sharp_reference(frame, width, height, scale, whole):
    """The picture as the sharp method draws it into a width x height rectangle, as rows of
    r, g, b values; at a whole scale plain nearest-neighbour."""
    rgb, picture_width, picture_height = frame
    rows_of = [rgb[y * picture_width * 3:(y + 1) * picture_width * 3] for y in range(picture_height)]
    if whole:
        return [[row[(x * picture_width // width) * 3 + c] for x in range(width) for c in range(3)]
                for row in (rows_of[y * picture_height // height] for y in range(height))]
    columns, rows = taps(width, picture_width, scale), taps(height, picture_height, scale)
    across = [[row[a * 3 + c] * wa + row[b * 3 + c] * wb for a, b, wa, wb in columns for c in range(3)]
              for row in rows_of]
    return [[p * wa + q * wb for p, q in zip(across[a], across[b])] for a, b, wa, wb in rows]


def countdown_in(placement):
    """The countdown field (which real time changes) in window pixels, with a margin for filtering."""
    x0, y0, w, h = placement
    scale = w / PICTURE[0]
    left, right, top, bottom = COUNTDOWN
    return (x0 + math.floor(left * scale) - 2, x0 + math.ceil(right * scale) + 2,
            y0 + math.floor(top * scale) - 2, y0 + math.ceil(bottom * scale) + 2)


def compare_picture(capture, placement, reference):
    """Counts the rows of the capture with pixels that differ from the reference inside the
    destination rectangle by more than the tolerance (with the first such place and its
    difference; the countdown field left out), and the rows that are not black around it."""
    rgb, width, height = capture
    x0, y0, w, h = placement
    left, right, top, bottom = countdown_in(placement)
    wrong_rows, first, wrong_around = 0, None, 0
    for y in range(height):
        row = rgb[y * width * 3:(y + 1) * width * 3]
        if not y0 <= y < y0 + h:
            wrong_around += row.count(0) != len(row)
            continue
        inside = row[x0 * 3:(x0 + w) * 3]
        around = row[:x0 * 3] + row[(x0 + w) * 3:]
        wrong_around += around.count(0) != len(around)
        offs = [abs(g - v) for g, v in zip(inside, reference[y - y0])]
        if top <= y < bottom:
            offs[(left - x0) * 3:(right - x0) * 3] = [0] * ((right - left) * 3)
        if max(offs) > TOLERANCE:
            wrong_rows += 1
            if first is None:
                at = next(i for i, off in enumerate(offs) if off > TOLERANCE)
                first = (x0 + at // 3, y, round(offs[at]))
    return wrong_rows, first, wrong_around


def check_resized(game, width, height, placement, scale, whole, what):
    sh("xdotool", "windowsize", game.window, str(width), str(height))
    wait_for_value(f"{what}: the window's size", lambda: geometry(game.window)[2:], (width, height))
    check_picture(game, placement, scale, whole, what)


def check_picture(game, placement, scale, whole, what):
    """Waits until the window shows the screen that the keys sent so far lead to, scaled."""
    width, height = geometry(game.window)[2:]
    reference = sharp_reference(expected_frame(EXPECTED, game.keys), placement[2], placement[3], scale, whole)
    seen = None

    def matches():
        nonlocal seen
        capture = game.capture()
        if capture[1:] != (width, height):
            seen = f"a {capture[1]}x{capture[2]} capture"
            return False
        wrong, first, around = compare_picture(capture, placement, reference)
        seen = (f"{wrong} rows of the picture off by more than {TOLERANCE} levels (first at x, y, by: {first}), "
                f"{around} rows not black around it")
        return wrong == 0 and around == 0

    deadline = time.monotonic() + 30
    while not matches():
        if time.monotonic() > deadline:
            fail(f"{what}: {seen}")
        time.sleep(0.1)
    print(f"ok: {what}")


# ---- The tests ----

def window_placement_and_scaling():
    # Large enough that the resized windows stay whole on the screen, where xwd sees them.
    start_server("2560x1600x24")
    game = Game(GAME, EXPECTED)
    screen_width, screen_height = screen_size()
    centred = ((screen_width - 640) // 2, (screen_height - 480) // 2, 640, 480)
    wait_for_value(f"the window's place and size on the {screen_width}x{screen_height} screen after the mode switch",
                   lambda: geometry(game.window), centred)
    print(f"ok: the window is centred after the mode switch: {centred}")
    wait_for_value("the window's least size", lambda: minimum_size(game.window), "640 by 480")
    print("ok: the window asks for a size of 640x480 at least")
    game.expect_screen("the prologue at 640x480, nearest-neighbour at scale 1", timeout=30)
    at_1366 = (171, 0, 1024, 768)
    check_resized(game, 1366, 768, at_1366, 2, False,
                  "at 1366x768 the picture is 1024x768 (scale 1.6) at x 171, drawn twice as large, then filtered down")
    game.press("Return", "Return")
    check_picture(game, at_1366, 2, False, "at 1366x768 the main screen follows the prologue")
    game.type("go")
    check_picture(game, at_1366, 2, False, "at 1366x768 the text typed at the prompt, one changed row redrawn")
    check_resized(game, 1280, 1024, (0, 32, 1280, 960), 2, True,
                  "at 1280x1024 the picture is doubled with nearest-neighbour alone, centred")
    check_resized(game, 400, 260, (26, 0, 347, 260), 1, False,
                  "at 400x260 the whole picture is shown, 347x260 at x 26, filtered down")
    sh(X_CLOSE, game.window)
    code, said = ended(game)
    if code != 0 or said:
        fail(f"a close after resizing: exit code {code}, said {said!r}")
    print("ok: a close after resizing ends with exit code 0")
    stop_servers()


def small_screen():
    start_server("320x200x24")
    game = Game(GAME, EXPECTED)
    wait_for_value("the window's place and size on a 320x200 screen after the mode switch",
                   lambda: geometry(game.window), (0, 0, 640, 480))
    print("ok: on a 320x200 screen the window's top-left corner is the screen's")
    stop_servers()


def reach_prompt(game):
    game.press("Return", "Return")
    game.expect_screen("the prompt", timeout=30)


def reach_help(game):
    reach_prompt(game)
    game.command("help")


def kill_server(screen, way, what):
    server = start_server("1024x768x24")
    display = os.environ["DISPLAY"]
    game = Game(GAME, EXPECTED)
    screen(game)
    server.send_signal(way)
    code, said = ended(game)
    wanted = [f"valewarden: lost the connection to the display {display}"]
    if code != 1 or said != wanted:
        fail(f"{what}: exit code {code} (wanted 1), said {said!r} (wanted {wanted!r})")
    server.wait()


def losing_the_display():
    kill_server(lambda game: game.expect_screen("the prologue", timeout=30), signal.SIGKILL, "X server killed on the prologue")
    print("ok: X server killed on the prologue: exit code 1 and the one line")
    kill_server(reach_help, signal.SIGTERM, "X server stopped on the help screen")
    print("ok: X server stopped on the help screen: exit code 1 and the one line")
    for run in range(1, KILLS_AT_PROMPT + 1):
        kill_server(reach_prompt, signal.SIGKILL, f"X server killed at the prompt, run {run}")
    print(f"ok: X server killed at the prompt, {KILLS_AT_PROMPT} runs: exit code 1 and the one line each time")


def killed_during_start_up():
    """Kills the X server at moments spread over the game's start-up: each run ends with exit
    code 1 and one line, that the display was lost or could not be opened."""
    seen = {}
    for run in range(KILLS_AT_LAUNCH):
        server = start_server("1024x768x24")
        display = os.environ["DISPLAY"]
        proc = subprocess.Popen([GAME], stderr=subprocess.PIPE, text=True)
        at = run * LAUNCH_KILL_SPREAD / (KILLS_AT_LAUNCH - 1)
        time.sleep(at)  # the moment of the kill, not a wait for an outcome
        server.kill()
        server.wait()
        try:
            said = proc.communicate(timeout=60)[1].splitlines()
        except subprocess.TimeoutExpired:
            proc.kill()
            said = ["(still running after 60 s)"] + proc.communicate()[1].splitlines()
        lost = f"valewarden: lost the connection to the display {display}"
        unopened = f"valewarden: cannot open the X display {display} ("
        if proc.returncode != 1 or len(said) != 1 or not (said[0] == lost or said[0].startswith(unopened)):
            fail(f"X server killed {at * 1000:.0f} ms after launch: exit code {proc.returncode} (wanted 1), "
                 f"said {said!r} (wanted one line: {lost!r}, or {unopened!r}...)")
        kind = "lost the connection" if said[0] == lost else "could not open the display"
        seen[kind] = seen.get(kind, 0) + 1
    print(f"ok: X server killed 0 to {LAUNCH_KILL_SPREAD * 1000:.0f} ms after launch, {KILLS_AT_LAUNCH} runs: "
          f"exit code 1 and one line each time ({seen})")


def window_destroyed():
    start_server("1024x768x24")
    display = os.environ["DISPLAY"]
    game = Game(GAME, EXPECTED)
    reach_prompt(game)
    sh("xdotool", "windowclose", game.window)
    code, said = ended(game)
    wanted = [f"valewarden: the window on the display {display} was destroyed by another program"]
    if code != 1 or said != wanted:
        fail(f"window destroyed by another client: exit code {code} (wanted 1), said {said!r} (wanted {wanted!r})")
    print("ok: window destroyed by another client: exit code 1 and the one line")
    stop_servers()


def run_without_window(env, what, starts):
    try:
        run = subprocess.run([GAME], env=env, capture_output=True, text=True, timeout=60)
    except subprocess.TimeoutExpired:
        fail(f"{what}: still running after 60 s")
    lines = run.stderr.splitlines()
    if run.returncode != 1 or len(lines) != 1 or not lines[0].startswith(starts):
        fail(f"{what}: exit code {run.returncode}, said {lines!r}; wanted exit code 1 and one line starting {starts!r}")
    print(f"ok: {what}: {lines[0]}")


def unused_display():
    number = 99
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


def messages():
    plain = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    missing = unused_display()
    run_without_window({**plain, "DISPLAY": missing}, f"no X server at {missing}",
                       f"valewarden: cannot open the X display {missing} (")
    run_without_window({**plain, "DISPLAY": f"{missing}\n{missing}"}, "a DISPLAY holding a newline",
                       f"valewarden: cannot open the X display {missing}\\n{missing} (")
    with tempfile.TemporaryDirectory() as runtime_dir:
        run_without_window({**plain, "WAYLAND_DISPLAY": "wayland-1", "XDG_RUNTIME_DIR": runtime_dir},
                           "no Wayland compositor and no DISPLAY",
                           "valewarden: no Wayland compositor at wayland-1 and no X display")
    start_server("1024x768x8")
    display = os.environ["DISPLAY"]
    run_without_window({**plain, "DISPLAY": display}, "an 8-bit visual",
                       f"valewarden: the X display {display} has 8-bit colour; the window needs 16-bit colour or more")
    stop_servers()


def main():
    try:
        messages()
        window_placement_and_scaling()
        small_screen()
        losing_the_display()
        killed_during_start_up()
        window_destroyed()
    finally:
        Game.kill_all()
        stop_servers()
    print("display test passed")


if __name__ == "__main__":
    main()
