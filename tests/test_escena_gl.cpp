// The scene drawn by GL into a real window under Xvfb, read back pixel by pixel.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frente/escena_gl.h"
#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/corte_anterior.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "nucleo/panel.h"
#include "prueba.h"

namespace {

constexpr int LADO = 660;
int ventana_gl = 0;

struct Color {
    int r, g, b;
};

class EscenaGL : public Programa {
protected:
    std::vector<unsigned char> pixeles;
    void SetUp() override {
        Programa::SetUp();
        glutSetWindow(ventana_gl);
        glViewport(0, 0, LADO, LADO);
    }
    void dibujar() {
        glClearColor(ColorFondo[0], ColorFondo[1], ColorFondo[2], 1);
        dibujar_escena();
        glFinish();
        pixeles.assign(LADO * LADO * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, LADO, LADO, GL_RGB, GL_UNSIGNED_BYTE, pixeles.data());
    }
    // The colour drawn at a point of the scene.
    Color en(double x, double y) const {
        CajaVista c = caja_proyeccion(Origen, trans, LADO, LADO);
        int px = static_cast<int>((x - c.izquierda) / (c.derecha - c.izquierda) * LADO);
        int py = static_cast<int>((y - c.abajo) / (c.arriba - c.abajo) * LADO);
        if (px < 0 || py < 0 || px >= LADO || py >= LADO) return {-1, -1, -1};
        const unsigned char* p = &pixeles[static_cast<size_t>((py * LADO + px) * 3)];
        return {p[0], p[1], p[2]};
    }
    static bool es(Color c, int r, int g, int b) {
        return std::abs(c.r - r) < 8 && std::abs(c.g - g) < 8 && std::abs(c.b - b) < 8;
    }
    // Whether a colour shows within a small square around the point (for one-pixel lines).
    bool cerca_hay(double x, double y, int r, int g, int b) const {
        for (double dx = -0.1; dx <= 0.1; dx += 0.025)
            for (double dy = -0.1; dy <= 0.1; dy += 0.025)
                if (es(en(x + dx, y + dy), r, g, b)) return true;
        return false;
    }
    // Runs of remaining material met going once round a circle.
    int dientes_en(double radio) const {
        int tramos = 0;
        bool antes = false, primero = false;
        for (int i = 0; i < 3600; ++i) {
            double a = i * 2 * M_PI / 3600;
            bool material = !es(en(radio * std::cos(a), radio * std::sin(a)), 0, 0, 0);
            if (i == 0) primero = material;
            else if (material && !antes) ++tramos;
            antes = material;
        }
        if (primero && !antes) ++tramos;
        return tramos;
    }
    void cortar_todo() {
        glui_AutoOnOff->user_press();
        for (int n = 0; n < 20000 && C_Mueve != TERMINADO; ++n) idle();
    }
};

}  // namespace

TEST_F(EscenaGL, AntesDeRodar) {
    elegir(SIMULACION_ESTANDAR);
    dibujar();
    EXPECT_TRUE(es(en(0, 7.6), 255, 0, 0)) << "blank";
    EXPECT_TRUE(es(en(-7.6, 0), 255, 0, 0));
    EXPECT_TRUE(es(en(0, 0), 0, 0, 0)) << "hole";
    EXPECT_TRUE(es(en(0.5, 0.3), 0, 0, 0)) << "hole, a tenth of the radius";
    EXPECT_TRUE(es(en(1.2, 0), 255, 0, 0));
    EXPECT_TRUE(es(en(8.3, 0), 0, 0, 0)) << "outside the blank";
    EXPECT_TRUE(cerca_hay(7, 0, 255, 255, 255)) << "pitch circle";
    EXPECT_TRUE(cerca_hay(0, -7, 255, 255, 255));
    EXPECT_TRUE(cerca_hay(-5.75, 0, 255, 255, 0)) << "root circle";
    EXPECT_TRUE(es(en(0, -7.9), 255, 0, 0)) << "no cut yet";
    EXPECT_TRUE(es(en(0, -13), 0, 0, 255)) << "rack body";
    EXPECT_TRUE(es(en(0, -11.5), 0, 0, 255)) << "rack tooth 0";
    EXPECT_TRUE(es(en(M_PI / 2, -11.5), 0, 0, 0)) << "tooth space";
    EXPECT_TRUE(es(en(M_PI, -11.5), 0, 0, 255)) << "tooth 1";
    EXPECT_TRUE(es(en(0, -15), 0, 0, 0)) << "below the body strip";
}

