#include "imagen_corte_gl.h"

#include <GL/freeglut.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "mecanismos_gl.h"
#include "nucleo/estado.h"
#include "nucleo/imagen_corte.h"

namespace {

// Largest side of the image: 4096² texels are 64 MB; a larger view gets coarser texels.
constexpr int LADO_MAXIMO = 4096;
constexpr int SEGMENTOS_ANILLO = 96;
const float BLANCO_OPACO[3] = {1, 1, 1};

struct FuncionesFbo {
    PFNGLGENFRAMEBUFFERSEXTPROC generar = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC enlazar = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC adjuntar = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC estado = nullptr;
};

enum class Soporte { SinProbar, Si, No };

struct Imagen {
    Soporte soporte = Soporte::SinProbar;
    FuncionesFbo fbo;
    GLuint marco = 0, textura = 0;
    int lado = 0;  // side of the texture as allocated
    int lado_maximo = 0;
    RegistroCorte registro;
    long dibujadas = 0;
};

Imagen imagen;

bool tiene_extension(const char* nombre) {
    const char* lista = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!lista) return false;
    std::size_t n = std::strlen(nombre);
    for (const char* p = std::strstr(lista, nombre); p; p = std::strstr(p + 1, nombre))
        if ((p == lista || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

void sin_imagen(const char* motivo) {
    imagen.soporte = Soporte::No;
    std::fprintf(stderr, "ortanel: %s; every frame draws the whole cut\n", motivo);
}

// The entry points of the framebuffer-object extension, once, with the window's context current.
bool preparar() {
    if (imagen.soporte != Soporte::SinProbar) return imagen.soporte == Soporte::Si;
    if (!tiene_extension("GL_EXT_framebuffer_object")) {
        sin_imagen("the graphics driver offers no framebuffer objects (GL_EXT_framebuffer_object)");
        return false;
    }
    FuncionesFbo& f = imagen.fbo;
    f.generar = reinterpret_cast<PFNGLGENFRAMEBUFFERSEXTPROC>(glutGetProcAddress("glGenFramebuffersEXT"));
    f.enlazar = reinterpret_cast<PFNGLBINDFRAMEBUFFEREXTPROC>(glutGetProcAddress("glBindFramebufferEXT"));
    f.adjuntar =
        reinterpret_cast<PFNGLFRAMEBUFFERTEXTURE2DEXTPROC>(glutGetProcAddress("glFramebufferTexture2DEXT"));
    f.estado =
        reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC>(glutGetProcAddress("glCheckFramebufferStatusEXT"));
    if (!f.generar || !f.enlazar || !f.adjuntar || !f.estado) {
        sin_imagen("the framebuffer-object functions could not be loaded");
        return false;
    }
    GLint maximo = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximo);
    imagen.lado_maximo = std::min(LADO_MAXIMO, static_cast<int>(maximo));
    f.generar(1, &imagen.marco);
    glGenTextures(1, &imagen.textura);
    imagen.soporte = Soporte::Si;
    return true;
}

// A texture of the key's side bound to the framebuffer object; false if the driver refuses it.
bool dimensionar(int lado) {
    if (lado == imagen.lado) return true;
    glBindTexture(GL_TEXTURE_2D, imagen.textura);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, lado, lado, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    imagen.fbo.enlazar(GL_FRAMEBUFFER_EXT, imagen.marco);
    imagen.fbo.adjuntar(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, imagen.textura, 0);
    GLenum estado = imagen.fbo.estado(GL_FRAMEBUFFER_EXT);
    imagen.fbo.enlazar(GL_FRAMEBUFFER_EXT, 0);
    imagen.lado = estado == GL_FRAMEBUFFER_COMPLETE_EXT ? lado : 0;
    return imagen.lado != 0;
}

// Draws positions [desde, hasta) of the plan into the image, clearing it first if asked.
void actualizar(const ClaveCorte& clave, const PlanCorte& plan, const std::vector<float>& trazas) {
    if (!plan.rehacer && plan.desde >= plan.hasta) return;
    GLint vista[4];
    glGetIntegerv(GL_VIEWPORT, vista);
    imagen.fbo.enlazar(GL_FRAMEBUFFER_EXT, imagen.marco);
    glViewport(0, 0, clave.lado, clave.lado);
    if (plan.rehacer) {
        GLfloat limpio[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, limpio);
        // White everywhere, so a filtered texel keeps its colour; the alpha marks the cut.
        glClearColor(1, 1, 1, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(limpio[0], limpio[1], limpio[2], limpio[3]);
    }
    CajaVista c = caja_imagen(clave);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(c.izquierda, c.derecha, c.abajo, c.arriba, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    float datos[NUM_DATOS];
    for (std::size_t i = plan.desde; i < plan.hasta; ++i) {
        colocar_en_imagen(datos, clave, i, trazas[i]);
        Cremallera(BLANCO_OPACO, datos, clave.recorte);
    }
    imagen.dibujadas += static_cast<long>(plan.hasta - plan.desde);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    imagen.fbo.enlazar(GL_FRAMEBUFFER_EXT, 0);
    glViewport(vista[0], vista[1], vista[2], vista[3]);
}

// The image turned with the blank, painting the background colour where it holds the cut.
void mostrar(const ClaveCorte& clave) {
    CajaVista c = caja_imagen(clave);
    glPushMatrix();
    glTranslatef(0, clave.centro_y, 0);
    glRotatef(E_angulo, 0, 0, 1);
    glTranslatef(0, -clave.centro_y, 0);
    glBindTexture(GL_TEXTURE_2D, imagen.textura);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glColor3f(ColorFondo[0], ColorFondo[1], ColorFondo[2]);
    // Only the ring between the nearest any position comes to the centre and the image's
    // edge can hold the cut: one strip of quads over it, its outer edge around the circle.
    double exterior = clave.radio / std::cos(PI / SEGMENTOS_ANILLO), interior = clave.interior;
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= SEGMENTOS_ANILLO; ++i) {
        double a = i * DOS_PI / SEGMENTOS_ANILLO, co = std::cos(a), si = std::sin(a);
        for (double r : {exterior, interior}) {
            double x = r * co, y = clave.centro_y + r * si;
            glTexCoord2d((x - c.izquierda) / (c.derecha - c.izquierda), (y - c.abajo) / (c.arriba - c.abajo));
            glVertex2d(x, y);
        }
    }
    glEnd();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

}  // namespace

bool dibujar_corte_guardado(const CajaVista& caja, int ancho, int alto) {
    if (!preparar()) return false;
    ClaveCorte clave = clave_corte(caja, ancho, alto, imagen.lado_maximo);
    // A degenerate view box leaves GL's projection as it was: the full drawing reproduces that.
    bool caja_valida = caja.derecha != caja.izquierda && caja.arriba != caja.abajo;
    if (clave.lado == 0 || !caja_valida) return false;
    if (!dimensionar(clave.lado)) {
        imagen.registro.olvidar();
        return false;
    }
    std::vector<float> trazas = trazas_corte();
    PlanCorte plan = imagen.registro.planificar(clave, trazas);
    actualizar(clave, plan, trazas);
    // Shown also while it holds nothing yet, so a frame costs the same from the first step to the last.
    mostrar(clave);
    return true;
}

long trazas_dibujadas_en_imagen() { return imagen.dibujadas; }
