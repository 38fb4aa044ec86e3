# Shared set-up of ./run, ./test and the other tools: installs the Debian packages that are
# missing, then configures and builds into a build folder. Sourced, not run.

# What building and running the program needs, and no more (./run): libxcb to ask the X
# server where the keyboard focus is, when a second start brings the window forward.
MINAMO_PROGRAM_PACKAGES=(cmake g++ pkg-config qt6-base-dev libxcb1-dev libcanberra-dev
                         libcanberra-pulse fonts-ipafont-gothic)
# What the whole suite needs besides (./test): GoogleTest and the layer check; the
# real-window smoke test and the package test; the fuzzers; the report's browser check and
# its printed pages; the worksheet's PDF checks; the answer sounds' recording (a sound
# server, sox).
MINAMO_TEST_PACKAGES=(libgtest-dev python3 xvfb xdotool x11-utils imagemagick dpkg-dev fakeroot
                      pulseaudio sox desktop-file-utils lintian appstream clang libclang-rt-14-dev
                      chromium poppler-utils)
# The input-method test: fcitx5 with mozc, Qt's module for it and a D-Bus session bus; the
# accessibility test: the AT-SPI bus and its Python client, and the screen reader Orca with
# its speech (speech-dispatcher, espeak-ng); the shared-folder tests: sshfs and an sshd of
# their own, smbnetfs and a Samba server of their own (the packages' services are not
# used); the second start under a window manager: openbox. Installed without what they
# recommend (GTK and Qt 5 front ends and settings tools, some 140 packages more).
MINAMO_TEST_LEAN_PACKAGES=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus at-spi2-core
                           python3-pyatspi orca speech-dispatcher speech-dispatcher-espeak-ng
                           sshfs openssh-server samba smbnetfs openbox)
# The benchmarks besides (./bench): the first sound plays on a null sink of a PulseAudio
# server of their own, the played lengths of the sounds are measured with sox.
MINAMO_BENCH_PACKAGES=(pulseaudio sox)

minamo_is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# minamo_install_missing program | tests | bench
minamo_install_missing() {
    local plain=("${MINAMO_PROGRAM_PACKAGES[@]}") lean=()
    if [ "${1:-program}" != program ]; then
        plain+=("${MINAMO_TEST_PACKAGES[@]}")
        lean+=("${MINAMO_TEST_LEAN_PACKAGES[@]}")
    fi
    if [ "${1:-program}" = bench ]; then
        plain+=("${MINAMO_BENCH_PACKAGES[@]}")
    fi
    local missing=() missing_lean=() package
    for package in "${plain[@]}"; do
        minamo_is_installed "$package" || missing+=("$package")
    done
    for package in "${lean[@]}"; do
        minamo_is_installed "$package" || missing_lean+=("$package")
    done
    if [ $((${#missing[@]} + ${#missing_lean[@]})) -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]} ${missing_lean[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
    if [ ${#missing_lean[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing_lean[@]}"
    fi
}

# minamo_configure TYPE DIR [cmake options...]
minamo_configure() {
    local build_type="$1" dir="$2"
    shift 2
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
}

# minamo_build DIR [target...]: the targets, or everything when none is named.
minamo_build() {
    local dir="$1"
    shift
    local targets=()
    if [ $# -gt 0 ]; then
        targets=(--target "$@")
    fi
    cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
}
