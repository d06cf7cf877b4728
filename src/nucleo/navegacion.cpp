#include "navegacion.h"

#include "estado.h"
#include "plataforma.h"

void mousePress(int button, int state, int x, int y) {
    int modificadores = plataforma().modificadores();
    if (state == SOLTADO) MoverGrafico = 0;
    if (state == PULSADO) {
        if (button == BOTON_IZQUIERDO) {
            if (modificadores == MOD_CTRL) {
                MoverGrafico = MOVER_ZOOM;
                mouse_y = y;
            } else {
                MoverGrafico = MOVER_PAN;
                mouse_x = x;
                mouse_y = y;
            }
        }
        if (button == BOTON_DERECHO) {
            MoverGrafico = MOVER_ZOOM;
            mouse_y = y;
        }
    }
}

void activeMouseMotion(int x, int y) {
    if (MoverGrafico == MOVER_PAN) {
        trans[0] = static_cast<float>(trans[0] + static_cast<double>(x - mouse_x) / PIXELES_POR_UNIDAD);
        trans[1] = static_cast<float>(trans[1] + static_cast<double>(mouse_y - y) / PIXELES_POR_UNIDAD);
        mouse_x = x;
        mouse_y = y;
        plataforma().pedir_redibujo();
    } else if (MoverGrafico == MOVER_ZOOM) {
        trans[2] = static_cast<float>(trans[2] + static_cast<double>(mouse_y - y) / PIXELES_POR_UNIDAD);
        mouse_y = y;
        plataforma().pedir_redibujo();
    }
}

void keyboard(unsigned char, int, int) { redibujar_principal(); }

void pressKey(int, int, int) {}
