// ---------------------------------------------------------------------------
// The recording stand-in: one line per faked function.
// ---------------------------------------------------------------------------
#include "fake_gl.h"

#include <GL/glut.h>

#include <cstdio>
#include <sstream>

namespace fake {

std::vector<Call> calls;
int modifiers = 0;
void (*onMainLoop)() = nullptr;

std::map<const void*, std::string>& pointerNames()
{
    static std::map<const void*, std::string> names;
    return names;
}

void reset()
{
    calls.clear();
    modifiers = 0;
}

std::string Call::str() const
{
    std::ostringstream out;
    out << name << '(';
    const char* separator = "";
    if (pointer != nullptr) {
        const auto known = pointerNames().find(pointer);
        out << (known != pointerNames().end() ? known->second : "<pointer>");
        separator = ", ";
    }
    if (!text.empty()) {
        out << separator << '"' << text << '"';
        separator = ", ";
    }
    for (const double arg : args) {
        char number[32];
        std::snprintf(number, sizeof number, "%.9g", arg);
        out << separator << number;
        separator = ", ";
    }
    out << ')';
    return out.str();
}

std::vector<std::string> callStrings()
{
    std::vector<std::string> result;
    for (const Call& call : calls) {
        result.push_back(call.str());
    }
    return result;
}

std::vector<Call> callsNamed(const std::string& name)
{
    std::vector<Call> result;
    for (const Call& call : calls) {
        if (call.name == name) {
            result.push_back(call);
        }
    }
    return result;
}

namespace {
void record(const char* name, std::vector<double> args = {}, const void* pointer = nullptr, std::string text = {})
{
    calls.push_back(Call{name, std::move(args), pointer, std::move(text)});
}

template <typename Function> const void* address(Function* function) { return reinterpret_cast<const void*>(function); }
} // namespace

} // namespace fake

using fake::address;
using fake::record;

// The font handle: libglut exports it as data, and GLUT_BITMAP_HELVETICA_18 is its address.
void* glutBitmapHelvetica18 = nullptr;

extern "C" {

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { record("glClearColor", {r, g, b, a}); }
void glShadeModel(GLenum mode) { record("glShadeModel", {double(mode)}); }
void glEnable(GLenum cap) { record("glEnable", {double(cap)}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h)
{
    record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glMatrixMode(GLenum mode) { record("glMatrixMode", {double(mode)}); }
void glLoadIdentity() { record("glLoadIdentity"); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    record("glOrtho", {l, r, b, t, n, f});
}
void glClear(GLbitfield mask) { record("glClear", {double(mask)}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { record("glColor3f", {r, g, b}); }
void glRasterPos2f(GLfloat x, GLfloat y) { record("glRasterPos2f", {x, y}); }
void glPushMatrix() { record("glPushMatrix"); }
void glPopMatrix() { record("glPopMatrix"); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { record("glRotatef", {angle, x, y, z}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { record("glTranslatef", {x, y, z}); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { record("glScalef", {x, y, z}); }
void glBegin(GLenum mode) { record("glBegin", {double(mode)}); }
void glEnd() { record("glEnd"); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { record("glVertex3f", {x, y, z}); }

void glutInit(int* argc, char** argv)
{
    std::string joined;
    for (int i = 0; i < *argc; ++i) {
        joined += (i > 0 ? " " : "") + std::string(argv[i]);
    }
    record("glutInit", {double(*argc)}, nullptr, joined);
}
void glutInitDisplayMode(unsigned int mode) { record("glutInitDisplayMode", {double(mode)}); }
int glutCreateWindow(const char* title)
{
    record("glutCreateWindow", {}, nullptr, title);
    return 1;
}
void glutReshapeFunc(void (*callback)(int, int)) { record("glutReshapeFunc", {}, address(callback)); }
void glutSpecialFunc(void (*callback)(int, int, int)) { record("glutSpecialFunc", {}, address(callback)); }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { record("glutKeyboardFunc", {}, address(callback)); }
void glutDisplayFunc(void (*callback)()) { record("glutDisplayFunc", {}, address(callback)); }
void glutTimerFunc(unsigned int msecs, void (*callback)(int), int value)
{
    record("glutTimerFunc", {double(msecs), double(value)}, address(callback));
}
void glutMainLoop()
{
    record("glutMainLoop");
    if (fake::onMainLoop != nullptr) {
        fake::onMainLoop();
    }
}
void glutPostRedisplay() { record("glutPostRedisplay"); }
int glutGetModifiers()
{
    record("glutGetModifiers");
    return fake::modifiers;
}
void glutBitmapCharacter(void* font, int character) { record("glutBitmapCharacter", {double(character)}, font); }
void glutSolidCube(GLdouble size) { record("glutSolidCube", {size}); }
void glutSwapBuffers() { record("glutSwapBuffers"); }

} // extern "C"
