#include "ayudas_gl.h"

#include <GL/gl.h>

#include "nucleo/escena.h"

void Evolvente(const float color[3]) {
    glColor3f(color[0], color[1], color[2]);
    for (const std::vector<Punto>& linea : flancos_evolvente(evolvente_actual())) {
        glBegin(GL_LINE_STRIP);
        for (const Punto& p : linea) glVertex2f(p.x, p.y);
        glEnd();
    }
}
