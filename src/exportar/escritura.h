// Writing a file without ever leaving half of it: the content goes to a temporary
// file in the target's directory, which is renamed over the target only once it is
// complete. A failure removes the temporary file and leaves any existing target as it was.
#pragma once

#include <functional>
#include <string>

namespace exportar {

// escribir(ruta_temporal) writes the whole file at that path; it returns "" when it
// succeeded or a short description of what went wrong. Returns "" or the reason the
// target could not be written (naming the target or its directory).
std::string escribir_seguro(const std::string& destino,
                            const std::function<std::string(const std::string& ruta_temporal)>& escribir);

// Whether a file could be written at `destino` now, before any work is spent on it: "" or
// the reason, worded as escribir_seguro words it.
std::string comprobar_destino(const std::string& destino);

}  // namespace exportar
