// The layer's windows drawn and driven headless: real windows built through the layer,
// frames run with Dear ImGui and no renderer, input put in the same queue the GLUT
// adapter fills, and the result read as a user sees it (values, callbacks, the drawing).
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "glui/controles.h"
#include "glui/entrada.h"
#include "glui/glui.h"
#include "nucleo/estado.h"
#include "nucleo/guardar.h"
#include "nucleo/panel.h"
#include "nucleo/plataforma.h"
#include "prueba.h"

namespace {

std::vector<int> llamadas;
// The program's callbacks and its keys, in the order they ran.
std::vector<std::string> sucesos;
void anotar(int id) {
    llamadas.push_back(id);
    sucesos.push_back("cb " + std::to_string(id));
}

int veces(int id) {
    int n = 0;
    for (int x : llamadas) n += x == id;
    return n;
}

class Ventanas : public VentanasFalsas {
public:
    std::vector<int> repintadas;  // layer windows a repaint was asked for
    void repaint(GLUI& w) override { repintadas.push_back(w.get_glut_window_id()); }
};

constexpr float ANCHO = 360, ALTO = 700;

// Vertices of the given colour inside the rectangle.
std::vector<ImVec2> puntos_de_color(ImVec2 a, ImVec2 b, ImU32 c) {
    std::vector<ImVec2> ps;
    ImDrawData* d = ImGui::GetDrawData();
    for (int i = 0; i < d->CmdListsCount; ++i)
        for (const ImDrawVert& x : d->CmdLists[i]->VtxBuffer)
            if (x.col == c && x.pos.x >= a.x && x.pos.x <= b.x && x.pos.y >= a.y && x.pos.y <= b.y) ps.push_back(x.pos);
    return ps;
}


class Paneles : public ::testing::Test {
protected:
    Ventanas ventanas;
    entrada::Rutas rutas;
    int principal = 0;
    int id = 0;
    GLUI* w = nullptr;
    capa::Vista v;
    capa::Resultado ultimo;
    float ancho = ANCHO, alto = ALTO;  // the window's size for the frames
    bool ancho_pedido = false;         // the window takes the width the panel asks for, as GLUT's does
    std::string al_programa;  // keys that waited and turned out to be the program's

    void SetUp() override {
        GLUI_Master.reset();
        GLUI_Master.set_backend(&ventanas);
        llamadas.clear();
        sucesos.clear();
        capa::poner_escala(1.0f);
        principal = ventanas.nueva();
        ventanas.actual = principal;
    }
    void TearDown() override {
        if (v.ctx) ImGui::DestroyContext(v.ctx);
        GLUI_Master.reset();
        GLUI_Master.set_backend(nullptr);
    }

    // A panel beside the main window, as the program's is.
    GLUI* panel() {
        w = GLUI_Master.create_glui_subwindow(principal, GLUI_SUBWINDOW_LEFT);
        w->set_main_gfx_window(principal);
        abrir(principal);
        return w;
    }
    // A stand-alone window, as the start dialog is.
    GLUI* suelta() {
        w = GLUI_Master.create_glui("Ortanel");
        abrir(0);
        return w;
    }
    void abrir(int padre) {
        id = w->get_glut_window_id();
        rutas.alta(id, padre);
        v.glui = w;
        capa::crear_contexto(v);
        unsigned char* px = nullptr;
        int an = 0, al = 0;
        ImGui::GetIO().Fonts->GetTexDataAsRGBA32(&px, &an, &al);
    }

    // One frame as the window's display callback makes it.
    capa::Resultado cuadro() {
        ultimo = capa::cuadro(v, rutas.cola(id), ancho, alto, [] {
            ImGui::GetIO().DeltaTime = 1.0f / 60;
            ImGui::NewFrame();
        });
        if (ancho_pedido && ultimo.ancho > 0) ancho = static_cast<float>(ultimo.ancho);
        rutas.escribiendo(id, ultimo.escribe);
        capa::acciones(v);
        rutas.repartir();
        entrada::Evento e;
        while (rutas.tecla_del_programa(e)) {
            al_programa += static_cast<char>(e.b);
            sucesos.push_back(std::string("tecla ") + static_cast<char>(e.b));
        }
        return ultimo;
    }
    // Frames while input is left or the layout settles, then two more: what the window's
    // redisplays do.
    capa::Resultado cuadros() {
        cuadro();
        int mas = 2;
        for (int i = 0; i < 100 && ((v.mas_entrada || ultimo.otro_cuadro) ? (mas = 2) : mas--) > 0; ++i) cuadro();
        return ultimo;
    }

    // Input as the GLUT adapter queues it.
    void mover(ImVec2 p) {
        entrada::Evento e;
        e.tipo = entrada::Evento::Mover;
        e.x = p.x;
        e.y = p.y;
        rutas.raton(id, e);
    }
    void boton(ImVec2 p, bool abajo) {
        entrada::Evento e;
        ASSERT_TRUE(entrada::de_raton(0, abajo, static_cast<int>(p.x), static_cast<int>(p.y), e));
        rutas.raton(id, e);
    }
    // Queued only, as events arriving between two frames.
    void poner_clic(ImVec2 p) {
        mover(p);
        boton(p, true);
        boton(p, false);
    }
    bool poner_tecla(unsigned char c, int mods = 0) { return rutas.tecla(id, entrada::de_caracter(c, mods)); }
    // Time between one gesture and the next, so that two clicks are no double click.
    void pausa() {
        for (int i = 0; i < 30; ++i) cuadro();
    }
    void clic(ImVec2 p) {
        pausa();
        mover(p);
        cuadros();
        boton(p, true);
        boton(p, false);
        cuadros();
    }
    // Press, move in steps to the end, release.
    void arrastrar(ImVec2 desde, ImVec2 hasta) {
        pausa();
        mover(desde);
        cuadros();
        boton(desde, true);
        cuadro();
        for (int i = 1; i <= 5; ++i) {
            mover(ImVec2(desde.x + (hasta.x - desde.x) * i / 5, desde.y + (hasta.y - desde.y) * i / 5));
            cuadro();
        }
        boton(hasta, false);
        cuadros();
    }
    // Typed keys: true when every one reached this window rather than the program.
    bool escribir(const std::string& s) {
        bool todas = true;
        for (unsigned char c : s) todas = rutas.tecla(id, entrada::de_caracter(c, 0)) && todas;
        cuadros();
        return todas;
    }
    bool tecla(unsigned char c, int mods = 0) {
        bool panel = rutas.tecla(id, entrada::de_caracter(c, mods));
        cuadros();
        return panel;
    }
    void especial(int k) {
        rutas.tecla(id, entrada::de_especial(k, 0));
        cuadros();
    }
    // Click a field, select all it shows, type.
    void teclear_en(GLUI_Control* c, const std::string& s) {
        clic(zona(c).centro());
        ASSERT_TRUE(tecla(1, entrada::MOD_CTRL)) << "Ctrl+A reaches the field";
        ASSERT_TRUE(escribir(s)) << "typing reaches the field";
    }

    capa::Zona zona(const GLUI_Control* c) {
        auto it = v.zonas.find(c);
        EXPECT_NE(it, v.zonas.end()) << "the control was not drawn";
        return it == v.zonas.end() ? capa::Zona{} : it->second;
    }
    bool dibujado(const GLUI_Control* c) const { return v.zonas.count(c) != 0; }
    std::string muestra(const GLUI_Control* c) { return v.textos.at(c).data(); }

