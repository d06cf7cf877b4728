#include "sesion.h"
#include "idioma/idioma.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "animacion_corte.h"
#include "animacion_engrane.h"
#include "avisos.h"
#include "callbacks.h"
#include "campos.h"
#include "engrane.h"
#include "engrane_estado.h"
#include "medidas.h"
#include "escena.h"
#include "estado.h"
#include "exportar/exportar.h"
#include "exportar/hoja.h"
#include "exportar/pintura.h"
#include "limites.h"
#include "movimiento.h"
#include "plataforma.h"
#include "panel.h"
#include "tallado.h"

namespace {

// The panel control behind a command-line value, null when the open panel has none.
GLUI_Control* control_de(const std::string& opcion) {
    const Campo* c = campo_de_opcion(opcion, QueSimula);
    if (!c || !v_glui) return nullptr;
    for (const auto& control : v_glui->controls())
        if (control->get_id() == c->id) return control.get();
    return nullptr;
}

std::string numero(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", v);
    return b;
}

double modulo_actual() {
    const EstadoPanel::Valor* campo = valor_de(ID_MODULO);
    if (QueSimula == SIMULACION_ESTANDAR && campo) return std::atof(MODULO[campo->entero]);
    if (QueSimula == SIMULACION_EXPERIMENTAL && campo) return campo->real;
    return 1.0;
}

// A colour chosen for the black screen, made dark enough to be seen on white paper.
exportar::Color en_papel(const float c[3]) {
    double luz = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
    double k = luz > 0.6 ? 0.6 / luz : 1.0;
    return {c[0] * k, c[1] * k, c[2] * k};
}

const float COLOR_BASE[3] = {0.0f, 0.6f, 0.0f};
const exportar::Color COLOR_RUEDA2{0.1, 0.3, 0.8};
const exportar::Color COLOR_LINEA{0.5, 0.2, 0.6};


nlohmann::json rueda_json(const Rueda& r, const std::vector<Pieza>& contorno, bool socavado) {
    nlohmann::json j;
    j["dientes"] = r.z;
    j["modulo"] = r.m;
    j["angulo_presion"] = r.alfa;
    j["desplazamiento"] = r.x;
    j["espesor_teorico"] = espesor_teorico(r.m, r.alfa, r.x);
    if (r.z == 0) {
        // The rack: straight flanks, no circles; its addendum and dedendum over the reference line.
        for (const char* k : {"radio_primitivo", "radio_base", "radio_cabeza", "radio_pie", "espesor_medido",
                              "desplazamiento_minimo"})
            j[k] = nullptr;
        j["altura_cabeza"] = r.ra;
        j["altura_pie"] = r.rf;
        j["socavado"] = false;
        return j;
    }
    j["radio_primitivo"] = r.rp;
    j["radio_base"] = r.rb;
    j["radio_cabeza"] = r.ra;
    j["radio_pie"] = r.rf;
    j["espesor_medido"] = espesor_en_primitiva(contorno, r.rp);
    j["desplazamiento_minimo"] = desplazamiento_minimo(r.z, r.alfa);
    j["socavado"] = socavado;
    return j;
}

// The mating gear's values as typed, checked for form and range; "" or the line saying why not.
std::string leer_engrane(const Ordenes& o, int& z2, double& x2, double& a) {
    if (!GLUI_EditText::parse_int(o.engrane, z2))
        return formato(_("%s: '%s' no es un numero entero"), "--engrane", o.engrane.c_str());
    std::string fallo = comprobar_dientes2(z2);
    if (!fallo.empty()) return "--engrane: " + fallo;
    x2 = 0;
    a = 0;
    float v;
    if (!o.desplazamiento2.empty()) {
        if (!GLUI_EditText::parse_float(o.desplazamiento2, v) || !std::isfinite(v))
            return formato(_("%s: '%s' no es un numero"), "--desplazamiento2", o.desplazamiento2.c_str());
        fallo = comprobar_desplazamiento2(z2, v);
        if (!fallo.empty()) return "--desplazamiento2: " + fallo;
        x2 = v;
    }
    if (!o.distancia.empty()) {
        if (!GLUI_EditText::parse_float(o.distancia, v) || !std::isfinite(v))
            return formato(_("%s: '%s' no es un numero"), "--distancia", o.distancia.c_str());
        if (!(v > 0)) return formato(_("%s: %s debe ser mayor que 0"), "--distancia", o.distancia.c_str());
        a = v;
    }
    return "";
}

}  // namespace

