#include "glui_glut.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>
#include <imgui_internal.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "entrada.h"
#include "escala_panel.h"
#include "glui.h"

// Xlib last: its macros (None, Status, ...) must not reach the headers above.
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

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
float ancho_campo_texto() { return 190.0f * escala(); }  // a file name
float margen_panel() { return MARGEN_PANEL_NORMAL * escala(); }
constexpr double PASO_COLOR = 0.01;  // a spinner's arrows

struct Vista {
    GLUI* glui = nullptr;
    int id = 0;
    ImGuiContext* ctx = nullptr;
    std::map<const GLUI_Control*, std::array<char, 256>> textos;
    std::vector<std::function<void()>> pendientes;
    int marcos_extra = 2;
    bool quitar_foco = false;
    bool cerrar_listas = false;
    bool mas_entrada = false;                 // input left for the next frame
    const GLUI_Control* activo = nullptr;     // the control ImGui held active in this frame
    const GLUI_Spinner* escribir_en = nullptr;  // a spinner clicked once: its text takes the keyboard
    bool lista_abierta = false;
    ImVec2 lista_min, lista_max;              // an open list and the control that opened it
    int ancho = 0, alto = 0;    // size asked of GLUT
    float ancho_natural = 0;     // widest first-level panel of this frame, from the window's left edge
    float ancho_compartido = 0;  // the same, of the previous frame
};

std::map<int, std::unique_ptr<Vista>> vistas;
entrada::Rutas rutas;
entrada::Compas compas(60);  // set by glui_glut_iniciar
unsigned generacion_latido = 0;

Vista* vista_de(int id) {
    auto it = vistas.find(id);
    return it == vistas.end() ? nullptr : it->second.get();
}

int ventana_valida(int id) {
    Vista* v = vista_de(id);
    return (v && v->id > 0) || (id > 0 && id == GLUI_Master.main_window()) ? id : 0;
}

double ahora_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

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
        if (v->id < 0) continue;
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

static_assert(entrada::MOD_SHIFT == GLUT_ACTIVE_SHIFT && entrada::MOD_CTRL == GLUT_ACTIVE_CTRL &&
                  entrada::MOD_ALT == GLUT_ACTIVE_ALT,
              "modifier bits as GLUT reports them");

// The queued input applied to the current ImGui context.
class DestinoImGui : public entrada::Destino {
public:
    explicit DestinoImGui(Vista& v) : v_(v), io_(ImGui::GetIO()) {}
    void puntero(float x, float y) override { io_.MousePos = ImVec2(x, y); }
    void puntero_fuera() override { io_.MousePos = ImVec2(-FLT_MAX, -FLT_MAX); }
    void boton(int b, bool abajo) override { io_.MouseDown[b] = abajo; }
    void rueda(float muescas) override { io_.MouseWheel += muescas; }
    void caracter(unsigned c) override { io_.AddInputCharacter(c); }
    void tecla(int codigo, bool abajo) override {
        if (codigo >= 0 && codigo < IM_ARRAYSIZE(io_.KeysDown)) io_.KeysDown[codigo] = abajo;
    }
    void modificadores(int mods) override {
        io_.KeyCtrl = (mods & entrada::MOD_CTRL) != 0;
        io_.KeyShift = (mods & entrada::MOD_SHIFT) != 0;
        io_.KeyAlt = (mods & entrada::MOD_ALT) != 0;
    }
    bool lista_abierta_fuera(float x, float y) override {
        if (!v_.lista_abierta) return false;
        ImGuiContext& g = *ImGui::GetCurrentContext();
        ImVec2 p(x, y);
        for (const ImGuiPopupData& d : g.OpenPopupStack)
            if (d.Window && d.Window->Rect().Contains(p)) return false;
        return !ImRect(v_.lista_min, v_.lista_max).Contains(p);
    }
    void cerrar_listas() override { v_.cerrar_listas = true; }
    void quitar_foco() override {
        v_.quitar_foco = true;
        v_.cerrar_listas = true;
    }

private:
    Vista& v_;
    ImGuiIO& io_;
};

// ---------------------------------------------------------------- controls

std::string sin_blancos_finales(const std::string& s) {
    size_t fin = s.find_last_not_of(' ');
    return fin == std::string::npos ? std::string() : s.substr(0, fin + 1);
}

