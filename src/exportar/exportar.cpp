#include "exportar.h"
#include "idioma/idioma.h"

#include <algorithm>
#include <cctype>

#include "dxf.h"
#include "escritura.h"
#include "pintura.h"

namespace exportar {

const char* const EXTENSIONES = ".svg, .pdf, .png, .dxf";

namespace {

std::string extension(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    auto punto = ruta.find_last_of('.');
    if (punto == std::string::npos || (barra != std::string::npos && punto < barra)) return "";
    std::string e = ruta.substr(punto);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
    return e;
}

}  // namespace

bool extension_conocida(const std::string& ruta) {
    std::string e = extension(ruta);
    return e == ".svg" || e == ".pdf" || e == ".png" || e == ".dxf";
}

std::string guardar(const Lamina& l, const std::string& ruta, int ancho_png) {
    std::string e = extension(ruta);
    if (!extension_conocida(ruta))
        return formato(_("extension desconocida '%s' en '%s' (se admiten %s)"), e.c_str(), ruta.c_str(), EXTENSIONES);
    std::string bytes, fallo;
    if (e == ".svg") fallo = escribir_svg(l, bytes);
    else if (e == ".pdf") fallo = escribir_pdf(l, bytes);
    else if (e == ".png") fallo = escribir_png(l, bytes, ancho_png);
    else fallo = escribir_dxf(l, bytes);
    if (!fallo.empty()) return formato(_("no se puede escribir '%s': %s"), ruta.c_str(), fallo.c_str());
    return escribir_seguro(ruta, bytes);
}

}  // namespace exportar
