// The bounds of the values the user gives, in the panel or on the command line (each field's
// row in campos.cpp names its range from them). Outside them the cut gives no gear, or a gear
// that is not the one asked for; the command line refuses such a value and the panel puts
// the field back as for a text that is no number.
#pragma once

// Teeth: from 3 up to the largest count whose cut, at one degree a step, still has every
// tooth, each within 0.5 % of the textbook thickness (Z = 520 is 0.6 % off; 1000 loses a tooth).
constexpr int DIENTES_MINIMO = 3, DIENTES_MAXIMO = 500;
// Pressure angle of either flank, degrees.
constexpr double ANGULO_MINIMO = 10, ANGULO_MAXIMO = 35;
// Profile shift coefficient, in modules, either way.
constexpr double DESPLAZAMIENTO_MAXIMO = 1;
// Free module of the experimental simulation, mm (the listed modules' span).
constexpr double MODULO_MINIMO = 1, MODULO_MAXIMO = 50;
// Flank sag, in modules, either way.
constexpr double FLECHA_MAXIMA = 0.5;

// Turn per cut, whole degrees: from 1 to the turn that still takes two cuts per tooth pitch.
int giro_maximo(double z);

// The largest diameter of a blank for the module: the tip of the largest gear, shifted.
double diametro_maximo(double modulo);

// Whether a shift x leaves a root circle of positive radius on a gear of z teeth.
bool deja_fondo(double z, double x);
