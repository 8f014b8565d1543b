# Debian packages the build, the tests and the program need. Sourced by the two run scripts.
KV_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libavformat-dev libavcodec-dev \
libswscale-dev libavutil-dev libgtest-dev fonts-ipafont-gothic"
# What building and checking the Debian package needs besides (.ci/package).
KV_PACKAGE_TOOLS="dpkg-dev appstream desktop-file-utils file man-db \
qt6-translations-l10n qt6-qpa-plugins"

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

# Configures (once) and builds the whole project in ./build.
kv_build() {
    [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j"$(nproc)"
}
