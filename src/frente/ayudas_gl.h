// Drawing of the teaching overlays.
#pragma once

#include "nucleo/escena.h"
#include "nucleo/leyenda.h"

// The theoretical involute of every flank for the current data, as lines in the colour.
void Evolvente(const float color[3]);

// The previous finished cut's outline over the present blank, as thin lines in the colour.
void Fantasma(const float color[3]);

// Over the drawing area of ancho x alto pixels showing the box c: the legend in the top left
// corner, the warnings in the top right one, the scale bar in millimetres in the bottom left.
// Leaves the projection and modelview as it found them.
void Rotulos(const CajaVista& c, int ancho, int alto);
// The same with this legend and these warnings, and under the legend the lines of `lectura` in
// the ink that shows on the background.
void Rotulos(const CajaVista& c, int ancho, int alto, const std::vector<Rotulo>& leyenda,
             const std::vector<std::string>& avisos, const std::vector<std::string>& lectura = {});
