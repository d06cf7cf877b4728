// Test fixture: a fake window system standing in for GLUT, and the program's
// state built as a user gets it (start dialog, then a panel).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "glui/glui.h"
#include "nucleo/estado.h"
#include "nucleo/panel.h"
#include "nucleo/plataforma.h"

class VentanasFalsas : public Plataforma, public GLUI_Backend {
public:
    int actual = 0;
    int siguiente = 1;
    std::map<int, bool> visible;
    std::map<int, int> padre;
    std::vector<int> redibujos;           // windows a redisplay was asked for
    std::vector<int> ventana_en_callback;  // current window seen by a probe
    int borrados = 0;
    float ultimo_borrado[3] = {-1, -1, -1};
    int mods = 0;
    std::set<int> destruidas;
    std::vector<int> viewport_pedido;

    int nueva(int p = 0) {
        int id = siguiente++;
        visible[id] = true;
        padre[id] = p;
        return id;
    }

    // Plataforma
    int ventana_actual() override { return actual; }
    void fijar_ventana(int id) override { actual = id; }
    void pedir_redibujo() override { redibujos.push_back(actual); }
    void mostrar_ventana() override { visible[actual] = true; }
    void ocultar_ventana() override { visible[actual] = false; }
    int modificadores() override { return mods; }
    void borrar_fondo(const float c[3]) override {
        ++borrados;
        for (int i = 0; i < 3; ++i) ultimo_borrado[i] = c[i];
    }
    std::vector<std::string> titulos;       // titles given to the main window, in order
    void poner_titulo(const char* t) override { titulos.push_back(t); }
    int area[4] = {0, 0, 0, 0};             // drawing area reported (none until a test sets it)
    int alto = 0;
    bool area_dibujo(int vp[4], int& alto_ventana) override {
        for (int i = 0; i < 4; ++i) vp[i] = area[i];
        alto_ventana = alto;
        return area[2] > 0 && area[3] > 0;
    }

    // GLUI_Backend
    int create_window(GLUI&) override { return nueva(); }
    int create_subwindow(GLUI&, int p) override { return nueva(p); }
    void destroy_window(GLUI& w) override { destruidas.insert(w.get_glut_window_id()); }
    void show_window(GLUI& w) override { visible[w.get_glut_window_id()] = true; }
    void hide_window(GLUI& w) override { visible[w.get_glut_window_id()] = false; }
    void repaint(GLUI&) override {}
    int current_window() override { return actual; }
    void set_current_window(int id) override { actual = id; }
    void post_redisplay(int id) override { redibujos.push_back(id); }
    void set_viewport_beside_panels(int id) override { viewport_pedido.push_back(id); }
    void install_main_callbacks(int) override {}
};

// Every test starts from the program's start: the main window created and hidden,
// the start dialog built.
class Programa : public ::testing::Test {
protected:
    VentanasFalsas ventanas;
    void SetUp() override;
    void TearDown() override;
    // Presses a button of the start dialog, as a user's click does.
    void elegir(int modo);
    // Presses the button of the dialog with that label.
    GLUI_Button* boton_dialogo(const std::string& nombre);
    // A control of a window by label (first match, labels compared exactly).
    static GLUI_Control* control(GLUI* w, const std::string& nombre);
};

// The controls of a window in order of creation, without the window's root.
std::vector<GLUI_Control*> controles(GLUI* w);