    // Colours of the glyphs drawn inside the rectangle: vertices textured by a letter of the font.
    std::vector<ImU32> colores_texto(ImVec2 a, ImVec2 b) {
        const ImFont* f = ImGui::GetIO().Fonts->Fonts[0];
        auto de_letra = [f](ImVec2 uv) {
            for (const ImFontGlyph& g : f->Glyphs)
                if (g.Visible && uv.x >= g.U0 && uv.x <= g.U1 && uv.y >= g.V0 && uv.y <= g.V1) return true;
            return false;
        };
        std::vector<ImU32> cs;
        ImDrawData* d = ImGui::GetDrawData();
        for (int i = 0; i < d->CmdListsCount; ++i)
            for (const ImDrawVert& x : d->CmdLists[i]->VtxBuffer)
                if (x.pos.x >= a.x && x.pos.x <= b.x && x.pos.y >= a.y && x.pos.y <= b.y && de_letra(x.uv))
                    cs.push_back(x.col);
        return cs;
    }
    std::vector<ImU32> colores_texto(const GLUI_Control* c) { return colores_texto(zona(c).min, zona(c).max); }
    static ImU32 color(ImVec4 c) { return ImGui::ColorConvertFloat4ToU32(c); }
    ImGuiPopupData* lista_abierta() {
        ImGuiContext& g = *v.ctx;
        return g.OpenPopupStack.Size > 0 ? &g.OpenPopupStack[0] : nullptr;
    }
};

void esperar_colores(const std::vector<ImU32>& cs, ImU32 esperado, const char* que) {
    ASSERT_FALSE(cs.empty()) << que << ": no glyphs drawn";
    for (ImU32 c : cs) ASSERT_EQ(c, esperado) << que;
}

}  // namespace

// ---------------------------------------------------------------- numeric fields

TEST_F(Paneles, CampoNumericoRechazaConfirmaYRestaura) {
    panel();
    GLUI_Panel* datos = w->add_panel("Datos");
    GLUI_EditText* dientes = w->add_edittext_to_panel(datos, "Numero de dientes", GLUI_EDITTEXT_INT, nullptr, 1, anotar);
    GLUI_EditText* angulo = w->add_edittext_to_panel(datos, "Angulo de presion", GLUI_EDITTEXT_FLOAT, nullptr, 2, anotar);
    dientes->set_int_val(14);
    angulo->set_float_val(20.0f);
    cuadros();
    EXPECT_EQ(muestra(dientes), "14");

    // Enter on text that is no whole number: refused, the old value shown again.
    teclear_en(dientes, "1-2");
    EXPECT_EQ(rutas.ventana_escribiendo(), id) << "a field being typed in has the keyboard";
    EXPECT_EQ(muestra(dientes), "1-2");
    EXPECT_TRUE(tecla(entrada::TECLA_INTRO));
    EXPECT_TRUE(llamadas.empty());
    EXPECT_EQ(dientes->get_int_val(), 14);
    EXPECT_EQ(muestra(dientes), "14");
    EXPECT_EQ(rutas.ventana_escribiendo(), 0) << "after Enter the keys are the program's again";
    EXPECT_FALSE(rutas.tecla(id, entrada::de_caracter('r', 0)));

    // Tab leaves the field: "2a0" refused the same way.
    teclear_en(dientes, "2a0");
    EXPECT_TRUE(tecla(entrada::TECLA_TAB));
    EXPECT_TRUE(llamadas.empty());
    EXPECT_EQ(dientes->get_int_val(), 14);
    EXPECT_EQ(muestra(dientes), "14");

    // A float that overflows is refused.
    teclear_en(angulo, "1e39");
    EXPECT_TRUE(tecla(entrada::TECLA_INTRO));
    EXPECT_TRUE(llamadas.empty());
    EXPECT_FLOAT_EQ(angulo->get_float_val(), 20.0f);
    EXPECT_EQ(muestra(angulo), "20.0");

    // "1e5" is a whole number: a click elsewhere commits it, and the callback runs once.
    teclear_en(dientes, "1e5");
    clic(ImVec2(ANCHO - 5, ALTO - 5));
    EXPECT_EQ(llamadas, std::vector<int>{1});
    EXPECT_EQ(dientes->get_int_val(), 100000);
    EXPECT_EQ(muestra(dientes), "100000");

    // Escape puts back what was shown and calls nothing.
    llamadas.clear();
    teclear_en(angulo, "33");
    EXPECT_EQ(muestra(angulo), "33");
    EXPECT_TRUE(tecla(entrada::TECLA_ESCAPE));
    EXPECT_TRUE(llamadas.empty());
    EXPECT_FLOAT_EQ(angulo->get_float_val(), 20.0f);
    EXPECT_EQ(muestra(angulo), "20.0");
    EXPECT_FALSE(angulo->editing());
}

TEST_F(Paneles, EscribirEnOtroCampoConfirmaElPrimero) {
    panel();
    GLUI_EditText* a = w->add_edittext_to_panel(w->main_panel(), "Numero de dientes", GLUI_EDITTEXT_INT, nullptr, 1, anotar);
    GLUI_EditText* b = w->add_edittext_to_panel(w->main_panel(), "Modulo", GLUI_EDITTEXT_FLOAT, nullptr, 2, anotar);
    a->set_int_val(14);
    b->set_float_val(1.0f);
    cuadros();
    teclear_en(a, "15");
    teclear_en(b, "2.5");
    EXPECT_EQ(llamadas, std::vector<int>{1}) << "the first field commits when the second takes the keyboard";
    EXPECT_EQ(a->get_int_val(), 15);
    EXPECT_EQ(muestra(a), "15");
    EXPECT_EQ(muestra(b), "2.5") << "the second field holds what was typed into it";
    EXPECT_TRUE(tecla(entrada::TECLA_INTRO));
    EXPECT_EQ(llamadas, (std::vector<int>{1, 2}));
    EXPECT_FLOAT_EQ(b->get_float_val(), 2.5f);
}

// ---------------------------------------------------------------- what is typed is what happens

namespace {

// Three fields as the standard panel has them: the number of teeth rewrites the two
// diameters beside it.
GLUI_EditText *arriba_z = nullptr, *dientes_z = nullptr, *primitivo_z = nullptr;
void al_cambiar_dientes(int id) {
    anotar(id);
    primitivo_z->set_float_val(static_cast<float>(dientes_z->get_int_val()));
    arriba_z->set_float_val(static_cast<float>(dientes_z->get_int_val() + 2));
}

class Campos : public Paneles {
protected:
    GLUI_Button* boton_b = nullptr;
    GLUI_Listbox* lista_l = nullptr;
    void SetUp() override {
        Paneles::SetUp();
        panel();
        arriba_z = w->add_edittext_to_panel(w->main_panel(), "Diametro exterior", GLUI_EDITTEXT_FLOAT, nullptr, 3, anotar);
        dientes_z = w->add_edittext_to_panel(w->main_panel(), "Numero de dientes", GLUI_EDITTEXT_INT, nullptr, 1,
                                             al_cambiar_dientes);
        primitivo_z = w->add_edittext_to_panel(w->main_panel(), "Diametro primitivo", GLUI_EDITTEXT_FLOAT, nullptr, 2,
                                               anotar);
        boton_b = w->add_button("Reiniciar", 7, anotar);
        lista_l = w->add_listbox_to_panel(w->main_panel(), "Modulo", nullptr, 8, anotar);
        lista_l->add_item(1, "1.00");
        lista_l->add_item(2, "1.25");
        de_nuevo();
    }
    // The values of the start, no field with the keyboard, nothing recorded.
    void de_nuevo() {
        clic(vacio());
        dientes_z->set_int_val(14);
        primitivo_z->set_float_val(14.0f);
        arriba_z->set_float_val(16.0f);
        cuadros();
        llamadas.clear();
        sucesos.clear();
        al_programa.clear();
    }
    ImVec2 vacio() { return ImVec2(ANCHO / 2, ALTO - 20); }
    void ctrl_a_y(const std::string& s) {
        ASSERT_TRUE(poner_tecla(1, entrada::MOD_CTRL));
        for (unsigned char c : s) ASSERT_TRUE(poner_tecla(c));
    }
};

}  // namespace

