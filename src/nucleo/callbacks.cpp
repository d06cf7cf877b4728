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
#include "engrane_estado.h"
#include "engrane_panel.h"
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
    int i = valor_entero(ID_MODULO);
    if (i < 0 || i >= NUM_MODULOS) return std::nan("");
    return std::atof(MODULO[i]);
}

// The circular flank's box with its check box and its sag field.
void habilitar_circular(bool si) { modelo.panel.circular = modelo.panel.flecha = si; }

void numero_dientes() {
    Z = static_cast<float>(valor_entero(ID_DIENTES));
    if (Z < 3) {
        valor_entero(ID_DIENTES) = 3;
        Z = 3;
    }
    if (estandar()) {
        double m = modulo_de_lista();
        Rp = f(m * Z / 2.0);
        proporciones_estandar();
        valor_real(ID_DIAMETRO_EXTERIOR) = f(2.0 * Rc);
        valor_real(ID_DIAMETRO_INTERIOR) = f(2.0 * Rb);
        valor_real(ID_DIAMETRO_PRIMITIVO) = f(2.0 * Rp);
    }
    altura_base();
    paso_con_desplazamiento();
    paso_circular();
    if (estandar()) prueba_socavacion();
}

void diametro_exterior() {
    Rc = f(valor_real(ID_DIAMETRO_EXTERIOR) / 2.0);
    if (Rc < 0) {
        valor_real(ID_DIAMETRO_EXTERIOR) = 0.0f;
        Rc = 0;
    }
    if (estandar()) {
        if (Rp > Rc) {
            Rc = Rp;
            valor_real(ID_DIAMETRO_EXTERIOR) = f(2.0 * Rc);
        }
        paso_circular();
    }
    altura_base();
    paso_llano();
}

void diametro_interior() {
    Rb = f(valor_real(ID_DIAMETRO_INTERIOR) / 2.0);
    if (Rb < 0) {
        valor_real(ID_DIAMETRO_INTERIOR) = 0.0f;
        Rb = 0;
    }
    if (Rb > Rp) {
        Rb = Rp;
        valor_real(ID_DIAMETRO_INTERIOR) = f(2.0 * Rb);
    }
    altura_base();
    paso_con_desplazamiento();
    if (estandar()) paso_circular();
}

void diametro_primitivo() {
    Rp = f(valor_real(ID_DIAMETRO_PRIMITIVO) / 2.0);
    if (Rp < 0) {
        valor_real(ID_DIAMETRO_PRIMITIVO) = 0.0f;
        Rp = 0;
    }
    if (estandar()) {
        proporciones_estandar();
        valor_real(ID_DIAMETRO_EXTERIOR) = f(2.0 * Rc);
        valor_real(ID_DIAMETRO_INTERIOR) = f(2.0 * Rb);
        paso_circular();
    }
    altura_base();
    paso_llano();
}

void angulo_presion() {
    Angulo = valor_real(ID_ANGULO);
    if (estandar()) prueba_socavacion();
}

void angulo_segundo() {
    Angulo_2 = valor_real(ID_ANGULO_2);
    habilitar_circular(Angulo == Angulo_2);
}

void modulo() {
    if (estandar()) {
        double m = modulo_de_lista();
        Rp = f(m * (Z / 2.0));
        proporciones_estandar();
        paso_circular();
        valor_real(ID_DIAMETRO_PRIMITIVO) = f(2.0 * Rp);
        valor_real(ID_DIAMETRO_EXTERIOR) = f(2.0 * Rc);
        valor_real(ID_DIAMETRO_INTERIOR) = f(2.0 * Rb);
    } else if (experimental()) {
        if (valor_real(ID_MODULO) < 1) valor_real(ID_MODULO) = 1.0f;
        Paso = f(valor_real(ID_MODULO) * PI);
    }
    altura_base();
    paso_llano();
}

// The shift moves the rack in both simulations; the fields show the textbook tip and root
// diameters m(Z + 2 + 2x) and m(Z - 2.5 + 2x) of the shifted gear.
void desplazamiento() {
    double x = valor_real(ID_DESPLAZAMIENTO);
    modelo.rueda.coeficiente = f(x);
    Penetracion = f(x * Paso / -PI);
    if (Penetracion > 0) C_Paso_Y = f(2.0 * (Rc - Rb) / 10.0);
    else C_Paso_Y = f((2.0 * (Rc - Rb) + Penetracion) / 10.0);
    valor_real(ID_DIAMETRO_EXTERIOR) = f(2.0 * (Rc - Penetracion));
    valor_real(ID_DIAMETRO_INTERIOR) = f(2.0 * (Rb - Penetracion));
    if (estandar()) prueba_socavacion();
}

void circular_segun_iso() { habilitar_circular(ISO_Radio == 0 && ISO_Depresion == 0); }

