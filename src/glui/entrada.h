// The layer's input as plain data: GLUT's events translated and queued per window,
// handed to a window's frame in order, routed between the panels and the main
// window; the pacing of the drawing's frames; the layout beside the panels.
// No GLUT or ImGui here: the adapter in glui_glut.cpp feeds and applies it.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <vector>

namespace entrada {

// Modifier bits, as GLUT reports them.
constexpr int MOD_SHIFT = 1, MOD_CTRL = 2, MOD_ALT = 4;

// Key codes handed to the frame: the ASCII control keys as they are, GLUT's
// special keys (arrows, Home, ...) above 256.
constexpr int TECLA_BORRAR = 8, TECLA_TAB = 9, TECLA_INTRO = 13, TECLA_ESCAPE = 27, TECLA_SUPRIMIR = 127;
constexpr int TECLA_ESPECIAL = 256;
// GLUT's special keys as de_especial receives them (GLUT_KEY_*); queued as TECLA_ESPECIAL + key.
constexpr int ESPECIAL_IZQUIERDA = 100, ESPECIAL_ARRIBA = 101, ESPECIAL_DERECHA = 102, ESPECIAL_ABAJO = 103,
              ESPECIAL_RE_PAG = 104, ESPECIAL_AV_PAG = 105, ESPECIAL_INICIO = 106, ESPECIAL_FIN = 107,
              ESPECIAL_INSERTAR = 108;

// Mouse buttons as the frame numbers them.
constexpr int BOTON_IZQUIERDO = 0, BOTON_DERECHO = 1, BOTON_CENTRAL = 2;

struct Evento {
    enum Tipo {
        Mover,     // pointer at x, y
        Boton,     // button a pressed (b = 1) or released (b = 0) at x, y
        Rueda,     // a notches of the wheel, positive away from the user
        Caracter,  // a printable character a
        Tecla,     // key a pressed, with modifiers mods
        Fuera,     // the pointer left the window
        Soltar     // the keyboard focus leaves the window: fields commit, open lists close
    };
    Tipo tipo = Mover;
    int a = 0, b = 0;  // for Caracter and Tecla, b is the character GLUT handed over (0: a special key)
    float x = 0, y = 0;
    int mods = 0;
    unsigned long orden = 0;  // place in the order the window system delivered the input (set by Rutas)
};

// GLUT's keyboard callback character: Backspace, Tab, Enter, Escape and Delete are
// keys, Ctrl + letter is the letter's key with Ctrl, anything else is a character.
Evento de_caracter(unsigned char c, int mods);
// GLUT's special key (GLUT_KEY_*).
Evento de_especial(int tecla, int mods);
// GLUT's mouse callback: buttons 0 to 2 (left, middle, right), the wheel as buttons
// 3 (away from the user) and 4 (towards), one notch a press. False for what the
// frame does not take (the wheel's releases, other buttons).
bool de_raton(int boton, int estado_abajo, int x, int y, Evento& e);

// What a window's frame does with the input: ImGui in the program, a recorder in tests.
class Destino {
public:
    virtual ~Destino() = default;
    virtual void puntero(float x, float y) = 0;
    virtual void puntero_fuera() = 0;
    virtual void boton(int b, bool abajo) = 0;
    virtual void rueda(float muescas) = 0;
    virtual void caracter(unsigned c) = 0;
    virtual void tecla(int codigo, bool abajo) = 0;
    virtual void modificadores(int mods) = 0;
    // Whether a list is open and (x, y) lies outside it and outside the control that opened it.
    virtual bool lista_abierta_fuera(float x, float y) = 0;
    virtual void cerrar_listas() = 0;
    // The focused field commits, any open list closes.
    virtual void quitar_foco() = 0;
};

// One window's queue of input, in delivery order.
class Cola {
public:
    // Input for a hidden window is dropped; showing it again starts from rest. An event
    // goes after every event delivered before it (a key routed late overtakes none).
    void poner(const Evento& e);
    bool vacia() const { return eventos_.empty(); }
    std::size_t tamano() const { return eventos_.size(); }
    const std::deque<Evento>& eventos() const { return eventos_; }
    void ocultar();
    void mostrar();
    bool visible() const { return visible_; }
    // An event is queued, delivered before `orden`, that may move the keyboard focus: a
    // button press, Tab, Enter, Escape, the focus leaving.
    bool cuenta_antes_de(unsigned long orden) const;
    // The frames take nothing delivered after `orden` (input of another window waits
    // to be applied first).
    void limitar(unsigned long orden) { limite_ = orden; }