// Tab, Shift+Tab or a click into the next field show its value as the number of teeth
// left it; leaving that field untouched commits nothing, as after Enter.
TEST_F(Campos, PasarAlCampoSiguienteNoConfirmaLoQueNoSeEscribio) {
    struct Forma {
        const char* nombre;
        std::function<void()> entrar;  // leaves the number of teeth for another field
        GLUI_EditText* otro;
    };
    std::vector<Forma> formas = {
        {"Intro", [&] { tecla(entrada::TECLA_INTRO); }, nullptr},
        {"Tab", [&] { tecla(entrada::TECLA_TAB); }, primitivo_z},
        {"Mayusculas+Tab", [&] { tecla(entrada::TECLA_TAB, entrada::MOD_SHIFT); }, arriba_z},
        {"clic", [&] { clic(zona(primitivo_z).centro()); }, primitivo_z},
    };
    for (const Forma& f : formas) {
        SCOPED_TRACE(f.nombre);
        de_nuevo();
        teclear_en(dientes_z, "12");
        f.entrar();
        if (f.otro) {
            EXPECT_TRUE(f.otro->editing()) << "the other field has the keyboard";
            EXPECT_EQ(muestra(f.otro), f.otro == arriba_z ? "14.0" : "12.0")
                << "a value the callback wrote is shown in the field that has the keyboard";
            tecla(entrada::TECLA_TAB);  // and left again, untouched
            clic(vacio());
        }
        EXPECT_EQ(llamadas, std::vector<int>{1}) << "only the field typed into commits";
        EXPECT_EQ(dientes_z->get_int_val(), 12);
        EXPECT_FLOAT_EQ(primitivo_z->get_float_val(), 12.0f);
        EXPECT_FLOAT_EQ(arriba_z->get_float_val(), 14.0f);
        EXPECT_EQ(muestra(primitivo_z), "12.0");
    }
}

// A field entered and written into after the program changed it: what is typed wins.
TEST_F(Campos, LoEscritoTrasElCambioDelProgramaEsLoQueCuenta) {
    teclear_en(dientes_z, "12");
    tecla(entrada::TECLA_TAB);
    EXPECT_EQ(muestra(primitivo_z), "12.0");
    escribir("5");  // the whole text was selected on entering: it is replaced
    EXPECT_EQ(muestra(primitivo_z), "5");
    dientes_z->set_int_val(20);  // the program changes another field meanwhile
    primitivo_z->set_float_val(20.0f);
    cuadros();
    EXPECT_EQ(muestra(primitivo_z), "5") << "the program does not overwrite what the user is typing";
    tecla(entrada::TECLA_INTRO);
    EXPECT_FLOAT_EQ(primitivo_z->get_float_val(), 5.0f);
    EXPECT_EQ(llamadas, (std::vector<int>{1, 2}));
}

// Keys typed into a field and a click anywhere, all arriving between two frames or
// with a frame after any one of them: the whole typed text is applied first.
TEST_F(Campos, LoTecleadoAntesDeUnClicSeAplicaEntero) {
    struct Destino {
        const char* nombre;
        std::function<void()> pulsar;  // queues the click
        std::vector<std::string> despues;  // what runs after the commit of the teeth
    };
    std::vector<Destino> destinos = {
        {"dibujo", [&] { rutas.pulsacion_principal(); }, {}},
        {"otro campo", [&] { poner_clic(zona(primitivo_z).centro()); }, {}},
        {"boton", [&] { poner_clic(zona(boton_b).centro()); }, {"cb 7"}},
        {"lista", [&] { poner_clic(zona(lista_l).centro()); }, {}},
        {"panel vacio", [&] { poner_clic(vacio()); }, {}},
    };
    for (const Destino& d : destinos) {
        // The gesture as a list of arrivals; a frame runs after arrival k.
        std::vector<std::function<void()>> llegadas = {
            [&] { ASSERT_TRUE(poner_tecla(1, entrada::MOD_CTRL)); },
            [&] { ASSERT_TRUE(poner_tecla('2')); },
            [&] { ASSERT_TRUE(poner_tecla('3')); },
            [&] { ASSERT_TRUE(poner_tecla('7')); },
            d.pulsar,
        };
        for (size_t k = 0; k <= llegadas.size(); ++k) {
            SCOPED_TRACE(std::string(d.nombre) + ", a frame after arrival " + std::to_string(k));
            de_nuevo();
            clic(zona(dientes_z).centro());
            for (size_t i = 0; i < llegadas.size(); ++i) {
                llegadas[i]();
                if (i + 1 == k) cuadro();
            }
            cuadros();
            clic(vacio());
            EXPECT_EQ(dientes_z->get_int_val(), 237);
            std::vector<std::string> esperado = {"cb 1"};
            esperado.insert(esperado.end(), d.despues.begin(), d.despues.end());
            EXPECT_EQ(sucesos, esperado);
        }
    }
}

// A click on a field and the typing right after it, before any frame: the typing goes
// into that field; so does what follows a Tab; a key of the program's typed right after
// a click in the drawing comes after the typed value is applied.
TEST_F(Campos, LoTecleadoTrasUnClicOUnTabVaAlCampoQueToca) {
    teclear_en(dientes_z, "12");
    poner_clic(zona(primitivo_z).centro());
    ctrl_a_y("9");
    ASSERT_TRUE(poner_tecla(entrada::TECLA_INTRO));
    cuadros();
    EXPECT_EQ(dientes_z->get_int_val(), 12);
    EXPECT_FLOAT_EQ(primitivo_z->get_float_val(), 9.0f);
    EXPECT_EQ(sucesos, (std::vector<std::string>{"cb 1", "cb 2"}));
    EXPECT_TRUE(al_programa.empty());

    de_nuevo();
    clic(zona(dientes_z).centro());
    ctrl_a_y("21");
    ASSERT_TRUE(poner_tecla(entrada::TECLA_TAB));
    for (unsigned char c : std::string("33")) ASSERT_TRUE(poner_tecla(c));
    ASSERT_TRUE(poner_tecla(entrada::TECLA_INTRO));
    cuadros();
    EXPECT_EQ(dientes_z->get_int_val(), 21);
    EXPECT_FLOAT_EQ(primitivo_z->get_float_val(), 33.0f) << "typed after Tab, into the field Tab led to";
    EXPECT_EQ(sucesos, (std::vector<std::string>{"cb 1", "cb 2"}));

    de_nuevo();
    clic(zona(dientes_z).centro());
    ctrl_a_y("30");
    rutas.pulsacion_principal();
    EXPECT_TRUE(poner_tecla('a')) << "the program's key waits for the field to let go";
    cuadros();
    EXPECT_EQ(dientes_z->get_int_val(), 30);
    EXPECT_EQ(sucesos, (std::vector<std::string>{"cb 1", "tecla a"}));
    EXPECT_FALSE(poner_tecla('t')) << "with nothing queued a key is the program's at once";
}

TEST_F(Paneles, FlechasYBorradoEditanElTexto) {
    panel();
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "Numero de dientes", GLUI_EDITTEXT_INT, nullptr, 1, anotar);
    e->set_int_val(14);
    cuadros();
    teclear_en(e, "125");
    especial(entrada::ESPECIAL_IZQUIERDA);
    tecla(entrada::TECLA_BORRAR);  // the 2 goes
    especial(entrada::ESPECIAL_INICIO);
    tecla(entrada::TECLA_SUPRIMIR);  // the 1 goes
    escribir("3");
    EXPECT_EQ(muestra(e), "35");
    tecla(entrada::TECLA_INTRO);
    EXPECT_EQ(e->get_int_val(), 35);
    EXPECT_EQ(llamadas, std::vector<int>{1});
}

