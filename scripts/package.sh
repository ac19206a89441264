#!/usr/bin/env bash
# Builds the portable package: a folder and a zip that a Windows user unpacks anywhere and
# runs. It holds the program, the MP3 encoder library, the tips file, the licence texts
# of every library built into those two, and the source of the MP3 encoder library with the
# script it was built by (LAME's licence asks for them beside the library).
#
#   scripts/package.sh [BUILD_DIR] [DIST_DIR]
#
# Without BUILD_DIR it builds the program as shipped (scripts/build.sh i686 Quillmoth: the
# set-up's check, then a cross-build, which works on any kernel) and packages build/i686;
# with one, it brings that configured tree's program up to date and packages it. DIST_DIR
# defaults to dist/. The licence texts come from the Debian source packages that
# scripts/setup.sh fetched into $QM_DEPS/src (default /var/cache/quillmoth) and from the
# installed cross-compiler's packages (/usr/share/doc).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dist=${2:-$root/dist}
src=${QM_DEPS:-/var/cache/quillmoth}/src

die() { echo "package.sh: $*" >&2; exit 1; }

# Quillmoth.exe is built; lame_enc.dll and Tips.tip are copied beside it when the tree is
# configured. The build talks on stderr: stdout's last line is the zip.
if [[ -z ${1:-} ]]; then
    bash "$root/scripts/build.sh" i686 Quillmoth >&2
    build=$root/build/i686
else
    build=$(cd "$1" && pwd)
    [[ -f $build/CMakeCache.txt ]] || die "$build is not a configured build folder (scripts/build.sh)"
    cmake --build "$build" --target Quillmoth -- --no-print-directory >&2
fi
command -v zip >/dev/null || die "zip is missing (scripts/setup.sh installs it)"

bin=$build/bin
for f in Quillmoth.exe lame_enc.dll Tips.tip; do
    [[ -f $bin/$f ]] || die "$bin/$f is missing after the build"
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

# The libraries built into the two binaries, as the linkers' maps show them (the build's
# Quillmoth.map, lame_enc.map beside the dependencies' libraries; the package test checks
# this list against both): Quillmoth.exe links PortAudio, libvorbis, libogg, the mingw-w64
# runtime (its C runtime start-up and extensions, with gdtoa's number formatting),
# winpthreads (the posix thread model's std::thread and std::mutex), libgcc and libstdc++,
# all statically; lame_enc.dll links LAME's encoder, the mingw-w64 runtime and libgcc.
# Each dependency's source folder, its licence files and Debian's summary of them.
declare -A licences=(
    [PortAudio]="portaudio19-*:LICENSE.txt"
    [libogg]="libogg-*:COPYING"
    [libvorbis]="libvorbis-*:COPYING"
    [LAME]="lame-*:COPYING LICENSE"
)
declare -A linked=(
    [PortAudio]="Quillmoth.exe"
    [libogg]="Quillmoth.exe"
    [libvorbis]="Quillmoth.exe"
    [LAME]="lame_enc.dll"
)
triplet=$([[ $word == win32 ]] && echo i686 || echo x86_64)-w64-mingw32
# The cross compiler's runtime, from its Debian packages.
mingw_pkg=mingw-w64-$([[ $word == win32 ]] && echo i686 || echo x86-64)-dev
gcc_pkg=gcc-mingw-w64-$([[ $word == win32 ]] && echo i686 || echo x86-64)-posix
mingw_copyright=/usr/share/doc/$mingw_pkg/copyright
gcc_copyright=/usr/share/doc/gcc-mingw-w64-base/copyright
gpl3=/usr/share/common-licenses/GPL-3
for f in "$mingw_copyright" "$gcc_copyright" "$gpl3"; do
    [[ -f $f ]] || die "$f is missing (scripts/setup.sh installs the cross compiler)"
done
package_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || die "$1 is not installed"; }

