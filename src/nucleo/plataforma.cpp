#include "plataforma.h"

#include "estado.h"

namespace {

class PlataformaMuda : public Plataforma {
public:
    int ventana_actual() override { return actual_; }
    void fijar_ventana(int id) override { actual_ = id; }
    void pedir_redibujo() override {}
    void mostrar_ventana() override {}
    void ocultar_ventana() override {}
    int modificadores() override { return 0; }
    void borrar_fondo(const float*) override {}
private:
    int actual_ = 0;
};

PlataformaMuda muda;
Plataforma* actual = &muda;

}  // namespace

Plataforma& plataforma() { return *actual; }

void usar_plataforma(Plataforma* p) { actual = p ? p : &muda; }

void redibujar_principal() {
    Plataforma& p = plataforma();
    if (p.ventana_actual() != winIdMain) p.fijar_ventana(winIdMain);
    p.pedir_redibujo();
}
