#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086
if ! clang-format --dry-run --Werror $files; then
    echo "Some files are not formatted; run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
    exit 1
fi
