// The program's command line, run as a process without a display.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "lectura.h"
#include <nlohmann/json.hpp>

#include "nucleo/medidas.h"

namespace {

struct Salida {
    int estado = -1;
    std::string out, err;
};

std::string comillas(const std::string& s) {
    std::string r = "'";
    for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

class LineaDeOrdenes : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        std::string plantilla = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                                "/ortanel-ordenes-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        dir = plantilla;
        ASSERT_NE(std::getenv("ORTANEL"), nullptr) << "ORTANEL names the program under test";
    }
    void TearDown() override { std::system(("rm -rf " + comillas(dir)).c_str()); }

    // Runs the program with these arguments, with no display, in the temporary directory,
    // the language environment unset and then given these VARIABLE=value settings.
    Salida correr(const std::vector<std::string>& args, const std::vector<std::string>& entorno = {}) {
        return correr_programa(std::getenv("ORTANEL"), args, entorno);
    }
    // The same after a shell command run first in the same shell (a limit, say).
    Salida correr_tras(const std::string& antes, const std::vector<std::string>& args) {
        return correr_programa(std::getenv("ORTANEL"), args, {}, antes);
    }
    Salida correr_programa(const std::string& programa, const std::vector<std::string>& args,
                           const std::vector<std::string>& entorno, const std::string& antes = "true") {
        std::string orden = "cd " + comillas(dir) + " && " + antes +
                            " && env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG";
        for (const auto& e : entorno) orden += " " + comillas(e);
        orden += " " + comillas(programa);
        for (const auto& a : args) orden += " " + comillas(a);
        orden += " >" + comillas(dir + "/.out") + " 2>" + comillas(dir + "/.err");
        Salida s;
        int r = std::system(orden.c_str());
        s.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
        s.out = lectura::contenido(dir + "/.out");
        s.err = lectura::contenido(dir + "/.err");
        std::remove((dir + "/.out").c_str());
        std::remove((dir + "/.err").c_str());
        return s;
    }
    std::string en(const std::string& nombre) const { return dir + "/" + nombre; }
};

int lineas(const std::string& s) {
    int n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

// The outline read back from a file as the core's pieces, centred on (cx, cy): the ring
// with the widest box is the outside, the others are holes in it.
std::vector<Pieza> piezas_leidas(const std::vector<exportar::Anillo>& anillos, double cx, double cy) {
    Pieza p;
    double mayor = -1;
    std::vector<Anillo> todos;
    for (const auto& a : anillos) {
        Anillo r;
        double xmin = 1e300, xmax = -1e300;
        for (const auto& q : a) {
            r.push_back({q.x - cx, q.y - cy});
            xmin = std::min(xmin, q.x);
            xmax = std::max(xmax, q.x);
        }
        if (xmax - xmin > mayor) {
            mayor = xmax - xmin;
            if (!p.exterior.empty()) todos.push_back(p.exterior);
            p.exterior = r;
        } else {
            todos.push_back(r);
        }
    }
    p.huecos = todos;
    return {p};
}

// Centre and half width of a ring's box.
void centro(const exportar::Anillo& a, double& cx, double& cy, double& radio) {
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (const auto& q : a) {
        xmin = std::min(xmin, q.x);
        xmax = std::max(xmax, q.x);
        ymin = std::min(ymin, q.y);
        ymax = std::max(ymax, q.y);
    }
    cx = (xmin + xmax) / 2;
    cy = (ymin + ymax) / 2;
    radio = (xmax - xmin) / 2;
}

}  // namespace

TEST_F(LineaDeOrdenes, AyudaYVersionSinPantalla) {
    Salida s = correr({"--help"});
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.err, "");
    EXPECT_EQ(s.out.rfind("Uso: ortanel", 0), 0u) << s.out;
    EXPECT_NE(s.out.find("--exportar ARCHIVO"), std::string::npos);
    s = correr({"--version"});
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.out, "Ortanel 2.01\n");
}

TEST_F(LineaDeOrdenes, EntradaMalaSaleConDosSinArchivo) {
    struct Caso {
        std::vector<std::string> args;
        std::string archivo;  // the file the command names, which must not appear or change
        std::string dice;
    };
    std::ofstream(en("archivo")) << "x";
    const Caso casos[] = {
        {{"--exportar", "a.svg", "--dientez", "20"}, "a.svg", "opcion desconocida: --dientez"},
        {{"--exportar", "a.svg", "--dientes", "veinte"}, "a.svg", "'veinte' no es un numero entero"},
        {{"--exportar", "a.svg", "--angulo", "20x"}, "a.svg", "--angulo: '20x' no es un numero"},
        {{"--exportar", "a.png", "--tamano", "mucho"}, "a.png", "--tamano: 'mucho' no es un numero entero"},
        {{"--exportar", "a.svg", "--modulo", "3.3"}, "a.svg", "3.3 no es un modulo normalizado"},
        {{"--exportar", "a.jpg"}, "a.jpg", "extension desconocida"},
        {{"--exportar", "a"}, "a", "extension desconocida"},
        {{"--exportar", "no/hay/a.svg"}, "no/hay/a.svg", "no se puede escribir en el directorio 'no/hay'"},
        {{"--exportar", "archivo/a.dxf"}, "archivo/a.dxf", "no es un directorio"},
        {{"--exportar", "a.svg", "--flecha", "0.1"}, "a.svg", "--flecha solo vale con --experimental"},
        {{"--exportar", "a.svg", "--experimental", "--depresion", "0.1"}, "a.svg", "--depresion no se puede cambiar"},
        {{"--exportar", "a.svg", "--dientes"}, "a.svg", "falta el valor de --dientes"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.dice);
        Salida s = correr(c.args);
        EXPECT_EQ(s.estado, 2);
        EXPECT_EQ(lineas(s.err), 1) << s.err;
        EXPECT_NE(s.err.find(c.dice), std::string::npos) << s.err;
        EXPECT_EQ(s.out, "");
        EXPECT_FALSE(lectura::existe(en(c.archivo)));
    }
    // The same mistakes with a file already there: it is left as it was.
    for (const auto& c : casos) {
        if (c.archivo.find('/') != std::string::npos) continue;
        std::ofstream(en(c.archivo)) << "anterior";
        EXPECT_EQ(correr(c.args).estado, 2);
        EXPECT_EQ(lectura::contenido(en(c.archivo)), "anterior") << c.dice;
        std::remove(en(c.archivo).c_str());
    }
    Salida s = correr({"--exportar", "a.svg", "--dientes", "20", "--experimental", "--radio-cabeza", "x"});
    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(std::system(("ls -A " + comillas(dir) + " | grep -v '^archivo$' | grep -q .").c_str()) != 0, true)
        << "no temporary file left behind";
}

