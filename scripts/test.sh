#!/usr/bin/env bash
# Checks the format, builds everything (warnings are errors) and runs every test:
# scripts/test.sh [ctest args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/build.sh" all
arch=$(bash "$root/scripts/test-arch.sh")
[ "$arch" = i686 ] || echo "test.sh: this kernel cannot run 32-bit code; testing the x86_64 build under wine64"
cd "$root/build/$arch"
# In parallel: tests that need the display to itself hold a lock (qm_test's DISPLAY_LOCK).
ctest --output-on-failure --timeout 900 -j"$(nproc)" "$@"
