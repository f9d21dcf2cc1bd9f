"""Compares a picture drawn at scale 2 with the same picture at scale 1.

    scale_two_check.py SCALE1.png SCALE2.png NAME MIN_LINE_PIXELS [text]

Checks, and prints what it counted:
- the scale-2 picture is twice as large;
- lines are exactly doubled: every pixel of a thin black line (a
  horizontal or vertical run of at least 8 pixels, one pixel thick) and
  every background pixel beside one, away from other drawing, is a 2 x 2 block of
  the same colour at scale 2 -- two device pixels wide, with the same ends;
  at least MIN_LINE_PIXELS such line pixels are checked;
- with "text": the text is not blocky: of the 2 x 2 blocks under the scale-1
  pixels that are neither white nor a pure drawing colour (the grey edges of
  the letters), at least a third hold more than one colour;
- nothing moved: every device pixel that differs from the background has
  drawing at scale 1 within one pixel of its place, and every dark scale-1
  pixel has drawing within one pixel of its place at scale 2.
Exits with status 1 naming the first failed check.
"""
import subprocess
import sys

PURE = {(255, 255, 255), (0, 0, 0), (0, 128, 0), (0, 0, 255), (0, 0, 128), (255, 0, 0),
        (192, 192, 192), (240, 240, 240)}
BLACK = (0, 0, 0)
# White pages, the silver of the arrows and the face of the button.
BACKGROUNDS = {(255, 255, 255), (192, 192, 192), (240, 240, 240)}


def load(path):
    """The picture as (width, height, rows of RGB tuples)."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                          capture_output=True).stdout
    # Binary PPM: "P6", width, height, the largest value, then the pixels.
    _, width, height, _ = data.split(maxsplit=3)
    width, height = int(width), int(height)
    pixels = data[len(data) - 3 * width * height:]
    rows = [[tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3]) for x in range(width)]
            for y in range(height)]
    return width, height, rows


def fail(name, message):
    print(f"FAIL: {name}: {message}", file=sys.stderr)
    sys.exit(1)


def thin_line_pixels(w, h, p):
    """Black pixels in a horizontal or vertical run of 8 or more, one pixel thick there."""
    def black(x, y):
        return 0 <= x < w and 0 <= y < h and p[y][x] == BLACK

    line = set()
    for y in range(h):  # horizontal runs
        x = 0
        while x < w:
            if not black(x, y):
                x += 1
                continue
            start = x
            while black(x, y):
                x += 1
            if x - start >= 8:
                line.update((i, y) for i in range(start, x) if not black(i, y - 1) and not black(i, y + 1))
    for x in range(w):  # vertical runs
        y = 0
        while y < h:
            if not black(x, y):
                y += 1
                continue
            start = y
            while black(x, y):
                y += 1
            if y - start >= 8:
                line.update((x, j) for j in range(start, y) if not black(x - 1, j) and not black(x + 1, j))
    return line


def main():
    one_path, two_path, name, min_lines = sys.argv[1:5]
    text = "text" in sys.argv[5:]
    w, h, p1 = load(one_path)
    w2, h2, p2 = load(two_path)
    if (w2, h2) != (2 * w, 2 * h):
        fail(name, f"{w2}x{h2} is not twice {w}x{h}")

    def block(x, y):
        return [p2[2 * y + j][2 * x + i] for j in (0, 1) for i in (0, 1)]

    # Lines: exactly doubled where nothing else is drawn near them.
    line = thin_line_pixels(w, h, p1)

    def plain(x, y):
        return all(not (0 <= x + i < w and 0 <= y + j < h) or p1[y + j][x + i] in BACKGROUNDS
                   or (x + i, y + j) in line for i in range(-2, 3) for j in range(-2, 3))

    checked_lines = checked_white = 0
    for y in range(h):
        for x in range(w):
            near = (x, y) in line or any((x + i, y + j) in line for i, j in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if not near or not plain(x, y):
                continue
            if block(x, y) != [p1[y][x]] * 4:
                fail(name, f"the line at ({x}, {y}) is not doubled: {p1[y][x]} became {block(x, y)}")
            if (x, y) in line:
                checked_lines += 1
            else:
                checked_white += 1
    if checked_lines < int(min_lines):
        fail(name, f"only {checked_lines} line pixels to check, expected at least {min_lines}")

    # Text: sharp, not 2 x 2 blocks.
    edge_blocks = mixed = 0
    if text:
        for y in range(h):
            for x in range(w):
                if p1[y][x] not in PURE:
                    edge_blocks += 1
                    mixed += len(set(block(x, y))) > 1
        if edge_blocks == 0 or 3 * mixed < edge_blocks:
            fail(name, f"blocky text: {mixed} of {edge_blocks} letter-edge blocks hold more than one colour")

    # Nothing moved: drawing at one scale has drawing at the other within a pixel.
    counts = {}
    for row in p1:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    background = max(counts, key=counts.get)
    ink1 = [[c != background for c in row] for row in p1]

    def ink1_near(x, y):
        return any(ink1[j][i] for j in range(max(0, y - 1), min(h, y + 2)) for i in range(max(0, x - 1), min(w, x + 2)))

    for y in range(h2):
        for x in range(w2):
            if p2[y][x] != background and not ink1_near(x // 2, y // 2):
                fail(name, f"device pixel ({x}, {y}) is drawn where scale 1 has nothing near ({x // 2}, {y // 2})")
    for y in range(h):
        for x in range(w):
            c = p1[y][x]
            if max(abs(a - b) for a, b in zip(c, background)) < 128:
                continue
            if not any(p2[j][i] != background for j in range(max(0, 2 * y - 2), min(h2, 2 * y + 4))
                       for i in range(max(0, 2 * x - 2), min(w2, 2 * x + 4))):
                fail(name, f"scale-1 pixel ({x}, {y}) has no drawing near it at scale 2")

    summary = f"{checked_lines} line pixels and {checked_white} beside them doubled"
    if text:
        summary += f", {mixed} of {edge_blocks} letter-edge blocks sharp"
    print(f"ok: {name}: {summary}, nothing moved")


main()
