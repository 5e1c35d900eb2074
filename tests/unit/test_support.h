// ---------------------------------------------------------------------------
// Shared by the unit tests: a fixture that gives every test the start-up
// scene and an empty call log, and small helpers to read that log.
// ---------------------------------------------------------------------------
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "fake_gl.h"
#include "input/input.h"
#include "render/render.h"

// The scene exactly as the program starts with it, copied before any test runs.
inline const SceneState kStartScene = scene;

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene = kStartScene;
        fake::reset();
        fake::pointerNames() = {
            {reinterpret_cast<const void*>(&advanceRotor), "advanceRotor"},
        };
    }
};

// How the fake prints a call, for building expected sequences.
inline std::string callString(const char* name, std::initializer_list<double> args = {})
{
    return fake::Call{name, args, nullptr, {}}.str();
}

// Plays the toolkit's timer: fires the most recently armed tick `count` times.
inline void runTicks(int count)
{
    for (int i = 0; i < count; ++i) {
        const std::vector<fake::Call> armed = fake::callsNamed("glutTimerFunc");
        ASSERT_FALSE(armed.empty()) << "no tick is armed";
        const fake::Call& last = armed.back();
        fake::reset();
        auto* tick = reinterpret_cast<void (*)(int)>(const_cast<void*>(last.pointer));
        tick(static_cast<int>(last.args[1]));
    }
}