bool tiene_campo(const GLUI_Control* c) {
    return c->kind() == GLUI_Kind::EditText || c->kind() == GLUI_Kind::Listbox || c->kind() == GLUI_Kind::Spinner;
}

void dibujar(GLUI_Control* c, Vista& v, float x_campo);

void etiqueta(const std::string& nombre, float x_campo) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(sin_blancos_finales(nombre).c_str());
    ImGui::SameLine(x_campo > 0 ? x_campo : 0.0f);
}

// The field shows the control's text until the user starts typing, then what is typed.
// Leaving it in any way commits (see the end of the frame); Escape restores.
void campo_texto(GLUI_EditText* e, Vista& v, float x_campo) {
    auto& buf = v.textos[e];
    if (!e->editing()) std::snprintf(buf.data(), buf.size(), "%s", e->get_text().c_str());
    etiqueta(e->get_name(), x_campo);
    ImGui::SetNextItemWidth(e->data_type() == GLUI_EDITTEXT_TEXT ? ancho_campo_texto() : ancho_campo());
    ImGui::InputText("##campo", buf.data(), buf.size());
    if (ImGui::IsItemActivated()) e->begin_edit();
    // While editing, the buffer holds what is typed, also in the frame that leaves the
    // field (characters and Enter may arrive together).
    if (e->editing()) e->edit(buf.data());
    if (ImGui::IsItemActive()) v.activo = e;
    else if (e->editing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape), false)) e->cancel();
}

void lista(GLUI_Listbox* l, float x_campo, Vista& v) {
    etiqueta(l->get_name(), x_campo);
    ImGui::SetNextItemWidth(ancho_campo());
    std::string actual = l->selected_text();
    ImVec2 inicio = ImGui::GetCursorScreenPos();
    if (ImGui::BeginCombo("##lista", actual.c_str())) {
        v.lista_abierta = true;
        v.lista_min = inicio;
        v.lista_max = ImVec2(inicio.x + ancho_campo(), inicio.y + ImGui::GetFrameHeight());
        for (const auto& item : l->items()) {
            int id = item.first;
            if (ImGui::Selectable(item.second.c_str(), id == l->get_int_val()))
                v.pendientes.push_back([l, id] { l->user_select(id); });
        }
        ImGui::EndCombo();
    }
}

// A spinner: its value as text (a single click puts the caret in it, Enter applies),
// dragged sideways to change it, and small arrows that step it.
void girador(GLUI_Spinner* s, Vista& v, float x_campo) {
    etiqueta(s->get_name(), x_campo);
    float lado = ImGui::GetFrameHeight();
    float espacio = 2;
    bool limitado = s->limit_type() == GLUI_LIMIT_CLAMP;
    float valor = s->get_float_val();
    ImGui::PushButtonRepeat(true);
    if (ImGui::ArrowButton("##menos", ImGuiDir_Left))
        v.pendientes.push_back([s] { s->user_set(static_cast<float>(s->get_float_val() - PASO_COLOR)); });
    ImGui::SameLine(0, espacio);
    ImGui::SetNextItemWidth(ancho_campo() - lado);
    if (v.escribir_en == s) {
        ImGui::SetKeyboardFocusHere();
        v.escribir_en = nullptr;
    }
    if (ImGui::DragFloat("##giro", &valor, 0.004f * s->speed(), limitado ? s->lower() : 0.0f,
                         limitado ? s->upper() : 0.0f, "%.3f",
                         limitado ? ImGuiSliderFlags_AlwaysClamp : ImGuiSliderFlags_None))
        v.pendientes.push_back([s, valor] { s->user_set(valor); });
    if (ImGui::IsItemActive()) v.activo = s;
    // A click without a drag asks for typing, as a double click does.
    ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsItemDeactivated() && !ImGui::TempInputIsActive(ImGui::GetCurrentContext()->LastItemData.ID) &&
        io.MouseDragMaxDistanceSqr[0] < io.MouseDragThreshold * io.MouseDragThreshold && io.MouseReleased[0])
        v.escribir_en = s;
    ImGui::SameLine(0, espacio);
    if (ImGui::ArrowButton("##mas", ImGuiDir_Right))
        v.pendientes.push_back([s] { s->user_set(static_cast<float>(s->get_float_val() + PASO_COLOR)); });
    ImGui::PopButtonRepeat();
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
        case GLUI_Kind::Spinner: girador(static_cast<GLUI_Spinner*>(c), v, x_campo); break;
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
    if (principal <= 0 || principal != GLUI_Master.main_window()) return;
    int previa = glutGetWindow();
    glutSetWindow(principal);
    entrada::Rect r = entrada::area_dibujo(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT),
                                           ancho_paneles(principal));
    glViewport(r.x, r.y, r.ancho, r.alto);
    if (previa > 0 && previa != principal) glutSetWindow(previa);
}

