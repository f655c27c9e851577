#!/usr/bin/env bash
# Installs the Debian packages the game needs that are missing, and only those.
# Usage: install-deps.sh play|test
set -euo pipefail

play_packages=(
  cmake make g++ pkg-config
  liballegro5-dev liballegro-image5-dev liballegro-audio5-dev
  liballegro-acodec5-dev liballegro-ttf5-dev
  fonts-dejavu-core libgtest-dev zlib1g-dev libenet-dev
)
# The tests also drive the real program in a virtual X server and take
# screenshots, fuzz the map reader (clang's libFuzzer) and time it, and
# look for games in a network namespace of their own (unshare, ip, ss).
test_packages=(
  xvfb xdotool imagemagick
  clang libclang-rt-14-dev libbenchmark-dev
  util-linux iproute2
)

wanted=("${play_packages[@]}")
if [ "${1:-play}" = test ]; then
  wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [ "$status" != "install ok installed" ]; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "ZK3 needs these Debian packages; please install them as root:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
