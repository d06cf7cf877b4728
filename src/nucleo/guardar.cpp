#include "guardar.h"
#include "idioma/idioma.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "animacion_corte.h"
#include "engrane_estado.h"
#include "callbacks.h"
#include "estado.h"
#include "panel.h"
#include "plataforma.h"
#include "sesion.h"
#include "tallado.h"
#include "exportar/exportar.h"

GLUI_Rollout* glui_exportar = nullptr;
GLUI_EditText* glui_Archivo = nullptr;
GLUI_Button* glui_Guardar = nullptr;
GLUI_Button* glui_GuardarAnimacion = nullptr;
GLUI_StaticText* glui_Exportado = nullptr;
GLUI_Listbox* glui_Hoja = nullptr;

namespace {

// The default name the field shows while the user has not typed one of their own.
std::string nombre_automatico;

int hoja_elegida() { return glui_Hoja ? glui_Hoja->get_int_val() : 0; }

std::string nombre_de_hoja() {
    std::string n = nombre_por_omision();
    if (hoja_elegida() == 0) return n;
    return n.substr(0, n.size() - 4) + ".pdf";
}

// Longest line of the status text: the panel keeps its width for any path or reason.
constexpr size_t ANCHO_AVISO = 44;

// The animation being written: the child's process and the reading end of its pipe.
struct Trabajo {
    pid_t pid = -1;
    int tubo = -1;
    std::string ruta;
    std::string pendiente;  // what was read after the last full line
    std::string final;      // the child's last word: "" written, else why not
    bool dijo_final = false;
};
Trabajo trabajo;

void avisar(const std::string& texto) {
    if (panel_vivo() && glui_Exportado) glui_Exportado->set_text(texto.c_str());
}

void avisar_resultado(const std::string& fallo, const std::string& ruta) {
    if (!fallo.empty()) {
        avisar(_("No se pudo guardar:") + std::string("\n") + en_renglones(fallo, ANCHO_AVISO, 2));
        return;
    }
    char completa[PATH_MAX];
    std::string donde = realpath(ruta.c_str(), completa) ? completa : ruta;
    avisar(_("Guardado en:") + std::string("\n") + final_de(donde, ANCHO_AVISO));
}

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
    glui_Hoja = panel->add_listbox_to_panel(glui_exportar, _("Hoja"), nullptr, ID_HOJA, v_glui_control);
    glui_Hoja->add_item(0, _("Ajustada al dibujo"));
    glui_Hoja->add_item(1, _("A4"));
    glui_Hoja->add_item(2, _("A4 ampliada"));
    GLUI_Panel* botones = panel->add_panel_to_panel(glui_exportar, "", GLUI_PANEL_NONE);
    glui_Guardar = panel->add_button_to_panel(botones, _("Guardar"), ID_GUARDAR, v_glui_control);
    panel->add_column_to_panel(botones, 0);
    glui_GuardarAnimacion = panel->add_button_to_panel(botones, _("Guardar animacion"), ID_GUARDAR_ANIMACION, v_glui_control);
    if (trabajo.pid > 0) glui_GuardarAnimacion->disable();
    // Room for the longest word it gives: a heading and two lines.
    glui_Exportado = panel->add_statictext_to_panel(glui_exportar, "");
    glui_Exportado->set_lines(3);
}

void seguir_nombre() {
    if (!glui_Archivo || glui_Archivo->get_text() != nombre_automatico) return;
    nombre_automatico = nombre_de_hoja();
    glui_Archivo->set_text(nombre_automatico);
}

void guardar_desde_panel() {
    std::string ruta = glui_Archivo->get_text();
    int hoja = hoja_elegida();
    if (hoja == 0) {
        avisar_resultado(guardar_corte(ruta), ruta);
        return;
    }
    exportar::Lamina l = lamina_del_corte();
    exportar::Escala escala;
    std::string fallo = escala_de_hoja(l, hoja == 2, "", escala);
    if (fallo.empty()) fallo = exportar::guardar(l, ruta, 1200, &escala);
    avisar_resultado(fallo, ruta);
}

