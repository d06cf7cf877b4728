#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>

#include "lectura.h"
#include "nucleo/panel.h"
#include "nucleo/estado.h"
#include "nucleo/medidas.h"
#include "nucleo/sesion.h"

namespace {

class Sesion : public ::testing::Test {
protected:
    void TearDown() override {
        GLUI_Master.reset();
        estado_inicial();
    }
};

bool tiene(const std::vector<std::string>& v, const std::string& trozo) {
    for (const auto& s : v)
        if (s.find(trozo) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST_F(Sesion, AbreElPanelDelModo) {
    sesion_abrir(SIMULACION_ESTANDAR);
    EXPECT_EQ(QueSimula, SIMULACION_ESTANDAR);
    EXPECT_FALSE(glui->visible()) << "the start dialog was left as a button leaves it";
    ASSERT_NE(glui_Modulo, nullptr);
    EXPECT_EQ(Z, 14.0f);
    EXPECT_EQ(C_Mueve, APROXIMACION);
    EXPECT_EQ(GLUI_Master.windows().size(), 2u);
    sesion_abrir(SIMULACION_EXPERIMENTAL);
    EXPECT_EQ(QueSimula, SIMULACION_EXPERIMENTAL);
    EXPECT_EQ(GLUI_Master.windows().size(), 2u) << "a second session starts afresh";
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 1.0f);
}

TEST_F(Sesion, LosValoresPasanPorLasReglasDelPanel) {
    sesion_abrir(SIMULACION_ESTANDAR);
    // What the panel would correct is not what was asked for: refused, naming the range.
    EXPECT_EQ(sesion_fijar("dientes", "2"), "--dientes: 2 fuera de 3 ... 500");
    EXPECT_EQ(Z, 14.0f);
    EXPECT_EQ(sesion_fijar("dientes", "3"), "");
    EXPECT_EQ(sesion_fijar("dientes", "500"), "");
    EXPECT_EQ(Z, 500.0f);
    EXPECT_EQ(sesion_fijar("dientes", "20"), "");
    EXPECT_EQ(sesion_fijar("modulo", "2.5"), "");
    EXPECT_FLOAT_EQ(Rp, 25.0f);
    EXPECT_FLOAT_EQ(Rc, 27.5f);
    EXPECT_EQ(std::string(MODULO[glui_Modulo->get_int_val()]), "2.50");
    EXPECT_EQ(sesion_fijar("modulo", "2.50"), "");
    EXPECT_EQ(sesion_fijar("angulo", "25"), "");
    EXPECT_EQ(Angulo, 25.0f);
    EXPECT_EQ(sesion_fijar("desplazamiento", "0.5"), "");
    EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 2 * (27.5f + 1.25f)) << "the outside diameter grows with x·m";
    EXPECT_EQ(sesion_fijar("giro", "0"), "--giro: 0 fuera de 1 ... 9 grados");
    EXPECT_EQ(sesion_fijar("giro", "9"), "");
    EXPECT_EQ(E_incremento, 9.0f);

    EXPECT_EQ(sesion_fijar("dientes", "14.5"), "--dientes: '14.5' no es un numero entero");
    EXPECT_EQ(sesion_fijar("angulo", "veinte"), "--angulo: 'veinte' no es un numero");
    EXPECT_EQ(sesion_fijar("angulo", "nan"), "--angulo: 'nan' no es un numero");
    EXPECT_EQ(sesion_fijar("modulo", "3.3"), "--modulo: 3.3 no es un modulo normalizado (1.00 ... 50.00)");
    EXPECT_EQ(sesion_fijar("modulo", "x"), "--modulo: 'x' no es un numero");
    EXPECT_EQ(sesion_fijar("flecha", "1"), "--flecha no existe en esta simulacion");
    EXPECT_EQ(Angulo, 25.0f) << "a refused value changes nothing";
}

TEST_F(Sesion, ExperimentalYCamposDesactivados) {
    sesion_abrir(SIMULACION_EXPERIMENTAL);
    EXPECT_EQ(sesion_fijar("modulo", "0.5"), "--modulo: 0.5 fuera de 1 ... 50 mm");
    EXPECT_EQ(sesion_fijar("modulo", "1,5"), "") << "a decimal comma";
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 1.5f);
    EXPECT_EQ(sesion_fijar("modulo", "1"), "");
    EXPECT_EQ(sesion_fijar("depresion", "0.1"), "--depresion no se puede cambiar con los otros datos dados");
    EXPECT_EQ(sesion_fijar("radio-cabeza", "0.1"), "");
    EXPECT_FLOAT_EQ(ISO_Radio, 0.1f);
    EXPECT_EQ(sesion_fijar("depresion", "0.01"), "");
    EXPECT_FLOAT_EQ(ISO_Depresion, 0.01f);
    EXPECT_EQ(sesion_fijar("flecha", "0.2"), "--flecha no se puede cambiar con los otros datos dados")
        << "circular flanks are off while the ISO values are set";
    EXPECT_EQ(sesion_fijar("diametro-exterior", "18"), "");
    EXPECT_FLOAT_EQ(Rc, 9.0f);
    EXPECT_EQ(sesion_fijar("angulo2", "25"), "");
    EXPECT_FLOAT_EQ(Angulo_2, 25.0f);
}

