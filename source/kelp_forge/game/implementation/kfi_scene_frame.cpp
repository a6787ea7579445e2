#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/implementation/kfi_fixed_step_accumulator.hpp"
#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/game/kf_input_action.hpp"
#include "kelp_forge/graphics/kf_camera.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"

namespace kfImplementation
{

void RunSceneFrame(float frameSeconds)
{
    KelpForge::Game::GameScene& scene = SceneDirector::BeginFrame();

    // The scene keeps its own leftover time: a scene that opens starts from 0.
    float& sceneAccumulator = SceneDirector::StepAccumulatorOf(scene);
    FixedStepAccumulator accumulator;
    accumulator.AddFrameTime(sceneAccumulator + frameSeconds);
    while (accumulator.TakeStep())
    {
        KelpForge::Game::InputAction::UpdateInputActions();
        scene.Simulate();
        KelpForge::Audio::theAudioManager.Update();
    }
    sceneAccumulator = accumulator.GetAccumulatedSeconds();

    scene.Update(frameSeconds);
    KelpForge::Graphics::GetActiveCamera().Update(frameSeconds);

    if (Renderer::IsRendererReady())
    {
        Renderer::Clear(KelpForge::Graphics::Color(0x00000000u));
        Renderer::BeginDraw();
        scene.Render();
        Renderer::EndDraw();
    }
}

} // namespace kfImplementation