std::vector<exportar::Poligono> poligonos(const std::vector<Pieza>& g) {
    auto anillo = [](const Anillo& a) {
        exportar::Anillo r;
        r.reserve(a.size());
        for (const Vertice& v : a) r.push_back({v.x, v.y});
        return r;
    };
    std::vector<exportar::Poligono> out;
    for (const Pieza& p : g) {
        exportar::Poligono q{anillo(p.exterior), {}};
        for (const Anillo& h : p.huecos) q.huecos.push_back(anillo(h));
        out.push_back(std::move(q));
    }
    return out;
}

// Lengths in the unit of the module are millimetres once the module is taken in millimetres.
std::vector<exportar::Poligono> contorno_del_corte() { return poligonos(contorno_tallado()); }

void sesion_abrir(int modo) {
    GLUI_Master.reset();
    estado_inicial();
    construir_dialogo();
    glui_control(modo);
}

std::string sesion_fijar(const std::string& opcion, const std::string& valor) {
    GLUI_Control* c = control_de(opcion);
    std::string nombre = "--" + opcion;
    if (!c) return formato(_("%s no existe en esta simulacion"), nombre.c_str());
    if (!c->enabled()) return formato(_("%s no se puede cambiar con los otros datos dados"), nombre.c_str());
    if (c->kind() == GLUI_Kind::Listbox) {
        auto* lista = static_cast<GLUI_Listbox*>(c);
        float m;
        if (!GLUI_EditText::parse_float(valor, m)) return formato(_("%s: '%s' no es un numero"), nombre.c_str(), valor.c_str());
        for (const auto& [id, texto] : lista->items())
            if (std::fabs(std::atof(texto.c_str()) - m) < 1e-6) {
                lista->set_int_val(id);
                v_glui_control(c->get_id());
                return "";
            }
        return formato(_("%s: %s no es un modulo normalizado (%s ... %s)"), nombre.c_str(), valor.c_str(), MODULO[0],
                       MODULO[NUM_MODULOS - 1]);
    }
    auto* campo = static_cast<GLUI_EditText*>(c);
    bool entero = campo->data_type() == GLUI_EDITTEXT_INT;
    int vi = 0;
    float vf = 0;
    if (entero ? !GLUI_EditText::parse_int(valor, vi) : !GLUI_EditText::parse_float(valor, vf))
        return formato(entero ? _("%s: '%s' no es un numero entero") : _("%s: '%s' no es un numero"), nombre.c_str(),
                       valor.c_str());
    double v = entero ? vi : vf;
    if (!en_rango(opcion, v, modulo_actual(), Z))
        return formato(_("%s: %s fuera de %s"), nombre.c_str(), valor.c_str(),
                       rango_de(opcion, modulo_actual(), Z).c_str());
    if (opcion == "desplazamiento" && QueSimula == SIMULACION_ESTANDAR && !deja_fondo(Z, v))
        return formato(_("%s: %s deja el engranaje sin circunferencia de fondo"), nombre.c_str(), valor.c_str());
    if (entero) campo->set_int_val(vi);
    else campo->set_float_val(vf);
    v_glui_control(c->get_id());
    // What the panel corrects or refuses is not what was asked for.
    bool igual = entero ? campo->get_int_val() == vi : campo->get_float_val() == vf;
    if (!igual)
        return formato(_("%s: %s no vale con los otros datos (el panel lo deja en %s)"), nombre.c_str(), valor.c_str(),
                       campo->get_text().c_str());
    return "";
}

void sesion_cortar() {
    completar_corte();
    sincronizar_panel();
    redibujar_principal();
}

