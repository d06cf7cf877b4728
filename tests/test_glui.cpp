#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "glui/glui.h"
#include "prueba.h"

namespace {

std::vector<int> llamadas;
std::vector<int> ventana_durante;
VentanasFalsas* falsas = nullptr;

void anotar(int id) {
    llamadas.push_back(id);
    ventana_durante.push_back(falsas ? falsas->actual : -1);
}

class Capa : public ::testing::Test {
protected:
    VentanasFalsas v;
    GLUI* w = nullptr;
    int principal = 0;
    void SetUp() override {
        GLUI_Master.reset();
        GLUI_Master.set_backend(&v);
        falsas = &v;
        llamadas.clear();
        ventana_durante.clear();
        principal = v.nueva();
        v.actual = principal;
        w = GLUI_Master.create_glui_subwindow(principal, GLUI_SUBWINDOW_LEFT);
        w->set_main_gfx_window(principal);
    }
    void TearDown() override {
        GLUI_Master.reset();
        GLUI_Master.set_backend(nullptr);
        falsas = nullptr;
    }
};

}  // namespace

TEST_F(Capa, CampoRealLlamaAlConfirmarSoloSiCambio) {
    GLUI_Panel* p = w->add_panel("Datos");
    GLUI_EditText* e = w->add_edittext_to_panel(p, "Angulo", GLUI_EDITTEXT_FLOAT, nullptr, 1050, anotar);
    e->set_float_val(20.0f);
    EXPECT_TRUE(llamadas.empty()) << "a value set by the program never calls back";
    EXPECT_EQ(e->get_text(), "20.0");

    e->user_commit("20.0");
    EXPECT_TRUE(llamadas.empty()) << "unchanged text is no commit";

    e->user_commit("22.5");
    ASSERT_EQ(llamadas, std::vector<int>{1050});
    EXPECT_FLOAT_EQ(e->get_float_val(), 22.5f);
    EXPECT_EQ(e->get_text(), "22.5");
}

TEST_F(Capa, CampoRechazaTextoQueNoEsNumeroFinito) {
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "x", GLUI_EDITTEXT_FLOAT, nullptr, 7, anotar);
    e->set_float_val(3.5f);
    for (const char* malo : {"", "-", "1e999", "e", "+", "1e", "--1"}) {
        e->user_commit(malo);
        EXPECT_FLOAT_EQ(e->get_float_val(), 3.5f) << malo;
        EXPECT_EQ(e->get_text(), "3.5") << malo;
    }
    EXPECT_TRUE(llamadas.empty());
    e->user_commit("-2e1");
    EXPECT_FLOAT_EQ(e->get_float_val(), -20.0f);
    EXPECT_EQ(llamadas.size(), 1u);
}

TEST_F(Capa, CampoEnteroTomaElTextoEnteroONada) {
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "n", GLUI_EDITTEXT_INT, nullptr, 1010, anotar);
    e->set_int_val(14);
    // Never a number made of the characters left after dropping others.
    for (const char* malo : {"2.5", "2a0", "1-2", "99999999999", "1e10", "-1e10", "1e", "inf", "nan", " 7 ", "0x"}) {
        e->user_commit(malo);
        EXPECT_EQ(e->get_int_val(), 14) << malo;
        EXPECT_EQ(e->get_text(), "14") << malo;
    }
    EXPECT_TRUE(llamadas.empty());
    e->user_commit("1e5");
    EXPECT_EQ(e->get_int_val(), 100000);
    e->user_commit("-3");
    EXPECT_EQ(e->get_int_val(), -3);
    e->user_commit("2147483647");
    EXPECT_EQ(e->get_int_val(), 2147483647);
    e->user_commit("2.0e1");
    EXPECT_EQ(e->get_int_val(), 20);
    EXPECT_EQ(llamadas, (std::vector<int>{1010, 1010, 1010, 1010}));
}

TEST_F(Capa, CampoRealNoQuitaCaracteres) {
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "x", GLUI_EDITTEXT_FLOAT, nullptr, 7, anotar);
    e->set_float_val(3.5f);
    for (const char* malo : {"1a5", "1.5.", "1-2", "3e38e", "1e39", "-4e38", "inf", "nan"}) {
        e->user_commit(malo);
        EXPECT_FLOAT_EQ(e->get_float_val(), 3.5f) << malo;
    }
    EXPECT_TRUE(llamadas.empty());
    e->user_commit("1e5");
    EXPECT_FLOAT_EQ(e->get_float_val(), 100000.0f);
}

