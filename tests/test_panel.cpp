#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "nucleo/avisos.h"
#include "nucleo/callbacks.h"
#include "nucleo/corte_anterior.h"
#include "nucleo/escena.h"
#include "nucleo/leyenda.h"
#include "nucleo/estado.h"
#include "nucleo/guardar.h"
#include "nucleo/movimiento.h"
#include "nucleo/panel.h"
#include "nucleo/tallado.h"
#include "prueba.h"

namespace {

struct Fila {
    GLUI_Kind tipo;
    std::string etiqueta;
    int id;
};

std::string b(const char* t, int n) { return std::string(t) + std::string(static_cast<size_t>(n), ' '); }

// Every control of the panel in order of creation, as a user sees them.
std::vector<Fila> filas(GLUI* w) {
    std::vector<Fila> r;
    for (GLUI_Control* c : controles(w)) r.push_back({c->kind(), c->get_name(), c->get_id()});
    return r;
}

using K = GLUI_Kind;

}  // namespace

class Panel : public Programa {};

TEST_F(Panel, DialogoDeInicio) {
    ASSERT_NE(glui, nullptr);
    EXPECT_EQ(glui->title(), "Ortanel");
    EXPECT_FALSE(glui->is_subwindow());
    EXPECT_EQ(glui->main_gfx_window(), winIdMain);
    EXPECT_EQ(ventanas.actual, winIdMain) << "the main window stays current";
    auto v = controles(glui);
    // Credits: three columns separated by bars, the third with "" and "Version 2.01".
    ASSERT_EQ(v[0], glui_firma);
    std::vector<GLUI_Control*> firma = glui_firma->children();
    ASSERT_EQ(firma.size(), 10u);
    EXPECT_EQ(firma[3]->kind(), K::Column);
    EXPECT_TRUE(static_cast<GLUI_Column*>(firma[3])->draws_bar());
    EXPECT_TRUE(static_cast<GLUI_Column*>(firma[7])->draws_bar());
    for (int i : {1, 2, 5, 6}) EXPECT_EQ(firma[static_cast<size_t>(i)]->get_name().rfind("     ", 0), 0u);
    EXPECT_EQ(firma[8]->get_name(), "");
    EXPECT_EQ(firma[9]->get_name(), "Version 2.01");

    std::vector<GLUI_Control*> modos = glui_datos->children();
    ASSERT_EQ(glui_datos->get_name(), "Forma de realizar la simulacion");
    ASSERT_EQ(modos.size(), 7u);
    EXPECT_EQ(modos[0]->get_name(), "Simulacion estandar");
    EXPECT_EQ(modos[0]->get_id(), 100);
    EXPECT_EQ(modos[1]->get_name(), "    Realiza una simulacion del tallado de un engranaje recto siendo");
    EXPECT_EQ(modos[2]->get_name(), "            conocido el numero de dientes y el diametro primitivo.");
    EXPECT_EQ(modos[3]->get_name(), "");
    EXPECT_EQ(modos[4]->get_name(), "Simulacion experimental");
    EXPECT_EQ(modos[4]->get_id(), 110);
    EXPECT_EQ(modos[5]->get_name(), " Realiza una simulacion del tallado de un engranaje recto definiendo");
    EXPECT_EQ(modos[6]->get_name(), "                    los parametros del perfil de la cremallera.");
    GLUI_Button* salir = boton_dialogo("Salir");
    ASSERT_NE(salir, nullptr);
    EXPECT_EQ(salir->get_id(), 0);
    EXPECT_EQ(informa, controles(glui).back());
    EXPECT_EQ(informa->get_text(), "");
}

TEST_F(Panel, SalirDelDialogoTerminaConEstadoCero) {
    EXPECT_EXIT(boton_dialogo("Salir")->user_press(), ::testing::ExitedWithCode(0), "");
}

