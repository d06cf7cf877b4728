// The main window's frame and its set-up.
#pragma once

// Draws the whole scene into the current window (no swap, no wait): the cut gear, then the rack.
void dibujar_escena();
// Clears the window, sets the scene's projection and draws the blank, the circles and the
// cut, leaving that projection and an identity modelview for what is drawn over them.
void dibujar_pieza();
// Whether the cut comes from the image kept between frames (the default) or every
// recorded position is drawn again each frame.
void usar_imagen_corte(bool si);
// Display callback: the scene and the swap. The layer's frame timer asks for the next
// frame, one every MS_POR_CUADRO, without holding up the event loop.
void mainDisplay();
void initDisplay();
void mainReshape(int width, int height);

constexpr int MS_POR_CUADRO = 60;
