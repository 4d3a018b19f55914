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


# --- sanity checks on the pictures themselves -------------------------------

def check_panel(rows):
    """Raised silver panel: black outline, white top/left, grey bottom/right."""
    n = len(rows)
    m = 0
    while set(rows[m]) == {TRANSPARENT}:
        m += 1
    lo, hi = m, n - 1 - m
    for y in range(n):
        for x in range(n):
            inside = lo <= x <= hi and lo <= y <= hi
            assert (rows[y][x] != TRANSPARENT) == inside, f'mask at {x},{y}'
    for i in range(lo, hi + 1):
        assert rows[lo][i] == rows[hi][i] == rows[i][lo] == rows[i][hi] == 'K'
    for i in range(lo + 1, hi - 1):
        assert rows[lo + 1][i] == rows[i][lo + 1] == 'W', f'highlight at {i}'
    for i in range(lo + 1, hi):
        assert rows[hi - 1][i] == rows[i][hi - 1] == 'd', f'shadow at {i}'
    face = {rows[y][x] for y in range(lo + 2, hi - 1) for x in range(lo + 2, hi - 1)}
    assert face <= {'s', 'K', 'W'}, f'unexpected colours on the panel: {face}'


def check_band(rows):
    """Transparent outside the band, a one-pixel black frame around it.

    Returns the pixels inside the frame."""
    n = len(rows)
    top, bottom = FLAG_BAND[n]
    for y in range(n):
        if top <= y <= bottom:
            assert TRANSPARENT not in rows[y], f'hole in band row {y}'
        else:
            assert set(rows[y]) == {TRANSPARENT}, f'row {y} should be empty'
    assert rows[top] == rows[bottom] == 'K' * n
    for y in range(top, bottom + 1):
        assert rows[y][0] == rows[y][-1] == 'K', f'frame side at row {y}'
    return [row[1:-1] for row in rows[top + 1:bottom]]


def check_german(rows):
    inner = check_band(rows)
    for y, row in enumerate(inner):
        assert len(set(row)) == 1, f'stripe row {y} is not one colour'
    stripes = [row[0] for row in inner]
    colours = [c for i, c in enumerate(stripes) if i == 0 or c != stripes[i - 1]]
    assert colours == ['K', 'R', 'Y'], colours
    heights = [stripes.count(c) for c in colours]
    assert max(heights) - min(heights) <= 1, f'uneven stripes {heights}'
    # The black stripe may merge with the frame, but red and yellow must
    # start right inside it, or the frame would be thicker than one pixel.
    assert stripes[-1] == 'Y'