TEST_F(EscenaGL, SinCircunferencias) {
    elegir(SIMULACION_ESTANDAR);
    glui_CPaso->user_toggle();
    glui_CFondo->user_toggle();
    dibujar();
    EXPECT_FALSE(cerca_hay(7, 0, 255, 255, 255));
    EXPECT_FALSE(cerca_hay(-5.75, 0, 255, 255, 0));
    EXPECT_TRUE(es(en(7, 0), 255, 0, 0));
}

TEST_F(EscenaGL, LaHistoriaBorraElDisco) {
    elegir(SIMULACION_ESTANDAR);
    glui_AutoOnOff->user_press();
    for (int i = 0; i < 15; ++i) idle();  // ten approach steps, a transition, four rolling steps
    ASSERT_EQ(Conta_h, 5);
    dibujar();
    EXPECT_TRUE(es(en(C_X, -7.0), 0, 0, 255)) << "the rack itself, at full depth";
    C_Y = 0;  // the rack withdrawn: what it cut shows
    dibujar();
    EXPECT_TRUE(es(en(0, -7.5), 0, 0, 0)) << "erased where the rack stood";
    EXPECT_TRUE(es(en(-1.2, -6.4), 255, 0, 0)) << "a tooth left between two spaces";
    EXPECT_TRUE(es(en(0, 7.5), 255, 0, 0)) << "untouched above";
}

TEST_F(EscenaGL, DiscoMayorConDesplazamientoPositivo) {
    elegir(SIMULACION_ESTANDAR);
    dibujar();
    EXPECT_TRUE(es(en(8.3, 0), 0, 0, 0));
    glui_Penetracion->user_commit("0.5");
    ASSERT_FLOAT_EQ(Penetracion, -0.5f);
    dibujar();
    EXPECT_TRUE(es(en(8.3, 0), 255, 0, 0)) << "blank of radius Rc - Penetracion";
    EXPECT_TRUE(es(en(8.7, 0), 0, 0, 0));
}

TEST_F(EscenaGL, CorteCompletoCatorceYVeinteDientes) {
    elegir(SIMULACION_ESTANDAR);
    cortar_todo();
    ASSERT_EQ(C_Mueve, TERMINADO);
    dibujar();
    EXPECT_EQ(dientes_en(6.5), 14);
    EXPECT_TRUE(es(en(0, 0), 0, 0, 0));

    glui_Clear->user_press();
    glui_Dientes->user_commit("20");
    cortar_todo();
    dibujar();
    EXPECT_EQ(dientes_en(9.5), 20);
}

TEST_F(EscenaGL, CircunferenciaBase) {
    elegir(SIMULACION_ESTANDAR);
    double rb = 7 * std::cos(20 * M_PI / 180);  // 6.578
    dibujar();
    for (double a : {0.3, 1.9, 4.0}) EXPECT_FALSE(cerca_hay(rb * std::cos(a), rb * std::sin(a), 255, 89, 255));
    glui_CBase->user_toggle();
    dibujar();
    for (double a : {0.3, 1.9, 4.0}) {
        EXPECT_TRUE(cerca_hay(rb * std::cos(a), rb * std::sin(a), 255, 89, 255)) << a;
        EXPECT_TRUE(es(en(6.3 * std::cos(a), 6.3 * std::sin(a)), 255, 0, 0)) << "a line, not a disc";
    }
    // Its radius follows the pressure angle.
    glui_Angulo->user_commit("30");
    dibujar();
    double rb30 = 7 * std::cos(30 * M_PI / 180);  // 6.062
    EXPECT_TRUE(cerca_hay(0, rb30, 255, 89, 255));
    EXPECT_FALSE(cerca_hay(0, rb, 255, 89, 255));
}

