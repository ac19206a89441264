#!/usr/bin/env bash
# scripts/run.sh with DISPLAY naming a display that no X server serves (a variable left from
# a closed session): it must say so and fail, not end in silence with success.
#   run_script.sh BUILD_DIR
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
# Should it start anything after all, it does so in a home and Wine prefix of its own.
export HOME="$build/harness/run-script-home" WINEPREFIX="$build/harness/run-script-home/prefix"
mkdir -p "$HOME"
n=400
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
status=0
out=$(DISPLAY=":$n" timeout 300 bash "$root/scripts/run.sh" 2>&1 </dev/null) || status=$?
failed=0
if [ "$status" -eq 0 ]; then
    echo "FAIL: run.sh ended with 0 on the dead display :$n"
    failed=1
fi
if ! grep -q "display :$n cannot be reached" <<<"$out"; then
    echo "FAIL: run.sh did not say that the display cannot be reached"
    failed=1
fi
printf '%s\n' "$out"
exit "$failed"