name=Quillmoth-$version-$word
stage=$dist/$name
rm -rf "$stage" "$dist/$name.zip"
mkdir -p "$stage/licenses"
cp "$bin/Quillmoth.exe" "$bin/lame_enc.dll" "$stage/"
# The builds keep their debugging sections; the package has no use for them.
strip=$triplet-strip
command -v "$strip" >/dev/null || die "$strip is missing (scripts/setup.sh installs it)"
"$strip" "$stage/Quillmoth.exe" "$stage/lame_enc.dll"
# Text for Windows editors: CR LF line ends.
sed 's/\r\?$/\r/' "$bin/Tips.tip" >"$stage/Tips.tip"
# What the package is and where the program keeps its files, for whoever unpacks it.
sed -e "s/@VERSION@/$version/" -e 's/\r\?$/\r/' "$root/resources/ReadMe.txt" >"$stage/ReadMe.txt"

notice=$stage/licenses/README.txt
{
    echo "Quillmoth $version is built with these libraries, each under its own licence:"
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
    echo "- $lib $(basename "$dir" | sed 's/^[^-]*-//'), in ${linked[$lib]}: $lib-*.txt" >>"$notice"
done

# mingw-w64's runtime and winpthreads: Debian's copyright file of the runtime package holds
# every licence of the mingw-w64 sources, winpthreads' among them; winpthreads' own notice,
# which its licence asks binaries to carry, is also taken out of it on its own.
sed 's/\r\?$/\r/' "$mingw_copyright" >"$stage/licenses/mingw-w64-copyright.txt"
awk 'BEGIN { RS = ""; ORS = "\n\n" }
    /^Files:/ && /winpthreads\// && !/tests_pthread/ {
        print
        # A licence named without its text is given in a paragraph of its own.
        if (match($0, /\nLicense: [^\n]*$/)) need[substr($0, RSTART + 10)] = 1
        next
    }
    /^License: / { split($0, first, "\n"); text[substr(first[1], 10)] = $0 }
    END { for (l in need) if (l in text) print text[l] }' "$mingw_copyright" |
    sed 's/\r\?$/\r/' >"$stage/licenses/winpthreads-copyright.txt"
grep -q 'Permission is hereby granted' "$stage/licenses/winpthreads-copyright.txt" ||
    die "no winpthreads licence in $mingw_copyright"
mingw_version=$(package_version "$mingw_pkg")
gcc_version=$(package_version "$gcc_pkg")
{
    echo "- the mingw-w64 runtime $mingw_version (C run-time start-up, maths and formatting),"
    echo "  in Quillmoth.exe and lame_enc.dll: mingw-w64-copyright.txt"
    echo "- winpthreads (mingw-w64 $mingw_version), in Quillmoth.exe: winpthreads-copyright.txt"
} >>"$notice"

# libgcc and libstdc++: GPL 3 with the GCC Runtime Library Exception, both texts in the
# compiler's copyright file but the GPL's, which Debian keeps apart.
sed 's/\r\?$/\r/' "$gcc_copyright" >"$stage/licenses/GCC-copyright.txt"
sed 's/\r\?$/\r/' "$gpl3" >"$stage/licenses/GCC-GPL-3.txt"
{
    echo "- libgcc, of the GCC runtime libraries $gcc_version, in Quillmoth.exe and lame_enc.dll:"
    echo "  GCC-copyright.txt (with the GCC Runtime Library Exception 3.1) and GCC-GPL-3.txt"
    echo "- libstdc++, of the GCC runtime libraries $gcc_version, in Quillmoth.exe: the same"
} >>"$notice"

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
    echo "The sources are Debian's source packages of the same names and versions; the"
    echo "runtime libraries come with Debian's mingw-w64 cross compiler (packages $mingw_pkg"
    echo "and $gcc_pkg)."
    echo
    echo "The source of lame_enc.dll is in source/LAME: Debian's source package"
    echo "$(basename "$lame_dsc" .dsc) (${lame_files[*]}); unpack it with"
    echo "\"dpkg-source -x $(basename "$lame_dsc")\". build-lame.sh beside it is the script that built"
    echo "lame_enc.dll from that source with the mingw-w64 cross compiler; the package then"
    echo "strips its debugging sections ($strip)."
} >>"$notice"
sed -i 's/\r\?$/\r/' "$notice"

(cd "$dist" && zip -q -r -X "$name.zip" "$name")
echo "$dist/$name.zip"
