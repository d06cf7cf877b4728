// The mesh of the gear cut in the program with a second gear, or the rack, as the panel's
// "Engrane" rollout and the command line give it: the values, the pair built from the finished
// cut and kept until the data change, and gear 1's turn in the mesh.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engrane.h"

// "Engranar con": 0 a gear, 1 the rack.
extern int Engrane_Con;
// "Dientes rueda 2", "Desplazamiento rueda 2" (coefficient), "Distancia entre centros" (0: a_w).
extern int Engrane_Dientes;
extern float Engrane_Desplazamiento, Engrane_Distancia;
// "Ver engrane": the drawing shows the mesh instead of the cut.
extern int C_Engrane_ON;
// Gear 1's turn in the mesh, degrees, counter-clockwise.
extern float Engrane_Giro;

// Puts the values above back to their start.
void engrane_inicial();

// Gear 1 as the present data cut it.
Rueda rueda_actual();

// Gear 2's teeth as a single gear's panel takes them, or 0 for the rack: "" or why not.
std::string comprobar_dientes2(int z2);
// Gear 2's shift on z2 teeth (none on the rack) as a single gear's panel takes it: "" or why not.
std::string comprobar_desplazamiento2(int z2, double x2);

// Gear 1 of the present data and gear 2 (z2 = 0: the rack) by the book, and "" when they can mesh
// at a (0: a_w), or why not.
std::string par_actual(int z2, double x2, double a, Rueda& r1, Rueda& r2);

// The pair of the cut gear with gear 2 of z2 teeth (0: the rack) and shift x2 at centre distance
// a (0: a_w), built from the cut as it stands (the caller finishes it first). Kept while the data,
// the cut and these values stay the same. Null, with the reason in `fallo`, when it cannot mesh.
const Engrane* engrane_actual(int z2, double x2, double a, std::string* fallo);

// The pair ready to be shown: the mesh, what was measured on it over a pitch, and each outline
// (in its own frame, as contorno1() and contorno2() give it) as triangles for filling.
struct ParMostrado {
    std::unique_ptr<Engrane> engrane;
    Engrane::Medidas medidas;
    std::vector<float> triangulos1, triangulos2;
    double izquierda2 = 0, derecha2 = 0;  // how far gear 2 (or the rack) reaches along x in its own frame
    long serie = 0;  // a number of its own: no two pairs built in a run share it
};

// Samples over a pitch for the measured contact ratio and backlash of the panel.
constexpr int MUESTRAS_PANEL = 120;

enum class Recogida { CALCULANDO, LISTO, FALLO };

// The pair of the finished cut with the rollout's values, built on a worker thread so that no
// frame waits for it: the first call copies what the pair depends on and starts the build; while
// it runs (or while the cut's outline is still being built) CALCULANDO; then LISTO with `par`
// pointing at it, kept until any value it depends on changes (a later call then starts another
// build); FALLO, with the reason in `fallo`, when the values cannot mesh or the cut has not ended.
Recogida recoger_engrane(const ParMostrado** par, std::string* fallo);

// Stops the build under way, if any (before a fork); a pair already built is kept.
void descartar_engrane();

// The centre distance the rollout asks for: the one typed, or a_w while it follows the data.
double distancia_pedida();

// Whether the drawing shows the mesh: "Ver engrane" on and the cut ended. With `par`, the pair to
// draw (null while the first one is being built).
bool engrane_en_vista(const ParMostrado** par = nullptr);

// The pair at gear 1's present turn (Engrane_Giro), worked out once per turn and pair.
const Instante& instante_engrane(const ParMostrado& p);

// Turns gear 1 by that many degrees, keeping Engrane_Giro within one turn.
void girar_engrane(double grados);
