# Sourced by everything that runs Windows programs under Wine: cmake/wine-run
# (ctest's runner), the developer scripts, the tools and the end-to-end
# tests. The one place that says how Wine runs for Norwyn.

# No debug output unless the caller asks for a trace (WINEDEBUG=+relay, ...),
# and no offer to install Mono or Gecko into a new prefix.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Every prefix is a folder of the Windows build tree, never a user's own.
wine_build_dir=${NORWYN_WINE_BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/windows}

use_wine_prefix() { # folder name inside the Windows build tree
    export WINEPREFIX="$wine_build_dir/$1"
}

# The prefix the Windows test suite shares.
use_test_wine_prefix() {
    use_wine_prefix wineprefix
}
