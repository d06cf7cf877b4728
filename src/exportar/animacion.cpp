#include "animacion.h"

#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "escritura.h"
#include "gif.h"
#include "idioma/idioma.h"

namespace exportar {

namespace {

const char* const LETRA = "DejaVu Sans";

double letra_de(int ancho) { return 0.022 * ancho; }
double renglon_de(int ancho) { return 1.45 * letra_de(ancho); }

void color(cairo_t* cr, const Color& c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

}  // namespace

int alto_animacion(int ancho, size_t lineas) {
    if (lineas == 0) return ancho;
    return ancho + static_cast<int>(std::ceil(static_cast<double>(lineas) * renglon_de(ancho) + letra_de(ancho)));
}

struct Pelicula::Datos {
    Animacion a;
    int alto;
    double escala;
    cairo_surface_t* superficie = nullptr;
    cairo_t* cr = nullptr;
    std::unique_ptr<EscritorGif> gif;

    void trazar(const Anillo& r) {
        if (r.size() < 3) return;
        cairo_move_to(cr, (r[0].x - a.vista.xmin) * escala, (a.vista.ymax - r[0].y) * escala);
        for (size_t i = 1; i < r.size(); ++i)
            cairo_line_to(cr, (r[i].x - a.vista.xmin) * escala, (a.vista.ymax - r[i].y) * escala);
        cairo_close_path(cr);
    }

    void dibujar(const Cuadro& c) {
        cairo_reset_clip(cr);
        color(cr, a.fondo);
        cairo_paint(cr);
        if (!a.lineas.empty()) {
            cairo_select_font_face(cr, LETRA, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
            cairo_set_font_size(cr, letra_de(a.ancho));
            color(cr, a.texto);
            for (size_t i = 0; i < a.lineas.size(); ++i) {
                cairo_move_to(cr, 0.03 * a.ancho, a.ancho + static_cast<double>(i + 1) * renglon_de(a.ancho));
                cairo_show_text(cr, a.lineas[i].c_str());
            }
        }
        // The drawing stays in its square, above the text block.
        cairo_rectangle(cr, 0, 0, a.ancho, a.ancho);
        cairo_clip(cr);
        cairo_new_path(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        rellenar(c.pieza2, a.pieza2);
        cairo_new_path(cr);
        for (const Poligono& p : c.pieza) {
            trazar(p.exterior);
            for (const Anillo& h : p.huecos) trazar(h);
        }
        color(cr, a.pieza);
        const double linea = std::max(1.0, a.ancho / 500.0);
        cairo_set_line_width(cr, linea);
        if (a.engrane) {
            cairo_fill(cr);
            circulos();
        } else {
            // The circles show only over the gear's material, as the screen shows them.
            cairo_fill_preserve(cr);
            cairo_clip(cr);
            circulos();
            cairo_reset_clip(cr);
            cairo_rectangle(cr, 0, 0, a.ancho, a.ancho);
            cairo_clip(cr);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        color(cr, a.cremallera);
        for (const Anillo& r : c.cremallera) {
            cairo_new_path(cr);
            trazar(r);
            cairo_fill(cr);
        }
        for (const Linea& k : a.rectas) {
            cairo_new_path(cr);
            cairo_move_to(cr, x_de(k.desde), y_de(k.desde));
            cairo_line_to(cr, x_de(k.hasta), y_de(k.hasta));
            color(cr, k.color);
            cairo_stroke(cr);
        }
        color(cr, a.punto);
        for (const Punto& q : c.puntos) {
            cairo_new_path(cr);
            cairo_arc(cr, x_de(q), y_de(q), 2.5 * linea, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }

    double x_de(const Punto& q) const { return (q.x - a.vista.xmin) * escala; }
    double y_de(const Punto& q) const { return (a.vista.ymax - q.y) * escala; }

    void rellenar(const std::vector<Poligono>& ps, const Color& c) {
        if (ps.empty()) return;
        cairo_new_path(cr);
        for (const Poligono& p : ps) {
            trazar(p.exterior);
            for (const Anillo& h : p.huecos) trazar(h);
        }
        color(cr, c);
        cairo_fill(cr);
    }

    void circulos() {
        for (const Circulo& k : a.circulos) {
            cairo_new_path(cr);
            cairo_arc(cr, (k.cx - a.vista.xmin) * escala, (a.vista.ymax - k.cy) * escala, k.radio * escala, 0,
                      2 * M_PI);
            color(cr, k.color);
            cairo_stroke(cr);
        }
    }
};

Pelicula::Pelicula(const Animacion& a) : d_(new Datos) {
    d_->a = a;
    d_->alto = alto_animacion(a.ancho, a.lineas.size());
    double lado = std::max(a.vista.xmax - a.vista.xmin, a.vista.ymax - a.vista.ymin);
    d_->escala = lado > 0 ? a.ancho / lado : 1;
    std::vector<Color> colores{a.fondo, a.pieza, a.cremallera};
    if (a.engrane) colores.insert(colores.end(), {a.pieza2, a.punto});
    if (!a.lineas.empty()) colores.push_back(a.texto);
    for (const Circulo& k : a.circulos) colores.push_back(k.color);
    for (const Linea& k : a.rectas) colores.push_back(k.color);
    d_->gif = std::make_unique<EscritorGif>(a.ancho, d_->alto, paleta_con_mezclas(colores), a.retardo, a.solo_cambios);
    if (a.ancho >= 1 && d_->alto >= 1) {
        d_->superficie = cairo_image_surface_create(CAIRO_FORMAT_RGB24, a.ancho, d_->alto);
        d_->cr = cairo_create(d_->superficie);
    }
}

Pelicula::~Pelicula() {
    if (d_->cr) cairo_destroy(d_->cr);
    if (d_->superficie) cairo_surface_destroy(d_->superficie);
}

int Pelicula::ancho() const { return d_->a.ancho; }
int Pelicula::alto() const { return d_->alto; }
int Pelicula::cuadros() const { return d_->gif->cuadros(); }

std::string Pelicula::agregar(const Cuadro& c) {
    if (!d_->cr) return _("imagen de tamano no valido");
    d_->dibujar(c);
    cairo_surface_flush(d_->superficie);
    cairo_status_t e = cairo_status(d_->cr);
    if (e != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(e);
    return d_->gif->agregar(cairo_image_surface_get_data(d_->superficie),
                            cairo_image_surface_get_stride(d_->superficie));
}

std::vector<unsigned char> Pelicula::terminar(std::string& fallo) { return d_->gif->terminar(fallo); }

std::string guardar_bytes(const std::vector<unsigned char>& bytes, const std::string& ruta) {
    return escribir_seguro(ruta, std::string(bytes.begin(), bytes.end()));
}

}  // namespace exportar
