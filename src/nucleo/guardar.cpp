#include "guardar.h"
#include "idioma/idioma.h"

#include <climits>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "callbacks.h"
#include "sesion.h"

GLUI_Rollout* glui_exportar = nullptr;
GLUI_EditText* glui_Archivo = nullptr;
GLUI_Button* glui_Guardar = nullptr;
GLUI_StaticText* glui_Exportado = nullptr;

namespace {

// The default name the field shows while the user has not typed one of their own.
std::string nombre_automatico;

// Longest line of the status text: the panel keeps its width for any path or reason.
constexpr size_t ANCHO_AVISO = 44;

}  // namespace

std::string en_renglones(const std::string& texto, size_t ancho, int maximo) {
    std::vector<std::string> lineas(1);
    size_t i = 0;
    while (i < texto.size()) {
        size_t fin = texto.find(' ', i);
        if (fin == std::string::npos) fin = texto.size();
        std::string palabra = texto.substr(i, fin - i);
        std::string& l = lineas.back();
        if (!l.empty() && l.size() + 1 + palabra.size() > ancho) lineas.emplace_back();
        if (!lineas.back().empty()) lineas.back() += ' ';
        lineas.back() += palabra;
        i = fin + 1;
    }
    bool cortado = static_cast<int>(lineas.size()) > maximo;
    if (cortado) lineas.resize(static_cast<size_t>(maximo));
    std::string r;
    for (size_t k = 0; k < lineas.size(); ++k) {
        std::string l = lineas[k];
        bool ultima = k + 1 == lineas.size();
        if (l.size() > ancho || (ultima && cortado)) l = l.substr(0, std::min(l.size(), ancho - 3)) + "...";
        r += (k ? "\n" : "") + l;
    }
    return r;
}

std::string final_de(const std::string& texto, size_t n) {
    if (texto.size() <= n) return texto;
    return "..." + texto.substr(texto.size() - (n - 3));
}

void construir_exportar(GLUI* panel) {
    glui_exportar = panel->add_rollout(_("Exportar"), 0, GLUI_PANEL_EMBOSSED);
    glui_Archivo = panel->add_edittext_to_panel(glui_exportar, _("Archivo"), GLUI_EDITTEXT_TEXT, nullptr, ID_ARCHIVO,
                                                v_glui_control);
    nombre_automatico = nombre_por_omision();
    glui_Archivo->set_text(nombre_automatico);
    glui_Guardar = panel->add_button_to_panel(glui_exportar, _("Guardar"), ID_GUARDAR, v_glui_control);
    glui_Exportado = panel->add_statictext_to_panel(glui_exportar, "");
}

void seguir_nombre() {
    if (!glui_Archivo || glui_Archivo->get_text() != nombre_automatico) return;
    nombre_automatico = nombre_por_omision();
    glui_Archivo->set_text(nombre_automatico);
}

void guardar_desde_panel() {
    std::string ruta = glui_Archivo->get_text();
    std::string fallo = guardar_corte(ruta);
    if (!fallo.empty()) {
        glui_Exportado->set_text((_("No se pudo guardar:") + std::string("\n") + en_renglones(fallo, ANCHO_AVISO, 2)).c_str());
        return;
    }
    char completa[PATH_MAX];
    std::string donde = realpath(ruta.c_str(), completa) ? completa : ruta;
    glui_Exportado->set_text((_("Guardado en:") + std::string("\n") + final_de(donde, ANCHO_AVISO)).c_str());
}
