#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"
#include "kelp_forge/graphics/implementation/kfi_opengl_texture.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"

namespace KelpForge::Graphics
{

namespace OpenGLTexture = kfImplementation::OpenGLTexture;

namespace
{

constexpr PixelSpace kBlankTextureSide = 16;

std::vector<unsigned char> MakeWhitePixels(PixelSpace width, PixelSpace height)
{
    return std::vector<unsigned char>(std::size_t{width} * std::size_t{height} * 4u, 0xFF);
}

} // namespace

TextureManager theTextureManager;

TextureManager::TextureManager() : mFileCache(8)
{
    mFileCache.max_load_factor(1.0f);
}

// OpenGL is gone by the time process-wide objects are destroyed: nothing to delete here.
TextureManager::~TextureManager() = default;

TextureHandle TextureManager::CreateTextureFromFile(const std::string& filename)
{
    const auto cached = mFileCache.find(filename);
    if (cached != mFileCache.end())
    {
        const TextureHandle handle = cached->second;
        if (CheckHandle(handle))
        {
            ++mTextures[handle].referenceCount;
        }
        return handle;
    }
    const kfImplementation::DecodedImage image =
        kfImplementation::DecodeImageFile(filename, OpenGLTexture::GetLargestTextureSide());
    if (!image.IsValid())
    {
        return kInvalidTexture;
    }
    TextureRecord record;
    record.fileName = filename;
    record.width = image.width;
    record.height = image.height;
    return AddRecord(image.pixels.get(), std::move(record));
}

TextureHandle TextureManager::CreateTextureFromFileData(const unsigned char* fileDataInMemory,
                                                        std::size_t fileSizeInBytes)
{
    const kfImplementation::DecodedImage image = kfImplementation::DecodeImageData(
        fileDataInMemory, fileSizeInBytes, OpenGLTexture::GetLargestTextureSide());
    if (!image.IsValid())
    {
        return kInvalidTexture;
    }
    TextureRecord record;
    record.width = image.width;
    record.height = image.height;
    return AddRecord(image.pixels.get(), std::move(record));
}

TextureHandle TextureManager::CreateBlankTexture(PixelSpace width, PixelSpace height)
{
    kf_error_if(width == 0, "kfExternalError: The textureWidth must be greater than 0.");
    kf_error_if(height == 0, "kfExternalError: The textureHeight must be greater than 0.");
    if (width == 0 || height == 0)
    {
        return kInvalidTexture;
    }
    const std::vector<unsigned char> pixels = MakeWhitePixels(width, height);
    TextureRecord record;
    record.width = width;
    record.height = height;
    return AddRecord(pixels.data(), std::move(record));
}

void TextureManager::DestroyTexture(TextureHandle& handle)
{
    if (handle == mBoundTexture)
    {
        BindTexture(kInvalidTexture);
    }
    const TextureHandle destroyed = handle;
    handle = kInvalidTexture;
    if (!CheckHandle(destroyed))
    {
        return;
    }
    TextureRecord& record = mTextures[destroyed];
    kf_error_if(record.referenceCount == 0, "kfInternalError: Should never be 0 references to texture data.");
    if (record.referenceCount == 0)
    {
        return;
    }
    --record.referenceCount;
    if (record.referenceCount == 0)
    {
        DeleteOpenGLTexture(record);
        if (!record.fileName.empty())
        {
            mFileCache.erase(record.fileName);
        }
        record.fileName.clear();
        if (destroyed == mBlankTexture)
        {
            mBlankTexture = kInvalidTexture;
        }
    }
}

void TextureManager::BindTexture(TextureHandle handle)
{
    mBoundTexture = handle;
    // Sprites and render targets give their textures back after the window has closed too.
    if (!kfImplementation::Renderer::IsRendererReady())
    {
        return;
    }
    if (handle == kInvalidTexture)
    {
        OpenGLTexture::BindTexture(0);
    }
    else if (CheckHandle(handle))
    {
        OpenGLTexture::BindTexture(mTextures[handle].openGLName);
    }
}

PixelSpace TextureManager::GetTextureWidth(TextureHandle handle) const
{
    return handle != kInvalidTexture && CheckHandle(handle) ? mTextures[handle].width : PixelSpace{0};
}

PixelSpace TextureManager::GetTextureHeight(TextureHandle handle) const
{
    return handle != kInvalidTexture && CheckHandle(handle) ? mTextures[handle].height : PixelSpace{0};
}

std::uint32_t TextureManager::GetOpenGLTextureName(TextureHandle handle) const
{
    return CheckHandle(handle) ? mTextures[handle].openGLName : 0u;
}

std::uint32_t TextureManager::GetReferenceCount(TextureHandle handle) const
{
    return CheckHandle(handle) ? mTextures[handle].referenceCount : 0u;
}

void TextureManager::ReloadAllTextures()
{
    if (mBlankTexture == kInvalidTexture)
    {
        mBlankTexture = CreateBlankTexture(kBlankTextureSide, kBlankTextureSide);
    }
    else
    {
        TextureRecord& blank = mTextures[mBlankTexture];
        const std::vector<unsigned char> pixels = MakeWhitePixels(blank.width, blank.height);
        DeleteOpenGLTexture(blank);
        blank.openGLName = OpenGLTexture::GenerateTextureFromOpenGL(pixels.data(), blank.width, blank.height,
                                                                    blank.bytesPerPixel);
    }
    const int largestSide = OpenGLTexture::GetLargestTextureSide();
    for (TextureRecord& record : mTextures)
    {
        if (record.referenceCount == 0 || record.fileName.empty())
        {
            continue;
        }
        DeleteOpenGLTexture(record);
        const kfImplementation::DecodedImage image =
            kfImplementation::DecodeImageFile(record.fileName, largestSide);
        if (!image.IsValid())
        {
            continue;
        }
        // The file may have changed since it was first loaded; the table keeps describing what is
        // on the graphics card.
        record.width = image.width;
        record.height = image.height;
        record.openGLName = OpenGLTexture::GenerateTextureFromOpenGL(image.pixels.get(), record.width,
                                                                     record.height, record.bytesPerPixel);
    }
}

void TextureManager::ReleaseOpenGLTextures()
{
    for (TextureRecord& record : mTextures)
    {
        DeleteOpenGLTexture(record);
    }
}

void TextureManager::AddUsedMemory(std::uint64_t numberOfBytes)
{
    mUsedMemory += numberOfBytes;
}

void TextureManager::RemoveUsedMemory(std::uint64_t numberOfBytes)
{
    const bool isTooMuch = numberOfBytes > mUsedMemory;
    kf_error_if(isTooMuch, "kfInteralError: Expected numberOfBytes to be <= currently used memory.");
    if (!isTooMuch)
    {
        mUsedMemory -= numberOfBytes;
    }
}

bool TextureManager::CheckHandle(TextureHandle handle) const
{
    const bool isValid = handle < mTextures.size();
    kf_error_if(!isValid, "kfError: Attempting to get a texture that does not exist! Invalid Handle.");
    return isValid;
}

TextureHandle TextureManager::AddRecord(const unsigned char* pixels, TextureRecord record)
{
    record.referenceCount = 1;
    record.openGLName =
        OpenGLTexture::GenerateTextureFromOpenGL(pixels, record.width, record.height, record.bytesPerPixel);
    if (record.openGLName == 0)
    {
        return kInvalidTexture;
    }
    // A slot is free when nothing refers to it. Its OpenGL name alone cannot tell, because live
    // textures have none between ReleaseOpenGLTextures and ReloadAllTextures.
    TextureHandle handle = 0;
    while (handle < mTextures.size() && mTextures[handle].referenceCount != 0)
    {
        ++handle;
    }
    if (!record.fileName.empty())
    {
        const bool isCached = mFileCache.contains(record.fileName);
        kf_error_if(isCached, "kfInternalError: Loading texture already in cache!");
        if (isCached)
        {
            OpenGLTexture::DeleteTexture(record.openGLName);
            return kInvalidTexture;
        }
        mFileCache.emplace(record.fileName, handle);
    }
    if (handle == mTextures.size())
    {
        mTextures.push_back(std::move(record));
    }
    else
    {
        mTextures[handle] = std::move(record);
    }
    return handle;
}

void TextureManager::DeleteOpenGLTexture(TextureRecord& record)
{
    if (record.openGLName != 0 && kfImplementation::Renderer::IsRendererReady())
    {
        OpenGLTexture::DeleteTexture(record.openGLName);
    }
    record.openGLName = 0;
}

} // namespace KelpForge::Graphics
