#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "exportar/hoja.h"
#include "lectura.h"

using namespace exportar;

namespace {

Lamina cuadrado(double lado) {
    Lamina l;
    Poligono p;
    p.exterior = {{0, 0}, {lado, 0}, {lado, lado}, {0, lado}};
    l.poligonos.push_back(p);
    l.relleno = {1, 0, 0};
    l.texto = {"Titulo de la hoja", "una linea de datos"};
    l.tabla = {{"Numero de dientes", "14"}, {"Diametro exterior", "16.000 mm"}, {"Diente puntiagudo: nota", ""}};
    return l;
}

class Hoja : public ::testing::Test {
protected:
    std::string base = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ortanel-hoja-" +
                       std::to_string(getpid());
    void TearDown() override {
        for (const char* e : {".pdf", ".png", ".txt"}) std::remove((base + e).c_str());
    }
    void escribir(const Lamina& l, const Escala& e) {
        std::string bytes;
        ASSERT_EQ(escribir_hoja_a4(l, e, bytes), "");
        std::ofstream(base + ".pdf", std::ios::binary) << bytes;
    }
    std::string texto() {
        std::string orden = "pdftotext -layout '" + base + ".pdf' '" + base + ".txt'";
        EXPECT_EQ(std::system(orden.c_str()), 0);
        return lectura::contenido(base + ".txt");
    }
};

}  // namespace

TEST(EscalaDeHoja, LaQueCabe) {
    HojaA4 h = hoja_a4();
    EXPECT_DOUBLE_EQ(h.dibujo_ancho, 180);
    // 1:1 while the drawing fits; reductions of the preferred series after.
    EXPECT_EQ(escala_que_cabe(16, 16, h, false), (Escala{1, 1}));
    EXPECT_EQ(escala_que_cabe(180, h.dibujo_alto, h, false), (Escala{1, 1}));
    EXPECT_EQ(escala_que_cabe(180.5, 10, h, false), (Escala{1, 2}));
    EXPECT_EQ(escala_que_cabe(10, h.dibujo_alto * 2 + 1, h, false), (Escala{1, 5}));
    EXPECT_EQ(escala_que_cabe(1000, 1000, h, false), (Escala{1, 10}));
    EXPECT_EQ(escala_que_cabe(5000, 10, h, false), (Escala{1, 50}));
    // Enlarged: the largest that fits, 16 mm becoming 160 mm in a box 160 mm high.
    EXPECT_EQ(escala_que_cabe(16, 16, h, true), (Escala{10, 1}));
    EXPECT_EQ(escala_que_cabe(16.1, 16.1, h, true), (Escala{5, 1}));
    EXPECT_EQ(escala_que_cabe(2, 2, h, true), (Escala{50, 1}));
    EXPECT_EQ(escala_que_cabe(300, 300, h, true), (Escala{1, 2})) << "too large for 1:1 either way";
    Escala ultima = escala_que_cabe(1e6, 1, h, false);
    EXPECT_EQ(ultima, (Escala{1, 1000})) << "the last of the series";
    EXPECT_FALSE(cabe(1e6, 1, h, ultima)) << "and the caller told it does not fit";
    EXPECT_TRUE(cabe(36, 32, h, {5, 1}));
    EXPECT_FALSE(cabe(36.1, 10, h, {5, 1}));
    EXPECT_FALSE(cabe(10, 32.1, h, {5, 1}));
}

TEST(EscalaDeHoja, LeerYEscribir) {
    Escala e;
    ASSERT_TRUE(leer_escala("2:1", e));
    EXPECT_EQ(e, (Escala{2, 1}));
    EXPECT_DOUBLE_EQ(e.factor(), 2.0);
    ASSERT_TRUE(leer_escala("1:5", e));
    EXPECT_DOUBLE_EQ(e.factor(), 0.2);
    EXPECT_EQ(texto_escala(e), "Escala 1:5");
    ASSERT_TRUE(leer_escala("1000:1", e));
    for (const char* malo : {"", "2", "2:", ":1", "2:3", "0:1", "1:0", "-1:2", "1001:1", "2:1x", "2:1 ", " 2:1", "+2:1", "a:b"}) {
        Escala antes{7, 1};
        e = antes;
        EXPECT_FALSE(leer_escala(malo, e)) << malo;
        EXPECT_EQ(e, antes) << "a refused text leaves the scale alone: " << malo;
    }
}

