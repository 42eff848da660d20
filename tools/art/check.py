"""The self-check: reads every output back and holds it to the table in
pictures.py (size, depth, palette count) and to the rules the program relies
on: header fields, pixels agreeing with ImageMagick's decoder, figures on
exact black, each mask being exactly its figure's silhouette, where the blood
drop, the corner logo and the barbarian's head are, dark sword edges, and the
icon's structure.  It reports every broken rule, not just the first."""

import os

from bitmaps import read_bmp
from commands import Failure, find_convert, run
from icon import read_ico
from pictures import BITMAPS, ICON, ICON_IMAGES, PICTURES, SHEET


def check():
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

