// An animation of plain geometry in millimetres, drawn picture by picture with cairo into an
// image and encoded as a looping GIF (gif.h) in the colours it is given: the background,
// the gear, the rack, the circles and the text, and their mixes on anti-aliased edges.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lamina.h"

namespace exportar {

// What changes from one picture to the next.
struct Cuadro {
    std::vector<Poligono> pieza;      // the gear as cut so far, filled in the gear colour
    std::vector<Anillo> cremallera;   // the rack's outlines, each filled in the rack colour
    std::vector<Poligono> pieza2;     // a mating gear or rack, filled in its own colour
    std::vector<Punto> puntos;        // points of contact, drawn as dots over everything
};

// What stays the same in every picture.
struct Animacion {
    Caja vista{0, 0, 1, 1};     // the square of the drawing shown, mm, y upwards
    int ancho = 800;            // pixels; the drawing is square, the text block goes under it
    Color fondo{0, 0, 0}, pieza{1, 0, 0}, cremallera{0, 0, 1}, texto{1, 1, 1};
    std::vector<Circulo> circulos;  // thin lines shown where the gear's material is
    // A pair in mesh: the second gear and the contact points in their colours, the circles
    // drawn whole over the gears.
    bool engrane = false;
    Color pieza2{0.2, 0.4, 1}, punto{1, 1, 0};
    std::vector<Linea> rectas;      // thin straight lines over everything (the line of action)
    std::vector<std::string> lineas;  // the text block; none: no block
    int retardo = 4;            // hundredths of a second between pictures
    bool solo_cambios = true;   // false: every picture stored whole
};

class Pelicula {
public:
    explicit Pelicula(const Animacion& a);
    ~Pelicula();
    Pelicula(const Pelicula&) = delete;
    Pelicula& operator=(const Pelicula&) = delete;

    int ancho() const;
    int alto() const;
    int cuadros() const;

    // Draws and encodes one picture; returns "" or what went wrong.
    std::string agregar(const Cuadro& c);

    // The GIF's bytes once every picture is in, or "" in `fallo` and no bytes.
    std::vector<unsigned char> terminar(std::string& fallo);

private:
    struct Datos;
    std::unique_ptr<Datos> d_;
};

// Height in pixels of the pictures of an animation `ancho` pixels wide with n text lines.
int alto_animacion(int ancho, size_t lineas);

// Writes the bytes to `ruta` through a temporary file and a rename (escritura.h).
std::string guardar_bytes(const std::vector<unsigned char>& bytes, const std::string& ruta);

}  // namespace exportar