std::string nombre_animacion(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    auto punto = ruta.find_last_of('.');
    bool con_extension = punto != std::string::npos && (barra == std::string::npos || punto > barra + 1);
    return (con_extension ? ruta.substr(0, punto) : ruta) + ".gif";
}

void guardar_animacion_desde_panel() {
    if (trabajo.pid > 0) return;
    std::string ruta = nombre_animacion(glui_Archivo->get_text());
    OpcionesAnimacion o;
    std::string fallo = comprobar_animacion(ruta, o);
    int tubo[2] = {-1, -1};
    if (fallo.empty() && pipe2(tubo, O_CLOEXEC) != 0) fallo = formato(_("no se puede empezar la animacion: %s"), std::strerror(errno));
    if (!fallo.empty()) {
        avisar_resultado(fallo, ruta);
        return;
    }
    // Only this thread goes on in the child: the outline's worker, if one is building the
    // measured tooth, is stopped first so that no thread is left half way (it starts again).
    descartar_tallado();
    descartar_engrane();
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        // The child: its own copy of the data; it never touches the window system, and it
        // leaves with _exit so that nothing of the parent's (X connection, atexit work) runs.
        close(tubo[0]);
        usar_plataforma(nullptr);
        GLUI_Master.set_backend(nullptr);
        int fd = tubo[1];
        std::string f = animar_corte(ruta, o, [fd](int hechos, int total) { dprintf(fd, "%d %d\n", hechos, total); });
        dprintf(fd, "fin %s\n", f.c_str());
        _exit(f.empty() ? 0 : 2);
    }
    close(tubo[1]);
    if (pid < 0) {
        close(tubo[0]);
        avisar_resultado(formato(_("no se puede empezar la animacion: %s"), std::strerror(errno)), ruta);
        return;
    }
    fcntl(tubo[0], F_SETFL, fcntl(tubo[0], F_GETFL) | O_NONBLOCK);
    trabajo = Trabajo{};
    trabajo.pid = pid;
    trabajo.tubo = tubo[0];
    trabajo.ruta = ruta;
    glui_GuardarAnimacion->disable();
    avisar(_("Guardando animacion..."));
}

bool revisar_animacion() {
    if (trabajo.pid <= 0) return false;
    char b[512];
    bool cerrado = false;
    for (;;) {
        ssize_t n = read(trabajo.tubo, b, sizeof b);
        if (n > 0) {
            trabajo.pendiente.append(b, static_cast<size_t>(n));
            continue;
        }
        if (n == 0) cerrado = true;
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    std::string ultima;
    size_t fin;
    while ((fin = trabajo.pendiente.find('\n')) != std::string::npos) {
        std::string linea = trabajo.pendiente.substr(0, fin);
        trabajo.pendiente.erase(0, fin + 1);
        if (linea.rfind("fin ", 0) == 0) {
            trabajo.final = linea.substr(4);
            trabajo.dijo_final = true;
        } else {
            ultima = linea;
        }
    }
    int hechos = 0, total = 0;
    if (!ultima.empty() && std::sscanf(ultima.c_str(), "%d %d", &hechos, &total) == 2)
        avisar(formato(_("Guardando animacion: cuadro %d de %d"), hechos, total));
    if (!cerrado) return true;

    int estado = 0;
    while (waitpid(trabajo.pid, &estado, 0) < 0 && errno == EINTR) {
    }
    close(trabajo.tubo);
    std::string fallo = trabajo.final;
    if (!trabajo.dijo_final || !WIFEXITED(estado) || (WEXITSTATUS(estado) != 0 && fallo.empty()))
        fallo = WIFSIGNALED(estado) ? formato(_("la animacion se interrumpio (senal %d)"), WTERMSIG(estado))
                                    : std::string(_("la animacion se interrumpio"));
    std::string ruta = trabajo.ruta;
    trabajo = Trabajo{};
    avisar_resultado(fallo, ruta);
    if (panel_vivo() && glui_GuardarAnimacion) glui_GuardarAnimacion->enable();
    return false;
}
