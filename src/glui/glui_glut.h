// The control layer on screen: every GLUI window is a GLUT window with its own
// ImGui context; events are routed as the program's callbacks expect.
#pragma once

// Makes GLUT + ImGui the layer's backend and registers the idle routing.
// Call after glutInit and before the first window of the layer.
void glui_glut_iniciar();
