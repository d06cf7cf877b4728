#!/usr/bin/env bash
# The project configured as ./scripts/run configures it, on a machine that has only what
# the program needs: the test programs are hidden from CMake (xvfb-run through the
# ignored paths, GoogleTest by refusing its package; the program's own tools are named).
# The configure must succeed and say which tests it left out.
set -euo pipefail
fuente="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
falla() { echo "FAIL: $*"; exit 1; }
herramientas=(-DPKG_CONFIG_EXECUTABLE="$(command -v pkg-config)" -DCMAKE_CXX_COMPILER="$(command -v c++)"
              -DCMAKE_C_COMPILER="$(command -v cc)" -DCMAKE_MAKE_PROGRAM="$(command -v make)"
              -DMSGFMT="$(command -v msgfmt)")

salida="$(cmake -S "$fuente" -B "$tmp/sin-xvfb" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DCMAKE_IGNORE_PATH="/usr/bin;/bin;/usr/local/bin;/usr/sbin;/sbin" "${herramientas[@]}" 2>&1)" \
  || falla "configure without xvfb-run failed: $salida"
printf '%s\n' "$salida" | grep -q "xvfb-run is missing" || falla "no word about the display tests left out: $salida"
grep -q '^XVFB_RUN:FILEPATH=.*NOTFOUND' "$tmp/sin-xvfb/CMakeCache.txt" || falla "xvfb-run was not hidden"

salida="$(cmake -S "$fuente" -B "$tmp/sin-gtest" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON "${herramientas[@]}" 2>&1)" \
  || falla "configure without GoogleTest failed: $salida"
printf '%s\n' "$salida" | grep -q "GoogleTest is missing" || falla "no word about the tests left out: $salida"
grep -q '^ortanel:' "$tmp/sin-gtest/Makefile" || falla "the program is not among the targets"
grep -q '^test_glui:' "$tmp/sin-gtest/Makefile" && falla "a test is built without GoogleTest"
echo "configured without xvfb-run and without GoogleTest"
