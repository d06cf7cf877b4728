// Drawing of the teaching overlays.
#pragma once

// The theoretical involute of every flank for the current data, as lines in the colour.
void Evolvente(const float color[3]);
