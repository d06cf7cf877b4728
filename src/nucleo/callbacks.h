// The single callback of every panel control, keyed by the control's identifier.
#pragma once

// Every command: the control's value read into the model, the command's rules on the model, a
// value the rules cannot take refused (the model and the field put back as they were), then
// the panel shown from the model and the drawing redisplayed.
void v_glui_control(int id);

// The idle callback: one frame of the motion (avanzar), the panel shown from the model and a
// redisplay of the main window. Nothing at all while no panel is open.
void idle();

// Puts the motion, the view and the data back to the panel defaults ("Reiniciar").
void reiniciar();
