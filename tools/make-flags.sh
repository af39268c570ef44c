#!/bin/sh
# Makes the flag images of the 27 default nations, "flag_" + code + ".gif"
# (about 24x16 pixels), from the SVG flags of the npm package flag-icons (MIT
# licence), and puts the package's licence beside them as LICENSE.
#
# Run by hand, once, when the set of nations or the look of the flags changes;
# the build does not run it: the GIF files are kept in the tree
# (database/ui/bandiere/), and the build copies them into bin/Images, from
# where start-up copies them into the program folder, and compiles them into
# the nations look-up window.
#
# Needs npm (the npm registry), rsvg-convert and ImageMagick's convert:
#     apt-get install -y npm librsvg2-bin imagemagick
#
# Usage: tools/make-flags.sh [version of flag-icons, default: the latest]
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/database/ui/bandiere"
version=${1:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$work"
npm pack --silent "flag-icons${version:+@$version}" >/dev/null
tar xzf flag-icons-*.tgz
mkdir -p "$out"

# The program's codes; flag-icons names Greece "gr" (the program "EL").
for code in AT BE BG CY DK EE FI FR DE GB EL IE IT LV LT LU MT NL PL PT CZ RO SK SI ES SE HU; do
  name=$(echo "$code" | tr 'A-Z' 'a-z')
  [ "$code" = EL ] && name=gr
  rsvg-convert -w 96 -h 64 "package/flags/4x3/$name.svg" -o "$name.png"
  # Scaled down in one step for smooth edges; a thin grey frame so that
  # white fields show on a white window; no transparency, 64 colours.
  convert "$name.png" -resize 24x16! -bordercolor '#808080' -shave 1x1 -border 1x1 \
    -alpha off -colors 64 +dither -strip "$out/flag_$code.gif"
done

{
  echo "The flag images in this folder (flag_*.gif) are made by tools/make-flags.sh"
  echo "from the SVG flags of flag-icons $(sed -n 's/.*"version": *"\([^"]*\)".*/\1/p' package/package.json)"
  echo "(https://github.com/lipis/flag-icons), distributed under the MIT licence:"
  echo
  cat package/LICENSE
} >"$out/LICENSE"
echo "flags written to $out"
