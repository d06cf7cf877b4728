#include "tallado.h"

#include <geos_c.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdarg>
#include <memory>
#include <thread>
#include <utility>

#include "escena.h"
#include "estado.h"
#include "mecanismos.h"

namespace {

// GEOS reports through these; a failed operation shows in its null result instead.
void callar(const char*, ...) {}

GEOSContextHandle_t nuevo_contexto() {
    GEOSContextHandle_t c = GEOS_init_r();
    GEOSContext_setNoticeHandler_r(c, callar);
    GEOSContext_setErrorHandler_r(c, callar);
    return c;
}

// A GEOS context serves one thread at a time: the worker that builds an outline aside sets
// its own here for as long as it runs; every other call uses the program's one context.
thread_local GEOSContextHandle_t contexto_del_hilo = nullptr;

GEOSContextHandle_t contexto() {
    if (contexto_del_hilo) return contexto_del_hilo;
    static GEOSContextHandle_t h = nuevo_contexto();
    return h;
}

struct Borrar {
    void operator()(GEOSGeometry* g) const { GEOSGeom_destroy_r(contexto(), g); }
};
using Geo = std::unique_ptr<GEOSGeometry, Borrar>;

Geo clonar(const Geo& g) { return Geo(g ? GEOSGeom_clone_r(contexto(), g.get()) : nullptr); }

GEOSGeometry* anillo(const std::vector<std::pair<double, double>>& pts) {
    GEOSContextHandle_t c = contexto();
    GEOSCoordSequence* s = GEOSCoordSeq_create_r(c, static_cast<unsigned>(pts.size() + 1), 2);
    for (size_t i = 0; i <= pts.size(); ++i) {
        const auto& p = pts[i % pts.size()];
        GEOSCoordSeq_setXY_r(c, s, static_cast<unsigned>(i), p.first, p.second);
    }
    return GEOSGeom_createLinearRing_r(c, s);
}

std::vector<std::pair<double, double>> circulo(double r, bool horario) {
    std::vector<std::pair<double, double>> pts;
    pts.reserve(LADOS_DISCO);
    for (int i = 0; i < LADOS_DISCO; ++i) {
        double a = (horario ? -1 : 1) * DOS_PI * i / LADOS_DISCO;
        pts.emplace_back(r * std::cos(a), r * std::sin(a));
    }
    return pts;
}

// The blank as drawn: a disc of radius r with a hole of a tenth of it.
Geo disco(double r) {
    GEOSContextHandle_t c = contexto();
    if (!(r > 0) || !std::isfinite(r)) return Geo(GEOSGeom_createEmptyPolygon_r(c));
    GEOSGeometry* hueco[1] = {anillo(circulo(0.1 * r, true))};
    return Geo(GEOSGeom_createPolygon_r(c, anillo(circulo(r, false)), hueco, 1));
}

// The rack's outline in its own frame as one area: the union of the polygons the drawing fills.
Geo cremallera(const float datos[NUM_DATOS]) {
    GEOSContextHandle_t c = contexto();
    std::vector<GEOSGeometry*> partes;
    for (const Contorno& k : perfil_cremallera(datos)) {
        if (k.puntos.size() < 3) continue;
        std::vector<std::pair<double, double>> pts;
        for (const Punto& p : k.puntos) pts.emplace_back(p.x, p.y);
        GEOSGeometry* pol = GEOSGeom_createPolygon_r(c, anillo(pts), nullptr, 0);
        if (!pol) continue;
        // An outline that crosses itself (a deeply bowed flank) is read as the area it encloses.
        if (GEOSisValid_r(c, pol) != 1) {
            GEOSGeometry* v = GEOSMakeValid_r(c, pol);
            GEOSGeom_destroy_r(c, pol);
            pol = v;
        }
        if (pol) partes.push_back(pol);
    }
    GEOSGeometry* col =
        GEOSGeom_createCollection_r(c, GEOS_GEOMETRYCOLLECTION, partes.data(), static_cast<unsigned>(partes.size()));
    Geo u(GEOSUnaryUnion_r(c, col));
    GEOSGeom_destroy_r(c, col);
    return u;
}

// A rack placement as the data block gives it: turn by giro degrees, then move to (x0, y0).
struct Traza {
    float x0, y0, giro;
    bool operator==(const Traza& o) const { return x0 == o.x0 && y0 == o.y0 && giro == o.giro; }
};

struct Colocacion {
    double x0, y0, c, s;
};

int transformar(double* x, double* y, void* dato) {
    const Colocacion& k = *static_cast<const Colocacion*>(dato);
    double px = *x, py = *y;
    *x = k.x0 + px * k.c - py * k.s;
    *y = k.y0 + px * k.s + py * k.c;
    return 1;
}

Geo colocar(const Geo& rack, const Traza& t) {
    double g = t.giro * PI / 180.0;
    Colocacion k{t.x0, t.y0, std::cos(g), std::sin(g)};
    return Geo(GEOSGeom_transformXY_r(contexto(), rack.get(), transformar, &k));
}

bool cajas_se_tocan(const GEOSGeometry* a, const GEOSGeometry* b) {
    GEOSContextHandle_t c = contexto();
    double ax0, ay0, ax1, ay1, bx0, by0, bx1, by1;
    if (!GEOSGeom_getXMin_r(c, a, &ax0) || !GEOSGeom_getYMin_r(c, a, &ay0) || !GEOSGeom_getXMax_r(c, a, &ax1) ||
        !GEOSGeom_getYMax_r(c, a, &ay1))
        return false;
    if (!GEOSGeom_getXMin_r(c, b, &bx0) || !GEOSGeom_getYMin_r(c, b, &by0) || !GEOSGeom_getXMax_r(c, b, &bx1) ||
        !GEOSGeom_getYMax_r(c, b, &by1))
        return false;
    return ax0 <= bx1 && bx0 <= ax1 && ay0 <= by1 && by0 <= ay1;
}

// What the outline is made of: the rack's shape (slots 3 and up) and the blank's radius.
struct Forma {
    std::array<float, NUM_DATOS - D_ALTURA> rack{};
    float radio = 0;
    bool operator==(const Forma& o) const { return rack == o.rack && radio == o.radio; }
};

struct Tallado {
    bool leido = false;  // someone has asked for the outline: from then on the motion keeps it
    bool iniciado = false;
    Forma forma;
    Geo rack;
    Geo actual;                                  // in the blank's own frame
    std::vector<Traza> aplicadas;                // placements in the blank's own frame, oldest first
    std::vector<std::pair<size_t, Geo>> etapas;  // outline after that many placements, every PASOS_ETAPA
    std::vector<std::pair<size_t, Geo>> recientes;  // every outline since the last stage, for undoing
    std::vector<Pieza> piezas;
    bool piezas_al_dia = false;
    float angulo_piezas = 0;
};

Tallado& estado() {
    static Tallado t;
    return t;
}

// The placements the frame draws now, turned back by the blank's angle into the blank's own
// frame: the same placement the drawing uses (colocar_traza) at the angle t - E_angulo.
std::vector<Traza> trazas_actuales() {
    std::vector<Traza> v;
    float d[NUM_DATOS];
    llenar_datos(d);
    float a = distancia_referencia();
    size_t i = 0;
    recorrer_trazas(d, [&](const float* colocada) {
        float propio[NUM_DATOS];
        std::copy(colocada, colocada + NUM_DATOS, propio);
        colocar_traza(propio, colocada[D_GIRO] - E_angulo, C_Historia_X[i], a);
        v.push_back({propio[D_X0], propio[D_Y0], propio[D_GIRO]});
        ++i;
    });
    return v;
}

// The outline minus the rack placed at traza (radio: the blank's, for the grid of a retry).
void quitar(Geo& actual, const Geo& rack, const Traza& traza, double radio) {
    GEOSContextHandle_t c = contexto();
    if (!rack || !actual || GEOSisEmpty_r(c, actual.get())) return;
    Geo pieza = colocar(rack, traza);
    if (!pieza || !cajas_se_tocan(pieza.get(), actual.get())) return;
    Geo r(GEOSDifference_r(c, actual.get(), pieza.get()));
    // A robustness failure of the exact overlay is retried on a fine grid.
    if (!r) r.reset(GEOSDifferencePrec_r(c, actual.get(), pieza.get(), 1e-9 * (1 + std::fabs(radio))));
    if (r) actual = std::move(r);
}

void restar(Tallado& t, const Traza& traza) {
    t.aplicadas.push_back(traza);
    quitar(t.actual, t.rack, traza, t.forma.radio);
    if (t.aplicadas.size() % PASOS_ETAPA == 0) {
        t.etapas.emplace_back(t.aplicadas.size(), clonar(t.actual));
        t.recientes.clear();
    } else {
        t.recientes.emplace_back(t.aplicadas.size(), clonar(t.actual));
    }
}

void reiniciar(Tallado& t, const Forma& f) {
    float d[NUM_DATOS];
    llenar_datos(d);
    t.forma = f;
    t.rack = cremallera(d);
    t.actual = disco(f.radio);
    t.aplicadas.clear();
    t.etapas.clear();
    t.recientes.clear();
    t.etapas.emplace_back(0, clonar(t.actual));
    t.iniciado = true;
    t.piezas_al_dia = false;
}

// Back to the outline after n placements: kept if n lies in the last stage's block, else
// rebuilt from the last stage not beyond n, keeping the outlines on the way for further undoing.
void volver_a(Tallado& t, size_t n) {
    while (!t.recientes.empty() && t.recientes.back().first > n) t.recientes.pop_back();
    if (!t.recientes.empty() && t.recientes.back().first == n) {
        t.actual = clonar(t.recientes.back().second);
        t.aplicadas.resize(n);
        return;
    }
    t.recientes.clear();
    while (t.etapas.size() > 1 && t.etapas.back().first > n) t.etapas.pop_back();
    size_t desde = t.etapas.back().first;
    std::vector<Traza> rehacer(t.aplicadas.begin() + static_cast<long>(desde), t.aplicadas.begin() + static_cast<long>(n));
    t.actual = clonar(t.etapas.back().second);
    t.aplicadas.resize(desde);
    for (const Traza& k : rehacer) restar(t, k);
}

void anadir_anillo(const GEOSGeometry* r, double c, double s, bool antihorario, Anillo& out) {
    GEOSContextHandle_t ctx = contexto();
    const GEOSCoordSequence* seq = GEOSGeom_getCoordSeq_r(ctx, r);
    unsigned n = 0;
    GEOSCoordSeq_getSize_r(ctx, seq, &n);
    if (n < 2) return;
    out.reserve(n - 1);
    for (unsigned i = 0; i + 1 < n; ++i) {
        double x = 0, y = 0;
        GEOSCoordSeq_getXY_r(ctx, seq, i, &x, &y);
        out.push_back({x * c - y * s, x * s + y * c});
    }
    // Twice the signed area, summed over the edges from each vertex's predecessor to it.
    double area = 0;
    Vertice p = out.back();
    for (const Vertice& q : out) {
        area += p.x * q.y - q.x * p.y;
        p = q;
    }
    if ((area > 0) != antihorario) std::reverse(out.begin(), out.end());
}

void anadir_poligonos(const GEOSGeometry* g, double c, double s, std::vector<Pieza>& out) {
    GEOSContextHandle_t ctx = contexto();
    int tipo = GEOSGeomTypeId_r(ctx, g);
    if (tipo == GEOS_POLYGON) {
        if (GEOSisEmpty_r(ctx, g)) return;
        Pieza p;
        anadir_anillo(GEOSGetExteriorRing_r(ctx, g), c, s, true, p.exterior);
        int huecos = GEOSGetNumInteriorRings_r(ctx, g);
        for (int i = 0; i < huecos; ++i) {
            p.huecos.emplace_back();
            anadir_anillo(GEOSGetInteriorRingN_r(ctx, g, i), c, s, false, p.huecos.back());
        }
        out.push_back(std::move(p));
    } else if (tipo == GEOS_MULTIPOLYGON || tipo == GEOS_GEOMETRYCOLLECTION) {
        int n = GEOSGetNumGeometries_r(ctx, g);
        for (int i = 0; i < n; ++i) anadir_poligonos(GEOSGetGeometryN_r(ctx, g, i), c, s, out);
    }
}

bool tallado_activo = true;

}  // namespace

