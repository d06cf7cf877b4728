#!/usr/bin/env bash
# "cmake --install" into a scratch prefix: the program, its launcher and its icon.
set -euo pipefail
build="$1"
destino="$(mktemp -d)"
trap 'rm -rf "$destino"' EXIT
falla() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$destino" >/dev/null
[ -x "$destino/bin/ortanel" ] || falla "no program in bin/"
[ "$(env -u DISPLAY "$destino/bin/ortanel" --version)" = "Ortanel 2.01" ] || falla "the installed program does not run"

escritorio="$destino/share/applications/ortanel.desktop"
[ -f "$escritorio" ] || falla "no .desktop file"
grep -qx 'Exec=ortanel' "$escritorio" || falla "Exec is not the program"
grep -qx 'Icon=ortanel' "$escritorio" || falla "Icon is not the installed icon"
grep -q '^Categories=.*Education;' "$escritorio" || falla "not in the Education category"
grep -q '^Comment=.*engranaje' "$escritorio" || falla "no Spanish comment"
grep -q '^Comment\[en\]=.*gear' "$escritorio" || falla "no English comment"
grep -qx 'StartupWMClass=ortanel' "$escritorio" || falla "the window class does not match"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$escritorio" || falla "invalid .desktop"; fi

icono="$destino/share/icons/hicolor/256x256/apps/ortanel.png"
[ -f "$icono" ] || falla "no icon"
read -r ancho alto <<<"$(identify -format '%w %h' "$icono")"
[ "$ancho $alto" = "256 256" ] || falla "the icon is $ancho x $alto, not 256 x 256"
# Share of pixels in the gear's red: the gear fills a good part of the picture.
rojo="$(convert "$icono" -fill black +opaque red -fill white -opaque red -format '%[fx:mean]' info:)"
python3 -c "import sys; sys.exit(0 if $rojo > 0.2 else 1)" || falla "no gear drawn in the icon ($rojo red)"
catalogo="$destino/share/locale/en/LC_MESSAGES/ortanel.mo"
[ -f "$catalogo" ] || falla "no English catalogue"
# The installed program reads the installed catalogue, also when the whole prefix moves.
ingles() { env -u DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$1" --help | head -1; }
[ "$(ingles "$destino/bin/ortanel")" = "Usage: ortanel [OPTIONS]" ] || falla "the installed program is not in English"
movido="$(mktemp -d)"
trap 'rm -rf "$destino" "$movido"' EXIT
cp -a "$destino/." "$movido/"
rm -rf "$destino"
[ "$(ingles "$movido/bin/ortanel")" = "Usage: ortanel [OPTIONS]" ] || falla "the moved prefix's program is not in English"
echo "installed: bin/ortanel, share/applications/ortanel.desktop, share/icons/hicolor/256x256/apps/ortanel.png, share/locale/en/LC_MESSAGES/ortanel.mo"
