// Mouse and keyboard handling of the view: a left drag pans, a right drag or a
// Ctrl + left drag zooms, 18 pixels of pointer travel per scene unit; the wheel zooms
// about the pointer. Keys in the drawing press the motion buttons.
#pragma once

#include "glui/glui.h"

// GLUT's values, so that the handlers compare with the numbers GLUT passes.
constexpr int BOTON_IZQUIERDO = 0, BOTON_CENTRAL = 1, BOTON_DERECHO = 2;
constexpr int PULSADO = 0, SOLTADO = 1;
constexpr int MOD_SHIFT = 1, MOD_CTRL = 2, MOD_ALT = 4;
// GLUT's wheel "buttons" and special keys.
constexpr int RUEDA_ARRIBA = 3, RUEDA_ABAJO = 4;
constexpr int TECLA_IZQUIERDA = 100, TECLA_DERECHA = 102, TECLA_INICIO = 106;

// Scale of the view per wheel step: up shows the scene 10% larger, down 10% smaller.
constexpr double FACTOR_RUEDA = 1.1;

// The panel's translation controls use the same scale.
constexpr double PIXELES_POR_UNIDAD = GLUI_PIXELES_POR_UNIDAD;

void mousePress(int button, int state, int x, int y);
void activeMouseMotion(int x, int y);
// Space = "Siguiente >>", a = "Automatico"/"Manual", t = "Terminar": each a press of its
// button (so nothing while the button is disabled); every key then redraws.
void keyboard(unsigned char key, int x, int y);
// Right = "Siguiente >>", Left = "<< Anterior", Home = the view as at the start.
void pressKey(int key, int x, int y);

// Scales the view by 'escala' (below 1 shows the scene larger) keeping the scene point under
// pixel (px, py) of a drawing area ancho x alto (y from the top) where it is on screen.
void zoom_en_punto(float desplazamiento[3], float origen, int ancho, int alto, int px, int py, double escala);

// The view offsets back to 0 (pan and zoom as at the start), the data untouched.
void vista_inicial();
