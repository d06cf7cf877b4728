// The cutting motion: a state machine advanced one move per idle call.
#pragma once

#include <string>

// One frame of the motion: at most one forward move (automatic mode or a pending step
// forwards), then one backward move if a step backwards is pending.
// In automatic mode it makes Velocidad forward moves per call, and a press of "Siguiente >>"
// asks for Velocidad moves made over as many calls (one of them at Velocidad 1).
void avanzar();

// Runs the forward moves of the automatic cut, one after another and without frames,
// until the cut has ended (state TERMINADO), in manual mode as after an automatic cut.
// A cut that cannot end (no rolling distance) stops after a bound.
void completar_corte();

// One forward move of the motion, as the automatic cut makes it, with no frame.
void mover_adelante();

// The cut has started (the rack made its first approach move, or more) and has not ended.
bool corte_en_curso();

// The rack has moved since the start: there is a step to undo and a cut to leave.
bool hay_corte();

// The main window's title: "Ortanel - Simulacion estandar" (or experimental), followed during a cut
// by " - N de 360 grados".
std::string titulo_principal();

// The motion's buttons in use: "Siguiente >>" in manual mode until the rack has withdrawn
// after the last turn, "<< Anterior" in manual mode while there is a step to undo,
// "Automatico" until the cut has ended; with the mesh shown "Siguiente >>" in manual mode and
// "Automatico", which turn the pair.
bool siguiente_habilitado();
bool anterior_habilitado();
bool automatico_habilitado();

// The rolling distance per step: the arc Rp·E_incremento (in radians) of the pitch circle.
float paso_rodadura();
