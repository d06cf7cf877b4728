#!/usr/bin/env bash
# Processor use of the running program under Xvfb: the start dialog alone, the main
# window standing still, and the automatic default cut with its duration.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != "--dentro" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --dentro
fi
programa=build/ortanel
pantalla=tests/pantalla.py
tmp="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system clock ticks
uso() {  # pid seconds: percent of one core
  local a b
  a=$(cpu "$1"); sleep "$2"; b=$(cpu "$1")
  awk -v a="$a" -v b="$b" -v s="$2" -v hz="$hz" 'BEGIN { printf "%.1f", 100 * (b - a) / hz / s }'
}
botones() { import -window root -depth 8 "ppm:$tmp/p.ppm"; python3 "$pantalla" botones "$tmp/p.ppm"; }

xdotool mousemove 1270 1010
"$programa" & pid=$!
sleep 2
echo "start dialog on screen, nothing happening: $(uso "$pid" 10)% of one core over 10 s"
read -r x y < <(botones | head -n 1)
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
sleep 2
echo "main window shown, nothing moving: $(uso "$pid" 10)% of one core over 10 s"
mapfile -t b < <(botones)
read -r x y <<<"${b[1]}"
read -r rx ry <<<"${b[0]}"
# "<< Anterior" sits below "Reiniciar": one pixel of its face tells when it is usable again,
# which happens at the end of the cut.
ax=$((rx - 30)); ay=$((ry + 21))
pixel() { import -window root -crop "1x1+$ax+$ay" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
a=$(cpu "$pid")
t0=$(date +%s.%N)
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
sleep 5
while [ "$(pixel)" != "#BDD6F5" ]; do sleep 0.05; done
t1=$(date +%s.%N)
b2=$(cpu "$pid")
awk -v t0="$t0" -v t1="$t1" -v a="$a" -v b="$b2" -v hz="$hz" 'BEGIN {
  d = t1 - t0; printf "automatic default cut: %.1f s for 692 moves (%.1f ms a move; 692 x 60 ms = 41.5 s), %.1f%% of one core\n",
  d, 1000 * d / 692, 100 * (b - a) / hz / d }'
