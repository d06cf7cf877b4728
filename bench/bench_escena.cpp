// Draw time of the fullest frame: 361 recorded rack positions plus the rack, 1000 x 660.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "frente/escena_gl.h"
#include "nucleo/estado.h"

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1000, 660);
    glutCreateWindow("bench");
    glViewport(0, 0, 1000, 660);

    QueSimula = SIMULACION_ESTANDAR;
    Z = 14, Rp = 7, Rc = 8, Rb = 5.75f, Angulo = 20, Paso = 3.14159265f;
    Origen = -12.5f, C_Desplaza = 4.5f, E_incremento = 1, E_angulo = 361;
    C_Paso_ON = C_Fondo_ON = 1;
    C_Historia_X.assign(362, 0.0f);
    for (int i = 1; i < 362; ++i) C_Historia_X[static_cast<size_t>(i)] = -3.1f + 0.122f * static_cast<float>(i % 52);

    const int cuadros = argc > 1 ? std::atoi(argv[1]) : 200;
    if (argc > 2) E_angulo = static_cast<float>(std::atof(argv[2]));
    std::vector<double> ms;
    for (int i = 0; i < cuadros + 10; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        dibujar_escena();
        glutSwapBuffers();
        glFinish();
        double d = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (i >= 10) ms.push_back(d);
    }
    std::sort(ms.begin(), ms.end());
    double mediana = ms[ms.size() / 2];
    std::printf("fullest frame (361 traces + rack, 1000x660): median %.2f ms over %d frames, p90 %.2f ms, "
                "%.1f%% of the 60 ms budget\n",
                mediana, cuadros, ms[ms.size() * 9 / 10], 100.0 * mediana / 60.0);
    return 0;
}
