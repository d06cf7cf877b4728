// The whole cut as an animated GIF, read back with giflib's decoder: the pictures a viewer
// shows, counted, measured and looked at pixel by pixel.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "exportar/animacion.h"
#include "exportar/gif.h"
#include "lectura.h"
#include "nucleo/panel.h"
#include "nucleo/animacion_corte.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/sesion.h"

namespace {

class Animar : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        std::string plantilla = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ortanel-anim-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        dir = plantilla;
    }
    void TearDown() override {
        std::system(("rm -rf '" + dir + "'").c_str());
        GLUI_Master.reset();
        estado_inicial();
    }
    std::string en(const std::string& nombre) const { return dir + "/" + nombre; }

    // The names in the scratch directory, hidden ones included.
    std::set<std::string> archivos() const {
        std::set<std::string> r;
        DIR* d = opendir(dir.c_str());
        while (dirent* e = d ? readdir(d) : nullptr)
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") r.insert(e->d_name);
        if (d) closedir(d);
        return r;
    }
};

void abrir(int modo, const std::vector<std::pair<std::string, std::string>>& valores) {
    sesion_abrir(modo);
    for (const auto& [o, v] : valores) ASSERT_EQ(sesion_fijar(o, v), "") << o;
}

// Where a point of the scene (mm) falls in a picture `ancho` pixels wide: the view is the
// square the screen shows around the blank.
struct Encuadre {
    double centro_x, centro_y, escala;
    explicit Encuadre(int ancho) {
        double lado = 2.8 * std::fabs(Origen);
        escala = ancho / lado;
        centro_x = centro_y = ancho / 2.0;
    }
};

uint32_t rgb(const float c[3]) {
    auto k = [](float v) { return static_cast<uint32_t>(std::lround(v * 255.0)); };
    return k(c[0]) << 16 | k(c[1]) << 8 | k(c[2]);
}

// Tooth spaces along the circle of radius r (mm) about the blank's centre: runs of background
// pixels, read in 3600 steps. An edge pixel crossed at a slant can break a run in two or make
// a run of its own, so runs shorter than two pixels of arc are taken with their neighbours.
int huecos_en_circulo(const std::vector<uint32_t>& p, int ancho, double r, uint32_t fondo) {
    Encuadre e(ancho);
    const int N = 3600;
    std::vector<bool> vacio(N);
    for (int i = 0; i < N; ++i) {
        double a = 2 * M_PI * i / N;
        int x = static_cast<int>(std::floor(e.centro_x + r * std::cos(a) * e.escala));
        int y = static_cast<int>(std::floor(e.centro_y - r * std::sin(a) * e.escala));
        vacio[static_cast<size_t>(i)] = p[static_cast<size_t>(y) * static_cast<size_t>(ancho) + static_cast<size_t>(x)] == fondo;
    }
    // Runs around the circle, starting at a change (none: all one run).
    int inicio = 0;
    while (inicio < N && vacio[static_cast<size_t>(inicio)] == vacio[static_cast<size_t>((inicio + N - 1) % N)]) ++inicio;
    if (inicio == N) return 0;
    std::vector<std::pair<bool, int>> tramos;
    for (int k = 0; k < N; ++k) {
        bool v = vacio[static_cast<size_t>((inicio + k) % N)];
        if (tramos.empty() || tramos.back().first != v) tramos.emplace_back(v, 0);
        ++tramos.back().second;
    }
    int corto = static_cast<int>(std::ceil(2.0 * N / (2 * M_PI * r * e.escala)));
    std::vector<bool> largos;
    for (const auto& [v, n] : tramos)
        if (n >= corto && (largos.empty() || largos.back() != v)) largos.push_back(v);
    if (largos.size() > 1 && largos.front() == largos.back()) largos.pop_back();
    return static_cast<int>(std::count(largos.begin(), largos.end(), true));
}

struct Leida {
    lectura::Gif g;
    std::vector<uint32_t> primera, ultima;
    std::set<uint32_t> colores;  // every colour any picture shows
};

Leida leer(const std::string& ruta) {
    Leida l;
    size_t n = 0;
    EXPECT_TRUE(lectura::leer_gif(ruta, l.g, [&](size_t i, const std::vector<uint32_t>& p) {
        if (i == 0) l.primera = p;
        l.ultima = p;
        l.colores.insert(p.begin(), p.end());
        n = i + 1;
    }));
    EXPECT_EQ(n, l.g.imagenes.size());
    return l;
}

}  // namespace

