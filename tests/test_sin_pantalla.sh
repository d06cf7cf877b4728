#!/usr/bin/env bash
# Without a display the program says what it needs in one line and fails cleanly.
set -uo pipefail
salida="$(env -u DISPLAY DISPLAY=:999 "$1" 2>&1)"
estado=$?
echo "$salida"
[ "$estado" -ne 0 ] && [ "$estado" -lt 128 ] || { echo "FAIL: status $estado"; exit 1; }
[ "$(printf '%s\n' "$salida" | wc -l)" -eq 1 ] || { echo "FAIL: expected one line"; exit 1; }
printf '%s' "$salida" | grep -q "xvfb-run" || { echo "FAIL: no hint about xvfb-run"; exit 1; }
