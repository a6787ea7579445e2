#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"

#include "kfi_renderer_test_window.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::RendererPath;
using KelpForge::Testing::RendererTestWindow;

namespace
{

TEST(GLCheckTest, ReportsAQueuedErrorWithTheCallThatRevealedIt)
{
#ifdef NDEBUG
    GTEST_SKIP() << "checks are compiled out of release builds";
#endif
    RendererTestWindow window(RendererPath::kShader);
    ErrorRecorder recorder;
    // An error left by an unchecked call is revealed, once, by the next checked one.
    glEnable(0x7FFF);
    kf_gl_check(glFlush());
    kf_gl_check(glFlush());

    const std::vector<std::string> expected = {
        "kfInternalError: OpenGL reported GL_INVALID_ENUM after glFlush().",
    };
    EXPECT_EQ(recorder.Messages(), expected);
}

} // namespace
