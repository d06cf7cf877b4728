#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/mecanismos.h"
#include "nucleo/movimiento.h"
#include "prueba.h"

class Escena : public Programa {};

TEST_F(Escena, CajaDeProyeccion) {
    float cero[3] = {0, 0, 0};
    CajaVista c = caja_proyeccion(-12.5f, cero, 660, 660);
    EXPECT_DOUBLE_EQ(c.izquierda, -17.5);
    EXPECT_DOUBLE_EQ(c.derecha, 17.5);
    EXPECT_DOUBLE_EQ(c.abajo, -17.5);
    EXPECT_DOUBLE_EQ(c.arriba, 17.5);

    float d[3] = {2, -1, 3};
    c = caja_proyeccion(-12.5f, d, 500, 500);
    EXPECT_DOUBLE_EQ(c.izquierda, -17.5 - 2 - 3);
    EXPECT_DOUBLE_EQ(c.derecha, 17.5 - 2 + 3);
    EXPECT_DOUBLE_EQ(c.abajo, -17.5 + 1 - 3);
    EXPECT_DOUBLE_EQ(c.arriba, 17.5 + 1 + 3);

    // Zoom of exactly 1.4·Origen: an empty box; lower mirrors the view.
    float plano[3] = {0, 0, -17.5f};
    c = caja_proyeccion(-12.5f, plano, 660, 660);
    EXPECT_DOUBLE_EQ(c.izquierda, c.derecha);
    EXPECT_DOUBLE_EQ(c.abajo, c.arriba);
    float espejo[3] = {0, 0, -20};
    c = caja_proyeccion(-12.5f, espejo, 660, 660);
    EXPECT_GT(c.izquierda, c.derecha);
    EXPECT_GT(c.abajo, c.arriba);
}

TEST_F(Escena, CajaConservaProporciones) {
    float d[3] = {1, 0, 0};
    CajaVista c = caja_proyeccion(-12.5f, d, 800, 400);  // wide: X widened
    EXPECT_DOUBLE_EQ(c.abajo, -17.5);
    EXPECT_DOUBLE_EQ(c.arriba, 17.5);
    EXPECT_DOUBLE_EQ((c.derecha - c.izquierda) / (c.arriba - c.abajo), 2.0);
    EXPECT_DOUBLE_EQ((c.derecha + c.izquierda) / 2, -1.0);
    c = caja_proyeccion(-12.5f, d, 300, 600);  // tall: Y widened
    EXPECT_DOUBLE_EQ(c.izquierda, -18.5);
    EXPECT_DOUBLE_EQ(c.derecha, 16.5);
    EXPECT_DOUBLE_EQ((c.arriba - c.abajo), 70.0);
}

TEST_F(Escena, RadiosDelDisco) {
    elegir(SIMULACION_ESTANDAR);
    EXPECT_FLOAT_EQ(radio_engranaje(), 8.0f);
    EXPECT_FLOAT_EQ(radio_circ_fondo(), 5.75f);
    Penetracion = -0.2f;
    EXPECT_FLOAT_EQ(radio_engranaje(), 8.2f);
    EXPECT_FLOAT_EQ(radio_circ_fondo(), 5.95f);
    Penetracion = 0.3f;
    EXPECT_FLOAT_EQ(radio_engranaje(), 7.7f) << "a negative shift turns the blank down";
    EXPECT_FLOAT_EQ(radio_circ_fondo(), 5.45f);
    QueSimula = SIMULACION_EXPERIMENTAL;
    Penetracion = -0.2f;
    EXPECT_FLOAT_EQ(radio_engranaje(), 8.2f) << "the same in the experimental simulation";
    EXPECT_FLOAT_EQ(radio_circ_fondo(), 5.95f);
}

TEST_F(Escena, BloqueDeDatos) {
    elegir(SIMULACION_EXPERIMENTAL);
    float d[NUM_DATOS];
    Penetracion = 0.4f;
    ISO_Radio = 0.3f;
    ISO_Depresion = 0.1f;
    Flecha = 0.7f;
    Angulo_2 = 25;
    C_Asimetria = 1;
    llenar_datos(d);
    EXPECT_EQ(d[0], 0.0f);
    EXPECT_EQ(d[1], 0.0f);
    EXPECT_EQ(d[2], 0.0f);
    EXPECT_FLOAT_EQ(d[3], 2.25f);
    EXPECT_FLOAT_EQ(d[4], Paso);
    EXPECT_FLOAT_EQ(d[5], 20.0f);
    EXPECT_FLOAT_EQ(d[6], 0.4f);
    EXPECT_FLOAT_EQ(d[7], 0.3f);
    EXPECT_FLOAT_EQ(d[8], 0.1f);
    EXPECT_FLOAT_EQ(d[9], 0.7f);
    EXPECT_FLOAT_EQ(d[10], 25.0f);
    EXPECT_FLOAT_EQ(d[11], 1.0f) << "the rolling line a module above the root line";
    Rc = 9.5f;
    llenar_datos(d);
    EXPECT_FLOAT_EQ(d[11], 2.5f) << "the typed outside diameter moves the root line, not the rolling line";
    C_ISO = 0;
    C_Flecha = 0;
    C_Asimetria = 0;
    Penetracion = -0.4f;
    llenar_datos(d);
    EXPECT_EQ(d[6], 0.0f);
    EXPECT_EQ(d[7], 0.0f);
    EXPECT_EQ(d[8], 0.0f);
    EXPECT_EQ(d[9], 0.0f);
    EXPECT_FLOAT_EQ(d[10], 20.0f);
}

