"""What Norwyn needs from its pictures: every bitmap with its resource id,
size, depth and how it is made, the icon's images, the fixed palettes, and
where the sources and outputs live.  The drawing steps read this table and
the self-check holds the files to it."""

import os

ART = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(ART, "..", ".."))
SVG = os.path.join(ART, "svg")
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")
ICON = os.path.join(ROOT, "resources", "norwyn.ico")
SHEET = os.path.join(ROOT, "docs", "pictures.png")

# Alpha (0..255) from which a rendered pixel of a black-ground picture counts
# as figure; below it the pixel is exact black.
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
