// The cut shown from the image kept between frames against every recorded position
// drawn again, read back from a real window under Xvfb.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frente/escena_gl.h"
#include "frente/imagen_corte_gl.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "prueba.h"

namespace {

constexpr int LADO = 660;
int ventana_gl = 0;

struct Imagen {
    int ancho = 0, alto = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* en(int x, int y) const { return &rgb[static_cast<size_t>((y * ancho + x) * 3)]; }
};

bool igual(const unsigned char* a, const unsigned char* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

// Whether the colour c shows in the 3 × 3 pixels around (x, y) of the image.
bool alrededor(const Imagen& im, int x, int y, const unsigned char* c) {
    if (!c) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                int px = x + dx, py = y + dy;
                if (px >= 0 && py >= 0 && px < im.ancho && py < im.alto && !igual(im.en(px, py), im.en(x, y))) return false;
            }
        return true;
    }
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < im.ancho && py < im.alto && igual(im.en(px, py), c)) return true;
        }
    return false;
}

// Whether the 5 × 5 pixels around (x, y) all have one colour: no edge passes there.
bool uniforme(const Imagen& im, int x, int y) { return alrededor(im, x, y, nullptr); }

struct Diferencia {
    int pixeles = 0;      // pixels of another colour
    int fuera_borde = 0;  // of which not along an edge both pictures share
    int corte = 0;        // background-coloured pixels inside the blank in the full drawing
};

class ImagenCorteGL : public Programa {
protected:
    int ancho = LADO, alto = LADO;
    void SetUp() override {
        Programa::SetUp();
        glutSetWindow(ventana_gl);
        usar_imagen_corte(true);
    }
    void TearDown() override {
        usar_imagen_corte(true);
        Programa::TearDown();
    }
    Imagen dibujar(bool con_imagen) {
        glViewport(0, 0, ancho, alto);
        glClearColor(ColorFondo[0], ColorFondo[1], ColorFondo[2], 1);
        usar_imagen_corte(con_imagen);
        dibujar_escena();
        usar_imagen_corte(true);
        glFinish();
        Imagen im;
        im.ancho = ancho;
        im.alto = alto;
        im.rgb.assign(static_cast<size_t>(ancho * alto * 3), 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, ancho, alto, GL_RGB, GL_UNSIGNED_BYTE, im.rgb.data());
        return im;
    }
    // A frame as the program draws it, then the same scene drawn in full.
    Diferencia comparar() {
        Imagen guardada = dibujar(true);
        Imagen completa = dibujar(false);
        Diferencia d;
        unsigned char fondo[3] = {static_cast<unsigned char>(ColorFondo[0] * 255 + 0.5f),
                                  static_cast<unsigned char>(ColorFondo[1] * 255 + 0.5f),
                                  static_cast<unsigned char>(ColorFondo[2] * 255 + 0.5f)};
        for (int y = 0; y < alto; ++y)
            for (int x = 0; x < ancho; ++x) {
                const unsigned char *a = guardada.en(x, y), *b = completa.en(x, y);
                if (!uniforme(completa, x, y)) ++d.corte;
                if (igual(a, b)) continue;
                ++d.pixeles;
                if (uniforme(completa, x, y)) { ++d.fuera_borde;
                if (getenv("VER")) std::printf("  %d,%d cached %d %d %d full %d %d %d\n", x, y, a[0],a[1],a[2],b[0],b[1],b[2]); }
            }
        if (getenv("PARCHE")) { int px = atoi(getenv("PARCHE")), py = atoi(strchr(getenv("PARCHE"), ',') + 1);
            for (int y = py + 4; y >= py - 4; --y) { for (int x = px - 6; x <= px + 6; ++x) { const unsigned char* a = guardada.en(x, y); std::printf("%c", a[0] > 200 ? (a[1] > 200 ? 'Y' : 'r') : '.'); }
                std::printf("   "); for (int x = px - 6; x <= px + 6; ++x) { const unsigned char* a = completa.en(x, y); std::printf("%c", a[0] > 200 ? (a[1] > 200 ? 'Y' : 'r') : '.'); } std::printf("\n"); } }
        std::printf("diff %d off-edge %d background %d\n", d.pixeles, d.fuera_borde, d.corte);
        return d;
    }
    // Moves of the motion, each followed by a frame as the program draws it.
    void mover(int n) {
        for (int i = 0; i < n && C_Mueve != TERMINADO; ++i) {
            idle();
            dibujar(true);
        }
    }
};

}  // namespace

TEST_F(ImagenCorteGL, ALoLargoDelCorte) {
    elegir(SIMULACION_ESTANDAR);
    comparar();
    glui_AutoOnOff->user_press();
    mover(40);
    comparar();
    mover(100000);
    comparar();
    glui_Ant->user_press();
    idle(); idle(); idle();
    comparar();
    trans[0] = 1.3f; trans[1] = -0.7f;
    comparar();
    trans[2] = -6;
    comparar();
    trans[2] = -19;
    comparar();
    trans[2] = -17.5;
    comparar();
    trans[2] = 3;
    comparar();
    glui_Elementos->user_select(0);
    glui_Rojo->user_set(0.2f);
    comparar();
    ancho = 500; alto = 380;
    comparar();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(LADO, LADO);
    ventana_gl = glutCreateWindow("pruebas");
    return RUN_ALL_TESTS();
}
