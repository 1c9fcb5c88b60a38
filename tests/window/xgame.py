"""Drives the real game in a real window under Xvfb: real X key events with xdotool,
window captures with xwd, and the frames our renderer makes for the screens the headless
game shows after the same keys (the expected_frame tool), compared pixel for pixel. The
countdown field on row 2 is left out, since real time moves on between the two."""
import os
import struct
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 640, 480
COUNTDOWN = (31 * 8, 45 * 8, 16, 32)  # x from, x to, y from, y to: row 2, columns 32 to 45


def sh(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def start_xvfb(screen="1024x768x24"):
    """Starts Xvfb with one screen of `screen` (WIDTHxHEIGHTxDEPTH) on a display it picks itself,
    makes it the DISPLAY, and returns the process once it accepts connections.
    With -noreset the server stays up between games: a reset when the last client leaves would
    refuse the next game's connection for a moment."""
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        sys.exit(f"cannot start Xvfb with a {screen} screen")
    os.environ["DISPLAY"] = f":{number}"
    return proc


def read_xwd(data):
    """Returns the RGB bytes (3 a pixel, rows top to bottom) and the size of an xwd dump, or
    None when the dump is empty or shorter than its header says."""
    if len(data) < 100:
        return None
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order = fields[0], fields[4], fields[5], fields[7]
    bits_per_pixel, bytes_per_line, red, green, blue, ncolors = (fields[11], fields[12], fields[14], fields[15],
                                                                 fields[16], fields[19])
    if bits_per_pixel != 32:
        sys.exit(f"unexpected xwd format: {bits_per_pixel} bits a pixel")
    start = header_size + ncolors * 12
    if len(data) < start + height * bytes_per_line:
        return None
    pixels = b"".join(data[start + y * bytes_per_line:start + y * bytes_per_line + width * 4] for y in range(height))
    rgb = bytearray(width * height * 3)
    for out, mask in enumerate((red, green, blue)):
        shift = (mask & -mask).bit_length() - 1
        index = shift // 8 if byte_order == 0 else 3 - shift // 8
        rgb[out::3] = pixels[index::4]
    return bytes(rgb), width, height


def read_ppm(path):
    """Returns the RGB bytes and the size of a binary PPM."""
    data = open(path, "rb").read()
    magic, size, _, body = data.split(b"\n", 3)
    width, height = map(int, size.split())
    return body, width, height


def expected_frame(tool, keys):
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
        path = f.name
    subprocess.run([tool, path, *keys], check=True, capture_output=True)
    frame = read_ppm(path)
    os.unlink(path)
    return frame


def differences(captured, expected):
    """Counts the differing rows of pixels, the countdown field left out."""
    (got, width, height), (want, want_width, want_height) = captured, expected
    if (width, height) != (want_width, want_height):
        return width * height
    count = 0
    x0, x1, y0, y1 = COUNTDOWN
    for y in range(height):
        row = slice(y * width * 3, (y + 1) * width * 3)
        a, b = got[row], want[row]
        if y0 <= y < y1:
            a, b = a[:x0 * 3] + a[x1 * 3:], b[:x0 * 3] + b[x1 * 3:]
        count += a != b
    return count


def fail(what):
    """Ends the test with `what`, the games' standard error included."""
    Game.kill_all()
    sys.exit(f"FAIL: {what}")


class Game:
    """One run of the game in its window, with the keys sent to it so far. Its standard error
    goes to a file, shown when the test ends and quoted when a check fails."""

    running = []  # every game started, so that a failing test leaves none behind
    KEY_DELAY_MS = 15

    def __init__(self, game, expected_tool, timeout=30.0, env=None):
        self.expected_tool = expected_tool
        self.stderr = tempfile.TemporaryFile(mode="w+")
        self.proc = subprocess.Popen([game], stderr=self.stderr, env=env)
        Game.running.append(self)
        self.window = None
        self.keys = []
        self.wait_until("the window appears", self.find_window, timeout)
        sh("xdotool", "windowfocus", "--sync", self.window)

    def find_window(self):
        out = subprocess.run(["xdotool", "search", "--name", "^The Valewarden Saga - v1.0$"],
                             capture_output=True, text=True).stdout.split()
        self.window = out[0] if out else None
        return self.window is not None

    def error_output(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def state(self):
        """What the game is doing, for a failure message."""
        code = self.proc.poll()
        if code is None:
            return f"the game is running on {os.environ.get('DISPLAY')}"
        last = self.error_output().strip().splitlines()[-1:]
        return f"the game exited with code {code}" + (f"; the last line of its standard error: {last[0]!r}" if last else "")

    def wait_until(self, what, check, timeout=20.0, poll=0.02):
        """Polls `check` until it holds; fails the test with `what` and the game's state when
        it never does, or at once when the game has exited."""
        deadline = time.monotonic() + timeout
        while not check():
            if self.proc.poll() is not None or time.monotonic() > deadline:
                fail(f"{what}: {self.state()}")
            time.sleep(poll)

    def press(self, *keys):
        """Sends the keys as real X key presses and releases, in order."""
        sh("xdotool", "key", "--delay", str(Game.KEY_DELAY_MS), *keys)
        self.keys.extend(keys)

    @staticmethod
    def key_names(text):
        return ["space" if c == " " else c for c in text]

    def type(self, text):
        self.press(*Game.key_names(text))

    def command(self, text, what=None):
        """Types a command and Enter, and waits for the screen that follows."""
        self.press(*Game.key_names(text), "Return")
        self.expect_screen(what or text)

    def stacks(self):
        """The stacks of all the game's threads, taken with gdb, so that a game that did not end
        in time shows where it was."""
        try:
            run = subprocess.run(["gdb", "-batch", "-p", str(self.proc.pid), "-ex", "thread apply all bt"],
                                 capture_output=True, text=True, timeout=120)
        except (OSError, subprocess.TimeoutExpired) as error:
            return f"no stacks: {error}"
        start = run.stdout.find("\nThread ")
        if start < 0:
            return f"no stacks: gdb said {run.stderr.strip()!r}"
        return run.stdout[start:].strip()

    @staticmethod
    def kill_all():
        """Ends every game still running, after showing its threads' stacks, and shows what each
        wrote to standard error."""
        for game in Game.running:
            if game.proc.poll() is None:
                sys.stderr.write(f"the game (pid {game.proc.pid}) is still running; its threads:\n{game.stacks()}\n")
                game.proc.kill()
                game.proc.wait()
            output = game.error_output()
            if output:
                sys.stderr.write(output)
        Game.running = []

    def capture(self, timeout=20.0):
        """The window's pixels. An empty or cut-off dump (the window not mapped yet, or the
        server busy) is taken again until `timeout`."""
        deadline = time.monotonic() + timeout
        while True:
            dump = subprocess.run(["xwd", "-id", self.window, "-silent"], capture_output=True)
            image = read_xwd(dump.stdout)
            if image is not None:
                return image
            if self.proc.poll() is not None or time.monotonic() > deadline:
                said = dump.stderr.decode(errors="replace").strip()
                fail(f"no capture of window {self.window} (xwd said {said!r}): {self.state()}")
            time.sleep(0.02)

    def expect_screen(self, what, timeout=30.0):
        expected = expected_frame(self.expected_tool, self.keys)
        wrong = None

        def matches():
            nonlocal wrong
            wrong = differences(self.capture(), expected)
            return wrong == 0

        deadline = time.monotonic() + timeout
        while not matches():
            if self.proc.poll() is not None or time.monotonic() > deadline:
                fail(f"{what}: {wrong} rows of pixels differ from the expected frame; {self.state()}")
            time.sleep(0.02)
        print(f"ok: {what}")

    def expect_exit(self, what, timeout=20.0):
        """The game ends by itself with exit code 0 within `timeout`."""
        try:
            code = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            fail(f"{what}: still running after {timeout:.0f} s")
        if code != 0:
            fail(f"{what}: {self.state()}")
        print(f"ok: {what}")


def ended(game, timeout=30):
    """Waits for the game's end; returns its exit code (None while still running) and the
    lines it wrote to standard error."""
    try:
        code = game.proc.wait(timeout)
    except subprocess.TimeoutExpired:
        sys.stderr.write(f"the game (pid {game.proc.pid}) did not end in {timeout} s; its threads:\n{game.stacks()}\n")
        game.proc.kill()
        game.proc.wait()
        code = None
    return code, game.error_output().splitlines()


def wait_for_value(what, get, wanted, timeout=30.0):
    """Polls `get` until it returns `wanted`; fails with `what` and the last value seen."""
    deadline = time.monotonic() + timeout
    while (seen := get()) != wanted:
        if time.monotonic() > deadline:
            fail(f"{what}: {seen!r} after {timeout:.0f} s, wanted {wanted!r}")
        time.sleep(0.05)
