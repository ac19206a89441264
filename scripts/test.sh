#!/usr/bin/env bash
# Checks the format, builds everything (warnings are errors) and runs every test:
# scripts/test.sh [ctest args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/check-includes.sh"
arch=$(bash "$root/scripts/test-arch.sh")
other=x86_64
[ "$arch" = i686 ] || other=i686
# The tree the tests run, whole; of the other, the program and the recording driver, so
# that both stay warning-free without building every test twice (scripts/build.sh all
# builds everything).
bash "$root/scripts/build.sh" "$arch"
bash "$root/scripts/build.sh" "$other" Quillmoth qmrec
[ "$arch" = i686 ] || echo "test.sh: this kernel cannot run 32-bit code; testing the x86_64 build under wine64"
cd "$root/build/$arch"
# In parallel: tests that need a display to themselves take turns on each of the two
# (qm_test's DISPLAY_LOCK and SECOND_DISPLAY_LOCK).
ctest --output-on-failure --timeout 900 -j"$(nproc)" "$@"
