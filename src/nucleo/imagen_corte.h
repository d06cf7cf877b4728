// The cut kept as an image between frames, as numbers: what the image depends on,
// which recorded rack positions it holds, and what a frame has to add or redo.
//
// The image holds only the cut, the union of the recorded rack positions, in the
// frame that turns with the blank: each position is drawn once, turned back by the
// angle the blank had turned when it was recorded, and a frame shows the whole image
// turned by the blank's present angle about the turning centre. Blank, circles and
// colours stay out of it, so switching a circle or changing a colour costs nothing.
#pragma once

#include <cstddef>
#include <vector>

#include "escena.h"

// Everything the image's content and texel grid depend on, apart from the positions it holds.
struct ClaveCorte {
    int lado = 0;            // texels per side of the square image; 0: no image can serve this view
    float radio = 0;         // half side in scene units, about the turning centre
    float centro_y = 0;      // the turning centre is (0, centro_y)
    float referencia_y = 0;  // height of every recorded position's reference point
    float distancia = 0;     // distance from the turning centre to the reference line
    float incremento = 0;    // degrees the blank turns per rolling step
    float recorte = 0;       // parts of a position wholly outside this disc about the origin are left out
    float interior = 0;      // no recorded position comes nearer the turning centre than this
    float forma[NUM_DATOS - 3] = {};  // slots 3 on of the rack data block: the rack's shape

    bool operator==(const ClaveCorte& o) const;
    bool operator!=(const ClaveCorte& o) const { return !(*this == o); }
};

// The key for a drawing area of ancho × alto pixels showing the view box caja, with
// texels about as large as the area's pixels and at most lado_maximo a side.
ClaveCorte clave_corte(const CajaVista& caja, int ancho, int alto, int lado_maximo);

// History X of every recorded position a frame draws now, oldest first: as many as
// the full drawing visits.
std::vector<float> trazas_corte();

// Slots 0 to 2 for position i of the image: its history X, turned back by i steps.
void colocar_en_imagen(float (&datos)[NUM_DATOS], const ClaveCorte& clave, std::size_t i, float x_historia);

// The image's square in the turning frame (the same box the image is drawn with).
CajaVista caja_imagen(const ClaveCorte& clave);

// What a frame does to the image before showing it.
struct PlanCorte {
    bool rehacer = false;                // clear it and draw positions desde..hasta anew
    std::size_t desde = 0, hasta = 0;    // positions [desde, hasta) to draw into it
};

// What the image holds now, and the plan that brings it up to date with a frame.
class RegistroCorte {
public:
    // The plan for a frame with this key and these positions; afterwards the record
    // holds them, as the image will once the plan is carried out.
    PlanCorte planificar(const ClaveCorte& clave, const std::vector<float>& trazas);
    // The image is lost (or was never made): the next plan redoes it.
    void olvidar();
    std::size_t guardadas() const { return hechas_.size(); }

private:
    bool valido_ = false;
    ClaveCorte clave_;
    std::vector<float> hechas_;
};
