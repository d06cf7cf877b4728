#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

#include "exportar/pintura.h"
#include "lectura.h"

using namespace exportar;

namespace {

// A 20 mm square plate with a 4 mm square hole, centred off the origin, a circle
// through it and two text lines.
Lamina placa() {
    Lamina l;
    Poligono p;
    p.exterior = {{-7, -12}, {13, -12}, {13, 8}, {-7, 8}};
    p.huecos.push_back({{1, -4}, {1, 0}, {5, 0}, {5, -4}});
    l.poligonos.push_back(p);
    l.relleno = {0.2, 0.4, 0.6};
    l.circulos.push_back({3, -2, 8, {0, 0, 1}, "PRIMITIVA"});
    l.texto = {"Dientes: 14", "Modulo: 1 mm"};
    return l;
}

std::string temporal(const char* nombre) {
    const char* base = std::getenv("TMPDIR");
    return std::string(base ? base : "/tmp") + "/ortanel-prueba-" + std::to_string(getpid()) + "-" + nombre;
}

// A file made in memory, put where the readers find it; the writer's answer passed on.
std::string en_archivo(const std::string& fallo, const std::string& bytes, const std::string& ruta) {
    if (fallo.empty()) std::ofstream(ruta, std::ios::binary) << bytes;
    return fallo;
}

// Back from page millimetres to the drawing's frame.
Punto al_dibujo(const Pagina& p, Punto q) { return {q.x - p.dx, p.dy - q.y}; }

}  // namespace

TEST(Pagina, MargenesYTexto) {
    Lamina l = placa();
    Pagina p = pagina_de(l);
    // 20 mm of drawing, a margin of 8% of it on each side, text under it.
    EXPECT_NEAR(p.ancho, 20 + 2 * 1.6, 1e-9);
    EXPECT_GT(p.alto, 20 + 2 * 1.6 + 2 * p.renglon);
    EXPECT_NEAR(-7 + p.dx, 1.6, 1e-9) << "left edge of the drawing after the margin";
    EXPECT_NEAR(p.dy - 8, 1.6, 1e-9) << "top edge of the drawing after the margin";
    EXPECT_GT(p.texto_y, p.dy - (-12)) << "the text lies under the drawing";
    l.texto.clear();
    EXPECT_NEAR(pagina_de(l).alto, 23.2, 1e-9);
    // A text line wider than the drawing widens the page.
    l.texto = {std::string(200, 'M')};
    EXPECT_GT(pagina_de(l).ancho, 60);
    EXPECT_FALSE(pagina_de(Lamina{}).ancho <= 0) << "an empty sheet still has a page";
}

