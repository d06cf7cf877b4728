#include "panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "callbacks.h"
#include "campos.h"
#include "idioma/idioma.h"
#include "estado.h"
#include "guardar.h"
#include "avisos.h"
#include "corte_anterior.h"
#include "engrane_estado.h"
#include "engrane_panel.h"
#include "medidas.h"
#include "movimiento.h"
#include "plataforma.h"

GLUI* glui = nullptr;
GLUI* v_glui = nullptr;

GLUI_Panel *glui_firma = nullptr, *glui_datos = nullptr, *glui_iso = nullptr, *glui_experimental = nullptr,
           *glui_asimetrico = nullptr, *glui_circular = nullptr;
GLUI_Rollout* glui_Color = nullptr;
GLUI_Panel *glui_opciones = nullptr, *glui_boton = nullptr, *glui_zoom = nullptr;
GLUI_EditText *glui_Dientes = nullptr, *glui_Modulo_T = nullptr, *glui_RPaso = nullptr, *glui_RCabeza = nullptr,
              *glui_RBase = nullptr, *glui_Angulo = nullptr, *glui_Penetracion = nullptr, *glui_radio = nullptr,
              *glui_depresion = nullptr, *glui_Angulo_2 = nullptr, *glui_Flecha = nullptr, *glui_Giro = nullptr;
GLUI_Listbox* glui_Modulo = nullptr;
GLUI_RadioGroup* glui_Elementos = nullptr;
GLUI_RadioButton *glui_Fondo = nullptr, *glui_Engranaje = nullptr, *glui_Cremallera = nullptr,
                 *glui_C_Fondo = nullptr, *glui_C_Paso = nullptr;
GLUI_Spinner *glui_Rojo = nullptr, *glui_Verde = nullptr, *glui_Azul = nullptr;
GLUI_Button *glui_Clear = nullptr, *glui_Ant = nullptr, *glui_AutoOnOff = nullptr, *glui_Sig = nullptr;
GLUI_Button* glui_NuevoCorte = nullptr;
GLUI_Progress* glui_Progreso = nullptr;
GLUI_Checkbox *glui_ISO = nullptr, *glui_C_Asimetria = nullptr, *glui_C_Flecha = nullptr, *glui_CPaso = nullptr,
              *glui_CFondo = nullptr;
GLUI_StaticText* informa = nullptr;
GLUI_Rollout* glui_Ayudas = nullptr;
GLUI_Checkbox *glui_CBase = nullptr, *glui_CEvolvente = nullptr;
GLUI_Listbox* glui_Velocidad = nullptr;
GLUI_Button* glui_Terminar = nullptr;
GLUI_RadioButton *glui_C_Base = nullptr, *glui_Evolvente = nullptr;
GLUI_StaticText* informa_x = nullptr;
GLUI_StaticText* informa_espesor = nullptr;
GLUI_StaticText *informa_cabeza = nullptr, *informa_anterior = nullptr;
GLUI_Checkbox* glui_CFantasma = nullptr;

namespace {

// The handles of a panel's controls, of either mode: a panel of the other mode leaves them unset,
// and a closed panel's controls are freed.
void olvidar_controles() {
    glui_iso = glui_experimental = glui_asimetrico = glui_circular = nullptr;
    glui_Color = nullptr;
    glui_opciones = glui_boton = glui_zoom = nullptr;
    glui_Dientes = glui_Modulo_T = glui_RPaso = glui_RCabeza = glui_RBase = glui_Angulo = glui_Penetracion =
        glui_radio = glui_depresion = glui_Angulo_2 = glui_Flecha = glui_Giro = nullptr;
    glui_Modulo = nullptr;
    glui_Elementos = nullptr;
    glui_Fondo = glui_Engranaje = glui_Cremallera = glui_C_Fondo = glui_C_Paso = nullptr;
    glui_Rojo = glui_Verde = glui_Azul = nullptr;
    glui_Clear = glui_Ant = glui_AutoOnOff = glui_Sig = nullptr;
    glui_NuevoCorte = nullptr;
    glui_Progreso = nullptr;
    glui_ISO = glui_C_Asimetria = glui_C_Flecha = glui_CPaso = glui_CFondo = nullptr;
    glui_Ayudas = nullptr;
    glui_CBase = glui_CEvolvente = nullptr;
    glui_Velocidad = nullptr;
    glui_Terminar = nullptr;
    glui_C_Base = glui_Evolvente = nullptr;
    informa_x = nullptr;
    informa_espesor = nullptr;
    informa_cabeza = informa_anterior = nullptr;
    glui_CFantasma = nullptr;
    glui_Engrane = nullptr;
    glui_EngraneCon = nullptr;
    glui_EngraneDientes = glui_EngraneDesplazamiento = glui_EngraneDistancia = nullptr;
    glui_VerEngrane = nullptr;
    glui_LecturaEngrane = nullptr;
}

}  // namespace