std::vector<std::string> texto_del_corte() {
    std::vector<std::string> texto;
    bool experimental = QueSimula == SIMULACION_EXPERIMENTAL;
    texto.push_back(experimental ? _("Ortanel 2.01 - Simulacion experimental") : _("Ortanel 2.01 - Simulacion estandar"));
    texto.push_back(formato(_("Dientes: %s   Modulo: %s mm   Angulo de presion: %s grados"),
                            std::to_string(entero_acotado(Z)).c_str(), numero(modulo_actual()).c_str(),
                            numero(Angulo).c_str()));
    texto.push_back(formato(_("Coeficiente de desplazamiento: %s"),
                            numero(modelo.rueda.coeficiente).c_str()));
    // The diameters of the gear cut: the tip and root moved by the shift.
    texto.push_back(formato(_("Diametros: primitivo %s mm, exterior %s mm, interior %s mm"), numero(2.0 * Rp).c_str(),
                            numero(2.0 * radio_engranaje()).c_str(), numero(2.0 * radio_circ_fondo()).c_str()));
    if (experimental) {
        // Only what the rack was cut with: a switched-off option has no figure.
        if (C_ISO != 0)
            texto.push_back(formato(_("Radio de cabeza: %s   Depresion lateral: %s"), numero(ISO_Radio).c_str(),
                                    numero(ISO_Depresion).c_str()));
        if (C_Asimetria != 0 && C_Flecha != 0)
            texto.push_back(formato(_("Segundo angulo: %s grados   Flecha: %s"), numero(Angulo_2).c_str(),
                                    numero(Flecha).c_str()));
        else if (C_Asimetria != 0)
            texto.push_back(formato(_("Segundo angulo: %s grados"), numero(Angulo_2).c_str()));
        else if (C_Flecha != 0)
            texto.push_back(formato(_("Flecha: %s"), numero(Flecha).c_str()));
    }
    return texto;
}

exportar::Lamina lamina_del_corte() {
    exportar::Lamina l;
    l.poligonos = contorno_del_corte();
    l.relleno = en_papel(ColorEngranaje);
    if (C_Paso_ON != 0) l.circulos.push_back({0, 0, Rp, en_papel(ColorCirPaso), "PRIMITIVA"});
    if (C_Fondo_ON != 0) l.circulos.push_back({0, 0, radio_circ_fondo(), en_papel(ColorCirFondo), "FONDO"});
    l.circulos.push_back({0, 0, Rp * std::cos(Angulo * PI / 180.0), en_papel(COLOR_BASE), "BASE"});

    l.texto = texto_del_corte();
    l.tabla = tabla_del_corte();
    return l;
}

std::vector<exportar::Fila> tabla_del_corte() {
    std::vector<exportar::Fila> t;
    bool experimental = QueSimula == SIMULACION_EXPERIMENTAL;
    double m = modulo_actual(), x = modelo.rueda.coeficiente;
    auto mm = [](double v) { return formato("%.3f mm", v); };
    t.push_back({_("Numero de dientes"), std::to_string(entero_acotado(Z))});
    t.push_back({_("Modulo"), numero(m) + " mm"});
    t.push_back({_("Angulo de presion"), formato(_("%s grados"), numero(Angulo).c_str())});
    t.push_back({_("Coeficiente de desplazamiento"), numero(x)});
    t.push_back({_("Diametro primitivo"), mm(2.0 * Rp)});
    t.push_back({_("Diametro exterior"), mm(2.0 * radio_engranaje())});
    t.push_back({_("Diametro interior"), mm(2.0 * radio_circ_fondo())});
    t.push_back({_("Diametro base"), mm(2.0 * Rp * std::cos(Angulo * PI / 180.0))});
    const std::vector<Pieza>& piezas = contorno_tallado();
    t.push_back({_("Espesor en la primitiva"),
                 formato(_("%s (teorico %s)"), mm(espesor_en_primitiva(piezas, Rp)).c_str(),
                         mm(espesor_teorico(m, Angulo, x)).c_str())});
    double cabeza = espesor_en_cabeza(piezas, radio_engranaje());
    t.push_back({_("Espesor en la cabeza"), formato("%s (%.2f m)", mm(cabeza).c_str(), m > 0 ? cabeza / m : 0.0)});
    bool socava = experimental ? socava_cremallera() : coeficiente_desplazamiento() < desplazamiento_minimo(Z, Angulo);
    double minimo = experimental ? desplazamiento_minimo_cremallera() : desplazamiento_minimo(Z, Angulo);
    t.push_back({_("Desplazamiento minimo"), formato("%.3f", std::ceil((minimo + 1e-6) * 1000.0) / 1000.0)});
    t.push_back({_("Socavacion"), socava ? _("si") : _("no")});
    std::vector<std::string> texto = texto_del_corte();
    for (size_t i = 4; i < texto.size(); ++i) t.push_back({texto[i], ""});
    std::string punta = texto_punta(cabeza, m);
    if (!punta.empty()) t.push_back({punta, ""});
    for (const std::string& l : texto_incoherencia()) t.push_back({l, ""});
    return t;
}

