#!/usr/bin/env python3
"""Records the key and text events SDL delivers for a list of key strokes under each
keyboard layout, and writes them as tests/data/key_events_LAYOUT.txt.

Starts its own Xvfb, sets the layout with setxkbmap, runs the key_recorder tool and sends
real X key events with xdotool. Keys are given by X key code (the physical key), so a
case presses the same keys under every layout; "sleep S" pauses between strokes.

Usage: record_keys.py KEY_RECORDER OUT_DIR
"""
import os
import subprocess
import sys
import threading
import time

# (case name, xdotool arguments). X key codes: 38 A, 24 Q, 26 E, 10 1, 11 2, 20 minus,
# 22 BackSpace, 23 Tab, 36 Return, 65 space, 50 Shift_L, 37 Control_L, 64 Alt_L,
# 108 the right Alt (AltGr), 66 Caps_Lock, 77 Num_Lock, 78 Scroll_Lock, 107 Print,
# 127 Pause, 133/134 the Windows keys, 135 Menu, 67 F1, 70 F4, 111 Up, 113 Left, 119 Delete;
# 48 the key two right of L (German Ä, French Ù: a dead circumflex with AltGr);
# the keypad: 79 7, 80 8, 81 9, 82 minus, 83 4, 84 5, 85 6, 86 plus, 87 1, 88 2, 89 3,
# 90 0, 91 point, 104 Enter, 106 slash, 63 asterisk.
COMMON = [
    ("letter", "key 38"),
    ("shift letter", "keydown 50 key 38 keyup 50"),
    ("ctrl letter", "keydown 37 key 38 keyup 37"),
    ("ctrl letter, ctrl released first", "keydown 37 keydown 38 keyup 37 keyup 38"),
    ("ctrl shift letter", "keydown 37 keydown 50 key 38 keyup 50 keyup 37"),
    ("enter", "key 36"),
    ("ctrl enter", "keydown 37 key 36 keyup 37"),
    ("backspace", "key 22"),
    ("ctrl backspace", "keydown 37 key 22 keyup 37"),
    ("tab", "key 23"),
    ("ctrl tab", "keydown 37 key 23 keyup 37"),
    ("ctrl digit", "keydown 37 key 10 keyup 37"),
    ("ctrl punctuation", "keydown 37 key 20 keyup 37"),
    ("escape", "key Escape"),
    ("space", "key 65"),
    ("keypad num lock off", "key 79 80 84 87 90 91"),
    ("keypad operators", "key 106 63 82 86 104"),
    ("keypad num lock on", "key 77 79 80 84 87 90 91 77"),
    ("shift keypad num lock off", "keydown 50 key 87 keyup 50"),
    ("shift keypad num lock on", "key 77 keydown 50 key 87 keyup 50 key 77"),
    ("ctrl keypad", "keydown 37 key 87 84 keyup 37"),
    ("caps lock", "key 66 38 66"),
    ("scroll lock", "key 78 78"),
    ("print screen", "key 107"),
    ("ctrl print screen", "keydown 37 key 107 keyup 37"),
    ("windows and menu keys", "key 133 134 135"),
    ("function key", "key 67"),
    ("ctrl function key", "keydown 37 key 67 keyup 37"),
    ("navigation keys", "key 111 113 119"),
    ("ctrl navigation keys", "keydown 37 key 113 119 keyup 37"),
    ("alt f4", "keydown 64 key 70 keyup 64"),
    ("pause", "key 127"),
    ("ctrl pause", "keydown 37 key 127 keyup 37"),
    ("auto-repeat", "keydown 38 sleep 1.0 keyup 38"),
    ("alt letter", "keydown 64 key 38 keyup 64"),
    ("altgr, the key two right of l, then e", "keydown 108 key 48 keyup 108 key 26"),
]
LAYOUTS = {
    "us": COMMON + [
        ("shift digit", "keydown 50 key 10 keyup 50"),
        ("102nd key", "key 94"),
    ],
    "de": COMMON + [
        ("sharp s", "key 20"),
        ("umlauts", "key 48 47 34"),
        ("shift umlaut", "keydown 50 key 48 keyup 50"),
        ("section sign", "keydown 50 key 12 keyup 50"),
        ("degree sign", "keydown 50 key 49 keyup 50"),
        ("altgr e (euro)", "keydown 108 key 26 keyup 108"),
        ("altgr q (at)", "keydown 108 key 24 keyup 108"),
        ("altgr m (micro)", "keydown 108 key 58 keyup 108"),
        ("dead circumflex then e", "key 49 26"),
        ("dead acute then e", "key 21 26"),
        ("dead circumflex then space", "key 49 65"),
        ("ctrl z (the key right of t)", "keydown 37 key 29 keyup 37"),
        ("102nd key", "key 94"),
        ("dead circumflex then ctrl z", "key 49 keydown 37 key 29 keyup 37"),
        ("dead circumflex alone", "key 49"),
    ],
    "fr": COMMON + [
        ("e acute", "key 11"),
        ("e grave, c cedilla, a grave", "key 16 18 19"),
        ("u grave", "key 48"),
        ("pound sign", "keydown 50 key 35 keyup 50"),
        ("superscript two", "key 49"),
        ("micro sign", "keydown 50 key 51 keyup 50"),
        ("section sign", "keydown 50 key 61 keyup 50"),
        ("altgr e (euro)", "keydown 108 key 26 keyup 108"),
        ("dead circumflex then e", "key 34 26"),
        ("dead circumflex then e, overlapping", "keydown 34 keydown 26 keyup 34 keyup 26"),
        ("dead diaeresis then e", "keydown 50 key 34 keyup 50 key 26"),
        ("dead circumflex then space", "key 34 65"),
        ("dead circumflex then b (no composition)", "key 34 56"),
        ("dead circumflex alone", "key 34"),
        ("shift digit", "keydown 50 key 10 keyup 50"),
    ],
}


