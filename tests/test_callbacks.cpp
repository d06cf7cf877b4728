#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/mecanismos.h"
#include "nucleo/medidas.h"
#include "nucleo/movimiento.h"
#include "nucleo/tallado.h"
#include "nucleo/panel.h"
#include "prueba.h"

namespace {

const float PI_F = 3.14159265f;

}  // namespace

class Callbacks : public Programa {
protected:
    void estandar() { elegir(SIMULACION_ESTANDAR); }
    void experimental() { elegir(SIMULACION_EXPERIMENTAL); }
    // A value typed into a field and confirmed with Enter.
    static void teclear(GLUI_EditText* e, const char* texto) { e->user_commit(texto); }
};

TEST_F(Callbacks, NumeroDeDientes) {
    estandar();
    teclear(glui_Dientes, "2");
    EXPECT_EQ(glui_Dientes->get_int_val(), 3);
    EXPECT_EQ(Z, 3.0f);
    teclear(glui_Dientes, "17");
    EXPECT_EQ(informa->get_text(), TEXTO_SOCAVACION);
    teclear(glui_Dientes, "18");
    EXPECT_EQ(informa->get_text(), "");
    EXPECT_FLOAT_EQ(Rp, 9.0f);
    EXPECT_FLOAT_EQ(glui_RPaso->get_float_val(), 18.0f);
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 20.0f);
    EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 15.5f);
    EXPECT_FLOAT_EQ(Origen, -2 * (10 - 7.75f) - 10);
    EXPECT_FLOAT_EQ(C_Paso_Y, 0.45f);
    EXPECT_FLOAT_EQ(Paso, PI_F);
    teclear(glui_Dientes, "20");
    EXPECT_FLOAT_EQ(Rc, 11.0f);
    EXPECT_FLOAT_EQ(Rb, 8.75f);
}

TEST_F(Callbacks, NumeroDeDientesExperimentalCambiaElPaso) {
    experimental();
    teclear(glui_Modulo_T, "3");
    EXPECT_FLOAT_EQ(Paso, 3 * PI_F);
    teclear(glui_Dientes, "20");
    EXPECT_FLOAT_EQ(Paso, static_cast<float>(2 * M_PI * 7 / 20)) << "module field notwithstanding";
    EXPECT_FLOAT_EQ(Rp, 7.0f) << "radii kept in experimental mode";
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 3.0f);
}

TEST_F(Callbacks, Diametros) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        // Standard: raised to the pitch diameter; experimental: a tip of radius 0 leaves no
        // gear, refused.
        teclear(glui_RCabeza, "-4");
        EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), modo == SIMULACION_ESTANDAR ? 14.0f : 16.0f);
        EXPECT_EQ(glui_RCabeza->recently_refused(), modo == SIMULACION_EXPERIMENTAL);
        teclear(glui_RCabeza, "12");
        // Below the pitch diameter: replaced by it in standard mode only.
        EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), modo == SIMULACION_ESTANDAR ? 14.0f : 12.0f);
        EXPECT_FLOAT_EQ(Rc, modo == SIMULACION_ESTANDAR ? 7.0f : 6.0f);
        EXPECT_FLOAT_EQ(Origen, static_cast<float>(-2.0 * (Rc - Rb) - Rc));
        teclear(glui_RBase, "15");
        EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 14.0f);
        EXPECT_FLOAT_EQ(Rb, 7.0f);
        teclear(glui_RBase, "-1");
        EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 0.0f);
        teclear(glui_RBase, "1.5");  // small, but no less than nothing: kept
        EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 1.5f);
        EXPECT_FLOAT_EQ(Rb, 0.75f);
        // Corrected to 0, the pitch circle would roll nothing (standard: every radius 0 and
        // a view of no size): refused in both simulations.
        teclear(glui_RPaso, "-3");
        EXPECT_FLOAT_EQ(glui_RPaso->get_float_val(), 14.0f);
        EXPECT_FLOAT_EQ(Rp, 7.0f);
    }
}

