#include "campos.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "estado.h"
#include "idioma/idioma.h"
#include "limites.h"

namespace {

constexpr float SIN_MINIMO = -std::numeric_limits<float>::infinity();
using T = TipoCampo;
using M = EnModo;
using E = Escala;
constexpr double SIN_MAXIMO = 1e30;
constexpr const char* MM = " mm";
constexpr const char* GRADOS = N_(" grados");
constexpr Rango MODULOS{MODULO_MINIMO, MODULO_MAXIMO, E::Fija, false, MM};
constexpr Rango ANGULOS{ANGULO_MINIMO, ANGULO_MAXIMO, E::Fija, false, GRADOS};
constexpr Rango DIAMETROS{0, 1, E::DiametroMaximo, true, MM};
constexpr Rango POSITIVO{0, SIN_MAXIMO, E::Fija, false, ""};

}  // namespace

const Campo CAMPOS[] = {
    {ID_DIENTES, M::Ambos, T::Entero, N_("Numero de dientes"), 26, 14.0f, 3.0f, "dientes", "Z",
     N_("numero de dientes (entero, 14 por omision)"), false,
     {DIENTES_MINIMO, DIENTES_MAXIMO, E::Fija, false, ""}},
    {ID_MODULO, M::Estandar, T::Lista, N_("Modulo"), 33, 0.0f, SIN_MINIMO, "modulo", "M",
     N_("modulo en mm: uno de la lista (1.00 ... 50.00); libre con --experimental"), false, MODULOS},
    {ID_MODULO, M::Experimental, T::Real, N_("Modulo"), 38, 1.0f, 1.0f, "modulo", "M",
     N_("modulo en mm: uno de la lista (1.00 ... 50.00); libre con --experimental"), false, MODULOS},
    {ID_DIAMETRO_PRIMITIVO, M::Ambos, T::Real, N_("Diametro circunferencia primitiva"), 3, 14.0f, 0.0f,
     "diametro-primitivo", "D", N_("diametro de la circunferencia primitiva"), true, DIAMETROS},
    {ID_DIAMETRO_EXTERIOR, M::Ambos, T::Real, N_("Diametro exterior"), 25, 16.0f, 0.0f, "diametro-exterior", "D",
     N_("diametro exterior"), true, DIAMETROS},
    {ID_DIAMETRO_INTERIOR, M::Ambos, T::Real, N_("Diametro interior"), 26, 11.5f, 0.0f, "diametro-interior", "D",
     N_("diametro interior"), true, DIAMETROS},
    {ID_ANGULO, M::Ambos, T::Real, N_("Angulo de presion"), 23, 20.0f, SIN_MINIMO, "angulo", "A",
     N_("angulo de presion en grados (20 por omision)"), false, ANGULOS},
    {ID_DESPLAZAMIENTO, M::Ambos, T::Real, N_("Coeficiente de desplazamiento"), 6, 0.0f, SIN_MINIMO, "desplazamiento",
     "X", N_("coeficiente de desplazamiento del perfil (0 por omision)"), false,
     {-DESPLAZAMIENTO_MAXIMO, DESPLAZAMIENTO_MAXIMO, E::Fija, false, ""}},
    {ID_RADIO_CABEZA, M::Experimental, T::Real, N_("     Radio de cabeza"), 19, 0.0f, 0.0f, "radio-cabeza", "R",
     N_("radio de cabeza del diente de la cremallera (ISO 6336)"), true, POSITIVO},
    {ID_DEPRESION, M::Experimental, T::Real, N_("     Depresion lateral del diente"), 4, 0.0f, SIN_MINIMO, "depresion",
     "P", N_("depresion lateral del diente (ISO 6336, necesita --radio-cabeza)"), true, POSITIVO},
    {ID_ANGULO_2, M::Experimental, T::Real, N_(" 2\xC2\xBA Angulo "), 0, 20.0f, SIN_MINIMO, "angulo2", "A",
     N_("segundo angulo de presion del diente asimetrico (implica --asimetrico)"), true, ANGULOS},
    {ID_FLECHA, M::Experimental, T::Real, N_("Flecha "), 0, 0.0f, SIN_MINIMO, "flecha", "F",
     N_("flecha de la deformacion circular del flanco"), true,
     {-FLECHA_MAXIMA, FLECHA_MAXIMA, E::Modulo, false, MM}},
    {ID_GIRO, M::Ambos, T::Entero, N_("Angulo girado por tallada"), 9, 1.0f, 1.0f, "giro", "G",
     N_("angulo girado por tallada en grados (entero, 1 por omision)"), false,
     {1, 1, E::GiroMaximo, false, GRADOS}},
};
const int NUM_CAMPOS = static_cast<int>(sizeof CAMPOS / sizeof CAMPOS[0]);

namespace {

bool en_modo(const Campo& c, int modo) {
    switch (c.modo) {
        case EnModo::Ambos: return modo == SIMULACION_ESTANDAR || modo == SIMULACION_EXPERIMENTAL;
        case EnModo::Estandar: return modo == SIMULACION_ESTANDAR;
        case EnModo::Experimental: return modo == SIMULACION_EXPERIMENTAL;
    }
    return false;
}

}  // namespace

const Campo* campo_de(IdControl id, int modo) {
    for (const Campo& c : CAMPOS)
        if (c.id == id && en_modo(c, modo)) return &c;
    return nullptr;
}

const Campo* campo_de_opcion(const std::string& opcion, int modo) {
    for (const Campo& c : CAMPOS)
        if (c.opcion && opcion == c.opcion && en_modo(c, modo))
            return c.opcion_experimental && modo != SIMULACION_EXPERIMENTAL ? nullptr : &c;
    return nullptr;
}

std::string etiqueta_de(const Campo& c) {
    return std::string(_(c.etiqueta)) + std::string(static_cast<size_t>(c.blancos), ' ');
}

bool es_de_datos(int id) {
    for (const Campo& c : CAMPOS)
        if (c.id == id) return true;
    return false;
}

namespace {

// The option's range with its bounds for the module and teeth in force, or null for none.
const Campo* con_rango(const std::string& opcion, double m, double z, double& minimo, double& maximo) {
    for (const Campo& c : CAMPOS) {
        if (!c.opcion || opcion != c.opcion) continue;
        const Rango& r = c.rango;
        minimo = r.minimo, maximo = r.maximo;
        switch (r.escala) {
            case Escala::Fija: break;
            case Escala::Modulo: minimo *= m, maximo *= m; break;
            case Escala::GiroMaximo: maximo = giro_maximo(z); break;
            case Escala::DiametroMaximo: maximo = diametro_maximo(m); break;
        }
        return &c;
    }
    return nullptr;
}

std::string numero(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", v);
    return b;
}

}  // namespace

std::string rango_de(const std::string& opcion, double modulo, double z) {
    double minimo = 0, maximo = 0;
    const Campo* c = con_rango(opcion, modulo, z, minimo, maximo);
    if (!c) return "";
    if (maximo >= SIN_MAXIMO) return _("0 o mas");
    std::string unidad = *c->rango.unidad ? _(c->rango.unidad) : "";
    return (c->rango.abierto_abajo ? std::string(_("mas de ")) : std::string()) + numero(minimo) + " ... " +
           numero(maximo) + unidad;
}

bool en_rango(const std::string& opcion, double valor, double modulo, double z) {
    double minimo = 0, maximo = 0;
    const Campo* c = con_rango(opcion, modulo, z, minimo, maximo);
    if (!c) return true;
    if (!(valor <= maximo)) return false;
    return c->rango.abierto_abajo ? valor > minimo : valor >= minimo;
}
