// The whole cut of the present data as an animated GIF: the motion run without frames from
// the start of the cut to its end, the scene taken as plain geometry every few moves (the cut
// gear's exact outline, the rack where it stands, the circles switched on, the data) and
// handed to the animation writer (exportar/animacion.h).
#pragma once

#include <functional>
#include <string>

struct OpcionesAnimacion {
    int ancho = 800;           // pixels
    int paso = 0;              // moves per picture; 0: about CUADROS_POR_OMISION pictures
    int retardo = 4;           // hundredths of a second between pictures
    bool con_retorno = false;  // show the withdraw, travel and rise moves between passes too
    bool datos = true;         // the text block under the drawing
};

constexpr int CUADROS_POR_OMISION = 240;
constexpr int ANCHO_MAXIMO_ANIMACION = 8000;
constexpr int RETARDO_MAXIMO = 65535;

// The options and the name (it must end in .gif) as the command line and the panel check
// them before any work: "" or one line naming the problem.
std::string comprobar_animacion(const std::string& ruta, const OpcionesAnimacion& o);

// The moves the animation shows of the whole cut of the present data: the first approach and
// every rolling step, and with `con_retorno` the withdraw, travel and rise moves too. Runs
// the motion from the start, leaving the cut ended.
long movimientos_animados(bool con_retorno);

// The moves per picture the options give: `paso`, or the one giving about CUADROS_POR_OMISION
// pictures for `movimientos` moves.
int paso_de(const OpcionesAnimacion& o, long movimientos);

// Runs the cut of the present data from its start to its end and writes the GIF at `ruta`:
// the blank before any move, a picture after every `paso` shown moves, and the ended cut
// last. progreso(hechos, total) after each picture. Leaves the cut ended. Returns "" or the
// line saying why nothing was written.
std::string animar_corte(const std::string& ruta, const OpcionesAnimacion& o,
                         const std::function<void(int, int)>& progreso = {});
