#!/usr/bin/env bash
# Builds lame_enc.dll, the MP3 encoder library the program loads, from LAME's source:
# the static encoder library first, then the DLL from LAME's own Dll/ sources over it.
#   build-lame.sh TRIPLET LAME_SOURCE_DIR PREFIX
# TRIPLET is i686-w64-mingw32 (the shipped program) or x86_64-w64-mingw32, with its
# mingw-w64 cross compiler on PATH. LAME_SOURCE_DIR is LAME's unpacked source (Debian's
# source package: dpkg-source -x lame_*.dsc), built in place. The DLL goes to PREFIX/bin,
# its header to PREFIX/include/lame, the linker's map to PREFIX/lib/lame_enc.map.
# scripts/setup.sh runs it for both triplets.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 TRIPLET LAME_SOURCE_DIR PREFIX" >&2; exit 2; }
t=$1
lm=$(cd "$2" && pwd)
mkdir -p "$3"
prefix=$(cd "$3" && pwd)
cflags="-O2"
[ "$t" = i686-w64-mingw32 ] && cflags="-O2 -msse2 -mfpmath=sse"
(
    cd "$lm"
    CFLAGS="$cflags" ./configure --host="$t" --prefix="$prefix" --disable-shared --enable-static \
        --disable-frontend --disable-decoder --disable-gtktest >configure.log 2>&1 ||
        { tail -40 configure.log >&2; exit 1; }
    make -j"$(nproc)" >make.log 2>&1 || { tail -40 make.log >&2; exit 1; }
    make install >install.log 2>&1 || { tail -40 install.log >&2; exit 1; }
)
(
    cd "$lm/Dll"
    # The DLL source includes <Windef.h> and <Windows.h>; the mingw headers are lower case.
    mkdir -p fwd
    echo '#include <windef.h>' >fwd/Windef.h
    echo '#include <windows.h>' >fwd/Windows.h
    $t-gcc $cflags -DHAVE_CONFIG_H -I. -Ifwd -I.. -I../include -I../libmp3lame \
        -shared -o lame_enc.dll BladeMP3EncDLL.c BladeMP3EncDLL.def \
        ../libmp3lame/.libs/libmp3lame.a -Wl,--kill-at -Wl,-Map=lame_enc.map -static-libgcc >dll.log 2>&1 ||
        { cat dll.log >&2; exit 1; }
    mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include/lame"
    cp lame_enc.dll "$prefix/bin/"
    # The linker's map: the package's licence list is checked against it.
    cp lame_enc.map "$prefix/lib/"
    cp BladeMP3EncDLL.h "$prefix/include/lame/"
)
