# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build, the tests and the program need on a bare Debian 12, found by
# running scripts/fresh-check (a minimal debootstrap root), not by reading.
PACKAGES=(
    # the tool chain, and git and certificates to clone and fetch
    cmake g++ make pkg-config git ca-certificates
    # Qt 6: widgets, SVG and charts; Qt Charts' CMake package needs Qt OpenGL's and GL's
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
    # Qt Linguist's CMake functions and tools build the interface's translations
    qt6-tools-dev qt6-l10n-tools
    # the numerics, the benchmarks
    libboost-dev libbenchmark-dev libgsl-dev
    # the windows' typefaces, and xauth for xvfb-run under a virtual display
    fonts-liberation2 fontconfig xauth
    # validators for the desktop entry and the AppStream metainfo (scripts/package), and
    # pdftotext, which reads the text of an exported report back in the tests
    appstream desktop-file-utils poppler-utils
    # clang and its runtime libraries build the libFuzzer targets (scripts/fuzz); clang-format
    # checks the layout of the code (scripts/test)
    clang libclang-rt-14-dev clang-format
)

ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# build DIR [cmake options...]: every target, or only $BUILD_TARGET when it is set.
build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
}