// ---------------------------------------------------------------- spinners

TEST_F(Paneles, GiradorArrastreFlechasYTexto) {
    panel();
    float rojo = 0.5f, lento = 0.5f;
    GLUI_Spinner* s = w->add_spinner_to_panel(w->main_panel(), "Rojo", GLUI_SPINNER_FLOAT, &rojo, 20, anotar);
    s->set_float_limits(0, 1);
    GLUI_Spinner* l = w->add_spinner_to_panel(w->main_panel(), "Verde", GLUI_SPINNER_FLOAT, &lento, 21, anotar);
    l->set_float_limits(0, 1);
    l->set_speed(0.5f);
    cuadros();

    // A 50 px drag sideways: 0.004 per pixel times the speed.
    capa::Zona z = zona(s);
    arrastrar(z.centro(), ImVec2(z.centro().x + 50, z.centro().y));
    EXPECT_NEAR(rojo, 0.5f + 50 * 0.004f, 0.006f);
    EXPECT_FLOAT_EQ(s->get_float_val(), rojo);
    ASSERT_FALSE(llamadas.empty());
    EXPECT_EQ(veces(20), static_cast<int>(llamadas.size()));
    z = zona(l);
    arrastrar(z.centro(), ImVec2(z.centro().x - 50, z.centro().y));
    EXPECT_NEAR(lento, 0.5f - 50 * 0.004f * 0.5f, 0.006f) << "half the speed, half the change; leftwards lowers";

    // Dragged past its limits it stops at them.
    z = zona(s);
    arrastrar(z.centro(), ImVec2(z.centro().x + 300, z.centro().y));
    EXPECT_FLOAT_EQ(rojo, 1.0f);
    z = zona(s);
    arrastrar(z.centro(), ImVec2(z.centro().x - 600, z.centro().y));
    EXPECT_FLOAT_EQ(rojo, 0.0f);

    // The arrows beside the value step it by 0.01.
    float lado = z.max.y - z.min.y, medio = z.centro().y;
    llamadas.clear();
    clic(ImVec2(z.max.x + 2 + lado / 2, medio));
    clic(ImVec2(z.max.x + 2 + lado / 2, medio));
    EXPECT_NEAR(rojo, 0.02f, 1e-5f);
    clic(ImVec2(z.min.x - 2 - lado / 2, medio));
    EXPECT_NEAR(rojo, 0.01f, 1e-5f);
    EXPECT_EQ(llamadas, (std::vector<int>{20, 20, 20}));
    clic(ImVec2(z.min.x - 2 - lado / 2, medio));
    clic(ImVec2(z.min.x - 2 - lado / 2, medio));
    EXPECT_FLOAT_EQ(rojo, 0.0f) << "the arrows keep to the limits";

    // A click without a drag puts the caret in the value: what is typed replaces it.
    llamadas.clear();
    clic(zona(s).centro());
    EXPECT_EQ(rutas.ventana_escribiendo(), id);
    EXPECT_FLOAT_EQ(rojo, 0.0f) << "a click alone changes nothing";
    ASSERT_TRUE(escribir("0.25"));
    EXPECT_TRUE(tecla(entrada::TECLA_INTRO));
    EXPECT_FLOAT_EQ(rojo, 0.25f);
    EXPECT_EQ(veces(20), static_cast<int>(llamadas.size()));
    EXPECT_FALSE(llamadas.empty());
    EXPECT_FLOAT_EQ(lento, 0.5f - 50 * 0.004f * 0.5f) << "the other spinner is left alone";
}

// ---------------------------------------------------------------- enabled state, translations

TEST_F(Paneles, ControlApagadoNoRespondeHastaEncenderse) {
    panel();
    int paso = 0;
    GLUI_Checkbox* k = w->add_checkbox_to_panel(w->main_panel(), "Circunferencia de paso", &paso, 5, anotar);
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "Angulo", GLUI_EDITTEXT_FLOAT, nullptr, 6, anotar);
    GLUI_Button* b = w->add_button("Siguiente >>", 7, anotar);
    cuadros();
    ventanas.repintadas.clear();
    k->disable();
    e->disable();
    b->disable();
    EXPECT_NE(std::count(ventanas.repintadas.begin(), ventanas.repintadas.end(), id), 0) << "disabling repaints";
    cuadros();
    clic(zona(k).centro());
    clic(zona(b).centro());
    clic(zona(e).centro());
    EXPECT_FALSE(rutas.tecla(id, entrada::de_caracter('7', 0))) << "a disabled field takes no keys";
    cuadros();
    EXPECT_EQ(paso, 0);
    EXPECT_TRUE(llamadas.empty());
    EXPECT_FALSE(e->editing());

    ventanas.repintadas.clear();
    k->enable();
    b->enable();
    EXPECT_NE(std::count(ventanas.repintadas.begin(), ventanas.repintadas.end(), id), 0) << "enabling repaints";
    cuadros();
    clic(zona(k).centro());
    clic(zona(b).centro());
    EXPECT_EQ(paso, 1);
    EXPECT_EQ(llamadas, (std::vector<int>{5, 7}));
}

