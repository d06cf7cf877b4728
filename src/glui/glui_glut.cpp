#include "glui_glut.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>
#include <imgui_internal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "escala_panel.h"
#include "glui.h"

namespace {

constexpr const char* FUENTE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float TAM_FUENTE_NORMAL = 14.0f;
constexpr float ANCHO_CAMPO_NORMAL = 78.0f;
constexpr float MARGEN_PANEL_NORMAL = 7.0f;

// Size of the panels: the screen's DPI (read at start) times the user's Ctrl + plus/minus factor.
double escala_pantalla = 1.0;
double escala_usuario = 1.0;
float escala() { return static_cast<float>(escala_pantalla * escala_usuario); }
float tam_fuente() { return TAM_FUENTE_NORMAL * escala(); }
float ancho_campo() { return ANCHO_CAMPO_NORMAL * escala(); }
float margen_panel() { return MARGEN_PANEL_NORMAL * escala(); }
constexpr int ESPERA_INACTIVO_US = 10000;  // idle pacing while the main window draws nothing

struct Evento {
    enum Tipo { Mover, Boton, Rueda, Caracter, Tecla, Fuera } tipo;
    int a = 0, b = 0;
    float x = 0, y = 0;
    int mods = 0;
};

struct Vista {
    GLUI* glui = nullptr;
    int id = 0;
    ImGuiContext* ctx = nullptr;
    std::deque<Evento> cola;
    std::vector<int> teclas_a_soltar;
    std::map<const GLUI_Control*, std::array<char, 64>> textos;
    std::vector<std::function<void()>> pendientes;
    int marcos_extra = 2;
    bool quitar_foco = false;
    bool escribiendo = false;   // an ImGui text field has the keyboard
    int ancho = 0, alto = 0;    // size asked of GLUT
    float ancho_natural = 0;     // widest first-level panel of this frame, from the window's left edge
    float ancho_compartido = 0;  // the same, of the previous frame
};

std::map<int, std::unique_ptr<Vista>> vistas;
unsigned cuadros_principales = 0;

Vista* vista_de(int id) {
    auto it = vistas.find(id);
    return it == vistas.end() ? nullptr : it->second.get();
}

int ventana_valida(int id) { return vista_de(id) || id == GLUI_Master.main_window() ? id : 0; }

void repintar(Vista& v, int marcos = 2) {
    v.marcos_extra = std::max(v.marcos_extra, marcos);
    glutPostWindowRedisplay(v.id);
}

// ---------------------------------------------------------------- look

void aplicar_estilo() {
    ImGui::GetStyle() = ImGuiStyle();
    ImGui::StyleColorsLight();
    ImGuiStyle& s = ImGui::GetStyle();
    s.WindowPadding = ImVec2(8, 8);
    s.FramePadding = ImVec2(5, 2);
    s.ItemSpacing = ImVec2(6, 3);
    s.ItemInnerSpacing = ImVec2(5, 4);
    s.FrameRounding = 3;
    s.GrabRounding = 3;
    s.FrameBorderSize = 1;
    s.WindowBorderSize = 0;
    s.ScrollbarSize = 12;
    ImVec4* c = s.Colors;
    c[ImGuiCol_WindowBg] = ImVec4(0.93f, 0.94f, 0.95f, 1);
    c[ImGuiCol_Text] = ImVec4(0.10f, 0.11f, 0.13f, 1);
    c[ImGuiCol_TextDisabled] = ImVec4(0.58f, 0.59f, 0.61f, 1);
    c[ImGuiCol_FrameBg] = ImVec4(1, 1, 1, 1);
    c[ImGuiCol_Border] = ImVec4(0.68f, 0.70f, 0.74f, 1);
    c[ImGuiCol_Button] = ImVec4(0.74f, 0.84f, 0.96f, 1);
    c[ImGuiCol_ButtonHovered] = ImVec4(0.60f, 0.76f, 0.95f, 1);
    c[ImGuiCol_ButtonActive] = ImVec4(0.45f, 0.65f, 0.92f, 1);
    c[ImGuiCol_Header] = ImVec4(0.82f, 0.87f, 0.94f, 1);
    c[ImGuiCol_HeaderHovered] = ImVec4(0.74f, 0.84f, 0.96f, 1);
    c[ImGuiCol_HeaderActive] = ImVec4(0.60f, 0.76f, 0.95f, 1);
    c[ImGuiCol_CheckMark] = ImVec4(0.16f, 0.40f, 0.78f, 1);
    s.ScaleAllSizes(escala());
}

void cargar_fuente() {
    ImGuiIO& io = ImGui::GetIO();
    struct stat st;
    ImFont* fuente = nullptr;
    if (stat(FUENTE, &st) == 0) fuente = io.Fonts->AddFontFromFileTTF(FUENTE, tam_fuente());
    if (!fuente) io.Fonts->AddFontDefault();
}

Vista& crear_vista(GLUI& w, int id) {
    auto v = std::make_unique<Vista>();
    v->glui = &w;
    v->id = id;
    v->ctx = ImGui::CreateContext();
    ImGui::SetCurrentContext(v->ctx);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigInputTextCursorBlink = false;
    aplicar_estilo();
    cargar_fuente();
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();
    Vista& ref = *v;
    vistas[id] = std::move(v);
    return ref;
}

// Ctrl + plus / minus / 0: every window's font and sizes follow the new factor; the
// panels' widths, and with them the drawing area, follow at their next frame.
bool cambiar_escala(int tecla) {
    double nuevo = escala_panel::factor_tras_tecla(escala_usuario, tecla);
    if (nuevo == escala_usuario) return true;
    escala_usuario = nuevo;
    int previa = glutGetWindow();
    ImGuiContext* contexto = ImGui::GetCurrentContext();
    for (auto& [id, v] : vistas) {
        glutSetWindow(id);
        ImGui::SetCurrentContext(v->ctx);
        ImGui::GetIO().Fonts->Clear();
        cargar_fuente();
        ImGui_ImplOpenGL2_DestroyFontsTexture();
        ImGui_ImplOpenGL2_CreateFontsTexture();
        aplicar_estilo();
        repintar(*v);
    }
    ImGui::SetCurrentContext(contexto);
    if (previa > 0) glutSetWindow(previa);
    return true;
}

// A key with Ctrl that sizes the panels, taken before any routing.
bool tecla_de_escala(unsigned char c) {
    return (glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0 && escala_panel::es_tecla_de_escala(c) && cambiar_escala(c);
}

// ---------------------------------------------------------------- input

void encolar_tecla(Vista& v, unsigned char c, int mods) {
    Evento e{Evento::Caracter};
    e.mods = mods;
    if (c == 8 || c == 9 || c == 13 || c == 27 || c == 127) {
        e.tipo = Evento::Tecla;
        e.a = c;
    } else if (c >= 1 && c <= 26) {
        e.tipo = Evento::Tecla;
        e.a = 'A' + c - 1;
    } else {
        e.a = c;
    }
    v.cola.push_back(e);
    repintar(v);
}

void encolar_especial(Vista& v, int key, int mods) {
    Evento e{Evento::Tecla};
    e.a = 256 + key;
    e.mods = mods;
    v.cola.push_back(e);
    repintar(v);
}

void aplicar(const Evento& e, Vista& v) {
    ImGuiIO& io = ImGui::GetIO();
    switch (e.tipo) {
        case Evento::Mover: io.MousePos = ImVec2(e.x, e.y); break;
        case Evento::Fuera: io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX); break;
        case Evento::Boton:
            io.MousePos = ImVec2(e.x, e.y);
            io.MouseDown[e.a] = e.b != 0;
            break;
        case Evento::Rueda: io.MouseWheel += static_cast<float>(e.a); break;
        case Evento::Caracter: io.AddInputCharacter(static_cast<unsigned>(e.a)); break;
        case Evento::Tecla:
            io.KeyCtrl = (e.mods & GLUT_ACTIVE_CTRL) != 0;
            io.KeyShift = (e.mods & GLUT_ACTIVE_SHIFT) != 0;
            io.KeyAlt = (e.mods & GLUT_ACTIVE_ALT) != 0;
            if (e.a >= 0 && e.a < IM_ARRAYSIZE(io.KeysDown)) {
                io.KeysDown[e.a] = true;
                v.teclas_a_soltar.push_back(e.a);
            }
            break;
    }
}

// Hands ImGui the queued input, with at most one change of a button or key per
// frame, so a press and release that arrived together are seen as a click.
void consumir_cola(Vista& v) {
    ImGuiIO& io = ImGui::GetIO();
    for (int k : v.teclas_a_soltar) io.KeysDown[k] = false;
    v.teclas_a_soltar.clear();
    io.KeyCtrl = io.KeyShift = io.KeyAlt = false;
    while (!v.cola.empty()) {
        const Evento e = v.cola.front();
        aplicar(e, v);
        v.cola.pop_front();
        // A change ends the frame's input: what follows it (a release, the pointer leaving,
        // text typed after a key with modifiers) belongs to later frames.
        if (e.tipo == Evento::Boton || e.tipo == Evento::Tecla) break;
    }
}

// ---------------------------------------------------------------- controls

std::string sin_blancos_finales(const std::string& s) {
    size_t fin = s.find_last_not_of(' ');
    return fin == std::string::npos ? std::string() : s.substr(0, fin + 1);
}

bool tiene_campo(const GLUI_Control* c) {
    return c->kind() == GLUI_Kind::EditText || c->kind() == GLUI_Kind::Listbox || c->kind() == GLUI_Kind::Spinner;
}

int filtro_caracter(ImGuiInputTextCallbackData* data) {
    auto* e = static_cast<const GLUI_EditText*>(data->UserData);
    return e->accepts_char(data->EventChar) ? 0 : 1;
}

void dibujar(GLUI_Control* c, Vista& v, float x_campo);

void etiqueta(const std::string& nombre, float x_campo) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(sin_blancos_finales(nombre).c_str());
    ImGui::SameLine(x_campo > 0 ? x_campo : 0.0f);
}

