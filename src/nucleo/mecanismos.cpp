#include "mecanismos.h"

#include <algorithm>
#include <cmath>

#include "angulos.h"

namespace {


float f(double v) { return static_cast<float>(v); }

bool finito(const std::vector<Punto>& pts) {
    for (const Punto& p : pts)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

struct Diente {
    float c, L0, L1, R1, R0;  // centre and the abscissas of the straight-flank corners
};

// h tooth height, p pitch, e root offset, r tip radius, d relief, k height of the rolling
// line above the root line (where the tooth is p/2 thick), a1 and a2 flank angles in radians.
struct Datos {
    float h, p, e, r, d, flecha, k, a1, a2;
};

// Each flank runs through the rolling line p/4 from the tooth's centre, with its own angle.
Diente diente(const Datos& k, int i) {
    float c = static_cast<float>(i) * k.p;
    double t1 = std::tan(static_cast<double>(k.a1)), t2 = std::tan(static_cast<double>(k.a2));
    double abajo = k.k, arriba = static_cast<double>(k.h) - k.k;
    return {c, f(c - k.p / 4.0 - abajo * t1), f(c - k.p / 4.0 + arriba * t1), f(c + k.p / 4.0 - arriba * t2),
            f(c + k.p / 4.0 + abajo * t2)};
}

// A tooth too tall for its pitch has flanks that meet below the tip line: it ends in the
// point where they meet instead of crossing over into a bow tie.
std::vector<Punto> recto(const Datos& k, const Diente& t) {
    if (t.L1 > t.R1 && t.R0 > t.L0) {
        double u = (static_cast<double>(t.R0) - t.L0) / ((static_cast<double>(t.R0) - t.L0) + (t.L1 - t.R1));
        return {{t.L0, k.e}, {f(t.L0 + u * (t.L1 - t.L0)), f(k.e + u * k.h)}, {t.R0, k.e}};
    }
    return {{t.L0, k.e}, {t.L1, k.e + k.h}, {t.R1, k.e + k.h}, {t.R0, k.e}};
}

// Mirror of p across the line through m with unit normal (nx, ny).
Punto reflejar(Punto p, double mx, double my, double nx, double ny) {
    double s = (p.x - mx) * nx + (p.y - my) * ny;
    return {f(p.x - 2 * s * nx), f(p.y - 2 * s * ny)};
}

std::vector<Punto> circular(const Datos& k, const Diente& t) {
    double a1 = k.a1;
    float fl = std::fabs(k.flecha);
    float R = f(std::pow(static_cast<double>(k.h), 2) / 8.0 / fl / std::pow(std::cos(a1), 2) + fl / 2.0);
    float theta = f(PI - std::acos((fl - R) / static_cast<double>(R)));
    double arriba = (static_cast<double>(k.h) - k.k) * std::tan(a1), abajo = k.k * std::tan(a1);
    // The chord's middle, at half height, lies (h/2 - k)·tan a1 from where the flank crosses the rolling line.
    double medio = (k.h / 2.0 - k.k) * std::tan(a1);
    float cy = f(k.h / 2.0 - (R - fl) * std::sin(a1));
    float cxL = f(t.c - k.p / 4.0 + medio + (R - fl) * std::cos(a1));
    float cxR = f(t.c + k.p / 4.0 - medio - (R - fl) * std::cos(a1));
    float tL0 = f((PI - a1) + theta), tL1 = f((PI - a1) - theta), dL = (tL0 - tL1) / 10.0f;
    float tR0 = f(a1 + theta), tR1 = f(a1 - theta), dR = (tR0 - tR1) / 10.0f;

    std::vector<Punto> izq, der;
    float s = tL0;
    for (int n = 0; n < MAX_PUNTOS_ARCO_FLANCO && s > tL1; ++n, s -= dL)
        izq.push_back({f(cxL + R * std::cos(static_cast<double>(s))), f(cy + R * std::sin(static_cast<double>(s)) + k.e)});
    s = tR0;
    for (int n = 0; n < MAX_PUNTOS_ARCO_FLANCO && s > tR1; ++n, s -= dR)
        der.push_back({f(cxR + R * std::cos(static_cast<double>(s))), f(cy + R * std::sin(static_cast<double>(s)) + k.e)});

    Punto L0{t.L0, k.e}, L1{t.L1, k.e + k.h};
    Punto R1{f(t.c + k.p / 4.0 - arriba), k.e + k.h}, R0{f(t.c + k.p / 4.0 + abajo), k.e};
    if (k.flecha < 0) {
        // A negative sagitta bows each flank into the tooth: the outward arc mirrored across its chord.
        double nx = std::cos(a1), ny = -std::sin(a1);
        double mxL = (L0.x + L1.x) / 2.0, myL = (L0.y + L1.y) / 2.0;
        double mxR = (R0.x + R1.x) / 2.0, myR = (R0.y + R1.y) / 2.0;
        for (Punto& q : izq) q = reflejar(q, mxL, myL, nx, ny);
        for (Punto& q : der) q = reflejar(q, mxR, myR, -nx, ny);
    }
    std::vector<Punto> pts{L0};
    pts.insert(pts.end(), izq.begin(), izq.end());
    pts.push_back(L1);
    pts.push_back(R1);
    pts.insert(pts.end(), der.begin(), der.end());
    pts.push_back(R0);
    return pts;
}

// Points (cx - r cos t, cy + r sin t) for t from 'desde' in steps of (hasta - desde)/6 while t < hasta.
void arco_cabeza(std::vector<Punto>& pts, float cx, float cy, float r, float desde, float hasta) {
    float paso = (hasta - desde) / 6.0f;
    float t = desde;
    for (int n = 0; n < MAX_PUNTOS_ARCO_CABEZA && t < hasta; ++n, t += paso)
        pts.push_back({f(cx - r * std::cos(static_cast<double>(t))), f(cy + r * std::sin(static_cast<double>(t)))});
}

struct Centros {
    float xl, xr, y;
};

Centros centros(const Datos& k, const Diente& t) {
    double a1 = k.a1, a2 = k.a2;
    return {f(t.L1 + k.r * (1 - std::sin(a1)) / std::cos(a1)), f(t.R1 - k.r * (1 - std::sin(a2)) / std::cos(a2)),
            k.e + k.h - k.r};
}

std::vector<Punto> cabeza_redonda(const Datos& k, const Diente& t) {
    double a1 = k.a1, a2 = k.a2;
    Centros C = centros(k, t);
    std::vector<Punto> pts{{t.L0, k.e}};
    if (k.a1 > 0) pts.push_back({C.xl - k.r, f(k.e + k.h + k.r * ((1 - std::sin(a1)) - std::cos(a1)) / std::sin(a1))});
    arco_cabeza(pts, C.xl, C.y, k.r, k.a1, PI_MEDIOS_F);
    arco_cabeza(pts, C.xr, C.y, k.r, PI_MEDIOS_F, f(PI - a2));
    if (k.a2 > 0) pts.push_back({C.xr + k.r, f(k.e + k.h + k.r * ((1 - std::sin(a2)) - std::cos(a2)) / std::sin(a2))});
    pts.push_back({t.R0, k.e});
    return pts;
}

void con_depresion(const Datos& k, const Diente& t, std::vector<Punto>& cuerpo, std::vector<Punto>& tapa) {
    double a1 = k.a1, a2 = k.a2;
    Centros C = centros(k, t);
    Punto P1{f(t.L0 + k.d / std::cos(a1)), k.e}, P4{f(t.R0 - k.d / std::cos(a2)), k.e};
    float dL = f(k.r * (1 - std::cos(a1))), dR = f(k.r * (1 - std::cos(a2)));
    float sL, sR;
    Punto PL, PR;
    if (k.d > dL) {
        sL = 0;
        double m = (1 - std::sin(a1)) - std::cos(a1);
        PL = {f(t.L1 + k.r * m / std::cos(a1)), f(k.e + k.h + k.r * m / std::sin(a1) - k.d / std::sin(a1))};
        if (PL.y < 0) PL.y = 0;
    } else {
        sL = f(k.a1 - (k.a1 / dL) * k.d);
        PL = {f(C.xl - k.r * std::cos(static_cast<double>(sL))), f(C.y + k.r * std::sin(static_cast<double>(sL)))};
    }
    if (k.d > dR) {
        sR = 0;
        double m = (1 - std::sin(a2)) - std::cos(a2);
        PR = {f(t.R1 - k.r * m / std::cos(a2)), f(k.e + k.h + k.r * m / std::sin(a2) - k.d / std::sin(a2))};
        if (PR.y < 0) PR.y = 0;
    } else {
        sR = f(k.a2 - (k.a2 / dR) * k.d);
        PR = {f(C.xr + k.r * std::cos(static_cast<double>(sR))), f(C.y + k.r * std::sin(static_cast<double>(sR)))};
    }
    cuerpo = {P1, PL, PR, P4};
    tapa = {PL};
    arco_cabeza(tapa, C.xl, C.y, k.r, sL, PI_MEDIOS_F);
    arco_cabeza(tapa, C.xr, C.y, k.r, PI_MEDIOS_F, f(PI - sR));
    tapa.push_back(PR);
}

void agregar(std::vector<Contorno>& out, std::vector<Punto> pts) {
    bool convexo = es_convexo(pts);
    out.push_back({Primitiva::Poligono, std::move(pts), convexo});
}

}  // namespace

bool es_convexo(const std::vector<Punto>& pts) {
    size_t n = pts.size();
    if (n < 3) return true;
    int signo = 0;
    double giro_total = 0;
    for (size_t i = 0; i < n; ++i) {
        const Punto& a = pts[i];
        const Punto& b = pts[(i + 1) % n];
        const Punto& c = pts[(i + 2) % n];
        double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
        double cruz = ux * vy - uy * vx;
        double escala = (std::fabs(ux) + std::fabs(uy)) * (std::fabs(vx) + std::fabs(vy));
        if (escala == 0) continue;
        if (std::fabs(cruz) > 1e-6 * escala) {
            int s = cruz > 0 ? 1 : -1;
            if (signo == 0) signo = s;
            else if (s != signo) return false;
        }
        giro_total += std::atan2(cruz, ux * vx + uy * vy);
    }
    // A convex outline turns once around; a star-shaped crossing one turns more.
    return std::fabs(giro_total) < 2 * PI + 1e-3;
}

std::vector<Contorno> perfil_cremallera(const float datos[NUM_DATOS_CREMALLERA]) {
    Datos k{datos[D_ALTURA], datos[D_PASO], datos[D_RAIZ], datos[D_RADIO], datos[D_DEPRESION], datos[D_FLECHA],
            datos[D_RODADURA], f(datos[D_ANGULO1] * PI / 180.0), f(datos[D_ANGULO2] * PI / 180.0)};
    std::vector<Contorno> out;
    out.reserve(16);
    for (int i = -2; i <= 2; ++i) {
        Diente t = diente(k, i);
        if (k.flecha != 0) {
            auto pts = circular(k, t);
            if (finito(pts)) agregar(out, std::move(pts));
        } else if (k.r != 0 && k.d != 0) {
            std::vector<Punto> cuerpo, tapa;
            con_depresion(k, t, cuerpo, tapa);
            if (finito(cuerpo) && finito(tapa)) {
                agregar(out, std::move(cuerpo));
                agregar(out, std::move(tapa));
            }
        } else if (k.r != 0) {
            auto pts = cabeza_redonda(k, t);
            if (finito(pts)) agregar(out, std::move(pts));
        } else {
            auto pts = recto(k, t);
            if (finito(pts)) agregar(out, std::move(pts));
        }
    }
    if (k.e > 0) {
        double a1 = k.a1, a2 = k.a2;
        for (int i = -2; i <= 2; ++i) {
            Diente t = diente(k, i);
            float xl = f(t.L0 + k.d / std::cos(a1)), xr = f(t.R0 - k.d / std::cos(a2));
            std::vector<Punto> pts{{f(xl - k.e * std::tan(a1)), 0.0f}, {xl, k.e}, {xr, k.e},
                                   {f(xr + k.e * std::tan(a2)), 0.0f}};
            if (finito(pts)) agregar(out, std::move(pts));
        }
    }
    float x3 = 3 * k.p, y = -k.h / 2;
    std::vector<Punto> cuerpo{{-x3, 0.0f}, {x3, 0.0f}, {x3, y}, {-x3, y}};
    if (finito(cuerpo)) out.push_back({Primitiva::Cuadrilateros, std::move(cuerpo), true});
    return out;
}

bool fuera_del_circulo(const std::vector<Punto>& pts, Punto c, float radio) {
    size_t n = pts.size();
    if (n == 0) return true;
    double minima = INFINITY;
    int signo = 0;
    bool dentro = n >= 3;
    for (size_t i = 0; i < n; ++i) {
        const Punto& a = pts[i];
        const Punto& b = pts[(i + 1) % n];
        double ex = b.x - a.x, ey = b.y - a.y, px = c.x - a.x, py = c.y - a.y;
        double largo = ex * ex + ey * ey;
        double t = largo > 0 ? std::clamp((px * ex + py * ey) / largo, 0.0, 1.0) : 0.0;
        minima = std::min(minima, std::hypot(px - t * ex, py - t * ey));
        double cruz = ex * py - ey * px;
        if (largo > 0 && cruz != 0) {
            int s = cruz > 0 ? 1 : -1;
            if (signo == 0) signo = s;
            else if (s != signo) dentro = false;
        }
    }
    if (dentro && signo != 0) return false;
    return minima >= radio;
}

Punto origen_en_cremallera(const float datos[NUM_DATOS_CREMALLERA]) {
    double g = datos[D_GIRO] * PI / 180.0;
    double x = -datos[D_X0], y = -datos[D_Y0];
    return {f(x * std::cos(g) + y * std::sin(g)), f(-x * std::sin(g) + y * std::cos(g))};
}

std::vector<Punto> puntos_circunferencia(float radio) {
    std::vector<Punto> pts;
    pts.reserve(PUNTOS_CIRCUNFERENCIA);
    for (int i = 0; i < PUNTOS_CIRCUNFERENCIA; ++i) {
        float ang = static_cast<float>(i * 6.283185307179586 / PUNTOS_CIRCUNFERENCIA);
        pts.push_back({f(radio * std::cos(static_cast<double>(ang))), f(radio * std::sin(static_cast<double>(ang)))});
    }
    return pts;
}
