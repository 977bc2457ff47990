# Sourced by run.sh and test.sh: installs the Debian packages the build needs.
# The Qt tools compile the translation files; Qt's own German texts (file dialog,
# message box buttons) come with qt6-translations-l10n.
# After libgl-dev: the sound output is PortAudio; the ALSA plugin lets its default
# device reach a PulseAudio server, and the sound tests start a private one and record
# it. Then decoding and beat tracking for the music check and the tracks, stretching
# tracks to the rule tempo with their pitch kept, their loudness (EBU R128), the
# encoders the music benchmark writes pieces with; the title and artist tags of the
# tracks a round plays (TagLib); then the validators of the
# desktop files in the tests, and what CPack needs for the Debian package.
VANTOR_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev
portaudio19-dev libasound2-plugins pulseaudio pulseaudio-utils
libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libaubio-dev librubberband-dev libebur128-dev libtag1-dev flac lame vorbis-tools
appstream desktop-file-utils dpkg-dev file"

vantor_install_deps() {
    local missing=""
    for p in $VANTOR_PACKAGES "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages:$missing" >&2
        echo "Install them with: sudo apt-get install -y$missing" >&2
        exit 1
    fi
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# A compiler cache, where one is installed, makes rebuilds in fresh clones cheap.
vantor_compiler_launcher() {
    command -v ccache >/dev/null && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
    return 0
}

# vantor_build DIR [CMAKE OPTION...]: configures and builds everything in DIR.
vantor_build() {
    local build_dir="$1"
    shift
    cmake -S "$VANTOR_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo $(vantor_compiler_launcher) "$@" >/dev/null
    cmake --build "$build_dir" --parallel "$(nproc)"
}
