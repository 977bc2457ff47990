#!/usr/bin/env bash
# cmake --install into a fresh prefix: the program in bin/, its data under
# share/vantor/, the desktop files in their places; the installed program
# finds its data and starts.
set -euo pipefail
build="$1"
. "$(dirname "$0")/start_check.sh"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vantor share/vantor/I_Latein.dat share/vantor/de/Latein.dat share/vantor/en/Vantor.rtf \
            share/vantor/en/MetronomHelp.rtf share/applications/org.vantor.Vantor.desktop \
            share/metainfo/org.vantor.Vantor.metainfo.xml share/icons/hicolor/scalable/apps/org.vantor.Vantor.svg \
            share/icons/hicolor/48x48/apps/org.vantor.Vantor.png share/icons/hicolor/128x128/apps/org.vantor.Vantor.png \
            share/icons/hicolor/256x256/apps/org.vantor.Vantor.png share/doc/vantor/LICENSE; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ ! -e "$prefix/bin/de" ] || fail "data installed beside the program"
check_program_starts "$prefix/bin/vantor"
echo "PASS"
