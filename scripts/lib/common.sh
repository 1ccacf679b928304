# Shared by scripts/run, scripts/test and scripts/package: the Debian packages Kelvaro needs, and
# their installation.
# shellcheck shell=bash

KELVARO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# To build and run the program (qt6-wayland: a native client in a Wayland session); lupdate and
# lrelease (qt6-l10n-tools) with their CMake support (qt6-tools-dev) make the English translation;
# libxcb-sync-dev and libxcb-screensaver0-dev give the idle time of an X11 display; libwayland-dev
# (with wayland-scanner), wayland-protocols and plasma-wayland-protocols that of a Wayland compositor
# (ext-idle-notify-v1, KWin's idle protocol; libwayland-dev also serves the tests' compositor double).
KELVARO_BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-wayland qt6-l10n-tools qt6-tools-dev
    libsdl2-mixer-dev libxcb-sync-dev libxcb-screensaver0-dev
    libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols
    fonts-dejavu-core fonts-liberation2
)

# To build and run the tests: GoogleTest, a virtual X display with a window manager and a
# notification area, a headless Wayland compositor, a private D-Bus with the logind, notification
# and tray doubles, the accessibility bus that lets a test read the program's windows, audio
# analysis, the freedesktop validators, groff, systemd-analyze for the unit files of schedules, and clang
# with libFuzzer for the fuzz targets;
# libfaketime makes a clock jump as after a suspend.
KELVARO_TEST_PACKAGES=(
    googletest libgtest-dev libgmock-dev
    xvfb xauth xdotool x11-utils trayer openbox weston
    at-spi2-core gir1.2-atspi-2.0 python3-gi
    dbus dbus-bin dbus-daemon python3-dbusmock
    libfaketime
    sox libsox-fmt-mp3
    desktop-file-utils appstream groff-base systemd
    clang libclang-rt-14-dev
)

# To build the Debian package: dpkg-shlibdeps and dpkg-buildflags, and `file`, which CPack uses to
# find the programs whose libraries it looks up; lintian, which the install tests run over it.
KELVARO_PACKAGE_PACKAGES=(
    dpkg-dev file lintian
)

# Installs the given Debian packages that are missing (apt-get update first; sudo when not root).
kelvaro_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds a build folder: kelvaro_build <folder> <cmake arguments...> -- <targets...>
kelvaro_build() {
    local dir="$1"
    shift
    local config=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        config+=("$1")
        shift
    done
    [ "${1:-}" = "--" ] && shift
    local jobs
    jobs="$(nproc 2>/dev/null || echo 2)"
    cmake -S "$KELVARO_ROOT" -B "$dir" -G Ninja "${config[@]}"
    if [ $# -gt 0 ]; then
        cmake --build "$dir" --parallel "$jobs" --target "$@"
    else
        cmake --build "$dir" --parallel "$jobs"
    fi
}

# Configures and builds the sanitizer build (clang, AddressSanitizer, UndefinedBehaviorSanitizer,
# warnings as errors) in build-asan/, which also makes the libFuzzer programs: kelvaro_build_asan [targets...]
kelvaro_build_asan() {
    kelvaro_build "$KELVARO_ROOT/build-asan" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
        -DKELVARO_BUILD_TESTS=ON -DKELVARO_SANITIZE=ON -DKELVARO_WERROR=ON ${1:+--} "$@"
}

# What the sanitizers do when they find something: stop at once, with leak detection.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# What the libraries leave behind at the end is not the program's (see the file).
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$KELVARO_ROOT/scripts/lib/lsan.supp}"
