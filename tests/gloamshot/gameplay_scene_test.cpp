#include "gloamshot/gameplay_scene.hpp"

#include "game_content.hpp"
#include "gloamshot/arrow_entity.hpp"
#include "gloamshot/light_object.hpp"
#include "gloamshot/scene_manager.hpp"
#include "gloamshot/spider_entity.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using KelpForge::Math::Vector2;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::Pixel;
using namespace Gloamshot;
using namespace Gloamshot::Testing;

namespace
{

const std::string kOneSpider = R"({"type": "spider", "x": 1200, "y": 650})";
const std::string kOneLantern = R"({"type": "lantern", "x": 700, "y": 300})";

struct ReloadCase
{
    const char* name;
    std::string objects;
    bool isPressingR;
    float frameSeconds; // after the half step OpenScene leaves
    int youWinPlays;
};

// Names the case in test listings.
void PrintTo(const ReloadCase& reloadCase, std::ostream* stream)
{
    *stream << reloadCase.name;
}

class ReloadTest : public GameFixture, public ::testing::WithParamInterface<ReloadCase>
{
};

} // namespace

TEST_P(ReloadTest, WinningAndRestartingBothPlayYouWinInEveryStepThatSeesThem)
{
    mContent.WriteLevel(GetParam().objects);
    GameplayScene& gameplay = static_cast<GameplayScene&>(SceneManager::GetScene(kGameplayScene));
    OpenScene(gameplay);
    RunFrame(GetParam().frameSeconds,
             []
             {
                 if (GetParam().isPressingR)
                 {
                     kfImplementation::OnKeyDown(KelpForge::Application::kKeyR);
                 }
             });
    EXPECT_EQ(mContent.CountPlaying("you_win"), GetParam().youWinPlays);
    // Every reload brings the level's spider back.
    const auto spiders = gameplay.GetEntitiesByType(SpiderEntity::sEntityType);
    EXPECT_EQ(spiders.size(), GetParam().objects == kOneSpider ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(GameplaySceneTest, ReloadTest,
                         ::testing::Values(ReloadCase{"Won", kOneLantern, false, 0.03f, 3},
                                           ReloadCase{"Restarted", kOneSpider, true, 0.02f, 2},
                                           ReloadCase{"Playing", kOneSpider, false, 0.03f, 0}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(GameFixture, TwoArrowsOnALanternLightItOnce)
{
    mContent.WriteLevel(kOneSpider + ", " + kOneLantern);
    GameplayScene& gameplay = static_cast<GameplayScene&>(SceneManager::GetScene(kGameplayScene));
    OpenScene(gameplay);
    gameplay.AddEntity(new ArrowEntity(Vector2(700.0f, 300.0f), Vector2()));
    gameplay.AddEntity(new ArrowEntity(Vector2(710.0f, 300.0f), Vector2()));
    RunFrame(0.01f);
    RunFrame(0.01f);

    EXPECT_EQ(mContent.CountPlaying("lantern_light"), 1);
    const auto& lights = GetLights();
    const auto radiusCount = [&](float radius)
    {
        return std::count_if(lights.begin(), lights.end(),
                             [&](const LightObject* light) { return light->mRadius == radius; });
    };
    EXPECT_EQ(radiusCount(192.0f), 1);
    EXPECT_EQ(radiusCount(4.0f), 0);
}

TEST_F(GameFixture, TheLightMapLeavesTheBackdropOnlyInsideTheLights)
{
    mContent.WriteLevel(kOneSpider);
    OpenScene(SceneManager::GetScene(kGameplayScene));
    RunFrame(0.01f);

    // The archer's light: radius 256 about its bow, 109 right of and 114 below its feet with the
    // test's 16 x 16 archer. Inside, the backdrop shows through a light map of alpha 5/255.
    const Vector2 bow = kArcherStartPosition + Vector2(109.0f, 114.0f);
    const Pixel lit = {5 + 0x40 * 250 / 255, 5 + 0xA0 * 250 / 255, 5 + 0xE0 * 250 / 255};
    const std::pair<Vector2, Pixel> samples[] = {{{150, -100}, lit},       {{250, 0}, lit},
                                                 {{0, -250}, lit},         {{262, 0}, kBlackPixel},
                                                 {{0, -262}, kBlackPixel}, {{800, -500}, kBlackPixel}};
    for (const auto& [offset, expected] : samples)
    {
        const Vector2 point = bow + offset;
        const Pixel pixel = mWindow.ReadPixel(static_cast<int>(point.x), static_cast<int>(point.y));
        EXPECT_NEAR(pixel.red, expected.red, 2) << point.x << ", " << point.y;
        EXPECT_NEAR(pixel.green, expected.green, 2) << point.x << ", " << point.y;
        EXPECT_NEAR(pixel.blue, expected.blue, 2) << point.x << ", " << point.y;
    }
}