std::vector<Pieza> tallar_rueda(const float datos[], double radio, double rp, double distancia, double paso_grados) {
    std::vector<Pieza> out;
    if (!(paso_grados > 0) || !std::isfinite(paso_grados)) return out;
    GEOSContextHandle_t c = contexto();
    Geo rack = cremallera(datos);
    Geo blanco = disco(radio);
    if (!rack || !blanco) return out;
    int pasos = static_cast<int>(std::floor(360.0 / paso_grados + 1e-9));
    std::vector<GEOSGeometry*> posiciones;
    for (int i = 0; i <= pasos; ++i) {
        // In the blank's own frame the position i is turned back by i steps and has rolled i steps along.
        double phi = -i * paso_grados * PI / 180.0;
        // The rack repeats every pitch: its travel is kept within half a pitch of the centre, as
        // the cut keeps it within its passes, so that its teeth stay where the blank is.
        double h = -rp * phi;
        if (datos[D_PASO] > 0) h -= datos[D_PASO] * std::round(h / datos[D_PASO]);
        Traza t{static_cast<float>(h * std::cos(phi) + distancia * std::sin(phi)),
                static_cast<float>(h * std::sin(phi) - distancia * std::cos(phi)), static_cast<float>(-i * paso_grados)};
        Geo pieza = colocar(rack, t);
        if (pieza && cajas_se_tocan(pieza.get(), blanco.get())) posiciones.push_back(pieza.release());
    }
    // The blank minus every position, as one difference with their union: the same area as taking
    // them away one by one, in a fifth of the time.
    GEOSGeometry* col = GEOSGeom_createCollection_r(c, GEOS_GEOMETRYCOLLECTION, posiciones.data(),
                                                    static_cast<unsigned>(posiciones.size()));
    Geo todas(GEOSUnaryUnion_r(c, col));
    GEOSGeom_destroy_r(c, col);
    Geo r;
    if (todas) {
        r.reset(GEOSDifference_r(c, blanco.get(), todas.get()));
        if (!r) r.reset(GEOSDifferencePrec_r(c, blanco.get(), todas.get(), 1e-9 * (1 + std::fabs(radio))));
    }
    if (r) anadir_poligonos(r.get(), 1.0, 0.0, out);
    return out;
}

