#include "navegacion.h"

#include "engrane_escena.h"
#include "engrane_estado.h"
#include "escena.h"
#include "estado.h"
#include "panel.h"
#include "plataforma.h"

namespace {

// A wheel step at window pixel (x, y): zooms about the scene point under it.
void rueda(int boton, int x, int y) {
    int vp[4], alto_ventana = 0;
    if (!plataforma().area_dibujo(vp, alto_ventana)) return;
    int px = x - vp[0], py = y - (alto_ventana - (vp[1] + vp[3]));
    if (px < 0 || py < 0 || px >= vp[2] || py >= vp[3]) return;
    // The mesh has a view of its own: a box of another size about another centre, zoomed alike.
    float origen = Origen;
    const ParMostrado* par = nullptr;
    if (engrane_en_vista(&par) && par) {
        const Engrane& e = *par->engrane;
        origen = marco_engrane(e.teoria(), e.rueda1(), e.rueda2()).origen;
    }
    zoom_en_punto(trans, origen, vp[2], vp[3], px, py, boton == RUEDA_ARRIBA ? 1.0 / FACTOR_RUEDA : FACTOR_RUEDA);
    if (v_glui && panel_vivo()) v_glui->sync_live();
    redibujar_principal();
}

// Presses a motion button as a click does: only while the panel is up and the button enabled.
void pulsar(GLUI_Button* b) {
    if (b && panel_vivo()) b->user_press();
}

}  // namespace

void zoom_en_punto(float d[3], float origen, int ancho, int alto, int px, int py, double escala) {
    if (ancho <= 0 || alto <= 0) return;
    CajaVista c = caja_proyeccion(origen, d, ancho, alto);
    // The scene point at the centre of the pixel, and the centre of the view.
    double x = c.izquierda + (px + 0.5) / ancho * (c.derecha - c.izquierda);
    double y = c.arriba - (py + 0.5) / alto * (c.arriba - c.abajo);
    double cx = (c.izquierda + c.derecha) / 2, cy = (c.abajo + c.arriba) / 2;
    // The box scales about its centre with W + trans[2]; the centre moves so that (x, y) stays.
    double w = -1.4 * origen;
    d[2] = static_cast<float>(escala * (w + d[2]) - w);
    d[0] = static_cast<float>(-(x + escala * (cx - x)));
    d[1] = static_cast<float>(-(y + escala * (cy - y)));
}

void vista_inicial() {
    trans[0] = trans[1] = trans[2] = 0;
    if (panel_vivo()) v_glui->sync_live();
    redibujar_principal();
}

void mousePress(int button, int state, int x, int y) {
    if ((button == RUEDA_ARRIBA || button == RUEDA_ABAJO) && state == PULSADO) {
        rueda(button, x, y);
        return;
    }
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

void keyboard(unsigned char key, int, int) {
    switch (key) {
        case ' ': pulsar(glui_Sig); break;
        case 'a': case 'A': pulsar(glui_AutoOnOff); break;
        case 't': case 'T': pulsar(glui_Terminar); break;
        default: break;
    }
    redibujar_principal();
}

void pressKey(int key, int, int) {
    switch (key) {
        case TECLA_DERECHA: pulsar(glui_Sig); break;
        case TECLA_IZQUIERDA: pulsar(glui_Ant); break;
        case TECLA_INICIO: vista_inicial(); break;
        default: break;
    }
}