void campo_texto(GLUI_EditText* e, Vista& v, float x_campo) {
    auto& buf = v.textos[e];
    ImGuiID id = ImGui::GetID("##campo");
    if (ImGui::GetActiveID() != id || !e->editing())
        std::snprintf(buf.data(), buf.size(), "%s", e->get_text().c_str());
    etiqueta(e->get_name(), x_campo);
    ImGui::SetNextItemWidth(ancho_campo());
    ImGui::InputText("##campo", buf.data(), buf.size(), ImGuiInputTextFlags_CallbackCharFilter, filtro_caracter,
                     const_cast<GLUI_EditText*>(e));
    if (ImGui::IsItemActivated()) e->begin_edit();
    if (e->editing()) e->edit(buf.data());
    if (ImGui::IsItemDeactivated() && e->editing()) v.pendientes.push_back([e] { e->commit(); });
}

void lista(GLUI_Listbox* l, float x_campo, Vista& v) {
    etiqueta(l->get_name(), x_campo);
    ImGui::SetNextItemWidth(ancho_campo());
    std::string actual = l->selected_text();
    if (ImGui::BeginCombo("##lista", actual.c_str())) {
        for (const auto& item : l->items()) {
            int id = item.first;
            if (ImGui::Selectable(item.second.c_str(), id == l->get_int_val()))
                v.pendientes.push_back([l, id] { l->user_select(id); });
        }
        ImGui::EndCombo();
    }
}

