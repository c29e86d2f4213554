#include <gtest/gtest.h>

#include "GP_Math.h"

TEST(Math, RoundTakesHalvesTowardZero)
{
    const struct {
        float value;
        int expected;
    } cases[] = {{2.5f, 2}, {2.6f, 3}, {-2.5f, -2}, {-2.6f, -3}, {0.5f, 0}, {-0.4f, 0}, {0.0f, 0}, {7.0f, 7}};
    for (const auto& c : cases) EXPECT_EQ(GP_Round(c.value), c.expected) << c.value;
}

TEST(Math, AnglesInDegrees)
{
    EXPECT_NEAR(GP_SinDeg(30.0f), 0.5f, 1e-6f);
    EXPECT_NEAR(GP_CosDeg(60.0f), 0.5f, 1e-6f);
    EXPECT_NEAR(GP_SinDeg(-90.0f), -1.0f, 1e-6f);
    EXPECT_NEAR(GP_Atan2Deg(1.0f, 1.0f), 45.0f, 1e-5f);
    EXPECT_NEAR(GP_Atan2Deg(1.0f, -1.0f), 135.0f, 1e-5f);
    EXPECT_NEAR(GP_Atan2Deg(-1.0f, 0.0f), -90.0f, 1e-5f);
}
