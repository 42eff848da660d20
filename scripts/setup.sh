# Shared by the developer scripts: installs what building and testing need on
# a Debian 12 machine, only what is missing, as root or through sudo.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

norwyn_packages=(
    cmake g++ make pkg-config
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
    googletest libgtest-dev libbenchmark-dev
    libegl-dev libgl-dev libglu1-mesa-dev libegl-mesa0 libgl1-mesa-dri
    wine wine64 xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick librsvg2-bin icoutils
    clang libclang-rt-14-dev
    libx11-dev xscreensaver xscreensaver-data procps
    libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev sway swayidle grim wtype weston python3
    dpkg-dev file libxml2-utils desktop-file-utils groff-base lintian
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
    local missing=()
    for package in "${norwyn_packages[@]}"; do
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
