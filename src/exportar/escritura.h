// Writing a file without ever leaving half of it: the bytes, made in memory beforehand,
// go to a temporary file beside the target, which is flushed to the disk and renamed over
// the target only once every byte is written. A failure removes the temporary file and
// leaves any existing target as it was, byte for byte.
#pragma once

#include <string>

namespace exportar {

// A temporary file ".ortanel-XXXXXX" in a directory, removed when this object goes
// unless it was renamed over its target, and removed too when SIGINT or SIGTERM ends
// the process meanwhile (the signal then does what it did before). One at a time.
class Temporal {
public:
    // Creates the file; `fallo()` says why it could not.
    explicit Temporal(const std::string& directorio);
    ~Temporal();
    Temporal(const Temporal&) = delete;
    Temporal& operator=(const Temporal&) = delete;

    const std::string& fallo() const { return fallo_; }
    const std::string& ruta() const { return ruta_; }

    // Writes every byte, flushes the file to the disk and renames it over `destino`.
    // Returns "" or the first thing that failed, in words.
    std::string confirmar(const std::string& contenido, const std::string& destino);

private:
    void soltar();
    std::string ruta_, fallo_;
    int fd_ = -1;
};

// Writes `contenido` as the whole file `destino`. Returns "" or the reason the target
// could not be written, naming the target or its directory.
std::string escribir_seguro(const std::string& destino, const std::string& contenido);

// Whether a file could be written at `destino` now, before any work is spent on it: "" or
// the reason, worded as escribir_seguro words it.
std::string comprobar_destino(const std::string& destino);

}  // namespace exportar
