#!/usr/bin/env bash
# The format check passes a well-formatted tree and names the file that is not.
set -euo pipefail
check="$1/scripts/check-format.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$1/.clang-format" "$work/"
printf 'int Twice(int x) { return 2 * x; }\n' > "$work/good.cpp"
"$check" "$work" >/dev/null || { echo "a well-formatted tree failed the check"; exit 1; }

printf 'int  Thrice( int x ) { return 3*x; }\n' > "$work/bad.cpp"
if out="$("$check" "$work" 2>&1)"; then echo "a misformatted file passed the check"; exit 1; fi
grep -q "bad.cpp" <<<"$out" || { echo "the check did not name the file: $out"; exit 1; }
grep -q "good.cpp" <<<"$out" && { echo "the check named a well-formatted file: $out"; exit 1; }
echo "format check test passed"