void estado_inicial() {
    modelo_inicial();
    olvidar_corte_anterior();
    engrane_inicial();
    olvidar_controles();
    glui = v_glui = nullptr;
    glui_firma = glui_datos = nullptr;
    informa = nullptr;
}

bool panel_abierto() { return v_glui != nullptr; }

bool panel_vivo() {
    if (!v_glui) return false;
    for (auto& w : GLUI_Master.windows())
        if (w.get() == v_glui) return !v_glui->closing();
    return false;
}

namespace {

void salir_programa(int codigo) { std::exit(codigo); }

// A data field of the open panel's mode, built from its row of the table, showing its initial value.
GLUI_EditText* campo_de_texto(GLUI_Panel* panel, IdControl id) {
    const Campo& c = *campo_de(id, QueSimula);
    GLUI_EditText* e =
        v_glui->add_edittext_to_panel(panel, etiqueta_de(c).c_str(),
                                      c.tipo == TipoCampo::Entero ? GLUI_EDITTEXT_INT : GLUI_EDITTEXT_FLOAT, nullptr,
                                      id, v_glui_control);
    mostrar_inicial(id);
    return e;
}

// The standard module list, showing its first entry.
GLUI_Listbox* lista_de_modulos(GLUI_Panel* panel) {
    const Campo& c = *campo_de(ID_MODULO, SIMULACION_ESTANDAR);
    GLUI_Listbox* l = v_glui->add_listbox_to_panel(panel, etiqueta_de(c).c_str(), nullptr, ID_MODULO, v_glui_control);
    for (int i = 0; i < NUM_MODULOS; ++i) l->add_item(i, MODULO[i]);
    mostrar_inicial(ID_MODULO);
    return l;
}

// Teaching aids, in a rollout of their own that starts closed so that the panel looks as
// without them: the overlays, the pace of the cut and the button that completes it.
void construir_ayudas() {
    glui_Ayudas = v_glui->add_rollout(_("Ayudas"), 0, GLUI_PANEL_EMBOSSED);
    // The controls in two columns, the measured tooth and the keys on lines of their own under them.
    GLUI_Panel* controles = v_glui->add_panel_to_panel(glui_Ayudas, "", GLUI_PANEL_NONE);
    glui_CBase = v_glui->add_checkbox_to_panel(controles, _("Circunferencia base"), &C_Base_ON, ID_CIRC_BASE,
                                               v_glui_control);
    glui_CBase->set_int_val(0);
    glui_CEvolvente = v_glui->add_checkbox_to_panel(controles, _("Evolvente teorica"), &C_Evolvente_ON, ID_EVOLVENTE,
                                                    v_glui_control);
    glui_CEvolvente->set_int_val(0);
    v_glui->add_column_to_panel(controles, 0);
    glui_Terminar = v_glui->add_button_to_panel(controles, _("Terminar"), ID_TERMINAR, v_glui_control);
    glui_CFantasma = v_glui->add_checkbox_to_panel(glui_Ayudas, _("Comparar con el corte anterior"), &C_Fantasma_ON,
                                                   ID_FANTASMA, v_glui_control);
    glui_CFantasma->set_int_val(0);
    informa_espesor = v_glui->add_statictext_to_panel(glui_Ayudas, "");
    informa_cabeza = v_glui->add_statictext_to_panel(glui_Ayudas, "");
    informa_anterior = v_glui->add_statictext_to_panel(glui_Ayudas, "");
    for (const char* linea : TEXTO_TECLAS) v_glui->add_statictext_to_panel(glui_Ayudas, _(linea));
}

// The motion buttons in two columns, "Nuevo corte" under "Reiniciar" and the speed under
// "Automatico", and the progress bar across both under them.
void construir_movimiento() {
    glui_boton = v_glui->add_panel_to_panel(glui_opciones, _("Control de movimiento"), GLUI_PANEL_EMBOSSED);
    GLUI_Panel* botones = v_glui->add_panel_to_panel(glui_boton, "", GLUI_PANEL_NONE);
    glui_Clear = v_glui->add_button_to_panel(botones, _("Reiniciar"), ID_REINICIAR, v_glui_control);
    glui_NuevoCorte = v_glui->add_button_to_panel(botones, _("Nuevo corte"), ID_NUEVO_CORTE, v_glui_control);
    glui_Ant = v_glui->add_button_to_panel(botones, _("<< Anterior"), ID_ANTERIOR, v_glui_control);
    v_glui->add_column_to_panel(botones, 0);
    glui_AutoOnOff = v_glui->add_button_to_panel(botones, _("Automatico"), ID_AUTOMATICO, v_glui_control);
    glui_Velocidad = v_glui->add_listbox_to_panel(botones, _("Velocidad"), nullptr, ID_VELOCIDAD, v_glui_control);
    for (int pasos : PASOS_VELOCIDAD) glui_Velocidad->add_item(pasos, ("x" + std::to_string(pasos)).c_str());
    valor_entero(ID_VELOCIDAD) = Velocidad;
    glui_Sig = v_glui->add_button_to_panel(botones, _("Siguiente >>"), ID_SIGUIENTE, v_glui_control);
    glui_Progreso = v_glui->add_progress_to_panel(glui_boton);
}

}  // namespace

