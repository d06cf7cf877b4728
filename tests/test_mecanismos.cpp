#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nucleo/mecanismos.h"

namespace {

// Module 5, 20 teeth: h = 11.25, p = 2π·50/20, 20° flanks, the rolling line one module (5)
// above the root line, no options, at the origin.
struct Bloque {
    float d[NUM_DATOS_CREMALLERA] = {0, 0, 0, 11.25f, 15.707963f, 20, 0, 0, 0, 0, 20, 5};
    Bloque& con(int i, float v) { d[i] = v; return *this; }
};

void cerca(Punto p, float x, float y, const char* que) {
    EXPECT_NEAR(p.x, x, 2e-5 * std::max(1.0f, std::fabs(x))) << que;
    EXPECT_NEAR(p.y, y, 2e-5 * std::max(1.0f, std::fabs(y))) << que;
}

// The outline of tooth 0 is the third one of the teeth.
const Contorno& diente0(const std::vector<Contorno>& v, int poligonos_por_diente = 1) {
    return v[static_cast<size_t>(2 * poligonos_por_diente)];
}

// Width at height y of a straight-flank tooth L0, L1, R1, R0.
double ancho_en(const std::vector<Punto>& t, double y) {
    auto x = [y](Punto a, Punto b) { return a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y); };
    return x(t[3], t[2]) - x(t[0], t[1]);
}

}  // namespace

TEST(Cremallera, FlancosRectosYCuerpo) {
    auto v = perfil_cremallera(Bloque().d);
    ASSERT_EQ(v.size(), 6u);
    const auto& t = diente0(v).puntos;
    ASSERT_EQ(t.size(), 4u);
    cerca(t[0], -5.746842f, 0, "L0");
    cerca(t[1], -1.652177f, 11.25f, "L1");
    cerca(t[2], 1.652177f, 11.25f, "R1");
    cerca(t[3], 5.746842f, 0, "R0");
    for (int i = -2; i <= 2; ++i) {
        const auto& o = v[static_cast<size_t>(i + 2)].puntos;
        for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(o[k].x, t[k].x + i * 15.707963f, 1e-4);
        EXPECT_NEAR(ancho_en(o, 5), 15.707963 / 2, 1e-4) << "p/2 thick on the rolling line";
    }
    const Contorno& cuerpo = v.back();
    EXPECT_EQ(cuerpo.tipo, Primitiva::Cuadrilateros);
    cerca(cuerpo.puntos[0], -47.12389f, 0, "body");
    cerca(cuerpo.puntos[1], 47.12389f, 0, "body");
    cerca(cuerpo.puntos[2], 47.12389f, -5.625f, "body");
    cerca(cuerpo.puntos[3], -47.12389f, -5.625f, "body");
    for (const auto& c : v) EXPECT_TRUE(c.convexo);
}

TEST(Cremallera, DienteAsimetrico) {
    auto v = perfil_cremallera(Bloque().con(D_ANGULO2, 25).d);
    const auto& t = diente0(v).puntos;
    cerca(t[0], -5.746842f, 0, "L0");
    cerca(t[1], -1.652177f, 11.25f, "L1");
    EXPECT_NEAR(t[2].x, 1.012568f, 2e-5);
    EXPECT_NEAR(t[3].x, 6.258529f, 2e-5);
    EXPECT_NEAR(ancho_en(t, 5), 15.707963 / 2, 1e-4) << "each flank crosses the rolling line p/4 from the centre";
    EXPECT_NEAR(t[3].x - 15.707963 / 4, 5 * std::tan(25 * M_PI / 180), 2e-5);
}

