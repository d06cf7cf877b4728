#include "escena.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "evolvente.h"
#include "idioma/idioma.h"
#include "mecanismos.h"

static_assert(NUM_DATOS == NUM_DATOS_CREMALLERA, "one rack data block for the scene and the outline");

CajaVista caja_proyeccion(float origen, const float d[3], int ancho, int alto) {
    CajaVista c{1.4 * origen - d[0] - d[2], -1.4 * origen - d[0] + d[2], 1.4 * origen - d[1] - d[2],
                -1.4 * origen - d[1] + d[2]};
    if (ancho > 0 && alto > 0 && ancho != alto) {
        double centro_x = (c.izquierda + c.derecha) / 2, centro_y = (c.abajo + c.arriba) / 2;
        double medio_x = (c.derecha - c.izquierda) / 2, medio_y = (c.arriba - c.abajo) / 2;
        double aspecto = static_cast<double>(ancho) / alto;
        if (aspecto > 1) medio_x *= aspecto;
        else medio_y /= aspecto;
        c = {centro_x - medio_x, centro_x + medio_x, centro_y - medio_y, centro_y + medio_y};
    }
    return c;
}

float radio_engranaje() { return Rc - Penetracion; }

float radio_circ_fondo() { return Rb - Penetracion; }

float radio_base_actual() { return static_cast<float>(radio_base(Rp, Angulo)); }

float radio_alcance() {
    float r = std::fabs(radio_engranaje());
    if (C_Paso_ON != 0) r = std::max(r, std::fabs(Rp));
    if (C_Fondo_ON != 0) r = std::max(r, std::fabs(radio_circ_fondo()));
    if (C_Base_ON != 0) r = std::max(r, std::fabs(radio_base_actual()));
    return r;
}

BarraEscala barra_escala(double mm_por_pixel) {
    BarraEscala b{0, 0, ""};
    if (!(mm_por_pixel > 0) || !std::isfinite(mm_por_pixel)) return b;
    constexpr double MAXIMO = 150;
    double potencia = std::pow(10.0, std::floor(std::log10(MAXIMO * mm_por_pixel)));
    for (double k : {5.0, 2.0, 1.0}) {
        if (k * potencia / mm_por_pixel <= MAXIMO) {
            b.milimetros = k * potencia;
            break;
        }
    }
    b.pixeles = b.milimetros / mm_por_pixel;
    b.texto = formato("%g mm", b.milimetros);
    return b;
}

void llenar_datos(float (&datos)[NUM_DATOS]) {
    datos[0] = datos[1] = datos[2] = 0;
    datos[3] = Rc - Rb;
    datos[4] = Paso;
    datos[5] = Angulo;
    datos[6] = Penetracion > 0 ? Penetracion : 0;
    // The standard rack is the plain symmetric one, whatever an experimental run left switched on.
    bool experimental = QueSimula != SIMULACION_ESTANDAR;
    datos[7] = experimental && C_ISO != 0 ? ISO_Radio : 0;
    datos[8] = experimental && C_ISO != 0 ? ISO_Depresion : 0;
    datos[9] = experimental && C_Flecha != 0 ? Flecha : 0;
    datos[10] = experimental && C_Asimetria != 0 ? Angulo_2 : Angulo;
    // With tips reaching Rb, the line that rolls on the pitch circle lies Rp - Rb above them, that is
    // Rc - Rp above the root line; a profile shift moves the whole tooth, that line included.
    datos[11] = Rc - Rp;
}

float distancia_referencia() { return Penetracion > 0 ? Rc : Rc - Penetracion; }

void colocar_traza(float (&datos)[NUM_DATOS], float t, float h, float a) {
    double theta = t * PI / 180.0;
    datos[0] = static_cast<float>(a * std::sin(theta) + h * std::cos(theta));
    datos[1] = static_cast<float>(h * std::sin(theta) + a * (1.0 - std::cos(theta)) + (Origen + C_Desplaza));
    datos[2] = t;
}

void colocar_actual(float (&datos)[NUM_DATOS]) {
    datos[0] = C_X;
    datos[1] = C_Y + Origen;
    datos[2] = 0;
}

DatosEvolvente evolvente_actual() {
    float datos[NUM_DATOS];
    llenar_datos(datos);
    double x = modelo.rueda.coeficiente;
    return {Z, Rp, Paso / PI, x, datos[5], datos[10], radio_circ_fondo(), radio_engranaje(), E_angulo};
}
