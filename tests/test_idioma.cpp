// The program's language: the choice from --idioma and the environment, the catalogue
// read from the build tree, numbers read the same under any locale, every text of the
// dialog, the panels and the messages in English with --idioma en and exactly the
// Spanish ones without it, and the English panels as narrow as the Spanish ones.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "glui/controles.h"
#include "glui/glui.h"
#include "idioma/idioma.h"
#include "exportar/dxf.h"
#include "exportar/exportar.h"
#include "exportar/pintura.h"
#include "nucleo/callbacks.h"
#include "nucleo/guardar.h"
#include "nucleo/movimiento.h"
#include "nucleo/ordenes.h"
#include "nucleo/panel.h"
#include "nucleo/sesion.h"
#include "nucleo/tallado.h"
#include "prueba.h"

using idioma::Idioma;

namespace {

const char* const VARIABLES[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "LOCPATH"};

// Each test starts and ends with the language environment unset and the Spanish texts.
class Idiomas : public ::testing::Test {
protected:
    std::map<std::string, std::string> guardadas;
    void SetUp() override {
        for (const char* v : VARIABLES) {
            if (const char* x = std::getenv(v)) guardadas[v] = x;
            unsetenv(v);
        }
    }
    void TearDown() override {
        for (const char* v : VARIABLES) unsetenv(v);
        idioma::iniciar(Idioma::ESPANOL, ORTANEL_PRUEBA_CATALOGOS);
        for (const auto& [v, x] : guardadas) setenv(v.c_str(), x.c_str(), 1);
    }
    static void poner(const char* variable, const char* valor) { setenv(variable, valor, 1); }
};

TEST_F(Idiomas, ElEntornoEligeEnElOrdenDeGettext) {
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL) << "nothing set";
    poner("LANG", "C");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL);
    poner("LANG", "POSIX");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL);
    poner("LANG", "C.UTF-8");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL);
    poner("LANG", "en_US.UTF-8");
    EXPECT_EQ(idioma::del_entorno(), Idioma::INGLES);
    poner("LANG", "de_DE.UTF-8");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL) << "a language without a catalogue";
    poner("LANG", "eng");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL) << "only the language code en";
    for (const char* ingles : {"en", "en.UTF-8", "en@quot", "en_CA"}) {
        poner("LANG", ingles);
        EXPECT_EQ(idioma::del_entorno(), Idioma::INGLES) << ingles;
    }

    poner("LANG", "es_ES.UTF-8");
    poner("LC_MESSAGES", "en_GB.UTF-8");
    EXPECT_EQ(idioma::del_entorno(), Idioma::INGLES) << "LC_MESSAGES before LANG";
    poner("LC_ALL", "es_ES.UTF-8");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL) << "LC_ALL before LC_MESSAGES";
    poner("LC_ALL", "");
    EXPECT_EQ(idioma::del_entorno(), Idioma::INGLES) << "an empty variable counts as unset";

    poner("LANGUAGE", "es");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL) << "LANGUAGE first";
    poner("LANGUAGE", "fr:de:en_GB:es");
    EXPECT_EQ(idioma::del_entorno(), Idioma::INGLES) << "the first listed language with texts";
    poner("LANGUAGE", "fr:es:en");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL);
    poner("LANGUAGE", "fr");
    EXPECT_EQ(idioma::del_entorno(), Idioma::INGLES) << "no listed language with texts: the locale's";
    poner("LANGUAGE", "");
    poner("LC_MESSAGES", "fr_FR.UTF-8");
    EXPECT_EQ(idioma::del_entorno(), Idioma::ESPANOL);
}

TEST_F(Idiomas, LaOpcionNombraEspanolOIngles) {
    Idioma l = Idioma::INGLES;
    EXPECT_TRUE(idioma::de_opcion("es", l));
    EXPECT_EQ(l, Idioma::ESPANOL);
    EXPECT_TRUE(idioma::de_opcion("en", l));
    EXPECT_EQ(l, Idioma::INGLES);
    for (const char* malo : {"", "EN", "fr", "en_US", "ingles", "e"}) {
        l = Idioma::INGLES;
        EXPECT_FALSE(idioma::de_opcion(malo, l)) << malo;
    }
}

