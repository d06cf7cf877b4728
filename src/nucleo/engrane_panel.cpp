#include "engrane_panel.h"

#include <cmath>
#include <string>
#include <vector>

#include "callbacks.h"
#include "campos.h"
#include "engrane_escena.h"
#include "engrane_estado.h"
#include "estado.h"
#include "guardar.h"
#include "idioma/idioma.h"
#include "movimiento.h"
#include "plataforma.h"

GLUI_Rollout* glui_Engrane = nullptr;
GLUI_Listbox* glui_EngraneCon = nullptr;
GLUI_EditText *glui_EngraneDientes = nullptr, *glui_EngraneDesplazamiento = nullptr, *glui_EngraneDistancia = nullptr;
GLUI_Checkbox* glui_VerEngrane = nullptr;
GLUI_StaticText* glui_LecturaEngrane = nullptr;

namespace {

// Longest line of the read-out, as the "Exportar" rollout's: the panel keeps its width.
constexpr size_t ANCHO_LECTURA = 44;

// Why the last value typed was refused; shown over the read-out until a value is taken.
std::string aviso;

// The view of the cut while the mesh is shown in a view of its own.
float vista_del_corte[3] = {0, 0, 0};

bool vivo() { return glui_Engrane && panel_vivo(); }

int dientes2() { return Engrane_Con != 0 ? 0 : Engrane_Dientes; }
double desplazamiento2() { return Engrane_Con != 0 ? 0.0 : static_cast<double>(Engrane_Desplazamiento); }

// A value refused: the field shows what it showed before, and the read-out says why.
void rechazar(GLUI_EditText* campo, const std::string& por_que) {
    campo->revert_user_value();
    campo->note_refusal();
    aviso = por_que;
}

// Gear 2's teeth and shift usable: a typed distance that the new a_w passes is given up, and the
// field follows a_w again.
void seguir_distancia_si_hace_falta() {
    Rueda r1, r2;
    if (Engrane_Distancia > 0 && !par_actual(dientes2(), desplazamiento2(), Engrane_Distancia, r1, r2).empty())
        Engrane_Distancia = 0;
}

void habilitar_rueda2() {
    for (GLUI_Control* c : {static_cast<GLUI_Control*>(glui_EngraneDientes), static_cast<GLUI_Control*>(glui_EngraneDesplazamiento)}) {
        bool si = Engrane_Con == 0;
        if (c->enabled() != si) si ? c->enable() : c->disable();
    }
}

void engranar_con() {
    Engrane_Con = glui_EngraneCon->get_int_val() != 0 ? 1 : 0;
    aviso.clear();
    habilitar_rueda2();
    seguir_distancia_si_hace_falta();
}

void dientes() {
    int z2 = glui_EngraneDientes->get_int_val();
    if (z2 == 0) {
        // No teeth: the rack, as on the command line.
        glui_EngraneDientes->revert_user_value();
        glui_EngraneCon->set_int_val(1);
        engranar_con();
        return;
    }
    Rueda r1, r2;
    std::string f = par_actual(z2, Engrane_Desplazamiento, 0, r1, r2);
    if (!f.empty()) return rechazar(glui_EngraneDientes, f);
    Engrane_Dientes = z2;
    aviso.clear();
    seguir_distancia_si_hace_falta();
}

void desplazamiento() {
    double x2 = glui_EngraneDesplazamiento->get_float_val();
    Rueda r1, r2;
    std::string f = par_actual(Engrane_Dientes, x2, 0, r1, r2);
    if (!f.empty()) return rechazar(glui_EngraneDesplazamiento, f);
    Engrane_Desplazamiento = static_cast<float>(x2);
    aviso.clear();
    seguir_distancia_si_hace_falta();
}

void distancia() {
    double a = glui_EngraneDistancia->get_float_val();
    if (a == 0) {
        // 0: a_w again, following the data.
        Engrane_Distancia = 0;
        aviso.clear();
        return;
    }
    if (!(a > 0)) return rechazar(glui_EngraneDistancia, formato(_("%s: %s debe ser mayor que 0"), _("Distancia entre centros"),
                                                                  GLUI_EditText::format_float(static_cast<float>(a)).c_str()));
    Rueda r1, r2;
    std::string f = par_actual(dientes2(), desplazamiento2(), a, r1, r2);
    if (!f.empty()) return rechazar(glui_EngraneDistancia, f);
    Engrane_Distancia = static_cast<float>(a);
    aviso.clear();
}

// The motion buttons as a finished cut leaves them: nothing more to cut, a step back to undo.
void botones_de_corte_terminado() {
    Stop = 1;
    Movimiento = 0;
    glui_AutoOnOff->set_name(_("Automatico"));
    glui_AutoOnOff->disable();
    glui_Sig->disable();
}

void ver_engrane() {
    if (C_Engrane_ON == 0) {
        botones_de_corte_terminado();
        for (int i = 0; i < 3; ++i) trans[i] = vista_del_corte[i];
        return;
    }
    Rueda r1, r2;
    std::string f = par_actual(dientes2(), desplazamiento2(), Engrane_Distancia, r1, r2);
    if (!f.empty()) {
        C_Engrane_ON = 0;
        glui_VerEngrane->set_int_val(0);
        aviso = f;
        return;
    }
    aviso.clear();
    // The cut is finished first, as "Terminar" does; then gear 1 turns with the motion buttons.
    completar_corte();
    Stop = 1;
    Movimiento = 0;
    glui_AutoOnOff->set_name(_("Automatico"));
    glui_AutoOnOff->enable();
    glui_Sig->enable();
    for (int i = 0; i < 3; ++i) {
        vista_del_corte[i] = trans[i];
        trans[i] = 0;
    }
}

std::string lineas(const std::vector<std::string>& ls) {
    std::string r;
    for (const std::string& l : ls) r += (r.empty() ? "" : "\n") + l;
    return r;
}

}  // namespace

