#include "ordenes.h"

#include <algorithm>

#include "campos.h"
#include "version.h"

const char* const TEXTO_VERSION = "Ortanel " ORTANEL_VERSION;

namespace {

// The first row of each option: an option that names a list in one mode and a number
// in the other has two rows, with the same help.
bool primera_de_su_opcion(const Campo& c) {
    if (!c.opcion) return false;
    for (const Campo* o = CAMPOS; o != &c; ++o)
        if (o->opcion && std::string(o->opcion) == c.opcion) return false;
    return true;
}

// Position of the option in the panel's order; past every option for an unknown name.
int orden_de(const std::string& nombre) {
    for (int i = 0; i < NUM_CAMPOS; ++i)
        if (CAMPOS[i].opcion && nombre == CAMPOS[i].opcion) return i;
    return NUM_CAMPOS;
}

const Campo* buscar(const std::string& nombre) {
    int i = orden_de(nombre);
    return i < NUM_CAMPOS ? &CAMPOS[i] : nullptr;
}

}  // namespace

std::string leer_ordenes(int argc, const char* const argv[], Ordenes& o) {
    o = Ordenes{};
    bool ayuda = false, version = false, exportar = false;
    std::vector<std::string> experimentales;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--", 0) != 0) {
            o.resto.push_back(a);
            continue;
        }
        std::string nombre = a.substr(2);
        if (nombre == "help" || nombre == "ayuda") {
            ayuda = true;
            continue;
        }
        if (nombre == "version") {
            version = true;
            continue;
        }
        if (nombre == "experimental") {
            o.experimental = true;
            continue;
        }
        if (nombre == "sin-datos") {
            o.sin_datos = true;
            continue;
        }
        const Campo* op = buscar(nombre);
        if (!op && nombre != "exportar" && nombre != "tamano") return "opcion desconocida: " + a;
        if (i + 1 >= argc) return "falta el valor de " + a;
        std::string valor = argv[++i];
        if (nombre == "exportar") {
            exportar = true;
            o.archivo = valor;
        } else if (nombre == "tamano") {
            o.tamano = valor;
        } else {
            o.valores.emplace_back(nombre, valor);
            if (op->opcion_experimental) experimentales.push_back(a);
        }
    }
    if (ayuda) {
        o.accion = Ordenes::AYUDA;
        return "";
    }
    if (version) {
        o.accion = Ordenes::VERSION;
        return "";
    }
    if (!exportar) {
        if (!o.valores.empty()) return "--" + o.valores.front().first + " solo vale con --exportar";
        if (!o.tamano.empty()) return "--tamano solo vale con --exportar";
        if (o.experimental) return "--experimental solo vale con --exportar";
        if (o.sin_datos) return "--sin-datos solo vale con --exportar";
        return "";
    }
    o.accion = Ordenes::EXPORTAR;
    // Applied in the panel's order, whatever the order typed: later fields may depend on earlier ones.
    std::stable_sort(o.valores.begin(), o.valores.end(),
                     [](const auto& a, const auto& b) { return orden_de(a.first) < orden_de(b.first); });
    if (o.archivo.empty()) return "--exportar necesita un nombre de archivo";
    if (!o.resto.empty()) return "argumento desconocido: " + o.resto.front();
    if (!o.experimental && !experimentales.empty()) return experimentales.front() + " solo vale con --experimental";
    return "";
}

std::string texto_ayuda() {
    std::string t =
        "Uso: ortanel [OPCIONES]\n"
        "Sin opciones abre el simulador del tallado de engranajes rectos con cremallera.\n"
        "\n"
        "  --help                  muestra esta ayuda y termina\n"
        "  --version               muestra la version y termina\n"
        "  --exportar ARCHIVO      talla el engranaje sin ventanas y lo guarda en ARCHIVO (.svg, .pdf, .png o .dxf)\n"
        "  --experimental          simulacion experimental (modulo libre y opciones de la cremallera)\n"
        "  --tamano P              ancho de la imagen PNG en pixeles (1200 por omision)\n"
        "  --sin-datos             solo el dibujo, sin el bloque de texto con los datos\n";
    for (int i = 0; i < NUM_CAMPOS; ++i) {
        const Campo& op = CAMPOS[i];
        if (!primera_de_su_opcion(op)) continue;
        std::string izquierda = std::string("  --") + op.opcion + " " + op.muestra;
        izquierda.resize(std::max<size_t>(izquierda.size() + 1, 26), ' ');
        t += izquierda + op.ayuda + (op.opcion_experimental ? " (con --experimental)" : "") + "\n";
    }
    return t;
}
