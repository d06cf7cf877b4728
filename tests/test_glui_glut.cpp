// The control layer on a real X server (Xvfb): GLUT windows made by the layer, X events
// sent to them, and what reaches the program's callbacks and the panel's controls.
#include <gtest/gtest.h>
#include <GL/freeglut.h>

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "glui/glui.h"
#include "glui/glui_glut.h"

// Xlib last: its macros (None, Status, ...) must not reach the headers above.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

constexpr int ANCHO = 800, ALTO = 500;
// Rows of the panel's controls: the window's padding, then a frame height and the spacing per row.
constexpr int FILA_BOTON = 17, FILA_CAMPO = 38, FILA_CAJA = 59, FILA_M = 80, FILA_P = 101;

Display* x = nullptr;
int principal = 0;
GLUI* panel = nullptr;
int actual_tras_crear_panel = 0;  // GLUT makes a new window current; the layer gives it back

// What the program's callbacks saw.
struct Visto {
    int teclas = 0;
    unsigned char tecla = 0;
    int especiales = 0;
    int especial = 0;
    int ventana_en_tecla = 0;
    int ratones = 0;
    std::array<int, 4> raton{};
    int pulsaciones = 0;
    int ventana_en_boton = 0;
    int campo = 0;
    int cambios_campo = 0;
    int caja = 0;
    int cambios_caja = 0;
    int dibujos = 0;
    std::array<int, 4> viewport{};
    int cierres = 0;
} visto;

void al_dibujar() {
    ++visto.dibujos;
    glGetIntegerv(GL_VIEWPORT, visto.viewport.data());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
}
void al_teclear(unsigned char c, int, int) {
    ++visto.teclas;
    visto.tecla = c;
    visto.ventana_en_tecla = glutGetWindow();
}
void al_especial(int k, int, int) {
    ++visto.especiales;
    visto.especial = k;
    visto.ventana_en_tecla = glutGetWindow();
}
void al_raton(int b, int e, int px, int py) {
    ++visto.ratones;
    visto.raton = {b, e, px, py};
}
void al_pulsar(int) {
    ++visto.pulsaciones;
    visto.ventana_en_boton = glutGetWindow();
}
void al_campo(int) { ++visto.cambios_campo; }
void al_caja(int) { ++visto.cambios_caja; }
void al_cerrar(int) { ++visto.cierres; }

// GLUT's events (the layer's frames, its timer, what was sent) until the condition
// holds or the deadline passes; whether it holds.
bool esperar_hasta(const std::function<bool()>& condicion, int ms = 20000) {
    auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        glutMainLoopEvent();
        if (condicion()) return true;
        if (std::chrono::steady_clock::now() > fin) return false;
        usleep(1000);
    }
}

// Until everything sent so far has reached GLUT and been applied by the layer's frames.
void asentar() {
    XSync(x, False);
    ASSERT_TRUE(esperar_hasta(glui_glut_entrada_aplicada)) << "the input sent was not applied";
}

Window ventana_x(int id) {
    int previa = glutGetWindow();
    glutSetWindow(id);
    Window w = glXGetCurrentDrawable();
    if (previa > 0) glutSetWindow(previa);
    return w;
}

int alto_de(int id) {
    int previa = glutGetWindow();
    glutSetWindow(id);
    int h = glutGet(GLUT_WINDOW_HEIGHT);
    glutSetWindow(previa);
    return h;
}

int ancho_de(int id) {
    int previa = glutGetWindow();
    glutSetWindow(id);
    int w = glutGet(GLUT_WINDOW_WIDTH);
    glutSetWindow(previa);
    return w;
}

void enviar(Window w, XEvent& ev, long mascara) {
    XSendEvent(x, w, False, mascara, &ev);
    XFlush(x);
}

