#!/usr/bin/env bash
# Builds Vantor and runs every test, headless; then the checks of scripts/checks.sh
# (formatting, clang with sanitizers, fuzzing, ThreadSanitizer).
set -euo pipefail
VANTOR_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$VANTOR_ROOT/scripts/deps.sh"
. "$VANTOR_ROOT/scripts/checks.sh"
vantor_install_deps $VANTOR_CHECK_PACKAGES
vantor_build "$VANTOR_ROOT/build" -DVANTOR_WARNINGS_AS_ERRORS=ON
(cd "$VANTOR_ROOT/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)")
vantor_checks
