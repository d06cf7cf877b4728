// The mesh drawn by GL into a real window under Xvfb, read back pixel by pixel: both partners
// where the book puts them, the line of action, the contact points.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "frente/escena_gl.h"
#include "nucleo/callbacks.h"
#include "nucleo/engrane_escena.h"
#include "nucleo/engrane_estado.h"
#include "nucleo/engrane_panel.h"
#include "nucleo/estado.h"
#include "nucleo/movimiento.h"
#include "prueba.h"

namespace {

constexpr int ANCHO = 800, ALTO = 600;
int ventana_gl = 0;

struct Color {
    int r, g, b;
};

class EngraneGL : public Programa {
protected:
    std::vector<unsigned char> pixeles;
    void SetUp() override {
        Programa::SetUp();
        glutSetWindow(ventana_gl);
        glViewport(0, 0, ANCHO, ALTO);
    }
    // The mesh switched on and its pair built (polled, with a deadline).
    const ParMostrado* engranar() {
        glui_VerEngrane->user_toggle();
        const ParMostrado* par = nullptr;
        auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (recoger_engrane(&par, nullptr) != Recogida::LISTO && std::chrono::steady_clock::now() < fin)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return par;
    }
    void dibujar() {
        glClearColor(ColorFondo[0], ColorFondo[1], ColorFondo[2], 1);
        dibujar_escena();
        glFinish();
        pixeles.assign(ANCHO * ALTO * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, ANCHO, ALTO, GL_RGB, GL_UNSIGNED_BYTE, pixeles.data());
        // ORTANEL_PRUEBA_IMAGEN=file.ppm keeps the last picture drawn, to be looked at.
        if (const char* ruta = std::getenv("ORTANEL_PRUEBA_IMAGEN")) {
            if (FILE* f = std::fopen(ruta, "wb")) {
                std::fprintf(f, "P6 %d %d 255\n", ANCHO, ALTO);
                for (int y = ALTO - 1; y >= 0; --y) std::fwrite(&pixeles[static_cast<size_t>(y * ANCHO * 3)], 1, ANCHO * 3, f);
                std::fclose(f);
            }
        }
    }
    Color en(const CajaVista& c, double x, double y) const {
        int px = static_cast<int>((x - c.izquierda) / (c.derecha - c.izquierda) * ANCHO);
        int py = static_cast<int>((y - c.abajo) / (c.arriba - c.abajo) * ALTO);
        if (px < 0 || py < 0 || px >= ANCHO || py >= ALTO) return {-1, -1, -1};
        const unsigned char* p = &pixeles[static_cast<size_t>((py * ANCHO + px) * 3)];
        return {p[0], p[1], p[2]};
    }
    static bool es(Color c, const float k[3]) {
        return std::abs(c.r - static_cast<int>(std::lround(k[0] * 255))) < 8 &&
               std::abs(c.g - static_cast<int>(std::lround(k[1] * 255))) < 8 &&
               std::abs(c.b - static_cast<int>(std::lround(k[2] * 255))) < 8;
    }
    // Whether a colour shows within a few pixels of a point (for lines and marks).
    bool cerca_hay(const CajaVista& c, double x, double y, const float k[3], int pixeles_alrededor = 3) const {
        double px = (c.derecha - c.izquierda) / ANCHO;
        for (int i = -pixeles_alrededor; i <= pixeles_alrededor; ++i)
            for (int j = -pixeles_alrededor; j <= pixeles_alrededor; ++j)
                if (es(en(c, x + i * px, y + j * px), k)) return true;
        return false;
    }
    // Pixels not of the colour k between the radii r0 and r1 of a gear centred at (cx, 0), on its
    // far side (away from the marks and names of the line of action).
    int huecos(const CajaVista& c, double cx, double r0, double r1, const float k[3]) const {
        int n = 0;
        double px = (c.derecha - c.izquierda) / ANCHO, lado = cx > 0 ? 1 : -1;
        for (double x = cx; std::fabs(x - cx) <= r1; x += lado * px)
            for (double y = -r1; y <= r1; y += px) {
                double r = std::hypot(x - cx, y);
                if (r > r0 && r < r1 && !es(en(c, x, y), k)) ++n;
            }
        return n;
    }
    CajaVista caja(const ParMostrado& p) const {
        const Engrane& e = *p.engrane;
        return caja_engrane(marco_engrane(e.teoria(), e.rueda1(), e.rueda2()), trans, ANCHO, ALTO);
    }
};

}  // namespace

