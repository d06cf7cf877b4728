// What a frame of the main view shows, as numbers: the projection box, the
// radii of the blank and circles, the rack data block and the placement of
// every recorded rack position. The GL drawing walks these.
#pragma once

#include <string>
#include <vector>

#include "estado.h"
#include "evolvente.h"

struct CajaVista {
    double izquierda, derecha, abajo, arriba;
};

// The square box around the blank set by Origen and the view offsets, widened
// along the longer side of a drawing area that is not square so circles stay round.
CajaVista caja_proyeccion(float origen, const float desplazamiento[3], int ancho, int alto);

// Radius of the blank and of the root circle as drawn: both moved by the profile shift,
// in either direction and in both simulations, so the blank is turned to the textbook
// tip radius m(Z/2 + 1 + x) and the tooth depth stays 2.25 m.
float radio_engranaje();
float radio_circ_fondo();

// Radius of the base circle as drawn: Rp·cos(Angulo).
float radio_base_actual();

// Radius within which the blank and the shown circles lie: outside it there is only background.
float radio_alcance();

// The scale bar: a round length in millimetres (1, 2 or 5 times a power of ten) that is at
// most 150 pixels long at this scale, the longest such; its length in pixels and its label.
struct BarraEscala {
    double milimetros, pixeles;
    std::string texto;
};
BarraEscala barra_escala(double milimetros_por_pixel);

// Fills slots 3 to 11 of the rack data block (slots 0 to 2 with 0).
void llenar_datos(float (&datos)[NUM_DATOS]);

// Distance from the blank's centre to the reference line of the recorded positions.
float distancia_referencia();

// Calls visita(datos) once per recorded rack position, oldest first, with slots
// 0 to 2 placing it turned with the blank; returns how many it visited.
// Entries outside the history are never read.
template <class F>
int recorrer_trazas(float (&datos)[NUM_DATOS], F&& visita);

// Places recorded position (x_historia) turned by t degrees.
void colocar_traza(float (&datos)[NUM_DATOS], float t, float x_historia, float a);

// Slots 0 to 2 for the rack where it stands now.
void colocar_actual(float (&datos)[NUM_DATOS]);

// The involute data as the simulation stands now (panel values, the rack's flank angles, the
// radii as drawn, the blank's turn).
DatosEvolvente evolvente_actual();

template <class F>
int recorrer_trazas(float (&datos)[NUM_DATOS], F&& visita) {
    float a = distancia_referencia();
    float t = E_angulo;
    int i = 0;
    while (t > 0 && static_cast<size_t>(i) < C_Historia_X.size()) {
        colocar_traza(datos, t, C_Historia_X[static_cast<size_t>(i)], a);
        visita(datos);
        t = t - E_incremento;
        i = i + 1;
        if (!(E_incremento > 0)) break;
    }
    return i;
}
