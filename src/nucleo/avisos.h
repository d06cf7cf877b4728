// Warnings and figures measured on the gear being cut, as the panel's read-out, the corner
// of the drawing and the handout show them. Lengths in the unit of the module.
#pragma once

#include <string>
#include <vector>

#include "tallado.h"

// The figures of a finished cut, measured on its exact outline.
struct MedidaCorte {
    double espesor_primitiva;  // mean tooth thickness on the pitch circle
    double teorico_primitiva;  // the textbook one, m(π/2 + 2x·tanα)
    double espesor_cabeza;     // mean tooth thickness on the tip circle (0: pointed below it)
    double modulo;             // the rack's module
};

// Measured once when the cut ends; false while the cut is under way or has been undone.
bool medida_del_corte(MedidaCorte& m);

// The outline those figures were measured on (scene frame), or null before they are.
const std::vector<Pieza>* contorno_medido();

// The module of the rack that cuts: its pitch over π.
double modulo_cremallera();

// Undercut by the rack as it cuts: the straight part of a flank (up to the ISO tip rounding)
// reaches past the interference point, Rp·sin²α inside the pitch circle, for either flank angle.
bool socava_cremallera();
// The least shift coefficient that cuts no undercut with that rack: the present coefficient
// plus the straight flanks' reach past the interference point, in modules.
double desplazamiento_minimo_cremallera();

// Experimental data whose module from the pitch diameter and Z, or whose module typed,
// differs from the rack's: two lines saying so and what is cut (the rack's module rolling on
// the pitch circle gives d/m teeth). Empty when they agree.
std::vector<std::string> texto_incoherencia();

// "Diente puntiagudo: espesor en la cabeza 0.349 (0.35 m)" below LIMITE_PUNTA modules, else "".
std::string texto_punta(double espesor, double modulo);
// The read-out's line, "Espesor en la cabeza: 0.349 (0.35 m)".
std::string texto_espesor_cabeza(double espesor, double modulo);

// The lines of the drawing's corner: in the experimental simulation the undercut with the
// least shift and the inconsistent data; in both the pointed tooth once the cut has ended.
std::vector<std::string> avisos_dibujo();

// The row, counted from the top, of the drawing's first corner warning: beside the legend
// (row 0) when the widest warning, set against the right edge of a drawing `ancho` pixels
// wide, leaves at least `hueco` pixels after the legend's right end; under its `renglones`
// lines otherwise, so that a narrow drawing shows both whole.
int renglon_avisos(int ancho, int fin_leyenda, int renglones, int ancho_avisos, int hueco);
