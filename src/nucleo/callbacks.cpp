#include "callbacks.h"
#include "idioma/idioma.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "corte_anterior.h"
#include "angulos.h"
#include "campos.h"
#include "estado.h"
#include "guardar.h"
#include "movimiento.h"
#include "panel.h"
#include "limites.h"
#include "plataforma.h"

namespace {

bool estandar() { return QueSimula == SIMULACION_ESTANDAR; }
bool experimental() { return QueSimula == SIMULACION_EXPERIMENTAL; }

float f(double v) { return static_cast<float>(v); }

void altura_base() { Origen = f(-2.0 * (Rc - Rb) - Rc); }
void paso_llano() { C_Paso_Y = f(2.0 * (Rc - Rb) / 10.0); }
void paso_con_desplazamiento() {
    C_Paso_Y = Penetracion > 0 ? f(2.0 * (Rc - Rb) / 10.0) : f((2.0 * (Rc - Rb) + Penetracion) / 10.0);
}
void proporciones_estandar() {
    Rc = f((2.0 / Z + 1.0) * Rp);
    Rb = f(Rp * (1.0 - 2.5 / Z));
}
void paso_circular() { Paso = f(DOS_PI * Rp / Z); }
// The module of the list's selected item; not a number for an index outside the list,
// which the check after every data callback then refuses.
double modulo_de_lista() {
    int i = glui_Modulo->get_int_val();
    if (i < 0 || i >= NUM_MODULOS) return std::nan("");
    return std::atof(MODULO[i]);
}

void numero_dientes() {
    Z = static_cast<float>(glui_Dientes->get_int_val());
    if (Z < 3) {
        glui_Dientes->set_int_val(3);
        Z = 3;
    }
    if (estandar()) {
        double m = modulo_de_lista();
        Rp = f(m * Z / 2.0);
        proporciones_estandar();
        glui_RCabeza->set_float_val(f(2.0 * Rc));
        glui_RBase->set_float_val(f(2.0 * Rb));
        glui_RPaso->set_float_val(f(2.0 * Rp));
    }
    altura_base();
    paso_con_desplazamiento();
    paso_circular();
    if (estandar()) prueba_socavacion();
}

void diametro_exterior() {
    Rc = f(glui_RCabeza->get_float_val() / 2.0);
    if (Rc < 0) {
        glui_RCabeza->set_float_val(0.0f);
        Rc = 0;
    }
    if (estandar()) {
        if (Rp > Rc) {
            Rc = Rp;
            glui_RCabeza->set_float_val(f(2.0 * Rc));
        }
        paso_circular();
    }
    altura_base();
    paso_llano();
}

void diametro_interior() {
    Rb = f(glui_RBase->get_float_val() / 2.0);
    if (Rb < 0) {
        glui_RBase->set_float_val(0.0f);
        Rb = 0;
    }
    if (Rb > Rp) {
        Rb = Rp;
        glui_RBase->set_float_val(f(2.0 * Rb));
    }
    altura_base();
    paso_con_desplazamiento();
    if (estandar()) paso_circular();
}

void diametro_primitivo() {
    Rp = f(glui_RPaso->get_float_val() / 2.0);
    if (Rp < 0) {
        glui_RPaso->set_float_val(0.0f);
        Rp = 0;
    }
    if (estandar()) {
        proporciones_estandar();
        glui_RCabeza->set_float_val(f(2.0 * Rc));
        glui_RBase->set_float_val(f(2.0 * Rb));
        paso_circular();
    }
    altura_base();
    paso_llano();
}

void angulo_presion() {
    Angulo = glui_Angulo->get_float_val();
    if (estandar()) prueba_socavacion();
}

void angulo_segundo() {
    Angulo_2 = glui_Angulo_2->get_float_val();
    if (Angulo != Angulo_2) glui_circular->disable();
    else glui_circular->enable();
}

void modulo() {
    if (estandar()) {
        double m = modulo_de_lista();
        Rp = f(m * (Z / 2.0));
        proporciones_estandar();
        paso_circular();
        glui_RPaso->set_float_val(f(2.0 * Rp));
        glui_RCabeza->set_float_val(f(2.0 * Rc));
        glui_RBase->set_float_val(f(2.0 * Rb));
    } else if (experimental()) {
        if (glui_Modulo_T->get_float_val() < 1) glui_Modulo_T->set_float_val(1.0f);
        Paso = f(glui_Modulo_T->get_float_val() * PI);
    }
    altura_base();
    paso_llano();
}

// The shift moves the rack in both simulations; the fields show the textbook tip and root
// diameters m(Z + 2 + 2x) and m(Z - 2.5 + 2x) of the shifted gear.
void desplazamiento() {
    double x = glui_Penetracion->get_float_val();
    modelo.rueda.coeficiente = f(x);
    Penetracion = f(x * Paso / -PI);
    if (Penetracion > 0) C_Paso_Y = f(2.0 * (Rc - Rb) / 10.0);
    else C_Paso_Y = f((2.0 * (Rc - Rb) + Penetracion) / 10.0);
    glui_RCabeza->set_float_val(f(2.0 * (Rc - Penetracion)));
    glui_RBase->set_float_val(f(2.0 * (Rb - Penetracion)));
    if (estandar()) prueba_socavacion();
}

void circular_segun_iso() {
    if (ISO_Radio == 0 && ISO_Depresion == 0) glui_circular->enable();
    else glui_circular->disable();
}

void radio_cabeza() {
    ISO_Radio = glui_radio->get_float_val();
    if (ISO_Radio < 0) {
        glui_radio->set_float_val(0.0f);
        ISO_Radio = 0;
    }
    if (ISO_Radio != 0) {
        glui_depresion->enable();
    } else {
        glui_depresion->disable();
        glui_depresion->set_float_val(0.0f);
        ISO_Depresion = 0;
    }
    circular_segun_iso();
}

void depresion_lateral() {
    if (Angulo > 0 && Angulo_2 > 0) {
        ISO_Depresion = glui_depresion->get_float_val();
    } else {
        ISO_Depresion = 0;
        glui_depresion->set_float_val(0.0f);
    }
    circular_segun_iso();
}

void flecha() {
    Flecha = glui_Flecha->get_float_val();
    if (Flecha == 0) {
        glui_iso->enable();
        glui_asimetrico->enable();
    } else {
        glui_iso->disable();
        glui_asimetrico->disable();
    }
}

void elemento_color() {
    QueObjeto = glui_Elementos->get_int_val();
    if (float* color = color_de_objeto(QueObjeto)) {
        glui_Rojo->set_float_val(color[0]);
        glui_Verde->set_float_val(color[1]);
        glui_Azul->set_float_val(color[2]);
    }
}

void componente_color(int c, GLUI_Spinner* spinner) {
    float* color = color_de_objeto(QueObjeto);
    if (!color) return;
    color[c] = spinner->get_float_val();
    if (QueObjeto == 0) plataforma().borrar_fondo(ColorFondo);
}

void giro_por_tallada() {
    E_incremento = static_cast<float>(glui_Giro->get_int_val());
    if (E_incremento < 1) {
        glui_Giro->set_int_val(1);
        E_incremento = 1;
    }
}

void automatico() {
    if (Stop != 0) {
        glui_AutoOnOff->set_name(_("Manual"));
        glui_Sig->disable();
        glui_Ant->disable();
    } else {
        glui_AutoOnOff->set_name(_("Automatico"));
        glui_Sig->enable();
        // Back in manual mode, "<< Anterior" only when there is a step to undo.
        if (hay_corte()) glui_Ant->enable();
    }
    Stop = Stop == 0 ? 1 : 0;
}

void paso_final();

void salir_al_dialogo() {
    reiniciar();
    paso_final();
    plataforma().ocultar_ventana();
    // The panel's controls are freed when the closed window is removed: nothing keeps its handle.
    v_glui->close();
    v_glui = nullptr;
    informa = nullptr;  // the standard panel's warning line goes with the panel
    glui->show();
}

// Experimental mode: the tip radius and flank relief stay within what the tooth can hold.
void limitar_iso() {
    float r_max = radio_maximo_iso();
    if (ISO_Radio > r_max) {
        ISO_Radio = r_max;
        glui_radio->set_float_val(ISO_Radio);
    }
    float d_max = depresion_maxima_iso(ISO_Radio);
    if (ISO_Depresion > d_max) {
        ISO_Depresion = d_max;
        glui_depresion->set_float_val(ISO_Depresion);
    }
}

// An overlay switched on or off: its colour entry can be chosen while it is shown; an entry
// switched off that was selected gives the selection back to the first element.
void entrada_de_color(GLUI_RadioButton* entrada, int encendida) {
    if (encendida != 0) entrada->enable();
    else entrada->disable();
    if (encendida == 0 && glui_Elementos->get_int_val() == entrada->value()) {
        glui_Elementos->set_int_val(0);
        elemento_color();
    }
}

void velocidad() {
    Velocidad = glui_Velocidad->get_int_val();
    if (Velocidad < 1) Velocidad = 1;
}

void paso_final() {
    if (experimental()) limitar_iso();
    seguir_nombre();
    actualizar_control_corte();
    if (v_glui) v_glui->sync_live();
    plataforma().pedir_redibujo();
}

// What a data callback may change: the gear and rack data, the values derived from
// them and the values the panel's fields and list show.
struct Datos {
    float z, rp, rc, rb, paso, angulo, angulo_2, penetracion, coeficiente, iso_radio, iso_depresion, flecha, origen,
        paso_y, incremento;
    // Each field with its int and its float value, kept apart: an int field's value may
    // have no exact float.
    struct Campo {
        GLUI_Control* control;
        int entero;
        float real;
    };
    std::vector<Campo> campos;
    // Which controls were enabled: a callback may enable or disable some of them.
    std::vector<std::pair<GLUI_Control*, bool>> habilitados;
    std::string aviso;

