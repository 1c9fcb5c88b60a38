#!/usr/bin/env python3
"""Builds the 8x16 code page 437 glyph table from Debian's VGA console fonts.

Each byte 0..255 is mapped to the Unicode character code page 437 shows for it,
and its glyph is taken from the first font (most of the set covered first, then name order) whose Unicode table
has that character. No single font covers all 256 characters; together they do.
Writes a C++ source defining `platform::kFontGlyphs[256][16]`.
"""
import glob
import gzip
import struct
import sys

# The picture characters code page 437 shows for the control bytes and 0x7F.
LOW = [0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
       0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
       0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
       0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC]
# Acceptable stand-ins where no font has the usual character.
ALTERNATIVES = {0x25BA: [0x25B6], 0x25C4: [0x25C0], 0x0000: [0x0020]}


def cp437_char(byte):
    if byte < 0x20:
        return LOW[byte]
    if byte == 0x7F:
        return 0x2302
    return ord(bytes([byte]).decode("cp437"))


def read_psf(path):
    """Returns {codepoint: 16-byte glyph} for an 8x16 PSF1 or PSF2 font."""
    data = gzip.open(path).read()
    glyphs, table = [], {}
    if data[:2] == b"\x36\x04":
        mode, height = data[2], data[3]
        count = 512 if mode & 0x01 else 256
        if height != 16:
            return {}
        glyphs = [data[4 + i * 16:4 + (i + 1) * 16] for i in range(count)]
        pos = 4 + count * 16
        if not mode & 0x02:
            return {}
        for index in range(count):
            while True:
                (u,) = struct.unpack_from("<H", data, pos)
                pos += 2
                if u == 0xFFFF:
                    break
                if u == 0xFFFE:  # sequences follow; skip them to the end marker
                    while struct.unpack_from("<H", data, pos)[0] != 0xFFFF:
                        pos += 2
                    continue
                table.setdefault(u, glyphs[index])
        return table
    if data[:4] == b"\x72\xb5\x4a\x86":
        _, header, flags, count, size, height, width = struct.unpack_from("<7I", data, 4)
        if height != 16 or width != 8 or not flags & 0x01:
            return {}
        glyphs = [data[header + i * size:header + (i + 1) * size] for i in range(count)]
        pos = header + count * size
        for index in range(count):
            end = data.index(b"\xff", pos)
            text = data[pos:end].split(b"\xfe")[0]
            for ch in text.decode("utf-8", "replace"):
                table.setdefault(ord(ch), glyphs[index])
            pos = end + 1
        return table
    return {}


def main():
    out_path, font_dir = sys.argv[1], sys.argv[2]
    fonts = [read_psf(p) for p in sorted(glob.glob(font_dir + "/*-VGA16.psf.gz"))]
    # The fonts that cover most of the set first: they draw the pictures
    # (triangles, faces) as the VGA set does, where others substitute arrows.
    fonts.sort(key=lambda f: -sum(1 for b in range(256) if cp437_char(b) in f))
    if not fonts:
        sys.exit(f"no *-VGA16.psf.gz fonts in {font_dir}: install console-setup-linux")
    rows = []
    for byte in range(256):
        wanted = cp437_char(byte)
        glyph = None
        for code in [wanted] + ALTERNATIVES.get(wanted, []):
            glyph = next((f[code] for f in fonts if code in f), None)
            if glyph is not None:
                break
        if glyph is None:
            sys.exit(f"no font has a glyph for byte 0x{byte:02X} (U+{wanted:04X})")
        if byte == 0:
            glyph = bytes(16)
        rows.append("  {" + ", ".join(f"0x{b:02X}" for b in glyph) + f"}},  // 0x{byte:02X}")
    with open(out_path, "w") as out:
        out.write("// Generated at build time from the system's VGA console fonts.\n")
        out.write('#include "font.h"\n\nnamespace platform {\n')
        out.write("const std::uint8_t kFontGlyphs[256][16] = {\n")
        out.write("\n".join(rows))
        out.write("\n};\n}  // namespace platform\n")


if __name__ == "__main__":
    main()
