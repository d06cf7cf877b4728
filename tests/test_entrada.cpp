#include "glui/entrada.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace entrada;

namespace {

// Writes down what a frame is handed, one line per call.
class Registro : public Destino {
public:
    std::vector<std::string> v;
    bool lista = false;  // an open list covering x < 100
    void puntero(float x, float y) override { v.push_back("puntero " + n(x) + "," + n(y)); }
    void puntero_fuera() override { v.push_back("fuera"); }
    void boton(int b, bool abajo) override { v.push_back("boton " + n(b) + (abajo ? " abajo" : " arriba")); }
    void rueda(float m) override { v.push_back("rueda " + n(m)); }
    void caracter(unsigned c) override { v.push_back(std::string("car ") + static_cast<char>(c)); }
    void tecla(int c, bool abajo) override { v.push_back("tecla " + n(c) + (abajo ? " abajo" : " arriba")); }
    void modificadores(int m) override {
        if (m) v.push_back("mods " + n(m));
    }
    bool lista_abierta_fuera(float x, float) override { return lista && x >= 100; }
    void cerrar_listas() override {
        lista = false;
        v.push_back("cerrar listas");
    }
    void quitar_foco() override { v.push_back("quitar foco"); }
    static std::string n(double x) { return std::to_string(static_cast<int>(x)); }
};

Evento raton(int boton, bool abajo, int x = 10, int y = 20) {
    Evento e;
    EXPECT_TRUE(de_raton(boton, abajo, x, y, e));
    return e;
}

// Frames until the queue is empty and nothing is held; each frame's calls.
std::vector<std::vector<std::string>> cuadros(Cola& c, Registro& r) {
    std::vector<std::vector<std::string>> todos;
    for (int i = 0; i < 100; ++i) {
        r.v.clear();
        bool mas = c.consumir(r);
        todos.push_back(r.v);
        if (!mas && c.vacia()) break;
    }
    return todos;
}

using Cuadros = std::vector<std::vector<std::string>>;

}  // namespace

TEST(Traduccion, Teclado) {
    Evento e = de_caracter('a', 0);
    EXPECT_EQ(e.tipo, Evento::Caracter);
    EXPECT_EQ(e.a, 'a');
    for (unsigned char c : {8, 9, 13, 27, 127}) {
        e = de_caracter(c, MOD_SHIFT);
        EXPECT_EQ(e.tipo, Evento::Tecla) << int(c);
        EXPECT_EQ(e.a, c);
        EXPECT_EQ(e.mods, MOD_SHIFT) << "Shift+Tab keeps its Shift";
    }
    e = de_caracter(1, MOD_CTRL);  // Ctrl+A
    EXPECT_EQ(e.tipo, Evento::Tecla);
    EXPECT_EQ(e.a, 'A');
    e = de_caracter(26, 0);
    EXPECT_EQ(e.a, 'Z');
    EXPECT_EQ(e.mods, MOD_CTRL);
    e = de_caracter(' ', 0);
    EXPECT_EQ(e.tipo, Evento::Caracter);
    e = de_especial(100, MOD_CTRL);  // GLUT_KEY_LEFT
    EXPECT_EQ(e.tipo, Evento::Tecla);
    EXPECT_EQ(e.a, 356);
    EXPECT_EQ(e.mods, MOD_CTRL);
}

TEST(Traduccion, BotonesYRueda) {
    Evento e = raton(0, true, 5, 6);
    EXPECT_EQ(e.tipo, Evento::Boton);
    EXPECT_EQ(e.a, BOTON_IZQUIERDO);
    EXPECT_EQ(e.b, 1);
    EXPECT_EQ(e.x, 5.0f);
    EXPECT_EQ(e.y, 6.0f);
    EXPECT_EQ(raton(2, false).a, BOTON_DERECHO);
    EXPECT_EQ(raton(2, false).b, 0);
    EXPECT_EQ(raton(1, true).a, BOTON_CENTRAL);
    // The wheel: button 3 is a notch away from the user, 4 towards; releases carry nothing.
    e = raton(3, true);
    EXPECT_EQ(e.tipo, Evento::Rueda);
    EXPECT_EQ(e.a, 1);
    EXPECT_EQ(raton(4, true).a, -1);
    EXPECT_FALSE(de_raton(3, false, 0, 0, e));
    EXPECT_FALSE(de_raton(4, false, 0, 0, e));
    EXPECT_FALSE(de_raton(7, true, 0, 0, e));
    EXPECT_FALSE(de_raton(-1, true, 0, 0, e));
}