void boton_x(int id, int px, int py, unsigned boton, bool abajo, unsigned estado = 0) {
    XEvent ev{};
    ev.type = abajo ? ButtonPress : ButtonRelease;
    ev.xbutton.display = x;
    ev.xbutton.window = ventana_x(id);
    ev.xbutton.root = DefaultRootWindow(x);
    ev.xbutton.x = px;
    ev.xbutton.y = py;
    ev.xbutton.button = boton;
    ev.xbutton.state = estado;
    ev.xbutton.same_screen = True;
    enviar(ev.xbutton.window, ev, abajo ? ButtonPressMask : ButtonReleaseMask);
}

void mover_x(int id, int px, int py) {
    XEvent ev{};
    ev.type = MotionNotify;
    ev.xmotion.display = x;
    ev.xmotion.window = ventana_x(id);
    ev.xmotion.root = DefaultRootWindow(x);
    ev.xmotion.x = px;
    ev.xmotion.y = py;
    ev.xmotion.same_screen = True;
    enviar(ev.xmotion.window, ev, PointerMotionMask);
}

// A click as a user makes it: the pointer comes, the button goes down, then up.
void clic(int id, int px, int py) {
    mover_x(id, px, py);
    asentar();
    boton_x(id, px, py, Button1, true);
    asentar();
    boton_x(id, px, py, Button1, false, Button1Mask);
    asentar();
}

// A key pressed and released, sent without waiting for it to be applied.
void enviar_tecla(int id, KeySym k, unsigned estado = 0) {
    XEvent ev{};
    ev.xkey.display = x;
    ev.xkey.window = ventana_x(id);
    ev.xkey.root = DefaultRootWindow(x);
    ev.xkey.x = 400;
    ev.xkey.y = 200;
    ev.xkey.keycode = XKeysymToKeycode(x, k);
    ev.xkey.state = estado;
    ev.xkey.same_screen = True;
    ev.type = KeyPress;
    enviar(ev.xkey.window, ev, KeyPressMask);
    ev.type = KeyRelease;
    enviar(ev.xkey.window, ev, KeyReleaseMask);
}

void tecla_x(int id, KeySym k, unsigned estado = 0) {
    enviar_tecla(id, k, estado);
    asentar();
}

void escribir(int id, const std::string& s) {
    for (char c : s) {
        KeySym k = c == '-' ? XK_minus : static_cast<KeySym>(c);
        tecla_x(id, k);
    }
}

// Typed over the old value: the caret to the end, the old digits rubbed out, the new typed.
void reescribir(int id, const std::string& s) {
    tecla_x(id, XK_End);
    for (int i = 0; i < 4; ++i) tecla_x(id, XK_BackSpace);
    escribir(id, s);
}

int ancho_panel_de(GLUI* g) { return ancho_de(g->get_glut_window_id()); }

GLUI_EditText* campo = nullptr;
GLUI_EditText* campo_m = nullptr;
GLUI_EditText* campo_p = nullptr;
GLUI_Checkbox* caja = nullptr;

class GluiGlut : public ::testing::Test {
protected:
    void SetUp() override {
        asentar();
        visto = Visto{};
    }
    int ancho_panel() const { return ancho_de(panel->get_glut_window_id()); }
};

TEST_F(GluiGlut, ElDibujoQuedaAlLadoDelPanelAlAbrirYAlCambiarDeTamano) {
    glutPostWindowRedisplay(principal);
    ASSERT_TRUE(esperar_hasta([] { return visto.dibujos > 0; }));
    int wp = ancho_panel();
    ASSERT_GT(wp, 100) << "the panel takes the width its controls need";
    ASSERT_LT(wp, ANCHO / 2);
    EXPECT_EQ(visto.viewport, (std::array<int, 4>{wp, 0, ANCHO - wp, ALTO}));

    glutSetWindow(principal);
    glutReshapeWindow(900, 600);
    EXPECT_TRUE(esperar_hasta([&] {
        wp = ancho_panel();
        return visto.viewport == std::array<int, 4>{wp, 0, 900 - wp, 600};
    })) << "viewport " << visto.viewport[0] << "," << visto.viewport[1] << " " << visto.viewport[2] << "x" << visto.viewport[3];
    EXPECT_TRUE(esperar_hasta([] { return alto_de(panel->get_glut_window_id()) == 600; }))
        << "the panel runs the main window's whole height";
    glutSetWindow(principal);
    glutReshapeWindow(ANCHO, ALTO);
    EXPECT_TRUE(esperar_hasta([&] {
        return visto.viewport == std::array<int, 4>{ancho_panel(), 0, ANCHO - ancho_panel(), ALTO};
    }));
}

