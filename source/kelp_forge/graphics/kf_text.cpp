#include "kelp_forge/graphics/kf_text.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_opengl_texture.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/implementation/kfi_text_texture.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <algorithm>
#include <new>
#include <vector>

namespace KelpForge::Graphics
{
namespace
{

namespace Renderer = kfImplementation::Renderer;

// Every live Text, in the order they were made.
std::vector<Text*>& TextRegistry()
{
    static std::vector<Text*> registry;
    return registry;
}

} // namespace

Text::Text(const std::string& text, float size, const std::string& fontName)
    : mFontName(fontName), mSize(size)
{
    SetText(text, size, fontName);
    TextRegistry().push_back(this);
}

Text::~Text()
{
    std::erase(TextRegistry(), this);
    ReleaseTextObject(true);
}

void Text::ReleaseTextObject(bool isDeletingTexture)
{
    if (mTextObject == nullptr)
    {
        return;
    }
    theTextureManager.RemoveUsedMemory(std::uint64_t{mTextObject->textureWidth} * mTextObject->textureHeight);
    if (isDeletingTexture && Renderer::IsRendererReady())
    {
        kfImplementation::Text::DeleteTextTexture(mTextObject->openGLTexture);
    }
    mTextObject.reset();
}

void Text::SetText(const std::string& text, float size, const std::string& fontName)
{
    ReleaseTextObject(true);
    if (!fontName.empty())
    {
        mFontName = fontName;
    }
    if (size > 0.0f)
    {
        mSize = size;
    }
    mText = text;
    // Without a context the image waits for RebuildAllTexts.
    if (mText.empty() || !Renderer::IsRendererReady())
    {
        return;
    }

    std::unique_ptr<TextObject> textObject(new (std::nothrow) TextObject());
    kf_error_if(textObject == nullptr, "kfError: Failed to allocate memory for TextObject data.");
    if (textObject == nullptr)
    {
        return;
    }
    Font* const font = GetFont(mFontName);
    std::optional<TextImage> image;
    if (font != nullptr)
    {
        // Texts of one font share it: the size is set again before every rasterisation.
        font->SetPixelSize(mSize);
        image = font->Rasterize(mText);
    }
    kf_error_if(!image.has_value(), "kfError: Failed to create image for TextObject.");
    if (!image.has_value())
    {
        return;
    }

    textObject->openGLTexture = kfImplementation::Text::CreateTextTexture(*image);
    textObject->textWidth = image->textWidth;
    textObject->textHeight = image->textHeight;
    textObject->textureWidth = image->textureWidth;
    textObject->textureHeight = image->textureHeight;
    theTextureManager.AddUsedMemory(std::uint64_t{image->textureWidth} * image->textureHeight);
    mTextObject = std::move(textObject);
}

PixelSpace Text::GetPixelWidth() const
{
    return mTextObject != nullptr ? mTextObject->textWidth : PixelSpace{0};
}

PixelSpace Text::GetPixelHeight() const
{
    return mTextObject != nullptr ? mTextObject->textHeight : PixelSpace{0};
}

void Text::OnRender()
{
    if (mTextObject == nullptr)
    {
        return;
    }
    // The coverage is alpha, not premultiplied colour: blend by it, then restore the blending and
    // colour matrix that sprites expect.
    Renderer::SetBlendMode(Renderer::BlendMode::kStraightAlpha);
    kfImplementation::OpenGLTexture::BindTexture(mTextObject->openGLTexture);
    Renderer::SetColorMatrixForText(true);
    const float textWidth = mTextObject->textWidth;
    const float textHeight = mTextObject->textHeight;
    Renderer::RenderQuad(Math::Vector2(0.0f, 0.0f), Math::Vector2(textWidth, textHeight),
                         GetColor().GetColorABGR(), 0.0f, 0.0f, textWidth / mTextObject->textureWidth,
                         textHeight / mTextObject->textureHeight);
    Renderer::SetColorMatrixForText(false);
    Renderer::SetBlendMode(Renderer::BlendMode::kPremultiplied);
}

void RebuildAllTexts()
{
    for (Text* const text : TextRegistry())
    {
        text->SetText(text->GetText(), text->GetSize(), text->GetFontName());
    }
}

void ReleaseAllTexts()
{
    for (Text* const text : TextRegistry())
    {
        text->ReleaseTextObject(false);
    }
}

} // namespace KelpForge::Graphics
