#include "imagen_corte.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "estado.h"
#include "mecanismos.h"

bool ClaveCorte::operator==(const ClaveCorte& o) const {
    return lado == o.lado && radio == o.radio && centro_y == o.centro_y && referencia_y == o.referencia_y &&
           distancia == o.distancia && incremento == o.incremento && recorte == o.recorte && interior == o.interior &&
           std::equal(std::begin(forma), std::end(forma), std::begin(o.forma));
}

ClaveCorte clave_corte(const CajaVista& caja, int ancho, int alto, int lado_maximo) {
    ClaveCorte k;
    float datos[NUM_DATOS];
    llenar_datos(datos);
    std::copy(datos + 3, datos + NUM_DATOS, k.forma);
    k.distancia = distancia_referencia();
    k.referencia_y = Origen + C_Desplaza;
    k.centro_y = k.referencia_y + k.distancia;
    k.incremento = E_incremento;
    // The rack lies below the highest point of its outline; turned about the centre, every
    // position keeps at least the distance from the centre to that height.
    float alto_max = -INFINITY;
    for (const Contorno& c : perfil_cremallera(datos))
        for (const Punto& p : c.puntos) alto_max = std::max(alto_max, p.y);
    k.interior = std::isfinite(alto_max) ? std::max(0.0f, k.distancia - alto_max) : 0.0f;
    // Everything that shows lies within the widest of the blank and its circles, whether
    // the circles are switched on or not; turned about the centre, within that plus the
    // centre's distance from the origin.
    float alcance = std::max({std::fabs(radio_engranaje()), std::fabs(Rp), std::fabs(radio_circ_fondo()),
                              std::fabs(radio_base_actual())});
    k.recorte = k.centro_y == 0 ? alcance : 0;
    k.radio = alcance + std::fabs(k.centro_y);
    double ancho_caja = std::fabs(caja.derecha - caja.izquierda);
    double escala = ancho > 0 && ancho_caja > 0 ? ancho / ancho_caja : 0;
    double lado = std::ceil(2.0 * k.radio * escala) + 2;
    bool finito = std::isfinite(lado) && std::isfinite(k.centro_y) && std::isfinite(k.distancia) &&
                  std::all_of(std::begin(k.forma), std::end(k.forma), [](float v) { return std::isfinite(v); });
    if (!finito || escala <= 0 || alto <= 0 || !(k.radio > 0) || lado_maximo < 1) return ClaveCorte{};
    k.lado = static_cast<int>(std::min(lado, static_cast<double>(lado_maximo)));
    return k;
}

std::vector<float> trazas_corte() {
    float datos[NUM_DATOS] = {};
    int n = recorrer_trazas(datos, [](const float*) {});
    return std::vector<float>(C_Historia_X.begin(), C_Historia_X.begin() + n);
}

void colocar_en_imagen(float (&datos)[NUM_DATOS], const ClaveCorte& clave, std::size_t i, float x_historia) {
    float giro = -static_cast<float>(static_cast<double>(i) * clave.incremento);
    double theta = giro * PI / 180.0;
    float a = clave.distancia, h = x_historia;
    datos[0] = static_cast<float>(a * std::sin(theta) + h * std::cos(theta));
    datos[1] = static_cast<float>(h * std::sin(theta) + a * (1.0 - std::cos(theta)) + clave.referencia_y);
    datos[2] = giro;
    std::copy(std::begin(clave.forma), std::end(clave.forma), datos + 3);
}

CajaVista caja_imagen(const ClaveCorte& clave) {
    return {-clave.radio, clave.radio, clave.centro_y - clave.radio, clave.centro_y + clave.radio};
}

PlanCorte RegistroCorte::planificar(const ClaveCorte& clave, const std::vector<float>& trazas) {
    PlanCorte p;
    bool prefijo = hechas_.size() <= trazas.size() &&
                   (hechas_.empty() || std::memcmp(hechas_.data(), trazas.data(), hechas_.size() * sizeof(float)) == 0);
    p.rehacer = !valido_ || clave != clave_ || !prefijo;
    p.desde = p.rehacer ? 0 : hechas_.size();
    p.hasta = trazas.size();
    valido_ = true;
    clave_ = clave;
    hechas_ = trazas;
    return p;
}

void RegistroCorte::olvidar() {
    valido_ = false;
    hechas_.clear();
}
