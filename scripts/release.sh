#!/usr/bin/env bash
# Builds a release of one commit (HEAD unless named) from a clean checkout of it:
#
#   scripts/release.sh [--out DIR] [COMMIT]
#
# writes DIR/ferrolis-<version>-x64.exe (64-bit Windows), DIR/ferrolis-<version>-x86.exe
# (32-bit build, for 32-bit Windows) and DIR/SHA256SUMS; DIR is dist/ unless given.
#
# The build is reproducible: the same commit gives the same bytes in any folder and
# at any time. Nothing of the working tree or of the compiler cache goes into it.
#
# With FERROLIS_SIGN_CERT and FERROLIS_SIGN_KEY (the code-signing certificate, with its
# chain, and its private key, PEM or DER files) both executables get an Authenticode
# signature; FERROLIS_SIGN_PASS_FILE names a file holding the key's password and
# FERROLIS_SIGN_TIMESTAMP_URL an RFC 3161 time-stamping service, both optional.
# SHA256SUMS then lists the signed files, as they are downloaded; removing the
# signature (osslsigncode remove-signature) gives back the unsigned bytes exactly.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/dist"
commit=HEAD
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out="$2"; shift 2 ;;
    -*) echo "usage: $0 [--out DIR] [COMMIT]" >&2; exit 2 ;;
    *) commit="$1"; shift ;;
  esac
done
if [ -n "${FERROLIS_SIGN_CERT:-}${FERROLIS_SIGN_KEY:-}" ] &&
  { [ ! -f "${FERROLIS_SIGN_CERT:-}" ] || [ ! -f "${FERROLIS_SIGN_KEY:-}" ]; }; then
  echo "release: signing needs both FERROLIS_SIGN_CERT and FERROLIS_SIGN_KEY as files" >&2
  exit 2
fi
sha=$(git -C "$root" rev-parse --verify "$commit^{commit}")

work=$(mktemp -d "${TMPDIR:-/tmp}/ferrolis-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
git -C "$root" archive --format=tar "$sha" | tar -x -C "$work/src"

# Tools that write a date take the commit's; nothing depends on the local zone,
# language or umask; every object is compiled here, none taken from a cache.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$sha")
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER
umask 022

cd "$work/src"
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target ferrolis >/dev/null
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
x64="ferrolis-$version-x64.exe"
x86="ferrolis-$version-x86.exe"

mkdir -p "$out"
rm -f "$out/$x64" "$out/$x86" "$out/SHA256SUMS"
if [ -n "${FERROLIS_SIGN_CERT:-}" ]; then
  for pair in "win64:$x64" "win32:$x86"; do
    set -- "${pair%%:*}" "${pair#*:}"
    osslsigncode sign -certs "$FERROLIS_SIGN_CERT" -key "$FERROLIS_SIGN_KEY" \
      ${FERROLIS_SIGN_PASS_FILE:+-readpass "$FERROLIS_SIGN_PASS_FILE"} \
      ${FERROLIS_SIGN_TIMESTAMP_URL:+-ts "$FERROLIS_SIGN_TIMESTAMP_URL"} \
      -h sha256 -n Ferrolis -in "build/$1/ferrolis.exe" -out "$out/$2" >/dev/null
  done
else
  cp build/win64/ferrolis.exe "$out/$x64"
  cp build/win32/ferrolis.exe "$out/$x86"
fi
(cd "$out" && sha256sum "$x64" "$x86" >SHA256SUMS)
echo "Ferrolis $version, commit $sha${FERROLIS_SIGN_CERT:+, signed}, in $out:"
(cd "$out" && cat SHA256SUMS)
