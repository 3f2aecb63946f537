#!/usr/bin/env bash
# Installs the Debian 12 packages that Quarvel needs to build, run and test. Safe to run again:
# it installs only what is missing. Usage: scripts/install-deps.sh [run|test|bench]
set -euo pipefail
what=${1:-test}

build=(cmake ninja-build g++ pkg-config qt6-base-dev libglib2.0-dev libgl-dev libxcb1-dev libcurl4-openssl-dev fonts-wqy-microhei xdg-utils)
run=()
test=(libgtest-dev xvfb xauth xdotool xclip trayer imagemagick x11-utils x11-xserver-utils libx11-dev
      python3 python3-aiosmtpd clang-format openbox)

bench=(xvfb x11-utils libx11-dev libxtst-dev gcc)

wanted=("${build[@]}")
[ "$what" = run ] && wanted+=("${run[@]}")
[ "$what" = test ] && wanted+=("${test[@]}")
[ "$what" = bench ] && wanted+=("${bench[@]}")

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
