#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get as a user would, starts
# the program by its menu entry's command and removes the package again.
# Needs root; it leaves an installed vantor package that it did not install alone.
set -euo pipefail
build="$1"
cpack="$2"
. "$(dirname "$0")/start_check.sh"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
if dpkg-query -W -f='${Status}' vantor 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIP: a vantor package is installed already"
    exit 77
fi
work="$(mktemp -d)"
cleanup() {
    dpkg --purge vantor >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
"$cpack" --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb="$(ls "$work"/vantor_*.deb)"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "dependencies not found by dpkg-shlibdeps"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=300 "$deb" >/dev/null
[ -f /usr/share/vantor/de/Latein.dat ] || fail "rule data not installed"
[ "$(/usr/bin/vantor --version)" = "$(dpkg-query -W -f='Vantor ${Version}' vantor)" ] || fail "--version"
command="$(sed -n 's/^Exec=//p' /usr/share/applications/org.vantor.Vantor.desktop)"
check_program_starts "$(command -v "$command")"
echo "PASS"