TEST_F(GluiGlut, UnPanelOcultoDejaTodoElAnchoAlDibujoYAlVolverLoRecupera) {
    int wp = ancho_panel();
    panel->hide();
    glutPostWindowRedisplay(principal);
    EXPECT_TRUE(esperar_hasta([] { return visto.viewport == std::array<int, 4>{0, 0, ANCHO, ALTO}; }));
    panel->show();
    glutPostWindowRedisplay(principal);
    EXPECT_TRUE(esperar_hasta([&] { return visto.viewport == std::array<int, 4>{wp, 0, ANCHO - wp, ALTO}; }));
}

TEST_F(GluiGlut, LasTeclasSobreElDibujoLleganAlProgramaConLaVentanaPrincipalActual) {
    tecla_x(principal, XK_a);
    EXPECT_EQ(visto.teclas, 1);
    EXPECT_EQ(visto.tecla, 'a');
    EXPECT_EQ(visto.ventana_en_tecla, principal);
    tecla_x(principal, XK_A, ShiftMask);
    EXPECT_EQ(visto.tecla, 'A');
    tecla_x(principal, XK_Left);
    EXPECT_EQ(visto.especiales, 1);
    EXPECT_EQ(visto.especial, GLUT_KEY_LEFT);
    tecla_x(principal, XK_Page_Down);
    EXPECT_EQ(visto.especial, GLUT_KEY_PAGE_DOWN);
    EXPECT_EQ(visto.teclas, 2) << "a special key is not also a character";
}

TEST_F(GluiGlut, UnaTeclaEnElPanelSinCampoActivoEsDelProgramaConLaPrincipalActual) {
    int id = panel->get_glut_window_id();
    tecla_x(id, XK_r);
    EXPECT_EQ(visto.teclas, 1);
    EXPECT_EQ(visto.tecla, 'r');
    EXPECT_EQ(visto.ventana_en_tecla, principal) << "the program's callback draws into the main window";
    tecla_x(id, XK_Home);
    EXPECT_EQ(visto.especiales, 1);
    EXPECT_EQ(visto.especial, GLUT_KEY_HOME);
    EXPECT_EQ(visto.ventana_en_tecla, principal);
}

TEST_F(GluiGlut, ElRatonEnElDibujoLlegaConSuBotonYSuPosicionYLaRuedaConSuSentido) {
    boton_x(principal, 400, 200, Button1, true);
    asentar();
    EXPECT_EQ(visto.raton, (std::array<int, 4>{GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 200}));
    boton_x(principal, 410, 190, Button1, false, Button1Mask);
    asentar();
    EXPECT_EQ(visto.raton, (std::array<int, 4>{GLUT_LEFT_BUTTON, GLUT_UP, 410, 190}));
    boton_x(principal, 300, 100, Button4, true);
    asentar();
    EXPECT_EQ(visto.raton[0], 3) << "the wheel turned away from the user";
    boton_x(principal, 300, 100, Button5, true);
    asentar();
    EXPECT_EQ(visto.raton[0], 4) << "the wheel turned towards the user";
    EXPECT_EQ(visto.ratones, 4);
}