// Gear 2 of 30 teeth beside the cut gear of 20, at a_w = 25 from it: its body, a tooth on the
// line of centres (its space faces gear 1's tooth at the start), the line of action through C.
TEST_F(EngraneGL, LaRuedaDosJuntoALaTalladaASuDistancia) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    glui_EngraneDientes->user_commit("30");
    const ParMostrado* par = engranar();
    ASSERT_NE(par, nullptr);
    dibujar();
    CajaVista c = caja(*par);
    ASSERT_NEAR(par->engrane->teoria().a, 25.0, 1e-9);
    const float negro[3] = {0, 0, 0};
    // Both bodies inside their root circles, off their centre holes and the drawn circles.
    for (double a : {0.5, 2.0, 4.0}) {
        EXPECT_TRUE(es(en(c, 25 + 11.5 * std::cos(a), 11.5 * std::sin(a)), COLOR_RUEDA2)) << a;
        EXPECT_TRUE(es(en(c, 7.5 * std::cos(a), 7.5 * std::sin(a)), ColorEngranaje)) << a;
    }
    EXPECT_EQ(huecos(c, 25, 2.0, 13.4, COLOR_RUEDA2), 0);
    EXPECT_EQ(huecos(c, 0, 1.5, 8.4, ColorEngranaje), 0);
    EXPECT_TRUE(es(en(c, 25, 0), negro)) << "gear 2's centre hole";
    EXPECT_TRUE(es(en(c, 0, 0), negro)) << "gear 1's centre hole";
    EXPECT_TRUE(es(en(c, 25 + 17, 0), negro)) << "beyond gear 2's tip";
    // Gear 2's teeth past its pitch circle on its far side, away from the line of action: tooth and
    // space alike, repeating every 12 degrees (30 teeth).
    auto diente = [&](double grados) {
        double a = grados * M_PI / 180;
        return es(en(c, 25 + 15.6 * std::cos(a), 15.6 * std::sin(a)), COLOR_RUEDA2);
    };
    int material = 0, distintos = 0, muestras = 0;
    for (double g = -80; g <= 68; g += 0.25, ++muestras) {
        material += diente(g);
        distintos += diente(g) != diente(g + 12);
    }
    EXPECT_GT(material, muestras / 4);
    EXPECT_LT(material, 3 * muestras / 4);
    EXPECT_LT(distintos, muestras / 25);
    // The line of action from T1 to T2, through C (its middle half, away from the marks).
    const Teoria& t = par->engrane->teoria();
    for (double f : {0.15, 0.3, 0.7, 0.85}) {
        double x = t.T1.x + f * (t.T2.x - t.T1.x), y = t.T1.y + f * (t.T2.y - t.T1.y);
        EXPECT_TRUE(cerca_hay(c, x, y, COLOR_LINEA_ENGRANE)) << f;
    }
    // The contact points found on the outlines are marked.
    const Instante& s = instante_engrane(*par);
    ASSERT_FALSE(s.contactos.empty());
    for (const Contacto& k : s.contactos) EXPECT_TRUE(cerca_hay(c, k.punto.x, k.punto.y, COLOR_CONTACTO)) << k.punto.x;
}

// The default pair, 14 and 14 teeth, turned a little: both bodies filled whole between the centre
// hole and the root circle, with no hairline between the triangles the outlines were cut into.
TEST_F(EngraneGL, CuerposSinRendijas) {
    elegir(SIMULACION_ESTANDAR);
    const ParMostrado* par = engranar();
    ASSERT_NE(par, nullptr);
    CajaVista c = caja(*par);
    for (int giro = 0; giro < 26; ++giro) {  // a pitch and a little more
        SCOPED_TRACE(giro);
        dibujar();
        EXPECT_EQ(huecos(c, 14, 1.0, 5.5, COLOR_RUEDA2), 0);
        EXPECT_EQ(huecos(c, 0, 1.0, 5.5, ColorEngranaje), 0);
        glui_Sig->user_press();
        idle();
    }
}

// Gear 1 turned: gear 2 follows by the ratio, the other way. Six degrees of gear 1 are four of
// gear 2, clockwise: its teeth on the far side stand where they stood four degrees further round.
TEST_F(EngraneGL, GiraLaRuedaDosPorLaRelacion) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    glui_EngraneDientes->user_commit("30");
    const ParMostrado* par = engranar();
    ASSERT_NE(par, nullptr);
    CajaVista c = caja(*par);
    // Gear 2's material near its tip on the far side, every half degree from -100 to 100.
    auto material = [&] {
        std::vector<bool> m;
        for (int i = -200; i <= 200; ++i) {
            double a = i * 0.5 * M_PI / 180;
            m.push_back(es(en(c, 25 + 15.6 * std::cos(a), 15.6 * std::sin(a)), COLOR_RUEDA2));
        }
        return m;
    };
    dibujar();
    std::vector<bool> antes = material();
    for (int i = 0; i < 6; ++i) glui_Sig->user_press(), idle();
    ASSERT_FLOAT_EQ(Engrane_Giro, 6.0f);
    dibujar();
    std::vector<bool> despues = material();
    // Compared over -80 to 80 degrees, with the picture of before shifted by four degrees either way.
    auto distintos = [&](int desfase) {
        int n = 0;
        for (size_t i = 40; i < antes.size() - 40; ++i)
            n += despues[i] != antes[static_cast<size_t>(static_cast<int>(i) + desfase)];
        return n;
    };
    EXPECT_LT(distintos(8), 10) << "turned clockwise by 4 degrees";
    EXPECT_GT(distintos(-8), 60) << "not counter-clockwise";
    EXPECT_GT(distintos(0), 60) << "not standing";
}

// With the rack: the rack below the cut gear with its reference line at r + x·m, in the rack's colour.
TEST_F(EngraneGL, LaCremallera) {
    elegir(SIMULACION_ESTANDAR);
    glui_Dientes->user_commit("20");
    glui_EngraneCon->user_select(1);
    const ParMostrado* par = engranar();
    ASSERT_NE(par, nullptr);
    dibujar();
    CajaVista c = caja(*par);
    for (double x : {-8.0, 0.0, 8.0}) EXPECT_TRUE(es(en(c, x, -12.0), ColorCremallera)) << "the rack's body under its root line";
    const float negro[3] = {0, 0, 0};
    EXPECT_TRUE(es(en(c, 0, 0), negro)) << "gear 1's hole";
    EXPECT_TRUE(es(en(c, 0, 8), ColorEngranaje));
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(ANCHO, ALTO);
    ventana_gl = glutCreateWindow("pruebas");
    return RUN_ALL_TESTS();
}
