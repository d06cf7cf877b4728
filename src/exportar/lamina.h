// A drawing sheet to export: plain geometry in millimetres, with no knowledge of
// how it was made. The writers of this directory turn it into files.
#pragma once

#include <string>
#include <vector>

namespace exportar {

struct Punto {
    double x, y;
};

// A closed ring: the last point joins the first, which is not repeated.
using Anillo = std::vector<Punto>;

// A filled region: its outer ring with the holes cut out of it.
struct Poligono {
    Anillo exterior;
    std::vector<Anillo> huecos;
};

// Red, green and blue from 0 to 1.
struct Color {
    double r, g, b;
};

// A thin circle, on its own layer in CAD files.
struct Circulo {
    double cx, cy, radio;
    Color color;
    std::string capa;
};

// Further filled regions, in a colour and on a layer of their own.
struct Grupo {
    std::vector<Poligono> poligonos;
    Color relleno;
    std::string capa;
};

// A thin straight line.
struct Linea {
    Punto desde, hasta;
    Color color;
    std::string capa;
};

// A row of a printed data table: a name and its value; a note when the value is empty.
struct Fila {
    std::string nombre, valor;
};

// Lengths in millimetres, y growing upwards. The polygons are filled in one colour
// and sit on one layer, the groups over them; the text block is a few lines printed
// under the drawing.
struct Lamina {
    std::vector<Poligono> poligonos;
    Color relleno{0.8, 0.1, 0.1};
    std::string capa_poligonos = "ENGRANAJE";
    std::vector<Grupo> grupos;
    std::vector<Circulo> circulos;
    std::vector<Linea> lineas;
    std::vector<std::string> texto;
    // The data table of a printed handout (the text block stands for it elsewhere).
    std::vector<Fila> tabla;
};

// The box holding every polygon and circle of the sheet; empty (min > max) for an empty sheet.
struct Caja {
    double xmin, ymin, xmax, ymax;
    bool vacia() const { return xmin > xmax || ymin > ymax; }
};
Caja caja_de(const Lamina& l);

}  // namespace exportar
