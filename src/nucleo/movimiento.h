// The cutting motion: a state machine advanced one move per idle call.
#pragma once

// The idle callback: at most one forward move (automatic mode or a pending step
// forwards), then one backward move if a step backwards is pending, then a
// redisplay of the main window. Nothing at all while no panel is open.
void idle();

// Runs the forward moves of the automatic cut, one after another and without frames,
// until the cut has ended (state TERMINADO); the panel ends as after an automatic cut.
void completar_corte();

// The rolling distance per step: the arc Rp·E_incremento (in radians) of the pitch circle.
float paso_rodadura();