TEST(Cremallera, LineaDeRodaduraEnCualquierAltura) {
    // Wherever the rolling line lies (a standard module, higher, the tip line, outside the
    // tooth), the tooth is p/2 thick on it and the tips and root line keep their heights.
    for (float k : {5.0f, 8.0f, 11.25f, 14.0f}) {
        for (float a2 : {20.0f, 30.0f}) {
            auto v = perfil_cremallera(Bloque().con(D_RODADURA, k).con(D_ANGULO2, a2).d);
            const auto& t = diente0(v).puntos;
            EXPECT_NEAR(ancho_en(t, k), 15.707963 / 2, 1e-4) << k << " " << a2;
            EXPECT_NEAR(-t[0].x - 15.707963 / 4, k * std::tan(20 * M_PI / 180), 2e-5) << k;
            EXPECT_NEAR(t[2].x - 15.707963 / 4, -(11.25 - k) * std::tan(a2 * M_PI / 180), 2e-5) << k;
            EXPECT_FLOAT_EQ(t[0].y, 0.0f);
            EXPECT_FLOAT_EQ(t[1].y, 11.25f);
        }
    }
}

TEST(Cremallera, FlancosCircularesSobreLaLineaDeRodadura) {
    // The arcs span the straight flanks' chords: they start at the root corners and end at the
    // tip corners wherever the rolling line puts those.
    for (float k : {2.0f, 5.0f, 9.0f}) {
        auto v = perfil_cremallera(Bloque().con(D_FLECHA, 0.5f).con(D_RODADURA, k).d);
        auto recto = perfil_cremallera(Bloque().con(D_RODADURA, k).d);
        const auto& t = diente0(v).puntos;
        const auto& r = diente0(recto).puntos;
        cerca(t.front(), r[0].x, 0, "root corner");
        cerca(t.back(), r[3].x, 0, "right root corner");
        bool esquina_izq = false, esquina_der = false;
        for (const Punto& p : t) {
            esquina_izq |= std::fabs(p.x - r[1].x) < 2e-4 && std::fabs(p.y - r[1].y) < 2e-4;
            esquina_der |= std::fabs(p.x - r[2].x) < 2e-4 && std::fabs(p.y - r[2].y) < 2e-4;
        }
        EXPECT_TRUE(esquina_izq) << k;
        EXPECT_TRUE(esquina_der) << k;
        // The left arc's last point before L1 lies near L1: the arc ends on the chord's far end.
        double minima = 1e9;
        for (size_t i = 1; i + 1 < t.size() && t[i].x < r[1].x + 1e-3f; ++i)
            if (!(t[i].x == r[1].x && t[i].y == r[1].y))
                minima = std::min(minima, static_cast<double>(std::hypot(t[i].x - r[1].x, t[i].y - r[1].y)));
        EXPECT_LT(minima, 1.5) << k;
    }
}

TEST(Cremallera, DienteDemasiadoAltoAcabaEnPunta) {
    // The rolling line at the root line of a tooth 11.25 tall: the flanks meet 10.79 above it.
    auto v = perfil_cremallera(Bloque().con(D_RODADURA, 0).d);
    const auto& t = diente0(v).puntos;
    ASSERT_EQ(t.size(), 3u);
    double altura = 15.707963 / 4 / std::tan(20 * M_PI / 180);
    cerca(t[0], -15.707963f / 4, 0, "left root corner, p/2 apart on the rolling line");
    cerca(t[1], 0, static_cast<float>(altura), "the point where the flanks meet");
    cerca(t[2], 15.707963f / 4, 0, "right root corner");
    EXPECT_TRUE(diente0(v).convexo);
}