    // Hands the frame what it may see at once: keys pressed in the previous frame are
    // released first; a button or key change ends the frame's input (a press and a
    // release that arrived together are then seen as a click); a key pressed again right
    // after its release waits a frame, so the frame sees it go up and down again; a press
    // outside an open list closes the list and is kept for the next frame; the focus
    // leaving ends the frame; characters are typed in a frame of their own before a key,
    // a button or the focus leaving (whatever moves the focus finds them applied); the
    // frame that releases Tab takes nothing else (the next field takes the keyboard in it).
    // Returns whether a later frame has input to take (a key pressed now is released in
    // the next one).
    bool consumir(Destino& d);

private:
    std::deque<Evento> eventos_;
    std::vector<int> pulsadas_;  // keys pressed in the last frame
    bool visible_ = true;
    bool desde_reposo_ = false;  // release everything before the next input
    unsigned long limite_ = ~0ul;
};

// Who gets a key: the panel whose field has the keyboard, else the program, decided
// once everything delivered before the key that may move the keyboard has been applied.
// Input is numbered as it arrives; a key that arrives while a panel still holds such
// input (a click, Tab, Enter, Escape, the focus leaving) waits for it, and a panel's
// input delivered after a waiting key waits for the key.
class Rutas {
public:
    void alta(int ventana, int principal);
    void baja(int ventana);
    bool conoce(int ventana) const { return colas_.count(ventana) != 0; }
    Cola* cola(int ventana);
    void visibilidad(int ventana, bool visible);
    // A text field of the window has the keyboard (ImGui wants text, or a field is being edited).
    void escribiendo(int ventana, bool si);
    // The window whose field has the keyboard, or 0.
    int ventana_escribiendo() const;

    // A key on a panel window or on the main window: false when it is the program's
    // now (its keyboard callback runs at once), true when it is queued for the panel
    // whose field has the keyboard or waits for earlier input (see repartir).
    bool tecla(int ventana, const Evento& e);
    // After a frame has run and its actions (commits, callbacks): the waiting keys whose
    // earlier input has all been taken go to the panel whose field has the keyboard, or
    // to the program (taken with tecla_del_programa, in order).
    void repartir();
    bool tecla_del_programa(Evento& e);
    // Keys waiting for earlier input.
    std::size_t en_espera() const { return espera_.size(); }
    // Pointer input on a panel window; dropped for windows it does not know.
    void raton(int ventana, const Evento& e);
    // A press in the main window's drawing: every panel's focus leaves, after the
    // input already queued for it.
    void pulsacion_principal();

private:
    struct Ventana {
        int principal = 0;
        bool escribiendo = false;
        Cola cola;
    };
    bool antes_que(unsigned long orden) const;
    void limitar();
    std::map<int, Ventana> colas_;
    unsigned long siguiente_ = 1;
    std::deque<Evento> espera_;
    std::deque<Evento> programa_;
};

// One motion step per frame of the drawing, a frame every periodo ms, without
// blocking the event loop: a timer asks at each tick whether a step is due.
class Compas {
public:
    explicit Compas(double periodo_ms) : periodo_(periodo_ms) {}
    double periodo() const { return periodo_; }
    // At time t (ms): whether the next step is due. It is once a period has passed
    // since the last one and the frame of the last one has been drawn, or, with a
    // window that does not draw (hidden, covered), after four periods.
    bool toca(double t);
    // The frame of the last step was drawn.
    void dibujado() { pendiente_ = false; }
    // Milliseconds from t to the next useful tick (at least 1).
    int espera(double t) const;

private:
    double periodo_;
    double proximo_ = 0;
    double ultimo_ = -1e300;
    bool pendiente_ = false;
};

// The drawing area of the main window beside its panels, in GL's viewport terms.
struct Rect {
    int x, y, ancho, alto;
};
Rect area_dibujo(int ancho_ventana, int alto_ventana, int ancho_paneles);
// Width a panel asks for: its content, the padding on both sides and the scroll bar if shown.
int ancho_panel(float contenido, float relleno, float barra, bool con_barra);

}  // namespace entrada
