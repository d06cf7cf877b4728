// A printed handout: the drawing on an A4 page at a stated drawing scale, with the title
// above it and the data table under it.
#pragma once

#include <string>

#include "lamina.h"

namespace exportar {

// Drawing scale `ampliacion`:`reduccion` (2:1 draws 2 mm for every millimetre of the
// gear, 1:5 one for every five); one of the two is 1.
struct Escala {
    int ampliacion = 1, reduccion = 1;
    double factor() const { return static_cast<double>(ampliacion) / reduccion; }
    bool operator==(const Escala& o) const { return ampliacion == o.ampliacion && reduccion == o.reduccion; }
};

// "Escala 2:1" in the program's language.
std::string texto_escala(const Escala& e);

// Reads "N:M" with N or M equal to 1, both whole numbers from 1 to 1000; false otherwise.
bool leer_escala(const std::string& texto, Escala& e);

// A4 portrait, mm.
constexpr double A4_ANCHO = 210.0, A4_ALTO = 297.0;

// Where things go on the page, in page mm with y downwards.
struct HojaA4 {
    double margen;                    // left, right and top
    double titulo_y;                  // baseline of the title
    double dibujo_x, dibujo_y;        // top left corner of the drawing's box
    double dibujo_ancho, dibujo_alto; // the box the drawing must fit in
    double tabla_y;                   // baseline of the first table line
    double renglon, letra;            // table line distance and letter height
};
HojaA4 hoja_a4();

// The scale of a drawing `ancho` x `alto` mm on the page: 1:1 when it fits, else the largest
// of the reductions 1:2, 1:5, 1:10, 1:20, ... that fits; with `ampliar`, the largest of
// 1:1, 2:1, 5:1, 10:1, ... 50:1 (or the reductions) that fits.
Escala escala_que_cabe(double ancho, double alto, const HojaA4& h, bool ampliar);

// Whether a drawing of that size fits the page's box at scale `e`.
bool cabe(double ancho, double alto, const HojaA4& h, const Escala& e);

// The handout as a one-page A4 PDF in `bytes`: the sheet's first text line as the title,
// the drawing centred in its box at scale `e`, the scale printed under it with a bar of
// 10 mm of the gear, and the table (each row a name and a value; a row without a value
// is a note printed across). Returns "" or what went wrong.
std::string escribir_hoja_a4(const Lamina& l, const Escala& e, std::string& bytes);

}  // namespace exportar
