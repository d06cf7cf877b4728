#include "engrane_escena.h"

#include <algorithm>
#include <cmath>

#include "angulos.h"
#include "idioma/idioma.h"

const float COLOR_RUEDA2[3] = {0.2f, 0.6f, 1.0f};
const float COLOR_LINEA_ENGRANE[3] = {0.0f, 1.0f, 1.0f};
const float COLOR_CONTACTO[3] = {0.0f, 1.0f, 0.0f};
const float COLOR_INTERFERENCIA[3] = {1.0f, 0.6f, 0.1f};

EscenaEngrane escena_engrane(const Engrane& e, const Instante& s) {
    EscenaEngrane r;
    const Teoria& t = e.teoria();
    const Rueda &r1 = e.rueda1(), &r2 = e.rueda2();
    r.cremallera = r2.z == 0;
    r.lugar1 = e.lugar1(s);
    r.lugar2 = e.lugar2(s);
    r.bases.push_back({{0, 0}, r1.rb});
    r.primitivas.push_back({{0, 0}, t.rw1});
    if (r.cremallera) {
        // The rack rolls on gear 1's pitch circle along the line through C; the line of action
        // runs from T1 on past E by as much as T1 lies before C.
        double w = 2 * (r1.ra + PI * r1.m);
        r.lineas_paso.push_back({{-w, t.C.y}, {w, t.C.y}});
        r.accion = {t.T1, {t.E.x + (t.C.x - t.T1.x), t.E.y + (t.C.y - t.T1.y)}};
    } else {
        r.bases.push_back({{t.a, 0}, r2.rb});
        r.primitivas.push_back({{t.a, 0}, t.rw2});
        r.accion = {t.T1, t.T2};
    }
    r.C = t.C, r.T1 = t.T1, r.T2 = t.T2, r.A = t.A, r.E = t.E;
    for (const Contacto& c : s.contactos) r.contactos.push_back(c.punto);
    r.interferencia = t.interferencia;
    r.donde = t.donde;
    return r;
}

MarcoEngrane marco_engrane(const Teoria& t, const Rueda& r1, const Rueda& r2) {
    double x0, x1, y0, y1;
    if (r2.z == 0) {
        // The rack's teeth and a module of its body under its root line.
        x0 = -r1.ra, x1 = r1.ra;
        y0 = -t.a - r2.rf - r1.m, y1 = r1.ra;
    } else {
        double r = std::max(r1.ra, r2.ra);
        x0 = -r1.ra, x1 = t.a + r2.ra;
        y0 = -r, y1 = r;
    }
    double medio = 1.05 * std::max(x1 - x0, y1 - y0) / 2;
    return {static_cast<float>(-medio / 1.4), {(x0 + x1) / 2, (y0 + y1) / 2}};
}

CajaVista caja_engrane(const MarcoEngrane& m, const float d[3], int ancho, int alto) {
    CajaVista c = caja_proyeccion(m.origen, d, ancho, alto);
    return {c.izquierda + m.centro.x, c.derecha + m.centro.x, c.abajo + m.centro.y, c.arriba + m.centro.y};
}

std::vector<double> copias_cremallera(double x0, double largo, double paso, double izquierda, double derecha) {
    std::vector<double> r;
    if (!(largo > 0) || !(paso > 0) || !(derecha >= izquierda) || !std::isfinite(x0 + largo + paso + izquierda + derecha))
        return r;
    // Copies a whole number of pitches apart, overlapping by a pitch or more so that no seam shows.
    double salto = paso * std::max(1.0, std::floor(largo / paso) - 1);
    double k0 = std::floor((izquierda - x0 - largo) / salto), k1 = std::ceil((derecha - x0) / salto);
    if (k1 - k0 > 1000) return {0.0};
    for (double k = k0; k <= k1; ++k)
        if (x0 + k * salto < derecha && x0 + k * salto + largo > izquierda) r.push_back(k * salto);
    return r;
}

std::vector<Rotulo> leyenda_engrane() {
    return {{_("Linea de engrane"), COLOR_LINEA_ENGRANE},
            {_("Circunferencia base"), ColorCirBase},
            {_("Primitiva de funcionamiento"), ColorCirPaso},
            {_("Puntos de contacto"), COLOR_CONTACTO}};
}

namespace {

// A length as shown to three decimals, without a minus sign on a rounded zero.
double a_la_vista(double v) { return std::fabs(v) < 5e-4 ? 0.0 : v; }

}  // namespace

std::vector<std::string> lectura_engrane(const Teoria& t, const Engrane::Medidas* m) {
    std::vector<std::string> r;
    r.push_back(formato(_("a_w = %.3f   alfa_w = %.2f grados"), t.a_w, t.alfa_w));
    r.push_back(m ? formato(_("Relacion de contacto: %.3f (medida %.3f)"), t.epsilon, m->relacion_contacto)
                  : formato(_("Relacion de contacto: %.3f"), t.epsilon));
    r.push_back(m ? formato(_("Juego normal: %.3f (teorico %.3f)"), a_la_vista(m->juego_normal), a_la_vista(t.juego_normal))
                  : formato(_("Juego normal teorico: %.3f"), a_la_vista(t.juego_normal)));
    if (t.interferencia) r.push_back(_("Interferencia"));
    return r;
}

std::string texto_pares(const Instante& s) {
    return formato(_("Pares en contacto: %d"), static_cast<int>(s.contactos.size()));
}
