# Debian packages the build, the tests and the program need. Sourced by the two run scripts.
KV_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libavformat-dev \
libavcodec-dev libswscale-dev libavutil-dev libopencv-core-dev libopencv-imgproc-dev libgtest-dev \
fonts-ipafont-gothic qt6-translations-l10n cmark-gfm xvfb xdotool"
# (xvfb and xdotool: the test that kills the real program drives it on a virtual X server.)
# What building and checking the Debian package needs besides (.ci/package).
KV_PACKAGE_TOOLS="dpkg-dev appstream desktop-file-utils file man-db \
qt6-qpa-plugins xdg-utils shared-mime-info"
# What tools/screenshots.sh needs to make the guide's pictures (not installed by the scripts).
KV_SCREENSHOT_TOOLS="xvfb xauth xdotool imagemagick openbox x11-utils"
# What the format check needs (tools/check-format.sh, called by .ci/run).
KV_FORMAT_TOOLS="clang-format"

# Installs whatever of the given packages is missing (as root, or through sudo).
kv_install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# Configures (once, or again when KV_CMAKE_ARGS gives settings such as -DKV_WERROR=ON) and
# builds the whole project in ./build.
kv_build() {
    if [ ! -f build/build.ninja ] || [ -n "${KV_CMAKE_ARGS:-}" ]; then
        local launcher=""
        command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
        # shellcheck disable=SC2086  # the settings are separate words
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher ${KV_CMAKE_ARGS:-}
    fi
    cmake --build build -j"$(nproc)"
}
