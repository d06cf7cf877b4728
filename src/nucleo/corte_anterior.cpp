#include "corte_anterior.h"

#include <cmath>
#include <cstdio>

#include "avisos.h"
#include "escena.h"
#include "estado.h"
#include "idioma/idioma.h"
#include "ids.h"

namespace {

struct Anterior {
    bool hay = false;
    std::vector<Pieza> piezas;
    double z = 0, modulo = 0, x = 0, diametro = 0;
};
Anterior anterior;

Anillo girado(const Anillo& a, double grados) {
    double g = grados * PI / 180.0, c = std::cos(g), s = std::sin(g);
    Anillo r;
    r.reserve(a.size());
    for (const Vertice& v : a) r.push_back({v.x * c - v.y * s, v.x * s + v.y * c});
    return r;
}

}  // namespace

void recordar_corte_anterior() {
    if (C_Mueve != TERMINADO) return;
    Anterior a;
    // The outline measured when the cut ended, or else built now.
    const std::vector<Pieza>* medido = contorno_medido();
    for (const Pieza& p : medido ? *medido : contorno_tallado()) {
        Pieza q{girado(p.exterior, -E_angulo), {}};
        for (const Anillo& h : p.huecos) q.huecos.push_back(girado(h, -E_angulo));
        a.piezas.push_back(std::move(q));
    }
    a.hay = !a.piezas.empty();
    a.z = Z;
    a.modulo = modulo_cremallera();
    const EstadoPanel::Valor* campo = valor_de(ID_DESPLAZAMIENTO);
    a.x = campo ? campo->real : coeficiente_desplazamiento();
    a.diametro = 2.0 * radio_engranaje();
    anterior = std::move(a);
}

void olvidar_corte_anterior() { anterior = Anterior{}; }

bool hay_corte_anterior() { return anterior.hay; }

const std::vector<Pieza>& corte_anterior() { return anterior.piezas; }

std::vector<std::vector<Punto>> fantasma_actual() {
    std::vector<std::vector<Punto>> r;
    auto anadir = [&r](const Anillo& a) {
        std::vector<Punto> l;
        l.reserve(a.size());
        for (const Vertice& v : girado(a, E_angulo)) l.push_back({static_cast<float>(v.x), static_cast<float>(v.y)});
        r.push_back(std::move(l));
    };
    for (const Pieza& p : anterior.piezas) {
        anadir(p.exterior);
        for (const Anillo& h : p.huecos) anadir(h);
    }
    return r;
}

std::string texto_corte_anterior() {
    if (!anterior.hay) return "";
    return formato(_("Corte anterior: Z %g, m %g, x %.3f, De %.2f"), anterior.z, anterior.modulo, anterior.x,
                   anterior.diametro);
}
