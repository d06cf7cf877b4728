#include "escena_gl.h"

#include <GL/freeglut.h>

#include <chrono>
#include <thread>

#include "mecanismos_gl.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"

void dibujar_escena() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    CajaVista c = caja_proyeccion(Origen, trans, vp[2], vp[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(c.izquierda, c.derecha, c.abajo, c.arriba, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    Cilindro(radio_engranaje(), ColorEngranaje);
    if (C_Paso_ON != 0) Circunferencia(Rp, ColorCirPaso);
    if (C_Fondo_ON != 0) Circunferencia(radio_circ_fondo(), ColorCirFondo);

    llenar_datos(C_Datos);
    recorrer_trazas(C_Datos, [](const float* datos) { Cremallera(ColorFondo, datos); });
    colocar_actual(C_Datos);
    Cremallera(ColorCremallera, C_Datos);
}

void mainDisplay() {
    auto inicio = std::chrono::steady_clock::now();
    dibujar_escena();
    if (glutGetWindow() != winIdMain) glutSetWindow(winIdMain);
    glutPostRedisplay();
    glutSwapBuffers();
    // Sleep, not spin, for the rest of the frame.
    std::this_thread::sleep_until(inicio + std::chrono::milliseconds(MS_POR_CUADRO));
    fin = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio).count());
}

void initDisplay() {
    glClearColor(ColorFondo[0], ColorFondo[1], ColorFondo[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (Rc != 0) glOrtho(-2.0 * Rc, 2.0 * Rc, -2.0 * Rc, 2.0 * Rc, 1.0, -1.0);
    if (glutGetWindow() != winIdMain) glutSetWindow(winIdMain);
}

void mainReshape(int, int) { initDisplay(); }
