"""Deriving each mask from its figure's pixels.  A mask is never drawn: it is
the silhouette of the quantised figure as written (every non-black pixel is
figure), so mask and figure cannot drift apart by a single pixel."""

from pictures import VGA16

# mask kind: palette, index for figure pixels, index for the black ground.
# The 1-bit mask is white ground / black figure; the 4-bit one uses the VGA
# palette with black figure (0) and white ground (15).
MASK_KINDS = {
    "mask1": ([(255, 255, 255), (0, 0, 0)], 1, 0),
    "mask4": (VGA16, 0, 15),
}


def is_mask(kind):
    return kind in MASK_KINDS


def mask_of(kind, figure_pal, figure_idx):
    """The mask's (palette, indices) from the figure's palette and indices."""
    pal, figure, ground = MASK_KINDS[kind]
    return pal, [figure if figure_pal[v] != (0, 0, 0) else ground
                 for v in figure_idx]
