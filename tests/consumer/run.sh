#!/usr/bin/env bash
# Builds and runs the consumer project against the library: `installed BUILD_DIR` installs the
# build tree into a scratch prefix first; `subdirectory SOURCE_DIR` takes the source tree in.
set -euo pipefail
mode=$1 tree=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $mode in
  installed)
    cmake --install "$tree" --prefix "$work/prefix" > /dev/null
    cmake -S "$here" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" > /dev/null ;;
  subdirectory)
    cmake -S "$here" -B "$work/build" -DZARVLINESPARM_SOURCE="$tree" > /dev/null ;;
esac
cmake --build "$work/build" -j "$(nproc)" > /dev/null
"$work/build/consumer"
