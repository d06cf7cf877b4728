#include "controles.h"

#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace capa {

namespace {

constexpr float ANCHO_CAMPO_NORMAL = 78.0f;
constexpr float MARGEN_PANEL_NORMAL = 7.0f;
constexpr float TAM_FUENTE_NORMAL = 14.0f;

float escala_actual = 1.0f;
float ancho_campo() { return ANCHO_CAMPO_NORMAL * escala_actual; }
float ancho_campo_texto() { return 190.0f * escala_actual; }  // a file name
float margen_panel() { return MARGEN_PANEL_NORMAL * escala_actual; }

// ---------------------------------------------------------------- input

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

// The text ImGui holds for the active field `id`, when it differs from `texto`, becomes
// `texto`: all of it selected if all was, else the caret at its end.
void recargar_activo(ImGuiID id, const char* texto) {
    ImGuiInputTextState* st = ImGui::GetInputTextState(id);
    if (!st || ImGui::GetActiveID() != id) return;
    int largo = static_cast<int>(std::strlen(texto));
    if (st->TextAIsValid && st->CurLenA == largo && std::strncmp(st->TextA.Data, texto, largo) == 0) return;
    std::vector<ImWchar> w(static_cast<size_t>(largo) + 1);
    const char* fin = nullptr;
    int n = ImTextStrFromUtf8(w.data(), largo + 1, texto, nullptr, &fin);
    if (std::equal(w.begin(), w.begin() + n, st->TextW.Data) && st->CurLenW == n) return;
    bool todo = st->CurLenW > 0 && std::min(st->Stb.select_start, st->Stb.select_end) == 0 &&
                std::max(st->Stb.select_start, st->Stb.select_end) == st->CurLenW;
    st->TextW.resize(std::max(st->TextW.Size, n + 1));
    std::copy(w.begin(), w.begin() + n + 1, st->TextW.Data);
    st->CurLenW = n;
    st->CurLenA = largo;
    st->TextA.resize(largo + 1);
    std::memcpy(st->TextA.Data, texto, static_cast<size_t>(largo) + 1);
    st->TextAIsValid = true;
    st->InitialTextA.resize(largo + 1);
    std::memcpy(st->InitialTextA.Data, texto, static_cast<size_t>(largo) + 1);
    if (todo) {
        st->SelectAll();
    } else {
        st->Stb.cursor = n;
        st->ClearSelection();
    }
}

// The last item drawn stands for the control.
void anotar(Vista& v, const GLUI_Control* c) { v.zonas[c] = Zona{ImGui::GetItemRectMin(), ImGui::GetItemRectMax()}; }

void etiqueta(const std::string& nombre, float x_campo) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(sin_blancos_finales(nombre).c_str());
    ImGui::SameLine(x_campo > 0 ? x_campo : 0.0f);
}

// The field shows the control's text until the user types into it, then what is typed.
// Leaving it in any way commits what was typed (see the end of the frame); Escape restores.
void campo_texto(GLUI_EditText* e, Vista& v, float x_campo) {
    auto& buf = v.textos[e];
    if (!e->edited()) std::snprintf(buf.data(), buf.size(), "%s", e->get_text().c_str());
    etiqueta(e->get_name(), x_campo);
    ImGui::SetNextItemWidth(e->data_type() == GLUI_EDITTEXT_TEXT ? ancho_campo_texto() : ancho_campo());
    // ImGui keeps its own copy of the text of the field that has the keyboard: a value
    // the program set since, in a field not typed into, replaces it.
    if (!e->edited()) recargar_activo(ImGui::GetID("##campo"), buf.data());
    bool tecleado = ImGui::InputText("##campo", buf.data(), buf.size());
    // A text just refused: a short red line under the field for a moment.
    if (e->recently_refused()) {
        ImVec2 a = ImGui::GetItemRectMin(), b = ImGui::GetItemRectMax();
        ImGui::GetWindowDrawList()->AddLine(ImVec2(a.x + 2, b.y + 1), ImVec2(a.x + (b.x - a.x) / 3, b.y + 1),
                                            IM_COL32(230, 30, 30, 255), 2.0f);
    }
    anotar(v, e);
    if (ImGui::IsItemActivated()) e->begin_edit();
    // What is typed, also in the frame that leaves the field (characters and Enter may
    // arrive together).
    if (tecleado && e->editing()) e->edit(buf.data());
    if (ImGui::IsItemActive()) v.activo = e;
    else if (e->editing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape), false)) e->cancel();
}

