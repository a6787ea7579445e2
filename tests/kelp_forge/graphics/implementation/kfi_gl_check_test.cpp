#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"

#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::RendererPath;
using KelpForge::Testing::TestWindow;

namespace
{

TEST(GLCheckTest, ReportsAQueuedErrorWithTheCallThatRevealedIt)
{
#ifdef NDEBUG
    GTEST_SKIP() << "checks are compiled out of release builds";
#endif
    TestWindow window(RendererPath::kShader);
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
