#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "nucleo/navegacion.h"
#include "prueba.h"

class Navegacion : public Programa {
protected:
    void arrastrar(int boton, int mods, int x0, int y0, int x1, int y1) {
        ventanas.mods = mods;
        mousePress(boton, PULSADO, x0, y0);
        activeMouseMotion(x1, y1);
        mousePress(boton, SOLTADO, x1, y1);
        ventanas.mods = 0;
    }
};

TEST_F(Navegacion, ArrastreIzquierdoDesplaza) {
    arrastrar(BOTON_IZQUIERDO, 0, 100, 100, 118, 64);
    EXPECT_FLOAT_EQ(trans[0], 1.0f);
    EXPECT_FLOAT_EQ(trans[1], 2.0f);
    EXPECT_FLOAT_EQ(trans[2], 0.0f);
    EXPECT_EQ(MoverGrafico, 0);
    arrastrar(BOTON_IZQUIERDO, MOD_SHIFT, 0, 0, -9, 0);
    EXPECT_FLOAT_EQ(trans[0], 0.5f);
    arrastrar(BOTON_IZQUIERDO, MOD_CTRL | MOD_SHIFT, 0, 0, 0, 18);
    EXPECT_FLOAT_EQ(trans[1], 1.0f) << "Ctrl with Shift pans";
}

TEST_F(Navegacion, ZoomConDerechoOConCtrl) {
    arrastrar(BOTON_DERECHO, 0, 50, 50, 500, 32);
    EXPECT_FLOAT_EQ(trans[2], 1.0f);
    EXPECT_FLOAT_EQ(trans[0], 0.0f) << "horizontal motion changes nothing while zooming";
    arrastrar(BOTON_IZQUIERDO, MOD_CTRL, 50, 50, 0, 32);
    EXPECT_FLOAT_EQ(trans[2], 2.0f);
    arrastrar(BOTON_DERECHO, MOD_SHIFT, 0, 0, 0, 18);
    EXPECT_FLOAT_EQ(trans[2], 1.0f);
}

TEST_F(Navegacion, SinArrastreNadaCambia) {
    mousePress(BOTON_IZQUIERDO, PULSADO, 10, 10);
    mousePress(BOTON_IZQUIERDO, SOLTADO, 10, 10);
    ventanas.redibujos.clear();
    activeMouseMotion(50, 50);
    EXPECT_FLOAT_EQ(trans[0], 0.0f);
    EXPECT_TRUE(ventanas.redibujos.empty());
    mousePress(BOTON_CENTRAL, PULSADO, 10, 10);
    activeMouseMotion(90, 90);
    EXPECT_FLOAT_EQ(trans[0], 0.0f);
    EXPECT_FLOAT_EQ(trans[1], 0.0f);
}

TEST_F(Navegacion, SoltarCualquierBotonTerminaElArrastre) {
    mousePress(BOTON_IZQUIERDO, PULSADO, 0, 0);
    mousePress(BOTON_DERECHO, PULSADO, 0, 0);
    EXPECT_EQ(MoverGrafico, MOVER_ZOOM) << "the right button switches a pan to zoom";
    mousePress(BOTON_DERECHO, SOLTADO, 0, 0);
    EXPECT_EQ(MoverGrafico, 0);
    activeMouseMotion(0, -36);
    EXPECT_FLOAT_EQ(trans[2], 0.0f);
}

TEST_F(Navegacion, ZoomSinLimites) {
    arrastrar(BOTON_DERECHO, 0, 0, 0, 0, 18 * 40);
    EXPECT_FLOAT_EQ(trans[2], -40.0f);
}

TEST_F(Navegacion, TeclasSoloRedibujan) {
    ventanas.actual = 999;
    ventanas.redibujos.clear();
    keyboard('a', 0, 0);
    EXPECT_EQ(ventanas.actual, winIdMain);
    EXPECT_EQ(ventanas.redibujos, std::vector<int>{winIdMain});
    pressKey(100, 0, 0);
    EXPECT_EQ(ventanas.redibujos.size(), 1u);
    EXPECT_FLOAT_EQ(trans[0] + trans[1] + trans[2], 0.0f);
}

// Keys in the drawing press the motion buttons; Home brings the view back; the wheel zooms about the pointer.
class Teclas : public Programa {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(SIMULACION_ESTANDAR);
    }
    struct Estado {
        int stop, movimiento, mueve;
        float contador, angulo;
        std::string auto_nombre;
        bool sig, ant, autom, terminar;
        bool operator==(const Estado& o) const {
            return stop == o.stop && movimiento == o.movimiento && mueve == o.mueve && contador == o.contador &&
                   angulo == o.angulo && auto_nombre == o.auto_nombre && sig == o.sig && ant == o.ant &&
                   autom == o.autom && terminar == o.terminar;
        }
    };
    static Estado estado() {
        return {Stop, Movimiento, C_Mueve, C_Contador, E_angulo, glui_AutoOnOff->get_name(),
                glui_Sig->enabled(), glui_Ant->enabled(), glui_AutoOnOff->enabled(), glui_Terminar->enabled()};
    }
};

