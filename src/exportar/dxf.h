// The sheet as a DXF drawing (AutoCAD 2000 format, written with dxflib), in
// millimetres: each ring of a polygon a closed polyline on the polygons' layer,
// each circle a circle on its own layer, the text block as text on layer "0".
#pragma once

#include <string>

#include "lamina.h"

namespace exportar {

// Makes the whole file in memory, in `bytes`; returns "" or what went wrong.
std::string escribir_dxf(const Lamina& l, std::string& bytes);

}  // namespace exportar
