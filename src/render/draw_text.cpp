// ---------------------------------------------------------------------------
// Bitmap text. glRasterPos goes through the current matrices like a vertex,
// and fixes the text colour too: whatever glColor was current at that moment.
// ---------------------------------------------------------------------------
#include <cstring>

#include <GL/glut.h>

#include "render/render.h"

void drawText(float x, float y, const char* text)
{
    glRasterPos2f(x, y);
    const std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i < length; ++i) {
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, text[i]);
    }
}
