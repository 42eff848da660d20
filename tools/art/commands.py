"""Running the outside programs (rsvg-convert, ImageMagick) and the one error
every step raises when something goes wrong, so that make.py can report it
and exit non-zero."""

import os
import shutil
import subprocess


class Failure(Exception):
    pass


def fail(msg):
    raise Failure(msg)


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
