#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/mecanismos.h"
#include "nucleo/movimiento.h"
#include "prueba.h"

class Movimiento_ : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_ESTANDAR);
    }
    // A press of a step button, then idle calls until the step is made.
    void pulsar(GLUI_Button* b) {
        b->user_press();
        for (int i = 0; i < 10 && Movimiento != 0; ++i) idle();
    }
    // Forward in manual mode until the finished state; returns the rolling steps of each phase.
    std::vector<int> fases(int direccion) {
        std::vector<int> r;
        int actual = 0, antes = C_Mueve;
        for (int n = 0; n < 20000; ++n) {
            float angulo = E_angulo;
            Movimiento = direccion;
            idle();
            if (E_angulo != angulo) ++actual;
            if (C_Mueve != antes && antes == RODADURA) {
                r.push_back(actual);
                actual = 0;
            }
            antes = C_Mueve;
            if (direccion > 0 && C_Mueve == TERMINADO) break;
            if (direccion < 0 && C_Mueve == APROXIMACION && C_Contador == 0 && Primera_Vez) break;
        }
        return r;
    }
    void cortar_todo() {
        glui_AutoOnOff->user_press();
        for (int n = 0; n < 20000 && C_Mueve != TERMINADO; ++n) idle();
    }
};

TEST_F(Movimiento_, PrimeraPulsacionBloqueaLosDatos) {
    pulsar(glui_Sig);
    EXPECT_FLOAT_EQ(C_Y, 0.45f);
    EXPECT_FLOAT_EQ(C_Desplaza, 0.45f);
    EXPECT_EQ(C_Contador, 1.0f);
    EXPECT_TRUE(glui_Ant->enabled());
    for (GLUI_Control* c : std::vector<GLUI_Control*>{glui_Dientes, glui_RPaso, glui_RCabeza, glui_RBase, glui_Angulo,
                                                      glui_Giro, glui_Penetracion, glui_Modulo})
        EXPECT_FALSE(c->enabled()) << c->get_name();
    EXPECT_EQ(ventanas.actual, winIdMain);
    EXPECT_FALSE(ventanas.redibujos.empty());
}

TEST_F(Movimiento_, LaUndecimaPulsacionRueda) {
    for (int i = 0; i < 10; ++i) pulsar(glui_Sig);
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_FLOAT_EQ(C_Y, 4.5f);
    EXPECT_EQ(E_angulo, 0.0f);
    pulsar(glui_Sig);
    EXPECT_EQ(C_Mueve, RODADURA);
    EXPECT_EQ(E_angulo, 1.0f);
    EXPECT_EQ(Conta_h, 2);
    EXPECT_FLOAT_EQ(C_X, static_cast<float>(7 * M_PI / 180)) << "the arc of the pitch circle, not the chord";
    EXPECT_FLOAT_EQ(C_Historia_X[1], C_X);
    EXPECT_EQ(Primera_Vez, 0);
}

TEST_F(Movimiento_, AtrasPorLaPrimeraAproximacion) {
    for (int i = 0; i < 3; ++i) pulsar(glui_Sig);
    for (int i = 0; i < 3; ++i) pulsar(glui_Ant);
    EXPECT_NEAR(C_Y, 0.0f, 1e-6);
    EXPECT_NEAR(C_Desplaza, 0.0f, 1e-6);
    EXPECT_EQ(C_Contador, 0.0f);
    EXPECT_FALSE(glui_Ant->enabled());
    EXPECT_FALSE(glui_Dientes->enabled()) << "data stay locked until the restart";
}

TEST_F(Movimiento_, AtrasAlPrincipioSeIgnora) {
    glui_AutoOnOff->user_press();
    glui_AutoOnOff->user_press();  // manual again: nothing to undo, "<< Anterior" stays off
    EXPECT_FALSE(glui_Ant->enabled());
    v_glui_control(1160);  // a request made all the same
    for (int i = 0; i < 40; ++i) idle();
    EXPECT_EQ(Movimiento, 0);
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_EQ(C_X, 0.0f);
    EXPECT_EQ(C_Desplaza, 0.0f);
    cortar_todo();
    EXPECT_FLOAT_EQ(C_Desplaza, 4.5f) << "recorded positions at full depth";
}

