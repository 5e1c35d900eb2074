// ---------------------------------------------------------------------------
// Rendering: the projection that follows the window, and one whole frame.
// ---------------------------------------------------------------------------
#pragma once

// Reshape handler: viewport over the whole window and an orthographic view
// that always shows at least -25..25 on both axes, undistorted.
void reshapeWindow(int width, int height);

// Display handler: text, cone band and rotor from the current scene, then swap.
void drawScene();

// Bitmap text in the current colour, starting at world position (x, y).
void drawText(float x, float y, const char* text);
