// Mouse and keyboard handling of the view: a left drag pans, a right drag or a
// Ctrl + left drag zooms, 18 pixels of pointer travel per scene unit.
#pragma once

#include "glui/glui.h"

// GLUT's values, so that the handlers compare with the numbers GLUT passes.
constexpr int BOTON_IZQUIERDO = 0, BOTON_CENTRAL = 1, BOTON_DERECHO = 2;
constexpr int PULSADO = 0, SOLTADO = 1;
constexpr int MOD_SHIFT = 1, MOD_CTRL = 2, MOD_ALT = 4;

// The panel's translation controls use the same scale.
constexpr double PIXELES_POR_UNIDAD = GLUI_PIXELES_POR_UNIDAD;

void mousePress(int button, int state, int x, int y);
void activeMouseMotion(int x, int y);
void keyboard(unsigned char key, int x, int y);
void pressKey(int key, int x, int y);
