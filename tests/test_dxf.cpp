#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "exportar/dxf.h"
#include "lectura.h"

using namespace exportar;

namespace {

Lamina engranaje_de_mano() {
    Lamina l;
    Poligono p;
    // A four-toothed cross with a round-ish centre hole, in odd coordinates.
    p.exterior = {{1.125, -3.0625}, {3.3333333333333, -1.0}, {3.3, 1.0},  {1.0, 1.0},   {1.0, 3.2},  {-1.0, 3.2},
                  {-1.0, 1.0},     {-3.2, 1.0},            {-3.2, -1.0}, {-1.0, -1.0}, {-1.0, -3.2}};
    p.huecos.push_back({{0.3, 0}, {0, 0.3}, {-0.3, 0}, {0, -0.3}});
    l.poligonos.push_back(p);
    l.circulos = {{0, 0, 2.5, {1, 1, 1}, "PRIMITIVA"}, {0, 0, 1.5, {1, 1, 0}, "FONDO"},
                  {0, 0, 2.2, {0, 1, 0}, "BASE"}};
    l.texto = {"Dientes: 4", "Modulo: 1.25 mm"};
    return l;
}

}  // namespace

TEST(Dxf, SeLeeConDxflibTalComoSeEscribio) {
    Lamina l = engranaje_de_mano();
    std::string ruta = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ortanel-prueba-" +
                       std::to_string(getpid()) + ".dxf";
    std::string bytes;
    ASSERT_EQ(escribir_dxf(l, bytes), "");
    std::ofstream(ruta, std::ios::binary) << bytes;
    lectura::Dxf d;
    ASSERT_TRUE(lectura::leer_dxf(ruta, d));
    for (const char* capa : {"ENGRANAJE", "PRIMITIVA", "FONDO", "BASE"})
        EXPECT_EQ(std::count(d.capas.begin(), d.capas.end(), capa), 1) << capa;

    ASSERT_EQ(d.polilineas.size(), 2u);
    for (size_t a = 0; a < 2; ++a) {
        const Anillo& esperado = a == 0 ? l.poligonos[0].exterior : l.poligonos[0].huecos[0];
        const auto& leida = d.polilineas[a];
        EXPECT_EQ(leida.capa, "ENGRANAJE");
        EXPECT_TRUE(leida.cerrada);
        ASSERT_EQ(leida.puntos.size(), esperado.size());
        for (size_t i = 0; i < esperado.size(); ++i) {
            EXPECT_NEAR(leida.puntos[i].x, esperado[i].x, 1e-12);
            EXPECT_NEAR(leida.puntos[i].y, esperado[i].y, 1e-12);
        }
    }
    ASSERT_EQ(d.circulos.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(d.circulos[i].capa, l.circulos[i].capa);
        EXPECT_DOUBLE_EQ(d.circulos[i].radio, l.circulos[i].radio);
        EXPECT_EQ(d.circulos[i].cx, 0);
    }
    EXPECT_EQ(d.textos, l.texto);
    // The symbol tables a CAD program expects in a file of this version, each once.
    std::string texto = lectura::contenido(ruta);
    for (const char* tabla : {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"}) {
        std::string marca = std::string("  0\nTABLE\n  2\n") + tabla + "\n";
        size_t en = texto.find(marca);
        EXPECT_NE(en, std::string::npos) << tabla;
        EXPECT_EQ(texto.find(marca, en + 1), std::string::npos) << tabla;
    }
    // Every section that opens closes before the next one, and the file ends after the last.
    int abiertas = 0, secciones = 0;
    for (size_t en = 0; (en = texto.find("\n  0\n", en)) != std::string::npos; en += 5) {
        size_t fin = texto.find('\n', en + 5);
        std::string orden = texto.substr(en + 5, fin - en - 5);
        if (orden == "SECTION") {
            EXPECT_EQ(abiertas, 0) << "a section opened inside another, section " << secciones;
            ++abiertas;
            ++secciones;
        } else if (orden == "ENDSEC") {
            EXPECT_EQ(abiertas, 1);
            --abiertas;
        }
    }
    EXPECT_EQ(abiertas, 0);
    EXPECT_GE(secciones, 4) << "header, tables, blocks, entities";
    EXPECT_EQ(texto.substr(texto.size() - 4), "EOF\n");
    std::remove(ruta.c_str());
}

