// The cutting motion: a state machine advanced one move per idle call.
#pragma once

// The idle callback: at most one forward move (automatic mode or a pending step
// forwards), then one backward move if a step backwards is pending, then a
// redisplay of the main window. Nothing at all while no panel is open.
void idle();

// The rolling distance per step, Rp·sin(E_incremento), and the return step, Paso/10.
float paso_rodadura();
