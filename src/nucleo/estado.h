// The simulation's state: one model, and the names the panel, the motion and the
// drawing use for its parts. Floats are 32-bit; lengths are in the unit of the
// module, angles in degrees.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "angulos.h"


// Ways of simulating chosen in the start dialog.
constexpr int SIMULACION_ESTANDAR = 100;
constexpr int SIMULACION_EXPERIMENTAL = 110;

// Motion states.
constexpr int APROXIMACION = 10, RODADURA = 11, RETIRADA = 12, RETORNO = 13, FINAL = 14, TERMINADO = 15;

// Drag kinds of the view navigation.
constexpr int MOVER_PAN = 7000, MOVER_ZOOM = 7010;

constexpr int NUM_MODULOS = 18;
extern const char* const MODULO[NUM_MODULOS];
extern const char* const TEXTO_SOCAVACION;

// The one aggregate that owns the simulation's state. Its parts: what the user gave (the
// gear and rack data, the shown switches, the colours), the cut in progress, the view.
// Floats are 32-bit; lengths in the unit of the module, angles in degrees.

// The gear and the rack, with the values derived from them for the motion.
struct DatosRueda {
    float dientes = 0;
    float radio_primitivo = 0, radio_exterior = 0, radio_interior = 0;
    float paso = 0;                      // circular pitch, π·módulo
    float angulo = 0, angulo_2 = 0;      // pressure angles of the rack's left and right flank
    float penetracion = 0;               // depth the rack cuts past the standard, -x·m
    float coeficiente = 0;               // the profile-shift coefficient x as the user gave it
    float radio_cabeza = 0, depresion = 0, flecha = 0;  // the rack tooth's tip radius, flank relief, sagitta
    float origen = 0, paso_y = 0;        // height of the rack's start, approach step
};

// The check boxes: which parts of the rack are shaped and which circles are shown (0 or 1).
struct Interruptores {
    int radio_cabeza = 0, asimetria = 0, flecha = 0;
    int circ_paso = 0, circ_fondo = 0, circ_base = 0, evolvente = 0;
    int fantasma = 0;  // the previous cut compared
};

struct Colores {
    float fondo[3] = {0.0f, 0.0f, 0.0f};
    float engranaje[3] = {1.0f, 0.0f, 0.0f};
    float cremallera[3] = {0.0f, 0.0f, 1.0f};
    float circ_fondo[3] = {1.0f, 1.0f, 0.0f};
    float circ_paso[3] = {1.0f, 1.0f, 1.0f};
    float circ_base[3] = {1.0f, 0.35f, 1.0f};  // magenta, apart from the white pitch circle
    float evolvente[3] = {0.0f, 1.0f, 0.0f};
};

// The cut in progress: the motion's state, the rack's place, the blank's turn and the history.
struct Corte {
    int fase = 0;                 // APROXIMACION ... TERMINADO
    int parado = 1;               // 1: manual, 0: automatic
    int pedido = 0;               // 1: a step forwards asked for, -1: backwards
    int primera_vez = 1, diente = 0, siguiente_historia = 1;
    float contador = 0, y = 0, x = 0, desplaza = 0, ultimo_x = 0;
    float giro = 0, incremento = 0;  // degrees the blank has turned; degrees per rolling step
    // Rack X after each rolling step; entry 0 is the start. Sized for one full turn at 1° a step.
    std::vector<float> historia_x;
    // Motion moves per frame of the automatic cut and per press of "Siguiente >>" (1 at start).
    int velocidad = 1;
};

// The view: the offsets and zoom of the panel's translations, the pointer's drag.
struct Vista {
    float trans[3] = {0.0f, 0.0f, 0.0f};
    int raton_x = 0, raton_y = 0, arrastre = 0;
};

// What the panel shows that the rules decide and the gear data do not give: the value each
// control with a value holds (a data field may show a value other than the one it set, such
// as the shifted diameters), which groups of controls take input, and the warning lines.
// The panel's view shows exactly this (sincronizar_panel); a command reads its input here.
struct EstadoPanel {
    // A control's value as the control holds it: an int field's value may have no exact float.
    struct Valor {
        int entero = 0;
        float real = 0;
    };
    std::map<int, Valor> valores;   // by control id (IdControl)
    bool datos = true;              // the gear data fields and the module: off once the cut has begun
    bool iso = true;                // the ISO tip's box, its check box and radius
    bool depresion = false;         // the flank relief field
    bool asimetrico = true;         // the asymmetric tooth's box, check box and second angle
    bool circular = true;           // the circular flank's box and check box
    bool flecha = true;             // the sag field
    std::string aviso;              // the undercut warning
    std::string aviso_x = " ";      // the least shift under it
};

// Slots of the rack data block (see mecanismos.h).
constexpr int NUM_DATOS = 12;

struct Modelo {
    int simulacion = 0;           // SIMULACION_ESTANDAR or SIMULACION_EXPERIMENTAL; 0 before choosing
    int objeto_color = 0;         // the element the colour spinners edit
    DatosRueda rueda;
    Interruptores muestra;
    Colores colores;
    Corte corte;
    Vista vista;
    float datos_cremallera[NUM_DATOS] = {};  // rack data block handed to the rack's drawing
    EstadoPanel panel;
    int fin = 0;
};

