#!/usr/bin/env bash
# The release of HEAD, built by scripts/release.sh and signed with a throwaway
# certificate made here, against a second build of the same commit in another folder:
# the sums match, each signature verifies against that certificate and breaks on a
# changed byte, and each file without its signature is byte for byte the other build.
#
# The other build is the working tree's own build/win64 and build/win32 when the
# tree is HEAD exactly; their objects may come from ccache, but the release build
# never does, so a compilation that depends on its folder or its time still shows.
# Otherwise it is a second release build (twice as long).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/ferrolis-release-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ -z "$(git status --porcelain)" ]; then
  for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target ferrolis >/dev/null
  done
  other=(build/win64/ferrolis.exe build/win32/ferrolis.exe)
else
  echo "working tree differs from HEAD: a second release build is the other build"
  scripts/release.sh --out "$tmp/other" >/dev/null
  other=("$tmp"/other/ferrolis-*-x64.exe "$tmp"/other/ferrolis-*-x86.exe)
fi

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Ferrolis essai" \
  -addext extendedKeyUsage=codeSigning -keyout "$tmp/key.pem" -out "$tmp/cert.pem" 2>/dev/null
FERROLIS_SIGN_CERT="$tmp/cert.pem" FERROLIS_SIGN_KEY="$tmp/key.pem" \
  scripts/release.sh --out "$tmp/dist" >/dev/null
(cd "$tmp/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
[ "$(wc -l <"$tmp/dist/SHA256SUMS")" = 2 ] || fail "SHA256SUMS should list the two executables"

i=0
for exe in "$tmp"/dist/ferrolis-*-x64.exe "$tmp"/dist/ferrolis-*-x86.exe; do
  name=$(basename "$exe")
  osslsigncode verify -CAfile "$tmp/cert.pem" -in "$exe" >"$tmp/verify.txt" 2>&1 ||
    { cat "$tmp/verify.txt"; fail "$name: the signature does not verify"; }
  # One changed byte of code: the signature must no longer match.
  cp "$exe" "$tmp/changed.exe"
  byte=$(od -An -tu1 -j4096 -N1 "$exe")
  printf '%b' "\\0$(printf %o $((byte ^ 255)))" | dd of="$tmp/changed.exe" bs=1 seek=4096 conv=notrunc 2>/dev/null
  ! osslsigncode verify -CAfile "$tmp/cert.pem" -in "$tmp/changed.exe" >/dev/null 2>&1 ||
    fail "$name: a changed file still verifies"
  osslsigncode remove-signature -in "$exe" -out "$tmp/unsigned-$name" >/dev/null
  cmp "$tmp/unsigned-$name" "${other[$i]}" ||
    fail "$name without its signature differs from ${other[$i]}: the build is not reproducible"
  echo "ok $name: signed, verifies, and without its signature equals ${other[$i]}"
  i=$((i + 1))
done