    static Datos tomar() {
        Datos d{Z, Rp, Rc, Rb, Paso, Angulo, Angulo_2, Penetracion, modelo.rueda.coeficiente, ISO_Radio, ISO_Depresion,
                Flecha, Origen, C_Paso_Y, E_incremento, {}, {}, informa ? informa->get_text() : std::string()};
        for (auto& c : v_glui->controls())
            if (c->kind() == GLUI_Kind::EditText || c->kind() == GLUI_Kind::Listbox)
                d.campos.push_back({c.get(), c->get_int_val(), c->get_float_val()});
        for (auto& c : v_glui->controls()) d.habilitados.emplace_back(c.get(), c->enabled());
        return d;
    }

    // Every number finite, every field showing a finite value, and a view of some size
    // (the projection box is 2.8·|Origen| wide); every value within its range (limites.h),
    // so that the outline is a gear and the view still pans and zooms. The turn per cut is
    // judged when it is typed: a later change of the teeth does not undo it.
    bool validos(int id) const {
        double m = paso / PI;
        double x = coeficiente;
        // The module from the pitch, a float: the largest listed one within its rounding.
        if (z > DIENTES_MAXIMO || !(m <= MODULO_MAXIMO * (1 + 1e-6))) return false;
        if (angulo < ANGULO_MINIMO || angulo > ANGULO_MAXIMO) return false;
        if (experimental() && (angulo_2 < ANGULO_MINIMO || angulo_2 > ANGULO_MAXIMO)) return false;
        if (std::fabs(x) > DESPLAZAMIENTO_MAXIMO || (estandar() && !deja_fondo(z, x))) return false;
        double radio_maximo = diametro_maximo(m) / 2;
        if (!(rp > 0 && rc > 0) || rp > radio_maximo || rc > radio_maximo || rb > radio_maximo) return false;
        if (experimental() && std::fabs(flecha) > FLECHA_MAXIMA * m) return false;
        if (id == 1130 && incremento > giro_maximo(z)) return false;
        for (float v : {z, rp, rc, rb, paso, angulo, angulo_2, penetracion, coeficiente, iso_radio, iso_depresion, flecha, origen,
                        paso_y, incremento})
            if (!std::isfinite(v)) return false;
        for (const auto& campo : campos)
            if (!std::isfinite(campo.control->get_float_val())) return false;
        // The rack's travel: up to a pitch and a rolling step sideways, ten approach steps up.
        if (!std::isfinite(Paso + 2 * std::fabs(paso_rodadura())) || !std::isfinite(10 * std::fabs(C_Paso_Y)))
            return false;
        return origen != 0;
    }

