#!/usr/bin/env bash
# Builds everything and runs every test: scripts/test.sh [ctest args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" all
arch=$(bash "$root/scripts/test-arch.sh")
[ "$arch" = i686 ] || echo "test.sh: this kernel cannot run 32-bit code; testing the x86_64 build under wine64"
cd "$root/build/$arch"
ctest --output-on-failure --timeout 900 "$@"