TEST_F(Panel, EstandarControlesEnOrden) {
    elegir(SIMULACION_ESTANDAR);
    EXPECT_FALSE(glui->visible());
    EXPECT_TRUE(ventanas.visible[winIdMain]);
    ASSERT_NE(v_glui, nullptr);
    EXPECT_EQ(v_glui->parent_window(), winIdMain);
    EXPECT_EQ(v_glui->main_gfx_window(), winIdMain);
    EXPECT_TRUE(GLUI_Master.viewport_automatic());
    std::vector<Fila> esperadas = {
        {K::Panel, "Datos", -1},
        {K::EditText, b("Numero de dientes", 26), 1010},
        {K::Listbox, b("Modulo", 33), 1070},
        {K::EditText, b("Diametro circunferencia primitiva", 3), 1040},
        {K::EditText, b("Diametro exterior", 25), 1020},
        {K::EditText, b("Diametro interior", 26), 1030},
        {K::EditText, b("Angulo de presion", 23), 1050},
        {K::EditText, b("Coeficiente de desplazamiento", 6), 1080},
        {K::StaticText, " ", -1},
        {K::StaticText, "    EXISTE SOCAVACION DEL DIENTE", -1},
        {K::StaticText, "Desplazamiento minimo x = 0.182", -1},
        {K::Rollout, "Seleccion del color", -1},
        {K::RadioGroup, "", 1120},
        {K::RadioButton, "Fondo de la ventana", -1},
        {K::RadioButton, "Engranaje", -1},
        {K::RadioButton, "Cremallera", -1},
        {K::RadioButton, "Circunferencia de fondo", -1},
        {K::RadioButton, "Circunferencia de paso", -1},
        {K::Column, "", -1},
        {K::Spinner, "Rojo", 5000},
        {K::Spinner, "Verde", 5100},
        {K::Spinner, "Azul", 5200},
        {K::RadioButton, "Circunferencia base", -1},
        {K::RadioButton, "Evolvente", -1},
        {K::Panel, "Opciones", -1},
        {K::EditText, b("Angulo girado por tallada", 9), 1130},
        {K::Panel, "Control de movimiento", -1},
        {K::Panel, "", -1},
        {K::Button, "Reiniciar", 1170},
        {K::Button, "Nuevo corte", ID_NUEVO_CORTE},
        {K::Button, "<< Anterior", 1160},
        {K::Column, "", -1},
        {K::Button, "Automatico", 1140},
        {K::Listbox, "Velocidad", ID_VELOCIDAD},
        {K::Button, "Siguiente >>", 1150},
        {K::Progress, "0 de 360 grados - paso 0", -1},
        {K::Checkbox, "Circunferencia de paso", -1},
        {K::Checkbox, "Circunferencia de fondo", -1},
        {K::Panel, "Control de imagen", -1},
        {K::Translation, "X", -1},
        {K::Column, "", -1},
        {K::Translation, "Y", -1},
        {K::Column, "", -1},
        {K::Translation, "Z", -1},
        {K::Rollout, "Exportar", -1},
        {K::EditText, "Archivo", 1500},
        {K::Listbox, "Hoja", ID_HOJA},
        {K::Panel, "", -1},
        {K::Button, "Guardar", 1510},
        {K::Column, "", -1},
        {K::Button, "Guardar animacion", ID_GUARDAR_ANIMACION},
        {K::StaticText, "", -1},
        {K::Rollout, "Ayudas", -1},
        {K::Panel, "", -1},
        {K::Checkbox, "Circunferencia base", ID_CIRC_BASE},
        {K::Checkbox, "Evolvente teorica", ID_EVOLVENTE},
        {K::Column, "", -1},
        {K::Button, "Terminar", ID_TERMINAR},
        {K::Checkbox, "Comparar con el corte anterior", ID_FANTASMA},
        {K::StaticText, "", -1},
        {K::StaticText, "", -1},
        {K::StaticText, "", -1},
        {K::StaticText, "Teclas: Espacio o Derecha = Siguiente >>,", -1},
        {K::StaticText, "Izquierda = << Anterior, a = Automatico,", -1},
        {K::StaticText, "t = Terminar, Inicio = vista inicial", -1},
        {K::Rollout, "Engrane", -1},
        {K::Panel, "", -1},
        {K::Listbox, "Engranar con", ID_ENGRANE_CON},
        {K::Column, "", -1},
        {K::Checkbox, "Ver engrane", ID_VER_ENGRANE},
        {K::EditText, "Dientes rueda 2", ID_ENGRANE_DIENTES},
        {K::EditText, "Desplazamiento rueda 2", ID_ENGRANE_DESPLAZAMIENTO},
        {K::EditText, "Distancia entre centros", ID_ENGRANE_DISTANCIA},
        {K::StaticText, "a_w = 14.000   alfa_w = 20.00 grados\nRelacion de contacto: 1.463\nJuego normal teorico: 0.000", -1},
        {K::Button, "Salir", 1180},
    };
    auto hechas = filas(v_glui);
    ASSERT_EQ(hechas.size(), esperadas.size());
    for (size_t i = 0; i < esperadas.size(); ++i) {
        EXPECT_EQ(hechas[i].tipo, esperadas[i].tipo) << "row " << i;
        EXPECT_EQ(hechas[i].etiqueta, esperadas[i].etiqueta) << "row " << i;
        EXPECT_EQ(hechas[i].id, esperadas[i].id) << "row " << i;
    }
    EXPECT_EQ(glui_Modulo->items().size(), 18u);
    for (int i = 0; i < 18; ++i) EXPECT_EQ(glui_Modulo->items()[static_cast<size_t>(i)].second, MODULO[i]);
    EXPECT_EQ(glui_Modulo->get_int_val(), 0);
    EXPECT_EQ(informa->get_text(), "    EXISTE SOCAVACION DEL DIENTE");
    EXPECT_EQ(informa->parent(), glui_datos);
    EXPECT_EQ(glui_zoom->get_name(), "Control de imagen");
    auto* x = static_cast<GLUI_Translation*>(glui_zoom->children()[0]);
    x->user_drag(36, 0);
    EXPECT_FLOAT_EQ(trans[0], 2.0f);
}

// The other mode's panel after "Salir": no handle is left to the controls of the one before.
TEST_F(Panel, ElOtroModoNoGuardaLosControlesDelAnterior) {
    elegir(SIMULACION_ESTANDAR);
    glui_Clear->user_press();
    v_glui_control(ID_SALIR);
    GLUI_Master.reap_closed();
    elegir(SIMULACION_EXPERIMENTAL);
    EXPECT_EQ(glui_Modulo, nullptr);
    EXPECT_EQ(glui_zoom, nullptr);
    idle();
    v_glui_control(ID_SALIR);
    GLUI_Master.reap_closed();
    elegir(SIMULACION_ESTANDAR);
    for (GLUI_Control* c : std::initializer_list<GLUI_Control*>{glui_Modulo_T, glui_iso, glui_ISO, glui_radio,
                                                               glui_depresion, glui_experimental, glui_asimetrico,
                                                               glui_C_Asimetria, glui_Angulo_2, glui_circular,
                                                               glui_C_Flecha, glui_Flecha})
        EXPECT_EQ(c, nullptr);
    idle();
}

