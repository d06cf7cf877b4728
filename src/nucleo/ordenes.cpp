#include "ordenes.h"

#include <algorithm>

#include "campos.h"
#include "exportar/hoja.h"
#include "idioma/idioma.h"

const char* const TEXTO_VERSION = "Ortanel 2.01";

namespace {

struct Opcion {
    const char* nombre;
    const char* valor;  // placeholder shown in the usage
    bool experimental;  // accepted only with --experimental
    const char* ayuda;
};

// The options that are not panel values, in the order the usage lists them.
const Opcion GENERALES[] = {
    {"help", "", false, N_("muestra esta ayuda y termina")},
    {"version", "", false, N_("muestra la version y termina")},
    {"exportar", N_("ARCHIVO"), false,
     N_("talla el engranaje sin ventanas y lo guarda en ARCHIVO (.svg, .pdf, .png o .dxf)")},
    {"animacion", N_("ARCHIVO"), false,
     N_("talla el engranaje sin ventanas y guarda todo el tallado como GIF animado")},
    {"experimental", "", false, N_("simulacion experimental (modulo libre y opciones de la cremallera)")},
    {"tamano", "P", false, N_("ancho de la imagen en pixeles (PNG: 1200 por omision; GIF: 800, hasta 8000)")},
    {"hoja", N_("HOJA"), false,
     N_("PDF en A4 con la tabla de datos: a4 (1:1 si cabe) o a4-ampliada (la mayor escala)")},
    {"escala", "N:M", false, N_("con --hoja: la escala del dibujo, como 2:1 o 1:5")},
    {"sin-datos", "", false, N_("solo el dibujo, sin el bloque de texto con los datos")},
    {"asimetrico", "", true, N_("diente asimetrico: el segundo flanco con --angulo2")},
    {"sin-iso", "", true, N_("sin el perfil de cabeza ISO 6336")},
    {"sin-flecha", "", true, N_("sin la deformacion circular del flanco")},
    {"paso", "N", false, N_("GIF: un cuadro cada N movimientos (unos 240 cuadros por omision)")},
    {"retardo", "CS", false, N_("GIF: centesimas de segundo entre cuadros (4 por omision)")},
    {"con-retorno", "", false, N_("GIF: muestra tambien la retirada y el retorno de la cremallera")},
    {"idioma", "L", false, N_("idioma de los textos: es (espanol) o en (ingles); por omision el del entorno")},
    {"informe", "", false, N_("escribe en la salida un informe JSON del engranaje (y del engrane)")},
    {"engrane", "Z2", false, N_("engrana con una rueda de Z2 dientes tallada igual (0: la cremallera)")},
    {"desplazamiento2", "X2", false, N_("coeficiente de desplazamiento de la rueda 2 (0 por omision)")},
    {"distancia", "A", false, N_("distancia entre centros en mm (la de funcionamiento por omision)")},
};

// One line of the usage: the option and its placeholder, then its help from column 26.
std::string linea_de_ayuda(const Opcion& op) {
    std::string izquierda = std::string("  --") + op.nombre;
    if (*op.valor) izquierda += std::string(" ") + _(op.valor);
    izquierda.resize(std::max<size_t>(izquierda.size() + 1, 26), ' ');
    return izquierda + _(op.ayuda) + (op.experimental ? _(" (con --experimental)") : "") + "\n";
}

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
    bool ayuda = false, version = false, exportar = false, animacion = false;
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
        if (nombre == "informe") {
            o.informe = true;
            continue;
        }
        if (nombre == "con-retorno") {
            o.con_retorno = true;
            continue;
        }
        const Campo* op = buscar(nombre);
        bool propia = nombre == "exportar" || nombre == "animacion" || nombre == "tamano" || nombre == "idioma" ||
                      nombre == "paso" || nombre == "retardo" || nombre == "engrane" || nombre == "hoja" || nombre == "escala" || nombre == "desplazamiento2" ||
                      nombre == "distancia";
        if (!op && !propia)
            return formato(_("opcion desconocida: %s"), a.c_str());
        if (i + 1 >= argc) return formato(_("falta el valor de %s"), a.c_str());
        std::string valor = argv[++i];
        if (nombre == "exportar") {
            exportar = true;
            o.archivo = valor;
        } else if (nombre == "animacion") {
            animacion = true;
            o.archivo = valor;
        } else if (nombre == "tamano") {
            o.tamano = valor;
        } else if (nombre == "hoja") {
            if (valor != "a4" && valor != "a4-ampliada" && valor != "ajustada")
                return formato(_("--hoja: '%s' no es una hoja conocida (a4, a4-ampliada, ajustada)"), valor.c_str());
            o.hoja = valor;
        } else if (nombre == "escala") {
            exportar::Escala e;
            if (!exportar::leer_escala(valor, e))
                return formato(_("--escala: '%s' no es una escala como 2:1 o 1:5 (hasta 1000)"), valor.c_str());
            o.escala = valor;
        } else if (nombre == "paso") {
            o.paso = valor;
        } else if (nombre == "retardo") {
            o.retardo = valor;
        } else if (nombre == "idioma") {
            idioma::Idioma l;
            if (!idioma::de_opcion(valor, l)) return formato(_("--idioma: '%s' no es un idioma disponible (es, en)"), valor.c_str());
            o.idioma = valor;
        } else if (nombre == "engrane") {
            o.engrane = valor;
        } else if (nombre == "desplazamiento2") {
            o.desplazamiento2 = valor;
        } else if (nombre == "distancia") {
            o.distancia = valor;
        } else {
            o.valores.emplace_back(nombre, valor);
            if (op->opcion_experimental) experimentales.push_back(a);
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
    if (exportar && animacion) return _("--exportar y --animacion no van juntas");
    if (!animacion) {
        const char* solo_animacion = _("%s solo vale con --animacion");
        if (!o.paso.empty()) return formato(solo_animacion, "--paso");
        if (!o.retardo.empty()) return formato(solo_animacion, "--retardo");
        if (o.con_retorno) return formato(solo_animacion, "--con-retorno");
    }
    if (!o.hoja.empty() && !exportar) return formato(_("%s solo vale con --exportar"), "--hoja");
    if (!o.escala.empty() && (o.hoja.empty() || o.hoja == "ajustada"))
        return formato(_("%s solo vale con --hoja a4"), "--escala");
    if (o.engrane.empty() && !o.desplazamiento2.empty()) return formato(_("%s solo vale con --engrane"), "--desplazamiento2");
    if (o.engrane.empty() && !o.distancia.empty()) return formato(_("%s solo vale con --engrane"), "--distancia");
    if (animacion && o.informe) return formato(_("%s no va con --animacion"), "--informe");
    if (!exportar && !animacion && !o.informe) {
        const char* solo = _("%s solo vale con --exportar o --animacion");
        if (!o.valores.empty()) return formato(solo, ("--" + o.valores.front().first).c_str());
        if (!o.engrane.empty()) return _("--engrane solo vale con --exportar, --animacion o --informe");
        if (!o.tamano.empty()) return formato(solo, "--tamano");
        if (o.experimental) return formato(solo, "--experimental");
        if (o.sin_datos) return formato(solo, "--sin-datos");
        if (!experimentales.empty()) return formato(solo, experimentales.front().c_str());
        return "";
    }
    if (!exportar && !animacion) {
        // The report alone: nothing is drawn.
        if (!o.tamano.empty()) return formato(_("%s solo vale con --exportar o --animacion"), "--tamano");
        if (o.sin_datos) return formato(_("%s solo vale con --exportar o --animacion"), "--sin-datos");
    }
    o.accion = animacion ? Ordenes::ANIMACION : Ordenes::EXPORTAR;
    // Applied in the panel's order, whatever the order typed: later fields may depend on earlier ones.
    std::stable_sort(o.valores.begin(), o.valores.end(),
                     [](const auto& a, const auto& b) { return orden_de(a.first) < orden_de(b.first); });
    if ((exportar || animacion) && o.archivo.empty())
        return exportar ? _("--exportar necesita un nombre de archivo") : _("--animacion necesita un nombre de archivo");
    if (!o.resto.empty()) return formato(_("argumento desconocido: %s"), o.resto.front().c_str());
    if (!o.experimental && !experimentales.empty())
        return formato(_("%s solo vale con --experimental"), experimentales.front().c_str());
    return "";
}

std::string texto_ayuda() {
    std::string t = std::string(_("Uso: ortanel [OPCIONES]")) + "\n" +
                    _("Sin opciones abre el simulador del tallado de engranajes rectos con cremallera.") + "\n\n";
    for (const auto& op : GENERALES) t += linea_de_ayuda(op);
    for (int i = 0; i < NUM_CAMPOS; ++i) {
        const Campo& c = CAMPOS[i];
        if (primera_de_su_opcion(c)) t += linea_de_ayuda({c.opcion, c.muestra, c.opcion_experimental, c.ayuda});
    }
    return t;
}
