// The panel's "Engrane" rollout: what the cut gear meshes with (a second gear cut by the same
// rack, or the rack itself), its teeth and shift, the centre distance (a_w, following the data
// until one is typed), "Ver engrane" that shows the mesh in the drawing (finishing the cut first)
// and the read-out of the mesh. Values the mesh cannot take are refused as the command line
// refuses them, with the reason in the read-out. The rules write the model (the mesh's values,
// the rollout's controls' values in modelo.panel, the read-out); sincronizar_engrane shows it.
#pragma once

#include <string>

#include "glui/glui.h"

extern GLUI_Rollout* glui_Engrane;
extern GLUI_Listbox* glui_EngraneCon;
extern GLUI_EditText *glui_EngraneDientes, *glui_EngraneDesplazamiento, *glui_EngraneDistancia;
extern GLUI_Checkbox* glui_VerEngrane;
extern GLUI_StaticText* glui_LecturaEngrane;

// Adds the rollout, closed, to the panel, with the values at their start.
void construir_engrane(GLUI* panel);

// The command of the rollout's controls, their values already read into the model.
void engrane_control(int id);

// Once a frame and after each command: the distance follows a_w, the pair is asked for while the
// mesh is shown, the read-out says the mesh's figures or why it cannot be.
void actualizar_engrane();

// The read-out the rollout shows.
const std::string& lectura_del_engrane();

// The rollout shows the model: gear 2's fields take input only for a gear, the read-out.
void sincronizar_engrane();

// Leaves the mesh for the cut ("Nuevo corte"); with `valores_iniciales` the rollout's values go
// back to their start as well ("Reiniciar").
void salir_del_engrane(bool valores_iniciales);

// One frame's motion of the mesh: gear 1 turned by the speed's steps of the turn per cut, forwards
// in automatic mode or for "Siguiente >>", backwards for "<< Anterior".
void mover_engrane();
