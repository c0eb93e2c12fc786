#!/usr/bin/python3
"""Draws the game's pictures next to this script.

    icon.ico            window icon: a smiling face, 32x32 and 16x16, 16 colours each
    crosshair.cur       monochrome 32x32 aiming cursor, hotspot (15,15)
    banner.gif          320x100 title picture
    target.gif          25x25 round target, 4-colour palette with transparency

and, for every size and screen density the game shows them at:

    target-hires.png    512x512 RGBA target, antialiased; the game shrinks it smoothly to
                        each target size (13 to 74 device pixels)
    banner@2x.png       640x200 full-colour RGB banner, drawn at twice the size
    crosshair@2x.png    64x64 RGBA cursor, the 32-px cross doubled; hotspot (31,31)
    crosshair@1.5x.png  48x48 RGBA cursor, 4-px bars around a 3-px slit; hotspot (23,23)
    icons/popadaika-N.png   RGBA face for N = 16, 22, 24, 32, 48, 64, 128, 256
    icons/popadaika.svg     the same face as a scalable picture

PNG files carry no hotspot: the program passes the ones above with the cursor picture.

Output is byte-for-byte reproducible: nothing random, no timestamps or text chunks in the
PNGs, and the ICO/CUR containers are written by hand (PIL only writes 32-bit or PNG entries
into them). Run with the system interpreter, which has PIL:
/usr/bin/python3 assets/draw_assets.py
"""
import functools
import math
import os
import struct
from typing import NamedTuple

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"


def out(name):
    return os.path.join(HERE, name)


def save_png(img, name):
    # Pillow writes no time or text chunks unless asked, so the bytes depend on the pixels only.
    path = out(name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, "PNG", optimize=False)


# ---------------------------------------------------------------- Windows bitmaps in ICO/CUR

