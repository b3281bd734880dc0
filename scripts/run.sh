#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF
cmake --build build --parallel 2 --target sifton sifton-report help_pdf
exec build/app/sifton
