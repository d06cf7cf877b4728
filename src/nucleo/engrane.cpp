#include "engrane.h"
#include "idioma/idioma.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "mecanismos.h"
#include "medidas.h"

namespace {

constexpr double PI_ = 3.141592653589793;
double rad(double g) { return g * PI_ / 180.0; }
double grados(double r) { return r * 180.0 / PI_; }

Punto2 girar(Punto2 p, double c, double s) { return {p.x * c - p.y * s, p.x * s + p.y * c}; }

std::string numero(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.4f", v);
    return b;
}

bool cremallera(const Rueda& r) { return r.z == 0; }

// The shape of one partner in its own frame, with what finding distances to it quickly needs.
struct Forma {
    std::vector<Punto2> v;       // vertices of the outside rings
    std::vector<Punto2> nv;      // at each vertex, the sum of its two edges' outward normals
    std::vector<std::pair<int, int>> aristas;  // vertex indices p, q of each edge (material on the left)
    std::vector<Punto2> na;      // outward unit normal of each edge
    double celda = 1, x0 = 0, y0 = 0;
    int nx = 0, ny = 0;
    std::vector<std::vector<int>> rejilla;  // edges whose box meets each cell

    void construir(const std::vector<Pieza>& piezas, double celda_) {
        celda = celda_;
        for (const Pieza& p : piezas) {
            const Anillo& a = p.exterior;
            size_t n = a.size();
            if (n < 3) continue;
            int base = static_cast<int>(v.size());
            for (const Vertice& q : a) v.push_back({q.x, q.y});
            for (size_t i = 0; i < n; ++i) aristas.emplace_back(base + static_cast<int>(i), base + static_cast<int>((i + 1) % n));
        }
        nv.assign(v.size(), {0, 0});
        na.clear();
        double xmin = INFINITY, ymin = INFINITY, xmax = -INFINITY, ymax = -INFINITY;
        for (const Punto2& p : v) {
            xmin = std::min(xmin, p.x), ymin = std::min(ymin, p.y);
            xmax = std::max(xmax, p.x), ymax = std::max(ymax, p.y);
        }
        for (auto [i, j] : aristas) {
            // Counter-clockwise rings: the outside is on the right of each edge.
            double dx = v[j].x - v[i].x, dy = v[j].y - v[i].y, l = std::hypot(dx, dy);
            Punto2 n = l > 0 ? Punto2{dy / l, -dx / l} : Punto2{0, 0};
            na.push_back(n);
            nv[i].x += n.x, nv[i].y += n.y;
            nv[j].x += n.x, nv[j].y += n.y;
        }
        if (v.empty()) return;
        x0 = xmin - celda, y0 = ymin - celda;
        nx = static_cast<int>((xmax - x0) / celda) + 2;
        ny = static_cast<int>((ymax - y0) / celda) + 2;
        rejilla.assign(static_cast<size_t>(nx) * static_cast<size_t>(ny), {});
        for (size_t k = 0; k < aristas.size(); ++k) {
            const Punto2 &p = v[static_cast<size_t>(aristas[k].first)], &q = v[static_cast<size_t>(aristas[k].second)];
            int i0 = celda_x(std::min(p.x, q.x)), i1 = celda_x(std::max(p.x, q.x));
            int j0 = celda_y(std::min(p.y, q.y)), j1 = celda_y(std::max(p.y, q.y));
            for (int i = i0; i <= i1; ++i)
                for (int j = j0; j <= j1; ++j) rejilla[static_cast<size_t>(j) * static_cast<size_t>(nx) + static_cast<size_t>(i)].push_back(static_cast<int>(k));
        }
    }
    int celda_x(double x) const { return std::clamp(static_cast<int>(std::floor((x - x0) / celda)), 0, nx - 1); }
    int celda_y(double y) const { return std::clamp(static_cast<int>(std::floor((y - y0) / celda)), 0, ny - 1); }

