#include "avisos.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "escena.h"
#include "idioma/idioma.h"
#include "estado.h"
#include "mecanismos.h"
#include "medidas.h"
#include "ids.h"
#include "tallado.h"

namespace {

// The straight flanks' reach past the interference point, in the unit of the module: the
// larger of the two flanks'.
double exceso_de_flanco() {
    float d[NUM_DATOS];
    llenar_datos(d);
    double alcance = Rp - radio_circ_fondo();  // the tips' reach inside the pitch circle
    double exceso = -INFINITY;
    for (double grados : {static_cast<double>(d[D_ANGULO1]), static_cast<double>(d[D_ANGULO2])}) {
        double a = grados * PI / 180.0, s = std::sin(a);
        double recto = alcance - d[D_RADIO] * (1 - s);
        exceso = std::max(exceso, recto - Rp * s * s);
    }
    return exceso;
}

struct Cache {
    bool hecha = false;
    MedidaCorte m{};
    std::vector<Pieza> piezas;
};
Cache cache;

}  // namespace

double modulo_cremallera() { return Paso / PI; }

const std::vector<Pieza>* contorno_medido() { return cache.hecha ? &cache.piezas : nullptr; }

bool medida_del_corte(MedidaCorte& m) {
    if (C_Mueve != TERMINADO) {
        cache.hecha = false;
        descartar_tallado();
        return false;
    }
    if (!cache.hecha) {
        // Built on a worker thread, so that no frame waits: the figures come when it is ready.
        std::vector<Pieza>& piezas = cache.piezas;
        if (!recoger_tallado(piezas)) return false;
        cache.m.modulo = modulo_cremallera();
        cache.m.espesor_primitiva = espesor_en_primitiva(piezas, Rp);
        cache.m.teorico_primitiva = espesor_teorico(cache.m.modulo, Angulo, coeficiente_desplazamiento());
        cache.m.espesor_cabeza = espesor_en_cabeza(piezas, radio_engranaje());
        cache.hecha = true;
    }
    m = cache.m;
    return true;
}

bool socava_cremallera() { return exceso_de_flanco() > 0; }

double desplazamiento_minimo_cremallera() {
    double m = modulo_cremallera();
    const EstadoPanel::Valor* campo = valor_de(ID_DESPLAZAMIENTO);
    double x = campo ? campo->real : 0.0;
    return m > 0 ? x + exceso_de_flanco() / m : x;
}

std::vector<std::string> texto_incoherencia() {
    if (QueSimula != SIMULACION_EXPERIMENTAL || !(Z > 0)) return {};
    double m = modulo_cremallera(), d = 2.0 * Rp, de_z = d / Z;
    const EstadoPanel::Valor* campo = valor_de(ID_MODULO);
    double escrito = campo ? campo->real : m;
    auto distinto = [](double a, double b) { return std::fabs(a - b) > 1e-3 * std::max(std::fabs(a), std::fabs(b)); };
    if (!(m > 0) || (!distinto(de_z, m) && !distinto(escrito, m))) return {};
    return {formato(_("Datos incoherentes: d/Z = %.3f, modulo %.3f"), de_z, escrito),
            formato(_("Se talla con m = %.3f: d/m = %.1f dientes"), m, d / m)};
}

std::string texto_punta(double espesor, double modulo) {
    if (!(espesor < LIMITE_PUNTA * modulo)) return "";
    return formato(_("Diente puntiagudo: espesor en la cabeza %.3f (%.2f m)"), espesor, espesor / modulo);
}

std::string texto_espesor_cabeza(double espesor, double modulo) {
    return formato(_("Espesor en la cabeza: %.3f (%.2f m)"), espesor, modulo > 0 ? espesor / modulo : 0.0);
}

std::vector<std::string> avisos_dibujo() {
    std::vector<std::string> r;
    if (QueSimula == SIMULACION_EXPERIMENTAL) {
        if (socava_cremallera()) {
            r.push_back(_("EXISTE SOCAVACION DEL DIENTE"));
            r.push_back(formato(_("Desplazamiento minimo x = %.3f"), desplazamiento_minimo_cremallera()));
        }
        for (const std::string& l : texto_incoherencia()) r.push_back(l);
    }
    MedidaCorte m;
    if (medida_del_corte(m)) {
        std::string punta = texto_punta(m.espesor_cabeza, m.modulo);
        if (!punta.empty()) r.push_back(punta);
    }
    return r;
}

int renglon_avisos(int ancho, int fin_leyenda, int renglones, int ancho_avisos, int hueco) {
    return ancho - ancho_avisos - fin_leyenda >= hueco ? 0 : renglones;
}
