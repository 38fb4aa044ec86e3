# Shared set-up of ./run and ./test: installs the Debian packages that are missing, then
# configures and builds into build/. Sourced, not run.

MINAMO_PACKAGES=(cmake g++ qt6-base-dev qt6-multimedia-dev libgtest-dev fonts-ipafont-gothic)
# The real-window smoke test and the package test; the fuzzers and the benchmarks.
MINAMO_PACKAGES+=(xvfb xdotool imagemagick dpkg-dev fakeroot desktop-file-utils libxcb1-dev)
MINAMO_PACKAGES+=(clang libclang-rt-14-dev libbenchmark-dev)
# Test only: the report's page is loaded in a headless browser.
MINAMO_PACKAGES+=(chromium)
MINAMO_PACKAGES+=("$@")

minamo_install_missing() {
    local missing=()
    local package
    for package in "${MINAMO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

minamo_build() {
    local build_type="${1:-Release}"
    local dir="${2:-build}"
    shift 2 || true
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
