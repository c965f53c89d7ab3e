#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Safe to run repeatedly; skips apt when everything is already present.
set -euo pipefail

PKGS=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 qt6-image-formats-plugins
  libgl-dev
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev zlib1g-dev libbrotli-dev
  rapidjson-dev libsimdjson-dev
  libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-apps xdotool imagemagick unzip curl sqlite3 fonts-dejavu-core ccache
)
if [ "${B2B_WEBENGINE:-0}" = 1 ]; then PKGS+=(qt6-webengine-dev); fi

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
