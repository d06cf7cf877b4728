#include "limites.h"
#include "idioma/idioma.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int giro_maximo(double z) { return std::max(1, static_cast<int>(std::floor(180.0 / std::max(z, 1.0)))); }

double diametro_maximo(double modulo) { return modulo * (DIENTES_MAXIMO + 2 + 2 * DESPLAZAMIENTO_MAXIMO); }

bool deja_fondo(double z, double x) { return z / 2.0 - 1.25 + x > 0; }

namespace {

struct Rango {
    double minimo, maximo;
    bool abierto_abajo;  // the minimum itself is out
    const char* unidad;
};

bool rango(const std::string& o, double m, double z, Rango& r) {
    if (o == "dientes") r = {DIENTES_MINIMO, DIENTES_MAXIMO, false, ""};
    else if (o == "modulo") r = {MODULO_MINIMO, MODULO_MAXIMO, false, " mm"};
    else if (o == "angulo" || o == "angulo2") r = {ANGULO_MINIMO, ANGULO_MAXIMO, false, _(" grados")};
    else if (o == "desplazamiento") r = {-DESPLAZAMIENTO_MAXIMO, DESPLAZAMIENTO_MAXIMO, false, ""};
    else if (o == "giro") r = {1, static_cast<double>(giro_maximo(z)), false, _(" grados")};
    else if (o == "diametro-primitivo" || o == "diametro-exterior" || o == "diametro-interior")
        r = {0, diametro_maximo(m), true, " mm"};
    else if (o == "flecha") r = {-FLECHA_MAXIMA * m, FLECHA_MAXIMA * m, false, " mm"};
    else if (o == "radio-cabeza" || o == "depresion") r = {0, 1e30, false, ""};
    else return false;
    return true;
}

std::string numero(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", v);
    return b;
}

}  // namespace

std::string rango_de(const std::string& opcion, double modulo, double z) {
    Rango r{};
    if (!rango(opcion, modulo, z, r)) return "";
    if (r.maximo >= 1e30) return _("0 o mas");
    return (r.abierto_abajo ? std::string(_("mas de ")) : std::string()) + numero(r.minimo) + " ... " +
           numero(r.maximo) + r.unidad;
}

bool en_rango(const std::string& opcion, double valor, double modulo, double z) {
    Rango r{};
    if (!rango(opcion, modulo, z, r)) return true;
    if (!(valor <= r.maximo)) return false;
    return r.abierto_abajo ? valor > r.minimo : valor >= r.minimo;
}
