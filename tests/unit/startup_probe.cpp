// ---------------------------------------------------------------------------
// Linked into the real main() together with the recording fake: when main()
// reaches the event loop, print every call it made so far, one per line.
// ---------------------------------------------------------------------------
#include <cstdio>

#include "fake_gl.h"
#include "input/input.h"
#include "render/render.h"

namespace {

template <typename Function> const void* address(Function* function) { return reinterpret_cast<const void*>(function); }

void reportStartup()
{
    for (const fake::Call& call : fake::calls) {
        std::printf("%s\n", call.str().c_str());
    }
    std::fflush(stdout);
}

// Runs before main(): fine here, this is test scaffolding, not the program.
const bool installed = [] {
    fake::pointerNames() = {
        {address(&reshapeWindow), "reshapeWindow"}, {address(&handleSpecialKey), "handleSpecialKey"},
        {address(&handleKey), "handleKey"},         {address(&drawScene), "drawScene"},
        {address(&advanceRotor), "advanceRotor"},
    };
    fake::onMainLoop = reportStartup;
    return true;
}();

} // namespace
