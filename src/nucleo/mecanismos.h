// Geometry of the drawing primitives: the rack cutter's outline and the points
// of a circle, as lists of points in single precision. No GL here.
#pragma once

#include <vector>

struct Punto {
    float x, y;
};

enum class Primitiva { Poligono, Cuadrilateros };

struct Contorno {
    Primitiva tipo;
    std::vector<Punto> puntos;
    bool convexo;  // false: the fill needs a tessellator
};

// Slots of the rack data block. D_RODADURA is the height above the teeth's root line of the
// rolling line, the line that rolls on the pitch circle: the teeth are p/2 thick there.
enum DatoCremallera {
    D_X0 = 0, D_Y0 = 1, D_GIRO = 2, D_ALTURA = 3, D_PASO = 4, D_ANGULO1 = 5,
    D_RAIZ = 6, D_RADIO = 7, D_DEPRESION = 8, D_FLECHA = 9, D_ANGULO2 = 10, D_RODADURA = 11
};
constexpr int NUM_DATOS_CREMALLERA = 12;

// Most points one arc of each kind may get (circular flanks, rounded tips).
constexpr int MAX_PUNTOS_ARCO_FLANCO = 11;
constexpr int MAX_PUNTOS_ARCO_CABEZA = 7;
constexpr float PI_MEDIOS_F = 1.5707964f;

// The rack in its own frame, in drawing order: teeth -2 to 2 (one or two
// polygons each), root extensions, body strip. A tooth with a non-finite point is left out.
std::vector<Contorno> perfil_cremallera(const float datos[NUM_DATOS_CREMALLERA]);

// Whether every point of a convex outline lies at least radio away from centro
// (the outline then cannot touch the disc of that radius).
bool fuera_del_circulo(const std::vector<Punto>& convexo, Punto centro, float radio);

// The scene's origin seen from the rack frame the data block places.
Punto origen_en_cremallera(const float datos[NUM_DATOS_CREMALLERA]);

// Whether a closed outline is convex (collinear and repeated points allowed).
bool es_convexo(const std::vector<Punto>& puntos);

// The 300 points of a circle of the given radius, counter-clockwise from +X.
std::vector<Punto> puntos_circunferencia(float radio);
constexpr int PUNTOS_CIRCUNFERENCIA = 300;
