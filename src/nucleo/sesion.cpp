#include "sesion.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "callbacks.h"
#include "escena.h"
#include "estado.h"
#include "exportar/exportar.h"
#include "exportar/pintura.h"
#include "limites.h"
#include "movimiento.h"
#include "panel.h"
#include "tallado.h"

namespace {

// The panel control behind a command-line value, null when the open panel has none.
GLUI_Control* control_de(const std::string& opcion) {
    bool estandar = QueSimula == SIMULACION_ESTANDAR;
    bool experimental = QueSimula == SIMULACION_EXPERIMENTAL;
    if (opcion == "dientes") return glui_Dientes;
    if (opcion == "modulo") return estandar ? static_cast<GLUI_Control*>(glui_Modulo) : glui_Modulo_T;
    if (opcion == "angulo") return glui_Angulo;
    if (opcion == "desplazamiento") return glui_Penetracion;
    if (opcion == "giro") return glui_Giro;
    if (!experimental) return nullptr;
    if (opcion == "diametro-primitivo") return glui_RPaso;
    if (opcion == "diametro-exterior") return glui_RCabeza;
    if (opcion == "diametro-interior") return glui_RBase;
    if (opcion == "radio-cabeza") return glui_radio;
    if (opcion == "depresion") return glui_depresion;
    if (opcion == "angulo2") return glui_Angulo_2;
    if (opcion == "flecha") return glui_Flecha;
    return nullptr;
}

std::string numero(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", v);
    return b;
}

double modulo_actual() {
    if (QueSimula == SIMULACION_ESTANDAR && glui_Modulo) return std::atof(MODULO[glui_Modulo->get_int_val()]);
    if (QueSimula == SIMULACION_EXPERIMENTAL && glui_Modulo_T) return glui_Modulo_T->get_float_val();
    return 1.0;
}

// A colour chosen for the black screen, made dark enough to be seen on white paper.
exportar::Color en_papel(const float c[3]) {
    double luz = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
    double k = luz > 0.6 ? 0.6 / luz : 1.0;
    return {c[0] * k, c[1] * k, c[2] * k};
}

// The exact outline of the cut as it stands; lengths in the unit of the module are
// millimetres once the module is taken in millimetres.
std::vector<exportar::Poligono> contorno() {
    auto anillo = [](const Anillo& a) {
        exportar::Anillo r;
        r.reserve(a.size());
        for (const Vertice& v : a) r.push_back({v.x, v.y});
        return r;
    };
    std::vector<exportar::Poligono> piezas;
    for (const Pieza& p : contorno_tallado()) {
        exportar::Poligono q{anillo(p.exterior), {}};
        for (const Anillo& h : p.huecos) q.huecos.push_back(anillo(h));
        piezas.push_back(std::move(q));
    }
    return piezas;
}

const float COLOR_BASE[3] = {0.0f, 0.6f, 0.0f};

}  // namespace

void sesion_abrir(int modo) {
    GLUI_Master.reset();
    estado_inicial();
    construir_dialogo();
    glui_control(modo);
}

std::string sesion_fijar(const std::string& opcion, const std::string& valor) {
    GLUI_Control* c = control_de(opcion);
    std::string nombre = "--" + opcion;
    if (!c) return nombre + " no existe en esta simulacion";
    if (!c->enabled()) return nombre + " no se puede cambiar con los otros datos dados";
    if (c->kind() == GLUI_Kind::Listbox) {
        auto* lista = static_cast<GLUI_Listbox*>(c);
        float m;
        if (!GLUI_EditText::parse_float(valor, m)) return nombre + ": '" + valor + "' no es un numero";
        for (const auto& [id, texto] : lista->items())
            if (std::fabs(std::atof(texto.c_str()) - m) < 1e-6) {
                lista->set_int_val(id);
                v_glui_control(c->get_id());
                return "";
            }
        return nombre + ": " + valor + " no es un modulo normalizado (" + MODULO[0] + " ... " + MODULO[NUM_MODULOS - 1] +
               ")";
    }
    auto* campo = static_cast<GLUI_EditText*>(c);
    bool entero = campo->data_type() == GLUI_EDITTEXT_INT;
    int vi = 0;
    float vf = 0;
    if (entero ? !GLUI_EditText::parse_int(valor, vi) : !GLUI_EditText::parse_float(valor, vf))
        return nombre + ": '" + valor + "' no es un numero" + (entero ? " entero" : "");
    double v = entero ? vi : vf;
    if (!en_rango(opcion, v, modulo_actual(), Z))
        return nombre + ": " + valor + " fuera de " + rango_de(opcion, modulo_actual(), Z);
    if (opcion == "desplazamiento" && QueSimula == SIMULACION_ESTANDAR && !deja_fondo(Z, v))
        return nombre + ": " + valor + " deja el engranaje sin circunferencia de fondo";
    if (entero) campo->set_int_val(vi);
    else campo->set_float_val(vf);
    v_glui_control(c->get_id());
    // What the panel corrects or refuses is not what was asked for.
    bool igual = entero ? campo->get_int_val() == vi : campo->get_float_val() == vf;
    if (!igual)
        return nombre + ": " + valor + " no vale con los otros datos (el panel lo deja en " + campo->get_text() + ")";
    return "";
}

