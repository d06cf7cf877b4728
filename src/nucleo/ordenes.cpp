#include "ordenes.h"

#include <algorithm>

const char* const TEXTO_VERSION = "Ortanel 2.01";

namespace {

struct Opcion {
    const char* nombre;
    const char* valor;  // placeholder shown in the usage
    bool experimental;  // accepted only with --experimental
    const char* ayuda;
};

// The panel values the command line sets, in the order the panel shows them.
const Opcion OPCIONES[] = {
    {"dientes", "Z", false, "numero de dientes (entero, 14 por omision)"},
    {"modulo", "M", false, "modulo en mm: uno de la lista (1.00 ... 50.00); libre con --experimental"},
    {"diametro-primitivo", "D", true, "diametro de la circunferencia primitiva"},
    {"diametro-exterior", "D", true, "diametro exterior"},
    {"diametro-interior", "D", true, "diametro interior"},
    {"angulo", "A", false, "angulo de presion en grados (20 por omision)"},
    {"desplazamiento", "X", false, "coeficiente de desplazamiento del perfil (0 por omision)"},
    {"radio-cabeza", "R", true, "radio de cabeza del diente de la cremallera (ISO 6336)"},
    {"depresion", "P", true, "depresion lateral del diente (ISO 6336, necesita --radio-cabeza)"},
    {"angulo2", "A", true, "segundo angulo de presion del diente asimetrico (implica --asimetrico)"},
    {"flecha", "F", true, "flecha de la deformacion circular del flanco"},
    {"giro", "G", false, "angulo girado por tallada en grados (entero, 1 por omision)"},
};

int orden_de(const std::string& nombre) {
    int i = 0;
    for (const auto& o : OPCIONES) {
        if (nombre == o.nombre) return i;
        ++i;
    }
    return i;
}

const Opcion* buscar(const std::string& nombre) {
    for (const auto& o : OPCIONES)
        if (nombre == o.nombre) return &o;
    return nullptr;
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
        if (nombre == "asimetrico" || nombre == "sin-iso" || nombre == "sin-flecha") {
            (nombre == "asimetrico" ? o.asimetrico : nombre == "sin-iso" ? o.sin_iso : o.sin_flecha) = true;
            experimentales.push_back(a);
            continue;
        }
        const Opcion* op = buscar(nombre);
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
            if (op->experimental) experimentales.push_back(a);
            if (nombre == "angulo2") o.asimetrico = true;
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
        if (!experimentales.empty()) return experimentales.front() + " solo vale con --exportar";
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
        "  --sin-datos             solo el dibujo, sin el bloque de texto con los datos\n"
        "  --asimetrico            diente asimetrico: el segundo flanco con --angulo2 (con --experimental)\n"
        "  --sin-iso               sin el perfil de cabeza ISO 6336 (con --experimental)\n"
        "  --sin-flecha            sin la deformacion circular del flanco (con --experimental)\n";
    for (const auto& op : OPCIONES) {
        std::string izquierda = std::string("  --") + op.nombre + " " + op.valor;
        izquierda.resize(std::max<size_t>(izquierda.size() + 1, 26), ' ');
        t += izquierda + op.ayuda + (op.experimental ? " (con --experimental)" : "") + "\n";
    }
    return t;
}