std::string nombre_por_omision() {
    float x = modelo.rueda.coeficiente;
    if (x == 0)
        return formato(_("engranaje-z%s-m%s.svg"), std::to_string(entero_acotado(Z)).c_str(),
                       numero(modulo_actual()).c_str());
    return formato(_("engranaje-z%s-m%s-x%s.svg"), std::to_string(entero_acotado(Z)).c_str(),
                   numero(modulo_actual()).c_str(), numero(x).c_str());
}

std::string guardar_corte(const std::string& ruta, int ancho_png) {
    return exportar::guardar(lamina_del_corte(), ruta, ancho_png);
}

exportar::Lamina lamina_del_engrane(const Engrane& e, double giro1) {
    exportar::Lamina l = lamina_del_corte();
    const Teoria& t = e.teoria();
    const Rueda &r1 = e.rueda1(), &r2 = e.rueda2();
    Instante s = e.en(giro1);
    l.poligonos = poligonos(s.rueda1);
    l.grupos.push_back({poligonos(s.rueda2), COLOR_RUEDA2, "ENGRANAJE2"});
    l.circulos.clear();
    exportar::Color base = en_papel(COLOR_BASE), paso = en_papel(ColorCirPaso);
    l.circulos.push_back({0, 0, r1.rb, base, "BASE"});
    l.circulos.push_back({0, 0, t.rw1, paso, "PRIMITIVA"});
    if (r2.z > 0) {
        l.circulos.push_back({t.a, 0, r2.rb, base, "BASE"});
        l.circulos.push_back({t.a, 0, t.rw2, paso, "PRIMITIVA"});
        l.lineas.push_back({{t.T1.x, t.T1.y}, {t.T2.x, t.T2.y}, COLOR_LINEA, "ENGRANE"});
    } else {
        // The rack's pitch line, and the line of action from T1 on past E by as much as T1 lies before C.
        double w = 4 * PI * r1.m;
        l.lineas.push_back({{-w, -t.rw1}, {w, -t.rw1}, paso, "PRIMITIVA"});
        double fx = t.E.x + (t.C.x - t.T1.x), fy = t.E.y + (t.C.y - t.T1.y);
        l.lineas.push_back({{t.T1.x, t.T1.y}, {fx, fy}, COLOR_LINEA, "ENGRANE"});
    }
    std::string con = r2.z > 0 ? formato(_("Engrana con una rueda de %s dientes, desplazamiento %s"),
                                         numero(r2.z).c_str(), numero(r2.x).c_str())
                               : std::string(_("Engrana con la cremallera"));
    l.texto.push_back(con);
    l.texto.push_back(formato(_("Distancia entre centros: %s mm (funcionamiento %s)"), numero(t.a).c_str(),
                              numero(t.a_w).c_str()));
    l.texto.push_back(formato(_("Angulo de funcionamiento: %s grados   Relacion de contacto: %s"),
                              numero(t.alfa_w).c_str(), numero(t.epsilon).c_str()) +
                      (t.interferencia ? std::string("   ") + _("Interferencia") : ""));
    l.tabla.push_back({con, ""});
    l.tabla.push_back({_("Distancia entre centros"), formato(_("%s mm (funcionamiento %s)"), numero(t.a).c_str(),
                                                             numero(t.a_w).c_str())});
    l.tabla.push_back({_("Angulo de funcionamiento"), formato(_("%s grados"), numero(t.alfa_w).c_str())});
    l.tabla.push_back({_("Relacion de contacto"), numero(t.epsilon)});
    if (t.interferencia) l.tabla.push_back({_("Interferencia"), ""});
    return l;
}

