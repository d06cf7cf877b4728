// The start dialog and the control panel beside the drawing area.
#pragma once

#include <string>

#include "idioma/idioma.h"
#include "campos.h"
#include "glui/glui.h"

// The windows: the start dialog (glui) and the control panel beside the drawing (v_glui).
extern GLUI* glui;
extern GLUI* v_glui;

// The panel's controls: only the panel's view writes them, from the model (sincronizar_panel).
extern GLUI_Panel *glui_firma, *glui_datos, *glui_iso, *glui_experimental, *glui_asimetrico, *glui_circular;
extern GLUI_Rollout* glui_Color;
extern GLUI_Panel *glui_opciones, *glui_boton, *glui_zoom;
extern GLUI_EditText *glui_Dientes, *glui_Modulo_T, *glui_RPaso, *glui_RCabeza, *glui_RBase, *glui_Angulo,
    *glui_Penetracion, *glui_radio, *glui_depresion, *glui_Angulo_2, *glui_Flecha, *glui_Giro;
extern GLUI_Listbox* glui_Modulo;
extern GLUI_RadioGroup* glui_Elementos;
extern GLUI_RadioButton *glui_Fondo, *glui_Engranaje, *glui_Cremallera, *glui_C_Fondo, *glui_C_Paso;
extern GLUI_Spinner *glui_Rojo, *glui_Verde, *glui_Azul;
extern GLUI_Button *glui_Clear, *glui_Ant, *glui_AutoOnOff, *glui_Sig;
// "Nuevo corte", beside "Reiniciar": enabled while there is a cut to leave.
extern GLUI_Button* glui_NuevoCorte;
// The progress bar under the motion buttons: degrees turned of 360 and the rolling step.
extern GLUI_Progress* glui_Progreso;
extern GLUI_Checkbox *glui_ISO, *glui_C_Asimetria, *glui_C_Flecha, *glui_CPaso, *glui_CFondo;
extern GLUI_StaticText* informa;
// Teaching aids: their rollout, the overlay check boxes, the speed list (beside "Automatico"), "Terminar",
// the colour list's entries of the overlays and the least-shift line under the undercut warning.
extern GLUI_Rollout* glui_Ayudas;
extern GLUI_Checkbox *glui_CBase, *glui_CEvolvente;
extern GLUI_Listbox* glui_Velocidad;
extern GLUI_Button* glui_Terminar;
extern GLUI_RadioButton *glui_C_Base, *glui_Evolvente;
extern GLUI_StaticText* informa_x;
// The measured tooth thickness once a cut has ended (empty otherwise).
extern GLUI_StaticText* informa_espesor;
// The read-out's tip thickness once a cut has ended, and the previous cut's data while compared.
extern GLUI_StaticText *informa_cabeza, *informa_anterior;
extern GLUI_Checkbox* glui_CFantasma;

// Puts the model back to its value at program start, with no previous cut and no mesh, and
// forgets every window and control.
void estado_inicial();

// Whether a control panel has been built and not closed.
bool panel_abierto();

// Whether the control panel is built and not closing: its control handles are valid.
bool panel_vivo();

// The open panel shows the model: each control's value (modelo.panel.valores), which controls
// take input, the button names, the warning lines, the progress, the measured tooth and the
// colour list's entries of the overlays; a control is touched only when it changes. Then the
// main window's title, panel or not.
void sincronizar_panel();

// The value the user gave the panel's control with this id, copied into the model
// (modelo.panel.valores) for the command to read; controls bound to a model variable and
// controls without a value are left alone.
void leer_control(int id);

// The panel's control with this id shows again the value it held before the user's last
// input, marked as refused.
void rechazar_control(int id);

// Hides the main window, closes the panel and shows the start dialog.
void volver_al_dialogo();

// Builds the start dialog (a stand-alone window) with its credits, the two ways
// of simulating and "Salir"; leaves the main window current.
void construir_dialogo();

// Callback of the start dialog's buttons: ch is 100 (standard) or 110 (experimental).
// Hides the dialog, shows the main window and builds the panel with its defaults.
void glui_control(int ch);

// Shows the undercut warning of the standard panel when the shift coefficient is below
// the least one that cuts no undercut, 1 - (Z/2)·sin²α; clears it otherwise. Under it, while
// the warning shows, the least coefficient itself.
void prueba_socavacion();

// The panel's line of the least shift coefficient without undercut.
std::string texto_desplazamiento_minimo(double z, double angulo_grados);

// The moves per frame the speed list offers.
constexpr int PASOS_VELOCIDAD[] = {1, 2, 5, 10, 50};

// The initial value of a data field of the open panel's mode, as its field shows it (0 for no such field).
float inicial(IdControl id);

// Sets the value a data field of the open panel's mode shows to the initial value of its
// row; an id with no row in the mode is left alone.
void mostrar_inicial(IdControl id);

// The gear data the panel opens with and "Reiniciar" brings back: teeth, the three diameters
// halved, the pressure angle, no shift, the turn per step.
void datos_iniciales();
// Dark red of the undercut warning.
constexpr float COLOR_AVISO[3] = {0.65f, 0.0f, 0.0f};

// The lines of the measured tooth: the mean thickness on the pitch circle of the cut
// outline against the textbook m(π/2 + 2x·tanα), and on the tip circle; shown once the cut
// has ended, empty while it is under way or undone. Under them the previous cut's data
// while it is compared.
std::string texto_espesor(double medido, double teorico);
void mostrar_espesor();

// The progress bar's text: degrees turned of 360 and the rolling step.
std::string texto_progreso(int grados, int paso);

// The keys of the drawing, as the "Ayudas" rollout lists them.
constexpr const char* TEXTO_TECLAS[] = {N_("Teclas: Espacio o Derecha = Siguiente >>,"),
                                        N_("Izquierda = << Anterior, a = Automatico,"),
                                        N_("t = Terminar, Inicio = vista inicial")};

// Limits of the ISO tip radius and flank relief for the present data.
float radio_maximo_iso();
float depresion_maxima_iso(float radio);
