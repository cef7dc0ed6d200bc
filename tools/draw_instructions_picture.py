#!/usr/bin/python3
# Usage: python3 tools/draw_instructions_picture.py   (from the repo root)
# Writes app/resources/Instructions.bmp: a 189x119 24-bit picture of the
# top-left corner of an Explorer window (XP blue theme, Chinese UI) with the
# search pane open, used on the instructions page.
#
# Needs Debian's python3 with python3-pil and fonts-wqy-zenhei. The picture is
# drawn pixel by pixel from fixed coordinates, so every run gives the same
# bytes.

import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

W, H = 189, 119

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_PATH = os.path.join(REPO, "app", "resources", "Instructions.bmp")
FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
# Face 2 of the collection ("Zen Hei Sharp") carries hand-tuned 12 px bitmaps,
# which look like the 9 pt system font of a Chinese XP at 96 dpi.
FONT_FACE = 2
FONT_PX = 12

FACE = (236, 233, 216)          # window / bar background
ETCH_DARK = (197, 194, 179)
ETCH_LIGHT = (255, 255, 255)
FRAME = [(0, 19, 140), (0, 85, 234), (0, 72, 241), (0, 61, 220)]  # outside in
FIELD_BORDER = (127, 157, 185)
TEXT = (0, 0, 0)
PANE_TOP = (109, 145, 224)
PANE_BOTTOM = (163, 188, 241)
PANE_GRADIENT_ROWS = 420        # height the pane gradient would span on screen

# Band layout (rows).
MENU_Y, MENU_H = 0, 20
TOOL_Y, TOOL_H = 22, 34
ADDR_Y, ADDR_H = 58, 22
PANE_TITLE_Y, PANE_TITLE_H = 82, 19
PANE_BODY_Y = PANE_TITLE_Y + PANE_TITLE_H
LEFT = len(FRAME)               # first column inside the window frame


class Text:
    """Places characters on whole pixels, like GDI does with a bitmap font."""

    def __init__(self):
        self.font = ImageFont.truetype(FONT_PATH, FONT_PX, index=FONT_FACE)

    def advance(self, ch):
        if ord(ch) > 0x2e80:
            return FONT_PX
        # The 12 px bitmaps already include their side bearings.
        return self.font.getbbox(ch, mode="1")[2]

    def width(self, s):
        return sum(self.advance(c) for c in s)

    def draw(self, img, x, y, s, colour):
        d = ImageDraw.Draw(img)
        d.fontmode = "1"
        for ch in s:
            d.text((x, y), ch, font=self.font, fill=colour)
            x += self.advance(ch)
        return x


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def smooth_icon(size, painter, scale=4):
    """Draw an icon at several times its size and shrink it for soft edges."""
    big = Image.new("RGBA", (size * scale, size * scale), (0, 0, 0, 0))
    painter(ImageDraw.Draw(big), size * scale, big)
    return big.resize((size, size), Image.LANCZOS)