TEST_F(Movimiento_, VolverALaPrimeraEntradaNoDuplicaLaAproximacion) {
    for (int i = 0; i < 13; ++i) pulsar(glui_Sig);
    ASSERT_EQ(Conta_h, 4);
    for (int i = 0; i < 3; ++i) pulsar(glui_Ant);
    EXPECT_EQ(Conta_h, 1);
    EXPECT_EQ(Primera_Vez, 1);
    cortar_todo();
    EXPECT_FLOAT_EQ(C_Desplaza, 4.5f);
    EXPECT_EQ(Conta_h, 362);
}

TEST_F(Movimiento_, CorteCompletoPorDefecto) {
    std::vector<int> adelante = fases(1);
    EXPECT_EQ(adelante, (std::vector<int>{26, 52, 51, 51, 52, 51, 52, 26}));
    EXPECT_EQ(E_angulo, 361.0f);
    EXPECT_EQ(Conta_h, 362);
    for (int i = 1; i <= 361; ++i) EXPECT_NE(C_Historia_X[static_cast<size_t>(i)], 0.0f) << i;
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_FALSE(glui_Sig->enabled());
    EXPECT_FALSE(glui_AutoOnOff->enabled());
    EXPECT_TRUE(glui_Ant->enabled());
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");

    std::vector<int> atras = fases(-1);
    EXPECT_EQ(atras, (std::vector<int>{26, 52, 52, 52, 52, 52, 52, 23}));
    EXPECT_EQ(E_angulo, 0.0f);
    EXPECT_EQ(Conta_h, 1);
    EXPECT_NEAR(C_X, 0.0f, 1e-4);
    EXPECT_NEAR(C_Desplaza, 0.0f, 1e-5);
    EXPECT_FALSE(glui_Ant->enabled());
}

TEST_F(Movimiento_, AnguloEHistoriaVuelvenJuntos) {
    fases(1);
    for (int n = 0; n < 20000 && !(E_angulo == 0 && C_Contador == 0); ++n) {
        Movimiento = -1;
        idle();
        EXPECT_EQ(E_angulo / E_incremento, static_cast<float>(Conta_h - 1));
    }
}

TEST_F(Movimiento_, IncrementosDeSieteYDos) {
    struct Caso { const char* giro; float angulo; int pasos; };
    for (Caso c : {Caso{"7", 364, 52}, Caso{"2", 362, 181}}) {
        SCOPED_TRACE(c.giro);
        glui_Clear->user_press();
        glui_Giro->user_commit(c.giro);
        cortar_todo();
        EXPECT_EQ(E_angulo, c.angulo);
        EXPECT_EQ(Conta_h - 1, c.pasos);
    }
}

TEST_F(Movimiento_, AutomaticoHastaElFinal) {
    glui_AutoOnOff->user_press();
    EXPECT_EQ(Stop, 0);
    int llamadas = 0;
    while (C_Mueve != TERMINADO && llamadas < 20000) {
        idle();
        ++llamadas;
    }
    EXPECT_EQ(C_Mueve, TERMINADO);
    // 8 approaches and 8 withdrawals of 10 steps and a transition, 361 rolling steps and
    // 7 pitch-test transitions, 7 returns of 20 steps and a transition, the end move.
    EXPECT_EQ(llamadas, 8 * 11 + 368 + 8 * 11 + 7 * 21 + 1);
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");
    float y = C_Y, x = C_X;
    glui_Sig->enable();
    pulsar(glui_Sig);
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(C_Y, y);
    EXPECT_EQ(C_X, x);
}

TEST_F(Movimiento_, DeshacerElFinal) {
    cortar_todo();
    pulsar(glui_Ant);
    EXPECT_EQ(C_Mueve, RETIRADA);
    EXPECT_EQ(C_Contador, 1.0f);
    EXPECT_FLOAT_EQ(C_Y, 0.45f);
    EXPECT_TRUE(glui_AutoOnOff->enabled());
    EXPECT_TRUE(glui_Sig->enabled());
}

TEST_F(Movimiento_, AdelanteAntesQueAtras) {
    glui_AutoOnOff->user_press();
    Movimiento = -1;
    idle();  // a forward step clears the request
    EXPECT_EQ(Movimiento, 0);
    EXPECT_FLOAT_EQ(C_Y, 0.45f);
    for (int i = 0; i < 9; ++i) idle();
    ASSERT_EQ(C_Contador, 10.0f);
    Movimiento = -1;
    idle();  // the 10 -> 11 transition keeps it; the backward move follows in the same call
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_EQ(C_Contador, 10.0f);
    EXPECT_EQ(Movimiento, -1);
}

