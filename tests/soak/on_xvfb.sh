#!/usr/bin/env bash
# Runs a command against a fresh Xvfb server of its own, on the first free display, with no
# window manager: Qt writes a window's _NET_WM_STATE itself before it maps the window (as a
# client may while the window is withdrawn), and with no manager to take it over the property
# stays as Qt wrote it, which is what the soak reads back with xprop.
set -euo pipefail

displayFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayFile" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$displayFile"' EXIT

for _ in $(seq 100); do
  [ -s "$displayFile" ] && break
  kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$displayFile" ] || { echo "Xvfb gave no display" >&2; exit 1; }

export DISPLAY=":$(head -n1 "$displayFile")" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
"$@"
