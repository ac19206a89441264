#!/usr/bin/env bash
# Set-up (once) and build: scripts/build.sh [i686|x86_64|all] [target...]
# (with targets, only those, in the named tree or trees)
# build/i686 is the shipped 32-bit program; build/x86_64 is the same sources for
# running the tests where the kernel cannot execute 32-bit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
# The quick check of the set-up (the whole set-up only when something is missing); none when
# the caller has just run it (QM_SETUP_DONE=1).
[ "${QM_SETUP_DONE:-}" = 1 ] || bash "$root/scripts/setup.sh" --quick

build_one() { # arch
    local arch=$1 dir="$root/build/$1"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
    fi
    echo "$arch" >"$dir/qm-arch"
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}" -- --no-print-directory
}

case "$what" in
all) build_one i686; build_one x86_64 ;;
i686 | x86_64) build_one "$what" ;;
*) echo "usage: $0 [i686|x86_64|all]" >&2; exit 2 ;;
esac
