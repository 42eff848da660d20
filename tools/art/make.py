#!/usr/bin/env python3
"""Norwyn picture generator.

Renders the SVG drawings in tools/art/svg/ with rsvg-convert (supersampled,
then box-filtered down with ImageMagick), quantises them to a palette with
ImageMagick, and writes the Windows BMP files, the icon and the contact sheet
with the writers below (python standard library only).  Ends with a
self-check that reads every output back and fails loudly if a rule is broken.

Usage: tools/art/build            (or: python3 tools/art/make.py)
       python3 tools/art/make.py --check   (only the self-check)
"""

import base64
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ART = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(ART, "..", ".."))
SVG = os.path.join(ART, "svg")
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")
ICON = os.path.join(ROOT, "resources", "norwyn.ico")
SHEET = os.path.join(ROOT, "docs", "pictures.png")

# Alpha (0..255) from which a rendered pixel of a black-ground picture counts
# as part of the figure; below it the pixel is exact black.
FIGURE_ALPHA = 40

# name, id, width, height, bits per pixel, kind, source, supersampling, dither
#   kind: "background" - opaque picture, full palette
#         "sprite"     - figure on exact black (alpha of the drawing decides)
#         "plate"      - opaque small credits plate
#         "mask1"/"mask4" - silhouette of another picture
PICTURES = [
    ("sword", 107, 256, 256, 8, "background", "sword.svg", 4, True),
    ("barbarian", 106, 256, 256, 8, "sprite", "barbarian.svg", 4, True),
    ("barbarian_mask", 103, 256, 256, 1, "mask1", "barbarian", 0, False),
    ("knight", 118, 256, 256, 8, "sprite", "knight.svg", 4, True),
    ("knight_mask", 121, 256, 256, 4, "mask4", "knight", 0, False),
    ("logos", 117, 256, 256, 8, "sprite", "logos.svg", 4, False),
    ("blood_drop", 123, 256, 256, 8, "sprite", "blood_drop.svg", 4, False),
    ("credits_norwyn", 110, 100, 41, 8, "plate", "credits_norwyn.svg", 1, False),
    ("credits_halvoren", 127, 100, 41, 8, "plate", "credits_halvoren.svg", 1, False),
    ("credits_galdrune", 112, 100, 54, 8, "plate", "credits_galdrune.svg", 1, False),
    ("credits_pelquin", 116, 100, 54, 8, "plate", "credits_pelquin.svg", 1, False),
    ("credits_title", 113, 170, 25, 8, "plate", "credits_title.svg", 1, False),
    ("signature", 119, 54, 14, 8, "plate", "signature.svg", 1, False),
]

# icon images: size, bits per pixel (in this order in the file)
ICON_IMAGES = [(32, 4), (16, 4), (32, 8), (48, 8)]

# The 16 colours of the 4-bit icon images, chosen for the design (badge blues,
# gold, steel, blood red); entry 0 black (transparent pixels).
ICON_PALETTE16 = [(0, 0, 0), (10, 14, 32), (22, 34, 72), (34, 52, 104),
                  (60, 84, 140), (122, 74, 18), (212, 154, 48), (255, 214, 110),
                  (150, 90, 40), (140, 156, 180), (200, 212, 228),
                  (248, 250, 255), (122, 0, 16), (214, 18, 34), (255, 128, 144),
                  (70, 40, 20)]

