#include "limites.h"

#include <algorithm>
#include <cmath>

int giro_maximo(double z) { return std::max(1, static_cast<int>(std::floor(180.0 / std::max(z, 1.0)))); }

double diametro_maximo(double modulo) { return modulo * (DIENTES_MAXIMO + 2 + 2 * DESPLAZAMIENTO_MAXIMO); }

bool deja_fondo(double z, double x) { return z / 2.0 - 1.25 + x > 0; }
