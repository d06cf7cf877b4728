#include "idioma.h"

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifndef ORTANEL_CARPETA_CATALOGOS
#define ORTANEL_CARPETA_CATALOGOS "/usr/local/share/locale"
#endif

namespace idioma {

namespace {

Idioma idioma_actual = Idioma::ESPANOL;

// "en", "en_GB", "en.UTF-8", "en@x": the language part is exactly this one.
bool es_lengua(const std::string& nombre, const char* lengua) {
    size_t n = std::strlen(lengua);
    if (nombre.compare(0, n, lengua) != 0) return false;
    return nombre.size() == n || nombre[n] == '_' || nombre[n] == '.' || nombre[n] == '@';
}

std::string variable(const char* nombre) {
    const char* v = std::getenv(nombre);
    return v ? v : "";
}

bool existe(const std::string& ruta) { return access(ruta.c_str(), R_OK) == 0; }

std::string carpeta_del_programa() {
    std::vector<char> ruta(4096);
    ssize_t n = readlink("/proc/self/exe", ruta.data(), ruta.size() - 1);
    if (n <= 0) return "";
    std::string exe(ruta.data(), static_cast<size_t>(n));
    size_t barra = exe.rfind('/');
    return barra == std::string::npos ? "" : exe.substr(0, barra);
}

bool mensajes_en_c() {
    const char* m = std::setlocale(LC_MESSAGES, nullptr);
    return !m || std::strcmp(m, "C") == 0 || std::strcmp(m, "POSIX") == 0;
}

}  // namespace

Idioma de_nombre(const std::string& nombre) { return es_lengua(nombre, "en") ? Idioma::INGLES : Idioma::ESPANOL; }

Idioma del_entorno() {
    std::string lista = variable("LANGUAGE");
    size_t i = 0;
    while (i < lista.size()) {
        size_t fin = lista.find(':', i);
        if (fin == std::string::npos) fin = lista.size();
        std::string entrada = lista.substr(i, fin - i);
        if (es_lengua(entrada, "en")) return Idioma::INGLES;
        if (es_lengua(entrada, "es")) return Idioma::ESPANOL;
        i = fin + 1;
    }
    for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string valor = variable(v);
        if (!valor.empty()) return de_nombre(valor);
    }
    return Idioma::ESPANOL;
}

bool de_opcion(const std::string& valor, Idioma& idioma) {
    if (valor == "es") idioma = Idioma::ESPANOL;
    else if (valor == "en") idioma = Idioma::INGLES;
    else return false;
    return true;
}

std::string carpeta_catalogos() {
    const std::string catalogo = std::string("/en/LC_MESSAGES/") + DOMINIO + ".mo";
    std::string exe = carpeta_del_programa();
    if (!exe.empty()) {
        for (const std::string& c : {exe + "/../share/locale", exe + "/locale"})
            if (existe(c + catalogo)) return c;
    }
    return ORTANEL_CARPETA_CATALOGOS;
}

void iniciar(Idioma idioma, const std::string& carpeta) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    if (idioma == Idioma::INGLES && mensajes_en_c())
        for (const char* l : {"C.UTF-8", "C.utf8", "en_US.UTF-8", "en_GB.UTF-8"})
            if (std::setlocale(LC_MESSAGES, l)) break;
    // LANGUAGE is what GNU gettext reads first once the messages' locale is not "C".
    setenv("LANGUAGE", idioma == Idioma::INGLES ? "en" : "es", 1);
    bindtextdomain(DOMINIO, (carpeta.empty() ? carpeta_catalogos() : carpeta).c_str());
    bind_textdomain_codeset(DOMINIO, "UTF-8");
    // Naming the domain again drops the translations looked up before the change.
    textdomain(DOMINIO);
    idioma_actual = idioma;
}

Idioma actual() { return idioma_actual; }

}  // namespace idioma

std::string formato(const char* plantilla, ...) {
    va_list a, b;
    va_start(a, plantilla);
    va_copy(b, a);
    int n = std::vsnprintf(nullptr, 0, plantilla, a);
    va_end(a);
    std::string r(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(r.data(), r.size() + 1, plantilla, b);
    va_end(b);
    return r;
}
