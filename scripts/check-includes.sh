#!/usr/bin/env bash
# Fails when an #include goes against the layers: framework includes nothing of the
# program's other folders; controls, mixer and engine include nothing of app; engine
# includes nothing of controls; the pages reach the main window through app/PageHost.h,
# never its own header.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# folder: the folders its sources must not include from
declare -A banned=(
    [framework]="app controls engine mixer tools tests bench resources"
    [controls]="app"
    [mixer]="app"
    [engine]="app controls"
    [app/pages]="app/CTolvaneDlg.h"
)
bad=0
for folder in "${!banned[@]}"; do
    mapfile -t files < <(git ls-files --cached --others --exclude-standard "$folder/*.cpp" "$folder/*.h")
    for f in "${files[@]}"; do
        [ -f "$f" ] || continue
        while IFS= read -r hit; do
            line=${hit%%:*}
            target=$(sed -E 's/^[^"<]*["<]([^">]*)[">].*/\1/' <<<"${hit#*:}")
            for b in ${banned[$folder]}; do
                if [[ "$target" == "$b" || "$target" == "$b/"* ]]; then
                    echo "$f:$line: $folder includes $target" >&2
                    bad=1
                fi
            done
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$f" || true)
    done
done
if [ "$bad" != 0 ]; then
    echo "check-includes.sh: the includes above go against the layers (README, developer notes)" >&2
    exit 1
fi
echo "includes: every layer includes only what is below it"
