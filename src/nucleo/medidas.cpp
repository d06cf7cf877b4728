#include "medidas.h"

#include <cmath>

namespace {
constexpr double PI = 3.141592653589793;
double radianes(double grados) { return grados * PI / 180.0; }
}  // namespace

double desplazamiento_minimo(double z, double angulo_grados) {
    double s = std::sin(radianes(angulo_grados));
    return 1.0 - (z / 2.0) * s * s;
}

double espesor_teorico(double modulo, double angulo_grados, double x) {
    return modulo * (PI / 2.0 + 2.0 * x * std::tan(radianes(angulo_grados)));
}
