#include "engrane_estado.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>

#include "avisos.h"
#include "escena.h"
#include "estado.h"
#include "idioma/idioma.h"
#include "limites.h"
#include "mecanismos.h"
#include "tallado.h"

int Engrane_Con = 0;
int Engrane_Dientes = 14;
float Engrane_Desplazamiento = 0, Engrane_Distancia = 0;
int C_Engrane_ON = 0;
float Engrane_Giro = 0;

void engrane_inicial() {
    Engrane_Con = 0;
    Engrane_Dientes = 14;
    Engrane_Desplazamiento = Engrane_Distancia = 0;
    C_Engrane_ON = 0;
    Engrane_Giro = 0;
}

Rueda rueda_actual() {
    float d[NUM_DATOS];
    llenar_datos(d);
    // The module the pitch radius and the teeth give; the rack's pitch must agree with it to mesh.
    double m = Z > 0 ? 2.0 * Rp / Z : 0, h = d[D_ALTURA], k = d[D_RODADURA];
    // The rolling line lies this far out of the pitch circle: the shift the cut gave.
    double s = distancia_referencia() - d[D_RAIZ] - k - Rp;
    Rueda r = rueda_tallada(static_cast<int>(Z), m, Angulo, m > 0 ? s / m : 0, h, k);
    r.rp = Rp;
    r.rb = Rp * std::cos(Angulo * PI / 180.0);
    r.ra = radio_engranaje();
    r.rf = Rp + s - (h - k);
    return r;
}

std::string comprobar_dientes2(int z2) {
    if (z2 == 0 || (z2 >= DIENTES_MINIMO && z2 <= DIENTES_MAXIMO)) return "";
    return formato(_("%d fuera de 0 (cremallera) o %d ... %d dientes"), z2, DIENTES_MINIMO, DIENTES_MAXIMO);
}

std::string comprobar_desplazamiento2(int z2, double x2) {
    if (!std::isfinite(x2)) return _("valores no finitos");
    if (z2 == 0) return x2 == 0 ? "" : _("la cremallera no admite desplazamiento");
    if (!deja_fondo(z2, x2)) return _("el desplazamiento deja la rueda sin fondo");
    if (std::fabs(x2) > DESPLAZAMIENTO_MAXIMO)
        return formato(_("%g fuera de %g ... %g"), x2, -DESPLAZAMIENTO_MAXIMO, DESPLAZAMIENTO_MAXIMO);
    return "";
}

std::string par_actual(int z2, double x2, double a, Rueda& r1, Rueda& r2) {
    r1 = rueda_actual();
    double m = r1.m;
    if (!(m > 0) || std::fabs(Paso / PI - m) > 1e-4 * m)
        return _("el diametro primitivo no corresponde a los dientes y al modulo");
    std::string f = comprobar_dientes2(z2);
    if (f.empty()) f = comprobar_desplazamiento2(z2, x2);
    if (!f.empty()) return f;
    float d[NUM_DATOS];
    llenar_datos(d);
    r2 = z2 == 0 ? cremallera_basica(m, Angulo, d[D_ALTURA], d[D_RODADURA])
                 : rueda_tallada(z2, m, Angulo, x2, d[D_ALTURA], d[D_RODADURA]);
    return comprobar_engrane(r1, r2, a);
}