# The 16 colours of the classic VGA palette (entry 0 black, entry 15 white).
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
         (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
         (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
         (0, 255, 255), (255, 255, 255)]


class Failure(Exception):
    pass


def fail(msg):
    raise Failure(msg)


# ---------------------------------------------------------------- tools

def find_convert():
    if os.path.exists("/usr/bin/convert"):
        return ["/usr/bin/convert"]
    magick = shutil.which("magick")
    if magick:
        return [magick, "convert"]
    fail("ImageMagick not found (need /usr/bin/convert or magick)")


def run(cmd, data=None):
    p = subprocess.run(cmd, input=data, stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE)
    if p.returncode != 0:
        fail("command failed: %s\n%s" % (" ".join(cmd),
                                          p.stderr.decode("utf-8", "replace")))
    return p.stdout


class Renderer:
    def __init__(self, tmp):
        self.tmp = tmp
        self.convert = find_convert()
        if not shutil.which("rsvg-convert"):
            fail("rsvg-convert not found (package librsvg2-bin)")

    def rgba(self, svg, w, h, ss):
        """Render svg at (w*ss, h*ss), box-filter down to w x h.
        Returns a bytearray of w*h*4 RGBA bytes, top row first."""
        png = os.path.join(self.tmp, "r.png")
        run(["rsvg-convert", "-w", str(w * ss), "-h", str(h * ss),
             "-o", png, svg])
        cmd = self.convert + [png]
        if ss != 1:
            cmd += ["-filter", "Box", "-resize", "%dx%d!" % (w, h)]
        cmd += ["-depth", "8", "rgba:-"]
        out = run(cmd)
        if len(out) != w * h * 4:
            fail("unexpected render size for %s" % svg)
        return bytearray(out)

    def quantise(self, rgb, w, h, colours, dither):
        """Quantise w x h RGB bytes to at most `colours` colours."""
        cmd = self.convert + ["-size", "%dx%d" % (w, h), "-depth", "8",
                              "rgb:-", "-dither",
                              "FloydSteinberg" if dither else "None",
                              "-colors", str(colours), "-depth", "8", "rgb:-"]
        out = run(cmd, bytes(rgb))
        if len(out) != w * h * 3:
            fail("unexpected quantiser output size")
        return out


# ---------------------------------------------------------------- images

def to_indexed(pixels, forced_first=None):
    """pixels: list of (r,g,b).  Returns (palette, indices) with the palette
    sorted by brightness; forced_first (a colour) gets index 0."""
    colours = set(pixels)
    if forced_first is not None:
        colours.discard(forced_first)
    pal = sorted(colours, key=lambda c: (c[0] * 299 + c[1] * 587 + c[2] * 114, c))
    if forced_first is not None:
        pal = [forced_first] + pal
    index = {c: i for i, c in enumerate(pal)}
    return pal, [index[c] for c in pixels]


def nearest(pal, c, skip_black=False):
    best, bd = None, None
    for i, p in enumerate(pal):
        if skip_black and p == (0, 0, 0):
            continue
        d = (p[0] - c[0]) ** 2 * 3 + (p[1] - c[1]) ** 2 * 4 + (p[2] - c[2]) ** 2 * 2
        if bd is None or d < bd:
            best, bd = i, d
    return best


def make_opaque(r, rgba, w, h, colours, dither):
    rgb = bytearray(w * h * 3)
    for i in range(w * h):
        a = rgba[4 * i + 3]
        for k in range(3):  # composite onto black (drawings are opaque anyway)
            rgb[3 * i + k] = (rgba[4 * i + k] * a + 127) // 255
    q = r.quantise(rgb, w, h, colours, dither)
    pixels = [tuple(q[3 * i:3 * i + 3]) for i in range(w * h)]
    return to_indexed(pixels)


def make_on_black(r, rgba, w, h, colours, dither, alpha_min=FIGURE_ALPHA):
    """Figure on exact black: pixels whose drawing alpha is below alpha_min
    are exact black; all others are non-black."""
    rgb = bytearray(w * h * 3)
    figure = [False] * (w * h)
    for i in range(w * h):
        a = rgba[4 * i + 3]
        if a >= alpha_min:
            figure[i] = True
            for k in range(3):
                rgb[3 * i + k] = (rgba[4 * i + k] * a + 127) // 255
    # leave one slot for exact black
    q = r.quantise(rgb, w, h, colours - 1, dither)
    qpix = [tuple(q[3 * i:3 * i + 3]) for i in range(w * h)]
    used = sorted(set(qpix[i] for i in range(w * h) if figure[i]))
    if (0, 0, 0) in used:
        used.remove((0, 0, 0))
    if not used:
        fail("empty figure")
    pixels = []
    for i in range(w * h):
        if not figure[i]:
            pixels.append((0, 0, 0))
        elif qpix[i] == (0, 0, 0):
            # a figure pixel the quantiser sent to black: nearest non-black
            c = rgb[3 * i:3 * i + 3]
            pixels.append(used[nearest(used, c)])
        else:
            pixels.append(qpix[i])
    return to_indexed(pixels, forced_first=(0, 0, 0))


# ---------------------------------------------------------------- BMP

def bmp_bytes(w, h, bpp, palette, indices):
    """Windows DIB: BITMAPFILEHEADER + BITMAPINFOHEADER + full palette +
    bottom-up rows padded to 4 bytes.  indices: top row first."""
    ncol = 1 << bpp
    if len(palette) > ncol:
        fail("palette too large")
    pal = list(palette) + [(0, 0, 0)] * (ncol - len(palette))
    rowbytes = ((w * bpp + 31) // 32) * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = indices[y * w:(y + 1) * w]
        line = bytearray(rowbytes)
        if bpp == 8:
            line[:w] = bytes(row)
        elif bpp == 4:
            for x, v in enumerate(row):
                line[x >> 1] |= v << (4 if x % 2 == 0 else 0)
        elif bpp == 1:
            for x, v in enumerate(row):
                if v:
                    line[x >> 3] |= 0x80 >> (x & 7)
        data += line
    off = 14 + 40 + 4 * ncol
    size = off + len(data)
    out = bytearray()
    out += struct.pack("<2sIHHI", b"BM", size, 0, 0, off)
    out += struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(data),
                       2835, 2835, ncol, 0)
    for (cr, cg, cb) in pal:
        out += bytes((cb, cg, cr, 0))
    out += data
    return bytes(out)


def read_bmp(path):
    """Strict reader; returns dict with header fields, palette, indices."""
    b = open(path, "rb").read()
    if len(b) < 54 or b[:2] != b"BM":
        fail("%s: not a BM file" % path)
    _, size, r1, r2, off = struct.unpack("<2sIHHI", b[:14])
    (bisize, w, h, planes, bpp, comp, sizeimg, xppm, yppm, clrused,
     clrimp) = struct.unpack("<IiiHHIIiiII", b[14:54])
    ncol = 1 << bpp
    rowbytes = ((w * bpp + 31) // 32) * 4
    pal = []
    for i in range(clrused):
        cb, cg, cr, z = b[54 + 4 * i:58 + 4 * i]
        if z != 0:
            fail("%s: RGBQUAD reserved byte not zero" % path)
        pal.append((cr, cg, cb))
    info = dict(size=size, filelen=len(b), res=(r1, r2), off=off,
                bisize=bisize, w=w, h=h, planes=planes, bpp=bpp, comp=comp,
                sizeimg=sizeimg, clrused=clrused, clrimp=clrimp, pal=pal,
                ncol=ncol, rowbytes=rowbytes)
    if off != 54 + 4 * clrused or len(b) != off + rowbytes * abs(h):
        fail("%s: offsets/size inconsistent" % path)
    idx = [0] * (w * h)
    for y in range(h):
        line = b[off + (h - 1 - y) * rowbytes: off + (h - y) * rowbytes]
        for x in range(w):
            if bpp == 8:
                v = line[x]
            elif bpp == 4:
                v = (line[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15
            elif bpp == 1:
                v = (line[x >> 3] >> (7 - (x & 7))) & 1
            else:
                fail("%s: unexpected depth" % path)
            idx[y * w + x] = v
        used_bits = w * bpp
        # padding bits / bytes must be zero
        for bit in range(used_bits, rowbytes * 8):
            if (line[bit >> 3] >> (7 - (bit & 7))) & 1:
                fail("%s: non-zero row padding" % path)
    info["idx"] = idx
    return info


# ---------------------------------------------------------------- PNG

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


# ---------------------------------------------------------------- ICO

def ico_bytes(images):
    """images: list of (size, bpp, palette, indices, transparent flags)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    blobs = []
    for (n, bpp, pal, idx, transp) in images:
        ncol = 1 << bpp
        pal = list(pal) + [(0, 0, 0)] * (ncol - len(pal))
        xor_row = ((n * bpp + 31) // 32) * 4
        and_row = ((n + 31) // 32) * 4
        xor = bytearray()
        andm = bytearray()
        for y in range(n - 1, -1, -1):
            line = bytearray(xor_row)
            mline = bytearray(and_row)
            for x in range(n):
                v = idx[y * n + x]
                if bpp == 8:
                    line[x] = v
                else:
                    line[x >> 1] |= v << (4 if x % 2 == 0 else 0)
                if transp[y * n + x]:
                    mline[x >> 3] |= 0x80 >> (x & 7)
            xor += line
            andm += mline
        bih = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0,
                          len(xor) + len(andm), 0, 0, 0, 0)
        blob = bih + b"".join(bytes((c[2], c[1], c[0], 0)) for c in pal) + xor + andm
        blobs.append((n, bpp, blob))
    offset = 6 + 16 * len(images)
    dirs = b""
    for (n, bpp, blob) in blobs:
        dirs += struct.pack("<BBBBHHII", n, n, 16 if bpp == 4 else 0, 0, 1,
                            bpp, len(blob), offset)
        offset += len(blob)
    return head + dirs + b"".join(b[2] for b in blobs)


def read_ico(path):
    b = open(path, "rb").read()
    res, typ, count = struct.unpack("<HHH", b[:6])
    if res != 0 or typ != 1:
        fail("ico: bad header")
    out = []
    end = 6 + 16 * count
    for i in range(count):
        (w, h, cc, r0, planes, bpp, nbytes, off) = struct.unpack(
            "<BBBBHHII", b[6 + 16 * i:22 + 16 * i])
        if off != end:
            fail("ico: image %d not contiguous" % i)
        end = off + nbytes
        blob = b[off:off + nbytes]
        (bisize, bw, bh, bplanes, bbpp, comp, simg, _, _, cu, ci) = \
            struct.unpack("<IiiHHIIiiII", blob[:40])
        ncol = 1 << bbpp
        xor_row = ((bw * bbpp + 31) // 32) * 4
        and_row = ((bw + 31) // 32) * 4
        pal = [(blob[40 + 4 * k + 2], blob[40 + 4 * k + 1], blob[40 + 4 * k])
               for k in range(ncol)]
        po = 40 + 4 * ncol
        if nbytes != po + (xor_row + and_row) * bw:
            fail("ico: image %d size mismatch" % i)
        idx, transp = [], []
        for y in range(bw):
            line = blob[po + (bw - 1 - y) * xor_row:po + (bw - y) * xor_row]
            mo = po + xor_row * bw + (bw - 1 - y) * and_row
            mline = blob[mo:mo + and_row]
            for x in range(bw):
                if bbpp == 8:
                    idx.append(line[x])
                else:
                    idx.append((line[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15)
                transp.append((mline[x >> 3] >> (7 - (x & 7))) & 1)
        out.append(dict(w=w, h=h, cc=cc, r0=r0, planes=planes, bpp=bpp,
                        bisize=bisize, bw=bw, bh=bh, bplanes=bplanes,
                        bbpp=bbpp, comp=comp, simg=simg, pal=pal, idx=idx,
                        transp=transp, nbytes=nbytes))
    if end != len(b):
        fail("ico: trailing bytes or truncated file")
    return out


# ---------------------------------------------------------------- build

def build(tmp, only=None):
    r = Renderer(tmp)
    os.makedirs(BITMAPS, exist_ok=True)
    made = {}
    for (name, rid, w, h, bpp, kind, src, ss, dither) in PICTURES:
        if only is not None and name not in only and not (
                kind.startswith("mask") and src in only):
            continue
        if kind in ("background", "plate"):
            rgba = r.rgba(os.path.join(SVG, src), w, h, ss)
            pal, idx = make_opaque(r, rgba, w, h, 1 << bpp, dither)
        elif kind == "sprite":
            rgba = r.rgba(os.path.join(SVG, src), w, h, ss)
            pal, idx = make_on_black(r, rgba, w, h, 1 << bpp, dither)
        elif kind == "mask1":
            spal, sidx = made[src]
            pal = [(255, 255, 255), (0, 0, 0)]
            idx = [1 if spal[v] != (0, 0, 0) else 0 for v in sidx]
        elif kind == "mask4":
            spal, sidx = made[src]
            pal = VGA16
            idx = [0 if spal[v] != (0, 0, 0) else 15 for v in sidx]
        else:
            fail("unknown kind " + kind)
        made[name] = (pal, idx)
        with open(os.path.join(BITMAPS, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(w, h, bpp, pal, idx))
        print("  wrote resources/bitmaps/%s.bmp (%dx%d, %d bpp, %d colours)"
              % (name, w, h, bpp, len(pal)))
    if only is not None and "icon" not in only:
        return

    images = []
    for (n, bpp) in ICON_IMAGES:
        src = os.path.join(SVG, "icon%d.svg" % n)
        if not os.path.exists(src):
            src = os.path.join(SVG, "icon.svg")
        rgba = r.rgba(src, n, n, 8)
        transp = [rgba[4 * i + 3] < 128 for i in range(n * n)]
        # opaque pixels over black; transparent ones black
        for i in range(n * n):
            rgba[4 * i + 3] = 0 if transp[i] else 255
        if bpp == 8:
            pal, idx = make_on_black(r, rgba, n, n, 256, True, alpha_min=128)
        else:
            # 16 colours: nearest colour of a fixed palette, no dithering
            pal = ICON_PALETTE16
            cache = {}
            idx = []
            for i in range(n * n):
                if transp[i]:
                    idx.append(0)
                    continue
                c = tuple(rgba[4 * i:4 * i + 3])
                if c not in cache:
                    cache[c] = nearest(pal, c, skip_black=True)
                idx.append(cache[c])
        images.append((n, bpp, pal, idx, transp))
    with open(ICON, "wb") as f:
        f.write(ico_bytes(images))
    print("  wrote resources/norwyn.ico (%s)" %
          ", ".join("%dx%d %d bpp" % (n, n, b) for (n, b) in ICON_IMAGES))
    contact_sheet(tmp)


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


# ---------------------------------------------------------------- check

def check(tmp):
    problems = []

    def need(cond, msg):
        if not cond:
            problems.append(msg)

    conv = find_convert()
    decoded = {}
    for (name, rid, w, h, bpp, kind, src, ss, dither) in PICTURES:
        path = os.path.join(BITMAPS, name + ".bmp")
        label = "bitmaps/%s.bmp" % name
        if not os.path.exists(path):
            problems.append(label + ": missing")
            continue
        try:
            b = read_bmp(path)
        except Failure as e:
            problems.append(str(e))
            continue
        ncol = 1 << bpp
        need(b["size"] == b["filelen"], label + ": bfSize != file size")
        need(b["res"] == (0, 0), label + ": bfReserved not zero")
        need(b["off"] == 14 + 40 + 4 * ncol, label + ": bfOffBits wrong")
        need(b["bisize"] == 40, label + ": biSize != 40")
        need((b["w"], b["h"]) == (w, h), label + ": size %dx%d, want %dx%d"
             % (b["w"], b["h"], w, h))
        need(b["planes"] == 1, label + ": biPlanes != 1")
        need(b["bpp"] == bpp, label + ": %d bpp, want %d" % (b["bpp"], bpp))
        need(b["comp"] == 0, label + ": not BI_RGB")
        need(b["sizeimg"] in (0, b["rowbytes"] * h), label + ": biSizeImage wrong")
        need(b["clrused"] == ncol, label + ": biClrUsed %d, want %d"
             % (b["clrused"], ncol))
        need(b["clrimp"] == 0, label + ": biClrImportant not 0")
        need(len(b["pal"]) == ncol, label + ": palette count")
        need(max(b["idx"]) < len(b["pal"]), label + ": index out of palette")
        rgb = [b["pal"][v] for v in b["idx"]]
        decoded[name] = rgb
        # an independent decoder must agree, pixel for pixel
        im = run(conv + [path, "-depth", "8", "rgb:-"])
        mine = b"".join(bytes(c) for c in rgb)
        need(im == mine, label + ": ImageMagick decodes different pixels")
        ncolours = len(set(rgb))
        if kind == "background":
            need(ncolours >= 200, label + ": only %d colours" % ncolours)
            frame = [rgb[y * w + x] for y in range(h) for x in range(w)
                     if x < 4 or y < 4 or x >= w - 4 or y >= h - 4]
            lum = [(c[0] * 299 + c[1] * 587 + c[2] * 114) / 1000 for c in frame]
            need(sum(lum) / len(lum) < 40 and max(lum) < 120,
                 label + ": bright frame at the edges (mean %.1f max %.1f)"
                 % (sum(lum) / len(lum), max(lum)))
        if kind == "plate":
            need(ncolours >= 16, label + ": only %d colours" % ncolours)
        if kind == "sprite":
            need(ncolours >= 48, label + ": only %d colours (not shaded?)" % ncolours)
            border = [rgb[y * w + x] for y in range(h) for x in range(w)
                      if x == 0 or y == 0 or x == w - 1 or y == h - 1]
            need(all(c == (0, 0, 0) for c in border),
                 label + ": border not pure black")
            need(b["pal"][0] == (0, 0, 0), label + ": palette entry 0 not black")
            fig = sum(1 for c in rgb if c != (0, 0, 0))
            need(fig > w * h // 40, label + ": figure too small (%d px)" % fig)

    # ---- masks: exactly the silhouette
    for sprite, mask, opaque_index, clear_index, pal_req in (
            ("barbarian", "barbarian_mask", 1, 0,
             {0: (255, 255, 255), 1: (0, 0, 0)}),
            ("knight", "knight_mask", 0, 15,
             {0: (0, 0, 0), 15: (255, 255, 255)})):
        if sprite not in decoded or mask not in decoded:
            continue
        mb = read_bmp(os.path.join(BITMAPS, mask + ".bmp"))
        for k, c in pal_req.items():
            need(mb["pal"][k] == c, "%s: palette entry %d is %s, want %s"
                 % (mask, k, mb["pal"][k], c))
        srgb = decoded[sprite]
        bad = 0
        for c, v in zip(srgb, mb["idx"]):
            want = opaque_index if c != (0, 0, 0) else clear_index
            if v != want:
                bad += 1
        need(bad == 0, "%s: %d pixels disagree with the silhouette of %s"
             % (mask, bad, sprite))

    def nonblack_box(rgb, w, h):
        xs = [i % w for i, c in enumerate(rgb) if c != (0, 0, 0)]
        ys = [i // w for i, c in enumerate(rgb) if c != (0, 0, 0)]
        return min(xs), min(ys), max(xs), max(ys)

    # ---- barbarian: head at (0.58, 0.17)
    if "barbarian" in decoded:
        rgb = decoded["barbarian"]
        cx, cy = int(0.58 * 256), int(0.17 * 256)
        near = [rgb[y * 256 + x] for y in range(cy - 6, cy + 7)
                for x in range(cx - 6, cx + 7)]
        need(all(c != (0, 0, 0) for c in near),
             "barbarian: the head is not at (0.58, 0.17)")
        x0, y0, x1, y1 = nonblack_box(rgb, 256, 256)
        need(y1 - y0 > 200, "barbarian: not a full figure (height %d)" % (y1 - y0))
    if "knight" in decoded:
        x0, y0, x1, y1 = nonblack_box(decoded["knight"], 256, 256)
        need(y1 - y0 > 200, "knight: not a full figure (height %d)" % (y1 - y0))

    # ---- blood drop: inside x 0..89, y 0..115, round end at the bottom
    if "blood_drop" in decoded:
        rgb = decoded["blood_drop"]
        x0, y0, x1, y1 = nonblack_box(rgb, 256, 256)
        need(x0 >= 2 and y0 >= 2 and x1 <= 87 and y1 <= 113,
             "blood_drop: drop outside x 0..89, y 0..115 (box %s)"
             % ((x0, y0, x1, y1),))
        widths = []
        for y in range(y0, y1 + 1):
            widths.append(sum(1 for x in range(256) if rgb[y * 256 + x] != (0, 0, 0)))
        widest = widths.index(max(widths))
        need(widest > 0.55 * len(widths), "blood_drop: the heavy end is not at the bottom")
        need(widths[len(widths) // 10] < 0.35 * max(widths),
             "blood_drop: the top is not a thin tail")
        red = [c for c in rgb if c != (0, 0, 0)]
        need(sum(c[0] for c in red) > 2 * sum(c[1] + c[2] for c in red) / 2,
             "blood_drop: not red")

    # ---- logos: corner logo enclosed in x 0..89, y 0..38
    if "logos" in decoded:
        rgb = decoded["logos"]
        inside = [rgb[y * 256 + x] for y in range(0, 39) for x in range(0, 90)]
        need(sum(1 for c in inside if c != (0, 0, 0)) > 300,
             "logos: no corner logo in x 0..89, y 0..38")
        need(max(max(c) for c in inside) > 200, "logos: corner logo not bright")
        gutter = [rgb[y * 256 + x] for y in range(0, 46) for x in range(0, 96)
                  if x >= 88 or y >= 37]
        need(all(c == (0, 0, 0) for c in gutter),
             "logos: the corner logo is not separated by black from the rest")
        need(sum(1 for c in rgb if c != (0, 0, 0)) > 256 * 256 // 8,
             "logos: the sheet holds too little")

    # ---- icon
    if not os.path.exists(ICON):
        problems.append("norwyn.ico: missing")
    else:
        try:
            ims = read_ico(ICON)
        except Failure as e:
            problems.append(str(e))
            ims = []
        need(len(ims) == 4, "norwyn.ico: %d images, want 4" % len(ims))
        for im, (n, bpp) in zip(ims, ICON_IMAGES):
            lab = "norwyn.ico %dx%d %dbpp" % (n, n, bpp)
            need(im["w"] == n and im["h"] == n and im["bw"] == n
                 and im["bh"] == 2 * n, lab + ": dimensions")
            need(im["cc"] == (16 if bpp == 4 else 0), lab + ": bColorCount")
            need(im["bpp"] == bpp and im["bbpp"] == bpp, lab + ": bit count")
            need(im["planes"] == 1 and im["bplanes"] == 1, lab + ": planes")
            need(im["bisize"] == 40 and im["comp"] == 0, lab + ": header")
            t = im["transp"]
            need(t[0] and t[n - 1] and t[-1] and t[-n], lab + ": corners not transparent")
            need(not t[(n // 2) * n + n // 2], lab + ": centre transparent")
            need(all(im["pal"][v] == (0, 0, 0) for v, tr in zip(im["idx"], t) if tr),
                 lab + ": transparent pixels not black in the colour image")
            need(len(set(im["pal"][v] for v, tr in zip(im["idx"], t) if not tr)) >= 8,
                 lab + ": too few colours")

    if not os.path.exists(SHEET):
        problems.append("docs/pictures.png: missing")

    if problems:
        print("SELF-CHECK FAILED:")
        for p in problems:
            print("  - " + p)
        return False
    print("self-check passed: %d bitmaps, icon (4 images), contact sheet"
          % len(PICTURES))
    return True


def main():
    args = sys.argv[1:]
    only_check = "--check" in args
    only = None
    if "--only" in args:  # development aid: rebuild some pictures, no check
        only = args[args.index("--only") + 1].split(",")
    tmp = tempfile.mkdtemp(prefix="norwyn-art-")
    try:
        if only is not None:
            build(tmp, only)
            ok = True
        else:
            if not only_check:
                build(tmp)
            ok = check(tmp)
    except Failure as e:
        print("ERROR: %s" % e)
        ok = False
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
