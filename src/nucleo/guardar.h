// The panel's "Exportar" rollout: a file name that follows the data until the user
// types one, a "Guardar" button that saves the cut as it stands, beside it "Guardar
// animacion" that writes the whole cut as an animated GIF, and a line saying where the
// file went, how far the animation is, or why it could not be written.
#pragma once

#include <string>

#include "campos.h"
#include "glui/glui.h"


extern GLUI_Rollout* glui_exportar;
extern GLUI_EditText* glui_Archivo;
extern GLUI_Button* glui_Guardar;
extern GLUI_Button* glui_GuardarAnimacion;
extern GLUI_StaticText* glui_Exportado;
// The page of a PDF: 0 fitted round the drawing, 1 the A4 handout at 1:1 when it fits,
// 2 the A4 handout at the largest scale that fits.
extern GLUI_Listbox* glui_Hoja;

// Adds the rollout, closed, to the panel.
void construir_exportar(GLUI* panel);

// Puts the default name in the field when the field still shows a default name (a PDF's
// when an A4 page is chosen).
void seguir_nombre();

// "Guardar": writes the file named in the field (relative to the current directory).
void guardar_desde_panel();

// "Guardar animacion": the GIF of the present data at the field's name with its extension
// made ".gif", written off the event loop by a child process that takes a copy of the whole
// program state (fork) and shares nothing with the frames after; its progress comes back
// through a pipe. The button is disabled while one is being written.
void guardar_animacion_desde_panel();

// Called once a frame: reads how far the animation being written is into the line under the
// buttons, and once it is done, where it went or why not. False when none is being written.
bool revisar_animacion();

// The name for the animation: `ruta` with its extension (if any) replaced by ".gif".
std::string nombre_animacion(const std::string& ruta);

// A text cut to at most n characters, keeping its end ("..." in front).
std::string final_de(const std::string& texto, size_t n);

// A text broken between words into lines of at most `ancho` characters, at most
// `maximo` lines; what does not fit ends in "...".
std::string en_renglones(const std::string& texto, size_t ancho, int maximo);