TEST_F(Teclas, CadaTeclaHaceLoQueSuBoton) {
    // Each key against its button from the same situations: the start (Anterior disabled),
    // manual mode part way, automatic mode (Siguiente and Anterior disabled), the end.
    struct Tecla { bool especial; int codigo; GLUI_Button** boton; };
    std::vector<Tecla> teclas = {{false, ' ', &glui_Sig},          {true, TECLA_DERECHA, &glui_Sig},
                                 {true, TECLA_IZQUIERDA, &glui_Ant}, {false, 'a', &glui_AutoOnOff},
                                 {false, 't', &glui_Terminar}};
    auto situacion = [](int s) {
        glui_Clear->user_press();
        if (s >= 1) {
            for (int i = 0; i < 15; ++i) {
                glui_Sig->user_press();
                for (int k = 0; k < 5 && Movimiento != 0; ++k) idle();
            }
        }
        if (s == 2) glui_AutoOnOff->user_press();
        if (s == 3) v_glui_control(ID_TERMINAR);
    };
    for (int s = 0; s < 4; ++s) {
        for (const Tecla& t : teclas) {
            SCOPED_TRACE(std::to_string(s) + " " + std::to_string(t.codigo));
            situacion(s);
            (*t.boton)->user_press();
            for (int k = 0; k < 3; ++k) idle();
            Estado por_boton = estado();
            situacion(s);
            if (t.especial) pressKey(t.codigo, 0, 0);
            else keyboard(static_cast<unsigned char>(t.codigo), 0, 0);
            for (int k = 0; k < 3; ++k) idle();
            EXPECT_TRUE(estado() == por_boton);
        }
    }
    // The enabled states really stopped something: at the start "<<" and at the end ">>" did nothing.
    TearDown();
    SetUp();
    pressKey(TECLA_IZQUIERDA, 0, 0);
    EXPECT_EQ(Movimiento, 0);
    situacion(3);
    keyboard(' ', 0, 0);
    EXPECT_EQ(Movimiento, 0);
    keyboard('t', 0, 0);
    EXPECT_EQ(C_Mueve, TERMINADO);
}

TEST_F(Teclas, OtrasTeclasSoloRedibujan) {
    Estado antes = estado();
    size_t redibujos = ventanas.redibujos.size();
    keyboard('x', 0, 0);
    keyboard('\r', 0, 0);
    pressKey(1, 0, 0);  // F1
    EXPECT_TRUE(estado() == antes);
    EXPECT_EQ(ventanas.redibujos.size(), redibujos + 2);
    EXPECT_EQ(trans[0], 0.0f);
}

TEST_F(Teclas, SinPanelNadaPulsa) {
    v_glui_control(1180);  // back to the start dialog: the panel closes
    GLUI_Master.idle_tick();
    keyboard(' ', 0, 0);
    keyboard('a', 0, 0);
    pressKey(TECLA_DERECHA, 0, 0);
    EXPECT_EQ(Movimiento, 0);
    EXPECT_EQ(Stop, 1);
}

TEST_F(Teclas, InicioDevuelveLaVista) {
    trans[0] = 3;
    trans[1] = -2;
    trans[2] = 5;
    glui_Dientes->user_commit("20");
    pressKey(TECLA_INICIO, 0, 0);
    EXPECT_EQ(trans[0], 0.0f);
    EXPECT_EQ(trans[1], 0.0f);
    EXPECT_EQ(trans[2], 0.0f);
    EXPECT_EQ(Z, 20.0f) << "the data untouched";
    EXPECT_EQ(glui_zoom->children()[0]->get_float_val(), 0.0f) << "the translation controls follow";
    EXPECT_EQ(ventanas.redibujos.back(), winIdMain);
}

namespace {

// Scene point at the centre of pixel (px, py) of an area (y from the top).
void punto(const float d[3], int ancho, int alto, int px, int py, double& x, double& y) {
    CajaVista c = caja_proyeccion(Origen, d, ancho, alto);
    x = c.izquierda + (px + 0.5) / ancho * (c.derecha - c.izquierda);
    y = c.arriba - (py + 0.5) / alto * (c.arriba - c.abajo);
}

}  // namespace