// Values whose results overflow a float, or leave a view of no size, are refused like
// a non-number: the field shows its value of before and nothing else changes.
TEST_F(Callbacks, ValoresQueDesbordanSeRechazan) {
    struct Caso { int modo; GLUI_EditText** campo; const char* texto; };
    for (Caso c : {Caso{SIMULACION_EXPERIMENTAL, &glui_RCabeza, "3e38"},
                   Caso{SIMULACION_ESTANDAR, &glui_RPaso, "3.4e38"},
                   Caso{SIMULACION_ESTANDAR, &glui_RPaso, "0"},
                   Caso{SIMULACION_EXPERIMENTAL, &glui_Modulo_T, "3e38"},
                   Caso{SIMULACION_EXPERIMENTAL, &glui_Penetracion, "-3e38"}}) {
        SCOPED_TRACE(c.texto);
        TearDown();
        SetUp();
        elegir(c.modo);
        std::vector<float> antes{Z, Rp, Rc, Rb, Paso, Origen, C_Paso_Y, Penetracion};
        std::vector<float> campos;
        for (GLUI_Control* k : controles(v_glui)) campos.push_back(k->get_float_val());
        std::string aviso = informa->get_text();
        teclear(*c.campo, c.texto);
        EXPECT_EQ((std::vector<float>{Z, Rp, Rc, Rb, Paso, Origen, C_Paso_Y, Penetracion}), antes);
        std::vector<float> despues;
        for (GLUI_Control* k : controles(v_glui)) despues.push_back(k->get_float_val());
        EXPECT_EQ(despues, campos);
        EXPECT_EQ(informa->get_text(), aviso);
    }
    // Values the cut cannot make a gear of are refused too: a blank far beyond the largest
    // gear of the module (the view would no longer pan), a shift past a module.
    teclear(glui_RCabeza, "1e6");
    EXPECT_FLOAT_EQ(Rc, 8.0f);
    teclear(glui_Penetracion, "1e30");
    EXPECT_FLOAT_EQ(glui_Penetracion->get_float_val(), 0.0f);
    // A pitch radius whose rolling step at this turn per cut would overflow the rack's travel.
    TearDown();
    SetUp();
    experimental();
    teclear(glui_RPaso, "1e37");
    teclear(glui_Giro, "100000");
    EXPECT_EQ(E_incremento, 1.0f);
    EXPECT_EQ(glui_Giro->get_int_val(), 1);
}

TEST_F(Callbacks, IndiceDeListaFueraDeRango) {
    estandar();
    glui_Modulo->user_select(5);
    float rp = Rp;
    for (int malo : {-3, 18, 1000}) {
        glui_Modulo->set_int_val(malo);
        v_glui_control(1070);
        EXPECT_EQ(Rp, rp) << malo;
        EXPECT_GE(glui_Modulo->get_int_val(), 0) << malo;
        EXPECT_LT(glui_Modulo->get_int_val(), NUM_MODULOS) << malo;
    }
    glui_Modulo->set_int_val(17);
    v_glui_control(1070);
    EXPECT_NE(Rp, rp) << "the last item is in range";
}

TEST_F(Callbacks, DiametroPrimitivoYListaDeModulos) {
    estandar();
    teclear(glui_RPaso, "20");
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), static_cast<float>(2 * (2.0 / 14 + 1) * 10));
    EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), static_cast<float>(2 * 10 * (1 - 2.5 / 14)));
    EXPECT_EQ(glui_Modulo->get_int_val(), 0) << "the module list is left as it was";
    teclear(glui_Dientes, "14");  // unchanged text: no commit
    teclear(glui_Dientes, "15");
    EXPECT_FLOAT_EQ(Rp, 7.5f) << "the typed pitch diameter is discarded";
    glui_Modulo->user_select(7);  // "5.00"
    EXPECT_FLOAT_EQ(Rp, 37.5f);
    EXPECT_FLOAT_EQ(glui_RPaso->get_float_val(), 75.0f);
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 85.0f);
    EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 62.5f);
    EXPECT_FLOAT_EQ(Paso, static_cast<float>(2 * M_PI * 37.5 / 15));
    EXPECT_FLOAT_EQ(C_Paso_Y, static_cast<float>(2 * 11.25 / 10));
}

