// Saving a sheet to a file in the format its name's extension says.
#pragma once

#include <string>

#include "hoja.h"
#include "lamina.h"

namespace exportar {

// The extensions understood, lower case, as they are listed to the user.
extern const char* const EXTENSIONES;

// Whether the file name ends in an extension a writer exists for (letter case aside).
bool extension_conocida(const std::string& ruta);

// Makes the file in memory, then writes it to `ruta` through a temporary file (see escritura.h). `ancho_png`
// is the width in pixels of a PNG picture. Returns "" or one line saying why the
// file could not be written. With `a4`, a PDF is the A4 handout at that scale (hoja.h); any
// other format is refused.
std::string guardar(const Lamina& l, const std::string& ruta, int ancho_png = 1200, const Escala* a4 = nullptr);

}  // namespace exportar
