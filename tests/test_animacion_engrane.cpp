// The pair in mesh as an animated GIF, read back with giflib's decoder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>

#include "exportar/animacion.h"
#include "lectura.h"
#include "nucleo/angulos.h"
#include "nucleo/animacion_engrane.h"
#include "nucleo/engrane_estado.h"
#include "nucleo/estado.h"
#include "nucleo/panel.h"
#include "nucleo/sesion.h"

namespace {

class AnimarEngrane : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        std::string plantilla = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                                "/ortanel-anim-engrane-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        dir = plantilla;
    }
    void TearDown() override {
        std::system(("rm -rf '" + dir + "'").c_str());
        GLUI_Master.reset();
        estado_inicial();
    }
    std::string en(const std::string& nombre) const { return dir + "/" + nombre; }

    // The cut of z1 teeth with gear 2 of z2 (0: the rack); null when it cannot mesh.
    const Engrane* par(const char* z1, int z2) {
        sesion_abrir(SIMULACION_ESTANDAR);
        EXPECT_EQ(sesion_fijar("dientes", z1), "");
        sesion_cortar();
        std::string fallo;
        const Engrane* e = engrane_actual(z2, 0, 0, &fallo);
        EXPECT_NE(e, nullptr) << fallo;
        return e;
    }
};

uint32_t rgb(const float c[3]) {
    auto k = [](float v) { return static_cast<uint32_t>(std::lround(v * 255.0)); };
    return k(c[0]) << 16 | k(c[1]) << 8 | k(c[2]);
}

// The pixel of a scene point (mm) in a picture `ancho` wide showing the square `v`.
uint32_t en_punto(const std::vector<uint32_t>& p, int ancho, const exportar::Caja& v, double x, double y) {
    double k = ancho / (v.xmax - v.xmin);
    int i = static_cast<int>(std::floor((x - v.xmin) * k)), j = static_cast<int>(std::floor((v.ymax - y) * k));
    return p[static_cast<size_t>(j) * static_cast<size_t>(ancho) + static_cast<size_t>(i)];
}

}  // namespace

TEST_F(AnimarEngrane, UnaVueltaDeLaMenor) {
    const Engrane* e = par("30", 12);
    ASSERT_NE(e, nullptr);
    EXPECT_NEAR(giro_animado(*e), 2 * PI * 12 / 30, 1e-12) << "one turn of gear 2, the smaller";
    e = par("14", 30);
    ASSERT_NE(e, nullptr);
    EXPECT_NEAR(giro_animado(*e), 2 * PI, 1e-12);
    e = par("14", 0);
    ASSERT_NE(e, nullptr);
    EXPECT_NEAR(giro_animado(*e), 2 * PI, 1e-12) << "gear 1 once with the rack";
    OpcionesAnimacion o;
    EXPECT_EQ(cuadros_del_engrane(o), CUADROS_POR_OMISION);
    o.paso = 3;
    EXPECT_EQ(cuadros_del_engrane(o), 80);
    o.paso = 7;
    EXPECT_EQ(cuadros_del_engrane(o), 35) << "one in seven, the last part-step counted";
    o.paso = 1000;
    EXPECT_EQ(cuadros_del_engrane(o), 2);
}

// Both gears in their colours where they stand, the line of action and a contact point drawn,
// the data under the drawing, looping.
TEST_F(AnimarEngrane, ElParEnSusColores) {
    const Engrane* e = par("14", 30);
    ASSERT_NE(e, nullptr);
    OpcionesAnimacion o;
    o.ancho = 240;
    o.paso = 24;
    ASSERT_EQ(animar_engrane(en("par.gif"), o, *e), "");
    exportar::Caja v = vista_del_engrane(*e);
    const Teoria& t = e->teoria();
    const Rueda &r1 = e->rueda1(), &r2 = e->rueda2();
    int verdes = 0, amarillos = 0;
    std::vector<uint32_t> primero, segundo;
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(en("par.gif"), g, [&](size_t i, const std::vector<uint32_t>& p) {
        if (i == 0) primero = p;
        if (i == 1) segundo = p;
    }));
    EXPECT_TRUE(g.bucle);
    EXPECT_EQ(g.imagenes.size(), 10u);
    EXPECT_EQ(g.ancho, 240);
    EXPECT_EQ(g.alto, exportar::alto_animacion(240, lamina_del_engrane(*e, 0).texto.size()));
    ASSERT_FALSE(primero.empty());
    EXPECT_EQ(en_punto(primero, 240, v, 0, (r1.rf + 1.5) / 2), rgb(ColorEngranaje)) << "gear 1 about the origin";
    EXPECT_EQ(en_punto(primero, 240, v, t.a, (r2.rf + 3) / 2), rgb(ColorCremallera)) << "gear 2 at a";
    EXPECT_EQ(en_punto(primero, 240, v, t.a + r2.ra + 0.3, 0), rgb(ColorFondo)) << "nothing past its tip";
    for (int j = 0; j < 240; ++j)
        for (int i = 0; i < 240; ++i) {
            uint32_t c = primero[static_cast<size_t>(j) * 240 + static_cast<size_t>(i)];
            verdes += c == 0x4DFF4D;
            amarillos += c == 0xFFFF00;
        }
    EXPECT_GT(verdes, 5) << "the line of action";
    EXPECT_GT(amarillos, 3) << "a contact point";
    // A tenth of a turn later, 1.4 pitches of gear 1, its teeth stand elsewhere.
    ASSERT_FALSE(segundo.empty());
    int distintos = 0;
    for (size_t k = 0; k < 240u * 240u; ++k) distintos += primero[k] != segundo[k];
    EXPECT_GT(distintos, 500);
}

