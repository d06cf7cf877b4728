// A long run of random user actions on the panel and the start dialog, with idle
// ticks between them: buttons ("Salir" and "Reiniciar" included), typed values good and
// bad, list choices, check boxes, colours, drags. Built with the sanitizers it finds any
// use of a freed control; the state stays finite and the motion within its history.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "nucleo/callbacks.h"
#include "nucleo/estado.h"
#include "nucleo/guardar.h"
#include "nucleo/movimiento.h"
#include "nucleo/tallado.h"
#include "prueba.h"

namespace {

const char* const TEXTOS[] = {"14", "20", "3", "0", "-5", "1e5", "3e38", "3.4e38", "-3e38", "1e-30", "0.25", "2a0",
                              "1-2", "", "abc", "inf", "nan", "7", "100", "0.5", "-0.2", "1e39", "25", "2147483647"};

class Azar : public Programa {
protected:
    std::mt19937 azar{20261208};
    std::vector<GLUI_Control*> de(GLUI* w, GLUI_Kind k) {
        std::vector<GLUI_Control*> v;
        for (auto& c : w->controls())
            if (c->kind() == k) v.push_back(c.get());
        return v;
    }
    template <class T>
    T* uno(GLUI* w, GLUI_Kind k) {
        auto v = de(w, k);
        return v.empty() ? nullptr : static_cast<T*>(v[azar() % v.size()]);
    }
    int n(int hasta) { return static_cast<int>(azar() % static_cast<unsigned>(hasta)); }

    void accion_panel() {
        switch (n(12)) {
            case 0: case 1: case 2: {
                auto* b = uno<GLUI_Button>(v_glui, GLUI_Kind::Button);
                // "Salir" and "Reiniciar" a little less often than the step buttons.
                // "Guardar" would fill the directory with files: the export has tests of its own.
                if (b && b->get_id() != ID_GUARDAR && (b->get_id() < 1170 || n(8) == 0)) b->user_press();
                break;
            }
            case 3: case 4: {
                auto* e = uno<GLUI_EditText>(v_glui, GLUI_Kind::EditText);
                if (e) e->user_commit(TEXTOS[n(static_cast<int>(std::size(TEXTOS)))]);
                break;
            }
            case 5: {
                // Typing left by Tab, a click elsewhere, or Escape.
                auto* e = uno<GLUI_EditText>(v_glui, GLUI_Kind::EditText);
                if (!e) break;
                e->begin_edit();
                e->edit(TEXTOS[n(static_cast<int>(std::size(TEXTOS)))]);
                if (n(3) == 0) e->cancel();
                else v_glui->focus_now(n(2) ? nullptr : uno<GLUI_Control>(v_glui, GLUI_Kind::Button));
                break;
            }
            case 6:
                if (glui_Modulo && QueSimula == SIMULACION_ESTANDAR) {
                    if (n(4) == 0) {
                        glui_Modulo->set_int_val(n(40) - 20);  // an index from outside the list
                        v_glui_control(1070);
                    } else {
                        glui_Modulo->user_select(n(NUM_MODULOS));
                    }
                }
                break;
            case 7:
                if (auto* c = uno<GLUI_Checkbox>(v_glui, GLUI_Kind::Checkbox)) c->user_toggle();
                break;
            case 8:
                if (auto* g = uno<GLUI_RadioGroup>(v_glui, GLUI_Kind::RadioGroup)) g->user_select(n(6));
                break;
            case 9:
                if (auto* s = uno<GLUI_Spinner>(v_glui, GLUI_Kind::Spinner)) s->user_set(n(300) / 100.0f - 1.0f);
                break;
            case 10:
                if (auto* t = uno<GLUI_Translation>(v_glui, GLUI_Kind::Translation)) t->user_drag(n(41) - 20, n(41) - 20);
                break;
            default:
                if (auto* r = uno<GLUI_Rollout>(v_glui, GLUI_Kind::Rollout)) r->is_open() ? r->close() : r->open();
                break;
        }
    }

    void comprobar() {
        const float valores[] = {Z, Rp, Rc, Rb, Paso, Origen, C_Paso_Y, C_Y, C_X, E_angulo, trans[0], trans[1], trans[2]};
        const char* const nombres[] = {"Z", "Rp", "Rc", "Rb", "Paso", "Origen", "C_Paso_Y", "C_Y", "C_X", "E_angulo",
                                       "trans[0]", "trans[1]", "trans[2]"};
        for (size_t i = 0; i < std::size(valores); ++i) ASSERT_TRUE(std::isfinite(valores[i])) << nombres[i];
        ASSERT_GE(Conta_h, 1);
        ASSERT_LE(static_cast<size_t>(Conta_h), C_Historia_X.size());
        if (v_glui) {
            ASSERT_NE(Origen, 0.0f) << "a view of no size";
            ASSERT_FALSE(glui->visible());
        } else {
            ASSERT_TRUE(glui->visible());
            ASSERT_EQ(Movimiento, 0) << "a step request outlived the panel";
        }
    }
};

}  // namespace

TEST_F(Azar, UnMillonDeAcciones) {
    GLUI_Master.set_glutIdleFunc(idle);
    calcular_tallado(false);
    long eventos = 0;
    while (eventos < 1000000) {
        if (v_glui == nullptr) {
            if (n(3) == 0) elegir(n(2) ? SIMULACION_ESTANDAR : SIMULACION_EXPERIMENTAL);
        } else {
            // Several actions may come between two ticks, as in a burst of clicks.
            for (int i = n(3); i >= 0 && v_glui; --i) {
                accion_panel();
                ++eventos;
            }
        }
        GLUI_Master.idle_tick();
        ++eventos;
        comprobar();
        if (HasFatalFailure()) return;
    }
}