TEST_F(Callbacks, DesplazamientoEstandar) {
    estandar();
    teclear(glui_Penetracion, "0.2");
    EXPECT_EQ(informa->get_text(), "") << "a shift of 0.2 clears the warning at 14 teeth";
    EXPECT_FLOAT_EQ(Penetracion, -0.2f);
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 16.4f);
    EXPECT_FLOAT_EQ(Rc, 8.0f) << "standard radii stay unshifted";
    EXPECT_FLOAT_EQ(C_Paso_Y, static_cast<float>((4.5 - 0.2) / 10));
    EXPECT_FLOAT_EQ(Origen, -12.5f);
    teclear(glui_Dientes, "16");
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 18.0f) << "unshifted diameters written back";
    EXPECT_FLOAT_EQ(Penetracion, -0.2f);
    EXPECT_FLOAT_EQ(C_Paso_Y, static_cast<float>((4.5 - 0.2) / 10));
    teclear(glui_RCabeza, "19");
    EXPECT_FLOAT_EQ(C_Paso_Y, static_cast<float>(2 * (9.5 - 6.75) / 10)) << "without the shift";
    teclear(glui_Penetracion, "-0.1");
    EXPECT_FLOAT_EQ(Penetracion, 0.1f);
    EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), static_cast<float>(2 * (6.75 - 0.1)));
}

// The shift moves the rack in the experimental simulation as in the standard one: the
// radii stay, the fields show the shifted tip and root, a new shift replaces the old.
TEST_F(Callbacks, DesplazamientoExperimentalMueveLaCremallera) {
    experimental();
    teclear(glui_Penetracion, "0.5");
    EXPECT_FLOAT_EQ(Rc, 8.0f);
    EXPECT_FLOAT_EQ(Penetracion, -0.5f);
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 17.0f);
    EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 12.5f);
    EXPECT_FLOAT_EQ(radio_engranaje(), 8.5f);
    EXPECT_FLOAT_EQ(radio_circ_fondo(), 6.25f);
    teclear(glui_Penetracion, "0.25");
    EXPECT_FLOAT_EQ(radio_engranaje(), 8.25f) << "replaced, not added";
    teclear(glui_Penetracion, "-0.5");
    EXPECT_FLOAT_EQ(Rb, 5.75f);
    EXPECT_FLOAT_EQ(Penetracion, 0.5f);
    EXPECT_FLOAT_EQ(radio_engranaje(), 7.5f) << "the tip follows a negative shift";
    EXPECT_FLOAT_EQ(radio_circ_fondo(), 5.25f);
}

TEST_F(Callbacks, ModuloExperimental) {
    experimental();
    teclear(glui_Modulo_T, "0.5");
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 1.0f);
    EXPECT_FLOAT_EQ(Paso, PI_F);
    teclear(glui_Modulo_T, "2");
    EXPECT_FLOAT_EQ(Paso, 2 * PI_F);
    EXPECT_FLOAT_EQ(Rc, 8.0f);
}

