#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/mecanismos.h"
#include "nucleo/movimiento.h"
#include "nucleo/tallado.h"
#include "prueba.h"

namespace {

double area(const Anillo& a) {
    double s = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const Vertice& p = a[i];
        const Vertice& q = a[(i + 1) % a.size()];
        s += p.x * q.y - q.x * p.y;
    }
    return s / 2;
}

template <class P>
bool en_anillo(const std::vector<P>& a, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = a.size() - 1; i < a.size(); j = i++)
        if ((a[i].y > y) != (a[j].y > y) && x < (a[j].x - a[i].x) * (y - a[i].y) / (a[j].y - a[i].y) + a[i].x) in = !in;
    return in;
}

bool en_contorno(const std::vector<Pieza>& g, double x, double y) {
    for (const Pieza& p : g) {
        if (!en_anillo(p.exterior, x, y)) continue;
        bool hueco = false;
        for (const Anillo& h : p.huecos) hueco |= en_anillo(h, x, y);
        if (!hueco) return true;
    }
    return false;
}

double distancia_al_borde(const std::vector<Pieza>& g, double x, double y) {
    double d = INFINITY;
    auto anillo = [&](const Anillo& a) {
        for (size_t i = 0; i < a.size(); ++i) {
            const Vertice& p = a[i];
            const Vertice& q = a[(i + 1) % a.size()];
            double dx = q.x - p.x, dy = q.y - p.y, l = dx * dx + dy * dy;
            double t = l > 0 ? std::fmax(0.0, std::fmin(1.0, ((x - p.x) * dx + (y - p.y) * dy) / l)) : 0.0;
            d = std::fmin(d, std::hypot(x - p.x - t * dx, y - p.y - t * dy));
        }
    };
    for (const Pieza& p : g) {
        anillo(p.exterior);
        for (const Anillo& h : p.huecos) anillo(h);
    }
    return d;
}

// Whether the frame as drawn erases (x, y): some recorded rack, placed as the drawing places
// it, covers the point.
bool borrado_en_el_dibujo(double x, double y) {
    float d[NUM_DATOS];
    llenar_datos(d);
    auto perfil = perfil_cremallera(d);
    bool borrado = false;
    recorrer_trazas(d, [&](const float* k) {
        double g = k[D_GIRO] * M_PI / 180, px = x - k[D_X0], py = y - k[D_Y0];
        double lx = px * std::cos(g) + py * std::sin(g), ly = -px * std::sin(g) + py * std::cos(g);
        for (const Contorno& c : perfil) borrado |= en_anillo(c.puntos, lx, ly);
    });
    return borrado;
}

std::vector<Pieza> copia() { return contorno_tallado(); }

bool iguales(const std::vector<Pieza>& a, const std::vector<Pieza>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].exterior.size() != b[i].exterior.size() || a[i].huecos.size() != b[i].huecos.size()) return false;
        for (size_t k = 0; k < a[i].exterior.size(); ++k)
            if (std::fabs(a[i].exterior[k].x - b[i].exterior[k].x) > 1e-9 ||
                std::fabs(a[i].exterior[k].y - b[i].exterior[k].y) > 1e-9)
                return false;
    }
    return true;
}

double area_total(const std::vector<Pieza>& g) {
    double s = 0;
    for (const Pieza& p : g) {
        s += area(p.exterior);
        for (const Anillo& h : p.huecos) s += area(h);
    }
    return s;
}

}  // namespace

class Tallado_ : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_ESTANDAR);
    }
    void pasos(int n, int direccion) {
        for (int i = 0; i < n; ++i) {
            float angulo = E_angulo;
            for (int k = 0; k < 100 && E_angulo == angulo; ++k) {
                Movimiento = direccion;
                idle();
            }
        }
    }
    // Points of the blank's ring, away from its circles and from the outline's edges, where the
    // outline and the drawing must agree.
    void comparar_con_el_dibujo(int lado) {
        const auto& g = contorno_tallado();
        int comparados = 0, cortados = 0;
        for (int i = 0; i < lado; ++i)
            for (int j = 0; j < lado; ++j) {
                double x = -8 + 16.0 * (i + 0.5) / lado, y = -8 + 16.0 * (j + 0.5) / lado, r = std::hypot(x, y);
                if (r > 7.99 || r < 0.81 || distancia_al_borde(g, x, y) < 1e-4) continue;
                bool esperado = !borrado_en_el_dibujo(x, y);
                ASSERT_EQ(en_contorno(g, x, y), esperado) << x << ", " << y;
                ++comparados;
                cortados += !esperado;
            }
        EXPECT_GT(comparados, lado * lado / 2);
        EXPECT_GT(cortados, 0);
    }
};

