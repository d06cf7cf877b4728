#!/usr/bin/env bash
# The longest gap between frames of the main window around the end of an automatic cut of the
# standard simulation with Z teeth, as the X server sees the frames (bench_cuadros).
# Usage: bench/fin_corte.sh Z [width height]  (the main window is resized to that; default 1000 x 660)
# The figures are printed only if the window is the size asked for and the cut gear shows Z teeth.
set -euo pipefail
cd "$(dirname "$0")/.."
# The titles looked for are the Spanish ones.
unset LANGUAGE LC_ALL LC_MESSAGES LANG
z=${1:?usage: bench/fin_corte.sh Z [width height]}
ancho=${2:-1000}
alto=${3:-660}
if [ "${4:-}" != "--dentro" ]; then
  pantalla_x=$(( ancho + 40 > 1280 ? ancho + 40 : 1280 ))
  pantalla_y=$(( alto + 60 > 1024 ? alto + 60 : 1024 ))
  exec xvfb-run -a -s "-screen 0 ${pantalla_x}x${pantalla_y}x24" "$0" "$z" "$ancho" "$alto" --dentro
fi
programa=${ORTANEL:-build/ortanel}  # another build of the program, to compare
cuadros=build/bench_cuadros
pantalla=tests/pantalla.py
tmp="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
read -r esquina_x esquina_y < <(xdotool getdisplaygeometry | awk '{print $1 - 10, $2 - 10}')
falla() { echo "fin_corte.sh: $*; no figures printed" >&2; exit 1; }
ahora() { date +%s.%N; }
esperar_hasta() {  # seconds, then a condition (a command) tried every tenth of a second
  local fin
  fin=$(awk -v t="$(ahora)" -v s="$1" 'BEGIN { printf "%.3f", t + s }'); shift
  until "$@"; do
    awk -v t="$(ahora)" -v f="$fin" 'BEGIN { exit !(t > f) }' && return 1
    sleep 0.1
  done
}
captura() { import -window root -depth 8 "ppm:$tmp/p.ppm"; }
n_botones() { captura; [ "$(python3 "$pantalla" botones "$tmp/p.ppm" | wc -l)" -eq "$1" ]; }
principal() {
  ventana=$(xdotool search --onlyvisible --name '^Ortanel - Simulacion estandar' 2>/dev/null | head -n 1)
  [ -n "$ventana" ]
}
tamano() { xdotool getwindowgeometry "$ventana" | awk '/Geometry:/ { sub("x", " ", $2); print $2 }'; }
del_tamano() { [ "$(tamano)" = "$ancho $alto" ]; }
campos() { captura; [ "$(python3 "$pantalla" campos "$tmp/p.ppm" 500 | wc -l)" -ge 8 ]; }
mirando() { grep -q watching "$tmp/cuadros"; }

xdotool mousemove "$esquina_x" "$esquina_y"
"$programa" & pid=$!
esperar_hasta 30 n_botones 3 || falla "the start dialog's three buttons did not show"
read -r x y < <(python3 "$pantalla" botones "$tmp/p.ppm" | head -n 1)
xdotool mousemove "$x" "$y" click 1 mousemove "$esquina_x" "$esquina_y"
esperar_hasta 30 principal || falla "no window titled 'Ortanel - Simulacion estandar'"
xdotool windowsize "$ventana" "$ancho" "$alto"
esperar_hasta 30 del_tamano || falla "the main window measures $(tamano | tr ' ' x), not ${ancho}x${alto}"
esperar_hasta 30 campos || falla "the panel's fields did not show"
read -r fx fy < <(python3 "$pantalla" campos "$tmp/p.ppm" 500 | head -n 1)
# The keys go to the window under the pointer: it stays over the field until Enter.
xdotool mousemove $((fx + 20)) $((fy + 9)) click 1
sleep 0.3
xdotool key ctrl+a type --delay 50 "$z"
xdotool key Return mousemove "$esquina_x" "$esquina_y"
esperar_hasta 30 n_botones 4 || falla "the standard panel's four buttons did not show"
mapfile -t b < <(python3 "$pantalla" botones "$tmp/p.ppm")
"$cuadros" "$ventana" "$ancho" "$alto" 3 >"$tmp/cuadros" &
mira=$!
esperar_hasta 10 mirando || falla "bench_cuadros did not start"
read -r x y <<<"${b[1]}"
xdotool mousemove "$x" "$y" click 1 mousemove "$esquina_x" "$esquina_y"
wait "$mira" || falla "bench_cuadros failed"
# The teeth counted on the circle halfway between the pitch circle and the tips.
captura
vistos=$(python3 "$pantalla" dientes "$tmp/p.ppm" "$(awk -v z="$z" 'BEGIN { print (z + 1) / (z + 2) }')")
if [ "$vistos" -ne "$z" ]; then
  convert "ppm:$tmp/p.ppm" "${TMPDIR:-/tmp}/fin_corte.png"
  falla "the cut gear shows $vistos teeth, not $z (screen kept in ${TMPDIR:-/tmp}/fin_corte.png)"
fi
echo "standard simulation, Z = $z ($vistos teeth counted on the cut gear), automatic cut"
grep -v watching "$tmp/cuadros"
echo "(load average $(cut -d' ' -f1-3 /proc/loadavg))"
