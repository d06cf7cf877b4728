// An animated GIF built in memory with giflib: a fixed palette, every picture after the
// first stored as the rectangle that changed since the one before (unchanged pixels in it
// transparent, the rest of the screen kept), and the loop extension so that it repeats.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lamina.h"

namespace exportar {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

Rgb a_rgb(const Color& c);

// The palette of a picture drawn in the given flat colours: each colour once and, for every
// two of them, the mixes at a quarter, a half and three quarters, for the anti-aliased edges.
// Colours repeated in the list count once; at most 255 entries (refused beyond: empty result).
std::vector<Rgb> paleta_con_mezclas(const std::vector<Color>& colores);

class EscritorGif {
public:
    // `paleta` at most 255 entries; `retardo` in hundredths of a second between pictures.
    // With `solo_cambios` false every picture is stored whole (for comparison).
    EscritorGif(int ancho, int alto, std::vector<Rgb> paleta, int retardo, bool solo_cambios = true);
    ~EscritorGif();
    EscritorGif(const EscritorGif&) = delete;
    EscritorGif& operator=(const EscritorGif&) = delete;

    // Adds a picture of the writer's size: pixels as cairo's RGB24 (0x00RRGGBB words), `paso`
    // bytes a row. Each pixel takes the nearest palette entry. Returns "" or what went wrong.
    std::string agregar(const unsigned char* pixeles, int paso);

    // Closes the stream; the file's bytes, or "" in `fallo` and nothing in the bytes.
    std::vector<unsigned char> terminar(std::string& fallo);

    int cuadros() const { return cuadros_; }

private:
    std::uint8_t indice(std::uint32_t pixel);
    std::string emitir(int x0, int y0, int x1, int y1, bool transparente);

    struct Estado;
    std::unique_ptr<Estado> e_;
    int ancho_, alto_, retardo_, cuadros_ = 0;
    bool solo_cambios_;
    std::vector<Rgb> paleta_;
    std::vector<std::uint8_t> lienzo_, nuevo_;  // what a reader shows, and the picture being added
    std::string fallo_;
};

}  // namespace exportar
