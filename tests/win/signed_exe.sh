#!/usr/bin/env bash
# Signs copies of the build's Install.exe and Uninstall.exe with scripts/sign and a throwaway
# certificate made here, Install.exe with a time stamp from a time-stamp server started here,
# Uninstall.exe where no server answers; checks the signatures (and that a changed byte breaks
# them), then, where Wine runs the build, masters the sample package with the signed Install.exe
# in a fresh Wine prefix of its own, signs the medium's Install.exe and a setup file made from
# the medium (a changed byte in either breaks its signature, and the installer refuses the
# changed setup file), and installs from the signed medium silently.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$build/signed
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }

certificate() { # name, usage, key file, certificate file
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$1" -addext "extendedKeyUsage=$2" \
    -keyout "$3" -out "$4" 2>/dev/null
}
certificate "Vortel PRO test signer" codeSigning "$work/key.pem" "$work/cert.pem"
certificate "Vortel PRO test time stamps" critical,timeStamping "$work/tsa.key" "$work/tsa.pem"
python3 "$root/tests/win/tsa.py" "$work" &
tsa=$!
trap 'kill $tsa' EXIT
for _ in $(seq 1 100); do [ -s "$work/tsa.port" ] && break; sleep 0.1; done
[ -s "$work/tsa.port" ] || fail "the time-stamp server did not start"
cp "$build/Install.exe" "$build/Uninstall.exe" "$work/"
sign() { # time-stamp server, program
  VORTEL_TIMESTAMP_URLS=$1 "$root/scripts/sign" "$work/cert.pem" "$work/key.pem" "$work/$2" ||
    fail "scripts/sign did not sign $2"
}
sign "http://127.0.0.1:$(cat "$work/tsa.port")" Install.exe
sign "http://127.0.0.1:1" Uninstall.exe  # nothing listens there
kill $tsa
trap - EXIT
verify() {
  osslsigncode verify -CAfile "$work/cert.pem" -TSA-CAfile "$work/tsa.pem" -in "$1" \
    >"$work/verify.log" 2>&1
}
check() { # program, what its verification must say about the time stamp
  verify "$work/$1" || { cat "$work/verify.log"; fail "$1: the signature does not verify"; }
  grep -q "$2" "$work/verify.log" || fail "$1: the verification does not say \"$2\""
}
check Install.exe "Timestamp Server Signature verification: ok"
check Uninstall.exe "Timestamp is not available"
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
# The medium's Install.exe, signed after mastering: the signature covers its catalogue of the
# files' digests, and one setup file made from the medium and signed covers the files inside.
flip() { # file, offset: the byte there changed
  local byte
  byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "\\x$(printf %02x $((byte ^ 1)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
windows() { echo "Z:$1" | tr / '\\'; }
catalogue_end=$(stat -c %s "$work/medium/Install.exe")
sign none medium/Install.exe
check medium/Install.exe "Timestamp is not available"
cp "$work/medium/Install.exe" "$work/catalogue-changed.exe"
flip "$work/catalogue-changed.exe" $((catalogue_end - 40))
! verify "$work/catalogue-changed.exe" || fail "a changed catalogue still verifies"
"$root/scripts/wine-session" run "$work" "$work/medium/Install.exe" BUNDLE \
  "$(windows "$work/medium")" "$(windows "$work/bundle.exe")" || fail "no setup file made"
carried=$(od -An -tu8 -j $(($(stat -c %s "$work/bundle.exe") - 8)) -N8 "$work/bundle.exe" | tr -d ' ')
sign none bundle.exe
check bundle.exe "Timestamp is not available"
mkdir "$work/alone"
cp "$work/bundle.exe" "$work/alone/Install.exe"
flip "$work/alone/Install.exe" $((carried + 100))
! verify "$work/alone/Install.exe" || fail "a setup file with a changed byte still verifies"
code=0
"$root/scripts/wine-session" run "$work" "$work/alone/Install.exe" /VERYSILENT \
  '/DIR=C:\Zmieniony' '/LOG=C:\changed.log' || code=$?
[ $code = 4 ] || fail "a setup file with a changed byte ended with $code, not 4"
[ ! -e "$work/wine/prefix/drive_c/Zmieniony" ] || fail "a setup file with a changed byte installed"
"$root/scripts/wine-session" run "$work" "$work/medium/Install.exe" /VERYSILENT \
  '/DIR=C:\Vortel PRO' '/LOG=C:\signed.log' || fail "the signed Install.exe did not install (exit $?)"
installed="$work/wine/prefix/drive_c/Vortel PRO"
cmp "$work/sample/Vortel/Vortel.exe" "$installed/Vortel/Vortel.exe" || fail "Vortel.exe not installed"
verify "$installed/Uninstall.exe" || fail "the installed Uninstall.exe is not the signed one"
echo "signed_exe: signed, verified, mastered, bundled and installed"