TEST_F(Movimiento_, AtrasEnElEstadoFinalQuedaPendiente) {
    for (int n = 0; n < 20000 && C_Mueve != FINAL; ++n) {
        Movimiento = 1;
        idle();
    }
    ASSERT_EQ(C_Mueve, FINAL);
    Movimiento = -1;
    idle();
    EXPECT_EQ(Movimiento, -1);
    EXPECT_EQ(C_Mueve, FINAL);
    Movimiento = 1;
    idle();
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(Movimiento, 0);
}

TEST_F(Movimiento_, PulsacionesAlAzarNuncaSalenDeLaHistoria) {
    std::mt19937 azar(12345);
    for (int ronda = 0; ronda < 20; ++ronda) {
        glui_Clear->user_press();
        glui_Giro->user_commit(std::to_string(1 + static_cast<int>(azar() % 12)));
        for (int n = 0; n < 3000; ++n) {
            switch (azar() % 9) {
                case 0: glui_AutoOnOff->user_press(); break;
                case 1: case 2: case 3: case 4: glui_Sig->user_press(); break;
                case 5: case 6: case 7: glui_Ant->user_press(); break;
                default: break;
            }
            idle();
            ASSERT_GE(Conta_h, 1);
            ASSERT_LE(static_cast<size_t>(Conta_h), C_Historia_X.size());
            ASSERT_GE(E_angulo, 0.0f);
            ASSERT_EQ(E_angulo / E_incremento, static_cast<float>(Conta_h - 1));
        }
    }
}

// "Siguiente >>" and "Salir" pressed in one burst, before the idle tick: the step request
// must not outlive the panel, whose controls are freed when the closed window is removed.
TEST_F(Movimiento_, SalirConUnPasoPendienteNoTocaElPanelLiberado) {
    GLUI_Master.set_glutIdleFunc(idle);
    glui_RPaso->user_commit("0");
    for (int i = 0; i < 10; ++i) pulsar(glui_Sig);
    glui_Sig->user_press();
    GLUI_Button* salir = static_cast<GLUI_Button*>(control(v_glui, "Salir"));
    ASSERT_NE(salir, nullptr);
    salir->user_press();
    EXPECT_EQ(Movimiento, 0);
    EXPECT_EQ(v_glui, nullptr) << "no handle to the closing panel is kept";
    GLUI_Master.idle_tick();  // removes the panel, then runs the motion's idle
    GLUI_Master.idle_tick();
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_EQ(C_Contador, 0.0f);
    EXPECT_TRUE(glui->visible());
    // A new panel starts from rest.
    elegir(SIMULACION_ESTANDAR);
    GLUI_Master.idle_tick();
    EXPECT_EQ(C_Y, 0.0f);
    EXPECT_TRUE(glui_Dientes->enabled());
}

TEST_F(Movimiento_, ReiniciarBorraElPasoPendiente) {
    for (int i = 0; i < 3; ++i) pulsar(glui_Sig);
    glui_Sig->user_press();
    glui_Clear->user_press();
    EXPECT_EQ(Movimiento, 0);
    idle();
    EXPECT_EQ(C_Y, 0.0f);
    EXPECT_TRUE(glui_Dientes->enabled()) << "no step after the restart locks the data";
    glui_Ant->enable();
    glui_Ant->user_press();
    glui_Clear->user_press();
    EXPECT_EQ(Movimiento, 0);
}

TEST_F(Movimiento_, CompletarCorteComoElAutomatico) {
    cortar_todo();
    std::vector<float> automatico(C_Historia_X.begin(), C_Historia_X.end());
    float x = C_X, angulo = E_angulo;
    int h = Conta_h;

    glui_Clear->user_press();
    size_t redibujos = ventanas.redibujos.size();
    v_glui_control(ID_TERMINAR);
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(E_angulo, angulo);
    EXPECT_EQ(Conta_h, h);
    EXPECT_EQ(C_X, x);
    EXPECT_EQ(std::vector<float>(C_Historia_X.begin(), C_Historia_X.end()), automatico);
    EXPECT_EQ(Stop, 1);
    EXPECT_FALSE(glui_Sig->enabled());
    EXPECT_FALSE(glui_AutoOnOff->enabled());
    EXPECT_TRUE(glui_Ant->enabled());
    EXPECT_FALSE(glui_Dientes->enabled()) << "the data locked as by the first approach";
    EXPECT_LE(ventanas.redibujos.size() - redibujos, 2u) << "no frame per move";
    completar_corte();
    EXPECT_EQ(E_angulo, angulo) << "a finished cut stays finished";
}

