// ---------------------------------------------------------------------------
// One line on standard output per character key, in Hungarian:
//   Billentyu lenyomva, kodja q, pozicio (120,45). ALT lenyomva.
// The key is written as its raw byte, control characters included, and the
// line is flushed at once so that a pipe or a file sees it immediately.
// Output errors are ignored: the window matters more than the report.
// ---------------------------------------------------------------------------
#include <cstdio>

#include <GL/glut.h>

#include "input/input.h"

void handleKey(unsigned char key, int x, int y)
{
    // The key goes in as an argument, never as part of the format, so '%'
    // is printed like any other character.
    std::printf("Billentyu lenyomva, kodja %c, pozicio (%d,%d). ", key, x, y);

    const int modifiers = glutGetModifiers();
    if ((modifiers & GLUT_ACTIVE_SHIFT) != 0) {
        std::printf("SHIFT lenyomva. ");
    }
    if ((modifiers & GLUT_ACTIVE_CTRL) != 0) {
        std::printf("CTRL lenyomva. ");
    }
    if ((modifiers & GLUT_ACTIVE_ALT) != 0) {
        std::printf("ALT lenyomva. ");
    }
    std::printf("\n");
    std::fflush(stdout);

    glutPostRedisplay();
}
