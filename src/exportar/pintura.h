// Pictures of a sheet drawn with cairo: SVG and PDF at true size in millimetres,
// PNG a given number of pixels wide on white. Each makes the whole file in memory,
// in `bytes`, and returns "" or what went wrong; writing it out is the caller's.
#pragma once

#include <string>

#include <cairo.h>

#include "lamina.h"

namespace exportar {

// The page around a sheet: the drawing with a margin, the text block under it.
struct Pagina {
    double ancho, alto;      // mm
    double dx, dy;           // page position = (x + dx, dy - y): y turns downwards
    double letra;            // text height, mm
    double renglon;          // distance between text lines, mm
    double texto_x, texto_y; // baseline of the first text line, page mm
    double linea;            // width of the circles' lines, mm
};
Pagina pagina_de(const Lamina& l);

// Points (PDF units) in a millimetre.
constexpr double PUNTOS_POR_MM = 72.0 / 25.4;

// The sheet's polygons, lines and circles (no text) on a context whose units are the
// page's, placed by `p`, lines `p.linea` wide.
void dibujar_geometria(cairo_t* cr, const Lamina& l, const Pagina& p);

// Selects the text face at `letra` units high, laid out without hinting: glyph advances
// scale with the letter size, so a line is as wide on every surface and scale.
void letra_sin_ajuste(cairo_t* cr, double letra);

// cairo's stream writer: the bytes are appended to the std::string `destino` points to.
cairo_status_t anadir(void* destino, const unsigned char* datos, unsigned int n);

// Destroys the context, finishes and destroys the surface; "" or the first error either had.
std::string terminar(cairo_surface_t* s, cairo_t* cr);

// The largest PNG side in pixels: an 8000 x 8000 picture takes 256 MB in memory.
constexpr int ANCHO_PNG_MAXIMO = 8000;

std::string escribir_svg(const Lamina& l, std::string& bytes);
std::string escribir_pdf(const Lamina& l, std::string& bytes);
std::string escribir_png(const Lamina& l, std::string& bytes, int ancho_px);

}  // namespace exportar
