#include "ayudas_gl.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <string>

#include "nucleo/avisos.h"
#include "nucleo/corte_anterior.h"
#include "nucleo/escena.h"
#include "nucleo/leyenda.h"
#include "nucleo/evolvente.h"

namespace {

void* const LETRA = GLUT_BITMAP_HELVETICA_12;
constexpr int MARGEN = 10, RENGLON = 16, ALTO_LETRA = 12;
const float COLOR_AVISO_DIBUJO[3] = {1.0f, 0.6f, 0.1f};

void texto(int x, int y, const std::string& t) {
    glRasterPos2i(x, y);
    glutBitmapString(LETRA, reinterpret_cast<const unsigned char*>(t.c_str()));
}

void lineas(const std::vector<std::vector<Punto>>& ls) {
    for (const std::vector<Punto>& l : ls) {
        glBegin(GL_LINE_STRIP);
        for (const Punto& p : l) glVertex2f(p.x, p.y);
        glEnd();
    }
}

}  // namespace

void Evolvente(const float color[3]) {
    glColor3f(color[0], color[1], color[2]);
    lineas(flancos_evolvente(evolvente_actual()));
}

void Fantasma(const float color[3]) {
    glColor3f(color[0], color[1], color[2]);
    for (const std::vector<Punto>& l : fantasma_actual()) {
        glBegin(GL_LINE_LOOP);
        for (const Punto& p : l) glVertex2f(p.x, p.y);
        glEnd();
    }
}

void Rotulos(const CajaVista& c, int ancho, int alto) { Rotulos(c, ancho, alto, leyenda(), avisos_dibujo()); }

void Rotulos(const CajaVista& c, int ancho, int alto, const std::vector<Rotulo>& ley, const std::vector<std::string>& avisos,
             const std::vector<std::string>& lectura) {
    if (ancho <= 0 || alto <= 0) return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, ancho, 0, alto, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // White on a dark background, black on a light one.
    double luz = 0.2126 * ColorFondo[0] + 0.7152 * ColorFondo[1] + 0.0722 * ColorFondo[2];
    float tinta = luz < 0.5 ? 1.0f : 0.0f;

    auto ancho_de = [](const std::string& t) {
        return glutBitmapLength(LETRA, reinterpret_cast<const unsigned char*>(t.c_str()));
    };
    // The left column's right end: the legend's lines and the reading under them.
    int fin_izquierda = 0, ancho_avisos = 0;
    for (const Rotulo& r : ley) fin_izquierda = std::max(fin_izquierda, MARGEN + 30 + ancho_de(r.texto));
    for (const std::string& l : lectura) fin_izquierda = std::max(fin_izquierda, MARGEN + ancho_de(l));
    for (const std::string& a : avisos) ancho_avisos = std::max(ancho_avisos, MARGEN + ancho_de(a));
    int renglones_izquierda = static_cast<int>(ley.size() + lectura.size());

    int y = alto - MARGEN - ALTO_LETRA;
    for (const Rotulo& r : ley) {
        glColor3f(r.color[0], r.color[1], r.color[2]);
        glBegin(GL_LINES);
        glVertex2f(MARGEN, y + 4.5f);
        glVertex2f(MARGEN + 24, y + 4.5f);
        glEnd();
        texto(MARGEN + 30, y, r.texto);
        y -= RENGLON;
    }
    glColor3f(tinta, tinta, tinta);
    for (const std::string& l : lectura) {
        texto(MARGEN, y, l);
        y -= RENGLON;
    }

    y = alto - MARGEN - ALTO_LETRA -
        RENGLON * renglon_avisos(ancho, fin_izquierda, renglones_izquierda, ancho_avisos, 2 * MARGEN);
    glColor3f(COLOR_AVISO_DIBUJO[0], COLOR_AVISO_DIBUJO[1], COLOR_AVISO_DIBUJO[2]);
    for (const std::string& a : avisos) {
        texto(ancho - MARGEN - ancho_de(a), y, a);
        y -= RENGLON;
    }

    BarraEscala b = barra_escala((c.derecha - c.izquierda) / ancho);
    if (b.pixeles > 0) {
        glColor3f(tinta, tinta, tinta);
        // Lines through pixel centres: the bar lies on the row MARGEN pixels above the bottom.
        float x0 = MARGEN, x1 = static_cast<float>(MARGEN + b.pixeles), y = MARGEN + 0.5f;
        glBegin(GL_LINES);
        glVertex2f(x0, y);
        glVertex2f(x1, y);
        glVertex2f(x0 + 0.5f, y - 4);
        glVertex2f(x0 + 0.5f, y + 5);
        glVertex2f(x1 - 0.5f, y - 4);
        glVertex2f(x1 - 0.5f, y + 5);
        glEnd();
        texto(MARGEN, MARGEN + 8, b.texto);
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
