#include "plataforma_glut.h"

#include <GL/freeglut.h>

#include "nucleo/estado.h"
#include "nucleo/plataforma.h"

namespace {

class PlataformaGlut : public Plataforma {
public:
    int ventana_actual() override { return glutGetWindow(); }
    void fijar_ventana(int id) override {
        if (id > 0) glutSetWindow(id);
    }
    void pedir_redibujo() override { glutPostRedisplay(); }
    void mostrar_ventana() override { glutShowWindow(); }
    void ocultar_ventana() override { glutHideWindow(); }
    int modificadores() override { return glutGetModifiers(); }
    void borrar_fondo(const float c[3]) override {
        glClearColor(c[0], c[1], c[2], 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void poner_titulo(const char* titulo) override {
        if (winIdMain <= 0) return;
        int previa = glutGetWindow();
        glutSetWindow(winIdMain);
        glutSetWindowTitle(titulo);
        if (previa > 0 && previa != winIdMain) glutSetWindow(previa);
    }
    bool area_dibujo(int vp[4], int& alto_ventana) override {
        if (winIdMain <= 0) return false;
        int previa = glutGetWindow();
        glutSetWindow(winIdMain);
        glGetIntegerv(GL_VIEWPORT, vp);
        alto_ventana = glutGet(GLUT_WINDOW_HEIGHT);
        if (previa > 0 && previa != winIdMain) glutSetWindow(previa);
        return vp[2] > 0 && vp[3] > 0;
    }
};

PlataformaGlut glut;

}  // namespace

void usar_plataforma_glut() { usar_plataforma(&glut); }
