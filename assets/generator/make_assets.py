#!/usr/bin/env python3
"""Regenerates the program's artwork and sound into the assets folder.

usage: make_assets.py [--only face|icon|sound] [OUTDIR]
Needs python3 and ImageMagick (convert) for the lettering of the faces.
"""

import argparse
import os
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import chime   # noqa: E402
import faces   # noqa: E402
import icon    # noqa: E402

# first existing file wins; the Debian packages are fonts-ebgaramond,
# fonts-lato and fonts-dejavu-core
FONTS = {
    "title": ["/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Regular.otf",
              "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf"],
    "italic": ["/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Italic.otf",
               "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf"],
    "small": ["/usr/share/fonts/truetype/lato/Lato-Semibold.ttf",
              "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"],
    "numeral": ["/usr/share/fonts/truetype/lato/Lato-Semibold.ttf",
                "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"],
}


def pick_fonts():
    chosen = {}
    for role, paths in FONTS.items():
        found = next((p for p in paths if os.path.exists(p)), None)
        if found is None:
            sys.exit("no font for %s: install fonts-dejavu-core" % role)
        if found != paths[0]:
            print("warning: %s missing, using %s (the committed faces were "
                  "made with the first)" % (paths[0], found), file=sys.stderr)
        chosen[role] = found
    return chosen


def find_convert():
    for name in (os.environ.get("CONVERT"), "convert"):
        if name and shutil.which(name):
            return shutil.which(name)
    sys.exit("ImageMagick's convert not found (apt-get install imagemagick)")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("outdir", nargs="?", default=os.path.dirname(HERE))
    ap.add_argument("--only", choices=("face", "icon", "sound"))
    args = ap.parse_args()
    out = args.outdir
    os.makedirs(out, exist_ok=True)

    if args.only in (None, "face"):
        convert, fonts = find_convert(), pick_fonts()
        with tempfile.TemporaryDirectory() as tmp:
            for kind, name in (("analog", "face_analog.bmp"),
                               ("plain", "face_plain.bmp")):
                faces.build(kind, convert, fonts, tmp, os.path.join(out, name))
                print("wrote", name)
    if args.only in (None, "icon"):
        icon.write(os.path.join(out, "qov.ico"))
        print("wrote qov.ico")
    if args.only in (None, "sound"):
        chime.write(os.path.join(out, "adzhan.wav"))
        print("wrote adzhan.wav")
        chime.write(os.path.join(out, "bunyi.wav"), short=True)
        print("wrote bunyi.wav")


if __name__ == "__main__":
    main()
