# Sourced by the scripts that run the program or its tests under Wine.
# Usage: qm_wine_env BUILD_DIR  -> sets WINE, WINEPREFIX, WINESERVER and friends.
qm_wine_env() {
    local build=$1
    QM_ARCH=$(cat "$build/qm-arch" 2>/dev/null || echo x86_64)
    QM_HARNESS="$build/harness"
    # Window tests run on two desktops at once: lane 2 has a display and a Wine prefix
    # (so a wineserver, a foreground window and a keyboard) of its own.
    QM_LANE_SUFFIX=""
    [ "${QM_LANE:-1}" = 2 ] && QM_LANE_SUFFIX=2
    export WINEPREFIX="$build/wineprefix$QM_LANE_SUFFIX"
    export WINEDEBUG=${QM_WINEDEBUG:--all}
    if [ "$QM_ARCH" = x86_64 ]; then
        # Debian's wine script prefers the 32-bit loader whenever it is installed.
        WINE=/usr/lib/wine/wine64
        export WINESERVER=/usr/lib/wine/wineserver64
        export WINELOADER=$WINE
    else
        WINE=/usr/bin/wine
        export WINESERVER=/usr/lib/wine/wineserver
    fi
    # Our own HOME: Wine and ALSA read nothing of the user's files.
    export HOME="$QM_HARNESS/home"
    export XDG_RUNTIME_DIR="$QM_HARNESS/run"
    export ALSA_CONFIG_PATH="$QM_HARNESS/home/asound.conf"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    [ -f "$ALSA_CONFIG_PATH" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$ALSA_CONFIG_PATH"
    if [ -f "$QM_HARNESS/display$QM_LANE_SUFFIX" ]; then
        export DISPLAY=":$(cat "$QM_HARNESS/display$QM_LANE_SUFFIX")"
    fi
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
}

# Creates the Wine prefix once; pulse is the audio driver.
qm_wine_prefix() {
    [ -f "$WINEPREFIX/.qm-ready" ] && return 0
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        [ -f "$WINEPREFIX/.qm-ready" ] && exit 0
        DISPLAY= "$WINE" wineboot -i >"$QM_HARNESS/wineboot.log" 2>&1 || true
        "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >>"$QM_HARNESS/wineboot.log" 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.qm-ready"
    ) 9>"$QM_HARNESS/prefix$QM_LANE_SUFFIX.lock"
}
