// ---------------------------------------------------------------------------
// Fixed rendering state. Only these three things are ever switched on or set:
// no lighting, so every face shows its plain colour, and flat shading, so a
// quad-strip panel takes the colour of the last vertex pair that closes it.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include "app/scene_state.h"

void initRendering()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glShadeModel(GL_FLAT);
    glEnable(GL_DEPTH_TEST);
}
