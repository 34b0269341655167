#!/bin/bash
# The gallery: one picture per class the library lists, each also at twice the pixel density,
# made with no display at all.
#
#   gallery.sh PROGRAM
set -u
prog=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" gallery "$dir" >/dev/null || { echo "gallery failed"; exit 1; }

# Width and height from a PNG's header: bytes 16 to 23, big-endian.
size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

classes=$("$prog" list | sed 's/^ZarvLinesParm\.//')
[ -n "$classes" ] || { echo "no classes listed"; exit 1; }
for class in $classes; do
    one="$dir/$class.png" two="$dir/$class@2x.png"
    if [ ! -s "$one" ] || [ ! -s "$two" ]; then
        echo "$class: missing picture"; failed=1; continue
    fi
    read -r w h <<<"$(size "$one")"
    read -r w2 h2 <<<"$(size "$two")"
    if [ "$w2" -ne $((2 * w)) ] || [ "$h2" -ne $((2 * h)) ] || [ "$w" -lt 100 ]; then
        echo "$class: ${w}x${h} and ${w2}x${h2}"; failed=1
    fi
done
[ "$(ls "$dir" | wc -l)" -eq $((2 * $(wc -w <<<"$classes"))) ] || { echo "unexpected files:" $(ls "$dir"); failed=1; }
exit $failed
