// Gear theory against the cut: the automatic cut run through the core, the exact outline
// measured, and the figures compared with the textbook gear.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "nucleo/callbacks.h"
#include "nucleo/avisos.h"
#include "nucleo/escena.h"
#include "nucleo/medidas.h"
#include "nucleo/movimiento.h"
#include "nucleo/tallado.h"
#include "prueba.h"

namespace {

struct Caso {
    const char* modulo;
    int z;
    double angulo, x;
};

struct Medida {
    int dientes;
    double espesor, teorico, fondo, fondo_teorico, flanco, socavacion, minimo;
    bool aviso, socavado_en_primitiva;
};

}  // namespace

class Teoria : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_ESTANDAR);
    }
    static std::string texto(double v) {
        char b[32];
        std::snprintf(b, sizeof b, "%g", v);
        return b;
    }
    // The data typed into the panel, then the automatic cut to its end.
    void cortar(const Caso& c, int giro = 1) {
        glui_Clear->user_press();
        for (int i = 0; i < NUM_MODULOS; ++i)
            if (std::string(MODULO[i]) == c.modulo) glui_Modulo->user_select(i);
        glui_Dientes->user_commit(std::to_string(c.z));
        glui_Angulo->user_commit(texto(c.angulo));
        glui_Penetracion->user_commit(texto(c.x));
        glui_Giro->user_commit(std::to_string(giro));
        glui_AutoOnOff->user_press();
        for (int n = 0; n < 20000 && C_Mueve != TERMINADO; ++n) idle();
        ASSERT_EQ(C_Mueve, TERMINADO);
    }
    Medida medir(const Caso& c) {
        cortar(c);
        double m = std::atof(c.modulo), rp = m * c.z / 2, rb = radio_base(m, c.z, c.angulo);
        const auto& g = contorno_tallado();
        Medida r{};
        r.dientes = contar_dientes(g, rp);
        r.espesor = espesor_en_primitiva(g, rp);
        r.teorico = espesor_teorico(m, c.angulo, c.x);
        r.fondo = radio_de_fondo(g);
        r.fondo_teorico = m * (c.z / 2.0 - 1.25 + c.x);
        r.minimo = desplazamiento_minimo(c.z, c.angulo);
        r.aviso = informa->get_text() == TEXTO_SOCAVACION;
        double ra = rp + m + c.x * m;
        Desviacion activo = desviacion_evolvente(g, rp, rb, r.teorico, radio_de_forma(m, c.z, c.angulo, 1 - c.x),
                                                 ra - 1e-3 * m);
        r.flanco = std::max(std::fabs(activo.mayor), std::fabs(activo.menor)) / m;
        Desviacion raiz = desviacion_evolvente(g, rp, rb, r.teorico, 0, rp);
        r.socavacion = std::max(0.0, -raiz.menor) / m;
        Desviacion primitiva = desviacion_evolvente(g, rp, rb, r.teorico, rp - 0.02 * m, rp + 0.02 * m);
        r.socavado_en_primitiva = primitiva.menor < -0.005 * m;
        return r;
    }
    void comprobar(const Caso& c) {
        SCOPED_TRACE(std::string("m ") + c.modulo + " Z " + std::to_string(c.z) + " a " + texto(c.angulo) + " x " +
                     texto(c.x));
        Medida r = medir(c);
        double m = std::atof(c.modulo);
        std::printf("| %s | %d | %g | %g | %d | %.4f | %.4f | %+.2f%% | %.4f | %.4f | %.4f | %.4f | %s |\n", c.modulo, c.z,
                    c.angulo, c.x, r.dientes, r.espesor / m, r.teorico / m, 100 * (r.espesor / r.teorico - 1),
                    r.fondo / m, r.fondo_teorico / m, r.flanco, r.socavacion, r.aviso ? "yes" : "no");
        EXPECT_EQ(r.dientes, c.z);
        // An undercut deep enough to reach the pitch circle thins the tooth there: the textbook
        // thickness holds only above the undercut.
        if (!r.socavado_en_primitiva) EXPECT_NEAR(r.espesor, r.teorico, 0.005 * r.teorico);
        else EXPECT_TRUE(r.aviso);
        EXPECT_NEAR(r.fondo, r.fondo_teorico, 0.005 * m);
        EXPECT_EQ(r.aviso, c.x < r.minimo);
        if (r.aviso) {
            EXPECT_GT(r.socavacion, 0.005) << "undercut where the warning is shown";
        } else {
            EXPECT_LT(r.socavacion, 0.005);
            EXPECT_LT(r.flanco, 0.01) << "involute flank";
        }
    }
};

// One gear of each module, undercut and not.
TEST_F(Teoria, DosModulos) {
    for (Caso c : {Caso{"1.00", 14, 20, 0}, Caso{"2.00", 30, 25, -0.3}}) comprobar(c);
}

