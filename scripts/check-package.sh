#!/usr/bin/env bash
# Builds the Debian package from an existing build folder and checks its file list and its
# dependencies. Usage: scripts/check-package.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/sifton_*.deb | head -n 1)
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
status=0
for f in ./usr/bin/sifton ./usr/lib/sifton/sifton ./usr/bin/sifton-report \
         ./usr/lib/sifton/sifton-report ./usr/lib/sifton/dixon-p.dat ./usr/lib/sifton/grubbs.dat \
         ./usr/lib/sifton/dixon.dat ./usr/lib/sifton/gauss-g.dat ./usr/lib/sifton/Sifton-help.pdf \
         ./usr/share/applications/sifton.desktop \
         ./usr/share/icons/hicolor/scalable/apps/sifton.svg; do
    grep -qx "$f" <<<"$listing" || { echo "missing from package: $f" >&2; status=1; }
done
grep -q '^\./usr/lib/sifton/.*\.csv$' <<<"$listing" || { echo "no example data in package" >&2; status=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 qt6-qpa-plugins libqt6svg6 fonts-liberation2; do
    grep -q "$d" <<<"$depends" || { echo "package does not depend on $d" >&2; status=1; }
done
[ $status -eq 0 ] && echo "package ok: $deb"
exit $status