TEST_F(Paneles, TraslacionSigueAlArrastreConSuSigno) {
    panel();
    float x = 0, y = 0;
    GLUI_Panel* imagen = w->add_panel("Control de imagen");
    GLUI_Translation* tx = w->add_translation_to_panel(imagen, "X", GLUI_TRANSLATION_X, &x, 30, anotar);
    w->add_column_to_panel(imagen, 0);
    GLUI_Translation* ty = w->add_translation_to_panel(imagen, "Y", GLUI_TRANSLATION_Y, &y, 31, anotar);
    cuadros();
    ventanas.redibujos.clear();
    ventanas.repintadas.clear();

    // Rightwards: X grows by the pixels over the pixels per unit.
    capa::Zona z = zona(tx);
    arrastrar(z.centro(), ImVec2(z.centro().x + 2 * GLUI_PIXELES_POR_UNIDAD, z.centro().y + 30));
    EXPECT_NEAR(x, 2.0f, 1e-4f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(veces(30), static_cast<int>(llamadas.size()));
    EXPECT_GE(llamadas.size(), 2u) << "the callback runs as the drag goes, not once at the end";
    EXPECT_NE(std::count(ventanas.redibujos.begin(), ventanas.redibujos.end(), principal), 0)
        << "the drawing is asked to redraw";
    EXPECT_NE(std::count(ventanas.repintadas.begin(), ventanas.repintadas.end(), id), 0)
        << "the panel is asked for frames";

    // Upwards is positive Y (the screen's y grows downwards).
    llamadas.clear();
    z = zona(ty);
    arrastrar(z.centro(), ImVec2(z.centro().x + 40, z.centro().y - GLUI_PIXELES_POR_UNIDAD));
    EXPECT_NEAR(y, 1.0f, 1e-4f);
    EXPECT_NEAR(x, 2.0f, 1e-4f);
    EXPECT_EQ(veces(31), static_cast<int>(llamadas.size()));
}

// ---------------------------------------------------------------- live variables, lists

TEST_F(Paneles, ClicEscribeLaVariableYLlamaUnaVez) {
    panel();
    int fondo = 1, color = 0;
    GLUI_Checkbox* k = w->add_checkbox_to_panel(w->main_panel(), "Circunferencia de fondo", &fondo, 8, anotar);
    GLUI_RadioGroup* g = w->add_radiogroup_to_panel(w->main_panel(), &color, 9, anotar);
    w->add_radiobutton_to_group(g, "Fondo de la ventana");
    w->add_radiobutton_to_group(g, "Engranaje");
    GLUI_RadioButton* cremallera = w->add_radiobutton_to_group(g, "Cremallera");
    cuadros();

    clic(zona(k).centro());
    EXPECT_EQ(fondo, 0);
    EXPECT_EQ(llamadas, std::vector<int>{8});
    clic(zona(k).centro());
    EXPECT_EQ(fondo, 1);
    EXPECT_EQ(llamadas, (std::vector<int>{8, 8}));

    llamadas.clear();
    clic(zona(cremallera).centro());
    EXPECT_EQ(color, 2);
    EXPECT_EQ(g->get_int_val(), 2);
    EXPECT_EQ(llamadas, std::vector<int>{9});
    EXPECT_EQ(fondo, 1);
    // The dot is drawn in the chosen button only.
    ImU32 punto = ImGui::GetColorU32(ImGuiCol_CheckMark);
    EXPECT_FALSE(puntos_de_color(zona(cremallera).min, zona(cremallera).max, punto).empty());
    for (GLUI_Control* r : g->children()) {
        if (r == cremallera) continue;
        EXPECT_TRUE(puntos_de_color(zona(r).min, zona(r).max, punto).empty()) << r->get_name();
    }
}

TEST_F(Paneles, ListaSeAbreEligeYSeCierraSinTragarseElClic) {
    panel();
    int paso = 0;
    GLUI_Checkbox* k = w->add_checkbox_to_panel(w->main_panel(), "Circunferencia de paso", &paso, 8, anotar);
    GLUI_Listbox* m = w->add_listbox_to_panel(w->main_panel(), "Modulo", nullptr, 3, anotar);
    m->add_item(1, "1.00");
    m->add_item(2, "1.25");
    m->add_item(3, "1.50");
    m->set_int_val(1);
    cuadros();
    EXPECT_EQ(lista_abierta(), nullptr);

    clic(zona(m).centro());
    ImGuiPopupData* p = lista_abierta();
    ASSERT_NE(p, nullptr) << "a click opens the list";
    ASSERT_NE(p->Window, nullptr);
    EXPECT_GE(p->Window->Pos.y, zona(m).max.y - 1) << "the items show below the field";
    EXPECT_TRUE(llamadas.empty());

    // The third item: rows of one text line each, with the item spacing between them.
    float fila = ImGui::GetTextLineHeight() + ImGui::GetStyle().ItemSpacing.y;
    ImVec2 inicio = p->Window->DC.CursorStartPos;
    clic(ImVec2(inicio.x + 10, inicio.y + 2 * fila + fila / 2 - 1));
    EXPECT_EQ(m->get_int_val(), 3);
    EXPECT_EQ(m->selected_text(), "1.50");
    EXPECT_EQ(llamadas, std::vector<int>{3});
    EXPECT_EQ(lista_abierta(), nullptr) << "choosing closes the list";

    // A second click on the field closes the list it opened, and does not open it again.
    clic(zona(m).centro());
    ASSERT_NE(lista_abierta(), nullptr);
    clic(zona(m).centro());
    EXPECT_EQ(lista_abierta(), nullptr);
    EXPECT_EQ(m->get_int_val(), 3);

    // Open again, then a click on the check box above: the list closes and the box toggles.
    llamadas.clear();
    clic(zona(m).centro());
    ASSERT_NE(lista_abierta(), nullptr);
    clic(zona(k).centro());
    EXPECT_EQ(lista_abierta(), nullptr);
    EXPECT_EQ(paso, 1);
    EXPECT_EQ(llamadas, std::vector<int>{8});
    EXPECT_EQ(m->get_int_val(), 3);
}

// ---------------------------------------------------------------- colours

TEST_F(Paneles, CadaTextoEnSuColor) {
    panel();
    GLUI_Panel* datos = w->add_panel("Datos");
    GLUI_StaticText* aviso = w->add_statictext_to_panel(datos, "EXISTE SOCAVACION DEL DIENTE");
    aviso->set_color(0.8f, 0.1f, 0.1f);
    GLUI_StaticText* normal = w->add_statictext_to_panel(datos, "Desplazamiento minimo x = 0.181");
    GLUI_StaticText* apagado = w->add_statictext_to_panel(datos, "Angulo girado por tallada");
    GLUI_Panel* opciones = w->add_panel("Opciones");
    w->add_statictext_to_panel(opciones, "Control de movimiento");
    apagado->disable();
    opciones->disable();
    cuadros();
    const ImGuiStyle& st = ImGui::GetStyle();

    esperar_colores(colores_texto(aviso), color(ImVec4(0.8f, 0.1f, 0.1f, 1)), "a warning in its own colour");
    esperar_colores(colores_texto(normal), color(st.Colors[ImGuiCol_Text]), "a plain text in the text colour");
    ImVec4 tenue = st.Colors[ImGuiCol_Text];
    tenue.w *= st.DisabledAlpha;
    esperar_colores(colores_texto(apagado), color(tenue), "a disabled text is dimmed");

    // A panel's caption sits across its frame's top edge: its glyphs' upper half is above it.
    auto rotulo = [&](GLUI_Panel* p) {
        capa::Zona z = zona(p);
        float h = ImGui::GetTextLineHeight();
        return colores_texto(ImVec2(z.min.x, z.min.y - h), ImVec2(z.min.x + 10 + ImGui::CalcTextSize(p->get_name().c_str()).x, z.min.y));
    };
    esperar_colores(rotulo(datos), color(st.Colors[ImGuiCol_Text]), "an enabled panel's caption");
    esperar_colores(rotulo(opciones), color(st.Colors[ImGuiCol_TextDisabled]), "a disabled panel's caption");

    aviso->set_color(0.1f, 0.6f, 0.2f);
    cuadros();
    esperar_colores(colores_texto(aviso), color(ImVec4(0.1f, 0.6f, 0.2f, 1)), "a new colour is shown");
}

// ---------------------------------------------------------------- layout

TEST_F(Paneles, DesplegableSeAbreYCierraYElTamanoSigue) {
    suelta();
    GLUI_Rollout* r = w->add_rollout("Exportar", 1);
    GLUI_Button* b = w->add_button_to_panel(r, "Guardar", 11, anotar);
    w->add_button("Salir", 12, anotar);
    capa::Resultado abierto = cuadros();
    ASSERT_TRUE(dibujado(b));
    EXPECT_GT(abierto.ancho, 0);

    capa::Zona z = zona(r);
    ImVec2 cabecera(z.min.x + 20, z.min.y + ImGui::GetFrameHeight() / 2);
    clic(cabecera);
    EXPECT_FALSE(r->is_open());
    capa::Resultado cerrado = cuadros();
    EXPECT_FALSE(dibujado(b)) << "a closed rollout hides its controls";
    EXPECT_LT(cerrado.alto, abierto.alto - ImGui::GetFrameHeight()) << "the window asks for less height";
    EXPECT_TRUE(llamadas.empty()) << "the header is no button of the program";

    clic(cabecera);
    EXPECT_TRUE(r->is_open());
    EXPECT_TRUE(dibujado(b));
    EXPECT_EQ(cuadros().alto, abierto.alto);
}

// A progress bar spans the columns above it and shows its fraction and text.
TEST_F(Paneles, BarraDeProgresoBajoLasColumnas) {
    panel();
    GLUI_Panel* marco = w->add_panel("Control de movimiento");
    GLUI_Panel* botones = w->add_panel_to_panel(marco, "", GLUI_PANEL_NONE);
    GLUI_Button* izquierda = w->add_button_to_panel(botones, "Reiniciar", 1, anotar);
    w->add_column_to_panel(botones, 0);
    GLUI_Button* derecha = w->add_button_to_panel(botones, "Automatico", 2, anotar);
    GLUI_Progress* p = w->add_progress_to_panel(marco);
    p->set_progress(0.25f, "90 de 360 grados - paso 90");
    cuadros();
    EXPECT_NEAR(zona(p).min.x, zona(izquierda).min.x, 0.5f);
    EXPECT_NEAR(zona(p).max.x, zona(derecha).max.x, 0.5f) << "as wide as the two columns";
    EXPECT_GT(zona(p).min.y, zona(derecha).max.y - 0.5f) << "under them";
    ImU32 relleno = color(ImGui::GetStyle().Colors[ImGuiCol_PlotHistogram]);
    std::vector<ImVec2> lleno = puntos_de_color(zona(p).min, zona(p).max, relleno);
    ASSERT_FALSE(lleno.empty());
    float hasta = 0;
    for (const ImVec2& q : lleno) hasta = std::max(hasta, q.x);
    float ancho = zona(p).max.x - zona(p).min.x;
    EXPECT_NEAR((hasta - zona(p).min.x) / ancho, 0.25f, 0.03f) << "filled to a quarter";
    EXPECT_FALSE(colores_texto(p).empty()) << "its text drawn";
    ventanas.repintadas.clear();
    p->set_progress(0.25f, "90 de 360 grados - paso 90");
    EXPECT_TRUE(ventanas.repintadas.empty()) << "no repaint without a change";
    p->set_progress(3.0f, "fin");
    EXPECT_EQ(p->fraction(), 1.0f);
    EXPECT_FALSE(ventanas.repintadas.empty());
}

TEST_F(Paneles, PanelesDelPrimerNivelCompartenAncho) {
    panel();
    GLUI_Panel* ancho = w->add_panel("Datos");
    w->add_statictext_to_panel(ancho, "Diametro circunferencia primitiva   14.0");
    GLUI_Panel* estrecho = w->add_panel("Opciones");
    GLUI_Panel* dentro = w->add_panel_to_panel(estrecho, "Control");
    w->add_statictext_to_panel(dentro, "X");
    cuadros();
    EXPECT_NEAR(zona(ancho).max.x, zona(estrecho).max.x, 0.5f) << "first-level panels end at one right edge";
    EXPECT_LT(zona(dentro).max.x, zona(estrecho).max.x - 20) << "panels inside keep their own width";
    float antes = zona(ancho).max.x;

    // The panel asks for the width of its content.
    int pedido = ultimo.ancho;
    EXPECT_NEAR(pedido, antes + ImGui::GetStyle().WindowPadding.x, 2.0f);
    GLUI_StaticText* largo = w->add_statictext_to_panel(dentro, "Circunferencia de fondo, circunferencia de paso");
    cuadros();
    EXPECT_GT(zona(largo).max.x, antes);
    EXPECT_NEAR(zona(ancho).max.x, zona(estrecho).max.x, 0.5f) << "the wider one now sets the edge";
    EXPECT_GT(ultimo.ancho, pedido + 50) << "a wider content asks for a wider panel";
}

TEST_F(Paneles, CamposDeUnaColumnaAlineadosYMedidasSegunLaEscala) {
    capa::poner_escala(1.5f);
    panel();
    GLUI_Panel* p = w->add_panel("Datos");
    GLUI_EditText* corto = w->add_edittext_to_panel(p, "Modulo", GLUI_EDITTEXT_FLOAT, nullptr, 1, anotar);
    GLUI_EditText* largo = w->add_edittext_to_panel(p, "Coeficiente de desplazamiento", GLUI_EDITTEXT_FLOAT, nullptr, 2, anotar);
    w->add_column_to_panel(p, 1);
    GLUI_EditText* archivo = w->add_edittext_to_panel(p, "Archivo", GLUI_EDITTEXT_TEXT, nullptr, 3, anotar);
    GLUI_Button* salir = w->add_button("Salir", 4, anotar);
    GLUI_Button* siguiente = w->add_button("Una etiqueta de boton bastante larga", 5, anotar);
    cuadros();

    EXPECT_FLOAT_EQ(zona(corto).min.x, zona(largo).min.x) << "the fields of a column share one left edge";
    // The longest label ends a small gap before the fields.
    float fin_etiqueta = -1;
    for (ImVec2 q : puntos_de_color(ImVec2(0, zona(largo).min.y), ImVec2(zona(largo).min.x, zona(largo).max.y),
                                    color(ImGui::GetStyle().Colors[ImGuiCol_Text])))
        fin_etiqueta = std::max(fin_etiqueta, q.x);
    EXPECT_GT(zona(largo).min.x - fin_etiqueta, 6) << "labels do not touch their fields";
    EXPECT_LT(zona(largo).min.x - fin_etiqueta, 14) << "nor stand far from them";
    EXPECT_GT(zona(archivo).min.x, zona(largo).max.x) << "a column starts right of the one before";
    EXPECT_NEAR(zona(archivo).min.y, zona(corto).min.y, 0.5f) << "columns start at one height";
    EXPECT_FLOAT_EQ(zona(corto).max.x - zona(corto).min.x, 78 * 1.5f) << "a number's field";
    EXPECT_FLOAT_EQ(zona(archivo).max.x - zona(archivo).min.x, 190 * 1.5f) << "a file name's field";
    EXPECT_FLOAT_EQ(zona(salir).max.x - zona(salir).min.x, 110 * 1.5f) << "buttons have one width";
    EXPECT_FLOAT_EQ(zona(siguiente).max.x - zona(siguiente).min.x,
                    ImGui::CalcTextSize("Una etiqueta de boton bastante larga").x + 16 * 1.5f)
        << "a long label widens its button";

    // The bar between the columns: a line in the border colour between them.
    ImU32 borde = color(ImGui::GetStyle().Colors[ImGuiCol_Border]);
    bool barra = false;
    ImDrawData* d = ImGui::GetDrawData();
    for (int i = 0; i < d->CmdListsCount; ++i)
        for (const ImDrawVert& x : d->CmdLists[i]->VtxBuffer)
            barra = barra || (x.col == borde && x.pos.x > zona(largo).max.x + 2 && x.pos.x < zona(archivo).min.x - 2 &&
                              x.pos.y > zona(corto).min.y && x.pos.y < zona(largo).max.y);
    EXPECT_TRUE(barra);
}

TEST_F(Paneles, ClicEnElDibujoConfirmaElCampoYCierraLaLista) {
    panel();
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "Numero de dientes", GLUI_EDITTEXT_INT, nullptr, 1, anotar);
    GLUI_Listbox* m = w->add_listbox_to_panel(w->main_panel(), "Modulo", nullptr, 3, anotar);
    m->add_item(1, "1.00");
    m->add_item(2, "1.25");
    e->set_int_val(14);
    m->set_int_val(1);
    cuadros();
    teclear_en(e, "20");
    rutas.pulsacion_principal();  // a press in the main window's drawing
    cuadros();
    EXPECT_EQ(e->get_int_val(), 20);
    EXPECT_EQ(llamadas, std::vector<int>{1});
    EXPECT_EQ(rutas.ventana_escribiendo(), 0) << "the keyboard is back with the program";

    clic(zona(m).centro());
    ASSERT_NE(lista_abierta(), nullptr);
    rutas.pulsacion_principal();
    cuadros();
    EXPECT_EQ(lista_abierta(), nullptr);
    EXPECT_EQ(m->get_int_val(), 1);

    // The program sets a value: the field shows it.
    e->set_int_val(31);
    cuadros();
    EXPECT_EQ(muestra(e), "31");
}

