#include "escritura.h"
#include "idioma/idioma.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
        case EFBIG: return _("el archivo supera el tamano permitido");
        case EDQUOT: return _("cuota de disco superada");
        default: return std::strerror(e);
    }
}

// The temporary file a signal handler removes; empty when none. A fixed buffer, since
// the handler may only call what is safe in a signal.
char temporal_vivo[PATH_MAX + 1];
const int SENALES[] = {SIGINT, SIGTERM};
struct sigaction anteriores[2];
bool atrapadas[2];

void al_recibir(int senal) {
    if (temporal_vivo[0] != '\0') unlink(temporal_vivo);
    temporal_vivo[0] = '\0';
    for (int i = 0; i < 2; ++i)
        if (SENALES[i] == senal) sigaction(senal, &anteriores[i], nullptr);
    // Blocked while this handler runs: delivered on return, with the disposition put back.
    raise(senal);
}

void atrapar(const std::string& ruta) {
    std::snprintf(temporal_vivo, sizeof temporal_vivo, "%s", ruta.c_str());
    for (int i = 0; i < 2; ++i) {
        struct sigaction previa {};
        sigaction(SENALES[i], nullptr, &previa);
        // A signal the process ignores stays ignored.
        atrapadas[i] = previa.sa_handler != SIG_IGN;
        if (!atrapadas[i]) continue;
        struct sigaction nueva {};
        nueva.sa_handler = al_recibir;
        sigemptyset(&nueva.sa_mask);
        sigaction(SENALES[i], &nueva, &anteriores[i]);
    }
}

void liberar() {
    for (int i = 0; i < 2; ++i)
        if (atrapadas[i]) sigaction(SENALES[i], &anteriores[i], nullptr);
    temporal_vivo[0] = '\0';
}

}  // namespace

Temporal::Temporal(const std::string& directorio) {
    std::string plantilla = directorio + "/.ortanel-XXXXXX";
    std::vector<char> ruta(plantilla.begin(), plantilla.end());
    ruta.push_back('\0');
    // Signals are held while the name is made and recorded, so none finds it unrecorded.
    sigset_t todas, previas;
    sigemptyset(&todas);
    sigaddset(&todas, SIGINT);
    sigaddset(&todas, SIGTERM);
    sigprocmask(SIG_BLOCK, &todas, &previas);
    fd_ = mkstemp(ruta.data());
    int error = errno;
    if (fd_ >= 0) {
        ruta_ = ruta.data();
        atrapar(ruta_);
    }
    sigprocmask(SIG_SETMASK, &previas, nullptr);
    if (fd_ < 0)
        fallo_ = formato(_("no se puede escribir en el directorio '%s': %s"), directorio.c_str(), motivo(error).c_str());
}

Temporal::~Temporal() { soltar(); }

void Temporal::soltar() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!ruta_.empty()) {
        unlink(ruta_.c_str());
        liberar();
    }
    ruta_.clear();
}

std::string Temporal::confirmar(const std::string& contenido, const std::string& destino) {
    if (fd_ < 0) return fallo_.empty() ? _("no hay archivo temporal") : fallo_;
    // Over the size limit a write fails with EFBIG instead of ending the process.
    struct sigaction ignorar {}, previa {};
    ignorar.sa_handler = SIG_IGN;
    sigemptyset(&ignorar.sa_mask);
    sigaction(SIGXFSZ, &ignorar, &previa);
    std::string fallo;
    const char* p = contenido.data();
    size_t quedan = contenido.size();
    while (fallo.empty() && quedan > 0) {
        ssize_t n = write(fd_, p, quedan);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fallo = motivo(n < 0 ? errno : ENOSPC);
        else {
            p += n;
            quedan -= static_cast<size_t>(n);
        }
    }
    sigaction(SIGXFSZ, &previa, nullptr);
    if (fallo.empty() && fsync(fd_) != 0) fallo = motivo(errno);
    if (fallo.empty()) {
        // The new file gets the permissions an ordinary new file would have.
        mode_t mascara = umask(0);
        umask(mascara);
        fchmod(fd_, 0666 & ~mascara);
    }
    int cierre = close(fd_);
    fd_ = -1;
    if (fallo.empty() && cierre != 0) fallo = motivo(errno);
    if (fallo.empty() && std::rename(ruta_.c_str(), destino.c_str()) != 0) fallo = motivo(errno);
    if (!fallo.empty()) {
        soltar();
        return fallo;
    }
    liberar();
    ruta_.clear();
    // The rename itself reaches the disk with its directory; a directory that cannot be
    // flushed does not undo a file already in place.
    int dir = open(directorio_de(destino).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return "";
}

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

std::string escribir_seguro(const std::string& destino, const std::string& contenido) {
    std::string nombre = nombre_de(destino);
    if (nombre.empty()) return formato(_("falta el nombre del archivo en '%s'"), destino.c_str());
    struct stat st {};
    if (stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return formato(_("'%s' es un directorio"), destino.c_str());
    Temporal t(directorio_de(destino));
    if (!t.fallo().empty()) return t.fallo();
    std::string fallo = t.confirmar(contenido, destino);
    return fallo.empty() ? "" : formato(_("no se puede escribir '%s': %s"), destino.c_str(), fallo.c_str());
}

}  // namespace exportar
