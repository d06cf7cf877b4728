// The exact outline of the cut gear.
#pragma once

#include <vector>

struct Vertice {
    double x, y;
};
using Anillo = std::vector<Vertice>;
struct Pieza {
    Anillo exterior;
    std::vector<Anillo> huecos;
};

const std::vector<Pieza>& contorno_tallado();