    void poner() const {
        Z = z, Rp = rp, Rc = rc, Rb = rb, Paso = paso, Angulo = angulo, Angulo_2 = angulo_2;
        Penetracion = penetracion, modelo.rueda.coeficiente = coeficiente, ISO_Radio = iso_radio, ISO_Depresion = iso_depresion, Flecha = flecha;
        Origen = origen, C_Paso_Y = paso_y, E_incremento = incremento;
        for (const auto& [c, entero, real] : campos) {
            bool es_entero = c->kind() == GLUI_Kind::Listbox ||
                             static_cast<GLUI_EditText*>(c)->data_type() == GLUI_EDITTEXT_INT;
            if (es_entero) c->set_int_val(entero);
            else c->set_float_val(real);
        }
        for (const auto& [c, si] : habilitados)
            if (c->enabled() != si) {
                if (si) c->enable();
                else c->disable();
            }
        if (informa) informa->set_text(aviso.c_str());
    }
};

}  // namespace

namespace {

// The motion back to its start, manual mode, the step buttons as on a new panel.
void movimiento_al_principio() {
    Primera_Vez = 1;
    C_Y = 0;
    C_Contador = 0;
    C_Mueve = APROXIMACION;
    C_X = 0;
    Conta_h = 1;
    E_angulo = 0;
    C_Desplaza = 0;
    Diente = 0;
    Stop = 1;
    Movimiento = 0;
    glui_Sig->enable();
    glui_AutoOnOff->enable();
    glui_AutoOnOff->set_name(_("Automatico"));
    glui_Ant->disable();
    glui_NuevoCorte->disable();
}

// The data fields the first approach step locks, enabled again: the sag only while the
// circular flanks' panel is (equal angles, no ISO tip).
void desbloquear_datos() {
    for (GLUI_Control* c : {static_cast<GLUI_Control*>(glui_Dientes), static_cast<GLUI_Control*>(glui_RPaso),
                            static_cast<GLUI_Control*>(glui_RCabeza), static_cast<GLUI_Control*>(glui_RBase),
                            static_cast<GLUI_Control*>(glui_Angulo), static_cast<GLUI_Control*>(glui_Giro),
                            static_cast<GLUI_Control*>(glui_Penetracion)})
        c->enable();
    if (estandar()) glui_Modulo->enable();
    if (experimental()) {
        glui_Modulo_T->enable();
        if (glui_circular->enabled()) glui_Flecha->enable();
    }
}

// "Nuevo corte": the uncut blank again, with the data as they stand and the view kept.
void nuevo_corte() {
    recordar_corte_anterior();
    movimiento_al_principio();
    desbloquear_datos();
}

}  // namespace

