// The control layer on screen: every GLUI window is a GLUT window with its own
// ImGui context; events are routed as the program's callbacks expect.
#pragma once

// Makes GLUT + ImGui the layer's backend and starts the frame timer (the motion's
// idle callback runs from it, one step per frame of the main window, a frame every
// ms_por_cuadro).
// Call after the main window is created and before the first window of the layer.
void glui_glut_iniciar(int ms_por_cuadro);

// The window manager closed the main window (GLUT has destroyed it with its panels):
// f runs at the next tick, outside GLUT's event handling, and is expected to make a
// new main window. Without it the program ends with status 0.
void glui_glut_al_cerrar_principal(void (*f)());

// Every input GLUT has received so far has been applied: no X event waits to be read,
// no layer window holds queued input, no key waits for its window. What a test that
// sends input polls for before it reads the result.
bool glui_glut_entrada_aplicada();
