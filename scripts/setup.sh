#!/usr/bin/env bash
# One-time machine set-up for building and testing Quillmoth on Debian 12.
# Idempotent: a second run only checks stamps and returns.
#   setup.sh [--quick]
# With --quick (run.sh, build.sh) it returns at once when the tools are installed and both
# dependency trees carry this recipe's stamp, without asking apt for newer source versions;
# anything missing runs the whole set-up.
#  - enables i386 and source packages in the existing apt sources
#  - installs the mingw-w64 toolchain, Wine with its fonts, Xvfb and the X utilities,
#    PulseAudio, the test checkers and the formatter
#  - cross-builds PortAudio (MME), libogg, libvorbis and lame_enc.dll from Debian's
#    source packages into $QM_DEPS/<triplet> (default /var/cache/quillmoth), for
#    i686 (the program) and x86_64 (tests on machines that cannot run 32-bit code)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
QM_DEPS=${QM_DEPS:-/var/cache/quillmoth}
src="$QM_DEPS/src"
jobs=$(nproc)

log() { printf '[setup] %s\n' "$*"; }

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi

# fonts-wine holds Wine's symbol font (caption buttons, the system menu's marks): wine only
# recommends it, and it is made known to fontconfig below. x11-utils: run.sh asks the display whether it is there (xwininfo).
packages=(
    cmake make pkg-config dpkg-dev
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32 wine64 fonts-wine xvfb xauth x11-utils imagemagick
    pulseaudio pulseaudio-utils libpulse0:i386
    sox vorbis-tools lame googletest clang-format zip unzip
)

# The dependencies' build recipe: a change here rebuilds them.
recipe=4

apt_ready() {
    # Every package installed and deb-src enabled: nothing to do. One query for all.
    dpkg --print-foreign-architectures | grep -qx i386 || return 1
    grep -rqsE '^Types:.*deb-src|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/ || return 1
    local installed
    installed=$(dpkg-query -W -f='${db:Status-Status}\n' "${packages[@]}" 2>/dev/null | grep -cx installed || true)
    [ "$installed" -eq "${#packages[@]}" ]
}

posix_threads() {
    local t h
    for t in gcc g++; do
        for h in i686-w64-mingw32 x86_64-w64-mingw32; do
            [ "$(readlink -f /usr/bin/$h-$t)" = "/usr/bin/$h-$t-posix" ] || return 1
        done
    done
}

# Debian's Wine does not look for fonts-wine's fonts where that package puts them; its symbol
# font, linked into the local fonts folder that fontconfig reads, reaches every Wine prefix.
symbol_font=/usr/local/share/fonts/wine/marlett.ttf
symbol_font_ready() {
    [ -e "$symbol_font" ]
}

deps_ready() {
    # Both trees built by this recipe from the same source versions, and those sources kept.
    local i686 x86_64
    i686=$(cat "$QM_DEPS/i686-w64-mingw32/.stamp" 2>/dev/null) || return 1
    x86_64=$(cat "$QM_DEPS/x86_64-w64-mingw32/.stamp" 2>/dev/null) || return 1
    [ "$i686" = "$x86_64" ] && [ "${i686##* }" = "recipe=$recipe" ] && [ -f "$src/.stamp" ]
}

if [ "${1:-}" = --quick ] && apt_ready && symbol_font_ready && posix_threads && deps_ready; then
    exit 0
fi

if ! apt_ready; then
    log "configuring apt (i386, source packages) and installing tools"
    $SUDO dpkg --add-architecture i386
    # Turn the existing binary entries into binary+source entries; no new hosts.
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        $SUDO sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
    done
    if [ -f /etc/apt/sources.list ] && ! grep -qE '^deb-src ' /etc/apt/sources.list; then
        $SUDO sed -i -E 's/^deb (.*)$/deb \1\ndeb-src \1/' /etc/apt/sources.list
    fi
    # A mirror caught mid-sync fails one index now and then; the lists it did fetch
    # still serve the install, which fails by itself if a package is really missing.
    updated=0
    for attempt in 1 2 3; do
        if $SUDO apt-get update -q; then
            updated=1
            break
        fi
        log "apt-get update failed (attempt $attempt)"
        sleep 5
    done
    [ "$updated" = 1 ] || log "going on with the package lists apt has"
    install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends)
    if ! $SUDO "${install[@]}" "${packages[@]}"; then
        # With one architecture's update index missing, the two architectures' versions of a
        # shared library disagree; the release's own packages exist for both.
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        log "install failed; trying again with the packages of $codename itself"
        $SUDO "${install[@]}" -t "$codename" "${packages[@]}"
    fi
