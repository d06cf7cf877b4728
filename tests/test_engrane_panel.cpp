// The panel's "Engrane" rollout: closed at start with its defaults, the values it refuses, the
// distance that follows the data, "Ver engrane" and the motion of the pair.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <thread>

#include "nucleo/callbacks.h"
#include "nucleo/engrane_escena.h"
#include "nucleo/engrane_estado.h"
#include "nucleo/engrane_panel.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "nucleo/navegacion.h"
#include "prueba.h"

namespace {

// a_w of 14 teeth shifted 0.25 against 14 unshifted, module 1, 20 degrees, by the book.
constexpr double A_W_14_14_X025 = 14.235817;

class PanelEngrane : public Programa {
protected:
    static void teclear(GLUI_EditText* e, const char* texto) { e->user_commit(texto); }
    // The read-out with its lines joined: a reason may be broken over two.
    static std::string lectura() {
        std::string t = glui_LecturaEngrane->get_text();
        for (char& c : t)
            if (c == '\n') c = ' ';
        return t;
    }
    static bool dice(const std::string& algo) { return lectura().find(algo) != std::string::npos; }
    // The pair built on its worker thread, polled once a frame as the program does, with a deadline.
    static Recogida esperar_par() {
        Recogida r = Recogida::CALCULANDO;
        auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while ((r = recoger_engrane(nullptr, nullptr)) == Recogida::CALCULANDO && std::chrono::steady_clock::now() < fin) {
            idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        idle();
        return r;
    }
};

}  // namespace

TEST_F(PanelEngrane, CerradoAlEmpezarConSusValores) {
    for (int modo : {SIMULACION_ESTANDAR}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        ASSERT_NE(glui_Engrane, nullptr);
        EXPECT_FALSE(glui_Engrane->is_open());
        EXPECT_EQ(glui_EngraneCon->get_int_val(), 0) << "a gear";
        EXPECT_EQ(glui_EngraneDientes->get_int_val(), 14);
        EXPECT_FLOAT_EQ(glui_EngraneDesplazamiento->get_float_val(), 0.0f);
        EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 14.0f) << "a_w of 14 and 14 teeth of module 1";
        EXPECT_EQ(glui_VerEngrane->get_int_val(), 0);
        EXPECT_TRUE(glui_EngraneDientes->enabled());
        EXPECT_FALSE(engrane_en_vista()) << "the drawing shows the cut";
        EXPECT_TRUE(dice("a_w = 14.000")) << lectura();
        EXPECT_TRUE(dice("Relacion de contacto: 1.463")) << lectura();
        EXPECT_EQ(C_Mueve, APROXIMACION) << "nothing cut";
    }
}

// Values a single gear's panel or the mesh cannot take are refused as the command line refuses
// them: the field shows its value of before, the read-out says why, nothing changes.
TEST_F(PanelEngrane, RechazaLoQueNoEngrana) {
    elegir(SIMULACION_ESTANDAR);
    struct Caso {
        GLUI_EditText** campo;
        const char* texto;
        const char* por_que;
        float queda;
    } casos[] = {
        {&glui_EngraneDientes, "2", "fuera de 0 (cremallera) o 3 ... 500 dientes", 14},
        {&glui_EngraneDientes, "501", "fuera de 0", 14},
        {&glui_EngraneDientes, "-4", "fuera de 0", 14},
        {&glui_EngraneDesplazamiento, "-6.5", "sin fondo", 0},
        {&glui_EngraneDesplazamiento, "1.5", "fuera de -1 ... 1", 0},
        {&glui_EngraneDistancia, "13.5", "menor que la de funcionamiento", 14},
        {&glui_EngraneDistancia, "-2", "debe ser mayor que 0", 14},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        teclear(*c.campo, c.texto);
        EXPECT_FLOAT_EQ((*c.campo)->get_float_val(), c.queda);
        EXPECT_TRUE((*c.campo)->recently_refused());
        EXPECT_TRUE(dice(c.por_que)) << lectura();
        EXPECT_EQ(Engrane_Dientes, 14);
        EXPECT_EQ(Engrane_Desplazamiento, 0.0f);
        EXPECT_EQ(Engrane_Distancia, 0.0f);
    }
    // A value taken clears the reason.
    teclear(glui_EngraneDientes, "30");
    EXPECT_EQ(Engrane_Dientes, 30);
    EXPECT_FALSE(dice("fuera de")) << lectura();
    EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 22.0f);
    // The shifts' sum gives the working angle: x2 = 0.5 on 30 teeth with 14 moves a_w out.
    teclear(glui_EngraneDesplazamiento, "0.5");
    EXPECT_FLOAT_EQ(Engrane_Desplazamiento, 0.5f);
    EXPECT_GT(glui_EngraneDistancia->get_float_val(), 22.4f);
    EXPECT_TRUE(dice("alfa_w = 23.04")) << lectura();
}