void construir_dialogo() {
    glui = GLUI_Master.create_glui("Ortanel", 0, -1, -1);
    glui_firma = glui->add_panel(_("Ortanel - Tallado de engranajes por generacion"), GLUI_PANEL_EMBOSSED);
    glui->add_statictext_to_panel(glui_firma, _("Programa:"));
    glui->add_statictext_to_panel(glui_firma, _("     Ortanel, simulador del tallado"));
    glui->add_statictext_to_panel(glui_firma, _("     de engranajes rectos con cremallera"));
    glui->add_column_to_panel(glui_firma, 1);
    glui->add_statictext_to_panel(glui_firma, _("Asignatura:"));
    glui->add_statictext_to_panel(glui_firma, _("     Teoria de Maquinas y Mecanismos"));
    glui->add_statictext_to_panel(glui_firma, _("     Engranajes: generacion del perfil"));
    glui->add_column_to_panel(glui_firma, 1);
    glui->add_statictext_to_panel(glui_firma, "");
    glui->add_statictext_to_panel(glui_firma, _("Version 2.01"));

    glui->add_statictext("");
    glui->add_separator();
    glui->add_statictext("");

    glui_datos = glui->add_panel(_("Forma de realizar la simulacion"), GLUI_PANEL_EMBOSSED);
    glui->add_button_to_panel(glui_datos, _("Simulacion estandar"), SIMULACION_ESTANDAR, glui_control);
    glui->add_statictext_to_panel(glui_datos, _("    Realiza una simulacion del tallado de un engranaje recto siendo"));
    glui->add_statictext_to_panel(glui_datos, _("            conocido el numero de dientes y el diametro primitivo."));
    glui->add_statictext_to_panel(glui_datos, "");
    glui->add_button_to_panel(glui_datos, _("Simulacion experimental"), SIMULACION_EXPERIMENTAL, glui_control);
    glui->add_statictext_to_panel(glui_datos,
                                  _(" Realiza una simulacion del tallado de un engranaje recto definiendo"));
    glui->add_statictext_to_panel(glui_datos, _("                    los parametros del perfil de la cremallera."));

    glui->add_statictext("");
    glui->add_button(_("Salir"), 0, salir_programa);
    // The window manager's close button does what "Salir" does.
    glui->set_close_callback(salir_programa, 0);
    informa = glui->add_statictext("");
    glui->set_main_gfx_window(winIdMain);
}

