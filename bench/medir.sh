#!/usr/bin/env bash
# Processor use of the running program under Xvfb: the start dialog alone, the main
# window standing still, and the automatic default cut with its duration and its
# processor use early and late in the cut.
# Usage: bench/medir.sh [width height]  (the main window is resized to that; default 1000 x 660)
set -euo pipefail
cd "$(dirname "$0")/.."
ancho=${1:-1000}
alto=${2:-660}
if [ "${3:-}" != "--dentro" ]; then
  pantalla_x=$(( ancho + 40 > 1280 ? ancho + 40 : 1280 ))
  pantalla_y=$(( alto + 60 > 1024 ? alto + 60 : 1024 ))
  exec xvfb-run -a -s "-screen 0 ${pantalla_x}x${pantalla_y}x24" "$0" "$ancho" "$alto" --dentro
fi
programa=build/ortanel
pixel=build/bench_pixel
pantalla=tests/pantalla.py
tmp="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
hz=$(getconf CLK_TCK)
read -r _ _ esquina_x esquina_y < <(xdotool getdisplaygeometry | awk '{print 0, 0, $1 - 10, $2 - 10}')
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system clock ticks
uso() {  # pid seconds: percent of one core
  local a b
  a=$(cpu "$1"); sleep "$2"; b=$(cpu "$1")
  awk -v a="$a" -v b="$b" -v s="$2" -v hz="$hz" 'BEGIN { printf "%.1f", 100 * (b - a) / hz / s }'
}
# The panel's buttons, looked for in the top-left part of the screen only (a large screen is slow to scan).
botones() { import -window root -crop 700x1000+0+0 -depth 8 "ppm:$tmp/p.ppm"; python3 "$pantalla" botones "$tmp/p.ppm"; }

xdotool mousemove "$esquina_x" "$esquina_y"
"$programa" & pid=$!
sleep 2
echo "start dialog on screen, nothing happening: $(uso "$pid" 10)% of one core over 10 s"
read -r x y < <(botones | head -n 1)
xdotool mousemove "$x" "$y" click 1 mousemove "$esquina_x" "$esquina_y"
sleep 2
if [ "$ancho" != 1000 ] || [ "$alto" != 660 ]; then
  xdotool search --name '^Ortanel$' windowsize "$ancho" "$alto"
  sleep 3
fi
echo "main window ${ancho} x ${alto} shown, nothing moving: $(uso "$pid" 10)% of one core over 10 s"
mapfile -t b < <(botones)
read -r x y <<<"${b[1]}"
read -r rx ry <<<"${b[0]}"
# "<< Anterior" sits below "Reiniciar": one pixel of its face tells when it is usable again,
# which happens at the end of the cut.
ax=$((rx - 30)); ay=$((ry + 21))
a=$(cpu "$pid")
t0=$(date +%s.%N)
xdotool mousemove "$x" "$y" click 1 mousemove "$esquina_x" "$esquina_y"
# Processor ticks and times every quarter second until the end, for the early and late windows.
: >"$tmp/muestras"
sleep 1
while [ "$("$pixel" "$ax" "$ay")" != "#BDD6F5" ]; do
  echo "$(date +%s.%N) $(cpu "$pid")" >>"$tmp/muestras"
  sleep 0.25
done
t1=$(date +%s.%N)
b2=$(cpu "$pid")
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