TEST_F(Movimiento_, CompletarCorteDesdeLaMitad) {
    for (int i = 0; i < 20; ++i) pulsar(glui_Sig);
    ASSERT_EQ(C_Mueve, RODADURA);
    completar_corte();
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(E_angulo, 361.0f);
    EXPECT_FLOAT_EQ(C_Desplaza, 4.5f);
}

TEST_F(Movimiento_, RodarEsRecorrerElArco) {
    glui_Clear->user_press();
    glui_Giro->user_commit("5");
    for (int i = 0; i < 11; ++i) pulsar(glui_Sig);
    ASSERT_EQ(E_angulo, 5.0f);
    EXPECT_FLOAT_EQ(C_X, static_cast<float>(7 * 5 * M_PI / 180));
    EXPECT_FLOAT_EQ(paso_rodadura(), static_cast<float>(7 * 5 * M_PI / 180));
}

class MovimientoExperimental : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_EXPERIMENTAL);
    }
};

TEST_F(MovimientoExperimental, ElCorteTerminaAunqueElPasoNoCuadreConLosDientes) {
    // A pitch diameter of 16 or 20 with 14 teeth of module 1: the tooth count runs past 14
    // long before the blank has turned; only the full turn ends the cut.
    for (const char* diametro : {"16", "20", "8"}) {
        SCOPED_TRACE(diametro);
        glui_Clear->user_press();
        glui_RPaso->user_commit(diametro);
        glui_AutoOnOff->user_press();
        int llamadas = 0;
        while (C_Mueve != TERMINADO && llamadas < 20000) {
            idle();
            ++llamadas;
        }
        EXPECT_EQ(C_Mueve, TERMINADO);
        EXPECT_EQ(E_angulo, 361.0f);
        if (std::atof(diametro) > 14) {
            EXPECT_GT(Diente, 14) << "more tooth spaces than teeth";
        }
        // Every rolling step rolled the rack by the arc of the typed pitch circle.
        float rp = static_cast<float>(std::atof(diametro) / 2);
        EXPECT_FLOAT_EQ(C_Historia_X[1], static_cast<float>(rp * M_PI / 180));
    }
}

TEST_F(MovimientoExperimental, SinRadioPrimitivoElDiscoGiraEntero) {
    // The panel refuses a pitch diameter of 0; the motion copes with it all the same.
    glui_RPaso->user_commit("0");
    EXPECT_EQ(Rp, 7.0f);
    Rp = 0;
    completar_corte();
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(E_angulo, 361.0f);
    EXPECT_EQ(C_X, 0.0f) << "a rack on a pitch circle of radius 0 does not travel";
    for (int n = 0; n < 20000 && !(E_angulo == 0 && C_Contador == 0); ++n) {
        Movimiento = -1;
        idle();
    }
    EXPECT_EQ(E_angulo, 0.0f) << "and steps back to the start";
    EXPECT_EQ(Conta_h, 1);
}

// "Terminar", the speed list and the progress title.
class ControlDelCorte : public Programa {
protected:
    struct Foto {
        std::vector<float> historia;
        float x, y, angulo, desplaza;
        int h, mueve, stop;
        bool sig, ant, automatico;
        bool operator==(const Foto& o) const {
            return historia == o.historia && x == o.x && y == o.y && angulo == o.angulo && desplaza == o.desplaza &&
                   h == o.h && mueve == o.mueve && stop == o.stop && sig == o.sig && ant == o.ant &&
                   automatico == o.automatico;
        }
    };
    static Foto foto() {
        return {C_Historia_X, C_X, C_Y, E_angulo, C_Desplaza, Conta_h, C_Mueve, Stop,
                glui_Sig->enabled(), glui_Ant->enabled(), glui_AutoOnOff->enabled()};
    }
    static void hasta_el_final() {
        for (int n = 0; n < 100000 && C_Mueve != TERMINADO; ++n) idle();
    }
    void pasos(int n) {
        for (int i = 0; i < n; ++i) {
            glui_Sig->user_press();
            for (int k = 0; k < 10 && Movimiento != 0; ++k) idle();
        }
    }
};

