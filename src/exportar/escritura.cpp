#include "escritura.h"

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
        case ENOENT: return "no existe";
        case ENOTDIR: return "no es un directorio";
        case EACCES:
        case EPERM: return "permiso denegado";
        case EROFS: return "sistema de archivos de solo lectura";
        case ENOSPC: return "no queda espacio";
        default: return std::strerror(e);
    }
}

}  // namespace

std::string comprobar_destino(const std::string& destino) {
    std::string nombre = nombre_de(destino);
    if (nombre.empty()) return "falta el nombre del archivo en '" + destino + "'";
    struct stat st {};
    if (stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return "'" + destino + "' es un directorio";
    std::string dir = directorio_de(destino);
    int e = 0;
    if (stat(dir.c_str(), &st) != 0) e = errno;
    else if (!S_ISDIR(st.st_mode)) e = ENOTDIR;
    else if (access(dir.c_str(), W_OK | X_OK) != 0) e = errno;
    return e ? "no se puede escribir en el directorio '" + dir + "': " + motivo(e) : "";
}

std::string escribir_seguro(const std::string& destino,
                            const std::function<std::string(const std::string&)>& escribir) {
    std::string nombre = nombre_de(destino);
    if (nombre.empty()) return "falta el nombre del archivo en '" + destino + "'";
    struct stat st {};
    if (stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return "'" + destino + "' es un directorio";

    std::string dir = directorio_de(destino);
    std::string plantilla = dir + "/." + nombre + ".XXXXXX";
    std::vector<char> ruta(plantilla.begin(), plantilla.end());
    ruta.push_back('\0');
    int fd = mkstemp(ruta.data());
    if (fd < 0) return "no se puede escribir en el directorio '" + dir + "': " + motivo(errno);
    close(fd);
    std::string temporal(ruta.data());

    std::string fallo = escribir(temporal);
    if (fallo.empty()) {
        // The new file gets the permissions an ordinary new file would have.
        mode_t mascara = umask(0);
        umask(mascara);
        chmod(temporal.c_str(), 0666 & ~mascara);
        if (std::rename(temporal.c_str(), destino.c_str()) != 0)
            fallo = "no se puede escribir '" + destino + "': " + motivo(errno);
    } else {
        fallo = "no se puede escribir '" + destino + "': " + fallo;
    }
    if (!fallo.empty()) std::remove(temporal.c_str());
    return fallo;
}

}  // namespace exportar
