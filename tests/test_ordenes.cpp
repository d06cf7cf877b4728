#include <gtest/gtest.h>

#include <sstream>

#include "nucleo/ordenes.h"

namespace {

std::string leer(std::vector<const char*> args, Ordenes& o) {
    args.insert(args.begin(), "ortanel");
    return leer_ordenes(static_cast<int>(args.size()), args.data(), o);
}

}  // namespace

TEST(Ordenes, SinArgumentosAbreLasVentanas) {
    Ordenes o;
    EXPECT_EQ(leer({}, o), "");
    EXPECT_EQ(o.accion, Ordenes::VENTANAS);
    EXPECT_EQ(leer({"-display", ":3"}, o), "");
    EXPECT_EQ(o.accion, Ordenes::VENTANAS);
    EXPECT_EQ(o.resto, (std::vector<std::string>{"-display", ":3"})) << "left for the window system";
}

TEST(Ordenes, AyudaYVersionMandan) {
    Ordenes o;
    EXPECT_EQ(leer({"--exportar", "a.svg", "--help"}, o), "");
    EXPECT_EQ(o.accion, Ordenes::AYUDA);
    EXPECT_EQ(leer({"--version"}, o), "");
    EXPECT_EQ(o.accion, Ordenes::VERSION);
    EXPECT_STREQ(TEXTO_VERSION, "Ortanel 2.01");
}

TEST(Ordenes, ExportarConValoresEnElOrdenDelPanel) {
    Ordenes o;
    ASSERT_EQ(leer({"--giro", "2", "--desplazamiento", "0.5", "--exportar", "a.png", "--dientes", "20", "--tamano",
                    "300", "--modulo", "2"},
                   o),
              "");
    EXPECT_EQ(o.accion, Ordenes::EXPORTAR);
    EXPECT_EQ(o.archivo, "a.png");
    EXPECT_EQ(o.tamano, "300");
    EXPECT_FALSE(o.experimental);
    EXPECT_FALSE(o.sin_datos);
    using V = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(o.valores, (V{{"dientes", "20"}, {"modulo", "2"}, {"desplazamiento", "0.5"}, {"giro", "2"}}));

    ASSERT_EQ(leer({"--exportar", "a.dxf", "--experimental", "--flecha", "0.1", "--angulo2", "25", "--radio-cabeza",
                    "0.2", "--depresion", "0.01", "--diametro-interior", "10", "--diametro-exterior", "17",
                    "--diametro-primitivo", "15", "--angulo", "18"},
                   o),
              "");
    EXPECT_TRUE(o.experimental);
    EXPECT_EQ(o.valores, (V{{"diametro-primitivo", "15"},
                            {"diametro-exterior", "17"},
                            {"diametro-interior", "10"},
                            {"angulo", "18"},
                            {"radio-cabeza", "0.2"},
                            {"depresion", "0.01"},
                            {"angulo2", "25"},
                            {"flecha", "0.1"}}));
    EXPECT_EQ(leer({"--sin-datos", "--exportar", "a.png"}, o), "");
    EXPECT_TRUE(o.sin_datos);
}

TEST(Ordenes, LaAnimacionTomaLosDatosYSusPropiasOpciones) {
    Ordenes o;
    EXPECT_EQ(leer({"--animacion", "a.gif", "--giro", "2", "--dientes", "20", "--tamano", "640", "--paso", "3",
                    "--retardo", "8", "--con-retorno", "--sin-datos"},
                   o),
              "");
    EXPECT_EQ(o.accion, Ordenes::ANIMACION);
    EXPECT_EQ(o.archivo, "a.gif");
    EXPECT_EQ(o.tamano, "640");
    EXPECT_EQ(o.paso, "3");
    EXPECT_EQ(o.retardo, "8");
    EXPECT_TRUE(o.con_retorno);
    EXPECT_TRUE(o.sin_datos);
    EXPECT_EQ(o.valores, (std::vector<std::pair<std::string, std::string>>{{"dientes", "20"}, {"giro", "2"}}))
        << "in the panel's order";
    EXPECT_EQ(leer({"--animacion", "b.gif", "--experimental", "--flecha", "0.1"}, o), "");
    EXPECT_TRUE(o.experimental);
    EXPECT_FALSE(o.con_retorno);
    EXPECT_EQ(o.paso, "");
}

