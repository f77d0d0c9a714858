#!/usr/bin/env bash
# Build the program and start it. On a Debian machine that lacks the tools it installs them first with
# apt-get (run as root or with sudo). Without a display it starts the program under Xvfb and tells how
# to take a screenshot of it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
for pkg in cmake g++ ninja-build libgtest-dev libbenchmark-dev qt6-base-dev fonts-dejavu-core; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  for pkg in xvfb xauth x11-apps imagemagick; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
  done
fi
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null; then sudo=sudo; else sudo=; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${need[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tessary

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/tessary "$@"
fi

size="${TESSARY_SCREEN:-1024x768}"
cat <<MSG
No display: starting Tessary under Xvfb on a virtual ${size} screen (TESSARY_SCREEN=WxH to change).
To take a screenshot, in another terminal run:
    DISPLAY=:99 import -window root /tmp/tessary.png     # imagemagick
or  DISPLAY=:99 xwd -root -silent | convert xwd:- /tmp/tessary.png
Stop the program with Ctrl+C here.
MSG
exec xvfb-run -n 99 -s "-screen 0 ${size}x24 -ac" build/app/tessary "$@"
