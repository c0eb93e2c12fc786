#!/usr/bin/python3
"""Draws the game's pictures next to this script.

    icon.ico       window icon: a smiling face, 32x32 and 16x16, 16 colours each
    crosshair.cur  monochrome 32x32 aiming cursor, hotspot (15,15)
    banner.gif     320x100 title picture
    target.gif     25x25 round target, 4-colour palette with transparency

Output is byte-for-byte reproducible: nothing random, no timestamps, and the ICO/CUR
containers are written by hand (PIL only writes 32-bit or PNG entries into them).
Run with the system interpreter, which has PIL: /usr/bin/python3 assets/draw_assets.py
"""

import math
import os
import struct

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"


def out(name):
    return os.path.join(HERE, name)


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


# ---------------------------------------------------------------- crosshair.cur

# Geometry: both arms span 2..29, so the cross is symmetric about 15.5. Each arm is two 3-px
# bars, 12..14 and 17..19, around a 2-px slit 15..16 -- the slit sits on the same centre
# 15.5, and it contains the hotspot row/column 15, so the pixel under the hotspot stays
# clear and the player sees what is being aimed at.
CUR_SIZE = 32
CUR_HOTSPOT = (15, 15)
ARM_SPAN = range(2, 30)
BARS = (range(12, 15), range(17, 20))


def in_bar(v):
    return any(v in bar for bar in BARS)


def crosshair_opaque(x, y):
    horizontal = x in ARM_SPAN and in_bar(y)
    vertical = y in ARM_SPAN and in_bar(x)
    return horizontal or vertical


