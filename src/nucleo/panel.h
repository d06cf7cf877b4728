// The start dialog and the control panel beside the drawing area.
#pragma once

// Builds the start dialog (a stand-alone window) with its credits, the two ways
// of simulating and "Salir"; leaves the main window current.
void construir_dialogo();

// Callback of the start dialog's buttons: ch is 100 (standard) or 110 (experimental).
// Hides the dialog, shows the main window and builds the panel with its defaults.
void glui_control(int ch);

// The profile-shift coefficient the shift stands for: -Penetracion in modules of Paso/π.
double coeficiente_desplazamiento();

// Shows the undercut warning of the standard panel when the shift coefficient is below
// the least one that cuts no undercut, 1 - (Z/2)·sin²α; clears it otherwise.
void prueba_socavacion();

// Limits of the ISO tip radius and flank relief for the present data.
float radio_maximo_iso();
float depresion_maxima_iso(float radio);