// A file that cannot be written whole is not written at all: with the file size limited
// below what the picture needs, each format fails with one line and keeps the old file.
TEST_F(LineaDeOrdenes, UnaEscrituraFallidaDejaElArchivoQueHabia) {
    const std::string viejo = "viejo\n" + std::string(300, 'v');
    for (const char* nombre : {"e.svg", "e.pdf", "e.png", "e.dxf"}) {
        SCOPED_TRACE(nombre);
        std::ofstream(en(nombre)) << viejo;
        Salida s = correr_tras("ulimit -f 16", {"--exportar", nombre, "--dientes", "40"});
        EXPECT_EQ(s.estado, 2);
        EXPECT_EQ(lineas(s.err), 1) << s.err;
        EXPECT_NE(s.err.find(std::string("no se puede escribir '") + nombre + "'"), std::string::npos) << s.err;
        EXPECT_EQ(lectura::contenido(en(nombre)), viejo);
        EXPECT_NE(std::system(("ls -A " + comillas(dir) + " | grep -q '^[.]ortanel'").c_str()), 0)
            << "no temporary file left behind";
        ASSERT_EQ(correr({"--exportar", nombre, "--dientes", "40"}).estado, 0) << "the same without the limit";
        EXPECT_GT(lectura::contenido(en(nombre)).size(), 8192u) << "larger than the limit above";
        std::remove(en(nombre).c_str());
    }
}

TEST_F(LineaDeOrdenes, LaAnimacionMalPedidaSaleConDosSinArchivo) {
    std::ofstream(en("archivo")) << "x";
    std::ofstream(en("viejo.gif")) << "anterior";
    struct Caso {
        std::vector<std::string> args;
        std::string dice;
    };
    const Caso casos[] = {
        {{"--animacion", "a.gif", "--tamano", "0"}, "--tamano: 0 debe ser 1 o mas"},
        {{"--animacion", "a.gif", "--tamano", "8001"}, "--tamano: 8001 fuera de 1 ... 8000 pixeles"},
        {{"--animacion", "a.gif", "--paso", "0"}, "--paso: 0 debe ser 1 o mas"},
        {{"--animacion", "a.gif", "--paso", "uno"}, "--paso: 'uno' no es un numero entero"},
        {{"--animacion", "a.gif", "--retardo", "0"}, "--retardo: 0 debe ser 1 o mas"},
        {{"--animacion", "a.png"}, "se guarda en un archivo .gif"},
        {{"--animacion", "no/hay/a.gif"}, "no se puede escribir en el directorio 'no/hay'"},
        {{"--animacion", "archivo/a.gif"}, "no es un directorio"},
        {{"--animacion", "a.gif", "--dientes", "veinte"}, "'veinte' no es un numero entero"},
        {{"--animacion", "viejo.gif", "--tamano", "0"}, "--tamano"},
        {{"--animacion", "a.gif", "--engrane", "2"}, "--engrane: 2 fuera de 0 (cremallera) o 3 ... 500 dientes"},
        {{"--animacion", "a.gif", "--engrane", "30", "--distancia", "20"}, "se penetrarian"},
        {{"--animacion", "a.gif", "--engrane", "0", "--desplazamiento2", "0.5"}, "la cremallera no admite"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.dice);
        Salida s = correr(c.args);
        EXPECT_EQ(s.estado, 2);
        EXPECT_EQ(lineas(s.err), 1) << s.err;
        EXPECT_NE(s.err.find(c.dice), std::string::npos) << s.err;
        EXPECT_FALSE(lectura::existe(en("a.gif")));
        EXPECT_FALSE(lectura::existe(en("a.png")));
    }
    EXPECT_EQ(lectura::contenido(en("viejo.gif")), "anterior");
    EXPECT_EQ(std::system(("ls -A " + comillas(dir) + " | grep -v '^archivo$' | grep -v '^viejo.gif$' | grep -q .").c_str()) != 0,
              true)
        << "no temporary file left behind";
}

// The mesh as an animation: the pictures the options ask for, the data with the pair's lines.
TEST_F(LineaDeOrdenes, LaAnimacionDelEngrane) {
    Salida s = correr({"--animacion", "e.gif", "--engrane", "30", "--tamano", "160", "--paso", "24"});
    ASSERT_EQ(s.estado, 0) << s.err;
    EXPECT_EQ(s.err, "");
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(en("e.gif"), g));
    EXPECT_EQ(g.imagenes.size(), 10u);
    EXPECT_EQ(g.ancho, 160);
    EXPECT_TRUE(g.bucle);
    ASSERT_EQ(correr({"--animacion", "f.gif", "--engrane", "30", "--tamano", "160", "--paso", "24", "--sin-datos"}).estado, 0);
    lectura::Gif f;
    ASSERT_TRUE(lectura::leer_gif(en("f.gif"), f));
    EXPECT_EQ(f.alto, 160) << "no text block";
    EXPECT_GT(g.alto, f.alto + 7 * 4) << "seven lines of data under the drawing";
}

TEST_F(LineaDeOrdenes, LaAnimacionSeLeeConGiflibYNoDiceNadaSinTerminal) {
    Salida s = correr({"--animacion", "g.gif", "--dientes", "10", "--tamano", "120", "--paso", "60", "--retardo", "6"});
    ASSERT_EQ(s.estado, 0) << s.err;
    EXPECT_EQ(s.err, "") << "no progress when stderr is not a terminal";
    EXPECT_EQ(s.out, "");
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(en("g.gif"), g));
    EXPECT_TRUE(g.bucle);
    EXPECT_EQ(g.ancho, 120);
    EXPECT_GT(g.alto, 120) << "the text block under the drawing";
    ASSERT_GE(g.imagenes.size(), 3u);
    EXPECT_EQ(g.imagenes.back().retardo, 6);
    ASSERT_EQ(correr({"--animacion", "h.gif", "--tamano", "90", "--sin-datos", "--paso", "1000"}).estado, 0);
    ASSERT_TRUE(lectura::leer_gif(en("h.gif"), g));
    EXPECT_EQ(g.alto, 90);
    EXPECT_EQ(g.imagenes.size(), 2u) << "the blank and the ended cut";
}