std::string informe_json(const Engrane* e) {
    nlohmann::json j;
    Rueda r1 = e ? e->rueda1() : rueda_actual();
    bool socavado = QueSimula == SIMULACION_ESTANDAR ? coeficiente_desplazamiento() < desplazamiento_minimo(Z, Angulo)
                                                     : r1.x < desplazamiento_minimo(r1.z, r1.alfa);
    j["rueda"] = rueda_json(r1, contorno_tallado(), socavado);
    if (e) {
        const Rueda& r2 = e->rueda2();
        j["rueda2"] = rueda_json(r2, e->contorno2(), r2.z > 0 && r2.x < desplazamiento_minimo(r2.z, r2.alfa));
        const Teoria& t = e->teoria();
        Engrane::Medidas m = e->medir(MUESTRAS_INFORME);
        nlohmann::json g;
        g["angulo_funcionamiento"] = t.alfa_w;
        g["distancia_funcionamiento"] = t.a_w;
        g["distancia"] = t.a;
        g["angulo_presion_distancia"] = t.alfa_a;
        g["relacion_contacto"] = t.epsilon;
        g["relacion_contacto_medida"] = m.relacion_contacto;
        g["juego_normal"] = m.juego_normal;
        g["juego_normal_teorico"] = t.juego_normal;
        g["solape_maximo"] = m.solape;
        g["interferencia"] = t.interferencia;
        j["engrane"] = g;
    }
    return j.dump(2) + "\n";
}

std::string escala_de_hoja(const exportar::Lamina& l, bool ampliar, const std::string& pedida, exportar::Escala& e) {
    exportar::Caja c = exportar::caja_de(l);
    double ancho = c.vacia() ? 0 : c.xmax - c.xmin, alto = c.vacia() ? 0 : c.ymax - c.ymin;
    exportar::HojaA4 h = exportar::hoja_a4();
    if (pedida.empty()) {
        e = exportar::escala_que_cabe(ancho, alto, h, ampliar);
        if (!exportar::cabe(ancho, alto, h, e))
            return formato(_("el dibujo (%.0f x %.0f mm) no cabe en una hoja A4 ni a escala %d:%d"), ancho, alto,
                           e.ampliacion, e.reduccion);
        return "";
    }
    if (!exportar::leer_escala(pedida, e))
        return formato(_("--escala: '%s' no es una escala como 2:1 o 1:5 (hasta 1000)"), pedida.c_str());
    if (!exportar::cabe(ancho, alto, h, e))
        return formato(_("--escala %s: el dibujo mediria %.0f x %.0f mm y la hoja A4 deja %.0f x %.0f mm"),
                       pedida.c_str(), ancho * e.factor(), alto * e.factor(), h.dibujo_ancho, h.dibujo_alto);
    return "";
}