    // The nearest point of the outline to q within one cell size: signed distance (negative inside),
    // the outward normal there and the point. False when nothing lies that near.
    bool cercano(Punto2 q, double& d, Punto2& normal, Punto2& punto) const {
        if (v.empty()) return false;
        double fx = std::floor((q.x - x0) / celda), fy = std::floor((q.y - y0) / celda);
        if (fx < -1 || fy < -1 || fx > nx || fy > ny) return false;
        int ci = static_cast<int>(fx), cj = static_cast<int>(fy);
        double mejor = INFINITY;
        int arista = -1;
        double tmejor = 0;
        for (int j = std::max(cj - 1, 0); j <= std::min(cj + 1, ny - 1); ++j) {
            for (int i = std::max(ci - 1, 0); i <= std::min(ci + 1, nx - 1); ++i) {
                for (int k : rejilla[static_cast<size_t>(j) * static_cast<size_t>(nx) + static_cast<size_t>(i)]) {
                    const Punto2 &p = v[static_cast<size_t>(aristas[static_cast<size_t>(k)].first)],
                                 &r = v[static_cast<size_t>(aristas[static_cast<size_t>(k)].second)];
                    double dx = r.x - p.x, dy = r.y - p.y, l = dx * dx + dy * dy;
                    double t = l > 0 ? std::clamp(((q.x - p.x) * dx + (q.y - p.y) * dy) / l, 0.0, 1.0) : 0.0;
                    double e = std::hypot(q.x - p.x - t * dx, q.y - p.y - t * dy);
                    if (e < mejor) mejor = e, arista = k, tmejor = t;
                }
            }
        }
        if (arista < 0 || mejor > celda) return false;
        auto [i, j] = aristas[static_cast<size_t>(arista)];
        const Punto2 &p = v[static_cast<size_t>(i)], &r = v[static_cast<size_t>(j)];
        punto = {p.x + tmejor * (r.x - p.x), p.y + tmejor * (r.y - p.y)};
        // At an end of the edge the side is told by the vertex's normal, the sum of its edges' normals.
        Punto2 n = tmejor <= 0 ? nv[static_cast<size_t>(i)] : tmejor >= 1 ? nv[static_cast<size_t>(j)] : na[static_cast<size_t>(arista)];
        double ln = std::hypot(n.x, n.y);
        normal = ln > 0 ? Punto2{n.x / ln, n.y / ln} : na[static_cast<size_t>(arista)];
        double lado = (q.x - punto.x) * n.x + (q.y - punto.y) * n.y;
        d = lado < 0 ? -mejor : mejor;
        return true;
    }
};

std::vector<Pieza> mover(const std::vector<Pieza>& piezas, double giro, Punto2 desplazamiento) {
    double c = std::cos(giro), s = std::sin(giro);
    std::vector<Pieza> out = piezas;
    auto anillo = [&](Anillo& a) {
        for (Vertice& q : a) {
            Punto2 p = girar({q.x, q.y}, c, s);
            q = {p.x + desplazamiento.x, p.y + desplazamiento.y};
        }
    };
    for (Pieza& p : out) {
        anillo(p.exterior);
        for (Anillo& h : p.huecos) anillo(h);
    }
    return out;
}

// The tooth thickness (arc) on the circle of radius r of a gear by the book.
double espesor_en(const Rueda& w, double r) {
    double s = w.m * (PI_ / 2 + 2 * w.x * std::tan(rad(w.alfa)));
    return 2 * r * (s / (2 * w.rp) + involuta(rad(w.alfa)) - involuta(std::acos(std::min(1.0, w.rb / r))));
}

}  // namespace

double involuta_inversa(double v) {
    if (!(v > 0)) return 0;
    // Newton from an angle above the root: the function is convex and rising on [0, π/2).
    double a = std::min(1.5, std::cbrt(3 * v) + 0.1);
    for (int i = 0; i < 60; ++i) {
        double t = std::tan(a);
        double paso = (involuta(a) - v) / (t * t);
        a -= paso;
        if (std::fabs(paso) < 1e-15) break;
    }
    return a;
}

Rueda rueda_tallada(int z, double m, double alfa_grados, double x, double h, double k) {
    Rueda r;
    r.z = z, r.m = m, r.alfa = alfa_grados, r.x = x;
    r.rp = m * z / 2.0;
    r.rb = r.rp * std::cos(rad(alfa_grados));
    r.ra = r.rp + k + std::max(x * m, 0.0);
    r.rf = r.rp + x * m - (h - k);
    return r;
}

Rueda cremallera_basica(double m, double alfa_grados, double h, double k) {
    Rueda r;
    r.z = 0, r.m = m, r.alfa = alfa_grados, r.x = 0;
    r.ra = k;
    r.rf = h - k;
    return r;
}

