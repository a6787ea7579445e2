// Opens the KelpForge frame and spins a few coloured quads until Escape is pressed or the window is
// closed. It shows the parts every program goes through: a handler that the frame notifies, the
// real-time loop, polled input and drawing through the renderer.

#include "kelp_forge/application/kf_application_handler_interface.hpp"
#include "kelp_forge/application/kf_input_state.hpp"
#include "kelp_forge/application/kf_realtime_application.hpp"
#include "kelp_forge/game/kf_frame_clock.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <array>
#include <cstdint>

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Math::Vector2;

namespace
{

struct Quad
{
    Vector2 offsetFromCenter;
    float halfSize;
    float degreesPerSecond; // positive turns clockwise
    std::uint32_t colorABGR;
};

constexpr std::array<Quad, 4> kQuads = {{
    {{-360.0f, 0.0f}, 90.0f, 45.0f, 0xFF2E9FFFu},  // orange
    {{-120.0f, 0.0f}, 70.0f, -90.0f, 0xFFFF9F2Eu}, // sky blue
    {{120.0f, 0.0f}, 50.0f, 180.0f, 0xFF00FF00u},  // green
    {{360.0f, 0.0f}, 30.0f, -360.0f, 0xFFFF00FFu}, // magenta
}};

class RotatingQuads : public KelpForge::Application::ApplicationHandlerInterface
{
public:
    void SetApplication(KelpForge::Application::RealtimeApplication& application)
    {
        mApplication = &application;
    }

    // --- Initialisation: the frame calls these while it opens.
    void OnGraphicsContextCreated() override
    {
        // The renderer samples the bound texture; plain white lets the vertex colour through.
        mWhite = theTextureManager.CreateBlankTexture(1, 1);
    }

    void OnWindowOpen() override
    {
        KelpForge::Game::FrameClock::InitializeTimer();
        mClock.Start();
    }

    // --- One iteration of the loop: update, then draw.
    void OnRealtimeUpdate() override
    {
        if (KelpForge::Application::IsKeyPressed(KelpForge::Application::kKeyEscape))
        {
            mApplication->Close();
            return;
        }
        mClock.Update();
        mSeconds += static_cast<float>(mClock.GetDeltaTime());
        Draw();
    }

    // --- Shutdown: the frame calls this first when it closes.
    void OnGraphicsContextDestroyed() override { theTextureManager.DestroyTexture(mWhite); }

private:
    void Draw() const
    {
        Renderer::Clear(KelpForge::Graphics::Color(0xFF0D0D14u));

        Renderer::BeginDraw();
        theTextureManager.BindTexture(mWhite);
        const Vector2 center = KelpForge::Graphics::ScreenCenter();
        for (const Quad& quad : kQuads)
        {
            // The last operation applies first: rotate about the quad's middle, then move it there.
            Renderer::PushMatrix();
            Renderer::Translate(center.x + quad.offsetFromCenter.x, center.y + quad.offsetFromCenter.y, 0.0f);
            Renderer::Rotate(quad.degreesPerSecond * mSeconds, 0.0f, 0.0f, 1.0f);
            Renderer::RenderQuad(Vector2(-quad.halfSize, -quad.halfSize),
                                 Vector2(quad.halfSize, quad.halfSize), quad.colorABGR, 0.0f, 0.0f, 1.0f,
                                 1.0f);
            Renderer::PopMatrix();
        }
        Renderer::EndDraw();
    }

    KelpForge::Application::RealtimeApplication* mApplication = nullptr;
    KelpForge::Game::FrameClock mClock;
    KelpForge::Graphics::TextureHandle mWhite = KelpForge::Graphics::kInvalidTexture;
    float mSeconds = 0.0f;
};

} // namespace

int main()
{
    RotatingQuads quads;
    KelpForge::Application::RealtimeApplication application(quads);
    quads.SetApplication(application);

    application.Open();
    application.SetWindowTitle("KelpForge: rotating quads (Escape quits)");
    application.Run();
    return 0;
}