void ajustar_tamano(Vista& v) {
    ImGuiWindow* win = ImGui::FindWindowByName("##glui");
    if (!win) return;
    const ImGuiStyle& s = ImGui::GetStyle();
    int w, h;
    if (v.glui->is_subwindow()) {
        w = entrada::ancho_panel(win->ContentSize.x, s.WindowPadding.x, s.ScrollbarSize, win->ScrollbarY);
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
    if (entrada::Cola* cola = rutas.cola(v.id)) {
        DestinoImGui destino(v);
        v.mas_entrada = cola->consumir(destino);
    }
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
    if (v.cerrar_listas) {
        if (ImGui::GetCurrentContext()->OpenPopupStack.Size > 0) ImGui::ClosePopupToLevel(0, false);
        v.cerrar_listas = false;
    }
    v.activo = nullptr;
    v.lista_abierta = false;
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
    // ImGui says a text field took the keyboard only from the next frame on: asked now,
    // the keys typed meanwhile already go to it.
    bool escribe = io.WantTextInput || ImGui::GetCurrentContext()->WantTextInputNextFrame == 1;
    rutas.escribiendo(v.id, escribe || v.glui->focused_edit() != nullptr);
    ajustar_tamano(v);
}

// ---------------------------------------------------------------- GLUT callbacks of layer windows

void vista_display() {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    cuadro(*v);
    // Outside the ImGui frame: every field the keyboard left commits, then the
    // controls' callbacks run in the order the user acted.
    int id = v->id;
    v->glui->focus_now(v->activo);
    auto acciones = std::move(v->pendientes);
    v->pendientes.clear();
    for (auto& a : acciones) a();
    v = vista_de(id);
    if (!v) return;
    if (v->mas_entrada || v->marcos_extra > 0) {
        if (!v->mas_entrada) --v->marcos_extra;
        glutPostWindowRedisplay(v->id);
    }
}

void vista_raton(int boton, int estado, int x, int y) {
    Vista* v = vista_de(glutGetWindow());
    entrada::Evento e;
    if (!v || !entrada::de_raton(boton, estado == GLUT_DOWN, x, y, e)) return;
    rutas.raton(v->id, e);
    repintar(*v);
}

void vista_movimiento(int x, int y) {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    entrada::Evento e;
    e.tipo = entrada::Evento::Mover;
    e.x = static_cast<float>(x);
    e.y = static_cast<float>(y);
    rutas.raton(v->id, e);
    repintar(*v);
}

void vista_entrada(int estado) {
    Vista* v = vista_de(glutGetWindow());
    if (!v || estado != GLUT_LEFT) return;
    entrada::Evento e;
    e.tipo = entrada::Evento::Fuera;
    rutas.raton(v->id, e);
    repintar(*v);
}

// A key for the field that has the keyboard, if any; else the program's.
void tecla(const entrada::Evento& e, unsigned char c, int x, int y) {
    if (rutas.tecla(glutGetWindow(), e)) {
        if (Vista* v = vista_de(rutas.ventana_escribiendo())) repintar(*v);
        return;
    }
    int principal = GLUI_Master.main_window();
    int previa = glutGetWindow();
    if (principal > 0) glutSetWindow(principal);
    if (e.a >= entrada::TECLA_ESPECIAL && e.tipo == entrada::Evento::Tecla) {
        if (auto f = GLUI_Master.special_func()) f(e.a - entrada::TECLA_ESPECIAL, x, y);
    } else if (auto f = GLUI_Master.keyboard_func()) {
        f(c, x, y);
    }
    if (previa > 0 && vista_de(previa)) glutSetWindow(previa);
}

void teclado(unsigned char c, int x, int y) {
    if (tecla_de_escala(c)) return;
    tecla(entrada::de_caracter(c, glutGetModifiers()), c, x, y);
}

void especial(int k, int x, int y) { tecla(entrada::de_especial(k, glutGetModifiers()), 0, x, y); }

void vista_reshape(int, int) {
    Vista* v = vista_de(glutGetWindow());
    if (v) repintar(*v);
}

// ---------------------------------------------------------------- leaving

// X windows of the program: one destroyed by someone else ends the program.
Display* vigia = nullptr;
std::map<int, Window> ventanas_x;  // GLUT id -> X window
bool ventana_x_perdida = false;
XErrorHandler manejador_previo = nullptr;
bool principal_cerrada = false;
void (*al_cerrar_principal)() = nullptr;

void armar_latido(int ms);

int error_x(Display* d, XErrorEvent* e) {
    for (auto& [id, x] : ventanas_x)
        if (x == e->resourceid) {
            ventana_x_perdida = true;
            armar_latido(0);
            return 0;
        }
    return manejador_previo ? manejador_previo(d, e) : 0;
}

void vigilar(int id) {
    int previa = glutGetWindow();
    glutSetWindow(id);
    Window x = glXGetCurrentDrawable();
    if (previa > 0) glutSetWindow(previa);
    if (x == 0) return;
    ventanas_x[id] = x;
    if (vigia) {
        XSelectInput(vigia, x, StructureNotifyMask);
        XFlush(vigia);
    }
}

void revisar_vigia() {
    while (vigia && XPending(vigia) > 0) {
        XEvent ev;
        XNextEvent(vigia, &ev);
        if (ev.type != DestroyNotify) continue;
        for (auto& [id, x] : ventanas_x)
            if (x == ev.xdestroywindow.window) ventana_x_perdida = true;
    }
    if (ventana_x_perdida) {
        // GLUT's own clean-up at exit would reach for the vanished window's drawable.
        std::fflush(nullptr);
        std::_Exit(0);
    }
}

// GLUT is destroying a layer window it was asked to close (the window manager's
// close button, or the main window going with its panels).
void vista_cerrada() {
    int id = glutGetWindow();
    ventanas_x.erase(id);
    Vista* v = vista_de(id);
    if (!v) return;  // the layer's own destruction
    GLUI* w = v->glui;
    v->id = -v->id;  // the GLUT window is gone: only the ImGui context is left to free
    rutas.visibilidad(id, false);
    if (!w->is_subwindow()) w->user_close();
}

void principal_cerrada_cb() {
    ventanas_x.erase(glutGetWindow());
    principal_cerrada = true;
    GLUI_Master.forget_main_window();
    armar_latido(0);
}

// ---------------------------------------------------------------- the main window's routing

void principal_display() {
    compas.dibujado();
    if (auto f = GLUI_Master.display_func()) f();
    armar_latido(compas.espera(ahora_ms()));
}

void principal_reshape(int w, int h) {
    int principal = glutGetWindow();
    if (auto f = GLUI_Master.reshape_func()) f(w, h);
    for (auto& [id, v] : vistas) {
        if (v->glui->parent_window() != principal || v->id < 0) continue;
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
        // Fields commit and lists close once the panel has taken what was typed before.
        rutas.pulsacion_principal();
        for (auto& [id, v] : vistas)
            if (v->id > 0 && v->glui->visible()) repintar(*v);
    }
    if (auto f = GLUI_Master.mouse_func()) f(boton, estado, x, y);
}

// The frame timer: removes closed windows, makes the motion's step when one is due,
// and comes back when the next one may be.
void latido(int generacion) {
    if (static_cast<unsigned>(generacion) != generacion_latido) return;
    revisar_vigia();
    if (principal_cerrada) {
        principal_cerrada = false;
        if (al_cerrar_principal) al_cerrar_principal();
        else std::exit(0);
    }
    GLUI_Master.reap_closed();
    double t = ahora_ms();
    if (compas.toca(t)) GLUI_Master.idle_tick();
    armar_latido(compas.espera(ahora_ms()));
}

void armar_latido(int ms) { glutTimerFunc(static_cast<unsigned>(std::max(0, ms)), latido, static_cast<int>(++generacion_latido)); }

void registrar_vista() {
    glutDisplayFunc(vista_display);
    glutReshapeFunc(vista_reshape);
    glutMouseFunc(vista_raton);
    glutMotionFunc(vista_movimiento);
    glutPassiveMotionFunc(vista_movimiento);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(especial);
    glutEntryFunc(vista_entrada);
    glutCloseFunc(vista_cerrada);
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
        rutas.alta(id, 0);
        vigilar(id);
        return id;
    }
    int create_subwindow(GLUI& w, int parent) override {
        int h = alto_de(parent);
        int id = glutCreateSubWindow(parent, 0, 0, 200, h);
        registrar_vista();
        Vista& v = crear_vista(w, id);
        v.ancho = 200;
        v.alto = h;
        rutas.alta(id, parent);
        vigilar(id);
        return id;
    }
    void destroy_window(GLUI& w) override {
        int id = w.get_glut_window_id();
        Vista* v = vista_de(id);
        if (!v) return;
        bool perdida = v->id < 0;
        int previa = glutGetWindow();
        if (perdida) {
            // Its GL context went with the window: nothing of GL may be called for it.
            if (Display* d = glXGetCurrentDisplay()) glXMakeCurrent(d, None, nullptr);
        } else {
            glutSetWindow(id);
        }
        ImGui::SetCurrentContext(v->ctx);
        ImGui_ImplOpenGL2_Shutdown();
        ImGui_ImplGLUT_Shutdown();
        ImGui::DestroyContext(v->ctx);
        ImGui::SetCurrentContext(nullptr);
        int padre = w.parent_window();
        vistas.erase(id);
        rutas.baja(id);
        ventanas_x.erase(id);
        if (!perdida) glutDestroyWindow(id);
        // Back to the window that was current (its GL context too), or to the main window.
        int volver = previa > 0 && previa != id && ventana_valida(previa) ? previa : GLUI_Master.main_window();
        if (volver > 0 && (perdida || glutGetWindow() != volver)) glutSetWindow(volver);
        if (padre > 0 && GLUI_Master.viewport_automatic()) poner_viewport(padre);
    }
    void show_window(GLUI& w) override { visibilidad(w, true); }
    void hide_window(GLUI& w) override { visibilidad(w, false); }
    void repaint(GLUI& w) override {
        if (Vista* v = vista_de(w.get_glut_window_id()); v && v->id > 0) repintar(*v);
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
        glutKeyboardFunc(teclado);
        glutSpecialFunc(especial);
        glutMouseFunc(principal_raton);
        glutCloseFunc(principal_cerrada_cb);
        if (previa > 0) glutSetWindow(previa);
        vigilar(principal);
    }

private:
    void visibilidad(GLUI& w, bool visible) {
        rutas.visibilidad(w.get_glut_window_id(), visible);
        Vista* v = vista_de(w.get_glut_window_id());
        if (!v || v->id < 0) return;
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

void glui_glut_iniciar(int ms_por_cuadro) {
    compas = entrada::Compas(ms_por_cuadro);
    // The screen's DPI from the X resources (Xft.dpi), read through the current GL window's display.
    if (Display* d = glXGetCurrentDisplay())
        escala_pantalla = escala_panel::escala_dpi(escala_panel::dpi_de_recursos(XResourceManagerString(d)));
    GLUI_Master.set_backend(&backend_glut);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    if (Display* d = glXGetCurrentDisplay()) {
        vigia = XOpenDisplay(DisplayString(d));
        // Shift+Tab is ISO_Left_Tab, which GLUT drops; read as a Tab, it arrives with its Shift.
        const unsigned char tab[] = "\t";
        KeySym mayusculas = XK_Shift_L;
        // The keyboard map is loaded first: XRebindKeysym would load it while holding the
        // display's lock, and wait on itself.
        XkbKeysymToModifiers(d, mayusculas);
        XRebindKeysym(d, XK_ISO_Left_Tab, &mayusculas, 1, tab, 1);
        XRebindKeysym(d, XK_ISO_Left_Tab, nullptr, 0, tab, 1);
    }
    manejador_previo = XSetErrorHandler(error_x);
    armar_latido(0);
}

void glui_glut_al_cerrar_principal(void (*f)()) { al_cerrar_principal = f; }
