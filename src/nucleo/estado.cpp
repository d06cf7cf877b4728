#include "estado.h"
#include "idioma/idioma.h"

#include <cmath>


const char* const MODULO[NUM_MODULOS] = {"1.00",  "1.25",  "1.50",  "2.00",  "2.50",  "3.00",
                                         "4.00",  "5.00",  "6.00",  "8.00",  "10.00", "12.00",
                                         "16.00", "20.00", "25.00", "32.00", "40.00", "50.00"};
const char* const TEXTO_SOCAVACION = N_("    EXISTE SOCAVACION DEL DIENTE");

const float ROJO[3] = {1.0f, 0.0f, 0.0f};
const float AZUL[3] = {0.0f, 0.0f, 1.0f};
const float AMARILLO[3] = {1.0f, 1.0f, 0.0f};
const float BLANCO[3] = {1.0f, 1.0f, 1.0f};
const float CIAN_CLARO[3] = {0.4f, 1.0f, 1.0f};
const float VERDE[3] = {0.0f, 1.0f, 0.0f};
const float MAGENTA[3] = {1.0f, 0.35f, 1.0f};
const float COLOR_FANTASMA[3] = {0.4f, 1.0f, 1.0f};

Modelo modelo;

int winIdMain = 0;

void modelo_inicial() {
    modelo = Modelo{};
    winIdMain = 0;
}

int entradas_historia(float incremento) {
    return static_cast<int>(std::floor(360.0 / static_cast<double>(incremento))) + 2;
}

float* color_de_objeto(int objeto) {
    switch (objeto) {
        case 0: return ColorFondo;
        case 1: return ColorEngranaje;
        case 2: return ColorCremallera;
        case 3: return ColorCirFondo;
        case 4: return ColorCirPaso;
        case 5: return ColorCirBase;
        case 6: return ColorEvolvente;
        default: return nullptr;
    }
}

double coeficiente_desplazamiento() {
    double m = Paso / PI;
    return m > 0 ? -Penetracion / m : 0.0;
}
