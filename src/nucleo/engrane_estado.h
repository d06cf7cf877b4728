// The mesh of the gear cut in the program with a second gear, or the rack, as the panel's
// "Engrane" rollout and the command line give it: the values, the pair built from the finished
// cut and kept until the data change, and gear 1's turn in the mesh.
#pragma once

#include <string>

#include "engrane.h"

// "Engranar con": 0 a gear, 1 the rack.
extern int Engrane_Con;
// "Dientes rueda 2", "Desplazamiento rueda 2" (coefficient), "Distancia entre centros" (0: a_w).
extern int Engrane_Dientes;
extern float Engrane_Desplazamiento, Engrane_Distancia;
// "Ver engrane": the drawing shows the mesh instead of the cut.
extern int C_Engrane_ON;
// Gear 1's turn in the mesh, degrees, counter-clockwise.
extern float Engrane_Giro;

// Puts the values above back to their start.
void engrane_inicial();

// Gear 1 as the present data cut it.
Rueda rueda_actual();

// The pair of the cut gear with gear 2 of z2 teeth (0: the rack) and shift x2 at centre distance
// a (0: a_w), built from the cut as it stands (the caller finishes it first). Kept while the data,
// the cut and these values stay the same. Null, with the reason in `fallo`, when it cannot mesh.
const Engrane* engrane_actual(int z2, double x2, double a, std::string* fallo);
