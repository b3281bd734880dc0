#!/usr/bin/env bash
# Installs, as root on Debian 12, the packages the build and the tests need and that are missing.
# pandoc and the TeX Live parts typeset the help document; poppler-utils checks it.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libboost-math-dev
          nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev clang-format
          fonts-dejavu-core fonts-liberation2 locales dpkg-dev file
          pandoc texlive-xetex texlive-latex-recommended texlive-fonts-recommended lmodern
          poppler-utils "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
