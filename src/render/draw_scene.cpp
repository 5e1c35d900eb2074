// ---------------------------------------------------------------------------
// One frame: two lines of text, then the model turned by the view angles.
//
// The model, in world units, y up and z towards the viewer:
//   cone band  an open cone of 16 panels, radius 5 at y = 5 and 8 at y = -15,
//              alternately green and red;
//   rotor      a teal 20x1x1 shaft along x, centred on the origin, with a
//              dark-blue 1x20x5 blade plate at its right end, turning about x.
// The text is drawn first, before any model transform, so the view keys
// never move it.
// ---------------------------------------------------------------------------
#include <cmath>

#include <GL/glut.h>

#include "app/scene_state.h"
#include "render/render.h"

namespace {

// One sixteenth of a turn, and the bound the angle is tested against. Both
// are floats on purpose: summed in single precision, the 16th sum lands one
// unit in the last place below the bound, so the loop makes a 17th vertex
// pair that lands on the first and closes the band. In double precision (or
// as k * step) the 16th sum equals the bound and the band stays open.
const float kBandStep = 0.3926875f;
const float kFullTurn = 6.283f;

void drawConeBand()
{
    glPushMatrix();
    // Turns the band's axis from z to y: (x, y, z) becomes (x, -z, y), so the
    // radius-5 ring goes to height 5 and the radius-8 ring to height -15.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glBegin(GL_QUAD_STRIP);
    int pair = 1;
    // The float counter is the point (see kBandStep): it makes the 17th pair.
    // NOLINTNEXTLINE(cert-flp30-c)
    for (float a = 0.0f; a < kFullTurn; a += kBandStep) {
        // Double-precision sine and cosine of the float angle.
        const double sinA = std::sin(static_cast<double>(a));
        const double cosA = std::cos(static_cast<double>(a));
        const auto s5 = static_cast<float>(5.0 * sinA);
        const auto c5 = static_cast<float>(5.0 * cosA);
        const auto s8 = static_cast<float>(8.0 * sinA);
        const auto c8 = static_cast<float>(8.0 * cosA);
        // With flat shading a panel takes the colour of the pair that closes
        // it, so alternating the pairs alternates the panels.
        if (pair % 2 == 1) {
            glColor3f(1.0f, 0.0f, 0.0f);
        } else {
            glColor3f(0.0f, 1.0f, 0.0f);
        }
        ++pair;
        glVertex3f(s5, c5, -5.0f);
        glVertex3f(s8, c8, 15.0f);
    }
    glEnd();
    glPopMatrix();
}

void drawRotor()
{
    glPushMatrix();
    glColor3f(0.0f, 0.8f, 0.8f);
    glRotatef(scene.rotorAngle, 1.0f, 0.0f, 0.0f);

    // Shaft: the unit cube stretched along x.
    glPushMatrix();
    glScalef(20.0f, 1.0f, 1.0f);
    glutSolidCube(1.0);
    glPopMatrix();

    // Blade: at the shaft's right end; stretched 20 along x first, then
    // stood upright by the quarter turn about z.
    glColor3f(0.0f, 0.0f, 0.8f);
    glTranslatef(10.0f, 0.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glScalef(20.0f, 1.0f, 5.0f);
    glutSolidCube(1.0);

    glPopMatrix();
}

} // namespace

void drawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glColor3f(1.0f, 1.0f, 0.0f);
    drawText(-20.0f, 20.0f, "Velkor programja");
    drawText(-20.0f, -20.0f, "Billentyuk: F1, F2, nyilak");

    // glRotatef multiplies onto the right, so the model is turned about its
    // own y axis first and then about the screen's x axis.
    glPushMatrix();
    glRotatef(scene.viewAngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(scene.viewAngleY, 0.0f, 1.0f, 0.0f);
    drawConeBand();
    drawRotor();
    glPopMatrix();

    glutSwapBuffers();
}
