#!/usr/bin/env python3
"""Draw Orvanto's icons from the ASCII art in this file and write them as .ico.

    python3 tools/make_icons.py OUTDIR          write the icons into OUTDIR
    python3 tools/make_icons.py --check DIR     exit 1 unless the icons in DIR
                                                are byte-identical to ours

Every .ico holds two images, 32x32 then 16x16, as 4-bit DIBs using the
standard 16-colour VGA palette plus a 1-bit transparency mask.  That is the
oldest icon format there is, so LoadImage/LoadIcon accept it everywhere.

Art legend: one character per pixel, '.' is transparent.  Upper case is the
bright colour, lower case its half-intensity partner; greys are K d s W.
"""

import struct
import sys
from pathlib import Path

# The standard Windows 16-colour palette, in its usual index order.
PALETTE = [
    (0, 0, 0),        # 0  black
    (128, 0, 0),      # 1  dark red
    (0, 128, 0),      # 2  dark green
    (128, 128, 0),    # 3  olive
    (0, 0, 128),      # 4  navy
    (128, 0, 128),    # 5  purple
    (0, 128, 128),    # 6  teal
    (192, 192, 192),  # 7  silver
    (128, 128, 128),  # 8  grey
    (255, 0, 0),      # 9  red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 fuchsia
    (0, 255, 255),    # 14 aqua
    (255, 255, 255),  # 15 white
]

LEGEND = {
    'K': 0,  'r': 1,  'g': 2,  'y': 3,  'b': 4,  'm': 5,  'c': 6,  's': 7,
    'd': 8,  'R': 9,  'G': 10, 'Y': 11, 'B': 12, 'M': 13, 'C': 14, 'W': 15,
}
TRANSPARENT = '.'

# --- the program icon --------------------------------------------------------
# A raised panel carrying a little line chart: dotted axes (five dots up,
# six across, sharing the corner) and a thick zig-zag with a white top edge
# rising to the right.  The 16x16 one is drawn separately; a shrunken 32x32
# turns to mush.
ORVANTO_32 = """
................................
.KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.
.KWWWWWWWWWWWWWWWWWWWWWWWWWWWdK.
.KWssssssssssssssssssssssssssdK.
.KWsssssssssssssssssssssssWWsdK.
.KWssssssssssssssssssssssWKKsdK.
.KWssssssssssssssssssssssKKssdK.
.KWsssssssssssssssssssssWKKssdK.
.KWsssKKssssssssssssssssKKsssdK.
.KWsssKKsssssssssssssssWKKsssdK.
.KWssssssssssssssssssssKKssssdK.
.KWssssssssssssWWsssssWKKssssdK.
.KWsssKKssssssWKKWsssWKKsssssdK.
.KWsssKKssssssKKKKWssKKssssssdK.
.KWssssssssssWKKsKKsWKKssssssdK.
.KWssssssssssKKssKKWKKsssssssdK.
.KWsssKKssssWKKsssKKKKsssssssdK.
.KWsssKKssssKKsssssKKssssssssdK.
.KWssssssssWKKsssssssssssssssdK.
.KWssssssssKKssssssssssssssssdK.
.KWsssKKssWKKssssssssssssssssdK.
.KWsssKKssKKsssssssssssssssssdK.
.KWssssssssssssssssssssssssssdK.
.KWssssssssssssssssssssssssssdK.
.KWsssKKssKKssKKssKKssKKssKKsdK.
.KWsssKKssKKssKKssKKssKKssKKsdK.
.KWssssssssssssssssssssssssssdK.
.KWssssssssssssssssssssssssssdK.
.KWssssssssssssssssssssssssssdK.
.KddddddddddddddddddddddddddddK.
.KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.
................................
"""

ORVANTO_16 = """
KKKKKKKKKKKKKKKK
KWWWWWWWWWWWWWdK
KWssssssssssssdK
KWssssssssssWsdK
KWsKssssssssKsdK
KWsssssWWssWKsdK
KWsKsssKKWsKssdK
KWssssWKsKWKssdK
KWsKssKsssKsssdK
KWsssWKsssssssdK
KWsKsKssssssssdK
KWssssssssssssdK
KWsKsKsKsKsKsKdK
KWssssssssssssdK
KddddddddddddddK
KKKKKKKKKKKKKKKK
"""

# --- language flags -----------------------------------------------------------
# German: black, red, gold (the palette's yellow) in a black frame.  The top
# stripe is black too, so it simply merges with the frame.
FLAG_DE_32 = """
................................
................................
................................
................................
................................
................................
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
................................
................................
................................
................................
................................
................................
"""

FLAG_DE_16 = """
................
................
................
KKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKK
KKKKKKKKKKKKKKKK
KRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRK
KYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYK
KYYYYYYYYYYYYYYK
KKKKKKKKKKKKKKKK
................
................
"""

