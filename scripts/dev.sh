#!/usr/bin/env bash
# Set up, build, run and test Varu on Debian 12.
#   scripts/dev.sh run    install packages, build, start Varu
#   scripts/dev.sh test   install packages, build, run every test (unit and end-to-end), then
#                         build the Debian package, install it and try the installed Varu
#   scripts/dev.sh package  build, then the Debian package (build/varu_*.deb), checked by lintian
#   scripts/dev.sh fuzz   coverage-guided fuzzing with clang's libFuzzer (VARU_FUZZ_SECONDS each)
#   scripts/dev.sh deps | build
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VARU_BUILD_DIR:-$here/build}"

# Build tools, libraries, and what the end-to-end tests drive (Xvfb, Openbox, xclip, xdotool…).
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
    qt6-pdf-dev qt6-multimedia-dev qt6-image-formats-plugins qt6-svg-dev
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-templates qml6-module-qtqml-workerscript
    qml6-module-qtquick-shapes qml6-module-qtqml
    libqt6multimedia6 gstreamer1.0-plugins-base qt6-translations-l10n
    libsqlite3-dev libssl-dev libicu-dev libheif-dev libglib2.0-dev
    libx11-dev libx11-xcb-dev libxtst-dev libxcb1-dev libxcb-xtest0-dev libxcb-res0-dev
    libxcb-xfixes0-dev libxcb-xkb-dev libxkbcommon-dev libxkbcommon-x11-dev libgl-dev
    libbenchmark-dev
    adwaita-icon-theme hicolor-icon-theme fonts-dejavu-core shared-mime-info desktop-file-utils
    dbus dbus-x11 xvfb xauth openbox xclip xdotool x11-utils imagemagick trayer xterm xcompmgr
    librsvg2-bin man-db appstream dpkg-dev file lintian
    libwayland-dev libwayland-bin qt6-wayland sway wl-clipboard wtype foot grim wayland-utils
    sqlite3 jq
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

deps() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

build() {
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARU_WERROR=ON >/dev/null
    cmake --build "$build" --parallel "$(nproc)"
}

# The desktop entry (so .varu files open in Varu), the backup file type and the icon, for
# this user, pointing at this build.
install_desktop_entry() {
    local share="${XDG_DATA_HOME:-$HOME/.local/share}"
    mkdir -p "$share/applications" "$share/mime/packages" "$share/icons/hicolor/scalable/apps"
    sed "s|@VARU_EXEC@|$build/src/varu|" "$here/resources/com.teko.varu.desktop.in" \
        > "$share/applications/com.teko.varu.desktop"
    cp "$here/resources/varu-mime.xml" "$share/mime/packages/varu.xml"
    cp "$here/resources/icons/com.teko.varu.svg" "$share/icons/hicolor/scalable/apps/"
    update-mime-database "$share/mime" >/dev/null 2>&1 || true
    update-desktop-database "$share/applications" >/dev/null 2>&1 || true
}

run() {
    install_desktop_entry
    exec "$build/src/varu" "$@"
}

# Sway refuses to run as root: as root, its end-to-end test runs as this unprivileged user.
test_user() {
    if [ "$(id -u)" -eq 0 ] && ! id varu-ci >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin varu-ci
    fi
}

tests() {
    test_user
    cd "$build"
    # Unit tests in parallel; end-to-end tests one at a time, each on its own X server.
    ctest --output-on-failure -L unit -j "$(nproc)"
    ctest --output-on-failure -L e2e
}

# The package reuses the build: CPack only runs the install rules into a staging folder.
package() {
    rm -f "$build"/varu_*.deb
    (cd "$build" && cpack -G DEB >/dev/null)
    local deb
    deb="$(echo "$build"/varu_*.deb)"
    lintian --fail-on error "$deb"
    echo "Package: $deb"
}

# Installs the package on this machine and tries the installed /usr/bin/varu.
installed_tests() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall \
        "$(echo "$build"/varu_*.deb)" >/dev/null
    cd "$build"
    ctest --output-on-failure --no-tests=error -L installed
}

# The unit suite already runs a bounded, seeded fuzz pass; this is the longer, guided one, in
# a build of its own because every library is instrumented.
fuzz() {
    if ! command -v clang++ >/dev/null; then
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang
    fi
    local dir="${VARU_FUZZ_BUILD_DIR:-$here/build-fuzz}"
    CXX=clang++ cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVARU_FUZZ=ON -DVARU_BUILD_BENCH=OFF -DVARU_FUZZ_SECONDS="${VARU_FUZZ_SECONDS:-30}" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)" --target fuzz_classify fuzz_config fuzz_import
    cd "$dir"
    ctest --output-on-failure -L fuzz
}

case "${1:-}" in
    deps) deps ;;
    build) deps; build ;;
    run) shift; deps; build; run "$@" ;;
    test) deps; build; tests; package; installed_tests ;;
    package) deps; build; package ;;
    fuzz) deps; fuzz ;;
    *) echo "usage: $0 run|test|package|fuzz|deps|build" >&2; exit 2 ;;
esac
