#include "entrada.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace entrada {

Evento de_caracter(unsigned char c, int mods) {
    Evento e;
    e.mods = mods;
    e.b = c;
    if (c == TECLA_BORRAR || c == TECLA_TAB || c == TECLA_INTRO || c == TECLA_ESCAPE || c == TECLA_SUPRIMIR) {
        e.tipo = Evento::Tecla;
        e.a = c;
    } else if (c < 32) {
        // GLUT hands Ctrl + letter as the letter's control code.
        e.tipo = Evento::Tecla;
        e.a = c + 64;
        e.mods |= MOD_CTRL;
    } else {
        e.tipo = Evento::Caracter;
        e.a = c;
    }
    return e;
}

Evento de_especial(int tecla, int mods) {
    Evento e;
    e.tipo = Evento::Tecla;
    e.a = TECLA_ESPECIAL + tecla;
    e.mods = mods;
    return e;
}

bool de_raton(int boton, int estado_abajo, int x, int y, Evento& e) {
    e = Evento();
    e.x = static_cast<float>(x);
    e.y = static_cast<float>(y);
    if (boton == 3 || boton == 4) {
        if (!estado_abajo) return false;
        e.tipo = Evento::Rueda;
        e.a = boton == 3 ? 1 : -1;
        return true;
    }
    if (boton < 0 || boton > 2) return false;
    e.tipo = Evento::Boton;
    e.a = boton == 0 ? BOTON_IZQUIERDO : boton == 2 ? BOTON_DERECHO : BOTON_CENTRAL;
    e.b = estado_abajo ? 1 : 0;
    return true;
}

// ---------------------------------------------------------------- queue

void Cola::poner(const Evento& e) {
    if (!visible_) return;
    auto it = eventos_.end();
    while (it != eventos_.begin() && std::prev(it)->orden > e.orden) --it;
    eventos_.insert(it, e);
}

void Cola::ocultar() {
    visible_ = false;
    eventos_.clear();
    desde_reposo_ = true;
}

void Cola::mostrar() { visible_ = true; }

bool Cola::cuenta_antes_de(unsigned long orden) const {
    return std::any_of(eventos_.begin(), eventos_.end(), [orden](const Evento& e) {
        if (e.orden >= orden) return false;
        if (e.tipo == Evento::Tecla) return e.a == TECLA_TAB || e.a == TECLA_INTRO || e.a == TECLA_ESCAPE;
        return e.tipo == Evento::Soltar || (e.tipo == Evento::Boton && e.b);
    });
}

bool Cola::consumir(Destino& d) {
    std::vector<int> soltadas;
    soltadas.swap(pulsadas_);
    for (int k : soltadas) d.tecla(k, false);
    d.modificadores(0);
    // The field Tab leads to takes the keyboard in the frame after Tab, and takes no
    // characters in that frame.
    bool tras_tab = std::find(soltadas.begin(), soltadas.end(), TECLA_TAB) != soltadas.end();
    if (desde_reposo_) {
        // Whatever was held when the window went away is let go with the pointer
        // elsewhere, so it makes no click.
        desde_reposo_ = false;
        d.puntero_fuera();
        for (int b : {BOTON_IZQUIERDO, BOTON_DERECHO, BOTON_CENTRAL}) d.boton(b, false);
        return !eventos_.empty();
    }
    if (tras_tab) return !eventos_.empty();
    bool escrito = false;  // characters handed over in this frame
    while (!eventos_.empty()) {
        const Evento e = eventos_.front();
        if (e.orden > limite_) return true;
        bool mueve_foco = e.tipo == Evento::Tecla || e.tipo == Evento::Soltar || (e.tipo == Evento::Boton && e.b);
        if (escrito && mueve_foco) return true;
        switch (e.tipo) {
            case Evento::Mover: d.puntero(e.x, e.y); break;
            case Evento::Fuera: d.puntero_fuera(); break;
            case Evento::Rueda: d.rueda(static_cast<float>(e.a)); break;
            case Evento::Caracter:
                d.caracter(static_cast<unsigned>(e.a));
                escrito = true;
                break;
            case Evento::Boton:
                if (e.b && d.lista_abierta_fuera(e.x, e.y)) {
                    d.cerrar_listas();
                    return true;
                }
                d.puntero(e.x, e.y);
                d.boton(e.a, e.b != 0);
                eventos_.pop_front();
                return !eventos_.empty();
            case Evento::Tecla:
                if (std::find(soltadas.begin(), soltadas.end(), e.a) != soltadas.end()) return true;
                d.modificadores(e.mods);
                d.tecla(e.a, true);
                pulsadas_.push_back(e.a);
                eventos_.pop_front();
                return true;
            case Evento::Soltar:
                d.quitar_foco();
                eventos_.pop_front();
                return !eventos_.empty();
        }
        eventos_.pop_front();
    }
    return false;
}