std::vector<Pieza> area_cremallera(const float datos[], int copias) {
    std::vector<Pieza> out;
    GEOSContextHandle_t c = contexto();
    Geo rack = cremallera(datos);
    if (!rack) return out;
    std::vector<GEOSGeometry*> partes;
    for (int k = -copias; k <= copias; ++k) {
        Geo g = colocar(rack, Traza{static_cast<float>(5.0 * k * datos[D_PASO]), 0.0f, 0.0f});
        if (g) partes.push_back(g.release());
    }
    GEOSGeometry* col =
        GEOSGeom_createCollection_r(c, GEOS_GEOMETRYCOLLECTION, partes.data(), static_cast<unsigned>(partes.size()));
    Geo u(GEOSUnaryUnion_r(c, col));
    GEOSGeom_destroy_r(c, col);
    if (u) anadir_poligonos(u.get(), 1.0, 0.0, out);
    return out;
}

namespace {

// A piece of outline as a polygon of this thread's context.
Geo poligono(const Pieza& p) {
    GEOSContextHandle_t c = contexto();
    auto de = [](const Anillo& a) {
        std::vector<std::pair<double, double>> pts;
        pts.reserve(a.size());
        for (const Vertice& v : a) pts.emplace_back(v.x, v.y);
        return pts;
    };
    if (p.exterior.size() < 3) return Geo(GEOSGeom_createEmptyPolygon_r(c));
    std::vector<GEOSGeometry*> huecos;
    for (const Anillo& h : p.huecos)
        if (h.size() >= 3) huecos.push_back(anillo(de(h)));
    return Geo(GEOSGeom_createPolygon_r(c, anillo(de(p.exterior)), huecos.data(), static_cast<unsigned>(huecos.size())));
}

// Vertices up to which a piece is triangulated whole: the constrained triangulation takes a time
// that grows with their square, so larger pieces are halved first.
constexpr int VERTICES_POR_TROZO = 150;

void anadir_triangulos(const GEOSGeometry* g, std::vector<float>& out) {
    GEOSContextHandle_t c = contexto();
    int tipo = GEOSGeomTypeId_r(c, g);
    if (tipo == GEOS_MULTIPOLYGON || tipo == GEOS_GEOMETRYCOLLECTION) {
        int n = GEOSGetNumGeometries_r(c, g);
        for (int i = 0; i < n; ++i) anadir_triangulos(GEOSGetGeometryN_r(c, g, i), out);
        return;
    }
    if (tipo != GEOS_POLYGON || GEOSisEmpty_r(c, g)) return;
    const GEOSCoordSequence* s = GEOSGeom_getCoordSeq_r(c, GEOSGetExteriorRing_r(c, g));
    for (unsigned i = 0; i < 3; ++i) {
        double x = 0, y = 0;
        GEOSCoordSeq_getXY_r(c, s, i, &x, &y);
        out.push_back(static_cast<float>(x));
        out.push_back(static_cast<float>(y));
    }
}

// The polygons of g triangulated, in pieces of at most VERTICES_POR_TROZO vertices: a larger one
// is cut in two across the longer side of its box.
void triangular_en_trozos(const GEOSGeometry* g, int hondura, std::vector<float>& out) {
    GEOSContextHandle_t c = contexto();
    if (!g || GEOSisEmpty_r(c, g)) return;
    if (GEOSGetNumCoordinates_r(c, g) <= VERTICES_POR_TROZO || hondura > 40) {
        Geo t(GEOSConstrainedDelaunayTriangulation_r(c, g));
        if (t) anadir_triangulos(t.get(), out);
        return;
    }
    double x0, y0, x1, y1;
    if (!GEOSGeom_getXMin_r(c, g, &x0) || !GEOSGeom_getYMin_r(c, g, &y0) || !GEOSGeom_getXMax_r(c, g, &x1) ||
        !GEOSGeom_getYMax_r(c, g, &y1))
        return;
    bool ancho = x1 - x0 >= y1 - y0;
    double mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    double cajas[2][4] = {{x0, y0, ancho ? mx : x1, ancho ? y1 : my}, {ancho ? mx : x0, ancho ? y0 : my, x1, y1}};
    for (const auto& k : cajas) {
        Geo trozo(GEOSClipByRect_r(c, g, k[0], k[1], k[2], k[3]));
        if (trozo) triangular_en_trozos(trozo.get(), hondura + 1, out);
    }
}

}  // namespace