TEST_F(EscenaGL, EvolventeSobreElFlancoTallado) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    cortar_todo();
    ASSERT_EQ(C_Mueve, TERMINADO);
    // The flank of angle 20° left of the space that started straight below the centre, from the
    // textbook: a quarter pitch from the space's centre on the pitch circle, the involute above it.
    double rp = 10, rb = rp * std::cos(20 * M_PI / 180);
    double centro = (-90 + E_angulo) * M_PI / 180;
    auto inv = [](double a) { return std::tan(a) - a; };
    auto flanco = [&](double r) { return centro - (M_PI / 4) / rp - (inv(std::acos(rb / r)) - inv(20 * M_PI / 180)); };
    dibujar();
    for (double r : {rp, 10.5, 10.9}) EXPECT_FALSE(cerca_hay(r * std::cos(flanco(r)), r * std::sin(flanco(r)), 0, 255, 0));
    glui_CEvolvente->user_toggle();
    dibujar();
    for (double r : {rb + 0.05, rp, 10.5, 10.9}) {
        double a = flanco(r);
        EXPECT_TRUE(cerca_hay(r * std::cos(a), r * std::sin(a), 0, 255, 0)) << r;
        // The generated flank lies on it: material on the tooth's side, the space on the other
        // (off the pitch circle's own line).
        if (r == rp) continue;
        double d = 0.2 / r;
        EXPECT_TRUE(es(en(r * std::cos(a - d), r * std::sin(a - d)), 255, 0, 0)) << r;
        EXPECT_TRUE(es(en(r * std::cos(a + d), r * std::sin(a + d)), 0, 0, 0)) << r;
    }
    // Every flank of every tooth: 40 crossings of the pitch circle in green.
    int verdes = 0;
    bool antes = false;
    for (int i = 0; i < 7200; ++i) {
        double a = i * 2 * M_PI / 7200;
        bool verde = es(en(rp * std::cos(a), rp * std::sin(a)), 0, 255, 0);
        if (verde && !antes) ++verdes;
        antes = verde;
    }
    EXPECT_EQ(verdes, 40);
}

// The circles over the cut: the pitch circle shows across the tooth spaces too, all the way
// round; the base circle in a colour of its own, apart from the pitch circle's white.
TEST_F(EscenaGL, CircunferenciasSobreElCorte) {
    elegir(SIMULACION_ESTANDAR);
    glui_CBase->user_toggle();
    cortar_todo();
    ASSERT_EQ(C_Mueve, TERMINADO);
    dibujar();
    ASSERT_EQ(dientes_en(6.8), 14) << "spaces and teeth at the pitch circle";
    int blancos = 0, rosas = 0;
    for (int i = 0; i < 112; ++i) {
        double a = i * 2 * M_PI / 112;
        blancos += cerca_hay(7 * std::cos(a), 7 * std::sin(a), 255, 255, 255);
        double rb = 7 * std::cos(20 * M_PI / 180);
        rosas += cerca_hay(rb * std::cos(a), rb * std::sin(a), 255, 89, 255);
    }
    EXPECT_EQ(blancos, 112) << "the pitch circle all the way round";
    EXPECT_EQ(rosas, 112) << "the base circle all the way round";
    EXPECT_FALSE(es(Color{255, 89, 255}, 255, 255, 255)) << "base and pitch circles apart";
}

