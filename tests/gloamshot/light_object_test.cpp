#include "gloamshot/light_object.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Gloamshot::GetLights;
using Gloamshot::LightObject;

TEST(LightRegistryTest, LightsJoinAtTheEndAndALeavingLightTakesTheLastOne)
{
    auto first = std::make_unique<LightObject>(1.0f);
    auto second = std::make_unique<LightObject>(2.0f);
    auto third = std::make_unique<LightObject>(3.0f);
    auto fourth = std::make_unique<LightObject>(4.0f);
    EXPECT_EQ(GetLights(), (std::vector<LightObject*>{first.get(), second.get(), third.get(), fourth.get()}));

    second.reset();
    EXPECT_EQ(GetLights(), (std::vector<LightObject*>{first.get(), fourth.get(), third.get()}));
    third.reset();
    EXPECT_EQ(GetLights(), (std::vector<LightObject*>{first.get(), fourth.get()}));
    first.reset();
    fourth.reset();
    EXPECT_TRUE(GetLights().empty());
}
