// Readers used by the tests to check exported files: SVG through an XML parser,
// DXF through dxflib's reader, PNG through cairo, PDF by its header and page boxes,
// GIF through giflib's decoder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exportar/lamina.h"

namespace lectura {

using exportar::Anillo;
using exportar::Punto;

// The rings of an SVG path's data (M, L, C and Z commands, absolute); a curve
// contributes its end point. Subpaths of fewer than three points are dropped.
std::vector<Anillo> anillos_de_trayecto(const std::string& d);

struct TrazoSvg {
    std::string estilo;
    std::vector<Anillo> anillos;
};
struct Svg {
    std::string ancho, alto, vista;  // attributes of the root element
    std::vector<TrazoSvg> trazos;     // drawn paths, those of glyph definitions left out
    int glifos = 0;                   // <use> elements: one per character of text
    std::vector<double> glifos_y;     // their baselines (y attribute), in order
};
// False when the file is not well-formed XML.
bool leer_svg(const std::string& ruta, Svg& s);

struct PolilineaDxf {
    std::string capa;
    bool cerrada = false;
    Anillo puntos;
};
struct CirculoDxf {
    std::string capa;
    double cx, cy, radio;
};
struct LineaDxf {
    std::string capa;
    Punto desde, hasta;
};
struct Dxf {
    std::vector<std::string> capas;
    std::vector<PolilineaDxf> polilineas;
    std::vector<CirculoDxf> circulos;
    std::vector<LineaDxf> lineas;
    std::vector<std::string> textos;
};
bool leer_dxf(const std::string& ruta, Dxf& d);

struct Png {
    int ancho = 0, alto = 0;
    std::vector<uint32_t> pixeles;  // 0xRRGGBB, row by row from the top
    uint32_t en(int x, int y) const { return pixeles[static_cast<size_t>(y) * static_cast<size_t>(ancho) + static_cast<size_t>(x)]; }
};
bool leer_png(const std::string& ruta, Png& p);

struct Pdf {
    bool cabecera = false;          // starts with %PDF-
    std::vector<double> caja;       // the first page's MediaBox, points
    int paginas = 0;
};
bool leer_pdf(const std::string& ruta, Pdf& p);

struct ImagenGif {
    int x, y, ancho, alto;  // the rectangle the picture covers on the screen
    int retardo;            // hundredths of a second
    int transparente;       // palette index left out, or -1
    int disposicion;        // what is done with the picture before the next one
    bool paleta_propia;
};
struct Gif {
    int ancho = 0, alto = 0;
    bool bucle = false;      // a NETSCAPE2.0 application extension
    int repeticiones = -1;   // its repeat count (0: for ever)
    std::vector<uint32_t> paleta;  // the global colour map, 0xRRGGBB
    std::vector<ImagenGif> imagenes;
};
// Reads the whole file with DGifSlurp; with `ver`, shows each picture composed on the screen as a
// viewer shows it (pixels 0xRRGGBB row by row from the top): the screen starts in the background
// colour, a picture's transparent pixels leave what was there, and a picture to be disposed to
// the background clears its rectangle before the next one.
bool leer_gif(const std::string& ruta, Gif& g,
              const std::function<void(size_t, const std::vector<uint32_t>&)>& ver = {});

// Whole file as bytes; "" when it cannot be read.
std::string contenido(const std::string& ruta);
bool existe(const std::string& ruta);

}  // namespace lectura