TEST_F(Callbacks, LimitesIso) {
    experimental();
    // The tooth is p/2 thick 1.25 below its tips: (π·cos20° - 5·sin20°) / (4(1 - sin20°)).
    teclear(glui_radio, "5");
    EXPECT_NEAR(ISO_Radio, 0.47191f, 1e-5);
    EXPECT_NEAR(glui_radio->get_float_val(), 0.47191f, 1e-5);
    EXPECT_TRUE(glui_depresion->enabled());
    EXPECT_FALSE(glui_circular->enabled());
    teclear(glui_depresion, "5");
    EXPECT_NEAR(ISO_Depresion, 0.63660f, 1e-5);
    EXPECT_NEAR(radio_maximo_iso(), 0.47191f, 1e-5);
    EXPECT_NEAR(depresion_maxima_iso(0), 0.76955f, 1e-5);
    // At r_max the two tip circles of the middle rack tooth meet at its centre line.
    {
        float d[NUM_DATOS];
        llenar_datos(d);
        d[D_DEPRESION] = 0;
        auto perfil = perfil_cremallera(d);
        const auto& t = perfil[2].puntos;
        float cima = d[D_RAIZ] + d[D_ALTURA];
        int en_cima = 0;
        for (const Punto& p : t)
            if (std::fabs(p.y - cima) < 1e-5f) {
                ++en_cima;
                EXPECT_NEAR(p.x, 0.0f, 1e-3);
            }
        EXPECT_GE(en_cima, 1);
    }
    // A larger module leaves the tip wider: the limit grows with the pitch.
    teclear(glui_Modulo_T, "2");
    teclear(glui_radio, "5");
    EXPECT_NEAR(ISO_Radio, 1.59358f, 1e-4);
    teclear(glui_radio, "0");
    EXPECT_FALSE(glui_depresion->enabled());
    EXPECT_EQ(ISO_Depresion, 0.0f);
    EXPECT_FLOAT_EQ(glui_depresion->get_float_val(), 0.0f);
    EXPECT_TRUE(glui_circular->enabled());
    teclear(glui_radio, "-1");
    EXPECT_FLOAT_EQ(glui_radio->get_float_val(), 0.0f);
}

// A pressure angle outside 10 to 35 degrees gives no proper tooth: refused on either flank.
TEST_F(Callbacks, AngulosFueraDeRangoSeRechazan) {
    experimental();
    for (const char* malo : {"0", "9.99", "35.01", "90", "-20"}) {
        SCOPED_TRACE(malo);
        teclear(glui_Angulo, malo);
        EXPECT_EQ(Angulo, 20.0f);
        EXPECT_TRUE(glui_Angulo->recently_refused());
        teclear(glui_Angulo_2, malo);
        EXPECT_EQ(Angulo_2, 20.0f);
        EXPECT_FLOAT_EQ(glui_Angulo_2->get_float_val(), 20.0f);
    }
    EXPECT_TRUE(glui_circular->enabled());
    teclear(glui_Angulo_2, "35");
    EXPECT_EQ(Angulo_2, 35.0f);
    EXPECT_FALSE(glui_circular->enabled()) << "different angles exclude the circular flanks";
    teclear(glui_Angulo, "10");
    EXPECT_EQ(Angulo, 10.0f);
    EXPECT_FALSE(glui_Angulo->recently_refused());
}

TEST_F(Callbacks, FlechaExcluyeIsoYAsimetria) {
    experimental();
    teclear(glui_Flecha, "0.5");
    EXPECT_FLOAT_EQ(Flecha, 0.5f);
    EXPECT_FALSE(glui_iso->enabled());
    EXPECT_FALSE(glui_radio->enabled());
    EXPECT_FALSE(glui_asimetrico->enabled());
    EXPECT_FALSE(glui_Angulo_2->enabled());
    teclear(glui_Flecha, "0");
    EXPECT_TRUE(glui_iso->enabled());
    EXPECT_TRUE(glui_asimetrico->enabled());
}

TEST_F(Callbacks, IdentificadorDesconocidoSoloPasoFinal) {
    estandar();
    C_Paso_ON = 0;
    ventanas.redibujos.clear();
    float z = Z, origen = Origen;
    v_glui_control(0);
    v_glui_control(4242);
    EXPECT_EQ(Z, z);
    EXPECT_EQ(Origen, origen);
    EXPECT_EQ(glui_CPaso->get_int_val(), 0) << "live controls refreshed";
    EXPECT_EQ(ventanas.redibujos, (std::vector<int>{winIdMain, winIdMain}));
}

