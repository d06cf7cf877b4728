#include "mecanismos_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstring>
#include <cstddef>
#include <deque>
#include <vector>

#include "nucleo/mecanismos.h"

namespace {

GLUquadric* cuadrica() {
    static GLUquadric* q = gluNewQuadric();
    return q;
}

std::deque<std::array<GLdouble, 3>> vertices_nuevos;

void APIENTRY teselado_vertice(void* v) {
    const GLdouble* p = static_cast<const GLdouble*>(v);
    glVertex2f(static_cast<float>(p[0]), static_cast<float>(p[1]));
}

void APIENTRY teselado_combinar(GLdouble coords[3], void*[4], GLfloat[4], void** salida) {
    vertices_nuevos.push_back({coords[0], coords[1], coords[2]});
    *salida = vertices_nuevos.back().data();
}

GLUtesselator* teselador() {
    static GLUtesselator* t = [] {
        GLUtesselator* n = gluNewTess();
        gluTessCallback(n, GLU_TESS_BEGIN, reinterpret_cast<void(APIENTRY*)()>(glBegin));
        gluTessCallback(n, GLU_TESS_VERTEX, reinterpret_cast<void(APIENTRY*)()>(teselado_vertice));
        gluTessCallback(n, GLU_TESS_END, reinterpret_cast<void(APIENTRY*)()>(glEnd));
        gluTessCallback(n, GLU_TESS_COMBINE, reinterpret_cast<void(APIENTRY*)()>(teselado_combinar));
        gluTessProperty(n, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
        gluTessNormal(n, 0, 0, 1);
        return n;
    }();
    return t;
}

// A non-convex outline, filled over its true area.
void rellenar_concavo(const std::vector<Punto>& puntos) {
    std::vector<std::array<GLdouble, 3>> v(puntos.size());
    for (std::size_t i = 0; i < puntos.size(); ++i) v[i] = {puntos[i].x, puntos[i].y, 0.0};
    GLUtesselator* t = teselador();
    gluTessBeginPolygon(t, nullptr);
    gluTessBeginContour(t);
    for (auto& p : v) gluTessVertex(t, p.data(), p.data());
    gluTessEndContour(t);
    gluTessEndPolygon(t);
    vertices_nuevos.clear();
}

}  // namespace

void Cilindro(float radio, const float color[3]) {
    glPushMatrix();
    glColor3f(color[0], color[1], color[2]);
    gluDisk(cuadrica(), 0.1 * static_cast<double>(radio), static_cast<double>(radio), 60, 2);
    glPopMatrix();
}

void Circunferencia(float radio, const float color[3]) {
    glColor3f(color[0], color[1], color[2]);
    glBegin(GL_LINE_LOOP);
    for (const Punto& p : puntos_circunferencia(radio)) glVertex2f(p.x, p.y);
    glEnd();
}

// The outline in the rack's own frame depends only on slots 3 to 11: every recorded position
// of a frame shares it, so it is computed once and reused while those slots stay the same.
const std::vector<Contorno>& perfil(const float datos[NUM_DATOS_CREMALLERA]) {
    static float forma[NUM_DATOS_CREMALLERA - D_ALTURA] = {};
    static std::vector<Contorno> guardado;
    static bool valido = false;
    if (!valido || std::memcmp(forma, datos + D_ALTURA, sizeof forma) != 0) {
        std::memcpy(forma, datos + D_ALTURA, sizeof forma);
        guardado = perfil_cremallera(datos);
        valido = true;
    }
    return guardado;
}

void Cremallera(const float color[3], const float datos[NUM_DATOS_CREMALLERA], float radio_visible) {
    const std::vector<Contorno>& contornos = perfil(datos);
    Punto origen = origen_en_cremallera(datos);
    glPushMatrix();
    glColor3f(color[0], color[1], color[2]);
    glTranslatef(datos[D_X0], datos[D_Y0], 0.0f);
    glRotatef(datos[D_GIRO], 0.0f, 0.0f, 1.0f);
    // Every convex outline as a fan of triangles, all in one batch.
    glBegin(GL_TRIANGLES);
    for (const Contorno& c : contornos) {
        if (!c.convexo || c.puntos.size() < 3) continue;
        if (radio_visible > 0 && fuera_del_circulo(c.puntos, origen, radio_visible)) continue;
        for (std::size_t i = 2; i < c.puntos.size(); ++i) {
            glVertex2f(c.puntos[0].x, c.puntos[0].y);
            glVertex2f(c.puntos[i - 1].x, c.puntos[i - 1].y);
            glVertex2f(c.puntos[i].x, c.puntos[i].y);
        }
    }
    glEnd();
    for (const Contorno& c : contornos)
        if (!c.convexo) rellenar_concavo(c.puntos);
    glPopMatrix();
}