def write_crosshair():
    n = CUR_SIZE
    # Opaque black: AND 0, XOR 0 (palette entry 0). Transparent: AND 1, XOR 0.
    xor_rows = [[0] * n for _ in range(n)]
    and_rows = [[0 if crosshair_opaque(x, y) else 1 for x in range(n)] for y in range(n)]
    blob = dib(n, n, 1, [(0, 0, 0), (255, 255, 255)], xor_rows, and_rows)
    data = icon_container(2, [(n, n, 2, CUR_HOTSPOT[0], CUR_HOTSPOT[1], blob)])
    with open(out("crosshair.cur"), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- icon.ico

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


def face_32(d, k):
    # Eye boxes sit on whole pixels, mirrored about the centre 15.5, so both eyes come out
    # alike after the reduction.
    for x0 in (10, 19):
        d.ellipse([x0 * k, 8 * k, (x0 + 3) * k - 1, 14 * k - 1], fill=(0, 0, 0, 255))
    # Mouth: the lower part of a circle, a wide smile.
    d.arc([8 * k, 7 * k, 24 * k - 1, 25 * k - 1], start=22, end=158, fill=(0, 0, 0, 255),
          width=2 * k)


def face_16(d, k):
    # At 16 px antialiased features turn to mud, so eyes and mouth are placed pixel by pixel.
    def dot(x, y):
        d.rectangle([x * k, y * k, (x + 1) * k - 1, (y + 1) * k - 1], fill=(0, 0, 0, 255))
    for y in (4, 5, 6):
        dot(5, y)
        dot(10, y)
    for (x, y) in ((3, 9), (12, 9), (4, 10), (11, 10)):
        dot(x, y)
    for x in range(5, 11):
        dot(x, 11)


def draw_face(size, outline, highlight, features, allowed):
    """Renders the face at 16x supersampling and reduces it to `size`; lengths in output px."""
    k = 16
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
    features(d, k)

    small = img.resize((size, size), Image.BOX)
    spx = small.load()
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
    for size, outline, highlight, features, allowed in (
            (32, 1.6, 1.0, face_32, range(len(ICON_PALETTE))),
            (16, 1.1, 0.6, face_16, (0, 6, 7, 8, 9, 10, 11))):
        xor_rows, and_rows = draw_face(size, outline, highlight, features, allowed)
        blob = dib(size, size, 4, ICON_PALETTE, xor_rows, and_rows)
        entries.append((size, size, 16, 1, 4, blob))
    with open(out("icon.ico"), "wb") as f:
        f.write(icon_container(1, entries))


# ---------------------------------------------------------------- banner.gif

BANNER_W, BANNER_H = 320, 100
BANNER_TEXT = "Попадайка"
TEXT_COLOUR = (16, 20, 52)   # dark navy


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def banner_background():
    green, grey, red = (46, 160, 67), (226, 228, 226), (206, 46, 46)
    img = Image.new("RGB", (BANNER_W, BANNER_H))
    px = img.load()
    for x in range(BANNER_W):
        t = x / (BANNER_W - 1)
        col = lerp(green, grey, t * 2) if t < 0.5 else lerp(grey, red, (t - 0.5) * 2)
        for y in range(BANNER_H):
            px[x, y] = col
    # Soft blobs of the neighbouring colour give the gradient some life; positions fixed.
    d = ImageDraw.Draw(img)
    blobs = [
        (18, 20, 30, (90, 190, 100)), (60, 80, 34, (30, 130, 50)), (105, 15, 26, (150, 205, 150)),
        (160, 88, 30, (245, 245, 240)), (165, 10, 22, (205, 210, 205)),
        (215, 80, 28, (235, 170, 165)), (262, 18, 32, (225, 85, 80)), (305, 78, 30, (170, 30, 35)),
    ]
    for (bx, by, br, col) in blobs:
        d.ellipse([bx - br, by - br, bx + br, by + br], fill=col)
    return img.filter(ImageFilter.GaussianBlur(9))


def fit_font(margin_x, margin_y):
    size = 100
    while size > 8:
        font = ImageFont.truetype(FONT, size)
        l, t, r, b = font.getbbox(BANNER_TEXT)
        if r - l <= BANNER_W - 2 * margin_x and b - t <= BANNER_H - 2 * margin_y:
            return font
        size -= 1
    return ImageFont.truetype(FONT, size)


def write_banner():
    img = banner_background()
    font = fit_font(14, 14)
    l, t, r, b = font.getbbox(BANNER_TEXT)
    # Centre the ink, not the font's advance box.
    x = (BANNER_W - (r - l)) / 2 - l
    y = (BANNER_H - (b - t)) / 2 - t

    # A soft pale halo keeps the dark letters readable over the saturated ends.
    halo = Image.new("L", img.size, 0)
    ImageDraw.Draw(halo).text((x, y), BANNER_TEXT, font=font, fill=255)
    halo = halo.filter(ImageFilter.MaxFilter(3)).filter(ImageFilter.GaussianBlur(2.5))
    halo = halo.point(lambda v: v * 150 // 255)
    img.paste(Image.new("RGB", img.size, (255, 255, 248)), (0, 0), halo)

    d = ImageDraw.Draw(img)
    d.text((x, y), BANNER_TEXT, font=font, fill=TEXT_COLOUR)

    pal = img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal.save(out("banner.gif"), "GIF", optimize=False)


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
    # Quarters numbered around the circle, so neighbouring quarters differ in parity.
    right, up = x > CENTRE, y < CENTRE
    quarter = {(True, True): 0, (False, True): 1, (False, False): 2, (True, False): 3}[(right, up)]
    return T_RED if (z + quarter) % 2 == 0 else T_YELLOW


def write_target():
    img = Image.new("P", (TARGET, TARGET), T_TRANSPARENT)
    img.putpalette([c for rgb in TARGET_PALETTE for c in rgb])
    px = img.load()
    for y in range(TARGET):
        for x in range(TARGET):
            px[x, y] = target_index(x, y)
    img.save(out("target.gif"), "GIF", transparency=T_TRANSPARENT, optimize=False)


# ---------------------------------------------------------------- resources




if __name__ == "__main__":
    write_crosshair()
    write_icon()
    write_banner()
    write_target()
