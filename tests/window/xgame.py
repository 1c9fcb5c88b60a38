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


def start_xvfb():
    """Starts Xvfb on a display it picks itself; returns the process once it accepts connections.
    With -noreset the server stays up between games: a reset when the last client leaves would
    refuse the next game's connection for a moment."""
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        sys.exit("cannot start Xvfb")
    os.environ["DISPLAY"] = f":{number}"
    return proc


def read_xwd(data):
    """Returns the RGB bytes (3 a pixel, rows top to bottom) and the size of an xwd dump."""
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order = fields[0], fields[4], fields[5], fields[7]
    bits_per_pixel, bytes_per_line, red, green, blue, ncolors = (fields[11], fields[12], fields[14], fields[15],
                                                                 fields[16], fields[19])
    if bits_per_pixel != 32:
        sys.exit(f"unexpected xwd format: {bits_per_pixel} bits a pixel")
    start = header_size + ncolors * 12
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


class Game:
    """One run of the game in its window, with the keys sent to it so far."""

    running = []  # every game started, so that a failing test leaves none behind

    def __init__(self, game, expected_tool):
        self.expected_tool = expected_tool
        self.proc = subprocess.Popen([game])
        Game.running.append(self.proc)
        self.window = None
        self.keys = []
        deadline = time.time() + 10
        while time.time() < deadline and not self.window:
            out = subprocess.run(["xdotool", "search", "--name", "^The Valewarden Saga - v1.0$"],
                                 capture_output=True, text=True).stdout.split()
            self.window = out[0] if out else None
            time.sleep(0.05)
        if not self.window:
            sys.exit(f"FAIL: the window did not appear on {os.environ.get('DISPLAY')}")
        sh("xdotool", "windowfocus", "--sync", self.window)

    def wait_until(self, what, check, timeout=5.0):
        """Polls `check` until it holds; fails the test with `what` when it never does."""
        deadline = time.time() + timeout
        while not check():
            if time.time() > deadline:
                sys.exit(f"FAIL: {what}")
            time.sleep(0.05)

    def press(self, *keys):
        for key in keys:
            sh("xdotool", "key", "--delay", "40", key)
            self.keys.append(key)
            time.sleep(0.06)

    def type(self, text):
        self.press(*["space" if c == " " else c for c in text])

    def command(self, text, what=None):
        """Types a command and Enter, and waits for the screen that follows."""
        self.type(text)
        self.press("Return")
        self.expect_screen(what or text)

    @staticmethod
    def kill_all():
        for proc in Game.running:
            if proc.poll() is None:
                proc.kill()
                proc.wait()

    def capture(self):
        return read_xwd(subprocess.run(["xwd", "-id", self.window, "-silent"], capture_output=True).stdout)

    def expect_screen(self, what, timeout=5.0):
        expected = expected_frame(self.expected_tool, self.keys)
        deadline = time.time() + timeout
        while True:
            captured = self.capture()
            wrong = differences(captured, expected)
            if wrong == 0:
                print(f"ok: {what}")
                return captured
            if time.time() > deadline:
                sys.exit(f"FAIL: {what}: {wrong} rows of pixels differ from the expected frame")
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


