#!/bin/sh
# Runs sifton-report from the program's folder (<prefix>/lib/sifton), where it finds the tables.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/sifton/sifton-report" "$@"