TEST_F(Capa, EscapeDevuelveElValorSinLlamar) {
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "n", GLUI_EDITTEXT_INT, nullptr, 1010, anotar);
    e->set_int_val(14);
    e->begin_edit();
    e->edit("20");
    EXPECT_EQ(e->edit_text(), "20");
    e->cancel();
    EXPECT_FALSE(e->editing());
    EXPECT_EQ(e->get_int_val(), 14);
    EXPECT_EQ(e->edit_text(), "14");
    e->commit();
    EXPECT_TRUE(llamadas.empty());
}

// Leaving a field in any way commits it: the keyboard moving to another control of the
// window (Tab, Shift+Tab, a click on a field above or below, a button) or to none.
TEST_F(Capa, ElFocoQueSeVaConfirmaLosDemasCampos) {
    GLUI_EditText* a = w->add_edittext_to_panel(w->main_panel(), "a", GLUI_EDITTEXT_INT, nullptr, 1, anotar);
    GLUI_EditText* b = w->add_edittext_to_panel(w->main_panel(), "b", GLUI_EDITTEXT_INT, nullptr, 2, anotar);
    GLUI_Button* boton = w->add_button("ok", 3, anotar);
    a->set_int_val(1);
    b->set_int_val(2);
    b->begin_edit();
    b->edit("20");
    w->focus_now(b);
    EXPECT_TRUE(b->editing()) << "the field that keeps the keyboard goes on";
    EXPECT_TRUE(llamadas.empty());
    a->begin_edit();
    w->focus_now(a);  // Shift+Tab, or a click on the field above
    EXPECT_FALSE(b->editing());
    EXPECT_EQ(b->get_int_val(), 20);
    EXPECT_EQ(llamadas, std::vector<int>{2});
    a->edit("10");
    w->focus_now(boton);
    EXPECT_EQ(a->get_int_val(), 10);
    b->begin_edit();
    b->edit("7");
    w->focus_now(nullptr);  // empty panel space, the drawing
    EXPECT_EQ(b->get_int_val(), 7);
    EXPECT_EQ(llamadas, (std::vector<int>{2, 1, 2}));
}

TEST_F(Capa, CierreDelGestorDeVentanas) {
    static int cerrado = -1;
    GLUI* d = GLUI_Master.create_glui("dialogo");
    d->set_close_callback(+[](int id) { cerrado = id; }, 5);
    d->user_close();
    EXPECT_EQ(cerrado, 5);
    EXPECT_TRUE(d->closing());
    w->user_close();  // no callback: just closed
    EXPECT_TRUE(w->closing());
}

TEST_F(Capa, LaLlamadaCorreConLaVentanaPrincipalYLaRestaura) {
    GLUI_Button* b = w->add_button("Siguiente >>", 1150, anotar);
    v.actual = w->get_glut_window_id();
    b->user_press();
    ASSERT_EQ(ventana_durante, std::vector<int>{principal});
    EXPECT_EQ(v.actual, w->get_glut_window_id());
}

TEST_F(Capa, DesactivarUnPanelAlcanzaATodoLoQueContiene) {
    GLUI_Panel* exterior = w->add_panel("Experimental");
    GLUI_Panel* interior = w->add_panel_to_panel(exterior, "Diente asimetrico");
    GLUI_EditText* e = w->add_edittext_to_panel(interior, "a", GLUI_EDITTEXT_FLOAT, nullptr, 1060, anotar);
    GLUI_Button* b = w->add_button_to_panel(exterior, "b", 1, anotar);
    exterior->disable();
    EXPECT_FALSE(interior->enabled());
    EXPECT_FALSE(e->enabled());
    EXPECT_FALSE(b->enabled());
    b->user_press();
    e->user_commit("5");
    EXPECT_TRUE(llamadas.empty()) << "a disabled control takes no input";
    e->enable();
    EXPECT_TRUE(e->enabled());
    EXPECT_FALSE(interior->enabled());
    exterior->enable();
    EXPECT_TRUE(b->enabled());
    EXPECT_TRUE(interior->enabled());
}

