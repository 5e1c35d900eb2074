// ---------------------------------------------------------------------------
// The program starts with the model unturned, the rotor at rest and a 50 ms tick.
// ---------------------------------------------------------------------------
#include "test_support.h"

TEST(SceneStateTest, StartsUnturnedWithFiftyMillisecondTick)
{
    EXPECT_EQ(kStartScene.viewAngleX, 0.0f);
    EXPECT_EQ(kStartScene.viewAngleY, 0.0f);
    EXPECT_EQ(kStartScene.rotorAngle, 0.0f);
    EXPECT_EQ(kStartScene.tickInterval, 50);
}
