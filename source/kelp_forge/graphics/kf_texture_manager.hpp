#ifndef KELP_FORGE_GRAPHICS_TEXTURE_MANAGER_HPP
#define KELP_FORGE_GRAPHICS_TEXTURE_MANAGER_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace KelpForge::Graphics
{

// Index into the texture manager's table. Handles are shared: every creation adds a reference
// that one DestroyTexture gives back. A freed slot is reused by the next texture, so a handle must
// not be used after its last reference is destroyed.
using TextureHandle = std::uint32_t;
inline constexpr TextureHandle kInvalidTexture = 0xFFFFFFFFu;

// Owns every OpenGL texture made from an image. Images are decoded to 8-bit RGBA, premultiplied
// by their alpha and uploaded with mipmaps; the pixels are not kept. Textures from files are
// cached by the file name exactly as given (two spellings of one path load it twice).
//
// Everything runs on the thread that owns the OpenGL context, and textures are created only
// while a context exists. Across a lost context, ReleaseOpenGLTextures and ReloadAllTextures keep
// every handle valid; file textures are decoded again, textures made from memory are not.
class TextureManager : private Core::Noncopyable
{
public:
    TextureManager();
    ~TextureManager();

    // The cached texture of filename with one more reference, or a new one. kInvalidTexture when
    // the file cannot be read, decoded or uploaded (reported).
    [[nodiscard]] TextureHandle CreateTextureFromFile(const std::string& filename);
    // A new texture (never cached) from an encoded image in memory; the data is read during the
    // call only. kInvalidTexture when the data cannot be decoded or uploaded (reported).
    [[nodiscard]] TextureHandle CreateTextureFromFileData(const unsigned char* fileDataInMemory,
                                                          std::size_t fileSizeInBytes);
    // A new opaque white texture (never cached). Sizes of 0 are refused with kInvalidTexture.
    [[nodiscard]] TextureHandle CreateBlankTexture(PixelSpace width, PixelSpace height);

    // Gives back one reference and sets handle to kInvalidTexture. The last reference deletes the
    // OpenGL texture, drops the cache entry and frees the slot for reuse. Destroying the bound
    // texture first binds no texture.
    void DestroyTexture(TextureHandle& handle);

    // Binds the texture to GL_TEXTURE_2D for the next draw; kInvalidTexture binds no texture.
    void BindTexture(TextureHandle handle);

    // Pixels; 0 for kInvalidTexture.
    [[nodiscard]] PixelSpace GetTextureWidth(TextureHandle handle) const;
    [[nodiscard]] PixelSpace GetTextureHeight(TextureHandle handle) const;
    [[nodiscard]] std::uint32_t GetOpenGLTextureName(TextureHandle handle) const;
    // Outstanding references of a handle; 0 once its slot is free.
    [[nodiscard]] std::uint32_t GetReferenceCount(TextureHandle handle) const;
    // The 16 x 16 opaque white texture that untextured drawing binds; kInvalidTexture until the
    // first ReloadAllTextures.
    [[nodiscard]] TextureHandle GetBlankTexture() const { return mBlankTexture; }

    // After a context is created: makes or rebuilds the blank texture, then decodes and uploads
    // every file texture again.
    void ReloadAllTextures();
    // Before a context is destroyed: deletes every OpenGL texture while keeping the table, the
    // reference counts and the cache.
    void ReleaseOpenGLTextures();

    // Bookkeeping of image memory owned elsewhere (text images), in bytes.
    void AddUsedMemory(std::uint64_t numberOfBytes);
    // Refuses to remove more than was added, leaving the count unchanged.
    void RemoveUsedMemory(std::uint64_t numberOfBytes);
    [[nodiscard]] std::uint64_t GetUsedMemory() const { return mUsedMemory; }

private:
    struct TextureRecord
    {
        std::string fileName; // empty for textures made from memory or blank
        std::uint32_t openGLName = 0;
        PixelSpace width = 0;
        PixelSpace height = 0;
        unsigned int bytesPerPixel = 4;
        std::uint32_t referenceCount = 0; // 0 marks a free slot
    };

    [[nodiscard]] bool CheckHandle(TextureHandle handle) const;
    [[nodiscard]] TextureHandle AddRecord(const unsigned char* pixels, TextureRecord record);
    void DeleteOpenGLTexture(TextureRecord& record);

    std::vector<TextureRecord> mTextures;
    std::unordered_map<std::string, TextureHandle> mFileCache;
    TextureHandle mBoundTexture = kInvalidTexture;
    TextureHandle mBlankTexture = kInvalidTexture;
    std::uint64_t mUsedMemory = 0;
};

// The process-wide texture manager, built during static initialisation.
extern TextureManager theTextureManager;

} // namespace KelpForge::Graphics

#endif
