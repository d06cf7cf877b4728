#include "pintura.h"
#include "idioma/idioma.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace exportar {

Caja caja_de(const Lamina& l) {
    Caja c{1, 1, -1, -1};
    auto incluir = [&c](double x, double y) {
        if (c.vacia()) {
            c = {x, y, x, y};
            return;
        }
        c.xmin = std::min(c.xmin, x);
        c.xmax = std::max(c.xmax, x);
        c.ymin = std::min(c.ymin, y);
        c.ymax = std::max(c.ymax, y);
    };
    for (const auto& p : l.poligonos)
        for (const auto& v : p.exterior) incluir(v.x, v.y);
    for (const auto& g : l.grupos)
        for (const auto& p : g.poligonos)
            for (const auto& v : p.exterior) incluir(v.x, v.y);
    for (const auto& k : l.lineas) {
        incluir(k.desde.x, k.desde.y);
        incluir(k.hasta.x, k.hasta.y);
    }
    for (const auto& k : l.circulos) {
        incluir(k.cx - k.radio, k.cy - k.radio);
        incluir(k.cx + k.radio, k.cy + k.radio);
    }
    return c;
}

const char* const LETRA = "DejaVu Sans";

// Text laid out without hinting: glyph advances scale with the letter size, so a line
// measured once is as wide on every surface and at every scale it is drawn on.
void letra_sin_ajuste(cairo_t* cr, double letra) {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
    cairo_select_font_face(cr, LETRA, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, letra);
}

namespace {

// Width of the widest text line at the given height, measured on a vector surface with
// the text set as the pictures set it.
double ancho_texto(const Lamina& l, double letra) {
    if (l.texto.empty()) return 0;
    cairo_surface_t* s = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* cr = cairo_create(s);
    // Measured at a size of 100, where a unit is far below a glyph, and scaled.
    const double MEDIDA = 100;
    letra_sin_ajuste(cr, MEDIDA);
    double ancho = 0;
    for (const auto& t : l.texto) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, t.c_str(), &e);
        ancho = std::max({ancho, e.x_advance, e.x_bearing + e.width});
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return ancho * letra / MEDIDA;
}

void trazar_anillo(cairo_t* cr, const Anillo& a, const Pagina& p) {
    if (a.size() < 3) return;
    cairo_move_to(cr, a[0].x + p.dx, p.dy - a[0].y);
    for (size_t i = 1; i < a.size(); ++i) cairo_line_to(cr, a[i].x + p.dx, p.dy - a[i].y);
    cairo_close_path(cr);
}

// Draws the sheet in page millimetres on a context already scaled to them.
void rellenar(cairo_t* cr, const std::vector<Poligono>& poligonos, const Color& c, const Pagina& p) {
    for (const auto& pol : poligonos) {
        cairo_new_path(cr);
        trazar_anillo(cr, pol.exterior, p);
        for (const auto& h : pol.huecos) trazar_anillo(cr, h, p);
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
        cairo_fill(cr);
    }
}

}  // namespace

void dibujar_geometria(cairo_t* cr, const Lamina& l, const Pagina& p) {
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    rellenar(cr, l.poligonos, l.relleno, p);
    for (const auto& g : l.grupos) rellenar(cr, g.poligonos, g.relleno, p);
    cairo_set_line_width(cr, p.linea);
    for (const auto& k : l.lineas) {
        cairo_new_path(cr);
        cairo_move_to(cr, k.desde.x + p.dx, p.dy - k.desde.y);
        cairo_line_to(cr, k.hasta.x + p.dx, p.dy - k.hasta.y);
        cairo_set_source_rgb(cr, k.color.r, k.color.g, k.color.b);
        cairo_stroke(cr);
    }
    for (const auto& k : l.circulos) {
        cairo_new_path(cr);
        cairo_arc(cr, k.cx + p.dx, p.dy - k.cy, k.radio, 0, 2 * M_PI);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, k.color.r, k.color.g, k.color.b);
        cairo_stroke(cr);
    }
}

