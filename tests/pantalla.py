#!/usr/bin/env python3
"""Reads a screenshot (binary PPM) and answers questions about what it shows."""
import functools
import math
import re
import sys

BOTON = (189, 214, 245)
FONDO_PANEL = (237, 240, 242)


def leer(ruta):
    with open(ruta, "rb") as f:
        datos = f.read()
    partes, pos = [], 0
    while len(partes) < 4:
        while datos[pos:pos + 1].isspace():
            pos += 1
        if datos[pos:pos + 1] == b"#":
            pos = datos.index(b"\n", pos)
            continue
        fin = pos
        while not datos[fin:fin + 1].isspace():
            fin += 1
        partes.append(datos[pos:fin])
        pos = fin
    ancho, alto = int(partes[1]), int(partes[2])
    return ancho, alto, datos[pos + 1:]


def color(img, x, y):
    ancho, _, px = img
    i = (y * ancho + x) * 3
    return px[i], px[i + 1], px[i + 2]


def parecido(a, b, tol=10):
    return all(abs(p - q) <= tol for p, q in zip(a, b))


@functools.lru_cache(maxsize=None)
def tabla(valor, tol):
    return bytes(1 if abs(v - valor) <= tol else 0 for v in range(256))


def mascara(img, y, c, tol):
    """Row y as bytes, 1 where the pixel is within tol of colour c in every channel, else 0.
    Done channel by channel on whole rows, so that a large screen reads in a fraction of a second."""
    ancho, _, px = img
    fila = px[y * ancho * 3:(y + 1) * ancho * 3]
    m = (1 << (8 * ancho)) - 1
    for k in range(3):
        m &= int.from_bytes(fila[k::3].translate(tabla(c[k], tol)), "big")
    return m.to_bytes(ancho, "big")


def botones(img):
    """Centres of the button-coloured runs, top to bottom, one per button."""
    _, alto, _ = img
    vistos = []
    for y in range(alto):
        for run in re.finditer(b"\x01{40,}", mascara(img, y, BOTON, 4)):
            x0, x = run.start(), run.end()
            if not any(b[0] <= x and x0 <= b[1] and 0 <= y - b[2] < 30 for b in vistos):
                vistos.append((x0, x, y))
    return [((a + b) // 2, y + 8) for a, b, y in vistos]


def campos(img, x_max, x_min=0):
    """Top-left corners of white input fields between x_min and x_max, top to bottom: a field is
    white at x + 0, 20, 40 on the rows y, y + 6, y + 12."""
    ancho, alto, _ = img
    blancas = {}

    def blanca(y):
        if y not in blancas:
            blancas[y] = int.from_bytes(mascara(img, y, (255, 255, 255), 2), "big")
        return blancas[y]

    vistos = []
    for y in range(alto - 12):
        m = blanca(y)
        if not m:
            continue
        for dy in (6, 12):
            m &= blanca(y + dy)
        # Byte x of m shifted left by 8·dx bytes holds what byte x + dx held.
        m = m & (m << 160) & (m << 320)
        fila = (m & ((1 << (8 * ancho)) - 1)).to_bytes(ancho, "big")
        x = fila.find(b"\x01", x_min, max(0, x_max - 40))
        if x >= 0 and not any(abs(v[1] - y) < 18 for v in vistos):
            vistos.append((x, y))
    return vistos


def casillas(img):
    """Centres of the empty check boxes, top to bottom: white squares 10 to 18 pixels wide, the
    same run of white on at least 6 rows one under the other (the rounded corners aside), with
    the panel's background a few pixels out on both sides. A radio button's circle changes its
    width from row to row; a field is wider, and what is left of it right of its text has the
    text to its left."""
    _, alto, _ = img
    abiertas = {}  # (x0, x1) -> first row
    vistas = []
    for y in range(alto + 1):
        fila = mascara(img, y, (255, 255, 255), 2) if y < alto else b""
        runs = {(m.start(), m.end()) for m in re.finditer(b"\x01+", fila) if 10 <= m.end() - m.start() <= 18}
        for run, y0 in list(abiertas.items()):
            if run not in runs:
                yc = (y0 + y) // 2
                if y - y0 >= 6 and all(parecido(color(img, x, yc), FONDO_PANEL, 6) for x in (run[0] - 4, run[1] + 3)):
                    vistas.append(((run[0] + run[1]) // 2, yc))
                del abiertas[run]
        for run in runs:
            abiertas.setdefault(run, y)
    return sorted(vistas, key=lambda c: (c[1], c[0]))


def disco(img):
    """Centre and horizontal radius of the red blank."""
    _, alto, _ = img
    mejor = (0, 0, 0)
    for y in range(0, alto, 2):
        fila = mascara(img, y, (255, 0, 0), 30)
        x0, x1 = fila.find(b"\x01"), fila.rfind(b"\x01")
        if x0 >= 0 and x1 - x0 > mejor[0]:
            mejor = (x1 - x0, (x0 + x1) // 2, y)
    return mejor[1], mejor[2], mejor[0] / 2


def rueda(img):
    """Centre and radius of the cut gear: the box around the red within the blank found by disco
    (the widest red row of a toothed gear need not pass through its centre)."""
    ancho, alto, _ = img
    cx, cy, r = disco(img)
    xa, xb = max(0, int(cx - 1.2 * r)), min(ancho, int(cx + 1.2 * r) + 1)
    x0 = y0 = x1 = y1 = None
    for y in range(max(0, int(cy - 1.2 * r)), min(alto, int(cy + 1.2 * r) + 1)):
        fila = mascara(img, y, (255, 0, 0), 30)
        a, b = fila.find(b"\x01", xa, xb), fila.rfind(b"\x01", xa, xb)
        if a < 0:
            continue
        x0 = a if x0 is None else min(x0, a)
        x1 = b if x1 is None else max(x1, b)
        y0 = y if y0 is None else y0
        y1 = y
    if x0 is None:
        return cx, cy, r
    return (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0 + y1 - y0) / 4


def dientes(img, cx, cy, r):
    n, antes, primero = 0, None, None
    for i in range(3600):
        a = 2 * math.pi * i / 3600
        c = color(img, int(round(cx + r * math.cos(a))), int(round(cy - r * math.sin(a))))
        material = not parecido(c, (0, 0, 0), 20)
        if primero is None:
            primero = material
        elif material and not antes:
            n += 1
        antes = material
    if primero and not antes:
        n += 1
    return n


if __name__ == "__main__":
    import signal
    # A reader that takes only the first lines (read, head) closes the pipe early: not an error.
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    orden, ruta = sys.argv[1], sys.argv[2]
    img = leer(ruta)
    if orden == "botones":
        for b in botones(img):
            print(*b)
    elif orden == "campos":
        for c in campos(img, int(sys.argv[3]), int(sys.argv[4]) if len(sys.argv) > 4 else 0):
            print(*c)
    elif orden == "casillas":
        for c in casillas(img):
            print(*c)
    elif orden == "disco":
        print(*disco(img))
    elif orden == "dientes":
        cx, cy, r = rueda(img)
        print(dientes(img, cx, cy, r * float(sys.argv[3])))