float inicial(IdControl id) {
    const Campo* c = campo_de(id, QueSimula);
    return c ? c->inicial : 0.0f;
}

void mostrar_inicial(IdControl id) {
    const Campo* fila = campo_de(id, QueSimula);
    if (!fila) return;
    if (fila->tipo == TipoCampo::Real) valor_real(id) = fila->inicial;
    else valor_entero(id) = static_cast<int>(fila->inicial);
}

void datos_iniciales() {
    Z = inicial(ID_DIENTES);
    Rp = inicial(ID_DIAMETRO_PRIMITIVO) / 2;
    Rc = inicial(ID_DIAMETRO_EXTERIOR) / 2;
    Rb = inicial(ID_DIAMETRO_INTERIOR) / 2;
    Angulo = inicial(ID_ANGULO);
    Penetracion = 0;
    modelo.rueda.coeficiente = inicial(ID_DESPLAZAMIENTO);
    E_incremento = inicial(ID_GIRO);
}

void prueba_socavacion() {
    bool socava = coeficiente_desplazamiento() < desplazamiento_minimo(Z, Angulo);
    modelo.panel.aviso = socava ? _(TEXTO_SOCAVACION) : "";
    modelo.panel.aviso_x = socava ? texto_desplazamiento_minimo(Z, Angulo) : " ";
}

std::string texto_desplazamiento_minimo(double z, double angulo_grados) {
    // Rounded up to the thousandth shown, a little above the least shift, so that typing
    // what is shown clears the warning.
    double x = std::ceil((desplazamiento_minimo(z, angulo_grados) + 1e-6) * 1000.0) / 1000.0;
    return formato(_("Desplazamiento minimo x = %.3f"), x);
}

std::string texto_progreso(int grados, int paso) {
    return formato(_("%d de 360 grados - paso %d"), grados, paso);
}

std::string texto_espesor(double medido, double teorico) {
    return formato(_("Espesor en la primitiva: %.3f (teorico %.3f)"), medido, teorico);
}

namespace {

void poner_texto(GLUI_StaticText* t, const std::string& texto) {
    if (t && t->get_text() != texto) t->set_text(texto.c_str());
}

}  // namespace

void mostrar_espesor() {
    if (!informa_espesor || !panel_vivo()) return;
    auto poner = poner_texto;
    poner(informa_anterior, C_Fantasma_ON != 0 ? texto_corte_anterior() : "");
    // Measured once when the cut ends: the outline does not change until it is undone.
    MedidaCorte m;
    if (!medida_del_corte(m)) {
        poner(informa_espesor, "");
        poner(informa_cabeza, "");
        return;
    }
    poner(informa_espesor, texto_espesor(m.espesor_primitiva, m.teorico_primitiva));
    poner(informa_cabeza, texto_espesor_cabeza(m.espesor_cabeza, m.modulo));
}

// The tooth is p/2 thick on the rolling line, Rp - Rb below its tips: at the tip line it is
// p/2 - 2(Rp - Rb)·tan a wide (a the larger flank angle), and two tip circles of radius r
// need 2r(1 - sin a)/cos a of it.
float radio_maximo_iso() {
    float a = Angulo > Angulo_2 ? static_cast<float>(Angulo * PI / 180.0) : static_cast<float>(Angulo_2 * PI / 180.0);
    float r = static_cast<float>((Paso * std::cos(a) - 4.0 * (Rp - Rb) * std::sin(a)) / (4.0 * (1.0 - std::sin(a))));
    return r < 0 ? 0.0f : r;
}

