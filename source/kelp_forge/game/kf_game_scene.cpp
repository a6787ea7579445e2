#include "kelp_forge/game/kf_game_scene.hpp"

#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

namespace KelpForge::Game
{

GameScene::~GameScene()
{
    const bool wasCurrent = kfImplementation::SceneDirector::GetCurrentScene() == this;
    kfImplementation::SceneDirector::ForgetScene(*this);
    // The camera system only points at the scene's camera. Only a scene that has been current
    // made it active; asking the others would reach the camera system during static destruction.
    if (wasCurrent && &Graphics::GetActiveCamera() == &mCamera)
    {
        Graphics::SetCamera(nullptr);
    }
}

void GameScene::ChangeToScene(GameScene& scene)
{
    kfImplementation::SceneDirector::RequestScene(scene);
}

void GameScene::OnRender()
{
    namespace Renderer = kfImplementation::Renderer;
    const Math::Vector2 center = Graphics::ScreenCenter();
    Renderer::PushMatrix();
    Renderer::Translate(center.x, center.y, 0.0f);
    Renderer::Rotate(-Graphics::GetActiveCamera().GetRotation(), 0.0f, 0.0f, 1.0f);
    Renderer::Translate(-center.x, -center.y, 0.0f);
    EntityManager::OnRender();
    Renderer::PopMatrix();
}

void GameScene::OnOpen()
{
    mStepAccumulator = 0.0f;
    Graphics::SetCamera(mCamera);
}

void GameScene::OnClose()
{
    Graphics::SetCamera(nullptr);
}

} // namespace KelpForge::Game