TEST_F(ControlDelCorte, TerminarDaLaMismaHistoriaQueCortarHastaElFinal) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        if (modo == SIMULACION_EXPERIMENTAL) glui_Giro->user_commit("3");
        // Run by hand to the end.
        pasos(30);
        glui_AutoOnOff->user_press();
        hasta_el_final();
        Foto a_mano = foto();
        // The same data, "Terminar" pressed part way.
        glui_Clear->user_press();
        if (modo == SIMULACION_EXPERIMENTAL) glui_Giro->user_commit("3");
        EXPECT_FALSE(glui_Terminar->enabled()) << "nothing started after the restart";
        pasos(30);
        ASSERT_TRUE(glui_Terminar->enabled());
        glui_Terminar->user_press();
        EXPECT_TRUE(foto() == a_mano);
        EXPECT_FALSE(glui_Terminar->enabled()) << "the cut has ended";
        EXPECT_EQ(Movimiento, 0);
    }
}

TEST_F(ControlDelCorte, TerminarTrasDeshacer) {
    elegir(SIMULACION_ESTANDAR);
    // The same undo twice: once finished by the automatic cut, once by "Terminar".
    std::vector<Foto> fin;
    for (bool terminar : {false, true}) {
        glui_Clear->user_press();
        glui_AutoOnOff->user_press();
        hasta_el_final();
        for (int i = 0; i < 120; ++i) {
            glui_Ant->user_press();
            for (int k = 0; k < 10 && Movimiento != 0; ++k) idle();
        }
        ASSERT_NE(C_Mueve, TERMINADO);
        ASSERT_LT(E_angulo, 361.0f);
        EXPECT_TRUE(glui_Terminar->enabled()) << "an undone end is a cut under way";
        if (terminar) {
            glui_Terminar->user_press();
        } else {
            glui_AutoOnOff->user_press();
            hasta_el_final();
        }
        EXPECT_FALSE(glui_Terminar->enabled());
        fin.push_back(foto());
    }
    EXPECT_TRUE(fin[0] == fin[1]);
    // One step back from the end enables "Terminar" again, and it ends the cut the same way.
    glui_Ant->user_press();
    idle();
    EXPECT_TRUE(glui_Terminar->enabled());
    glui_Terminar->user_press();
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(Conta_h, fin[1].h);
    EXPECT_EQ(C_Historia_X, fin[1].historia);
}

TEST_F(ControlDelCorte, TerminarHabilitadoSoloDuranteElCorte) {
    elegir(SIMULACION_ESTANDAR);
    EXPECT_FALSE(glui_Terminar->enabled());
    glui_Terminar->user_press();
    EXPECT_EQ(C_Mueve, APROXIMACION) << "a disabled button does nothing";
    EXPECT_EQ(C_Contador, 0.0f);
    pasos(1);
    EXPECT_TRUE(glui_Terminar->enabled());
    glui_Ant->user_press();
    idle();
    EXPECT_FALSE(glui_Terminar->enabled()) << "back at the very start";
    glui_AutoOnOff->user_press();
    idle();
    EXPECT_TRUE(glui_Terminar->enabled()) << "also in automatic mode";
    glui_Terminar->user_press();
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");
    glui_Clear->user_press();
    EXPECT_FALSE(glui_Terminar->enabled());
}

TEST_F(ControlDelCorte, VelocidadMultiplicaLosMovimientosPorCuadro) {
    elegir(SIMULACION_ESTANDAR);
    glui_AutoOnOff->user_press();
    int llamadas_x1 = 0;
    for (; llamadas_x1 < 100000 && C_Mueve != TERMINADO; ++llamadas_x1) idle();
    Foto x1 = foto();
    for (int pasos_cuadro : {2, 5, 10, 50}) {
        SCOPED_TRACE(pasos_cuadro);
        glui_Clear->user_press();
        glui_Velocidad->user_select(pasos_cuadro);
        EXPECT_EQ(Velocidad, pasos_cuadro);
        glui_AutoOnOff->user_press();
        int llamadas = 0;
        for (; llamadas < 100000 && C_Mueve != TERMINADO; ++llamadas) idle();
        EXPECT_TRUE(foto() == x1) << "the same cut, faster";
        EXPECT_LE(llamadas, (llamadas_x1 + pasos_cuadro - 1) / pasos_cuadro + 1);
        EXPECT_GE(llamadas, llamadas_x1 / pasos_cuadro);
    }
}