TEST_F(Idiomas, ElCatalogoCambiaLosTextosYSeQuitaDeNuevo) {
    // The build's locales are those of a fresh machine: "C" messages turn English through
    // C.UTF-8, whatever the environment names.
    poner("LANG", "en_US.UTF-8");
    idioma::iniciar(Idioma::INGLES, ORTANEL_PRUEBA_CATALOGOS);
    EXPECT_EQ(idioma::actual(), Idioma::INGLES);
    EXPECT_STREQ(_("Datos"), "Data");
    EXPECT_STREQ(_("Circunferencia de paso"), "Pitch circle");
    EXPECT_EQ(formato(_("%s - %d de 360 grados"), "Ortanel", 12), "Ortanel - 12 of 360 degrees");
    idioma::iniciar(Idioma::ESPANOL, ORTANEL_PRUEBA_CATALOGOS);
    EXPECT_EQ(idioma::actual(), Idioma::ESPANOL);
    EXPECT_STREQ(_("Datos"), "Datos") << "Spanish with English asked by the environment";
    idioma::iniciar(Idioma::INGLES, ORTANEL_PRUEBA_CATALOGOS);
    EXPECT_STREQ(_("Datos"), "Data") << "the language can change back and forth";
    idioma::iniciar(Idioma::INGLES, "/nonexistent");
    EXPECT_STREQ(_("Datos"), "Datos") << "no catalogue: the Spanish text";
}

TEST_F(Idiomas, ElCatalogoDelArbolDeConstruccion) {
    // A program in the build tree finds <build>/locale; the tests live one floor below.
    std::string carpeta = ORTANEL_PRUEBA_CATALOGOS;
    ASSERT_EQ(access((carpeta + "/en/LC_MESSAGES/ortanel.mo").c_str(), R_OK), 0) << "the build compiles the catalogue";
    std::string propia = idioma::carpeta_catalogos();
    EXPECT_NE(propia, carpeta) << "a test program is not beside the catalogue";
    EXPECT_EQ(propia, ORTANEL_PRUEBA_PREFIJO "/share/locale") << "the install prefix's folder as the last resort";
}

// ---------------------------------------------------------------- numbers under any locale

// A locale compiled for the test (Debian's "locales" sources), found through LOCPATH.
class Numeros : public Idiomas {
protected:
    // Kept in the build tree: made by the first run, read by the next ones.
    static constexpr const char* carpeta = ORTANEL_PRUEBA_LOCALES;
    static void SetUpTestSuite() {
        mkdir(carpeta, 0755);
        for (const char* l : {"de_DE", "en_US"}) {
            std::string destino = std::string(carpeta) + "/" + l + ".UTF-8";
            if (access((destino + "/LC_NUMERIC").c_str(), R_OK) == 0) continue;
            std::string orden = "localedef -i " + std::string(l) + " -f UTF-8 " + destino + " 2>/dev/null";
            ASSERT_EQ(std::system(orden.c_str()), 0) << "localedef could not make " << l << " (install Debian's locales)";
        }
    }
};

TEST_F(Numeros, DosComaCincoSeLeeIgualConCualquierLocale) {
    for (const char* lang : {"de_DE.UTF-8", "en_US.UTF-8"}) {
        SCOPED_TRACE(lang);
        poner("LOCPATH", carpeta);
        poner("LANG", lang);
        idioma::iniciar(idioma::del_entorno(), ORTANEL_PRUEBA_CATALOGOS);
        ASSERT_STREQ(std::setlocale(LC_CTYPE, nullptr), lang) << "the environment's locale is in use";
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
        float f = 0;
        ASSERT_TRUE(GLUI_EditText::parse_float("2.5", f));
        EXPECT_EQ(f, 2.5f);
        EXPECT_EQ(GLUI_EditText::format_float(2.5f), "2.5");
        EXPECT_EQ(formato("%g", 2.5), "2.5");

        // The same typing into the panel's field, through its callback.
        VentanasFalsas ventanas;
        estado_inicial();
        GLUI_Master.reset();
        GLUI_Master.set_backend(&ventanas);
        usar_plataforma(&ventanas);
        winIdMain = ventanas.nueva();
        ventanas.actual = winIdMain;
        construir_dialogo();
        glui_control(SIMULACION_EXPERIMENTAL);
        glui_Modulo_T->user_commit("2.5");
        EXPECT_EQ(glui_Modulo_T->get_float_val(), 2.5f);
        EXPECT_EQ(glui_Modulo_T->get_text(), "2.5");
        EXPECT_NE(nombre_por_omision().find("-m2.5."), std::string::npos) << nombre_por_omision();
        GLUI_Master.reset();
        GLUI_Master.set_backend(nullptr);
        usar_plataforma(nullptr);
        estado_inicial();

        // The locale itself writes a decimal comma in de_DE: the test would see a fault.
        if (std::string(lang) == "de_DE.UTF-8") {
            ASSERT_NE(std::setlocale(LC_NUMERIC, lang), nullptr);
            EXPECT_EQ(formato("%g", 2.5), "2,5");
            std::setlocale(LC_NUMERIC, "C");
        }
    }
}