TEST(Cremallera, FlancosCirculares) {
    for (float a2 : {20.0f, 30.0f}) {
        auto v = perfil_cremallera(Bloque().con(D_FLECHA, 1).con(D_ANGULO2, a2).d);
        const auto& t = diente0(v).puntos;
        cerca(t[0], -5.746842f, 0, "L0");
        cerca(t[1], -5.746842f, 0, "first left arc point is the root corner");
        // Arcs of ten or eleven points, corners around them.
        size_t n = t.size();
        EXPECT_GE(n, 4u + 20u);
        EXPECT_LE(n, 4u + 22u);
        // Symmetric whatever A2 says.
        for (const Punto& p : t) {
            bool espejo = false;
            for (const Punto& q : t) espejo |= std::fabs(q.x + p.x) < 1e-3 && std::fabs(q.y - p.y) < 1e-3;
            EXPECT_TRUE(espejo) << p.x << "," << p.y;
        }
        // Left arc points lie outside the straight flank, at most f = 1 away.
        double nx = std::cos(20 * M_PI / 180), ny = -std::sin(20 * M_PI / 180);
        double maxima = 0;
        for (const Punto& p : t) {
            if (p.x > -1.8f) continue;
            double dist = -((p.x + 5.746842) * nx + p.y * ny);
            EXPECT_GE(dist, -1e-4);
            maxima = std::max(maxima, dist);
        }
        EXPECT_NEAR(maxima, 1.0, 0.02);
    }
}

TEST(Cremallera, FlechaNegativaCurvaHaciaDentro) {
    auto v = perfil_cremallera(Bloque().con(D_FLECHA, -1).d);
    const Contorno& c = diente0(v);
    EXPECT_FALSE(c.convexo);
    double nx = std::cos(20 * M_PI / 180), ny = -std::sin(20 * M_PI / 180);
    double maxima = 0;
    for (const Punto& p : c.puntos) {
        if (p.x > -1.8f) continue;
        double dist = (p.x + 5.746842) * nx + p.y * ny;  // into the tooth
        EXPECT_GE(dist, -1e-4);
        maxima = std::max(maxima, dist);
    }
    EXPECT_NEAR(maxima, 1.0, 0.02);
    cerca(c.puntos.front(), -5.746842f, 0, "root corner");
}

TEST(Cremallera, CabezaRedondeada) {
    auto v = perfil_cremallera(Bloque().con(D_RADIO, 1.9f).d);
    const auto& t = diente0(v).puntos;
    cerca(t[0], -5.746842f, 0, "L0");
    cerca(t[1], -2.221782f, 9.685021f, "flank point at the circle's leftmost abscissa");
    cerca(t[2], -2.107198f, 9.999838f, "tangency point");
    bool cima_derecha = false;
    for (const Punto& p : t) cima_derecha |= std::fabs(p.x - 0.321782f) < 2e-5 && std::fabs(p.y - 11.25f) < 2e-5;
    EXPECT_TRUE(cima_derecha);
    // Two arcs of six or seven points between four other vertices.
    EXPECT_GE(t.size(), 4u + 12u);
    EXPECT_LE(t.size(), 4u + 14u);
    // Every arc point lies on its circle of radius 1.9.
    for (size_t k = 2; k + 2 < t.size(); ++k) {
        float cx = t[k].x < 0 ? -0.321782f : 0.321782f;
        if (std::fabs(t[k].x) < 0.321782f) continue;
        EXPECT_NEAR(std::hypot(t[k].x - cx, t[k].y - 9.35f), 1.9, 1e-4);
    }
}

TEST(Cremallera, CabezaRedondeadaConFlancoVertical) {
    auto v = perfil_cremallera(Bloque().con(D_ANGULO1, 0).con(D_ANGULO2, 0).con(D_RADIO, 1.0f).d);
    const auto& t = diente0(v).puntos;
    float cx = t[0].x + 1.0f;
    cerca(t[1], cx - 1.0f, 10.25f, "left arc begins at the circle's leftmost point");
    EXPECT_NEAR(t[0].x, t[1].x, 1e-5) << "on the vertical flank, with no extra point";
}

