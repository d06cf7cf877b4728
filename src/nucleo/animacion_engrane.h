// The pair in mesh as an animated GIF: gear 1 (the cut gear) turning step by step, gear 2 or
// the rack following it as the outlines make it, the pitch and base circles of both, the line
// of action and the points where the teeth touch, through one turn of the smaller gear (or of
// gear 1 with the rack), looping.
#pragma once

#include <functional>
#include <string>

#include "animacion_corte.h"
#include "engrane.h"
#include "exportar/animacion.h"

// Gear 1's turn the animation covers, radians: 2π·Z2/Z1 when gear 2 is the smaller, else 2π.
double giro_animado(const Engrane& e);

// Pictures of that turn: CUADROS_POR_OMISION, or one in `paso` of them.
int cuadros_del_engrane(const OpcionesAnimacion& o);

// The square of the drawing (mm): both gears whole, or gear 1 and the rack over three tip
// radii of gear 1, with a margin.
exportar::Caja vista_del_engrane(const Engrane& e);

// The pair with gear 1 turned by giro1: gear 1, gear 2 (or the rack), the contact points.
exportar::Cuadro cuadro_del_engrane(const Engrane& e, double giro1);

// Writes the GIF at `ruta` (checked as comprobar_animacion does); progreso(hechos, total)
// after each picture. Returns "" or the line saying why nothing was written.
std::string animar_engrane(const std::string& ruta, const OpcionesAnimacion& o, const Engrane& e,
                           const std::function<void(int, int)>& progreso = {});