// ---------------------------------------------------------------- every text the user can see

// Everything a user can read, gathered in one fixed walk: the start dialog, both panels
// with their lists and rollouts, the warnings and read-outs, the titles, the export's
// messages, the text block and file name, the command line's usage and errors.
class Recorrido {
public:
    std::vector<std::string> textos;

    explicit Recorrido(const std::string& dir) {
        estado_inicial();
        GLUI_Master.reset();
        GLUI_Master.set_backend(&ventanas_);
        usar_plataforma(&ventanas_);
        winIdMain = ventanas_.nueva();
        ventanas_.actual = winIdMain;
        construir_dialogo();
        ventana(glui);

        glui_control(SIMULACION_ESTANDAR);
        ventana(v_glui);
        glui_Dientes->user_commit("8");
        textos.push_back(informa->get_text());
        textos.push_back(informa_x->get_text());
        glui_AutoOnOff->user_press();
        textos.push_back(glui_AutoOnOff->get_name());
        glui_AutoOnOff->user_press();
        textos.push_back(glui_AutoOnOff->get_name());
        glui_Sig->user_press();
        for (int k = 0; k < 20 && Movimiento != 0; ++k) idle();
        textos.push_back(titulo_principal());
        glui_Terminar->user_press();
        textos.push_back(informa_espesor->get_text());
        guardar_en(dir + "/a.svg");
        guardar_en(dir + "/falta/a.svg");
        guardar_en(dir + "/a.svg/b.svg");
        mkdir((dir + "/carpeta.pdf").c_str(), 0700);
        guardar_en(dir + "/carpeta.pdf");
        guardar_en(dir + "/a.xyz");
        textos.insert(textos.end(), ventanas_.titulos.begin(), ventanas_.titulos.end());
        v_glui_control(1180);

        glui_control(SIMULACION_EXPERIMENTAL);
        ventana(v_glui);
        textos.push_back(titulo_principal());

        for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
            sesion_abrir(modo);
            for (const auto& [opcion, valor] : std::vector<std::pair<std::string, std::string>>{
                     {"flecha", "1"}, {"dientes", "x"}, {"modulo", "x"}, {"modulo", "7"}, {"angulo", "x"},
                     {"depresion", "0.1"}})
                textos.push_back(sesion_fijar(opcion, valor));
            for (const auto& t : lamina_del_corte().texto) textos.push_back(t);
            textos.push_back(nombre_por_omision());
        }
        exportar::Lamina vacia;
        std::string bytes;
        textos.push_back(exportar::escribir_png(vacia, bytes, 0));
        textos.push_back(exportar::guardar(vacia, dir + "/falta/b.dxf"));

        for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
                 {"--nada"}, {"--dientes"}, {"--idioma", "fr"}, {"--dientes", "3"}, {"--tamano", "3"},
                 {"--experimental"}, {"--sin-datos"}, {"--exportar", ""}, {"--exportar", "a.svg", "x"},
                 {"--exportar", "a.svg", "--flecha", "1"}}) {
            std::vector<const char*> argv{"ortanel"};
            argv.insert(argv.end(), args.begin(), args.end());
            Ordenes o;
            textos.push_back(leer_ordenes(static_cast<int>(argv.size()), argv.data(), o));
        }
        for (const char* tamano : {"x", "5"}) {
            Ordenes o;
            o.archivo = dir + "/c.svg";
            o.tamano = tamano;
            textos.push_back(exportar_sin_ventanas(o));
        }
        Ordenes o;
        o.archivo = dir + "/c.xyz";
        textos.push_back(exportar_sin_ventanas(o));
        std::string ayuda = texto_ayuda();
        for (size_t i = 0, fin; i < ayuda.size(); i = fin + 1) {
            fin = ayuda.find('\n', i);
            textos.push_back(ayuda.substr(i, fin - i));
        }

        GLUI_Master.reset();
        GLUI_Master.set_backend(nullptr);
        usar_plataforma(nullptr);
        estado_inicial();
    }

