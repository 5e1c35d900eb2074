// ---------------------------------------------------------------------------
// The animation tick. GLUT timers fire once, so each tick arms the next one;
// exactly one is pending at any time. The delay is read when the next tick
// is armed, so a speed change waits for the tick already pending.
// ---------------------------------------------------------------------------
#include <cmath>

#include <GL/glut.h>

#include "app/scene_state.h"
#include "input/input.h"

namespace {

const float kRotorStep = 5.0f;

// From 2^24 on, a float can no longer hold every whole number, so adding 5
// would start to round and, by 2^27, would stop changing the angle at all.
// Taking whole turns off there keeps the same orientation and keeps the
// rotor turning exactly 5 degrees a tick for ever. A run gets here after
// about 4.7 hours at the fastest tick (5 ms), 47 hours at the default.
const float kExactWholeDegrees = 16777216.0f;

} // namespace

void advanceRotor(int value)
{
    scene.rotorAngle += kRotorStep;
    if (scene.rotorAngle >= kExactWholeDegrees) {
        // fmod is exact: the result is the angle less a multiple of 360.
        scene.rotorAngle = std::fmod(scene.rotorAngle, 360.0f);
    }

    glutPostRedisplay();

    // The count is carried for the toolkit only; let it wrap instead of
    // overflowing (unsigned arithmetic wraps by definition).
    const int nextValue = static_cast<int>(static_cast<unsigned>(value) + 1u);
    glutTimerFunc(static_cast<unsigned>(scene.tickInterval), advanceRotor, nextValue);
}