TEST_F(Sesion, CorteCompleto) {
    sesion_abrir(SIMULACION_ESTANDAR);
    sesion_cortar();
    EXPECT_EQ(C_Mueve, TERMINADO);
    EXPECT_GE(E_angulo, 360.0f);
    EXPECT_EQ(Stop, 1);
    EXPECT_FALSE(glui_AutoOnOff->enabled()) << "left as the automatic cut leaves the panel";
}

TEST_F(Sesion, LaminaYNombre) {
    sesion_abrir(SIMULACION_ESTANDAR);
    EXPECT_EQ(nombre_por_omision(), "engranaje-z14-m1.svg");
    sesion_fijar("dientes", "20");
    sesion_fijar("modulo", "1.25");
    EXPECT_EQ(nombre_por_omision(), "engranaje-z20-m1.25.svg");
    exportar::Lamina l = lamina_del_corte();
    EXPECT_FALSE(l.poligonos.empty());
    ASSERT_EQ(l.circulos.size(), 3u);
    EXPECT_EQ(l.circulos[0].capa, "PRIMITIVA");
    EXPECT_DOUBLE_EQ(l.circulos[0].radio, 12.5);
    EXPECT_EQ(l.circulos[1].capa, "FONDO");
    EXPECT_DOUBLE_EQ(l.circulos[1].radio, 12.5 - 1.25 * 1.25);
    EXPECT_EQ(l.circulos[2].capa, "BASE");
    EXPECT_NEAR(l.circulos[2].radio, 12.5 * std::cos(20 * M_PI / 180), 1e-5);
    EXPECT_TRUE(tiene(l.texto, "Dientes: 20"));
    EXPECT_TRUE(tiene(l.texto, "Modulo: 1.25 mm"));
    EXPECT_TRUE(tiene(l.texto, "Angulo de presion: 20 grados"));
    EXPECT_TRUE(tiene(l.texto, "Simulacion estandar"));
    EXPECT_FALSE(tiene(l.texto, "Flecha"));
    // The colours meant for a black screen are darkened for paper; red stays red.
    EXPECT_DOUBLE_EQ(l.relleno.r, 1.0);
    EXPECT_LT(l.circulos[0].color.r, 0.7) << "white pitch circle shown grey";
    EXPECT_DOUBLE_EQ(l.circulos[1].color.r, l.circulos[1].color.g) << "yellow keeps its hue";

    // Light green would fade too; deep blue stays as it is.
    float verde[3] = {0, 1, 0}, azul[3] = {0, 0, 1};
    std::copy(verde, verde + 3, ColorCirPaso);
    std::copy(azul, azul + 3, ColorCirFondo);
    l = lamina_del_corte();
    EXPECT_LT(l.circulos[0].color.g, 0.9);
    EXPECT_GT(l.circulos[0].color.g, 0.5);
    EXPECT_DOUBLE_EQ(l.circulos[1].color.b, 1.0);

    C_Paso_ON = 0;
    C_Fondo_ON = 0;
    l = lamina_del_corte();
    ASSERT_EQ(l.circulos.size(), 1u) << "hidden circles are left out";
    EXPECT_EQ(l.circulos[0].capa, "BASE");

    sesion_abrir(SIMULACION_EXPERIMENTAL);
    sesion_fijar("flecha", "0.25");
    l = lamina_del_corte();
    EXPECT_TRUE(tiene(l.texto, "Simulacion experimental"));
    EXPECT_TRUE(tiene(l.texto, "Flecha: 0.25"));
}

