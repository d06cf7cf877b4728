// The constants of angles and the involute function, for every part of the program.
#pragma once

#include <cmath>

constexpr double PI = 3.141592653589793;
constexpr double DOS_PI = 6.283185307179586;
// Radians in a degree.
constexpr double GRADO = PI / 180.0;

// Involute function inv(a) = tan a - a (radians).
inline double involuta(double a) { return std::tan(a) - a; }
