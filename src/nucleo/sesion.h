// A simulation without windows: the start dialog and the panel built on the control
// layer's data alone, values set into the panel's fields and passed to the panel's
// own callback, the cut run to its end, the result saved. The command line uses it,
// and the panel's "Guardar" saves through the same drawing of the cut.
#pragma once

#include <string>
#include <vector>

#include "exportar/hoja.h"
#include "exportar/lamina.h"
#include "ordenes.h"

// Puts the state back to the program's start and opens a panel of the given mode
// (SIMULACION_ESTANDAR or SIMULACION_EXPERIMENTAL), as the start dialog's buttons do.
void sesion_abrir(int modo);

// Sets a panel value as a user typing it would, `opcion` being the command-line
// name ("dientes", "modulo", ...): the text must read as the field's kind of number
// (for the standard module, one of the listed modules) and the field must be
// enabled; then the panel's callback corrects, clamps or refuses as it does for a
// user. Returns "" or one line naming the problem.
std::string sesion_fijar(const std::string& opcion, const std::string& valor);

// Runs the cut forwards to its end, as the automatic mode does but without frames.
void sesion_cortar();

struct Pieza;
// Outlines of the cut as the writers take them.
std::vector<exportar::Poligono> poligonos(const std::vector<Pieza>& g);

// The cut as it stands: the outline filled in the gear colour, the pitch and root
// circles when shown, the base circle, and a text block with the data. Millimetres.
exportar::Lamina lamina_del_corte();

// The exact outline of the cut as it stands, in the scene frame, millimetres.
std::vector<exportar::Poligono> contorno_del_corte();

// The text block with the present data, one line an element.
std::vector<std::string> texto_del_corte();

// The handout's data table: teeth, module, pressure angle, shift, the four diameters, the
// tooth thickness on the pitch and tip circles measured on the exact outline, the least
// shift (rounded up as the panel shows it), undercut yes or no, then as notes the
// experimental rack's options, the pointed tooth and the inconsistent data when they apply.
std::vector<exportar::Fila> tabla_del_corte();

// A file name for the present data: "engranaje-z14-m1.svg" for the defaults, the shift
// added when it is not 0 ("engranaje-z14-m1-x0.5.svg").
std::string nombre_por_omision();

// Saves the cut as it stands in the format of the name's extension; returns "" or why not.
std::string guardar_corte(const std::string& ruta, int ancho_png = 1200);

class Engrane;

// The pair in mesh drawn with gear 1 turned by giro1 (radians): gear 1 as the cut's sheet fills it,
// gear 2 on layer ENGRANAJE2, both base circles, both pitch circles rolling at a, the line of
// action on layer ENGRANE, and the data.
exportar::Lamina lamina_del_engrane(const Engrane& e, double giro1);

// Samples over one pitch for the measured contact ratio, backlash and overlap of the report.
constexpr int MUESTRAS_INFORME = 120;

// The JSON report: "rueda" (the cut gear) and, with a pair, "rueda2" and "engrane".
std::string informe_json(const Engrane* e);

// The drawing scale of the A4 handout of `l`: `pedida` ("N:M") when the drawing fits at it,
// else the one chosen to fit (exportar::escala_que_cabe, enlarged with `ampliar`).
// Returns "" or why the drawing cannot be placed.
std::string escala_de_hoja(const exportar::Lamina& l, bool ampliar, const std::string& pedida, exportar::Escala& e);

// The whole command-line run: checks, panel values, cut, the pair in mesh with --engrane, the
// file with --exportar, the report into `informe` with --informe. Returns "" or the line that
// explains why nothing was written.
std::string exportar_sin_ventanas(const Ordenes& o, std::string* informe = nullptr);

// The whole command-line animation: checks, panel values, the cut as a GIF (animacion_corte.h),
// progress on stderr when stderr is a terminal. Returns "" or the line that explains why
// nothing was written.
std::string animar_sin_ventanas(const Ordenes& o);
