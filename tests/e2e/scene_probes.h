// ---------------------------------------------------------------------------
// Pixel probes of the scene, shared by the end-to-end tests.
// ---------------------------------------------------------------------------
#pragma once

#include "harness.h"

namespace e2e {

// Band panels, shaft, blade and background where they stay put.
void expectStillScene(const Image& image, const View& view);

// Yellow in both text lines and nowhere else.
void expectYellowOnlyInText(const Image& image, const View& view);

// One world unit covers the same number of pixels across and down.
void expectProportions(const Image& image, const View& view);

} // namespace e2e
