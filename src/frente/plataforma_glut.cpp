#include "plataforma_glut.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xutil.h>

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
    void titular_ventana(const char* titulo) override { glutSetWindowTitle(titulo); }
};

PlataformaGlut glut;

}  // namespace

void usar_plataforma_glut() { usar_plataforma(&glut); }

void poner_clase_ventana(int ventana) {
    int previa = glutGetWindow();
    glutSetWindow(ventana);
    // GLUT makes the window's GL context current, which gives the X window behind it.
    Display* d = glXGetCurrentDisplay();
    GLXDrawable w = glXGetCurrentDrawable();
    if (d && w) {
        char nombre[] = "ortanel";
        XClassHint clase{nombre, nombre};
        XSetClassHint(d, w, &clase);
    }
    if (previa > 0) glutSetWindow(previa);
}
