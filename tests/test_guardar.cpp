#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>

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

// "Hoja": A4 makes the default name a PDF's and "Guardar" writes the handout; an A4 page in
// another format is refused in the line, and back to the fitted page the name is an SVG's.
TEST_F(Guardar, LaHojaA4DesdeElPanel) {
    elegir(SIMULACION_ESTANDAR);
    ASSERT_EQ(glui_Hoja->parent(), glui_exportar);
    EXPECT_EQ(glui_Hoja->get_int_val(), 0) << "the fitted page, as before";
    glui_Hoja->user_select(2);
    EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z14-m1.pdf");
    teclear(glui_Dientes, "20");
    EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z20-m1.pdf") << "the name keeps following the data";
    glui_Guardar->user_press();
    EXPECT_EQ(aviso().rfind("Guardado en:\n", 0), 0u) << aviso();
    lectura::Pdf pdf;
    ASSERT_TRUE(lectura::leer_pdf(dir + "/engranaje-z20-m1.pdf", pdf));
    ASSERT_EQ(pdf.caja.size(), 4u);
    EXPECT_NEAR(pdf.caja[3] / 72 * 25.4, 297, 0.01) << "an A4 page";
    teclear(glui_Archivo, "h.png");
    glui_Guardar->user_press();
    EXPECT_EQ(aviso().rfind("No se pudo guardar:\nla hoja A4 solo se escribe en PDF", 0), 0u) << aviso();
    EXPECT_FALSE(lectura::existe("h.png"));
    teclear(glui_Archivo, "engranaje-z20-m1.pdf");
    glui_Hoja->user_select(0);
    EXPECT_EQ(glui_Archivo->get_text(), "engranaje-z20-m1.svg");
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

TEST_F(Guardar, GuardarAnimacionVaAlLadoDeGuardar) {
    elegir(SIMULACION_ESTANDAR);
    ASSERT_NE(glui_GuardarAnimacion, nullptr);
    EXPECT_EQ(glui_GuardarAnimacion->get_name(), "Guardar animacion");
    EXPECT_TRUE(glui_GuardarAnimacion->enabled());
    GLUI_Control* fila = glui_Guardar->parent();
    EXPECT_EQ(glui_GuardarAnimacion->parent(), fila) << "one row";
    EXPECT_EQ(fila->parent(), glui_exportar);
    const auto& hijos = fila->children();
    ASSERT_EQ(hijos.size(), 3u);
    EXPECT_EQ(hijos[0], glui_Guardar);
    EXPECT_EQ(hijos[1]->kind(), GLUI_Kind::Column) << "side by side";
    EXPECT_EQ(hijos[2], glui_GuardarAnimacion);
    EXPECT_EQ(glui_Exportado->parent(), glui_exportar) << "the line under both";
}

TEST(NombreAnimacion, LaExtensionPasaAGif) {
    EXPECT_EQ(nombre_animacion("engranaje-z14-m1.svg"), "engranaje-z14-m1.gif");
    EXPECT_EQ(nombre_animacion("a.b.PNG"), "a.b.gif");
    EXPECT_EQ(nombre_animacion("clase.v2/mio"), "clase.v2/mio.gif");
    EXPECT_EQ(nombre_animacion("sub/.oculto"), "sub/.oculto.gif");
    EXPECT_EQ(nombre_animacion("x.gif"), "x.gif");
}

// The GIF is written by another process: the frames go on meanwhile, the line under the
// buttons says how far it is, then where it went.
TEST_F(Guardar, LaAnimacionSeEscribeSinParar) {
    elegir(SIMULACION_ESTANDAR);
    teclear(glui_Dientes, "12");
    v_glui_control(1140);  // "Automatico": the cut runs one move a frame
    glui_GuardarAnimacion->user_press();
    EXPECT_FALSE(glui_GuardarAnimacion->enabled()) << "one at a time";
    EXPECT_EQ(aviso().rfind("Guardando animacion", 0), 0u) << aviso();
    std::set<std::string> avisos;
    long cuadros = 0;
    auto limite = std::chrono::steady_clock::now() + std::chrono::minutes(10);
    while (revisar_animacion() && std::chrono::steady_clock::now() < limite) {
        avisos.insert(aviso());
        idle();
        ++cuadros;
        usleep(2000);
    }
    EXPECT_FALSE(revisar_animacion()) << "done within the deadline";
    EXPECT_GT(cuadros, 10) << "frames went on while the file was written";
    EXPECT_GT(E_angulo, 0) << "the panel's own cut moved on meanwhile";
    bool avance = false;
    for (const auto& a : avisos) avance = avance || a.rfind("Guardando animacion: cuadro ", 0) == 0;
    EXPECT_TRUE(avance) << "progress in the line under the buttons";
    EXPECT_EQ(aviso(), "Guardado en:\n" + final_de(std::string(dir) + "/engranaje-z12-m1.gif", 44)) << aviso();
    EXPECT_TRUE(glui_GuardarAnimacion->enabled());
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(dir + "/engranaje-z12-m1.gif", g));
    EXPECT_TRUE(g.bucle);
    EXPECT_EQ(g.ancho, 800);
    EXPECT_GT(g.imagenes.size(), 150u);
    EXPECT_LT(g.imagenes.size(), 330u);
    EXPECT_EQ(Z, 12.0f) << "the panel's data as they were";
}

TEST_F(Guardar, LaAnimacionDicePorQueNo) {
    elegir(SIMULACION_ESTANDAR);
    teclear(glui_Archivo, "no/hay/e.png");
    glui_GuardarAnimacion->user_press();
    EXPECT_FALSE(revisar_animacion()) << "nothing started";
    EXPECT_EQ(aviso(), "No se pudo guardar:\nno se puede escribir en el directorio\n'no/hay': no existe");
    EXPECT_TRUE(glui_GuardarAnimacion->enabled());
    EXPECT_FALSE(lectura::existe("no/hay/e.gif"));
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