std::vector<float> triangular(const std::vector<Pieza>& piezas) {
    std::vector<float> out;
    for (const Pieza& p : piezas) {
        Geo g = poligono(p);
        if (g && GEOSisValid_r(contexto(), g.get()) != 1) g = Geo(GEOSMakeValid_r(contexto(), g.get()));
        triangular_en_trozos(g.get(), 0, out);
    }
    return out;
}

ContextoPropio::ContextoPropio() { contexto_del_hilo = nuevo_contexto(); }

ContextoPropio::~ContextoPropio() {
    GEOS_finish_r(contexto_del_hilo);
    contexto_del_hilo = nullptr;
}

void actualizar_tallado() {
    Tallado& t = estado();
    if (!t.leido) return;
    Forma f;
    float d[NUM_DATOS];
    llenar_datos(d);
    std::copy(d + D_ALTURA, d + NUM_DATOS, f.rack.begin());
    f.radio = radio_engranaje();
    if (!t.iniciado || !(f == t.forma)) reiniciar(t, f);
    std::vector<Traza> ahora = trazas_actuales();
    size_t comunes = 0;
    while (comunes < ahora.size() && comunes < t.aplicadas.size() && ahora[comunes] == t.aplicadas[comunes]) ++comunes;
    if (comunes == t.aplicadas.size() && comunes == ahora.size()) return;
    if (comunes < t.aplicadas.size()) volver_a(t, comunes);
    for (size_t i = comunes; i < ahora.size(); ++i) restar(t, ahora[i]);
    t.piezas_al_dia = false;
}

