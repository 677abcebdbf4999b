#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, when it is missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev
          clang clang-format clang-tidy libclang-rt-14-dev llvm python3 git fonts-liberation2
          dpkg-dev ccache desktop-file-utils appstream shared-mime-info libglib2.0-bin
          lintian man-db bash-completion python3-jsonschema tumbler dbus-daemon)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
