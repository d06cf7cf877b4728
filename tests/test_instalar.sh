#!/usr/bin/env bash
# scripts/instalar for a user who is not root: through sudo when there is one,
# otherwise a list of what to install and a failure. Commands are stand-ins.
set -euo pipefail
instalar="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
falla() { echo "FAIL: $*"; exit 1; }
mkdir "$tmp/bin"
for h in bash env grep cat; do ln -s "$(command -v "$h")" "$tmp/bin/$h"; done
cat >"$tmp/bin/id" <<'X'
#!/bin/bash
echo 1000
X
# Every package but cmake is installed.
cat >"$tmp/bin/dpkg-query" <<'X'
#!/bin/bash
[ "${@: -1}" = cmake ] || echo "install ok installed"
X
cat >"$tmp/bin/apt-get" <<X
#!/bin/bash
echo "apt-get \$*" >>"$tmp/registro"
X
chmod +x "$tmp/bin/"*

set +e
salida="$(PATH="$tmp/bin" "$instalar" 2>&1)"
estado=$?
set -e
[ "$estado" -ne 0 ] || falla "without root and sudo it should stop"
printf '%s\n' "$salida" | grep -q "apt-get install cmake" || falla "it does not say what to install: $salida"
[ ! -e "$tmp/registro" ] || falla "apt-get ran without root"

cat >"$tmp/bin/sudo" <<X
#!/bin/bash
echo "sudo \$1" >>"$tmp/registro"
exec "\$@"
X
chmod +x "$tmp/bin/sudo"
PATH="$tmp/bin" "$instalar" >/dev/null || falla "it failed with sudo at hand"
grep -q "^sudo env" "$tmp/registro" || falla "sudo was not used"
grep -q "^apt-get install .*cmake" "$tmp/registro" || falla "cmake was not installed: $(cat "$tmp/registro")"
[ "$(grep -c '^apt-get install' "$tmp/registro")" -eq 1 ] || falla "more than one install"
grep -q "^apt-get install .*libcairo2-dev" "$tmp/registro" && falla "an installed package was installed again"
echo "1 passed"
