// ---------------------------------------------------------------------------
// glut-alap: a cone band and a spinning rotor, turned with the arrow keys.
//
// Start-up is the classic GLUT sequence: initialise the toolkit (it takes
// its own options, such as -geometry and -display, out of argv), open the
// window, register the handlers, arm the first animation tick, set the fixed
// GL state and hand control to the event loop for good.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include "app/scene_state.h"
#include "input/input.h"
#include "render/render.h"

int main(int argc, char** argv)
{
    protectStandardOutput();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("GLUT Alap");

    glutReshapeFunc(reshapeWindow);
    glutSpecialFunc(handleSpecialKey);
    glutKeyboardFunc(handleKey);
    glutDisplayFunc(drawScene);
    glutTimerFunc(static_cast<unsigned>(scene.tickInterval), advanceRotor, 1);

    // Needs the GL context that glutCreateWindow made current; it runs before
    // the loop, so the very first reshape and frame already find it in place.
    initRendering();

    glutMainLoop();
    return 0;
}