TEST_F(Panel, ExperimentalControlesEnOrden) {
    elegir(SIMULACION_EXPERIMENTAL);
    std::vector<Fila> esperadas = {
        {K::Panel, "Datos", -1},
        {K::EditText, b("Numero de dientes", 26), 1010},
        {K::EditText, b("Modulo", 38), 1070},
        {K::EditText, b("Diametro circunferencia primitiva", 3), 1040},
        {K::EditText, b("Diametro exterior", 25), 1020},
        {K::EditText, b("Diametro interior", 26), 1030},
        {K::EditText, b("Angulo de presion", 23), 1050},
        {K::EditText, b("Coeficiente de desplazamiento", 6), 1080},
        {K::Panel, "ISO 6336", -1},
        {K::Checkbox, "Mostrar / Ocultar", -1},
        {K::EditText, b("     Radio de cabeza", 19), 1090},
        {K::EditText, b("     Depresion lateral del diente", 4), 1100},
        {K::Panel, "Experimental", -1},
        {K::Panel, "Diente asimetrico", -1},
        {K::Checkbox, "Mostrar / Ocultar", -1},
        {K::EditText, " 2\xC2\xBA Angulo ", 1060},
        {K::Column, "", -1},
        {K::Panel, "Deformacion circular", -1},
        {K::Checkbox, "Mostrar / Ocultar", -1},
        {K::EditText, "Flecha ", 1110},
        {K::Rollout, "Seleccion del color", -1},
    };
    auto hechas = filas(v_glui);
    for (size_t i = 0; i < esperadas.size(); ++i) {
        EXPECT_EQ(hechas[i].tipo, esperadas[i].tipo) << "row " << i;
        EXPECT_EQ(hechas[i].etiqueta, esperadas[i].etiqueta) << "row " << i;
        EXPECT_EQ(hechas[i].id, esperadas[i].id) << "row " << i;
    }
    EXPECT_EQ(hechas.size(), 69u) << "the colour list's two overlays, the aids with their read-out and keys, "
                                     "the export rows, the motion's two new rows";
    EXPECT_EQ(hechas[hechas.size() - 22].etiqueta, "Exportar") << "the export rollout near Salir";
    EXPECT_EQ(hechas.back().etiqueta, "Salir");
    EXPECT_EQ(glui_zoom, nullptr);
    EXPECT_EQ(glui_Modulo, nullptr);
    EXPECT_EQ(informa->glui(), glui) << "the status line stays the dialog's empty one";
    EXPECT_EQ(informa->get_text(), "");
    EXPECT_FLOAT_EQ(glui_Modulo_T->get_float_val(), 1.0f);
    EXPECT_FALSE(glui_depresion->enabled());
    EXPECT_TRUE(glui_radio->enabled());
    EXPECT_EQ(C_ISO, 1);
    EXPECT_EQ(C_Asimetria, 0);
    EXPECT_EQ(C_Flecha, 1);
    EXPECT_FLOAT_EQ(Angulo_2, 20.0f);
    EXPECT_FLOAT_EQ(glui_Angulo_2->get_float_val(), 20.0f);
}

TEST_F(Panel, ValoresInicialesEnAmbosModos) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        EXPECT_EQ(QueSimula, modo);
        EXPECT_EQ(Z, 14.0f);
        EXPECT_EQ(Rp, 7.0f);
        EXPECT_EQ(Rc, 8.0f);
        EXPECT_EQ(Rb, 5.75f);
        EXPECT_EQ(Angulo, 20.0f);
        EXPECT_EQ(E_incremento, 1.0f);
        EXPECT_FLOAT_EQ(Origen, -12.5f);
        EXPECT_FLOAT_EQ(C_Paso_Y, 0.45f);
        EXPECT_FLOAT_EQ(Paso, 3.14159265f);
        EXPECT_EQ(C_Mueve, 10);
        EXPECT_EQ(C_Paso_ON, 1);
        EXPECT_EQ(C_Fondo_ON, 1);
        ASSERT_EQ(C_Historia_X.size(), 362u);
        for (float h : C_Historia_X) EXPECT_EQ(h, 0.0f);
        EXPECT_EQ(glui_Dientes->get_int_val(), 14);
        EXPECT_FLOAT_EQ(glui_RPaso->get_float_val(), 14.0f);
        EXPECT_FLOAT_EQ(glui_RCabeza->get_float_val(), 16.0f);
        EXPECT_FLOAT_EQ(glui_RBase->get_float_val(), 11.5f);
        EXPECT_FLOAT_EQ(glui_Angulo->get_float_val(), 20.0f);
        EXPECT_FLOAT_EQ(glui_Penetracion->get_float_val(), 0.0f);
        EXPECT_EQ(glui_Giro->get_int_val(), 1);
        EXPECT_FALSE(glui_Ant->enabled());
        EXPECT_FALSE(glui_NuevoCorte->enabled()) << "no cut to leave";
        EXPECT_TRUE(glui_Sig->enabled());
        EXPECT_TRUE(glui_AutoOnOff->enabled());
        EXPECT_EQ(glui_AutoOnOff->get_name(), "Automatico");
        EXPECT_EQ(glui_Elementos->get_int_val(), 0);
        EXPECT_EQ(glui_CPaso->get_int_val(), 1);
        EXPECT_EQ(glui_CFondo->get_int_val(), 1);
        EXPECT_FLOAT_EQ(glui_Rojo->lower(), 0.0f);
        EXPECT_FLOAT_EQ(glui_Rojo->upper(), 1.0f);
        EXPECT_EQ(glui_Azul->limit_type(), GLUI_LIMIT_CLAMP);
    }
}

TEST_F(Panel, LasRuedasMuestranElColorDelElementoElegido) {
    QueObjeto = 2;  // left selected by a previous panel
    ColorFondo[0] = 0.25f;
    ColorFondo[2] = 0.75f;
    elegir(SIMULACION_ESTANDAR);
    EXPECT_EQ(QueObjeto, 0);
    EXPECT_EQ(glui_Elementos->get_int_val(), 0);
    EXPECT_FLOAT_EQ(glui_Rojo->get_float_val(), 0.25f);
    EXPECT_FLOAT_EQ(glui_Verde->get_float_val(), 0.0f);
    EXPECT_FLOAT_EQ(glui_Azul->get_float_val(), 0.75f);
}

