// Control layer: windows and controls of the start dialog and of the panel.
// This part is plain C++: it keeps the control tree, values, enabled states and
// callbacks; a GLUI_Backend (GLUT + ImGui in the program, a fake in tests) shows it.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

enum { GLUI_PANEL_NONE = 0, GLUI_PANEL_EMBOSSED = 1, GLUI_PANEL_RAISED = 2 };
enum { GLUI_EDITTEXT_TEXT = 1, GLUI_EDITTEXT_INT = 2, GLUI_EDITTEXT_FLOAT = 3 };
enum { GLUI_SPINNER_INT = 2, GLUI_SPINNER_FLOAT = 3 };
enum { GLUI_TRANSLATION_XY = 0, GLUI_TRANSLATION_Z = 1, GLUI_TRANSLATION_X = 2, GLUI_TRANSLATION_Y = 3 };
enum { GLUI_LIMIT_NONE = 0, GLUI_LIMIT_CLAMP = 1, GLUI_LIMIT_WRAP = 2 };
enum { GLUI_SUBWINDOW_LEFT = 16 };

// Pixels of pointer travel per unit of a translation control (same scale as the view drag).
constexpr float GLUI_PIXELES_POR_UNIDAD = 18.0f;

using GLUI_Update_CB = void (*)(int);

// The int toward zero from v, held to int's range; 0 for a NaN. Every float value read
// as an int goes through it, so no conversion leaves the range.
int entero_acotado(double v);

// A control callback: a plain function called with the control's identifier.
class GLUI_CB {
public:
    GLUI_CB() = default;
    GLUI_CB(GLUI_Update_CB f) : fn_(f) {}
    void operator()(int id) const { if (fn_) fn_(id); }
    explicit operator bool() const { return fn_ != nullptr; }
private:
    GLUI_Update_CB fn_ = nullptr;
};

class GLUI;

enum class GLUI_Kind {
    Panel, Rollout, Column, StaticText, Separator, Button, EditText,
    Listbox, Checkbox, RadioGroup, RadioButton, Spinner, Translation, Progress
};

class GLUI_Control {
public:
    GLUI_Control(GLUI_Kind kind, GLUI* glui, GLUI_Control* parent, std::string name, int id, GLUI_CB cb);
    virtual ~GLUI_Control() = default;
    GLUI_Control(const GLUI_Control&) = delete;
    GLUI_Control& operator=(const GLUI_Control&) = delete;

    GLUI_Kind kind() const { return kind_; }
    GLUI* glui() const { return glui_; }
    GLUI_Control* parent() const { return parent_; }
    const std::vector<GLUI_Control*>& children() const { return children_; }
    int get_id() const { return id_; }

    const std::string& get_name() const { return name_; }
    void set_name(const char* name);

    // Enabling or disabling a container reaches every control inside it, at any depth.
    void enable();
    void disable();
    bool enabled() const { return enabled_; }

    int get_int_val() const { return int_val_; }
    float get_float_val() const { return float_val_; }
    // Show a value set by the program; never runs the callback.
    virtual void set_int_val(int v);
    virtual void set_float_val(float v);

    // Refresh from the bound live variable, if any.
    virtual void sync_from_live() {}

    // Puts back the value shown before the user's last commit or choice, with no callback:
    // how the program refuses a value it cannot take.
    void revert_user_value();

protected:
    void changed();            // ask the window to repaint
    void run_callback();       // the program's callback, as after a user action
    friend class GLUI;
    void adopt(GLUI_Control* child) { children_.push_back(child); }

    GLUI_Kind kind_;
    GLUI* glui_;
    GLUI_Control* parent_;
    std::string name_;
    int id_;
    GLUI_CB cb_;
    bool enabled_ = true;
    int int_val_ = 0;
    float float_val_ = 0.0f;
    int prev_int_val_ = 0;
    float prev_float_val_ = 0.0f;
    void note_previous() { prev_int_val_ = int_val_, prev_float_val_ = float_val_; }
    std::vector<GLUI_Control*> children_;
};

class GLUI_Panel : public GLUI_Control {
public:
    GLUI_Panel(GLUI* g, GLUI_Control* parent, std::string name, int type, GLUI_Kind kind = GLUI_Kind::Panel);
    int type() const { return type_; }
    bool is_open() const { return open_; }
    void open() { open_ = true; changed(); }
    void close() { open_ = false; changed(); }
private:
    int type_;
    bool open_ = true;
};
using GLUI_Rollout = GLUI_Panel;

