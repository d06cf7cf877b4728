#include "escritura.h"
#include "idioma/idioma.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <vector>

namespace exportar {

namespace {

std::string directorio_de(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    if (barra == std::string::npos) return ".";
    if (barra == 0) return "/";
    return ruta.substr(0, barra);
}

std::string nombre_de(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

// The system's reason in the program's language, for the usual ones.
std::string motivo(int e) {
    switch (e) {
        case ENOENT: return _("no existe");
        case ENOTDIR: return _("no es un directorio");
        case EACCES:
        case EPERM: return _("permiso denegado");
        case EROFS: return _("sistema de archivos de solo lectura");
        case ENOSPC: return _("no queda espacio");
        default: return std::strerror(e);
    }
}

}  // namespace

std::string comprobar_destino(const std::string& destino) {
    std::string nombre = nombre_de(destino);
    if (nombre.empty()) return formato(_("falta el nombre del archivo en '%s'"), destino.c_str());
    struct stat st {};
    if (stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return formato(_("'%s' es un directorio"), destino.c_str());
    std::string dir = directorio_de(destino);
    int e = 0;
    if (stat(dir.c_str(), &st) != 0) e = errno;
    else if (!S_ISDIR(st.st_mode)) e = ENOTDIR;
    else if (access(dir.c_str(), W_OK | X_OK) != 0) e = errno;
    return e ? formato(_("no se puede escribir en el directorio '%s': %s"), dir.c_str(), motivo(e).c_str()) : "";
}

std::string escribir_seguro(const std::string& destino,
                            const std::function<std::string(const std::string&)>& escribir) {
    std::string nombre = nombre_de(destino);
    if (nombre.empty()) return formato(_("falta el nombre del archivo en '%s'"), destino.c_str());
    struct stat st {};
    if (stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return formato(_("'%s' es un directorio"), destino.c_str());

    std::string dir = directorio_de(destino);
    std::string plantilla = dir + "/." + nombre + ".XXXXXX";
    std::vector<char> ruta(plantilla.begin(), plantilla.end());
    ruta.push_back('\0');
    int fd = mkstemp(ruta.data());
    if (fd < 0) return formato(_("no se puede escribir en el directorio '%s': %s"), dir.c_str(), motivo(errno).c_str());
    close(fd);
    std::string temporal(ruta.data());

    std::string fallo = escribir(temporal);
    if (fallo.empty()) {
        // The new file gets the permissions an ordinary new file would have.
        mode_t mascara = umask(0);
        umask(mascara);
        chmod(temporal.c_str(), 0666 & ~mascara);
        if (std::rename(temporal.c_str(), destino.c_str()) != 0)
            fallo = formato(_("no se puede escribir '%s': %s"), destino.c_str(), motivo(errno).c_str());
    } else {
        fallo = formato(_("no se puede escribir '%s': %s"), destino.c_str(), fallo.c_str());
    }
    if (!fallo.empty()) std::remove(temporal.c_str());
    return fallo;
}

}  // namespace exportar