void lista(GLUI_Listbox* l, float x_campo, Vista& v) {
    etiqueta(l->get_name(), x_campo);
    ImGui::SetNextItemWidth(ancho_campo());
    std::string actual = l->selected_text();
    ImVec2 inicio = ImGui::GetCursorScreenPos();
    v.zonas[l] = Zona{inicio, ImVec2(inicio.x + ancho_campo(), inicio.y + ImGui::GetFrameHeight())};
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
        v.pendientes.push_back([s] { s->user_set(static_cast<float>(s->get_float_val() - PASO_GIRADOR)); });
    ImGui::SameLine(0, espacio);
    ImGui::SetNextItemWidth(ancho_campo() - lado);
    if (v.escribir_en == s) {
        ImGui::SetKeyboardFocusHere();
        v.escribir_en = nullptr;
    }
    if (ImGui::DragFloat("##giro", &valor, ARRASTRE_GIRADOR * s->speed(), limitado ? s->lower() : 0.0f,
                         limitado ? s->upper() : 0.0f, "%.3f",
                         limitado ? ImGuiSliderFlags_AlwaysClamp : ImGuiSliderFlags_None))
        v.pendientes.push_back([s, valor] { s->user_set(valor); });
    anotar(v, s);
    if (ImGui::IsItemActive()) v.activo = s;
    // A click without a drag asks for typing, as a double click does.
    ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsItemDeactivated() && !ImGui::TempInputIsActive(ImGui::GetCurrentContext()->LastItemData.ID) &&
        io.MouseDragMaxDistanceSqr[0] < io.MouseDragThreshold * io.MouseDragThreshold && io.MouseReleased[0])
        v.escribir_en = s;
    ImGui::SameLine(0, espacio);
    if (ImGui::ArrowButton("##mas", ImGuiDir_Right))
        v.pendientes.push_back([s] { s->user_set(static_cast<float>(s->get_float_val() + PASO_GIRADOR)); });
    ImGui::PopButtonRepeat();
}

// One button of a radio group, drawn under its group's other buttons or apart from them.
void boton_de_radio(GLUI_RadioButton* r, Vista& v) {
    auto* g = static_cast<GLUI_RadioGroup*>(r->parent());
    int valor = r->value();
    if (ImGui::RadioButton(r->get_name().c_str(), g->get_int_val() == valor))
        v.pendientes.push_back([g, valor] { g->user_select(valor); });
    anotar(v, r);
}

void traslacion(GLUI_Translation* t, Vista& v) {
    const float lado = 34.0f;
    ImGui::BeginGroup();
    ImVec2 p = ImGui::GetCursorScreenPos();
    ImGui::InvisibleButton("##tras", ImVec2(lado, lado));
    anotar(v, t);
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
        int dx = entero_acotado(std::round(d.x)), dy = entero_acotado(std::round(d.y));
        if (dx != 0 || dy != 0) v.pendientes.push_back([t, dx, dy] { t->user_drag(dx, dy); });
    }
    float ancho_texto = ImGui::CalcTextSize(t->get_name().c_str()).x;
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + (lado - ancho_texto) / 2);
    ImGui::TextUnformatted(t->get_name().c_str());
    ImGui::EndGroup();
}

// Where a window's first-level controls, one over the other, stop fitting in alto_util
// pixels (their heights as last drawn): the index of the first one whose bottom would be
// below, or the number of controls when all fit. The first control always stays.
size_t corte_de_columna(const std::vector<GLUI_Control*>& hijos, const Vista& v, float alto_util) {
    float y = 0, espacio = ImGui::GetStyle().ItemSpacing.y;
    for (size_t i = 0; i < hijos.size(); ++i) {
        auto it = v.altos.find(hijos[i]);
        if (it == v.altos.end()) return hijos.size();
        y += it->second;
        if (i > 0 && y > alto_util) return i;
        y += espacio;
    }
    return hijos.size();
}

