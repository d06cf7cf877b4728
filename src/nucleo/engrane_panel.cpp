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
#include "panel.h"

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
std::string lectura;

// The view of the cut while the mesh is shown in a view of its own.
float vista_del_corte[3] = {0, 0, 0};

int dientes2() { return Engrane_Con != 0 ? 0 : Engrane_Dientes; }
double desplazamiento2() { return Engrane_Con != 0 ? 0.0 : static_cast<double>(Engrane_Desplazamiento); }

// The rollout's values in the model as the mesh's values give them.
void valores_del_engrane() {
    valor_entero(ID_ENGRANE_CON) = Engrane_Con;
    valor_entero(ID_ENGRANE_DIENTES) = Engrane_Dientes;
    valor_real(ID_ENGRANE_DESPLAZAMIENTO) = Engrane_Desplazamiento;
    valor_real(ID_ENGRANE_DISTANCIA) = static_cast<float>(distancia_pedida());
}

// A value refused: the field shows what it showed before, and the read-out says why.
void rechazar(int id, const std::string& por_que) {
    valores_del_engrane();
    rechazar_control(id);
    aviso = por_que;
}

// Gear 2's new values: a typed distance that the new a_w passes is given up, and the distance
// follows a_w again.
void seguir_distancia_si_hace_falta() {
    Rueda r1, r2;
    if (Engrane_Distancia > 0 && !par_actual(dientes2(), desplazamiento2(), Engrane_Distancia, r1, r2).empty())
        Engrane_Distancia = 0;
}

void engranar_con() {
    Engrane_Con = valor_entero(ID_ENGRANE_CON) != 0 ? 1 : 0;
    aviso.clear();
    seguir_distancia_si_hace_falta();
}

void dientes() {
    int z2 = valor_entero(ID_ENGRANE_DIENTES);
    if (z2 == 0) {
        // No teeth: the rack, as on the command line; the gear's teeth are kept for going back.
        Engrane_Con = 1;
        aviso.clear();
        seguir_distancia_si_hace_falta();
        return;
    }
    Rueda r1, r2;
    std::string f = par_actual(z2, Engrane_Desplazamiento, 0, r1, r2);
    if (!f.empty()) return rechazar(ID_ENGRANE_DIENTES, f);
    Engrane_Dientes = z2;
    aviso.clear();
    seguir_distancia_si_hace_falta();
}

void desplazamiento() {
    double x2 = valor_real(ID_ENGRANE_DESPLAZAMIENTO);
    Rueda r1, r2;
    std::string f = par_actual(Engrane_Dientes, x2, 0, r1, r2);
    if (!f.empty()) return rechazar(ID_ENGRANE_DESPLAZAMIENTO, f);
    Engrane_Desplazamiento = static_cast<float>(x2);
    aviso.clear();
    seguir_distancia_si_hace_falta();
}

void distancia() {
    double a = valor_real(ID_ENGRANE_DISTANCIA);
    if (a == 0) {
        // 0: a_w again, following the data.
        Engrane_Distancia = 0;
        aviso.clear();
        return;
    }
    if (!(a > 0))
        return rechazar(ID_ENGRANE_DISTANCIA, formato(_("%s: %s debe ser mayor que 0"), _("Distancia entre centros"),
                                                      GLUI_EditText::format_float(static_cast<float>(a)).c_str()));
    Rueda r1, r2;
    std::string f = par_actual(dientes2(), desplazamiento2(), a, r1, r2);
    if (!f.empty()) return rechazar(ID_ENGRANE_DISTANCIA, f);
    Engrane_Distancia = static_cast<float>(a);
    aviso.clear();
}

void ver_engrane() {
    Stop = 1;
    Movimiento = 0;
    if (C_Engrane_ON == 0) {
        for (int i = 0; i < 3; ++i) trans[i] = vista_del_corte[i];
        return;
    }
    Rueda r1, r2;
    std::string f = par_actual(dientes2(), desplazamiento2(), Engrane_Distancia, r1, r2);
    if (!f.empty()) {
        C_Engrane_ON = 0;
        aviso = f;
        return;
    }
    aviso.clear();
    // The cut is finished first, as "Terminar" does; then gear 1 turns with the motion buttons.
    completar_corte();
    for (int i = 0; i < 3; ++i) {
        vista_del_corte[i] = trans[i];
        trans[i] = 0;
    }
}

}  // namespace

void construir_engrane(GLUI* panel) {
    engrane_inicial();
    aviso.clear();
    lectura.clear();
    glui_Engrane = panel->add_rollout(_("Engrane"), 0, GLUI_PANEL_EMBOSSED);
    GLUI_Panel* fila = panel->add_panel_to_panel(glui_Engrane, "", GLUI_PANEL_NONE);
    glui_EngraneCon = panel->add_listbox_to_panel(fila, _("Engranar con"), nullptr, ID_ENGRANE_CON, v_glui_control);
    glui_EngraneCon->add_item(0, _("Rueda"));
    glui_EngraneCon->add_item(1, _("Cremallera"));
    panel->add_column_to_panel(fila, 0);
    glui_VerEngrane = panel->add_checkbox_to_panel(fila, _("Ver engrane"), &C_Engrane_ON, ID_VER_ENGRANE, v_glui_control);
    glui_EngraneDientes = panel->add_edittext_to_panel(glui_Engrane, _("Dientes rueda 2"), GLUI_EDITTEXT_INT, nullptr,
                                                       ID_ENGRANE_DIENTES, v_glui_control);
    glui_EngraneDesplazamiento = panel->add_edittext_to_panel(glui_Engrane, _("Desplazamiento rueda 2"), GLUI_EDITTEXT_FLOAT,
                                                              nullptr, ID_ENGRANE_DESPLAZAMIENTO, v_glui_control);
    glui_EngraneDistancia = panel->add_edittext_to_panel(glui_Engrane, _("Distancia entre centros"), GLUI_EDITTEXT_FLOAT,
                                                         nullptr, ID_ENGRANE_DISTANCIA, v_glui_control);
    glui_LecturaEngrane = panel->add_statictext_to_panel(glui_Engrane, "");
}

void engrane_control(int id) {
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
    valores_del_engrane();
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
    lectura.clear();
    for (const std::string& l : ls) lectura += (lectura.empty() ? "" : "\n") + l;
}

const std::string& lectura_del_engrane() { return lectura; }

void sincronizar_engrane() {
    if (!glui_Engrane || !panel_vivo()) return;
    for (GLUI_Control* c : {static_cast<GLUI_Control*>(glui_EngraneDientes), static_cast<GLUI_Control*>(glui_EngraneDesplazamiento)}) {
        bool si = Engrane_Con == 0;
        if (c->enabled() != si) si ? c->enable() : c->disable();
    }
    if (glui_LecturaEngrane->get_text() != lectura) glui_LecturaEngrane->set_text(lectura.c_str());
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
    actualizar_engrane();
}

void mover_engrane() {
    double paso = static_cast<double>(E_incremento) * (Velocidad > 1 ? Velocidad : 1);
    if (Stop == 0 || Movimiento == 1) girar_engrane(paso);
    if (Movimiento == -1) girar_engrane(-paso);
    Movimiento = 0;
}