TEST_F(Callbacks, Colores) {
    estandar();
    glui_Elementos->user_select(1);
    EXPECT_EQ(QueObjeto, 1);
    EXPECT_FLOAT_EQ(glui_Rojo->get_float_val(), 1.0f);
    EXPECT_FLOAT_EQ(glui_Verde->get_float_val(), 0.0f);
    EXPECT_FLOAT_EQ(glui_Azul->get_float_val(), 0.0f);
    glui_Verde->user_set(0.5f);
    EXPECT_FLOAT_EQ(ColorEngranaje[1], 0.5f) << "orange blank";
    EXPECT_EQ(ventanas.borrados, 0);
    glui_Elementos->user_select(0);
    glui_Azul->user_set(0.25f);
    EXPECT_FLOAT_EQ(ColorFondo[2], 0.25f);
    EXPECT_EQ(ventanas.borrados, 1) << "the background changes at once";
    EXPECT_FLOAT_EQ(ventanas.ultimo_borrado[2], 0.25f);
    glui_Elementos->user_select(3);
    glui_Rojo->user_set(2.0f);
    EXPECT_FLOAT_EQ(ColorCirFondo[0], 1.0f);
    glui_Elementos->user_select(4);
    glui_Rojo->user_set(0.0f);
    EXPECT_FLOAT_EQ(ColorCirPaso[0], 0.0f);
}

TEST_F(Callbacks, ColoresTrasReconstruir) {
    estandar();
    glui_Elementos->user_select(2);
    glui_Rojo->user_set(0.5f);
    EXPECT_FLOAT_EQ(ColorCremallera[0], 0.5f);
    v_glui_control(1180);
    GLUI_Master.idle_tick();
    estandar();
    EXPECT_EQ(glui_Elementos->get_int_val(), 0);
    EXPECT_FLOAT_EQ(glui_Rojo->get_float_val(), ColorFondo[0]);
    glui_Verde->user_set(0.3f);
    EXPECT_FLOAT_EQ(ColorFondo[1], 0.3f) << "the spinners edit what the radio group shows";
    EXPECT_FLOAT_EQ(ColorCremallera[1], 0.0f);
    EXPECT_FLOAT_EQ(ColorCremallera[0], 0.5f) << "colours kept across the rebuild";
}

TEST_F(Callbacks, GiroPorTallada) {
    estandar();
    teclear(glui_Giro, "0");
    EXPECT_EQ(glui_Giro->get_int_val(), 1);
    EXPECT_EQ(E_incremento, 1.0f);
    teclear(glui_Giro, "-5");
    EXPECT_EQ(E_incremento, 1.0f);
    teclear(glui_Giro, "7");
    EXPECT_EQ(E_incremento, 7.0f);
}

TEST_F(Callbacks, BotonesDeMovimiento) {
    estandar();
    glui_AutoOnOff->user_press();
    EXPECT_EQ(Stop, 0);
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Manual");
    EXPECT_FALSE(glui_Sig->enabled());
    EXPECT_FALSE(glui_Ant->enabled());
    glui_AutoOnOff->user_press();
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");
    EXPECT_TRUE(glui_Sig->enabled());
    EXPECT_FALSE(glui_Ant->enabled()) << "nothing to undo at the very start";
    glui_Sig->user_press();
    EXPECT_EQ(Movimiento, 1);
    idle();
    EXPECT_TRUE(glui_Ant->enabled());
    glui_AutoOnOff->user_press();
    EXPECT_FALSE(glui_Ant->enabled());
    glui_AutoOnOff->user_press();
    EXPECT_TRUE(glui_Ant->enabled()) << "back in manual mode with a step to undo";
    glui_Ant->user_press();
    EXPECT_EQ(Movimiento, -1);
    idle();
    EXPECT_FALSE(glui_Ant->enabled()) << "back at the start";
}