// Draws the children of a container, split into columns at each column control;
// the fields of a column share one left edge. With alto_util > 0 (a panel's first level),
// what does not fit in that height goes on in a second column.
void dibujar_hijos(GLUI_Control* cont, Vista& v, float alto_util = 0) {
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
    bool primer_nivel = alto_util > 0 && columnas.size() == 1;
    const std::vector<GLUI_Control*> todos = columnas[0];
    size_t corte = todos.size();
    if (primer_nivel) {
        corte = corte_de_columna(todos, v, alto_util);
        if (corte < todos.size()) {
            columnas[0].resize(corte);
            columnas.emplace_back(todos.begin() + static_cast<std::ptrdiff_t>(corte), todos.end());
            barras.push_back(false);
        }
    }
    std::vector<float> x_barras;
    float y0 = ImGui::GetCursorScreenPos().y, y1 = y0;
    float x0 = ImGui::GetCursorScreenPos().x;
    for (size_t i = 0; i < columnas.size(); ++i) {
        if (i > 0) {
            ImGui::SameLine(0, 10);
            if (barras[i - 1]) {
                x_barras.push_back(ImGui::GetCursorScreenPos().x);
                ImGui::SameLine(0, 11);
            }
        }
        // First-level panels share their width measured from their column's left edge.
        if (primer_nivel) {
            v.columna = static_cast<int>(i);
            v.x_primer_nivel = ImGui::GetCurrentWindow()->Pos.x + ImGui::GetCursorScreenPos().x - x0;
        }
        ImGui::BeginGroup();
        float ancho_etiquetas = 0;
        for (GLUI_Control* h : columnas[i])
            if (tiene_campo(h))
                ancho_etiquetas = std::max(ancho_etiquetas, ImGui::CalcTextSize(sin_blancos_finales(h->get_name()).c_str()).x);
        float x_campo = ancho_etiquetas > 0 ? ancho_etiquetas + 10 : 0;  // from the column's left edge
        float ancho_columna = 0;
        for (GLUI_Control* h : columnas[i]) {
            v.ancho_columna = ancho_columna;
            dibujar(h, v, x_campo);
            ancho_columna = std::max(ancho_columna, ImGui::GetItemRectSize().x);
            if (primer_nivel) v.altos[h] = ImGui::GetItemRectSize().y;
        }
        ImGui::EndGroup();
        y1 = std::max(y1, ImGui::GetItemRectMax().y);
    }
    for (float x : x_barras)
        ImGui::GetWindowDrawList()->AddLine(ImVec2(x, y0), ImVec2(x, y1), ImGui::GetColorU32(ImGuiCol_Border), 1.0f);
    // Heights that changed in this frame place the second column elsewhere in the next.
    if (primer_nivel && corte_de_columna(todos, v, alto_util) != corte) v.recolocar = true;
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
    // A frame is never narrower than its caption, whatever the width of what it holds.
    if (!desplegable && !p->get_name().empty())
        derecha = std::max(derecha, inicio.x + 6 + ImGui::CalcTextSize(p->get_name().c_str()).x + 3 + margen_panel());
    // Panels of the window's first level share one width in each column: the widest one's of
    // the previous frame.
    if (p->parent() && p->parent()->parent() == nullptr) {
        float& natural = v.ancho_natural[v.columna];
        natural = std::max(natural, derecha - v.x_primer_nivel);
        derecha = std::max(derecha, v.x_primer_nivel + v.ancho_compartido[v.columna]);
    }
    ventana->DC.CursorMaxPos.x = std::max(ventana->DC.CursorMaxPos.x, derecha);
    ImDrawList* dl = ImGui::GetWindowDrawList();
    float y_marco = desplegable ? inicio.y : inicio.y + alto_texto * 0.5f;
    ImVec2 a(inicio.x - 3, y_marco), b(derecha, fin.y);
    v.zonas[p] = Zona{a, b};
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
            // Each missing line as a blank one (a line of no width at the end would not count).
            std::string texto = t->get_name();
            for (int n = 1 + static_cast<int>(std::count(texto.begin(), texto.end(), '\n')); n < t->lines(); ++n)
                texto += "\n ";
            ImGui::TextUnformatted(texto.c_str());
            anotar(v, t);
            if (t->has_color()) ImGui::PopStyleColor();
            break;
        }
        case GLUI_Kind::Separator: ImGui::Separator(); break;
        case GLUI_Kind::Button: {
            auto* b = static_cast<GLUI_Button*>(c);
            float ancho = std::max(110.0f * escala_actual, ImGui::CalcTextSize(b->get_name().c_str()).x + 16 * escala_actual);
            if (ImGui::Button((b->get_name() + "##b").c_str(), ImVec2(ancho, 0)))
                v.pendientes.push_back([b] { b->user_press(); });
            anotar(v, b);
            break;
        }
        case GLUI_Kind::EditText: campo_texto(static_cast<GLUI_EditText*>(c), v, x_campo); break;
        case GLUI_Kind::Listbox: lista(static_cast<GLUI_Listbox*>(c), x_campo, v); break;
        case GLUI_Kind::Checkbox: {
            auto* k = static_cast<GLUI_Checkbox*>(c);
            bool marcado = k->get_int_val() != 0;
            if (ImGui::Checkbox(k->get_name().c_str(), &marcado)) v.pendientes.push_back([k] { k->user_toggle(); });
            anotar(v, k);
            break;
        }
        case GLUI_Kind::RadioGroup:
            for (GLUI_Control* h : c->children()) {
                auto* r = static_cast<GLUI_RadioButton*>(h);
                if (r->drawn_apart()) continue;
                ImGui::PushID(r);
                bool apagado_r = !r->enabled() && !apagado;
                if (apagado_r) ImGui::BeginDisabled();
                boton_de_radio(r, v);
                if (apagado_r) ImGui::EndDisabled();
                ImGui::PopID();
            }
            break;
        case GLUI_Kind::Spinner: girador(static_cast<GLUI_Spinner*>(c), v, x_campo); break;
        case GLUI_Kind::Translation: traslacion(static_cast<GLUI_Translation*>(c), v); break;
        case GLUI_Kind::RadioButton: boton_de_radio(static_cast<GLUI_RadioButton*>(c), v); break;
        case GLUI_Kind::Progress: {
            auto* p = static_cast<GLUI_Progress*>(c);
            ImGui::ProgressBar(p->fraction(), ImVec2(std::max(v.ancho_columna, ancho_campo()), 0), p->text().c_str());
            anotar(v, p);
            break;
        }
    }
    if (apagado) ImGui::EndDisabled();
    ImGui::PopID();
}

}  // namespace

