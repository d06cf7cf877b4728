// The panel's "Exportar" rollout: a file name that follows the data until the user
// types one, a "Guardar" button that saves the cut as it stands, and a line saying
// where the file went or why it could not be written.
#pragma once

#include <string>

#include "campos.h"
#include "glui/glui.h"


extern GLUI_Rollout* glui_exportar;
extern GLUI_EditText* glui_Archivo;
extern GLUI_Button* glui_Guardar;
extern GLUI_StaticText* glui_Exportado;

// Adds the rollout, closed, to the panel.
void construir_exportar(GLUI* panel);

// Puts the default name in the field when the field still shows a default name.
void seguir_nombre();

// "Guardar": writes the file named in the field (relative to the current directory).
void guardar_desde_panel();

// A text cut to at most n characters, keeping its end ("..." in front).
std::string final_de(const std::string& texto, size_t n);

// A text broken between words into lines of at most `ancho` characters, at most
// `maximo` lines; what does not fit ends in "...".
std::string en_renglones(const std::string& texto, size_t ancho, int maximo);
