#include "kelp_forge/graphics/implementation/kfi_vertex_stream.hpp"

#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_shader_sources.hpp"

#include <algorithm>
#include <cstddef>

namespace
{

// Room for about 9,000 quads of the largest vertex records before the buffer is orphaned.
constexpr GLsizeiptr kInitialCapacity = 1 << 20;

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
    if (useVertexArray)
    {
        kf_gl_check(glGenVertexArrays(1, &mVertexArray));
        kf_gl_check(glBindVertexArray(mVertexArray));
    }
    kf_gl_check(glGenBuffers(1, &mBuffer));
    kf_gl_check(glBindBuffer(GL_ARRAY_BUFFER, mBuffer));
    kf_gl_check(glBufferData(GL_ARRAY_BUFFER, kInitialCapacity, nullptr, GL_STREAM_DRAW));
    mCapacity = kInitialCapacity;
    mWriteOffset = 0;
    if (useVertexArray)
    {
        SetAttributeLayout();
    }
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
    kf_gl_check(glBindBuffer(GL_ARRAY_BUFFER, mBuffer));
    if (mVertexArray == 0)
    {
        SetAttributeLayout();
    }
    if (mWriteOffset + byteCount > mCapacity)
    {
        // Orphaning lets the driver hand out fresh storage while earlier draws still read the old.
        mCapacity = std::max(mCapacity, byteCount);
        kf_gl_check(glBufferData(GL_ARRAY_BUFFER, mCapacity, nullptr, GL_STREAM_DRAW));
        mWriteOffset = 0;
    }
    kf_gl_check(glBufferSubData(GL_ARRAY_BUFFER, mWriteOffset, byteCount, vertices));
    // The layout points at the start of the buffer, so the draw selects its vertices by index;
    // writes therefore start on a whole record.
    const GLint firstVertex = static_cast<GLint>(mWriteOffset / stride);
    kf_gl_check(glDrawArrays(mode, firstVertex, static_cast<GLsizei>(count)));
    mWriteOffset += byteCount;
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