TEST_F(GluiGlut, UnBotonDelPanelLlamaUnaVezConLaVentanaPrincipalActual) {
    clic(panel->get_glut_window_id(), 30, FILA_BOTON);
    EXPECT_EQ(visto.pulsaciones, 1);
    EXPECT_EQ(visto.ventana_en_boton, principal);
    clic(panel->get_glut_window_id(), 30, FILA_BOTON);
    EXPECT_EQ(visto.pulsaciones, 2) << "a second click right after the first is not lost";
    EXPECT_EQ(visto.ratones, 0) << "a click in the panel is not the drawing's";
    // Pressed and let go within one frame (a fast click on a loaded machine): one click still.
    int id = panel->get_glut_window_id();
    mover_x(id, 30, FILA_BOTON);
    asentar();
    boton_x(id, 30, FILA_BOTON, Button1, true);
    boton_x(id, 30, FILA_BOTON, Button1, false, Button1Mask);
    asentar();
    EXPECT_EQ(visto.pulsaciones, 3);
}

TEST_F(GluiGlut, LoEscritoEnUnCampoEntraConIntroYNoLlegaAlPrograma) {
    int id = panel->get_glut_window_id();
    clic(id, 60, FILA_CAMPO);
    reescribir(id, "37");
    tecla_x(id, XK_Return);
    EXPECT_EQ(campo->get_int_val(), 37);
    EXPECT_EQ(visto.cambios_campo, 1);
    EXPECT_EQ(visto.teclas, 0) << "keys typed into a field are not the program's";
    EXPECT_EQ(visto.especiales, 0);
}

TEST_F(GluiGlut, TabYMayusculasTabConfirmanYLlevanAlCampoSiguienteOAlAnterior) {
    int id = panel->get_glut_window_id();
    clic(id, 60, FILA_M);
    reescribir(id, "7");
    tecla_x(id, XK_Tab, ShiftMask);
    reescribir(id, "9");
    tecla_x(id, XK_Return);
    EXPECT_EQ(campo_m->get_int_val(), 7);
    EXPECT_EQ(campo->get_int_val(), 9) << "Shift+Tab goes to the field above";
    EXPECT_NE(campo_p->get_int_val(), 9);
    clic(id, 60, FILA_M);
    reescribir(id, "8");
    tecla_x(id, XK_Tab);
    reescribir(id, "6");
    tecla_x(id, XK_Return);
    EXPECT_EQ(campo_m->get_int_val(), 8);
    EXPECT_EQ(campo_p->get_int_val(), 6) << "Tab goes to the field below";
    EXPECT_EQ(visto.cambios_campo, 4);
    EXPECT_EQ(visto.teclas, 0);
}

TEST_F(GluiGlut, UnClicEnElDibujoConfirmaElCampoQueSeEscribia) {
    int id = panel->get_glut_window_id();
    clic(id, 60, FILA_CAMPO);
    reescribir(id, "12");
    boton_x(principal, 400, 200, Button1, true);
    asentar();
    EXPECT_EQ(campo->get_int_val(), 12);
    EXPECT_EQ(visto.cambios_campo, 1);
    EXPECT_EQ(visto.ratones, 1) << "the click still reaches the drawing";
    boton_x(principal, 400, 200, Button1, false, Button1Mask);
    asentar();
    tecla_x(principal, XK_z);
    EXPECT_EQ(visto.tecla, 'z') << "after the click the keys are the program's again";
}

// Keys and a click that reach GLUT together, in the order X delivered them (the keys
// typed at 5 ms each and the click at once): the whole typed number is applied, then
// the click; a click on a field and the keys right after it put them in that field.
TEST_F(GluiGlut, LoTecleadoYElClicQueLleganJuntosSeAplicanEnOrden) {
    int id = panel->get_glut_window_id();
    clic(id, 60, FILA_CAMPO);
    reescribir(id, "");
    enviar_tecla(id, XK_4);
    enviar_tecla(id, XK_2);
    boton_x(principal, 400, 200, Button1, true);
    boton_x(principal, 400, 200, Button1, false, Button1Mask);
    enviar_tecla(principal, XK_z);
    asentar();
    EXPECT_EQ(campo->get_int_val(), 42) << "both digits, before the click took the field's focus";
    EXPECT_EQ(visto.tecla, 'z') << "the key after the click is the program's";
    EXPECT_EQ(visto.teclas, 1);

    clic(id, 60, FILA_CAMPO);
    reescribir(id, "");
    enviar_tecla(id, XK_7);
    enviar_tecla(id, XK_1);
    boton_x(id, 60, FILA_M, Button1, true);
    boton_x(id, 60, FILA_M, Button1, false, Button1Mask);
    enviar_tecla(id, XK_End);
    for (int i = 0; i < 3; ++i) enviar_tecla(id, XK_BackSpace);
    enviar_tecla(id, XK_3);
    enviar_tecla(id, XK_Return);
    asentar();
    EXPECT_EQ(campo->get_int_val(), 71);
    EXPECT_EQ(campo_m->get_int_val(), 3) << "typed right after the click, into the field clicked";
    EXPECT_EQ(visto.teclas, 1) << "no key went to the program";
}

