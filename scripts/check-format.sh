#!/usr/bin/env bash
# Checks that every C and C++ file of the tree is formatted as .clang-format
# says (clang-format 14, as Debian 12 has it). Prints the first offending
# place of each file that is not and fails; `clang-format -i FILE` mends it.
# The files are the ones git tracks, or every file outside build/ when the
# tree is not a git checkout.
set -euo pipefail
cd "$(dirname "$0")/.."

format=${CLANG_FORMAT:-}
if [ -z "$format" ]; then
  format=$(command -v clang-format-14 || command -v clang-format || true)
fi
if [ -z "$format" ]; then
  echo "clang-format is not installed (scripts/bootstrap.sh installs it)" >&2
  exit 1
fi

files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  while IFS= read -r -d '' f; do
    [ -f "$f" ] && files+=("$f")
  done < <(git ls-files -z -- '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
else
  while IFS= read -r -d '' f; do
    files+=("$f")
  done < <(find . -path ./build -prune -o -path ./.git -prune -o -type f \
    \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) -print0)
fi
if ((${#files[@]} == 0)); then
  echo "no C or C++ files found" >&2
  exit 1
fi

if printf '%s\0' "${files[@]}" | xargs -0 -n 64 "$format" --dry-run -Werror --ferror-limit=1; then
  echo "${#files[@]} files formatted as .clang-format says"
else
  echo "some files are not formatted: run clang-format -i on them" >&2
  exit 1
fi