class Recorder:
    """The key_recorder process and the lines it has printed so far."""

    def __init__(self, tool):
        self.proc = subprocess.Popen([tool], stdout=subprocess.PIPE, text=True)
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            with self.lock:
                self.lines.append(line.rstrip("\n"))

    def take_when_quiet(self, quiet=0.5, timeout=10.0):
        """The lines printed since the last call, once none has come for `quiet` seconds."""
        deadline = time.time() + timeout
        seen, since = -1, time.time()
        while time.time() < deadline:
            with self.lock:
                count = len(self.lines)
            if count != seen:
                seen, since = count, time.time()
            elif time.time() - since >= quiet:
                break
            time.sleep(0.05)
        with self.lock:
            lines, self.lines = self.lines, []
        return lines


def xdotool(arguments):
    """Runs the xdotool commands of one case, honouring its "sleep S" pauses."""
    words = arguments.split()
    while words:
        at = words.index("sleep") if "sleep" in words else len(words)
        if at > 0:
            subprocess.run(["xdotool", *words[:at]], check=True)
        if at < len(words):
            time.sleep(float(words[at + 1]))
        words = words[at + 2:]


def record(layout, cases, tool, out_dir):
    subprocess.run(["setxkbmap", layout], check=True)
    recorder = Recorder(tool)
    window = None
    deadline = time.time() + 10
    while not window and time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--name", "^key recorder$"], capture_output=True, text=True)
        window = found.stdout.split()[0] if found.stdout.split() else None
        time.sleep(0.05)
    if not window:
        sys.exit("the recorder's window did not appear")
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    recorder.take_when_quiet()
    blocks = []
    for name, arguments in cases:
        xdotool(arguments)
        lines = recorder.take_when_quiet()
        blocks.append(f"== {name}\n# xdotool {arguments}\n" + "".join(line + "\n" for line in lines))
    recorder.proc.terminate()
    recorder.proc.wait()
    path = os.path.join(out_dir, f"key_events_{layout}.txt")
    with open(path, "w", encoding="utf-8") as out:
        out.write(f"# The key and text events SDL {sdl_version()} delivered under Xvfb with `setxkbmap {layout}`,\n"
                  "# recorded by tools/record_keys.py (key_recorder driven by xdotool key codes).\n"
                  "# down/up USAGE SYMBOL MODIFIERS [repeat] # key name; text \"UTF-8\".\n\n")
        out.write("\n".join(blocks))
    print(f"wrote {path}")


def sdl_version():
    found = subprocess.run(["pkg-config", "--modversion", "sdl2"], capture_output=True, text=True)
    return found.stdout.strip() or "2"


def main():
    tool, out_dir = sys.argv[1:3]
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        os.environ["DISPLAY"] = ":" + numbers.readline().strip()
    os.environ.setdefault("LANG", "C.UTF-8")  # the compose table that dead keys use
    try:
        for layout, cases in LAYOUTS.items():
            record(layout, cases, tool, out_dir)
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    main()