void aplicar_estilo() {
    ImGui::GetStyle() = ImGuiStyle();
    ImGui::StyleColorsLight();
    ImGuiStyle& s = ImGui::GetStyle();
    s.WindowPadding = ImVec2(8, 8);
    // Rows as tight as reads well: both panels fit the default 1000 x 660 window.
    s.FramePadding = ImVec2(5, 1);
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
    c[ImGuiCol_PlotHistogram] = ImVec4(0.45f, 0.65f, 0.92f, 1);
    s.ScaleAllSizes(escala_actual);
}

void poner_escala(float e) { escala_actual = e; }
float escala() { return escala_actual; }
float tam_fuente() { return TAM_FUENTE_NORMAL * escala_actual; }

void poner_mapa_teclas(ImGuiIO& io) {
    using namespace entrada;
    io.KeyMap[ImGuiKey_Tab] = TECLA_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = TECLA_ESPECIAL + ESPECIAL_IZQUIERDA;
    io.KeyMap[ImGuiKey_RightArrow] = TECLA_ESPECIAL + ESPECIAL_DERECHA;
    io.KeyMap[ImGuiKey_UpArrow] = TECLA_ESPECIAL + ESPECIAL_ARRIBA;
    io.KeyMap[ImGuiKey_DownArrow] = TECLA_ESPECIAL + ESPECIAL_ABAJO;
    io.KeyMap[ImGuiKey_PageUp] = TECLA_ESPECIAL + ESPECIAL_RE_PAG;
    io.KeyMap[ImGuiKey_PageDown] = TECLA_ESPECIAL + ESPECIAL_AV_PAG;
    io.KeyMap[ImGuiKey_Home] = TECLA_ESPECIAL + ESPECIAL_INICIO;
    io.KeyMap[ImGuiKey_End] = TECLA_ESPECIAL + ESPECIAL_FIN;
    io.KeyMap[ImGuiKey_Insert] = TECLA_ESPECIAL + ESPECIAL_INSERTAR;
    io.KeyMap[ImGuiKey_Delete] = TECLA_SUPRIMIR;
    io.KeyMap[ImGuiKey_Backspace] = TECLA_BORRAR;
    io.KeyMap[ImGuiKey_Space] = ' ';
    io.KeyMap[ImGuiKey_Enter] = TECLA_INTRO;
    io.KeyMap[ImGuiKey_Escape] = TECLA_ESCAPE;
    io.KeyMap[ImGuiKey_KeyPadEnter] = TECLA_INTRO;
    // Ctrl + letter arrives as the capital letter's key with Ctrl.
    io.KeyMap[ImGuiKey_A] = 'A';
    io.KeyMap[ImGuiKey_C] = 'C';
    io.KeyMap[ImGuiKey_V] = 'V';
    io.KeyMap[ImGuiKey_X] = 'X';
    io.KeyMap[ImGuiKey_Y] = 'Y';
    io.KeyMap[ImGuiKey_Z] = 'Z';
}

