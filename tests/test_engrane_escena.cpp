// The picture of the mesh as numbers: where the outlines go, the circles and the line of action,
// the contact points on both outlines, the view that holds the pair, the rack's copies, the
// read-out.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "nucleo/engrane_escena.h"
#include "nucleo/mecanismos.h"

namespace {

// Gear 1 of 20 teeth with gear 2 of z2 (0: the rack), module 1, 20 degrees, cut at one degree a step.
const ParCortado& par(int z2) {
    static std::map<int, std::unique_ptr<ParCortado>> hechos;
    auto& p = hechos[z2];
    if (!p) {
        float d[NUM_DATOS_CREMALLERA] = {};
        d[D_ALTURA] = 2.25f;
        d[D_PASO] = static_cast<float>(PI);
        d[D_ANGULO1] = d[D_ANGULO2] = 20;
        d[D_RODADURA] = 1;
        p = std::make_unique<ParCortado>(cortar_par(d, 1, 20, 20, 0, z2, 0, 1.0));
    }
    return *p;
}

Engrane engrane(int z2, double a = 0) {
    const ParCortado& p = par(z2);
    return Engrane(p.r1, p.r2, p.contorno1, p.contorno2, a);
}

Punto2 colocar(const Lugar& l, const Vertice& v) {
    double c = std::cos(l.giro), s = std::sin(l.giro);
    return {l.centro.x + v.x * c - v.y * s, l.centro.y + v.x * s + v.y * c};
}

// How far a point lies from an outline's edges.
double al_borde(const std::vector<Pieza>& g, Punto2 q) {
    double d = INFINITY;
    for (const Pieza& p : g) {
        const Anillo& a = p.exterior;
        for (size_t i = 0; i < a.size(); ++i) {
            const Vertice &u = a[i], &w = a[(i + 1) % a.size()];
            double dx = w.x - u.x, dy = w.y - u.y, l = dx * dx + dy * dy;
            double t = l > 0 ? std::fmax(0.0, std::fmin(1.0, ((q.x - u.x) * dx + (q.y - u.y) * dy) / l)) : 0.0;
            d = std::fmin(d, std::hypot(q.x - u.x - t * dx, q.y - u.y - t * dy));
        }
    }
    return d;
}

double distancia(Punto2 a, Punto2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

// Each outline, moved as the picture moves it, is the outline the pair places at that angle.
TEST(EscenaEngrane, LosContornosVanDondeElParLosPone) {
    for (int z2 : {30, 0}) {
        SCOPED_TRACE(z2);
        Engrane e = engrane(z2);
        for (double giro : {0.0, 0.1, 0.77, -0.4}) {
            Instante s = e.en(giro, true);
            EscenaEngrane esc = escena_engrane(e, s);
            EXPECT_EQ(esc.cremallera, z2 == 0);
            double lejos = 0;
            for (int k = 0; k < 2; ++k) {
                const std::vector<Pieza>& propio = k == 0 ? e.contorno1() : e.contorno2();
                const std::vector<Pieza>& puesto = k == 0 ? s.rueda1 : s.rueda2;
                const Lugar& l = k == 0 ? esc.lugar1 : esc.lugar2;
                ASSERT_EQ(propio.size(), puesto.size());
                for (size_t i = 0; i < propio[0].exterior.size(); i += 5)
                    lejos = std::max(lejos, distancia(colocar(l, propio[0].exterior[i]),
                                                      {puesto[0].exterior[i].x, puesto[0].exterior[i].y}));
            }
            EXPECT_LT(lejos, 1e-9) << giro;
            // Gear 1 turns about the origin by the angle; gear 2 sits at a, the rack's line at -a.
            EXPECT_EQ(esc.lugar1.centro.x, 0);
            if (z2 > 0) {
                EXPECT_NEAR(esc.lugar1.giro, giro, 1e-12);
                EXPECT_NEAR(esc.lugar2.centro.x, 25, 1e-9);
                EXPECT_NEAR(esc.lugar2.giro, s.giro2, 1e-12);
            } else {
                EXPECT_NEAR(esc.lugar2.centro.y, -10, 1e-9);
                EXPECT_NEAR(esc.lugar2.centro.x, s.giro2, 1e-12);
            }
        }
    }
}

// Gear 2 follows gear 1 by the ratio, the other way; the rack by r1 times the angle.
TEST(EscenaEngrane, LaSegundaSigueLaRelacion) {
    Engrane e = engrane(30);
    Instante a = e.en(0.2, false), b = e.en(0.2 + 0.03, false);
    EXPECT_NEAR(escena_engrane(e, b).lugar2.giro - escena_engrane(e, a).lugar2.giro, -0.03 * 20 / 30, 1e-4);
    Engrane r = engrane(0);
    a = r.en(0.2, false), b = r.en(0.23, false);
    EXPECT_NEAR(escena_engrane(r, b).lugar2.centro.x - escena_engrane(r, a).lugar2.centro.x, 0.03 * 10, 1e-4);
}

TEST(EscenaEngrane, CircunferenciasYLineaDeAccion) {
    Engrane e = engrane(30, 25.2);
    EscenaEngrane esc = escena_engrane(e, e.en(0, false));
    double rb1 = 10 * std::cos(20 * PI / 180), rb2 = 15 * std::cos(20 * PI / 180);
    ASSERT_EQ(esc.bases.size(), 2u);
    EXPECT_NEAR(esc.bases[0].radio, rb1, 1e-9);
    EXPECT_NEAR(esc.bases[1].radio, rb2, 1e-9);
    EXPECT_NEAR(esc.bases[1].centro.x, 25.2, 1e-12);
    // The pitch circles rolling at 25.2 touch at C and share the ratio of the teeth.
    ASSERT_EQ(esc.primitivas.size(), 2u);
    EXPECT_NEAR(esc.primitivas[0].radio + esc.primitivas[1].radio, 25.2, 1e-9);
    EXPECT_NEAR(esc.primitivas[0].radio / esc.primitivas[1].radio, 20.0 / 30, 1e-9);
    EXPECT_NEAR(esc.C.x, esc.primitivas[0].radio, 1e-9);
    EXPECT_TRUE(esc.lineas_paso.empty());
    // The line of action touches both base circles at its ends, through C.
    EXPECT_NEAR(distancia(esc.accion.a, {0, 0}), rb1, 1e-9);
    EXPECT_NEAR(distancia(esc.accion.b, {25.2, 0}), rb2, 1e-9);
    double ux = esc.accion.b.x - esc.accion.a.x, uy = esc.accion.b.y - esc.accion.a.y;
    EXPECT_NEAR(ux * esc.accion.a.x + uy * esc.accion.a.y, 0, 1e-9);
    EXPECT_NEAR(ux * (esc.C.y - esc.accion.a.y) - uy * (esc.C.x - esc.accion.a.x), 0, 1e-9);
    // A and E on it, between T1 and T2.
    for (Punto2 p : {esc.A, esc.E}) {
        EXPECT_NEAR(distancia(esc.accion.a, p) + distancia(p, esc.accion.b), distancia(esc.accion.a, esc.accion.b), 1e-9);
    }
    EXPECT_FALSE(esc.interferencia);

    // With the rack: one base circle, the rolling line through C, the line from T1 on past E.
    Engrane r = engrane(0);
    EscenaEngrane k = escena_engrane(r, r.en(0, false));
    EXPECT_EQ(k.bases.size(), 1u);
    ASSERT_EQ(k.lineas_paso.size(), 1u);
    EXPECT_NEAR(k.lineas_paso[0].a.y, -10, 1e-9);
    EXPECT_NEAR(k.lineas_paso[0].b.y, -10, 1e-9);
    EXPECT_LT(k.lineas_paso[0].a.x, -11);
    EXPECT_GT(k.lineas_paso[0].b.x, 11);
    EXPECT_NEAR(distancia(k.accion.a, {0, 0}), rb1, 1e-9);
    EXPECT_GT(distancia(k.accion.a, k.accion.b), distancia(k.accion.a, k.E));
    EXPECT_NEAR(distancia(k.accion.a, k.C) + distancia(k.C, k.accion.b), distancia(k.accion.a, k.accion.b), 1e-9);
}

// The points marked are where the placed outlines touch: on both of them, on the line of action.
TEST(EscenaEngrane, LosPuntosDeContactoEstanEnAmbosContornos) {
    Engrane e = engrane(30);
    int vistos = 0;
    for (double giro : {0.0, 0.05, 0.13, 0.21, 0.29}) {
        Instante s = e.en(giro, true);
        EscenaEngrane esc = escena_engrane(e, s);
        ASSERT_EQ(esc.contactos.size(), s.contactos.size());
        EXPECT_GE(esc.contactos.size(), 1u);
        EXPECT_LE(esc.contactos.size(), 2u) << "a contact ratio of 1.6";
        for (const Punto2& p : esc.contactos) {
            EXPECT_LT(al_borde(s.rueda1, p), 2 * DISTANCIA_CONTACTO) << giro;
            EXPECT_LT(al_borde(s.rueda2, p), 2 * DISTANCIA_CONTACTO) << giro;
            double ux = esc.accion.b.x - esc.accion.a.x, uy = esc.accion.b.y - esc.accion.a.y;
            double lejos = std::fabs(ux * (p.y - esc.accion.a.y) - uy * (p.x - esc.accion.a.x)) / std::hypot(ux, uy);
            EXPECT_LT(lejos, 0.05) << "on the line of action, within the facets of a cut at one degree a step";
            ++vistos;
        }
    }
    EXPECT_GE(vistos, 7);
}

// The view holds both partners with a margin, whatever the shape of the drawing area, and the
// pair fills most of it; the panel's offsets pan and zoom it as they do the cut's.
TEST(EscenaEngrane, LaVistaAbarcaElPar) {
    const float cero[3] = {0, 0, 0};
    for (int z2 : {30, 0}) {
        SCOPED_TRACE(z2);
        Engrane e = engrane(z2);
        Instante s = e.en(0.3, true);
        MarcoEngrane m = marco_engrane(e.teoria(), e.rueda1(), e.rueda2());
        for (auto [ancho, alto] : {std::pair{800, 600}, {600, 800}, {660, 660}}) {
            CajaVista c = caja_engrane(m, cero, ancho, alto);
            EXPECT_NEAR((c.derecha - c.izquierda) / (c.arriba - c.abajo), static_cast<double>(ancho) / alto, 1e-9);
            double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
            for (const Pieza& p : s.rueda1)
                for (const Vertice& v : p.exterior) x0 = std::min(x0, v.x), x1 = std::max(x1, v.x), y0 = std::min(y0, v.y), y1 = std::max(y1, v.y);
            if (z2 > 0)
                for (const Pieza& p : s.rueda2)
                    for (const Vertice& v : p.exterior) x0 = std::min(x0, v.x), x1 = std::max(x1, v.x), y0 = std::min(y0, v.y), y1 = std::max(y1, v.y);
            else
                y0 = std::min(y0, -10 - 1.25);  // the rack's root line
            EXPECT_LT(c.izquierda, x0);
            EXPECT_GT(c.derecha, x1);
            EXPECT_LT(c.abajo, y0);
            EXPECT_GT(c.arriba, y1);
            EXPECT_GT(std::max((x1 - x0) / (c.derecha - c.izquierda), (y1 - y0) / (c.arriba - c.abajo)), 0.7);
        }
        const float movido[3] = {2, -3, 0};
        CajaVista a = caja_engrane(m, cero, 800, 600), b = caja_engrane(m, movido, 800, 600);
        EXPECT_NEAR(b.izquierda - a.izquierda, -2, 1e-6);
        EXPECT_NEAR(b.abajo - a.abajo, 3, 1e-6);
        const float lejos[3] = {0, 0, 5};
        CajaVista z = caja_engrane(m, lejos, 800, 600);
        EXPECT_GT(z.arriba - z.abajo, a.arriba - a.abajo) << "zoomed out";
        EXPECT_NEAR((z.izquierda + z.derecha) / 2, (a.izquierda + a.derecha) / 2, 1e-6) << "about the same centre";
    }
}

TEST(EscenaEngrane, CopiasDeLaCremalleraCubrenLaVista) {
    double paso = PI;
    for (auto [x0, largo, izquierda, derecha] : {std::tuple{-23.5, 47.0, -20.0, 20.0}, {-23.5, 47.0, -300.0, 260.0},
                                                  {-3.0, 12.0, 50.0, 51.0}, {5.0, 10.0, -7.0, 7.0}}) {
        std::vector<double> c = copias_cremallera(x0, largo, paso, izquierda, derecha);
        ASSERT_FALSE(c.empty());
        for (double d : c) EXPECT_NEAR(std::remainder(d, paso), 0, 1e-9) << "whole pitches away: the teeth line up";
        // Every point of the view under some copy.
        for (double x = izquierda; x <= derecha; x += (derecha - izquierda) / 97) {
            bool cubierto = false;
            for (double d : c) cubierto |= x0 + d <= x && x <= x0 + d + largo;
            EXPECT_TRUE(cubierto) << x;
        }
        // None wholly outside it.
        for (double d : c) EXPECT_TRUE(x0 + d < derecha && x0 + d + largo > izquierda) << d;
    }
    EXPECT_TRUE(copias_cremallera(0, 0, paso, -1, 1).empty());
    EXPECT_TRUE(copias_cremallera(0, 10, paso, 1, -1).empty());
    EXPECT_TRUE(copias_cremallera(0, 10, NAN, -1, 1).empty());
}

TEST(EscenaEngrane, Lectura) {
    Engrane e = engrane(30);
    const Teoria& t = e.teoria();
    std::vector<std::string> sin = lectura_engrane(t, nullptr);
    ASSERT_EQ(sin.size(), 3u);
    EXPECT_EQ(sin[0], "a_w = 25.000   alfa_w = 20.00 grados");
    EXPECT_EQ(sin[1], "Relacion de contacto: 1.605");
    EXPECT_EQ(sin[2], "Juego normal teorico: 0.000") << "no minus sign on a rounded zero";
    Engrane::Medidas m;
    m.relacion_contacto = 1.6251;
    m.juego_normal = -0.0002;
    std::vector<std::string> con = lectura_engrane(t, &m);
    EXPECT_EQ(con[1], "Relacion de contacto: 1.605 (medida 1.625)");
    EXPECT_EQ(con[2], "Juego normal: 0.000 (teorico 0.000)");
    Engrane holgado = engrane(30, 25.1);
    EXPECT_EQ(lectura_engrane(holgado.teoria(), nullptr)[2], "Juego normal teorico: 0.069");
    // 14 teeth against 30: the path of contact runs past T1.
    Rueda a = rueda_tallada(14, 1, 20, 0, 2.25, 1), b = rueda_tallada(30, 1, 20, 0, 2.25, 1);
    std::vector<std::string> i = lectura_engrane(teoria_engrane(a, b, 0), nullptr);
    ASSERT_EQ(i.size(), 4u);
    EXPECT_EQ(i[3], "Interferencia");
    Instante s;
    s.contactos = {{{0, 0}, 0}, {{1, 1}, 0}};
    EXPECT_EQ(texto_pares(s), "Pares en contacto: 2");
}
