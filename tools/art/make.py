#!/usr/bin/env python3
"""Norwyn picture generator: the entry point tools/art/build runs.

Renders the SVG drawings in tools/art/svg/ into the committed BMP files, the
icon and the contact sheet, then reads every output back in a self-check that
fails loudly if a rule is broken.  Each step lives in its own module; see
tools/art/README.md for which file holds what.

Usage: tools/art/build            (or: python3 tools/art/make.py)
       python3 tools/art/make.py --check   (only the self-check)
"""

import shutil
import sys
import tempfile

# The modules sit next to this file; keep the tree as committed (no
# __pycache__ beside the sources after a build).
sys.dont_write_bytecode = True

from bitmaps import write_bitmaps
from check import check
from commands import Failure
from icon import write_icon
from render import Renderer
from sheet import contact_sheet


def build(tmp, only=None):
    r = Renderer(tmp)
    write_bitmaps(r, only)
    if only is not None and "icon" not in only:
        return
    write_icon(r)
    contact_sheet(tmp)


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
            ok = check()
    except Failure as e:
        print("ERROR: %s" % e)
        ok = False
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