class GLUI_Column : public GLUI_Control {
public:
    GLUI_Column(GLUI* g, GLUI_Control* parent, bool bar)
        : GLUI_Control(GLUI_Kind::Column, g, parent, "", -1, {}), bar_(bar) {}
    bool draws_bar() const { return bar_; }
private:
    bool bar_;
};

class GLUI_StaticText : public GLUI_Control {
public:
    GLUI_StaticText(GLUI* g, GLUI_Control* parent, std::string text)
        : GLUI_Control(GLUI_Kind::StaticText, g, parent, std::move(text), -1, {}) {}
    void set_text(const char* text) { set_name(text); }
    const std::string& get_text() const { return get_name(); }
    // A text drawn in its own colour (a warning) instead of the label colour.
    void set_color(float r, float g, float b) {
        color_[0] = r;
        color_[1] = g;
        color_[2] = b;
        has_color_ = true;
        changed();
    }
    bool has_color() const { return has_color_; }
    const float* color() const { return color_; }
    // The text takes at least this many lines of the panel, however few it holds, so that
    // a longer one later moves nothing under it.
    void set_lines(int n) {
        lines_ = n;
        changed();
    }
    int lines() const { return lines_; }
private:
    float color_[3] = {0, 0, 0};
    bool has_color_ = false;
    int lines_ = 1;
};

class GLUI_Separator : public GLUI_Control {
public:
    GLUI_Separator(GLUI* g, GLUI_Control* parent) : GLUI_Control(GLUI_Kind::Separator, g, parent, "", -1, {}) {}
};

class GLUI_Button : public GLUI_Control {
public:
    GLUI_Button(GLUI* g, GLUI_Control* parent, std::string name, int id, GLUI_CB cb)
        : GLUI_Control(GLUI_Kind::Button, g, parent, std::move(name), id, cb) {}
    // A click released over the button; ignored while disabled.
    void user_press();
};

class GLUI_EditText : public GLUI_Control {
public:
    GLUI_EditText(GLUI* g, GLUI_Control* parent, std::string name, int data_type, int id, GLUI_CB cb);
    int data_type() const { return data_type_; }
    void set_int_val(int v) override;
    void set_float_val(float v) override;
    const std::string& get_text() const { return text_; }
    // Shows a text set by the program in a text field; never runs the callback.
    void set_text(const std::string& t);

    // The user's editing: entering the field, typing into it, committing it
    // (Enter or leaving the field in any way). Only what the user typed is committed:
    // a field left untouched commits nothing, whatever it showed. A commit of typed text
    // that differs from the value shown and parses in full to a finite number of the
    // field's kind sets the value and runs the callback; other text is refused and the
    // last value shown again. Cancelling (Escape) shows the value of before and calls
    // nothing. A value the program sets while the field is being edited is shown, and
    // edited further, unless the user has already typed into it.
    void begin_edit();
    void edit(const std::string& typed);
    void commit();
    void cancel();
    void user_commit(const std::string& typed) { begin_edit(); edit(typed); commit(); }
    bool editing() const { return editing_; }
    // The user has typed into the field since entering it.
    bool edited() const { return editing_ && edited_; }
    // The text being typed (the shown text when not editing or not yet typed into).
    const std::string& edit_text() const { return edited() ? buffer_ : text_; }

    // Whole text or nothing, in decimal: an optional sign, digits with a decimal point or,
    // where the text has no point, a decimal comma ("0,5" is 0.5), and an optional
    // exponent. An int is such a number that is whole and within int ("1e5" is 100000).
    // Leading blanks aside, nothing else: hexadecimal, "inf" and "nan" are not numbers.
    static bool parse_int(const std::string& s, int& out);
    static bool parse_float(const std::string& s, float& out);
    static std::string format_float(float v);

    // Whether the last text committed was refused, by the field or by the program's
    // callback, within the last second and a half: the field shows it under its value.
    bool recently_refused() const;
    void note_refusal();

private:
    void refresh_text();
    double refused_at_ = -1e9;  // seconds on the steady clock
    int data_type_;
    std::string text_;
    std::string buffer_;
    bool editing_ = false;
    bool edited_ = false;
};

