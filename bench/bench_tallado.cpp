// Cost of the exact outline: per rolling step (one difference), for a whole cut, for reading
// the outline out, and for one step back (a rebuild from the nearest kept stage), at 14 and
// 100 teeth, module 1, 20°, 1° a step. Runs the core headless: no window, no GL.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "glui/glui.h"
#include "nucleo/callbacks.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "nucleo/panel.h"
#include "nucleo/tallado.h"

namespace {

using Reloj = std::chrono::steady_clock;
double ms(Reloj::time_point a, Reloj::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void panel(int dientes) {
    estado_inicial();
    GLUI_Master.reset();
    construir_dialogo();
    glui_control(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit(std::to_string(dientes));
}

size_t vertices(const std::vector<Pieza>& piezas) {
    size_t n = 0;
    for (const Pieza& p : piezas) {
        n += p.exterior.size();
        for (const Anillo& h : p.huecos) n += h.size();
    }
    return n;
}

void medir(int dientes) {
    panel(dientes);
    contorno_tallado();  // read once: from then on the motion keeps the outline
    std::vector<double> pasos;
    auto inicio = Reloj::now();
    for (int n = 0; n < 100000 && C_Mueve != TERMINADO; ++n) {
        float angulo = E_angulo;
        Movimiento = 1;
        auto t0 = Reloj::now();
        idle();
        auto t1 = Reloj::now();
        if (E_angulo != angulo) pasos.push_back(ms(t0, t1));
    }
    double total = ms(inicio, Reloj::now());
    auto t0 = Reloj::now();
    const auto& piezas = contorno_tallado();
    double leer = ms(t0, Reloj::now());
    size_t nv = vertices(piezas);

    // One step back, into the last rolling: a rebuild from the nearest kept stage.
    std::vector<double> atras;
    for (int n = 0; n < 200 && atras.size() < 20; ++n) {
        float angulo = E_angulo;
        Movimiento = -1;
        auto a0 = Reloj::now();
        idle();
        auto a1 = Reloj::now();
        if (E_angulo != angulo) atras.push_back(ms(a0, a1));
    }

    panel(dientes);
    contorno_tallado();
    auto c0 = Reloj::now();
    completar_corte();
    double completo = ms(c0, Reloj::now());

    std::sort(pasos.begin(), pasos.end());
    std::sort(atras.begin(), atras.end());
    std::printf("Z = %3d: %zu rolling steps; per step median %.3f ms, p90 %.3f ms, max %.3f ms; "
                "whole cut %.0f ms stepping, %.0f ms by completar_corte; outline read out %.2f ms "
                "(%zu vertices); one step back median %.2f ms, max %.2f ms\n",
                dientes, pasos.size(), pasos[pasos.size() / 2], pasos[pasos.size() * 9 / 10], pasos.back(), total,
                completo, leer, nv, atras.empty() ? 0.0 : atras[atras.size() / 2], atras.empty() ? 0.0 : atras.back());
}

}  // namespace

int main() {
    medir(14);
    medir(100);
    return 0;
}