TEST(Cola, UnCambioDeBotonOTeclaPorCuadro) {
    Cola c;
    Registro r;
    Evento m;
    m.tipo = Evento::Mover;
    m.x = 3;
    m.y = 4;
    c.poner(m);
    c.poner(raton(0, true));
    c.poner(raton(0, false));
    c.poner(de_caracter('2', 0));
    c.poner(de_caracter('5', 0));
    c.poner(de_caracter(13, 0));
    c.poner(de_caracter('x', 0));
    Cuadros esperado = {
        {"puntero 3,4", "puntero 10,20", "boton 0 abajo"},
        {"puntero 10,20", "boton 0 arriba"},
        {"car 2", "car 5"},
        {"tecla 13 abajo"},
        {"tecla 13 arriba", "car x"},
    };
    EXPECT_EQ(cuadros(c, r), esperado) << "characters typed are seen by a frame before a key or a click";
}

// Whatever may move the focus finds the characters typed before it applied, and the
// frames take the input in the order it was put, a key routed late included.
TEST(Cola, LosCaracteresVanEnUnCuadroAntesDeLoQueMueveElFoco) {
    Cola c;
    Registro r;
    auto con_orden = [](Evento e, unsigned long n) {
        e.orden = n;
        return e;
    };
    Evento soltar;
    soltar.tipo = Evento::Soltar;
    c.poner(con_orden(de_caracter('1', 0), 1));
    c.poner(con_orden(de_caracter('2', 0), 2));
    c.poner(con_orden(soltar, 4));
    c.poner(con_orden(de_caracter('3', 0), 3));  // delivered before the focus left
    c.poner(con_orden(de_caracter('4', 0), 5));
    c.poner(con_orden(raton(0, true), 6));
    c.poner(con_orden(raton(0, false), 7));
    Cuadros esperado = {
        {"car 1", "car 2", "car 3"},
        {"quitar foco"},
        {"car 4"},
        {"puntero 10,20", "boton 0 abajo"},
        {"puntero 10,20", "boton 0 arriba"},
    };
    EXPECT_EQ(cuadros(c, r), esperado);
    // Nothing delivered after the limit is taken until it is lifted.
    c.poner(con_orden(de_caracter('5', 0), 8));
    c.poner(con_orden(de_caracter('6', 0), 10));
    c.limitar(9);
    EXPECT_EQ(cuadros(c, r).front(), (std::vector<std::string>{"car 5"}));
    EXPECT_EQ(c.tamano(), 1u);
    c.limitar(~0ul);
    EXPECT_EQ(cuadros(c, r), (Cuadros{{"car 6"}}));
}

// Keys typed fast or held down (auto-repeat) are seen as separate presses, in order.
TEST(Cola, LaMismaTeclaOtraVezEsperaUnCuadro) {
    Cola c;
    Registro r;
    for (int i = 0; i < 3; ++i) c.poner(de_caracter(8, 0));
    c.poner(de_especial(100, MOD_SHIFT));
    Cuadros esperado = {
        {"tecla 8 abajo"},
        {"tecla 8 arriba"},
        {"tecla 8 abajo"},
        {"tecla 8 arriba"},
        {"tecla 8 abajo"},
        {"tecla 8 arriba", "mods 1", "tecla 356 abajo"},
        {"tecla 356 arriba"},
    };
    EXPECT_EQ(cuadros(c, r), esperado);
}