private:
    VentanasFalsas ventanas_;

    void ventana(GLUI* w) {
        textos.push_back(w->title());
        for (const auto& c : w->controls()) {
            textos.push_back(c->get_name());
            if (c->kind() == GLUI_Kind::Listbox)
                for (const auto& item : static_cast<GLUI_Listbox*>(c.get())->items()) textos.push_back(item.second);
            if (c->kind() == GLUI_Kind::EditText) textos.push_back(static_cast<GLUI_EditText*>(c.get())->get_text());
        }
    }
    void guardar_en(const std::string& ruta) {
        glui_Archivo->set_text(ruta);
        glui_Guardar->user_press();
        textos.push_back(glui_Exportado->get_text());
    }
};

class Textos : public Idiomas {
protected:
    std::string dir;
    void SetUp() override {
        Idiomas::SetUp();
        char plantilla[] = "/tmp/ortanel-idioma-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla), nullptr);
        dir = plantilla;
    }
    void TearDown() override {
        std::system(("rm -rf " + dir).c_str());
        Idiomas::TearDown();
    }
    // The texts with no catalogue in the way: the message ids, the program as it was.
    std::vector<std::string> sin_catalogo() {
        textdomain("ortanel-sin-catalogo");
        std::vector<std::string> t = Recorrido(dir).textos;
        textdomain(idioma::DOMINIO);
        return t;
    }
};

TEST_F(Textos, SinEntornoSonLosTextosEspanolesDeSiempre) {
    std::vector<std::string> originales = sin_catalogo();
    ASSERT_GT(originales.size(), 150u);
    EXPECT_NE(std::find(originales.begin(), originales.end(), "Numero de dientes" + std::string(26, ' ')),
              originales.end());
    EXPECT_NE(std::find(originales.begin(), originales.end(), "engranaje-z14-m1.svg"), originales.end());

    idioma::iniciar(idioma::del_entorno(), ORTANEL_PRUEBA_CATALOGOS);
    EXPECT_EQ(Recorrido(dir).textos, originales) << "the environment unset";
    poner("LANG", "es_ES.UTF-8");
    idioma::iniciar(idioma::del_entorno(), ORTANEL_PRUEBA_CATALOGOS);
    EXPECT_EQ(Recorrido(dir).textos, originales) << "Spanish asked for";
    poner("LANG", "en_US.UTF-8");
    idioma::iniciar(Idioma::ESPANOL, ORTANEL_PRUEBA_CATALOGOS);
    EXPECT_EQ(Recorrido(dir).textos, originales) << "--idioma es over an English environment";
}


// Words of three letters or more, lower-cased; option names, paths and file names left out.
std::set<std::string> palabras(const std::vector<std::string>& textos) {
    static const std::regex fuera(R"((--[a-z0-9-]+)|(\S*/\S*)|(\S*\.(svg|pdf|png|dxf|gif|xyz)\b))");
    std::set<std::string> r;
    for (const auto& t : textos) {
        std::string limpio = std::regex_replace(t, fuera, " ");
        std::string p;
        for (char c : limpio + " ") {
            if (std::isalpha(static_cast<unsigned char>(c))) {
                p += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            } else {
                if (p.size() >= 3) r.insert(p);
                p.clear();
            }
        }
    }
    return r;
}

