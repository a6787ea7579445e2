// Gloamshot: an archer in a dark cave. Opens the game window, loads the shared content, and runs
// the splash, title and gameplay scenes until the window closes.

#include "gloamshot/content_names.hpp"
#include "gloamshot/scene_manager.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/kf_game_application.hpp"
#include "kelp_forge/graphics/kf_sprite_manager.hpp"

int main()
{
    // A 1280 by 720 framed window with vsync; from here on a failed check shows a box and ends
    // the process, so the loads below need no checks of their own.
    KelpForge::Game::GameApplication application(KelpForge::Application::kWindowed, 0, 0, true);
    application.SetWindowTitle("Gloamshot");
    static_cast<void>(KelpForge::Graphics::theSpriteManager.LoadSpriteSheet(Gloamshot::kSpriteSheetName,
                                                                            Gloamshot::kSpriteSheetFile));
    static_cast<void>(KelpForge::Audio::theAudioManager.LoadEventTable(Gloamshot::kAudioTableName,
                                                                       Gloamshot::kAudioTableFile));

    Gloamshot::SceneManager::CreateSceneManager();
    application.RunGame(Gloamshot::SceneManager::GetScene(Gloamshot::kSplashScene));
    Gloamshot::SceneManager::DestroySceneManager();
    return 0;
}
