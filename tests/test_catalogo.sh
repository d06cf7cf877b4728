#!/usr/bin/env bash
# Every text marked in the sources has its English translation in po/en.po, none of
# them fuzzy: a new text without one fails here.
set -euo pipefail
raiz="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cd "$raiz"
mapfile -t fuentes < <(find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
xgettext --from-code=UTF-8 --language=C++ --keyword=_ --keyword=N_ -o "$tmp/ortanel.pot" "${fuentes[@]}"
msgfmt --check -o /dev/null po/en.po
if ! msgcmp po/en.po "$tmp/ortanel.pot" 2>"$tmp/faltan"; then
  echo "FAIL: texts without an English translation in po/en.po (cmake --build build --target pot, then translate):"
  grep -v 'warning:' "$tmp/faltan" | head -50
  exit 1
fi
echo "every marked text has its English translation: $(grep -c '^msgid ' "$tmp/ortanel.pot") ids (the header included)"
