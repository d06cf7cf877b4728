// The panel's controls by identifier, and the table of its data fields: one row a
// field, read by the panel's builder, its callback, the command line and the
// session without windows.
#pragma once

#include <string>

#include "ids.h"

// What a field holds: a whole number, a number, or an entry of the module list.
enum class TipoCampo { Entero, Real, Lista };

// The panels a field is in.
enum class EnModo { Ambos, Estandar, Experimental };

// How a field's range is given: in fixed numbers, in modules, up to the largest turn per cut
// for the teeth (giro_maximo), or above nothing up to the largest blank for the module
// (diametro_maximo).
enum class Escala { Fija, Modulo, GiroMaximo, DiametroMaximo };

// The values a field takes, for the refusals of the command line (limites.h says why).
struct Rango {
    double minimo, maximo;  // maximo 1e30: no upper bound
    Escala escala;
    bool abierto_abajo;     // the minimum itself is out
    const char* unidad;     // shown after the bounds, translated (N_) unless empty
};

struct Campo {
    IdControl id;
    EnModo modo;
    TipoCampo tipo;
    const char* etiqueta;  // the label (untranslated), followed by `blancos` blanks on the panel
    int blancos;
    float inicial;         // the value shown when the panel opens and after "Reiniciar"
    float minimo;          // a smaller value typed is raised to it; -infinity: no lower bound
    // The command line: option name without dashes (null: none), its value's placeholder and help,
    // and whether only the experimental simulation takes it.
    const char* opcion;
    const char* muestra;
    const char* ayuda;
    bool opcion_experimental;
    Rango rango;
};

// The data fields in the order the panel shows them; a field with a list in one mode and a
// number in the other has a row for each.
extern const Campo CAMPOS[];
extern const int NUM_CAMPOS;

// The row of a field in the given mode (SIMULACION_ESTANDAR or SIMULACION_EXPERIMENTAL), or null.
const Campo* campo_de(IdControl id, int modo);

// The row of a command-line option in the given mode, or null when the option sets no field there.
const Campo* campo_de_opcion(const std::string& opcion, int modo);

// The label as the panel shows it, in the program's language.
std::string etiqueta_de(const Campo& c);

// The data callbacks: a value typed into a field or chosen in the list.
bool es_de_datos(int id);

// The range of a command-line option as "A ... B unidad" for its message, given the
// module in force; empty for an option without one.
std::string rango_de(const std::string& opcion, double modulo, double z);

// Whether a value lies in the option's range (always true for an option without one).
bool en_rango(const std::string& opcion, double valor, double modulo, double z);