void reiniciar() {
    recordar_corte_anterior();
    movimiento_al_principio();
    trans[0] = trans[1] = trans[2] = 0;
    for (GLUI_EditText* e : {glui_Dientes, glui_RPaso, glui_RCabeza, glui_RBase, glui_Angulo, glui_Penetracion, glui_Giro}) {
        e->enable();
        mostrar_inicial(e);
    }
    datos_iniciales();
    if (estandar()) {
        glui_Modulo->enable();
        mostrar_inicial(glui_Modulo);
        paso_circular();
    } else if (experimental()) {
        glui_Modulo_T->enable();
        mostrar_inicial(glui_Modulo_T);
        Paso = f(inicial(ID_MODULO) * PI);
        glui_iso->enable();
        mostrar_inicial(glui_radio);
        ISO_Radio = 0;
        mostrar_inicial(glui_depresion);
        ISO_Depresion = 0;
        glui_depresion->disable();
        glui_experimental->enable();
        mostrar_inicial(glui_Flecha);
        Flecha = 0;
        // Every control of the rack back as the panel opens: the check boxes, the second
        // angle equal to the first, so that the circular flanks enabled above are allowed.
        glui_ISO->set_int_val(1);
        glui_C_Asimetria->set_int_val(0);
        glui_Angulo_2->set_float_val(20.0f);
        Angulo_2 = 20;
        glui_C_Flecha->set_int_val(1);
    }
    paso_llano();
    altura_base();
    if (estandar()) prueba_socavacion();
}