// ---------------------------------------------------------------- routing

void Rutas::alta(int ventana, int principal) { colas_[ventana].principal = principal; }

void Rutas::baja(int ventana) {
    colas_.erase(ventana);
    repartir();
}

Cola* Rutas::cola(int ventana) {
    auto it = colas_.find(ventana);
    return it == colas_.end() ? nullptr : &it->second.cola;
}

void Rutas::visibilidad(int ventana, bool visible) {
    auto it = colas_.find(ventana);
    if (it == colas_.end()) return;
    if (visible) {
        it->second.cola.mostrar();
    } else {
        it->second.cola.ocultar();
        it->second.escribiendo = false;
        repartir();
    }
}

void Rutas::escribiendo(int ventana, bool si) {
    auto it = colas_.find(ventana);
    if (it != colas_.end()) it->second.escribiendo = si && it->second.cola.visible();
}

int Rutas::ventana_escribiendo() const {
    for (const auto& [id, v] : colas_)
        if (v.escribiendo && v.cola.visible()) return id;
    return 0;
}

bool Rutas::antes_que(unsigned long orden) const {
    return std::any_of(colas_.begin(), colas_.end(),
                       [orden](const auto& par) { return par.second.cola.cuenta_antes_de(orden); });
}

void Rutas::limitar() {
    unsigned long limite = espera_.empty() ? ~0ul : espera_.front().orden;
    for (auto& [id, v] : colas_) v.cola.limitar(limite);
}

bool Rutas::tecla(int ventana, const Evento& e) {
    (void)ventana;  // keys follow the keyboard focus, not the pointer
    Evento k = e;
    k.orden = siguiente_++;
    if (espera_.empty() && !antes_que(k.orden)) {
        int destino = ventana_escribiendo();
        if (destino != 0) colas_[destino].cola.poner(k);
        else if (programa_.empty()) return false;
        else programa_.push_back(k);
        return true;
    }
    espera_.push_back(k);
    limitar();
    return true;
}

void Rutas::repartir() {
    while (!espera_.empty() && !antes_que(espera_.front().orden)) {
        const Evento& k = espera_.front();
        int destino = ventana_escribiendo();
        if (destino != 0) colas_[destino].cola.poner(k);
        else programa_.push_back(k);
        espera_.pop_front();
    }
    limitar();
}

bool Rutas::tecla_del_programa(Evento& e) {
    if (programa_.empty()) return false;
    e = programa_.front();
    programa_.pop_front();
    return true;
}

void Rutas::raton(int ventana, const Evento& e) {
    Evento m = e;
    m.orden = siguiente_++;
    if (Cola* c = cola(ventana)) c->poner(m);
}

void Rutas::pulsacion_principal() {
    Evento e;
    e.tipo = Evento::Soltar;
    e.orden = siguiente_++;
    for (auto& [id, v] : colas_) v.cola.poner(e);
}

// ---------------------------------------------------------------- pacing

bool Compas::toca(double t) {
    if (t < proximo_) return false;
    if (pendiente_ && t < ultimo_ + 4 * periodo_) return false;
    // On time or a little late, the next step keeps to the schedule; far behind, it starts anew.
    proximo_ = t - proximo_ < periodo_ ? proximo_ + periodo_ : t + periodo_;
    ultimo_ = t;
    pendiente_ = true;
    return true;
}

int Compas::espera(double t) const {
    double objetivo = pendiente_ ? std::max(proximo_, ultimo_ + 4 * periodo_) : proximo_;
    return std::max(1, static_cast<int>(std::ceil(objetivo - t)));
}

// ---------------------------------------------------------------- layout

Rect area_dibujo(int ancho_ventana, int alto_ventana, int ancho_paneles) {
    int x = std::clamp(ancho_paneles, 0, std::max(0, ancho_ventana));
    return {x, 0, std::max(0, ancho_ventana - x), std::max(0, alto_ventana)};
}

int ancho_panel(float contenido, float relleno, float barra, bool con_barra) {
    return static_cast<int>(std::ceil(contenido + 2 * relleno + (con_barra ? barra : 0.0f)));
}

}  // namespace entrada
