#include "hoja.h"
#include "idioma/idioma.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "pintura.h"

namespace exportar {

std::string texto_escala(const Escala& e) { return formato(_("Escala %d:%d"), e.ampliacion, e.reduccion); }

bool leer_escala(const std::string& texto, Escala& e) {
    int a = 0, r = 0, n = 0;
    if (texto.empty() || texto[0] < '0' || texto[0] > '9') return false;
    if (std::sscanf(texto.c_str(), "%4d:%4d%n", &a, &r, &n) != 2 || n != static_cast<int>(texto.size())) return false;
    if (a < 1 || r < 1 || a > 1000 || r > 1000 || (a != 1 && r != 1)) return false;
    e = {a, r};
    return true;
}

HojaA4 hoja_a4() {
    HojaA4 h{};
    h.margen = 15;
    h.titulo_y = h.margen + 5;
    h.dibujo_x = h.margen;
    h.dibujo_y = h.margen + 12;
    h.dibujo_ancho = A4_ANCHO - 2 * h.margen;
    h.dibujo_alto = 160;
    h.tabla_y = h.dibujo_y + h.dibujo_alto + 20;
    h.renglon = 5.5;
    h.letra = 3.5;
    return h;
}

bool cabe(double ancho, double alto, const HojaA4& h, const Escala& e) {
    return ancho * e.factor() <= h.dibujo_ancho && alto * e.factor() <= h.dibujo_alto;
}

Escala escala_que_cabe(double ancho, double alto, const HojaA4& h, bool ampliar) {
    // The preferred scales of technical drawing: 1, 2 and 5 times a power of ten.
    if (ampliar)
        for (int a : {50, 20, 10, 5, 2, 1})
            if (cabe(ancho, alto, h, {a, 1})) return {a, 1};
    if (cabe(ancho, alto, h, {1, 1})) return {1, 1};
    Escala e{1, 1};
    for (int decena = 1; decena <= 100; decena *= 10)
        for (int k : {2, 5, 10}) {
            e = {1, k * decena};
            if (cabe(ancho, alto, h, e)) return e;
        }
    return e;
}

namespace {

double ancho_de(cairo_t* cr, const std::string& t) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, t.c_str(), &e);
    return e.x_advance;
}

// A length of the gear, 1, 2 or 5 times a power of ten mm, drawn between 20 and 50 mm long.
double largo_barra(double factor) {
    for (double p = 1e-3; p < 1e6; p *= 10)
        for (double k : {1.0, 2.0, 5.0})
            if (k * p * factor >= 20) return k * p;
    return 1;
}

std::string milimetros(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%g mm", v);
    return b;
}

}  // namespace

std::string escribir_hoja_a4(const Lamina& l, const Escala& e, std::string& bytes) {
    bytes.clear();
    const HojaA4 h = hoja_a4();
    cairo_surface_t* s =
        cairo_pdf_surface_create_for_stream(anadir, &bytes, A4_ANCHO * PUNTOS_POR_MM, A4_ALTO * PUNTOS_POR_MM);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, PUNTOS_POR_MM, PUNTOS_POR_MM);
    cairo_set_source_rgb(cr, 0, 0, 0);

    if (!l.texto.empty()) {
        letra_sin_ajuste(cr, 5);
        cairo_move_to(cr, h.margen, h.titulo_y);
        cairo_show_text(cr, l.texto[0].c_str());
    }

    // The drawing, centred in its box, at the scale: page mm = gear mm x factor.
    Caja c = caja_de(l);
    if (c.vacia()) c = {0, 0, 0, 0};
    const double f = e.factor();
    cairo_save(cr);
    cairo_translate(cr, h.dibujo_x + h.dibujo_ancho / 2, h.dibujo_y + h.dibujo_alto / 2);
    cairo_scale(cr, f, f);
    Pagina p{};
    p.dx = -(c.xmin + c.xmax) / 2;
    p.dy = (c.ymin + c.ymax) / 2;
    p.linea = 0.25 / f;
    dibujar_geometria(cr, l, p);
    cairo_restore(cr);

    // The scale, and a bar of a round length of the gear to check it on paper.
    double y = h.dibujo_y + h.dibujo_alto + 8;
    letra_sin_ajuste(cr, h.letra);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_move_to(cr, h.margen, y);
    std::string escala = texto_escala(e);
    cairo_show_text(cr, escala.c_str());
    double barra = largo_barra(f), x0 = h.margen + ancho_de(cr, escala) + 8;
    cairo_set_line_width(cr, 0.4);
    cairo_move_to(cr, x0, y - 1.2);
    cairo_line_to(cr, x0 + barra * f, y - 1.2);
    for (double x : {x0, x0 + barra * f}) {
        cairo_move_to(cr, x, y - 2.7);
        cairo_line_to(cr, x, y + 0.3);
    }
    cairo_stroke(cr);
    cairo_move_to(cr, x0 + barra * f + 3, y);
    cairo_show_text(cr, milimetros(barra).c_str());

    // The table: names in one column, values after the widest name; notes across.
    std::vector<Fila> filas = l.tabla;
    if (filas.empty())
        for (size_t i = 1; i < l.texto.size(); ++i) filas.push_back({l.texto[i], ""});
    double libre = A4_ALTO - h.margen - h.tabla_y;
    double renglon = filas.size() > 1 ? std::min(h.renglon, libre / static_cast<double>(filas.size() - 1)) : h.renglon;
    double letra = std::min(h.letra, renglon * 0.7);
    letra_sin_ajuste(cr, letra);
    double columna = 0;
    for (const auto& fila : filas)
        if (!fila.valor.empty()) columna = std::max(columna, ancho_de(cr, fila.nombre));
    columna += h.margen + 6;
    for (size_t i = 0; i < filas.size(); ++i) {
        double yi = h.tabla_y + static_cast<double>(i) * renglon;
        cairo_move_to(cr, h.margen, yi);
        cairo_show_text(cr, filas[i].nombre.c_str());
        if (filas[i].valor.empty()) continue;
        cairo_move_to(cr, columna, yi);
        cairo_show_text(cr, filas[i].valor.c_str());
    }
    cairo_show_page(cr);
    return terminar(s, cr);
}

}  // namespace exportar
