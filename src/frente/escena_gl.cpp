#include "escena_gl.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "ayudas_gl.h"
#include "engrane_gl.h"
#include "imagen_corte_gl.h"
#include "mecanismos_gl.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"

namespace {

bool con_imagen = true;

// Every recorded position drawn again in the background colour.
void dibujar_corte_completo(const CajaVista& c, const GLint vp[4]) {
    // Outside the blank and its circles the traces paint background over background:
    // the scissor spares that work and leaves the picture as it is.
    float alcance = radio_alcance();
    bool recortar = c.derecha > c.izquierda && c.arriba > c.abajo;
    if (recortar) {
        double r = alcance;
        auto px = [](double v) { return v == v ? static_cast<int>(std::clamp(v, -1e6, 1e6)) : 0; };
        int x0 = px(std::floor(vp[0] + (-r - c.izquierda) / (c.derecha - c.izquierda) * vp[2])) - 2;
        int x1 = px(std::ceil(vp[0] + (r - c.izquierda) / (c.derecha - c.izquierda) * vp[2])) + 2;
        int y0 = px(std::floor(vp[1] + (-r - c.abajo) / (c.arriba - c.abajo) * vp[3])) - 2;
        int y1 = px(std::ceil(vp[1] + (r - c.abajo) / (c.arriba - c.abajo) * vp[3])) + 2;
        glEnable(GL_SCISSOR_TEST);
        glScissor(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
    }
    float datos[NUM_DATOS];
    llenar_datos(datos);
    recorrer_trazas(datos, [alcance](const float* d) { Cremallera(ColorFondo, d, alcance); });
    if (recortar) glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void usar_imagen_corte(bool si) { con_imagen = si; }

void dibujar_pieza() {
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
    if (!con_imagen || !dibujar_corte_guardado(c, vp[2], vp[3])) dibujar_corte_completo(c, vp);
    // The circles over the cut, thin, so that they show all the way round.
    if (C_Paso_ON != 0) Circunferencia(Rp, ColorCirPaso);
    if (C_Fondo_ON != 0) Circunferencia(radio_circ_fondo(), ColorCirFondo);
    if (C_Base_ON != 0) Circunferencia(radio_base_actual(), ColorCirBase);
}

void dibujar_escena() {
    // The mesh in place of the cut once its pair is built; until then the finished cut.
    const ParMostrado* par = nullptr;
    if (engrane_en_vista(&par) && par) {
        dibujar_engrane(*par);
        return;
    }
    dibujar_pieza();
    // What is drawn over the cut gear, under the rack, goes here.
    if (C_Fantasma_ON != 0) Fantasma(COLOR_FANTASMA);
    if (C_Evolvente_ON != 0) Evolvente(ColorEvolvente);
    llenar_datos(C_Datos);
    colocar_actual(C_Datos);
    Cremallera(ColorCremallera, C_Datos);
    // The legend, the warnings and the scale bar over everything, in the drawing's pixels.
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    Rotulos(caja_proyeccion(Origen, trans, vp[2], vp[3]), vp[2], vp[3]);
}

void mainDisplay() {
    auto inicio = std::chrono::steady_clock::now();
    dibujar_escena();
    if (glutGetWindow() != winIdMain) glutSetWindow(winIdMain);
    glutSwapBuffers();
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
