// ---------------------------------------------------------------------------
// Arrows turn the model 5 degrees a press; F1 and F2 lengthen and shorten the
// delay between rotor ticks by 5 ms. Modifier keys are not consulted.
// ---------------------------------------------------------------------------
#include <climits>

#include <GL/glut.h>

#include "app/scene_state.h"
#include "input/input.h"

namespace {

const float kViewStep = 5.0f;
const int kIntervalStep = 5;
const int kFastestInterval = 5;

// The angles move in steps of 5 from 0, so these bounds catch exactly 360
// (back to 0) and -5 (round to 355) without depending on exact float equality.
void wrapViewAngle(float& angle)
{
    if (angle > 356.0f) {
        angle = 0.0f;
    }
    if (angle < -1.0f) {
        angle = 355.0f;
    }
}

} // namespace

void handleSpecialKey(int key, int /*x*/, int /*y*/)
{
    switch (key) {
    case GLUT_KEY_F1:
        // Slower, without limit, except that the int must not overflow: the
        // delay stops at the largest multiple of 5 that an int holds.
        if (scene.tickInterval <= INT_MAX - kIntervalStep) {
            scene.tickInterval += kIntervalStep;
        }
        break;
    case GLUT_KEY_F2:
        if (scene.tickInterval > kFastestInterval) {
            scene.tickInterval -= kIntervalStep;
        }
        break;
    case GLUT_KEY_UP:
        scene.viewAngleX -= kViewStep;
        break;
    case GLUT_KEY_DOWN:
        scene.viewAngleX += kViewStep;
        break;
    case GLUT_KEY_LEFT:
        scene.viewAngleY -= kViewStep;
        break;
    case GLUT_KEY_RIGHT:
        scene.viewAngleY += kViewStep;
        break;
    default:
        break;
    }

    // Every special key, even one that changed nothing, passes the wrap
    // check and asks for a frame.
    wrapViewAngle(scene.viewAngleX);
    wrapViewAngle(scene.viewAngleY);

    glutPostRedisplay();
}
