#include "movimiento.h"
#include "idioma/idioma.h"

#include <algorithm>
#include <cmath>

#include "engrane_estado.h"
#include "estado.h"
#include "tallado.h"

namespace {

// X distance per step of the current phase, and return steps to make or undone.
float C_Xx = 0;
int C_Contador_X = 0;

bool historia_tiene(int i) { return i >= 0 && static_cast<size_t>(i) < C_Historia_X.size(); }

// The gear data are the blank's once the rack has touched it: the fields take no input
// until "Nuevo corte" or "Reiniciar".
void bloquear_datos() {
    modelo.panel.datos = false;
    if (QueSimula == SIMULACION_EXPERIMENTAL) modelo.panel.flecha = false;
}

void adelante() {
    switch (C_Mueve) {
        case APROXIMACION:
            if (C_Contador < 10) {
                if (Primera_Vez != 0) {
                    C_Desplaza += C_Paso_Y;
                    if (C_Contador == 0) bloquear_datos();
                }
                C_Y += C_Paso_Y;
                C_Contador += 1;
                Movimiento = 0;
            } else {
                C_Xx = paso_rodadura();
                C_Ultimo_X = C_X;
                Primera_Vez = 0;
                C_Mueve = RODADURA;
            }
            break;
        case RODADURA:
            // A rack that does not travel (no pitch radius) rolls on until the blank has turned.
            if ((Paso > C_X || !(C_Xx > 0)) && historia_tiene(Conta_h)) {
                E_angulo += E_incremento;
                C_X += C_Xx;
                C_Historia_X[static_cast<size_t>(Conta_h)] = C_X;
                Conta_h += 1;
                // Rolling means the first approach is behind: stepping back to entry 1
                // and forward again must not count the first approach twice.
                Primera_Vez = 0;
                if (E_angulo > 360) C_Mueve = RETIRADA;
                Movimiento = 0;
                actualizar_tallado();
            } else {
                // Only the angle ends the cut: the return travel is always prepared, whatever the
                // tooth count says, since a pitch that does not match the teeth makes the count wrong.
                Diente += 2;
                C_Xx = Paso / 10.0f;
                C_Contador_X = 20;
                C_Mueve = RETIRADA;
            }
            break;
        case RETIRADA:
            if (C_Contador > 0) {
                C_Y -= C_Paso_Y;
                C_Contador -= 1;
                Movimiento = 0;
            } else if (E_angulo >= 360) {
                C_Mueve = FINAL;
            } else {
                C_Mueve = RETORNO;
            }
            break;
        case RETORNO:
            if (C_Contador_X >= 1) {
                C_X -= C_Xx;
                C_Contador_X -= 1;
                Movimiento = 0;
            } else {
                C_Mueve = APROXIMACION;
            }
            break;
        case FINAL:
            Stop = 1;
            Movimiento = 0;
            C_Mueve = TERMINADO;
            break;
        default:
            break;
    }
}

void atras() {
    switch (C_Mueve) {
        case APROXIMACION:
            if (C_Contador > 0) {
                if (Primera_Vez != 0) C_Desplaza -= C_Paso_Y;
                C_Y -= C_Paso_Y;
                C_Contador -= 1;
                Movimiento = 0;
            } else if (Primera_Vez != 0) {
                // Nothing lies before the very start: the request is dropped.
                Movimiento = 0;
            } else {
                C_Xx = Paso / 10.0f;
                C_Ultimo_X = C_X;
                C_Contador_X = 0;
                C_Mueve = RETORNO;
            }
            break;
        case RODADURA:
            if ((C_X > C_Ultimo_X || !(C_Xx > 0)) && E_angulo > 0 && Conta_h > 1) {
                E_angulo -= E_incremento;
                C_X -= C_Xx;
                Conta_h -= 1;
                if (historia_tiene(Conta_h)) C_Historia_X[static_cast<size_t>(Conta_h)] = 0;
                if (Conta_h == 1) Primera_Vez = 1;
                Movimiento = 0;
                actualizar_tallado();
            } else {
                C_Mueve = APROXIMACION;
            }
            break;
        case RETIRADA:
            if (C_Contador < 10) {
                C_Y += C_Paso_Y;
                C_Contador += 1;
                Movimiento = 0;
            } else {
                C_Xx = paso_rodadura();
                C_Mueve = RODADURA;
            }
            break;
        case RETORNO:
            if (C_Contador_X < 20) {
                C_X += C_Xx;
                C_Contador_X += 1;
                Movimiento = 0;
            } else {
                C_Mueve = RETIRADA;
            }
            break;
        case TERMINADO:
            C_Y += C_Paso_Y;
            C_Contador += 1;
            Movimiento = 0;
            C_Mueve = RETIRADA;
            break;
        default:
            break;
    }
}

}  // namespace

// Rolling without slipping: the rack travels the arc of the pitch circle the blank turns.
float paso_rodadura() { return static_cast<float>(Rp * (E_incremento * PI / 180.0)); }

namespace {

// Forward moves made for the press of "Siguiente >>" being served.
int hechos_del_pedido = 0;

// Calls that complete_corte may make: far more than any cut that ends needs
// (about 40 calls a tooth pass plus one a degree).
constexpr long LIMITE_LLAMADAS = 5000000;

}  // namespace

void avanzar() {
    int n = Velocidad > 1 ? Velocidad : 1;
    for (int i = 0; i < n; ++i) {
        if (Movimiento != 1) hechos_del_pedido = 0;
        bool pedido = Stop != 0 && Movimiento == 1;
        if (Stop == 0 || Movimiento == 1) adelante();
        if (Movimiento == -1) atras();
        // A press asks for n moves: after each one made the request stands again while
        // "Siguiente >>" is usable, as though the button were still held.
        if (pedido && Movimiento == 0) {
            if (++hechos_del_pedido < n && siguiente_habilitado()) Movimiento = 1;
            else hechos_del_pedido = 0;
        }
    }
}

void completar_corte() {
    if (C_Mueve < APROXIMACION || C_Mueve > TERMINADO) return;
    for (long i = 0; i < LIMITE_LLAMADAS && C_Mueve != TERMINADO; ++i) adelante();
    Movimiento = 0;
}

void mover_adelante() { adelante(); }

bool hay_corte() { return !(C_Mueve == APROXIMACION && Primera_Vez != 0 && C_Contador == 0); }

bool corte_en_curso() { return hay_corte() && C_Mueve != TERMINADO; }

// With the mesh shown the motion turns the pair: "Siguiente >>" and "Automatico" again.
bool siguiente_habilitado() { return Stop != 0 && ((C_Mueve != FINAL && C_Mueve != TERMINADO) || engrane_en_vista()); }

bool anterior_habilitado() { return Stop != 0 && hay_corte(); }

bool automatico_habilitado() { return C_Mueve != TERMINADO || engrane_en_vista(); }

std::string titulo_principal() {
    std::string modo = QueSimula == SIMULACION_ESTANDAR       ? _("Ortanel - Simulacion estandar")
                       : QueSimula == SIMULACION_EXPERIMENTAL ? _("Ortanel - Simulacion experimental")
                                                              : "Ortanel";
    if (!corte_en_curso()) return modo;
    int grados = static_cast<int>(std::clamp(static_cast<double>(E_angulo), 0.0, 360.0));
    return formato(_("%s - %d de 360 grados"), modo.c_str(), grados);
}