void calcular_tallado(bool si) {
    tallado_activo = si;
    if (!si) {
        descartar_tallado();
        estado() = Tallado{};
    }
}

const std::vector<Pieza>& contorno_tallado() {
    Tallado& t = estado();
    if (!tallado_activo) return t.piezas;
    t.leido = true;
    actualizar_tallado();
    if (!t.piezas_al_dia || t.angulo_piezas != E_angulo) {
        t.piezas.clear();
        double g = E_angulo * PI / 180.0;
        if (t.actual) anadir_poligonos(t.actual.get(), std::cos(g), std::sin(g), t.piezas);
        t.piezas_al_dia = true;
        t.angulo_piezas = E_angulo;
    }
    return t.piezas;
}

namespace {

// Everything an outline depends on, copied on the main thread: the rack, the blank's radius,
// the placements in the blank's own frame and the angle the blank is shown at.
struct Encargo {
    std::array<float, NUM_DATOS> datos{};
    Forma forma;
    std::vector<Traza> trazas;
    float angulo = 0;
    bool operator==(const Encargo& o) const {
        return datos == o.datos && forma == o.forma && trazas == o.trazas && angulo == o.angulo;
    }
};

Encargo encargo_actual() {
    Encargo e;
    float d[NUM_DATOS];
    llenar_datos(d);
    std::copy(d, d + NUM_DATOS, e.datos.begin());
    std::copy(e.datos.begin() + D_ALTURA, e.datos.end(), e.forma.rack.begin());
    e.forma.radio = radio_engranaje();
    e.trazas = trazas_actuales();
    e.angulo = E_angulo;
    return e;
}

// One outline built on a worker thread. The worker reads only its copy of the order and
// writes only the result, which the main thread reads once `listo` says it is complete.
class Aparte {
public:
    ~Aparte() { parar(); }

