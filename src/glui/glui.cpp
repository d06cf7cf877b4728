#include "glui.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

GLUI_Master_Object GLUI_Master;

namespace {

// Used until a real backend is set: windows exist only as data.
class NullBackend : public GLUI_Backend {
public:
    int create_window(GLUI&) override { return ++next_; }
    int create_subwindow(GLUI&, int) override { return ++next_; }
    void destroy_window(GLUI&) override {}
    void show_window(GLUI&) override {}
    void hide_window(GLUI&) override {}
    void repaint(GLUI&) override {}
    int current_window() override { return current_; }
    void set_current_window(int id) override { current_ = id; }
    void post_redisplay(int) override {}
    void set_viewport_beside_panels(int) override {}
    void install_main_callbacks(int) override {}
private:
    int next_ = 1000;
    int current_ = 0;
};

NullBackend null_backend;

void collect_tree(GLUI_Control& c, std::vector<GLUI_Control*>& seen) {
    seen.push_back(&c);
    for (GLUI_Control* child : c.children()) collect_tree(*child, seen);
}

}  // namespace

// ---------------------------------------------------------------- controls

GLUI_Control::GLUI_Control(GLUI_Kind kind, GLUI* glui, GLUI_Control* parent, std::string name, int id, GLUI_CB cb)
    : kind_(kind), glui_(glui), parent_(parent), name_(std::move(name)), id_(id), cb_(cb) {}

void GLUI_Control::set_name(const char* name) {
    name_ = name ? name : "";
    changed();
}

void GLUI_Control::enable() {
    std::vector<GLUI_Control*> all;
    collect_tree(*this, all);
    for (GLUI_Control* c : all) c->enabled_ = true;
    changed();
}

void GLUI_Control::disable() {
    std::vector<GLUI_Control*> all;
    collect_tree(*this, all);
    for (GLUI_Control* c : all) c->enabled_ = false;
    changed();
}

int entero_acotado(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(v);
}

void GLUI_Control::set_int_val(int v) {
    int_val_ = v;
    float_val_ = static_cast<float>(v);
    changed();
}

void GLUI_Control::set_float_val(float v) {
    float_val_ = v;
    int_val_ = entero_acotado(v);
    changed();
}

void GLUI_Control::revert_user_value() {
    if (kind_ == GLUI_Kind::EditText && static_cast<GLUI_EditText*>(this)->data_type() == GLUI_EDITTEXT_FLOAT)
        set_float_val(prev_float_val_);
    else
        set_int_val(prev_int_val_);
    if (kind_ == GLUI_Kind::EditText) static_cast<GLUI_EditText*>(this)->note_refusal();
}

void GLUI_Control::changed() {
    if (glui_) glui_->repaint();
}

void GLUI_Control::run_callback() {
    if (glui_) glui_->execute_callback(*this);
}

GLUI_Panel::GLUI_Panel(GLUI* g, GLUI_Control* parent, std::string name, int type, GLUI_Kind kind)
    : GLUI_Control(kind, g, parent, std::move(name), -1, {}), type_(type) {}

void GLUI_Button::user_press() {
    if (!enabled()) return;
    run_callback();
}

// ---------------------------------------------------------------- edit fields

GLUI_EditText::GLUI_EditText(GLUI* g, GLUI_Control* parent, std::string name, int data_type, int id, GLUI_CB cb)
    : GLUI_Control(GLUI_Kind::EditText, g, parent, std::move(name), id, cb), data_type_(data_type) {
    refresh_text();
}

