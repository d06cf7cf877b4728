// The program's command line: what to do and the values given, checked for form
// only (known options, a value after each, the right mode). The values themselves
// are judged later by the panel's own rules (see sesion.h).
#pragma once

#include <string>
#include <utility>
#include <vector>

struct Ordenes {
    // EXPORTAR: the cut without windows, saved to `archivo` when there is one, reported when `informe`.
    enum Accion { VENTANAS, AYUDA, VERSION, EXPORTAR, ANIMACION };
    Accion accion = VENTANAS;
    std::string archivo;
    bool experimental = false;
    bool sin_datos = false;  // leave the text block out of the picture
    // The experimental panel's check boxes: the asymmetric tooth on (also implied by a
    // second angle), the ISO tip profile and the circular flank off.
    bool asimetrico = false, sin_iso = false, sin_flecha = false;
    std::string tamano;  // PNG or GIF width as typed; empty: the default
    std::string idioma;  // "es" or "en" as given by --idioma; empty: the environment's
    // The PDF's page as typed: "a4", "a4-ampliada", "ajustada" or empty (fitted round the
    // drawing); the drawing scale on it as typed, "N:M", or empty (chosen to fit).
    std::string hoja, escala;
    bool informe = false;  // print the JSON report on stdout (EXPORTAR with or without a file)
    // The mating gear as typed: teeth (0: the rack), shift coefficient, centre distance; empty: not given.
    std::string engrane, desplazamiento2, distancia;
    // The animation's moves per picture and delay between pictures as typed (empty: the defaults),
    // and whether it shows the return stroke.
    std::string paso, retardo;
    bool con_retorno = false;
    // Panel values in the order given: option name without dashes, value as typed.
    std::vector<std::pair<std::string, std::string>> valores;
    // Arguments left for the window system (single-dash ones, as GLUT takes them).
    std::vector<std::string> resto;
};

// Returns "" or one line naming the problem.
std::string leer_ordenes(int argc, const char* const argv[], Ordenes& o);

// The usage in the program's language, one option a line.
std::string texto_ayuda();

extern const char* const TEXTO_VERSION;