TEST_F(Teclas, LaRuedaMantieneElPuntoBajoElPuntero) {
    struct Caso { int ancho, alto, px, py; float t0, t1, t2; };
    for (Caso c : {Caso{647, 660, 100, 500, 0, 0, 0}, Caso{647, 660, 0, 0, 2, -3, 4},
                   Caso{1200, 500, 1199, 250, -7, 1, -10}, Caso{300, 900, 150, 899, 0.5f, 0.5f, 30},
                   Caso{1, 1, 0, 0, 1, 1, 0}}) {  // a window barely wider than its panel
        trans[0] = c.t0;
        trans[1] = c.t1;
        trans[2] = c.t2;
        double x0, y0;
        punto(trans, c.ancho, c.alto, c.px, c.py, x0, y0);
        CajaVista antes = caja_proyeccion(Origen, trans, c.ancho, c.alto);
        for (int paso = 0; paso < 6; ++paso) {
            double escala = paso < 3 ? 1 / FACTOR_RUEDA : FACTOR_RUEDA;
            CajaVista previa = caja_proyeccion(Origen, trans, c.ancho, c.alto);
            zoom_en_punto(trans, Origen, c.ancho, c.alto, c.px, c.py, escala);
            CajaVista ahora = caja_proyeccion(Origen, trans, c.ancho, c.alto);
            double x, y;
            punto(trans, c.ancho, c.alto, c.px, c.py, x, y);
            double pixel = (ahora.derecha - ahora.izquierda) / c.ancho;
            EXPECT_LT(std::hypot(x - x0, y - y0), pixel) << "within a pixel, step " << paso;
            EXPECT_NEAR((ahora.derecha - ahora.izquierda) / (previa.derecha - previa.izquierda), escala, 1e-5);
        }
        CajaVista despues = caja_proyeccion(Origen, trans, c.ancho, c.alto);
        EXPECT_NEAR(despues.izquierda, antes.izquierda, 1e-3) << "in and out again: the same view";
        EXPECT_NEAR(despues.arriba, antes.arriba, 1e-3);
    }
}

TEST_F(Teclas, RuedaDelRatonSobreElDibujo) {
    // A drawing area 647 x 660 beside a 353-pixel panel, in a 1000 x 660 window.
    ventanas.area[0] = 353;
    ventanas.area[1] = 0;
    ventanas.area[2] = 647;
    ventanas.area[3] = 660;
    ventanas.alto = 660;
    double x0, y0;
    punto(trans, 647, 660, 600 - 353, 200, x0, y0);
    CajaVista antes = caja_proyeccion(Origen, trans, 647, 660);
    mousePress(RUEDA_ARRIBA, PULSADO, 600, 200);
    mousePress(RUEDA_ARRIBA, SOLTADO, 600, 200);
    EXPECT_LT(trans[2], 0.0f) << "wheel up shows the scene larger";
    CajaVista c = caja_proyeccion(Origen, trans, 647, 660);
    EXPECT_NEAR((c.arriba - c.abajo) * FACTOR_RUEDA, antes.arriba - antes.abajo, 1e-4) << "one step of 10%";
    double x, y;
    punto(trans, 647, 660, 600 - 353, 200, x, y);
    EXPECT_NEAR(x, x0, 1e-4);
    EXPECT_NEAR(y, y0, 1e-4);
    EXPECT_EQ(MoverGrafico, 0) << "the wheel starts no drag";
    EXPECT_EQ(glui_zoom->children()[4]->get_float_val(), trans[2]) << "the Z control follows";
    mousePress(RUEDA_ABAJO, PULSADO, 600, 200);
    EXPECT_NEAR(trans[2], 0.0f, 1e-5);
    // Over the panel, outside the window, or with no drawing area known, the wheel does nothing.
    for (auto [x, y] : {std::pair{100, 200}, std::pair{352, 10}, std::pair{1000, 200}, std::pair{600, 660},
                        std::pair{600, -1}, std::pair{1000, 660}}) {
        mousePress(RUEDA_ARRIBA, PULSADO, x, y);
        EXPECT_NEAR(trans[2], 0.0f, 1e-5) << x << "," << y;
    }
    mousePress(RUEDA_ARRIBA, PULSADO, 353, 659);
    EXPECT_LT(trans[2], 0.0f) << "the area's last pixel";
    mousePress(RUEDA_ABAJO, PULSADO, 353, 659);
    // A window taller than the area: the area lies at the window's bottom, y counted from the top.
    ventanas.alto = 700;
    ventanas.area[1] = 0;
    mousePress(RUEDA_ARRIBA, PULSADO, 600, 30);
    EXPECT_NEAR(trans[2], 0.0f, 1e-5) << "above the area";
    mousePress(RUEDA_ARRIBA, PULSADO, 600, 40);
    EXPECT_LT(trans[2], 0.0f);
    mousePress(RUEDA_ABAJO, PULSADO, 600, 40);
    EXPECT_NEAR(trans[2], 0.0f, 1e-5);
    ventanas.area[2] = 0;
    mousePress(RUEDA_ARRIBA, PULSADO, 600, 200);
    EXPECT_NEAR(trans[2], 0.0f, 1e-5);
}