void v_glui_control(int id) {
    // A value whose results would overflow or leave no view is refused like a
    // non-number: everything, the field included, is put back as it was.
    std::optional<Datos> antes;
    if (v_glui && es_de_datos(id)) antes = Datos::tomar();
    switch (id) {
        case ID_DIENTES: numero_dientes(); break;
        case ID_DIAMETRO_EXTERIOR: diametro_exterior(); break;
        case ID_DIAMETRO_INTERIOR: diametro_interior(); break;
        case ID_DIAMETRO_PRIMITIVO: diametro_primitivo(); break;
        case ID_ANGULO: angulo_presion(); break;
        case ID_ANGULO_2: if (experimental()) angulo_segundo(); break;
        case ID_MODULO: modulo(); break;
        case ID_DESPLAZAMIENTO: desplazamiento(); break;
        case ID_RADIO_CABEZA: if (experimental()) radio_cabeza(); break;
        case ID_DEPRESION: if (experimental()) depresion_lateral(); break;
        case ID_FLECHA: if (experimental()) flecha(); break;
        case ID_ELEMENTO_COLOR: elemento_color(); break;
        case ID_GIRO: giro_por_tallada(); break;
        case ID_AUTOMATICO: automatico(); break;
        case ID_SIGUIENTE: Movimiento = 1; break;
        case ID_ANTERIOR: Movimiento = -1; break;
        case ID_REINICIAR: reiniciar(); break;
        case ID_SALIR: salir_al_dialogo(); break;
        case ID_NUEVO_CORTE: nuevo_corte(); break;
        case ID_ARCHIVO: break;
        case ID_GUARDAR: guardar_desde_panel(); break;
        case ID_GUARDAR_ANIMACION: guardar_animacion_desde_panel(); break;
        case ID_TERMINAR: completar_corte(); break;
        case ID_VELOCIDAD: velocidad(); break;
        case ID_CIRC_BASE: entrada_de_color(glui_C_Base, C_Base_ON); break;
        case ID_EVOLVENTE: entrada_de_color(glui_Evolvente, C_Evolvente_ON); break;
        case ID_FANTASMA: break;
        case ID_ROJO: componente_color(0, glui_Rojo); break;
        case ID_VERDE: componente_color(1, glui_Verde); break;
        case ID_AZUL: componente_color(2, glui_Azul); break;
        default: break;
    }
    if (antes) {
        if (!Datos::tomar().validos(id)) {
            antes->poner();
            for (auto& c : v_glui->controls())
                if (c->get_id() == id) c->revert_user_value();
        }
    }
    paso_final();
}