TEST_F(Sesion, ExportarSinVentanasComprueba) {
    Ordenes o;
    o.accion = Ordenes::EXPORTAR;
    o.archivo = "/sin/directorio/a.svg";
    EXPECT_NE(exportar_sin_ventanas(o).find("/sin/directorio"), std::string::npos);
    o.archivo = "a.gif";
    EXPECT_NE(exportar_sin_ventanas(o).find("extension desconocida"), std::string::npos);
    o.archivo = "a.png";
    for (const char* t : {"15", "20001", "ancho", "12.5"}) {
        o.tamano = t;
        EXPECT_NE(exportar_sin_ventanas(o).find("--tamano"), std::string::npos) << t;
    }
    EXPECT_FALSE(lectura::existe("a.png"));
    EXPECT_FALSE(lectura::existe("a.gif"));
}

// The handout's table: the tip thickness measured on the cut against the textbook's
// s_a = d_a (s/d + inv α − inv α_a), the undercut and the pointed tooth at their thresholds.
TEST_F(Sesion, LaTablaDeLaHoja) {
    struct Caso {
        const char *z, *x;
        bool socava, punta;
    };
    for (Caso c : {Caso{"14", "0", true, false}, Caso{"14", "0.2", false, false}, Caso{"14", "0.5", false, true},
                   Caso{"8", "0.533", false, true}, Caso{"30", "-0.3", false, false}}) {
        SCOPED_TRACE(std::string("Z ") + c.z + ", x " + c.x);
        sesion_abrir(SIMULACION_ESTANDAR);
        ASSERT_EQ(sesion_fijar("dientes", c.z), "");
        ASSERT_EQ(sesion_fijar("desplazamiento", c.x), "");
        sesion_cortar();
        std::vector<exportar::Fila> t = tabla_del_corte();
        auto valor = [&t](const std::string& nombre) {
            for (const auto& f : t)
                if (f.nombre == nombre) return f.valor;
            ADD_FAILURE() << "no row " << nombre;
            return std::string();
        };
        double z = std::atof(c.z), x = std::atof(c.x);
        double ra = z / 2 + 1 + x;
        double sa = espesor_cabeza_teorico(z / 2, espesor_teorico(1, 20, x), 20, ra);
        EXPECT_NEAR(std::atof(valor("Espesor en la cabeza").c_str()), sa, 0.005);
        EXPECT_NEAR(std::atof(valor("Diametro exterior").c_str()), 2 * ra, 1e-3);
        EXPECT_NEAR(std::atof(valor("Diametro base").c_str()), z * std::cos(20 * M_PI / 180), 1e-3);
        EXPECT_EQ(valor("Socavacion"), c.socava ? "si" : "no");
        bool punta = false;
        for (const auto& f : t) punta |= f.nombre.rfind("Diente puntiagudo", 0) == 0 && f.valor.empty();
        EXPECT_EQ(punta, c.punta);
        exportar::Lamina l = lamina_del_corte();
        EXPECT_EQ(l.tabla.size(), t.size()) << "the sheet carries the table";
        GLUI_Master.reset();
        estado_inicial();
    }
}
