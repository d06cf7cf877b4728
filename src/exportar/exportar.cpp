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

std::string guardar(const Lamina& l, const std::string& ruta, int ancho_png, const Escala* a4) {
    std::string e = extension(ruta);
    if (!extension_conocida(ruta))
        return formato(_("extension desconocida '%s' en '%s' (se admiten %s)"), e.c_str(), ruta.c_str(), EXTENSIONES);
    if (a4 && e != ".pdf") return formato(_("la hoja A4 solo se escribe en PDF, no en '%s'"), ruta.c_str());
    std::string bytes, fallo;
    if (a4) fallo = escribir_hoja_a4(l, *a4, bytes);
    else if (e == ".svg") fallo = escribir_svg(l, bytes);
    else if (e == ".pdf") fallo = escribir_pdf(l, bytes);
    else if (e == ".png") fallo = escribir_png(l, bytes, ancho_png);
    else fallo = escribir_dxf(l, bytes);
    if (!fallo.empty()) return formato(_("no se puede escribir '%s': %s"), ruta.c_str(), fallo.c_str());
    return escribir_seguro(ruta, bytes);
}

}  // namespace exportar
