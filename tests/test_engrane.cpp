// The mesh against the book. Reference values were worked out by hand from the textbook
// formulas (inv α_w = inv α + 2 tan α (x1 + x2)/(Z1 + Z2), a_w = (Z1 + Z2) m cos α / (2 cos α_w),
// ε = [√(ra1² − rb1²) + √(ra2² − rb2²) − a_w sin α_w] / (π m cos α), with the rack
// [√(ra1² − rb1²) − r1 sin α + m(1 − x1)/sin α] / (π m cos α)), tip radii r + m + max(x, 0) m
// as the cut leaves them, and are written here as numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include "nucleo/engrane.h"
#include "nucleo/mecanismos.h"

namespace {

constexpr double PI = 3.141592653589793;

// The standard rack of module m and pressure angle α as the panel fills its data block.
void rack(float (&d)[NUM_DATOS_CREMALLERA], double m, double alfa) {
    for (float& v : d) v = 0;
    d[D_ALTURA] = static_cast<float>(2.25 * m);
    d[D_PASO] = static_cast<float>(PI * m);
    d[D_ANGULO1] = d[D_ANGULO2] = static_cast<float>(alfa);
    d[D_RODADURA] = static_cast<float>(m);
}

Rueda rueda(int z, double x, double m = 1, double alfa = 20) { return rueda_tallada(z, m, alfa, x, 2.25 * m, m); }

struct Libro {
    int z1, z2;
    double x1, x2, m, alfa;
    double alfa_w, a_w, epsilon;
};

const Libro LIBRO[] = {
    {20, 20, 0, 0, 1, 20, 20.0, 20.0, 1.556838},
    {12, 40, 0.3, 0, 1, 20, 21.660904, 26.288371, 1.457679},
    {14, 30, 0, 0, 1, 20, 20.0, 22.0, 1.558123},
    {18, 36, 0.2, 0.1, 1, 20, 21.604242, 27.288757, 1.533326},
    {25, 25, 0.5, 0.5, 1, 20, 24.864211, 25.892360, 1.472920},
    {16, 48, 0.4, -0.2, 1, 20, 20.935354, 32.195582, 1.669049},
    {30, 60, 0, 0, 1, 20, 20.0, 45.0, 1.719114},
    {20, 20, 0, 0, 2, 20, 20.0, 40.0, 1.556838},
    {17, 40, 0, 0, 1, 25, 25.0, 28.5, 1.446460},
    {24, 32, 0.25, 0.25, 1, 14.5, 17.669331, 28.450303, 1.751061},
};

TEST(TeoriaEngrane, AnguloDistanciaYRelacionDeContactoDelLibro) {
    for (const Libro& l : LIBRO) {
        SCOPED_TRACE(testing::Message() << l.z1 << "/" << l.z2 << " x " << l.x1 << "/" << l.x2 << " m " << l.m);
        Rueda r1 = rueda(l.z1, l.x1, l.m, l.alfa), r2 = rueda(l.z2, l.x2, l.m, l.alfa);
        ASSERT_EQ(comprobar_engrane(r1, r2, 0), "");
        Teoria t = teoria_engrane(r1, r2, 0);
        EXPECT_NEAR(t.alfa_w, l.alfa_w, 1e-4);
        EXPECT_NEAR(t.a_w, l.a_w, 1e-4);
        EXPECT_NEAR(t.a, l.a_w, 1e-4);
        EXPECT_NEAR(t.epsilon, l.epsilon, 1e-4);
        // Pitch circles rolling at a_w touch at C; the line of action is tangent to both base circles there.
        EXPECT_NEAR(t.rw1 + t.rw2, t.a, 1e-9);
        EXPECT_NEAR(t.rw1 / t.rw2, static_cast<double>(l.z1) / l.z2, 1e-9);
        EXPECT_NEAR(std::hypot(t.T1.x, t.T1.y), r1.rb, 1e-9);
        EXPECT_NEAR(std::hypot(t.T2.x - t.a, t.T2.y), r2.rb, 1e-9);
        double ux = t.T2.x - t.T1.x, uy = t.T2.y - t.T1.y;
        EXPECT_NEAR(ux * t.T1.x + uy * t.T1.y, 0, 1e-9);
        EXPECT_NEAR(ux * (t.C.y - t.T1.y) - uy * (t.C.x - t.T1.x), 0, 1e-9);
        // A lies on gear 2's tip circle, E on gear 1's, a base pitch ε apart.
        EXPECT_NEAR(std::hypot(t.A.x - t.a, t.A.y), r2.ra, 1e-9);
        EXPECT_NEAR(std::hypot(t.E.x, t.E.y), r1.ra, 1e-9);
        EXPECT_NEAR(std::hypot(t.E.x - t.A.x, t.E.y - t.A.y), t.epsilon * PI * l.m * std::cos(l.alfa * PI / 180), 1e-9);
        EXPECT_NEAR(t.juego_normal, 0, 1e-9);
    }
}

TEST(TeoriaEngrane, Cremallera) {
    struct {
        int z;
        double x, epsilon;
        bool interferencia;
    } casos[] = {{20, 0, 1.768824, false}, {14, 0, 1.721771, true}, {14, 0.5, 1.507808, false}, {30, 0.2, 1.759314, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.z);
        Rueda r1 = rueda(c.z, c.x), r2 = cremallera_basica(1, 20, 2.25, 1);
        ASSERT_EQ(comprobar_engrane(r1, r2, 0), "");
        Teoria t = teoria_engrane(r1, r2, 0);
        EXPECT_NEAR(t.a_w, c.z / 2.0 + c.x, 1e-12);
        EXPECT_NEAR(t.alfa_w, 20, 1e-12);
        EXPECT_NEAR(t.epsilon, c.epsilon, 1e-4);
        EXPECT_EQ(t.interferencia, c.interferencia);
        // A on the rack's tip line, a module above its reference line.
        EXPECT_NEAR(t.A.y, -t.a + 1, 1e-9);
    }
    // Moved 0.1 away, the rack's flanks leave 2·0.1·sin α between them.
    Teoria t = teoria_engrane(rueda(20, 0), cremallera_basica(1, 20, 2.25, 1), 10.1);
    EXPECT_NEAR(t.juego_normal, 0.068404, 1e-6);
}

TEST(TeoriaEngrane, InterferenciaDondeElCaminoPasaDeT1) {
    Teoria t = teoria_engrane(rueda(14, 0), rueda(30, 0), 0);
    EXPECT_TRUE(t.interferencia);
    EXPECT_DOUBLE_EQ(t.donde.x, t.T1.x);
    EXPECT_DOUBLE_EQ(t.donde.y, t.T1.y);
    // A lies before T1 along the line from T1 to T2.
    EXPECT_LT((t.A.x - t.T1.x) * (t.T2.x - t.T1.x) + (t.A.y - t.T1.y) * (t.T2.y - t.T1.y), 0);
    EXPECT_FALSE(teoria_engrane(rueda(20, 0), rueda(20, 0), 0).interferencia);
    EXPECT_FALSE(teoria_engrane(rueda(14, 0.3), rueda(30, 0), 0).interferencia);
    // The other way round: the small gear's tip runs past T2 of the large one.
    Teoria u = teoria_engrane(rueda(30, 0), rueda(14, 0), 0);
    EXPECT_TRUE(u.interferencia);
    EXPECT_DOUBLE_EQ(u.donde.x, u.T2.x);
}

TEST(TeoriaEngrane, JuegoALaDistanciaDada) {
    // Normal backlash from the tooth thicknesses on the pitch circles rolling at a, by hand.
    EXPECT_NEAR(teoria_engrane(rueda(20, 0), rueda(20, 0), 20.1).juego_normal, 0.0696729, 1e-6);
    EXPECT_NEAR(teoria_engrane(rueda(12, 0.3), rueda(40, 0), 26.388371).juego_normal, 0.0747027, 1e-6);
    Teoria t = teoria_engrane(rueda(20, 0), rueda(20, 0), 20.1);
    EXPECT_NEAR(t.alfa_a, std::acos(2 * 10 * std::cos(20 * PI / 180) / 20.1) * 180 / PI, 1e-9);
    EXPECT_NEAR(t.a_w, 20, 1e-12);
    EXPECT_NEAR(t.rw1, 10.05, 1e-12);
}

TEST(TeoriaEngrane, Rechazos) {
    Rueda r1 = rueda(20, 0), r2 = rueda(20, 0);
    std::string f = comprobar_engrane(r1, r2, 19.9);
    EXPECT_NE(f.find("menor que la de funcionamiento"), std::string::npos) << f;
    EXPECT_EQ(comprobar_engrane(r1, r2, 20.0), "");
    EXPECT_EQ(comprobar_engrane(r1, r2, 25.0), "");
    EXPECT_NE(comprobar_engrane(r1, rueda(2, 0), 0), "");
    EXPECT_NE(comprobar_engrane(rueda(2, 0), r2, 0), "");
    EXPECT_NE(comprobar_engrane(r1, rueda(20, -10), 0), "");  // no root left
    EXPECT_NE(comprobar_engrane(r1, rueda(20, NAN), 0), "");
    EXPECT_NE(comprobar_engrane(r1, r2, INFINITY), "");
    Rueda c = cremallera_basica(1, 20, 2.25, 1);
    EXPECT_EQ(comprobar_engrane(r1, c, 0), "");
    EXPECT_NE(comprobar_engrane(r1, c, 9.5), "");
    c.x = 0.2;
    EXPECT_NE(comprobar_engrane(r1, c, 0), "");
}

TEST(TeoriaEngrane, InvolutaInversa) {
    for (double a : {0.01, 0.2, 0.35, 0.6, 1.0, 1.3}) EXPECT_NEAR(involuta_inversa(involuta(a)), a, 1e-12);
    EXPECT_EQ(involuta_inversa(0), 0);
}

// Pairs cut once for all the tests that turn them.
const ParCortado& par(int z1, double x1, int z2, double x2) {
    static std::map<std::tuple<int, double, int, double>, std::unique_ptr<ParCortado>> hechos;
    auto& p = hechos[{z1, x1, z2, x2}];
    if (!p) {
        float d[NUM_DATOS_CREMALLERA];
        rack(d, 1, 20);
        p = std::make_unique<ParCortado>(cortar_par(d, 1, 20, z1, x1, z2, x2, 1.0));
    }
    return *p;
}

Engrane engrane(int z1, double x1, int z2, double x2, double a = 0) {
    const ParCortado& p = par(z1, x1, z2, x2);
    return Engrane(p.r1, p.r2, p.contorno1, p.contorno2, a);
}

constexpr int MUESTRAS = 90;

TEST(EngraneCortado, RelacionDeContactoMedidaContraLaFormula) {
    struct {
        int z1;
        double x1;
        int z2;
        double x2;
    } pares[] = {{20, 0, 20, 0}, {12, 0.3, 40, 0}, {18, 0.2, 36, 0.1}, {20, 0, 0, 0}};
    for (const auto& c : pares) {
        SCOPED_TRACE(testing::Message() << c.z1 << "/" << c.z2 << " x " << c.x1 << "/" << c.x2);
        Engrane e = engrane(c.z1, c.x1, c.z2, c.x2);
        ASSERT_FALSE(e.teoria().interferencia);
        Engrane::Medidas m = e.medir(MUESTRAS);
        // Flanks within the contact distance count a little before A and after E, where they
        // part slowly: the measured ratio runs up to 8% over the book, never under it.
        EXPECT_GE(m.relacion_contacto, e.teoria().epsilon * 0.99);
        EXPECT_LE(m.relacion_contacto, e.teoria().epsilon * 1.08);
        // No penetration at a_w, and no play either.
        EXPECT_LE(m.solape, DISTANCIA_CONTACTO);
        EXPECT_NEAR(m.juego_normal, 0, DISTANCIA_CONTACTO);
    }
}

TEST(EngraneCortado, ElPinonSocavadoPierdeContacto) {
    // 10 teeth against 30: the mating tip would reach 0.73 m past T1. The undercut root gives way
    // under it: less contact than the formula promises, and no overlap, since the cutter has taken
    // that material away.
    Engrane e = engrane(10, 0, 30, 0);
    ASSERT_TRUE(e.teoria().interferencia);
    Engrane::Medidas m = e.medir(MUESTRAS);
    EXPECT_LT(m.relacion_contacto, e.teoria().epsilon - 0.1);
    EXPECT_GT(m.relacion_contacto, 1.0);
    EXPECT_LE(m.solape, DISTANCIA_CONTACTO);
    // 14 against 30 runs only 0.05 m past T1: the contact starts at T1, where the involute does.
    Engrane f = engrane(14, 0, 30, 0);
    ASSERT_TRUE(f.teoria().interferencia);
    EXPECT_LE(f.medir(30).solape, DISTANCIA_CONTACTO);
}

TEST(EngraneCortado, JuegoAMayorDistancia) {
    struct {
        int z1;
        double x1;
        int z2;
        double x2;
    } pares[] = {{20, 0, 20, 0}, {12, 0.3, 40, 0}, {20, 0, 0, 0}};
    for (const auto& c : pares) {
        SCOPED_TRACE(testing::Message() << c.z1 << "/" << c.z2);
        double aw = teoria_engrane(par(c.z1, c.x1, c.z2, c.x2).r1, par(c.z1, c.x1, c.z2, c.x2).r2, 0).a_w;
        Engrane e = engrane(c.z1, c.x1, c.z2, c.x2, aw + 0.1);
        double libro = e.teoria().juego_normal;
        EXPECT_GT(libro, 0.06);
        Engrane::Medidas m = e.medir(30);
        EXPECT_NEAR(m.juego_normal / libro, 1.0, 0.05);
        EXPECT_LT(m.solape, 1e-6);
    }
}

TEST(EngraneCortado, ContactosSobreLaLineaDeAccionYRelacionDeGiro) {
    Engrane e = engrane(20, 0, 20, 0);
    const Teoria& t = e.teoria();
    double ux = t.T2.x - t.T1.x, uy = t.T2.y - t.T1.y, l = std::hypot(ux, uy);
    ux /= l, uy /= l;
    double sA = (t.A.x - t.T1.x) * ux + (t.A.y - t.T1.y) * uy, sE = (t.E.x - t.T1.x) * ux + (t.E.y - t.T1.y) * uy;
    double antes = 0;
    for (int i = 0; i < 12; ++i) {
        double g = i * 2 * PI / 20 / 12;
        Instante s = e.en(g);
        ASSERT_GE(s.contactos.size(), 1u);
        ASSERT_LE(s.contactos.size(), 2u);
        for (const Contacto& c : s.contactos) {
            double dx = c.punto.x - t.T1.x, dy = c.punto.y - t.T1.y;
            // Off the line only by the steps the rack leaves on the flanks.
            EXPECT_NEAR(dx * uy - dy * ux, 0, 0.05) << "off the line of action";
            double sp = dx * ux + dy * uy;
            EXPECT_GT(sp, sA - 0.15);
            EXPECT_LT(sp, sE + 0.15);
        }
        // Gear 2 turns the other way by Z1/Z2 of gear 1's angle.
        if (i > 0) {
            EXPECT_NEAR(s.giro2 - antes, -(2 * PI / 20 / 12), 2e-4);
        }
        antes = s.giro2;
        // Both outlines placed: gear 1 around the origin, gear 2 around (a, 0).
        ASSERT_FALSE(s.rueda1.empty());
        ASSERT_FALSE(s.rueda2.empty());
        double r = 0;
        for (const Vertice& v : s.rueda2.front().exterior) r = std::max(r, std::hypot(v.x - t.a, v.y));
        EXPECT_NEAR(r, e.rueda2().ra, 1e-3);
    }
}

TEST(EngraneCortado, LaCremalleraAvanzaConElRadioPrimitivo) {
    Engrane e = engrane(20, 0, 0, 0);
    Instante a = e.en(0.01), b = e.en(0.03);
    EXPECT_NEAR(b.giro2 - a.giro2, 10 * 0.02, 2e-4);
    ASSERT_FALSE(a.contactos.empty());
    double y = -INFINITY;
    for (const Vertice& v : a.rueda2.front().exterior) y = std::max(y, v.y);
    EXPECT_NEAR(y, -10 + 1, 1e-4);  // tip line a module above the reference line at y = -a
}

}  // namespace
