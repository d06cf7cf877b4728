#include "animacion_corte.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "escena.h"
#include "estado.h"
#include "exportar/animacion.h"
#include "exportar/escritura.h"
#include "idioma/idioma.h"
#include "mecanismos.h"
#include "movimiento.h"
#include "sesion.h"
#include "tallado.h"

namespace {

// Calls the motion may make: as many as completar_corte() allows.
constexpr long LIMITE_MOVIMIENTOS = 5000000;

bool es_gif(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    std::string nombre = barra == std::string::npos ? ruta : ruta.substr(barra + 1);
    if (nombre.size() < 5) return false;
    std::string e = nombre.substr(nombre.size() - 4);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
    return e == ".gif";
}

// The motion back to the start of the cut, the data as they are.
void al_inicio() {
    Primera_Vez = 1;
    C_Y = 0;
    C_Contador = 0;
    C_Mueve = APROXIMACION;
    C_X = 0;
    Conta_h = 1;
    E_angulo = 0;
    C_Desplaza = 0;
    Diente = 0;
    Stop = 1;
    Movimiento = 0;
    std::fill(C_Historia_X.begin(), C_Historia_X.end(), 0.0f);
}

struct Posicion {
    float x, y, angulo, desplaza;
    bool operator==(const Posicion& o) const {
        return x == o.x && y == o.y && angulo == o.angulo && desplaza == o.desplaza;
    }
};

Posicion posicion() { return {C_X, C_Y, E_angulo, C_Desplaza}; }

// Runs the cut from the start: for every move that changes the scene, whether the animation
// shows it (the first approach and the rolling always, the rest with the return stroke).
std::vector<bool> recorrido(bool con_retorno) {
    std::vector<bool> mostrados;
    al_inicio();
    for (long i = 0; i < LIMITE_MOVIMIENTOS && C_Mueve != TERMINADO; ++i) {
        Posicion antes = posicion();
        int fase = C_Mueve;
        bool primera = Primera_Vez != 0;
        mover_adelante();
        if (posicion() == antes) continue;
        mostrados.push_back(con_retorno || fase == RODADURA || (fase == APROXIMACION && primera));
    }
    return mostrados;
}

exportar::Color color(const float c[3]) { return {c[0], c[1], c[2]}; }

exportar::Animacion escena_fija(const OpcionesAnimacion& o) {
    exportar::Animacion a;
    const float quieta[3] = {0, 0, 0};
    CajaVista c = caja_proyeccion(Origen, quieta, 1, 1);
    a.vista = {std::min(c.izquierda, c.derecha), std::min(c.abajo, c.arriba), std::max(c.izquierda, c.derecha),
               std::max(c.abajo, c.arriba)};
    a.ancho = o.ancho;
    a.fondo = color(ColorFondo);
    a.pieza = color(ColorEngranaje);
    a.cremallera = color(ColorCremallera);
    double luz = 0.2126 * ColorFondo[0] + 0.7152 * ColorFondo[1] + 0.0722 * ColorFondo[2];
    a.texto = luz < 0.5 ? color(BLANCO) : exportar::Color{0, 0, 0};
    if (C_Paso_ON != 0) a.circulos.push_back({0, 0, Rp, color(ColorCirPaso), "PRIMITIVA"});
    if (C_Fondo_ON != 0) a.circulos.push_back({0, 0, radio_circ_fondo(), color(ColorCirFondo), "FONDO"});
    if (C_Base_ON != 0) a.circulos.push_back({0, 0, radio_base_actual(), color(ColorCirBase), "BASE"});
    if (o.datos) a.lineas = texto_del_corte();
    a.retardo = o.retardo;
    return a;
}

// The scene as it stands: the cut gear turned with the blank, the rack where it is now.
exportar::Cuadro cuadro_actual() {
    exportar::Cuadro c;
    c.pieza = contorno_del_corte();
    float d[NUM_DATOS];
    llenar_datos(d);
    colocar_actual(d);
    double g = d[D_GIRO] * PI / 180.0, cs = std::cos(g), sn = std::sin(g);
    for (const Contorno& k : perfil_cremallera(d)) {
        exportar::Anillo r;
        r.reserve(k.puntos.size());
        for (const Punto& p : k.puntos) r.push_back({d[D_X0] + p.x * cs - p.y * sn, d[D_Y0] + p.x * sn + p.y * cs});
        c.cremallera.push_back(std::move(r));
    }
    return c;
}

}  // namespace

