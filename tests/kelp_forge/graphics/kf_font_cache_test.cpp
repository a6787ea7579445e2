#include "kelp_forge/graphics/kf_font_cache.hpp"

#include "kelp_forge/graphics/kf_true_type_builder.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using KelpForge::Graphics::Font;
using KelpForge::Graphics::GetFont;
using KelpForge::Graphics::kDefaultFont;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::TemporaryFolder;
using KelpForge::Testing::WriteFile;

const char* const kDejaVuSansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

TEST(FontCacheTest, TheEmptyNameIsTheBuiltInFont)
{
    ErrorRecorder errors;
    Font* const font = GetFont(kDefaultFont);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetFont(""), font);
    EXPECT_TRUE(errors.Messages().empty());
}

TEST(FontCacheTest, LoadsAFontFileOnceAndSharesIt)
{
    Font* const font = GetFont(kDejaVuSansPath);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font, GetFont(kDefaultFont));
    EXPECT_EQ(GetFont(kDejaVuSansPath), font);
}

TEST(FontCacheTest, AMissingFileIsReportedWithItsName)
{
    ErrorRecorder errors;
    EXPECT_EQ(GetFont("data/missing font.ttf"), nullptr);
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{
                  "kfExternalError: Was unable to load font from file: \"data/missing font.ttf\""});
}

TEST(FontCacheTest, AFailedNameIsAnsweredFromTheCache)
{
    const TemporaryFolder folder;
    const std::string path = folder.PathOf("font.ttf");
    ErrorRecorder errors;
    EXPECT_EQ(GetFont(path), nullptr);
    // Even once the file exists, the name keeps the answer it had.
    WriteFile(path, KelpForge::Testing::TrueTypeBuilder().Build());
    EXPECT_EQ(GetFont(path), nullptr);
    EXPECT_EQ(errors.Messages().size(), 1u);
}

TEST(FontCacheTest, AFileThatIsNoTrueTypeFontIsReported)
{
    const TemporaryFolder folder;
    const std::string path = folder.PathOf("font.ttf");
    WriteFile(path, "OTTO, but not really a font");
    ErrorRecorder errors;
    EXPECT_EQ(GetFont(path), nullptr);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{
                                     "kfExternalError: Was unable to load font from file: \"" + path + "\""});
}

} // namespace
