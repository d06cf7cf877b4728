// The start dialog and the control panel beside the drawing area.
#pragma once

#include <string>

#include "campos.h"
#include "glui/glui.h"

// Builds the start dialog (a stand-alone window) with its credits, the two ways
// of simulating and "Salir"; leaves the main window current.
void construir_dialogo();

// Callback of the start dialog's buttons: ch is 100 (standard) or 110 (experimental).
// Hides the dialog, shows the main window and builds the panel with its defaults.
void glui_control(int ch);

// The profile-shift coefficient the shift stands for: -Penetracion in modules of Paso/π.
double coeficiente_desplazamiento();

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

// Shows in a data field of the open panel the initial value of its row; other controls are left alone.
void mostrar_inicial(GLUI_Control* c);

// The gear data the panel opens with and "Reiniciar" brings back: teeth, the three diameters
// halved, the pressure angle, no shift, the turn per step.
void datos_iniciales();
// Dark red of the undercut warning.
constexpr float COLOR_AVISO[3] = {0.65f, 0.0f, 0.0f};

// The line of the measured tooth: the mean thickness on the pitch circle of the cut
// outline against the textbook m(π/2 + 2x·tanα); shown once the cut has ended, empty
// while it is under way or undone.
std::string texto_espesor(double medido, double teorico);
void mostrar_espesor();

// Limits of the ISO tip radius and flank relief for the present data.
float radio_maximo_iso();
float depresion_maxima_iso(float radio);