# Union Jack on navy; plain blue glares next to the red at 16x16.  The red
# diagonals are offset the way the real flag has them (the broad white above
# the red on the hoist side), so it only matches itself turned upside down,
# never mirrored.
FLAG_EN_32 = """
................................
................................
................................
................................
................................
................................
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
KRWWWbbbbbbbbWRRRRWbbbbbbbbWRRWK
KRRWWWWbbbbbbWRRRRWbbbbbbWRRWWWK
KbWRRWWWWbbbbWRRRRWbbbbWWRRWWWbK
KbbWWRRWWWbbbWRRRRWbbbWRRWWWWbbK
KbbbbWRRWWWWbWRRRRWbWRRWWWWbbbbK
KbbbbbbWRRWWWWRRRRWWRRWWWbbbbbbK
KWWWWWWWWWWWWWRRRRWWWWWWWWWWWWWK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK
KWWWWWWWWWWWWWRRRRWWWWWWWWWWWWWK
KbbbbbbWWWRRWWRRRRWWWWRRWbbbbbbK
KbbbbWWWWRRWbWRRRRWbWWWWRRWbbbbK
KbbWWWWRRWbbbWRRRRWbbbWWWRRWWbbK
KbWWWRRWWbbbbWRRRRWbbbbWWWWRRWbK
KWWWRRWbbbbbbWRRRRWbbbbbbWWWWRRK
KWRRWbbbbbbbbWRRRRWbbbbbbbbWWWRK
KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK
................................
................................
................................
................................
................................
................................
"""

# Each quadrant is only 5x3 pixels here, so a diagonal is one red pixel beside
# one of white per row; anything thicker would swallow the blue.
FLAG_EN_16 = """
................
................
................
KKKKKKKKKKKKKKKK
KRWbbbWRRWbbbRWK
KbRRWbWRRWbRRWbK
KbbbRWWRRWRWbbbK
KWWWWWWRRWWWWWWK
KRRRRRRRRRRRRRRK
KWWWWWWRRWWWWWWK
KbbbWRWRRWWRbbbK
KbWRRbWRRWbWRRbK
KWRbbbWRRWbbbWRK
KKKKKKKKKKKKKKKK
................
................
"""

# Both flags sit in the same band, so they line up with each other and with
# text drawn next to them.  (first row, last row) of the outlined band:
FLAG_BAND = {32: (6, 25), 16: (3, 13)}

# --- folders ------------------------------------------------------------------
# Shown at small-icon size beside directory names, so the 16x16 pair is drawn
# for that size rather than shrunk: a manila folder with its tab at the top
# left, white light from the top left, olive shade at the right and bottom.
# Opened, the front flap leans out to the right and shows the pale inside of
# the back; both keep the same back and tab so they read as one folder.
FOLDER_CLOSED_32 = """
................................
................................
................................
................................
...KKKKKKKKK....................
..KWWWWWWWWWK...................
.KWYYYYYYYYYYKKKKKKKKKKKKKKKKK..
.KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KWYYYYYYYYYYYYYYYYYYYYYYYYYYyK.
.KyyyyyyyyyyyyyyyyyyyyyyyyyyyyK.
.KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.
................................
................................
................................
................................
"""

FOLDER_CLOSED_16 = """
................
................
.KKKKK..........
KWYYYYK.........
KWYYYYYKKKKKKK..
KWWWWWWWWWWWWWK.
KWYYYYYYYYYYYyK.
KWYYYYYYYYYYYyK.
KWYYYYYYYYYYYyK.
KWYYYYYYYYYYYyK.
KWYYYYYYYYYYYyK.
KWYYYYYYYYYYYyK.
KyyyyyyyyyyyyyK.
KKKKKKKKKKKKKKK.
................
................
"""