def radial_ball(img, box, light, dark, outline, ow):
    """A round button face lit from the upper left."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    d.ellipse(box, fill=outline)
    steps = 24
    cx, cy = x0 + (x1 - x0) * 0.38, y0 + (y1 - y0) * 0.34
    for i in range(steps):
        t = i / (steps - 1)
        # Shrinking discs drifting towards the highlight point.
        r0x = x0 + ow + (cx - x0 - ow) * t * 0.9
        r0y = y0 + ow + (cy - y0 - ow) * t * 0.9
        r1x = x1 - ow - (x1 - cx - ow) * t * 0.9 - (x1 - x0) * 0.25 * t
        r1y = y1 - ow - (y1 - cy - ow) * t * 0.9 - (y1 - y0) * 0.25 * t
        if r1x <= r0x or r1y <= r0y:
            break
        d.ellipse((r0x, r0y, r1x, r1y), fill=lerp(dark, light, t ** 0.8))


def arrow_ball(pointing_left):
    def paint(d, s, img):
        m = s * 0.04
        radial_ball(img, (m, m, s - m, s - m), (170, 232, 140), (38, 140, 36),
                    (24, 100, 28), s * 0.06)
        # White arrow with a thin dark edge so it reads on the green.
        cy = s * 0.5
        tip, back = s * 0.2, s * 0.8
        neck = s * 0.5
        shaft = s * 0.1
        head = s * 0.23
        pts = [(tip, cy), (neck, cy - head), (neck, cy - shaft), (back, cy - shaft),
               (back, cy + shaft), (neck, cy + shaft), (neck, cy + head)]
        if not pointing_left:
            pts = [(s - x, y) for x, y in pts]
        d.polygon(pts, fill=(255, 255, 255), outline=(20, 90, 24))
    return smooth_icon(24, paint)


def up_folder():
    def paint(d, s, img):
        u = s / 24.0
        edge = (176, 128, 30)
        # Back of the folder with its tab.
        d.polygon([(2 * u, 5 * u), (9 * u, 5 * u), (11 * u, 7 * u), (21 * u, 7 * u),
                   (21 * u, 20 * u), (2 * u, 20 * u)], fill=(232, 184, 72), outline=edge)
        # Front flap, slightly lighter.
        d.polygon([(2 * u, 20 * u), (4.5 * u, 10 * u), (23 * u, 10 * u), (21 * u, 20 * u)],
                  fill=(252, 218, 116), outline=edge)
        # Green arrow pointing up out of the folder.
        ax = 14 * u
        d.polygon([(ax, 1 * u), (ax + 5.5 * u, 7.5 * u), (ax + 2.2 * u, 7.5 * u),
                   (ax + 2.2 * u, 15 * u), (ax - 2.2 * u, 15 * u), (ax - 2.2 * u, 7.5 * u),
                   (ax - 5.5 * u, 7.5 * u)], fill=(60, 170, 56), outline=(20, 100, 24))
        d.line([(ax - 0.8 * u, 4 * u), (ax - 0.8 * u, 14 * u)], fill=(150, 225, 130),
               width=max(1, int(u)))
    return smooth_icon(24, paint)


def magnifier(size):
    def paint(d, s, img):
        u = s / 24.0
        # Handle first, running to the lower right.
        d.line([(14 * u, 14 * u), (21.5 * u, 21.5 * u)], fill=(70, 50, 40), width=int(4.2 * u))
        d.line([(14.5 * u, 14 * u), (21 * u, 20.5 * u)], fill=(140, 100, 70), width=int(1.4 * u))
        # Rim and glass.
        d.ellipse((1.5 * u, 1.5 * u, 16.5 * u, 16.5 * u), fill=(88, 96, 110))
        d.ellipse((3.5 * u, 3.5 * u, 14.5 * u, 14.5 * u), fill=(178, 210, 240))
        d.ellipse((4.5 * u, 4.5 * u, 10 * u, 10 * u), fill=(228, 242, 255))
        d.ellipse((5 * u, 5 * u, 8 * u, 8 * u), fill=(255, 255, 255))
    return smooth_icon(size, paint)


def dropdown_arrow(img, x, y):
    px = img.load()
    for row, half in enumerate((2, 1, 0)):
        for dx in range(-half, half + 1):
            px[x + dx, y + row] = TEXT


def etched_line_h(img, y, x0=LEFT):
    d = ImageDraw.Draw(img)
    d.line([(x0, y), (W - 1, y)], fill=ETCH_DARK)
    d.line([(x0, y + 1), (W - 1, y + 1)], fill=ETCH_LIGHT)


def close_cross(img, x, y, colour):
    """The 7x7 cross on the pane's close button."""
    pattern = ["XX...XX",
               ".XX.XX.",
               "..XXX..",
               "...X...",
               "..XXX..",
               ".XX.XX.",
               "XX...XX"]
    px = img.load()
    for r, line in enumerate(pattern):
        for c, ch in enumerate(line):
            if ch == "X":
                px[x + c, y + r] = colour


