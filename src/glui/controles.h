// The control layer's windows drawn with Dear ImGui: each window's ImGui state, the
// queued input applied to it, the controls laid out and drawn, and what the user did
// in a frame handed back to the layer's controls. ImGui only, no GLUT or GL: the GLUT
// face (glui_glut.cpp) makes the windows, starts the backend's frame, puts the drawing
// on screen and resizes the window; a test runs the same frames without a display.
#pragma once

#include <imgui.h>

#include <array>
#include <functional>
#include <map>
#include <vector>

#include "entrada.h"
#include "glui.h"

namespace capa {

// The panels' size factor (1 at 96 dpi and the user's 100%): fonts, fields, margins.
void poner_escala(float e);
float escala();
float tam_fuente();  // pixels of the panels' font

// A spinner's arrow buttons step its value by this much.
constexpr double PASO_GIRADOR = 0.01;
// A spinner's change of value per pixel dragged sideways, times its speed.
constexpr float ARRASTRE_GIRADOR = 0.004f;

// Where a control was drawn in the last frame, in the window's pixels.
struct Zona {
    ImVec2 min, max;
    ImVec2 centro() const { return ImVec2((min.x + max.x) / 2, (min.y + max.y) / 2); }
};

// One layer window's ImGui part, kept from frame to frame.
struct Vista {
    GLUI* glui = nullptr;
    ImGuiContext* ctx = nullptr;
    std::map<const GLUI_Control*, std::array<char, 256>> textos;  // what each field shows or holds typed
    std::vector<std::function<void()>> pendientes;  // the user's actions of the frame, in order
    bool quitar_foco = false;
    bool cerrar_listas = false;
    bool mas_entrada = false;                   // input left for the next frame
    const GLUI_Control* activo = nullptr;       // the control ImGui held active in this frame
    const GLUI_Spinner* escribir_en = nullptr;  // a spinner clicked once: its text takes the keyboard
    bool lista_abierta = false;
    ImVec2 lista_min, lista_max;  // an open list and the control that opened it
    // Widest first-level panel of this frame in each of a panel's two columns, from the
    // column's left edge less the window's padding; the same, of the previous frame.
    float ancho_natural[2] = {0, 0};
    float ancho_compartido[2] = {0, 0};
    float ancho_columna = 0;      // widest control drawn so far in the column being drawn
    // Each control drawn: a field's box, a button, a check box with its label, a radio
    // button, a spinner's value, a translation's pad, a text; a panel's or rollout's frame.
    std::map<const GLUI_Control*, Zona> zonas;
    // A panel's first-level controls: each one's height as last drawn, the column being
    // drawn and the left edge its shared width is measured from, and whether the last
    // frame's heights call for the second column somewhere else than where it was drawn.
    std::map<const GLUI_Control*, float> altos;
    int columna = 0;
    float x_primer_nivel = 0;
    bool recolocar = false;
};

// A new ImGui context for the window, made current, styled at the present scale, its
// keys mapped as the queue hands them over. Fonts are the caller's to add.
void crear_contexto(Vista& v);
// The panels' look at the present scale, for the current context.
void aplicar_estilo();
// ImGui's key map for the key codes the input queue delivers (entrada.h's).
void poner_mapa_teclas(ImGuiIO& io);

// What a frame leaves for the window system.
struct Resultado {
    bool escribe = false;  // a field of the window has the keyboard: keys go to it
    // The size the window asks for, in pixels (0: nothing to ask). A panel beside the
    // main window asks only for its width: its height is the main window's.
    int ancho = 0, alto = 0;
    bool otro_cuadro = false;  // the layout settles in the next frame: draw one more
};

// A panel beside the main window taller than it goes on in a second column: its
// first-level controls that do not fit under the ones above, and every one after them.
//
// One frame of the window, ancho x alto pixels: the queued input (if any) applied, then
// ImGui's frame started by nuevo_cuadro (the backend's, which ends in ImGui::NewFrame),
// the controls laid out and drawn, and ImGui::Render() called; the drawing is then in
// ImGui::GetDrawData().
Resultado cuadro(Vista& v, entrada::Cola* cola, float ancho, float alto, const std::function<void()>& nuevo_cuadro);

// After the frame, outside ImGui: every field the keyboard left commits, then the
// controls' callbacks run in the order the user acted. A callback may destroy the
// window, and v with it: v is not touched once they start.
void acciones(Vista& v);

}  // namespace capa