TEST(Cola, RuedaConSuSigno) {
    Cola c;
    Registro r;
    c.poner(raton(3, true));
    c.poner(raton(4, true));
    c.poner(raton(4, true));
    EXPECT_EQ(cuadros(c, r), (Cuadros{{"rueda 1", "rueda -1", "rueda -1"}}));
}

TEST(Cola, VentanaOcultaNoGuardaNada) {
    Cola c;
    Registro r;
    c.poner(raton(0, true));
    c.poner(raton(0, false));
    c.poner(raton(0, true));  // a double click's second press
    ASSERT_FALSE(cuadros(c, r).empty());
    c.poner(raton(0, false));
    c.ocultar();
    EXPECT_TRUE(c.vacia());
    c.poner(raton(0, true));
    EXPECT_TRUE(c.vacia()) << "input for a hidden window is dropped";
    c.mostrar();
    // Shown again: what was held is let go with the pointer away, making no click.
    EXPECT_EQ(cuadros(c, r), (Cuadros{{"fuera", "boton 0 arriba", "boton 1 arriba", "boton 2 arriba"}}));
    c.poner(raton(0, true));
    EXPECT_EQ(c.tamano(), 1u);
}

TEST(Cola, PulsarFueraDeUnaListaAbiertaLaCierraYLuegoPulsa) {
    Cola c;
    Registro r;
    r.lista = true;
    c.poner(raton(0, true, 150, 20));
    c.poner(raton(0, false, 150, 20));
    Cuadros esperado = {
        {"cerrar listas"},
        {"puntero 150,20", "boton 0 abajo"},
        {"puntero 150,20", "boton 0 arriba"},
    };
    EXPECT_EQ(cuadros(c, r), esperado);
    r.lista = true;
    c.poner(raton(0, true, 50, 20));  // inside the list: an item is chosen
    EXPECT_EQ(cuadros(c, r), (Cuadros{{"puntero 50,20", "boton 0 abajo"}}));
    EXPECT_TRUE(r.lista);
}

TEST(Rutas, LasTeclasVanAlCampoQueEscribe) {
    Rutas rutas;
    rutas.alta(2, 1);
    rutas.alta(3, 0);
    Evento a = de_caracter('a', 0);
    EXPECT_FALSE(rutas.tecla(2, a)) << "no field has the keyboard: the program's key";
    EXPECT_FALSE(rutas.tecla(1, a));
    rutas.escribiendo(2, true);
    EXPECT_EQ(rutas.ventana_escribiendo(), 2);
    EXPECT_TRUE(rutas.tecla(1, a)) << "typed with the pointer over the drawing";
    EXPECT_TRUE(rutas.tecla(2, a));
    EXPECT_TRUE(rutas.tecla(3, a));
    EXPECT_EQ(rutas.cola(2)->tamano(), 3u);
    EXPECT_TRUE(rutas.cola(3)->vacia());
    rutas.visibilidad(2, false);
    EXPECT_EQ(rutas.ventana_escribiendo(), 0) << "a hidden panel has no keyboard";
    EXPECT_TRUE(rutas.cola(2)->vacia());
    EXPECT_FALSE(rutas.tecla(1, a));
    rutas.visibilidad(2, true);
    rutas.escribiendo(2, true);
    EXPECT_EQ(rutas.ventana_escribiendo(), 2) << "shown again, it takes the keyboard again";
    rutas.escribiendo(3, true);
    rutas.escribiendo(2, false);
    EXPECT_EQ(rutas.ventana_escribiendo(), 3);
    rutas.baja(3);
    EXPECT_FALSE(rutas.conoce(3));
    EXPECT_EQ(rutas.cola(3), nullptr);
    EXPECT_EQ(rutas.ventana_escribiendo(), 0);
    rutas.raton(3, raton(0, true));  // a window the layer no longer has
    EXPECT_FALSE(rutas.conoce(3));
}

