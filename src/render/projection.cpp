// ---------------------------------------------------------------------------
// Orthographic projection that keeps the model's proportions.
//
// The shorter window side always spans -25..25 world units; the longer side
// is widened by the aspect ratio, so one world unit covers the same number
// of pixels across and down. Depth is -25..25 as well, which holds the whole
// model (it never reaches more than 18 units from the origin) in any view.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include "render/render.h"

namespace {
const float kHalfExtent = 25.0f;
}

void reshapeWindow(int width, int height)
{
    // A window can be squeezed to nothing along either side. Both sides are
    // divisors below, so a zero is taken as one pixel: the bounds stay finite
    // and the view is the same as for a one-pixel-wide (or high) window.
    if (height == 0) {
        height = 1;
    }
    if (width == 0) {
        width = 1;
    }

    glViewport(0, 0, width, height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();

    const double e = kHalfExtent;
    const double w = width;
    const double h = height;
    if (height < width) {
        glOrtho(-e * w / h, e * w / h, -e, e, -e, e);
    } else {
        glOrtho(-e, e, -e * h / w, e * h / w, -e, e);
    }

    // Frames start from an identity model-view matrix and rely on it.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
