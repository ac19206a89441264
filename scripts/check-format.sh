#!/usr/bin/env bash
# Fails when a tracked C++ source differs from what .clang-format makes of it.
# Debian's clang-format (version 14, installed by setup.sh); fix with clang-format -i.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
command -v clang-format >/dev/null || { echo "check-format.sh: clang-format is not installed (scripts/setup.sh)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
# Tracked files deleted in the working tree are not checked.
present=()
for f in "${files[@]}"; do [ -f "$f" ] && present+=("$f"); done
[ ${#present[@]} -gt 0 ] || exit 0
if ! clang-format --dry-run --Werror "${present[@]}"; then
    echo "check-format.sh: the files above differ from .clang-format; run clang-format -i on them" >&2
    exit 1
fi
echo "format: ${#present[@]} files match .clang-format"