// The distance shows a_w while it follows the data; a distance typed stays until the data move
// a_w past it; 0 follows again.
TEST_F(PanelEngrane, LaDistanciaSigueLosDatosHastaQueSeEscribe) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    idle();
    EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 17.0f) << "(20 + 14) / 2";
    teclear(glui_EngraneDistancia, "17.2");
    EXPECT_FLOAT_EQ(Engrane_Distancia, 17.2f);
    EXPECT_TRUE(dice("Juego normal teorico: 0.1")) << lectura();
    EXPECT_FALSE(dice("Juego normal teorico: 0.000")) << "backlash at a larger distance";
    glui_Dientes->user_commit("16");
    idle();
    EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 17.2f) << "kept: a_w 15 is below it";
    teclear(glui_EngraneDientes, "30");
    EXPECT_EQ(Engrane_Distancia, 0.0f) << "a_w 23 passes it: back to following";
    EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 23.0f);
    teclear(glui_EngraneDistancia, "24");
    teclear(glui_EngraneDistancia, "0");
    EXPECT_EQ(Engrane_Distancia, 0.0f);
    EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 23.0f);
}

// No teeth is the rack: the list says so, gear 2's fields rest, the distance is r1 + x1·m.
TEST_F(PanelEngrane, CeroDientesEsLaCremallera) {
    elegir(SIMULACION_ESTANDAR);
    glui_Penetracion->user_commit("0.25");
    teclear(glui_EngraneDientes, "0");
    EXPECT_EQ(glui_EngraneCon->get_int_val(), 1);
    EXPECT_EQ(Engrane_Con, 1);
    EXPECT_EQ(glui_EngraneDientes->get_int_val(), 14) << "the gear's teeth kept for going back";
    EXPECT_FALSE(glui_EngraneDientes->enabled());
    EXPECT_FALSE(glui_EngraneDesplazamiento->enabled());
    EXPECT_FLOAT_EQ(glui_EngraneDistancia->get_float_val(), 7.25f);
    glui_EngraneCon->user_select(0);
    EXPECT_TRUE(glui_EngraneDientes->enabled());
    EXPECT_NEAR(glui_EngraneDistancia->get_float_val(), A_W_14_14_X025, 1e-4) << "the shift moves a_w out";
}