TEST(Pintura, SvgEnMilimetrosConSusTrayectos) {
    Lamina l = placa();
    Pagina p = pagina_de(l);
    std::string ruta = temporal("a.svg");
    std::string bytes;
    ASSERT_EQ(en_archivo(escribir_svg(l, bytes), bytes, ruta), "");
    lectura::Svg s;
    ASSERT_TRUE(lectura::leer_svg(ruta, s)) << "well-formed XML";
    EXPECT_NEAR(std::atof(s.ancho.c_str()), p.ancho, 1e-3);
    EXPECT_EQ(s.ancho.substr(s.ancho.size() - 2), "mm");
    EXPECT_NEAR(std::atof(s.alto.c_str()), p.alto, 1e-3);
    EXPECT_EQ(s.alto.substr(s.alto.size() - 2), "mm");
    double vx, vy, vw, vh;
    ASSERT_EQ(std::sscanf(s.vista.c_str(), "%lf %lf %lf %lf", &vx, &vy, &vw, &vh), 4);
    EXPECT_EQ(vx, 0);
    EXPECT_EQ(vy, 0);
    EXPECT_NEAR(vw, p.ancho, 1e-3) << "one unit of the view box is one millimetre";
    EXPECT_NEAR(vh, p.alto, 1e-3);

    ASSERT_EQ(s.trazos.size(), 2u);
    const auto& relleno = s.trazos[0];
    EXPECT_NE(relleno.estilo.find("fill-rule:evenodd"), std::string::npos);
    EXPECT_NE(relleno.estilo.find("fill:rgb(20%,40%,60%)"), std::string::npos) << relleno.estilo;
    ASSERT_EQ(relleno.anillos.size(), 2u) << "outer ring and hole in one path";
    for (size_t a = 0; a < 2; ++a) {
        const Anillo& esperado = a == 0 ? l.poligonos[0].exterior : l.poligonos[0].huecos[0];
        ASSERT_EQ(relleno.anillos[a].size(), esperado.size());
        for (size_t i = 0; i < esperado.size(); ++i) {
            Punto q = al_dibujo(p, relleno.anillos[a][i]);
            EXPECT_NEAR(q.x, esperado[i].x, 1.0 / 256);
            EXPECT_NEAR(q.y, esperado[i].y, 1.0 / 256);
        }
    }
    const auto& circulo = s.trazos[1];
    EXPECT_NE(circulo.estilo.find("stroke:rgb(0%,0%,100%)"), std::string::npos) << circulo.estilo;
    EXPECT_NE(circulo.estilo.find("fill:none"), std::string::npos);
    ASSERT_FALSE(circulo.anillos.empty());
    for (Punto q : circulo.anillos[0]) {
        Punto d = al_dibujo(p, q);
        EXPECT_NEAR(std::hypot(d.x - 3, d.y + 2), 8, 0.01);
    }
    EXPECT_EQ(s.glifos, 11 + 12) << "one glyph per character of the text block";
    // Two lines of text under the drawing, the second below the first, both on the page.
    ASSERT_EQ(s.glifos_y.size(), 23u);
    double y1 = s.glifos_y.front(), y2 = s.glifos_y.back();
    EXPECT_EQ(s.glifos_y[10], y1);
    EXPECT_EQ(s.glifos_y[11], y2);
    EXPECT_GT(y1 - p.letra, p.dy - (-12)) << "the first line's top is under the drawing";
    EXPECT_GT(y2 - y1, p.letra) << "lines do not overlap";
    EXPECT_LT(y2 - y1, 2.5 * p.letra);
    EXPECT_LE(y2, p.alto);
    std::remove(ruta.c_str());
}

TEST(Pintura, PdfUnaPaginaDelTamanoDelDibujo) {
    Lamina l = placa();
    Pagina p = pagina_de(l);
    std::string ruta = temporal("a.pdf");
    std::string bytes;
    ASSERT_EQ(en_archivo(escribir_pdf(l, bytes), bytes, ruta), "");
    lectura::Pdf d;
    ASSERT_TRUE(lectura::leer_pdf(ruta, d));
    EXPECT_TRUE(d.cabecera);
    EXPECT_EQ(d.paginas, 1);
    ASSERT_EQ(d.caja.size(), 4u);
    EXPECT_NEAR(d.caja[2] - d.caja[0], p.ancho * 72 / 25.4, 0.01);
    EXPECT_NEAR(d.caja[3] - d.caja[1], p.alto * 72 / 25.4, 0.01);
    std::remove(ruta.c_str());
}

TEST(Pintura, PngAnchoPedidoFondoBlancoYRelleno) {
    Lamina l = placa();
    Pagina p = pagina_de(l);
    std::string ruta = temporal("a.png");
    std::string bytes;
    ASSERT_EQ(en_archivo(escribir_png(l, bytes, 500), bytes, ruta), "");
    lectura::Png img;
    ASSERT_TRUE(lectura::leer_png(ruta, img));
    EXPECT_EQ(img.ancho, 500);
    double escala = 500 / p.ancho;
    EXPECT_EQ(img.alto, static_cast<int>(std::ceil(p.alto * escala)));
    auto en = [&](double x, double y) {
        return img.en(static_cast<int>((x + p.dx) * escala), static_cast<int>((p.dy - y) * escala));
    };
    EXPECT_EQ(en(-5, 6), 0x336699u) << "inside the plate";
    EXPECT_EQ(en(3, -2), 0xFFFFFFu) << "inside the hole";
    EXPECT_EQ(img.en(0, 0), 0xFFFFFFu) << "white background in the margin";
    EXPECT_EQ(en(3 + 8, -2), 0x0000FFu) << "on the circle";
    EXPECT_NE(escribir_png(l, bytes, 0), "");
    EXPECT_EQ(bytes, "") << "nothing made for a refused width";
    EXPECT_NE(escribir_png(l, bytes, ANCHO_PNG_MAXIMO + 1), "");
    l.texto.assign(400, "una linea");
    EXPECT_NE(escribir_png(l, bytes, ANCHO_PNG_MAXIMO), "") << "a picture taller than the largest side";
    std::remove(ruta.c_str());
}
