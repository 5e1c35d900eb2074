// ---------------------------------------------------------------------------
// A recording stand-in for the GL and GLUT functions the program calls.
//
// It defines the same extern "C" functions as libGL and libglut, so a test
// binary links the program's library against it instead of the real ones:
// every call is appended to a log with its arguments, and nothing is drawn.
// ---------------------------------------------------------------------------
#pragma once

#include <map>
#include <string>
#include <vector>

namespace fake {

struct Call {
    std::string name;
    std::vector<double> args;      // numeric arguments, in order
    const void* pointer = nullptr; // a callback or font, where the call takes one
    std::string text;              // a string argument (window title, argv)

    // "glRotatef(90, 1, 0, 0)"; pointers print by the name given in pointerNames.
    std::string str() const;
};

// Everything recorded since the last reset().
extern std::vector<Call> calls;

// What glutGetModifiers() answers.
extern int modifiers;

// Names for pointers in Call::str(), e.g. {&reshapeWindow, "reshapeWindow"}.
// A function, so that it exists even for code that runs before main().
std::map<const void*, std::string>& pointerNames();

// Run by glutMainLoop() after it has been recorded, if set.
extern void (*onMainLoop)();

void reset();

// The calls as strings, in order; with a name, only the calls of that name.
std::vector<std::string> callStrings();
std::vector<Call> callsNamed(const std::string& name);

} // namespace fake
