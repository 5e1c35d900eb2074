// ---------------------------------------------------------------------------
// The scene as it is when the program starts: model unturned, rotor at rest,
// one tick every 50 ms.
// ---------------------------------------------------------------------------
#include "app/scene_state.h"

SceneState scene = {0.0f, 0.0f, 0.0f, 50};
