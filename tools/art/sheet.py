"""Drawing docs/pictures.png, the contact sheet: every bitmap and icon image
as decoded back from the written files (not from the drawing step's memory),
so the sheet shows what the program will actually load.  Carries its own
small PNG writer for the embedded images."""

import base64
import os
import struct
import zlib

from bitmaps import read_bmp
from commands import run
from icon import read_ico
from pictures import BITMAPS, ICON, PICTURES, SHEET


def contact_sheet(tmp):
    """docs/pictures.png: every picture (decoded back from the files) with its
    file name and id, plus the four icon images."""
    def img_uri(w, h, rgba, k):
        return "data:image/png;base64," + base64.b64encode(
            png_bytes(w * k, h * k, scaled_rgba(w, h, rgba, k))).decode()

    def bmp_rgba(info):
        out = bytearray()
        for v in info["idx"]:
            out += bytes(info["pal"][v]) + b"\xff"
        return out

    cells = []
    for (name, rid, w, h, bpp, kind, src, ss, dither) in PICTURES:
        info = read_bmp(os.path.join(BITMAPS, name + ".bmp"))
        k = 1 if w >= 256 else 2
        cells.append((name + ".bmp", "id %d, %dx%d, %d bpp" % (rid, w, h, bpp),
                      w * k, h * k, img_uri(w, h, bmp_rgba(info), k)))
    icons = []
    for im in read_ico(ICON):
        n = im["bw"]
        rgba = bytearray()
        for v, t in zip(im["idx"], im["transp"]):
            rgba += bytes(im["pal"][v]) + (b"\x00" if t else b"\xff")
        icons.append((n, im["bbpp"], img_uri(n, n, rgba, 2)))

    W = 1180
    parts = []
    y = 60
    x = 20
    big = [c for c in cells if c[2] == 256]
    small = [c for c in cells if c[2] != 256]
    # big pictures: 4 per row
    col = 0
    for c in big:
        parts.append(cell(x + col * 290, y, c))
        col += 1
        if col == 4:
            col = 0
            y += 256 + 56
    if col:
        y += 256 + 56
    # small pictures
    xx = 20
    rowh = 0
    for c in small:
        if xx + c[2] > W - 20:
            xx = 20
            y += rowh + 56
            rowh = 0
        parts.append(cell(xx, y, c))
        xx += max(c[2], 170) + 40
        rowh = max(rowh, c[3])
    y += rowh + 56
    # icon
    xx = 20
    parts.append('<text x="%d" y="%d" class="t">norwyn.ico (id 122)</text>' % (xx, y + 4))
    y += 16
    for (n, bpp, uri) in icons:
        parts.append('<rect x="%d" y="%d" width="%d" height="%d" fill="url(#chk)"/>'
                     % (xx, y, 2 * n, 2 * n))
        parts.append('<image x="%d" y="%d" width="%d" height="%d" xlink:href="%s"/>'
                     % (xx, y, 2 * n, 2 * n, uri))
        parts.append('<text x="%d" y="%d" class="s">%dx%d, %d bpp (x2)</text>'
                     % (xx, y + 2 * n + 16, n, n, bpp))
        xx += max(2 * n, 110) + 20
    y += 96 + 30
    H = y
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
           'width="%d" height="%d">'
           '<defs><pattern id="chk" width="8" height="8" patternUnits="userSpaceOnUse">'
           '<rect width="8" height="8" fill="#9a9a9a"/><rect width="4" height="4" fill="#bdbdbd"/>'
           '<rect x="4" y="4" width="4" height="4" fill="#bdbdbd"/></pattern>'
           '<style>.t{font-family:"DejaVu Sans";font-size:14px;font-weight:bold;fill:#111}'
           '.s{font-family:"DejaVu Sans";font-size:12px;fill:#333}'
           '.h{font-family:"DejaVu Sans";font-size:22px;font-weight:bold;fill:#111}</style></defs>'
           '<rect width="100%%" height="100%%" fill="#c8c8c4"/>'
           '<text x="20" y="36" class="h">Norwyn pictures (resources/bitmaps, resources/norwyn.ico)</text>'
           '%s</svg>') % (W, H, "".join(parts))
    path = os.path.join(tmp, "sheet.svg")
    with open(path, "w") as f:
        f.write(svg)
    os.makedirs(os.path.dirname(SHEET), exist_ok=True)
    run(["rsvg-convert", "-o", SHEET, path])
    print("  wrote docs/pictures.png")


def cell(x, y, c):
    label, sub, w, h, uri = c
    return ('<text x="%d" y="%d" class="t">%s</text>'
            '<text x="%d" y="%d" class="s">%s</text>'
            '<rect x="%d" y="%d" width="%d" height="%d" fill="none" stroke="#555" stroke-width="2"/>'
            '<image x="%d" y="%d" width="%d" height="%d" xlink:href="%s"/>'
            % (x, y, label, x, y + 15, sub, x - 1, y + 21, w + 2, h + 2,
               x, y + 22, w, h, uri))


def png_bytes(w, h, rgba):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        raw += rgba[y * w * 4:(y + 1) * w * 4]

    def chunk(t, d):
        return (struct.pack(">I", len(d)) + t + d +
                struct.pack(">I", zlib.crc32(t + d) & 0xffffffff))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def scaled_rgba(w, h, rgba, k):
    out = bytearray()
    for y in range(h * k):
        row = rgba[(y // k) * w * 4:((y // k) + 1) * w * 4]
        line = bytearray()
        for x in range(w):
            line += row[4 * x:4 * x + 4] * k
        out += line
    return out