TEST_F(Tallado_, AntesDeRodarEsElDisco) {
    for (const char* x : {"0", "0.5"}) {
        glui_Penetracion->user_commit(x);
        const auto& g = contorno_tallado();
        ASSERT_EQ(g.size(), 1u);
        ASSERT_EQ(g[0].huecos.size(), 1u);
        double r = radio_engranaje();
        EXPECT_EQ(g[0].exterior.size(), static_cast<size_t>(LADOS_DISCO));
        for (const Vertice& v : g[0].exterior) EXPECT_NEAR(std::hypot(v.x, v.y), r, 1e-9);
        for (const Vertice& v : g[0].huecos[0]) EXPECT_NEAR(std::hypot(v.x, v.y), 0.1 * r, 1e-9);
        EXPECT_GT(area(g[0].exterior), 0) << "outside counter-clockwise";
        EXPECT_LT(area(g[0].huecos[0]), 0) << "holes clockwise";
        EXPECT_NEAR(area_total(g), M_PI * r * r * 0.99, 1e-3 * r * r);
    }
    EXPECT_NEAR(radio_engranaje(), 8.5, 1e-6) << "a positive shift grows the blank";
}

TEST_F(Tallado_, EsLoQueMuestraElDibujo) {
    pasos(40, 1);
    ASSERT_EQ(E_angulo, 40.0f);
    comparar_con_el_dibujo(50);
}

TEST_F(Tallado_, UnaDiferenciaPorPasoYDeshacerReconstruye) {
    pasos(60, 1);
    std::vector<Pieza> a60 = copia();
    double area60 = area_total(a60);
    pasos(25, 1);
    double area85 = area_total(copia());
    EXPECT_LT(area85, area60) << "every rolling step cuts";
    pasos(25, -1);
    ASSERT_EQ(E_angulo, 60.0f);
    EXPECT_TRUE(iguales(copia(), a60)) << "undone to the same outline";
    pasos(60, -1);
    ASSERT_EQ(E_angulo, 0.0f);
    EXPECT_NEAR(area_total(copia()), M_PI * 64 * 0.99, 0.1) << "back to the blank";
}

TEST_F(Tallado_, CorteCompletoComoElDibujo) {
    completar_corte();
    comparar_con_el_dibujo(24);
    EXPECT_EQ(contorno_tallado().size(), 1u) << "one gear, in one piece";
}

class TalladoExperimental : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_EXPERIMENTAL);
    }
};

TEST_F(TalladoExperimental, CambiarLaCremalleraEnMarchaLoReconstruye) {
    for (int i = 0; i < 40; ++i) {
        Movimiento = 1;
        idle();
    }
    ASSERT_GT(E_angulo, 10.0f);
    float angulo = E_angulo;
    double antes = area_total(copia());
    glui_radio->user_commit("0.4");  // the tip radius stays open during the cut
    std::vector<Pieza> cambiado = copia();
    EXPECT_NE(area_total(cambiado), antes);

    // The same rack from the start cuts the same outline.
    glui_Clear->user_press();
    glui_radio->user_commit("0.4");
    while (E_angulo < angulo) {
        Movimiento = 1;
        idle();
    }
    EXPECT_TRUE(iguales(copia(), cambiado));
}

TEST_F(Tallado_, ElDesplazamientoFijaLosRadiosDelEngranaje) {
    // Module 1, 14 teeth: the cut gear reaches out to 8 + x, the blank, and its tooth
    // spaces go down to the root circle 5.75 + x, whichever way the shift x goes.
    for (float x : {-0.5f, 0.3f}) {
        SCOPED_TRACE(x);
        glui_Clear->user_press();
        glui_Penetracion->user_commit(testing::PrintToString(x));
        completar_corte();
        const auto& g = contorno_tallado();
        ASSERT_EQ(g.size(), 1u);
        double cerca_min = INFINITY, lejos_max = 0;
        for (const Vertice& v : g[0].exterior) {
            cerca_min = std::min(cerca_min, std::hypot(v.x, v.y));
            lejos_max = std::max(lejos_max, std::hypot(v.x, v.y));
        }
        EXPECT_NEAR(lejos_max, 8 + x, 1e-6);
        EXPECT_NEAR(cerca_min, 5.75 + x, 2e-3);
        EXPECT_GT(area(g[0].exterior), 0) << "outside counter-clockwise";
    }
}