TEST_F(ControlDelCorte, SiguienteHaceTantosMovimientosComoLaVelocidad) {
    elegir(SIMULACION_ESTANDAR);
    glui_Velocidad->user_select(5);
    glui_Sig->user_press();
    idle();
    EXPECT_EQ(C_Contador, 5.0f) << "five approach moves in one frame";
    EXPECT_EQ(Movimiento, 0);
    idle();
    EXPECT_EQ(C_Contador, 5.0f) << "one press, five moves";
    glui_Sig->user_press();
    idle();
    EXPECT_EQ(C_Contador, 10.0f);
    // The approach ends: the change of phase counts as no move, the press goes on rolling.
    glui_Sig->user_press();
    for (int i = 0; i < 3 && Movimiento != 0; ++i) idle();
    EXPECT_EQ(E_angulo, 5.0f);
    // "<< Anterior" stays one move a press.
    glui_Ant->user_press();
    idle();
    EXPECT_EQ(E_angulo, 4.0f);
    // Near the end a press stops where "Siguiente >>" is disabled.
    glui_Velocidad->user_select(50);
    for (int i = 0; i < 400 && glui_Sig->enabled(); ++i) {
        glui_Sig->user_press();
        for (int k = 0; k < 5 && Movimiento != 0; ++k) idle();
    }
    EXPECT_FALSE(glui_Sig->enabled());
    for (int i = 0; i < 5; ++i) idle();
    EXPECT_EQ(Movimiento, 0) << "no request left standing";
    glui_Velocidad->user_select(1);
    EXPECT_EQ(Velocidad, 1);
}

TEST_F(ControlDelCorte, ProgresoEnElTitulo) {
    elegir(SIMULACION_ESTANDAR);
    EXPECT_EQ(titulo_principal(), "Ortanel - Simulacion estandar");
    pasos(11);
    EXPECT_EQ(titulo_principal(), "Ortanel - Simulacion estandar - 1 de 360 grados");
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion estandar - 1 de 360 grados");
    for (int i = 0; i < 1000 && E_angulo < 123; ++i) pasos(1);
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion estandar - 123 de 360 grados");
    size_t dados = ventanas.titulos.size();
    idle();
    idle();
    EXPECT_EQ(ventanas.titulos.size(), dados) << "the title is set only when it changes";
    glui_Terminar->user_press();
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion estandar") << "the plain title once the cut has ended";
    glui_Ant->user_press();
    idle();
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion estandar - 360 de 360 grados") << "never more than a turn";
    glui_Clear->user_press();
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion estandar");
}

TEST_F(MovimientoExperimental, PrimeraPulsacionBloqueaLosDatosDelModoExperimental) {
    std::vector<GLUI_EditText*> datos{glui_Dientes, glui_RPaso, glui_RCabeza, glui_RBase, glui_Angulo,
                                      glui_Giro,    glui_Penetracion, glui_Modulo_T, glui_Flecha};
    for (GLUI_EditText* c : datos) EXPECT_TRUE(c->enabled()) << c->get_name() << " editable before the cut";
    glui_Modulo_T->user_commit("2");
    ASSERT_FLOAT_EQ(Paso, 2 * 3.14159265f) << "an edit before the first step is taken";

    glui_Sig->user_press();
    idle();
    ASSERT_EQ(C_Contador, 1);
    EXPECT_TRUE(glui_Ant->enabled()) << "manual mode: the step back becomes possible";
    for (GLUI_EditText* c : datos) EXPECT_FALSE(c->enabled()) << c->get_name();

    // Typing into a locked field changes nothing the cut depends on.
    float paso = Paso, flecha = Flecha, z = Z, rc = Rc, rb = Rb, rp = Rp, incremento = E_incremento;
    glui_Modulo_T->user_commit("3");
    glui_Flecha->user_commit("0.5");
    glui_Dientes->user_commit("20");
    glui_RCabeza->user_commit("30");
    glui_RBase->user_commit("2");
    glui_RPaso->user_commit("9");
    glui_Giro->user_commit("4");
    glui_Penetracion->user_commit("0.5");
    EXPECT_EQ(Paso, paso);
    EXPECT_EQ(Flecha, flecha);
    EXPECT_EQ(Z, z);
    EXPECT_EQ(Rc, rc);
    EXPECT_EQ(Rb, rb);
    EXPECT_EQ(Rp, rp);
    EXPECT_EQ(E_incremento, incremento);
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 2.0f);

    // Stepping back to the very start leaves them locked; only the restart frees them.
    glui_Ant->user_press();
    idle();
    ASSERT_EQ(C_Contador, 0);
    for (GLUI_EditText* c : datos) EXPECT_FALSE(c->enabled()) << c->get_name();
    glui_Clear->user_press();
    for (GLUI_EditText* c : datos) EXPECT_TRUE(c->enabled()) << c->get_name();
}

