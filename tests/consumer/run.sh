#!/usr/bin/env bash
# Builds and runs the consumer project against the library: `installed BUILD_DIR` installs the
# build tree into a scratch prefix first; `subdirectory SOURCE_DIR` takes the source tree in;
# `pkgconfig BUILD_DIR HOSTS_GUIDE` installs too and builds without CMake, through pkg-config: this
# project's main.cpp and the hosts' guide's first C example, the whole program.
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
  pkgconfig)
    readme=$3
    cmake --install "$tree" --prefix "$work/prefix" > /dev/null
    pc=$(find "$work/prefix" -name zarvlinesparm.pc)
    export PKG_CONFIG_PATH=$(dirname "$pc")
    libdir=$(pkg-config --variable=libdir zarvlinesparm)
    flags=(-Wall -Wextra -Werror $(pkg-config --cflags zarvlinesparm))
    libs=($(pkg-config --libs zarvlinesparm) "-Wl,-rpath,$libdir")
    awk '/^```c$/ && !done {on=1; next} on && /^```$/ {on=0; done=1} on' "$readme" > "$work/hello.c"
    cc -std=c11 "${flags[@]}" "$work/hello.c" -o "$work/hello" "${libs[@]}"
    c++ -std=c++20 "${flags[@]}" "$here/main.cpp" -o "$work/consumer" "${libs[@]}"
    out=$("$work/hello")
    [[ $out == $'Fill 0\nerror 9: Subscript out of range' ]] || { echo "the hosts' guide's C example printed: $out"; exit 1; }
    "$work/consumer"
    exit ;;
esac
cmake --build "$work/build" -j "$(nproc)" > /dev/null
"$work/build/consumer"
