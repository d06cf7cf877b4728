#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "lectura.h"
#include "nucleo/callbacks.h"
#include "nucleo/estado.h"
#include "nucleo/guardar.h"
#include "nucleo/movimiento.h"
#include "prueba.h"

namespace {

// The panel with the current directory moved to a scratch one.
class Guardar : public Programa {
protected:
    std::string dir;
    char previo[4096] = {};
    void SetUp() override {
        Programa::SetUp();
        std::string plantilla = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                                "/ortanel-guardar-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        dir = plantilla;
        ASSERT_NE(getcwd(previo, sizeof previo), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previo), 0);
        std::system(("rm -rf '" + dir + "'").c_str());
        Programa::TearDown();
    }
    static void teclear(GLUI_EditText* e, const char* texto) { e->user_commit(texto); }
    std::string aviso() const { return glui_Exportado->get_text(); }
};

}  // namespace

TEST_F(Guardar, FilaCerradaJuntoASalirEnAmbosModos) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        elegir(modo);
        ASSERT_NE(glui_exportar, nullptr);
        EXPECT_EQ(glui_exportar->glui(), v_glui);
        EXPECT_EQ(glui_exportar->kind(), GLUI_Kind::Rollout);
        EXPECT_FALSE(glui_exportar->is_open()) << "closed: the panel keeps its height";
        EXPECT_EQ(glui_exportar->parent(), v_glui->main_panel());
        EXPECT_EQ(glui_Archivo->parent(), glui_exportar);
        EXPECT_EQ(glui_Archivo->data_type(), GLUI_EDITTEXT_TEXT);
        EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z14-m1.svg");
        EXPECT_EQ(glui_Guardar->get_name(), "Guardar");
        EXPECT_EQ(aviso(), "");
        v_glui_control(1180);
    }
}

TEST_F(Guardar, ElNombreSigueALosDatosHastaQueSeEscribeOtro) {
    elegir(SIMULACION_ESTANDAR);
    teclear(glui_Dientes, "20");
    EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z20-m1.svg");
    glui_Modulo->user_select(4);
    EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z20-m2.5.svg");
    v_glui_control(1170);
    EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z14-m1.svg") << "Reiniciar";
    teclear(glui_Archivo, "clase/mio.dxf");
    EXPECT_EQ(glui_Archivo->get_text(), "clase/mio.dxf");
    teclear(glui_Dientes, "30");
    EXPECT_EQ(glui_Archivo->get_text(), "clase/mio.dxf") << "a name of the user's own stays";
}

TEST_F(Guardar, GuardaElCorteComoEsta) {
    elegir(SIMULACION_ESTANDAR);
    for (int i = 0; i < 30; ++i) {
        v_glui_control(1150);
        idle();
    }
    int mueve = C_Mueve;
    float x = C_X;
    glui_Guardar->user_press();
    EXPECT_EQ(aviso(), "Guardado en:\n" + final_de(std::string(dir) + "/engranaje-z14-m1.svg", 44)) << aviso();
    lectura::Svg s;
    ASSERT_TRUE(lectura::leer_svg(dir + "/engranaje-z14-m1.svg", s));
    EXPECT_FALSE(s.trazos.empty());
    EXPECT_EQ(C_Mueve, mueve) << "saving leaves the cut where it was";
    EXPECT_EQ(C_X, x);

    ASSERT_EQ(system("mkdir sub"), 0);
    teclear(glui_Archivo, "sub/e.dxf");
    glui_Guardar->user_press();
    lectura::Dxf d;
    EXPECT_TRUE(lectura::leer_dxf(dir + "/sub/e.dxf", d)) << "a name with a path goes there";
}

TEST_F(Guardar, DicePorQueNo) {
    elegir(SIMULACION_EXPERIMENTAL);
    teclear(glui_Archivo, "e.txt");
    glui_Guardar->user_press();
    EXPECT_EQ(aviso().rfind("No se pudo guardar:\nextension desconocida '.txt'", 0), 0u) << aviso();
    EXPECT_FALSE(lectura::existe("e.txt"));
    teclear(glui_Archivo, "no/hay/e.png");
    glui_Guardar->user_press();
    EXPECT_EQ(aviso(), "No se pudo guardar:\nno se puede escribir en el directorio\n'no/hay': no existe");
    teclear(glui_Archivo, "e.png");
    glui_Guardar->user_press();
    EXPECT_EQ(aviso().rfind("Guardado en:\n", 0), 0u) << "the line is updated";
}

// "Guardar" over the file size limit: the line says why and the old file stays as it was.
TEST_F(Guardar, UnaEscrituraFallidaLoDiceYDejaElArchivo) {
    elegir(SIMULACION_ESTANDAR);
    teclear(glui_Dientes, "40");
    for (const char* nombre : {"e.svg", "e.pdf", "e.png", "e.dxf"}) {
        SCOPED_TRACE(nombre);
        std::ofstream(nombre) << "viejo";
        teclear(glui_Archivo, nombre);
        pid_t hijo = fork();
        if (hijo == 0) {
            rlimit limite{8192, 8192};
            setrlimit(RLIMIT_FSIZE, &limite);
            glui_Guardar->user_press();
            std::ofstream("aviso") << glui_Exportado->get_text();
            _exit(0);
        }
        int estado = 0;
        ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
        ASSERT_TRUE(WIFEXITED(estado));
        EXPECT_EQ(lectura::contenido("aviso"),
                  "No se pudo guardar:\n" + en_renglones(std::string("no se puede escribir '") + nombre +
                                                             "': el archivo supera el tamano permitido",
                                                         44, 2));
        EXPECT_EQ(lectura::contenido(nombre), "viejo");
        EXPECT_NE(std::system("ls -A | grep -q '^[.]ortanel'"), 0) << "no temporary file left behind";
        std::remove("aviso");
    }
}

TEST(Renglones, PartirYRecortar) {
    EXPECT_EQ(final_de("abc", 3), "abc");
    EXPECT_EQ(final_de("abcdefgh", 7), "...efgh");
    EXPECT_EQ(final_de("", 5), "");
    EXPECT_EQ(en_renglones("uno dos tres", 7, 2), "uno dos\ntres");
    EXPECT_EQ(en_renglones("uno dos tres cuatro", 7, 2), "uno dos\ntres...");
    EXPECT_EQ(en_renglones("uno dos tres", 12, 2), "uno dos tres");
    EXPECT_EQ(en_renglones("abcdefghijkl", 8, 2), "abcde...") << "a word longer than a line";
    EXPECT_EQ(en_renglones("", 8, 2), "");
}
