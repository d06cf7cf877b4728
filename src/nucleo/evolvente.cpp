#include "evolvente.h"

#include <algorithm>
#include <cmath>


namespace {

// Polar point turned by psi radians, at radius r.
Punto polar(double r, double psi) {
    return {static_cast<float>(r * std::cos(psi)), static_cast<float>(r * std::sin(psi))};
}

// A flank of pressure angle a (degrees) bordering the space centred at psi0, on the side
// lado (-1 clockwise, +1 counter-clockwise): the flank leaves the space as the radius grows.
std::vector<Punto> flanco(const DatosEvolvente& d, double a, double psi0, int lado, int n) {
    std::vector<Punto> pts;
    double rb = radio_base(d.rp, a);
    double desde = std::max(rb, d.r_fondo), hasta = d.r_cabeza;
    if (!(hasta > desde) || !(rb > 0) || n < 2) return pts;
    double en_primitiva = psi0 + lado * semiangulo_hueco(d, a);
    double inv_a = involuta(a * GRADO);
    pts.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double r = desde + (hasta - desde) * i / (n - 1);
        double alfa_r = std::acos(std::min(1.0, rb / r));
        pts.push_back(polar(r, en_primitiva + lado * (involuta(alfa_r) - inv_a)));
    }
    return pts;
}

}  // namespace

double radio_base(double rp, double angulo_grados) { return rp * std::cos(angulo_grados * GRADO); }

double semiangulo_hueco(const DatosEvolvente& d, double angulo_grados) {
    double paso = PI * d.modulo;
    return (paso / 4.0 - d.x * d.modulo * std::tan(angulo_grados * GRADO)) / d.rp;
}

std::vector<std::vector<Punto>> flancos_evolvente(const DatosEvolvente& d, int n) {
    std::vector<std::vector<Punto>> lineas;
    if (!(d.z >= 1) || !(d.rp > 0) || !(d.modulo > 0) || d.z > 10000) return lineas;
    int dientes = static_cast<int>(std::lround(d.z));
    lineas.reserve(static_cast<size_t>(2 * dientes));
    for (int k = 0; k < dientes; ++k) {
        double psi0 = -PI / 2 + d.giro * GRADO + k * DOS_PI / d.z;
        lineas.push_back(flanco(d, d.angulo1, psi0, -1, n));
        lineas.push_back(flanco(d, d.angulo2, psi0, +1, n));
    }
    return lineas;
}
