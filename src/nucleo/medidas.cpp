#include "medidas.h"

#include <algorithm>
#include <cmath>

#include "angulos.h"

namespace {

double radianes(double grados) { return grados * PI / 180.0; }

// Even-odd rule over every ring of every piece.
bool dentro(const std::vector<Pieza>& piezas, double x, double y) {
    bool in = false;
    auto anillo = [&](const Anillo& a) {
        size_t n = a.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const Vertice& p = a[i];
            const Vertice& q = a[j];
            if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) in = !in;
        }
    };
    for (const Pieza& p : piezas) {
        if (!p.exterior.empty()) anillo(p.exterior);
        for (const Anillo& h : p.huecos)
            if (!h.empty()) anillo(h);
    }
    return in;
}

// Angles in [0, 2π) where the ring's edges cross the circle.
void cruces(const Anillo& a, double r, std::vector<double>& out) {
    size_t n = a.size();
    for (size_t i = 0; i < n; ++i) {
        const Vertice& p = a[i];
        const Vertice& q = a[(i + 1) % n];
        double dx = q.x - p.x, dy = q.y - p.y;
        double A = dx * dx + dy * dy, B = 2 * (p.x * dx + p.y * dy), C = p.x * p.x + p.y * p.y - r * r;
        if (A == 0) continue;
        double disc = B * B - 4 * A * C;
        if (disc < 0) continue;
        double s = std::sqrt(disc);
        for (double t : {(-B - s) / (2 * A), (-B + s) / (2 * A)}) {
            if (t < 0 || t >= 1) continue;
            double ang = std::atan2(p.y + t * dy, p.x + t * dx);
            out.push_back(ang < 0 ? ang + 2 * PI : ang);
        }
    }
}


double ajustar(double a) {
    a = std::fmod(a, 2 * PI);
    if (a > PI) a -= 2 * PI;
    if (a < -PI) a += 2 * PI;
    return a;
}

}  // namespace

double desplazamiento_minimo(double z, double angulo_grados) {
    double s = std::sin(radianes(angulo_grados));
    return 1.0 - (z / 2.0) * s * s;
}

double espesor_teorico(double modulo, double angulo_grados, double x) {
    return modulo * (PI / 2.0 + 2.0 * x * std::tan(radianes(angulo_grados)));
}

double radio_base(double modulo, double z, double angulo_grados) {
    return modulo * z / 2.0 * std::cos(radianes(angulo_grados));
}

double radio_de_forma(double modulo, double z, double angulo_grados, double h) {
    double a = radianes(angulo_grados);
    double rb = radio_base(modulo, z, angulo_grados);
    double resto = modulo * z / 2.0 * std::sin(a) - h * modulo / std::sin(a);
    if (resto <= 0) return rb;
    return std::sqrt(rb * rb + resto * resto);
}

std::vector<Arco> arcos_en_material(const std::vector<Pieza>& piezas, double radio) {
    std::vector<double> c;
    for (const Pieza& p : piezas) {
        cruces(p.exterior, radio, c);
        for (const Anillo& h : p.huecos) cruces(h, radio, c);
    }
    std::vector<Arco> arcos;
    if (c.empty()) return arcos;
    std::sort(c.begin(), c.end());
    size_t n = c.size();
    // Each stretch between neighbouring crossings is wholly in or out: its middle tells.
    std::vector<Arco> tramos;
    for (size_t i = 0; i < n; ++i) {
        double a = c[i], b = i + 1 < n ? c[i + 1] : c[0] + 2 * PI;
        if (b - a < 1e-12) continue;
        double m = (a + b) / 2;
        if (dentro(piezas, radio * std::cos(m), radio * std::sin(m))) tramos.push_back({a, b});
    }
    // Stretches that meet (a crossing counted on two edges through a vertex) are one arc.
    for (const Arco& t : tramos) {
        if (!arcos.empty() && std::fabs(t.desde - arcos.back().hasta) < 1e-12) arcos.back().hasta = t.hasta;
        else arcos.push_back(t);
    }
    if (arcos.size() > 1 && std::fabs(arcos.back().hasta - 2 * PI - arcos.front().desde) < 1e-12) {
        arcos.front().desde = arcos.back().desde - 2 * PI;
        arcos.pop_back();
        for (Arco& a : arcos) {
            if (a.desde < 0) {
                a.desde += 2 * PI;
                a.hasta += 2 * PI;
            }
        }
        std::sort(arcos.begin(), arcos.end(), [](const Arco& x, const Arco& y) { return x.desde < y.desde; });
    }
    return arcos;
}

int contar_dientes(const std::vector<Pieza>& piezas, double radio) {
    return static_cast<int>(arcos_en_material(piezas, radio).size());
}

std::vector<double> espesores(const std::vector<Pieza>& piezas, double rp) {
    std::vector<double> e;
    for (const Arco& a : arcos_en_material(piezas, rp)) e.push_back(rp * (a.hasta - a.desde));
    return e;
}

double espesor_en_primitiva(const std::vector<Pieza>& piezas, double rp) {
    std::vector<double> e = espesores(piezas, rp);
    if (e.empty()) return 0;
    double s = 0;
    for (double v : e) s += v;
    return s / static_cast<double>(e.size());
}

double radio_de_fondo(const std::vector<Pieza>& piezas) {
    double r = INFINITY;
    for (const Pieza& p : piezas) {
        size_t n = p.exterior.size();
        for (size_t i = 0; i < n; ++i) {
            const Vertice& a = p.exterior[i];
            const Vertice& b = p.exterior[(i + 1) % n];
            double dx = b.x - a.x, dy = b.y - a.y, l = dx * dx + dy * dy;
            double t = l > 0 ? std::clamp(-(a.x * dx + a.y * dy) / l, 0.0, 1.0) : 0.0;
            r = std::min(r, std::hypot(a.x + t * dx, a.y + t * dy));
        }
    }
    return std::isfinite(r) ? r : 0.0;
}

Desviacion desviacion_evolvente(const std::vector<Pieza>& piezas, double rp, double rb, double espesor, double desde,
                                double hasta) {
    Desviacion d;
    std::vector<double> centros;
    for (const Arco& a : arcos_en_material(piezas, rp)) centros.push_back((a.desde + a.hasta) / 2);
    if (centros.empty() || !(rb > 0) || rp < rb) return d;
    // Half the tooth's angle on rp, and the involute's polar angle there.
    double psi = espesor / (2 * rp), inv_p = involuta(std::acos(rb / rp));
    d.mayor = -INFINITY;
    d.menor = INFINITY;
    for (const Pieza& p : piezas) {
        for (const Vertice& v : p.exterior) {
            double rho = std::hypot(v.x, v.y);
            if (rho < desde || rho > hasta) continue;
            double th = std::atan2(v.y, v.x), cerca = INFINITY;
            for (double c : centros) {
                double dd = ajustar(th - c);
                if (std::fabs(dd) < std::fabs(cerca)) cerca = dd;
            }
            // Below the base circle the reference is the involute's radial tangent at its start.
            double desv = rho >= rb ? rb * (std::fabs(cerca) - (psi + inv_p - involuta(std::acos(rb / rho))))
                                    : rho * (std::fabs(cerca) - (psi + inv_p));
            d.mayor = std::max(d.mayor, desv);
            d.menor = std::min(d.menor, desv);
            ++d.puntos;
        }
    }
    if (d.puntos == 0) d.mayor = d.menor = 0;
    return d;
}