def row_stride(width, bpp):
    # DIB rows are padded to whole 32-bit words.
    return ((width * bpp + 31) // 32) * 4


def pack_rows(rows, bpp):
    """rows: top-down lists of palette indices / bits. Returns bottom-up padded DIB bytes."""
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(row_stride(len(row), bpp))
        per_byte = 8 // bpp
        for x, v in enumerate(row):
            shift = 8 - bpp * (x % per_byte + 1)
            line[x // per_byte] |= (v & ((1 << bpp) - 1)) << shift
        data += line
    return bytes(data)


def dib(width, height, bpp, palette, xor_rows, and_rows):
    """BITMAPINFOHEADER + palette + XOR bitmap + AND mask, as stored inside ICO and CUR."""
    xor_bytes = pack_rows(xor_rows, bpp)
    and_bytes = pack_rows(and_rows, 1)
    header = struct.pack(
        "<IiiHHIIiiII",
        40,                 # header size
        width,
        height * 2,         # XOR and AND bitmaps stacked
        1,                  # planes
        bpp,
        0,                  # BI_RGB
        len(xor_bytes) + len(and_bytes),
        0, 0,               # resolution: unused for icons
        len(palette),
        0,
    )
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + pal + xor_bytes + and_bytes


def icon_container(kind, entries):
    """kind 1 = ICO, 2 = CUR. entries: (width, height, colours, field1, field2, dib bytes);
    field1/field2 are planes/bitcount for ICO and the hotspot x/y for CUR."""
    head = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    blobs = b""
    for (w, h, colours, f1, f2, blob) in entries:
        directory += struct.pack("<BBBBHHII", w % 256, h % 256, colours % 256, 0, f1, f2,
                                 len(blob), offset + len(blobs))
        blobs += blob
    return head + directory + blobs


# ---------------------------------------------------------------- the crosshair

class Cross(NamedTuple):
    size: int
    span: range          # pixels both arms cover, along the arm
    bars: tuple          # the two bars of an arm, across it; the slit lies between them
    hotspot: tuple


def doubled(r):
    return range(2 * r.start, 2 * r.stop)


# Pixel indices throughout. 1x: both arms span 2..29, so the cross is symmetric about 15.5.
# Each arm is two 3-px bars, 12..14 and 17..19, around a 2-px slit 15..16 on the same centre;
# the slit contains the hotspot row/column 15, so the pixel under the hotspot stays clear and
# the player sees what is being aimed at.
CROSS_1X = Cross(32, range(2, 30), (range(12, 15), range(17, 20)), (15, 15))

# 2x: every pixel of the 1x cross becomes a 2x2 block (arms 4..59, bars 24..29 and 34..39,
# slit 30..33). The hotspot keeps the place (15,15) has at 1x: the upper-left of the four
# pixels around the centre 31.5. 2 x 15 = 30 lies in the slit too.
CROSS_2X = Cross(64, doubled(CROSS_1X.span), tuple(doubled(b) for b in CROSS_1X.bars), (31, 31))

# 1.5x: 4.5-px bars and a 3-px slit cannot be whole pixels and centred on 23.5 at once, so the
# cross is centred on pixel 23 instead, where the middle of the 1x hotspot pixel falls: 4-px
# bars 18..21 and 25..28 around the 3-px slit 22..24, arms 2..44, 21 px (1.5 x 14) either side
# of the centre pixel. 1.5 x 15 rounded either way (22 or 23) lies in the slit as well.
CROSS_15X = Cross(48, range(2, 45), (range(18, 22), range(25, 29)), (23, 23))


def crosshair_opaque(cross, x, y):
    def in_bar(v):
        return any(v in bar for bar in cross.bars)
    return (x in cross.span and in_bar(y)) or (y in cross.span and in_bar(x))


def write_crosshair():
    cross = CROSS_1X
    n = cross.size
    # Opaque black: AND 0, XOR 0 (palette entry 0). Transparent: AND 1, XOR 0.
    xor_rows = [[0] * n for _ in range(n)]
    and_rows = [[0 if crosshair_opaque(cross, x, y) else 1 for x in range(n)] for y in range(n)]
    blob = dib(n, n, 1, [(0, 0, 0), (255, 255, 255)], xor_rows, and_rows)
    data = icon_container(2, [(n, n, 2, cross.hotspot[0], cross.hotspot[1], blob)])
    with open(out("crosshair.cur"), "wb") as f:
        f.write(data)


def write_crosshair_png(cross, name):
    img = Image.new("RGBA", (cross.size, cross.size), (0, 0, 0, 0))
    px = img.load()
    for y in range(cross.size):
        for x in range(cross.size):
            if crosshair_opaque(cross, x, y):
                px[x, y] = (0, 0, 0, 255)
    save_png(img, name)


# ---------------------------------------------------------------- the face: icon.ico and icons/

# One fixed 16-colour palette: a black-to-yellow ramp for the antialiased outline and
# features, lighter yellows for the highlight, deeper ambers for the shading.
ICON_PALETTE = [
    (0, 0, 0),
    (40, 32, 0),
    (84, 68, 0),
    (128, 104, 0),
    (172, 140, 0),
    (214, 176, 0),
    (240, 200, 0),
    (255, 216, 0),
    (255, 228, 32),
    (255, 238, 96),
    (255, 246, 160),
    (255, 252, 216),
    (232, 168, 0),
    (200, 136, 0),
    (150, 96, 0),
    (255, 255, 255),
]


def nearest(rgb, allowed):
    r, g, b = rgb
    best, best_d = 0, None
    for i in allowed:
        pr, pg, pb = ICON_PALETTE[i]
        # Weighted so that brightness errors count most, as the eye sees them.
        d = 3 * (r - pr) ** 2 + 4 * (g - pg) ** 2 + 2 * (b - pb) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def face_32(d, k, size):
    """Features of the 32-px face scaled to `size`; k = supersampled pixels per output pixel."""
    unit = size / 32

    def px(v):
        return int(math.floor(v * unit + 0.5))
    # Eye boxes sit on whole output pixels and mirror each other about the centre, so both
    # eyes come out alike and sharp after the reduction.
    w, h, y0 = px(3), px(6), px(8)
    for x0 in (px(10), size - px(10) - w):
        d.ellipse([x0 * k, y0 * k, (x0 + w) * k - 1, (y0 + h) * k - 1], fill=(0, 0, 0, 255))
    # Mouth: the lower part of a circle, a wide smile; u = supersampled pixels per 32nd.
    assert k * size % 32 == 0
    u = k * size // 32
    d.arc([8 * u, 7 * u, 24 * u - 1, 25 * u - 1], start=22, end=158, fill=(0, 0, 0, 255),
          width=2 * u)


def face_16(d, k, size):
    # At 16 px antialiased features turn to mud, so eyes and mouth are placed pixel by pixel.
    assert size == 16

    def dot(x, y):
        d.rectangle([x * k, y * k, (x + 1) * k - 1, (y + 1) * k - 1], fill=(0, 0, 0, 255))
    for y in (4, 5, 6):
        dot(5, y)
        dot(10, y)
    for (x, y) in ((3, 9), (12, 9), (4, 10), (11, 10)):
        dot(x, y)
    for x in range(5, 11):
        dot(x, 11)


# size: (outline width in output px, strength of the highlight, features).
# The outline is a twentieth of the face from 32 up; below that it is kept above one pixel
# so that the face still has an edge on light panels.
FACES = {
    16: (1.1, 0.6, face_16),
    22: (1.25, 1.0, face_32),
    24: (1.3, 1.0, face_32),
    32: (1.6, 1.0, face_32),
    48: (2.4, 1.0, face_32),
    64: (3.2, 1.0, face_32),
    128: (6.4, 1.0, face_32),
    256: (12.8, 1.0, face_32),
}


@functools.lru_cache(maxsize=None)
def draw_face(size):
    """The face as an RGBA picture of `size` px: drawn supersampled, then box-reduced."""
    outline, highlight, features = FACES[size]
    # 16x for the small sizes; large ones need no more than about 1024 px to work on, which
    # keeps the per-pixel shading quick.
    k = max(4, min(16, 1024 // size))
    s = size * k
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))

    # Face: shaded yellow disc (light top-left, amber bottom-right) inside a black ring.
    c = s / 2
    r_out = s / 2 - 0.1 * k
    px = img.load()
    for y in range(s):
        for x in range(s):
            dx, dy = (x + 0.5 - c) / r_out, (y + 0.5 - c) / r_out
            if dx * dx + dy * dy > 1:
                continue
            # Light from the upper left, kept gentle so the features stay the eye-catcher.
            t = max(0.0, min(1.0, 0.5 + 0.55 * (dx + dy) / 2 ** 0.5))
            hl = highlight * max(0.0, 1 - math.hypot(dx + 0.42, dy + 0.45) / 0.45)
            g0, b0 = 232 - 40 * t, 40 - 40 * t
            px[x, y] = (255, int(g0 + (250 - g0) * hl), int(b0 + (200 - b0) * hl), 255)

    d = ImageDraw.Draw(img)
    d.ellipse([0.1 * k, 0.1 * k, s - 0.1 * k - 1, s - 0.1 * k - 1], outline=(0, 0, 0, 255),
              width=int(round(outline * k)))
    features(d, k, size)
    return img.resize((size, size), Image.BOX)


def icon_rows(size, allowed):
    """The face as XOR (palette index) and AND (transparency) rows for a 16-colour icon."""
    spx = draw_face(size).load()
    xor_rows, and_rows = [], []
    for y in range(size):
        xr, ar = [], []
        for x in range(size):
            r, g, b, a = spx[x, y]
            if a < 112:
                xr.append(0)
                ar.append(1)
            else:
                # Edge pixels are partly covered by the black ring only, so their
                # un-premultiplied colour is that of the ring.
                col = (r * 255 // a, g * 255 // a, b * 255 // a)
                xr.append(nearest(col, allowed))
                ar.append(0)
        xor_rows.append(xr)
        and_rows.append(ar)
    return xor_rows, and_rows


def write_icon():
    entries = []
    # The 16-px face keeps hard edges: its dark in-between shades read as dirt, not as
    # smoothing, so it only picks from black and the bright yellows.
    for size, allowed in ((32, range(len(ICON_PALETTE))), (16, (0, 6, 7, 8, 9, 10, 11))):
        xor_rows, and_rows = icon_rows(size, allowed)
        blob = dib(size, size, 4, ICON_PALETTE, xor_rows, and_rows)
        entries.append((size, size, 16, 1, 4, blob))
    with open(out("icon.ico"), "wb") as f:
        f.write(icon_container(1, entries))


def write_icon_set():
    for size in FACES:
        save_png(draw_face(size), "icons/popadaika-%d.png" % size)
    with open(out("icons/popadaika.svg"), "w", encoding="utf-8", newline="\n") as f:
        f.write(FACE_SVG)


# The same face for any size, in the units of the 32-px face: the disc of radius 15.9 under a
# 1.6-wide ring, draw_face's shading between its light and dark ends (t = 0 and 1) and its
# highlight spot, the eye boxes of face_32 and its mouth arc (the stroke runs along the middle
# of the band the raster arc fills).
FACE_SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="shade" gradientUnits="userSpaceOnUse"
                    x1="5.78" y1="5.78" x2="26.22" y2="26.22">
      <stop offset="0" stop-color="#ffe828"/>
      <stop offset="1" stop-color="#ffc000"/>
    </linearGradient>
    <radialGradient id="shine" gradientUnits="userSpaceOnUse" cx="9.32" cy="8.85" r="7.16">
      <stop offset="0" stop-color="#fffac8" stop-opacity="1"/>
      <stop offset="1" stop-color="#fffac8" stop-opacity="0"/>
    </radialGradient>
    <clipPath id="face">
      <circle cx="16" cy="16" r="15.9"/>
    </clipPath>
  </defs>
  <circle cx="16" cy="16" r="15.9" fill="url(#shade)"/>
  <circle cx="9.32" cy="8.85" r="7.16" fill="url(#shine)" clip-path="url(#face)"/>
  <circle cx="16" cy="16" r="15.1" fill="none" stroke="#000" stroke-width="1.6"/>
  <ellipse cx="11.5" cy="11" rx="1.5" ry="3"/>
  <ellipse cx="20.5" cy="11" rx="1.5" ry="3"/>
  <path d="M 22.49 19 A 7 8 0 0 1 9.51 19" fill="none" stroke="#000" stroke-width="2"/>
</svg>
"""


# ---------------------------------------------------------------- the banner

# Sizes and positions are those of the 320x100 banner; `scale` multiplies every length.
BANNER_W, BANNER_H = 320, 100
BANNER_TEXT = "Попадайка"
TEXT_COLOUR = (16, 20, 52)   # dark navy


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def banner_background(scale):
    w, h = BANNER_W * scale, BANNER_H * scale
    green, grey, red = (46, 160, 67), (226, 228, 226), (206, 46, 46)
    img = Image.new("RGB", (w, h))
    px = img.load()
    for x in range(w):
        t = x / (w - 1)
        col = lerp(green, grey, t * 2) if t < 0.5 else lerp(grey, red, (t - 0.5) * 2)
        for y in range(h):
            px[x, y] = col
    # Soft blobs of the neighbouring colour give the gradient some life; positions fixed.
    d = ImageDraw.Draw(img)
    blobs = [
        (18, 20, 30, (90, 190, 100)), (60, 80, 34, (30, 130, 50)), (105, 15, 26, (150, 205, 150)),
        (160, 88, 30, (245, 245, 240)), (165, 10, 22, (205, 210, 205)),
        (215, 80, 28, (235, 170, 165)), (262, 18, 32, (225, 85, 80)), (305, 78, 30, (170, 30, 35)),
    ]
    for (bx, by, br, col) in blobs:
        bx, by, br = bx * scale, by * scale, br * scale
        d.ellipse([bx - br, by - br, bx + br, by + br], fill=col)
    return img.filter(ImageFilter.GaussianBlur(9 * scale))


def fit_font(margin_x, margin_y):
    size = 100
    while size > 8:
        font = ImageFont.truetype(FONT, size)
        l, t, r, b = font.getbbox(BANNER_TEXT)
        if r - l <= BANNER_W - 2 * margin_x and b - t <= BANNER_H - 2 * margin_y:
            return font
        size -= 1
    return ImageFont.truetype(FONT, size)


def draw_banner(scale):
    img = banner_background(scale)
    # The size that fits the 1x banner, scaled: a fit of its own could round differently
    # and change the letters' proportion to the picture.
    font = ImageFont.truetype(FONT, fit_font(14, 14).size * scale)
    l, t, r, b = font.getbbox(BANNER_TEXT)
    # Centre the ink, not the font's advance box.
    x = (img.width - (r - l)) / 2 - l
    y = (img.height - (b - t)) / 2 - t

    # A soft pale halo keeps the dark letters readable over the saturated ends.
    halo = Image.new("L", img.size, 0)
    ImageDraw.Draw(halo).text((x, y), BANNER_TEXT, font=font, fill=255)
    halo = halo.filter(ImageFilter.MaxFilter(2 * scale + 1))
    halo = halo.filter(ImageFilter.GaussianBlur(2.5 * scale))
    halo = halo.point(lambda v: v * 150 // 255)
    img.paste(Image.new("RGB", img.size, (255, 255, 248)), (0, 0), halo)

    d = ImageDraw.Draw(img)
    d.text((x, y), BANNER_TEXT, font=font, fill=TEXT_COLOUR)
    return img


def write_banner():
    img = draw_banner(1)
    pal = img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal.save(out("banner.gif"), "GIF", optimize=False)


def write_banner_2x():
    save_png(draw_banner(2), "banner@2x.png")


# ---------------------------------------------------------------- target.gif

# Geometry around pixel (12,12), d = distance of a pixel centre from it:
#   disc  d <= 4.5,  inner ring 4.5 < d <= 8.5,  outer ring 8.5 < d <= 12.5,  outside beyond.
# A pixel is black where its zone differs from a 4-neighbour's further out (a 1-px outline
# on the inner side of every boundary), and on row 12 / column 12 inside the circle.
TARGET = 25
CENTRE = 12
RADII = (4.5, 8.5, 12.5)
T_TRANSPARENT, T_YELLOW, T_RED, T_BLACK = 0, 1, 2, 3
TARGET_PALETTE = [(255, 255, 255), (255, 255, 0), (255, 0, 0), (0, 0, 0)]


def zone(x, y):
    d = math.hypot(x - CENTRE, y - CENTRE)
    for i, r in enumerate(RADII):
        if d <= r:
            return i
    return len(RADII)


def target_index(x, y):
    z = zone(x, y)
    if z == len(RADII):
        return T_TRANSPARENT
    if x == CENTRE or y == CENTRE:
        return T_BLACK
    for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
        if zone(nx, ny) > z:
            return T_BLACK
    right, up = x > CENTRE, y < CENTRE
    quarter = {(True, True): 0, (False, True): 1, (False, False): 2, (True, False): 3}[(right, up)]
    return field_index(z, quarter)


def field_index(z, quarter):
    # Quarters are numbered around the circle, so neighbouring quarters differ in parity, as
    # neighbouring zones do: the fields alternate like a chequerboard.
    return T_RED if (z + quarter) % 2 == 0 else T_YELLOW


def write_target():
    img = Image.new("P", (TARGET, TARGET), T_TRANSPARENT)
    img.putpalette([c for rgb in TARGET_PALETTE for c in rgb])
    px = img.load()
    for y in range(TARGET):
        for x in range(TARGET):
            px[x, y] = target_index(x, y)
    img.save(out("target.gif"), "GIF", transparency=T_TRANSPARENT, optimize=False)


# ---------------------------------------------------------------- target-hires.png

# The game shrinks this picture smoothly to every target size, 13 to 74 device pixels. Lines
# as thin as the GIF's (a 25th of the width) fade to a grey haze at 13 px, so they are 1.65 GIF
# pixels wide here: nearly a whole pixel at 13, which keeps the outline and the cross, and
# not yet heavy at 74 (5 px). Drawn at 4x and reduced with Lanczos for smooth edges.
TARGET_HIRES = 512
TARGET_SUPERSAMPLE = 4
TARGET_LINE = 1.65
TARGET_R = TARGET / 2


def target_field_radii():
    """Outer and inner radii of each zone's coloured field, in GIF pixels, disc first."""
    # As in the GIF, every field shows equally wide: the disc is wider by the half of the
    # cross that covers its middle.
    ring = (TARGET_R - 3.5 * TARGET_LINE) / 3
    fields, r = [], 0.0
    for w in (ring + TARGET_LINE / 2, ring, ring):
        fields.append((r + w, r))
        r += w + TARGET_LINE
    return fields


def write_target_hires():
    s = TARGET_HIRES * TARGET_SUPERSAMPLE
    unit = s / TARGET            # supersampled pixels per GIF pixel
    c = s / 2

    def box(r):
        e = int(round(r * unit))
        return [c - e, c - e, c + e - 1, c + e - 1]

    # Black ground, coloured fields cut out of it from the outside in; what remains between
    # the fields is the outline.
    img = Image.new("RGB", (s, s), TARGET_PALETTE[T_BLACK])
    d = ImageDraw.Draw(img)
    for z, (outer, inner) in reversed(list(enumerate(target_field_radii()))):
        for quarter in range(4):
            # PIL's angles run clockwise from 3 o'clock: quarter 0, the upper right, is
            # 270..360, and the others follow around the circle as in target_index.
            start = 270 - 90 * quarter
            d.pieslice(box(outer), start, start + 90,
                       fill=TARGET_PALETTE[field_index(z, quarter)])
        if inner > 0:
            d.ellipse(box(inner), fill=TARGET_PALETTE[T_BLACK])
    half = int(round(TARGET_LINE * unit / 2))
    d.rectangle([c - half, 0, c + half - 1, s - 1], fill=TARGET_PALETTE[T_BLACK])
    d.rectangle([0, c - half, s - 1, c + half - 1], fill=TARGET_PALETTE[T_BLACK])

    alpha = Image.new("L", (s, s), 0)
    ImageDraw.Draw(alpha).ellipse(box(TARGET_R), fill=255)
    img.putalpha(alpha)
    # Pillow resamples RGBA premultiplied: the colour under transparent pixels cannot bleed
    # into the edge.
    save_png(img.resize((TARGET_HIRES, TARGET_HIRES), Image.LANCZOS), "target-hires.png")


if __name__ == "__main__":
    write_crosshair()
    write_crosshair_png(CROSS_2X, "crosshair@2x.png")
    write_crosshair_png(CROSS_15X, "crosshair@1.5x.png")
    write_icon()
    write_icon_set()
    write_banner()
    write_banner_2x()
    write_target()
    write_target_hires()
