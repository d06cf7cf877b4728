// Textbook involute gear geometry for the teaching overlays: the base circle and
// the theoretical involute of every flank, as polylines in the scene frame. No GL here.
#pragma once

#include <vector>

#include "angulos.h"
#include "mecanismos.h"

// Base circle radius r_b = rp·cos(angle).
double radio_base(double rp, double angulo_grados);

// What fixes the theoretical teeth: teeth, pitch radius, module, shift coefficient x,
// the pressure angles of the two flanks of the rack tooth, the radii the flanks run
// between, and the turn of the blank.
struct DatosEvolvente {
    double z, rp, modulo, x;
    double angulo1, angulo2;    // degrees: the rack's first (left) and second (right) flank
    double r_fondo, r_cabeza;   // root and tip radius
    double giro;                // degrees the blank has turned since the start (counter-clockwise)
};

// Angle (radians) at which the flank of the given pressure angle crosses the pitch circle,
// measured from the centre of the tooth space it borders: p/4 - x·m·tan(angle), as an arc on rp.
double semiangulo_hueco(const DatosEvolvente& d, double angulo_grados);

// One polyline per flank, two per tooth space (first the flank of the first angle, then the
// other), from the base circle, or the root circle if larger, to the tip circle. Space k is
// centred at -90° + giro + k·360°/z: the space the rack cuts first lies straight below the
// centre at the start. The flanks are placed by the textbook tooth thickness on the pitch
// circle, m(π/2 + x·(tan α1 + tan α2)). A flank that has no length is an empty polyline.
std::vector<std::vector<Punto>> flancos_evolvente(const DatosEvolvente& d, int puntos_por_flanco = 24);
