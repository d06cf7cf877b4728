#!/usr/bin/env python3
"""Reads a screenshot (binary PPM) and answers questions about what it shows."""
import math
import sys

BOTON = (189, 214, 245)


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


def botones(img):
    """Centres of the button-coloured runs, top to bottom, one per button."""
    ancho, alto, _ = img
    vistos = []
    for y in range(alto):
        x = 0
        while x < ancho:
            if parecido(color(img, x, y), BOTON, 4):
                x0 = x
                while x < ancho and parecido(color(img, x, y), BOTON, 4):
                    x += 1
                if x - x0 >= 40 and not any(b[0] <= x and x0 <= b[1] and 0 <= y - b[2] < 30 for b in vistos):
                    vistos.append((x0, x, y))
            x += 1
    return [((a + b) // 2, y + 8) for a, b, y in vistos]


def campos(img, x_max):
    """Top-left corners of white input fields left of x_max, top to bottom."""
    _, alto, _ = img
    vistos = []
    for y in range(alto - 12):
        for x in range(0, x_max - 40):
            if all(parecido(color(img, x + dx, y + dy), (255, 255, 255), 2) for dx in (0, 20, 40) for dy in (0, 6, 12)):
                if not any(abs(v[1] - y) < 18 for v in vistos):
                    vistos.append((x, y))
                break
    return vistos


def disco(img):
    """Centre and horizontal radius of the red blank."""
    ancho, alto, _ = img
    mejor = (0, 0, 0)
    for y in range(0, alto, 2):
        xs = [x for x in range(ancho) if parecido(color(img, x, y), (255, 0, 0), 30)]
        if xs and xs[-1] - xs[0] > mejor[0]:
            mejor = (xs[-1] - xs[0], (xs[0] + xs[-1]) // 2, y)
    return mejor[1], mejor[2], mejor[0] / 2


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
        for c in campos(img, int(sys.argv[3])):
            print(*c)
    elif orden == "disco":
        print(*disco(img))
    elif orden == "dientes":
        cx, cy, r = disco(img)
        print(dientes(img, cx, cy, r * float(sys.argv[3])))
