// The language of the program's texts: GNU gettext with the Spanish text as the message
// id, so that without a catalogue every text is the Spanish one. `_()` marks a text and
// translates it where it is used; `N_()` only marks one kept in a static table, translated
// later with `_()` at its use.
#pragma once

#include <libintl.h>

#include <string>

#define _(texto) gettext(texto)
#define N_(texto) texto

namespace idioma {

constexpr const char* DOMINIO = "ortanel";

enum class Idioma { ESPANOL, INGLES };

// The language named by one locale or language setting ("en", "en_GB.UTF-8", "es_ES",
// "C"...): English for en*, Spanish for anything else (es*, C, POSIX, empty, a language
// without a catalogue).
Idioma de_nombre(const std::string& nombre);

// The language the environment asks for: the first entry of LANGUAGE (a colon list) that
// names a language with texts (English or Spanish); failing that, the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty.
Idioma del_entorno();

// The value of --idioma: "es" or "en"; false for any other.
bool de_opcion(const std::string& valor, Idioma& idioma);

// The folder holding <lang>/LC_MESSAGES/ortanel.mo: beside an installed program,
// <exe>/../share/locale; in the build tree, <exe>/locale; failing both, the folder of the
// install prefix the program was built for.
std::string carpeta_catalogos();

// Puts the program in this language: the locale from the environment, numbers always in
// the "C" locale (a decimal point everywhere), the message catalogues read from carpeta
// (carpeta_catalogos() when empty). English needs a locale other than "C" for its
// messages: when the environment gives none, C.UTF-8 (or an English one) is taken for
// messages alone. May be called again to change the language.
void iniciar(Idioma idioma, const std::string& carpeta = "");

// The language put by the last iniciar() (Spanish before any).
Idioma actual();

}  // namespace idioma

// A text made from a printf format (the format usually a translated one).
std::string formato(const char* plantilla, ...) __attribute__((format(printf, 1, 2)));