TEST_F(Panel, ReconstruirDaElMismoPanel) {
    elegir(SIMULACION_ESTANDAR);
    auto primero = filas(v_glui);
    int anterior = v_glui->get_glut_window_id();
    glui_Dientes->user_commit("30");
    v_glui->close();
    glui->show();
    GLUI_Master.idle_tick();
    Z = 30;  // whatever the data were, a build gives its defaults
    elegir(SIMULACION_ESTANDAR);
    EXPECT_NE(v_glui->get_glut_window_id(), anterior);
    EXPECT_EQ(GLUI_Master.find_window(anterior), nullptr);
    auto segundo = filas(v_glui);
    ASSERT_EQ(primero.size(), segundo.size());
    for (size_t i = 0; i < primero.size(); ++i) {
        EXPECT_EQ(primero[i].etiqueta, segundo[i].etiqueta);
        EXPECT_EQ(primero[i].id, segundo[i].id);
    }
    EXPECT_EQ(glui_Dientes->get_int_val(), 14);
    EXPECT_EQ(Z, 14.0f);
    EXPECT_EQ(C_Historia_X.size(), 362u);
    EXPECT_EQ(GLUI_Master.windows().size(), 2u) << "the closed panel is gone";
}

TEST_F(Panel, PruebaDeSocavacion) {
    elegir(SIMULACION_ESTANDAR);
    // With the warning, the least shift 1 - (Z/2)·sin²α to three decimals; a blank line otherwise.
    struct Caso { float z, angulo, pen; bool aviso; const char* ayuda; };
    for (Caso c : {Caso{14, 20, 0, true, "0.182"}, Caso{17, 20, 0, true, "0.006"}, Caso{18, 20, 0, false, ""},
                   Caso{14, 20, -0.2f, false, ""}, Caso{40, 0, 0, true, "1.001"}, Caso{5, 30, 0, true, "0.376"},
                   Caso{9, 30, 0, false, ""}, Caso{12, 14.5f, 0, true, "0.624"}}) {
        Z = c.z;
        Angulo = c.angulo;
        Penetracion = c.pen;
        prueba_socavacion();
        EXPECT_EQ(modelo.panel.aviso, c.aviso ? TEXTO_SOCAVACION : "");
        sincronizar_panel();
        EXPECT_EQ(informa->get_text(), c.aviso ? TEXTO_SOCAVACION : "") << c.z << " " << c.angulo << " " << c.pen;
        EXPECT_EQ(informa_x->get_text(), c.aviso ? std::string("Desplazamiento minimo x = ") + c.ayuda : " ")
            << c.z << " " << c.angulo;
    }
    EXPECT_EQ(informa_x->parent(), glui_datos);
    ASSERT_TRUE(informa->has_color()) << "the warning is not drawn like a label";
    EXPECT_GT(informa->color()[0], 0.4f);
    EXPECT_LT(informa->color()[0], 0.8f);
    EXPECT_EQ(informa->color()[1], 0.0f);
    EXPECT_EQ(informa->color()[2], 0.0f);
    EXPECT_FALSE(informa_x->has_color());
}

TEST_F(Panel, SocavacionAlCambiarLosDatos) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("10");
    EXPECT_EQ(informa_x->get_text(), "Desplazamiento minimo x = 0.416");
    glui_Penetracion->user_commit("0.5");
    EXPECT_EQ(informa->get_text(), "");
    EXPECT_EQ(informa_x->get_text(), " ");
    glui_Clear->user_press();
    EXPECT_EQ(informa_x->get_text(), "Desplazamiento minimo x = 0.182");
}

TEST_F(Panel, AyudasEmpiezanApagadas) {
    for (int modo : {SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL}) {
        SCOPED_TRACE(modo);
        TearDown();
        SetUp();
        elegir(modo);
        EXPECT_FALSE(glui_Ayudas->is_open()) << "the panel looks as without the aids";
        EXPECT_EQ(glui_CBase->get_int_val(), 0);
        EXPECT_EQ(glui_CEvolvente->get_int_val(), 0);
        EXPECT_EQ(C_Base_ON, 0);
        EXPECT_EQ(C_Evolvente_ON, 0);
        EXPECT_EQ(glui_Velocidad->selected_text(), "x1");
        EXPECT_EQ(Velocidad, 1);
        std::vector<std::string> textos;
        for (auto& item : glui_Velocidad->items()) textos.push_back(item.second);
        EXPECT_EQ(textos, (std::vector<std::string>{"x1", "x2", "x5", "x10", "x50"}));
        EXPECT_FALSE(glui_Terminar->enabled()) << "no cut under way";
        EXPECT_EQ(glui_Elementos->count(), 7);
        EXPECT_FLOAT_EQ(ColorEvolvente[1], 1.0f);
        EXPECT_FLOAT_EQ(ColorEvolvente[0], 0.0f);
        EXPECT_FLOAT_EQ(ColorCirBase[0], 1.0f) << "a magenta, apart from the white pitch circle";
        EXPECT_LT(ColorCirBase[1], 0.5f);
        EXPECT_FLOAT_EQ(ColorCirBase[2], 1.0f);
        EXPECT_EQ(glui_CFantasma->get_int_val(), 0) << "no comparison at start";
        EXPECT_EQ(C_Fantasma_ON, 0);
    }
}