TEST_F(Animar, ElBlancoEnteroAlPrincipioYZHuecosAlFinalEnVariosEngranajes) {
    struct Caso {
        int modo;
        std::vector<std::pair<std::string, std::string>> valores;
        int z;
    };
    for (const Caso& c : {Caso{SIMULACION_ESTANDAR, {}, 14},
                          Caso{SIMULACION_ESTANDAR, {{"dientes", "27"}, {"modulo", "2"}, {"desplazamiento", "0.2"}}, 27},
                          Caso{SIMULACION_EXPERIMENTAL, {{"dientes", "19"}, {"angulo", "25"}}, 19}}) {
        SCOPED_TRACE(c.z);
        abrir(c.modo, c.valores);
        OpcionesAnimacion o;
        o.ancho = 320;
        o.paso = 40;
        std::string ruta = en("z.gif");
        ASSERT_EQ(animar_corte(ruta, o), "");
        Leida l = leer(ruta);
        ASSERT_FALSE(l.ultima.empty());
        uint32_t fondo = rgb(ColorFondo);
        EXPECT_EQ(huecos_en_circulo(l.primera, o.ancho, Rp, fondo), 0) << "the whole blank, no tooth space";
        EXPECT_EQ(huecos_en_circulo(l.primera, o.ancho, 0.97 * Rc, fondo), 0);
        EXPECT_EQ(huecos_en_circulo(l.ultima, o.ancho, Rp, fondo), c.z) << "one space a tooth on the pitch circle";
        EXPECT_EQ(huecos_en_circulo(l.ultima, o.ancho, 0.5 * (Rp + radio_circ_fondo()), fondo), c.z);
        EXPECT_EQ(huecos_en_circulo(l.ultima, o.ancho, 0.5 * Rp, fondo), 0) << "nothing cut inside the root circle";
    }
}

TEST_F(Animar, RepiteConElTamanoElRetardoYLosCuadrosPedidos) {
    abrir(SIMULACION_ESTANDAR, {});
    long m = movimientos_animados(false);
    EXPECT_EQ(m, 10 + 361) << "the first approach and a rolling step a degree, up past 360";
    long con_retorno = movimientos_animados(true);
    EXPECT_GT(con_retorno, m + 40);
    EXPECT_EQ((con_retorno - m - 10) % 40, 0) << "each pass after the first withdraws, travels back and rises (10, 20 "
                                                 "and 10 moves), and the cut ends withdrawn (10)";
    OpcionesAnimacion omision;
    EXPECT_EQ(paso_de(omision, m), 2);
    EXPECT_EQ(paso_de(omision, con_retorno), static_cast<int>(std::lround(con_retorno / 240.0)));
    EXPECT_EQ(paso_de(omision, 10), 1);

    OpcionesAnimacion o;
    o.ancho = 150;
    o.paso = 50;
    o.retardo = 9;
    std::string ruta = en("a.gif");
    std::vector<std::pair<int, int>> avance;
    ASSERT_EQ(animar_corte(ruta, o, [&avance](int h, int t) { avance.emplace_back(h, t); }), "");
    Leida l = leer(ruta);
    EXPECT_TRUE(l.g.bucle);
    EXPECT_EQ(l.g.repeticiones, 0);
    EXPECT_EQ(l.g.ancho, 150);
    EXPECT_EQ(l.g.alto, exportar::alto_animacion(150, texto_del_corte().size()));
    // The blank, a picture every 50 shown moves, and the ended cut.
    size_t esperados = 1 + static_cast<size_t>(m / 50) + 1;
    EXPECT_EQ(l.g.imagenes.size(), esperados);
    for (const auto& im : l.g.imagenes) EXPECT_EQ(im.retardo, 9);
    ASSERT_EQ(avance.size(), esperados);
    for (size_t i = 0; i < avance.size(); ++i) {
        EXPECT_EQ(avance[i].first, static_cast<int>(i + 1));
        EXPECT_EQ(avance[i].second, static_cast<int>(esperados));
    }

    o.con_retorno = true;
    o.datos = false;
    ASSERT_EQ(animar_corte(ruta, o), "");
    l = leer(ruta);
    EXPECT_EQ(l.g.alto, 150) << "no text block: a square";
    EXPECT_GE(l.g.imagenes.size(), static_cast<size_t>(con_retorno / 50));
    EXPECT_LE(l.g.imagenes.size(), static_cast<size_t>(con_retorno / 50 + 2));
}

