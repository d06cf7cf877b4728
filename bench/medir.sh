#!/usr/bin/env bash
# Processor use of the running program under Xvfb: start dialog alone, main window
# still, and the automatic default cut (with its duration). Prints one line each.
set -euo pipefail
cd "$(dirname "$0")/.."
programa=build/ortanel
pantalla=tests/pantalla.py
tmp="$(mktemp -d)"
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system clock ticks
hz=$(getconf CLK_TCK)
uso() {  # pid seconds -> percent of one core
  local a b; a=$(cpu "$1"); sleep "$2"; b=$(cpu "$1")
  awk -v a="$a" -v b="$b" -v s="$2" -v hz="$hz" 'BEGIN { printf "%.1f", 100 * (b - a) / hz / s }'
}
export -f cpu uso
export hz
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  xdotool mousemove 1270 1010
  '"$programa"' & pid=$!
  sleep 2
  echo "start dialog on screen, nothing happening: $(uso $pid 10)% of one core over 10 s"
  import -window root -depth 8 ppm:'"$tmp"'/p.ppm
  read -r x y < <(python3 '"$pantalla"' botones '"$tmp"'/p.ppm | head -n 1)
  xdotool mousemove $x $y click 1; xdotool mousemove 1270 1010
  sleep 2
  echo "main window shown, nothing moving: $(uso $pid 10)% of one core over 10 s"
  import -window root -depth 8 ppm:'"$tmp"'/p.ppm
  mapfile -t b < <(python3 '"$pantalla"' botones '"$tmp"'/p.ppm)
  read -r x y <<<"${b[1]}"
  a=$(cpu $pid); t0=$(date +%s.%N)
  xdotool mousemove $x $y click 1; xdotool mousemove 1270 1010
  # The cut is over when the mode button greys out: poll the teeth count and the button.
  while sleep 0.5; do
    import -window root -depth 8 ppm:'"$tmp"'/p.ppm
    [ "$(python3 '"$pantalla"' botones '"$tmp"'/p.ppm | wc -l)" -le 2 ] && break
  done
  t1=$(date +%s.%N); b2=$(cpu $pid)
  awk -v t0=$t0 -v t1=$t1 -v a=$a -v b=$b2 -v hz=$hz "BEGIN { printf \"automatic default cut: %.1f s, %.1f%% of one core\n\", t1 - t0, 100 * (b - a) / hz / (t1 - t0) }"
  kill $pid
'
rm -rf "$tmp"