class GLUI_Listbox : public GLUI_Control {
public:
    GLUI_Listbox(GLUI* g, GLUI_Control* parent, std::string name, int id, GLUI_CB cb)
        : GLUI_Control(GLUI_Kind::Listbox, g, parent, std::move(name), id, cb) {}
    void add_item(int id, const char* text);
    const std::vector<std::pair<int, std::string>>& items() const { return items_; }
    // The text of the selected item, or "" when no item has the selected id.
    std::string selected_text() const;
    void user_select(int item_id);
private:
    std::vector<std::pair<int, std::string>> items_;
};

class GLUI_Checkbox : public GLUI_Control {
public:
    GLUI_Checkbox(GLUI* g, GLUI_Control* parent, std::string name, int* live, int id, GLUI_CB cb);
    void set_int_val(int v) override;
    void sync_from_live() override;
    void user_toggle();
private:
    int* live_;
};

class GLUI_RadioGroup : public GLUI_Control {
public:
    GLUI_RadioGroup(GLUI* g, GLUI_Control* parent, int* live, int id, GLUI_CB cb);
    int count() const { return static_cast<int>(children_.size()); }
    void set_int_val(int v) override;
    void sync_from_live() override;
    void user_select(int value);
private:
    int* live_;
};

class GLUI_RadioButton : public GLUI_Control {
public:
    GLUI_RadioButton(GLUI* g, GLUI_RadioGroup* group, std::string name, int value, bool apart)
        : GLUI_Control(GLUI_Kind::RadioButton, g, group, std::move(name), -1, {}), value_(value), apart_(apart) {}
    int value() const { return value_; }
    // Drawn among the controls of another container rather than under the group's other
    // buttons; its value and selection are still the group's.
    bool drawn_apart() const { return apart_; }
private:
    int value_;
    bool apart_;
};

class GLUI_Spinner : public GLUI_Control {
public:
    GLUI_Spinner(GLUI* g, GLUI_Control* parent, std::string name, int data_type, float* live, int id, GLUI_CB cb);
    void set_float_limits(float lo, float hi, int limit_type = GLUI_LIMIT_CLAMP);
    void set_speed(float s) { speed_ = s; }
    float speed() const { return speed_; }
    float lower() const { return lo_; }
    float upper() const { return hi_; }
    int limit_type() const { return limit_; }
    void set_float_val(float v) override;
    void sync_from_live() override;
    // A value dragged or typed by the user: limited, shown, written to the live variable, called back.
    void user_set(float v);
private:
    float limited(float v) const;
    float* live_;
    float lo_ = 0.0f, hi_ = 0.0f, speed_ = 1.0f;
    int limit_ = GLUI_LIMIT_NONE;
};

class GLUI_Translation : public GLUI_Control {
public:
    GLUI_Translation(GLUI* g, GLUI_Control* parent, std::string name, int trans_type, float* live, int id, GLUI_CB cb);
    int trans_type() const { return trans_type_; }
    void set_float_val(float v) override;
    void sync_from_live() override;
    // A drag of dx, dy pixels (y growing downwards): X follows dx, Y and Z follow -dy,
    // from the live variable's value as it is now (the view may have moved meanwhile).
    void user_drag(int dx, int dy);
private:
    int trans_type_;
    float* live_;
};

// A bar filled to a fraction, with a text over it: progress shown, never edited.
class GLUI_Progress : public GLUI_Control {
public:
    GLUI_Progress(GLUI* g, GLUI_Control* parent) : GLUI_Control(GLUI_Kind::Progress, g, parent, "", -1, {}) {}
    // The fraction is kept within 0 to 1; the window repaints only when something changes.
    void set_progress(float fraction, const std::string& text);
    float fraction() const { return float_val_; }
    const std::string& text() const { return get_name(); }
};

