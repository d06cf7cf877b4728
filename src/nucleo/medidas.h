// Textbook values of a spur gear cut by a standard rack. Lengths in the unit of the
// module, angles in degrees, shifts as coefficients (multiples of the module).
#pragma once

// The least profile-shift coefficient that cuts no undercut: 1 - (Z/2)·sin²α.
double desplazamiento_minimo(double z, double angulo_grados);

// Tooth thickness (arc) on the pitch circle: m(π/2 + 2x·tanα).
double espesor_teorico(double modulo, double angulo_grados, double x);
