#!/usr/bin/python3
# Usage: python3 tools/draw_icon.py   (from the repo root)
# Writes app/resources/Sertavo.ico: the application icon, a black gavel with a
# faint reflection, stored as 24x24 8bpp, 256x256 32bpp, 128x128 32bpp and
# 48x48 24bpp images (all uncompressed DIBs, in that order).
#
# Needs Debian's python3 with python3-pil. The output is byte-for-byte
# reproducible: everything is drawn from fixed geometry, nothing random.

import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw

# Everything is drawn on a 2048 px master and shrunk for each icon size.
MASTER = 2048
# Layout numbers below are in a 1024 grid; K scales them to the master.
K = MASTER / 1024.0

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_PATH = os.path.join(REPO, "app", "resources", "Sertavo.ico")


def clamp8(v):
    return max(0, min(255, int(round(v))))


def tone(v):
    """Near-black with a very slight cool cast."""
    return (clamp8(v), clamp8(v), clamp8(v * 1.06 + 2), 255)


def cylinder_shade(t, highlight_at, strength=1.0):
    """Brightness across a lit cylinder; t runs -1..1 over its width."""
    base = 17.0
    broad = 26.0 * max(0.0, 1.0 - abs(t - highlight_at) / 1.3)
    shine = 78.0 * math.exp(-((t - highlight_at) / 0.16) ** 2)
    rim = 20.0 * math.exp(-((t + highlight_at * 1.65) / 0.09) ** 2)
    edge = -10.0 * max(0.0, abs(t) - 0.82) / 0.18
    return base + strength * (broad + shine + rim) + edge


def gradient_across_rows(width, height, highlight_at, strength=1.0):
    """Image whose rows are shaded like a horizontal cylinder."""
    col = Image.new("RGBA", (1, height))
    col.putdata([tone(cylinder_shade((y + 0.5) / height * 2.0 - 1.0,
                                     highlight_at, strength))
                 for y in range(height)])
    return col.resize((width, height), Image.NEAREST)


def gradient_across_columns(width, height, highlight_at, strength=1.0):
    """Image whose columns are shaded like a vertical cylinder."""
    row = Image.new("RGBA", (width, 1))
    row.putdata([tone(cylinder_shade((x + 0.5) / width * 2.0 - 1.0,
                                     highlight_at, strength))
                 for x in range(width)])
    return row.resize((width, height), Image.NEAREST)


def paste_shape(canvas, shade, box, mask):
    """Put a shaded part onto the canvas where the mask is set."""
    canvas.paste(shade, (box[0], box[1]), mask)


def rounded_mask(w, h, r):
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).rounded_rectangle((0, 0, w - 1, h - 1), radius=r, fill=255)
    return m


def draw_gavel_upright():
    """The gavel with its head horizontal and the handle hanging down.

    Light comes from the upper right of the finished (tilted) picture, which
    here is the top of the head and the right side of the handle.
    """
    size = int(1400 * K)
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    cx = size // 2
    cy = int(420 * K)

    def s(v):
        return int(round(v * K))

    # Handle: slim at the head, swelling towards a rounded knob.
    top = cy + s(70)
    bottom = cy + s(520)
    knob_r = s(44)
    half_top = s(27)
    half_low = s(35)
    hw = s(54)
    hbox = (cx - hw, top, cx + hw, bottom + knob_r)
    hmask = Image.new("L", (hbox[2] - hbox[0], hbox[3] - hbox[1]), 0)
    md = ImageDraw.Draw(hmask)
    ox, oy = hbox[0], hbox[1]
    md.polygon([(cx - half_top - ox, 0), (cx + half_top - ox, 0),
                (cx + half_low - ox, bottom - s(30) - oy),
                (cx - half_low - ox, bottom - s(30) - oy)], fill=255)
    md.ellipse((cx - knob_r - ox, bottom - s(52) - oy,
                cx + knob_r - ox, bottom + knob_r - s(6) - oy), fill=255)
    # A narrow neck ring a little above the knob.
    md.rounded_rectangle((cx - half_low - s(6) - ox, bottom - s(96) - oy,
                          cx + half_low + s(6) - ox, bottom - s(78) - oy),
                         radius=s(6), fill=255)
    shade = gradient_across_columns(hmask.width, hmask.height, 0.4)
    paste_shape(img, shade, hbox, hmask)
    # Thin dark grooves either side of the neck ring.
    d = ImageDraw.Draw(img)
    for gy in (bottom - s(98), bottom - s(77)):
        d.rectangle((cx - half_low - s(6), gy, cx + half_low + s(6), gy + s(3)),
                    fill=tone(7))

    # Collar where the handle enters the head.
    cw, ch = s(46), s(34)
    cbox = (cx - cw, cy + s(70) - ch, cx + cw, cy + s(70) + s(6))
    paste_shape(img, gradient_across_columns(cbox[2] - cbox[0], cbox[3] - cbox[1], 0.4),
                cbox, rounded_mask(cbox[2] - cbox[0], cbox[3] - cbox[1], s(8)))

    # Head: the barrel in the middle...
    half_len = s(250)
    r_body = s(88)
    bbox = (cx - half_len + s(40), cy - r_body, cx + half_len - s(40), cy + r_body)
    paste_shape(img, gradient_across_rows(bbox[2] - bbox[0], bbox[3] - bbox[1], -0.45),
                bbox, rounded_mask(bbox[2] - bbox[0], bbox[3] - bbox[1], s(6)))
    # ...a pair of fine rings around the middle...
    for gx in (-s(46), s(40)):
        d.rectangle((cx + gx, cy - r_body, cx + gx + s(5), cy + r_body), fill=tone(6))
    # ...and the wider striking bands at both ends.
    r_band = s(104)
    band_len = s(74)
    for side in (-1, 1):
        if side < 0:
            x0 = cx - half_len
        else:
            x0 = cx + half_len - band_len
        box = (x0, cy - r_band, x0 + band_len, cy + r_band)
        w, h = box[2] - box[0], box[3] - box[1]
        paste_shape(img, gradient_across_rows(w, h, -0.45, 1.15), box,
                    rounded_mask(w, h, s(16)))
        # Dark seam between band and barrel.
        seam_x = x0 + band_len if side < 0 else x0 - s(5)
        d.rectangle((seam_x, cy - r_body + s(4), seam_x + s(5), cy + r_body - s(4)),
                    fill=tone(5))
        # A faint lighter lip on the striking face.
        face_x = x0 if side < 0 else x0 + band_len - s(6)
        lip = gradient_across_rows(s(6), h - s(40), -0.45, 1.6)
        img.paste(lip, (face_x, cy - r_band + s(20)), rounded_mask(s(6), h - s(40), s(3)))
    return img