// How a GLUI window is shown: GLUT + ImGui in the program, a fake in tests.
class GLUI_Backend {
public:
    virtual ~GLUI_Backend() = default;
    virtual int create_window(GLUI& w) = 0;                 // top-level, at GLUT's initial position
    virtual int create_subwindow(GLUI& w, int parent) = 0;  // along the parent's left edge
    virtual void destroy_window(GLUI& w) = 0;
    virtual void show_window(GLUI& w) = 0;
    virtual void hide_window(GLUI& w) = 0;
    virtual void repaint(GLUI& w) = 0;
    virtual int current_window() = 0;
    virtual void set_current_window(int id) = 0;
    virtual void post_redisplay(int id) = 0;
    virtual void set_viewport_beside_panels(int main_window) = 0;
    virtual void install_main_callbacks(int main_window) = 0;
};

class GLUI {
public:
    GLUI(std::string title, int flags, int parent_window);
    ~GLUI();
    GLUI(const GLUI&) = delete;
    GLUI& operator=(const GLUI&) = delete;

    const std::string& title() const { return title_; }
    int get_glut_window_id() const { return window_id_; }
    int parent_window() const { return parent_; }
    bool is_subwindow() const { return parent_ > 0; }
    bool visible() const { return visible_; }
    bool closing() const { return closing_; }
    GLUI_Panel* main_panel() const { return root_; }
    int main_gfx_window() const { return main_gfx_; }

    GLUI_Panel* add_panel(const char* name, int type = GLUI_PANEL_EMBOSSED);
    GLUI_Panel* add_panel_to_panel(GLUI_Panel* p, const char* name, int type = GLUI_PANEL_EMBOSSED);
    GLUI_Rollout* add_rollout(const char* name, int open = 1, int type = GLUI_PANEL_EMBOSSED);
    GLUI_Rollout* add_rollout_to_panel(GLUI_Panel* p, const char* name, int open = 1, int type = GLUI_PANEL_EMBOSSED);
    GLUI_Column* add_column(int draw_bar = 1);
    GLUI_Column* add_column_to_panel(GLUI_Panel* p, int draw_bar = 1);
    GLUI_StaticText* add_statictext(const char* text);
    GLUI_StaticText* add_statictext_to_panel(GLUI_Panel* p, const char* text);
    // As wide as the widest control above it in its column.
    GLUI_Progress* add_progress_to_panel(GLUI_Panel* p);
    GLUI_Control* add_separator();
    GLUI_Control* add_separator_to_panel(GLUI_Panel* p);
    GLUI_Button* add_button(const char* name, int id = -1, GLUI_CB cb = GLUI_CB());
    GLUI_Button* add_button_to_panel(GLUI_Panel* p, const char* name, int id = -1, GLUI_CB cb = GLUI_CB());
    GLUI_EditText* add_edittext_to_panel(GLUI_Panel* p, const char* name, int data_type = GLUI_EDITTEXT_TEXT,
                                         void* live = nullptr, int id = -1, GLUI_CB cb = GLUI_CB());
    GLUI_Listbox* add_listbox_to_panel(GLUI_Panel* p, const char* name, int* live = nullptr, int id = -1,
                                       GLUI_CB cb = GLUI_CB());
    GLUI_Checkbox* add_checkbox_to_panel(GLUI_Panel* p, const char* name, int* live = nullptr, int id = -1,
                                         GLUI_CB cb = GLUI_CB());
    GLUI_RadioGroup* add_radiogroup_to_panel(GLUI_Panel* p, int* live = nullptr, int id = -1, GLUI_CB cb = GLUI_CB());
    // With drawn_in, the button is drawn in that container, after what it holds so far (a
    // group split over two columns), instead of under the group's other buttons.
    GLUI_RadioButton* add_radiobutton_to_group(GLUI_RadioGroup* g, const char* name, GLUI_Panel* drawn_in = nullptr);
    GLUI_Spinner* add_spinner_to_panel(GLUI_Panel* p, const char* name, int data_type = GLUI_SPINNER_FLOAT,
                                       void* live = nullptr, int id = -1, GLUI_CB cb = GLUI_CB());
    GLUI_Translation* add_translation_to_panel(GLUI_Panel* p, const char* name, int trans_type,
                                               float* live = nullptr, int id = -1, GLUI_CB cb = GLUI_CB());

    void set_main_gfx_window(int id) { main_gfx_ = id; }
    void hide();
    void show();
    // Marks the window for removal; it is destroyed after the running callback returns.
    void close();
    // What the window manager's close button does to a stand-alone window: the close
    // callback, if any, then close().
    void set_close_callback(GLUI_CB cb, int id) { close_cb_ = cb; close_id_ = id; }
    void user_close();
    void sync_live();