void radio_cabeza() {
    ISO_Radio = valor_real(ID_RADIO_CABEZA);
    if (ISO_Radio < 0) {
        valor_real(ID_RADIO_CABEZA) = 0.0f;
        ISO_Radio = 0;
    }
    if (ISO_Radio != 0) {
        modelo.panel.depresion = true;
    } else {
        modelo.panel.depresion = false;
        valor_real(ID_DEPRESION) = 0.0f;
        ISO_Depresion = 0;
    }
    circular_segun_iso();
}

void depresion_lateral() {
    if (Angulo > 0 && Angulo_2 > 0) {
        ISO_Depresion = valor_real(ID_DEPRESION);
    } else {
        ISO_Depresion = 0;
        valor_real(ID_DEPRESION) = 0.0f;
    }
    circular_segun_iso();
}

// A sag takes the ISO tip's box (the relief field with it) and the asymmetric tooth's box out of use.
void flecha() {
    Flecha = valor_real(ID_FLECHA);
    bool sin_flecha = Flecha == 0;
    modelo.panel.iso = modelo.panel.depresion = sin_flecha;
    modelo.panel.asimetrico = sin_flecha;
}

// The colour spinners show the colour of the element chosen.
void elemento_color() {
    QueObjeto = valor_entero(ID_ELEMENTO_COLOR);
    if (float* color = color_de_objeto(QueObjeto)) {
        valor_real(ID_ROJO) = color[0];
        valor_real(ID_VERDE) = color[1];
        valor_real(ID_AZUL) = color[2];
    }
}

void componente_color(int c, IdControl id) {
    float* color = color_de_objeto(QueObjeto);
    if (!color) return;
    color[c] = valor_real(id);
    if (QueObjeto == 0) plataforma().borrar_fondo(ColorFondo);
}

void giro_por_tallada() {
    E_incremento = static_cast<float>(valor_entero(ID_GIRO));
    if (E_incremento < 1) {
        valor_entero(ID_GIRO) = 1;
        E_incremento = 1;
    }
}

// The button's name, the step buttons and "<< Anterior" follow the mode (sincronizar_panel).
void automatico() { Stop = Stop == 0 ? 1 : 0; }

void paso_final();

void salir_al_dialogo() {
    reiniciar();
    paso_final();
    volver_al_dialogo();
}

// Experimental mode: the tip radius and flank relief stay within what the tooth can hold.
void limitar_iso() {
    float r_max = radio_maximo_iso();
    if (ISO_Radio > r_max) {
        ISO_Radio = r_max;
        valor_real(ID_RADIO_CABEZA) = ISO_Radio;
    }
    float d_max = depresion_maxima_iso(ISO_Radio);
    if (ISO_Depresion > d_max) {
        ISO_Depresion = d_max;
        valor_real(ID_DEPRESION) = ISO_Depresion;
    }
}

// An overlay switched off whose colour entry was selected gives the selection back to the
// first element (the entry can be chosen only while its overlay is on).
void entrada_de_color(int entrada, int encendida) {
    if (encendida == 0 && valor_entero(ID_ELEMENTO_COLOR) == entrada) {
        valor_entero(ID_ELEMENTO_COLOR) = 0;
        elemento_color();
    }
}

void velocidad() {
    Velocidad = valor_entero(ID_VELOCIDAD);
    if (Velocidad < 1) Velocidad = 1;
}

void paso_final() {
    if (experimental()) limitar_iso();
    seguir_nombre();
    actualizar_engrane();
    sincronizar_panel();
    plataforma().pedir_redibujo();
}

// What a data callback may change: the gear and rack data, the values derived from
// them, the turn per cut and what the panel shows.
struct Datos {
    DatosRueda rueda;
    float incremento;
    EstadoPanel panel;

    static Datos tomar() { return {modelo.rueda, E_incremento, modelo.panel}; }

    // Every number finite, every field showing a finite value, and a view of some size
    // (the projection box is 2.8·|Origen| wide); every value within its range (limites.h),
    // so that the outline is a gear and the view still pans and zooms. The turn per cut is
    // judged when it is typed: a later change of the teeth does not undo it.
    bool validos(int id) const {
        const DatosRueda& r = rueda;
        double m = r.paso / PI;
        double x = r.coeficiente;
        // The module from the pitch, a float: the largest listed one within its rounding.
        if (r.dientes > DIENTES_MAXIMO || !(m <= MODULO_MAXIMO * (1 + 1e-6))) return false;
        if (r.angulo < ANGULO_MINIMO || r.angulo > ANGULO_MAXIMO) return false;
        if (experimental() && (r.angulo_2 < ANGULO_MINIMO || r.angulo_2 > ANGULO_MAXIMO)) return false;
        if (std::fabs(x) > DESPLAZAMIENTO_MAXIMO || (estandar() && !deja_fondo(r.dientes, x))) return false;
        double radio_maximo = diametro_maximo(m) / 2;
        if (!(r.radio_primitivo > 0 && r.radio_exterior > 0) || r.radio_primitivo > radio_maximo ||
            r.radio_exterior > radio_maximo || r.radio_interior > radio_maximo)
            return false;
        if (experimental() && std::fabs(r.flecha) > FLECHA_MAXIMA * m) return false;
        if (id == ID_GIRO && incremento > giro_maximo(r.dientes)) return false;
        for (float v : {r.dientes, r.radio_primitivo, r.radio_exterior, r.radio_interior, r.paso, r.angulo, r.angulo_2,
                        r.penetracion, r.coeficiente, r.radio_cabeza, r.depresion, r.flecha, r.origen, r.paso_y,
                        incremento})
            if (!std::isfinite(v)) return false;
        for (const auto& [control, valor] : panel.valores)
            if (!std::isfinite(valor.real)) return false;
        // The rack's travel: up to a pitch and a rolling step sideways, ten approach steps up.
        if (!std::isfinite(Paso + 2 * std::fabs(paso_rodadura())) || !std::isfinite(10 * std::fabs(C_Paso_Y)))
            return false;
        return r.origen != 0;
    }