namespace {

// The text as a plain decimal number for strtod: a comma taken as the point where there
// is no point; empty when the text is not such a number.
std::string decimal(const std::string& s) {
    // Leading blanks are skipped, as strtod does.
    std::string t = s.substr(std::min(s.size(), s.find_first_not_of(" \t\n")));
    if (t.find('.') == std::string::npos) {
        auto coma = t.find(',');
        if (coma != std::string::npos) t[coma] = '.';
    }
    size_t i = 0, n = t.size();
    auto digitos = [&] {
        size_t desde = i;
        while (i < n && t[i] >= '0' && t[i] <= '9') ++i;
        return i - desde;
    };
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t cifras = digitos();
    if (i < n && t[i] == '.') {
        ++i;
        cifras += digitos();
    }
    if (cifras == 0) return "";
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        if (digitos() == 0) return "";
    }
    return i == n ? t : "";
}

double ahora() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

bool GLUI_EditText::parse_int(const std::string& s, int& out) {
    std::string t = decimal(s);
    if (t.empty()) return false;
    errno = 0;
    double d = std::strtod(t.c_str(), nullptr);
    if (errno == ERANGE || !std::isfinite(d)) return false;
    if (d != std::trunc(d) || d < -2147483647.0 || d > 2147483647.0) return false;
    out = static_cast<int>(d);
    return true;
}

bool GLUI_EditText::parse_float(const std::string& s, float& out) {
    std::string t = decimal(s);
    if (t.empty()) return false;
    double v = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(v) || std::fabs(v) > 3.4028234663852886e38) return false;
    out = static_cast<float>(v);
    return true;
}

bool GLUI_EditText::recently_refused() const { return ahora() - refused_at_ < 1.5; }

void GLUI_EditText::note_refusal() {
    refused_at_ = ahora();
    changed();
}