// On a terminal (a pseudo-terminal made by util-linux's script) the frames written show on
// one line rewritten in place, ended once the file is written.
TEST_F(LineaDeOrdenes, LaAnimacionMuestraSuAvanceEnUnTerminal) {
    std::string orden = "cd " + comillas(dir) + " && script -qec " +
                        comillas("env -u DISPLAY " + comillas(std::getenv("ORTANEL")) +
                                 " --animacion t.gif --tamano 80 --paso 100 >/dev/null") +
                        " /dev/null > " + comillas(dir + "/.tty");
    ASSERT_EQ(std::system(orden.c_str()), 0);
    std::string t = lectura::contenido(dir + "/.tty");
    lectura::Gif g;
    ASSERT_TRUE(lectura::leer_gif(en("t.gif"), g));
    size_t n = g.imagenes.size();
    for (size_t i = 1; i <= n; ++i) {
        std::string linea = "\rortanel: cuadro " + std::to_string(i) + " de " + std::to_string(n);
        EXPECT_NE(t.find(linea), std::string::npos) << linea << " in " << t;
    }
    EXPECT_EQ(lineas(t), 1) << "one line, ended at the end: " << t;
}

TEST_F(LineaDeOrdenes, CadaFormatoSeLeeDeVuelta) {
    Salida s = correr({"--exportar", "e.svg", "--dientes", "20", "--modulo", "2"});
    ASSERT_EQ(s.estado, 0) << s.err;
    EXPECT_EQ(s.err, "");
    lectura::Svg svg;
    ASSERT_TRUE(lectura::leer_svg(en("e.svg"), svg));
    EXPECT_NE(svg.ancho.find("mm"), std::string::npos);
    ASSERT_GE(svg.trazos.size(), 4u) << "outline and three circles";
    EXPECT_NE(svg.trazos[0].estilo.find("fill:rgb(100%,0%,0%)"), std::string::npos) << "the gear colour";

    ASSERT_EQ(correr({"--exportar", "e.dxf", "--dientes", "20", "--modulo", "2"}).estado, 0);
    lectura::Dxf dxf;
    ASSERT_TRUE(lectura::leer_dxf(en("e.dxf"), dxf));
    ASSERT_FALSE(dxf.polilineas.empty());
    for (const auto& p : dxf.polilineas) {
        EXPECT_EQ(p.capa, "ENGRANAJE");
        EXPECT_TRUE(p.cerrada);
    }
    ASSERT_EQ(dxf.circulos.size(), 3u);
    EXPECT_EQ(dxf.circulos[0].capa, "PRIMITIVA");
    EXPECT_NEAR(dxf.circulos[0].radio, 20.0, 1e-9) << "m·Z/2 in millimetres";

    ASSERT_EQ(correr({"--exportar", "e.png", "--tamano", "400"}).estado, 0);
    lectura::Png png;
    ASSERT_TRUE(lectura::leer_png(en("e.png"), png));
    EXPECT_EQ(png.ancho, 400);
    EXPECT_EQ(png.en(0, 0), 0xFFFFFFu);

    ASSERT_EQ(correr({"--exportar", "e.pdf", "--experimental", "--flecha", "0.1"}).estado, 0);
    lectura::Pdf pdf;
    ASSERT_TRUE(lectura::leer_pdf(en("e.pdf"), pdf));
    EXPECT_TRUE(pdf.cabecera);
    EXPECT_EQ(pdf.paginas, 1);
    ASSERT_EQ(pdf.caja.size(), 4u);
    EXPECT_GT(pdf.caja[2], 16 * 72 / 25.4) << "the page holds the 16 mm gear";
    EXPECT_LT(pdf.caja[2], 30 * 72 / 25.4);
}

// The cut gear itself reaches the files: its teeth and its thickness on the pitch circle,
// read back from the SVG's path data and the DXF's polylines, are the textbook's.
TEST_F(LineaDeOrdenes, ElEngranajeLeidoTieneSusDientesYSuEspesor) {
    const double rp = 20.0, teorico = espesor_teorico(2.0, 20.0, 0.5);  // Z 20, module 2 mm
    ASSERT_EQ(correr({"--exportar", "g.svg", "--dientes", "20", "--modulo", "2", "--desplazamiento", "0.5"}).estado, 0);
    lectura::Svg svg;
    ASSERT_TRUE(lectura::leer_svg(en("g.svg"), svg));
    ASSERT_GE(svg.trazos.size(), 2u);
    ASSERT_FALSE(svg.trazos[1].anillos.empty());
    double cx, cy, r;
    centro(svg.trazos[1].anillos[0], cx, cy, r);
    EXPECT_NEAR(r, rp, 0.05) << "the pitch circle, in millimetres";
    auto piezas = piezas_leidas(svg.trazos[0].anillos, cx, cy);
    EXPECT_EQ(contar_dientes(piezas, rp), 20);
    EXPECT_NEAR(espesor_en_primitiva(piezas, rp), teorico, 0.005 * teorico);
    EXPECT_FALSE(piezas[0].huecos.empty()) << "the centre hole";

    ASSERT_EQ(correr({"--exportar", "g.dxf", "--dientes", "20", "--modulo", "2", "--desplazamiento", "0.5"}).estado, 0);
    lectura::Dxf dxf;
    ASSERT_TRUE(lectura::leer_dxf(en("g.dxf"), dxf));
    ASSERT_FALSE(dxf.circulos.empty());
    std::vector<exportar::Anillo> anillos;
    for (const auto& p : dxf.polilineas) anillos.push_back(p.puntos);
    piezas = piezas_leidas(anillos, dxf.circulos[0].cx, dxf.circulos[0].cy);
    EXPECT_EQ(contar_dientes(piezas, rp), 20);
    EXPECT_NEAR(espesor_en_primitiva(piezas, rp), teorico, 0.005 * teorico);
}