std::string comprobar_animacion(const std::string& ruta, const OpcionesAnimacion& o) {
    if (o.ancho < 1 || o.ancho > ANCHO_MAXIMO_ANIMACION)
        return formato(_("--tamano: %d fuera de 1 ... %d pixeles"), o.ancho, ANCHO_MAXIMO_ANIMACION);
    if (o.paso < 0) return formato(_("--paso: %d no es un numero de movimientos"), o.paso);
    if (o.retardo < 1 || o.retardo > RETARDO_MAXIMO)
        return formato(_("--retardo: %d fuera de 1 ... %d centesimas"), o.retardo, RETARDO_MAXIMO);
    if (!es_gif(ruta)) return formato(_("la animacion se guarda en un archivo .gif, no en '%s'"), ruta.c_str());
    return exportar::comprobar_destino(ruta);
}

long movimientos_animados(bool con_retorno) {
    calcular_tallado(false);
    std::vector<bool> r = recorrido(con_retorno);
    calcular_tallado(true);
    return static_cast<long>(std::count(r.begin(), r.end(), true));
}

int paso_de(const OpcionesAnimacion& o, long movimientos) {
    if (o.paso > 0) return o.paso;
    return static_cast<int>(std::max(1L, std::lround(static_cast<double>(movimientos) / CUADROS_POR_OMISION)));
}

std::string animar_corte(const std::string& ruta, const OpcionesAnimacion& o,
                         const std::function<void(int, int)>& progreso) {
    std::string fallo = comprobar_animacion(ruta, o);
    if (!fallo.empty()) return fallo;

    // First the moves alone, with no outline, to know the pictures.
    calcular_tallado(false);
    std::vector<bool> mostrados = recorrido(o.con_retorno);
    calcular_tallado(true);
    long total_mostrados = static_cast<long>(std::count(mostrados.begin(), mostrados.end(), true));
    int paso = paso_de(o, total_mostrados);
    int total = 1;
    long vistos = 0;
    bool pendiente = false;
    for (bool m : mostrados) {
        pendiente = true;
        if (m && ++vistos % paso == 0) ++total, pendiente = false;
    }
    if (pendiente) ++total;

    exportar::Pelicula pelicula(escena_fija(o));
    al_inicio();
    auto tomar = [&]() {
        std::string f = pelicula.agregar(cuadro_actual());
        if (f.empty() && progreso) progreso(pelicula.cuadros(), total);
        return f;
    };
    fallo = tomar();
    size_t k = 0;
    vistos = 0;
    pendiente = false;
    for (long i = 0; fallo.empty() && i < LIMITE_MOVIMIENTOS && C_Mueve != TERMINADO; ++i) {
        Posicion antes = posicion();
        mover_adelante();
        if (posicion() == antes) continue;
        pendiente = true;
        bool mostrado = k < mostrados.size() && mostrados[k];
        ++k;
        if (mostrado && ++vistos % paso == 0) {
            fallo = tomar();
            pendiente = false;
        }
    }
    if (fallo.empty() && pendiente) fallo = tomar();
    std::vector<unsigned char> bytes;
    if (fallo.empty()) bytes = pelicula.terminar(fallo);
    if (!fallo.empty()) return formato(_("no se puede escribir '%s': %s"), ruta.c_str(), fallo.c_str());
    return exportar::guardar_bytes(bytes, ruta);
}