// The page is A4 and the drawing measures on it what the printed scale says.
TEST_F(Hoja, PaginaA4YDibujoAEscala) {
    escribir(cuadrado(20), {5, 1});
    lectura::Pdf pdf;
    ASSERT_TRUE(lectura::leer_pdf(base + ".pdf", pdf));
    EXPECT_EQ(pdf.paginas, 1);
    ASSERT_EQ(pdf.caja.size(), 4u);
    EXPECT_NEAR(pdf.caja[2] - pdf.caja[0], 210 * 72 / 25.4, 0.01);
    EXPECT_NEAR(pdf.caja[3] - pdf.caja[1], 297 * 72 / 25.4, 0.01);

    // Rendered at 254 dpi, 10 pixels a millimetre: the 20 mm square is 100 mm on paper.
    std::string orden = "pdftoppm -r 254 -png -singlefile '" + base + ".pdf' '" + base + "'";
    ASSERT_EQ(std::system(orden.c_str()), 0);
    lectura::Png png;
    ASSERT_TRUE(lectura::leer_png(base + ".png", png));
    EXPECT_NEAR(png.ancho, 2100, 1);
    int xmin = png.ancho, xmax = -1, ymin = png.alto, ymax = -1;
    for (int y = 0; y < png.alto; ++y)
        for (int x = 0; x < png.ancho; ++x)
            if (png.en(x, y) == 0xFF0000) {
                xmin = std::min(xmin, x);
                xmax = std::max(xmax, x);
                ymin = std::min(ymin, y);
                ymax = std::max(ymax, y);
            }
    ASSERT_GE(xmax, 0) << "the drawing is on the page";
    EXPECT_NEAR(xmax - xmin + 1, 1000, 3);
    EXPECT_NEAR(ymax - ymin + 1, 1000, 3);
    HojaA4 h = hoja_a4();
    EXPECT_NEAR((xmin + xmax) / 2.0, 10 * (h.dibujo_x + h.dibujo_ancho / 2), 3) << "centred in its box";
    EXPECT_NEAR((ymin + ymax) / 2.0, 10 * (h.dibujo_y + h.dibujo_alto / 2), 3);

    std::string t = texto();
    EXPECT_NE(t.find("Titulo de la hoja"), std::string::npos) << t;
    EXPECT_NE(t.find("Escala 5:1"), std::string::npos) << t;
    EXPECT_NE(t.find("Diente puntiagudo: nota"), std::string::npos) << t;
    // Each value on its name's line, after it.
    for (const char* par : {"Numero de dientes", "Diametro exterior"}) {
        auto i = t.find(par);
        ASSERT_NE(i, std::string::npos) << par;
        std::string linea = t.substr(i, t.find('\n', i) - i);
        EXPECT_NE(linea.find(std::string(par) == "Numero de dientes" ? "14" : "16.000 mm"), std::string::npos) << linea;
    }
    EXPECT_EQ(t.find("una linea de datos"), std::string::npos) << "the table stands for the text block";
}

// Without a table the text block's lines under the title are the table's notes.
TEST_F(Hoja, SinTablaLasLineasDelTexto) {
    Lamina l = cuadrado(100);
    l.tabla.clear();
    escribir(l, {1, 1});
    std::string t = texto();
    EXPECT_NE(t.find("una linea de datos"), std::string::npos) << t;
    EXPECT_NE(t.find("Escala 1:1"), std::string::npos) << t;
}