TEST_F(Animar, LosColoresSonLosDelPrograma) {
    abrir(SIMULACION_ESTANDAR, {});
    OpcionesAnimacion o;
    o.ancho = 200;
    o.paso = 100;
    std::string ruta = en("c.gif");
    ASSERT_EQ(animar_corte(ruta, o), "");
    Leida l = leer(ruta);
    std::vector<exportar::Color> programa;
    for (const float* c : std::vector<const float*>{ColorFondo, ColorEngranaje, ColorCremallera, ColorCirPaso, ColorCirFondo, BLANCO})
        programa.push_back({c[0], c[1], c[2]});
    std::set<uint32_t> admitidos;
    for (const auto& c : exportar::paleta_con_mezclas(programa))
        admitidos.insert(static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b);
    for (uint32_t c : l.colores) EXPECT_TRUE(admitidos.count(c)) << std::hex << c << " is no colour of the program";
    for (const float* c : std::vector<const float*>{ColorFondo, ColorEngranaje, ColorCremallera, ColorCirPaso, ColorCirFondo})
        EXPECT_TRUE(l.colores.count(rgb(c))) << std::hex << rgb(c) << " not shown";
    Encuadre e(o.ancho);
    auto px = [&](const std::vector<uint32_t>& p, double x, double y) {
        return p[static_cast<size_t>(std::floor(e.centro_y - y * e.escala)) * static_cast<size_t>(o.ancho) +
                 static_cast<size_t>(std::floor(e.centro_x + x * e.escala))];
    };
    EXPECT_EQ(px(l.primera, 0, 0.5 * Rp), rgb(ColorEngranaje)) << "the blank";
    EXPECT_EQ(px(l.primera, 0, 0), rgb(ColorFondo)) << "the blank's centre hole";
    EXPECT_EQ(px(l.primera, 0, Origen + 0.5 * (Rc - Rb)), rgb(ColorCremallera)) << "the rack under the blank";

    // The colours as the user set them are the ones written.
    const float verde[3] = {0, 0.5f, 0}, gris[3] = {0.2f, 0.2f, 0.2f};
    std::copy(verde, verde + 3, ColorEngranaje);
    std::copy(gris, gris + 3, ColorFondo);
    C_Fondo_ON = 0;
    ASSERT_EQ(animar_corte(ruta, o), "");
    l = leer(ruta);
    EXPECT_EQ(px(l.primera, 0, 0.5 * Rp), rgb(verde));
    EXPECT_EQ(px(l.primera, 0, 0), rgb(gris));
    EXPECT_TRUE(l.colores.count(rgb(verde)));
    EXPECT_FALSE(l.colores.count(rgb(ColorCirFondo))) << "the root circle switched off is not drawn";
    EXPECT_FALSE(l.colores.count(0xFF0000u));
}

TEST_F(Animar, LoRechazadoNoEscribeNadaNiTocaLoQueHabia) {
    abrir(SIMULACION_ESTANDAR, {});
    std::string viejo = en("viejo.gif");
    { std::FILE* f = std::fopen(viejo.c_str(), "w"); std::fputs("viejo", f); std::fclose(f); }
    auto con = [](auto cambiar) {
        OpcionesAnimacion o;
        o.ancho = 100;
        cambiar(o);
        return o;
    };
    struct Caso {
        std::string ruta;
        OpcionesAnimacion o;
        std::string trozo;
    };
    std::vector<Caso> casos{
        {viejo, con([](OpcionesAnimacion& o) { o.ancho = 0; }), "--tamano"},
        {viejo, con([](OpcionesAnimacion& o) { o.ancho = 8001; }), "8000"},
        {viejo, con([](OpcionesAnimacion& o) { o.paso = -1; }), "--paso"},
        {viejo, con([](OpcionesAnimacion& o) { o.retardo = 0; }), "--retardo"},
        {en("a.png"), con([](OpcionesAnimacion&) {}), ".gif"},
        {en("gif"), con([](OpcionesAnimacion&) {}), ".gif"},
        {en("no/hay/a.gif"), con([](OpcionesAnimacion&) {}), "no existe"},
        {dir, con([](OpcionesAnimacion&) {}), ".gif"},
    };
    ASSERT_EQ(mkdir(en("d.gif").c_str(), 0700), 0);
    casos.push_back({en("d.gif"), con([](OpcionesAnimacion&) {}), "directorio"});
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ruta);
        std::string fallo = animar_corte(c.ruta, c.o);
        EXPECT_NE(fallo.find(c.trozo), std::string::npos) << fallo;
        EXPECT_EQ(fallo.find('\n'), std::string::npos) << "one line";
        EXPECT_EQ(archivos(), (std::set<std::string>{"viejo.gif", "d.gif"})) << "nothing written, nothing left";
        EXPECT_EQ(lectura::contenido(viejo), "viejo");
    }
    if (getuid() != 0) {
        ASSERT_EQ(mkdir(en("cerrado").c_str(), 0500), 0);
        EXPECT_NE(animar_corte(en("cerrado/a.gif"), con([](OpcionesAnimacion&) {})), "");
        EXPECT_FALSE(lectura::existe(en("cerrado/a.gif")));
    }
    // A good run replaces the file whole.
    ASSERT_EQ(animar_corte(viejo, con([](OpcionesAnimacion& o) { o.paso = 400; })), "");
    EXPECT_EQ(lectura::contenido(viejo).substr(0, 6), "GIF89a");
}
