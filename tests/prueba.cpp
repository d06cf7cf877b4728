#include "prueba.h"

#include "nucleo/panel.h"

void Programa::SetUp() {
    estado_inicial();
    GLUI_Master.reset();
    GLUI_Master.set_backend(&ventanas);
    usar_plataforma(&ventanas);
    winIdMain = ventanas.nueva();
    ventanas.actual = winIdMain;
    construir_dialogo();
    ventanas.visible[winIdMain] = false;
}

void Programa::TearDown() {
    GLUI_Master.reset();
    GLUI_Master.set_backend(nullptr);
    usar_plataforma(nullptr);
    estado_inicial();
}

GLUI_Control* Programa::control(GLUI* w, const std::string& nombre) {
    for (auto& c : w->controls())
        if (c->get_name() == nombre) return c.get();
    return nullptr;
}

GLUI_Button* Programa::boton_dialogo(const std::string& nombre) {
    GLUI_Control* c = control(glui, nombre);
    return c && c->kind() == GLUI_Kind::Button ? static_cast<GLUI_Button*>(c) : nullptr;
}

void Programa::elegir(int modo) {
    boton_dialogo(modo == SIMULACION_ESTANDAR ? "Simulacion estandar" : "Simulacion experimental")->user_press();
}

std::vector<GLUI_Control*> controles(GLUI* w) {
    std::vector<GLUI_Control*> v;
    for (auto& c : w->controls())
        if (c.get() != w->main_panel()) v.push_back(c.get());
    return v;
}
