#include <gtest/gtest.h>

#include <cmath>

#include "nucleo/estado.h"

TEST(Estado, ValoresDeArranque) {
    modelo_inicial();
    EXPECT_EQ(QueSimula, 0);
    EXPECT_EQ(QueObjeto, 0);
    EXPECT_EQ(Z, 0.0f);
    EXPECT_EQ(Rc, 0.0f);
    EXPECT_EQ(Conta_h, 1);
    EXPECT_EQ(Stop, 1);
    EXPECT_EQ(Primera_Vez, 1);
    EXPECT_EQ(Movimiento, 0);
    EXPECT_EQ(C_Mueve, 0);
    EXPECT_TRUE(C_Historia_X.empty());
    EXPECT_TRUE(modelo.panel.valores.empty());
    EXPECT_TRUE(modelo.panel.datos);
    EXPECT_FALSE(modelo.panel.depresion);
    EXPECT_EQ(modelo.panel.aviso, "");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ColorFondo[i], 0.0f);
        EXPECT_EQ(ColorEngranaje[i], ROJO[i]);
        EXPECT_EQ(ColorCremallera[i], AZUL[i]);
        EXPECT_EQ(ColorCirFondo[i], AMARILLO[i]);
        EXPECT_EQ(ColorCirPaso[i], BLANCO[i]);
        EXPECT_EQ(trans[i], 0.0f);
    }
    for (float d : C_Datos) EXPECT_EQ(d, 0.0f);
}

TEST(Estado, RestableceLoQueCambio) {
    Z = 20;
    ColorFondo[1] = 0.5f;
    C_Historia_X.assign(10, 1.0f);
    Conta_h = 7;
    valor_real(1020) = 3.0f;
    modelo.panel.datos = false;
    modelo.panel.aviso = "x";
    modelo_inicial();
    EXPECT_EQ(valor_de(1020), nullptr);
    EXPECT_TRUE(modelo.panel.datos);
    EXPECT_EQ(modelo.panel.aviso, "");
    EXPECT_EQ(Z, 0.0f);
    EXPECT_EQ(ColorFondo[1], 0.0f);
    EXPECT_TRUE(C_Historia_X.empty());
    EXPECT_EQ(Conta_h, 1);
}

TEST(Estado, ModulosEnOrden) {
    const char* esperados[] = {"1.00",  "1.25",  "1.50",  "2.00",  "2.50",  "3.00",  "4.00",  "5.00",  "6.00",
                               "8.00",  "10.00", "12.00", "16.00", "20.00", "25.00", "32.00", "40.00", "50.00"};
    ASSERT_EQ(NUM_MODULOS, 18);
    for (int i = 0; i < NUM_MODULOS; ++i) EXPECT_STREQ(MODULO[i], esperados[i]);
    EXPECT_STREQ(TEXTO_SOCAVACION, "    EXISTE SOCAVACION DEL DIENTE");
}

TEST(Estado, HistoriaDeUnaVuelta) {
    EXPECT_EQ(entradas_historia(1.0f), 362);
    EXPECT_EQ(entradas_historia(2.0f), 182);
    EXPECT_EQ(entradas_historia(7.0f), 53);
    EXPECT_EQ(entradas_historia(360.0f), 3);
}

TEST(Estado, ColorDeCadaElemento) {
    EXPECT_EQ(color_de_objeto(0), ColorFondo);
    EXPECT_EQ(color_de_objeto(1), ColorEngranaje);
    EXPECT_EQ(color_de_objeto(2), ColorCremallera);
    EXPECT_EQ(color_de_objeto(3), ColorCirFondo);
    EXPECT_EQ(color_de_objeto(4), ColorCirPaso);
    EXPECT_EQ(color_de_objeto(5), ColorCirBase);
    EXPECT_EQ(color_de_objeto(6), ColorEvolvente);
    EXPECT_EQ(color_de_objeto(7), nullptr);
    EXPECT_EQ(color_de_objeto(-1), nullptr);
}
