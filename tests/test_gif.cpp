// The GIF writer and the animation's pictures, read back with giflib's own decoder.
#include <gtest/gtest.h>

#include <cairo.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "exportar/animacion.h"
#include "exportar/gif.h"
#include "lectura.h"

using exportar::EscritorGif;
using exportar::Rgb;

namespace {

uint32_t rgb(const Rgb& c) { return static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b; }

// A picture in cairo's RGB24 layout, filled in one colour.
struct Imagen {
    int ancho, alto;
    std::vector<uint32_t> px;
    Imagen(int w, int h, uint32_t c) : ancho(w), alto(h), px(static_cast<size_t>(w) * static_cast<size_t>(h), c) {}
    void pintar(int x0, int y0, int w, int h, uint32_t c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) px[static_cast<size_t>(y) * static_cast<size_t>(ancho) + static_cast<size_t>(x)] = c;
    }
    const unsigned char* datos() const { return reinterpret_cast<const unsigned char*>(px.data()); }
    int paso() const { return ancho * 4; }
};

class Gif : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        std::string plantilla = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ortanel-gif-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        dir = plantilla;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    std::string guardar(EscritorGif& g, const std::string& nombre) {
        std::string fallo;
        std::vector<unsigned char> bytes = g.terminar(fallo);
        EXPECT_EQ(fallo, "");
        std::string ruta = dir + "/" + nombre;
        EXPECT_EQ(exportar::guardar_bytes(bytes, ruta), "");
        return ruta;
    }

    // Every picture of a file as a viewer composes it.
    static std::vector<std::vector<uint32_t>> compuestas(const std::string& ruta, lectura::Gif& g) {
        std::vector<std::vector<uint32_t>> v;
        EXPECT_TRUE(lectura::leer_gif(ruta, g, [&v](size_t, const std::vector<uint32_t>& p) { v.push_back(p); }));
        return v;
    }
};

const std::vector<exportar::Color> COLORES{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 1, 1}, {1, 1, 0}};

}  // namespace

