#!/usr/bin/env bash
# Builds Vantor and runs every test, headless.
set -euo pipefail
VANTOR_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$VANTOR_ROOT/scripts/deps.sh"
vantor_install_deps
vantor_build "$VANTOR_ROOT/build"
cd "$VANTOR_ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