namespace {

// Frames of window w as the adapter runs them: the queue taken, whether a field has the
// keyboard afterwards (campo), then the waiting keys handed out. What each frame saw, and
// the keys that turned out to be the program's, in order.
struct Marcha {
    explicit Marcha(Rutas& r_) : rutas(r_) {}
    Rutas& rutas;
    Registro r;
    std::string programa;
    std::vector<std::string> cuadro(int w, bool campo) {
        r.v.clear();
        rutas.cola(w)->consumir(r);
        rutas.escribiendo(w, campo);
        rutas.repartir();
        Evento e;
        while (rutas.tecla_del_programa(e)) programa += static_cast<char>(e.b);
        return r.v;
    }
};

}  // namespace

// Typed right after a click on a field, before the panel's frame has taken the click:
// the keys wait behind the click and go where it put the keyboard.
TEST(Rutas, LoTecleadoTrasUnClicPendienteLoSigue) {
    Rutas rutas;
    rutas.alta(2, 1);
    rutas.alta(3, 1);
    Evento m;
    m.tipo = Evento::Mover;
    rutas.raton(3, m);
    EXPECT_FALSE(rutas.tecla(1, de_caracter('a', 0))) << "pointer motion alone holds no key";
    rutas.raton(2, raton(0, true));
    rutas.raton(2, raton(0, false));
    EXPECT_TRUE(rutas.tecla(1, de_caracter(1, MOD_CTRL)));
    EXPECT_TRUE(rutas.tecla(2, de_caracter('7', 0)));
    EXPECT_EQ(rutas.en_espera(), 2u);
    Marcha marcha(rutas);
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"puntero 10,20", "boton 0 abajo"}));
    EXPECT_EQ(rutas.en_espera(), 0u) << "the click put the caret in a field: the keys follow it";
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"puntero 10,20", "boton 0 arriba"}));
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"mods 2", "tecla 65 abajo"}));
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"tecla 65 arriba", "car 7"}));
    EXPECT_TRUE(marcha.programa.empty());

    // A click on a button: the keys typed right after it are the program's, after it.
    rutas.escribiendo(2, false);
    rutas.raton(2, raton(0, true));
    rutas.raton(2, raton(0, false));
    EXPECT_TRUE(rutas.tecla(2, de_caracter('a', 0))) << "waits for the click";
    EXPECT_TRUE(rutas.tecla(1, de_caracter('t', 0)));
    marcha.cuadro(2, false);
    EXPECT_EQ(marcha.programa, "at");
    EXPECT_EQ(marcha.cuadro(2, false), (std::vector<std::string>{"puntero 10,20", "boton 0 arriba"}));
    EXPECT_TRUE(rutas.cola(2)->vacia()) << "no key was left in the panel";

    // A panel hidden with a click queued holds nothing back.
    rutas.raton(2, raton(0, true));
    EXPECT_TRUE(rutas.tecla(2, de_caracter('8', 0)));
    rutas.visibilidad(2, false);
    Evento e;
    ASSERT_TRUE(rutas.tecla_del_programa(e));
    EXPECT_EQ(e.b, '8');
}

// A press in the drawing: the panel first takes what was typed, then lets the field go;
// a key typed after the press is the program's, and comes after the field's commit.
TEST(Rutas, PulsarEnElDibujoSueltaElFocoTrasLoEscrito) {
    Rutas rutas;
    rutas.alta(2, 1);
    rutas.escribiendo(2, true);
    EXPECT_TRUE(rutas.tecla(1, de_caracter('2', 0)));
    EXPECT_TRUE(rutas.tecla(1, de_caracter('5', 0)));
    rutas.pulsacion_principal();
    EXPECT_TRUE(rutas.tecla(1, de_caracter('a', 0))) << "the program's key waits for the field to let go";
    Marcha marcha(rutas);
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"car 2", "car 5"}));
    EXPECT_TRUE(marcha.programa.empty());
    EXPECT_EQ(marcha.cuadro(2, false), (std::vector<std::string>{"quitar foco"}));
    EXPECT_EQ(marcha.programa, "a");
    EXPECT_FALSE(rutas.tecla(1, de_caracter('t', 0))) << "nothing queued: the program's at once";
}