fi

if ! symbol_font_ready; then
    log "making Wine's symbol font known to fontconfig"
    $SUDO mkdir -p "$(dirname "$symbol_font")"
    $SUDO ln -sf /usr/share/wine/fonts/marlett.ttf "$symbol_font"
    $SUDO fc-cache "$(dirname "$symbol_font")" >/dev/null 2>&1 || true
fi

# The posix thread model gives std::thread and std::mutex.
for t in gcc g++; do
    for h in i686-w64-mingw32 x86_64-w64-mingw32; do
        if [ "$(readlink -f /usr/bin/$h-$t)" != "/usr/bin/$h-$t-posix" ]; then
            $SUDO update-alternatives --set $h-$t /usr/bin/$h-$t-posix >/dev/null
        fi
    done
done

# ---------------------------------------------------------------- dependencies
versions=""
for p in portaudio19 libogg libvorbis lame; do
    v=$(apt-cache showsrc "$p" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -V | tail -1)
    [ -n "$v" ] || { echo "setup: no source package for $p (are source entries enabled?)" >&2; exit 1; }
    versions+="$p=$v "
done
stamp_text="$versions recipe=$recipe"

fetch_sources() {
    [ -f "$src/.stamp" ] && [ "$(cat "$src/.stamp")" = "$versions" ] && return
    log "fetching source packages"
    rm -rf "$src"
    mkdir -p "$src"
    (
        cd "$src"
        for p in portaudio19 libogg libvorbis lame; do
            apt-get source -q "$p" >"$p.fetch.log" 2>&1 || { cat "$p.fetch.log" >&2; exit 1; }
        done
    )
    echo "$versions" >"$src/.stamp"
}

build_autotools() { # triplet, build folder, configure args...
    local t=$1 dir=$2
    shift 2
    (
        cd "$dir"
        CFLAGS="$cflags" ./configure --host="$t" --prefix="$prefix" --disable-shared --enable-static "$@" \
            >configure.log 2>&1 || { tail -40 configure.log >&2; exit 1; }
        make -j"$jobs" >make.log 2>&1 || { tail -40 make.log >&2; exit 1; }
        make install >install.log 2>&1 || { tail -40 install.log >&2; exit 1; }
    )
}

build_for() { # triplet
    local t=$1
    prefix="$QM_DEPS/$t"
    local stamp="$prefix/.stamp" work="$QM_DEPS/work/$t"
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ] && return
    fetch_sources
    log "cross-building dependencies for $t"
    rm -rf "$prefix" "$work"
    mkdir -p "$prefix" "$work"
    cp -a "$src"/portaudio19-*/ "$src"/libogg-*/ "$src"/libvorbis-*/ "$src"/lame-*/ "$work/"
    cflags="-O2"
    [ "$t" = i686-w64-mingw32 ] && cflags="-O2 -msse2 -mfpmath=sse"
    export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"

    # PortAudio with the MME host API only, static (the MME extension functions
    # are only reachable from the static library).
    build_autotools "$t" "$(ls -d "$work"/portaudio19-*/)" --with-winapi=wmme
    cp "$work"/portaudio19-*/include/pa_win_wmme.h "$work"/portaudio19-*/include/pa_win_waveformat.h "$prefix/include/"
    $t-nm "$prefix/lib/libportaudio.a" >"$work/pa.nm"
    grep -qE ' T _?Pa_GetStreamHostApiType$' "$work/pa.nm" ||
        { echo "setup: PortAudio lacks Pa_GetStreamHostApiType" >&2; exit 1; }

    build_autotools "$t" "$(ls -d "$work"/libogg-*/)"
    build_autotools "$t" "$(ls -d "$work"/libvorbis-*/)" --with-ogg="$prefix" --disable-examples --disable-docs

    # LAME: the static encoder library, then lame_enc.dll from its own Dll sources; the
    # package ships this recipe beside LAME's source.
    bash "$here/build-lame.sh" "$t" "$(ls -d "$work"/lame-*/)" "$prefix"
    local e
    $t-objdump -p "$prefix/bin/lame_enc.dll" >"$work/lame.exports"
    for e in beInitStream beEncodeChunkFloatS16NI beDeinitStream beCloseStream beWriteVBRHeader beWriteInfoTag beVersion; do
        grep -qE "\] $e\$" "$work/lame.exports" ||
            { echo "setup: lame_enc.dll ($t) does not export $e" >&2; exit 1; }
    done
    rm -rf "$work"
    echo "$stamp_text" >"$stamp"
}

build_for i686-w64-mingw32
build_for x86_64-w64-mingw32
