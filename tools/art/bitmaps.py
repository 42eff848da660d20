"""Writing resources/bitmaps/*.bmp: each picture in the table is drawn from
its SVG (or, for a mask, derived from its figure) and written as a Windows
BMP.  The BMP byte layout lives here both ways: bmp_bytes writes it and
read_bmp reads it back strictly for the self-check and the contact sheet."""

import os
import struct

from commands import fail
from masks import is_mask, mask_of
from pictures import BITMAPS, PICTURES, SVG
from render import make_on_black, make_opaque


def write_bitmaps(r, only=None):
    """only: names to rebuild (a mask comes along with its figure)."""
    os.makedirs(BITMAPS, exist_ok=True)
    made = {}
    for (name, rid, w, h, bpp, kind, src, ss, dither) in PICTURES:
        if only is not None and name not in only and not (
                is_mask(kind) and src in only):
            continue
        if kind in ("background", "plate"):
            rgba = r.rgba(os.path.join(SVG, src), w, h, ss)
            pal, idx = make_opaque(r, rgba, w, h, 1 << bpp, dither)
        elif kind == "sprite":
            rgba = r.rgba(os.path.join(SVG, src), w, h, ss)
            pal, idx = make_on_black(r, rgba, w, h, 1 << bpp, dither)
        elif is_mask(kind):
            pal, idx = mask_of(kind, *made[src])
        else:
            fail("unknown kind " + kind)
        made[name] = (pal, idx)
        with open(os.path.join(BITMAPS, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(w, h, bpp, pal, idx))
        print("  wrote resources/bitmaps/%s.bmp (%dx%d, %d bpp, %d colours)"
              % (name, w, h, bpp, len(pal)))


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
