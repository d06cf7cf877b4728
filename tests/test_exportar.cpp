#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>

#include "exportar/exportar.h"
#include "lectura.h"

using namespace exportar;

namespace {

Lamina cuadrado() {
    Lamina l;
    l.poligonos.push_back({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}});
    return l;
}

std::string base() {
    return std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ortanel-exportar-" +
           std::to_string(getpid());
}

}  // namespace

TEST(Exportar, ElFormatoLoDiceLaExtension) {
    Lamina l = cuadrado();
    std::string b = base();
    ASSERT_EQ(guardar(l, b + ".SVG"), "") << "letter case aside";
    lectura::Svg s;
    EXPECT_TRUE(lectura::leer_svg(b + ".SVG", s));
    EXPECT_EQ(s.trazos.size(), 1u);
    ASSERT_EQ(guardar(l, b + ".pdf"), "");
    EXPECT_EQ(lectura::contenido(b + ".pdf").substr(0, 5), "%PDF-");
    ASSERT_EQ(guardar(l, b + ".png", 64), "");
    lectura::Png p;
    ASSERT_TRUE(lectura::leer_png(b + ".png", p));
    EXPECT_EQ(p.ancho, 64) << "the width asked for";
    ASSERT_EQ(guardar(l, b + ".png"), "");
    ASSERT_TRUE(lectura::leer_png(b + ".png", p));
    EXPECT_EQ(p.ancho, 1200) << "the default width";
    ASSERT_EQ(guardar(l, b + ".dxf"), "");
    lectura::Dxf d;
    EXPECT_TRUE(lectura::leer_dxf(b + ".dxf", d));
    EXPECT_EQ(d.polilineas.size(), 1u);
    for (const char* e : {".SVG", ".pdf", ".png", ".dxf"}) std::remove((b + e).c_str());
}

TEST(Exportar, ExtensionDesconocida) {
    std::string b = base();
    for (const char* e : {".txt", "", ".svg.bak", ".jpg"}) {
        std::string fallo = guardar(cuadrado(), b + e);
        EXPECT_NE(fallo.find("extension"), std::string::npos) << e << ": " << fallo;
        EXPECT_FALSE(lectura::existe(b + e)) << e;
    }
    EXPECT_FALSE(extension_conocida("dir.svg/archivo"));
    EXPECT_TRUE(extension_conocida("a.Dxf"));
    EXPECT_TRUE(extension_conocida("a.png"));
    EXPECT_TRUE(extension_conocida("a.pdf"));
}
