#!/usr/bin/env bash
# Installs every Debian package the project needs. Quiet and quick when all
# are present; runs `apt-get update` only when something is missing.
# This is the one place in the repository that lists packages.
set -euo pipefail

PACKAGES=(
  # toolchain and test tools
  g++ cmake ninja-build make pkg-config ccache libgtest-dev libgmock-dev libbenchmark-dev
  # property lists, dates, JSON, HTTP
  libplist-dev libplist++-dev libicu-dev nlohmann-json3-dev libcurl4-openssl-dev
  # drawing, text, fonts, pictures
  libcairo2-dev libpango1.0-dev fonts-texgyre fonts-liberation libturbojpeg0-dev libjpeg62-turbo-dev
  # video
  libavformat-dev libavcodec-dev libavfilter-dev libswscale-dev libavutil-dev libswresample-dev ffmpeg
  # link detection: the public suffix list
  libpsl-dev publicsuffix
  # the photo library's database
  libsqlite3-dev sqlite3
  # sanitizers and fuzzing (clang 16 reads GCC 12's ranges), fonts with light weights
  clang-16 libclang-rt-16-dev fonts-roboto
  # benchmark peers and test helpers: ImageMagick, a tiny HTTP server for the network tests
  imagemagick python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
