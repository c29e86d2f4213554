#!/usr/bin/env bash
# Checks that every C++ file of the tree is written in the project's format (.clang-format at the root).
# Prints each file that differs and how to mend it; exits 1 when there is one. Usage: check-format.sh [root]
set -uo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root" || exit 2

if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && [ "$(git rev-parse --show-toplevel)" = "$(pwd -P)" ]; then
  mapfile -t files < <(git ls-files -co --exclude-standard '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o -path ./build-asan -prune -o \
                            \( -name '*.cpp' -o -name '*.h' \) -type f -print | sed 's|^\./||' | sort)
fi

# clang-format is run on batches of files side by side; each file that differs is named in its warnings.
mapfile -t bad < <(printf '%s\0' "${files[@]}" |
  xargs -0 -n 40 -P "$(nproc)" clang-format --dry-run --Werror 2>&1 >/dev/null |
  sed -n 's/^\(.*\.\(cpp\|h\)\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)

if [ ${#bad[@]} -gt 0 ]; then
  echo "These files are not in the project's format (.clang-format):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  echo "Mend them with: clang-format -i <file>" >&2
  exit 1
fi
echo "format check: ${#files[@]} files in the project's format"