TEST_F(MovimientoExperimental, AutomaticoBloqueaLosDatosSinHabilitarAnterior) {
    glui_AutoOnOff->user_press();
    idle();
    EXPECT_GE(C_Contador, 1);
    EXPECT_FALSE(glui_Ant->enabled()) << "no step back while the cut runs by itself";
    EXPECT_FALSE(glui_Modulo_T->enabled());
    EXPECT_FALSE(glui_Flecha->enabled());
    EXPECT_FALSE(glui_Dientes->enabled());
}

namespace {

// Where the rack stands now, as the frame draws it: the height of its body strip's edge and of
// its tips.
struct Alturas {
    float borde, puntas;
};
Alturas alturas_cremallera() {
    float d[NUM_DATOS];
    llenar_datos(d);
    colocar_actual(d);
    return {d[D_Y0], d[D_Y0] + d[D_RAIZ] + d[D_ALTURA]};
}

}  // namespace

TEST_F(Movimiento_, AproximacionConDesplazamientoHastaElFondo) {
    // Module 1, 14 teeth: outside radius 8, root radius 5.75. A shift coefficient x moves the
    // cutting depth by x and the blank's radius by x, in both simulations. After the ten equal
    // approach steps the strip edge is at 8 + max(x, 0) and the tips reach the shifted root
    // circle, whichever way the shift goes.
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        for (float x : {-0.5f, 0.3f, 0.0f}) {
            SCOPED_TRACE(testing::Message() << modo << " x=" << x);
            TearDown();
            Programa::SetUp();
            elegir(modo);
            glui_Penetracion->user_commit(testing::PrintToString(x));
            float borde = 8 + std::max(x, 0.0f), exterior = 8 + x, fondo = 5.75f + x;
            Alturas inicio = alturas_cremallera();
            EXPECT_LT(inicio.puntas, -fondo) << "the rack starts below the root circle";
            float antes = inicio.puntas;
            for (int i = 0; i < 10; ++i) {
                pulsar(glui_Sig);
                Alturas a = alturas_cremallera();
                EXPECT_NEAR(a.puntas - antes, (-fondo - inicio.puntas) / 10, 1e-5) << "step " << i;
                antes = a.puntas;
            }
            Alturas fin = alturas_cremallera();
            EXPECT_NEAR(fin.puntas, -fondo, 1e-5);
            EXPECT_NEAR(fin.borde, -borde, 1e-5);
            EXPECT_NEAR(radio_engranaje(), exterior, 1e-5) << "the blank drawn with the shift";
            EXPECT_NEAR(radio_circ_fondo(), fondo, 1e-5);
            EXPECT_NEAR(C_Desplaza, fin.borde - inicio.borde, 1e-5) << "the first approach is what the traces keep";
            // Back down the same way.
            for (int i = 0; i < 10; ++i) pulsar(glui_Ant);
            EXPECT_NEAR(alturas_cremallera().puntas, inicio.puntas, 1e-4);
        }
    }
}

TEST_F(ControlDelCorte, UnaPulsacionInterrumpidaNoAcortaLaSiguiente) {
    // At speed 5 a press at the end of the approach spends one move on the change of phase and
    // rolls four times: its fifth move is still pending when "<< Anterior" takes over. The next
    // press of "Siguiente >>" makes its own five moves, none of them counted for the one before.
    elegir(SIMULACION_ESTANDAR);
    glui_Velocidad->user_select(5);
    pasos(2);
    ASSERT_EQ(C_Contador, 10.0f);
    glui_Sig->user_press();
    idle();
    ASSERT_EQ(E_angulo, 4.0f);
    ASSERT_EQ(Movimiento, 1) << "the press's last move still pending";
    glui_Ant->user_press();
    idle();
    EXPECT_EQ(E_angulo, 3.0f);
    EXPECT_EQ(Movimiento, 0);
    glui_Sig->user_press();
    for (int i = 0; i < 5 && Movimiento != 0; ++i) idle();
    EXPECT_EQ(E_angulo, 8.0f);
}
