#!/bin/sh
# Starts Sifton from its own folder (<prefix>/lib/sifton), where it finds its tables, the help
# document and the examples.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/sifton/sifton" "$@"
