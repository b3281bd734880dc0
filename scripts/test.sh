#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything, runs every test and checks
# the Debian package's contents.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
# A comma-decimal locale, so the locale-independence test really runs.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "no de_DE locale; that test will be skipped"
fi
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON
cmake --build build --parallel 2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel 2
bash scripts/check-package.sh build
