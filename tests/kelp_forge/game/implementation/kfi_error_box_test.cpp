#include "kelp_forge/game/implementation/kfi_error_box.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <gtest/gtest.h>

TEST(ErrorBoxTest, TheTextIsTheMessageABlankLineAndWhereTheCheckFired)
{
    KelpForge::Core::Error::TriggerError("source/F.cpp", 57, "M");
    EXPECT_EQ(kfImplementation::BuildErrorBoxText("M"), "M\n\nsource/F.cpp  LINE: 57");
    EXPECT_STREQ(kfImplementation::kErrorBoxTitle, "Error Condition Triggered");
}
