#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "exportar/escritura.h"
#include "lectura.h"

using exportar::escribir_seguro;
using exportar::Temporal;

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

    // Runs `hacer` in a child process; returns its wait status.
    static int en_hijo(const std::function<int()>& hacer) {
        pid_t hijo = fork();
        if (hijo == 0) _exit(hacer());
        int estado = 0;
        waitpid(hijo, &estado, 0);
        return estado;
    }
};

}  // namespace

TEST_F(Escritura, EscribeYRenombra) {
    std::string destino = dir + "/a.txt";
    EXPECT_EQ(escribir_seguro(destino, "nuevo"), "");
    EXPECT_EQ(lectura::contenido(destino), "nuevo");
    EXPECT_EQ(archivos(), 1) << "no temporary file left behind";
    struct stat st {};
    ASSERT_EQ(stat(destino.c_str(), &st), 0);
    mode_t mascara = umask(0);
    umask(mascara);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mascara) << "permissions of an ordinary new file";

    poner(destino, "viejo");
    EXPECT_EQ(escribir_seguro(destino, std::string("otro\0y mas", 10)), "");
    EXPECT_EQ(lectura::contenido(destino), std::string("otro\0y mas", 10)) << "replaced, every byte";
}

TEST_F(Escritura, ElTemporalTieneUnNombreCortoJuntoAlDestino) {
    {
        Temporal t(dir);
        ASSERT_EQ(t.fallo(), "");
        EXPECT_EQ(t.ruta().substr(0, dir.size() + 10), dir + "/.ortanel-");
        EXPECT_EQ(t.ruta().size(), dir.size() + 16);
        EXPECT_TRUE(lectura::existe(t.ruta()));
    }
    EXPECT_EQ(archivos(), 0) << "a temporary file never renamed goes with its object";
    // The longest name a directory holds is a legal target.
    std::string largo = dir + "/" + std::string(250, 'n') + ".svg";
    EXPECT_EQ(escribir_seguro(largo, "x"), "");
    EXPECT_EQ(lectura::contenido(largo), "x");
}

// Over the size limit: the write fails, the old file stays byte for byte, no temporary file.
TEST_F(Escritura, UnArchivoDemasiadoGrandeNoTocaElQueHabia) {
    std::string destino = dir + "/a.txt";
    std::string viejo = "viejo\n" + std::string(100, 'v');
    poner(destino, viejo);
    std::string aviso = dir + "/aviso";
    int estado = en_hijo([&] {
        rlimit limite{16384, 16384};
        setrlimit(RLIMIT_FSIZE, &limite);
        std::string fallo = escribir_seguro(destino, std::string(100000, 'n'));
        std::ofstream(aviso) << fallo;
        return fallo.empty() ? 1 : 0;
    });
    ASSERT_TRUE(WIFEXITED(estado)) << "not ended by SIGXFSZ";
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "the failure is reported";
    std::string fallo = lectura::contenido(aviso);
    EXPECT_NE(fallo.find(destino), std::string::npos) << fallo;
    EXPECT_NE(fallo.find("supera el tamano permitido"), std::string::npos) << fallo;
    EXPECT_EQ(lectura::contenido(destino), viejo);
    EXPECT_EQ(archivos(), 2) << "the old file and the child's note, nothing else";
}

// SIGINT or SIGTERM while the temporary file exists removes it and still ends the process.
TEST_F(Escritura, UnaSenalBorraElTemporal) {
    for (int senal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(senal);
        std::string ruta_vista = dir + "/vista";
        int estado = en_hijo([&] {
            Temporal t(dir);
            std::ofstream(ruta_vista) << t.ruta();
            raise(senal);
            return 0;
        });
        ASSERT_TRUE(WIFSIGNALED(estado));
        EXPECT_EQ(WTERMSIG(estado), senal);
        std::string temporal = lectura::contenido(ruta_vista);
        EXPECT_NE(temporal, "");
        EXPECT_FALSE(lectura::existe(temporal));
        std::remove(ruta_vista.c_str());
        EXPECT_EQ(archivos(), 0);
    }
    // A signal the process ignores stays ignored; the file goes with its object.
    int estado = en_hijo([&] {
        signal(SIGTERM, SIG_IGN);
        {
            Temporal t(dir);
            raise(SIGTERM);
            if (!lectura::existe(t.ruta())) return 3;
        }
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0);
    EXPECT_EQ(archivos(), 0);
    // Once renamed over its target, a later signal finds nothing of it to remove.
    estado = en_hijo([&] {
        Temporal t(dir);
        if (t.confirmar("hecho", dir + "/a.txt") != "") return 3;
        raise(SIGTERM);
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(estado));
    EXPECT_EQ(lectura::contenido(dir + "/a.txt"), "hecho");
}

TEST_F(Escritura, DestinosImposibles) {
    std::string fallo = escribir_seguro(dir + "/no/hay/a.svg", "x");
    EXPECT_NE(fallo.find(dir + "/no/hay"), std::string::npos) << "names the directory: " << fallo;
    EXPECT_NE(fallo.find("no existe"), std::string::npos) << fallo;
    poner(dir + "/archivo", "x");
    EXPECT_NE(escribir_seguro(dir + "/archivo/a.svg", "x"), "") << "a file where a directory should be";
    EXPECT_NE(escribir_seguro(dir, "x").find("directorio"), std::string::npos) << "the target is a directory";
    EXPECT_NE(escribir_seguro(dir + "/", "x"), "") << "no file name";
    EXPECT_EQ(archivos(), 1);
}

TEST_F(Escritura, RutaSinDirectorioVaAlDirectorioActual) {
    char previo[4096];
    ASSERT_NE(getcwd(previo, sizeof previo), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    std::string fallo = escribir_seguro("c.txt", "aqui");
    ASSERT_EQ(chdir(previo), 0);
    EXPECT_EQ(fallo, "");
    EXPECT_EQ(lectura::contenido(dir + "/c.txt"), "aqui");
}