namespace {

void dibujar(cairo_t* cr, const Lamina& l, const Pagina& p) {
    dibujar_geometria(cr, l, p);
    letra_sin_ajuste(cr, p.letra);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (size_t i = 0; i < l.texto.size(); ++i) {
        cairo_move_to(cr, p.texto_x, p.texto_y + static_cast<double>(i) * p.renglon);
        cairo_show_text(cr, l.texto[i].c_str());
    }
}

}  // namespace

// cairo's stream writer: the bytes are appended to a string.
cairo_status_t anadir(void* destino, const unsigned char* datos, unsigned int n) {
    static_cast<std::string*>(destino)->append(reinterpret_cast<const char*>(datos), n);
    return CAIRO_STATUS_SUCCESS;
}

std::string terminar(cairo_surface_t* s, cairo_t* cr) {
    cairo_status_t e = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(s);
    if (e == CAIRO_STATUS_SUCCESS) e = cairo_surface_status(s);
    cairo_surface_destroy(s);
    return e == CAIRO_STATUS_SUCCESS ? "" : cairo_status_to_string(e);
}


Pagina pagina_de(const Lamina& l) {
    Caja c = caja_de(l);
    if (c.vacia()) c = {-5, -5, 5, 5};
    double w = c.xmax - c.xmin, h = c.ymax - c.ymin;
    double tam = std::max({w, h, 1e-3});
    Pagina p{};
    double margen = 0.08 * tam;
    p.letra = 0.035 * tam;
    p.renglon = 1.5 * p.letra;
    p.linea = 0.004 * tam;
    double texto_w = ancho_texto(l, p.letra);
    double texto_h = l.texto.empty() ? 0 : margen / 2 + static_cast<double>(l.texto.size()) * p.renglon;
    p.ancho = std::max(w, texto_w) + 2 * margen;
    p.alto = h + texto_h + 2 * margen;
    // Without a text block the sheet is square about the drawing (an icon), whatever the
    // teeth make of the outline's box.
    if (l.texto.empty()) p.ancho = p.alto = tam + 2 * margen;
    p.dx = margen + (p.ancho - 2 * margen - w) / 2 - c.xmin;
    p.dy = margen + c.ymax + (l.texto.empty() ? (tam - h) / 2 : 0);
    p.texto_x = margen;
    p.texto_y = margen + h + margen / 2 + p.letra;
    return p;
}

std::string escribir_svg(const Lamina& l, std::string& bytes) {
    bytes.clear();
    Pagina p = pagina_de(l);
    // Surface units are millimetres: the document says width="..mm" and its viewBox is in mm.
    cairo_surface_t* s = cairo_svg_surface_create_for_stream(anadir, &bytes, p.ancho, p.alto);
    cairo_svg_surface_set_document_unit(s, CAIRO_SVG_UNIT_MM);
    cairo_t* cr = cairo_create(s);
    dibujar(cr, l, p);
    return terminar(s, cr);
}

std::string escribir_pdf(const Lamina& l, std::string& bytes) {
    bytes.clear();
    Pagina p = pagina_de(l);
    cairo_surface_t* s =
        cairo_pdf_surface_create_for_stream(anadir, &bytes, p.ancho * PUNTOS_POR_MM, p.alto * PUNTOS_POR_MM);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, PUNTOS_POR_MM, PUNTOS_POR_MM);
    dibujar(cr, l, p);
    cairo_show_page(cr);
    return terminar(s, cr);
}

std::string escribir_png(const Lamina& l, std::string& bytes, int ancho_px) {
    bytes.clear();
    if (ancho_px < 1 || ancho_px > ANCHO_PNG_MAXIMO) return _("ancho de imagen no valido");
    Pagina p = pagina_de(l);
    double escala = ancho_px / p.ancho;
    double alto = std::ceil(p.alto * escala);
    if (!(alto <= ANCHO_PNG_MAXIMO)) return _("la imagen seria demasiado alta");
    int alto_px = std::max(1, static_cast<int>(alto));
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, ancho_px, alto_px);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, escala, escala);
    dibujar(cr, l, p);
    cairo_status_t e = cairo_status(cr);
    if (e == CAIRO_STATUS_SUCCESS) e = cairo_surface_write_to_png_stream(s, anadir, &bytes);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return e == CAIRO_STATUS_SUCCESS ? "" : cairo_status_to_string(e);
}

}  // namespace exportar