std::string comprobar_engrane(const Rueda& r1, const Rueda& r2, double a) {
    if (r1.z < 3) return _("la rueda 1 necesita al menos 3 dientes");
    if (r2.z != 0 && r2.z < 3) return _("la rueda 2 necesita 0 (cremallera) o al menos 3 dientes");
    for (double v : {r1.m, r1.alfa, r1.x, r2.x, r1.ra, r2.ra, r1.rf, r2.rf, a})
        if (!std::isfinite(v)) return _("valores no finitos");
    if (!(r1.m > 0) || !(r1.alfa > 0 && r1.alfa < 45)) return _("modulo o angulo de presion fuera de lo admitido");
    if (!(r1.rf > 0) || (!cremallera(r2) && !(r2.rf > 0))) return _("el desplazamiento deja la rueda sin fondo");
    if (!(r1.ra > r1.rb) || (!cremallera(r2) && !(r2.ra > r2.rb))) return _("la cabeza no pasa del circulo base");
    if (cremallera(r2) && r2.x != 0) return _("la cremallera no admite desplazamiento");
    double inv = involuta(rad(r1.alfa)) + 2 * std::tan(rad(r1.alfa)) * (r1.x + r2.x) / (r1.z + r2.z);
    if (!cremallera(r2) && !(inv > 0)) return _("los desplazamientos dan un angulo de funcionamiento nulo");
    Teoria t = teoria_engrane(r1, r2, 0);
    if (a > 0 && a < t.a_w - 1e-9 * t.a_w)
        return formato(_("distancia entre centros %s menor que la de funcionamiento %s: los dientes se penetrarian"),
                       numero(a).c_str(), numero(t.a_w).c_str());
    return "";
}

Teoria teoria_engrane(const Rueda& r1, const Rueda& r2, double a) {
    Teoria t;
    double alfa = rad(r1.alfa);
    double pb = PI_ * r1.m * std::cos(alfa);
    double sa = std::sqrt(std::max(0.0, r1.ra * r1.ra - r1.rb * r1.rb));
    if (cremallera(r2)) {
        t.alfa_w = r1.alfa;
        t.a_w = r1.rp + r1.x * r1.m;
        t.a = a > 0 ? a : t.a_w;
        t.alfa_a = r1.alfa;
        t.rw1 = r1.rp;
        t.rw2 = 0;
        double s = std::sin(alfa), c = std::cos(alfa);
        t.C = {0, -r1.rp};
        t.T1 = {-r1.rb * s, -r1.rb * c};
        t.T2 = t.T1;  // the rack has no base circle: the line runs on without end
        // Along the line from T1, direction (cos α, -sin α): A where the rack's tip line y = -a + ra
        // crosses it, E where gear 1's tip circle does.
        double sA = (t.T1.y + t.a - r2.ra) / s;
        double sE = sa;
        t.A = {t.T1.x + sA * c, t.T1.y - sA * s};
        t.E = {t.T1.x + sE * c, t.T1.y - sE * s};
        t.epsilon = (sE - sA) / pb;
        t.interferencia = sA < 0;
        t.donde = t.T1;
        t.juego_normal = 2 * (t.a - t.a_w) * s;
        return t;
    }
    double inv = involuta(alfa) + 2 * std::tan(alfa) * (r1.x + r2.x) / (r1.z + r2.z);
    double aw = involuta_inversa(inv);
    t.alfa_w = grados(aw);
    t.a_w = (r1.z + r2.z) * r1.m * std::cos(alfa) / (2 * std::cos(aw));
    t.a = a > 0 ? a : t.a_w;
    double alfa_a = a > 0 ? std::acos(std::min(1.0, (r1.rb + r2.rb) / t.a)) : aw;
    t.alfa_a = grados(alfa_a);
    t.rw1 = t.a * r1.z / (r1.z + r2.z);
    t.rw2 = t.a * r2.z / (r1.z + r2.z);
    double s = std::sin(alfa_a), c = std::cos(alfa_a);
    t.C = {t.rw1, 0};
    t.T1 = {r1.rb * c, -r1.rb * s};
    t.T2 = {t.a - r2.rb * c, r2.rb * s};
    double largo = t.a * s;  // T1 T2
    double sA = largo - std::sqrt(std::max(0.0, r2.ra * r2.ra - r2.rb * r2.rb));
    double sE = sa;
    t.A = {t.T1.x + sA * s, t.T1.y + sA * c};
    t.E = {t.T1.x + sE * s, t.T1.y + sE * c};
    t.epsilon = (sE - sA) / pb;
    t.interferencia = sA < 0 || sE > largo;
    t.donde = sA < 0 ? t.T1 : t.T2;
    double jt = 2 * PI_ * t.rw1 / r1.z - espesor_en(r1, t.rw1) - espesor_en(r2, t.rw2);
    t.juego_normal = jt * c;
    return t;
}