def fit(img, box_w, box_h):
    """Crop to the drawn pixels and scale to fit the given box."""
    img = img.crop(img.getchannel("A").getbbox())
    scale = min(box_w / img.width, box_h / img.height)
    return img.resize((max(1, round(img.width * scale)),
                       max(1, round(img.height * scale))), Image.LANCZOS)


def master_picture():
    gavel = draw_gavel_upright().rotate(45, resample=Image.BICUBIC, expand=True)
    gavel = fit(gavel, int(880 * K), int(830 * K))

    canvas = Image.new("RGBA", (MASTER, MASTER), (0, 0, 0, 0))
    gx = (MASTER - gavel.width) // 2
    gy = int(14 * K)
    canvas.alpha_composite(gavel, (gx, gy))

    # Reflection: the gavel mirrored under a ground line just below it,
    # very faint at the top and gone within a short distance.
    ground = gy + gavel.height + int(10 * K)
    refl = gavel.transpose(Image.FLIP_TOP_BOTTOM)
    fade_len = int(150 * K)
    fade_col = Image.new("L", (1, refl.height))
    fade_col.putdata([clamp8(255 * 0.20 * max(0.0, 1.0 - y / fade_len) ** 1.6)
                      for y in range(refl.height)])
    fade = fade_col.resize(refl.size, Image.NEAREST)
    refl.putalpha(ImageChops.multiply(refl.getchannel("A"), fade))
    room = MASTER - ground
    if room > 0:
        canvas.alpha_composite(refl.crop((0, 0, refl.width, min(refl.height, room))),
                               (gx, ground))
    return canvas


def shrink(master, size):
    img = master.resize((size, size), Image.LANCZOS)
    # Clear colour where fully transparent so the files carry no stray data.
    px = img.load()
    for y in range(size):
        for x in range(size):
            if px[x, y][3] == 0:
                px[x, y] = (0, 0, 0, 0)
    return img


def and_mask_bytes(size, transparent):
    """AND mask rows (bottom-up), 1 bit per pixel, rows padded to 32 bits."""
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if transparent(x, y):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def bitmap_header(size, bpp, image_bytes, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0,
                       image_bytes, 0, 0, colours_used, 0)


def dib_32(img):
    size = img.width
    px = img.load()
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    mask = and_mask_bytes(size, lambda x, y: px[x, y][3] == 0)
    return bitmap_header(size, 32, len(xor) + len(mask)) + bytes(xor) + mask


# Below this alpha a pixel is left out of the hard-edged (mask only) images.
SOLID = 128


def dib_24(img):
    size = img.width
    px = img.load()
    stride = (size * 3 + 3) & ~3
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            r, g, b, a = px[x, y]
            row += bytes((b, g, r)) if a >= SOLID else b"\0\0\0"
        row += bytes(stride - len(row))
        xor += row
    mask = and_mask_bytes(size, lambda x, y: px[x, y][3] < SOLID)
    return bitmap_header(size, 24, len(xor) + len(mask)) + bytes(xor) + mask


def dib_8(img):
    size = img.width
    px = img.load()
    # Palette entry 0 is black and used under the transparent mask bits;
    # the picture's own colours go into entries 1..255.
    rgb = Image.new("RGB", (size, size), (0, 0, 0))
    rgb.paste(img.convert("RGB"), (0, 0), img.getchannel("A").point(
        lambda a: 255 if a >= SOLID else 0))
    quant = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                         dither=Image.Dither.NONE)
    pal = quant.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    palette = bytearray(b"\0\0\0\0")
    for i in range(255):
        r, g, b = pal[3 * i:3 * i + 3]
        palette += bytes((b, g, r, 0))
    qpx = quant.load()
    stride = (size + 3) & ~3
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            row.append(qpx[x, y] + 1 if px[x, y][3] >= SOLID else 0)
        row += bytes(stride - len(row))
        xor += row
    mask = and_mask_bytes(size, lambda x, y: px[x, y][3] < SOLID)
    return (bitmap_header(size, 8, len(xor) + len(mask), 256) + bytes(palette)
            + bytes(xor) + mask)


def build_icon(master):
    images = [
        (24, 8, dib_8(shrink(master, 24))),
        (256, 32, dib_32(shrink(master, 256))),
        (128, 32, dib_32(shrink(master, 128))),
        (48, 24, dib_24(shrink(master, 48))),
    ]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        dim = 0 if size == 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


def main():
    data = build_icon(master_picture())
    os.makedirs(os.path.dirname(OUT_PATH), exist_ok=True)
    with open(OUT_PATH, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (os.path.relpath(OUT_PATH, REPO), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