// The relieved flank meets the root line below the tip circle's outermost point at this relief:
// it depends on the heights and the angle only, not on where the tooth is p/2 thick.
float depresion_maxima_iso(float radio) {
    float a = Angulo > Angulo_2 ? static_cast<float>(Angulo * PI / 180.0) : static_cast<float>(Angulo_2 * PI / 180.0);
    if (a <= 0) return 0.0f;
    return static_cast<float>(radio * (1.0 - std::sin(a) - std::cos(a)) + (Rc - Rb) * std::sin(a));
}

void glui_control(int ch) {
    olvidar_controles();
    QueSimula = ch;
    // A fresh panel: its values are set below, every group of controls in use but the relief.
    modelo.panel = EstadoPanel{};
    // The controls of one mode only: a panel of the other mode built before left them freed.
    glui_Modulo = nullptr;
    glui_Modulo_T = nullptr;
    glui_zoom = nullptr;
    glui_iso = glui_experimental = glui_asimetrico = glui_circular = nullptr;
    glui_ISO = glui_C_Asimetria = glui_C_Flecha = nullptr;
    glui_radio = glui_depresion = glui_Angulo_2 = glui_Flecha = nullptr;
    informa_x = nullptr;
    informa_espesor = nullptr;
    informa_cabeza = informa_anterior = nullptr;
    glui_Engrane = nullptr;
    glui_EngraneCon = nullptr;
    glui_EngraneDientes = glui_EngraneDesplazamiento = glui_EngraneDistancia = nullptr;
    glui_VerEngrane = nullptr;
    glui_LecturaEngrane = nullptr;
    bool estandar = QueSimula == SIMULACION_ESTANDAR;
    bool experimental = QueSimula == SIMULACION_EXPERIMENTAL;
    glui->hide();
    plataforma().mostrar_ventana();
    v_glui = GLUI_Master.create_glui_subwindow(winIdMain, GLUI_SUBWINDOW_LEFT);

    glui_datos = v_glui->add_panel(_("Datos"), GLUI_PANEL_EMBOSSED);
    glui_Dientes = campo_de_texto(glui_datos, ID_DIENTES);
    if (estandar) glui_Modulo = lista_de_modulos(glui_datos);
    if (experimental) glui_Modulo_T = campo_de_texto(glui_datos, ID_MODULO);
    glui_RPaso = campo_de_texto(glui_datos, ID_DIAMETRO_PRIMITIVO);
    glui_RCabeza = campo_de_texto(glui_datos, ID_DIAMETRO_EXTERIOR);
    glui_RBase = campo_de_texto(glui_datos, ID_DIAMETRO_INTERIOR);
    glui_Angulo = campo_de_texto(glui_datos, ID_ANGULO);
    glui_Penetracion = campo_de_texto(glui_datos, ID_DESPLAZAMIENTO);
    datos_iniciales();
    if (estandar) {
        v_glui->add_statictext_to_panel(glui_datos, " ");
        informa = v_glui->add_statictext_to_panel(glui_datos, "");
        informa->set_color(COLOR_AVISO[0], COLOR_AVISO[1], COLOR_AVISO[2]);
        informa_x = v_glui->add_statictext_to_panel(glui_datos, " ");
        prueba_socavacion();
    }

    if (experimental) {
        glui_iso = v_glui->add_panel("ISO 6336", GLUI_PANEL_EMBOSSED);
        glui_ISO = v_glui->add_checkbox_to_panel(glui_iso, _("Mostrar / Ocultar"), &C_ISO, -1, GLUI_CB());
        glui_ISO->set_int_val(1);
        glui_radio = campo_de_texto(glui_iso, ID_RADIO_CABEZA);
        glui_depresion = campo_de_texto(glui_iso, ID_DEPRESION);

        glui_experimental = v_glui->add_panel(_("Experimental"), GLUI_PANEL_EMBOSSED);
        glui_asimetrico = v_glui->add_panel_to_panel(glui_experimental, _("Diente asimetrico"), GLUI_PANEL_EMBOSSED);
        glui_C_Asimetria = v_glui->add_checkbox_to_panel(glui_asimetrico, _("Mostrar / Ocultar"), &C_Asimetria, -1,
                                                         GLUI_CB());
        glui_C_Asimetria->set_int_val(0);
        glui_Angulo_2 = campo_de_texto(glui_asimetrico, ID_ANGULO_2);
        Angulo_2 = inicial(ID_ANGULO_2);
        v_glui->add_column_to_panel(glui_experimental, 0);
        glui_circular = v_glui->add_panel_to_panel(glui_experimental, _("Deformacion circular"), GLUI_PANEL_EMBOSSED);
        glui_C_Flecha = v_glui->add_checkbox_to_panel(glui_circular, _("Mostrar / Ocultar"), &C_Flecha, -1, GLUI_CB());
        glui_C_Flecha->set_int_val(1);
        glui_Flecha = campo_de_texto(glui_circular, ID_FLECHA);
    }

    glui_Color = v_glui->add_rollout(_("Seleccion del color"), 1, GLUI_PANEL_EMBOSSED);
    glui_Elementos = v_glui->add_radiogroup_to_panel(glui_Color, nullptr, ID_ELEMENTO_COLOR, v_glui_control);
    glui_Fondo = v_glui->add_radiobutton_to_group(glui_Elementos, _("Fondo de la ventana"));
    glui_Engranaje = v_glui->add_radiobutton_to_group(glui_Elementos, _("Engranaje"));
    glui_Cremallera = v_glui->add_radiobutton_to_group(glui_Elementos, _("Cremallera"));
    glui_C_Fondo = v_glui->add_radiobutton_to_group(glui_Elementos, _("Circunferencia de fondo"));
    glui_C_Paso = v_glui->add_radiobutton_to_group(glui_Elementos, _("Circunferencia de paso"));
    v_glui->add_column_to_panel(glui_Color, 1);
    valor_entero(ID_ELEMENTO_COLOR) = 0;
    // The spinners edit the element the radio group shows, starting from its colour.
    QueObjeto = 0;
    glui_Rojo = v_glui->add_spinner_to_panel(glui_Color, _("Rojo"), GLUI_SPINNER_FLOAT, nullptr, ID_ROJO, v_glui_control);
    glui_Rojo->set_float_limits(0.0f, 1.0f, GLUI_LIMIT_CLAMP);
    glui_Rojo->set_speed(1.0f);
    glui_Verde = v_glui->add_spinner_to_panel(glui_Color, _("Verde"), GLUI_SPINNER_FLOAT, nullptr, ID_VERDE, v_glui_control);
    glui_Verde->set_float_limits(0.0f, 1.0f, GLUI_LIMIT_CLAMP);
    glui_Verde->set_speed(1.0f);
    glui_Azul = v_glui->add_spinner_to_panel(glui_Color, _("Azul"), GLUI_SPINNER_FLOAT, nullptr, ID_AZUL, v_glui_control);
    glui_Azul->set_float_limits(0.0f, 1.0f, GLUI_LIMIT_CLAMP);
    glui_Azul->set_speed(1.0f);
    // The overlays' colours, under the spinners: always there, so that switching an overlay
    // moves nothing, and usable while their overlay is shown.
    glui_C_Base = v_glui->add_radiobutton_to_group(glui_Elementos, _("Circunferencia base"), glui_Color);
    glui_C_Base->disable();
    glui_Evolvente = v_glui->add_radiobutton_to_group(glui_Elementos, _("Evolvente"), glui_Color);
    glui_Evolvente->disable();
    valor_real(ID_ROJO) = ColorFondo[0];
    valor_real(ID_VERDE) = ColorFondo[1];
    valor_real(ID_AZUL) = ColorFondo[2];

    glui_opciones = v_glui->add_panel(_("Opciones"), GLUI_PANEL_EMBOSSED);
    glui_Giro = campo_de_texto(glui_opciones, ID_GIRO);
    E_incremento = inicial(ID_GIRO);
    construir_movimiento();
    glui_CPaso = v_glui->add_checkbox_to_panel(glui_opciones, _("Circunferencia de paso"), &C_Paso_ON, -1, GLUI_CB());
    glui_CPaso->set_int_val(1);
    glui_CFondo = v_glui->add_checkbox_to_panel(glui_opciones, _("Circunferencia de fondo"), &C_Fondo_ON, -1, GLUI_CB());
    glui_CFondo->set_int_val(1);
    if (estandar) {
        glui_zoom = v_glui->add_panel_to_panel(glui_opciones, _("Control de imagen"), GLUI_PANEL_EMBOSSED);
        v_glui->add_translation_to_panel(glui_zoom, "X", GLUI_TRANSLATION_X, &trans[0], -1, GLUI_CB());
        v_glui->add_column_to_panel(glui_zoom, 0);
        v_glui->add_translation_to_panel(glui_zoom, "Y", GLUI_TRANSLATION_Y, &trans[1], -1, GLUI_CB());
        v_glui->add_column_to_panel(glui_zoom, 0);
        v_glui->add_translation_to_panel(glui_zoom, "Z", GLUI_TRANSLATION_Z, &trans[2], -1, GLUI_CB());
    }
    construir_exportar(v_glui);
    construir_ayudas();
    // The experimental panel has no room left for its header at 660 pixels.
    if (estandar) construir_engrane(v_glui);
    v_glui->add_button(_("Salir"), ID_SALIR, v_glui_control);

    Origen = static_cast<float>(-2.0 * (Rc - Rb) - Rc);
    C_Paso_Y = Penetracion > 0 ? static_cast<float>(2.0 * (Rc - Rb) / 10.0)
                               : static_cast<float>((2.0 * (Rc - Rb) + Penetracion) / 10.0);
    Paso = static_cast<float>(Rp * DOS_PI / Z);
    // A fresh zero-filled history; the previous panel's one is released.
    C_Historia_X.assign(static_cast<size_t>(entradas_historia(E_incremento)), 0.0f);
    C_Mueve = APROXIMACION;
    // The mesh's distance and read-out from the data now complete.
    actualizar_engrane();

    v_glui->set_main_gfx_window(winIdMain);
    GLUI_Master.auto_set_viewport();
    sincronizar_panel();
}