namespace {

// What gear 2's outline and gear 1's outline depend on.
struct Clave {
    std::array<float, NUM_DATOS> datos{};
    float z = 0, rp = 0, radio = 0, incremento = 0, giro_corte = 0;
    size_t vertices = 0;
    int z2 = 0;
    double x2 = 0;
    bool operator==(const Clave& o) const {
        return datos == o.datos && z == o.z && rp == o.rp && radio == o.radio && incremento == o.incremento &&
               giro_corte == o.giro_corte && vertices == o.vertices && z2 == o.z2 && x2 == o.x2;
    }
};

Clave clave_actual(const std::vector<Pieza>& corte, int z2, double x2) {
    float d[NUM_DATOS];
    llenar_datos(d);
    Clave k;
    std::copy(d, d + NUM_DATOS, k.datos.begin());
    k.z = Z, k.rp = Rp, k.radio = radio_engranaje(), k.incremento = E_incremento, k.giro_corte = E_angulo;
    for (const Pieza& p : corte) k.vertices += p.exterior.size();
    k.z2 = z2, k.x2 = z2 == 0 ? 0 : x2;
    return k;
}

// Gear 2's outline (or the rack's) for that key, in its own frame.
std::vector<Pieza> contorno2_de(const Clave& k, double m) {
    return k.z2 == 0 ? cremallera_del_cortador(k.datos.data()) : cortar_rueda(k.datos.data(), k.z2, m, k.x2, k.incremento);
}

struct Guardado {
    bool hay = false;
    Clave clave;
    std::vector<Pieza> contorno1, contorno2;
    Rueda r1, r2;
    double a = -1;
    std::unique_ptr<Engrane> engrane;
};

Guardado& guardado() {
    static Guardado g;
    return g;
}

}  // namespace

const Engrane* engrane_actual(int z2, double x2, double a, std::string* fallo) {
    auto rechazar = [&](const std::string& f) -> const Engrane* {
        if (fallo) *fallo = f;
        return nullptr;
    };
    Rueda r1, r2;
    std::string f = par_actual(z2, x2, a, r1, r2);
    if (!f.empty()) return rechazar(f);
    const std::vector<Pieza>& corte = contorno_tallado();
    if (corte.empty()) return rechazar(_("no hay engranaje tallado"));
    Clave k = clave_actual(corte, z2, x2);
    Guardado& g = guardado();
    if (!g.hay || !(g.clave == k)) {
        g.contorno1 = corte;
        g.contorno2 = contorno2_de(k, r1.m);
        g.clave = k;
        g.hay = true;
        g.engrane.reset();
    }
    if (g.contorno2.empty()) return rechazar(_("la rueda 2 no se puede tallar con estos datos"));
    if (!g.engrane || g.a != a) {
        g.engrane = std::make_unique<Engrane>(r1, r2, g.contorno1, g.contorno2, a);
        g.a = a;
    }
    if (fallo) fallo->clear();
    return g.engrane.get();
}

namespace {

// One pair built on a worker thread. The worker reads only its copy of the order and writes only
// the result, which the main thread reads once `listo` says it is complete.
struct Encargo {
    Clave clave;
    double a = 0;
    Rueda r1, r2;
    std::vector<Pieza> contorno1;
};

class Obra {
public:
    ~Obra() { parar(); }
    void empezar(Encargo e) {
        parar();
        encargo_ = std::move(e);
        resultado_.reset();
        cancelar_ = false;
        listo_ = false;
        activa_ = true;
        hilo_ = std::thread([this] { construir(); });
    }
    void parar() {
        cancelar_ = true;
        if (hilo_.joinable()) hilo_.join();
        activa_ = false;
    }
    bool activa() const { return activa_; }
    bool lista() const { return listo_.load(std::memory_order_acquire); }
    // The finished pair (null when gear 2 could not be cut) and what it was built from.
    std::unique_ptr<ParMostrado> tomar(Encargo& de) {
        parar();
        de = std::move(encargo_);
        return std::move(resultado_);
    }

private:
    void construir() {
        {
            ContextoPropio propio;
            std::vector<Pieza> c2 = contorno2_de(encargo_.clave, encargo_.r1.m);
            if (!c2.empty() && !cancelar_) {
                auto p = std::make_unique<ParMostrado>();
                p->engrane = std::make_unique<Engrane>(encargo_.r1, encargo_.r2, encargo_.contorno1, c2, encargo_.a);
                if (!cancelar_) p->triangulos1 = triangular(p->engrane->contorno1());
                if (!cancelar_) p->triangulos2 = triangular(p->engrane->contorno2());
                for (size_t i = 0; i < p->triangulos2.size(); i += 2) {
                    double x = p->triangulos2[i];
                    if (i == 0 || x < p->izquierda2) p->izquierda2 = x;
                    if (i == 0 || x > p->derecha2) p->derecha2 = x;
                }
                if (!cancelar_) p->medidas = p->engrane->medir(MUESTRAS_PANEL);
                if (!cancelar_) resultado_ = std::move(p);
            }
        }
        listo_.store(true, std::memory_order_release);
    }