TEST(PaletaConMezclas, CadaColorUnaVezYSusMezclasDeADos) {
    std::vector<Rgb> p = exportar::paleta_con_mezclas({{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 1}});
    ASSERT_EQ(p.size(), 3u + 3u * 3u) << "three colours (one repeated), three pairs, three mixes a pair";
    EXPECT_EQ(p[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(p[1], (Rgb{255, 0, 0}));
    EXPECT_EQ(p[2], (Rgb{0, 0, 255}));
    for (Rgb m : {Rgb{64, 0, 0}, Rgb{128, 0, 0}, Rgb{191, 0, 0}, Rgb{191, 0, 64}, Rgb{128, 0, 128}, Rgb{0, 0, 191}})
        EXPECT_NE(std::find(p.begin(), p.end(), m), p.end()) << int(m.r) << "," << int(m.g) << "," << int(m.b);
    std::vector<exportar::Color> muchos;
    for (int i = 0; i < 23; ++i) muchos.push_back({i / 22.0, (i * 7 % 23) / 22.0, (i * 11 % 23) / 22.0});
    EXPECT_TRUE(exportar::paleta_con_mezclas(muchos).empty()) << "23 colours need far more entries than a GIF holds";
}

TEST_F(Gif, RepiteYCadaCuadroGuardaSoloElRectanguloQueCambio) {
    std::vector<Rgb> paleta = exportar::paleta_con_mezclas(COLORES);
    EscritorGif g(40, 30, paleta, 7);
    Imagen a(40, 30, 0x000000);
    a.pintar(2, 3, 10, 10, 0xFF0000);
    ASSERT_EQ(g.agregar(a.datos(), a.paso()), "");
    Imagen b = a;
    b.pintar(20, 7, 5, 4, 0x0000FF);
    ASSERT_EQ(g.agregar(b.datos(), b.paso()), "");
    ASSERT_EQ(g.agregar(b.datos(), b.paso()), "") << "a picture like the one before";
    Imagen c = b;
    c.pintar(0, 29, 1, 1, 0xFFFFFF);
    c.pintar(39, 0, 1, 1, 0xFFFF00);
    ASSERT_EQ(g.agregar(c.datos(), c.paso()), "");
    EXPECT_EQ(g.cuadros(), 4);
    std::string ruta = guardar(g, "a.gif");

    lectura::Gif leido;
    auto pantallas = compuestas(ruta, leido);
    EXPECT_TRUE(leido.bucle);
    EXPECT_EQ(leido.repeticiones, 0) << "for ever";
    EXPECT_EQ(leido.ancho, 40);
    EXPECT_EQ(leido.alto, 30);
    ASSERT_EQ(leido.imagenes.size(), 4u);
    for (const auto& im : leido.imagenes) {
        EXPECT_EQ(im.retardo, 7);
        EXPECT_EQ(im.disposicion, DISPOSE_DO_NOT);
        EXPECT_FALSE(im.paleta_propia);
    }
    auto rect = [](const lectura::ImagenGif& i) { return std::vector<int>{i.x, i.y, i.ancho, i.alto}; };
    EXPECT_EQ(rect(leido.imagenes[0]), (std::vector<int>{0, 0, 40, 30}));
    EXPECT_EQ(leido.imagenes[0].transparente, -1);
    EXPECT_EQ(rect(leido.imagenes[1]), (std::vector<int>{20, 7, 5, 4}));
    EXPECT_EQ(rect(leido.imagenes[2]).size(), 4u);
    EXPECT_EQ(leido.imagenes[2].ancho * leido.imagenes[2].alto, 1) << "nothing changed: one pixel keeps the time";
    EXPECT_EQ(rect(leido.imagenes[3]), (std::vector<int>{0, 0, 40, 30})) << "two corners changed";
    ASSERT_EQ(pantallas.size(), 4u);
    EXPECT_EQ(pantallas[0], a.px);
    EXPECT_EQ(pantallas[1], b.px);
    EXPECT_EQ(pantallas[2], b.px);
    EXPECT_EQ(pantallas[3], c.px);
    ASSERT_GE(leido.paleta.size(), paleta.size() + 1);
    for (size_t i = 0; i < paleta.size(); ++i) EXPECT_EQ(leido.paleta[i], rgb(paleta[i]));
}

// Pictures drawn with anti-aliased edges: a disc moving over a bar, a circle over it.
TEST_F(Gif, LosRectangulosComponenLoMismoQueLosCuadrosEnteros) {
    std::vector<Rgb> paleta = exportar::paleta_con_mezclas(COLORES);
    EscritorGif parcial(120, 90, paleta, 4, true), entero(120, 90, paleta, 4, false);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 120, 90);
    cairo_t* cr = cairo_create(s);
    for (int k = 0; k < 12; ++k) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 1, 0, 0);
        cairo_rectangle(cr, 10.3, 50.6, 100, 20.2);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 1);
        cairo_arc(cr, 15 + 7.3 * k, 40 + 0.7 * k, 12.4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 0);
        cairo_set_line_width(cr, 1.3);
        cairo_arc(cr, 60, 45, 30 + 0.5 * (k % 3), 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_surface_flush(s);
        ASSERT_EQ(parcial.agregar(cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s)), "");
        ASSERT_EQ(entero.agregar(cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s)), "");
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    std::string a = guardar(parcial, "parcial.gif"), b = guardar(entero, "entero.gif");
    lectura::Gif ga, gb;
    auto pa = compuestas(a, ga), pb = compuestas(b, gb);
    ASSERT_EQ(pa.size(), 12u);
    ASSERT_EQ(pb.size(), 12u);
    for (size_t i = 0; i < pa.size(); ++i) EXPECT_EQ(pa[i], pb[i]) << "picture " << i;
    for (size_t i = 1; i < ga.imagenes.size(); ++i) {
        EXPECT_LT(ga.imagenes[i].ancho * ga.imagenes[i].alto, 120 * 90) << "picture " << i << " stored whole";
        EXPECT_GE(ga.imagenes[i].transparente, static_cast<int>(paleta.size())) << "not a colour of the picture";
        EXPECT_EQ(gb.imagenes[i].ancho * gb.imagenes[i].alto, 120 * 90);
    }
    EXPECT_LT(lectura::contenido(a).size(), lectura::contenido(b).size());
    // Flat colours stay exact; edges take the colours and their mixes, nothing else.
    std::set<uint32_t> permitidos;
    for (const Rgb& c : paleta) permitidos.insert(rgb(c));
    std::set<uint32_t> vistos(pa.back().begin(), pa.back().end());
    for (uint32_t c : vistos) EXPECT_TRUE(permitidos.count(c)) << std::hex << c;
    for (uint32_t c : {0x000000u, 0xFF0000u, 0x0000FFu, 0xFFFF00u}) EXPECT_TRUE(vistos.count(c)) << std::hex << c;
    EXPECT_EQ(pa.back()[static_cast<size_t>(60) * 120 + 60], 0xFF0000u) << "inside the bar";
}