namespace {

void habilitar(GLUI_Control* c, bool si) {
    if (c && c->enabled() != si) si ? c->enable() : c->disable();
}

bool tiene_valor(const GLUI_Control& c) {
    switch (c.kind()) {
        case GLUI_Kind::EditText: return static_cast<const GLUI_EditText&>(c).data_type() != GLUI_EDITTEXT_TEXT;
        case GLUI_Kind::Listbox:
        case GLUI_Kind::RadioGroup:
        case GLUI_Kind::Spinner: return true;
        default: return false;
    }
}

bool es_entero(const GLUI_Control& c) {
    if (c.kind() == GLUI_Kind::EditText) return static_cast<const GLUI_EditText&>(c).data_type() == GLUI_EDITTEXT_INT;
    return c.kind() != GLUI_Kind::Spinner;
}

// The value, when it differs from the one shown (a NaN is the same as a NaN).
void mostrar_valor(GLUI_Control& c, const EstadoPanel::Valor& v) {
    if (es_entero(c)) {
        if (c.get_int_val() != v.entero) c.set_int_val(v.entero);
    } else {
        float a = c.get_float_val();
        bool igual = a == v.real || (std::isnan(a) && std::isnan(v.real));
        if (!igual) c.set_float_val(v.real);
    }
}

std::string ultimo_titulo;

}  // namespace

