#include "glui_glut.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "controles.h"
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

static_assert(entrada::MOD_SHIFT == GLUT_ACTIVE_SHIFT && entrada::MOD_CTRL == GLUT_ACTIVE_CTRL &&
                  entrada::MOD_ALT == GLUT_ACTIVE_ALT,
              "modifier bits as GLUT reports them");
static_assert(entrada::ESPECIAL_IZQUIERDA == GLUT_KEY_LEFT && entrada::ESPECIAL_ARRIBA == GLUT_KEY_UP &&
                  entrada::ESPECIAL_DERECHA == GLUT_KEY_RIGHT && entrada::ESPECIAL_ABAJO == GLUT_KEY_DOWN &&
                  entrada::ESPECIAL_RE_PAG == GLUT_KEY_PAGE_UP && entrada::ESPECIAL_AV_PAG == GLUT_KEY_PAGE_DOWN &&
                  entrada::ESPECIAL_INICIO == GLUT_KEY_HOME && entrada::ESPECIAL_FIN == GLUT_KEY_END &&
                  entrada::ESPECIAL_INSERTAR == GLUT_KEY_INSERT,
              "special keys as GLUT numbers them");

// Size of the panels: the screen's DPI (read at start) times the user's Ctrl + plus/minus factor.
double escala_pantalla = 1.0;
double escala_usuario = 1.0;
void fijar_escala() { capa::poner_escala(static_cast<float>(escala_pantalla * escala_usuario)); }

// A layer window on screen: its ImGui part, its GLUT window and the frames it still wants.
struct Vista : capa::Vista {
    int id = 0;                 // GLUT window; negative once GLUT has destroyed it
    int marcos_extra = 2;       // frames to draw after the last change (ImGui settles in two)
    int ancho = 0, alto = 0;    // size asked of GLUT
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

void cargar_fuente() {
    ImGuiIO& io = ImGui::GetIO();
    struct stat st;
    ImFont* fuente = nullptr;
    if (stat(FUENTE, &st) == 0) fuente = io.Fonts->AddFontFromFileTTF(FUENTE, capa::tam_fuente());
    if (!fuente) io.Fonts->AddFontDefault();
}

Vista& crear_vista(GLUI& w, int id) {
    auto v = std::make_unique<Vista>();
    v->glui = &w;
    v->id = id;
    capa::crear_contexto(*v);
    cargar_fuente();
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();
    // The backend sets its own key map; the queue's codes are the layer's.
    capa::poner_mapa_teclas(ImGui::GetIO());
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
    fijar_escala();
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
        capa::aplicar_estilo();
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

// The size the frame asked for, given to GLUT; a panel's height is its main window's.
void ajustar_tamano(Vista& v, const capa::Resultado& r) {
    int w = r.ancho;
    int h = v.glui->is_subwindow() ? alto_de(v.glui->parent_window()) : r.alto;
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

void nuevo_cuadro_glut() {
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
}

void revisar_vigia();

void cuadro(Vista& v) {
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    // A window destroyed by someone else reads back an X error and no size: the program ends
    // here, before anything is drawn from that size.
    revisar_vigia();
    if (w <= 0 || h <= 0) return;
    capa::Resultado r =
        capa::cuadro(v, rutas.cola(v.id), static_cast<float>(w), static_cast<float>(h), nuevo_cuadro_glut);
    glViewport(0, 0, w, h);
    ImVec4 bg = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
    glClearColor(bg.x, bg.y, bg.z, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glutSwapBuffers();
    rutas.escribiendo(v.id, r.escribe);
    ajustar_tamano(v, r);
    if (r.otro_cuadro) repintar(v);
}

// ---------------------------------------------------------------- GLUT callbacks of layer windows

void teclas_al_programa();

void vista_display() {
    Vista* v = vista_de(glutGetWindow());
    if (!v) return;
    cuadro(*v);
    // The user's actions of the frame may close this very window.
    int id = v->id;
    capa::acciones(*v);
    // With the frame's commits done, keys that waited for it find their window.
    rutas.repartir();
    teclas_al_programa();
    for (auto& [otra, w] : vistas)
        if (w->id > 0 && rutas.cola(otra) && !rutas.cola(otra)->vacia()) glutPostWindowRedisplay(otra);
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

// A key of the program's: its callback runs with the main window current.
void tecla_al_programa(const entrada::Evento& e) {
    int principal = GLUI_Master.main_window();
    int previa = glutGetWindow();
    if (principal > 0) glutSetWindow(principal);
    int x = static_cast<int>(e.x), y = static_cast<int>(e.y);
    if (e.a >= entrada::TECLA_ESPECIAL && e.tipo == entrada::Evento::Tecla) {
        if (auto f = GLUI_Master.special_func()) f(e.a - entrada::TECLA_ESPECIAL, x, y);
    } else if (auto f = GLUI_Master.keyboard_func()) {
        f(static_cast<unsigned char>(e.b), x, y);
    }
    if (previa > 0 && vista_de(previa)) glutSetWindow(previa);
}

// Keys that waited for earlier input and turned out to be the program's.
void teclas_al_programa() {
    entrada::Evento e;
    while (rutas.tecla_del_programa(e)) tecla_al_programa(e);
}

// A key for the field that has the keyboard, if any; else the program's, once what
// was delivered before it has been applied.
void tecla(entrada::Evento e, int x, int y) {
    e.x = static_cast<float>(x);
    e.y = static_cast<float>(y);
    if (!rutas.tecla(glutGetWindow(), e)) {
        tecla_al_programa(e);
        return;
    }
    teclas_al_programa();
    if (Vista* v = vista_de(rutas.ventana_escribiendo())) repintar(*v);
}

void teclado(unsigned char c, int x, int y) {
    if (tecla_de_escala(c)) return;
    tecla(entrada::de_caracter(c, glutGetModifiers()), x, y);
}

void especial(int k, int x, int y) { tecla(entrada::de_especial(k, glutGetModifiers()), x, y); }

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
    fijar_escala();
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

bool glui_glut_entrada_aplicada() {
    if (Display* d = glXGetCurrentDisplay(); d && XPending(d) > 0) return false;
    if (rutas.en_espera() > 0) return false;
    for (auto& [id, v] : vistas) {
        entrada::Cola* c = rutas.cola(id);
        if (v->id > 0 && ((c && !c->vacia()) || v->mas_entrada)) return false;
    }
    return true;
}