TEST_F(Capa, ListaSeleccionaPorIdentificador) {
    GLUI_Listbox* l = w->add_listbox_to_panel(w->main_panel(), "Modulo", nullptr, 1070, anotar);
    l->add_item(0, "1.00");
    l->add_item(1, "1.25");
    l->add_item(5, "3.00");
    l->set_int_val(5);
    EXPECT_EQ(l->selected_text(), "3.00");
    EXPECT_TRUE(llamadas.empty());
    l->user_select(1);
    EXPECT_EQ(l->get_int_val(), 1);
    l->user_select(4);  // no such item
    EXPECT_EQ(l->get_int_val(), 1);
    EXPECT_EQ(llamadas, std::vector<int>{1070});
    // Locked once the cut has started: a choice changes nothing and calls nothing.
    l->disable();
    l->user_select(5);
    EXPECT_EQ(l->get_int_val(), 1);
    EXPECT_EQ(llamadas, std::vector<int>{1070});
}

TEST_F(Capa, CasillaYTraslacionEscribenSuVariableViva) {
    int marcada = 0;
    float x = 0;
    GLUI_Checkbox* c = w->add_checkbox_to_panel(w->main_panel(), "Circunferencia de paso", &marcada, -1, GLUI_CB());
    GLUI_Translation* t = w->add_translation_to_panel(w->main_panel(), "X", GLUI_TRANSLATION_X, &x, -1, GLUI_CB());
    GLUI_Translation* z = w->add_translation_to_panel(w->main_panel(), "Z", GLUI_TRANSLATION_Z, &x, -1, GLUI_CB());
    c->set_int_val(1);
    EXPECT_EQ(marcada, 1);
    v.redibujos.clear();
    c->user_toggle();
    EXPECT_EQ(marcada, 0);
    EXPECT_EQ(v.redibujos, std::vector<int>{principal}) << "a changed live variable redraws the main window";
    t->user_drag(18, 40);
    EXPECT_FLOAT_EQ(x, 1.0f);
    t->user_drag(-36, 0);
    EXPECT_FLOAT_EQ(x, -1.0f);
    z->sync_from_live();
    z->user_drag(100, -18);  // upwards: +1
    EXPECT_FLOAT_EQ(x, 0.0f);

    marcada = 1;
    x = 7.5f;
    w->sync_live();
    EXPECT_EQ(c->get_int_val(), 1);
    EXPECT_FLOAT_EQ(t->get_float_val(), 7.5f);

    // The view moved by the mouse, unseen by the control: a nudge continues from where it is.
    x = 10.0f;
    t->user_drag(6, 0);
    EXPECT_FLOAT_EQ(x, 10.0f + 6.0f / 18.0f);
    EXPECT_FLOAT_EQ(t->get_float_val(), x);
}

TEST_F(Capa, GrupoDeRadioNumeraEnOrdenDeCreacion) {
    GLUI_RadioGroup* g = w->add_radiogroup_to_panel(w->main_panel(), nullptr, 1120, anotar);
    GLUI_RadioButton* a = w->add_radiobutton_to_group(g, "Fondo de la ventana");
    GLUI_RadioButton* b = w->add_radiobutton_to_group(g, "Engranaje");
    GLUI_RadioButton* c = w->add_radiobutton_to_group(g, "Cremallera");
    EXPECT_EQ(a->value(), 0);
    EXPECT_EQ(b->value(), 1);
    EXPECT_EQ(c->value(), 2);
    g->user_select(2);
    EXPECT_EQ(g->get_int_val(), 2);
    g->user_select(3);
    EXPECT_EQ(g->get_int_val(), 2);
    EXPECT_EQ(llamadas, std::vector<int>{1120});
}

TEST_F(Capa, RuedaLimitaSuValor) {
    GLUI_Spinner* s = w->add_spinner_to_panel(w->main_panel(), "Verde", GLUI_SPINNER_FLOAT, nullptr, 5100, anotar);
    s->set_float_limits(0.0f, 1.0f, GLUI_LIMIT_CLAMP);
    s->set_speed(1.0f);
    s->user_set(1.7f);
    EXPECT_FLOAT_EQ(s->get_float_val(), 1.0f);
    s->user_set(-0.2f);
    EXPECT_FLOAT_EQ(s->get_float_val(), 0.0f);
    s->user_set(0.5f);
    EXPECT_FLOAT_EQ(s->get_float_val(), 0.5f);
    s->user_set(NAN);
    EXPECT_FLOAT_EQ(s->get_float_val(), 0.5f);
    EXPECT_EQ(llamadas.size(), 4u);
}

