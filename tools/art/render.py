"""Drawing the SVGs into palette pictures: rsvg-convert renders them
(supersampled, box-filtered down by ImageMagick), ImageMagick quantises, and
the helpers here turn the result into a palette plus one index per pixel.
Both the bitmaps and the icon are made with these."""

import os
import shutil

from commands import fail, find_convert, run
from pictures import FIGURE_ALPHA


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