TEST(Cremallera, DepresionPequena) {
    auto v = perfil_cremallera(Bloque().con(D_RADIO, 1.9f).con(D_DEPRESION, 0.05f).d);
    ASSERT_EQ(v.size(), 11u);
    const auto& cuerpo = diente0(v, 2).puntos;
    const auto& tapa = v[5].puntos;
    cerca(cuerpo[0], -5.693633f, 0, "P1");
    cerca(cuerpo[1], -2.185127f, 9.721412f, "PL");
    cerca(cuerpo[2], 2.185127f, 9.721412f, "PR");
    cerca(cuerpo[3], 5.693633f, 0, "P4");
    cerca(tapa[1], tapa[0].x, tapa[0].y, "first arc point on PL");
    EXPECT_LE(tapa.size(), 16u);
}

TEST(Cremallera, DepresionGrande) {
    auto v = perfil_cremallera(Bloque().con(D_RADIO, 1.9f).con(D_DEPRESION, 0.5f).d);
    const auto& cuerpo = diente0(v, 2).puntos;
    const auto& tapa = v[5].puntos;
    cerca(cuerpo[0], -5.214753f, 0, "P1");
    cerca(cuerpo[1], -2.221782f, 8.223119f, "PL");
    cerca(cuerpo[2], 2.221782f, 8.223119f, "PR");
    cerca(cuerpo[3], 5.214753f, 0, "P4");
    cerca(tapa[0], -2.221782f, 8.223119f, "cap starts at PL");
    cerca(tapa[1], -2.221782f, 9.35f, "then straight up to the circle");
}

TEST(Cremallera, DepresionAsimetrica) {
    auto v = perfil_cremallera(Bloque().con(D_ANGULO2, 30).con(D_RADIO, 1).con(D_DEPRESION, 2).d);
    const auto& c = diente0(v, 2).puntos;
    cerca(c[0], -3.618486f, 0, "P1");
    cerca(c[1], -1.951969f, 4.578718f, "PL");
    cerca(c[2], 0.741201f, 6.517949f, "PR");
    cerca(c[3], 4.504341f, 0, "P4");
    auto w = perfil_cremallera(Bloque().con(D_ANGULO2, 30).con(D_RADIO, 1).con(D_DEPRESION, 5).d);
    cerca(diente0(w, 2).puntos[1], -1.951969f, 0, "left end held at the body edge");
}

TEST(Cremallera, ExtensionDeRaiz) {
    auto v = perfil_cremallera(Bloque().con(D_ANGULO2, 25).con(D_RAIZ, 2).d);
    ASSERT_EQ(v.size(), 11u);
    const auto& t = diente0(v).puntos;
    EXPECT_FLOAT_EQ(t[0].y, 2.0f);
    EXPECT_FLOAT_EQ(t[1].y, 13.25f);
    const auto& e = v[7].puntos;
    cerca(e[0], -6.474782f, 0, "extension");
    cerca(e[1], -5.746842f, 2, "extension");
    cerca(e[2], 6.258529f, 2, "extension");
    cerca(e[3], 7.191144f, 0, "extension");
    cerca(v.back().puntos[2], 47.12389f, -5.625f, "body unchanged");
    EXPECT_EQ(perfil_cremallera(Bloque().con(D_RAIZ, 0).d).size(), 6u);
}

TEST(Cremallera, NingunDatoCuelgaNiDaVerticesNoFinitos) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const float angulos[] = {0, -0.0f, 1e-30f, 20, 89.999992f, 89.99999f, 90, 90.00001f, 135, 180, -20, -90, 1e9f, nan, inf};
    const float longitudes[] = {0, 1e-30f, 1e-7f, 0.05f, 2, 1e6f, 3e38f, -1, -1e6f, nan, inf};
    long contornos = 0;
    for (float a : angulos)
        for (float l : longitudes) {
            Bloque casos[] = {Bloque().con(D_ANGULO1, a).con(D_ANGULO2, a).con(D_FLECHA, l),
                              Bloque().con(D_ANGULO1, a).con(D_RADIO, 1.9f).con(D_DEPRESION, l),
                              Bloque().con(D_ANGULO2, a).con(D_RADIO, l).con(D_DEPRESION, 0.5f),
                              Bloque().con(D_ANGULO1, a).con(D_ALTURA, l).con(D_RAIZ, l),
                              Bloque().con(D_ANGULO1, a).con(D_PASO, l).con(D_RADIO, l)};
            for (Bloque& b : casos) {
                for (const Contorno& c : perfil_cremallera(b.d)) {
                    ++contornos;
                    EXPECT_LE(c.puntos.size(), 2u + 2u * MAX_PUNTOS_ARCO_FLANCO + 4u);
                    for (const Punto& p : c.puntos) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
                }
            }
        }
    EXPECT_GT(contornos, 0);
}