TEST_F(Escena, RackEstandarTrasUnaSimulacionExperimental) {
    elegir(SIMULACION_EXPERIMENTAL);
    C_Asimetria = 1;
    Angulo_2 = 30;
    ISO_Radio = 0.4f;
    Flecha = 0.5f;
    QueSimula = SIMULACION_ESTANDAR;
    float d[NUM_DATOS];
    llenar_datos(d);
    EXPECT_FLOAT_EQ(d[10], d[5]) << "a standard rack is symmetric";
    EXPECT_EQ(d[7], 0.0f);
    EXPECT_EQ(d[8], 0.0f);
    EXPECT_EQ(d[9], 0.0f);
}

TEST_F(Escena, TrazasGiradasConElDisco) {
    elegir(SIMULACION_ESTANDAR);
    float d[NUM_DATOS];
    llenar_datos(d);
    EXPECT_EQ(recorrer_trazas(d, [](const float*) { ADD_FAILURE() << "no trace before rolling"; }), 0);

    // Three rolling steps of 1° after a full first approach.
    C_Desplaza = 4.5f;
    E_angulo = 3;
    Conta_h = 4;
    C_Historia_X[1] = 0.1f;
    C_Historia_X[2] = 0.2f;
    C_Historia_X[3] = 0.3f;
    std::vector<std::vector<float>> vistos;
    int n = recorrer_trazas(d, [&](const float* x) { vistos.emplace_back(x, x + 3); });
    ASSERT_EQ(n, 3);
    EXPECT_FLOAT_EQ(vistos[0][2], 3.0f);
    EXPECT_FLOAT_EQ(vistos[2][2], 1.0f);
    // Trace i: the rack at (H, Origen + C_Desplaza) turned by t about the blank's centre.
    for (int i = 0; i < 3; ++i) {
        double t = (3 - i) * M_PI / 180, h = C_Historia_X[static_cast<size_t>(i)], y = -8.0;
        EXPECT_NEAR(vistos[static_cast<size_t>(i)][0], h * std::cos(t) - y * std::sin(t), 1e-5);
        EXPECT_NEAR(vistos[static_cast<size_t>(i)][1], h * std::sin(t) + y * std::cos(t), 1e-5);
    }
    colocar_actual(d);
    EXPECT_FLOAT_EQ(d[0], C_X);
    EXPECT_FLOAT_EQ(d[1], C_Y + Origen);
    EXPECT_EQ(d[2], 0.0f);
}

TEST_F(Escena, TrazasNuncaLeenFueraDeLaHistoria) {
    elegir(SIMULACION_ESTANDAR);
    float d[NUM_DATOS];
    E_angulo = 1000;
    E_incremento = 1;
    EXPECT_EQ(recorrer_trazas(d, [](const float*) {}), 362);
    E_incremento = 0;
    EXPECT_EQ(recorrer_trazas(d, [](const float*) {}), 1);
}

TEST_F(Escena, UltimaTrazaDelCorteCompleto) {
    elegir(SIMULACION_ESTANDAR);
    float d[NUM_DATOS];
    E_angulo = 361;
    EXPECT_EQ(recorrer_trazas(d, [](const float*) {}), 361);
}

TEST_F(Escena, TrazasConDesplazamientoGiranConElDisco) {
    // Module 1, 14 teeth. With a shift coefficient x the rack cuts at full depth with its strip
    // edge on the blank's outside radius 8 + max(x, 0) and its tips on the root radius; every
    // recorded position is the rack as it stood then, turned with the blank about its centre.
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        for (float x : {-0.5f, 0.3f}) {
            SCOPED_TRACE(testing::Message() << modo << " x=" << x);
            TearDown();
            SetUp();
            elegir(modo);
            glui_Penetracion->user_commit(testing::PrintToString(x));
            float exterior = 8 + std::max(x, 0.0f);
            float fondo = 5.75f + x;
            for (int i = 0; i < 14; ++i) {
                glui_Sig->user_press();
                for (int k = 0; k < 10 && Movimiento != 0; ++k) idle();
            }
            ASSERT_EQ(E_angulo, 4.0f);
            float d[NUM_DATOS];
            llenar_datos(d);
            float altura = d[D_RAIZ] + d[D_ALTURA];
            int k = 0;
            int n = recorrer_trazas(d, [&](const float* t) {
                double g = t[D_GIRO] * M_PI / 180;
                EXPECT_NEAR(t[D_GIRO], E_angulo - k, 1e-5);
                // Turned back by its angle it is where the rack stood when it was recorded.
                double ux = t[D_X0] * std::cos(g) + t[D_Y0] * std::sin(g);
                double uy = -t[D_X0] * std::sin(g) + t[D_Y0] * std::cos(g);
                EXPECT_NEAR(ux, C_Historia_X[static_cast<size_t>(k)], 1e-4) << k;
                EXPECT_NEAR(uy, -exterior, 1e-4) << k;
                // Its tip line, a straight line of the turned rack, stays tangent to the root circle.
                double puntas = -t[D_X0] * std::sin(g) + t[D_Y0] * std::cos(g) + altura;
                EXPECT_NEAR(puntas, -fondo, 1e-4) << k;
                ++k;
            });
            EXPECT_EQ(n, 4);
            EXPECT_NEAR(C_X, C_Historia_X[4], 1e-6);
            EXPECT_NEAR(C_Historia_X[3], 3 * 7 * M_PI / 180, 1e-5) << "rolled on the pitch circle of radius 7";
        }
    }
}