TEST_F(Textos, EnInglesNoQuedaNingunTextoEspanol) {
    std::vector<std::string> es = sin_catalogo();
    idioma::iniciar(Idioma::INGLES, ORTANEL_PRUEBA_CATALOGOS);
    std::vector<std::string> en = Recorrido(dir).textos;
    ASSERT_EQ(en.size(), es.size()) << "the walk is the same in both languages";

    // A text the same in both languages: only one with no words, or a name.
    const std::set<std::string> iguales_validos = {"Ortanel", "Version 2.01", "Experimental", "Manual",
                                                   "ISO 6336"};
    std::vector<std::string> sin_traducir;
    for (size_t i = 0; i < es.size(); ++i)
        if (en[i] == es[i] && !palabras({es[i]}).empty() && !iguales_validos.count(es[i])) sin_traducir.push_back(es[i]);
    EXPECT_EQ(sin_traducir, std::vector<std::string>()) << "texts left in Spanish";

    // No Spanish word inside an English text, such as a format left untranslated. The values
    // of --hoja stay as typed in both languages, like the option names.
    const std::set<std::string> de_los_dos = {"ortanel", "version", "experimental", "manual", "iso",
                                                "base",    "circular", "control",      "extension", "normal", "png", "svg", "pdf", "dxf", "gif", "json",
                                                "ampliada", "ajustada"};
    std::set<std::string> de_es = palabras(es), restos;
    for (const auto& p : palabras(en))
        if (de_es.count(p) && !de_los_dos.count(p)) restos.insert(p);
    EXPECT_EQ(restos, std::set<std::string>()) << "Spanish words in the English texts";
}

// ---------------------------------------------------------------- the English panels' layout

constexpr const char* FUENTE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float ANCHO_VENTANA = 1000, ALTO_VENTANA = 660;

// A layer window drawn as the program draws it (the program's font at the scale), and
// what does not fit: controls past the width the window asks for, captions wider than
// their frames.
struct Dibujo {
    int ancho = 0, alto = 0;
    std::vector<std::string> fuera;
    bool barra = false;  // a scroll bar: something cannot be seen without scrolling
    float fondo = 0;     // the lowest bottom of a control drawn
};

Dibujo dibujar(GLUI* w, float escala) {
    capa::poner_escala(escala);
    capa::Vista v;
    v.glui = w;
    capa::crear_contexto(v);
    ImGuiIO& io = ImGui::GetIO();
    EXPECT_NE(io.Fonts->AddFontFromFileTTF(FUENTE, capa::tam_fuente()), nullptr) << FUENTE;
    unsigned char* px = nullptr;
    int an = 0, al = 0;
    io.Fonts->GetTexDataAsRGBA32(&px, &an, &al);
    auto nuevo = [] {
        ImGui::GetIO().DeltaTime = 1.0f / 60;
        ImGui::NewFrame();
    };
    // The panel takes the width it asks for, as its GLUT window does, and draws again.
    float ancho = ANCHO_VENTANA;
    capa::Resultado r;
    for (int i = 0; i < 4; ++i) {
        r = capa::cuadro(v, nullptr, ancho, ALTO_VENTANA, nuevo);
        if (w->is_subwindow() && r.ancho > 0) ancho = static_cast<float>(r.ancho);
    }
    Dibujo d;
    d.ancho = r.ancho;
    d.alto = r.alto;
    const ImGuiStyle& estilo = ImGui::GetStyle();
    float borde = static_cast<float>(d.ancho);
    ImGuiWindow* ventana = ImGui::FindWindowByName("##glui");
    if (ventana && ventana->ScrollbarY) borde -= estilo.ScrollbarSize;
    d.barra = ventana && ventana->ScrollbarY;
    float alto_texto = ImGui::GetTextLineHeight();
    for (const auto& [c, z] : v.zonas) {
        std::string nombre = c->get_name();
        d.fondo = std::max(d.fondo, z.max.y);
        if (z.max.x > borde + 0.5f) d.fuera.push_back("past the edge: '" + nombre + "'");
        float texto = ImGui::CalcTextSize(nombre.c_str()).x;
        if (c->kind() == GLUI_Kind::Panel && !nombre.empty() && 6 + texto + 3 > z.max.x - z.min.x)
            d.fuera.push_back("caption wider than its frame: '" + nombre + "'");
        if (c->kind() == GLUI_Kind::Rollout && alto_texto + 8 + texto > z.max.x - z.min.x)
            d.fuera.push_back("header wider than its rollout: '" + nombre + "'");
    }
    ImGui::DestroyContext(v.ctx);
    capa::poner_escala(1.0f);
    return d;
}