TEST(Cremallera, ConvexidadDeContornos) {
    EXPECT_TRUE(es_convexo({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    EXPECT_TRUE(es_convexo({{0, 0}, {0, 0}, {1, 0}, {2, 0}, {1, 1}}));
    EXPECT_FALSE(es_convexo({{0, 0}, {2, 0}, {1, 0.5f}, {2, 2}, {0, 2}}));
    EXPECT_FALSE(es_convexo({{0, 0}, {1, 1}, {1, 0}, {0, 1}})) << "a bow tie crosses itself";
    // Two teeth with 45-degree flanks and the space between them: every edge as steep as it is wide.
    EXPECT_FALSE(es_convexo({{0, 0}, {2, 2}, {1, 3}, {0, 2}, {-1, 3}, {-2, 2}}));
}

TEST(Circunferencia, TrescientosPuntos) {
    auto p = puntos_circunferencia(7.0f);
    ASSERT_EQ(p.size(), 300u);
    EXPECT_FLOAT_EQ(p[0].x, 7.0f);
    EXPECT_FLOAT_EQ(p[0].y, 0.0f);
    EXPECT_GT(p[1].y, 0.0f) << "counter-clockwise";
    EXPECT_NEAR(p[75].x, 0.0f, 1e-5);
    EXPECT_NEAR(p[75].y, 7.0f, 1e-5);
    for (const Punto& q : p) EXPECT_NEAR(std::hypot(q.x, q.y), 7.0, 1e-5);
}

TEST(Cremallera, LoQueQuedaFueraDelDiscoNoSeDibuja) {
    // The rack's body edge 8 below the centre of a disc of radius 8: the strip only touches it.
    Bloque b;
    b.con(D_Y0, -8);
    auto perfil = perfil_cremallera(b.d);
    Punto origen = origen_en_cremallera(b.d);
    auto dentro = [&](float radio) {
        std::vector<int> r;
        for (size_t i = 0; i < perfil.size(); ++i)
            if (!fuera_del_circulo(perfil[i].puntos, origen, radio)) r.push_back(static_cast<int>(i));
        return r;
    };
    EXPECT_EQ(dentro(8), std::vector<int>{2}) << "only tooth 0 reaches into the disc, the strip only touches it";
    EXPECT_EQ(dentro(13), (std::vector<int>{1, 2, 3, 5})) << "teeth -1, 0, 1 and the strip";
    b.con(D_X0, 30).con(D_GIRO, 90);  // far to the right, teeth pointing left: only tooth 0 reaches in
    origen = origen_en_cremallera(b.d);
    EXPECT_FALSE(fuera_del_circulo(perfil[2].puntos, origen, 25));
    EXPECT_TRUE(fuera_del_circulo(perfil[1].puntos, origen, 25));
    EXPECT_TRUE(fuera_del_circulo(perfil[5].puntos, origen, 25));

    std::vector<Punto> cuadro{{1, 1}, {2, 1}, {2, 2}, {1, 2}};
    EXPECT_TRUE(fuera_del_circulo(cuadro, {0, 0}, 1.4f));
    EXPECT_FALSE(fuera_del_circulo(cuadro, {0, 0}, 1.5f));
    EXPECT_FALSE(fuera_del_circulo(cuadro, {1.5f, 1.5f}, 0.1f)) << "centre inside";
    EXPECT_FALSE(fuera_del_circulo(cuadro, {3, 1.5f}, 1.01f));
    EXPECT_TRUE(fuera_del_circulo(cuadro, {3, 1.5f}, 0.99f));
    Punto o = origen_en_cremallera(Bloque().con(D_X0, 3).con(D_Y0, -4).con(D_GIRO, 90).d);
    EXPECT_NEAR(o.x, 4, 1e-5);
    EXPECT_NEAR(o.y, 3, 1e-5);
    // Placed back (turned by 90°, moved to (3, -4)) it is the scene's origin.
    EXPECT_NEAR(3 - o.y, 0, 1e-5);
    EXPECT_NEAR(-4 + o.x, 0, 1e-5);
}

namespace {

// Signed distance of p from the line through a and b, positive on the side of q.
double lado(Punto p, double ax, double ay, double bx, double by, double qx, double qy) {
    auto cruz = [&](double x, double y) { return (bx - ax) * (y - ay) - (by - ay) * (x - ax); };
    double largo = std::hypot(bx - ax, by - ay);
    double s = cruz(qx, qy) > 0 ? 1 : -1;
    return s * cruz(p.x, p.y) / largo;
}

// A straight flank of tooth 0 of a rack with pitch p, rolling line k above the root line, root
// offset e and flank angle a (degrees): the line through the rolling line's point p/4 from the
// tooth's centre, leaning inwards by a from the vertical. lado_x is -1 for the left flank.
struct Flanco {
    double x0, y0, dx, dy;  // a point and a unit direction upwards
    Flanco(double p, double k, double e, double a, int lado_x) {
        double r = a * M_PI / 180;
        x0 = lado_x * p / 4, y0 = e + k;
        dx = -lado_x * std::sin(r), dy = std::cos(r);
    }
    double x_en(double y) const { return x0 + dx / dy * (y - y0); }
    // Distance of q from the line, positive towards the tooth's centre line.
    double dentro(Punto q) const { return lado(q, x0, y0, x0 + dx, y0 + dy, 0, y0); }
};

// Centre of the tip circle of radius r touching the tip line y = tope and the flank.
Punto centro_cabeza(const Flanco& fl, double r, double tope, int lado_x) {
    double y = tope - r;
    return {static_cast<float>(fl.x_en(y) - lado_x * r / fl.dy), static_cast<float>(y)};
}

double radio_de(Punto q, Punto c) { return std::hypot(q.x - c.x, q.y - c.y); }

}  // namespace

TEST(Cremallera, CabezaRedondeadaAsimetricaSobreLaRaiz) {
    // A left flank of 20° and a right one of 30° or vertical, tips rounded by 1.5, teeth standing
    // 2 above the body strip.
    const double p = 15.707963, h = 11.25, k = 5, e = 2, r = 1.5;
    for (float a2 : {30.0f, 0.0f}) {
        SCOPED_TRACE(a2);
        auto v = perfil_cremallera(Bloque().con(D_ANGULO2, a2).con(D_RADIO, 1.5f).con(D_RAIZ, 2).d);
        ASSERT_EQ(v.size(), 11u) << "five teeth, five root extensions, the body";
        Flanco izq(p, k, e, 20, -1), der(p, k, e, a2, 1);
        Punto cl = centro_cabeza(izq, r, e + h, -1), cr = centro_cabeza(der, r, e + h, 1);
        const auto& t = diente0(v).puntos;
        const float raiz = static_cast<float>(e);
        cerca(t.front(), static_cast<float>(izq.x_en(e)), raiz, "left root corner on the raised root line");
        cerca(t.back(), static_cast<float>(der.x_en(e)), raiz, "right root corner on the raised root line");
        int en_izq = 0, en_der = 0;
        double cima = -1e9;
        for (const Punto& q : t) {
            bool izquierda = q.x < (cl.x + cr.x) / 2;
            const Flanco& fl = izquierda ? izq : der;
            Punto c = izquierda ? cl : cr;
            bool en_flanco = std::fabs(fl.dentro(q)) < 1e-4;
            bool en_arco = std::fabs(radio_de(q, c) - r) < 1e-4 && q.y >= c.y - 1e-4;
            EXPECT_TRUE(en_flanco || en_arco) << q.x << "," << q.y;
            EXPECT_GE(fl.dentro(q), -1e-4) << "never outside the straight flank";
            if (en_arco && !en_flanco) ++(izquierda ? en_izq : en_der);
            cima = std::max(cima, static_cast<double>(q.y));
        }
        EXPECT_GE(en_izq, 5);
        EXPECT_GE(en_der, 5);
        EXPECT_NEAR(cima, e + h, 1e-4) << "the rounded tips reach the tip line";
        // The root extension continues both flanks straight down to the body strip.
        const auto& x = v[7].puntos;
        cerca(x[1], t.front().x, static_cast<float>(e), "extension meets the left root corner");
        cerca(x[2], t.back().x, static_cast<float>(e), "extension meets the right root corner");
        cerca(x[0], static_cast<float>(izq.x_en(0)), 0, "left flank continued to the strip");
        cerca(x[3], static_cast<float>(der.x_en(0)), 0, "right flank continued to the strip");
    }
}

TEST(Cremallera, DepresionAsimetricaSobreLaRaiz) {
    // A relief d moves each flank's root point d into the tooth, perpendicular to the flank. A
    // relief within the tip circle's bulge r(1 - cos a) ends the flank on the circle, at an angle
    // falling linearly from a (no relief) to 0 (the bulge); a deeper one runs the moved flank up
    // to below the circle's outermost point.
    const double p = 15.707963, h = 11.25, k = 5, e = 1.5, r = 1;
    const double a1 = 20 * M_PI / 180, a2 = 30 * M_PI / 180;
    Flanco izq(p, k, e, 20, -1), der(p, k, e, 30, 1);
    Punto cl = centro_cabeza(izq, r, e + h, -1), cr = centro_cabeza(der, r, e + h, 1);
    for (float d : {0.03f, 0.1f, 0.5f}) {
        SCOPED_TRACE(d);
        auto v = perfil_cremallera(Bloque().con(D_ANGULO2, 30).con(D_RADIO, 1).con(D_DEPRESION, d).con(D_RAIZ, 1.5f).d);
        ASSERT_EQ(v.size(), 16u) << "body and cap for five teeth, five extensions, the strip";
        const auto& cuerpo = diente0(v, 2).puntos;
        const auto& tapa = v[5].puntos;
        ASSERT_EQ(cuerpo.size(), 4u);
        EXPECT_NEAR(cuerpo[0].y, e, 1e-5);
        EXPECT_NEAR(cuerpo[3].y, e, 1e-5);
        EXPECT_NEAR(izq.dentro(cuerpo[0]), d, 1e-4) << "P1";
        EXPECT_NEAR(der.dentro(cuerpo[3]), d, 1e-4) << "P4";
        double dl = r * (1 - std::cos(a1)), dr = r * (1 - std::cos(a2));
        EXPECT_EQ(d > dl, d > 0.05f);
        EXPECT_EQ(d > dr, d > 0.2f);
        const Punto pl = cuerpo[1], pr = cuerpo[2];
        if (d > dl) {
            EXPECT_NEAR(pl.x, cl.x - r, 1e-4) << "PL below the circle's leftmost point";
            EXPECT_NEAR(izq.dentro(pl), d, 1e-4) << "PL on the moved flank";
        } else {
            EXPECT_NEAR(radio_de(pl, cl), r, 1e-4) << "PL on the circle";
            EXPECT_NEAR(std::atan2(pl.y - cl.y, cl.x - pl.x), a1 * (1 - d / dl), 1e-4);
        }
        if (d > dr) {
            EXPECT_NEAR(pr.x, cr.x + r, 1e-4) << "PR below the circle's rightmost point";
            EXPECT_NEAR(der.dentro(pr), d, 1e-4) << "PR on the moved flank";
        } else {
            EXPECT_NEAR(radio_de(pr, cr), r, 1e-4) << "PR on the circle";
            EXPECT_NEAR(std::atan2(pr.y - cr.y, pr.x - cr.x), a2 * (1 - d / dr), 1e-4);
        }
        // The cap runs from PL over both tip arcs to PR.
        cerca(tapa.front(), pl.x, pl.y, "cap starts at PL");
        cerca(tapa.back(), pr.x, pr.y, "cap ends at PR");
        ASSERT_GE(tapa.size(), 2u + 12u);
        for (size_t i = 1; i + 1 < tapa.size(); ++i) {
            Punto c = tapa[i].x < (cl.x + cr.x) / 2 ? cl : cr;
            EXPECT_NEAR(radio_de(tapa[i], c), r, 1e-4) << i;
            EXPECT_LE(tapa[i].y, e + h + 1e-4);
        }
        // The extension below carries the moved flanks down to the strip.
        const auto& x = v[12].puntos;
        cerca(x[1], cuerpo[0].x, cuerpo[0].y, "extension meets P1");
        cerca(x[2], cuerpo[3].x, cuerpo[3].y, "extension meets P4");
        EXPECT_NEAR(x[0].y, 0, 1e-6);
        EXPECT_NEAR(x[3].y, 0, 1e-6);
        EXPECT_NEAR(izq.dentro(x[0]), d, 1e-4);
        EXPECT_NEAR(der.dentro(x[3]), d, 1e-4);
    }
}

TEST(Cremallera, FlechaNegativaEnAmbosFlancos) {
    // A sagitta of -1 on 20° flanks: each flank is an arc through its straight flank's ends,
    // bowed 1 into the tooth, of radius c²/8f + f/2 for the chord c = h / cos 20°; the tooth stays
    // symmetric.
    const double p = 15.707963, h = 11.25, k = 5, fl = 1;
    Flanco izq(p, k, 0, 20, -1), der(p, k, 0, 20, 1);
    double cuerda = h / std::cos(20 * M_PI / 180), radio = cuerda * cuerda / 8 / fl + fl / 2;
    auto v = perfil_cremallera(Bloque().con(D_FLECHA, -1).d);
    const auto& t = diente0(v).puntos;
    EXPECT_GE(t.size(), 4u + 20u);
    for (int lado_x : {-1, 1}) {
        SCOPED_TRACE(lado_x);
        const Flanco& f = lado_x < 0 ? izq : der;
        std::vector<Punto> arco;
        for (const Punto& q : t)
            if (lado_x * q.x > 1.7 && q.y > 1e-3 && q.y < h - 1e-3) arco.push_back(q);
        ASSERT_GE(arco.size(), 8u);
        double maxima = 0;
        for (const Punto& q : arco) {
            EXPECT_GE(f.dentro(q), -1e-4) << "bowed into the tooth";
            maxima = std::max(maxima, f.dentro(q));
        }
        EXPECT_NEAR(maxima, fl, 0.02);
        // The arc's centre lies outside the tooth on the chord's perpendicular bisector, radio away.
        double mx = f.x_en(h / 2), my = h / 2, nx = lado_x * f.dy, ny = -lado_x * f.dx;
        double cx = mx + nx * (radio - fl), cy = my + ny * (radio - fl);
        EXPECT_GT(lado_x * cx, lado_x * mx);
        for (const Punto& q : arco) EXPECT_NEAR(std::hypot(q.x - cx, q.y - cy), radio, 2e-3) << q.x << "," << q.y;
    }
    for (const Punto& q : t) {
        bool espejo = false;
        for (const Punto& s : t) espejo |= std::fabs(s.x + q.x) < 1e-3 && std::fabs(s.y - q.y) < 1e-3;
        EXPECT_TRUE(espejo) << q.x << "," << q.y;
    }
}