std::vector<Pieza> con_diente_en_x(const std::vector<Pieza>& contorno, double rp) {
    std::vector<Arco> arcos = arcos_en_material(contorno, rp);
    if (arcos.empty()) return contorno;
    double medio = (arcos.front().desde + arcos.front().hasta) / 2;
    return mover(contorno, -medio, {0, 0});
}

struct Engrane::Datos {
    Rueda r1, r2;
    Teoria t;
    Forma f1, f2;
    std::vector<Pieza> c1, c2;
    std::vector<int> cand1, cand2;  // vertices that may come near the partner
    double celda = 0, tolerancia = 0, pb = 0;
    bool rack = false;

    // Gear 1's turn in the scene for its angle: a tooth's middle faces gear 2, or points down at the rack.
    double giro1(double theta) const { return rack ? theta - PI_ / 2 : theta; }
    // Gear 2 where the book puts it: a space of it facing gear 1's tooth, then turned by the ratio;
    // the rack with a space under gear 1's tooth, then moved by r1 times the angle.
    double nominal2(double theta) const {
        if (rack) {
            double p = PI_ * r1.m;
            double x = p / 2 + r1.rp * theta;
            return x - p * std::floor(x / p + 0.5);
        }
        return PI_ + PI_ / r2.z - theta * r1.z / r2.z;
    }

    enum Lado { EMPUJE, DORSO, NEUTRO };
    struct Muestra {
        double d;
        Lado lado;
        Punto2 punto;  // scene frame, halfway between the vertex and the nearest point of the partner
    };

    // Distances from each partner's vertices near the other to the other's outline, with gear 2 at g2.
    void muestras(double theta, double g2, std::vector<Muestra>& out) const {
        out.clear();
        double a = t.a;
        double g1 = giro1(theta), c1 = std::cos(g1), s1 = std::sin(g1);
        double c2 = rack ? 1 : std::cos(g2), s2 = rack ? 0 : std::sin(g2);
        Punto2 o2 = rack ? Punto2{g2, -a} : Punto2{a, 0};
        auto a_escena2 = [&](Punto2 p) { Punto2 q = girar(p, c2, s2); return Punto2{q.x + o2.x, q.y + o2.y}; };
        auto de_escena2 = [&](Punto2 p) { return girar({p.x - o2.x, p.y - o2.y}, c2, -s2); };
        auto clasificar = [](double nv) { return nv > 0.1 ? EMPUJE : nv < -0.1 ? DORSO : NEUTRO; };
        double alcance1 = r1.ra + celda, alcance2 = rack ? 0 : r2.ra + celda;
        // Gear 1's vertices against gear 2's outline.
        for (int i : cand1) {
            Punto2 p = girar(f1.v[static_cast<size_t>(i)], c1, s1);
            Punto2 q = de_escena2(p);
            if (rack ? q.y > r2.ra + celda : std::hypot(q.x, q.y) > alcance2) continue;
            double d;
            Punto2 n, en;
            if (!f2.cercano(q, d, n, en)) continue;
            // Gear 1's surface moving into gear 2 against its outward normal: the driving side.
            Punto2 v = girar({-p.y, p.x}, c2, -s2);
            double lv = std::hypot(v.x, v.y);
            double nvv = lv > 0 ? -(n.x * v.x + n.y * v.y) / lv : 0;
            Punto2 e = a_escena2(en);
            out.push_back({d, clasificar(nvv), {(p.x + e.x) / 2, (p.y + e.y) / 2}});
        }
        // Gear 2's vertices against gear 1's outline.
        for (int i : cand2) {
            Punto2 p = a_escena2(f2.v[static_cast<size_t>(i)]);
            if (std::hypot(p.x, p.y) > alcance1) continue;
            Punto2 q = girar(p, c1, -s1);
            double d;
            Punto2 n, en;
            if (!f1.cercano(q, d, n, en)) continue;
            Punto2 v{-q.y, q.x};
            double lv = std::hypot(v.x, v.y);
            double nvv = lv > 0 ? (n.x * v.x + n.y * v.y) / lv : 0;
            Punto2 e = girar(en, c1, s1);
            out.push_back({d, clasificar(nvv), {(p.x + e.x) / 2, (p.y + e.y) / 2}});
        }
    }

