#!/usr/bin/env bash
# Builds Vantor and its Debian package; prints the package's path.
set -euo pipefail
VANTOR_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$VANTOR_ROOT/scripts/deps.sh"
vantor_install_deps
vantor_build "$VANTOR_ROOT/build"
cpack --config "$VANTOR_ROOT/build/CPackConfig.cmake" -B "$VANTOR_ROOT/build/package" >/dev/null
ls "$VANTOR_ROOT"/build/package/vantor_*.deb