// The legend names each circle shown, in its colour, in the top left corner; the scale bar
// in the bottom left one is as long as its millimetres at the view's scale.
TEST_F(EscenaGL, LeyendaYBarraDeEscala) {
    elegir(SIMULACION_ESTANDAR);
    auto en_esquina = [this](int r, int g, int b) {
        int n = 0;
        for (int y = LADO - 80; y < LADO; ++y)
            for (int x = 0; x < 220; ++x) {
                const unsigned char* p = &pixeles[static_cast<size_t>((y * LADO + x) * 3)];
                n += es(Color{p[0], p[1], p[2]}, r, g, b);
            }
        return n;
    };
    dibujar();
    EXPECT_GT(en_esquina(255, 255, 255), 40) << "Circunferencia de paso";
    EXPECT_GT(en_esquina(255, 255, 0), 40) << "Circunferencia de fondo";
    EXPECT_EQ(en_esquina(255, 89, 255), 0) << "no base circle, no line for it";
    glui_CBase->user_toggle();
    glui_CPaso->user_toggle();
    dibujar();
    EXPECT_GT(en_esquina(255, 89, 255), 40);
    EXPECT_EQ(en_esquina(255, 255, 255), 0) << "the pitch circle hidden, its line gone";

    // The bar: a white run on the row 10 pixels above the bottom, from x = 10.
    auto barra = [this] {
        int x = 10;
        while (x < LADO) {
            const unsigned char* p = &pixeles[static_cast<size_t>((10 * LADO + x) * 3)];
            if (!es(Color{p[0], p[1], p[2]}, 255, 255, 255)) break;
            ++x;
        }
        return x - 10;
    };
    CajaVista c = caja_proyeccion(Origen, trans, LADO, LADO);
    BarraEscala b = barra_escala((c.derecha - c.izquierda) / LADO);
    EXPECT_EQ(b.texto, "5 mm") << "35 mm over 660 pixels";
    EXPECT_NEAR(barra(), b.pixeles, 2.0);
    // A larger module: the view fits itself, the bar tells the new scale.
    glui_Modulo->user_select(7);  // 5.00
    dibujar();
    c = caja_proyeccion(Origen, trans, LADO, LADO);
    BarraEscala b5 = barra_escala((c.derecha - c.izquierda) / LADO);
    EXPECT_EQ(b5.texto, "20 mm");
    EXPECT_NEAR(barra(), b5.pixeles, 2.0);
}

// The previous finished cut drawn over the present one at its own radii: a 20-tooth gear's
// tips (radius 11) and roots (8.75) around the present 14-tooth blank (radius 8).
TEST_F(EscenaGL, FantasmaDelCorteAnteriorEnSusRadios) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    cortar_todo();
    glui_NuevoCorte->user_press();
    glui_Dientes->user_commit("14");
    auto cian_en = [this](double r) {
        int n = 0;
        for (int i = 0; i < 720; ++i) {
            double a = i * 2 * M_PI / 720;
            n += es(en(r * std::cos(a), r * std::sin(a)), 102, 255, 255);
        }
        return n;
    };
    dibujar();
    EXPECT_EQ(cian_en(10.98), 0) << "off at start";
    glui_CFantasma->user_toggle();
    dibujar();
    EXPECT_GT(cian_en(10.98), 60) << "the previous tips, on its tip circle";
    EXPECT_GT(cian_en(8.77), 20) << "the previous roots";
    EXPECT_EQ(cian_en(11.3), 0) << "nothing past its tips";
    EXPECT_EQ(cian_en(12.5), 0);
    // Turned with the blank: the same gear cut again lies on its ghost.
    glui_Clear->user_press();
    glui_Dientes->user_commit("20");
    cortar_todo();
    dibujar();
    int sobre = 0, fuera = 0;
    for (int i = 0; i < 720; ++i) {
        double a = i * 2 * M_PI / 720;
        for (double r : {9.3, 9.8, 10.4}) {
            if (!es(en(r * std::cos(a), r * std::sin(a)), 102, 255, 255)) continue;
            // A ghost pixel on a flank: material one way and space the other along the circle.
            double d = 0.15 / r;
            bool lado1 = es(en(r * std::cos(a - d), r * std::sin(a - d)), 255, 0, 0);
            bool lado2 = es(en(r * std::cos(a + d), r * std::sin(a + d)), 255, 0, 0);
            (lado1 != lado2 ? sobre : fuera) += 1;
        }
    }
    EXPECT_GT(sobre, 40);
    EXPECT_LE(fuera, sobre / 10) << "the ghost lies on the present flanks";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(LADO, LADO);
    ventana_gl = glutCreateWindow("pruebas");
    return RUN_ALL_TESTS();
}
