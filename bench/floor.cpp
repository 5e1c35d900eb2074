// ---------------------------------------------------------------------------
// The floor: the least a GLUT program with glut-alap's display mode and tick
// can do per frame, clear and swap. No faithful frame can cost less.
//   bench-floor [toolkit options] [TICK_MS]
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <cstdlib>

namespace {

unsigned tickMs = 50;

void drawNothing()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void tick(int value)
{
    glutPostRedisplay();
    glutTimerFunc(tickMs, tick, value + 1);
}

} // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    if (argc > 1) {
        tickMs = static_cast<unsigned>(std::atoi(argv[1]));
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("GLUT Alap floor");
    glutDisplayFunc(drawNothing);
    glutTimerFunc(tickMs, tick, 1);
    glutMainLoop();
    return 0;
}
