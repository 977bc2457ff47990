#!/usr/bin/env bash
# Builds Vantor and starts it.
set -euo pipefail
VANTOR_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$VANTOR_ROOT/scripts/deps.sh"
vantor_install_deps
vantor_build "$VANTOR_ROOT/build"
exec "$VANTOR_ROOT/build/bin/vantor"