    void empezar(Encargo e) {
        parar();
        encargo_ = std::move(e);
        resultado_.clear();
        cancelar_ = false;
        listo_ = false;
        activo_ = true;
        hilo_ = std::thread([this] { construir(); });
    }
    void parar() {
        cancelar_ = true;
        esperar();
        activo_ = false;
    }
    void esperar() {
        if (hilo_.joinable()) hilo_.join();
    }
    bool activo() const { return activo_; }
    bool listo() const { return listo_.load(std::memory_order_acquire); }
    // The finished outline and what it was built from; the build is over once taken.
    std::vector<Pieza> tomar(Encargo& de) {
        esperar();
        activo_ = false;
        de = std::move(encargo_);
        return std::move(resultado_);
    }

private:
    void construir() {
        contexto_del_hilo = nuevo_contexto();
        {
            Geo rack = cremallera(encargo_.datos.data());
            Geo actual = disco(encargo_.forma.radio);
            for (const Traza& k : encargo_.trazas) {
                if (cancelar_.load(std::memory_order_relaxed)) break;
                quitar(actual, rack, k, encargo_.forma.radio);
            }
            double g = encargo_.angulo * PI / 180.0;
            if (actual && !cancelar_) anadir_poligonos(actual.get(), std::cos(g), std::sin(g), resultado_);
        }
        GEOS_finish_r(contexto_del_hilo);
        contexto_del_hilo = nullptr;
        listo_.store(true, std::memory_order_release);
    }

    std::thread hilo_;
    std::atomic<bool> cancelar_{false}, listo_{false};
    bool activo_ = false;  // a build was started and not yet taken or stopped
    Encargo encargo_;
    std::vector<Pieza> resultado_;
};

Aparte& aparte() {
    static Aparte a;
    return a;
}

}  // namespace

bool recoger_tallado(std::vector<Pieza>& piezas) {
    if (!tallado_activo) {
        piezas.clear();
        return true;
    }
    Aparte& a = aparte();
    if (a.activo() && !a.listo()) return false;
    Encargo actual = encargo_actual();
    if (a.activo()) {
        Encargo de;
        std::vector<Pieza> hecho = a.tomar(de);
        if (de == actual) {
            piezas = std::move(hecho);
            return true;
        }
    }
    a.empezar(std::move(actual));
    return false;
}

void esperar_tallado() { aparte().esperar(); }

void descartar_tallado() {
    if (aparte().activo()) aparte().parar();
}
