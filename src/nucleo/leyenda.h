// The picture's legend: a line for each line drawn that is not the gear or the rack.
#pragma once

#include <vector>

// A line of the drawing's legend: the name of a line drawn and its colour.
struct Rotulo {
    const char* texto;
    const float* color;
};
// The legend: each circle shown (pitch, root, base), the involute and the previous cut when drawn.
std::vector<Rotulo> leyenda();
