// The size of the panels: the screen's dots per inch, times a factor the user steps with
// Ctrl + plus / Ctrl + minus / Ctrl + 0. Plain arithmetic; the GLUT face applies it.
#pragma once

namespace escala_panel {

constexpr double DPI_NORMAL = 96.0;
constexpr double FACTOR_MIN = 0.8, FACTOR_MAX = 2.0;

// Dots per inch from the X resource database text (the line "Xft.dpi: 144"), or 96
// when there is none or it does not hold a sensible number.
double dpi_de_recursos(const char* recursos);

// The panels' scale for a screen of that many dots per inch: dpi / 96.
double escala_dpi(double dpi);

// The user's factor after Ctrl with a key: '+' or '=' one step up, '-' or '_' one step
// down, '0' back to 1; the steps are 80, 90, 100, 110, 125, 150, 175 and 200%. Any other
// key leaves it. A factor between steps moves to the next step in the key's direction.
double factor_tras_tecla(double factor, int tecla);

// Whether a key with Ctrl held changes the factor (GLUT may pass Ctrl + minus as 0x1f).
bool es_tecla_de_escala(int tecla);

}  // namespace escala_panel