// A window whose size could not be read (gone from the X server) makes an empty frame, not
// an abort in ImGui's checks.
TEST_F(Paneles, UnaVentanaSinTamanoDaUnCuadroVacio) {
    panel();
    w->add_button("Reiniciar", 1, anotar);
    ancho = -1125471232;
    alto = -1419054407;
    cuadros();
    EXPECT_TRUE(llamadas.empty());
    ancho = ANCHO;
    alto = ALTO;
    cuadros();
    EXPECT_TRUE(dibujado(w->controls().back().get())) << "drawn again once the size is back";
}

TEST_F(Paneles, RuedaDesplazaUnPanelMasAltoQueSuVentana) {
    panel();
    std::vector<GLUI_Button*> botones;
    // More than two columns' worth: the second one scrolls.
    for (int i = 0; i < 150; ++i) botones.push_back(w->add_button("Reiniciar", i, anotar));
    cuadros();
    float arriba = zona(botones[0]).min.y;
    ImVec2 dentro(ANCHO / 2, ALTO / 2);
    mover(dentro);
    entrada::Evento e;
    ASSERT_TRUE(entrada::de_raton(4, 1, static_cast<int>(dentro.x), static_cast<int>(dentro.y), e));  // towards the user
    rutas.raton(id, e);
    cuadros();
    EXPECT_LT(zona(botones[0]).min.y, arriba - 10) << "the wheel towards the user shows what is below";
    float abajo = zona(botones[0]).min.y;
    ASSERT_TRUE(entrada::de_raton(3, 1, static_cast<int>(dentro.x), static_cast<int>(dentro.y), e));
    rutas.raton(id, e);
    cuadros();
    EXPECT_GT(zona(botones[0]).min.y, abajo + 10);
    EXPECT_NEAR(ultimo.ancho, 110 + 10 + 110 + 2 * 8 + 12, 1) << "two columns of buttons, the padding and the scroll bar";
    EXPECT_TRUE(llamadas.empty());
}

