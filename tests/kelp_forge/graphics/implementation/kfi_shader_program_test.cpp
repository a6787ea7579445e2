#include "kelp_forge/graphics/implementation/kfi_shader_program.hpp"

#include "kelp_forge/graphics/implementation/kfi_shader_sources.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::RendererPath;
using KelpForge::Testing::TestWindow;

namespace
{

const std::string kCompileMessage = "kfInternalError: Shader did not compile, what does log say?";
const std::string kLinkMessage = "kfInternalError: Program did not link, what does log say?";

class ShaderProgramTest : public ::testing::Test
{
protected:
    ShaderProgramTest() : mWindow(RendererPath::kShader) {}

    TestWindow mWindow;
};

TEST_F(ShaderProgramTest, BuildsBothFixedPairsOnTheirContexts)
{
    ErrorRecorder recorder;
    const Renderer::ShaderProgram built =
        Renderer::BuildShaderProgram(Renderer::kVertexShaderSource150, Renderer::kFragmentShaderSource150);
    const Renderer::UniformLocations uniforms = Renderer::LookUpUniforms(built.program);
    Renderer::DeleteShaderProgram(built);

    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_GE(uniforms.mvpMatrix, 0);
    EXPECT_GE(uniforms.diffuseTexture, 0);
    EXPECT_GE(uniforms.colorMatrix, 0);
    EXPECT_GE(uniforms.colorTint, 0);
    // The fixed shaders do not declare it; it is optional.
    EXPECT_EQ(uniforms.modelViewMatrix, -1);
}

TEST_F(ShaderProgramTest, BuildsTheSpriteTwinsWithAndWithoutTheTint)
{
    ErrorRecorder recorder;
    for (const std::string& fragmentSource :
         {std::string(Renderer::kSpriteFragmentShaderSource150),
          Renderer::UntintedSpriteFragmentShaderSource(Renderer::kSpriteFragmentShaderSource150)})
    {
        const Renderer::ShaderProgram built =
            Renderer::BuildShaderProgram(Renderer::kSpriteVertexShaderSource150, fragmentSource.c_str());
        const Renderer::UniformLocations uniforms = Renderer::LookUpUniforms(built.program);
        Renderer::DeleteShaderProgram(built);
        EXPECT_GE(uniforms.projectionMatrix, 0);
        EXPECT_GE(uniforms.diffuseTexture, 0);
    }
    EXPECT_TRUE(recorder.Messages().empty());
    // The definition must follow the version line, which GLSL wants first.
    EXPECT_EQ(Renderer::UntintedSpriteFragmentShaderSource(Renderer::kSpriteFragmentShaderSource100)
                  .rfind("#version 100\n#define LEAVE_TINT_OUT\n", 0),
              0u);
}

TEST_F(ShaderProgramTest, ABrokenShaderWritesItsLogAndIsReportedWithTheFailedLink)
{
    ErrorRecorder recorder;
    ::testing::internal::CaptureStdout();
    const Renderer::ShaderProgram built = Renderer::BuildShaderProgram(
        "#version 150\nvoid main() { this is not GLSL }\n", Renderer::kFragmentShaderSource150);
    const std::string output = ::testing::internal::GetCapturedStdout();
    const Renderer::UniformLocations uniforms = Renderer::LookUpUniforms(built.program);
    Renderer::DeleteShaderProgram(built);

    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{kCompileMessage, kLinkMessage}));
    EXPECT_EQ(output.rfind("Shader Compiler Error: ", 0), 0u) << output;
    EXPECT_GT(output.size(), std::string("Shader Compiler Error: \n").size());
    // A program that did not link has no uniforms to find.
    EXPECT_EQ(uniforms.mvpMatrix, -1);
    EXPECT_EQ(uniforms.colorTint, -1);
}

} // namespace