// "Ver engrane" finishes the cut as "Terminar" does; then the motion turns gear 1: a step of the
// turn per cut times the speed for "Siguiente >>", back for "<< Anterior", every frame in
// automatic mode. Leaving the mesh gives back the ended cut, untouched.
TEST_F(PanelEngrane, VerEngraneTerminaElCorteYLosBotonesGiranElPar) {
    elegir(SIMULACION_ESTANDAR);
    glui_VerEngrane->user_toggle();
    EXPECT_EQ(C_Engrane_ON, 1);
    EXPECT_EQ(C_Mueve, TERMINADO);
    float corte = E_angulo;
    EXPECT_TRUE(engrane_en_vista());
    EXPECT_TRUE(glui_Sig->enabled());
    EXPECT_TRUE(glui_AutoOnOff->enabled());
    EXPECT_TRUE(glui_Ant->enabled());
    EXPECT_FALSE(glui_Terminar->enabled());
    glui_Sig->user_press();
    idle();
    EXPECT_FLOAT_EQ(Engrane_Giro, 1.0f);
    glui_Velocidad->user_select(5);
    glui_Sig->user_press();
    idle();
    EXPECT_FLOAT_EQ(Engrane_Giro, 6.0f);
    glui_Ant->user_press();
    idle();
    EXPECT_FLOAT_EQ(Engrane_Giro, 1.0f);
    glui_Ant->user_press();
    idle();
    EXPECT_FLOAT_EQ(Engrane_Giro, 356.0f) << "within one turn";
    glui_AutoOnOff->user_press();
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Manual");
    EXPECT_FALSE(glui_Sig->enabled());
    for (int i = 0; i < 3; ++i) idle();
    EXPECT_FLOAT_EQ(Engrane_Giro, 11.0f);
    EXPECT_EQ(C_Mueve, TERMINADO) << "the cut is not touched";
    EXPECT_EQ(E_angulo, corte);
    glui_Giro->user_commit("3");
    EXPECT_EQ(E_incremento, 1.0f) << "the data stay locked as after a cut";

    glui_VerEngrane->user_toggle();
    EXPECT_FALSE(engrane_en_vista());
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");
    EXPECT_FALSE(glui_AutoOnOff->enabled());
    EXPECT_FALSE(glui_Sig->enabled());
    EXPECT_TRUE(glui_Ant->enabled()) << "the ended cut's step back";
    idle();
    EXPECT_FLOAT_EQ(Engrane_Giro, 11.0f);
    EXPECT_EQ(E_angulo, corte);
    glui_Ant->user_press();
    idle();
    EXPECT_NE(C_Mueve, TERMINADO) << "<< Anterior steps the cut back again";
}

TEST_F(PanelEngrane, LaVistaDelEngraneEsAparte) {
    elegir(SIMULACION_ESTANDAR);
    trans[0] = 3, trans[2] = -2;
    glui_VerEngrane->user_toggle();
    EXPECT_EQ(trans[0], 0) << "the pair fitted";
    EXPECT_EQ(trans[2], 0);
    trans[1] = 5;
    glui_VerEngrane->user_toggle();
    EXPECT_EQ(trans[0], 3) << "the cut's view back";
    EXPECT_EQ(trans[1], 0);
    EXPECT_EQ(trans[2], -2);
}

// "Nuevo corte" leaves the mesh and keeps its values; "Reiniciar" puts them back to their start.
TEST_F(PanelEngrane, NuevoCorteYReiniciarDejanElEngrane) {
    elegir(SIMULACION_ESTANDAR);
    teclear(glui_EngraneDientes, "25");
    glui_VerEngrane->user_toggle();
    ASSERT_TRUE(engrane_en_vista());
    glui_NuevoCorte->user_press();
    EXPECT_EQ(C_Engrane_ON, 0);
    EXPECT_EQ(glui_VerEngrane->get_int_val(), 0);
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_TRUE(glui_Sig->enabled());
    EXPECT_EQ(Engrane_Dientes, 25);
    glui_VerEngrane->user_toggle();
    glui_EngraneCon->user_select(1);
    glui_Clear->user_press();
    EXPECT_EQ(C_Engrane_ON, 0);
    EXPECT_EQ(Engrane_Dientes, 14);
    EXPECT_EQ(Engrane_Con, 0);
    EXPECT_EQ(glui_EngraneDientes->get_int_val(), 14);
    EXPECT_EQ(glui_EngraneCon->get_int_val(), 0);
    EXPECT_TRUE(glui_EngraneDientes->enabled());
}