def check_union_jack(rows):
    inner = check_band(rows)
    h, w = len(inner), len(inner[0])
    colours = {c for row in inner for c in row}
    assert colours == {'b', 'W', 'R'}, f'colours {colours}'  # no black: 1px frame
    # The flag looks the same turned upside down.
    assert inner == [row[::-1] for row in reversed(inner)], 'not point-symmetric'
    # Red upright cross through the middle...
    mid_cols = {(w - 1) // 2, w // 2}
    mid_rows = {(h - 1) // 2, h // 2}
    for x in mid_cols:
        assert all(row[x] == 'R' for row in inner), f'column {x} not red'
    for y in mid_rows:
        assert set(inner[y]) == {'R'}, f'row {y} not red'
    # ...with a white border on every side.
    for y in range(h):
        if set(inner[y]) == {'R'}:
            continue
        x = min(mid_cols)
        while inner[y][x] == 'R':
            x -= 1
        assert inner[y][x] == 'W', f'no white left of the cross in row {y}'
        x = max(mid_cols)
        while inner[y][x] == 'R':
            x += 1
        assert inner[y][x] == 'W', f'no white right of the cross in row {y}'
    for x in range(w):
        if all(row[x] == 'R' for row in inner):
            continue
        y = min(mid_rows)
        while inner[y][x] == 'R':
            y -= 1
        assert inner[y][x] == 'W', f'no white above the cross in column {x}'
        y = max(mid_rows)
        while inner[y][x] == 'R':
            y += 1
        assert inner[y][x] == 'W', f'no white below the cross in column {x}'
    # Counterchanged diagonals: in the upper quadrants (above and beside the
    # cross's white border) the broad white lies above the red on the hoist
    # side and below it on the fly side.  Symmetry covers the lower half.
    quad_h = next(y for y in range(h) if set(inner[y]) <= {'W', 'R'})
    quad_w = next(x for x in range(w) if {row[x] for row in inner} <= {'W', 'R'})
    for xs, broad_above in ((range(quad_w), True), (range(w - quad_w, w), False)):
        above = below = 0
        for x in xs:
            col = [inner[y][x] for y in range(quad_h)]
            reds = [y for y, c in enumerate(col) if c == 'R']
            if reds:
                above += col[:reds[0]].count('W')
                below += col[reds[-1] + 1:].count('W')
        side = 'hoist' if broad_above else 'fly'
        assert (above > below) == broad_above, f'red diagonal on the wrong side ({side})'


FOLDER_COLOURS = {'K', 'W', 'Y', 'y'}


def opaque_span(row):
    xs = [x for x, c in enumerate(row) if c != TRANSPARENT]
    return (xs[0], xs[-1]) if xs else None


def check_folder(rows):
    """What both folders share: a yellow shape in a black outline, with room
    above and below it and a tab at the top left.

    Returns (top of the tab, top of the back, bottom) as row numbers; the back
    starts at the first row that reaches the right half."""
    n = len(rows)
    colours = {c for row in rows for c in row} - {TRANSPARENT}
    assert colours <= FOLDER_COLOURS, f'unexpected colours {colours - FOLDER_COLOURS}'
    counts = {c: sum(row.count(c) for row in rows) for c in colours - {'K'}}
    assert max(counts, key=counts.get) == 'Y', f'not mostly yellow: {counts}'
    assert set(rows[0]) == set(rows[-1]) == {TRANSPARENT}, 'touches the top or bottom'
    # One piece, no holes: every transparent pixel is open to the border, and
    # every opaque one reaches every other.
    def reach(start, want):
        seen, todo = set(start), list(start)
        while todo:
            x, y = todo.pop()
            for p in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                inside = 0 <= p[0] < n and 0 <= p[1] < n
                if p not in seen and inside and want(rows[p[1]][p[0]]):
                    seen.add(p)
                    todo.append(p)
        return seen
    clear = {(x, y) for y in range(n) for x in range(n) if rows[y][x] == TRANSPARENT}
    border = [(x, y) for x, y in clear if x in (0, n - 1) or y in (0, n - 1)]
    assert reach(border, lambda c: c == TRANSPARENT) == clear, 'hole in the folder'
    solid = {(x, y) for y in range(n) for x in range(n)} - clear
    assert reach([min(solid)], lambda c: c != TRANSPARENT) == solid, 'stray pixels'
    for x, y in solid:
        edge = [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
        if any(p in clear or not (0 <= p[0] < n and 0 <= p[1] < n) for p in edge):
            assert rows[y][x] == 'K', f'outline not black at {x},{y}'
    spans = [opaque_span(row) for row in rows]
    top = next(y for y in range(n) if spans[y])
    bottom = max(y for y in range(n) if spans[y])
    back = next(y for y in range(n) if spans[y] and spans[y][1] >= n // 2)
    left = spans[bottom][0]
    assert back > top + 1, 'no tab above the back'
    for y in range(top, back):
        l, r = spans[y]
        assert left <= l <= left + n // 8, f'tab row {y} starts at {l}'
        assert r - l + 1 >= n // 4, f'tab row {y} is only {l}..{r}'
    for y in range(back, bottom + 1):
        assert spans[y][0] == left, f'left side not straight at row {y}'
    shade = set(rows[bottom - 1]) - {TRANSPARENT, 'K'}
    assert shade == {'y'}, 'bottom not shaded'
    return top, back, bottom


def check_closed_folder(rows):
    top, back, bottom = check_folder(rows)
    left, right = opaque_span(rows[bottom])
    # Below the tab it is a plain box, its top right corner maybe rounded...
    assert right - opaque_span(rows[back])[1] <= 1, 'back narrower than the front'
    for y in range(back + 1, bottom + 1):
        assert opaque_span(rows[y]) == (left, right), f'row {y} sticks out'
    # ...and one closed face: no flap edge across it, lit from the top left.
    face = [row[left + 1:right] for row in rows[back + 1:bottom]]
    assert all('K' not in row for row in face), 'black line across the front'
    assert set(face[0]) == {'W'}, 'front has no lit top edge'
    assert {row[0] for row in face[1:-1]} == {'W'}, 'front has no lit left edge'
    assert {row[-1] for row in face[1:]} == {'y'}, 'front has no shaded right edge'


def check_open_folder(rows):
    top, back, bottom = check_folder(rows)
    n = len(rows)
    left = opaque_span(rows[bottom])[0]
    rights = {y: opaque_span(rows[y])[1] for y in range(back, bottom + 1)}
    flap = max(rights, key=lambda y: (rights[y], -y))  # the flap's top edge
    assert flap > back + 1, 'nothing of the inside shows above the flap'
    assert rights[flap] > rights[back], 'flap does not lean out past the back'
    edge = rows[flap][:rights[flap] + 1]
    assert edge.endswith('K' * (n // 2)), 'flap has no black top edge'
    # The flap is tilted: both its sides slope down to the left.
    def flap_left(y):
        return rows[y].index('K', left + 1)
    for y in range(flap, bottom):
        assert rights[y + 1] <= rights[y], f'flap right side bends at row {y}'
        assert flap_left(y + 1) <= flap_left(y), f'flap left side bends at row {y}'
    assert rights[flap] - rights[bottom] >= n // 8, 'flap right side barely tilted'
    assert flap_left(flap) - flap_left(bottom) >= n // 8, 'flap left side barely tilted'
    # Pale inside above the flap, yellow flap below it, so the two stand apart.
    inside = [c for row in rows[back + 1:flap] for c in row
              if c not in ('K', TRANSPARENT)]
    assert inside.count('W') * 2 > len(inside), 'inside not pale'
    face = ''.join(rows[y][flap_left(y) + 1:rights[y]]
                   for y in range(flap + 1, bottom))
    assert face.count('Y') * 2 > len(face), 'flap not yellow'


def check_folder_pair(closed, opened):
    """The two must read as one folder, shut and open, at a glance."""
    n = len(closed)
    top, back, bottom = check_folder(closed)
    assert check_folder(opened) == (top, back, bottom), 'folders not the same height'
    assert closed[:back] == opened[:back], 'tabs differ'
    shape = sum((a == TRANSPARENT) != (b == TRANSPARENT)
                for ra, rb in zip(closed, opened) for a, b in zip(ra, rb))
    assert shape >= n // 2, f'outlines differ in only {shape} pixels'
    paint = sum(a != b for ra, rb in zip(closed, opened) for a, b in zip(ra, rb))
    assert paint >= n * n // 8, f'pictures differ in only {paint} pixels'

PICTURE_CHECKS = {
    'orvanto.ico': check_panel,
    'flag_de.ico': check_german,
    'flag_en.ico': check_union_jack,
    'folder_closed.ico': check_closed_folder,
    'folder_open.ico': check_open_folder,
}

# Checks that need two pictures of the same size side by side.
PAIR_CHECKS = [
    ('folder_closed.ico', 'folder_open.ico', check_folder_pair),
]


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


def decode_ico(data):
    """Read back what encode_ico writes; returns a list of art row lists."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    assert (reserved, kind) == (0, 1)
    index_to_char = {v: k for k, v in LEGEND.items()}
    images = []
    for i in range(count):
        w, h, ncol, _, planes, bpp, size, offset = struct.unpack_from(
            '<BBBBHHII', data, 6 + 16 * i)
        assert (ncol, planes, bpp) == (16, 1, 4) and w == h
        assert offset + size <= len(data)
        hdr = struct.unpack_from('<IiiHHIIiiII', data, offset)
        assert hdr[:6] == (40, w, 2 * h, 1, 4, 0), hdr
        pal = data[offset + 40:offset + 40 + 64]
        assert pal == b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
        xs, ms = row_stride(w, 4), row_stride(w, 1)
        assert size == 40 + 64 + h * (xs + ms)
        xor_at = offset + 40 + 64
        mask_at = xor_at + h * xs
        rows = []
        for y in range(h):
            src = h - 1 - y
            line = ''
            for x in range(w):
                byte = data[xor_at + src * xs + x // 2]
                colour = byte >> 4 if x % 2 == 0 else byte & 15
                hidden = data[mask_at + src * ms + x // 8] & (0x80 >> (x % 8))
                if hidden:
                    assert colour == 0, f'colour under transparent pixel {x},{y}'
                    line += TRANSPARENT
                else:
                    line += index_to_char[colour]
            rows.append(line)
        images.append(rows)
    return images


def build():
    """Return {file name: .ico bytes}, checking every picture on the way."""
    files = {}
    drawn = {}
    for name, (art32, art16) in ICONS.items():
        arts = [parse_art(art32, 32), parse_art(art16, 16)]
        for rows in arts:
            try:
                PICTURE_CHECKS[name](rows)
            except AssertionError as e:
                raise SystemExit(f'{name} {len(rows)}x{len(rows)}: {e}')
        data = encode_ico(arts)
        assert decode_ico(data) == arts, f'{name} does not read back'
        files[name] = data
        drawn[name] = arts
    for first, second, check in PAIR_CHECKS:
        for a, b in zip(drawn[first], drawn[second]):
            try:
                check(a, b)
            except AssertionError as e:
                raise SystemExit(f'{first} and {second} {len(a)}x{len(a)}: {e}')
    return files


def main(argv):
    if not __debug__:
        return 'the picture checks are asserts; run without -O'
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
