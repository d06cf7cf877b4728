// The single callback of every panel control, keyed by the control's identifier.
#pragma once

void v_glui_control(int id);

// Puts the motion, the view and the data back to the panel defaults ("Reiniciar").
void reiniciar();