TEST_F(GluiGlut, UnaCasillaEscribeSuVariableYAvisaUnaVez) {
    clic(panel->get_glut_window_id(), 16, FILA_CAJA);
    EXPECT_EQ(visto.cambios_caja, 1);
    EXPECT_EQ(caja->get_int_val(), 1);
    clic(panel->get_glut_window_id(), 16, FILA_CAJA);
    EXPECT_EQ(visto.cambios_caja, 2);
    EXPECT_EQ(caja->get_int_val(), 0);
}

TEST_F(GluiGlut, ControlMasAgrandaLosPanelesYControlCeroLosDevuelve) {
    int wp = ancho_panel();
    tecla_x(principal, XK_plus, ControlMask);
    EXPECT_TRUE(esperar_hasta([&] { return ancho_panel() > wp + 6; })) << "the panel grows";
    int grande = ancho_panel();
    EXPECT_EQ(visto.teclas, 0) << "the scale key is the layer's, not the program's";
    glutPostWindowRedisplay(principal);
    EXPECT_TRUE(esperar_hasta([&] { return visto.viewport[0] == grande; }))
        << "the drawing moves aside for the wider panel";
    tecla_x(principal, XK_0, ControlMask);
    EXPECT_TRUE(esperar_hasta([&] { return ancho_panel() == wp; }));
}

TEST_F(GluiGlut, CerrarUnaVentanaSueltaDesdeElGestorLlamaASuCierreYLaQuita) {
    glutSetWindow(principal);
    GLUI* suelta = GLUI_Master.create_glui("Suelta");
    EXPECT_EQ(glutGetWindow(), principal) << "making a window leaves the current one current";
    EXPECT_EQ(actual_tras_crear_panel, principal);
    suelta->add_statictext("Hola");
    suelta->set_main_gfx_window(principal);
    suelta->set_close_callback(al_cerrar, 7);
    int id = suelta->get_glut_window_id();
    asentar();
    Window w = ventana_x(id);
    ASSERT_NE(w, 0u);
    XEvent ev{};
    ev.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    enviar(w, ev, NoEventMask);
    EXPECT_TRUE(esperar_hasta([&] { return visto.cierres == 1 && GLUI_Master.find_window(id) == nullptr; }));
    EXPECT_EQ(visto.cierres, 1);
    // Closing the window that is current leaves the main window current, not a dead one.
    GLUI* otra = GLUI_Master.create_glui("Otra");
    otra->add_statictext("Adios");
    asentar();
    glutSetWindow(otra->get_glut_window_id());
    otra->close();
    GLUI_Master.reap_closed();
    EXPECT_EQ(glutGetWindow(), principal);
    asentar();
    // The main window and its panel go on as before.
    tecla_x(principal, XK_q);
    EXPECT_EQ(visto.tecla, 'q');
    clic(panel->get_glut_window_id(), 30, FILA_BOTON);
    EXPECT_EQ(visto.pulsaciones, 1);
}