std::string GLUI_EditText::format_float(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", static_cast<double>(v));
    std::string s = buf;
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

void GLUI_EditText::refresh_text() {
    if (data_type_ == GLUI_EDITTEXT_INT) text_ = std::to_string(int_val_);
    else if (data_type_ == GLUI_EDITTEXT_FLOAT) text_ = format_float(float_val_);
}

void GLUI_EditText::set_int_val(int v) {
    int_val_ = v;
    float_val_ = static_cast<float>(v);
    refresh_text();
    changed();
}

void GLUI_EditText::set_float_val(float v) {
    float_val_ = v;
    int_val_ = entero_acotado(v);
    refresh_text();
    changed();
}

void GLUI_EditText::set_text(const std::string& t) {
    if (data_type_ != GLUI_EDITTEXT_TEXT) return;
    text_ = t;
    changed();
}

void GLUI_EditText::begin_edit() {
    if (!enabled()) return;
    editing_ = true;
    edited_ = false;
    buffer_ = text_;
}

void GLUI_EditText::edit(const std::string& typed) {
    if (!editing_) return;
    buffer_ = typed;
    edited_ = true;
}

void GLUI_EditText::cancel() {
    if (!editing_) return;
    editing_ = false;
    buffer_ = text_;
    changed();
}

void GLUI_EditText::commit() {
    if (!editing_) return;
    editing_ = false;
    if (!edited_ || buffer_ == text_) { changed(); return; }
    note_previous();
    if (data_type_ == GLUI_EDITTEXT_INT) {
        int v;
        if (!parse_int(buffer_, v)) { note_refusal(); return; }
        int_val_ = v;
        float_val_ = static_cast<float>(v);
    } else if (data_type_ == GLUI_EDITTEXT_FLOAT) {
        float v;
        if (!parse_float(buffer_, v)) { note_refusal(); return; }
        float_val_ = v;
        int_val_ = entero_acotado(v);
    } else {
        text_ = buffer_;
    }
    refused_at_ = -1e9;
    refresh_text();
    changed();
    run_callback();
}

// ---------------------------------------------------------------- list box

void GLUI_Listbox::add_item(int id, const char* text) {
    items_.emplace_back(id, text ? text : "");
    changed();
}

std::string GLUI_Listbox::selected_text() const {
    for (const auto& it : items_)
        if (it.first == int_val_) return it.second;
    return "";
}

void GLUI_Listbox::user_select(int item_id) {
    if (!enabled()) return;
    bool known = std::any_of(items_.begin(), items_.end(), [&](const auto& it) { return it.first == item_id; });
    if (!known) return;
    note_previous();
    set_int_val(item_id);
    run_callback();
}

// ---------------------------------------------------------------- check box, radio group

void GLUI_Progress::set_progress(float fraction, const std::string& text) {
    float f = fraction > 1.0f ? 1.0f : fraction > 0.0f ? fraction : 0.0f;
    if (f == float_val_ && text == name_) return;
    float_val_ = f;
    name_ = text;
    changed();
}

GLUI_Checkbox::GLUI_Checkbox(GLUI* g, GLUI_Control* parent, std::string name, int* live, int id, GLUI_CB cb)
    : GLUI_Control(GLUI_Kind::Checkbox, g, parent, std::move(name), id, cb), live_(live) {
    if (live_) int_val_ = *live_ ? 1 : 0;
}

void GLUI_Checkbox::set_int_val(int v) {
    GLUI_Control::set_int_val(v ? 1 : 0);
    if (live_) *live_ = int_val_;
}

void GLUI_Checkbox::sync_from_live() {
    if (live_ && (*live_ ? 1 : 0) != int_val_) GLUI_Control::set_int_val(*live_ ? 1 : 0);
}

void GLUI_Checkbox::user_toggle() {
    if (!enabled()) return;
    set_int_val(int_val_ ? 0 : 1);
    if (live_ && glui_) glui_->post_update_main_gfx();
    run_callback();
}

GLUI_RadioGroup::GLUI_RadioGroup(GLUI* g, GLUI_Control* parent, int* live, int id, GLUI_CB cb)
    : GLUI_Control(GLUI_Kind::RadioGroup, g, parent, "", id, cb), live_(live) {
    if (live_) int_val_ = *live_;
}

void GLUI_RadioGroup::set_int_val(int v) {
    GLUI_Control::set_int_val(v);
    if (live_) *live_ = v;
}

void GLUI_RadioGroup::sync_from_live() {
    if (live_ && *live_ != int_val_) GLUI_Control::set_int_val(*live_);
}

void GLUI_RadioGroup::user_select(int value) {
    if (!enabled() || value < 0 || value >= count()) return;
    if (!children_[static_cast<size_t>(value)]->enabled()) return;
    set_int_val(value);
    if (live_ && glui_) glui_->post_update_main_gfx();
    run_callback();
}

// ---------------------------------------------------------------- spinner, translation

GLUI_Spinner::GLUI_Spinner(GLUI* g, GLUI_Control* parent, std::string name, int data_type, float* live, int id,
                           GLUI_CB cb)
    : GLUI_Control(GLUI_Kind::Spinner, g, parent, std::move(name), id, cb), live_(live) {
    (void)data_type;
    if (live_) float_val_ = *live_;
}

void GLUI_Spinner::set_float_limits(float lo, float hi, int limit_type) {
    lo_ = std::min(lo, hi);
    hi_ = std::max(lo, hi);
    limit_ = limit_type;
    set_float_val(float_val_);
}

float GLUI_Spinner::limited(float v) const {
    if (!std::isfinite(v)) return float_val_;
    if (limit_ == GLUI_LIMIT_CLAMP) return std::min(hi_, std::max(lo_, v));
    if (limit_ == GLUI_LIMIT_WRAP && hi_ > lo_) {
        float span = hi_ - lo_;
        float w = std::fmod(v - lo_, span);
        return lo_ + (w < 0 ? w + span : w);
    }
    return v;
}

void GLUI_Spinner::set_float_val(float v) {
    GLUI_Control::set_float_val(limited(v));
    if (live_) *live_ = float_val_;
}

void GLUI_Spinner::sync_from_live() {
    if (live_ && *live_ != float_val_) GLUI_Control::set_float_val(*live_);
}

void GLUI_Spinner::user_set(float v) {
    if (!enabled()) return;
    set_float_val(v);
    if (live_ && glui_) glui_->post_update_main_gfx();
    run_callback();
}

GLUI_Translation::GLUI_Translation(GLUI* g, GLUI_Control* parent, std::string name, int trans_type, float* live,
                                   int id, GLUI_CB cb)
    : GLUI_Control(GLUI_Kind::Translation, g, parent, std::move(name), id, cb), trans_type_(trans_type),
      live_(live) {
    if (live_) float_val_ = *live_;
}

void GLUI_Translation::set_float_val(float v) {
    GLUI_Control::set_float_val(v);
    if (live_) *live_ = v;
}

void GLUI_Translation::sync_from_live() {
    if (live_ && *live_ != float_val_) GLUI_Control::set_float_val(*live_);
}

void GLUI_Translation::user_drag(int dx, int dy) {
    if (!enabled()) return;
    int pixels = trans_type_ == GLUI_TRANSLATION_X ? dx : -dy;
    if (pixels == 0) return;
    if (live_) float_val_ = *live_;
    set_float_val(float_val_ + static_cast<float>(pixels) / GLUI_PIXELES_POR_UNIDAD);
    if (live_ && glui_) glui_->post_update_main_gfx();
    run_callback();
}

// ---------------------------------------------------------------- windows

GLUI::GLUI(std::string title, int flags, int parent_window)
    : title_(std::move(title)), flags_(flags), parent_(parent_window) {
    controls_.push_back(std::make_unique<GLUI_Panel>(this, nullptr, "", GLUI_PANEL_NONE));
    root_ = static_cast<GLUI_Panel*>(controls_.back().get());
}

GLUI::~GLUI() = default;

template <class T, class... A>
T* GLUI::make(A&&... a) {
    auto c = std::make_unique<T>(this, std::forward<A>(a)...);
    T* raw = c.get();
    GLUI_Control* parent = raw->parent();
    if (parent) parent->adopt(raw);
    controls_.push_back(std::move(c));
    repaint();
    return raw;
}

GLUI_Panel* GLUI::add_panel(const char* name, int type) { return add_panel_to_panel(root_, name, type); }
GLUI_Panel* GLUI::add_panel_to_panel(GLUI_Panel* p, const char* name, int type) {
    return make<GLUI_Panel>(p ? p : root_, name ? name : "", type);
}
GLUI_Rollout* GLUI::add_rollout(const char* name, int open, int type) {
    return add_rollout_to_panel(root_, name, open, type);
}
GLUI_Rollout* GLUI::add_rollout_to_panel(GLUI_Panel* p, const char* name, int open, int type) {
    GLUI_Rollout* r = make<GLUI_Panel>(p ? p : root_, name ? name : "", type, GLUI_Kind::Rollout);
    if (!open) r->close();
    return r;
}
GLUI_Column* GLUI::add_column(int draw_bar) { return add_column_to_panel(root_, draw_bar); }
GLUI_Column* GLUI::add_column_to_panel(GLUI_Panel* p, int draw_bar) {
    return make<GLUI_Column>(p ? p : root_, draw_bar != 0);
}
GLUI_StaticText* GLUI::add_statictext(const char* text) { return add_statictext_to_panel(root_, text); }
GLUI_StaticText* GLUI::add_statictext_to_panel(GLUI_Panel* p, const char* text) {
    return make<GLUI_StaticText>(p ? p : root_, text ? text : "");
}
GLUI_Progress* GLUI::add_progress_to_panel(GLUI_Panel* p) { return make<GLUI_Progress>(p ? p : root_); }
GLUI_Control* GLUI::add_separator() { return add_separator_to_panel(root_); }
GLUI_Control* GLUI::add_separator_to_panel(GLUI_Panel* p) {
    return make<GLUI_Separator>(p ? p : root_);
}
GLUI_Button* GLUI::add_button(const char* name, int id, GLUI_CB cb) { return add_button_to_panel(root_, name, id, cb); }
GLUI_Button* GLUI::add_button_to_panel(GLUI_Panel* p, const char* name, int id, GLUI_CB cb) {
    return make<GLUI_Button>(p ? p : root_, name ? name : "", id, cb);
}
GLUI_EditText* GLUI::add_edittext_to_panel(GLUI_Panel* p, const char* name, int data_type, void* live, int id,
                                           GLUI_CB cb) {
    (void)live;  // the panel's fields are read through their values, never through live variables
    return make<GLUI_EditText>(p ? p : root_, name ? name : "", data_type, id, cb);
}
GLUI_Listbox* GLUI::add_listbox_to_panel(GLUI_Panel* p, const char* name, int* live, int id, GLUI_CB cb) {
    (void)live;
    return make<GLUI_Listbox>(p ? p : root_, name ? name : "", id, cb);
}
GLUI_Checkbox* GLUI::add_checkbox_to_panel(GLUI_Panel* p, const char* name, int* live, int id, GLUI_CB cb) {
    return make<GLUI_Checkbox>(p ? p : root_, name ? name : "", live, id, cb);
}
GLUI_RadioGroup* GLUI::add_radiogroup_to_panel(GLUI_Panel* p, int* live, int id, GLUI_CB cb) {
    return make<GLUI_RadioGroup>(p ? p : root_, live, id, cb);
}
GLUI_RadioButton* GLUI::add_radiobutton_to_group(GLUI_RadioGroup* g, const char* name, GLUI_Panel* drawn_in) {
    GLUI_RadioButton* b = make<GLUI_RadioButton>(g, name ? name : "", g->count(), drawn_in != nullptr);
    if (drawn_in) drawn_in->adopt(b);
    return b;
}
GLUI_Spinner* GLUI::add_spinner_to_panel(GLUI_Panel* p, const char* name, int data_type, void* live, int id,
                                         GLUI_CB cb) {
    return make<GLUI_Spinner>(p ? p : root_, name ? name : "", data_type, static_cast<float*>(live), id, cb);
}
GLUI_Translation* GLUI::add_translation_to_panel(GLUI_Panel* p, const char* name, int trans_type, float* live,
                                                 int id, GLUI_CB cb) {
    return make<GLUI_Translation>(p ? p : root_, name ? name : "", trans_type, live, id, cb);
}

void GLUI::hide() {
    if (!visible_) return;
    visible_ = false;
    GLUI_Master.backend().hide_window(*this);
}

void GLUI::show() {
    if (visible_ || closing_) return;
    visible_ = true;
    GLUI_Master.backend().show_window(*this);
    repaint();
}

void GLUI::close() {
    if (closing_) return;
    closing_ = true;
    hide();
}

void GLUI::user_close() {
    close_cb_(close_id_);
    close();
}

void GLUI::sync_live() {
    for (auto& c : controls_) c->sync_from_live();
}

GLUI_EditText* GLUI::focused_edit() const {
    for (auto& c : controls_)
        if (c->kind() == GLUI_Kind::EditText) {
            auto* e = static_cast<GLUI_EditText*>(c.get());
            if (e->editing()) return e;
        }
    return nullptr;
}

void GLUI::deactivate_current() {
    if (GLUI_EditText* e = focused_edit()) e->commit();
}

void GLUI::focus_now(const GLUI_Control* active) {
    std::vector<GLUI_EditText*> leaving;
    for (auto& c : controls_)
        if (c.get() != active && c->kind() == GLUI_Kind::EditText) {
            auto* e = static_cast<GLUI_EditText*>(c.get());
            if (e->editing()) leaving.push_back(e);
        }
    // A commit's callback may change other fields; each one is committed as it stands then.
    for (GLUI_EditText* e : leaving) e->commit();
}

void GLUI::execute_callback(GLUI_Control& c) {
    GLUI_Backend& b = GLUI_Master.backend();
    int previous = b.current_window();
    if (main_gfx_ > 0) b.set_current_window(main_gfx_);
    c.cb_(c.get_id());
    if (previous > 0) b.set_current_window(previous);
}

void GLUI::post_update_main_gfx() {
    if (main_gfx_ > 0) GLUI_Master.backend().post_redisplay(main_gfx_);
}

void GLUI::repaint() {
    if (window_id_ > 0) GLUI_Master.backend().repaint(*this);
}

// ---------------------------------------------------------------- master object

GLUI* GLUI_Master_Object::create_glui(const char* name, int flags, int x, int y) {
    (void)x;
    (void)y;
    GLUI_Backend& b = backend();
    int previous = b.current_window();
    windows_.push_back(std::make_unique<GLUI>(name ? name : "", flags, 0));
    GLUI& w = *windows_.back();
    w.set_window_id(b.create_window(w));
    if (previous > 0) b.set_current_window(previous);
    return &w;
}

GLUI* GLUI_Master_Object::create_glui_subwindow(int parent_window, int flags) {
    GLUI_Backend& b = backend();
    int previous = b.current_window();
    windows_.push_back(std::make_unique<GLUI>("", flags, parent_window));
    GLUI& w = *windows_.back();
    w.set_window_id(b.create_subwindow(w, parent_window));
    if (previous > 0) b.set_current_window(previous);
    return &w;
}

void GLUI_Master_Object::note_main_window() {
    int current = backend().current_window();
    if (current > 0 && current != main_window_) {
        main_window_ = current;
        backend().install_main_callbacks(current);
    }
}

void GLUI_Master_Object::set_glutDisplayFunc(GLUI_Glut_Display f) { display_ = f; note_main_window(); }
void GLUI_Master_Object::set_glutReshapeFunc(GLUI_Glut_Reshape f) { reshape_ = f; note_main_window(); }
void GLUI_Master_Object::set_glutKeyboardFunc(GLUI_Glut_Keyboard f) { keyboard_ = f; note_main_window(); }
void GLUI_Master_Object::set_glutSpecialFunc(GLUI_Glut_Special f) { special_ = f; note_main_window(); }
void GLUI_Master_Object::set_glutMouseFunc(GLUI_Glut_Mouse f) { mouse_ = f; note_main_window(); }

void GLUI_Master_Object::auto_set_viewport() {
    auto_viewport_ = true;
    if (main_window_ > 0) backend().set_viewport_beside_panels(main_window_);
}

void GLUI_Master_Object::reap_closed() {
    for (size_t i = 0; i < windows_.size();) {
        if (windows_[i]->closing()) {
            backend().destroy_window(*windows_[i]);
            windows_.erase(windows_.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
}

void GLUI_Master_Object::idle_tick() {
    reap_closed();
    if (idle_) idle_();
}

void GLUI_Master_Object::deactivate_all() {
    for (auto& w : windows_) w->deactivate_current();
}

GLUI_EditText* GLUI_Master_Object::focused_edit() const {
    for (auto& w : windows_)
        if (!w->closing() && w->visible())
            if (GLUI_EditText* e = w->focused_edit()) return e;
    return nullptr;
}

GLUI* GLUI_Master_Object::find_window(int glut_id) const {
    for (auto& w : windows_)
        if (w->get_glut_window_id() == glut_id) return w.get();
    return nullptr;
}

void GLUI_Master_Object::set_backend(GLUI_Backend* b) { backend_ = b; }

GLUI_Backend& GLUI_Master_Object::backend() { return backend_ ? *backend_ : null_backend; }

void GLUI_Master_Object::reset() {
    for (auto& w : windows_) backend().destroy_window(*w);
    windows_.clear();
    idle_ = nullptr;
    display_ = nullptr;
    reshape_ = nullptr;
    keyboard_ = nullptr;
    special_ = nullptr;
    mouse_ = nullptr;
    main_window_ = -1;
    auto_viewport_ = false;
}