void traslacion(GLUI_Translation* t, Vista& v) {
    const float lado = 34.0f;
    ImGui::BeginGroup();
    ImVec2 p = ImGui::GetCursorScreenPos();
    ImGui::InvisibleButton("##tras", ImVec2(lado, lado));
    bool activo = ImGui::IsItemActive();
    ImDrawList* dl = ImGui::GetWindowDrawList();
    ImU32 fondo = ImGui::GetColorU32(activo ? ImGuiCol_ButtonActive
                                            : ImGui::IsItemHovered() ? ImGuiCol_ButtonHovered : ImGuiCol_Button);
    dl->AddRectFilled(p, ImVec2(p.x + lado, p.y + lado), fondo, 4.0f);
    dl->AddRect(p, ImVec2(p.x + lado, p.y + lado), ImGui::GetColorU32(ImGuiCol_Border), 4.0f);
    ImU32 tinta = ImGui::GetColorU32(ImGuiCol_Text);
    float cx = p.x + lado / 2, cy = p.y + lado / 2, r = lado * 0.32f;
    if (t->trans_type() == GLUI_TRANSLATION_X) {
        dl->AddLine(ImVec2(cx - r, cy), ImVec2(cx + r, cy), tinta, 2);
        dl->AddTriangleFilled(ImVec2(cx - r - 3, cy), ImVec2(cx - r + 4, cy - 5), ImVec2(cx - r + 4, cy + 5), tinta);
        dl->AddTriangleFilled(ImVec2(cx + r + 3, cy), ImVec2(cx + r - 4, cy - 5), ImVec2(cx + r - 4, cy + 5), tinta);
    } else {
        dl->AddLine(ImVec2(cx, cy - r), ImVec2(cx, cy + r), tinta, 2);
        dl->AddTriangleFilled(ImVec2(cx, cy - r - 3), ImVec2(cx - 5, cy - r + 4), ImVec2(cx + 5, cy - r + 4), tinta);
        dl->AddTriangleFilled(ImVec2(cx, cy + r + 3), ImVec2(cx - 5, cy + r - 4), ImVec2(cx + 5, cy + r - 4), tinta);
        if (t->trans_type() == GLUI_TRANSLATION_Z) dl->AddCircle(ImVec2(cx, cy), r * 0.45f, tinta, 16, 1.5f);
    }
    if (activo) {
        ImVec2 d = ImGui::GetIO().MouseDelta;
        int dx = static_cast<int>(std::lround(d.x)), dy = static_cast<int>(std::lround(d.y));
        if (dx != 0 || dy != 0) v.pendientes.push_back([t, dx, dy] { t->user_drag(dx, dy); });
    }
    float ancho_texto = ImGui::CalcTextSize(t->get_name().c_str()).x;
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + (lado - ancho_texto) / 2);
    ImGui::TextUnformatted(t->get_name().c_str());
    ImGui::EndGroup();
}