// The picture repeats after one pitch of gear 1, and only then: gear 1 turns by whole pitches
// and gear 2 by Z1/Z2 of that (12 and 18 teeth, 24 pictures a turn: a pitch is two pictures,
// while gear 2 turned as far as gear 1 would stand one and a half of its pitches off).
TEST_F(AnimarEngrane, SeRepiteConElPasoDeLaRueda1) {
    const Engrane* e = par("12", 18);
    ASSERT_NE(e, nullptr);
    OpcionesAnimacion o;
    o.ancho = 300;
    o.paso = 10;
    o.datos = false;
    ASSERT_EQ(animar_engrane(en("rep.gif"), o, *e), "");
    std::vector<std::vector<uint32_t>> p;
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(en("rep.gif"), g, [&](size_t, const std::vector<uint32_t>& c) { p.push_back(c); }));
    ASSERT_EQ(p.size(), 24u);
    auto distintos = [&p](size_t a, size_t b) {
        int n = 0;
        for (size_t k = 0; k < p[a].size(); ++k) n += p[a][k] != p[b][k];
        return n;
    };
    int repetido = distintos(0, 2), medio = distintos(0, 1);
    EXPECT_LT(repetido * 10, medio) << repetido << " pixels differ after a pitch, " << medio << " after half of one";
    EXPECT_LT(distintos(5, 7) * 10, distintos(5, 6));
}

// With the rack: gear 1 above it, the rack's body below the pitch line in its colour.
TEST_F(AnimarEngrane, ConLaCremallera) {
    const Engrane* e = par("20", 0);
    ASSERT_NE(e, nullptr);
    OpcionesAnimacion o;
    o.ancho = 200;
    o.paso = 40;
    ASSERT_EQ(animar_engrane(en("cr.gif"), o, *e), "");
    exportar::Caja v = vista_del_engrane(*e);
    std::vector<uint32_t> primero;
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(en("cr.gif"), g, [&](size_t i, const std::vector<uint32_t>& c) {
        if (i == 0) primero = c;
    }));
    EXPECT_EQ(g.imagenes.size(), 6u);
    const Teoria& t = e->teoria();
    EXPECT_EQ(en_punto(primero, 200, v, 0, 0.5 * e->rueda1().rf), rgb(ColorEngranaje));
    EXPECT_EQ(en_punto(primero, 200, v, 0.37 * (v.xmax - v.xmin), -t.rw1 - 2), rgb(ColorCremallera)) << "the rack's body";
    EXPECT_EQ(en_punto(primero, 200, v, 0, -t.rw1 - 3.5), rgb(ColorFondo)) << "the rack stops under its body band";
    EXPECT_LE(v.ymin, -t.rw1 - 2.5) << "the view holds the rack's teeth and a band of its body";
    EXPECT_GE(v.ymax, e->rueda1().ra);
}

// A bad name or size writes nothing.
TEST_F(AnimarEngrane, RechazosSinArchivo) {
    const Engrane* e = par("14", 30);
    ASSERT_NE(e, nullptr);
    OpcionesAnimacion o;
    EXPECT_NE(animar_engrane(en("a.png"), o, *e), "");
    o.ancho = 0;
    EXPECT_NE(animar_engrane(en("a.gif"), o, *e), "");
    EXPECT_FALSE(lectura::existe(en("a.gif")));
    EXPECT_FALSE(lectura::existe(en("a.png")));
}