// The pair is built off the frames: first "calculating", then the measured figures; a change of
// the distance builds another.
TEST_F(PanelEngrane, ElParSeConstruyeAparteYSeMide) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    teclear(glui_EngraneDientes, "20");
    glui_VerEngrane->user_toggle();
    EXPECT_TRUE(dice("Calculando el engrane")) << lectura();
    ASSERT_EQ(esperar_par(), Recogida::LISTO);
    const ParMostrado* par = nullptr;
    recoger_engrane(&par, nullptr);
    ASSERT_NE(par, nullptr);
    EXPECT_FALSE(par->triangulos1.empty());
    EXPECT_FALSE(par->triangulos2.empty());
    EXPECT_TRUE(dice("Relacion de contacto: 1.557 (medida 1.")) << lectura();
    EXPECT_NEAR(par->medidas.relacion_contacto, 1.557, 0.08 * 1.557);
    EXPECT_FALSE(dice("Calculando"));
    long antes = par->serie;
    teclear(glui_EngraneDistancia, "20.1");
    EXPECT_EQ(recoger_engrane(&par, nullptr), Recogida::CALCULANDO);
    EXPECT_EQ(par->serie, antes) << "the pair of before is drawn meanwhile";
    ASSERT_EQ(esperar_par(), Recogida::LISTO);
    recoger_engrane(&par, nullptr);
    EXPECT_NE(par->serie, antes);
    EXPECT_NEAR(par->engrane->teoria().a, 20.1, 1e-6);
    EXPECT_GT(par->medidas.juego_normal, 0.05) << "backlash at a_w + 0.1";
    EXPECT_TRUE(dice("Juego normal: 0.0")) << lectura();
}

// Data that cannot mesh any more (gear 1's shift changed after gear 2's: the shifts' sum leaves
// no working pressure angle): "Ver engrane" is refused with the reason, the cut left as it was.
TEST_F(PanelEngrane, LoQueYaNoEngranaSeRechazaAlVerlo) {
    elegir(SIMULACION_ESTANDAR);
    teclear(glui_EngraneDesplazamiento, "-0.5");
    ASSERT_FLOAT_EQ(Engrane_Desplazamiento, -0.5f);
    glui_Penetracion->user_commit("-1");
    glui_VerEngrane->user_toggle();
    EXPECT_EQ(C_Engrane_ON, 0);
    EXPECT_EQ(glui_VerEngrane->get_int_val(), 0);
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_TRUE(dice("angulo de funcionamiento nulo")) << lectura();
}

// The wheel zooms the mesh's view about the point under the pointer, as it does the cut's.
TEST_F(PanelEngrane, LaRuedaDelRatonAmpliaLaVistaDelPar) {
    elegir(SIMULACION_ESTANDAR);
    glui_VerEngrane->user_toggle();
    ASSERT_EQ(esperar_par(), Recogida::LISTO);
    const ParMostrado* par = nullptr;
    recoger_engrane(&par, nullptr);
    ASSERT_NE(par, nullptr);
    const Engrane& e = *par->engrane;
    MarcoEngrane m = marco_engrane(e.teoria(), e.rueda1(), e.rueda2());
    ventanas.area[2] = 800, ventanas.area[3] = 600, ventanas.alto = 600;
    // The scene point at the centre of pixel (600, 150), x from the left, y from the top.
    auto punto = [&] {
        CajaVista c = caja_engrane(m, trans, 800, 600);
        return std::pair{c.izquierda + 600.5 / 800 * (c.derecha - c.izquierda), c.arriba - 150.5 / 600 * (c.arriba - c.abajo)};
    };
    auto antes = punto();
    double ancho = caja_engrane(m, trans, 800, 600).derecha - caja_engrane(m, trans, 800, 600).izquierda;
    mousePress(RUEDA_ARRIBA, PULSADO, 600, 150);
    auto despues = punto();
    EXPECT_NEAR(despues.first, antes.first, 1e-4);
    EXPECT_NEAR(despues.second, antes.second, 1e-4);
    CajaVista c = caja_engrane(m, trans, 800, 600);
    EXPECT_NEAR(c.derecha - c.izquierda, ancho / FACTOR_RUEDA, 1e-4) << "10% larger";
}
