#include "kelp_forge/graphics/kf_font_cache.hpp"

#include "kelp_forge/graphics/kf_true_type_builder.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

using KelpForge::Graphics::Font;
using KelpForge::Graphics::GetFont;
using KelpForge::Graphics::kDefaultFont;
using KelpForge::Testing::ErrorRecorder;

const char* const kDejaVuSansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::filesystem::path TemporaryPath()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::temp_directory_path() /
           (std::string("kf_font_cache_test_") + test->name() + ".ttf");
}

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
    const std::filesystem::path path = TemporaryPath();
    std::filesystem::remove(path);
    ErrorRecorder errors;
    EXPECT_EQ(GetFont(path.string()), nullptr);
    // Even once the file exists, the name keeps the answer it had.
    const std::vector<unsigned char> bytes = KelpForge::Testing::TrueTypeBuilder().Build();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(GetFont(path.string()), nullptr);
    std::filesystem::remove(path);
    EXPECT_EQ(errors.Messages().size(), 1u);
}

TEST(FontCacheTest, AFileThatIsNoTrueTypeFontIsReported)
{
    const std::filesystem::path path = TemporaryPath();
    std::ofstream(path) << "OTTO, but not really a font";
    ErrorRecorder errors;
    EXPECT_EQ(GetFont(path.string()), nullptr);
    std::filesystem::remove(path);
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{"kfExternalError: Was unable to load font from file: \"" +
                                       path.string() + "\""});
}

} // namespace
