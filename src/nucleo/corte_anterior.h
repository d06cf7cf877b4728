// The previous finished cut, kept to be compared with the present one: its outline in the
// blank's own frame and its data. Lengths in the unit of the module.
#pragma once

#include <string>
#include <vector>

#include "mecanismos.h"
#include "tallado.h"

// The cut as it stands becomes the previous one, if it has ended ("Nuevo corte", "Reiniciar").
void recordar_corte_anterior();
// Forgets it (a new program state).
void olvidar_corte_anterior();
bool hay_corte_anterior();

// Its outline in the blank's own frame (as at the blank's start, before any turn).
const std::vector<Pieza>& corte_anterior();

// Its outline placed on the present blank: the same centre, turned as the blank has turned,
// one closed line per ring (scene frame). Empty without a previous cut.
std::vector<std::vector<Punto>> fantasma_actual();

// The read-out's line: "Corte anterior: Z 20, m 1, x 0.000, De 22.00"; "" without one.
std::string texto_corte_anterior();