TEST_F(Callbacks, Reiniciar) {
    experimental();
    teclear(glui_Dientes, "30");
    teclear(glui_RCabeza, "40");
    teclear(glui_Angulo, "25");
    glui_C_Asimetria->user_toggle();
    teclear(glui_Angulo_2, "30");
    glui_ISO->user_toggle();
    glui_C_Flecha->user_toggle();
    teclear(glui_Modulo_T, "4");
    teclear(glui_radio, "0.2");
    ASSERT_FALSE(glui_circular->enabled());
    glui_Dientes->disable();
    glui_Ant->enable();
    C_Mueve = RETORNO;
    C_X = 3;
    E_angulo = 40;
    Conta_h = 41;
    Stop = 0;
    Movimiento = -1;
    trans[0] = 2;
    glui_Clear->user_press();
    EXPECT_EQ(Z, 14.0f);
    EXPECT_EQ(glui_Dientes->get_int_val(), 14);
    EXPECT_TRUE(glui_Dientes->enabled());
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 16.0f);
    EXPECT_FLOAT_EQ(Angulo, 20.0f);
    EXPECT_FLOAT_EQ(Angulo_2, 20.0f) << "the second angle back with the first";
    EXPECT_FLOAT_EQ(glui_Angulo_2->get_float_val(), 20.0f);
    EXPECT_EQ(C_Asimetria, 0);
    EXPECT_EQ(glui_C_Asimetria->get_int_val(), 0);
    EXPECT_EQ(C_ISO, 1);
    EXPECT_EQ(C_Flecha, 1);
    EXPECT_EQ(glui_C_Flecha->get_int_val(), 1);
    EXPECT_TRUE(glui_Flecha->enabled());
    EXPECT_TRUE(glui_Angulo_2->enabled());
    EXPECT_TRUE(glui_radio->enabled());
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 1.0f);
    EXPECT_FLOAT_EQ(Paso, PI_F);
    EXPECT_EQ(ISO_Radio, 0.0f);
    EXPECT_FALSE(glui_depresion->enabled());
    EXPECT_TRUE(glui_circular->enabled());
    EXPECT_FLOAT_EQ(Origen, -12.5f);
    EXPECT_FLOAT_EQ(C_Paso_Y, 0.45f);
    EXPECT_EQ(C_Mueve, 10);
    EXPECT_EQ(C_X, 0.0f);
    EXPECT_EQ(E_angulo, 0.0f);
    EXPECT_EQ(Conta_h, 1);
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(Movimiento, 0) << "a pending step is dropped";
    EXPECT_FALSE(glui_Ant->enabled()) << "nothing to undo";
    EXPECT_EQ(trans[0], 0.0f);
}

TEST_F(Callbacks, ReiniciarEstandar) {
    estandar();
    glui_Modulo->user_select(5);
    teclear(glui_Dientes, "25");
    teclear(glui_Penetracion, "0.3");
    glui_Clear->user_press();
    EXPECT_EQ(glui_Modulo->get_int_val(), 0);
    EXPECT_FLOAT_EQ(Paso, PI_F);
    EXPECT_FLOAT_EQ(glui_RPaso->get_float_val(), 14.0f);
    EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 11.5f);
    EXPECT_EQ(Penetracion, 0.0f);
    EXPECT_EQ(informa->get_text(), TEXTO_SOCAVACION);
}

TEST_F(Callbacks, SalirVuelveAlDialogoYReconstruye) {
    estandar();
    teclear(glui_Dientes, "30");
    GLUI* panel = v_glui;
    glui_Elementos->user_select(1);
    glui_Azul->user_set(1.0f);
    v_glui_control(1180);
    EXPECT_EQ(informa, nullptr) << "no handle into the freed panel";
    EXPECT_FALSE(ventanas.visible[winIdMain]);
    EXPECT_TRUE(panel->closing());
    EXPECT_TRUE(glui->visible());
    EXPECT_EQ(Z, 14.0f);
    GLUI_Master.idle_tick();
    experimental();
    EXPECT_TRUE(ventanas.visible[winIdMain]);
    EXPECT_FALSE(glui->visible());
    EXPECT_EQ(glui_Dientes->get_int_val(), 14);
    EXPECT_FLOAT_EQ(ColorEngranaje[2], 1.0f);
}

