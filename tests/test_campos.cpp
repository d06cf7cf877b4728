#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "nucleo/campos.h"
#include "nucleo/estado.h"
#include "nucleo/limites.h"

// Each option's range as its refusal names it, with the module and teeth in force.
TEST(Campos, RangoDeCadaOpcion) {
    struct Caso { const char* opcion; const char* texto; };
    for (Caso c : {Caso{"dientes", "3 ... 500"}, Caso{"modulo", "1 ... 50 mm"}, Caso{"angulo", "10 ... 35 grados"},
                   Caso{"angulo2", "10 ... 35 grados"}, Caso{"desplazamiento", "-1 ... 1"},
                   Caso{"giro", "1 ... 6 grados"}, Caso{"diametro-primitivo", "mas de 0 ... 2016 mm"},
                   Caso{"diametro-exterior", "mas de 0 ... 2016 mm"}, Caso{"diametro-interior", "mas de 0 ... 2016 mm"},
                   Caso{"flecha", "-2 ... 2 mm"}, Caso{"radio-cabeza", "0 o mas"}, Caso{"depresion", "0 o mas"},
                   Caso{"idioma", ""}, Caso{"nada", ""}})
        EXPECT_EQ(rango_de(c.opcion, 4.0, 30.0), c.texto) << c.opcion;
}

// The bounds themselves are in, but the least diameter; no NaN is in any range.
TEST(Campos, EnRangoEnLosBordes) {
    EXPECT_TRUE(en_rango("dientes", 3, 1, 14));
    EXPECT_FALSE(en_rango("dientes", 2.9, 1, 14));
    EXPECT_TRUE(en_rango("dientes", DIENTES_MAXIMO, 1, 14));
    EXPECT_FALSE(en_rango("dientes", DIENTES_MAXIMO + 0.5, 1, 14));
    EXPECT_FALSE(en_rango("diametro-exterior", 0, 2, 14)) << "the least diameter is out";
    EXPECT_TRUE(en_rango("diametro-exterior", 1e-3, 2, 14));
    EXPECT_TRUE(en_rango("diametro-exterior", diametro_maximo(2), 2, 14));
    EXPECT_FALSE(en_rango("diametro-exterior", diametro_maximo(2) * 1.001, 2, 14));
    EXPECT_TRUE(en_rango("flecha", -1.5, 3, 14)) << "half a module of 3 either way";
    EXPECT_FALSE(en_rango("flecha", 1.6, 3, 14));
    EXPECT_TRUE(en_rango("giro", 12, 1, 14));
    EXPECT_FALSE(en_rango("giro", 13, 1, 14));
    EXPECT_FALSE(en_rango("giro", 0, 1, 14));
    EXPECT_TRUE(en_rango("radio-cabeza", 0, 1, 14));
    EXPECT_FALSE(en_rango("radio-cabeza", -0.01, 1, 14));
    for (const char* o : {"dientes", "modulo", "angulo", "diametro-primitivo", "radio-cabeza", "giro"})
        EXPECT_FALSE(en_rango(o, std::nan(""), 2, 14)) << o;
    EXPECT_TRUE(en_rango("idioma", 1e9, 2, 14)) << "an option without a range takes anything";
}

// Every row with an option has a range, and the rows of one option agree on it.
TEST(Campos, CadaOpcionUnRango) {
    for (int i = 0; i < NUM_CAMPOS; ++i) {
        const Campo& c = CAMPOS[i];
        ASSERT_NE(c.opcion, nullptr);
        EXPECT_LE(c.rango.minimo, c.rango.maximo) << c.opcion;
        for (int j = 0; j < i; ++j)
            if (std::string(CAMPOS[j].opcion) == c.opcion) {
                EXPECT_EQ(CAMPOS[j].rango.minimo, c.rango.minimo) << c.opcion;
                EXPECT_EQ(CAMPOS[j].rango.maximo, c.rango.maximo) << c.opcion;
            }
    }
}