TEST_F(Paneles, UnArrastreDelGiradorNoPoneElCursor) {
    panel();
    float rojo = 0.5f;
    GLUI_Spinner* s = w->add_spinner_to_panel(w->main_panel(), "Rojo", GLUI_SPINNER_FLOAT, &rojo, 20, anotar);
    s->set_float_limits(0, 1);
    cuadros();
    capa::Zona z = zona(s);
    arrastrar(z.centro(), ImVec2(z.centro().x + 20, z.centro().y));
    EXPECT_EQ(rutas.ventana_escribiendo(), 0) << "after a drag the keys are the program's";
    EXPECT_FALSE(rutas.tecla(id, entrada::de_caracter('3', 0)));
}

// ---------------------------------------------------------------- how controls look in each state

TEST_F(Paneles, FondoDeLaTraslacionSegunElRaton) {
    panel();
    float x = 0;
    GLUI_Translation* t = w->add_translation_to_panel(w->main_panel(), "X", GLUI_TRANSLATION_X, &x, 30, anotar);
    cuadros();
    const ImGuiStyle& st = ImGui::GetStyle();
    capa::Zona z = zona(t);
    auto fondo = [&](ImGuiCol c) { return puntos_de_color(z.min, z.max, color(st.Colors[c])).size(); };
    EXPECT_GT(fondo(ImGuiCol_Button), 0u) << "at rest";
    EXPECT_EQ(fondo(ImGuiCol_ButtonHovered), 0u);
    mover(z.centro());
    cuadros();
    EXPECT_GT(fondo(ImGuiCol_ButtonHovered), 0u) << "under the pointer";
    EXPECT_EQ(fondo(ImGuiCol_Button), 0u);
    boton(z.centro(), true);
    cuadros();
    EXPECT_GT(fondo(ImGuiCol_ButtonActive), 0u) << "held";
    boton(z.centro(), false);
    entrada::Evento fuera;
    fuera.tipo = entrada::Evento::Fuera;
    rutas.raton(id, fuera);
    cuadros();
    EXPECT_GT(fondo(ImGuiCol_Button), 0u) << "the pointer gone, at rest again";
    EXPECT_FLOAT_EQ(x, 0.0f) << "a press without a move changes nothing";

    // The X pad's double arrow lies across: its ink is wider than tall.
    std::vector<ImVec2> tinta = puntos_de_color(z.min, z.max, color(st.Colors[ImGuiCol_Text]));
    ASSERT_FALSE(tinta.empty());
    float x0 = 1e9f, x1 = -1e9f, y0 = 1e9f, y1 = -1e9f;
    for (ImVec2 p : tinta) x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    EXPECT_GT(x1 - x0, 2 * (y1 - y0));
    EXPECT_NEAR((x0 + x1) / 2, z.centro().x, 1.0f) << "centred on the pad";
}

TEST_F(Paneles, CabeceraDelDesplegable) {
    panel();
    GLUI_Rollout* r = w->add_rollout("Seleccion del color", 1);
    w->add_statictext_to_panel(r, "Rojo");
    cuadros();
    const ImGuiStyle& st = ImGui::GetStyle();
    capa::Zona z = zona(r);
    float alto = ImGui::GetFrameHeight();
    ImVec2 a(z.min.x, z.min.y), b(z.max.x, z.min.y + alto);
    auto flecha = [&] {
        // The arrow is the only ink at the header's left, before its caption.
        return puntos_de_color(a, ImVec2(a.x + ImGui::GetTextLineHeight() + 6, b.y), color(st.Colors[ImGuiCol_Text]));
    };
    auto abajo = [](const std::vector<ImVec2>& ps) {  // a triangle pointing down: its top edge is flat
        float y0 = 1e9f;
        for (ImVec2 p : ps) y0 = std::min(y0, p.y);
        int arriba = 0;
        for (ImVec2 p : ps) arriba += p.y < y0 + 0.5f;
        return arriba >= 2;
    };
    EXPECT_GT(puntos_de_color(a, b, color(st.Colors[ImGuiCol_Header])).size(), 0u);
    ASSERT_FALSE(flecha().empty());
    EXPECT_TRUE(abajo(flecha())) << "open: the arrow points down";
    esperar_colores(colores_texto(ImVec2(a.x + 10, a.y), b), color(st.Colors[ImGuiCol_Text]), "the header's caption");

    mover(ImVec2(a.x + 30, a.y + alto / 2));
    cuadros();
    EXPECT_GT(puntos_de_color(a, b, color(st.Colors[ImGuiCol_HeaderHovered])).size(), 0u) << "under the pointer";
    clic(ImVec2(a.x + 30, a.y + alto / 2));
    ASSERT_FALSE(r->is_open());
    ASSERT_FALSE(flecha().empty());
    EXPECT_FALSE(abajo(flecha())) << "closed: the arrow points right";
    EXPECT_LT(zona(r).max.y, a.y + alto + 1) << "closed: only the header is left";
}

