#include "escala_panel.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace escala_panel {

namespace {

constexpr double PASOS[] = {0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0};
constexpr int NUM_PASOS = sizeof PASOS / sizeof PASOS[0];
constexpr double HOLGURA = 1e-9;

bool es_mas(int t) { return t == '+' || t == '='; }
bool es_menos(int t) { return t == '-' || t == '_' || t == 0x1f; }

}  // namespace

double dpi_de_recursos(const char* recursos) {
    if (!recursos) return DPI_NORMAL;
    const char* clave = "Xft.dpi:";
    for (const char* p = std::strstr(recursos, clave); p; p = std::strstr(p + 1, clave)) {
        // Only at the start of a line.
        if (p != recursos && p[-1] != '\n') continue;
        char* fin = nullptr;
        double v = std::strtod(p + std::strlen(clave), &fin);
        if (fin != p + std::strlen(clave) && std::isfinite(v) && v >= 24 && v <= 960) return v;
        return DPI_NORMAL;
    }
    return DPI_NORMAL;
}

double escala_dpi(double dpi) { return (std::isfinite(dpi) && dpi > 0 ? dpi : DPI_NORMAL) / DPI_NORMAL; }

double factor_tras_tecla(double factor, int tecla) {
    if (tecla == '0') return 1.0;
    if (!std::isfinite(factor)) factor = 1.0;
    if (es_mas(tecla)) {
        for (double p : PASOS)
            if (p > factor + HOLGURA) return p;
        return FACTOR_MAX;
    }
    if (es_menos(tecla)) {
        for (int i = NUM_PASOS - 1; i >= 0; --i)
            if (PASOS[i] < factor - HOLGURA) return PASOS[i];
        return FACTOR_MIN;
    }
    return factor;
}

bool es_tecla_de_escala(int tecla) { return tecla == '0' || es_mas(tecla) || es_menos(tecla); }

}  // namespace escala_panel
