#!/usr/bin/env bash
# The real program under Xvfb, driven with xdotool as a user would: the start
# dialog, the standard panel, a typed number of teeth, an automatic cut, "Salir";
# every way of leaving a field, fast typing, and every way of closing a window.
# Arguments: the program, and the helper that sends the window manager's close.
# Every read of the screen that follows an action polls for the expected picture with a deadline
# (esperar_hasta); a check that something does not change polls that it stays so (se_mantiene).
set -euo pipefail
programa="$1"
cerrar="$2"
# The titles and labels looked for are the Spanish ones.
unset LANGUAGE LC_ALL LC_MESSAGES LANG
aqui="$(cd "$(dirname "$0")" && pwd)"
# Tries the condition (a command and its arguments) every tenth of a second until it succeeds;
# fails once the deadline, in seconds, has passed. Generous deadlines: the sanitizer build on a
# loaded machine paints late.
esperar_hasta() {
  local fin=$(( ${EPOCHREALTIME/./} + $1 * 1000000 ))
  shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -gt "$fin" ] && return 1
    sleep 0.1
  done
}
# The condition holds at every read for the given seconds (what must not change, does not).
se_mantiene() {
  local fin=$(( ${EPOCHREALTIME/./} + $1 * 1000000 ))
  shift
  while [ "${EPOCHREALTIME/./}" -le "$fin" ]; do
    "$@" || return 1
    sleep 0.1
  done
}
# The X server may still be starting when the script runs: wait until it takes connections.
esperar_hasta 60 xdpyinfo >/dev/null 2>&1 || true
tmp="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
captura() { import -window root -depth 8 "ppm:$tmp/p.ppm"; }
falla() {
  echo "FAIL: $*"
  import -window root "${TMPDIR:-/tmp}/ortanel-fallo.png" 2>/dev/null && echo "screen kept in ${TMPDIR:-/tmp}/ortanel-fallo.png"
  exit 1
}
# The screen's buttons in b; true when there are n of them.
botones_son() {
  captura
  mapfile -t b < <(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm")
  [ "${#b[@]}" -eq "$1" ]
}
esperar_botones() { esperar_hasta 60 botones_son "$1"; }
# The buttons in b, in the same places in two reads a tenth of a second apart: nothing being
# redrawn.
botones_quietos() {
  botones_son 0 || true
  local antes="${b[*]}"
  sleep 0.1
  botones_son 0 || true
  [ "${#b[@]}" -gt 0 ] && [ "${b[*]}" = "$antes" ]
}
visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
esperar_ventana() { esperar_hasta 60 visible '^Ortanel$'; }
esperar_dialogo() { esperar_botones 3; }  # the start dialog's three buttons drawn
# The blank's centre and radius in cx cy r, the panel's fields left of x = 500 in f.
leer_disco() {
  captura
  read -r cx cy r <<<"$(python3 "$aqui/pantalla.py" disco "$tmp/p.ppm")"
}
leer_campos() { mapfile -t f < <(python3 "$aqui/pantalla.py" campos "$tmp/p.ppm" 500); }
# The standard panel drawn: a blank beside it and at least 8 fields.
panel_dibujado() {
  leer_disco
  leer_campos
  [ "${r%.*}" -gt 50 ] && [ "${#f[@]}" -ge 8 ]
}

xdotool mousemove 1270 1010
"$programa" & pid=$!
esperar_ventana || falla "the start dialog did not open"
esperar_botones 3 || falla "expected the dialog's three buttons, saw ${#b[@]}"
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1
esperar_hasta 60 panel_dibujado || true
[ "${r%.*}" -gt 50 ] || falla "no blank drawn beside the panel (radius $r)"
[ "$cx" -gt 500 ] || falla "the blank is not beside the panel (centre $cx)"
echo "blank: centre $cx,$cy radius $r px"

# 20 teeth typed into the first field, confirmed with Enter.
read -r fx fy <<<"${f[0]}"
xdotool mousemove $((fx + 20)) $((fy + 9)) click 1
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 50 20
xdotool key Return
r0=$r
mayor() { leer_disco; python3 -c "import sys; sys.exit(0 if $r > $1 else 1)"; }
esperar_hasta 60 mayor "$r0 * 1.05" || falla "20 teeth did not change the blank ($r0 -> $r)"
echo "blank after 20 teeth: radius $r px"

# "Reiniciar", then "Automatico": the default gear is cut to the end by itself.
mapfile -t b < <(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm")
echo "panel buttons: ${b[*]}"
[ "${#b[@]}" -ge 4 ] || falla "panel buttons not found"
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1
# Back to the default blank.
menor() { leer_disco; python3 -c "import sys; sys.exit(0 if $r < $1 else 1)"; }
esperar_hasta 60 menor "$r0 * 1.02" || falla "Reiniciar did not bring the default gear back (radius $r)"
read -r x y <<<"${b[1]}"
xdotool mousemove "$x" "$y" click 1
xdotool mousemove 1270 1010
dientes_son() { captura; n="$(python3 "$aqui/pantalla.py" dientes "$tmp/p.ppm" 0.8)"; [ "$n" -eq "$1" ]; }
esperar_hasta 150 dientes_son 14 || true
echo "teeth after the automatic cut: $n"
[ "$n" -eq 14 ] || falla "the automatic cut did not give 14 teeth"
[ -n "${ORTANEL_CAPTURA:-}" ] && import -window root -crop 1020x680+20+20 "$ORTANEL_CAPTURA"

# A larger main window: the drawing area is again the part beside the panel.
principal="$(xdotool search --onlyvisible --name '^Ortanel - Simulacion estandar' | head -n 1 || true)"
[ -n "$principal" ] || falla "no main window titled 'Ortanel - Simulacion estandar'"
xdotool windowsize "$principal" 1200 700
cx1=$cx
a_la_derecha() { leer_disco; [ "$cx" -gt "$1" ]; }
esperar_hasta 60 a_la_derecha $((cx1 + 60)) || falla "the drawing area did not follow the new size (centre $cx1 -> $cx)"
echo "blank after resizing to 1200 x 700: centre $cx,$cy radius $r px"

# The panel's "Salir" brings the start dialog back; the experimental simulation opens from it.
# The panel redrawn after the resize first: its buttons in the same places in two reads, the
# last one "Salir", under the others at the panel's left edge.
salir_quieto() { botones_quietos && read -r x y <<<"${b[${#b[@]}-1]}" && [ "$x" -lt 120 ] && [ "$y" -gt 550 ]; }
esperar_hasta 60 salir_quieto || falla "the panel's Salir did not settle after the resize (${b[*]})"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_botones 3 || falla "the start dialog did not come back (${#b[@]} buttons)"
read -r x y <<<"${b[1]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
campos_al_menos() { captura; leer_campos; [ "${#f[@]}" -ge "$1" ]; }
esperar_hasta 60 campos_al_menos 12 || falla "the experimental panel did not open (${#f[@]} fields)"
echo "experimental panel: ${#f[@]} fields"
kill "$pid"
wait "$pid" 2>/dev/null || true

# ---------------------------------------------------------------- input
# The number of teeth is read back from the blank's radius in pixels: with the standard
# proportions it is (Z + 2) / (Z + 11) of the view's half width, 0.64 of it at 14 teeth.
radio() { captura; python3 "$aqui/pantalla.py" disco "$tmp/p.ppm" | awk '{print $3}'; }
dientes_vistos() { python3 -c "q = 0.64 * $(radio) / $r14; print(round((11 * q - 2) / (1 - q)))"; }
campo() {  # a click at the right end of field i of the panel
  local fx fy
  read -r fx fy <<<"${f[$1]}"
  xdotool mousemove $((fx + 60)) $((fy + 9)) click 1
  sleep 0.3
}
dibujo() { xdotool mousemove 900 560 click 1 mousemove 1270 1010; }
z_visto=""
dientes_cerca() {  # teeth read from the blank within one of the expected
  z_visto="$(dientes_vistos)"
  [ "$(( z_visto - $1 ))" -ge -1 ] && [ "$(( z_visto - $1 ))" -le 1 ]
}
comprobar() {  # expected teeth, what was done
  esperar_hasta 60 dientes_cerca "$1" || falla "$2: $z_visto teeth seen, $1 expected"
  echo "$2: $z_visto teeth"
}
comprobar_que_sigue() {  # expected teeth, unchanged for two seconds
  se_mantiene 2 dientes_cerca "$1" || falla "$2: $z_visto teeth seen, $1 expected"
  echo "$2: $z_visto teeth"
}
botones_vistos() { captura; python3 "$aqui/pantalla.py" botones "$tmp/p.ppm"; }
vivo() { kill -0 "$1" 2>/dev/null; }
terminado() {  # pid: waits up to 20 s for the program to end; its status in $estado
  estado=running
  esperar_hasta 60 eval '! vivo '"$1" || return 0
  estado=0
  wait "$1" || estado=$?
}

"$programa" 2>"$tmp/err" & pid=$!
esperar_ventana || falla "the start dialog did not open for the input tests"
esperar_dialogo || falla "the start dialog's buttons were not drawn"
mapfile -t b < <(botones_vistos)
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_hasta 60 panel_dibujado || falla "the standard panel was not drawn for the input tests"
r14="$r"

campo 0; xdotool key ctrl+a; xdotool type --delay 50 20; xdotool key Tab
comprobar 20 "Tab commits"
campo 0; xdotool key ctrl+a; xdotool type --delay 50 16; xdotool key shift+Tab
comprobar 16 "Shift+Tab commits"
campo 0; xdotool key ctrl+a; xdotool type --delay 15 25; xdotool key Return
comprobar 25 "typed at 15 ms a key"
campo 0; xdotool key ctrl+a; xdotool type --delay 50 2000; xdotool key --delay 60 BackSpace BackSpace BackSpace
xdotool key Return
comprobar 3 "three Backspaces at 60 ms (2 teeth corrected to 3)"
campo 0; xdotool key ctrl+a; xdotool type --delay 15 18; dibujo
comprobar 18 "typed, then a click in the drawing at once"
campo 0; xdotool key ctrl+a; xdotool type --delay 50 30; xdotool key Escape; dibujo
comprobar_que_sigue 18 "Escape puts the value back"
campo 1; dibujo  # the module list opened, then a click in the drawing
campo 0; xdotool key ctrl+a; xdotool type --delay 50 22; xdotool key Return
comprobar 22 "a click in the drawing closes the list and swallows no later click"
r22="$(radio)"
campo 6; xdotool key ctrl+a; xdotool type --delay 50 0.5; campo 0; xdotool key Escape
esperar_hasta 60 mayor "$r22 + 4" || falla "a click on a field above did not commit ($r22 -> $r px)"
echo "a click on the field above commits: blank $r22 -> $r px"

# A double click on a dialog button leaves nothing behind: one "Salir" brings the dialog back.
mapfile -t b < <(botones_vistos)
read -r x y <<<"${b[${#b[@]}-1]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_botones 3 || falla "the start dialog did not come back (${#b[@]} buttons)"
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1 mousemove 1270 1010
# Reiniciar, Automatico, Siguiente >> and Salir.
esperar_botones 4 || falla "the double click did not open the standard panel (${#b[@]} buttons)"
read -r x y <<<"${b[${#b[@]}-1]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_botones 3 || falla "after a double click and one Salir: ${#b[@]} buttons instead of the dialog's 3"
se_mantiene 2 botones_son 3 || falla "after a double click and one Salir: ${#b[@]} buttons instead of the dialog's 3"
echo "double click, then one Salir: the dialog stays"

# The window manager's close on the main window is the panel's "Salir"; the program goes on.
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_botones 4 || falla "the standard panel did not open (${#b[@]} buttons)"
"$cerrar" "$(xdotool search --onlyvisible --name '^Ortanel - Simulacion' | head -n 1)"
esperar_botones 3 || falla "the window manager's close on the main window: ${#b[@]} buttons, not the dialog"
kill -0 "$pid" 2>/dev/null || falla "the window manager's close on the main window ended the program"
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_hasta 60 panel_dibujado || falla "no blank in the new main window (radius $r)"
echo "main window closed by the window manager: dialog back, a new simulation draws (radius $r px)"
mapfile -t b < <(botones_vistos)
read -r x y <<<"${b[${#b[@]}-1]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_botones 3 || falla "Salir did not bring the start dialog back (${#b[@]} buttons)"
# ... and on the start dialog it is the dialog's "Salir".
"$cerrar" "$(xdotool search --onlyvisible --name '^Ortanel$' | head -n 1)"
terminado "$pid"
[ "$estado" = 0 ] || falla "the window manager's close on the dialog: status $estado"
grep -q "X Error" "$tmp/err" && falla "X error: $(cat "$tmp/err")"
echo "dialog closed by the window manager: status 0"

# A window destroyed by someone else ends the program, with status 0 and no X error.
for ventana in dialogo principal; do
  "$programa" 2>"$tmp/err" & pid=$!
  esperar_ventana || falla "the start dialog did not open"
  esperar_dialogo || falla "the start dialog's buttons were not drawn"
  if [ "$ventana" = principal ]; then
    mapfile -t b < <(botones_vistos)
    read -r x y <<<"${b[0]}"
    xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
    esperar_hasta 60 visible '^Ortanel - Simulacion' || falla "the main window did not open"
  fi
  titulo='^Ortanel$'
  [ "$ventana" = principal ] && titulo='^Ortanel - Simulacion'
  xdotool windowclose "$(xdotool search --onlyvisible --name "$titulo" | head -n 1)"
  terminado "$pid"
  [ "$estado" = 0 ] || falla "the $ventana window destroyed from outside: status $estado"
  grep -q "X Error" "$tmp/err" && falla "X error after the $ventana window was destroyed: $(cat "$tmp/err")"
  echo "$ventana window destroyed from outside: status 0"
done

# The dialog's "Salir" ends the program with status 0.
"$programa" & pid=$!
esperar_ventana || falla "the start dialog did not open again"
esperar_dialogo || falla "the start dialog's buttons were not drawn"
mapfile -t b < <(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm")
read -r x y <<<"${b[2]}"
xdotool mousemove "$x" "$y" click 1
terminado "$pid"
[ "$estado" = 0 ] || falla "Salir ended with status $estado"

# Teaching aids: the base circle drawn, "Terminar" ends the cut at once, the wheel zooms, Home
# brings the view back; the keys reach the drawing with the pointer over it.
pixel() { python3 -c "import sys; sys.path.insert(0, '$aqui'); import pantalla as p; print(*p.color(p.leer('$tmp/p.ppm'), $1, $2))"; }
"$programa" & pid=$!
esperar_ventana || falla "the start dialog did not open for the aids"
esperar_dialogo || falla "the start dialog's buttons were not drawn for the aids"
read -r x y <<<"${b[0]}"
xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
esperar_hasta 60 panel_dibujado || falla "the standard panel was not drawn for the aids"
esperar_botones 4 || falla "the standard panel's buttons were not drawn for the aids"
read -r sx sy <<<"${b[${#b[@]}-1]}"
# The closed "Ayudas" rollout sits two rows above "Salir", over the closed "Engrane": open it,
# tick "Circunferencia base".
xdotool mousemove "$sx" $((sy - 42)) click 1 mousemove 1270 1010
# Open, it does not fit under the rest of the panel: it goes on, "Salir" under it, in a second
# column right of the first, and its first empty check box is "Circunferencia base".
casilla_base() {
  captura
  read -r kx ky <<<"$(python3 "$aqui/pantalla.py" casillas "$tmp/p.ppm" | awk -v x="$sx" '$1 > x + 100' | head -n 1)"
  [ -n "$ky" ]
}
esperar_hasta 60 casilla_base || falla "the Ayudas rollout did not open in a second column"
xdotool mousemove "$kx" "$ky" click 1 mousemove 1270 1010
# The base circle: a magenta line crossing the column through the centre, inside the blank,
# at r·6.578/8 from the centre (the centre found from the blank's top edge). The panel is wider
# now, so the blank is measured again.
circulo_base() {
  leer_disco
  magenta="$(python3 - "$tmp/p.ppm" "$cx" "$r" "$aqui" <<'PY'
import math, sys
sys.path.insert(0, sys.argv[4])
import pantalla as p
img = p.leer(sys.argv[1]); cx = int(sys.argv[2]); r = float(sys.argv[3])
arriba = next(y for y in range(img[1]) if p.parecido(p.color(img, cx, y), (255, 0, 0), 30))
cy = arriba + r
ys = [y for y in range(arriba, int(cy)) if p.parecido(p.color(img, cx, y), (255, 89, 255), 40)]
rb = r * 7 * math.cos(math.radians(20)) / 8
print(1 if any(abs((cy - y) - rb) <= 3 for y in ys) else 0, ys)
PY
)"
  [ "${magenta%% *}" -eq 1 ]
}
esperar_hasta 60 circulo_base || falla "no base circle drawn ($magenta)"
echo "base circle: $magenta"
# "a" over the drawing starts the automatic cut; "Terminar" (beside the second check box) ends it at once.
xdotool mousemove $((cx + 2 * ${r%.*})) "$cy"
xdotool key a
# "Terminar", enabled now, is the button on the row of "Circunferencia base", right of it.
terminar_activo() {
  captura
  read -r tx ty <<<"$(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm" |
    awk -v x="$kx" -v y="$ky" '$1 > x && $2 - y <= 6 && y - $2 <= 6' | head -n 1)"
  [ -n "$ty" ]
}
esperar_hasta 60 terminar_activo || falla "no enabled Terminar button"
xdotool mousemove "$tx" "$ty" click 1 mousemove $((cx + 2 * ${r%.*})) "$cy"
# The cut ends at once: the picture is read until it shows the teeth.
esperar_hasta 60 dientes_son 14 || falla "Terminar did not end the cut ($n teeth)"
echo "teeth after Terminar: $n"
# The base circle off again, and the aids closed (their header a row above the check box): the
# panel is one column again, the drawing as wide as before.
xdotool mousemove "$kx" "$ky" click 1 mousemove 1270 1010
esperar_hasta 60 eval '! circulo_base' || falla "the base circle stayed drawn"
cx4=$cx
xdotool mousemove "$kx" $((ky - 19)) click 1 mousemove 1270 1010
a_la_izquierda() { leer_disco; [ "$cx" -lt "$1" ]; }
esperar_hasta 60 a_la_izquierda $((cx4 - 60)) || falla "closing the aids did not widen the drawing ($cx4 -> $cx)"
# Five wheel steps up over the blank's right edge: the scene grows 1.1^5 times about that point.
cx0=$cx
cy0=$cy
px=$((cx0 + ${r%.*} - 10))
xdotool mousemove "$px" "$cy0"
xdotool click --repeat 5 --delay 100 4
# The blank's centre moves away from the pointer, and the point under the pointer stays red,
# also once the last step has come.
ampliado() {
  leer_disco
  read -r pr pg pbl <<<"$(pixel "$px" "$cy0")"
  [ "$cx" -lt $((cx0 - 30)) ] && [ "$pr" -gt 200 ] && [ "$pg" -lt 60 ]
}
esperar_hasta 60 ampliado ||
  falla "the wheel did not zoom about the pointer (centre $cx0 -> $cx, red under the pointer $pr $pg $pbl)"
se_mantiene 1 ampliado || falla "the point under the pointer moved away (red under the pointer $pr $pg $pbl)"
echo "after the wheel: red under the pointer $pr $pg $pbl, blank centre $cx,$cy"
xdotool key Home
cerca_de() { leer_disco; [ $((cx - $1)) -ge -2 ] && [ $((cx - $1)) -le 2 ]; }
esperar_hasta 60 cerca_de "$cx0" || falla "Home did not bring the view back ($cx0 -> $cx)"
echo "after Home: blank centre $cx,$cy radius $r"
cx5=$cx
# Ctrl + plus makes the panel wider and the drawing area narrower; Ctrl + 0 brings both back.
xdotool key ctrl+plus
esperar_hasta 60 a_la_derecha $((cx5 + 10)) || falla "Ctrl+plus did not widen the panel ($cx5 -> $cx)"
echo "after Ctrl+plus: blank centre $cx radius $r"
xdotool key ctrl+0
esperar_hasta 60 cerca_de "$cx5" || falla "Ctrl+0 did not bring the panel back ($cx5 -> $cx)"
echo "after Ctrl+0: blank centre $cx"
kill "$pid"
wait "$pid" 2>/dev/null || true

# "Exportar" / "Guardar" in the standard panel: the default name, written in the program's directory.
prueba_guardar() {
  local cwd="$tmp/guardar" ruta
  ruta="$(cd "$(dirname "$programa")" && pwd)/$(basename "$programa")"
  mkdir -p "$cwd"
  (cd "$cwd" && exec "$ruta") & pid=$!
  esperar_ventana || falla "the start dialog did not open for the export"
  esperar_botones 3 || falla "the start dialog's buttons did not show for the export"
  read -r x y <<<"${b[0]}"
  xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
  # Reiniciar, Automatico, Siguiente >> and Salir (<< Anterior starts disabled).
  esperar_botones 4 || falla "the standard panel did not show its four buttons (${#b[@]})"
  # The closed "Exportar" rollout's header lies three rows above "Salir", the panel's last
  # button, over the closed "Ayudas" and "Engrane" ones.
  read -r x y <<<"${b[${#b[@]}-1]}"
  local cabecera=$((y - 63)) guardar=""
  xdotool mousemove "$x" "$cabecera" click 1 mousemove 1270 1010
  # Open, it does not fit under the rest of the panel: it goes on in a second column right of
  # the first, the file name's field under its header and "Guardar" under the field.
  boton_guardar() {
    captura
    local campo
    campo="$(python3 "$aqui/pantalla.py" campos "$tmp/p.ppm" 1000 $((x + 250)) | awk -v x="$x" '$1 > x + 250 { print $2; exit }')"
    [ -n "$campo" ] || return 1
    guardar="$(python3 "$aqui/pantalla.py" botones "$tmp/p.ppm" | awk -v x="$x" -v c="$campo" '$1 > x + 250 && $2 > c { print; exit }')"
    [ -n "$guardar" ]
  }
  esperar_hasta 60 boton_guardar || falla "opening Exportar showed no file name and Guardar"
  read -r x y <<<"$guardar"
  xdotool mousemove "$x" "$y" click 1 mousemove 1270 1010
  esperar_hasta 60 test -s "$cwd/engranaje-z14-m1.svg" || falla "Guardar wrote no engranaje-z14-m1.svg in the program's directory"
  python3 -c "import sys, xml.dom.minidom as m; d = m.parse(sys.argv[1]); assert d.documentElement.getAttribute('width').endswith('mm')" \
    "$cwd/engranaje-z14-m1.svg" || falla "the saved file is not an SVG in millimetres"
  echo "Guardar: $(ls "$cwd")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
prueba_guardar

echo "1 passed, 0 failed"
