// Measurements on the outline of a cut gear and the textbook values they are compared with.
// Lengths in the unit of the module, angles in degrees, shifts as coefficients (multiples of
// the module). The gear's centre is the origin.
#pragma once

#include <vector>

#include "tallado.h"

// The least profile-shift coefficient that cuts no undercut: 1 - (Z/2)·sin²α.
double desplazamiento_minimo(double z, double angulo_grados);

// Tooth thickness (arc) on the pitch circle: m(π/2 + 2x·tanα).
double espesor_teorico(double modulo, double angulo_grados, double x);

// Radius of the base circle, (mZ/2)·cosα.
double radio_base(double modulo, double z, double angulo_grados);

// Radius above which a rack with straight flanks reaching h (in modules) past its rolling line
// cuts the involute: sqrt(rb² + (rp·sinα - h·m/sinα)²); the base radius when the flank reaches
// past the interference point (undercut).
double radio_de_forma(double modulo, double z, double angulo_grados, double h);

// The arcs of the circle of that radius that lie in material, as angles in radians from +X,
// counter-clockwise: [desde, hasta] with desde < hasta, hasta possibly past 2π for the arc
// that crosses +X. Empty when the circle crosses no edge.
struct Arco {
    double desde, hasta;
};
std::vector<Arco> arcos_en_material(const std::vector<Pieza>& piezas, double radio);

// Teeth crossing the circle of that radius: its arcs in material.
int contar_dientes(const std::vector<Pieza>& piezas, double radio);

// Mean tooth thickness (arc length) on the circle of radius rp; 0 when no tooth crosses it.
double espesor_en_primitiva(const std::vector<Pieza>& piezas, double rp);

// Thickness (arc length) of every tooth crossing the circle of radius rp, in angular order.
std::vector<double> espesores(const std::vector<Pieza>& piezas, double rp);

// Mean tooth thickness (arc length) on the tip circle of radius r_cabeza, measured just inside
// it, where the flanks meet the polygon that stands for the tip circle; 0 when the teeth end
// in a point below it.
double espesor_en_cabeza(const std::vector<Pieza>& piezas, double r_cabeza);

// The textbook tooth thickness on the tip circle of radius r_a, from the thickness s on the
// pitch circle of radius r: s_a = d_a (s/d + inv α - inv α_a), cos α_a = r·cos α / r_a.
double espesor_cabeza_teorico(double r, double s, double angulo_grados, double r_a);

// A tooth thinner than this many modules on its tip circle is pointed (a common design limit).
constexpr double LIMITE_PUNTA = 0.4;

// Least distance from the centre to the outside of the outline: the root radius.
double radio_de_fondo(const std::vector<Pieza>& piezas);

// How far the outline's vertices between the radii desde and hasta lie from the involutes of
// the base circle rb that bound a tooth espesor thick on the circle rp, each tooth centred where
// the outline's tooth is centred on rp; below rb, from the radial line the involute starts on.
// Measured along the involute's normal (across the radial line below rb); positive where there
// is material outside, negative inside: an undercut tooth is negative near its root.
struct Desviacion {
    double mayor = 0, menor = 0;
    int puntos = 0;
};
Desviacion desviacion_evolvente(const std::vector<Pieza>& piezas, double rp, double rb, double espesor, double desde,
                                double hasta);
