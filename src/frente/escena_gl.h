// The main window's frame and its set-up.
#pragma once

// Draws the whole scene into the current window (no swap, no wait).
void dibujar_escena();
// Display callback: the scene and the swap. The layer's frame timer asks for the next
// frame, one every MS_POR_CUADRO, without holding up the event loop.
void mainDisplay();
void initDisplay();
void mainReshape(int width, int height);

constexpr int MS_POR_CUADRO = 60;
