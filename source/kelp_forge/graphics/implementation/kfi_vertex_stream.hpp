#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_VERTEX_STREAM_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_VERTEX_STREAM_HPP

// Feeds the shader path's draw calls from one vertex buffer that is reused until it is full: each
// draw appends its vertices after the previous draw's, and a full buffer is replaced by fresh
// storage and written again from the start. Where the context offers buffer storage, the buffer
// stays mapped for its whole life and a draw writes its vertices straight into it: uploading each
// draw's few vertices with glBufferSubData cost drivers a transfer (and Mesa an allocation) per
// draw. The attribute layout is set up once in a vertex array object where the context has them
// (OpenGL 3.2), and before every draw where it may not (OpenGL ES 2.0).

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

#include <cstddef>

namespace kfImplementation::Renderer
{

// Where the three attributes lie in one vertex record; the colour is always four normalised bytes
// and the texture coordinate two floats.
struct VertexLayout
{
    GLsizei stride;
    GLint positionComponents;
    std::size_t positionOffset;
    std::size_t colorOffset;
    std::size_t textureUVOffset;
};

// The layout of the renderer's own Vertex records.
inline constexpr VertexLayout kVertexLayout = {sizeof(Vertex), 2, offsetof(Vertex, x),
                                               offsetof(Vertex, colorABGR), offsetof(Vertex, u)};

class VertexStream
{
public:
    // The context must be current. useVertexArray: keep the layout in a vertex array object.
    void Create(bool useVertexArray, const VertexLayout& layout);
    // Deletes the buffer and vertex array; call while the context still exists.
    void Destroy();

    // Draws count records of the stream's layout (count > 0) with the given OpenGL mode; they are
    // copied before it returns. Leaves the stream's vertex array bound, or without one its buffer.
    void Draw(GLenum mode, const void* vertices, unsigned int count);

private:
    // Gives the stream fresh storage of the capacity; earlier draws keep reading the old.
    void ReplaceStorage(GLsizeiptr capacity);
    void SetAttributeLayout() const;

    VertexLayout mLayout = {};
    bool mCanMapPersistently = false;
    GLuint mVertexArray = 0;
    GLuint mBuffer = 0;
    // The buffer's storage while it stays mapped; null while draws upload with glBufferSubData.
    std::byte* mMappedStorage = nullptr;
    GLsizeiptr mCapacity = 0;
    GLsizeiptr mWriteOffset = 0;
};

} // namespace kfImplementation::Renderer

#endif
