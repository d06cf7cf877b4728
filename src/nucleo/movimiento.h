// The cutting motion: a state machine advanced one move per idle call.
#pragma once

#include <string>

// The idle callback: at most one forward move (automatic mode or a pending step
// forwards), then one backward move if a step backwards is pending, then a
// redisplay of the main window. Nothing at all while no panel is open.
// In automatic mode it makes Velocidad forward moves per call, and a press of "Siguiente >>"
// asks for Velocidad moves made over as many calls (one of them at Velocidad 1).
void idle();

// Runs the forward moves of the automatic cut, one after another and without frames,
// until the cut has ended (state TERMINADO); the panel ends as after an automatic cut.
// A cut that cannot end (no rolling distance) stops after a bound.
void completar_corte();

// One forward move of the motion, as the automatic cut makes it, with no frame.
void mover_adelante();

// The cut has started (the rack made its first approach move, or more) and has not ended.
bool corte_en_curso();

// The main window's title: "Ortanel - Simulacion estandar" (or experimental), followed during a cut
// by " - N de 360 grados".
std::string titulo_principal();

// "Terminar" enabled exactly while the cut is under way, the measured tooth once it has
// ended, and the title of the main window, each touched only when it changes.
void actualizar_control_corte();

// The rolling distance per step: the arc Rp·E_incremento (in radians) of the pitch circle.
float paso_rodadura();
