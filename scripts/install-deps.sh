#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent: prints nothing and changes nothing when all packages are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang ccache
  qt6-base-dev libqt6opengl6-dev qt6-tools-dev qt6-svg-dev libgl-dev libxkbcommon-dev libvulkan-dev qt6-qpa-plugins libqt6svg6
  libjsoncpp-dev libhidapi-dev libcurl4-openssl-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  dbus dbus-x11 xvfb xauth imagemagick x11-utils python3-dbus python3-gi
  fonts-noto-core fonts-noto-cjk fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
