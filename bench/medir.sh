#!/usr/bin/env bash
# Processor use of the running program under Xvfb: the start dialog alone, the main
# window standing still, and the automatic default cut with its duration and its
# processor use early and late in the cut.
# Usage: bench/medir.sh [width height]  (the main window is resized to that; default 1000 x 660)
# The main window is the one titled "Ortanel - Simulacion estandar"; its size is read back, and
# no figure is printed unless it is the size asked for, before the figures and after the cut.
set -euo pipefail
cd "$(dirname "$0")/.."
# The titles looked for are the Spanish ones.
unset LANGUAGE LC_ALL LC_MESSAGES LANG
ancho=${1:-1000}
alto=${2:-660}
if [ "${3:-}" != "--dentro" ]; then
  pantalla_x=$(( ancho + 40 > 1280 ? ancho + 40 : 1280 ))
  pantalla_y=$(( alto + 60 > 1024 ? alto + 60 : 1024 ))
  exec xvfb-run -a -s "-screen 0 ${pantalla_x}x${pantalla_y}x24" "$0" "$ancho" "$alto" --dentro
fi
programa=build/ortanel
pantalla=tests/pantalla.py
tmp="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
hz=$(getconf CLK_TCK)
read -r esquina_x esquina_y < <(xdotool getdisplaygeometry | awk '{print $1 - 10, $2 - 10}')
falla() { echo "medir.sh: $*; no figures printed" >&2; exit 1; }
ahora() { date +%s.%N; }
# Runs the condition (a command) every tenth of a second until it succeeds or the deadline
# (seconds) passes.
esperar_hasta() {
  local limite=$1; shift
  local fin
  fin=$(awk -v t="$(ahora)" -v s="$limite" 'BEGIN { printf "%.3f", t + s }')
  until "$@"; do
    awk -v t="$(ahora)" -v f="$fin" 'BEGIN { exit !(t > f) }' && return 1
    sleep 0.1
  done
}
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system clock ticks
uso() {  # pid seconds: percent of one core
  local a b
  a=$(cpu "$1"); sleep "$2"; b=$(cpu "$1")
  awk -v a="$a" -v b="$b" -v s="$2" -v hz="$hz" 'BEGIN { printf "%.1f", 100 * (b - a) / hz / s }'
}
# The panel's buttons, looked for in the top-left part of the screen only (a large screen is slow to scan).
botones() { import -window root -crop 700x1000+0+0 -depth 8 "ppm:$tmp/p.ppm"; python3 "$pantalla" botones "$tmp/p.ppm"; }
n_botones() { [ "$(botones | wc -l)" -eq "$1" ]; }
principal() {
  ventana=$(xdotool search --onlyvisible --name '^Ortanel - Simulacion estandar' 2>/dev/null | head -n 1)
  [ -n "$ventana" ]
}
tamano() { xdotool getwindowgeometry "$ventana" | awk '/Geometry:/ { sub("x", " ", $2); print $2 }'; }
del_tamano() { [ "$(tamano)" = "$ancho $alto" ]; }
comprobar_tamano() {
  del_tamano || falla "the main window measures $(tamano | tr ' ' x), not ${ancho}x${alto} as asked"
}
en_curso() { xdotool getwindowname "$ventana" | grep -q ' de 360 grados$'; }
terminado() { ! en_curso; }

xdotool mousemove "$esquina_x" "$esquina_y"
"$programa" & pid=$!
esperar_hasta 30 n_botones 3 || falla "the start dialog's three buttons did not show"
sleep 1
echo "start dialog on screen, nothing happening: $(uso "$pid" 10)% of one core over 10 s"
read -r x y < <(botones | head -n 1)
xdotool mousemove "$x" "$y" click 1 mousemove "$esquina_x" "$esquina_y"
esperar_hasta 30 principal || falla "no window titled 'Ortanel - Simulacion estandar'"
xdotool windowsize "$ventana" "$ancho" "$alto"
esperar_hasta 30 del_tamano || true
comprobar_tamano
# Reiniciar, Automatico, Siguiente >> and Salir ("<< Anterior" starts disabled), drawn at the new size.
esperar_hasta 30 n_botones 4 || falla "the standard panel's four buttons did not show"
sleep 1
echo "main window $(tamano | tr ' ' x) shown (size read back), nothing moving: $(uso "$pid" 10)% of one core over 10 s"
mapfile -t b < <(botones)
read -r x y <<<"${b[1]}"
a=$(cpu "$pid")
t0=$(ahora)
xdotool mousemove "$x" "$y" click 1 mousemove "$esquina_x" "$esquina_y"
# The title reads " - N de 360 grados" while the cut is under way.
esperar_hasta 10 en_curso || falla "the automatic cut did not start"
# Processor ticks and times every quarter second until the end, for the early and late windows.
: >"$tmp/muestras"
limite=$(awk -v t="$t0" 'BEGIN { printf "%.3f", t + 300 }')
while en_curso; do
  echo "$(ahora) $(cpu "$pid")" >>"$tmp/muestras"
  awk -v t="$(ahora)" -v f="$limite" 'BEGIN { exit !(t > f) }' && falla "the cut had not ended after 300 s"
  sleep 0.25
done
t1=$(ahora)
b2=$(cpu "$pid")
comprobar_tamano
awk -v t0="$t0" -v t1="$t1" -v a="$a" -v b="$b2" -v hz="$hz" 'BEGIN {
  d = t1 - t0; printf "automatic default cut: %.1f s for 692 moves (%.1f ms a move; 692 x 60 ms = 41.5 s), %.1f%% of one core\n",
  d, 1000 * d / 692, 100 * (b - a) / hz / d }'
# Early: the first 10 s from 1 s after the start; late: the 10 s before the last sample.
awk -v hz="$hz" '{ t[NR] = $1; c[NR] = $2 } END {
  n = NR; e0 = 1; e1 = 1; while (e1 < n && t[e1] - t[e0] < 10) e1++
  l1 = n; l0 = n; while (l0 > 1 && t[l1] - t[l0] < 10) l0--
  pe = 100 * (c[e1] - c[e0]) / hz / (t[e1] - t[e0]); pl = 100 * (c[l1] - c[l0]) / hz / (t[l1] - t[l0])
  printf "processor use over %.1f s early in the cut: %.1f%%; over the last %.1f s: %.1f%% of one core (late / early %.2f)\n",
    t[e1] - t[e0], pe, t[l1] - t[l0], pl, pl / pe }' "$tmp/muestras"
echo "(window ${ancho} x ${alto}, read back before and after the cut; load average $(cut -d' ' -f1-3 /proc/loadavg))"
