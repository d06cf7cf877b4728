// The main window's frame and its set-up.
#pragma once

// Draws the whole scene into the current window (no swap, no wait).
void dibujar_escena();
// Display callback: the scene, the next redisplay, the swap, and the pacing to one frame per 60 ms.
void mainDisplay();
void initDisplay();
void mainReshape(int width, int height);

constexpr int MS_POR_CUADRO = 60;
