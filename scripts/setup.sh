# Shared by the developer scripts: installs what building, running and testing
# need on a Debian 12 machine, only what is missing, as root or through sudo.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running one target needs, by the name scripts/run gives
# it: its compilers and libraries, and what shows it on a machine without a
# display (Xvfb, a screenshot, a key press).
declare -A run_packages=(
    [windows]="cmake make g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               wine wine64 xvfb xauth xdotool imagemagick"
    [linux]="cmake make g++ pkg-config libegl-dev libgl-dev libglu1-mesa-dev libegl-mesa0 libgl1-mesa-dri
             libx11-dev libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev xvfb xauth imagemagick"
    [web]="cmake make emscripten chromium"
)

# What the tests, the benchmarks, the fuzzers and the packages need beyond
# every target's own.
test_packages=(
    nsis googletest libgtest-dev libbenchmark-dev
    x11-utils x11-xserver-utils librsvg2-bin icoutils
    clang libclang-rt-14-dev
    xscreensaver xscreensaver-data procps
    sway swayidle grim wtype weston python3
    dpkg-dev file libxml2-utils desktop-file-utils groff-base lintian
)

# The web tests' one npm package, playwright-core, as tests/web/package-lock.json pins it.
install_web_test_packages() {
    (cd "$repo_root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs what the named targets need to build and run, or with "all" what
# everything needs: every target, the tests and the packages.
install_missing_packages() { # target... | all
    local wanted=() missing=() target package
    if [ "$1" = all ]; then
        set -- "${!run_packages[@]}"
        wanted=("${test_packages[@]}")
    fi
    for target in "$@"; do
        read -r -a package <<<"${run_packages[$target]}"
        wanted+=("${package[@]}")
    done
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

source "$repo_root/scripts/wine_env.sh"

# The Windows test suite's prefix, made anew.
fresh_wine_prefix() {
    use_test_wine_prefix
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
}

# Keeps one wineserver and Wine's own background programs (services,
# explorer) running for the whole test run. Started here, they do not hold
# on to the output pipe of whichever test would otherwise have started them,
# which would keep ctest waiting for that test's end until its timeout.
warm_wine() {
    wineserver -p
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

build_preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$(nproc)"
}

# A preset's product without its tests, configured into a binary directory
# of its own so that the preset's own tree keeps its tests; further arguments
# go to the configuring cmake.
configure_product() { # preset, binary directory, cmake options...
    cmake --preset "$1" -B "$2" -DBUILD_TESTING=OFF "${@:3}" >/dev/null
}