void crear_contexto(Vista& v) {
    v.ctx = ImGui::CreateContext();
    ImGui::SetCurrentContext(v.ctx);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigInputTextCursorBlink = false;
    poner_mapa_teclas(io);
    aplicar_estilo();
}

Resultado cuadro(Vista& v, entrada::Cola* cola, float ancho, float alto, const std::function<void()>& nuevo_cuadro) {
    ImGui::SetCurrentContext(v.ctx);
    ancho = std::max(ancho, 0.0f);
    alto = std::max(alto, 0.0f);
    if (cola) {
        DestinoImGui destino(v);
        v.mas_entrada = cola->consumir(destino);
    }
    ImGuiIO& io = ImGui::GetIO();
    bool panel = v.glui->is_subwindow();
    // A stand-alone window is laid out on a large canvas, so that its size follows its content.
    io.DisplaySize = panel ? ImVec2(ancho, alto) : ImVec2(4096, 4096);
    nuevo_cuadro();
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
    v.zonas.clear();
    // A panel taller than its window scrolls, with a scroll bar.
    ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                             ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                             ImGuiWindowFlags_NoBringToFrontOnFocus;
    if (!panel) flags |= ImGuiWindowFlags_NoScrollbar;
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    if (panel) ImGui::SetNextWindowSize(ImVec2(ancho, alto));
    else flags |= ImGuiWindowFlags_AlwaysAutoResize;
    ImGui::Begin("##glui", nullptr, flags);
    for (int i = 0; i < 2; ++i) {
        v.ancho_compartido[i] = v.ancho_natural[i];
        v.ancho_natural[i] = 0;
    }
    v.columna = 0;
    v.x_primer_nivel = ImGui::GetCurrentWindow()->Pos.x;
    // A panel beside the main window goes on in a second column rather than below the window.
    v.recolocar = false;
    dibujar_hijos(v.glui->main_panel(), v, panel ? alto - 2 * ImGui::GetStyle().WindowPadding.y : 0.0f);
    ImGui::End();
    ImGui::Render();
    ImGui::GetDrawData()->DisplaySize = ImVec2(ancho, alto);

    Resultado r;
    r.otro_cuadro = v.recolocar;
    // A text field holds the keyboard as this frame leaves it (ImGui's own flag would say
    // so only from the next frame on), or a spinner clicked once will take it next.
    const ImGuiContext& g = *ImGui::GetCurrentContext();
    r.escribe = (g.ActiveId != 0 && g.InputTextState.ID == g.ActiveId) || v.escribir_en != nullptr;
    if (ImGuiWindow* win = ImGui::FindWindowByName("##glui")) {
        const ImGuiStyle& s = ImGui::GetStyle();
        if (panel) {
            r.ancho = entrada::ancho_panel(win->ContentSize.x, s.WindowPadding.x, s.ScrollbarSize, win->ScrollbarY);
        } else {
            r.ancho = static_cast<int>(std::ceil(win->Size.x));
            r.alto = static_cast<int>(std::ceil(win->Size.y));
        }
    }
    return r;
}

void acciones(Vista& v) {
    v.glui->focus_now(v.activo);
    auto pendientes = std::move(v.pendientes);
    v.pendientes.clear();
    for (auto& a : pendientes) a();
}

}  // namespace capa