TEST_F(Panel, ColoresDeLasAyudasEnLaLista) {
    elegir(SIMULACION_EXPERIMENTAL);
    EXPECT_FALSE(glui_C_Base->enabled()) << "no overlay shown, no colour of it to choose";
    EXPECT_FALSE(glui_Evolvente->enabled());
    EXPECT_TRUE(glui_C_Paso->enabled());
    glui_Elementos->user_select(5);
    EXPECT_EQ(glui_Elementos->get_int_val(), 0) << "an entry switched off cannot be chosen";
    EXPECT_EQ(QueObjeto, 0);
    glui_CBase->user_toggle();
    EXPECT_EQ(C_Base_ON, 1);
    EXPECT_TRUE(glui_C_Base->enabled());
    EXPECT_FALSE(glui_Evolvente->enabled());
    glui_CEvolvente->user_toggle();
    EXPECT_TRUE(glui_Evolvente->enabled());
    glui_Elementos->user_select(5);
    EXPECT_FLOAT_EQ(glui_Rojo->get_float_val(), ColorCirBase[0]);
    glui_Azul->user_set(0.5f);
    EXPECT_FLOAT_EQ(ColorCirBase[2], 0.5f);
    glui_Elementos->user_select(6);
    EXPECT_FLOAT_EQ(glui_Verde->get_float_val(), 1.0f);
    glui_Rojo->user_set(0.25f);
    EXPECT_FLOAT_EQ(ColorEvolvente[0], 0.25f);
    EXPECT_FLOAT_EQ(ColorCirBase[0], MAGENTA[0]) << "each entry edits its own colour";
    glui_Elementos->user_select(1);
    glui_Verde->user_set(0.5f);
    EXPECT_FLOAT_EQ(ColorEngranaje[1], 0.5f) << "the former entries keep their colours";
    EXPECT_FLOAT_EQ(ColorEvolvente[1], 1.0f);

    // Switching off the selected entry hands the selection, and the spinners, to the background.
    glui_Elementos->user_select(6);
    ColorFondo[1] = 0.125f;
    glui_CEvolvente->user_toggle();
    EXPECT_FALSE(glui_Evolvente->enabled());
    EXPECT_EQ(glui_Elementos->get_int_val(), 0);
    EXPECT_EQ(QueObjeto, 0);
    EXPECT_FLOAT_EQ(glui_Verde->get_float_val(), 0.125f);
    glui_CBase->user_toggle();
    EXPECT_FALSE(glui_C_Base->enabled());
    EXPECT_EQ(QueObjeto, 0);
    // An entry switched off that is not selected leaves the selection alone.
    glui_CBase->user_toggle();
    glui_Elementos->user_select(2);
    glui_CBase->user_toggle();
    EXPECT_EQ(QueObjeto, 2);
}

TEST_F(Panel, TituloDeLaVentanaPrincipalSegunElModo) {
    elegir(SIMULACION_ESTANDAR);
    idle();
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion estandar");
    v_glui_control(1180);
    elegir(SIMULACION_EXPERIMENTAL);
    idle();
    EXPECT_EQ(ventanas.titulos.back(), "Ortanel - Simulacion experimental");
    EXPECT_EQ(glui->title(), "Ortanel") << "the dialog keeps the program's name";
}

TEST_F(Panel, SocavacionSegunElCoeficiente) {
    // Warn when x = -Penetracion / m is below 1 - (Z/2)·sin²α, whatever Z and the module.
    elegir(SIMULACION_ESTANDAR);
    struct Caso { const char* modulo; const char* z; const char* x; bool aviso; };
    for (Caso c : {Caso{"1.00", "20", "-0.3", true}, Caso{"1.00", "20", "-0.1", false},
                   Caso{"2.00", "14", "0.1", true}, Caso{"2.00", "14", "0.2", false},
                   Caso{"5.00", "30", "-0.8", true}, Caso{"5.00", "30", "-0.7", false}}) {
        int indice = -1;
        for (int i = 0; i < NUM_MODULOS; ++i)
            if (std::string(MODULO[i]) == c.modulo) indice = i;
        ASSERT_GE(indice, 0) << c.modulo;
        glui_Modulo->user_select(indice);
        glui_Dientes->user_commit(c.z);
        glui_Penetracion->user_commit(c.x);
        EXPECT_EQ(informa->get_text(), c.aviso ? TEXTO_SOCAVACION : "") << c.modulo << " " << c.z << " " << c.x;
    }
}

// The measured tooth is built on a worker thread once the cut ends: wait for the build, then
// let a frame show it.
namespace {
void medido_al_terminar() {
    esperar_tallado();
    idle();
}
}  // namespace

TEST_F(Panel, EspesorMedidoAlTerminar) {
    struct Caso { int modo; const char* z; const char* x; double teorico; };
    for (Caso c : {Caso{SIMULACION_ESTANDAR, "14", "0", 1.571}, Caso{SIMULACION_ESTANDAR, "20", "0.5", 1.935},
                   Caso{SIMULACION_EXPERIMENTAL, "14", "0", 1.571}}) {
        SCOPED_TRACE(c.z);
        TearDown();
        SetUp();
        elegir(c.modo);
        glui_Dientes->user_commit(c.z);
        if (c.modo == SIMULACION_ESTANDAR) glui_Penetracion->user_commit(c.x);
        EXPECT_EQ(informa_espesor->get_text(), "");
        glui_AutoOnOff->user_press();
        for (int i = 0; i < 100; ++i) idle();
        EXPECT_EQ(informa_espesor->get_text(), "") << "not while the cut is under way";
        glui_Terminar->user_press();
        medido_al_terminar();
        double medido = 0, teorico = 0;
        ASSERT_EQ(std::sscanf(informa_espesor->get_text().c_str(), "Espesor en la primitiva: %lf (teorico %lf)", &medido,
                              &teorico), 2)
            << informa_espesor->get_text();
        EXPECT_NEAR(teorico, c.teorico, 5e-4);
        EXPECT_NEAR(medido, teorico, 0.02) << "the cut tooth is the textbook one";
        EXPECT_EQ(informa_espesor->get_text(), texto_espesor(medido, teorico));
        // Gone on "<< Anterior" and on "Reiniciar".
        glui_Ant->user_press();
        idle();
        EXPECT_EQ(informa_espesor->get_text(), "");
        glui_Terminar->user_press();
        medido_al_terminar();
        EXPECT_NE(informa_espesor->get_text(), "");
        glui_Clear->user_press();
        EXPECT_EQ(informa_espesor->get_text(), "");
    }
    EXPECT_EQ(texto_espesor(1.5708, 1.5708), "Espesor en la primitiva: 1.571 (teorico 1.571)");
}