// Another client destroys the main window, and with it its panel, while the panel keeps
// drawing: the program ends with status 0, never by an abort (the panel's frame would read
// the vanished window's size as garbage). Run in a process of its own: the ending is the point.
TEST_F(GluiGlut, UnaVentanaDestruidaPorOtroClienteTerminaElProgramaSinAbortar) {
    for (int vez = 0; vez < 5; ++vez) {
        pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            execl("/proc/self/exe", "test_glui_glut", "--destruida-por-otro-cliente", static_cast<char*>(nullptr));
            _exit(127);
        }
        int estado = 0;
        ASSERT_TRUE(esperar_hasta([&] { return waitpid(hijo, &estado, WNOHANG) == hijo; }, 60000))
            << "the program went on with its main window destroyed";
        ASSERT_TRUE(WIFEXITED(estado)) << "ended by signal " << (WIFSIGNALED(estado) ? WTERMSIG(estado) : 0);
        EXPECT_EQ(WEXITSTATUS(estado), 0) << "status 3: the window was never destroyed; 2: no display";
    }
}

// The stack below here filled with -1: what a read of uninitialised memory finds there is
// then a size no window has.
__attribute__((noinline)) void envenenar_pila() {
    constexpr int N = 1 << 15;
    volatile int pila[N];
    for (int i = 0; i < N; ++i) pila[i] = -1;
    (void)pila[N - 1];
}

// The child of the test above: its own main window and panel, the main window destroyed by a
// second connection, then the panel redrawn again and again. It does not come back while
// the layer ends the program as it should.
int destruida_por_otro_cliente() {
    x = XOpenDisplay(nullptr);
    Display* otro = XOpenDisplay(nullptr);
    if (!x || !otro) return 2;
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(ANCHO, ALTO);
    principal = glutCreateWindow("destruida");
    // A slow beat: the layer's timer, which also looks for vanished windows, is not due when
    // the panel draws next.
    glui_glut_iniciar(10000);
    GLUI_Master.set_glutDisplayFunc(al_dibujar);
    panel = GLUI_Master.create_glui_subwindow(principal, GLUI_SUBWINDOW_LEFT);
    panel->add_button("Pulsar", 1, al_pulsar);
    panel->set_main_gfx_window(principal);
    GLUI_Master.auto_set_viewport();
    if (!esperar_hasta([] { return ancho_panel_de(panel) > 100 && glui_glut_entrada_aplicada(); })) return 3;
    XDestroyWindow(otro, ventana_x(principal));
    XSync(otro, False);
    int id = panel->get_glut_window_id();
    esperar_hasta([id] {
        envenenar_pila();
        glutPostWindowRedisplay(id);
        return false;
    });
    return 3;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--destruida-por-otro-cliente") return destruida_por_otro_cliente();
    x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(ANCHO, ALTO);
    principal = glutCreateWindow("principal");
    glui_glut_iniciar(20);
    GLUI_Master.set_glutDisplayFunc(al_dibujar);
    GLUI_Master.set_glutKeyboardFunc(al_teclear);
    GLUI_Master.set_glutSpecialFunc(al_especial);
    GLUI_Master.set_glutMouseFunc(al_raton);
    panel = GLUI_Master.create_glui_subwindow(principal, GLUI_SUBWINDOW_LEFT);
    actual_tras_crear_panel = glutGetWindow();
    panel->add_button("Pulsar", 1, al_pulsar);
    campo = panel->add_edittext_to_panel(panel->main_panel(), "N:", GLUI_EDITTEXT_INT, nullptr, 2, al_campo);
    campo->set_int_val(5);
    static int marcada = 0;
    caja = panel->add_checkbox_to_panel(panel->main_panel(), "Caja", &marcada, 3, al_caja);
    campo_m = panel->add_edittext_to_panel(panel->main_panel(), "M:", GLUI_EDITTEXT_INT, nullptr, 4, al_campo);
    campo_p = panel->add_edittext_to_panel(panel->main_panel(), "P:", GLUI_EDITTEXT_INT, nullptr, 5, al_campo);
    panel->set_main_gfx_window(principal);
    GLUI_Master.auto_set_viewport();
    // The panel laid out and sized to its controls.
    if (!esperar_hasta([] { return ancho_panel_de(panel) > 100 && glui_glut_entrada_aplicada(); })) {
        std::fprintf(stderr, "the panel was not laid out\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