// Draws the children of a container, split into columns at each column control;
// the fields of a column share one left edge.
void dibujar_hijos(GLUI_Control* cont, Vista& v) {
    std::vector<std::vector<GLUI_Control*>> columnas(1);
    std::vector<bool> barras;
    for (GLUI_Control* h : cont->children()) {
        if (h->kind() == GLUI_Kind::Column) {
            columnas.emplace_back();
            barras.push_back(static_cast<GLUI_Column*>(h)->draws_bar());
        } else {
            columnas.back().push_back(h);
        }
    }
    std::vector<float> x_barras;
    float y0 = ImGui::GetCursorScreenPos().y, y1 = y0;
    for (size_t i = 0; i < columnas.size(); ++i) {
        if (i > 0) {
            ImGui::SameLine(0, 10);
            if (barras[i - 1]) {
                x_barras.push_back(ImGui::GetCursorScreenPos().x);
                ImGui::SameLine(0, 11);
            }
        }
        ImGui::BeginGroup();
        float ancho_etiquetas = 0;
        for (GLUI_Control* h : columnas[i])
            if (tiene_campo(h))
                ancho_etiquetas = std::max(ancho_etiquetas, ImGui::CalcTextSize(sin_blancos_finales(h->get_name()).c_str()).x);
        float x_campo = ancho_etiquetas > 0 ? ancho_etiquetas + 10 : 0;  // from the column's left edge
        for (GLUI_Control* h : columnas[i]) dibujar(h, v, x_campo);
        ImGui::EndGroup();
        y1 = std::max(y1, ImGui::GetItemRectMax().y);
    }
    for (float x : x_barras)
        ImGui::GetWindowDrawList()->AddLine(ImVec2(x, y0), ImVec2(x, y1), ImGui::GetColorU32(ImGuiCol_Border), 1.0f);
}

// An embossed frame with its caption around a container's children; a rollout has
// a header that opens and closes it instead of the caption.
void marco(GLUI_Panel* p, Vista& v, bool desplegable) {
    ImGuiWindow* ventana = ImGui::GetCurrentWindow();
    const ImGuiStyle& estilo = ImGui::GetStyle();
    float alto_texto = ImGui::GetTextLineHeight();
    ImVec2 inicio = ImGui::GetCursorScreenPos();
    bool con_marco = p->type() != GLUI_PANEL_NONE;
    bool abierto = !desplegable || p->is_open();
    bool cabecera_activa = false;
    ImGui::BeginGroup();
    if (desplegable) {
        ImVec2 tam(ImGui::CalcTextSize(p->get_name().c_str()).x + 2 * alto_texto + 8, ImGui::GetFrameHeight());
        if (ImGui::InvisibleButton("##cabecera", tam)) v.pendientes.push_back([p] { p->is_open() ? p->close() : p->open(); });
        cabecera_activa = ImGui::IsItemHovered();
    } else if (con_marco) {
        ImGui::Dummy(ImVec2(0, alto_texto * 0.5f + 2));
    }
    if (abierto) {
        if (con_marco) ImGui::Indent(margen_panel());
        dibujar_hijos(p, v);
        if (con_marco) {
            ImGui::Unindent(margen_panel());
            ImGui::Dummy(ImVec2(0, 2));
        }
    }
    ImGui::EndGroup();
    if (!con_marco) return;
    ImVec2 fin = ImGui::GetItemRectMax();
    float derecha = fin.x + margen_panel();
    // Panels of the window's first level share one width: the widest one's of the previous frame.
    if (p->parent() && p->parent()->parent() == nullptr) {
        v.ancho_natural = std::max(v.ancho_natural, derecha - ventana->Pos.x);
        derecha = std::max(derecha, ventana->Pos.x + v.ancho_compartido);
    }
    ventana->DC.CursorMaxPos.x = std::max(ventana->DC.CursorMaxPos.x, derecha);
    ImDrawList* dl = ImGui::GetWindowDrawList();
    float y_marco = desplegable ? inicio.y : inicio.y + alto_texto * 0.5f;
    ImVec2 a(inicio.x - 3, y_marco), b(derecha, fin.y);
    dl->AddRect(ImVec2(a.x + 1, a.y + 1), ImVec2(b.x + 1, b.y + 1), IM_COL32(255, 255, 255, 255), 3.0f);
    dl->AddRect(a, b, ImGui::GetColorU32(ImGuiCol_Border), 3.0f);
    if (desplegable) {
        ImVec2 c1(derecha, inicio.y + ImGui::GetFrameHeight());
        dl->AddRectFilled(a, c1, ImGui::GetColorU32(cabecera_activa ? ImGuiCol_HeaderHovered : ImGuiCol_Header), 3.0f);
        dl->AddRect(a, c1, ImGui::GetColorU32(ImGuiCol_Border), 3.0f);
        ImGui::RenderArrow(dl, ImVec2(inicio.x + 3, inicio.y + estilo.FramePadding.y), ImGui::GetColorU32(ImGuiCol_Text),
                           p->is_open() ? ImGuiDir_Down : ImGuiDir_Right, 1.0f);
        dl->AddText(ImVec2(inicio.x + alto_texto + 8, inicio.y + estilo.FramePadding.y),
                    ImGui::GetColorU32(ImGuiCol_Text), p->get_name().c_str());
    } else if (!p->get_name().empty()) {
        ImVec2 t(inicio.x + 6, inicio.y - 1);
        ImVec2 tam = ImGui::CalcTextSize(p->get_name().c_str());
        dl->AddRectFilled(ImVec2(t.x - 3, t.y), ImVec2(t.x + tam.x + 3, t.y + tam.y),
                          ImGui::GetColorU32(ImGuiCol_WindowBg));
        dl->AddText(t, ImGui::GetColorU32(p->enabled() ? ImGuiCol_Text : ImGuiCol_TextDisabled),
                    p->get_name().c_str());
    }
}