// The progress under the motion buttons follows the cut, stays at its end and goes back
// with "Nuevo corte"; the speed list sits beside "Automatico".
TEST_F(Panel, ProgresoYVelocidadJuntoALosBotones) {
    elegir(SIMULACION_ESTANDAR);
    EXPECT_EQ(glui_Velocidad->parent(), glui_AutoOnOff->parent()) << "in the motion buttons' columns";
    EXPECT_EQ(glui_Progreso->parent(), glui_boton);
    EXPECT_EQ(glui_Progreso->text(), "0 de 360 grados - paso 0");
    EXPECT_EQ(glui_Progreso->fraction(), 0.0f);
    // Ten approach moves, the start of the rolling, four rolling steps.
    for (int i = 0; i < 15; ++i) {
        glui_Sig->user_press();
        idle();
    }
    EXPECT_EQ(glui_Progreso->text(), "4 de 360 grados - paso 4");
    EXPECT_FLOAT_EQ(glui_Progreso->fraction(), 4.0f / 360);
    glui_Terminar->user_press();
    EXPECT_EQ(glui_Progreso->text(), "360 de 360 grados - paso 361") << "the last step passes 360 degrees";
    EXPECT_EQ(glui_Progreso->fraction(), 1.0f);
    for (int i = 0; i < 5; ++i) idle();
    EXPECT_EQ(glui_Progreso->text(), "360 de 360 grados - paso 361") << "kept at the end";
    glui_NuevoCorte->user_press();
    EXPECT_EQ(glui_Progreso->text(), "0 de 360 grados - paso 0");
    glui_Giro->user_commit("5");
    glui_AutoOnOff->user_press();
    idle();
    glui_Terminar->user_press();
    EXPECT_EQ(glui_Progreso->text(), "360 de 360 grados - paso 73");
}

// The pointed tooth: below 0.4 m on the tip circle, in both simulations, once the cut ends.
TEST_F(Panel, DientePuntiagudoEnAmbosLados) {
    EXPECT_EQ(texto_punta(0.399, 1), "Diente puntiagudo: espesor en la cabeza 0.399 (0.40 m)");
    EXPECT_EQ(texto_punta(0.401, 1), "");
    EXPECT_NE(texto_punta(0.79, 2), "");
    EXPECT_EQ(texto_punta(0.81, 2), "");
    auto puntiagudo = [] {
        for (const std::string& a : avisos_dibujo())
            if (a.rfind("Diente puntiagudo", 0) == 0) return true;
        return false;
    };
    struct Caso { const char* x; bool aviso; };
    for (Caso c : {Caso{"0.4", false}, Caso{"0.5", true}}) {  // 0.416 m and 0.349 m at Z 14
        SCOPED_TRACE(c.x);
        TearDown();
        SetUp();
        elegir(SIMULACION_ESTANDAR);
        glui_Penetracion->user_commit(c.x);
        EXPECT_FALSE(puntiagudo());
        glui_AutoOnOff->user_press();
        idle();
        EXPECT_FALSE(puntiagudo()) << "not while the cut is under way";
        glui_Terminar->user_press();
        medido_al_terminar();
        EXPECT_EQ(puntiagudo(), c.aviso);
        glui_NuevoCorte->user_press();
        EXPECT_FALSE(puntiagudo());
    }
    // The experimental simulation measures its own cut: a tip diameter of 17 on the default rack.
    TearDown();
    SetUp();
    elegir(SIMULACION_EXPERIMENTAL);
    glui_RCabeza->user_commit("17.4");
    glui_AutoOnOff->user_press();
    idle();
    glui_Terminar->user_press();
    medido_al_terminar();
    EXPECT_TRUE(puntiagudo());
    EXPECT_EQ(informa_cabeza->get_text().rfind("Espesor en la cabeza: ", 0), 0u);
}

// The corner's warnings stand beside the legend while there is room between them, under it
// in a narrow drawing; with no legend they start at the top.
TEST_F(Panel, AvisosJuntoALaLeyendaOBajoElla) {
    // Legend to 200 px, warnings 300 px wide, a gap of 20: 520 px are enough, 519 are not.
    EXPECT_EQ(renglon_avisos(520, 200, 2, 300, 20), 0);
    EXPECT_EQ(renglon_avisos(519, 200, 2, 300, 20), 2);
    EXPECT_EQ(renglon_avisos(300, 200, 3, 300, 20), 3) << "under every line of the legend";
    EXPECT_EQ(renglon_avisos(300, 0, 0, 300, 20), 0) << "no legend";
}

