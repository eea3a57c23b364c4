# Shared settings of the project's scripts (sourced, not run).
TOVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TOVANE_CACHE=${TOVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tovane}
# Bump when the cross-built dependency set or its build flags change.
TOVANE_DEPS_VERSION=v5
TOVANE_DEPS_PREFIX=${TOVANE_DEPS_PREFIX:-$TOVANE_CACHE/mingw-deps-$TOVANE_DEPS_VERSION}
# Bump the prefix version when the prefix set-up in wine-env.sh changes.
TOVANE_WINEPREFIX=${TOVANE_WINEPREFIX:-$TOVANE_CACHE/wineprefix-v3}
export TOVANE_ROOT TOVANE_CACHE TOVANE_DEPS_PREFIX TOVANE_WINEPREFIX
log() { printf '[tovane] %s\n' "$*" >&2; }
die() { printf '[tovane] error: %s\n' "$*" >&2; exit 1; }
