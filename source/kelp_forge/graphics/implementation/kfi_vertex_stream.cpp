#include "kelp_forge/graphics/implementation/kfi_vertex_stream.hpp"

#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_shader_sources.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace
{

// Room for about 9,000 quads of the largest vertex records before the storage is replaced.
constexpr GLsizeiptr kInitialCapacity = 1 << 20;

// Coherent, so that a draw sees what was written before it without a flush.
constexpr GLbitfield kPersistentMapping = GL_MAP_WRITE_BIT | GL_MAP_PERSISTENT_BIT | GL_MAP_COHERENT_BIT;

const void* OffsetPointer(std::size_t byteOffset)
{
    return reinterpret_cast<const void*>(byteOffset);
}

} // namespace

namespace kfImplementation::Renderer
{

void VertexStream::Create(bool useVertexArray, const VertexLayout& layout)
{
    mLayout = layout;
    // Only a vertex array keeps the attributes pointing at a buffer that is not bound.
    mCanMapPersistently = useVertexArray && (GLEW_VERSION_4_4 || GLEW_ARB_buffer_storage);
    if (useVertexArray)
    {
        kf_gl_check(glGenVertexArrays(1, &mVertexArray));
        kf_gl_check(glBindVertexArray(mVertexArray));
    }
    ReplaceStorage(kInitialCapacity);
}

void VertexStream::Destroy()
{
    if (mVertexArray != 0)
    {
        kf_gl_check(glBindVertexArray(0));
        kf_gl_check(glDeleteVertexArrays(1, &mVertexArray));
    }
    if (mBuffer != 0)
    {
        // Deleting a mapped buffer unmaps it.
        kf_gl_check(glBindBuffer(GL_ARRAY_BUFFER, 0));
        kf_gl_check(glDeleteBuffers(1, &mBuffer));
    }
    *this = VertexStream();
}

void VertexStream::Draw(GLenum mode, const void* vertices, unsigned int count)
{
    const GLsizeiptr stride = mLayout.stride;
    const GLsizeiptr byteCount = static_cast<GLsizeiptr>(count) * stride;
    if (mVertexArray != 0)
    {
        kf_gl_check(glBindVertexArray(mVertexArray));
    }
    if (mMappedStorage == nullptr)
    {
        kf_gl_check(glBindBuffer(GL_ARRAY_BUFFER, mBuffer));
    }
    if (mVertexArray == 0)
    {
        SetAttributeLayout();
    }
    if (mWriteOffset + byteCount > mCapacity)
    {
        ReplaceStorage(std::max(mCapacity, byteCount));
    }
    if (mMappedStorage != nullptr)
    {
        std::memcpy(mMappedStorage + mWriteOffset, vertices, static_cast<std::size_t>(byteCount));
    }
    else
    {
        kf_gl_check(glBufferSubData(GL_ARRAY_BUFFER, mWriteOffset, byteCount, vertices));
    }
    // The layout points at the start of the buffer, so the draw selects its vertices by index;
    // writes therefore start on a whole record.
    const GLint firstVertex = static_cast<GLint>(mWriteOffset / stride);
    kf_gl_check(glDrawArrays(mode, firstVertex, static_cast<GLsizei>(count)));
    mWriteOffset += byteCount;
}

void VertexStream::ReplaceStorage(GLsizeiptr capacity)
{
    mCapacity = capacity;
    mWriteOffset = 0;
    if (!mCanMapPersistently)
    {
        // Orphaning lets the driver hand out fresh storage while earlier draws still read the old.
        if (mBuffer == 0)
        {
            kf_gl_check(glGenBuffers(1, &mBuffer));
        }
        kf_gl_check(glBindBuffer(GL_ARRAY_BUFFER, mBuffer));
        kf_gl_check(glBufferData(GL_ARRAY_BUFFER, capacity, nullptr, GL_STREAM_DRAW));
        if (mVertexArray != 0)
        {
            SetAttributeLayout();
        }
        return;
    }

    // Storage made for mapping cannot be orphaned; a new buffer stands in for it, and the driver
    // keeps the deleted one alive for the draws that still read it.
    if (mBuffer != 0)
    {
        kf_gl_check(glDeleteBuffers(1, &mBuffer));
    }
    kf_gl_check(glGenBuffers(1, &mBuffer));
    kf_gl_check(glBindBuffer(GL_ARRAY_BUFFER, mBuffer));
    kf_gl_check(glBufferStorage(GL_ARRAY_BUFFER, capacity, nullptr, kPersistentMapping));
    mMappedStorage =
        static_cast<std::byte*>(glMapBufferRange(GL_ARRAY_BUFFER, 0, capacity, kPersistentMapping));
    if (mMappedStorage == nullptr)
    {
        // The driver offered buffer storage but could not map it: upload draw by draw instead.
        kf_gl_check(glDeleteBuffers(1, &mBuffer));
        mBuffer = 0;
        mCanMapPersistently = false;
        ReplaceStorage(capacity);
        return;
    }
    SetAttributeLayout();
}

void VertexStream::SetAttributeLayout() const
{
    const GLsizei stride = mLayout.stride;
    kf_gl_check(glVertexAttribPointer(kPositionAttribute, mLayout.positionComponents, GL_FLOAT, GL_FALSE,
                                      stride, OffsetPointer(mLayout.positionOffset)));
    kf_gl_check(glVertexAttribPointer(kColorAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                                      OffsetPointer(mLayout.colorOffset)));
    kf_gl_check(glVertexAttribPointer(kTextureUVAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                                      OffsetPointer(mLayout.textureUVOffset)));
    kf_gl_check(glEnableVertexAttribArray(kPositionAttribute));
    kf_gl_check(glEnableVertexAttribArray(kColorAttribute));
    kf_gl_check(glEnableVertexAttribArray(kTextureUVAttribute));
}

} // namespace kfImplementation::Renderer