TEST_F(Gif, CadaPixelTomaLaEntradaMasCercana) {
    EscritorGif g(4, 1, {{0, 0, 0}, {255, 0, 0}, {128, 0, 0}, {0, 0, 255}}, 4);
    Imagen a(4, 1, 0);
    a.px = {0x100000, 0xA00000, 0x7000FF, 0x0000C8};
    ASSERT_EQ(g.agregar(a.datos(), a.paso()), "");
    std::string ruta = guardar(g, "cerca.gif");
    lectura::Gif leido;
    auto p = compuestas(ruta, leido);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0], (std::vector<uint32_t>{0x000000, 0x800000, 0x0000FF, 0x0000FF}));
}

TEST_F(Gif, UnTamanoOUnaPaletaImposiblesSeDicen) {
    EscritorGif cero(0, 10, {{0, 0, 0}}, 4);
    Imagen a(1, 1, 0);
    EXPECT_NE(cero.agregar(a.datos(), a.paso()), "");
    std::string fallo;
    EXPECT_TRUE(cero.terminar(fallo).empty());
    EXPECT_NE(fallo, "");
    EscritorGif sin_paleta(4, 4, {}, 4);
    EXPECT_TRUE(sin_paleta.terminar(fallo).empty());
    EXPECT_NE(fallo, "");
}

TEST_F(Gif, LaPeliculaDibujaLaPiezaLaCremalleraYLosCirculosSobreElMaterial) {
    exportar::Animacion a;
    a.vista = {-10, -10, 10, 10};
    a.ancho = 200;
    a.circulos.push_back({0, 0, 6, {1, 1, 1}, "PRIMITIVA"});
    a.lineas = {"Dientes: 14", "Modulo: 1 mm"};
    exportar::Pelicula p(a);
    EXPECT_EQ(p.ancho(), 200);
    EXPECT_EQ(p.alto(), exportar::alto_animacion(200, 2));
    EXPECT_GT(p.alto(), 200 + 2 * 8) << "two lines of text under the square drawing";
    EXPECT_EQ(exportar::alto_animacion(200, 0), 200);
    exportar::Cuadro c;
    // The gear: the upper half of the view (y upwards), the rack a bar low down.
    c.pieza.push_back({{{-10, 0}, {10, 0}, {10, 10}, {-10, 10}}, {}});
    c.cremallera.push_back({{-5, -9}, {5, -9}, {5, -7}, {-5, -7}});
    ASSERT_EQ(p.agregar(c), "");
    std::string fallo;
    auto bytes = p.terminar(fallo);
    ASSERT_EQ(fallo, "");
    std::string ruta = dir + "/p.gif";
    ASSERT_EQ(exportar::guardar_bytes(bytes, ruta), "");
    lectura::Gif g;
    auto v = compuestas(ruta, g);
    ASSERT_EQ(v.size(), 1u);
    auto en = [&](double x, double y) { return v[0][static_cast<size_t>(y) * 200 + static_cast<size_t>(x)]; };
    EXPECT_EQ(en(100, 50), 0xFF0000u) << "gear in the top half";
    EXPECT_EQ(en(100, 150), 0x000000u) << "background in the bottom half";
    EXPECT_EQ(en(100, 180), 0x0000FFu) << "the rack";
    // The circle 6 mm round the centre: its line crosses the column x = 100 about rows 40 and 160.
    bool arriba = false, abajo = false;
    for (int y = 37; y <= 43; ++y) arriba = arriba || (en(100, y) & 0x00FF00u) > 0x004000u;
    for (int y = 157; y <= 163; ++y) abajo = abajo || en(100, y) != 0;
    EXPECT_TRUE(arriba) << "the circle's top, over the gear, is drawn";
    EXPECT_FALSE(abajo) << "the circle's bottom, where there is no gear, is not";
    int claros = 0, otros = 0;
    for (int y = 200; y < p.alto(); ++y)
        for (int x = 0; x < 200; ++x) {
            uint32_t c = en(x, y);
            bool gris = (c >> 16) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF);
            claros += c != 0 && gris;
            otros += !gris;
        }
    EXPECT_GT(claros, 20) << "the text block, in the text colour and its mixes with the background";
    EXPECT_EQ(otros, 0);
}

TEST_F(Gif, GuardarBytesNoDejaNadaSiNoPuede) {
    std::string ruta = dir + "/no/existe.gif";
    EXPECT_NE(exportar::guardar_bytes({'G', 'I', 'F'}, ruta), "");
    EXPECT_FALSE(lectura::existe(ruta));
    ruta = dir + "/b.gif";
    ASSERT_EQ(exportar::guardar_bytes({'G', 'I', 'F'}, ruta), "");
    EXPECT_EQ(lectura::contenido(ruta), "GIF");
}