class Maqueta : public Textos {
protected:
    VentanasFalsas ventanas;
    void abrir(Idioma l) {
        idioma::iniciar(l, ORTANEL_PRUEBA_CATALOGOS);
        estado_inicial();
        GLUI_Master.reset();
        GLUI_Master.set_backend(&ventanas);
        usar_plataforma(&ventanas);
        winIdMain = ventanas.nueva();
        ventanas.actual = winIdMain;
        construir_dialogo();
    }
    // The panel with every text it can show: the undercut warning, the measured tooth,
    // the previous cut's data, a failed save's reason.
    void panel(int modo) {
        glui_control(modo);
        if (modo == SIMULACION_ESTANDAR) glui_Dientes->user_commit("8");
        completar_corte();
        sincronizar_panel();
        glui_NuevoCorte->user_press();
        glui_CFantasma->user_toggle();
        completar_corte();
        // The measured tooth: its build asked for, waited for, then shown.
        sincronizar_panel();
        esperar_tallado();
        sincronizar_panel();
        EXPECT_NE(informa_anterior->get_text(), "");
        EXPECT_NE(informa_espesor->get_text(), "");
        glui_Archivo->set_text(dir + "/no/hay/engranaje.svg");
        glui_Guardar->user_press();
    }
    void TearDown() override {
        GLUI_Master.reset();
        GLUI_Master.set_backend(nullptr);
        usar_plataforma(nullptr);
        estado_inicial();
        Textos::TearDown();
    }
};

TEST_F(Maqueta, ElPanelInglesCabeEnElAnchoDelEspanolSinCortarNada) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        // [language][scale 100%, 200%][rollouts as at the start, all open]
        std::map<Idioma, Dibujo> d[2][2];
        for (Idioma l : {Idioma::ESPANOL, Idioma::INGLES}) {
            abrir(l);
            panel(modo);
            for (int abierto : {0, 1}) {
                if (abierto)
                    for (const auto& c : v_glui->controls())
                        if (c->kind() == GLUI_Kind::Rollout) static_cast<GLUI_Panel*>(c.get())->open();
                for (int e : {0, 1}) d[e][abierto][l] = dibujar(v_glui, e ? 2.0f : 1.0f);
            }
        }
        for (int e : {0, 1})
            for (int abierto : {0, 1}) {
                SCOPED_TRACE(testing::Message() << "scale " << (e ? 200 : 100) << "%"
                                                << (modo == SIMULACION_ESTANDAR ? ", standard" : ", experimental")
                                                << (abierto ? ", every rollout open" : ""));
                auto& par = d[e][abierto];
                EXPECT_EQ(par[Idioma::ESPANOL].fuera, std::vector<std::string>()) << "Spanish";
                EXPECT_EQ(par[Idioma::INGLES].fuera, std::vector<std::string>()) << "English";
                EXPECT_LE(par[Idioma::INGLES].ancho, par[Idioma::ESPANOL].ancho);
                EXPECT_GT(par[Idioma::INGLES].ancho, e ? 200 : 100);
                if (e == 0) {
                    // A second column when every rollout is open; one, as at the start, otherwise.
                    EXPECT_LE(par[Idioma::ESPANOL].ancho, abierto ? ANCHO_VENTANA * 0.7f : ANCHO_VENTANA / 2)
                        << "the drawing keeps room";
                    for (Idioma l : {Idioma::ESPANOL, Idioma::INGLES}) {
                        EXPECT_FALSE(par[l].barra) << "everything in sight, no scroll bar";
                        EXPECT_LE(par[l].fondo, ALTO_VENTANA - 4) << "the last control inside the window";
                    }
                }
            }
    }
}

TEST_F(Maqueta, ElDialogoInglesNoEsMayorQueElEspanol) {
    for (float escala : {1.0f, 2.0f}) {
        std::map<Idioma, Dibujo> d;
        for (Idioma l : {Idioma::ESPANOL, Idioma::INGLES}) {
            abrir(l);
            d[l] = dibujar(glui, escala);
            EXPECT_EQ(d[l].fuera, std::vector<std::string>());
        }
        EXPECT_LE(d[Idioma::INGLES].ancho, d[Idioma::ESPANOL].ancho) << "scale " << escala;
        EXPECT_LE(d[Idioma::INGLES].alto, d[Idioma::ESPANOL].alto) << "scale " << escala;
    }
}

}  // namespace
