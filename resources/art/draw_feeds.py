#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the four feed pictures (RIGHTFEED, LEFTFEED, UHP-RIGHT, UHP-LEFT) as SVG.

Each picture is 190 x 130 pixels of black line art on white: on the left the antenna seen from
above inside an azimuth compass, with the waveguide run leaving the back of the dish on the feed
side; on the right the feed flange seen from behind the antenna, with the red indicator on the
feed side. The UHP pictures add the shroud and flat radome of the high-performance antennas.

All geometry sits on the pixel grid (one-pixel lines on half-pixel centres, fills on whole
pixels) and is rendered with crispEdges, so the 1x rendering has only black and white pixels.
Text uses the small pixel font below rather than a system font: at 7 pixels high an outline font
never survives thresholding cleanly.

Usage: draw_feeds.py OUTDIR      (render.sh turns the SVG files into the BMP files)
"""
import os
import sys

WIDTH, HEIGHT = 190, 130

# 5x7 capitals and digits; '#' is ink. Glyphs may be narrower than five columns.
FONT = {
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'C': [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    'D': ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'F': ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    'G': [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'I': ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'K': ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'N': ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'U': ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'V': ["#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#.."],
    'W': ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    '0': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '7': ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    '8': [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    '9': [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    '-': [".....", ".....", ".....", "#####", ".....", ".....", "....."],
}
SPACE_WIDTH = 3
GLYPH_GAP = 1


def text_width(text):
    width = 0
    for ch in text:
        width += (SPACE_WIDTH if ch == ' ' else len(FONT[ch][0])) + GLYPH_GAP
    return width - GLYPH_GAP if text else 0


def text_path(text, x, y):
    """Pixel text with its top left ink corner at whole pixel (x, y), as one path element."""
    runs = []
    for ch in text:
        if ch == ' ':
            x += SPACE_WIDTH + GLYPH_GAP
            continue
        rows = FONT[ch]
        for row_index, row in enumerate(rows):
            col = 0
            while col < len(row):
                if row[col] == '#':
                    start = col
                    while col < len(row) and row[col] == '#':
                        col += 1
                    runs.append(f"M{x + start} {y + row_index}h{col - start}v1h{start - col}z")
                else:
                    col += 1
        x += len(rows[0]) + GLYPH_GAP
    return f'<path d="{"".join(runs)}"/><!-- {text} -->'


def centred_text(text, centre_x, y):
    """Text centred on centre_x; centres are pixel centres (n + 0.5) or pixel edges (n)."""
    x = centre_x - text_width(text) / 2
    return text_path(text, int(round(x)), y)


def fmt(v):
    return f"{v:g}"


class Picture:
    def __init__(self, title, right, uhp):
        self.title = title
        self.side = 1 if right else -1
        self.uhp = uhp
        self.items = []

    def add(self, item):
        self.items.append(item)

    def rect(self, x, y, w, h):
        """A filled rectangle on whole pixels."""
        self.add(f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}"'
                 ' fill="#000" stroke="none"/>')

    def top_view(self):
        # Compass: forward (0, the antenna's boresight) points up the page, 90 to the right. The
        # centre is a pixel centre so that the circle and the mirrored drawings stay symmetric.
        cx, cy, r = 50.5, 64.5, 26
        s = self.side
        col, row = int(cx), int(cy)
        self.add('<g id="top-view">')
        self.add(f'<circle cx="{cx}" cy="{cy}" r="{r}"/>')
        # Cardinal ticks, seven pixels centred on the circle line.
        self.rect(col, row - r - 3, 1, 7)
        self.rect(col, row + r - 3, 1, 7)
        self.rect(col - r - 3, row, 7, 1)
        self.rect(col + r - 3, row, 7, 1)
        self.add(centred_text("0", cx, row - r - 3 - 2 - 7))
        self.add(centred_text("180", cx, row + r + 3 + 3))
        self.add(text_path("270", col - r - 3 - 3 - text_width("270"), row - 3))
        self.add(text_path("90", col + r + 3 + 3, row - 3))

        # The reflector seen from above: a parabola opening forward, rims 17 pixels either side,
        # nine pixels deep.
        rim_y, vertex_y = row - 4, row + 5
        self.add(f'<path d="M{cx - 17} {rim_y} Q{cx} {2 * vertex_y - rim_y} {cx + 17} {rim_y}"'
                 ' stroke-width="2"/>')
        # Feed tube from the vertex to the focus, where the feed ends in a small splash plate.
        self.rect(col, rim_y - 1, 1, vertex_y - rim_y + 1)
        self.rect(col - 2, rim_y - 3, 5, 2)
        if self.uhp:
            # Cylindrical shroud ahead of the rim, closed by the flat radome.
            front = rim_y - 10
            self.rect(col - 18, front, 1, rim_y - front)
            self.rect(col + 18, front, 1, rim_y - front)
            self.rect(col - 18, front - 1, 37, 2)
        # The waveguide leaves the back of the dish, bends towards the feed side and ends in its
        # flange there.
        # Two pixels wide, so the right and left runs lean on either side of the feed tube.
        run_row = vertex_y + 5
        if s > 0:
            self.rect(col, vertex_y, 2, run_row - vertex_y + 2)
            self.rect(col, run_row, 13, 2)
            self.rect(col + 13, run_row - 3, 3, 8)
        else:
            self.rect(col - 1, vertex_y, 2, run_row - vertex_y + 2)
            self.rect(col - 12, run_row, 13, 2)
            self.rect(col - 15, run_row - 3, 3, 8)
        self.add('</g>')
        self.add(centred_text("TOP VIEW", cx, 119))

    def rear_view(self):
        # The flange as seen standing behind the antenna and looking along its boresight: the
        # antenna's right is on the right of the picture.
        cx, cy, half = 142.5, 64.5, 22
        s = self.side
        col, row = int(cx), int(cy)
        self.add('<g id="rear-view">')
        self.add(f'<rect x="{cx - half}" y="{cy - half}" width="{2 * half}" height="{2 * half}"'
                 ' rx="5"/>')
        # Bolt holes: the corners and the middle of the top and bottom edges.
        for bx in (-16, 0, 16):
            for by in (-16, 16):
                self.add(f'<circle cx="{cx + bx}" cy="{cy + by}" r="2"/>')
        # Rectangular waveguide port.
        self.add(f'<rect x="{cx - 9}" y="{cy - 4}" width="18" height="8"/>')
        # The red indicator between the port and the flange edge: a round dot five pixels across,
        # with a leader to its label outside the flange.
        mark = col + s * 16
        self.rect(mark - 2, row - 1, 5, 3)
        self.rect(mark - 1, row - 2, 3, 5)
        label_w = text_width("RED")
        if s > 0:
            self.rect(mark + 4, row, 5, 1)
            self.add(text_path("RED", col + half + 5, row - 3))
        else:
            self.rect(mark - 8, row, 5, 1)
            self.add(text_path("RED", col - half - 4 - label_w, row - 3))
        self.add('</g>')
        self.add(centred_text("REAR VIEW", cx, 119))

    def svg(self):
        self.top_view()
        self.rear_view()
        head = [
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}"'
            f' viewBox="0 0 {WIDTH} {HEIGHT}" shape-rendering="crispEdges">',
            f'<!-- Quelda feed picture: {self.title}. Written by draw_feeds.py. -->',
            f'<rect width="{WIDTH}" height="{HEIGHT}" fill="#fff"/>',
            '<g fill="none" stroke="#000" stroke-width="1" stroke-linecap="butt">',
            '<g fill="#000" stroke="none">' + centred_text(self.title, WIDTH / 2, 3) + '</g>',
        ]
        # Dotted divider between the two views.
        dots = "".join(f"M95 {y}h1v1h-1z" for y in range(16, 126, 2))
        head.append(f'<path d="{dots}" fill="#000" stroke="none"/>')
        body = []
        for item in self.items:
            if item.startswith('<path d="M') and 'stroke' not in item:
                body.append(item.replace('<path ', '<path fill="#000" stroke="none" ', 1))
            else:
                body.append(item)
        return "\n".join(head + body + ['</g>', '</svg>', ''])


PICTURES = {
    "RIGHTFEED": ("RIGHT FEED", True, False),
    "LEFTFEED": ("LEFT FEED", False, False),
    "UHP-RIGHT": ("UHP RIGHT FEED", True, True),
    "UHP-LEFT": ("UHP LEFT FEED", False, True),
}


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, (title, right, uhp) in PICTURES.items():
        with open(os.path.join(out_dir, name + ".svg"), "w", encoding="ascii") as f:
            f.write(Picture(title, right, uhp).svg())


if __name__ == "__main__":
    main()
