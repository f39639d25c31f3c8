#!/usr/bin/env bash
# Makes the i686 build runnable here, beside the system's 64-bit Wine and
# without changing it. Where the kernel runs no 32-bit Linux program, Debian's
# 32-bit Wine runs under user-mode emulation:
#   - qemu-user-static, and a binfmt_misc entry that hands i386 ELF programs to
#     qemu-i386-static (flag F: the interpreter is opened once, at registration);
#   - Debian's i386 wine32 and libwine of the system Wine's version, with the
#     i386 libraries they need, unpacked into a root of their own under
#     build/i686-wine/ (never `dpkg --add-architecture`, which would make the
#     system's `wine` pick a 32-bit loader that cannot run);
#   - build/i686-wine/wine32, the loader to run an i686 program with: the 32-bit
#     Wine under qemu with that root (QEMU_LD_PREFIX), served by the system's
#     64-bit wineserver, so it shares a 64-bit prefix, and its programs, with
#     the 64-bit tools.
# Does only what is missing; run again, it prints nothing.
#
#   scripts/setup-i686-wine.sh                 sets all of that up
#   scripts/setup-i686-wine.sh --prefix DIR    gives the 64-bit prefix DIR its
#                                              32-bit side (done by wine32 itself)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
here="$root/build/i686-wine"
sysroot="$here/root"
wine_dlls="$sysroot/usr/lib/i386-linux-gnu/wine/i386-windows"
server=/usr/lib/wine/wineserver64
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"

# The 32-bit side of a 64-bit prefix: Windows keeps the 32-bit system DLLs in
# SysWOW64, and a 32-bit program asking for common controls 6 finds the x86
# assembly in WinSxS. A 64-bit wineboot makes neither.
if [ "${1:-}" = --prefix ]; then
  windows="$2/drive_c/windows"
  [ -d "$windows/syswow64" ] || exit 0 # not a 64-bit prefix, or not made yet
  if [ ! -e "$windows/syswow64/kernel32.dll" ]; then
    for dll in "$wine_dlls"/*; do ln -sfn "$dll" "$windows/syswow64/"; done
  fi
  for manifest in "$windows"/winsxs/manifests/amd64_microsoft.windows.common-controls_*.manifest; do
    [ -e "$manifest" ] || continue
    assembly=$(basename "$manifest" .manifest)
    x86="x86_${assembly#amd64_}"
    [ -e "$windows/winsxs/$x86/comctl32.dll" ] && continue
    mkdir -p "$windows/winsxs/$x86"
    ln -sfn "$wine_dlls/comctl32.dll" "$windows/winsxs/$x86/comctl32.dll"
    sed 's/processorArchitecture="amd64"/processorArchitecture="x86"/' "$manifest" \
      >"$windows/winsxs/manifests/$x86.manifest"
  done
  exit 0
fi

if [ ! -x /usr/bin/qemu-i386-static ]; then
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq qemu-user-static
fi

# Debian's package registers no i386 entry on amd64, whose kernels usually run
# 32-bit programs themselves. Entries already there stay as they are.
binfmt=/proc/sys/fs/binfmt_misc
if ! grep -qsx 'interpreter /usr/bin/qemu-i386-static' "$binfmt"/*; then
  [ -e "$binfmt/register" ] || $sudo_cmd mount -t binfmt_misc binfmt_misc "$binfmt"
  name=qemu-i386
  [ -e "$binfmt/$name" ] && name=ferrolis-qemu-i386
  # ELF, 32-bit, little-endian, executable or shared object, machine 3 (i386).
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":$name:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | $sudo_cmd tee "$binfmt/register" >/dev/null
fi

# The 32-bit Wine must be the system Wine's own version: both speak to one wineserver.
version=$(dpkg-query -W -f='${Version}' wine64)
if [ "$(cat "$sysroot/.version" 2>/dev/null)" != "$version" ]; then
  echo "== i686 Wine $version: downloading and unpacking into $sysroot"
  apt_i386=(-o APT::Architecture=i386 -o APT::Architectures::=i386
    -o Dir::State="$here/apt/state" -o Dir::State::status="$here/apt/state/status"
    -o Dir::Cache="$here/apt/cache")
  mkdir -p "$here/apt/state/lists/partial" "$here/apt/cache/archives/partial"
  # An empty package status: apt fetches everything the packages need.
  : >"$here/apt/state/status"
  apt-get "${apt_i386[@]}" update -qq
  # Beside the dependencies, what Wine loads when it finds it: TLS, and the X
  # extensions that its display driver uses for drawing, screens and cursors.
  apt-get "${apt_i386[@]}" install -y -qq --download-only --no-install-recommends \
    "wine32=$version" "libwine=$version" libgnutls30 libxrender1 libxrandr2 libxi6 \
    libxcursor1 libxfixes3 libxinerama1 libxcomposite1 >/dev/null
  rm -rf "$sysroot"
  mkdir -p "$sysroot"
  for deb in "$here"/apt/cache/archives/*.deb; do dpkg -x "$deb" "$sysroot"; done
  # What libwine's installation script does: zlib from the MinGW package, marked
  # as one of Wine's own DLLs.
  zlib="$sysroot/usr/i686-w64-mingw32/lib/zlib1.dll"
  {
    head -c 64 "$zlib"
    printf 'Wine builtin DLL'
    head -c 16 /dev/zero
    tail -c +97 "$zlib"
  } >"$wine_dlls/zlib1.dll"
  # A 32-bit program that starts a 64-bit one (wineboot, at every start) execs
  # the loader beside its own: the system's.
  ln -sfn /usr/lib/wine/wine64 "$sysroot/usr/lib/wine/wine64"
  echo 'include /etc/ld.so.conf.d/*.conf' >"$sysroot/etc/ld.so.conf"
  $sudo_cmd ldconfig -r "$sysroot"
  rm -rf "$here/apt/cache/archives"
  echo "$version" >"$sysroot/.version"
fi

cat >"$here/wine32" <<EOF
#!/bin/sh
# Runs an i686 Windows program: written by scripts/setup-i686-wine.sh.
export QEMU_LD_PREFIX="$sysroot" WINESERVER="$server"
"$root/scripts/setup-i686-wine.sh" --prefix "\${WINEPREFIX:-\$HOME/.wine}"
exec "$sysroot/usr/lib/wine/wine" "\$@"
EOF
chmod +x "$here/wine32"