// Every Z, angle, shift and module of the grid appears at least once, undercut and not.
TEST_F(Teoria, LentoMuestraDeLaRejilla) {
    for (Caso c : {Caso{"1.00", 20, 20, -0.3}, Caso{"2.00", 10, 14.5, 0.5}, Caso{"1.00", 60, 14.5, 0},
                   Caso{"2.00", 20, 25, 0.5}, Caso{"2.00", 14, 20, 0}})
        comprobar(c);
}

// The whole grid in one module; the sample above runs both modules, whose figures in modules agree.
TEST_F(Teoria, LentoRejillaCompleta) {
    for (int z : {10, 14, 20, 30, 60})
        for (double a : {14.5, 20.0, 25.0})
            for (double x : {-0.3, 0.0, 0.5}) comprobar({"1.00", z, a, x});
}

TEST_F(Teoria, SinCosturaAPasosDeCincoGrados) {
    // Rolling by the arc: the last tooth space meets the first without re-cutting it.
    for (Caso c : {Caso{"1.00", 20, 20, 0}, Caso{"1.00", 30, 20, 0}}) {
        SCOPED_TRACE(c.z);
        cortar(c, 5);
        double m = std::atof(c.modulo);
        std::vector<double> e = espesores(contorno_tallado(), m * c.z / 2);
        ASSERT_EQ(static_cast<int>(e.size()), c.z);
        auto [menor, mayor] = std::minmax_element(e.begin(), e.end());
        std::printf("seam at 5 degrees, m %s Z %d x %g: thickest - thinnest %.4f m\n", c.modulo, c.z, c.x,
                    (*mayor - *menor) / m);
        EXPECT_LT(*mayor - *menor, 0.02 * m);
    }
}

// The tooth thickness on the tip circle, measured on the cut outline, is the textbook
// s_a = d_a (s/d + inv α - inv α_a) of the blank's tip circle, for shifted gears too; the
// read-out and the pointed-tooth warning say it in modules.
TEST_F(Teoria, EspesorEnLaCabezaDeLibro) {
    struct Punta { Caso c; double modulos; };
    for (Punta p : {Punta{{"1.00", 14, 20, 0.5}, 0.35}, Punta{{"1.00", 8, 20, 0.532}, 0.04},
                    Punta{{"2.00", 20, 20, 0.3}, -1}, Punta{{"3.00", 12, 25, 0.4}, -1},
                    Punta{{"1.00", 30, 20, 0}, -1}, Punta{{"1.00", 20, 20, -0.3}, -1}}) {
        const Caso& c = p.c;
        SCOPED_TRACE(std::string("m ") + c.modulo + " Z " + std::to_string(c.z) + " x " + texto(c.x));
        cortar(c);
        // The read-out's figures come from the outline built on a worker thread.
        esperar_tallado();
        idle();
        double m = std::atof(c.modulo), rp = m * c.z / 2, ra = radio_engranaje();
        double teorico = espesor_cabeza_teorico(rp, espesor_teorico(m, c.angulo, c.x), c.angulo, ra);
        double medido = espesor_en_cabeza(contorno_tallado(), ra);
        std::printf("tip thickness, m %s Z %d a %g x %g: %.4f m measured, %.4f m textbook\n", c.modulo, c.z, c.angulo,
                    c.x, medido / m, teorico / m);
        EXPECT_NEAR(medido, teorico, 0.01 * m);
        if (p.modulos > 0) {
            EXPECT_NEAR(medido / m, p.modulos, 0.015);
        }
        EXPECT_EQ(informa_cabeza->get_text(), texto_espesor_cabeza(medido, m));
        bool puntiagudo = false;
        for (const std::string& a : avisos_dibujo()) puntiagudo |= a.rfind("Diente puntiagudo", 0) == 0;
        EXPECT_EQ(puntiagudo, medido < LIMITE_PUNTA * m);
    }
}

class TeoriaExperimental : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_EXPERIMENTAL);
    }
};

TEST_F(TeoriaExperimental, DiametroPrimitivoLibre) {
    // Pitch diameter 16 (outside 18, root 13.5) with the pitch of module 1: the rack rolls on a
    // circle of 16 teeth, whatever the tooth field says, and the cut ends after one turn.
    glui_RPaso->user_commit("16");
    glui_RCabeza->user_commit("18");
    glui_RBase->user_commit("13.5");
    glui_AutoOnOff->user_press();
    for (int n = 0; n < 20000 && C_Mueve != TERMINADO; ++n) idle();
    ASSERT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(E_angulo, 361.0f);
    const auto& g = contorno_tallado();
    EXPECT_EQ(contar_dientes(g, 8), 16);
    EXPECT_NEAR(espesor_en_primitiva(g, 8), M_PI / 2, 0.005 * M_PI / 2);
    std::vector<double> e = espesores(g, 8);
    ASSERT_EQ(e.size(), 16u);
    auto [menor, mayor] = std::minmax_element(e.begin(), e.end());
    EXPECT_LT(*mayor - *menor, 0.02) << "sixteen equal teeth, no seam";
}
