"""Writing resources/norwyn.ico: four BMP-in-ICO images (see ICON_IMAGES)
drawn from icon.svg, or from iconN.svg where a size has its own drawing, each
with an AND mask from the drawing's alpha.  The ICO byte layout lives here
both ways: ico_bytes writes it, read_ico reads it back."""

import os
import struct

from commands import fail
from pictures import ICON, ICON_IMAGES, ICON_PALETTE16, SVG
from render import make_on_black, nearest


def write_icon(r):
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