TEST(Ordenes, ErroresDeForma) {
    struct Caso {
        std::vector<const char*> args;
        const char* dice;
    };
    const Caso casos[] = {
        {{"--exportar", "a.svg", "--dientez", "3"}, "opcion desconocida: --dientez"},
        {{"--exportar"}, "falta el valor de --exportar"},
        {{"--exportar", "a.svg", "--dientes"}, "falta el valor de --dientes"},
        {{"--exportar", ""}, "--exportar necesita un nombre de archivo"},
        {{"--exportar", "a.svg", "b.svg"}, "argumento desconocido: b.svg"},
        {{"--exportar", "a.svg", "--flecha", "1"}, "--flecha solo vale con --experimental"},
        {{"--exportar", "a.svg", "--diametro-exterior", "1"}, "--diametro-exterior solo vale con --experimental"},
        {{"--dientes", "20"}, "--dientes solo vale con --exportar o --animacion"},
        {{"--tamano", "20"}, "--tamano solo vale con --exportar o --animacion"},
        {{"--experimental"}, "--experimental solo vale con --exportar o --animacion"},
        {{"--sin-datos"}, "--sin-datos solo vale con --exportar o --animacion"},
        {{"--animacion"}, "falta el valor de --animacion"},
        {{"--animacion", ""}, "--animacion necesita un nombre de archivo"},
        {{"--animacion", "a.gif", "--exportar", "a.svg"}, "--exportar y --animacion no van juntas"},
        {{"--exportar", "a.svg", "--paso", "3"}, "--paso solo vale con --animacion"},
        {{"--exportar", "a.svg", "--retardo", "3"}, "--retardo solo vale con --animacion"},
        {{"--exportar", "a.svg", "--con-retorno"}, "--con-retorno solo vale con --animacion"},
        {{"--animacion", "a.gif", "--radio-cabeza", "0.1"}, "--radio-cabeza solo vale con --experimental"},
        {{"--ayudame"}, "opcion desconocida: --ayudame"},
        {{"--idioma", "fr"}, "--idioma: 'fr' no es un idioma disponible (es, en)"},
        {{"--idioma"}, "falta el valor de --idioma"},
    };
    for (const auto& c : casos) {
        Ordenes o;
        EXPECT_EQ(leer(c.args, o), c.dice) << c.args[0];
    }
}

TEST(Ordenes, AyudaUnaLineaPorOpcion) {
    std::string t = texto_ayuda();
    std::istringstream s(t);
    std::string linea;
    std::vector<std::string> lineas;
    while (std::getline(s, linea)) lineas.push_back(linea);
    for (const char* op : {"--help", "--version", "--exportar", "--animacion", "--experimental", "--tamano", "--sin-datos",
                           "--idioma", "--paso", "--retardo", "--con-retorno", "--dientes", "--modulo",
                           "--angulo ", "--desplazamiento ", "--giro", "--diametro-exterior", "--diametro-interior",
                           "--informe", "--engrane", "--desplazamiento2", "--distancia", "--hoja", "--escala",
                           "--diametro-primitivo", "--radio-cabeza", "--depresion", "--angulo2", "--flecha"}) {
        int n = 0;
        for (const auto& l : lineas)
            if (l.rfind(std::string("  ") + op, 0) == 0) ++n;
        EXPECT_EQ(n, 1) << op;
    }
    for (const auto& l : lineas) {
        EXPECT_LE(l.size(), 120u) << l;
        // Every option's explanation starts in the same column.
        if (l.rfind("  --", 0) == 0) {
            ASSERT_GT(l.size(), 26u) << l;
            EXPECT_EQ(l[25], ' ') << l;
            EXPECT_NE(l[26], ' ') << l;
        }
    }
    EXPECT_EQ(lineas.front(), "Uso: ortanel [OPCIONES]");
}

TEST(Ordenes, ElIdiomaValeConVentanasYAlExportar) {
    Ordenes o;
    EXPECT_EQ(leer({"--idioma", "en"}, o), "");
    EXPECT_EQ(o.accion, Ordenes::VENTANAS);
    EXPECT_EQ(o.idioma, "en");
    EXPECT_TRUE(o.resto.empty()) << "its value is not left for the window system";
    EXPECT_EQ(leer({"--exportar", "a.svg", "--idioma", "es"}, o), "");
    EXPECT_EQ(o.accion, Ordenes::EXPORTAR);
    EXPECT_EQ(o.idioma, "es");
    EXPECT_TRUE(o.valores.empty()) << "not a panel value";
}