// The pair in mesh: the report read back as JSON, the DXF read back as two gears at distance a.
TEST_F(LineaDeOrdenes, InformeJsonDelEngrane) {
    Salida s = correr({"--informe"});
    ASSERT_EQ(s.estado, 0) << s.err;
    nlohmann::json j = nlohmann::json::parse(s.out);
    EXPECT_EQ(j["rueda"]["dientes"], 14);
    EXPECT_NEAR(j["rueda"]["radio_primitivo"].get<double>(), 7.0, 1e-9);
    EXPECT_NEAR(j["rueda"]["radio_base"].get<double>(), 7.0 * std::cos(20 * M_PI / 180), 1e-6);
    EXPECT_NEAR(j["rueda"]["espesor_medido"].get<double>(), M_PI / 2, 0.005);
    EXPECT_EQ(j["rueda"]["socavado"], true);
    EXPECT_FALSE(j.contains("engrane"));

    s = correr({"--informe", "--dientes", "12", "--desplazamiento", "0.3", "--engrane", "40"});
    ASSERT_EQ(s.estado, 0) << s.err;
    j = nlohmann::json::parse(s.out);
    const auto& g = j["engrane"];
    EXPECT_NEAR(g["angulo_funcionamiento"].get<double>(), 21.660904, 1e-4);
    EXPECT_NEAR(g["distancia_funcionamiento"].get<double>(), 26.288371, 1e-4);
    EXPECT_NEAR(g["distancia"].get<double>(), 26.288371, 1e-4);
    EXPECT_NEAR(g["relacion_contacto"].get<double>(), 1.457679, 1e-4);
    EXPECT_NEAR(g["relacion_contacto_medida"].get<double>(), 1.457679, 0.1);
    EXPECT_NEAR(g["juego_normal"].get<double>(), 0, 0.002);
    EXPECT_EQ(g["interferencia"], false);
    EXPECT_EQ(j["rueda2"]["dientes"], 40);
    EXPECT_NEAR(j["rueda2"]["radio_cabeza"].get<double>(), 21, 1e-6);
    EXPECT_EQ(j["rueda"]["socavado"], false);
    for (const char* k : {"modulo", "angulo_presion", "desplazamiento", "radio_pie", "espesor_teorico",
                          "desplazamiento_minimo"}) {
        EXPECT_TRUE(j["rueda"].contains(k)) << k;
        EXPECT_TRUE(j["rueda2"].contains(k)) << k;
    }

    // Module 2, a larger distance: lengths in millimetres, and backlash.
    s = correr({"--informe", "--dientes", "20", "--modulo", "2", "--engrane", "20", "--distancia", "40.2"});
    ASSERT_EQ(s.estado, 0) << s.err;
    j = nlohmann::json::parse(s.out);
    EXPECT_NEAR(j["engrane"]["distancia_funcionamiento"].get<double>(), 40, 1e-9);
    EXPECT_NEAR(j["engrane"]["juego_normal"].get<double>(), 2 * 0.0696729, 0.05 * 2 * 0.0696729);

    s = correr({"--informe", "--engrane", "0"});
    ASSERT_EQ(s.estado, 0) << s.err;
    j = nlohmann::json::parse(s.out);
    EXPECT_EQ(j["rueda2"]["dientes"], 0);
    EXPECT_NEAR(j["engrane"]["relacion_contacto"].get<double>(), 1.721771, 1e-4);
    EXPECT_EQ(j["engrane"]["interferencia"], true);
}

TEST_F(LineaDeOrdenes, ElParEngranadoEnDxf) {
    Salida s = correr({"--exportar", "p.dxf", "--dientes", "20", "--engrane", "30", "--distancia", "25.5", "--informe"});
    ASSERT_EQ(s.estado, 0) << s.err;
    EXPECT_EQ(nlohmann::json::parse(s.out)["engrane"]["distancia"], 25.5);
    lectura::Dxf dxf;
    ASSERT_TRUE(lectura::leer_dxf(en("p.dxf"), dxf));
    std::vector<exportar::Anillo> uno, dos;
    for (const auto& p : dxf.polilineas) {
        EXPECT_TRUE(p.cerrada);
        if (p.capa == "ENGRANAJE") uno.push_back(p.puntos);
        if (p.capa == "ENGRANAJE2") dos.push_back(p.puntos);
    }
    ASSERT_FALSE(uno.empty());
    ASSERT_FALSE(dos.empty());
    // Each gear's tip circle centred on its own centre, 25.5 apart.
    auto centro_de = [](const std::vector<exportar::Anillo>& a, double& cx, double& cy, double& r) {
        size_t mayor = 0;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].size() > a[mayor].size()) mayor = i;
        centro(a[mayor], cx, cy, r);
    };
    double x1, y1, r1, x2, y2, r2;
    centro_de(uno, x1, y1, r1);
    centro_de(dos, x2, y2, r2);
    EXPECT_NEAR(std::hypot(x2 - x1, y2 - y1), 25.5, 0.05);
    EXPECT_NEAR(r1, 11, 0.05);
    EXPECT_NEAR(r2, 16, 0.05);
    auto piezas = piezas_leidas(dos, x2, y2);
    EXPECT_EQ(contar_dientes(piezas, 15), 30);
    ASSERT_EQ(dxf.lineas.size(), 1u);
    EXPECT_EQ(dxf.lineas[0].capa, "ENGRANE");
    // The line of action runs between the two base circles, tangent to both.
    EXPECT_NEAR(std::hypot(dxf.lineas[0].desde.x - x1, dxf.lineas[0].desde.y - y1), 10 * std::cos(20 * M_PI / 180), 0.01);
    EXPECT_NEAR(std::hypot(dxf.lineas[0].hasta.x - x2, dxf.lineas[0].hasta.y - y2), 15 * std::cos(20 * M_PI / 180), 0.01);
}