// The experimental simulation warns of undercut from the rack it uses: its tips' reach inside
// the pitch circle, less the ISO tip rounding, against Rp·sin²α for either flank angle.
TEST_F(Panel, SocavacionExperimentalSegunLaCremallera) {
    elegir(SIMULACION_EXPERIMENTAL);
    auto lineas = [] { return avisos_dibujo(); };
    // Tips 1.25 inside the pitch circle of radius 7: 1.25 - 7·sin²20° = 0.431 modules too far.
    EXPECT_EQ(lineas(), (std::vector<std::string>{"EXISTE SOCAVACION DEL DIENTE", "Desplazamiento minimo x = 0.431"}));
    EXPECT_EQ(informa->get_text(), "") << "the dialog's line stays empty";
    // The textbook tip rounding 0.38 m leaves straight flanks 1 m long: the standard 0.181.
    glui_radio->user_commit("0.38");
    EXPECT_EQ(lineas().at(1), "Desplazamiento minimo x = 0.181");
    glui_radio->user_commit("0");
    glui_RBase->user_commit("12.3");  // reach 0.85
    EXPECT_TRUE(socava_cremallera());
    glui_RBase->user_commit("12.4");  // reach 0.80, under 0.819
    EXPECT_FALSE(socava_cremallera());
    EXPECT_TRUE(lineas().empty());
    // A second flank of 15 degrees reaches past its own, nearer, interference point.
    glui_C_Asimetria->user_toggle();
    glui_Angulo_2->user_commit("15");
    EXPECT_TRUE(socava_cremallera());
    EXPECT_NEAR(desplazamiento_minimo_cremallera(), 0.8 - 7 * std::pow(std::sin(15 * M_PI / 180), 2), 1e-4);
}

// Experimental data that contradict each other are named, with what is cut of them.
TEST_F(Panel, DatosExperimentalesIncoherentes) {
    elegir(SIMULACION_EXPERIMENTAL);
    EXPECT_TRUE(texto_incoherencia().empty());
    glui_Dientes->user_commit("123");
    glui_Modulo_T->user_commit("1");
    EXPECT_EQ(texto_incoherencia(), (std::vector<std::string>{"Datos incoherentes: d/Z = 0.114, modulo 1.000",
                                                              "Se talla con m = 1.000: d/m = 14.0 dientes"}));
    auto a = avisos_dibujo();
    EXPECT_NE(std::find(a.begin(), a.end(), "Se talla con m = 1.000: d/m = 14.0 dientes"), a.end());
    glui_Dientes->user_commit("20");  // the rack takes the pitch of d/Z; the module typed stays 1
    EXPECT_EQ(texto_incoherencia(), (std::vector<std::string>{"Datos incoherentes: d/Z = 0.700, modulo 1.000",
                                                              "Se talla con m = 0.700: d/m = 20.0 dientes"}));
    glui_Modulo_T->user_commit("0.7");  // corrected to the least module, 1
    glui_RPaso->user_commit("20");
    EXPECT_NEAR(Paso / PI, 1.0, 1e-6);
    EXPECT_TRUE(texto_incoherencia().empty()) << "d = 20, Z = 20, m = 1";
}

// The previous finished cut, compared: its data in the read-out and a line in the legend
// while "Comparar con el corte anterior" is ticked.
TEST_F(Panel, CorteAnteriorEnLaLectura) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    glui_AutoOnOff->user_press();
    idle();
    glui_NuevoCorte->user_press();
    EXPECT_FALSE(hay_corte_anterior()) << "a cut left unfinished is not kept";
    glui_AutoOnOff->user_press();
    idle();
    glui_Terminar->user_press();
    glui_NuevoCorte->user_press();
    ASSERT_TRUE(hay_corte_anterior());
    EXPECT_EQ(informa_anterior->get_text(), "") << "not compared until asked";
    glui_Dientes->user_commit("14");
    glui_CFantasma->user_toggle();
    EXPECT_EQ(informa_anterior->get_text(), "Corte anterior: Z 20, m 1, x 0.000, De 22.00");
    auto l = leyenda();
    ASSERT_FALSE(l.empty());
    EXPECT_STREQ(l.back().texto, "Corte anterior");
    EXPECT_EQ(l.back().color, COLOR_FANTASMA);
    EXPECT_FALSE(fantasma_actual().empty());
    glui_CFantasma->user_toggle();
    EXPECT_EQ(informa_anterior->get_text(), "");
    EXPECT_STRNE(leyenda().back().texto, "Corte anterior");
    // "Reiniciar" after a finished cut keeps that one for comparing.
    glui_AutoOnOff->user_press();
    idle();
    glui_Terminar->user_press();
    glui_Clear->user_press();
    glui_CFantasma->user_toggle();
    EXPECT_EQ(informa_anterior->get_text(), "Corte anterior: Z 14, m 1, x 0.000, De 16.00");
}

namespace {

// What a control shows: its value, whether it takes input, its name or text.
struct Aspecto {
    int entero;
    float real;
    bool habilitado;
    std::string texto;
    bool operator==(const Aspecto& o) const {
        return entero == o.entero && (real == o.real || (std::isnan(real) && std::isnan(o.real))) &&
               habilitado == o.habilitado && texto == o.texto;
    }
};

std::vector<Aspecto> aspecto(GLUI* w) {
    std::vector<Aspecto> r;
    for (GLUI_Control* c : controles(w)) {
        std::string texto = c->get_name();
        if (c->kind() == K::EditText) texto += "|" + static_cast<GLUI_EditText*>(c)->get_text();
        r.push_back({c->get_int_val(), c->get_float_val(), c->enabled(), texto});
    }
    return r;
}

}  // namespace

