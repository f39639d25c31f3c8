#!/usr/bin/env bash
# Installs the Debian packages that building and testing Ferrolis need.
# Does nothing when everything is already there.
set -euo pipefail
packages=(cmake g++ make python3 googletest libbenchmark-dev clang ccache
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64
  xvfb xauth xdotool imagemagick osslsigncode openssl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
# The 32-bit Wine that runs the i686 build here (under emulation when the
# kernel runs no 32-bit program).
"$(dirname "${BASH_SOURCE[0]}")/setup-i686-wine.sh"