extern Modelo modelo;

// The value a control shows, by control id: the whole number of a whole-number field or a
// list, the number of the others.
inline int& valor_entero(int id) { return modelo.panel.valores[id].entero; }
inline float& valor_real(int id) { return modelo.panel.valores[id].real; }
// The value a control with this id was given, when the panel holds one.
inline const EstadoPanel::Valor* valor_de(int id) {
    auto it = modelo.panel.valores.find(id);
    return it == modelo.panel.valores.end() ? nullptr : &it->second;
}

// The entries of the colour list (ids of color_de_objeto) the overlays add.
constexpr int OBJETO_CIRC_BASE = 5, OBJETO_EVOLVENTE = 6;

// The names the panel, the motion, the drawing and the tests use, each a part of the model.
inline int& QueSimula = modelo.simulacion;
inline int& QueObjeto = modelo.objeto_color;

inline float& Z = modelo.rueda.dientes;
inline float& Rp = modelo.rueda.radio_primitivo;
inline float& Rc = modelo.rueda.radio_exterior;
inline float& Rb = modelo.rueda.radio_interior;
inline float& Paso = modelo.rueda.paso;
inline float& Angulo = modelo.rueda.angulo;
inline float& Angulo_2 = modelo.rueda.angulo_2;
inline float& Penetracion = modelo.rueda.penetracion;
inline float& ISO_Radio = modelo.rueda.radio_cabeza;
inline float& ISO_Depresion = modelo.rueda.depresion;
inline float& Flecha = modelo.rueda.flecha;
inline float& Origen = modelo.rueda.origen;
inline float& C_Paso_Y = modelo.rueda.paso_y;

// Check boxes.
inline int& C_ISO = modelo.muestra.radio_cabeza;
inline int& C_Asimetria = modelo.muestra.asimetria;
inline int& C_Flecha = modelo.muestra.flecha;
inline int& C_Paso_ON = modelo.muestra.circ_paso;
inline int& C_Fondo_ON = modelo.muestra.circ_fondo;
// Teaching overlays: the base circle and the theoretical involute of every flank, both off at start.
inline int& C_Base_ON = modelo.muestra.circ_base;
inline int& C_Evolvente_ON = modelo.muestra.evolvente;
// The previous finished cut drawn over the present one ("Comparar con el corte anterior"), off at start.
inline int& C_Fantasma_ON = modelo.muestra.fantasma;

inline float (&ColorFondo)[3] = modelo.colores.fondo;
inline float (&ColorEngranaje)[3] = modelo.colores.engranaje;
inline float (&ColorCremallera)[3] = modelo.colores.cremallera;
inline float (&ColorCirFondo)[3] = modelo.colores.circ_fondo;
inline float (&ColorCirPaso)[3] = modelo.colores.circ_paso;
inline float (&ColorCirBase)[3] = modelo.colores.circ_base;
inline float (&ColorEvolvente)[3] = modelo.colores.evolvente;
extern const float ROJO[3], AZUL[3], AMARILLO[3], BLANCO[3], CIAN_CLARO[3], VERDE[3], MAGENTA[3];
// The previous cut's outline: a colour of its own, apart from the circles'.
extern const float COLOR_FANTASMA[3];

// The cut (the C_ names of the rack's motion).
inline int& C_Mueve = modelo.corte.fase;
inline int& Stop = modelo.corte.parado;
inline int& Movimiento = modelo.corte.pedido;
inline int& Primera_Vez = modelo.corte.primera_vez;
inline int& Diente = modelo.corte.diente;
inline int& Conta_h = modelo.corte.siguiente_historia;
inline float& C_Contador = modelo.corte.contador;
inline float& C_Y = modelo.corte.y;
inline float& C_X = modelo.corte.x;
inline float& C_Desplaza = modelo.corte.desplaza;
inline float& C_Ultimo_X = modelo.corte.ultimo_x;
inline float& E_angulo = modelo.corte.giro;
inline float& E_incremento = modelo.corte.incremento;
inline std::vector<float>& C_Historia_X = modelo.corte.historia_x;
inline int& Velocidad = modelo.corte.velocidad;

// Rack data block passed to the rack drawing.
inline float (&C_Datos)[NUM_DATOS] = modelo.datos_cremallera;

// View
inline float (&trans)[3] = modelo.vista.trans;
inline int& mouse_x = modelo.vista.raton_x;
inline int& mouse_y = modelo.vista.raton_y;
inline int& MoverGrafico = modelo.vista.arrastre;
inline int& fin = modelo.fin;

// The main window (the drawing area).
extern int winIdMain;

// Puts the model back to its value at program start (no history).
void modelo_inicial();

// The profile-shift coefficient the shift stands for: -Penetracion in modules of Paso/π.
double coeficiente_desplazamiento();

// Number of history entries one full turn needs at the given increment.
int entradas_historia(float incremento);

// The colour the spinners edit for an element of the radio group, or null above 6.
float* color_de_objeto(int objeto);
