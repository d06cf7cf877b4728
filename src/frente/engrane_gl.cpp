#include "engrane_gl.h"

#include <GL/freeglut.h>

#include <cmath>
#include <string>
#include <vector>

#include "ayudas_gl.h"
#include "mecanismos_gl.h"
#include "nucleo/engrane_escena.h"
#include "nucleo/estado.h"
#include "idioma/idioma.h"

namespace {

constexpr double GRADOS = 180.0 / 3.141592653589793;

void color(const float c[3]) { glColor3f(c[0], c[1], c[2]); }

// The triangles filled, then their edges drawn as lines: where the outline was cut into pieces a
// corner of one triangle may lie on the edge of another, and the hairline between them is closed.
void triangulos(const std::vector<float>& t) {
    if (t.size() < 6) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, t.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(t.size() / 2));
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(t.size() / 2));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// An outline's triangles turned and moved to where the scene puts them, moved a further dx along x.
void pieza(const std::vector<float>& t, const Lugar& l, double dx = 0) {
    glPushMatrix();
    glTranslated(l.centro.x + dx, l.centro.y, 0);
    glRotated(l.giro * GRADOS, 0, 0, 1);
    triangulos(t);
    glPopMatrix();
}

void circulo(const Circulo2& c, const float col[3]) {
    glPushMatrix();
    glTranslated(c.centro.x, c.centro.y, 0);
    Circunferencia(static_cast<float>(c.radio), col);
    glPopMatrix();
}

void segmento(const Segmento2& s) {
    glBegin(GL_LINES);
    glVertex2d(s.a.x, s.a.y);
    glVertex2d(s.b.x, s.b.y);
    glEnd();
}

// A square mark of `lado` scene units about p.
void marca(Punto2 p, double lado) {
    double h = lado / 2;
    glBegin(GL_QUADS);
    glVertex2d(p.x - h, p.y - h);
    glVertex2d(p.x + h, p.y - h);
    glVertex2d(p.x + h, p.y + h);
    glVertex2d(p.x - h, p.y + h);
    glEnd();
}

// A point of the line of action with its name beside it.
void punto(Punto2 p, const char* nombre, double lado) {
    marca(p, lado);
    glRasterPos2d(p.x + lado, p.y + lado);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(nombre));
}

}  // namespace

void dibujar_engrane(const ParMostrado& p) {
    const Engrane& e = *p.engrane;
    const Instante& s = instante_engrane(p);
    EscenaEngrane esc = escena_engrane(e, s);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    CajaVista c = caja_engrane(marco_engrane(e.teoria(), e.rueda1(), e.rueda2()), trans, vp[2], vp[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(c.izquierda, c.derecha, c.abajo, c.arriba, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Marks a few pixels across whatever the zoom.
    double pixel = vp[2] > 0 ? (c.derecha - c.izquierda) / vp[2] : 0.01;

    color(ColorEngranaje);
    pieza(p.triangulos1, esc.lugar1);
    if (esc.cremallera) {
        color(ColorCremallera);
        double paso = PI * e.rueda1().m;
        for (double dx : copias_cremallera(esc.lugar2.centro.x + p.izquierda2, p.derecha2 - p.izquierda2, paso,
                                           c.izquierda, c.derecha))
            pieza(p.triangulos2, esc.lugar2, dx);
    } else {
        color(COLOR_RUEDA2);
        pieza(p.triangulos2, esc.lugar2);
    }

    for (const Circulo2& k : esc.bases) circulo(k, ColorCirBase);
    for (const Circulo2& k : esc.primitivas) circulo(k, ColorCirPaso);
    color(ColorCirPaso);
    for (const Segmento2& l : esc.lineas_paso) segmento(l);
    color(COLOR_LINEA_ENGRANE);
    segmento(esc.accion);
    punto(esc.T1, "T1", 4 * pixel);
    if (!esc.cremallera) punto(esc.T2, "T2", 4 * pixel);
    punto(esc.A, "A", 4 * pixel);
    punto(esc.E, "E", 4 * pixel);
    punto(esc.C, "C", 4 * pixel);
    if (esc.interferencia) {
        color(COLOR_INTERFERENCIA);
        marca(esc.donde, 9 * pixel);
    }
    color(COLOR_CONTACTO);
    for (const Punto2& k : esc.contactos) marca(k, 7 * pixel);

    std::vector<std::string> lectura = {texto_pares(s)};
    for (const std::string& l : lectura_engrane(e.teoria(), &p.medidas))
        if (l != _("Interferencia")) lectura.push_back(l);
    std::vector<std::string> avisos;
    if (esc.interferencia) avisos.push_back(_("Interferencia"));
    Rotulos(c, vp[2], vp[3], leyenda_engrane(), avisos, lectura);
}
