#include <gtest/gtest.h>

#include "nucleo/estado.h"
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