// "Nuevo corte" starts again from the uncut blank with the data as they stand, the fields
// unlocked and the view kept; "Reiniciar" still gives the defaults.
TEST_F(Callbacks, NuevoCorteConservaLosDatos) {
    estandar();
    teclear(glui_Dientes, "8");
    teclear(glui_Penetracion, "0.6");
    EXPECT_FALSE(glui_NuevoCorte->enabled()) << "nothing cut yet";
    trans[0] = 1.5f;
    glui_Sig->user_press();
    idle();
    EXPECT_FALSE(glui_Dientes->enabled()) << "locked by the first approach step";
    EXPECT_TRUE(glui_NuevoCorte->enabled());
    glui_Terminar->user_press();
    ASSERT_EQ(C_Mueve, TERMINADO);
    EXPECT_FALSE(glui_AutoOnOff->enabled());
    glui_NuevoCorte->user_press();
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_EQ(E_angulo, 0.0f);
    EXPECT_EQ(C_Contador, 0.0f);
    EXPECT_EQ(Conta_h, 1);
    EXPECT_EQ(Primera_Vez, 1);
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(Z, 8.0f) << "the data as they stand";
    EXPECT_EQ(glui_Dientes->get_int_val(), 8);
    EXPECT_FLOAT_EQ(glui_Penetracion->get_float_val(), 0.6f);
    EXPECT_FLOAT_EQ(Penetracion, -0.6f);
    EXPECT_FLOAT_EQ(trans[0], 1.5f) << "the view kept for comparing";
    for (GLUI_Control* c : std::vector<GLUI_Control*>{glui_Dientes, glui_Modulo, glui_RPaso, glui_RCabeza, glui_RBase,
                                                      glui_Angulo, glui_Penetracion, glui_Giro, glui_Sig,
                                                      glui_AutoOnOff})
        EXPECT_TRUE(c->enabled()) << c->get_name();
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");
    EXPECT_FALSE(glui_Ant->enabled()) << "nothing to undo";
    EXPECT_FALSE(glui_NuevoCorte->enabled());
    EXPECT_FALSE(glui_Terminar->enabled());
    // The next cut takes the changed data and ends with its own teeth.
    teclear(glui_Penetracion, "0.3");
    EXPECT_FLOAT_EQ(Penetracion, -0.3f);
    glui_AutoOnOff->user_press();
    idle();
    glui_Terminar->user_press();
    ASSERT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(contar_dientes(contorno_tallado(), Rp), 8);
    EXPECT_NEAR(espesor_en_primitiva(contorno_tallado(), Rp), espesor_teorico(1, 20, 0.3), 0.02);
    glui_Clear->user_press();
    EXPECT_EQ(Z, 14.0f) << "Reiniciar keeps restoring the defaults";
    EXPECT_EQ(trans[0], 0.0f);
}

// In the experimental simulation the sag field comes back only where its panel allows it.
TEST_F(Callbacks, NuevoCorteExperimentalRespetaLosPanelesApagados) {
    experimental();
    glui_AutoOnOff->user_press();
    idle();
    ASSERT_FALSE(glui_Flecha->enabled());
    glui_NuevoCorte->user_press();
    EXPECT_TRUE(glui_Flecha->enabled()) << "equal angles, no ISO tip";
    EXPECT_TRUE(glui_Modulo_T->enabled());
    teclear(glui_Angulo_2, "25");
    ASSERT_FALSE(glui_circular->enabled());
    glui_Sig->user_press();
    idle();
    glui_NuevoCorte->user_press();
    EXPECT_FALSE(glui_Flecha->enabled()) << "the angles differ: no circular flanks";
    EXPECT_TRUE(glui_Dientes->enabled());
}

