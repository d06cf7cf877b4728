#include "engrane_estado.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "escena.h"
#include "estado.h"
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
    Rueda r1 = rueda_actual();
    double m = r1.m;
    if (!(m > 0) || std::fabs(Paso / PI - m) > 1e-4 * m)
        return rechazar("el diametro primitivo no corresponde a los dientes y al modulo");
    float d[NUM_DATOS];
    llenar_datos(d);
    Rueda r2 = z2 == 0 ? cremallera_basica(m, Angulo, d[D_ALTURA], d[D_RODADURA])
                       : rueda_tallada(z2, m, Angulo, x2, d[D_ALTURA], d[D_RODADURA]);
    if (z2 == 0 && x2 != 0) return rechazar("la cremallera no admite desplazamiento");
    std::string f = comprobar_engrane(r1, r2, a);
    if (!f.empty()) return rechazar(f);
    const std::vector<Pieza>& corte = contorno_tallado();
    if (corte.empty()) return rechazar("no hay engranaje tallado");
    Clave k;
    std::copy(d, d + NUM_DATOS, k.datos.begin());
    k.z = Z, k.rp = Rp, k.radio = radio_engranaje(), k.incremento = E_incremento, k.giro_corte = E_angulo;
    for (const Pieza& p : corte) k.vertices += p.exterior.size();
    k.z2 = z2, k.x2 = z2 == 0 ? 0 : x2;
    Guardado& g = guardado();
    if (!g.hay || !(g.clave == k)) {
        g.contorno1 = corte;
        g.contorno2 = z2 == 0 ? cremallera_del_cortador(d) : cortar_rueda(d, z2, m, x2, E_incremento);
        g.clave = k;
        g.hay = true;
        g.engrane.reset();
    }
    if (g.contorno2.empty()) return rechazar("la rueda 2 no se puede tallar con estos datos");
    if (!g.engrane || g.a != a) {
        g.engrane = std::make_unique<Engrane>(r1, r2, g.contorno1, g.contorno2, a);
        g.a = a;
    }
    if (fallo) fallo->clear();
    return g.engrane.get();
}
