#!/usr/bin/env bash
# The real program under Xvfb, its input sent at a user's fastest on a machine made busy: the
# number of teeth typed (2 or 3 digits, 0 to 15 ms a key) and at once a click in the drawing,
# a click on another field, a click on "Guardar", or Tab, over and over. Each commit is read
# back from the file "Guardar" writes, whose default name carries the teeth
# (engranaje-z<Z>-m1.svg): what was typed must be what was saved, every time.
# Arguments: the program, the number of tries (300 by default).
set -euo pipefail
programa="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
veces="${2:-300}"
unset LANGUAGE LC_ALL LC_MESSAGES LANG
aqui="$(cd "$(dirname "$0")" && pwd)"
esperar_hasta() {  # seconds, then a condition tried every hundredth of a second
  local fin=$(( ${EPOCHREALTIME/./} + $1 * 1000000 ))
  shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -gt "$fin" ] && return 1
    sleep 0.01
  done
}
esperar_hasta 60 xdpyinfo >/dev/null 2>&1 || true
tmp="$(mktemp -d)"
pid=""
ocupados=()
terminar() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  for o in "${ocupados[@]}"; do kill "$o" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap terminar EXIT
falla() {
  echo "FAIL: $*"
  import -window root "${TMPDIR:-/tmp}/ortanel-carga-fallo.png" 2>/dev/null && echo "screen kept in ${TMPDIR:-/tmp}/ortanel-carga-fallo.png"
  exit 1
}
captura() { import -window root -depth 8 "ppm:$tmp/p.ppm"; }
botones_son() { captura; mapfile -t b < <(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm"); [ "${#b[@]}" -eq "$1" ]; }

# Two processes keep both processors busy for the whole run.
for _ in 1 2; do
  sh -c 'while :; do :; done' & ocupados+=($!)
done

xdotool mousemove 1270 1010
mkdir -p "$tmp/dir"
(cd "$tmp/dir" && exec "$programa") & pid=$!
esperar_hasta 60 botones_son 3 || falla "the start dialog's three buttons did not show"
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
# Reiniciar, Automatico, Siguiente >> and Salir.
esperar_hasta 60 botones_son 4 || falla "the standard panel did not show"
principal="$(xdotool search --onlyvisible --name '^Ortanel - Simulacion estandar' | head -n 1)"
[ -n "$principal" ] || falla "no main window"
# The keyboard with the main window: keys go to its panel under the pointer.
xdotool windowfocus --sync "$principal" || true
# "Exportar", three rows above "Salir" (over "Ayudas" and "Engrane"), opened: it goes on in a second column right of the first,
# the file name's field under its header and "Guardar" under the field.
read -r sx sy <<<"${b[${#b[@]}-1]}"
xdotool mousemove "$sx" $((sy - 63)) click 1 mousemove 1270 1010
guardar_visto() {
  captura
  local campo
  campo="$(python3 "$aqui/pantalla.py" campos "$tmp/p.ppm" 1000 | awk -v x="$sx" '$1 > x + 250 { print $2; exit }')"
  [ -n "$campo" ] || return 1
  read -r gx gy <<<"$(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm" | awk -v x="$sx" -v c="$campo" '$1 > x + 250 && $2 > c { print; exit }')"
  [ -n "$gy" ]
}
esperar_hasta 60 guardar_visto || falla "opening Exportar showed no Guardar"
# The first column's fields only, left of the second.
mapfile -t f < <(python3 "$aqui/pantalla.py" campos "$tmp/p.ppm" $((sx + 250)))
[ "${#f[@]}" -ge 7 ] || falla "the data fields were not found (${#f[@]})"
read -r zx zy <<<"${f[0]}"
read -r ox oy <<<"${f[5]}"
# The right end of the teeth field, the left part of the pressure angle's, a point of the drawing.
zx=$((zx + 60)); zy=$((zy + 9)); ox=$((ox + 10)); oy=$((oy + 9))
dx=$(( (1000 + gx) / 2 + 100 )); dy=560

guardado() {  # the one file "Guardar" wrote, its teeth in z_guardado
  local a=("$tmp"/dir/*.svg)
  [ -e "${a[0]}" ] || return 1
  z_guardado="$(basename "${a[0]}" | sed -n 's/^engranaje-z\([0-9]*\)-m1\.svg$/\1/p')"
  [ -n "$z_guardado" ]
}
perdidas=0
acciones=(dibujo campo boton tab)
for ((i = 0; i < veces; i++)); do
  rm -f "$tmp"/dir/*.svg
  z=$((10 + RANDOM % 290))
  [ $((RANDOM % 3)) -eq 0 ] && z=$((100 + RANDOM % 200))
  retraso=$((RANDOM % 16))
  accion="${acciones[$((i % 4))]}"
  # xdotool's "type" takes the rest of its line: the action follows from a second call at once.
  xdotool mousemove "$zx" "$zy" click 1 key ctrl+a type --delay "$retraso" "$z"
  case "$accion" in
    dibujo) xdotool mousemove "$dx" "$dy" click 1 mousemove "$gx" "$gy" click 1 ;;
    campo) xdotool mousemove "$ox" "$oy" click 1 mousemove "$gx" "$gy" click 1 ;;
    boton) xdotool mousemove "$gx" "$gy" click 1 ;;
    tab) xdotool key Tab mousemove "$gx" "$gy" click 1 ;;
  esac
  if ! esperar_hasta 30 guardado; then
    [ "$i" -eq 0 ] && falla "nothing saved on the first try: the input does not reach the window"
    z_guardado="none"
  fi
  if [ "$z_guardado" != "$z" ]; then
    perdidas=$((perdidas + 1))
    echo "try $i ($accion, $retraso ms a key): typed $z, saved $z_guardado"
  fi
done
echo "input under load: $veces tries, $perdidas lost, two busy processes"
[ "$perdidas" -eq 0 ] || falla "$perdidas of $veces typed values lost"
