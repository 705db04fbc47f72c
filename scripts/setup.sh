#!/usr/bin/env bash
# Installs every Debian package roomdesk needs to build, test and run.
# Idempotent: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config git ca-certificates
  libgtest-dev libgmock-dev libbenchmark-dev
  libpcre2-dev libcurl4-openssl-dev libicu-dev
  libcpp-httplib-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  xvfb xauth x11-apps imagemagick fonts-wqy-microhei
  curl zlib1g-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
