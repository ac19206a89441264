#!/usr/bin/env bash
# Builds the portable package of this build folder and unpacks it into a fresh folder
# whose name has blanks, as a user would anywhere; the dialog GUI test then runs that copy.
#   package_fixture.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
dist=$build/app_dialogs_dist
unpacked=$build/app_dialogs_unpacked

zip=$("$root/scripts/package.sh" "$build" "$dist" | tail -n 1)
[[ -f $zip ]] || { echo "no zip made" >&2; exit 1; }
listing=$(unzip -Z1 "$zip")
for f in Quillmoth.exe lame_enc.dll Tips.tip ReadMe.txt licenses/PortAudio-LICENSE.txt licenses/libogg-COPYING.txt \
    licenses/libvorbis-COPYING.txt licenses/LAME-COPYING.txt licenses/mingw-w64-copyright.txt \
    licenses/winpthreads-copyright.txt licenses/GCC-copyright.txt licenses/GCC-GPL-3.txt; do
    grep -q "^[^/]*/$f\$" <<<"$listing" || { echo "the zip lacks $f" >&2; exit 1; }
done
# LAME's licence: the shipped library's source and its build script, named by the notice.
for f in 'lame_[^/]*\.dsc' 'lame_[^/]*\.orig\.tar\.[a-z0-9]*' 'lame_[^/]*\.debian\.tar\.[a-z0-9]*' 'build-lame\.sh'; do
    grep -q "^[^/]*/source/LAME/$f\$" <<<"$listing" || { echo "the zip lacks source/LAME/$f" >&2; exit 1; }
done

rm -rf "$unpacked"
here="$unpacked/Unpacked copy"
mkdir -p "$here"
unzip -q "$zip" -d "$here"
ls "$here"/*/Quillmoth.exe
notice=$(tr -d '\r' <"$here"/*/licenses/README.txt)
grep -q "source/LAME" <<<"$notice" || { echo "licenses/README.txt does not say where LAME's source is" >&2; exit 1; }
# The posix thread model links winpthreads into the program, whose licence asks for its
# notice beside the binary.
triplet=$(cat "$build/qm-arch")-w64-mingw32
symbols=$("$triplet-nm" "$build/bin/Quillmoth.exe")
if grep -qE ' T _?pthread_mutex_lock$' <<<"$symbols"; then
    grep -q "winpthreads.*winpthreads-copyright.txt" <<<"$notice" ||
        { echo "licenses/README.txt does not name winpthreads, which the program links" >&2; exit 1; }
    grep -q "mingw-w64 project" "$here"/*/licenses/winpthreads-copyright.txt ||
        { echo "licenses/winpthreads-copyright.txt lacks winpthreads' notice" >&2; exit 1; }
fi
# Every library the linkers' maps show in a binary is named in the notice for that binary:
# an entry "- NAME ..., in BINARY and BINARY: FILES" (continued on indented lines).
# linked MAP OWN: the libraries of a map, one a line; objects from the binary's own tree
# (relative paths, the compiler's temporary files) count as OWN.
linked() {
    awk '/^Archive member included/ { on = 1; next }
        /^(Discarded input sections|Memory Configuration)/ { on = 0 }
        on && /^[^ \t(]/ { sub(/\(.*/, ""); print }
        /^LOAD .*\.o(bj)?$/ { print $2 }' "$1" | sort -u | while read -r f; do
        case $f in
        /*) f=$(realpath -m "$f") ;;
        *) echo "$2" && continue ;;
        esac
        case $f in
        "$build"/* | /tmp/*) echo "$2" ;;
        */libportaudio.a) echo PortAudio ;;
        */libogg.a) echo libogg ;;
        */libvorbis.a | */libvorbisenc.a) echo libvorbis ;;
        */libmp3lame.a) echo LAME ;;
        */libpthread.a | */libwinpthread.a) echo winpthreads ;;
        */libstdc++.a) echo libstdc++ ;;
        /usr/lib/gcc/"$triplet"/*) echo libgcc ;;
        /usr/"$triplet"/lib/*) echo "mingw-w64 runtime" ;;
        *) echo "unknown $f" ;;
        esac
    done | sort -u
}
entries=$(awk '/^- / { if (e != "") print e; e = $0; next }
    /^  / && e != "" { sub(/^ +/, ""); e = e " " $0; next }
    { if (e != "") print e; e = "" } END { if (e != "") print e }' <<<"$notice")
deps=${QM_DEPS:-/var/cache/quillmoth}/$triplet
for pair in "Quillmoth.exe:$build/Quillmoth.map:ours" "lame_enc.dll:$deps/lib/lame_enc.map:LAME"; do
    binary=${pair%%:*} rest=${pair#*:}
    map=${rest%:*} own=${rest##*:}
    [[ -f $map ]] || { echo "no linker map $map for $binary" >&2; exit 1; }
    while read -r lib; do
        [[ $lib == ours ]] && continue
        [[ $lib != unknown* ]] || { echo "$binary links ${lib#unknown }, which no licence covers" >&2; exit 1; }
        # The entry's "in ..." part, up to its colon, names the binary.
        grep -qE -- "^- (the )?$(sed 's/[+.]/\\&/g' <<<"$lib")[ ,(].*, in [^:]*$binary" <<<"$entries" ||
            { echo "licenses/README.txt does not name $lib in $binary, which its linker map shows" >&2; exit 1; }
    done < <(linked "$map" "$own")
done
# The shipped binaries carry no debugging sections.
for f in Quillmoth.exe lame_enc.dll; do
    sections=$("$triplet-objdump" -h "$here"/*/"$f")
    if grep -q '\.debug_' <<<"$sections"; then
        echo "the package's $f has debugging sections" >&2
        exit 1
    fi
done
# The package's source unpacks into the tree lame_enc.dll was built from.
(cd "$unpacked" && dpkg-source -x "$here"/*/source/LAME/lame_*.dsc lame-src >/dev/null) ||
    { echo "source/LAME does not unpack" >&2; exit 1; }
[[ -f $unpacked/lame-src/Dll/BladeMP3EncDLL.c ]] || { echo "source/LAME lacks the DLL's source" >&2; exit 1; }
