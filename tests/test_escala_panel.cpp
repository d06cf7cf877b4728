#include <gtest/gtest.h>

#include <vector>

#include "glui/escala_panel.h"

using namespace escala_panel;

TEST(EscalaPanel, DpiDeLosRecursosDeX) {
    EXPECT_DOUBLE_EQ(dpi_de_recursos("Xft.dpi:\t144\nXft.antialias:\t1\n"), 144);
    EXPECT_DOUBLE_EQ(dpi_de_recursos("Xcursor.size: 24\nXft.dpi: 120.5\n"), 120.5);
    EXPECT_DOUBLE_EQ(dpi_de_recursos("Xft.antialias: 1\n"), 96) << "no Xft.dpi: 96";
    EXPECT_DOUBLE_EQ(dpi_de_recursos(nullptr), 96);
    EXPECT_DOUBLE_EQ(dpi_de_recursos(""), 96);
    EXPECT_DOUBLE_EQ(dpi_de_recursos("Xft.dpi: grande\n"), 96) << "not a number";
    EXPECT_DOUBLE_EQ(dpi_de_recursos("Xft.dpi: 0\n"), 96);
    EXPECT_DOUBLE_EQ(dpi_de_recursos("Xft.dpi: 1e9\n"), 96);
    EXPECT_DOUBLE_EQ(dpi_de_recursos("otro.Xft.dpi: 200\nXft.dpi: 192\n"), 192) << "only the key at a line's start";
    EXPECT_DOUBLE_EQ(escala_dpi(96), 1.0);
    EXPECT_DOUBLE_EQ(escala_dpi(144), 1.5);
    EXPECT_DOUBLE_EQ(escala_dpi(0), 1.0);
}

TEST(EscalaPanel, CtrlMasMenosYCero) {
    double f = 1.0;
    std::vector<double> subida;
    for (int i = 0; i < 9; ++i) subida.push_back(f = factor_tras_tecla(f, '+'));
    EXPECT_EQ(subida, (std::vector<double>{1.1, 1.25, 1.5, 1.75, 2.0, 2.0, 2.0, 2.0, 2.0}));
    EXPECT_DOUBLE_EQ(factor_tras_tecla(2.0, '0'), 1.0);
    f = 1.0;
    f = factor_tras_tecla(f, '-');
    EXPECT_DOUBLE_EQ(f, 0.9);
    f = factor_tras_tecla(f, '_');
    EXPECT_DOUBLE_EQ(f, 0.8);
    EXPECT_DOUBLE_EQ(factor_tras_tecla(f, 0x1f), 0.8) << "never below 80%";
    EXPECT_DOUBLE_EQ(factor_tras_tecla(1.3, '-'), 1.25) << "between steps: the next one down";
    EXPECT_DOUBLE_EQ(factor_tras_tecla(1.3, '='), 1.5);
    EXPECT_DOUBLE_EQ(factor_tras_tecla(1.3, 'a'), 1.3) << "other keys leave it";
    EXPECT_TRUE(es_tecla_de_escala('+'));
    EXPECT_TRUE(es_tecla_de_escala('0'));
    EXPECT_TRUE(es_tecla_de_escala(0x1f));
    EXPECT_FALSE(es_tecla_de_escala('a'));
    EXPECT_FALSE(es_tecla_de_escala('1'));
}