FOLDER_OPEN_32 = """
................................
................................
................................
................................
...KKKKKKKKK....................
..KWWWWWWWWWK...................
.KWYYYYYYYYYYKKKKKKKKKKKKKKK....
.KWYYYYYYYYYYYYYYYYYYYYYYYYYK...
.KYWWWWWWWWWWWWWWWWWWWWWWWWYK...
.KYWWWWWWWWWWWWWWWWWWWWWWWWYK...
.KYWWWWWWWWWWWWWWWWWWWWWWWWYK...
.KYWWWWWWWWWWWWWWWWWWWWWWWWYK...
.KYWWWKKKKKKKKKKKKKKKKKKKKKKKKK.
.KYWWWKWYYYYYYYYYYYYYYYYYYYYYyK.
.KYWWWKWYYYYYYYYYYYYYYYYYYYYYyK.
.KYWWKWYYYYYYYYYYYYYYYYYYYYYyK..
.KYWWKWYYYYYYYYYYYYYYYYYYYYYyK..
.KYWWKWYYYYYYYYYYYYYYYYYYYYYyK..
.KYWKWYYYYYYYYYYYYYYYYYYYYYyK...
.KYWKWYYYYYYYYYYYYYYYYYYYYYyK...
.KYWKWYYYYYYYYYYYYYYYYYYYYYyK...
.KYKWYYYYYYYYYYYYYYYYYYYYYyK....
.KYKWYYYYYYYYYYYYYYYYYYYYYyK....
.KYKWYYYYYYYYYYYYYYYYYYYYYyK....
.KKWYYYYYYYYYYYYYYYYYYYYYyK.....
.KKWYYYYYYYYYYYYYYYYYYYYYyK.....
.KKyyyyyyyyyyyyyyyyyyyyyyyK.....
.KKKKKKKKKKKKKKKKKKKKKKKKK......
................................
................................
................................
................................
"""

FOLDER_OPEN_16 = """
................
................
.KKKKK..........
KWYYYYK.........
KWYYYYYKKKKK....
KYWWWWWWWWWWK...
KYWWWWWWWWWWK...
KYWKKKKKKKKKKKKK
KYWKWYYYYYYYYYyK
KYKWYYYYYYYYYyK.
KYKWYYYYYYYYYyK.
KKWYYYYYYYYYyK..
KKyyyyyyyyyyyK..
KKKKKKKKKKKKK...
................
................
"""

ICONS = {
    'orvanto.ico': (ORVANTO_32, ORVANTO_16),
    'flag_de.ico': (FLAG_DE_32, FLAG_DE_16),
    'flag_en.ico': (FLAG_EN_32, FLAG_EN_16),
    'folder_closed.ico': (FOLDER_CLOSED_32, FOLDER_CLOSED_16),
    'folder_open.ico': (FOLDER_OPEN_32, FOLDER_OPEN_16),
}


def parse_art(text, size):
    rows = text.split()
    assert len(rows) == size, f'{len(rows)} rows, want {size}'
    for y, row in enumerate(rows):
        assert len(row) == size, f'row {y} is {len(row)} wide, want {size}'
        bad = set(row) - set(LEGEND) - {TRANSPARENT}
        assert not bad, f'row {y}: unknown characters {sorted(bad)}'
    return rows


# --- .ico encoding ----------------------------------------------------------

def row_stride(width, bits):
    # DIB rows are padded to a multiple of four bytes.
    return (width * bits + 31) // 32 * 4


def encode_dib(rows):
    n = len(rows)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        # Transparent pixels get colour 0 so they vanish when the mask is
        # applied (AND with 1 keeps the screen, XOR with 0 leaves it alone).
        idx = [LEGEND.get(c, 0) for c in row]
        line = bytearray(idx[x] << 4 | idx[x + 1] for x in range(0, n, 2))
        xor += line.ljust(row_stride(n, 4), b'\0')
        bits = bytearray(row_stride(n, 1))
        for x, c in enumerate(row):
            if c == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack(
        '<IiiHHIIiiII',
        40,                     # biSize
        n, 2 * n,               # biWidth, biHeight (colour + mask)
        1, 4,                   # biPlanes, biBitCount
        0,                      # BI_RGB
        len(xor) + len(mask),   # biSizeImage
        0, 0,                   # resolution, unused for icons
        0, 0,                   # biClrUsed (0 = all 16), biClrImportant
    )
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def encode_ico(arts):
    dibs = [encode_dib(rows) for rows in arts]
    out = struct.pack('<HHH', 0, 1, len(dibs))  # reserved, type 1 = icon, count
    offset = len(out) + 16 * len(dibs)
    for rows, dib in zip(arts, dibs):
        n = len(rows)
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(dib), offset)
        offset += len(dib)
    return out + b''.join(dibs)


def build():
    """Return {file name: .ico bytes}."""
    return {name: encode_ico([parse_art(art32, 32), parse_art(art16, 16)])
            for name, (art32, art16) in ICONS.items()}


def main(argv):
    if len(argv) == 1 and not argv[0].startswith('-'):
        out = Path(argv[0])
        out.mkdir(parents=True, exist_ok=True)
        for name, data in build().items():
            (out / name).write_bytes(data)
        return 0
    if len(argv) == 2 and argv[0] == '--check':
        bad = []
        for name, data in build().items():
            path = Path(argv[1]) / name
            if not path.is_file():
                bad.append(f'{path}: missing')
            elif path.read_bytes() != data:
                bad.append(f'{path}: differs from what {Path(__file__).name} makes')
        for line in bad:
            print(line)
        return 1 if bad else 0
    print('usage:\n' + __doc__.split('\n\n')[1], file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
