#include "animacion_engrane.h"

#include <algorithm>
#include <cmath>

#include "angulos.h"
#include "estado.h"
#include "exportar/escritura.h"
#include "idioma/idioma.h"
#include "sesion.h"

namespace {

exportar::Color color(const float c[3]) { return {c[0], c[1], c[2]}; }

// The line of action on the black screen: a green apart from the circles' white and magenta
// and from both gears.
const exportar::Color COLOR_LINEA_PANTALLA{0.3, 1.0, 0.3};

}  // namespace

double giro_animado(const Engrane& e) {
    int z1 = e.rueda1().z, z2 = e.rueda2().z;
    if (z2 > 0 && z2 < z1) return 2 * PI * z2 / z1;
    return 2 * PI;
}

int cuadros_del_engrane(const OpcionesAnimacion& o) {
    int paso = std::max(1, o.paso);
    return std::max(2, (CUADROS_POR_OMISION + paso - 1) / paso);
}

exportar::Caja vista_del_engrane(const Engrane& e) {
    const Rueda &r1 = e.rueda1(), &r2 = e.rueda2();
    const Teoria& t = e.teoria();
    exportar::Caja c;
    if (r2.z > 0) {
        double alto = std::max(r1.ra, r2.ra);
        c = {-r1.ra, -alto, t.a + r2.ra, alto};
    } else {
        // The rack's teeth and a band of its body under gear 1.
        c = {-1.5 * r1.ra, -t.rw1 - 2.5 * r1.m, 1.5 * r1.ra, r1.ra};
    }
    double lado = 1.06 * std::max(c.xmax - c.xmin, c.ymax - c.ymin);
    double cx = (c.xmin + c.xmax) / 2, cy = (c.ymin + c.ymax) / 2;
    return {cx - lado / 2, cy - lado / 2, cx + lado / 2, cy + lado / 2};
}

exportar::Cuadro cuadro_del_engrane(const Engrane& e, double giro1) {
    Instante s = e.en(giro1);
    exportar::Cuadro c;
    c.pieza = poligonos(s.rueda1);
    c.pieza2 = poligonos(s.rueda2);
    for (const Contacto& k : s.contactos) c.puntos.push_back({k.punto.x, k.punto.y});
    return c;
}

std::string animar_engrane(const std::string& ruta, const OpcionesAnimacion& o, const Engrane& e,
                           const std::function<void(int, int)>& progreso) {
    std::string fallo = comprobar_animacion(ruta, o);
    if (!fallo.empty()) return fallo;
    const Rueda &r1 = e.rueda1(), &r2 = e.rueda2();
    const Teoria& t = e.teoria();
    exportar::Animacion a;
    a.vista = vista_del_engrane(e);
    a.ancho = o.ancho;
    a.retardo = o.retardo;
    a.engrane = true;
    a.fondo = color(ColorFondo);
    a.pieza = color(ColorEngranaje);
    a.pieza2 = color(ColorCremallera);
    a.cremallera = a.pieza2;
    a.punto = {1, 1, 0};
    double luz = 0.2126 * ColorFondo[0] + 0.7152 * ColorFondo[1] + 0.0722 * ColorFondo[2];
    a.texto = luz < 0.5 ? color(BLANCO) : exportar::Color{0, 0, 0};
    exportar::Color paso = color(ColorCirPaso), base = color(ColorCirBase);
    a.circulos.push_back({0, 0, r1.rb, base, "BASE"});
    a.circulos.push_back({0, 0, t.rw1, paso, "PRIMITIVA"});
    if (r2.z > 0) {
        a.circulos.push_back({t.a, 0, r2.rb, base, "BASE"});
        a.circulos.push_back({t.a, 0, t.rw2, paso, "PRIMITIVA"});
        a.rectas.push_back({{t.T1.x, t.T1.y}, {t.T2.x, t.T2.y}, COLOR_LINEA_PANTALLA, "ENGRANE"});
    } else {
        double w = a.vista.xmax - a.vista.xmin;
        a.rectas.push_back({{a.vista.xmin - w, -t.rw1}, {a.vista.xmax + w, -t.rw1}, paso, "PRIMITIVA"});
        // From T1 on past E by as much as T1 lies before the pitch point.
        a.rectas.push_back({{t.T1.x, t.T1.y},
                            {t.E.x + (t.C.x - t.T1.x), t.E.y + (t.C.y - t.T1.y)},
                            COLOR_LINEA_PANTALLA,
                            "ENGRANE"});
    }
    if (o.datos) a.lineas = lamina_del_engrane(e, 0).texto;

    exportar::Pelicula pelicula(a);
    const int total = cuadros_del_engrane(o);
    const double giro = giro_animado(e);
    for (int k = 0; k < total && fallo.empty(); ++k) {
        // The last picture stops one step short of the first, which the loop shows next.
        fallo = pelicula.agregar(cuadro_del_engrane(e, giro * k / total));
        if (fallo.empty() && progreso) progreso(k + 1, total);
    }
    std::vector<unsigned char> bytes;
    if (fallo.empty()) bytes = pelicula.terminar(fallo);
    if (!fallo.empty()) return formato(_("no se puede escribir '%s': %s"), ruta.c_str(), fallo.c_str());
    return exportar::guardar_bytes(bytes, ruta);
}