    // How a turn of gear 2 (or travel of the rack) changes the gap along the flanks' normal.
    double brazo() const { return rack ? std::cos(rad(r1.alfa)) : r2.rb; }

    // Gear 2 moved from g2 until the flanks of that side touch: turned counter-clockwise (the rack
    // moved along -x) to close the driving side, the other way to close the back side.
    double cerrar(double theta, double g2, Lado lado, std::vector<Muestra>& m) const {
        double signo = lado == EMPUJE ? 1 : -1;
        if (rack) signo = -signo;
        double limite = rack ? PI_ * r1.m : 2 * PI_ / r2.z;  // a pitch: beyond it nothing will touch
        double recorrido = 0;
        for (int it = 0; it < 400; ++it) {
            muestras(theta, g2, m);
            double g = INFINITY;
            for (const Muestra& s : m)
                if (s.lado == lado) g = std::min(g, s.d);
            double paso = std::isfinite(g) ? g / brazo() : 0.9 * celda / brazo();
            if (std::isfinite(g) && std::fabs(g) < 1e-9 * r1.m) break;
            g2 += signo * paso;
            recorrido += paso;
            if (recorrido > limite) break;
        }
        return g2;
    }
};

Engrane::Engrane(const Rueda& r1, const Rueda& r2, const std::vector<Pieza>& contorno1,
                 const std::vector<Pieza>& contorno2, double a)
    : d_(std::make_unique<Datos>()) {
    Datos& d = *d_;
    d.r1 = r1, d.r2 = r2;
    d.rack = cremallera(r2);
    d.t = teoria_engrane(r1, r2, a);
    d.celda = 0.2 * r1.m;
    d.tolerancia = DISTANCIA_CONTACTO * r1.m;
    d.pb = PI_ * r1.m * std::cos(rad(r1.alfa));
    d.c1 = con_diente_en_x(contorno1, r1.rp);
    d.c2 = d.rack ? contorno2 : con_diente_en_x(contorno2, r2.rp);
    d.f1.construir(d.c1, d.celda);
    d.f2.construir(d.c2, d.celda);
    // Only what can reach the partner's tip is ever near it.
    double a_ = d.t.a;
    for (size_t i = 0; i < d.f1.v.size(); ++i) {
        double r = std::hypot(d.f1.v[i].x, d.f1.v[i].y);
        if (r >= a_ - r2.ra - 2 * d.celda) d.cand1.push_back(static_cast<int>(i));
    }
    for (size_t i = 0; i < d.f2.v.size(); ++i) {
        const Punto2& p = d.f2.v[i];
        bool cerca = d.rack ? p.y >= -r2.rf - 2 * d.celda : std::hypot(p.x, p.y) >= a_ - r1.ra - 2 * d.celda;
        if (cerca) d.cand2.push_back(static_cast<int>(i));
    }
}

Engrane::~Engrane() = default;
Engrane::Engrane(Engrane&&) noexcept = default;
Engrane& Engrane::operator=(Engrane&&) noexcept = default;

const Rueda& Engrane::rueda1() const { return d_->r1; }
const Rueda& Engrane::rueda2() const { return d_->r2; }
const Teoria& Engrane::teoria() const { return d_->t; }
const std::vector<Pieza>& Engrane::contorno1() const { return d_->c1; }
const std::vector<Pieza>& Engrane::contorno2() const { return d_->c2; }