    void poner() const {
        modelo.rueda = rueda;
        E_incremento = incremento;
        modelo.panel = panel;
    }
};

}  // namespace

namespace {

// The motion back to its start, manual mode.
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
}

// The data fields the first approach step locks, in use again: the sag only while the
// circular flanks' box is (equal angles, no ISO tip).
void desbloquear_datos() {
    modelo.panel.datos = true;
    if (experimental() && modelo.panel.circular) modelo.panel.flecha = true;
}

// "Nuevo corte": the uncut blank again, with the data as they stand and the view kept.
void nuevo_corte() {
    salir_del_engrane(false);
    recordar_corte_anterior();
    movimiento_al_principio();
    desbloquear_datos();
}

}  // namespace

void reiniciar() {
    salir_del_engrane(true);
    recordar_corte_anterior();
    movimiento_al_principio();
    trans[0] = trans[1] = trans[2] = 0;
    modelo.panel.datos = true;
    for (IdControl id : {ID_DIENTES, ID_DIAMETRO_PRIMITIVO, ID_DIAMETRO_EXTERIOR, ID_DIAMETRO_INTERIOR, ID_ANGULO,
                         ID_DESPLAZAMIENTO, ID_GIRO})
        mostrar_inicial(id);
    datos_iniciales();
    if (estandar()) {
        mostrar_inicial(ID_MODULO);
        paso_circular();
    } else if (experimental()) {
        mostrar_inicial(ID_MODULO);
        Paso = f(inicial(ID_MODULO) * PI);
        mostrar_inicial(ID_RADIO_CABEZA);
        ISO_Radio = 0;
        mostrar_inicial(ID_DEPRESION);
        ISO_Depresion = 0;
        // The ISO tip's box in use, its relief field not (no tip radius); the experimental
        // boxes in use, the sag field with them.
        modelo.panel.iso = true;
        modelo.panel.depresion = false;
        modelo.panel.asimetrico = true;
        habilitar_circular(true);
        mostrar_inicial(ID_FLECHA);
        Flecha = 0;
        // Every control of the rack back as the panel opens: the check boxes, the second
        // angle equal to the first, so that the circular flanks enabled above are allowed.
        C_ISO = 1;
        C_Asimetria = 0;
        valor_real(ID_ANGULO_2) = 20.0f;
        Angulo_2 = 20;
        C_Flecha = 1;
    }
    paso_llano();
    altura_base();
    if (estandar()) prueba_socavacion();
}

void v_glui_control(int id) {
    // A value whose results would overflow or leave no view is refused like a
    // non-number: everything, the field included, is put back as it was.
    std::optional<Datos> antes;
    if (panel_abierto() && es_de_datos(id)) antes = Datos::tomar();
    leer_control(id);
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
        case ID_HOJA: seguir_nombre(); break;
        case ID_GUARDAR_ANIMACION: guardar_animacion_desde_panel(); break;
        case ID_TERMINAR: completar_corte(); break;
        case ID_VELOCIDAD: velocidad(); break;
        case ID_CIRC_BASE: entrada_de_color(OBJETO_CIRC_BASE, C_Base_ON); break;
        case ID_EVOLVENTE: entrada_de_color(OBJETO_EVOLVENTE, C_Evolvente_ON); break;
        case ID_FANTASMA: break;
        case ID_ENGRANE_CON:
        case ID_ENGRANE_DIENTES:
        case ID_ENGRANE_DESPLAZAMIENTO:
        case ID_ENGRANE_DISTANCIA:
        case ID_VER_ENGRANE: engrane_control(id); break;
        case ID_ROJO: componente_color(0, ID_ROJO); break;
        case ID_VERDE: componente_color(1, ID_VERDE); break;
        case ID_AZUL: componente_color(2, ID_AZUL); break;
        default: break;
    }
    if (antes) {
        if (!Datos::tomar().validos(id)) {
            antes->poner();
            rechazar_control(id);
        }
    }
    paso_final();
}

void idle() {
    // Without a panel there is nothing to move, and no control to lock or free.
    if (!panel_abierto()) return;
    // With the mesh shown the motion turns the pair; the ended cut stays as it is.
    if (engrane_en_vista()) mover_engrane();
    else avanzar();
    actualizar_engrane();
    sincronizar_panel();
    redibujar_principal();
}