std::string exportar_sin_ventanas(const Ordenes& o, std::string* informe) {
    int z2 = 0;
    double x2 = 0, a = 0;
    if (!o.engrane.empty()) {
        std::string fallo = leer_engrane(o, z2, x2, a);
        if (!fallo.empty()) return fallo;
    }
    int ancho = 1200;
    if (!o.tamano.empty()) {
        if (!GLUI_EditText::parse_int(o.tamano, ancho)) return formato(_("--tamano: '%s' no es un numero entero"), o.tamano.c_str());
        if (ancho < 16 || ancho > exportar::ANCHO_PNG_MAXIMO)
            return formato(_("--tamano: %s fuera de 16 ... %d pixeles"), o.tamano.c_str(), exportar::ANCHO_PNG_MAXIMO);
    }
    if (!o.archivo.empty() && !exportar::extension_conocida(o.archivo))
        return formato(_("extension desconocida en '%s' (se admiten %s)"), o.archivo.c_str(), exportar::EXTENSIONES);
    sesion_abrir(o.experimental ? SIMULACION_EXPERIMENTAL : SIMULACION_ESTANDAR);
    if (o.experimental) {
        glui_C_Asimetria->set_int_val(o.asimetrico ? 1 : 0);
        glui_ISO->set_int_val(o.sin_iso ? 0 : 1);
        glui_C_Flecha->set_int_val(o.sin_flecha ? 0 : 1);
    }
    for (const auto& [opcion, valor] : o.valores) {
        std::string fallo = sesion_fijar(opcion, valor);
        if (!fallo.empty()) return fallo;
    }
    sesion_cortar();
    const Engrane* e = nullptr;
    if (!o.engrane.empty()) {
        std::string fallo;
        e = engrane_actual(z2, x2, a, &fallo);
        if (!e) return "--engrane: " + fallo;
    }
    std::string texto = o.informe ? informe_json(e) : "";
    if (!o.archivo.empty()) {
        exportar::Lamina l = e ? lamina_del_engrane(*e, 0) : lamina_del_corte();
        if (o.sin_datos) {
            l.texto.clear();
            l.tabla.clear();
        }
        exportar::Escala escala;
        bool a4 = o.hoja == "a4" || o.hoja == "a4-ampliada";
        if (a4) {
            std::string fallo = escala_de_hoja(l, o.hoja == "a4-ampliada", o.escala, escala);
            if (!fallo.empty()) return fallo;
        }
        std::string fallo = exportar::guardar(l, o.archivo, ancho, a4 ? &escala : nullptr);
        if (!fallo.empty()) return fallo;
    }
    if (informe) *informe = texto;
    return "";
}

namespace {

// A whole number typed for `opcion`, from `minimo` up; "" or the problem.
std::string entero(const std::string& opcion, const std::string& texto, int minimo, int& v) {
    std::string nombre = "--" + opcion;
    if (!GLUI_EditText::parse_int(texto, v))
        return formato(_("%s: '%s' no es un numero entero"), nombre.c_str(), texto.c_str());
    if (v < minimo) return formato(_("%s: %s debe ser %d o mas"), nombre.c_str(), texto.c_str(), minimo);
    return "";
}

}  // namespace

std::string animar_sin_ventanas(const Ordenes& o) {
    OpcionesAnimacion op;
    std::string fallo;
    if (!o.tamano.empty() && !(fallo = entero("tamano", o.tamano, 1, op.ancho)).empty()) return fallo;
    if (!o.paso.empty() && !(fallo = entero("paso", o.paso, 1, op.paso)).empty()) return fallo;
    if (!o.retardo.empty() && !(fallo = entero("retardo", o.retardo, 1, op.retardo)).empty()) return fallo;
    op.con_retorno = o.con_retorno;
    op.datos = !o.sin_datos;
    fallo = comprobar_animacion(o.archivo, op);
    if (!fallo.empty()) return fallo;
    sesion_abrir(o.experimental ? SIMULACION_EXPERIMENTAL : SIMULACION_ESTANDAR);
    for (const auto& [opcion, valor] : o.valores) {
        fallo = sesion_fijar(opcion, valor);
        if (!fallo.empty()) return fallo;
    }
    bool terminal = isatty(STDERR_FILENO) == 1;
    auto avance = [terminal](int hechos, int total) {
        if (terminal) std::fprintf(stderr, "\rortanel: %s", formato(_("cuadro %d de %d"), hechos, total).c_str());
    };
    if (!o.engrane.empty()) {
        int z2 = 0;
        double x2 = 0, a = 0;
        fallo = leer_engrane(o, z2, x2, a);
        if (!fallo.empty()) return fallo;
        sesion_cortar();
        const Engrane* e = engrane_actual(z2, x2, a, &fallo);
        if (!e) return "--engrane: " + fallo;
        fallo = animar_engrane(o.archivo, op, *e, avance);
    } else {
        fallo = animar_corte(o.archivo, op, avance);
    }
    if (terminal) std::fputc('\n', stderr);
    return fallo;
}