Instante Engrane::en(double theta, bool con_contornos) const {
    const Datos& d = *d_;
    Instante s;
    s.giro1 = theta;
    std::vector<Datos::Muestra> m;
    // From where the book puts it, gear 2 is first moved a little off the driving flanks, then
    // turned onto them.
    double apartar = 0.01 * d.r1.m / d.brazo() * (d.rack ? 1 : -1);
    double g2 = d.cerrar(theta, d.nominal2(theta) + apartar, Datos::EMPUJE, m);
    s.giro2 = g2;
    double mas_hondo = 0;
    std::vector<const Datos::Muestra*> toques;
    for (const Datos::Muestra& x : m) {
        mas_hondo = std::max(mas_hondo, -x.d);
        if (x.lado == Datos::EMPUJE && x.d <= d.tolerancia) toques.push_back(&x);
    }
    s.solape = mas_hondo;
    // Points of one pair of teeth lie together; pairs lie a base pitch apart along the line of action.
    std::sort(toques.begin(), toques.end(), [](auto* x, auto* y) { return x->d < y->d; });
    for (const Datos::Muestra* x : toques) {
        bool nuevo = true;
        for (const Contacto& c : s.contactos)
            if (std::hypot(c.punto.x - x->punto.x, c.punto.y - x->punto.y) < d.pb / 2) nuevo = false;
        if (nuevo) s.contactos.push_back({x->punto, std::max(0.0, x->d)});
    }
    // Gear 2 turned back (clockwise; the rack along +x) until its other flanks touch: negative
    // when they already overlap.
    double otro = d.cerrar(theta, g2, Datos::DORSO, m);
    s.juego = (d.rack ? otro - g2 : g2 - otro) * d.brazo();
    if (con_contornos) {
        Lugar l1 = lugar1(s), l2 = lugar2(s);
        s.rueda1 = mover(d.c1, l1.giro, l1.centro);
        s.rueda2 = mover(d.c2, l2.giro, l2.centro);
    }
    return s;
}

Lugar Engrane::lugar1(const Instante& s) const { return {d_->giro1(s.giro1), {0, 0}}; }

Lugar Engrane::lugar2(const Instante& s) const {
    if (d_->rack) return {0, {s.giro2, -d_->t.a}};
    return {s.giro2, {d_->t.a, 0}};
}

Engrane::Medidas Engrane::medir(int muestras) const {
    Medidas r;
    if (muestras < 1) return r;
    double paso = 2 * PI_ / d_->r1.z / muestras;
    double pares = 0, juego = 0;
    for (int i = 0; i < muestras; ++i) {
        Instante s = en((i + 0.5) * paso, false);
        pares += static_cast<double>(s.contactos.size());
        juego += s.juego;
        r.solape = std::max(r.solape, s.solape);
    }
    r.relacion_contacto = pares / muestras;
    r.juego_normal = juego / muestras;
    return r;
}

std::vector<Pieza> cortar_rueda(const float datos[], int z, double m, double x, double paso) {
    float d[NUM_DATOS_CREMALLERA];
    std::copy(datos, datos + NUM_DATOS_CREMALLERA, d);
    double k = d[D_RODADURA], s = x * m, rp = m * z / 2.0;
    d[D_RAIZ] = static_cast<float>(std::max(-s, 0.0));
    double radio = rp + k + std::max(s, 0.0);
    return tallar_rueda(d, radio, rp, radio, paso);
}

std::vector<Pieza> cremallera_del_cortador(const float datos[]) {
    float d[NUM_DATOS_CREMALLERA];
    std::copy(datos, datos + NUM_DATOS_CREMALLERA, d);
    double h = d[D_ALTURA], k = d[D_RODADURA];
    d[D_RAIZ] = 0;
    d[D_RODADURA] = static_cast<float>(h - k);
    // Its reference line, where the teeth are half a pitch thick, onto y = 0.
    return mover(area_cremallera(d, 1), 0, {0, -(h - k)});
}

ParCortado cortar_par(const float datos[], double m, double alfa_grados, int z1, double x1, int z2, double x2,
                      double paso_grados) {
    ParCortado p;
    double h = datos[D_ALTURA], k = datos[D_RODADURA];
    p.r1 = rueda_tallada(z1, m, alfa_grados, x1, h, k);
    p.contorno1 = cortar_rueda(datos, z1, m, x1, paso_grados);
    if (z2 == 0) {
        p.r2 = cremallera_basica(m, alfa_grados, h, k);
        p.contorno2 = cremallera_del_cortador(datos);
    } else {
        p.r2 = rueda_tallada(z2, m, alfa_grados, x2, h, k);
        p.contorno2 = cortar_rueda(datos, z2, m, x2, paso_grados);
    }
    return p;
}