TEST_F(Tallado_, UnaRuedaCortadaDeUnaVezEsLaDelCorte) {
    // The same rack, blank and rolling cut all at once: the same gear, only turned (the cut
    // leaves the blank at its last angle), for a shift either way.
    for (float x : {-0.3f, 0.4f}) {
        SCOPED_TRACE(x);
        glui_Clear->user_press();
        glui_Penetracion->user_commit(testing::PrintToString(x));
        completar_corte();
        std::vector<Pieza> corte = copia();
        float d[NUM_DATOS];
        llenar_datos(d);
        std::vector<Pieza> rueda = tallar_rueda(d, radio_engranaje(), Rp, distancia_referencia(), E_incremento);
        ASSERT_EQ(rueda.size(), 1u);
        EXPECT_NEAR(area_total(rueda), area_total(corte), 1e-6 * area_total(corte));
        // Turned by the blank's angle, every point of one lies on the other.
        double g = E_angulo * M_PI / 180, c = std::cos(g), s = std::sin(g), lejos = 0;
        for (size_t i = 0; i < rueda[0].exterior.size(); i += 7) {
            const Vertice& v = rueda[0].exterior[i];
            lejos = std::max(lejos, distancia_al_borde(corte, v.x * c - v.y * s, v.x * s + v.y * c));
        }
        EXPECT_LT(lejos, 1e-4);
    }
}

TEST_F(Tallado_, ConstruidoAparteEsElMismoContorno) {
    pasos(30, 1);
    std::vector<Pieza> p;
    EXPECT_FALSE(recoger_tallado(p)) << "the first call starts the build";
    esperar_tallado();
    ASSERT_TRUE(recoger_tallado(p));
    EXPECT_TRUE(iguales(p, contorno_tallado())) << "the same outline as built on the main thread";
    EXPECT_FALSE(recoger_tallado(p)) << "taken once: the next call starts another build";
    descartar_tallado();
    EXPECT_FALSE(recoger_tallado(p)) << "a build stopped is forgotten";
    esperar_tallado();
    EXPECT_TRUE(recoger_tallado(p));
}

TEST_F(Tallado_, UnContornoAparteDeOtroMomentoNoSeDa) {
    pasos(30, 1);
    std::vector<Pieza> p;
    ASSERT_FALSE(recoger_tallado(p));
    esperar_tallado();
    // The cut goes on before the build is collected: the outline of step 30 is not given.
    v_glui_control(ID_TERMINAR);
    EXPECT_EQ(informa_espesor->get_text(), "") << "no figure measured on an earlier outline";
    esperar_tallado();
    ASSERT_TRUE(recoger_tallado(p));
    EXPECT_TRUE(iguales(p, contorno_tallado()));
    EXPECT_EQ(p.size(), 1u) << "the whole gear";
    // Turned to the angle the blank is shown at.
    pasos(5, -1);
    EXPECT_FALSE(recoger_tallado(p));
    esperar_tallado();
    ASSERT_TRUE(recoger_tallado(p));
    EXPECT_TRUE(iguales(p, contorno_tallado()));
}

TEST_F(Tallado_, SinContornoNoSeConstruyeNada) {
    calcular_tallado(false);
    std::vector<Pieza> p(1);
    EXPECT_TRUE(recoger_tallado(p));
    EXPECT_TRUE(p.empty());
    calcular_tallado(true);
}

// The outline as triangles covers its area exactly: the same area, every triangle inside the
// material, none in the centre hole or the tooth spaces; worked out on a thread of its own as well.
TEST_F(Tallado_, TriangulosQueCubrenElContorno) {
    completar_corte();
    std::vector<Pieza> g = copia();
    ASSERT_EQ(g.size(), 1u);
    auto comprobar = [&](const std::vector<float>& t) {
        ASSERT_EQ(t.size() % 6, 0u);
        ASSERT_GT(t.size(), 6 * g[0].exterior.size() / 2) << "the big piece was split, not lost";
        double suma = 0;
        int fuera = 0;
        for (size_t i = 0; i < t.size(); i += 6) {
            double ax = t[i], ay = t[i + 1], bx = t[i + 2], by = t[i + 3], cx = t[i + 4], cy = t[i + 5];
            suma += std::fabs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2;
            if (!en_contorno(g, (ax + bx + cx) / 3, (ay + by + cy) / 3)) ++fuera;
        }
        EXPECT_NEAR(suma, area_total(g), 1e-4 * area_total(g));
        // A sliver along the outline may have its centroid a float's rounding outside.
        EXPECT_LE(fuera, static_cast<int>(t.size() / 6 / 1000));
    };
    comprobar(triangular(g));
    std::vector<float> aparte;
    std::thread([&] {
        ContextoPropio propio;
        aparte = triangular(g);
    }).join();
    comprobar(aparte);
    EXPECT_TRUE(triangular({}).empty());
}