TEST_F(LineaDeOrdenes, EngraneMalSaleConDosSinArchivo) {
    struct Caso {
        std::vector<std::string> args;
        std::string dice;
    } casos[] = {
        {{"--exportar", "a.svg", "--engrane", "2"}, "--engrane: 2 fuera de 0"},
        {{"--exportar", "a.svg", "--engrane", "-1"}, "--engrane: -1 fuera de 0"},
        {{"--exportar", "a.svg", "--engrane", "x"}, "no es un numero entero"},
        {{"--exportar", "a.svg", "--engrane", "20", "--desplazamiento2", "uno"}, "--desplazamiento2: 'uno'"},
        {{"--exportar", "a.svg", "--engrane", "0", "--desplazamiento2", "0.2"}, "la cremallera no admite"},
        {{"--exportar", "a.svg", "--engrane", "20", "--distancia", "16"}, "menor que la de funcionamiento"},
        {{"--exportar", "a.svg", "--engrane", "20", "--distancia", "-3"}, "--distancia: -3 debe ser mayor que 0"},
        {{"--exportar", "a.svg", "--engrane", "20", "--desplazamiento2", "-12"}, "sin fondo"},
        {{"--exportar", "a.svg", "--distancia", "20"}, "--distancia solo vale con --engrane"},
        {{"--engrane", "20"}, "--engrane solo vale con --exportar, --animacion o --informe"},
        {{"--informe", "--engrane", "20", "--distancia", "10"}, "menor que la de funcionamiento"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.dice);
        Salida s = correr(c.args);
        EXPECT_EQ(s.estado, 2);
        EXPECT_EQ(lineas(s.err), 1) << s.err;
        EXPECT_NE(s.err.find(c.dice), std::string::npos) << s.err;
        EXPECT_EQ(s.out, "");
        EXPECT_FALSE(lectura::existe(en("a.svg")));
    }
}

namespace {

// The outline of an exported DXF as the core's pieces about the gear's centre.
std::vector<Pieza> contorno_dxf(const std::string& ruta) {
    lectura::Dxf dxf;
    if (!lectura::leer_dxf(ruta, dxf) || dxf.circulos.empty()) return {};
    std::vector<exportar::Anillo> anillos;
    for (const auto& p : dxf.polilineas) anillos.push_back(p.puntos);
    return piezas_leidas(anillos, dxf.circulos[0].cx, dxf.circulos[0].cy);
}

// The drawing of a DXF file: its ENTITIES section (the tables hold a value that changes
// from run to run).
std::string entidades(const std::string& ruta) {
    std::string t = lectura::contenido(ruta);
    auto desde = t.find("ENTITIES");
    return desde == std::string::npos ? "" : t.substr(desde, t.find("ENDSEC", desde) - desde);
}

double radio_de_cabeza(const std::vector<Pieza>& piezas) {
    double r = 0;
    for (const auto& p : piezas)
        for (const auto& v : p.exterior) r = std::max(r, std::hypot(v.x, v.y));
    return r;
}

// The options a usage lists, in order: the first word of each line that starts with "--".
std::vector<std::string> opciones_de(const std::string& ayuda) {
    std::vector<std::string> r;
    std::istringstream in(ayuda);
    std::string linea;
    while (std::getline(in, linea)) {
        std::istringstream l(linea);
        std::string palabra;
        if (l >> palabra && palabra.rfind("--", 0) == 0) r.push_back(palabra);
    }
    return r;
}

}  // namespace

