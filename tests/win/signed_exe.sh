#!/usr/bin/env bash
# Signs copies of the build's Install.exe and Uninstall.exe with scripts/sign and a throwaway
# certificate made here, checks the signatures (and that a changed byte breaks them), then,
# where Wine runs the build, masters the sample package with the signed Install.exe in a fresh
# Wine prefix of its own and installs from that medium silently.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$build/signed
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vortel PRO test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
cp "$build/Install.exe" "$build/Uninstall.exe" "$work/"
"$root/scripts/sign" "$work/cert.pem" "$work/key.pem" "$work/Install.exe" "$work/Uninstall.exe"
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
for exe in Install.exe Uninstall.exe; do
  verify "$work/$exe" || { cat "$work/verify.log"; fail "$exe: the signature does not verify"; }
done
cp "$work/Install.exe" "$work/tampered.exe"
printf '\x90' | dd of="$work/tampered.exe" bs=1 seek=4100 conv=notrunc status=none
! verify "$work/tampered.exe" || fail "a changed Install.exe still verifies"
rm "$work/tampered.exe"

if ! why=$("$root/scripts/wine-session" check "$build"); then
  echo "signed_exe: signatures checked; mastering and installing skipped: $why"
  exit 0
fi
# The signed programs as a build folder of their own, with its own Wine: master-sample masters
# with the Install.exe it finds there, and the installation leaves nothing in the build's prefix.
ln -s "$build/CMakeCache.txt" "$build/standins" "$work/"
"$root/scripts/wine-session" start "$work" >/dev/null
trap '"$root/scripts/wine-session" stop "$work"' EXIT
"$root/scripts/master-sample" "$work" "$work/medium" || fail "the signed Install.exe did not master"
python3 "$root/tests/win/check_medium.py" "$work/sample" "$work/medium" "$work/Install.exe"
"$root/scripts/wine-session" run "$work" "$work/medium/Install.exe" /VERYSILENT \
  '/DIR=C:\Vortel PRO' '/LOG=C:\signed.log' || fail "the signed Install.exe did not install (exit $?)"
installed="$work/wine/prefix/drive_c/Vortel PRO"
cmp "$work/sample/Vortel/Vortel.exe" "$installed/Vortel/Vortel.exe" || fail "Vortel.exe not installed"
verify "$installed/Uninstall.exe" || fail "the installed Uninstall.exe is not the signed one"
echo "signed_exe: signed, verified, mastered and installed"
