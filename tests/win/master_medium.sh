#!/usr/bin/env bash
# The real Install.exe masters the sample package under Wine, once for the whole package and
# once per kind letter; Python's zlib then judges each medium.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
status=0
for kind in "" A C S; do
  medium=$build/medium-test${kind:+-$kind}
  rm -rf "$medium"
  # A marker left by an earlier medium of another kind: replaced, or gone from a whole package.
  mkdir -p "$medium" && printf X > "$medium/appid.dat"
  if ! "$root/scripts/master-sample" "$build" "$medium" $kind; then
    echo "FAIL: mastering ${kind:-the whole package} did not exit with 0"
    status=1
    continue
  fi
  python3 "$root/tests/win/check_medium.py" "$build/sample" "$medium" "$build/Install.exe" \
    $kind || status=1
done
exit $status