// The panel in each of the two simulations.
class PanelModo : public Programa, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        Programa::SetUp();
        elegir(GetParam());
    }
    bool estandar() const { return GetParam() == SIMULACION_ESTANDAR; }
    void teclear(GLUI_EditText* e, const char* texto) {
        if (e) e->user_commit(texto);
    }
    void cuadros(int n) {
        for (int i = 0; i < n; ++i) idle();
    }

    // The panel shows the model and nothing else: every control the sync keeps, scrambled, comes
    // back as it was from the model alone.
    void muestra_el_modelo(const std::string& tras) {
        SCOPED_TRACE("after " + tras);
        std::vector<Aspecto> antes = aspecto(v_glui);
        sincronizar_panel();
        ASSERT_TRUE(aspecto(v_glui) == antes) << "the panel differed from the model";
        for (auto& c : v_glui->controls()) {
            const EstadoPanel::Valor* v = valor_de(c->get_id());
            if (!v || c->get_id() < 0) continue;
            c->GLUI_Control::set_int_val(v->entero + 7);
            c->GLUI_Control::set_float_val(v->real + 7.5f);
        }
        for (GLUI_Control* c : std::initializer_list<GLUI_Control*>{
                 glui_Dientes, glui_Modulo, glui_Modulo_T, glui_RPaso, glui_RCabeza, glui_RBase, glui_Angulo,
                 glui_Penetracion, glui_Giro, glui_iso, glui_ISO, glui_radio, glui_depresion, glui_asimetrico,
                 glui_C_Asimetria, glui_Angulo_2, glui_circular, glui_C_Flecha, glui_Flecha, glui_Sig, glui_Ant,
                 glui_AutoOnOff, glui_NuevoCorte, glui_Terminar})
            if (c) c->enabled() ? c->disable() : c->enable();
        for (GLUI_Checkbox* c : {glui_ISO, glui_C_Asimetria, glui_C_Flecha, glui_CPaso, glui_CFondo, glui_CBase,
                                 glui_CEvolvente, glui_CFantasma})
            if (c) c->GLUI_Control::set_int_val(1 - c->get_int_val());
        for (GLUI_StaticText* t : {informa, informa_x, informa_espesor, informa_cabeza, informa_anterior})
            if (t) t->set_text("?");
        glui_AutoOnOff->set_name("?");
        glui_Progreso->set_progress(0.5f, "?");
        for (GLUI_RadioButton* e : {glui_C_Base, glui_Evolvente}) e->enabled() ? e->disable() : e->enable();
        sincronizar_panel();
        std::vector<Aspecto> despues = aspecto(v_glui);
        ASSERT_EQ(despues.size(), antes.size());
        auto v = controles(v_glui);
        for (size_t i = 0; i < antes.size(); ++i)
            EXPECT_TRUE(despues[i] == antes[i]) << "control " << i << " \"" << v[i]->get_name() << "\"";
    }
};

TEST_P(PanelModo, MuestraElModeloTrasCadaOrden) {
    muestra_el_modelo("opening");
    teclear(glui_Dientes, "10");
    muestra_el_modelo("teeth with undercut");
    teclear(glui_Penetracion, "0.5");
    muestra_el_modelo("shift");
    teclear(glui_RPaso, "1e30");
    muestra_el_modelo("a refused diameter");
    teclear(glui_Angulo_2, "25");
    muestra_el_modelo("second angle");
    teclear(glui_radio, "0.2");
    muestra_el_modelo("tip radius");
    teclear(glui_Flecha, "0.1");
    muestra_el_modelo("sag");
    glui_CBase->user_toggle();
    glui_Elementos->user_select(OBJETO_CIRC_BASE);
    muestra_el_modelo("base circle's colour chosen");
    glui_Rojo->user_set(0.25f);
    glui_CBase->user_toggle();
    muestra_el_modelo("base circle off");
    glui_Sig->user_press();
    cuadros(3);
    muestra_el_modelo("first steps");
    glui_AutoOnOff->user_press();
    cuadros(40);
    muestra_el_modelo("automatic");
    glui_AutoOnOff->user_press();
    muestra_el_modelo("manual");
    glui_Terminar->user_press();
    muestra_el_modelo("the cut ended");
    glui_Ant->user_press();
    cuadros(2);
    muestra_el_modelo("a step back from the end");
    glui_NuevoCorte->user_press();
    muestra_el_modelo("new cut");
    glui_Clear->user_press();
    muestra_el_modelo("reset");
}

// The warning under a refused value: the least shift shown with it is the one of the data kept.
TEST_F(Panel, UnValorRechazadoDejaElAvisoEntero) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("10");
    std::string aviso = informa->get_text(), minimo = informa_x->get_text();
    ASSERT_EQ(aviso, TEXTO_SOCAVACION);
    glui_Dientes->user_commit("600");
    EXPECT_TRUE(glui_Dientes->recently_refused());
    EXPECT_EQ(informa->get_text(), aviso);
    EXPECT_EQ(informa_x->get_text(), minimo);
}

INSTANTIATE_TEST_SUITE_P(Modos, PanelModo, ::testing::Values(SIMULACION_ESTANDAR, SIMULACION_EXPERIMENTAL),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(i.param == SIMULACION_ESTANDAR ? "Estandar" : "Experimental");
                         });

// A panel of the other mode after "Salir": the closed panel's controls are gone, and no handle
// of the new panel points at one of them.
TEST_F(Panel, OtroModoTrasSalirSinControlesViejos) {
    elegir(SIMULACION_EXPERIMENTAL);
    static_cast<GLUI_Button*>(control(v_glui, "Salir"))->user_press();
    GLUI_Master.idle_tick();
    elegir(SIMULACION_ESTANDAR);
    for (GLUI_Control* c : std::initializer_list<GLUI_Control*>{glui_iso, glui_radio, glui_depresion, glui_asimetrico,
                                                                 glui_Angulo_2, glui_circular, glui_Flecha, glui_Modulo_T})
        EXPECT_EQ(c, nullptr);
    glui_Dientes->user_commit("20");
    EXPECT_EQ(Z, 20.0f);
    static_cast<GLUI_Button*>(control(v_glui, "Salir"))->user_press();
    GLUI_Master.idle_tick();
    elegir(SIMULACION_EXPERIMENTAL);
    EXPECT_EQ(glui_Modulo, nullptr);
    EXPECT_EQ(informa_x, nullptr);
}
