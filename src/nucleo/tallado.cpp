#include "tallado.h"

#include <cmath>

#include "escena.h"
#include "estado.h"

const std::vector<Pieza>& contorno_tallado() {
    static std::vector<Pieza> piezas;
    piezas.assign(1, Pieza{});
    double r = radio_engranaje();
    for (int i = 0; i < 720; ++i) piezas[0].exterior.push_back({r * std::cos(i * PI / 360), r * std::sin(i * PI / 360)});
    return piezas;
}
