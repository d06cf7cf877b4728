// Draw time of a frame against the number of recorded rack positions, for the cut
// drawn in full every frame and for the cut kept as an image, at one window size.
// Usage: bench_escena [width height [frames [pared] [minimo]]] under an X server at least that large.
// Each frame is timed by the processor time of the process (renderer threads included),
// which other work on a shared machine disturbs less; "pared" times it by the clock.
// Each figure is the median of its frames, or with "minimo" the least of them.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "frente/escena_gl.h"
#include "frente/imagen_corte_gl.h"
#include "nucleo/estado.h"

namespace {

// Processor time of the whole process (the software renderer's threads included), in ms.
double ms_cpu() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

bool por_cpu = true;

// One frame drawn and shown; its processor time, or its wall time when asked.
double cuadro() {
    auto t0 = std::chrono::steady_clock::now();
    double c0 = ms_cpu();
    dibujar_escena();
    glutSwapBuffers();
    glFinish();
    if (por_cpu) return ms_cpu() - c0;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

bool minimo = false;

// The median of the frames, or their least when asked (what is left once other work is out of the way).
double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return minimo ? v.front() : v[v.size() / 2];
}

// Median of the rolling frames that bring the cut up to n positions: each turns the blank
// one step and records one more position, as in the automatic cut.
double rodando(int n, int cuadros) {
    E_angulo = static_cast<float>(std::max(0, n - cuadros));
    cuadro();
    std::vector<double> ms;
    for (int i = 0; i < cuadros; ++i) {
        if (E_angulo < static_cast<float>(n)) E_angulo += 1;
        ms.push_back(cuadro());
    }
    return mediana(ms);
}

// Median of frames with n positions and nothing new: the cut standing still.
double quieto(int n, int cuadros) {
    E_angulo = static_cast<float>(n);
    std::vector<double> ms;
    for (int i = 0; i < cuadros + 1; ++i) {
        double d = cuadro();
        if (i > 0) ms.push_back(d);
    }
    return mediana(ms);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    int ancho = argc > 2 ? std::atoi(argv[1]) : 1000, alto = argc > 2 ? std::atoi(argv[2]) : 660;
    int cuadros = argc > 3 ? std::atoi(argv[3]) : 20;
    for (int i = 4; i < argc; ++i) {
        if (std::string(argv[i]) == "pared") por_cpu = false;
        if (std::string(argv[i]) == "minimo") minimo = true;
    }
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(ancho, alto);
    glutCreateWindow("bench");
    glViewport(0, 0, ancho, alto);

    // The default gear (14 teeth, module 1, 20°) at full depth, 1° a step.
    QueSimula = SIMULACION_ESTANDAR;
    Z = 14, Rp = 7, Rc = 8, Rb = 5.75f, Angulo = 20, Paso = 3.14159265f;
    Origen = -12.5f, C_Desplaza = 4.5f, E_incremento = 1, E_angulo = 0;
    C_Paso_ON = C_Fondo_ON = 1;
    C_Historia_X.assign(362, 0.0f);
    for (int i = 1; i < 362; ++i) C_Historia_X[static_cast<size_t>(i)] = -3.1f + 0.122f * static_cast<float>(i % 52);
    glClearColor(ColorFondo[0], ColorFondo[1], ColorFondo[2], 1);
    for (int i = 0; i < 10; ++i) cuadro();

    const int largos[] = {0, 90, 180, 361};
    std::printf("%d x %d, %s %s of a frame in ms (%d frames each)\n", ancho, alto, minimo ? "least" : "median",
                por_cpu ? "processor time" : "wall time", cuadros);
    std::printf("%-40s %8s %8s %8s %8s %12s\n", "positions", "0", "90", "180", "361", "361 / 0");
    for (int con : {0, 1}) {
        usar_imagen_corte(con != 0);
        double r[4];
        for (int i = 0; i < 4; ++i) r[i] = rodando(largos[i], cuadros);
        std::printf("%-40s %8.2f %8.2f %8.2f %8.2f %12.2f\n",
                    con ? "image, rolling (one new position)" : "full drawing, rolling", r[0], r[1], r[2], r[3],
                    r[3] / r[0]);
        if (!con) continue;
        for (int i = 0; i < 4; ++i) r[i] = quieto(largos[i], cuadros);
        std::printf("%-40s %8.2f %8.2f %8.2f %8.2f %12.2f\n", "image, still", r[0], r[1], r[2], r[3], r[3] / r[0]);
    }
    // A zoom or a resize redraws the image from the whole history once.
    std::vector<double> ms;
    E_angulo = 361;
    for (int i = 0; i < cuadros; ++i) {
        trans[2] = (i % 2) ? 0.0f : 0.5f;
        ms.push_back(cuadro());
    }
    std::printf("image redrawn from 361 positions (every frame of a zoom drag): %.2f ms\n", mediana(ms));
    trans[2] = 0;
    return 0;
}
