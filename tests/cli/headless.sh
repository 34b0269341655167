#!/bin/bash
# Without any display: list needs no application; show picks the offscreen platform itself and
# runs when --press answers the dialog, and refuses to show a dialog nobody could answer.
#
#   headless.sh EXPECT PROGRAM
set -u
expect=$1
prog=$2
failed=0
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

"$expect" --stdout 'ZarvLinesParm\.CircleElipseCls' -- "${nodisplay[@]}" "$prog" list || failed=1
"$expect" --stdout '^\{"Cor\(1\)":[0-9]+,.*"SaveDefault":0\}'$'\n''$' \
    -- "${nodisplay[@]}" "$prog" show CircleElipseCls --press ok || failed=1
"$expect" --status 2 --stderr 'no display.*--press' \
    -- "${nodisplay[@]}" "$prog" show CircleElipseCls || failed=1
# A platform that draws off screen is no display either, screenshot or not.
"$expect" --status 2 --stderr 'no display' \
    -- env QT_QPA_PLATFORM=offscreen "$prog" show CircleElipseCls --screenshot "${TMPDIR:-/tmp}/unused.png" || failed=1
# A display nobody serves: the library's error 68, naming it, and exit status 1.
n=99
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
"$expect" --status 1 --stderr "^zarvlinesparm: error 68: Device unavailable: cannot open the X display \":$n\"" \
    -- env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE DISPLAY=":$n" "$prog" show CircleElipseCls --press ok \
    || failed=1

exit $failed
