#include "estado.h"
#include "idioma/idioma.h"

#include <cmath>

#include "corte_anterior.h"
#include "engrane_estado.h"
#include "engrane_panel.h"

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
GLUI* glui = nullptr;
GLUI* v_glui = nullptr;

GLUI_Panel *glui_firma = nullptr, *glui_datos = nullptr, *glui_iso = nullptr, *glui_experimental = nullptr,
           *glui_asimetrico = nullptr, *glui_circular = nullptr;
GLUI_Rollout* glui_Color = nullptr;
GLUI_Panel *glui_opciones = nullptr, *glui_boton = nullptr, *glui_zoom = nullptr;
GLUI_EditText *glui_Dientes = nullptr, *glui_Modulo_T = nullptr, *glui_RPaso = nullptr, *glui_RCabeza = nullptr,
              *glui_RBase = nullptr, *glui_Angulo = nullptr, *glui_Penetracion = nullptr, *glui_radio = nullptr,
              *glui_depresion = nullptr, *glui_Angulo_2 = nullptr, *glui_Flecha = nullptr, *glui_Giro = nullptr;
GLUI_Listbox* glui_Modulo = nullptr;
GLUI_RadioGroup* glui_Elementos = nullptr;
GLUI_RadioButton *glui_Fondo = nullptr, *glui_Engranaje = nullptr, *glui_Cremallera = nullptr,
                 *glui_C_Fondo = nullptr, *glui_C_Paso = nullptr;
GLUI_Spinner *glui_Rojo = nullptr, *glui_Verde = nullptr, *glui_Azul = nullptr;
GLUI_Button *glui_Clear = nullptr, *glui_Ant = nullptr, *glui_AutoOnOff = nullptr, *glui_Sig = nullptr;
GLUI_Button* glui_NuevoCorte = nullptr;
GLUI_Progress* glui_Progreso = nullptr;
GLUI_Checkbox *glui_ISO = nullptr, *glui_C_Asimetria = nullptr, *glui_C_Flecha = nullptr, *glui_CPaso = nullptr,
              *glui_CFondo = nullptr;
GLUI_StaticText* informa = nullptr;
GLUI_Rollout* glui_Ayudas = nullptr;
GLUI_Checkbox *glui_CBase = nullptr, *glui_CEvolvente = nullptr;
GLUI_Listbox* glui_Velocidad = nullptr;
GLUI_Button* glui_Terminar = nullptr;
GLUI_RadioButton *glui_C_Base = nullptr, *glui_Evolvente = nullptr;
GLUI_StaticText* informa_x = nullptr;
GLUI_StaticText* informa_espesor = nullptr;
GLUI_StaticText *informa_cabeza = nullptr, *informa_anterior = nullptr;
GLUI_Checkbox* glui_CFantasma = nullptr;

void estado_inicial() {
    modelo = Modelo{};
    winIdMain = 0;
    glui = v_glui = nullptr;
    glui_firma = glui_datos = glui_iso = glui_experimental = glui_asimetrico = glui_circular = nullptr;
    glui_Color = nullptr;
    glui_opciones = glui_boton = glui_zoom = nullptr;
    glui_Dientes = glui_Modulo_T = glui_RPaso = glui_RCabeza = glui_RBase = glui_Angulo = glui_Penetracion =
        glui_radio = glui_depresion = glui_Angulo_2 = glui_Flecha = glui_Giro = nullptr;
    glui_Modulo = nullptr;
    glui_Elementos = nullptr;
    glui_Fondo = glui_Engranaje = glui_Cremallera = glui_C_Fondo = glui_C_Paso = nullptr;
    glui_Rojo = glui_Verde = glui_Azul = nullptr;
    glui_Clear = glui_Ant = glui_AutoOnOff = glui_Sig = nullptr;
    glui_NuevoCorte = nullptr;
    glui_Progreso = nullptr;
    glui_ISO = glui_C_Asimetria = glui_C_Flecha = glui_CPaso = glui_CFondo = nullptr;
    informa = nullptr;
    glui_Ayudas = nullptr;
    glui_CBase = glui_CEvolvente = nullptr;
    glui_Velocidad = nullptr;
    glui_Terminar = nullptr;
    glui_C_Base = glui_Evolvente = nullptr;
    informa_x = nullptr;
    informa_espesor = nullptr;
    informa_cabeza = informa_anterior = nullptr;
    glui_CFantasma = nullptr;
    olvidar_corte_anterior();
    engrane_inicial();
    glui_Engrane = nullptr;
    glui_EngraneCon = nullptr;
    glui_EngraneDientes = glui_EngraneDesplazamiento = glui_EngraneDistancia = nullptr;
    glui_VerEngrane = nullptr;
    glui_LecturaEngrane = nullptr;
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

bool panel_vivo() {
    if (!v_glui) return false;
    for (auto& w : GLUI_Master.windows())
        if (w.get() == v_glui) return !v_glui->closing();
    return false;
}
