// Drawing of the mesh: the cut gear and its partner filled from their cached triangles, placed
// as the scene of the pair says, with the circles, the line of action and the contact points.
#pragma once

#include "nucleo/engrane_estado.h"

// Clears the window, sets the pair's view (with the panel's pan and zoom) and draws the pair at
// gear 1's present turn, then the legend and the read-out over it.
void dibujar_engrane(const ParMostrado& p);
