#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "nucleo/medidas.h"

namespace {

// A gear-like ring: n teeth of half-angle w (radians) between radii ri and re, the first
// centred at angle desfase; every flank radial; a centre hole of radius 0.5.
std::vector<Pieza> estrella(int n, double w, double ri, double re, double desfase) {
    Pieza p;
    double paso = 2 * M_PI / n;
    for (int k = 0; k < n; ++k) {
        double c = desfase + k * paso;
        for (double a : {c - paso / 2 + 1e-3, c - w}) p.exterior.push_back({ri * std::cos(a), ri * std::sin(a)});
        for (int s = 0; s <= 8; ++s) {
            double a = c - w + 2 * w * s / 8;
            p.exterior.push_back({re * std::cos(a), re * std::sin(a)});
        }
        for (double a : {c + w, c + paso / 2 - 1e-3}) p.exterior.push_back({ri * std::cos(a), ri * std::sin(a)});
    }
    Anillo hueco;
    for (int s = 0; s < 36; ++s) hueco.push_back({0.5 * std::cos(-s * M_PI / 18), 0.5 * std::sin(-s * M_PI / 18)});
    p.huecos.push_back(hueco);
    return {p};
}

}  // namespace

TEST(Medidas, ValoresDeLibro) {
    EXPECT_NEAR(desplazamiento_minimo(14, 20), 1 - 7 * std::pow(std::sin(20 * M_PI / 180), 2), 1e-12);
    EXPECT_NEAR(desplazamiento_minimo(14, 20), 0.18116, 1e-5);
    EXPECT_NEAR(desplazamiento_minimo(17, 20), 0.00569, 1e-5);
    EXPECT_LT(desplazamiento_minimo(18, 20), 0);
    EXPECT_NEAR(espesor_teorico(1, 20, 0), M_PI / 2, 1e-12);
    EXPECT_NEAR(espesor_teorico(2, 20, 0.5), 2 * (M_PI / 2 + std::tan(20 * M_PI / 180)), 1e-12);
    EXPECT_NEAR(espesor_teorico(1, 25, -0.3), M_PI / 2 - 0.6 * std::tan(25 * M_PI / 180), 1e-12);
    EXPECT_NEAR(radio_base(2, 20, 20), 20 * std::cos(20 * M_PI / 180), 1e-12);
    // Z = 20, 20°, standard: the flank reaching 1 m past the rolling line stops short of the
    // interference point, one reaching 1.25 m goes past it.
    double rb = radio_base(1, 20, 20);
    EXPECT_NEAR(radio_de_forma(1, 20, 20, 1), std::hypot(rb, 10 * std::sin(20 * M_PI / 180) - 1 / std::sin(20 * M_PI / 180)), 1e-12);
    EXPECT_GT(radio_de_forma(1, 20, 20, 1), rb);
    EXPECT_EQ(radio_de_forma(1, 20, 20, 1.25), rb);
}

TEST(Medidas, DientesYEspesores) {
    for (double desfase : {0.0, 0.3, -0.05}) {  // a tooth across +X, or not
        auto g = estrella(12, 0.12, 4, 6, desfase);
        EXPECT_EQ(contar_dientes(g, 5), 12) << desfase;
        EXPECT_NEAR(espesor_en_primitiva(g, 5), 5 * 0.24, 1e-9) << desfase;
        auto e = espesores(g, 5);
        ASSERT_EQ(e.size(), 12u);
        for (double v : e) EXPECT_NEAR(v, 1.2, 1e-9);
        auto arcos = arcos_en_material(g, 5);
        for (const Arco& a : arcos) {
            EXPECT_LT(a.desde, a.hasta);
            EXPECT_GE(a.desde, 0);
        }
    }
    auto g = estrella(12, 0.12, 4, 6, 0);
    EXPECT_EQ(contar_dientes(g, 7), 0) << "outside the gear";
    EXPECT_EQ(espesor_en_primitiva(g, 7), 0.0);
    EXPECT_EQ(contar_dientes(g, 3), 0) << "the solid ring inside the roots crosses nothing";
    EXPECT_EQ(contar_dientes(g, 0.5 + 1e-6), 0);
    EXPECT_EQ(contar_dientes(g, 2), 0);
}

