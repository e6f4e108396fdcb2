#!/bin/sh
# Regenerates face_analog.bmp, face_plain.bmp, qov.ico, adzhan.wav and bunyi.wav in this
# folder, then checks them.  Needs python3 and ImageMagick; for identical
# output also the fonts-ebgaramond and fonts-lato packages (DejaVu otherwise).
#   ./make_assets.sh                 everything
#   ./make_assets.sh --only sound    one of face, icon, sound
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export PYTHONDONTWRITEBYTECODE=1
python3 "$here/generator/make_assets.py" "$here" "$@"
python3 "$here/generator/check_assets.py" "$here"