void dibujar(GLUI_Control* c, Vista& v, float x_campo) {
    ImGui::PushID(c);
    bool apagado = !c->enabled() && c->kind() != GLUI_Kind::Panel && c->kind() != GLUI_Kind::Rollout;
    if (apagado) ImGui::BeginDisabled();
    switch (c->kind()) {
        case GLUI_Kind::Panel: marco(static_cast<GLUI_Panel*>(c), v, false); break;
        case GLUI_Kind::Rollout: marco(static_cast<GLUI_Panel*>(c), v, true); break;
        case GLUI_Kind::Column: break;
        case GLUI_Kind::StaticText: {
            auto* t = static_cast<GLUI_StaticText*>(c);
            if (t->has_color()) ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(t->color()[0], t->color()[1], t->color()[2], 1));
            ImGui::TextUnformatted(t->get_name().c_str());
            if (t->has_color()) ImGui::PopStyleColor();
            break;
        }
        case GLUI_Kind::Separator: ImGui::Separator(); break;
        case GLUI_Kind::Button: {
            auto* b = static_cast<GLUI_Button*>(c);
            float ancho = std::max(110.0f * escala(), ImGui::CalcTextSize(b->get_name().c_str()).x + 16 * escala());
            if (ImGui::Button((b->get_name() + "##b").c_str(), ImVec2(ancho, 0)))
                v.pendientes.push_back([b] { b->user_press(); });
            break;
        }
        case GLUI_Kind::EditText: campo_texto(static_cast<GLUI_EditText*>(c), v, x_campo); break;
        case GLUI_Kind::Listbox: lista(static_cast<GLUI_Listbox*>(c), x_campo, v); break;
        case GLUI_Kind::Checkbox: {
            auto* k = static_cast<GLUI_Checkbox*>(c);
            bool marcado = k->get_int_val() != 0;
            if (ImGui::Checkbox(k->get_name().c_str(), &marcado)) v.pendientes.push_back([k] { k->user_toggle(); });
            break;
        }
        case GLUI_Kind::RadioGroup: {
            auto* g = static_cast<GLUI_RadioGroup*>(c);
            for (GLUI_Control* h : g->children()) {
                auto* r = static_cast<GLUI_RadioButton*>(h);
                if (!r->shown()) continue;
                ImGui::PushID(r);
                bool apagado_r = !r->enabled() && !apagado;
                if (apagado_r) ImGui::BeginDisabled();
                int valor = r->value();
                if (ImGui::RadioButton(r->get_name().c_str(), g->get_int_val() == valor))
                    v.pendientes.push_back([g, valor] { g->user_select(valor); });
                if (apagado_r) ImGui::EndDisabled();
                ImGui::PopID();
            }
            break;
        }
        case GLUI_Kind::Spinner: {
            auto* s = static_cast<GLUI_Spinner*>(c);
            etiqueta(s->get_name(), x_campo);
            ImGui::SetNextItemWidth(ancho_campo());
            float valor = s->get_float_val();
            bool limitado = s->limit_type() == GLUI_LIMIT_CLAMP;
            if (ImGui::DragFloat("##giro", &valor, 0.004f * s->speed(), limitado ? s->lower() : 0.0f,
                                 limitado ? s->upper() : 0.0f, "%.3f",
                                 limitado ? ImGuiSliderFlags_AlwaysClamp : ImGuiSliderFlags_None))
                v.pendientes.push_back([s, valor] { s->user_set(valor); });
            break;
        }
        case GLUI_Kind::Translation: traslacion(static_cast<GLUI_Translation*>(c), v); break;
        case GLUI_Kind::RadioButton: break;
    }
    if (apagado) ImGui::EndDisabled();
    ImGui::PopID();
}

