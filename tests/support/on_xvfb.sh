#!/usr/bin/env bash
# Runs a command against a fresh Xvfb server of its own, with no window manager: Qt writes a
# window's _NET_WM_STATE itself before it maps the window (as a client may while the window is
# withdrawn), and with no manager to take it over the property stays as Qt wrote it, which is what
# the soak reads back with xprop.
#
# The display is picked here, from :90 up, clear of a desktop's own displays, and claimed by
# Xvfb's lock file, which other servers and tests (tests/cli/headless.sh) look for.
#
# -noreset: by default the server starts over when its last client leaves, and the probe below is
# its first client; a program connecting while it starts over can be turned away, as a test's first
# dialog once was ("cannot open the X display") on a loaded machine.
set -euo pipefail

server=
trap '[ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }' EXIT

for n in $(seq 90 189); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null &
  server=$!
  for _ in $(seq 100); do
    # Ours, and answering: another run that took the same number a moment earlier wins the lock
    # and ours exits. Until it has, the winner's server answers on the number too, so the lock
    # file must name ours: a server that is not ours goes away with the run that started it.
    kill -0 "$server" 2>/dev/null || break
    if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$server" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
      unset WAYLAND_DISPLAY
      "$@"
      exit
    fi
    sleep 0.1
  done
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  server=
done
echo "Xvfb did not start on any display from :90 to :189" >&2
exit 1