    // The control that holds the keyboard focus (an edit field being edited), or null.
    GLUI_EditText* focused_edit() const;
    // Takes the focus away from the field being edited, committing it.
    void deactivate_current();
    // The keyboard is now with this control (null: with none of this window): every
    // other field being edited commits, in the order of the window's controls.
    void focus_now(const GLUI_Control* active);

    // Runs a control's callback with the main graphics window current, then restores the previous one.
    void execute_callback(GLUI_Control& c);
    void post_update_main_gfx();
    void repaint();

    const std::vector<std::unique_ptr<GLUI_Control>>& controls() const { return controls_; }

    void set_window_id(int id) { window_id_ = id; }

private:
    template <class T, class... A> T* make(A&&... a);
    std::string title_;
    int flags_;
    int parent_;
    int window_id_ = -1;
    int main_gfx_ = -1;
    bool visible_ = true;
    bool closing_ = false;
    GLUI_CB close_cb_;
    int close_id_ = 0;
    std::vector<std::unique_ptr<GLUI_Control>> controls_;
    GLUI_Panel* root_;
};

using GLUI_Glut_Display = void (*)();
using GLUI_Glut_Reshape = void (*)(int, int);
using GLUI_Glut_Keyboard = void (*)(unsigned char, int, int);
using GLUI_Glut_Special = void (*)(int, int, int);
using GLUI_Glut_Mouse = void (*)(int, int, int, int);
using GLUI_Glut_Idle = void (*)();

class GLUI_Master_Object {
public:
    GLUI* create_glui(const char* name, int flags = 0, int x = -1, int y = -1);
    GLUI* create_glui_subwindow(int parent_window, int flags = GLUI_SUBWINDOW_LEFT);

    // These register the program's callbacks for the current window.
    void set_glutIdleFunc(GLUI_Glut_Idle f) { idle_ = f; }
    void set_glutDisplayFunc(GLUI_Glut_Display f);
    void set_glutReshapeFunc(GLUI_Glut_Reshape f);
    void set_glutKeyboardFunc(GLUI_Glut_Keyboard f);
    void set_glutSpecialFunc(GLUI_Glut_Special f);
    void set_glutMouseFunc(GLUI_Glut_Mouse f);

    // From now on the main window's drawing area is the part beside its panels.
    void auto_set_viewport();
    bool viewport_automatic() const { return auto_viewport_; }

    GLUI_Glut_Idle idle_func() const { return idle_; }
    GLUI_Glut_Display display_func() const { return display_; }
    GLUI_Glut_Reshape reshape_func() const { return reshape_; }
    GLUI_Glut_Keyboard keyboard_func() const { return keyboard_; }
    GLUI_Glut_Special special_func() const { return special_; }
    GLUI_Glut_Mouse mouse_func() const { return mouse_; }
    int main_window() const { return main_window_; }
    // The main window is gone: the next registration names a new one.
    void forget_main_window() { main_window_ = -1; }

    // Each window's own idle work (removing closed windows), then the program's idle callback.
    void idle_tick();
    void reap_closed();
    // A press in a main window's drawing area: the focus leaves every control first.
    void deactivate_all();
    GLUI_EditText* focused_edit() const;

    const std::vector<std::unique_ptr<GLUI>>& windows() const { return windows_; }
    GLUI* find_window(int glut_id) const;

    void set_backend(GLUI_Backend* b);
    GLUI_Backend& backend();
    // Destroys every window and forgets every registration (tests start from here).
    void reset();

private:
    void note_main_window();
    std::vector<std::unique_ptr<GLUI>> windows_;
    GLUI_Glut_Idle idle_ = nullptr;
    GLUI_Glut_Display display_ = nullptr;
    GLUI_Glut_Reshape reshape_ = nullptr;
    GLUI_Glut_Keyboard keyboard_ = nullptr;
    GLUI_Glut_Special special_ = nullptr;
    GLUI_Glut_Mouse mouse_ = nullptr;
    int main_window_ = -1;
    bool auto_viewport_ = false;
    GLUI_Backend* backend_ = nullptr;
};

extern GLUI_Master_Object GLUI_Master;