// After a shift the diameter fields show the textbook tip m(Z + 2 + 2x) and root
// m(Z - 2.5 + 2x), in both directions; the least shift shown, typed, clears the warning.
TEST_F(Callbacks, DiametrosTrasElDesplazamiento) {
    estandar();
    struct Caso { const char* x; float exterior, interior; };
    for (Caso c : {Caso{"0.5", 17.0f, 12.5f}, Caso{"-0.3", 15.4f, 10.9f}, Caso{"0", 16.0f, 11.5f}}) {
        SCOPED_TRACE(c.x);
        teclear(glui_Penetracion, c.x);
        EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), c.exterior);
        EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), c.interior);
        EXPECT_FLOAT_EQ(2 * radio_engranaje(), c.exterior) << "the blank turned to the tip";
        EXPECT_FLOAT_EQ(2 * radio_circ_fondo(), c.interior);
    }
    for (int z : {5, 10, 14, 16}) {
        SCOPED_TRACE(z);
        glui_Clear->user_press();
        teclear(glui_Dientes, std::to_string(z).c_str());
        teclear(glui_Penetracion, "0");
        std::string texto = informa_x->get_text();
        ASSERT_EQ(texto.rfind("Desplazamiento minimo x = ", 0), 0u) << texto;
        std::string minimo = texto.substr(26);
        EXPECT_GE(std::atof(minimo.c_str()), desplazamiento_minimo(z, 20));
        EXPECT_LT(std::atof(minimo.c_str()), desplazamiento_minimo(z, 20) + 0.001);
        teclear(glui_Penetracion, minimo.c_str());
        EXPECT_EQ(informa->get_text(), "") << "typing what is shown clears the warning";
    }
}

// Teeth from 3 to 500; giro up to two cuts a tooth pitch; a shift that leaves no root,
// a huge diameter: refused, with the red line under the field; a decimal comma is a point.
TEST_F(Callbacks, RangosDelPanel) {
    estandar();
    teclear(glui_Dientes, "500");
    EXPECT_EQ(Z, 500.0f);
    teclear(glui_Dientes, "501");
    EXPECT_EQ(Z, 500.0f);
    EXPECT_EQ(glui_Dientes->get_int_val(), 500);
    EXPECT_TRUE(glui_Dientes->recently_refused());
    teclear(glui_Dientes, "14");
    EXPECT_FALSE(glui_Dientes->recently_refused());
    teclear(glui_Giro, "12");
    EXPECT_EQ(E_incremento, 12.0f);
    teclear(glui_Giro, "13");
    EXPECT_EQ(E_incremento, 12.0f);
    teclear(glui_Giro, "360");
    EXPECT_EQ(E_incremento, 12.0f);
    teclear(glui_Dientes, "3");
    teclear(glui_Penetracion, "-0.25");
    EXPECT_FLOAT_EQ(glui_Penetracion->get_float_val(), 0.0f) << "a root of radius 0";
    teclear(glui_Penetracion, "-0,2");
    EXPECT_FLOAT_EQ(glui_Penetracion->get_float_val(), -0.2f) << "decimal comma";
    teclear(glui_Dientes, "14");
    float d = glui_RPaso->get_float_val();
    teclear(glui_RPaso, "99999999999");
    EXPECT_EQ(glui_RPaso->get_float_val(), d);
    EXPECT_TRUE(glui_RPaso->recently_refused());
    EXPECT_LE(glui_RPaso->get_text().size(), 8u) << "the number fits its field";
    teclear(glui_Penetracion, "x");
    EXPECT_TRUE(glui_Penetracion->recently_refused()) << "a text that is no number";
}

// An int field's value comes back whole after a refusal: the copy keeps ints as ints.
TEST_F(Callbacks, UnEnteroGrandeVuelveEntero) {
    estandar();
    valor_entero(ID_GIRO) = 2147483647;
    sincronizar_panel();
    teclear(glui_RPaso, "3e38");
    EXPECT_EQ(glui_Giro->get_int_val(), 2147483647);
    valor_entero(ID_DIENTES) = 2147483646;
    sincronizar_panel();
    teclear(glui_Angulo, "90");
    EXPECT_EQ(glui_Dientes->get_int_val(), 2147483646);
}