TEST_F(Paneles, PanelSinMarcoNiSangria) {
    panel();
    GLUI_Panel* con_marco = w->add_panel("Control de movimiento");
    GLUI_Button* enmarcado = w->add_button_to_panel(con_marco, "Automatico", 3, anotar);
    GLUI_Button* fuera = w->add_button("Salir", 1, anotar);
    w->add_button("Reiniciar", 4, anotar);
    GLUI_Panel* liso = w->add_panel("", GLUI_PANEL_NONE);
    GLUI_Button* dentro = w->add_button_to_panel(liso, "Siguiente >>", 2, anotar);
    cuadros();
    EXPECT_FLOAT_EQ(zona(dentro).min.x, zona(fuera).min.x) << "a panel without frame does not indent";
    EXPECT_GT(zona(enmarcado).min.x, zona(fuera).min.x + 4) << "a framed panel indents its controls";
    ImU32 borde = color(ImGui::GetStyle().Colors[ImGuiCol_Border]);
    // A frame's corners lie left of its controls, a little above and below them.
    auto borde_a_la_izquierda = [&](GLUI_Control* c) {
        return !puntos_de_color(ImVec2(0, zona(c).min.y - 16), ImVec2(zona(c).min.x - 2, zona(c).max.y + 16), borde)
                    .empty();
    };
    EXPECT_FALSE(borde_a_la_izquierda(dentro)) << "no frame around a panel without one";
    EXPECT_TRUE(borde_a_la_izquierda(enmarcado));
}

// The program's own panel, built as a user's choice in the start dialog builds it, drawn
// beside a main window of the default 1000 x 660 with the program's font.
class PanelDelPrograma : public Paneles {
protected:
    static constexpr float ALTO_PRINCIPAL = 660;
    void SetUp() override {
        Paneles::SetUp();
        estado_inicial();
        usar_plataforma(&ventanas);
        winIdMain = principal;
    }
    void TearDown() override {
        Paneles::TearDown();
        usar_plataforma(nullptr);
        estado_inicial();
    }
    void elegir(int modo) {
        construir_dialogo();
        glui_control(modo);
        w = v_glui;
        id = w->get_glut_window_id();
        rutas.alta(id, winIdMain);
        v.glui = w;
        capa::crear_contexto(v);
        ASSERT_NE(ImGui::GetIO().Fonts->AddFontFromFileTTF("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                                           capa::tam_fuente()),
                  nullptr);
        unsigned char* px = nullptr;
        int an = 0, al = 0;
        ImGui::GetIO().Fonts->GetTexDataAsRGBA32(&px, &an, &al);
        ancho = 400;
        alto = ALTO_PRINCIPAL;
        ancho_pedido = true;
        cuadros();
    }
    ImGuiWindow* ventana() { return ImGui::FindWindowByName("##glui"); }
    // Every control drawn moved by less than half a pixel since `antes`, and none came or
    // went; a text may have grown to the right, with what it says.
    void nada_se_movio(const std::map<const GLUI_Control*, capa::Zona>& antes, const char* tras) {
        ASSERT_EQ(v.zonas.size(), antes.size()) << tras;
        for (const auto& [c, z] : antes) {
            ASSERT_TRUE(dibujado(c)) << tras << ": '" << c->get_name() << "'";
            const capa::Zona& ahora = v.zonas.at(c);
            EXPECT_NEAR(ahora.min.x, z.min.x, 0.5f) << tras << ": '" << c->get_name() << "'";
            EXPECT_NEAR(ahora.min.y, z.min.y, 0.5f) << tras << ": '" << c->get_name() << "'";
            if (c->kind() != GLUI_Kind::StaticText) {
                EXPECT_NEAR(ahora.max.x, z.max.x, 0.5f) << tras << ": '" << c->get_name() << "'";
            }
            EXPECT_NEAR(ahora.max.y, z.max.y, 0.5f) << tras << ": '" << c->get_name() << "'";
        }
    }
};

// The program's own panels at 96 dpi and 100% fit the default 1000 x 660 window: no scroll
// bar, and a width that leaves most of the window to the drawing.
TEST_F(PanelDelPrograma, CabenEnLaVentanaPorOmision) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        ImGuiWindow* win = ventana();
        ASSERT_NE(win, nullptr);
        EXPECT_FALSE(win->ScrollbarY) << "content " << win->ContentSize.y << " px high";
        EXPECT_LE(win->ContentSize.y + 2 * ImGui::GetStyle().WindowPadding.y, ALTO_PRINCIPAL);
        EXPECT_LT(ultimo.ancho, 400);
        EXPECT_EQ(zona(glui_datos).min.x, zona(glui_Color).min.x) << "one column";
    }
}

// Opened by clicks on their headers, every rollout at once: what does not fit under the rest
// goes on in a second column, "Salir" and the read-outs last, all in the window; the drawing
// keeps more than a third of it.
TEST_F(PanelDelPrograma, TodoAbiertoSigueEnLaVentana) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        const GLUI_Control* salir = controles(w).back();
        ASSERT_EQ(salir->get_name(), "Salir");
        float x_salir = zona(salir).min.x;
        for (GLUI_Panel* r : {glui_exportar, glui_Ayudas}) {
            ASSERT_FALSE(r->is_open());
            clic(ImVec2(zona(r).min.x + 20, zona(r).min.y + 6));
            ASSERT_TRUE(r->is_open()) << r->get_name();
        }
        ASSERT_TRUE(glui_Color->is_open());
        ImGuiWindow* win = ventana();
        EXPECT_FALSE(win->ScrollbarY) << "content " << win->ContentSize.y << " px high";
        for (const auto& [c, z] : v.zonas) {
            EXPECT_LE(z.max.y, ALTO_PRINCIPAL - ImGui::GetStyle().WindowPadding.y) << "'" << c->get_name() << "'";
            EXPECT_LE(z.max.x, ultimo.ancho) << "'" << c->get_name() << "'";
        }
        EXPECT_GT(zona(salir).min.x, x_salir + 100) << "Salir in the second column";
        EXPECT_GT(zona(informa_espesor).min.y, zona(glui_CFantasma).max.y) << "the read-outs under the aids";
        EXPECT_EQ(zona(glui_datos).min.x, x_salir - 3) << "the first column stays where it was";
        EXPECT_LT(ultimo.ancho, 1000 * 2 / 3);
        // Closed again, the panel is one column as at the start.
        for (GLUI_Panel* r : {glui_exportar, glui_Ayudas}) clic(ImVec2(zona(r).min.x + 20, zona(r).min.y + 6));
        EXPECT_FLOAT_EQ(zona(salir).min.x, x_salir);
        EXPECT_LT(ultimo.ancho, 400);
    }
}

// Ticking an aid, choosing its colour, saving: nothing drawn moves, so the next click lands
// on what the user saw under the pointer.
TEST_F(PanelDelPrograma, LasAyudasYGuardarNoMuevenNada) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        glui_Ayudas->open();
        glui_exportar->open();
        cuadros();
        auto antes = v.zonas;
        clic(antes[glui_CBase].centro());
        EXPECT_EQ(C_Base_ON, 1);
        nada_se_movio(antes, "the base circle on");
        clic(antes[glui_CEvolvente].centro());
        EXPECT_EQ(C_Evolvente_ON, 1) << "the second click ticks the box it was aimed at";
        EXPECT_EQ(C_Base_ON, 1);
        nada_se_movio(antes, "the involute on");
        clic(antes[glui_C_Base].centro());
        EXPECT_EQ(QueObjeto, 5) << "the base circle's colour entry, where it always is";
        clic(antes[glui_CBase].centro());
        clic(antes[glui_CEvolvente].centro());
        EXPECT_EQ(C_Base_ON + C_Evolvente_ON, 0);
        EXPECT_EQ(QueObjeto, 0) << "its entry off, the selection back to the background";
        clic(antes[glui_C_Base].centro());
        EXPECT_EQ(QueObjeto, 0) << "an entry off takes no click";
        nada_se_movio(antes, "both aids off");

        glui_Archivo->set_text("/no/hay/tal/carpeta/engranaje.svg");
        cuadros();
        clic(antes[glui_Guardar].centro());
        EXPECT_EQ(std::count(glui_Exportado->get_text().begin(), glui_Exportado->get_text().end(), '\n'), 2)
            << glui_Exportado->get_text();
        nada_se_movio(antes, "a failed save's three lines");
    }
}