// Out of range, a value is refused with one line naming the option and its range, and
// nothing is written; just inside, the same option is taken.
TEST_F(LineaDeOrdenes, ValoresFueraDeRangoSeRechazan) {
    struct Caso {
        std::vector<std::string> args;
        std::string dice;
    };
    const Caso casos[] = {
        {{"--desplazamiento", "-50"}, "--desplazamiento: -50 fuera de -1 ... 1"},
        {{"--desplazamiento", "50"}, "--desplazamiento: 50 fuera de -1 ... 1"},
        {{"--desplazamiento", "1.01"}, "--desplazamiento: 1.01 fuera de -1 ... 1"},
        {{"--dientes", "3", "--desplazamiento", "-0.3"}, "--desplazamiento: -0.3 deja el engranaje sin circunferencia"},
        {{"--angulo", "90"}, "--angulo: 90 fuera de 10 ... 35 grados"},
        {{"--angulo", "0"}, "--angulo: 0 fuera de 10 ... 35 grados"},
        {{"--angulo", "-20"}, "--angulo: -20 fuera de 10 ... 35 grados"},
        {{"--angulo", "9.99"}, "--angulo: 9.99 fuera de 10 ... 35 grados"},
        {{"--angulo", "35.01"}, "--angulo: 35.01 fuera de 10 ... 35 grados"},
        {{"--giro", "360"}, "--giro: 360 fuera de 1 ... 12 grados"},
        {{"--giro", "13"}, "--giro: 13 fuera de 1 ... 12 grados"},
        {{"--giro", "0"}, "--giro: 0 fuera de 1 ... 12 grados"},
        {{"--dientes", "60", "--giro", "4"}, "--giro: 4 fuera de 1 ... 3 grados"},
        {{"--experimental", "--diametro-primitivo", "0"}, "--diametro-primitivo: 0 fuera de mas de 0 ... 504 mm"},
        {{"--experimental", "--diametro-primitivo", "1e30"}, "--diametro-primitivo: 1e30 fuera de"},
        {{"--experimental", "--diametro-exterior", "-5"}, "--diametro-exterior: -5 fuera de"},
        {{"--experimental", "--diametro-interior", "15"}, "--diametro-interior: 15 no vale con los otros datos"},
        {{"--experimental", "--flecha", "1e30"}, "--flecha: 1e30 fuera de -0.5 ... 0.5 mm"},
        {{"--experimental", "--modulo", "3e38"}, "--modulo: 3e38 fuera de 1 ... 50 mm"},
        {{"--experimental", "--modulo", "0.5"}, "--modulo: 0.5 fuera de 1 ... 50 mm"},
        {{"--experimental", "--radio-cabeza", "-1"}, "--radio-cabeza: -1 fuera de 0 o mas"},
        {{"--experimental", "--radio-cabeza", "5"}, "--radio-cabeza: 5 no vale con los otros datos"},
        {{"--experimental", "--angulo2", "40"}, "--angulo2: 40 fuera de 10 ... 35 grados"},
        {{"--dientes", "0"}, "--dientes: 0 fuera de 3 ... 500"},
        {{"--dientes", "-5"}, "--dientes: -5 fuera de 3 ... 500"},
        {{"--dientes", "2"}, "--dientes: 2 fuera de 3 ... 500"},
        {{"--dientes", "501"}, "--dientes: 501 fuera de 3 ... 500"},
        {{"--dientes", "1000"}, "--dientes: 1000 fuera de 3 ... 500"},
        {{"--dientes", "2147483647"}, "--dientes: 2147483647 fuera de 3 ... 500"},
        {{"--dientes", "16777217"}, "--dientes: 16777217 fuera de 3 ... 500"},
        {{"--dientes", "0x10"}, "--dientes: '0x10' no es un numero entero"},
        {{"--angulo", "inf"}, "--angulo: 'inf' no es un numero"},
        {{"--angulo", "nan"}, "--angulo: 'nan' no es un numero"},
        {{"--tamano", "20000"}, "--tamano: 20000 fuera de 16 ... 8000 pixeles"},
        {{"--tamano", "8001"}, "--tamano: 8001 fuera de 16 ... 8000 pixeles"},
        {{"--tamano", "15"}, "--tamano: 15 fuera de 16 ... 8000 pixeles"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.dice);
        std::vector<std::string> args{"--exportar", "a.png"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        Salida s = correr(args);
        EXPECT_EQ(s.estado, 2);
        EXPECT_EQ(lineas(s.err), 1) << s.err;
        EXPECT_NE(s.err.find(c.dice), std::string::npos) << s.err;
        EXPECT_FALSE(lectura::existe(en("a.png")));
    }
    // The other side of each bound is taken.
    for (const std::vector<std::string>& bien :
         {std::vector<std::string>{"--dientes", "3", "--angulo", "10", "--giro", "12", "--tamano", "16"},
          {"--angulo", "35", "--desplazamiento", "1"},
          {"--desplazamiento", "-1", "--dientes", "20", "--giro", "9"},
          {"--experimental", "--modulo", "1", "--flecha", "0.5"},
          {"--experimental", "--angulo2", "35"},
          {"--experimental", "--diametro-primitivo", "14", "--diametro-interior", "14"}}) {
        std::vector<std::string> args{"--exportar", "b.svg"};
        args.insert(args.end(), bien.begin(), bien.end());
        Salida s = correr(args);
        EXPECT_EQ(s.estado, 0) << s.err;
        EXPECT_TRUE(lectura::existe(en("b.svg")));
        std::remove(en("b.svg").c_str());
    }
}

// The shift turns the blank to the textbook tip m(Z/2 + 1 + x) and moves the root to
// m(Z/2 - 1.25 + x) in either direction; the text block says so. In the experimental
// simulation the shift moves the rack as in the standard one.
TEST_F(LineaDeOrdenes, ElDesplazamientoMueveCabezaYFondo) {
    struct Caso {
        std::vector<std::string> args;
        double m, z, x;
        std::string diametros;
    };
    const Caso casos[] = {
        {{"--dientes", "12", "--modulo", "3", "--desplazamiento", "-0.2"}, 3, 12, -0.2,
         "exterior 40.8 mm, interior 27.3 mm"},
        {{"--dientes", "20", "--desplazamiento", "-0.5"}, 1, 20, -0.5, "exterior 21 mm, interior 16.5 mm"},
        {{"--desplazamiento", "0,5"}, 1, 14, 0.5, "exterior 17 mm, interior 12.5 mm"},
        {{"--desplazamiento", "-0.3"}, 1, 14, -0.3, "exterior 15.4 mm, interior 10.9 mm"},
        {{"--experimental", "--desplazamiento", "0.5"}, 1, 14, 0.5, "exterior 17 mm, interior 12.5 mm"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.diametros);
        std::vector<std::string> args{"--exportar", "g.dxf"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ASSERT_EQ(correr(args).estado, 0);
        auto piezas = contorno_dxf(en("g.dxf"));
        ASSERT_FALSE(piezas.empty());
        double rp = c.m * c.z / 2;
        EXPECT_NEAR(radio_de_cabeza(piezas), rp + c.m * (1 + c.x), 0.002 * c.m) << "tip";
        EXPECT_NEAR(radio_de_fondo(piezas), rp - c.m * (1.25 - c.x), 0.005 * c.m) << "root";
        EXPECT_EQ(contar_dientes(piezas, rp), static_cast<int>(c.z));
        // An undercut may thin the tooth on the pitch circle: the textbook thickness holds above it.
        if (c.x >= desplazamiento_minimo(c.z, 20)) {
            EXPECT_NEAR(espesor_en_primitiva(piezas, rp), espesor_teorico(c.m, 20, c.x),
                        0.005 * espesor_teorico(c.m, 20, c.x));
        }
        std::string dxf = lectura::contenido(en("g.dxf"));
        EXPECT_NE(dxf.find(c.diametros), std::string::npos) << "the text block's diameters";
    }
}

// A decimal comma is read as the point; the default name of the panel carries the shift.
TEST_F(LineaDeOrdenes, ComaDecimal) {
    ASSERT_EQ(correr({"--exportar", "c.dxf", "--angulo", "22,5", "--desplazamiento", "0,25"}).estado, 0);
    std::string dxf = lectura::contenido(en("c.dxf"));
    EXPECT_NE(dxf.find("Angulo de presion: 22.5 grados"), std::string::npos);
    EXPECT_NE(dxf.find("Coeficiente de desplazamiento: 0.25"), std::string::npos);
    Salida s = correr({"--exportar", "d.dxf", "--angulo", "2,2,5"});
    EXPECT_EQ(s.estado, 2);
    EXPECT_NE(s.err.find("'2,2,5' no es un numero"), std::string::npos) << s.err;
    EXPECT_EQ(correr({"--exportar", "d.dxf", "--angulo", "22.5,0"}).estado, 2) << "a point and a comma";
}

// "--asimetrico", or a second angle, cuts the asymmetric tooth; the text block names the
// second angle only then. "--sin-iso" and "--sin-flecha" leave those rack options out.
TEST_F(LineaDeOrdenes, OpcionesDeLasCasillasExperimentales) {
    ASSERT_EQ(correr({"--exportar", "s.dxf", "--experimental"}).estado, 0);
    ASSERT_EQ(correr({"--exportar", "a.dxf", "--experimental", "--angulo2", "30"}).estado, 0);
    ASSERT_EQ(correr({"--exportar", "b.dxf", "--experimental", "--asimetrico", "--angulo2", "30"}).estado, 0);
    ASSERT_EQ(correr({"--exportar", "c.dxf", "--experimental", "--asimetrico"}).estado, 0);
    std::string simetrico = lectura::contenido(en("s.dxf"));
    EXPECT_EQ(simetrico.find("Segundo angulo"), std::string::npos);
    EXPECT_NE(lectura::contenido(en("a.dxf")).find("Segundo angulo: 30 grados"), std::string::npos);
    EXPECT_EQ(entidades(en("a.dxf")), entidades(en("b.dxf")));
    EXPECT_NE(entidades(en("a.dxf")), "");
    EXPECT_NE(lectura::contenido(en("c.dxf")).find("Segundo angulo: 20 grados"), std::string::npos);
    // With 30 degrees on one flank the tooth is thinner at the tip than the symmetric one:
    // both flanks cross the pitch circle where they did, but one leans more.
    auto sim = contorno_dxf(en("s.dxf")), asim = contorno_dxf(en("a.dxf"));
    ASSERT_FALSE(sim.empty());
    ASSERT_FALSE(asim.empty());
    EXPECT_EQ(contar_dientes(asim, 7), 14);
    EXPECT_NEAR(espesor_en_primitiva(asim, 7), espesor_en_primitiva(sim, 7), 0.01);
    EXPECT_LT(espesor_en_primitiva(asim, 7.8), espesor_en_primitiva(sim, 7.8) - 0.02) << "near the tip";

    ASSERT_EQ(correr({"--exportar", "f.dxf", "--experimental", "--flecha", "0.2"}).estado, 0);
    ASSERT_EQ(correr({"--exportar", "g.dxf", "--experimental", "--flecha", "0.2", "--sin-flecha"}).estado, 0);
    EXPECT_NE(lectura::contenido(en("f.dxf")).find("Flecha: 0.2"), std::string::npos);
    EXPECT_EQ(lectura::contenido(en("g.dxf")).find("Flecha"), std::string::npos);
    EXPECT_NE(entidades(en("f.dxf")), entidades(en("g.dxf")));
    ASSERT_EQ(correr({"--exportar", "i.dxf", "--experimental", "--sin-iso"}).estado, 0);
    EXPECT_EQ(lectura::contenido(en("i.dxf")).find("Radio de cabeza"), std::string::npos);
    EXPECT_NE(simetrico.find("Radio de cabeza"), std::string::npos);
    Salida s = correr({"--exportar", "x.dxf", "--asimetrico"});
    EXPECT_EQ(s.estado, 2);
    EXPECT_NE(s.err.find("--asimetrico solo vale con --experimental"), std::string::npos) << s.err;
}

// The text block lies within the sheet: read back from the PDF, every line is whole.
TEST_F(LineaDeOrdenes, ElTextoCabeEnLaHoja) {
    struct Caso {
        const char* modulo;
        const char* linea;
    };
    for (Caso c : {Caso{"1", "Diametros: primitivo 100 mm, exterior 102 mm, interior 97.5 mm"},
                   Caso{"3", "Diametros: primitivo 300 mm, exterior 306 mm, interior 292.5 mm"}}) {
        SCOPED_TRACE(c.modulo);
        ASSERT_EQ(correr({"--exportar", "t.pdf", "--dientes", "100", "--modulo", c.modulo}).estado, 0);
        ASSERT_EQ(std::system(("pdftotext -layout " + comillas(en("t.pdf")) + " " + comillas(en("t.txt"))).c_str()), 0);
        std::string texto = lectura::contenido(en("t.txt"));
        std::string junto;
        for (char ch : texto) {
            if (ch == ' ' && !junto.empty() && junto.back() == ' ') continue;
            junto += ch;
        }
        EXPECT_NE(junto.find(c.linea), std::string::npos) << texto;
        EXPECT_NE(junto.find("Dientes: 100 Modulo: " + std::string(c.modulo) + " mm Angulo de presion: 20 grados"),
                  std::string::npos)
            << texto;
    }
}

// The handout: an A4 page, the scale printed, the data table with the textbook values and
// the warnings that apply; what cannot be placed or written as asked is refused, no file left.
TEST_F(LineaDeOrdenes, LaHojaA4ConSuEscalaYSuTabla) {
    auto leer = [this](const std::string& pdf) {
        std::string orden = "pdftotext -layout " + comillas(en(pdf)) + " " + comillas(en("h.txt"));
        EXPECT_EQ(std::system(orden.c_str()), 0);
        std::string junto;
        for (char ch : lectura::contenido(en("h.txt"))) {
            if (ch == ' ' && !junto.empty() && junto.back() == ' ') continue;
            junto += ch;
        }
        return junto;
    };
    ASSERT_EQ(correr({"--exportar", "a.pdf", "--hoja", "a4"}).estado, 0);
    lectura::Pdf pdf;
    ASSERT_TRUE(lectura::leer_pdf(en("a.pdf"), pdf));
    ASSERT_EQ(pdf.caja.size(), 4u);
    EXPECT_NEAR(pdf.caja[2] / 72 * 25.4, 210, 0.01);
    EXPECT_NEAR(pdf.caja[3] / 72 * 25.4, 297, 0.01);
    std::string t = leer("a.pdf");
    for (const char* trozo : {"Escala 1:1", "Numero de dientes 14", "Diametro exterior 16.000 mm",
                              "Diametro base 13.156 mm", "Socavacion si", "Desplazamiento minimo 0.182"})
        EXPECT_NE(t.find(trozo), std::string::npos) << trozo << "\n" << t;
    EXPECT_EQ(t.find("Diente puntiagudo"), std::string::npos) << t;

    // Z 8 at its least shift: enlarged to the largest scale that fits, a pointed tooth.
    ASSERT_EQ(correr({"--exportar", "b.pdf", "--hoja", "a4-ampliada", "--dientes", "8", "--desplazamiento", "0.533"}).estado, 0);
    t = leer("b.pdf");
    for (const char* trozo : {"Escala 10:1", "Socavacion no", "Coeficiente de desplazamiento 0.533", "Diente puntiagudo"})
        EXPECT_NE(t.find(trozo), std::string::npos) << trozo << "\n" << t;
    ASSERT_EQ(correr({"--exportar", "c.pdf", "--hoja", "a4", "--escala", "5:1", "--idioma", "en"}).estado, 0);
    t = leer("c.pdf");
    for (const char* trozo : {"Scale 5:1", "Number of teeth 14", "Undercut yes"})
        EXPECT_NE(t.find(trozo), std::string::npos) << trozo << "\n" << t;

    struct Malo {
        std::vector<std::string> args;
        const char* dice;
    };
    for (const Malo& m : std::vector<Malo>{
             {{"--exportar", "m.svg", "--hoja", "a4"}, "solo se escribe en PDF"},
             {{"--exportar", "m.pdf", "--hoja", "a4", "--escala", "20:1"}, "mediria 320 x 316 mm"},
             {{"--exportar", "m.pdf", "--hoja", "a5"}, "--hoja"},
             {{"--exportar", "m.pdf", "--hoja", "a4", "--escala", "3:2"}, "--escala"},
             {{"--exportar", "m.pdf", "--escala", "2:1"}, "--escala solo vale con --hoja a4"},
             {{"--animacion", "m.gif", "--hoja", "a4"}, "--hoja solo vale con --exportar"}}) {
        Salida s = correr(m.args);
        EXPECT_EQ(s.estado, 2) << m.args[1];
        EXPECT_NE(s.err.find(m.dice), std::string::npos) << s.err;
        EXPECT_NE(access(en("m.pdf").c_str(), F_OK), 0) << "nothing written";
        EXPECT_NE(access(en("m.svg").c_str(), F_OK), 0);
    }
}

TEST_F(LineaDeOrdenes, LaAyudaEnLosDosIdiomasTieneLasMismasOpciones) {
    Salida es = correr({"--help"});
    ASSERT_EQ(es.estado, 0);
    std::vector<std::string> opciones = opciones_de(es.out);
    EXPECT_EQ(opciones.size(), 32u) << es.out;
    EXPECT_NE(std::find(opciones.begin(), opciones.end(), "--idioma"), opciones.end());
    for (const auto& [args, entorno] : std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>>{
             {{"--idioma", "en", "--help"}, {}},
             {{"--help", "--idioma", "en"}, {"LANG=es_ES.UTF-8"}},
             {{"--help"}, {"LANG=en_US.UTF-8"}},
             {{"--help"}, {"LANGUAGE=en", "LANG=C"}},
             {{"--help"}, {"LC_ALL=en_GB.UTF-8", "LANG=es_ES.UTF-8"}}}) {
        SCOPED_TRACE(args.front() + (entorno.empty() ? "" : " " + entorno.front()));
        Salida en = correr(args, entorno);
        EXPECT_EQ(en.estado, 0);
        EXPECT_EQ(en.out.rfind("Usage: ortanel [OPTIONS]\n", 0), 0u) << en.out;
        EXPECT_EQ(opciones_de(en.out), opciones) << "option names stay as they are";
        EXPECT_NE(en.out.find("--exportar FILE "), std::string::npos);
        EXPECT_EQ(lineas(en.out), lineas(es.out));
    }
    for (const auto& entorno : std::vector<std::vector<std::string>>{
             {}, {"LANG=C"}, {"LANG=POSIX"}, {"LANG=de_DE.UTF-8"}, {"LANG=es_ES.UTF-8"}, {"LANG=en_US.UTF-8"}}) {
        std::vector<std::string> args{"--help"};
        if (!entorno.empty() && entorno.front() == "LANG=en_US.UTF-8") args = {"--idioma", "es", "--help"};
        EXPECT_EQ(correr(args, entorno).out, es.out) << "Spanish: " << (entorno.empty() ? "nothing set" : entorno.front());
    }
    EXPECT_EQ(es.out.rfind("Uso: ortanel [OPCIONES]\nSin opciones abre el simulador", 0), 0u);
    EXPECT_NE(es.out.find("\n  --exportar ARCHIVO      talla el engranaje sin ventanas"), std::string::npos);
}

TEST_F(LineaDeOrdenes, EnInglesLosErroresYElBloqueDeTexto) {
    Salida s = correr({"--idioma", "en", "--exportar", "a.svg", "--dientes", "veinte"});
    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.err, "ortanel: --dientes: 'veinte' is not a whole number\n");
    s = correr({"--idioma", "en", "--dientez"});
    EXPECT_EQ(s.err, "ortanel: unknown option: --dientez (ortanel --help shows the usage)\n");
    s = correr({"--idioma", "fr"});
    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.err, "ortanel: --idioma: 'fr' no es un idioma disponible (es, en) (ortanel --help muestra el uso)\n");
    EXPECT_EQ(correr({"--idioma"}).estado, 2);

    ASSERT_EQ(correr({"--exportar", "e.dxf", "--experimental", "--modulo", "2.5"}, {"LANG=en_US.UTF-8"}).estado, 0);
    lectura::Dxf dxf;
    ASSERT_TRUE(lectura::leer_dxf(en("e.dxf"), dxf));
    ASSERT_GE(dxf.textos.size(), 6u);
    EXPECT_EQ(dxf.textos[0], "Ortanel 2.01 - Experimental simulation");
    EXPECT_EQ(dxf.textos[1], "Teeth: 14   Module: 2.5 mm   Pressure angle: 20 degrees");
    EXPECT_EQ(dxf.textos[2], "Profile shift coefficient: 0");

    ASSERT_EQ(correr({"--exportar", "e.dxf", "--experimental", "--modulo", "2.5"}).estado, 0);
    lectura::Dxf espanol;
    ASSERT_TRUE(lectura::leer_dxf(en("e.dxf"), espanol));
    ASSERT_GE(espanol.textos.size(), 2u);
    EXPECT_EQ(espanol.textos[1], "Dientes: 14   Modulo: 2.5 mm   Angulo de presion: 20 grados");
}
