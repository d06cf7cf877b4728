// Drawing primitives of the scene: the blank, a circle and the rack cutter.
#pragma once

#include "nucleo/mecanismos.h"

void Cilindro(float radio, const float color[3]);
void Circunferencia(float radio, const float color[3]);
// Draws the rack of the data block in the colour, placed and turned as slots 0 to 2 say.
// With radio_visible above 0, the parts lying wholly outside the disc of that radius
// about the scene's origin are left out: drawn in the background colour they would not show.
void Cremallera(const float color[3], const float datos[NUM_DATOS_CREMALLERA], float radio_visible = 0);