void construir_engrane(GLUI* panel) {
    engrane_inicial();
    aviso.clear();
    glui_Engrane = panel->add_rollout(_("Engrane"), 0, GLUI_PANEL_EMBOSSED);
    GLUI_Panel* fila = panel->add_panel_to_panel(glui_Engrane, "", GLUI_PANEL_NONE);
    glui_EngraneCon = panel->add_listbox_to_panel(fila, _("Engranar con"), nullptr, ID_ENGRANE_CON, v_glui_control);
    glui_EngraneCon->add_item(0, _("Rueda"));
    glui_EngraneCon->add_item(1, _("Cremallera"));
    glui_EngraneCon->set_int_val(Engrane_Con);
    panel->add_column_to_panel(fila, 0);
    glui_VerEngrane = panel->add_checkbox_to_panel(fila, _("Ver engrane"), &C_Engrane_ON, ID_VER_ENGRANE, v_glui_control);
    glui_VerEngrane->set_int_val(C_Engrane_ON);
    glui_EngraneDientes = panel->add_edittext_to_panel(glui_Engrane, _("Dientes rueda 2"), GLUI_EDITTEXT_INT, nullptr,
                                                       ID_ENGRANE_DIENTES, v_glui_control);
    glui_EngraneDientes->set_int_val(Engrane_Dientes);
    glui_EngraneDesplazamiento = panel->add_edittext_to_panel(glui_Engrane, _("Desplazamiento rueda 2"), GLUI_EDITTEXT_FLOAT,
                                                              nullptr, ID_ENGRANE_DESPLAZAMIENTO, v_glui_control);
    glui_EngraneDesplazamiento->set_float_val(Engrane_Desplazamiento);
    glui_EngraneDistancia = panel->add_edittext_to_panel(glui_Engrane, _("Distancia entre centros"), GLUI_EDITTEXT_FLOAT,
                                                         nullptr, ID_ENGRANE_DISTANCIA, v_glui_control);
    glui_LecturaEngrane = panel->add_statictext_to_panel(glui_Engrane, "");
}

void engrane_control(int id) {
    if (!vivo()) return;
    switch (id) {
        case ID_ENGRANE_CON: engranar_con(); break;
        case ID_ENGRANE_DIENTES: dientes(); break;
        case ID_ENGRANE_DESPLAZAMIENTO: desplazamiento(); break;
        case ID_ENGRANE_DISTANCIA: distancia(); break;
        case ID_VER_ENGRANE: ver_engrane(); break;
        default: break;
    }
    actualizar_engrane();
}

void actualizar_engrane() {
    if (!vivo()) return;
    // The distance field shows a_w while it follows the data, unless the user is typing into it.
    float a = static_cast<float>(distancia_pedida());
    if (!glui_EngraneDistancia->edited() && glui_EngraneDistancia->get_float_val() != a) glui_EngraneDistancia->set_float_val(a);
    std::vector<std::string> ls;
    if (!aviso.empty()) ls.push_back(en_renglones(aviso, ANCHO_LECTURA, 2));
    const ParMostrado* par = nullptr;
    std::string fallo;
    Recogida r = C_Engrane_ON != 0 ? recoger_engrane(&par, &fallo) : Recogida::FALLO;
    if (r == Recogida::LISTO && par) {
        for (const std::string& l : lectura_engrane(par->engrane->teoria(), &par->medidas)) ls.push_back(l);
    } else {
        Rueda r1, r2;
        std::string f = par_actual(dientes2(), desplazamiento2(), Engrane_Distancia, r1, r2);
        if (f.empty()) {
            for (const std::string& l : lectura_engrane(teoria_engrane(r1, r2, Engrane_Distancia), nullptr)) ls.push_back(l);
            if (C_Engrane_ON != 0 && r == Recogida::CALCULANDO) ls.push_back(_("Calculando el engrane..."));
            else if (C_Engrane_ON != 0 && !fallo.empty()) ls.push_back(en_renglones(fallo, ANCHO_LECTURA, 2));
        } else if (aviso.empty()) {
            ls.push_back(en_renglones(f, ANCHO_LECTURA, 2));
        }
    }
    std::string texto = lineas(ls);
    if (glui_LecturaEngrane->get_text() != texto) glui_LecturaEngrane->set_text(texto.c_str());
}

void salir_del_engrane(bool valores_iniciales) {
    if (C_Engrane_ON != 0) {
        C_Engrane_ON = 0;
        for (int i = 0; i < 3; ++i) trans[i] = vista_del_corte[i];
    }
    if (valores_iniciales) {
        engrane_inicial();
        aviso.clear();
    }
    if (!vivo()) return;
    glui_VerEngrane->set_int_val(C_Engrane_ON);
    if (valores_iniciales) {
        glui_EngraneCon->set_int_val(Engrane_Con);
        glui_EngraneDientes->set_int_val(Engrane_Dientes);
        glui_EngraneDesplazamiento->set_float_val(Engrane_Desplazamiento);
        habilitar_rueda2();
    }
    actualizar_engrane();
}

void mover_engrane() {
    double paso = static_cast<double>(E_incremento) * (Velocidad > 1 ? Velocidad : 1);
    if (Stop == 0 || Movimiento == 1) girar_engrane(paso);
    if (Movimiento == -1) girar_engrane(-paso);
    Movimiento = 0;
}
