// The exact outline of the cut gear: the blank minus every recorded rack position, as
// polygons, computed with GEOS. Lengths in the unit of the module.
#pragma once

#include <vector>

struct Vertice {
    double x, y;
};
using Anillo = std::vector<Vertice>;  // closed ring, first point not repeated
struct Pieza {
    Anillo exterior;              // counter-clockwise
    std::vector<Anillo> huecos;   // clockwise
};

// The cut gear as it stands now, in the scene frame as the current frame draws it (blank
// centre at the origin): the blank (with its centre hole) minus every recorded rack position
// the frame erases. Brought up to date first if the motion or the data changed it.
const std::vector<Pieza>& contorno_tallado();

// Brings the outline up to the recorded positions: one difference per position recorded since
// the last call; positions undone are dropped by going back to an outline kept on the way or by
// rebuilding from the nearest kept stage, and a change of the rack or of the blank rebuilds it
// from the history. The motion calls it after every rolling step. Until the outline has been
// asked for once it does nothing, so a run that never reads it pays nothing for it; the first
// read then builds it from the history.
void actualizar_tallado();

// The outline contorno_tallado() would give now, built on a worker thread so that no frame
// waits for it. The first call copies everything the outline depends on (the rack, the blank,
// the recorded placements, the blank's angle), starts the build and gives false; later calls
// give false while it is under way, then true once with the outline in piezas if it is still
// what contorno_tallado() would give, or else start a build of the present outline. With the
// outline switched off (calcular_tallado(false)) it gives the empty outline at once.
bool recoger_tallado(std::vector<Pieza>& piezas);

// Waits until the build under way, if any, has finished (for tests and tools).
void esperar_tallado();

// Stops the build under way, if any, and forgets it.
void descartar_tallado();

// Whether reading the outline computes it (on by default). Off, contorno_tallado() gives an
// empty outline and the motion keeps nothing: for soaks of the panel's state and handles,
// whose millions of events would otherwise be spent on polygon differences that the
// outline's own tests check.
void calcular_tallado(bool si);

// A gear cut by the rack of `datos` (slots 3 to 11; slots 0 to 2 are not read) rolling without
// slipping on the circle of radius rp, with the same polygons and the same differences as the cut
// on screen: a blank of radius `radio` with its centre hole, minus the rack at every step of
// paso_grados over one full turn (steps 0 to 360 degrees), the rack frame's y = 0 line at
// `distancia` from the centre. In the gear's own frame, the first position straight below the centre.
std::vector<Pieza> tallar_rueda(const float datos[], double radio, double rp, double distancia, double paso_grados);

// The rack of `datos` as the one area the cut subtracts, in its own frame, with copies of it moved
// by k·5 pitches for k in -copias..copias so that it reaches further along its line.
std::vector<Pieza> area_cremallera(const float datos[], int copias);

// The outline as triangles covering exactly its area (holes left out): x, y of each corner,
// three corners a triangle. For filling it in a drawing.
std::vector<float> triangular(const std::vector<Pieza>& piezas);

// While it lives, this file's polygon operations on the calling thread use a context of their
// own: for outlines built on a worker thread beside the program's.
class ContextoPropio {
public:
    ContextoPropio();
    ~ContextoPropio();
    ContextoPropio(const ContextoPropio&) = delete;
    ContextoPropio& operator=(const ContextoPropio&) = delete;
};

// Sides of the polygon standing for the blank's circles: finer than the drawn 60-slice disc,
// so that the outside radius of the outline is right to 1e-5 of the radius.
constexpr int LADOS_DISCO = 720;

// How many outline stages are kept for undoing: one every PASOS_ETAPA positions.
constexpr int PASOS_ETAPA = 16;
