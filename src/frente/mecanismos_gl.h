// Drawing primitives of the scene: the blank, a circle and the rack cutter.
#pragma once

void Cilindro(float radio, const float color[3]);
void Circunferencia(float radio, const float color[3]);
// Draws the rack of the data block in the colour, placed and turned as slots 0 to 2 say.
void Cremallera(const float color[3], const float datos[11]);

struct Triangulos;
// Draws racks already placed, in one colour: the triangles in one batch, then the rest.
void dibujar_triangulos(const float color[3], const Triangulos& t);

