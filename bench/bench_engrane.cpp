// Cost of a frame with the mesh shown, against the finished cut's frame in the same run, at
// one window size: the pair turning a degree a frame (each frame places gear 2 anew from the
// outlines) and standing, for gear 2 of 14 and of 40 teeth and for the rack; and how long the
// pair takes to be built on its worker thread.
// Usage: bench_engrane [width height [frames]] under an X server at least that large. The
// window's size is read back and nothing is printed unless it is the size asked for.
// Each frame is timed by the processor time of the process (renderer threads included), the
// least of its frames, which other work on a shared machine disturbs least.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

#include "frente/escena_gl.h"
#include "nucleo/engrane_estado.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"

namespace {

double ms_cpu() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The least processor time of `cuadros` frames, each after `mover` (the motion of that frame).
template <class F>
double cuadros_de(int cuadros, F&& mover) {
    std::vector<double> ms;
    for (int i = 0; i < cuadros; ++i) {
        double c0 = ms_cpu();
        mover();
        dibujar_escena();
        glutSwapBuffers();
        glFinish();
        ms.push_back(ms_cpu() - c0);
    }
    return *std::min_element(ms.begin(), ms.end());
}

// The pair of the present values built, polled as the frames do; seconds of wall time it took.
double construir_par() {
    auto t0 = std::chrono::steady_clock::now();
    const ParMostrado* par = nullptr;
    Recogida r;
    while ((r = recoger_engrane(&par, nullptr)) == Recogida::CALCULANDO)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (r != Recogida::LISTO) {
        std::fprintf(stderr, "bench_engrane: the pair could not be built\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    int ancho = argc > 2 ? std::atoi(argv[1]) : 1000, alto = argc > 2 ? std::atoi(argv[2]) : 660;
    int cuadros = argc > 3 ? std::atoi(argv[3]) : 30;
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(ancho, alto);
    glutCreateWindow("bench");
    glutDisplayFunc([] {});
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    int pw = glutGet(GLUT_SCREEN_WIDTH), ph = glutGet(GLUT_SCREEN_HEIGHT);
    if (w != ancho || h != alto || pw < ancho || ph < alto) {
        std::fprintf(stderr, "bench_engrane: the window is %d x %d on a %d x %d screen, not %d x %d on it; no figures\n",
                     w, h, pw, ph, ancho, alto);
        return 1;
    }
    glViewport(0, 0, ancho, alto);

    // The default gear (14 teeth, module 1, 20°), cut to the end at 1° a step.
    QueSimula = SIMULACION_ESTANDAR;
    Z = 14, Rp = 7, Rc = 8, Rb = 5.75f, Angulo = 20, Paso = 3.14159265f;
    Origen = -12.5f, C_Paso_Y = 0.45f, E_incremento = 1;
    C_Paso_ON = C_Fondo_ON = 1;
    C_Historia_X.assign(static_cast<size_t>(entradas_historia(E_incremento)), 0.0f);
    C_Mueve = APROXIMACION;
    completar_corte();
    glClearColor(ColorFondo[0], ColorFondo[1], ColorFondo[2], 1);
    for (int i = 0; i < 5; ++i) cuadros_de(1, [] {});
    double corte = cuadros_de(cuadros, [] {});

    std::printf("%d x %d, least processor time of a frame in ms (%d frames each); the ended cut's frame: %.2f ms\n",
                ancho, alto, cuadros, corte);
    std::printf("%-22s %10s %14s %12s %14s %14s\n", "mesh with", "built (s)", "turning (ms)", "still (ms)",
                "turning / cut", "turning / 60 ms");
    struct {
        const char* nombre;
        int con, dientes;
    } casos[] = {{"a gear of 14 teeth", 0, 14}, {"a gear of 40 teeth", 0, 40}, {"the rack", 1, 14}};
    for (const auto& c : casos) {
        C_Engrane_ON = 1;
        Engrane_Con = c.con;
        Engrane_Dientes = c.dientes;
        Engrane_Giro = 0;
        double s = construir_par();
        cuadros_de(3, [] {});
        double girando = cuadros_de(cuadros, [] { girar_engrane(1); });
        double quieto = cuadros_de(cuadros, [] {});
        std::printf("%-22s %10.2f %14.2f %12.2f %14.2f %14.3f\n", c.nombre, s, girando, quieto, girando / corte,
                    girando / MS_POR_CUADRO);
    }
    return 0;
}
