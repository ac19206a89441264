#!/usr/bin/env bash
# CTest's emulator: wine-run.sh --build BUILD_DIR program.exe [args...]
set -eu
[ "$1" = --build ] || { echo "usage: $0 --build DIR exe [args]" >&2; exit 2; }
build=$(cd "$2" && pwd)
shift 2
. "$(dirname "$0")/wine-env.sh"
qm_wine_env "$build"
# Where the tests find their build folder; CTest sets it, a run by hand gets it here.
export QM_BUILD=${QM_BUILD:-$build}
qm_wine_prefix
exec "$WINE" "$@"
