#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/evolvente.h"
#include "prueba.h"

namespace {

constexpr double G = PI / 180.0;

double radio(Punto p) { return std::hypot(static_cast<double>(p.x), static_cast<double>(p.y)); }
double angulo(Punto p) { return std::atan2(static_cast<double>(p.y), static_cast<double>(p.x)); }

// Angle difference folded into (-π, π].
double dif(double a, double b) {
    double d = std::fmod(a - b, DOS_PI);
    if (d > PI) d -= DOS_PI;
    if (d <= -PI) d += DOS_PI;
    return d;
}

// Polar angle at which a flank polyline crosses the circle of radius r (linear between points).
double cruce(const std::vector<Punto>& linea, double r) {
    for (size_t i = 1; i < linea.size(); ++i) {
        double r0 = radio(linea[i - 1]), r1 = radio(linea[i]);
        if (r0 <= r && r <= r1) {
            double t = (r - r0) / (r1 - r0);
            return angulo(linea[i - 1]) + t * dif(angulo(linea[i]), angulo(linea[i - 1]));
        }
    }
    return NAN;
}

DatosEvolvente datos(double z, double m, double x, double a1, double a2, double giro = 0) {
    double rp = m * z / 2;
    return {z, rp, m, x, a1, a2, rp - 1.25 * m + x * m, rp + m + x * m, giro};
}

}  // namespace

TEST(Evolvente, RadioBaseYFuncionEvolvente) {
    EXPECT_NEAR(radio_base(7, 20), 6.5778483455, 1e-9);
    EXPECT_NEAR(radio_base(50, 14.5), 48.407382, 1e-6);
    EXPECT_DOUBLE_EQ(radio_base(7, 0), 7.0);
    EXPECT_NEAR(involuta(20 * G), 0.0149044, 1e-7);
    EXPECT_NEAR(involuta(14.5 * G), 0.0055448, 1e-7);
    EXPECT_EQ(involuta(0), 0.0);
}

// The defining property: the normal of the flank at every point is tangent to the base circle.
TEST(Evolvente, LaNormalDelFlancoTocaLaCircunferenciaBase) {
    for (DatosEvolvente d : {datos(14, 1, 0, 20, 20), datos(30, 2.5, 0.4, 20, 20), datos(20, 1, 0, 15, 30, 37)}) {
        auto lineas = flancos_evolvente(d, 400);
        ASSERT_EQ(lineas.size(), static_cast<size_t>(2 * d.z));
        for (size_t f = 0; f < lineas.size(); f += 7) {
            const auto& l = lineas[f];
            double rb = radio_base(d.rp, f % 2 == 0 ? d.angulo1 : d.angulo2);
            ASSERT_GT(l.size(), 10u);
            for (size_t i = 1; i < l.size(); i += 37) {
                double mx = (l[i].x + l[i - 1].x) / 2.0, my = (l[i].y + l[i - 1].y) / 2.0;
                double tx = l[i].x - l[i - 1].x, ty = l[i].y - l[i - 1].y;
                double n = std::hypot(tx, ty);
                // Distance from the centre to the normal line through the midpoint.
                double distancia = std::fabs(mx * tx + my * ty) / n;
                EXPECT_NEAR(distancia, rb, 2e-3 * rb) << "flank " << f << " point " << i;
            }
        }
    }
}

TEST(Evolvente, EspesorTeoricoEnLaPrimitivaYPosicionDeLosHuecos) {
    struct Caso { double z, m, x, a1, a2, giro; };
    for (Caso c : {Caso{14, 1, 0, 20, 20, 0}, Caso{14, 1, 0.5, 20, 20, 0}, Caso{40, 3, -0.3, 20, 20, 123},
                   Caso{18, 2, 0.2, 15, 30, 10}, Caso{25, 1, 0, 14.5, 14.5, 359}}) {
        SCOPED_TRACE(c.z + c.x + c.a2);
        DatosEvolvente d = datos(c.z, c.m, c.x, c.a1, c.a2, c.giro);
        auto lineas = flancos_evolvente(d, 60);
        double s = c.m * (PI / 2 + c.x * (std::tan(c.a1 * G) + std::tan(c.a2 * G)));
        int z = static_cast<int>(c.z);
        for (int k = 0; k < z; ++k) {
            // Tooth between the second flank of space k and the first flank of space k + 1.
            double a = cruce(lineas[static_cast<size_t>(2 * k + 1)], d.rp);
            double b = cruce(lineas[static_cast<size_t>((2 * k + 2) % (2 * z))], d.rp);
            EXPECT_NEAR(dif(b, a) * d.rp, s, 1e-4) << "tooth " << k;
            // Space k: its flanks a quarter pitch, less the shift's share, each side of its centre.
            double centro = -PI / 2 + c.giro * G + k * DOS_PI / c.z;
            double izq = cruce(lineas[static_cast<size_t>(2 * k)], d.rp);
            EXPECT_NEAR(dif(centro, izq) * d.rp, c.m * (PI / 4 - c.x * std::tan(c.a1 * G)), 1e-4);
            EXPECT_NEAR(dif(a, centro) * d.rp, c.m * (PI / 4 - c.x * std::tan(c.a2 * G)), 1e-4);
        }
    }
}

