// Cost of the whole cut written as an animated GIF at 800 pixels, as `ortanel --animacion`
// writes it: wall and processor time, file size, picture count, peak memory; at 14 and 100
// teeth (module 1, 20°, 1° a step). Each case runs in a process of its own so that its peak
// memory is its own. The time of the cut alone, without pictures, is given beside it, and the
// ratio of the two. Then the pair in mesh (`--animacion --engrane`): Z = 14 with 30 teeth and
// Z = 20 with the rack, one turn at 800 pixels. The file is read back with giflib: a case whose
// file is not the size, the picture count and the data named is refused, not printed.
#include <gif_lib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "nucleo/animacion_corte.h"
#include "nucleo/animacion_engrane.h"
#include "nucleo/engrane_estado.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "nucleo/sesion.h"
#include "nucleo/tallado.h"

namespace {

using Reloj = std::chrono::steady_clock;

double segundos(Reloj::time_point a, Reloj::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double cpu() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

int medir(int dientes, const std::string& ruta) {
    sesion_abrir(SIMULACION_ESTANDAR);
    if (!sesion_fijar("dientes", std::to_string(dientes)).empty() || Z != static_cast<float>(dientes)) {
        std::fprintf(stderr, "bench_animacion: the panel did not take Z = %d\n", dientes);
        return 1;
    }
    // The cut alone, as completar_corte() makes it, with the outline kept at every step.
    contorno_tallado();
    auto t0 = Reloj::now();
    sesion_cortar();
    double corte = segundos(t0, Reloj::now());

    OpcionesAnimacion o;
    double c0 = cpu();
    t0 = Reloj::now();
    std::string fallo = animar_corte(ruta, o);
    double pared = segundos(t0, Reloj::now()), proceso = cpu() - c0;
    if (!fallo.empty()) {
        std::fprintf(stderr, "bench_animacion: %s\n", fallo.c_str());
        return 1;
    }
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    struct stat st {};
    stat(ruta.c_str(), &st);

    int error = 0;
    GifFileType* g = DGifOpenFileName(ruta.c_str(), &error);
    if (!g || DGifSlurp(g) != GIF_OK) {
        std::fprintf(stderr, "bench_animacion: the file written does not read back\n");
        return 1;
    }
    int ancho = g->SWidth, cuadros = g->ImageCount;
    DGifCloseFile(g, &error);
    if (ancho != o.ancho || Z != static_cast<float>(dientes)) {
        std::fprintf(stderr, "bench_animacion: measured %d px and Z = %g, not %d px and Z = %d\n", ancho, Z, o.ancho,
                     dientes);
        return 1;
    }
    std::printf("| Z = %d, %d px | %.2f s (processor %.2f s) | %.2f MB | %d | %.0f MB | %.2f s | %.1f |\n", dientes,
                ancho, pared, proceso, st.st_size / 1e6, cuadros, r.ru_maxrss / 1024.0, corte, pared / corte);
    return 0;
}

// The pair of the cut gear of z1 teeth with z2 (0: the rack), default options.
int medir_engrane(int z1, int z2, const std::string& ruta) {
    sesion_abrir(SIMULACION_ESTANDAR);
    if (!sesion_fijar("dientes", std::to_string(z1)).empty()) return 1;
    sesion_cortar();
    std::string fallo;
    const Engrane* e = engrane_actual(z2, 0, 0, &fallo);
    if (!e || e->rueda1().z != z1 || e->rueda2().z != z2) {
        std::fprintf(stderr, "bench_animacion: no pair %d/%d: %s\n", z1, z2, fallo.c_str());
        return 1;
    }
    OpcionesAnimacion o;
    double c0 = cpu();
    auto t0 = Reloj::now();
    fallo = animar_engrane(ruta, o, *e);
    double pared = segundos(t0, Reloj::now()), proceso = cpu() - c0;
    if (!fallo.empty()) {
        std::fprintf(stderr, "bench_animacion: %s\n", fallo.c_str());
        return 1;
    }
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    struct stat st {};
    stat(ruta.c_str(), &st);
    int error = 0;
    GifFileType* g = DGifOpenFileName(ruta.c_str(), &error);
    if (!g || DGifSlurp(g) != GIF_OK) {
        std::fprintf(stderr, "bench_animacion: the file written does not read back\n");
        return 1;
    }
    int ancho = g->SWidth, cuadros = g->ImageCount;
    DGifCloseFile(g, &error);
    if (ancho != o.ancho || cuadros != cuadros_del_engrane(o)) {
        std::fprintf(stderr, "bench_animacion: measured %d px and %d pictures, not %d px and %d\n", ancho, cuadros,
                     o.ancho, cuadros_del_engrane(o));
        return 1;
    }
    std::printf("| Z = %d with %s, %d px | %.2f s (processor %.2f s) | %.2f MB | %d | %.0f MB | | |\n", z1,
                z2 > 0 ? (std::to_string(z2) + " teeth").c_str() : "the rack", ancho, pared, proceso, st.st_size / 1e6,
                cuadros, r.ru_maxrss / 1024.0);
    return 0;
}

}  // namespace

int main() {
    char plantilla[] = "/tmp/ortanel-bench-XXXXXX";
    if (!mkdtemp(plantilla)) return 1;
    std::string dir = plantilla;
    std::printf("| Case | Write the GIF | Size | Pictures | Peak memory | Cut alone (outline kept) | Ratio |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    int estado_total = 0;
    struct Caso {
        int z1, z2;  // z2 < 0: the cut alone
    };
    for (Caso c : {Caso{14, -1}, Caso{100, -1}, Caso{14, 30}, Caso{20, 0}}) {
        pid_t pid = fork();
        if (pid == 0) {
            std::string ruta = dir + "/z" + std::to_string(c.z1) + "-" + std::to_string(c.z2) + ".gif";
            int r = c.z2 < 0 ? medir(c.z1, ruta) : medir_engrane(c.z1, c.z2, ruta);
            std::fflush(stdout);
            _exit(r);
        }
        int estado = 0;
        waitpid(pid, &estado, 0);
        if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) estado_total = 1;
    }
    std::system(("rm -rf " + dir).c_str());
    return estado_total;
}