    std::thread hilo_;
    std::atomic<bool> cancelar_{false}, listo_{false};
    bool activa_ = false;
    Encargo encargo_;
    std::unique_ptr<ParMostrado> resultado_;
};

struct Mostrado {
    Obra obra;
    bool hay = false;  // a build has ended for `clave` and `a`: `par` is its pair, or null with `fallo`
    Clave clave;
    double a = 0;
    std::unique_ptr<ParMostrado> par;
};

Mostrado& mostrado() {
    static Mostrado m;
    return m;
}

}  // namespace

double distancia_pedida() {
    if (Engrane_Distancia > 0) return Engrane_Distancia;
    Rueda r1, r2;
    int z2 = Engrane_Con != 0 ? 0 : Engrane_Dientes;
    if (!par_actual(z2, Engrane_Con != 0 ? 0 : Engrane_Desplazamiento, 0, r1, r2).empty()) return 0;
    return teoria_engrane(r1, r2, 0).a_w;
}

Recogida recoger_engrane(const ParMostrado** par, std::string* fallo) {
    Mostrado& m = mostrado();
    auto dar = [&](Recogida r, const std::string& f = "") {
        if (par) *par = m.par.get();
        if (fallo) *fallo = f;
        return r;
    };
    if (C_Mueve != TERMINADO) return dar(Recogida::FALLO, _("el corte no ha terminado"));
    int z2 = Engrane_Con != 0 ? 0 : Engrane_Dientes;
    double x2 = Engrane_Con != 0 ? 0 : Engrane_Desplazamiento, a = Engrane_Distancia;
    Rueda r1, r2;
    std::string f = par_actual(z2, x2, a, r1, r2);
    if (!f.empty()) return dar(Recogida::FALLO, f);
    // Gear 1 is the cut's outline as measured when the cut ended, itself built on a worker thread.
    MedidaCorte medida;
    medida_del_corte(medida);
    const std::vector<Pieza>* corte = contorno_medido();
    if (!corte) return dar(Recogida::CALCULANDO);
    if (corte->empty()) return dar(Recogida::FALLO, _("no hay engranaje tallado"));
    Clave k = clave_actual(*corte, z2, x2);
    auto vigente = [&](const Clave& c, double d) { return c == k && d == a; };
    if (m.hay && vigente(m.clave, m.a)) {
        if (!m.par) return dar(Recogida::FALLO, _("la rueda 2 no se puede tallar con estos datos"));
        return dar(Recogida::LISTO);
    }
    if (m.obra.activa()) {
        if (!m.obra.lista()) return dar(Recogida::CALCULANDO);
        Encargo de;
        std::unique_ptr<ParMostrado> hecho = m.obra.tomar(de);
        if (vigente(de.clave, de.a)) {
            m.hay = true;
            m.clave = de.clave;
            m.a = de.a;
            m.par = std::move(hecho);
            static long serie = 0;
            if (m.par) m.par->serie = ++serie;
            return recoger_engrane(par, fallo);
        }
    }
    m.obra.empezar({k, a, r1, r2, *corte});
    return dar(Recogida::CALCULANDO);
}

void descartar_engrane() { mostrado().obra.parar(); }

bool engrane_en_vista(const ParMostrado** par) {
    if (par) *par = nullptr;
    if (C_Engrane_ON == 0 || C_Mueve != TERMINADO) return false;
    if (par) recoger_engrane(par, nullptr);
    return true;
}

const Instante& instante_engrane(const ParMostrado& p) {
    static long de = 0;
    static float giro = 0;
    static Instante s;
    if (de != p.serie || giro != Engrane_Giro) {
        s = p.engrane->en(Engrane_Giro * PI / 180.0, false);
        de = p.serie;
        giro = Engrane_Giro;
    }
    return s;
}

void girar_engrane(double grados) {
    double g = std::fmod(Engrane_Giro + grados, 360.0);
    if (g < 0) g += 360;
    Engrane_Giro = static_cast<float>(g);
}