// ---------------------------------------------------------------- windows

int alto_de(int id) {
    int previa = glutGetWindow();
    glutSetWindow(id);
    int h = glutGet(GLUT_WINDOW_HEIGHT);
    if (previa > 0) glutSetWindow(previa);
    return h;
}

int ancho_paneles(int principal) {
    int w = 0;
    for (auto& [id, v] : vistas)
        if (v->glui->parent_window() == principal && v->glui->visible() && !v->glui->closing()) w += v->ancho;
    return w;
}

void poner_viewport(int principal) {
    if (principal <= 0) return;
    int previa = glutGetWindow();
    glutSetWindow(principal);
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    int x = std::min(ancho_paneles(principal), w);
    glViewport(x, 0, w - x, h);
    if (previa > 0 && previa != principal) glutSetWindow(previa);
}

void ajustar_tamano(Vista& v) {
    ImGuiWindow* win = ImGui::FindWindowByName("##glui");
    if (!win) return;
    const ImGuiStyle& s = ImGui::GetStyle();
    int w, h;
    if (v.glui->is_subwindow()) {
        w = static_cast<int>(std::ceil(win->ContentSize.x + 2 * s.WindowPadding.x + (win->ScrollbarY ? s.ScrollbarSize : 0)));
        h = alto_de(v.glui->parent_window());
    } else {
        w = static_cast<int>(std::ceil(win->Size.x));
        h = static_cast<int>(std::ceil(win->Size.y));
    }
    if (w < 20 || h < 20 || (w == v.ancho && h == v.alto)) return;
    v.ancho = w;
    v.alto = h;
    int previa = glutGetWindow();
    glutSetWindow(v.id);
    glutReshapeWindow(w, h);
    if (previa > 0) glutSetWindow(previa);
    if (v.glui->is_subwindow() && GLUI_Master.viewport_automatic()) poner_viewport(v.glui->parent_window());
    repintar(v);
}

