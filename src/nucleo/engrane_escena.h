// What a frame of the mesh shows, as numbers: where each partner's outline goes, the circles,
// the line of action with its points, the contact points found on the outlines, the view that
// holds the pair and the read-out. The GL drawing walks these.
#pragma once

#include <string>
#include <vector>

#include "engrane.h"
#include "escena.h"
#include "leyenda.h"

// The colours of the mesh's own parts: gear 2, the line of action and its points, the contact
// points found on the outlines, the mark where the path of contact runs past the line's end.
extern const float COLOR_RUEDA2[3], COLOR_LINEA_ENGRANE[3], COLOR_CONTACTO[3], COLOR_INTERFERENCIA[3];

struct Circulo2 {
    Punto2 centro;
    double radio;
};

struct Segmento2 {
    Punto2 a, b;
};

struct EscenaEngrane {
    bool cremallera = false;
    Lugar lugar1{}, lugar2{};          // where contorno1() and contorno2() go in the scene
    std::vector<Circulo2> bases;       // base circles (gear 1's, then gear 2's)
    std::vector<Circulo2> primitivas;  // pitch circles rolling at the centre distance
    std::vector<Segmento2> lineas_paso;  // the rack's rolling line
    Segmento2 accion{};                // the line of action: T1 T2, or with the rack from T1 on past E
    Punto2 C{}, T1{}, T2{}, A{}, E{};
    std::vector<Punto2> contactos;     // where the outlines touch now, driving side
    bool interferencia = false;
    Punto2 donde{};                    // where the path of contact runs past the line's end
};

// The picture of the pair at an instant of it.
EscenaEngrane escena_engrane(const Engrane& e, const Instante& s);

// The view that holds both partners at the default zoom: the box caja_proyeccion gives for a
// blank of this `origen`, moved to `centro`. The rack is seen `alto_cremallera` below its
// reference line.
struct MarcoEngrane {
    float origen;
    Punto2 centro;
};
MarcoEngrane marco_engrane(const Teoria& t, const Rueda& r1, const Rueda& r2);
CajaVista caja_engrane(const MarcoEngrane& m, const float desplazamiento[3], int ancho, int alto);

// The offsets along x at which copies of a rack `largo` long (its pieces repeating every `paso`),
// placed at x0, cover [izquierda, derecha]: the rack and its copies a whole number of pitches away.
std::vector<double> copias_cremallera(double x0, double largo, double paso, double izquierda, double derecha);

// The legend of the lines the mesh draws.
std::vector<Rotulo> leyenda_engrane();

// The read-out of the mesh: working distance and pressure angle, contact ratio by the formula
// and, once measured (`medidas` not null), on the outlines, normal backlash, and "Interferencia".
std::vector<std::string> lectura_engrane(const Teoria& t, const Engrane::Medidas* medidas);

// The line of pairs in contact now.
std::string texto_pares(const Instante& s);
