# Shared set-up of ./run and ./test: installs the Debian packages that are missing, then
# configures and builds into build/. Sourced, not run.

MINAMO_PACKAGES=(cmake g++ qt6-base-dev qt6-multimedia-dev libgtest-dev fonts-ipafont-gothic)
# The real-window smoke test and the package test; the fuzzers and the benchmarks.
MINAMO_PACKAGES+=(xvfb xdotool imagemagick dpkg-dev fakeroot desktop-file-utils libxcb1-dev)
MINAMO_PACKAGES+=(clang libclang-rt-14-dev libbenchmark-dev)
MINAMO_PACKAGES+=("$@")
# Test packages: the input-method test's fcitx5 with mozc and Qt's module for it, and a
# D-Bus session bus. Installed without what they recommend (GTK and Qt 5 front ends and
# settings tools, some 140 packages more).
MINAMO_LEAN_PACKAGES=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus)

minamo_install_missing() {
    local missing=() lean=()
    local package
    for package in "${MINAMO_PACKAGES[@]}" "${MINAMO_LEAN_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            if [[ " ${MINAMO_LEAN_PACKAGES[*]} " == *" $package "* ]]; then
                lean+=("$package")
            else
                missing+=("$package")
            fi
        fi
    done
    if [ ${#missing[@]} -eq 0 ] && [ ${#lean[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]} ${lean[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
    if [ ${#lean[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${lean[@]}"
    fi
}

minamo_build() {
    local build_type="${1:-Release}"
    local dir="${2:-build}"
    shift 2 || true
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