void cuadro(Vista& v) {
    ImGui::SetCurrentContext(v.ctx);
    consumir_cola(v);
    ImGuiIO& io = ImGui::GetIO();
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    // A stand-alone window is laid out on a large canvas, so that its size follows its content.
    io.DisplaySize = v.glui->is_subwindow() ? ImVec2(static_cast<float>(w), static_cast<float>(h)) : ImVec2(4096, 4096);
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
    if (v.quitar_foco) {
        ImGui::ClearActiveID();
        v.quitar_foco = false;
    }
    // A panel taller than its window scrolls, with a scroll bar.
    ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                             ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                             ImGuiWindowFlags_NoBringToFrontOnFocus;
    if (!v.glui->is_subwindow()) flags |= ImGuiWindowFlags_NoScrollbar;
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    if (v.glui->is_subwindow()) ImGui::SetNextWindowSize(ImVec2(static_cast<float>(w), static_cast<float>(h)));
    else flags |= ImGuiWindowFlags_AlwaysAutoResize;
    ImGui::Begin("##glui", nullptr, flags);
    v.ancho_compartido = v.ancho_natural;
    v.ancho_natural = 0;
    dibujar_hijos(v.glui->main_panel(), v);
    ImGui::End();
    ImGui::Render();
    ImDrawData* dibujo = ImGui::GetDrawData();
    dibujo->DisplaySize = ImVec2(static_cast<float>(w), static_cast<float>(h));
    glViewport(0, 0, w, h);
    ImVec4 bg = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
    glClearColor(bg.x, bg.y, bg.z, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(dibujo);
    glutSwapBuffers();
    v.escribiendo = io.WantTextInput;
    ajustar_tamano(v);
}

// ---------------------------------------------------------------- GLUT callbacks of layer windows

void vista_display() {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    cuadro(*v);
    // The controls' callbacks run outside the ImGui frame.
    auto acciones = std::move(v->pendientes);
    v->pendientes.clear();
    for (auto& a : acciones) a();
    if (!v->cola.empty() || v->marcos_extra > 0) {
        if (v->cola.empty()) --v->marcos_extra;
        glutPostWindowRedisplay(v->id);
    }
}

void vista_raton(int boton, int estado, int x, int y) {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    if (boton == 3 || boton == 4) {
        if (estado == GLUT_DOWN) v->cola.push_back({Evento::Rueda, boton == 3 ? 1 : -1});
    } else if (boton >= 0 && boton <= 2) {
        Evento e{Evento::Boton, boton == GLUT_LEFT_BUTTON ? 0 : boton == GLUT_RIGHT_BUTTON ? 1 : 2,
                 estado == GLUT_DOWN ? 1 : 0, static_cast<float>(x), static_cast<float>(y)};
        v->cola.push_back(e);
    }
    repintar(*v);
}

void vista_movimiento(int x, int y) {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    v->cola.push_back({Evento::Mover, 0, 0, static_cast<float>(x), static_cast<float>(y)});
    repintar(*v);
}

void vista_entrada(int estado) {
    Vista* v = vista_de(glutGetWindow());
    if (!v || estado != GLUT_LEFT) return;
    v->cola.push_back({Evento::Fuera});
    repintar(*v);
}

void teclado_principal(unsigned char key, int x, int y);
void especial_principal(int key, int x, int y);

void vista_teclado(unsigned char c, int x, int y) {
    Vista* v = vista_de(glutGetWindow());
    if (!v || tecla_de_escala(c)) return;
    if (v->escribiendo || v->glui->focused_edit()) encolar_tecla(*v, c, glutGetModifiers());
    else teclado_principal(c, x, y);
}

void vista_especial(int key, int x, int y) {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    if (v->escribiendo || v->glui->focused_edit()) encolar_especial(*v, key, glutGetModifiers());
    else especial_principal(key, x, y);
}

void vista_reshape(int, int) {
    Vista* v = vista_de(glutGetWindow());
    if (v) repintar(*v);
}

void registrar_vista() {
    glutDisplayFunc(vista_display);
    glutReshapeFunc(vista_reshape);
    glutMouseFunc(vista_raton);
    glutMotionFunc(vista_movimiento);
    glutPassiveMotionFunc(vista_movimiento);
    glutKeyboardFunc(vista_teclado);
    glutSpecialFunc(vista_especial);
    glutEntryFunc(vista_entrada);
}

// ---------------------------------------------------------------- the main window's routing

Vista* vista_escribiendo() {
    for (auto& [id, v] : vistas)
        if (!v->glui->closing() && v->glui->visible() && (v->escribiendo || v->glui->focused_edit())) return v.get();
    return nullptr;
}

void teclado_principal(unsigned char key, int x, int y) {
    if (tecla_de_escala(key)) return;
    int principal = GLUI_Master.main_window();
    if (Vista* v = vista_escribiendo()) {
        encolar_tecla(*v, key, glutGetModifiers());
        return;
    }
    if (auto f = GLUI_Master.keyboard_func()) {
        int previa = glutGetWindow();
        if (principal > 0) glutSetWindow(principal);
        f(key, x, y);
        if (previa > 0 && vista_de(previa)) glutSetWindow(previa);
    }
}

void especial_principal(int key, int x, int y) {
    int principal = GLUI_Master.main_window();
    if (Vista* v = vista_escribiendo()) {
        encolar_especial(*v, key, glutGetModifiers());
        return;
    }
    if (auto f = GLUI_Master.special_func()) {
        int previa = glutGetWindow();
        if (principal > 0) glutSetWindow(principal);
        f(key, x, y);
        if (previa > 0 && vista_de(previa)) glutSetWindow(previa);
    }
}

void principal_display() {
    ++cuadros_principales;
    if (auto f = GLUI_Master.display_func()) f();
}

void principal_reshape(int w, int h) {
    int principal = glutGetWindow();
    if (auto f = GLUI_Master.reshape_func()) f(w, h);
    for (auto& [id, v] : vistas) {
        if (v->glui->parent_window() != principal) continue;
        glutSetWindow(v->id);
        glutPositionWindow(0, 0);
        if (v->ancho > 0) glutReshapeWindow(v->ancho, h);
        repintar(*v);
    }
    glutSetWindow(principal);
    if (GLUI_Master.viewport_automatic()) poner_viewport(principal);
}

void principal_raton(int boton, int estado, int x, int y) {
    if (estado == GLUT_DOWN) {
        for (auto& [id, v] : vistas)
            if (v->escribiendo || v->glui->focused_edit()) {
                v->quitar_foco = true;
                repintar(*v);
            }
        GLUI_Master.deactivate_all();
    }
    if (auto f = GLUI_Master.mouse_func()) f(boton, estado, x, y);
}

void inactivo() {
    static unsigned vistos = 0;
    GLUI_Master.idle_tick();
    // With nothing drawn since the last call (main window hidden or still), rest a
    // little instead of spinning; a shown main window paces itself.
    if (cuadros_principales == vistos) usleep(ESPERA_INACTIVO_US);
    vistos = cuadros_principales;
}

// ---------------------------------------------------------------- the backend

class BackendGlut : public GLUI_Backend {
public:
    int create_window(GLUI& w) override {
        int iw = glutGet(GLUT_INIT_WINDOW_WIDTH), ih = glutGet(GLUT_INIT_WINDOW_HEIGHT);
        glutInitWindowSize(300, 200);
        int id = glutCreateWindow(w.title().c_str());
        glutInitWindowSize(iw, ih);
        registrar_vista();
        crear_vista(w, id);
        return id;
    }
    int create_subwindow(GLUI& w, int parent) override {
        int h = alto_de(parent);
        int id = glutCreateSubWindow(parent, 0, 0, 200, h);
        registrar_vista();
        Vista& v = crear_vista(w, id);
        v.ancho = 200;
        v.alto = h;
        return id;
    }
    void destroy_window(GLUI& w) override {
        Vista* v = vista_de(w.get_glut_window_id());
        if (!v) return;
        int previa = glutGetWindow();
        glutSetWindow(v->id);
        ImGui::SetCurrentContext(v->ctx);
        ImGui_ImplOpenGL2_Shutdown();
        ImGui_ImplGLUT_Shutdown();
        ImGui::DestroyContext(v->ctx);
        ImGui::SetCurrentContext(nullptr);
        int id = v->id;
        int padre = w.parent_window();
        vistas.erase(id);
        glutDestroyWindow(id);
        if (previa > 0 && previa != id) glutSetWindow(previa);
        else if (GLUI_Master.main_window() > 0) glutSetWindow(GLUI_Master.main_window());
        if (padre > 0 && GLUI_Master.viewport_automatic()) poner_viewport(padre);
    }
    void show_window(GLUI& w) override { visibilidad(w, true); }
    void hide_window(GLUI& w) override { visibilidad(w, false); }
    void repaint(GLUI& w) override {
        if (Vista* v = vista_de(w.get_glut_window_id())) repintar(*v);
    }
    int current_window() override { return glutGetWindow(); }
    void set_current_window(int id) override {
        if (ventana_valida(id)) glutSetWindow(id);
    }
    void post_redisplay(int id) override {
        if (ventana_valida(id)) glutPostWindowRedisplay(id);
    }
    void set_viewport_beside_panels(int principal) override { poner_viewport(principal); }
    void install_main_callbacks(int principal) override {
        int previa = glutGetWindow();
        glutSetWindow(principal);
        glutDisplayFunc(principal_display);
        glutReshapeFunc(principal_reshape);
        glutKeyboardFunc(teclado_principal);
        glutSpecialFunc(especial_principal);
        glutMouseFunc(principal_raton);
        if (previa > 0) glutSetWindow(previa);
    }

private:
    void visibilidad(GLUI& w, bool visible) {
        Vista* v = vista_de(w.get_glut_window_id());
        if (!v) return;
        int previa = glutGetWindow();
        glutSetWindow(v->id);
        visible ? glutShowWindow() : glutHideWindow();
        if (previa > 0) glutSetWindow(previa);
        if (visible) repintar(*v);
        if (w.is_subwindow() && GLUI_Master.viewport_automatic()) poner_viewport(w.parent_window());
    }
};

BackendGlut backend_glut;

}  // namespace

void glui_glut_iniciar() {
    // The screen's DPI from the X resources (Xft.dpi), read through the current GL window's display.
    if (Display* d = glXGetCurrentDisplay())
        escala_pantalla = escala_panel::escala_dpi(escala_panel::dpi_de_recursos(XResourceManagerString(d)));
    GLUI_Master.set_backend(&backend_glut);
    glutIdleFunc(inactivo);
}
