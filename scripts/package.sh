#!/usr/bin/env bash
# Builds the portable package: a folder and a zip that a Windows user unpacks anywhere and
# runs. It holds the program, the MP3 encoder library, the tips file, the licence texts
# of the libraries the program ships, and the source of the MP3 encoder library with the
# script it was built by (LAME's licence asks for them beside the library).
#
#   scripts/package.sh [BUILD_DIR] [DIST_DIR]
#
# BUILD_DIR defaults to build/i686 (the program as shipped), DIST_DIR to dist/. The build
# must exist (scripts/build.sh i686); the licence texts come from the Debian source
# packages that scripts/setup.sh fetched into $QM_DEPS/src (default /var/cache/quillmoth).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/i686}" && pwd)
dist=${2:-$root/dist}
src=${QM_DEPS:-/var/cache/quillmoth}/src

die() { echo "package.sh: $*" >&2; exit 1; }
command -v zip >/dev/null || die "zip is missing (scripts/setup.sh installs it)"

bin=$build/bin
for f in Quillmoth.exe lame_enc.dll Tips.tip; do
    [[ -f $bin/$f ]] || die "$bin/$f is missing: build first"
done

# The version the build put into the program; the word size from the program's own header.
version_h=$build/generated/resources/Version.h
version=$(sed -n 's/^#define QM_VERSION_TEXT "\([0-9][0-9.]*\)"$/\1/p' "$version_h" 2>/dev/null | head -n 1)
[[ -n $version ]] || die "no version in $version_h: build first"
case $(od -An -tx2 -j "$(( $(od -An -tu4 -j 60 -N 4 "$bin/Quillmoth.exe") + 4 ))" -N 2 "$bin/Quillmoth.exe" | tr -d ' ') in
    014c) word=win32 ;;
    8664) word=win64 ;;
    *) die "Quillmoth.exe is not a Windows program" ;;
esac

# One source folder per library; its licence files, and Debian's summary of them.
declare -A licences=(
    [PortAudio]="portaudio19-*:LICENSE.txt"
    [libogg]="libogg-*:COPYING"
    [libvorbis]="libvorbis-*:COPYING"
    [LAME]="lame-*:COPYING LICENSE"
)

name=Quillmoth-$version-$word
stage=$dist/$name
rm -rf "$stage" "$dist/$name.zip"
mkdir -p "$stage/licenses"
cp "$bin/Quillmoth.exe" "$bin/lame_enc.dll" "$stage/"
# The build keeps its debugging symbols; the package has no use for them.
strip=$([[ $word == win32 ]] && echo i686 || echo x86_64)-w64-mingw32-strip
if command -v "$strip" >/dev/null; then
    "$strip" "$stage/Quillmoth.exe"
fi
# Text for Windows editors: CR LF line ends.
sed 's/\r\?$/\r/' "$bin/Tips.tip" >"$stage/Tips.tip"

notice=$stage/licenses/README.txt
{
    echo "Quillmoth $version ships these libraries, each under its own licence:"
    echo
} >"$notice"
for lib in PortAudio libogg libvorbis LAME; do
    pattern=${licences[$lib]%%:*}
    files=${licences[$lib]#*:}
    dir=$(find "$src" -maxdepth 1 -type d -name "$pattern" | sort | tail -n 1)
    [[ -n $dir ]] || die "no $pattern source in $src: run scripts/setup.sh"
    for f in $files debian/copyright; do
        [[ -f $dir/$f ]] || die "$dir/$f is missing"
        sed 's/\r\?$/\r/' "$dir/$f" >"$stage/licenses/$lib-$(basename "$f" .txt).txt"
    done
    echo "- $lib $(basename "$dir" | sed 's/^[^-]*-//'): $lib-*.txt" >>"$notice"
done
# LAME's source as Debian ships it (the description, the original tarball and Debian's
# changes), and the recipe that built lame_enc.dll from it.
mkdir -p "$stage/source/LAME"
lame_dsc=$(find "$src" -maxdepth 1 -type f -name 'lame_*.dsc' | sort | tail -n 1)
[[ -n $lame_dsc ]] || die "no lame_*.dsc in $src: run scripts/setup.sh"
lame_files=("$(basename "$lame_dsc")")
lame_files+=($(awk '/^Files:/ {on = 1; next} /^[^ ]/ {on = 0} on {print $3}' "$lame_dsc"))
for f in "${lame_files[@]}"; do
    [[ -f $src/$f ]] || die "$src/$f is missing: run scripts/setup.sh"
    cp "$src/$f" "$stage/source/LAME/"
done
cp "$root/scripts/build-lame.sh" "$stage/source/LAME/"
{
    echo
    echo "PortAudio, libogg and libvorbis are built into Quillmoth.exe; LAME is lame_enc.dll,"
    echo "a separate library you may replace with your own build of LAME."
    echo "The sources are Debian's source packages of the same names and versions."
    echo
    echo "The source of lame_enc.dll is in source/LAME: Debian's source package"
    echo "$(basename "$lame_dsc" .dsc) (${lame_files[*]}); unpack it with"
    echo "\"dpkg-source -x $(basename "$lame_dsc")\". build-lame.sh beside it is the script that built"
    echo "lame_enc.dll from that source with the mingw-w64 cross compiler."
} >>"$notice"
sed -i 's/\r\?$/\r/' "$notice"

(cd "$dist" && zip -q -r -X "$name.zip" "$name")
echo "$dist/$name.zip"