TEST(Evolvente, DesdeLaBaseOElFondoHastaLaCabeza) {
    // Z = 14, 20°: the base circle (6.578) lies above the root (5.75); Z = 60: below it (28.19, 28.75).
    DatosEvolvente d = datos(14, 1, 0, 20, 20);
    for (const auto& l : flancos_evolvente(d, 24)) {
        ASSERT_EQ(l.size(), 24u);
        EXPECT_NEAR(radio(l.front()), radio_base(7, 20), 1e-5);
        EXPECT_NEAR(radio(l.back()), 8.0, 1e-5);
        for (size_t i = 1; i < l.size(); ++i) EXPECT_GT(radio(l[i]), radio(l[i - 1]));
    }
    DatosEvolvente g = datos(60, 1, 0, 20, 20);
    for (const auto& l : flancos_evolvente(g, 24)) {
        EXPECT_NEAR(radio(l.front()), 30 - 1.25, 1e-4);
        EXPECT_NEAR(radio(l.back()), 31.0, 1e-4);
    }
    // Asymmetric: each flank from its own base circle.
    DatosEvolvente a = datos(14, 1, 0, 10, 35);
    auto la = flancos_evolvente(a, 24);
    EXPECT_NEAR(radio(la[0].front()), std::max(radio_base(7, 10), 5.75), 1e-5);
    EXPECT_NEAR(radio(la[1].front()), radio_base(7, 35) > 5.75 ? radio_base(7, 35) : 5.75, 1e-5);
    // A tip below the base circle leaves the flank empty; nonsense data give nothing and no NaN.
    DatosEvolvente bajo = d;
    bajo.r_cabeza = 6.0;
    for (const auto& l : flancos_evolvente(bajo)) EXPECT_TRUE(l.empty());
    EXPECT_TRUE(flancos_evolvente(datos(0, 1, 0, 20, 20)).empty());
    DatosEvolvente nulo = d;
    nulo.rp = 0;
    EXPECT_TRUE(flancos_evolvente(nulo).empty());
    DatosEvolvente noventa = datos(14, 1, 0, 90, 90);
    for (const auto& l : flancos_evolvente(noventa))
        for (Punto p : l) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

class EvolventeActual : public Programa {};

TEST_F(EvolventeActual, LeeLosDatosDeLaSimulacion) {
    elegir(SIMULACION_ESTANDAR);
    glui_Modulo->user_select(3);  // 2.00
    glui_Penetracion->user_commit("0.5");
    E_angulo = 42;
    DatosEvolvente d = evolvente_actual();
    EXPECT_DOUBLE_EQ(d.z, 14);
    EXPECT_DOUBLE_EQ(d.rp, 14);
    EXPECT_NEAR(d.modulo, 2, 1e-6);
    EXPECT_NEAR(d.x, 0.5, 1e-6);
    EXPECT_DOUBLE_EQ(d.angulo1, 20);
    EXPECT_DOUBLE_EQ(d.angulo2, 20);
    EXPECT_NEAR(d.r_fondo, 14 - 2.5 + 1, 1e-5) << "the root circle as drawn, with the shift";
    EXPECT_NEAR(d.r_cabeza, 16 + 1, 1e-5);
    EXPECT_DOUBLE_EQ(d.giro, 42);
    EXPECT_FLOAT_EQ(radio_base_actual(), static_cast<float>(14 * std::cos(20 * G)));
}

TEST_F(EvolventeActual, CadaFlancoConSuAnguloEnElDienteAsimetrico) {
    elegir(SIMULACION_EXPERIMENTAL);
    glui_Angulo_2->user_commit("30");
    DatosEvolvente d = evolvente_actual();
    EXPECT_DOUBLE_EQ(d.angulo2, 20) << "the second angle counts only with the asymmetric tooth shown";
    glui_C_Asimetria->user_toggle();
    d = evolvente_actual();
    EXPECT_DOUBLE_EQ(d.angulo1, 20);
    EXPECT_DOUBLE_EQ(d.angulo2, 30);
    EXPECT_NEAR(d.modulo, 1, 1e-6);
    // A relief or circular flanks leave the involute of the plain rack.
    glui_Flecha->user_commit("0.2");
    DatosEvolvente e = evolvente_actual();
    EXPECT_DOUBLE_EQ(e.angulo1, d.angulo1);
    EXPECT_DOUBLE_EQ(e.angulo2, d.angulo2);
}
