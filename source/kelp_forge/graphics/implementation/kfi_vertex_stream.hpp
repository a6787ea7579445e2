#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_VERTEX_STREAM_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_VERTEX_STREAM_HPP

// Feeds the shader path's draw calls from one vertex buffer that is reused for the whole life of
// the context: each draw appends its vertices after the previous draw's, and a full buffer is
// orphaned and written again from the start. The attribute layout is set up once in a vertex
// array object where the context has them (OpenGL 3.2), and before every draw where it may not
// (OpenGL ES 2.0).

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

namespace kfImplementation::Renderer
{

class VertexStream
{
public:
    // The context must be current. useVertexArray: keep the layout in a vertex array object.
    void Create(bool useVertexArray);
    // Deletes the buffer and vertex array; call while the context still exists.
    void Destroy();

    // Draws count vertices (count > 0) with the given OpenGL mode; vertices are copied before it
    // returns. Leaves the stream's buffer and vertex array bound.
    void Draw(GLenum mode, const Vertex* vertices, unsigned int count);

private:
    void SetAttributeLayout() const;

    GLuint mVertexArray = 0;
    GLuint mBuffer = 0;
    GLsizeiptr mCapacity = 0;
    GLsizeiptr mWriteOffset = 0;
};

} // namespace kfImplementation::Renderer

#endif
