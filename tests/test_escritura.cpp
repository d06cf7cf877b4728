#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "exportar/escritura.h"
#include "lectura.h"

using exportar::escribir_seguro;

namespace {

class Escritura : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        std::string plantilla = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                                "/ortanel-escritura-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        dir = plantilla;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    int archivos() const {
        int n = 0;
        DIR* d = opendir(dir.c_str());
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++n;
        closedir(d);
        return n;
    }
    static void poner(const std::string& ruta, const std::string& texto) { std::ofstream(ruta) << texto; }
};

}  // namespace

TEST_F(Escritura, EscribeYRenombra) {
    std::string destino = dir + "/a.txt";
    std::string visto;
    EXPECT_EQ(escribir_seguro(destino,
                              [&](const std::string& tmp) {
                                  visto = tmp;
                                  poner(tmp, "nuevo");
                                  return std::string();
                              }),
              "");
    EXPECT_EQ(visto.substr(0, dir.size() + 1), dir + "/") << "the temporary file sits beside the target";
    EXPECT_NE(visto, destino);
    EXPECT_EQ(lectura::contenido(destino), "nuevo");
    EXPECT_EQ(archivos(), 1) << "no temporary file left behind";
    struct stat st {};
    ASSERT_EQ(stat(destino.c_str(), &st), 0);
    mode_t mascara = umask(0);
    umask(mascara);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mascara) << "permissions of an ordinary new file";

    poner(destino, "viejo");
    EXPECT_EQ(escribir_seguro(destino, [](const std::string& tmp) { poner(tmp, "otro"); return std::string(); }), "");
    EXPECT_EQ(lectura::contenido(destino), "otro") << "an existing file is replaced when all went well";
}

TEST_F(Escritura, UnFalloNoTocaElArchivoQueHabia) {
    std::string destino = dir + "/a.txt";
    poner(destino, "viejo");
    std::string fallo = escribir_seguro(destino, [](const std::string& tmp) {
        poner(tmp, "medio arch");
        return std::string("disco lleno");
    });
    EXPECT_NE(fallo.find("disco lleno"), std::string::npos) << fallo;
    EXPECT_NE(fallo.find(destino), std::string::npos) << "the message names the file: " << fallo;
    EXPECT_EQ(lectura::contenido(destino), "viejo");
    EXPECT_EQ(archivos(), 1);

    std::string nuevo = dir + "/b.txt";
    EXPECT_NE(escribir_seguro(nuevo, [](const std::string&) { return std::string("no"); }), "");
    EXPECT_FALSE(lectura::existe(nuevo)) << "no half file";
    EXPECT_EQ(archivos(), 1);
}

TEST_F(Escritura, DestinosImposibles) {
    int llamadas = 0;
    auto escribir = [&](const std::string& tmp) {
        ++llamadas;
        poner(tmp, "x");
        return std::string();
    };
    std::string fallo = escribir_seguro(dir + "/no/hay/a.svg", escribir);
    EXPECT_NE(fallo.find(dir + "/no/hay"), std::string::npos) << "names the directory: " << fallo;
    poner(dir + "/archivo", "x");
    EXPECT_NE(escribir_seguro(dir + "/archivo/a.svg", escribir), "") << "a file where a directory should be";
    EXPECT_NE(escribir_seguro(dir, escribir).find("directorio"), std::string::npos) << "the target is a directory";
    EXPECT_NE(escribir_seguro(dir + "/", escribir), "") << "no file name";
    EXPECT_EQ(llamadas, 0) << "nothing is written when the target cannot be made";
    EXPECT_EQ(archivos(), 1);
}

TEST_F(Escritura, RutaSinDirectorioVaAlDirectorioActual) {
    char previo[4096];
    ASSERT_NE(getcwd(previo, sizeof previo), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    std::string fallo = escribir_seguro("c.txt", [](const std::string& tmp) {
        poner(tmp, "aqui");
        return std::string();
    });
    ASSERT_EQ(chdir(previo), 0);
    EXPECT_EQ(fallo, "");
    EXPECT_EQ(lectura::contenido(dir + "/c.txt"), "aqui");
}
