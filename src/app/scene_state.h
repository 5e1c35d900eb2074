// ---------------------------------------------------------------------------
// The one program-wide record. Every handler reads or writes the scene
// through this header; nothing else is shared between them.
// ---------------------------------------------------------------------------
#pragma once

struct SceneState {
    float viewAngleX; // degrees about the screen's x axis, 0..355 in steps of 5
    float viewAngleY; // degrees about the model's own y axis, 0..355 in steps of 5
    float rotorAngle; // degrees about the shaft; grows by 5 every tick
    int tickInterval; // milliseconds between animation ticks, a multiple of 5, >= 5
};

// Constant-initialised, so it is ready before main() and no code runs to set it up.
extern SceneState scene;

// The fixed rendering state, set once after the window (and its GL context) exists.
void initRendering();

// Keeps the key report from harming the process when standard output is a
// closed pipe, a full disk or not open at all. Called first thing in main().
void protectStandardOutput();
