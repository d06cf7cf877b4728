#include "leyenda.h"

#include "corte_anterior.h"
#include "estado.h"
#include "idioma/idioma.h"

std::vector<Rotulo> leyenda() {
    std::vector<Rotulo> r;
    if (C_Paso_ON != 0) r.push_back({_("Circunferencia de paso"), ColorCirPaso});
    if (C_Fondo_ON != 0) r.push_back({_("Circunferencia de fondo"), ColorCirFondo});
    if (C_Base_ON != 0) r.push_back({_("Circunferencia base"), ColorCirBase});
    if (C_Evolvente_ON != 0) r.push_back({_("Evolvente teorica"), ColorEvolvente});
    if (C_Fantasma_ON != 0 && hay_corte_anterior()) r.push_back({_("Corte anterior"), COLOR_FANTASMA});
    return r;
}