TEST(Medidas, UnDienteMasGruesoSeVe) {
    auto g = estrella(10, 0.1, 4, 6, 0.2);
    // Widen one tooth: move its right flank by 0.02 rad.
    for (Vertice& v : g[0].exterior) {
        double a = std::atan2(v.y, v.x), r = std::hypot(v.x, v.y);
        if (std::fabs(a - 0.3) < 1e-9) v = {r * std::cos(0.32), r * std::sin(0.32)};
    }
    auto e = espesores(g, 5);
    ASSERT_EQ(e.size(), 10u);
    double mayor = *std::max_element(e.begin(), e.end()), menor = *std::min_element(e.begin(), e.end());
    EXPECT_NEAR(mayor - menor, 5 * 0.02, 1e-9);
}

TEST(Medidas, RadioDeFondo) {
    auto g = estrella(12, 0.12, 4, 6, 0.1);
    // The roots are chords between points 4 from the centre: the nearest point is a chord's middle.
    double r = radio_de_fondo(g);
    EXPECT_LE(r, 4.0);
    EXPECT_GT(r, 4.0 * std::cos(M_PI / 12));
    EXPECT_EQ(radio_de_fondo({}), 0.0);
}

TEST(Medidas, FlancoDeEvolvente) {
    // A tooth with exact involute flanks, thickness s on rp, its centre at 0.7 rad; below the
    // base circle its flanks are radial.
    const double rb = 9.0, rp = 10.0, s = 1.4, c = 0.7;
    auto inv = [](double a) { return std::tan(a) - a; };
    double psi = s / (2 * rp) + inv(std::acos(rb / rp));
    auto perfil = [&](double cambio_izq, double socava) {
        Pieza p;
        std::vector<double> radios;
        for (double r = 8.5; r <= 11.0 + 1e-9; r += 0.05) radios.push_back(r);
        auto beta = [&](double r) { return r >= rb ? psi - inv(std::acos(rb / r)) : psi; };
        for (double r : radios) {
            double b = beta(r) - (r < 9.3 ? socava / rb : 0);
            double a = c - b;
            p.exterior.push_back({r * std::cos(a), r * std::sin(a)});
        }
        for (auto it = radios.rbegin(); it != radios.rend(); ++it) {
            double a = c + beta(*it) + cambio_izq / rb;
            p.exterior.push_back({*it * std::cos(a), *it * std::sin(a)});
        }
        return std::vector<Pieza>{p};
    };
    Desviacion d = desviacion_evolvente(perfil(0, 0), rp, rb, s, 9.5, 11);
    EXPECT_GT(d.puntos, 50);
    EXPECT_NEAR(d.mayor, 0, 1e-6);
    EXPECT_NEAR(d.menor, 0, 1e-6);
    // One flank 0.01 out: the tooth is measured about its own centre, so both flanks read half.
    d = desviacion_evolvente(perfil(0.01, 0), rp, rb, s, 9.5, 11);
    EXPECT_NEAR(d.mayor, 0.005, 1e-4);
    EXPECT_NEAR(d.menor, 0.005, 1e-4);
    d = desviacion_evolvente(perfil(0, 0.02), rp, rb, s, 0, rp);
    EXPECT_NEAR(d.menor, -0.02, 2e-3) << "cut inside near the root";
    d = desviacion_evolvente(perfil(0, 0.02), rp, rb, s, 9.5, 11);
    EXPECT_NEAR(d.menor, 0, 1e-6) << "above the cut";
    EXPECT_EQ(desviacion_evolvente({}, rp, rb, s, 0, 11).puntos, 0);
}
