// The start dialog and the control panel beside the drawing area.
#pragma once

#include <string>

// Builds the start dialog (a stand-alone window) with its credits, the two ways
// of simulating and "Salir"; leaves the main window current.
void construir_dialogo();

// Callback of the start dialog's buttons: ch is 100 (standard) or 110 (experimental).
// Hides the dialog, shows the main window and builds the panel with its defaults.
void glui_control(int ch);

// Shows or clears the undercut warning of the standard panel, and under it the least shift
// coefficient that avoids the undercut.
void prueba_socavacion();

// The least shift coefficient without undercut, 1 - (z/2)·sin²α, and its line in the panel.
double desplazamiento_minimo_x(double z, double angulo_grados);
std::string texto_desplazamiento_minimo(double z, double angulo_grados);

// Identifiers of the teaching aids' controls, and the moves per frame the speed list offers.
constexpr int ID_TERMINAR = 1300, ID_VELOCIDAD = 1310, ID_CIRC_BASE = 1320, ID_EVOLVENTE = 1330;
constexpr int PASOS_VELOCIDAD[] = {1, 2, 5, 10, 50};
// Dark red of the undercut warning.
constexpr float COLOR_AVISO[3] = {0.65f, 0.0f, 0.0f};

// Limits of the ISO tip radius and flank relief for the present data.
float radio_maximo_iso();
float depresion_maxima_iso(float radio);
