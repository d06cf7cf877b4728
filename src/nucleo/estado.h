// Simulation state shared by every part of the program, under the names the
// panel, the motion and the drawing use. Floats are 32-bit; lengths are in the
// unit of the module, angles in degrees.
#pragma once

#include <vector>

#include "angulos.h"
#include "glui/glui.h"

// Ways of simulating chosen in the start dialog.
constexpr int SIMULACION_ESTANDAR = 100;
constexpr int SIMULACION_EXPERIMENTAL = 110;

// Motion states.
constexpr int APROXIMACION = 10, RODADURA = 11, RETIRADA = 12, RETORNO = 13, FINAL = 14, TERMINADO = 15;

// Drag kinds of the view navigation.
constexpr int MOVER_PAN = 7000, MOVER_ZOOM = 7010;

constexpr int NUM_MODULOS = 18;
extern const char* const MODULO[NUM_MODULOS];
extern const char* const TEXTO_SOCAVACION;

// Mode and selection
extern int QueSimula;
extern int QueObjeto;

// Gear and rack data
extern float Z, Rp, Rc, Rb, Paso, Angulo, Angulo_2, Penetracion;
extern float ISO_Radio, ISO_Depresion, Flecha;

// Values derived for the motion
extern float Origen, C_Paso_Y;

// Display switches (live variables of check boxes)
extern int C_ISO, C_Asimetria, C_Flecha, C_Paso_ON, C_Fondo_ON;
// Teaching overlays: the base circle and the theoretical involute of every flank, both off at start.
extern int C_Base_ON, C_Evolvente_ON;

// Colours
extern float ColorFondo[3], ColorEngranaje[3], ColorCremallera[3], ColorCirFondo[3], ColorCirPaso[3];
extern float ColorCirBase[3], ColorEvolvente[3];
extern const float ROJO[3], AZUL[3], AMARILLO[3], BLANCO[3], CIAN_CLARO[3], VERDE[3];

// Cutting motion
extern int C_Mueve, Stop, Movimiento, Primera_Vez, Diente, Conta_h;
extern float C_Contador, C_Y, C_X, C_Desplaza, C_Ultimo_X, E_angulo, E_incremento;
// Rack X after each rolling step; entry 0 is the start. Sized for one full turn at 1° a step.
extern std::vector<float> C_Historia_X;
// Motion moves per frame of the automatic cut and per press of "Siguiente >>" (1 at start).
extern int Velocidad;

// Rack data block passed to the rack drawing.
constexpr int NUM_DATOS = 12;
extern float C_Datos[NUM_DATOS];

// View
extern float trans[3];
extern int mouse_x, mouse_y, MoverGrafico;
extern int fin;

// Windows
extern int winIdMain;
extern GLUI* glui;
extern GLUI* v_glui;

// Control handles
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
extern GLUI_Checkbox *glui_ISO, *glui_C_Asimetria, *glui_C_Flecha, *glui_CPaso, *glui_CFondo;
extern GLUI_StaticText* informa;
// Teaching aids: their rollout, the overlay check boxes, the speed list, "Terminar",
// the colour list's entries of the overlays and the least-shift line under the undercut warning.
extern GLUI_Rollout* glui_Ayudas;
extern GLUI_Checkbox *glui_CBase, *glui_CEvolvente;
extern GLUI_Listbox* glui_Velocidad;
extern GLUI_Button* glui_Terminar;
extern GLUI_RadioButton *glui_C_Base, *glui_Evolvente;
extern GLUI_StaticText* informa_x;
// The measured tooth thickness once a cut has ended (empty otherwise).
extern GLUI_StaticText* informa_espesor;

// Puts every variable back to its value at program start (handles null, no history).
void estado_inicial();

// Whether the control panel is built and not closing: its control handles are valid.
bool panel_vivo();

// Number of history entries one full turn needs at the given increment.
int entradas_historia(float incremento);

// The colour the spinners edit for an element of the radio group, or null above 6.
float* color_de_objeto(int objeto);
