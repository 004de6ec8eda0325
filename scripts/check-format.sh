#!/usr/bin/env bash
# Fails on any C++ file of the tree that the project's .clang-format would change.
# Uses Debian's clang-format (installed by scripts/setup.sh) so that every machine agrees.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-14 || command -v clang-format)
bad=()
while IFS= read -r -d '' file; do
  if ! "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1; then bad+=("$file"); fi
done < <(git ls-files -z -- '*.cpp' '*.h')
if ((${#bad[@]})); then
  echo "check-format: not formatted with .clang-format (run: clang-format -i FILE):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "check-format: all $(git ls-files -- '*.cpp' '*.h' | wc -l) C++ files formatted"