TEST_F(Capa, CerrarDuranteLaLlamadaDestruyeDespues) {
    static GLUI* cerrada = nullptr;
    cerrada = w;
    GLUI_Button* b = w->add_button("Salir", 1180, GLUI_CB(+[](int) {
        cerrada->close();
        cerrada->sync_live();  // still usable inside the running callback
    }));
    b->user_press();
    EXPECT_TRUE(w->closing());
    EXPECT_FALSE(w->visible());
    ASSERT_NE(GLUI_Master.find_window(w->get_glut_window_id()), nullptr);
    int id = w->get_glut_window_id();
    GLUI_Master.idle_tick();
    EXPECT_EQ(GLUI_Master.find_window(id), nullptr);
    EXPECT_TRUE(v.destruidas.count(id));
}

TEST_F(Capa, PulsarEnLaVentanaPrincipalConfirmaElCampoActivo) {
    GLUI_EditText* e = w->add_edittext_to_panel(w->main_panel(), "n", GLUI_EDITTEXT_INT, nullptr, 1010, anotar);
    e->set_int_val(14);
    e->begin_edit();
    e->edit("20");
    EXPECT_EQ(GLUI_Master.focused_edit(), e);
    GLUI_Master.deactivate_all();
    EXPECT_EQ(GLUI_Master.focused_edit(), nullptr);
    EXPECT_EQ(e->get_int_val(), 20);
    EXPECT_EQ(llamadas, std::vector<int>{1010});
}

TEST_F(Capa, InactividadDeLasVentanasAntesQueLaDelPrograma) {
    static bool cerrada_al_llamar = false;
    static int id = 0;
    id = w->get_glut_window_id();
    w->close();
    GLUI_Master.set_glutIdleFunc([] { cerrada_al_llamar = GLUI_Master.find_window(id) == nullptr; });
    GLUI_Master.idle_tick();
    EXPECT_TRUE(cerrada_al_llamar);
}

namespace {

struct Registro : VentanasFalsas {
    std::vector<int> instaladas;  // windows whose GLUT callbacks the layer took over
    void install_main_callbacks(int id) override { instaladas.push_back(id); }
};

void nada() {}
void nada_teclado(unsigned char, int, int) {}

}  // namespace

TEST(Principal, LaVentanaActualAlRegistrarEsLaPrincipal) {
    Registro r;
    GLUI_Master.reset();
    GLUI_Master.set_backend(&r);
    GLUI_Master.set_glutDisplayFunc(nada);
    EXPECT_EQ(GLUI_Master.main_window(), -1) << "with no window current there is no main window";
    EXPECT_TRUE(r.instaladas.empty());

    int principal = r.nueva();
    r.actual = principal;
    GLUI_Master.set_glutDisplayFunc(nada);
    GLUI_Master.set_glutKeyboardFunc(nada_teclado);
    EXPECT_EQ(GLUI_Master.main_window(), principal);
    EXPECT_EQ(r.instaladas, std::vector<int>{principal}) << "the callbacks are taken over once";

    int otra = r.nueva();
    r.actual = otra;
    GLUI_Master.set_glutDisplayFunc(nada);
    EXPECT_EQ(GLUI_Master.main_window(), otra);
    EXPECT_EQ(r.instaladas, (std::vector<int>{principal, otra}));
    GLUI_Master.reset();
    GLUI_Master.set_backend(nullptr);
}

TEST_F(Capa, OcultarYMostrarLlegaALaVentana) {
    int id = w->get_glut_window_id();
    ASSERT_TRUE(v.visible[id]);
    w->hide();
    EXPECT_FALSE(v.visible[id]);
    EXPECT_FALSE(w->visible());
    w->show();
    EXPECT_TRUE(v.visible[id]);
    w->close();
    EXPECT_FALSE(v.visible[id]) << "a closing window leaves the screen at once";
    w->show();
    EXPECT_FALSE(v.visible[id]) << "and is not shown again";
}