void sincronizar_panel() {
    if (panel_vivo()) {
        for (auto& c : v_glui->controls())
            if (tiene_valor(*c))
                if (const EstadoPanel::Valor* v = valor_de(c->get_id())) mostrar_valor(*c, *v);
        const EstadoPanel& p = modelo.panel;
        // Boxes before what they hold: enabling a box enables everything inside it.
        habilitar(glui_iso, p.iso);
        habilitar(glui_asimetrico, p.asimetrico);
        habilitar(glui_circular, p.circular);
        for (GLUI_Control* c : {static_cast<GLUI_Control*>(glui_ISO), static_cast<GLUI_Control*>(glui_radio)})
            habilitar(c, p.iso);
        habilitar(glui_depresion, p.depresion);
        habilitar(glui_C_Asimetria, p.asimetrico);
        habilitar(glui_Angulo_2, p.asimetrico);
        habilitar(glui_C_Flecha, p.circular);
        habilitar(glui_Flecha, p.flecha);
        for (GLUI_Control* c : {static_cast<GLUI_Control*>(glui_Dientes), static_cast<GLUI_Control*>(glui_RPaso),
                                static_cast<GLUI_Control*>(glui_RCabeza), static_cast<GLUI_Control*>(glui_RBase),
                                static_cast<GLUI_Control*>(glui_Angulo), static_cast<GLUI_Control*>(glui_Giro),
                                static_cast<GLUI_Control*>(glui_Penetracion), static_cast<GLUI_Control*>(glui_Modulo),
                                static_cast<GLUI_Control*>(glui_Modulo_T)})
            habilitar(c, p.datos);
        habilitar(glui_Sig, siguiente_habilitado());
        habilitar(glui_Ant, anterior_habilitado());
        habilitar(glui_AutoOnOff, automatico_habilitado());
        std::string nombre = Stop == 0 ? _("Manual") : _("Automatico");
        if (glui_AutoOnOff && glui_AutoOnOff->get_name() != nombre) glui_AutoOnOff->set_name(nombre.c_str());
        habilitar(glui_NuevoCorte, hay_corte());
        habilitar(glui_Terminar, corte_en_curso());
        // The standard panel's warning lines (the experimental panel has none).
        if (QueSimula == SIMULACION_ESTANDAR) {
            poner_texto(informa, p.aviso);
            poner_texto(informa_x, p.aviso_x);
        }
        // The overlays' colour entries can be chosen while their overlay is shown.
        habilitar(glui_C_Base, C_Base_ON != 0);
        habilitar(glui_Evolvente, C_Evolvente_ON != 0);
        // The progress stays shown at the end: the last rolling step is past 360 degrees.
        if (glui_Progreso) {
            int grados = static_cast<int>(std::clamp(static_cast<double>(E_angulo), 0.0, 360.0));
            glui_Progreso->set_progress(static_cast<float>(grados / 360.0), texto_progreso(grados, Conta_h - 1));
        }
        mostrar_espesor();
        sincronizar_engrane();
        v_glui->sync_live();
    }
    std::string t = titulo_principal();
    if (t != ultimo_titulo) {
        ultimo_titulo = t;
        plataforma().poner_titulo(t.c_str());
    }
}

void leer_control(int id) {
    if (!v_glui) return;
    for (auto& c : v_glui->controls())
        if (c->get_id() == id && tiene_valor(*c)) {
            modelo.panel.valores[id] = {c->get_int_val(), c->get_float_val()};
            return;
        }
}

void rechazar_control(int id) {
    if (!v_glui) return;
    for (auto& c : v_glui->controls())
        if (c->get_id() == id) c->revert_user_value();
}

void volver_al_dialogo() {
    plataforma().ocultar_ventana();
    // The panel's controls are freed when the closed window is removed: nothing keeps its handle.
    v_glui->close();
    v_glui = nullptr;
    informa = nullptr;  // the standard panel's warning line goes with the panel
    glui->show();
}