def draw():
    img = Image.new("RGB", (W, H), FACE)
    d = ImageDraw.Draw(img)
    text = Text()

    # Window frame down the left edge.
    for i, colour in enumerate(FRAME):
        d.line([(i, 0), (i, H - 1)], fill=colour)

    # Menu bar. Items are padded by 6 px either side, as the system menu bar does.
    x = LEFT
    for item in ("文件(F)", "编辑(E)", "查看(V)", "收藏(A)", "工具(T)"):
        text.draw(img, x + 6, MENU_Y + 3, item, TEXT)
        x += text.width(item) + 12
    etched_line_h(img, MENU_Y + MENU_H)

    # Toolbar: Back (with label), Forward, Up, separator, Search (with label).
    icon_y = TOOL_Y + (TOOL_H - 24) // 2
    label_y = TOOL_Y + (TOOL_H - 16) // 2 + 1
    x = LEFT + 5
    img.paste(arrow_ball(True), (x, icon_y), arrow_ball(True))
    x = text.draw(img, x + 28, label_y, "后退", TEXT)
    dropdown_arrow(img, x + 6, icon_y + 11)
    x += 14
    fwd = arrow_ball(False)
    img.paste(fwd, (x, icon_y), fwd)
    dropdown_arrow(img, x + 30, icon_y + 11)
    x += 38
    up = up_folder()
    img.paste(up, (x, icon_y), up)
    x += 31
    d.line([(x, TOOL_Y + 4), (x, TOOL_Y + TOOL_H - 5)], fill=ETCH_DARK)
    d.line([(x + 1, TOOL_Y + 4), (x + 1, TOOL_Y + TOOL_H - 5)], fill=ETCH_LIGHT)
    x += 6
    glass = magnifier(24)
    img.paste(glass, (x, icon_y), glass)
    text.draw(img, x + 28, label_y, "搜索", TEXT)
    etched_line_h(img, TOOL_Y + TOOL_H)

    # Address bar: label, then the white field holding the current location.
    label = "地址(D)"
    text.draw(img, LEFT + 4, ADDR_Y + 3, label, TEXT)
    fx = LEFT + 4 + text.width(label) + 5
    d.rectangle((fx, ADDR_Y, W + 2, ADDR_Y + ADDR_H - 1), fill=(255, 255, 255),
                outline=FIELD_BORDER)
    small = magnifier(16)
    img.paste(small, (fx + 3, ADDR_Y + 3), small)
    text.draw(img, fx + 23, ADDR_Y + 3, "搜索结果", TEXT)
    d.line([(LEFT, ADDR_Y + ADDR_H + 1), (W - 1, ADDR_Y + ADDR_H + 1)], fill=(172, 168, 153))

    # Search pane caption with its close button.
    top, bottom = PANE_TITLE_Y, PANE_TITLE_Y + PANE_TITLE_H - 1
    for y in range(top, bottom + 1):
        t = (y - top) / float(bottom - top)
        d.line([(LEFT, y), (W - 1, y)], fill=lerp((255, 255, 255), (214, 223, 247), t))
    text.draw(img, LEFT + 5, top + 2, "搜索助理", (33, 64, 165))
    close_cross(img, W - 15, top + 6, (33, 64, 165))

    # Pane body: nothing but the blue background.
    for y in range(PANE_BODY_Y, H):
        t = (y - PANE_BODY_Y) / float(PANE_GRADIENT_ROWS)
        d.line([(LEFT, y), (W - 1, y)], fill=lerp(PANE_TOP, PANE_BOTTOM, t))
    return img


def bmp_bytes(img):
    stride = (W * 3 + 3) & ~3
    px = img.load()
    pixels = bytearray()
    for y in range(H - 1, -1, -1):
        row = bytearray()
        for x in range(W):
            r, g, b = px[x, y]
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + bytes(pixels)


def main():
    data = bmp_bytes(draw())
    os.makedirs(os.path.dirname(OUT_PATH), exist_ok=True)
    with open(OUT_PATH, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (os.path.relpath(OUT_PATH, REPO), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