void sesion_cortar() { completar_corte(); }

exportar::Lamina lamina_del_corte() {
    exportar::Lamina l;
    l.poligonos = contorno();
    l.relleno = en_papel(ColorEngranaje);
    if (C_Paso_ON != 0) l.circulos.push_back({0, 0, Rp, en_papel(ColorCirPaso), "PRIMITIVA"});
    if (C_Fondo_ON != 0) l.circulos.push_back({0, 0, radio_circ_fondo(), en_papel(ColorCirFondo), "FONDO"});
    l.circulos.push_back({0, 0, Rp * std::cos(Angulo * PI / 180.0), en_papel(COLOR_BASE), "BASE"});

    bool experimental = QueSimula == SIMULACION_EXPERIMENTAL;
    l.texto.push_back(std::string("Ortanel 2.01 - Simulacion ") + (experimental ? "experimental" : "estandar"));
    l.texto.push_back("Dientes: " + std::to_string(entero_acotado(Z)) + "   Modulo: " + numero(modulo_actual()) +
                      " mm   Angulo de presion: " + numero(Angulo) + " grados");
    l.texto.push_back("Coeficiente de desplazamiento: " +
                      numero(glui_Penetracion ? glui_Penetracion->get_float_val() : 0.0));
    // The diameters of the gear cut: the tip and root moved by the shift.
    l.texto.push_back("Diametros: primitivo " + numero(2.0 * Rp) + " mm, exterior " + numero(2.0 * radio_engranaje()) +
                      " mm, interior " + numero(2.0 * radio_circ_fondo()) + " mm");
    if (experimental) {
        // Only what the rack was cut with: a switched-off option has no figure.
        if (C_ISO != 0)
            l.texto.push_back("Radio de cabeza: " + numero(ISO_Radio) + "   Depresion lateral: " + numero(ISO_Depresion));
        std::string otros;
        if (C_Asimetria != 0) otros += "Segundo angulo: " + numero(Angulo_2) + " grados";
        if (C_Flecha != 0) otros += (otros.empty() ? "" : "   ") + std::string("Flecha: ") + numero(Flecha);
        if (!otros.empty()) l.texto.push_back(otros);
    }
    return l;
}

std::string nombre_por_omision() {
    float x = glui_Penetracion ? glui_Penetracion->get_float_val() : 0.0f;
    return "engranaje-z" + std::to_string(entero_acotado(Z)) + "-m" + numero(modulo_actual()) +
           (x != 0 ? "-x" + numero(x) : "") + ".svg";
}

std::string guardar_corte(const std::string& ruta, int ancho_png) {
    return exportar::guardar(lamina_del_corte(), ruta, ancho_png);
}

std::string exportar_sin_ventanas(const Ordenes& o) {
    int ancho = 1200;
    if (!o.tamano.empty()) {
        if (!GLUI_EditText::parse_int(o.tamano, ancho)) return "--tamano: '" + o.tamano + "' no es un numero entero";
        if (ancho < 16 || ancho > exportar::ANCHO_PNG_MAXIMO)
            return "--tamano: " + o.tamano + " fuera de 16 ... " + std::to_string(exportar::ANCHO_PNG_MAXIMO) +
                   " pixeles";
    }
    if (!exportar::extension_conocida(o.archivo))
        return "extension desconocida en '" + o.archivo + "' (se admiten " + exportar::EXTENSIONES + ")";
    sesion_abrir(o.experimental ? SIMULACION_EXPERIMENTAL : SIMULACION_ESTANDAR);
    if (o.experimental) {
        glui_C_Asimetria->set_int_val(o.asimetrico ? 1 : 0);
        glui_ISO->set_int_val(o.sin_iso ? 0 : 1);
        glui_C_Flecha->set_int_val(o.sin_flecha ? 0 : 1);
    }
    for (const auto& [opcion, valor] : o.valores) {
        std::string fallo = sesion_fijar(opcion, valor);
        if (!fallo.empty()) return fallo;
    }
    sesion_cortar();
    exportar::Lamina l = lamina_del_corte();
    if (o.sin_datos) l.texto.clear();
    return exportar::guardar(l, o.archivo, ancho);
}
