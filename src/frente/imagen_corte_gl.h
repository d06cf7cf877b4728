// The cut kept in an offscreen image (a framebuffer object) between frames.
#pragma once

#include "nucleo/escena.h"

// Brings the image up to date (only the positions recorded since the last frame are
// drawn into it, unless what it depends on changed) and draws it, turned with the
// blank, over what the current window holds, with the scene's projection in place.
// caja is the scene's view box and ancho × alto the drawing area in pixels. Returns
// false, drawing nothing, when no image can serve: the driver offers no framebuffer
// objects (said once on stderr) or the view is degenerate; the caller then draws every position.
bool dibujar_corte_guardado(const CajaVista& caja, int ancho, int alto);

// How many recorded positions the image has drawn since the program started
// (the work the image saves shows as this staying small).
long trazas_dibujadas_en_imagen();