// Tab and the keys after it: they go to the field Tab leads to, in order; a panel's
// click after a waiting key waits for the key.
TEST(Rutas, LoQueSigueAUnTabEsperaASuCuadro) {
    Rutas rutas;
    rutas.alta(2, 1);
    rutas.escribiendo(2, true);
    rutas.tecla(2, de_caracter('9', 0));
    rutas.tecla(2, de_caracter(9, 0));
    rutas.tecla(2, de_caracter('3', 0));
    EXPECT_EQ(rutas.en_espera(), 1u) << "after Tab the key waits";
    rutas.raton(2, raton(0, true));
    Marcha marcha(rutas);
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"car 9"}));
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"tecla 9 abajo"}));
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"tecla 9 arriba"}));
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"car 3"}));
    EXPECT_EQ(marcha.cuadro(2, true), (std::vector<std::string>{"puntero 10,20", "boton 0 abajo"}));
}

TEST(Compas, UnPasoPorCuadroCadaPeriodo) {
    Compas c(60);
    EXPECT_TRUE(c.toca(1000));
    EXPECT_FALSE(c.toca(1001)) << "one step per period";
    c.dibujado();
    EXPECT_EQ(c.espera(1005), 55);
    EXPECT_FALSE(c.toca(1059));
    EXPECT_TRUE(c.toca(1063));
    c.dibujado();
    EXPECT_EQ(c.espera(1063), 57) << "a late tick does not shift the schedule";
    EXPECT_TRUE(c.toca(1120));
    // The frame of that step is not drawn yet: no step until it is, or four periods pass.
    EXPECT_FALSE(c.toca(1185));
    EXPECT_EQ(c.espera(1185), 175);
    c.dibujado();
    EXPECT_TRUE(c.toca(1186));
    c.dibujado();
    EXPECT_EQ(c.espera(1186), 54);
    EXPECT_FALSE(c.toca(1239));
    EXPECT_TRUE(c.toca(1240));
    EXPECT_FALSE(c.toca(1300));
    EXPECT_FALSE(c.toca(1479));
    EXPECT_TRUE(c.toca(1480)) << "a window that never draws still gets a step every four periods";
}

TEST(Compas, MuyAtrasadoEmpiezaDeNuevo) {
    Compas c(60);
    EXPECT_TRUE(c.toca(0));
    c.dibujado();
    EXPECT_TRUE(c.toca(500));
    c.dibujado();
    EXPECT_FALSE(c.toca(540)) << "no burst of steps to catch up";
    EXPECT_TRUE(c.toca(560));
    c.dibujado();
    EXPECT_EQ(c.espera(1000), 1);
    EXPECT_EQ(c.periodo(), 60.0);
}

// 692 steps at one tick a millisecond take 692 periods.
TEST(Compas, DuracionDelCorte) {
    Compas c(60);
    int pasos = 0;
    double t = 0;
    for (; pasos < 692; t += 1)
        if (c.toca(t)) {
            ++pasos;
            c.dibujado();
        }
    EXPECT_NEAR(t, 691 * 60 + 1, 1);
}

TEST(Disposicion, AreaDeDibujoJuntoALosPaneles) {
    Rect r = area_dibujo(1000, 660, 320);
    EXPECT_EQ(r.x, 320);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.ancho, 680);
    EXPECT_EQ(r.alto, 660);
    r = area_dibujo(300, 200, 320);
    EXPECT_EQ(r.x, 300);
    EXPECT_EQ(r.ancho, 0) << "a window narrower than its panels draws nothing";
    r = area_dibujo(500, 200, -5);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.ancho, 500);
    EXPECT_EQ(ancho_panel(300.2f, 8, 12, false), 317);
    EXPECT_EQ(ancho_panel(300.0f, 8, 12, true), 328);
}
