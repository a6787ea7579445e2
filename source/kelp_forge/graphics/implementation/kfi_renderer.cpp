#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_shader_program.hpp"
#include "kelp_forge/graphics/implementation/kfi_shader_sources.hpp"
#include "kelp_forge/graphics/implementation/kfi_transformed_vertex.hpp"
#include "kelp_forge/graphics/implementation/kfi_vertex_stream.hpp"

#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <vector>

// [SECTION] State         process-wide switches, program, matrices
// [SECTION] Lifecycle     InitializeRenderer, CleanupRenderer
// [SECTION] Frame         BeginDraw, EndDraw, SetColorMatrixForText
// [SECTION] Surface       Clear, SetBlendMode, CopyPremultiplied, ReadPixels
// [SECTION] Matrices      projection, model-view, the stack and its operations
// [SECTION] Drawing       RenderPrimitive, RenderUntexturedPrimitive, RenderQuad
//
// The shader path uploads "mvpMatrix" lazily: a matrix change only marks it stale, and the next
// draw uploads it once. A Graphic's transform makes five changes per sprite, so this saves four
// uploads and four products per sprite without changing what is drawn.
//
// While sprite mode is set and the renderer's own program is current, draws go through its sprite
// twin (see kfi_shader_sources.hpp), which draws the same pixels with less work per pixel and no
// uniform change per draw: the renderer floors and transforms the vertices itself and the twin
// applies only the projection. The twin is an internal stand-in: BeginDraw treats it as the
// renderer's program, colour uniforms go to the renderer's program, and EndDraw leaves the
// renderer's program current again.
//
// Draws whose vertices are all opaque white may leave out the colour product, which cannot change
// their pixels: the shader path draws them through the untinted twin, the legacy path with the
// texture environment set to replace instead of modulate (for white, the two agree on every
// texture format). Since that change costs more than it saves on one draw, only a long run of
// them makes it; the first tinted draw changes back, and EndDraw leaves modulate in place.

using KelpForge::Math::Matrix4;

namespace kfImplementation::Renderer
{

//--------------------------------------------------------------------------------------------------
// [SECTION] State
//--------------------------------------------------------------------------------------------------

namespace
{

struct DrawingProgram
{
    UniformLocations uniforms;
    bool isMatrixUploadPending = false;
};

// One of the sprite twins: its program and how it is drawn with.
struct SpriteTwin
{
    ShaderProgram program;
    DrawingProgram drawing;
};

struct RendererState
{
    bool isLegacyOpenGL = false;
    bool isGLSL100 = false;
    bool isReady = false;

    ShaderProgram shaderProgram;
    // The program BeginDraw found current (normally shaderProgram).
    DrawingProgram current;
    SpriteTwin tintedSprite;
    SpriteTwin untintedSprite;
    // Stands in for the renderer's program in untextured draws (plain shapes).
    SpriteTwin untexturedShape;
    // Not a stand-in for the renderer's program: only CopyPremultiplied draws with it.
    SpriteTwin premultiplyingCopy;
    // Opaque white draws in a row, counted until the colour product is left out.
    unsigned int opaqueWhiteRun = 0;
    // Legacy path: replace may stand in for modulate only where modulate was set at BeginDraw.
    bool canReplaceTexel = false;
    bool isReplacingTexel = false;
    GLuint programInUse = 0;
    bool isTextColorMatrix = false;
    VertexStream vertexStream;
    VertexStream transformedVertexStream;
    std::vector<TransformedVertex> transformedVertices;

    Matrix4 projection;
    Matrix4 modelView;
    std::vector<Matrix4> matrixStack;
};

RendererState& State()
{
    static RendererState state;
    return state;
}

// Changing programs costs a software rasteriser several microseconds per change, more than a quad
// gains from leaving out the colour product; mixed colours therefore stay on the tinted twin.
constexpr unsigned int kOpaqueWhiteRunBeforeUntinted = 256;

constexpr GLenum kOpenGLModes[] = {GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN,
                                   GL_LINES,     GL_LINE_STRIP,     GL_LINE_LOOP};

// The 16 floats as OpenGL reads them, column by column.
constexpr std::array<float, 16> kIdentityColorMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// (r, g, b, a) -> (r, r, r, r): the glyph coverage sits in the red channel of a GL 3.2 texture.
constexpr std::array<float, 16> kTextColorMatrix150 = {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
// (r, g, b, a) -> (r + a, g + a, b + a, a): on ES 2.0 the coverage sits in the alpha channel.
constexpr std::array<float, 16> kTextColorMatrix100 = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1};

void UploadMatrix(GLint location, const Matrix4& matrix)
{
    Matrix4 columnByColumn;
    KelpForge::Math::TransposeMatrix(columnByColumn, matrix);
    kf_gl_check(glUniformMatrix4fv(location, 1, GL_FALSE, columnByColumn.GetElements()));
}

void UseProgram(const DrawingProgram& program)
{
    RendererState& state = State();
    if (state.programInUse != program.uniforms.program)
    {
        kf_gl_check(glUseProgram(program.uniforms.program));
        state.programInUse = program.uniforms.program;
    }
}

// The program must be in use.
void UploadPendingMatrices(DrawingProgram& program)
{
    if (!program.isMatrixUploadPending)
    {
        return;
    }
    program.isMatrixUploadPending = false;
    const RendererState& state = State();
    if (program.uniforms.projectionMatrix >= 0)
    {
        UploadMatrix(program.uniforms.projectionMatrix, state.projection);
    }
    if (program.uniforms.mvpMatrix >= 0)
    {
        Matrix4 modelViewProjection;
        KelpForge::Math::MultiplyMatrix(modelViewProjection, state.projection, state.modelView);
        UploadMatrix(program.uniforms.mvpMatrix, modelViewProjection);
    }
    if (program.uniforms.modelViewMatrix >= 0)
    {
        UploadMatrix(program.uniforms.modelViewMatrix, state.modelView);
    }
}

bool IsUsable(const SpriteTwin& twin)
{
    return twin.drawing.uniforms.projectionMatrix >= 0;
}

bool AreAllOpaqueWhite(const Vertex* vertices, unsigned int count)
{
    return std::all_of(vertices, vertices + count,
                       [](const Vertex& vertex) { return vertex.colorABGR == 0xFFFFFFFFu; });
}

// isUntintedInUse: the colour product is already left out, so keeping it so costs nothing.
bool MayLeaveTintOut(const Vertex* vertices, unsigned int count, bool isUntintedInUse)
{
    RendererState& state = State();
    if (!AreAllOpaqueWhite(vertices, count))
    {
        state.opaqueWhiteRun = 0;
        return false;
    }
    return isUntintedInUse || ++state.opaqueWhiteRun >= kOpaqueWhiteRunBeforeUntinted;
}

DrawingProgram& SpriteTwinToDrawWith(const Vertex* vertices, unsigned int count)
{
    RendererState& state = State();
    const bool isUntintedInUse = state.programInUse == state.untintedSprite.program.program;
    const bool leavesTintOut =
        IsUsable(state.untintedSprite) && MayLeaveTintOut(vertices, count, isUntintedInUse);
    return leavesTintOut ? state.untintedSprite.drawing : state.tintedSprite.drawing;
}

void UseReplacingTextureEnvironment(bool isReplacing)
{
    RendererState& state = State();
    if (state.isReplacingTexel != isReplacing)
    {
        kf_gl_check(glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, isReplacing ? GL_REPLACE : GL_MODULATE));
        state.isReplacingTexel = isReplacing;
    }
}

// isUntextured: the blank white texture is bound, so the texel changes nothing.
DrawingProgram& ProgramToDrawWith(const Vertex* vertices, unsigned int count, bool isUntextured)
{
    RendererState& state = State();
    const bool canUseSpriteTwin = !state.isTextColorMatrix && IsUsable(state.tintedSprite) &&
                                  state.current.uniforms.program == state.shaderProgram.program;
    if (!canUseSpriteTwin)
    {
        return state.current;
    }
    if (isUntextured && IsUsable(state.untexturedShape))
    {
        return state.untexturedShape.drawing;
    }
    return SpriteTwinToDrawWith(vertices, count);
}

bool IsSpriteTwinProgram(GLuint program)
{
    const RendererState& state = State();
    return program != 0 && (program == state.tintedSprite.program.program ||
                            program == state.untintedSprite.program.program ||
                            program == state.untexturedShape.program.program);
}

void BuildSpriteTwin(SpriteTwin& twin, const char* vertexShaderSource, const char* fragmentShaderSource)
{
    twin.program = BuildShaderProgram(vertexShaderSource, fragmentShaderSource);
    twin.drawing.uniforms = LookUpUniforms(twin.program.program);
    if (twin.drawing.uniforms.diffuseTexture >= 0)
    {
        kf_gl_check(glUseProgram(twin.program.program));
        kf_gl_check(glUniform1i(twin.drawing.uniforms.diffuseTexture, 0));
    }
}

// Uniform locations are cached for the current program; they are looked up again only when
// another program has been made current.
void RefreshUniformsForCurrentProgram()
{
    RendererState& state = State();
    GLint currentProgram = 0;
    kf_gl_check(glGetIntegerv(GL_CURRENT_PROGRAM, &currentProgram));
    GLuint program = static_cast<GLuint>(currentProgram);
    if (IsSpriteTwinProgram(program))
    {
        program = state.shaderProgram.program;
        kf_gl_check(glUseProgram(program));
    }
    state.programInUse = program;
    if (program != state.current.uniforms.program)
    {
        state.current.uniforms = LookUpUniforms(program);
    }
}

} // namespace

void SetLegacyOpenGL(bool isLegacy)
{
    State().isLegacyOpenGL = isLegacy;
}

bool IsLegacyOpenGL()
{
    return State().isLegacyOpenGL;
}

void SetGLSL100(bool isGLSL100)
{
    State().isGLSL100 = isGLSL100;
}

bool IsGLSL100()
{
    return State().isGLSL100;
}

bool IsRendererReady()
{
    return State().isReady;
}

//--------------------------------------------------------------------------------------------------
// [SECTION] Lifecycle
//--------------------------------------------------------------------------------------------------

void InitializeRenderer()
{
    RendererState& state = State();

    // Earlier context set-up may have left errors queued; they are not the renderer's.
    constexpr int kMaximumDrainReads = 100;
    for (int read = 0; glGetError() != GL_NO_ERROR && read < kMaximumDrainReads; ++read)
    {
    }

    if (state.isLegacyOpenGL)
    {
        kf_gl_check(glMatrixMode(GL_MODELVIEW));
        state.isReady = true;
        return;
    }

    state.shaderProgram = state.isGLSL100
                              ? BuildShaderProgram(kVertexShaderSource100, kFragmentShaderSource100)
                              : BuildShaderProgram(kVertexShaderSource150, kFragmentShaderSource150);
    const char* spriteVertexSource =
        state.isGLSL100 ? kSpriteVertexShaderSource100 : kSpriteVertexShaderSource150;
    const char* spriteFragmentSource =
        state.isGLSL100 ? kSpriteFragmentShaderSource100 : kSpriteFragmentShaderSource150;
    BuildSpriteTwin(state.tintedSprite, spriteVertexSource, spriteFragmentSource);
    BuildSpriteTwin(state.untintedSprite, spriteVertexSource,
                    UntintedSpriteFragmentShaderSource(spriteFragmentSource).c_str());
    BuildSpriteTwin(state.untexturedShape, spriteVertexSource,
                    UntexturedFragmentShaderSource(spriteFragmentSource).c_str());
    BuildSpriteTwin(state.premultiplyingCopy, spriteVertexSource,
                    PremultiplyingCopyFragmentShaderSource(spriteFragmentSource).c_str());
    // ES 2.0 has no vertex array objects without an extension; its default attribute state serves.
    state.vertexStream.Create(!state.isGLSL100, kVertexLayout);
    state.transformedVertexStream.Create(!state.isGLSL100, kTransformedVertexLayout);
    kf_gl_check(glUseProgram(state.shaderProgram.program));
    state.programInUse = state.shaderProgram.program;
    state.current.uniforms = LookUpUniforms(state.shaderProgram.program);
    state.isReady = true;
}

void CleanupRenderer()
{
    RendererState& state = State();
    state.isReady = false;
    if (!state.isLegacyOpenGL)
    {
        kf_gl_check(glUseProgram(0));
        DeleteShaderProgram(state.shaderProgram);
        DeleteShaderProgram(state.tintedSprite.program);
        DeleteShaderProgram(state.untintedSprite.program);
        DeleteShaderProgram(state.untexturedShape.program);
        DeleteShaderProgram(state.premultiplyingCopy.program);
        state.vertexStream.Destroy();
        state.transformedVertexStream.Destroy();
    }
    kf_gl_check(glFlush());
    kf_gl_check(glFinish());

    // A later context starts from a fresh renderer.
    const bool isLegacyOpenGL = state.isLegacyOpenGL;
    const bool isGLSL100 = state.isGLSL100;
    state = RendererState();
    state.isLegacyOpenGL = isLegacyOpenGL;
    state.isGLSL100 = isGLSL100;
}

//--------------------------------------------------------------------------------------------------
// [SECTION] Frame
//--------------------------------------------------------------------------------------------------

void BeginDraw()
{
    RendererState& state = State();
    if (!state.isLegacyOpenGL)
    {
        RefreshUniformsForCurrentProgram();
    }

    // Stands when the viewport cannot be read.
    GLint viewport[4] = {0, 0, 1280, 720};
    kf_gl_check(glGetIntegerv(GL_VIEWPORT, viewport));
    const float left = static_cast<float>(viewport[0]);
    const float top = static_cast<float>(viewport[1]);
    const float right = left + static_cast<float>(viewport[2]);
    const float bottom = top + static_cast<float>(viewport[3]);
    SetProjectionMatrix(Matrix4::Orthographic(left, right, top, bottom, -1.0f, 1.0f));
    SetModelViewMatrix(Matrix4());

    kf_gl_check(glEnable(GL_DEPTH_TEST));
    kf_gl_check(glDepthFunc(GL_LEQUAL));
    kf_gl_check(glEnable(GL_BLEND));
    SetBlendMode(BlendMode::kPremultiplied);
    kf_gl_check(glEnable(GL_CULL_FACE));
    kf_gl_check(glCullFace(GL_BACK));
    // Quads are wound clockwise on the y-down screen; a mirroring transform turns them away.
    kf_gl_check(glFrontFace(GL_CW));

    if (state.isLegacyOpenGL)
    {
        kf_gl_check(glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT));
        kf_gl_check(glDisable(GL_LIGHTING));
        kf_gl_check(glEnable(GL_TEXTURE_2D));
        kf_gl_check(glEnable(GL_ALPHA_TEST));
        kf_gl_check(glAlphaFunc(GL_GREATER, 0.1f));
        // A BeginDraw inside a frame finds the environment this renderer set, not the caller's.
        UseReplacingTextureEnvironment(false);
        GLint textureEnvironmentMode = 0;
        kf_gl_check(glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &textureEnvironmentMode));
        state.canReplaceTexel = textureEnvironmentMode == GL_MODULATE;
        return;
    }

    kf_gl_check(glActiveTexture(GL_TEXTURE0));
    kf_gl_check(glUniform1i(state.current.uniforms.diffuseTexture, 0));
    SetColorMatrixForText(false);
}

void EndDraw()
{
    RendererState& state = State();
    if (state.isLegacyOpenGL)
    {
        UseReplacingTextureEnvironment(false);
        kf_gl_check(glPopAttrib());
        return;
    }
    UseProgram(state.current);
}

void SetColorMatrixForText(bool forText)
{
    RendererState& state = State();
    if (state.isLegacyOpenGL)
    {
        return;
    }
    state.isTextColorMatrix = forText;
    UseProgram(state.current);
    const std::array<float, 16>& textColorMatrix =
        state.isGLSL100 ? kTextColorMatrix100 : kTextColorMatrix150;
    const std::array<float, 16>& colorMatrix = forText ? textColorMatrix : kIdentityColorMatrix;
    const float tint = forText ? 1.0f : 0.0f;

    const UniformLocations& uniforms = state.current.uniforms;
    kf_error_if(uniforms.colorMatrix < 0,
                "kfInternalError: GLSL Uniform \"colorMatrix\" was not found in shader program.");
    kf_error_if(uniforms.colorTint < 0,
                "kfInternalError: GLSL Uniform \"colorTint\" was not found in shader program.");
    if (uniforms.colorMatrix >= 0)
    {
        kf_gl_check(glUniformMatrix4fv(uniforms.colorMatrix, 1, GL_FALSE, colorMatrix.data()));
    }
    if (uniforms.colorTint >= 0)
    {
        kf_gl_check(glUniform4f(uniforms.colorTint, tint, tint, tint, 0.0f));
    }
}

//--------------------------------------------------------------------------------------------------
// [SECTION] Surface
//--------------------------------------------------------------------------------------------------

void Clear(const KelpForge::Graphics::Color& color)
{
    kf_gl_check(glClearColor(color.GetRed(), color.GetGreen(), color.GetBlue(), color.GetAlpha()));
    kf_gl_check(glClearDepth(1.0));
    kf_gl_check(glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
}

void SetBlendMode(BlendMode mode)
{
    if (mode == BlendMode::kStraightAlpha)
    {
        kf_gl_check(glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
        return;
    }
    kf_gl_check(glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA));
}

void CopyPremultiplied(int width, int height)
{
    RendererState& state = State();
    const float right = static_cast<float>(width);
    const float bottom = static_cast<float>(height);
    SetProjectionMatrix(Matrix4::Orthographic(0.0f, right, 0.0f, bottom, -1.0f, 1.0f));
    SetModelViewMatrix(Matrix4());
    kf_gl_check(glDisable(GL_DEPTH_TEST));
    kf_gl_check(glDisable(GL_BLEND));
    kf_gl_check(glDisable(GL_CULL_FACE));

    DrawingProgram& copy = state.premultiplyingCopy.drawing;
    copy.isMatrixUploadPending = true;
    UseProgram(copy);
    UploadPendingMatrices(copy);
    // The bottom of the viewport holds the texture's first row (v = 0), its top the last (v = 1).
    const Vertex quad[4] = {
        {0.0f, bottom, 0xFFFFFFFFu, 0.0f, 0.0f},
        {0.0f, 0.0f, 0xFFFFFFFFu, 0.0f, 1.0f},
        {right, bottom, 0xFFFFFFFFu, 1.0f, 0.0f},
        {right, 0.0f, 0xFFFFFFFFu, 1.0f, 1.0f},
    };
    TransformVertices(quad, 4, state.modelView, state.transformedVertices);
    state.transformedVertexStream.Draw(GL_TRIANGLE_STRIP, state.transformedVertices.data(), 4);
    UseProgram(state.current);

    kf_gl_check(glEnable(GL_CULL_FACE));
    kf_gl_check(glEnable(GL_BLEND));
    kf_gl_check(glEnable(GL_DEPTH_TEST));
}

void ReadPixels(int x, int y, int width, int height, unsigned char* rgbaPixels)
{
    kf_gl_check(glPixelStorei(GL_PACK_ALIGNMENT, 4));
    kf_gl_check(glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgbaPixels));
}

//--------------------------------------------------------------------------------------------------
// [SECTION] Matrices
//--------------------------------------------------------------------------------------------------

void SetProjectionMatrix(const Matrix4& projection)
{
    RendererState& state = State();
    state.projection = projection;
    if (state.isLegacyOpenGL)
    {
        kf_gl_check(glMatrixMode(GL_PROJECTION));
        kf_gl_check(glLoadTransposeMatrixf(projection.GetElements()));
        kf_gl_check(glMatrixMode(GL_MODELVIEW));
        return;
    }
    state.tintedSprite.drawing.isMatrixUploadPending = true;
    state.untintedSprite.drawing.isMatrixUploadPending = true;
    state.untexturedShape.drawing.isMatrixUploadPending = true;
    SetModelViewMatrix(state.modelView);
}

void SetModelViewMatrix(const Matrix4& modelView)
{
    RendererState& state = State();
    state.modelView = modelView;
    if (state.isLegacyOpenGL)
    {
        kf_gl_check(glLoadTransposeMatrixf(modelView.GetElements()));
        return;
    }
    kf_error_if(state.current.uniforms.mvpMatrix < 0,
                "kfInternalError: GLSL Uniform \"mvpMatrix\" was not found in shader program.");
    state.current.isMatrixUploadPending = true;
}

void PushMatrix()
{
    RendererState& state = State();
    if (state.isLegacyOpenGL)
    {
        kf_gl_check(glPushMatrix());
        return;
    }
    state.matrixStack.push_back(state.modelView);
}

void PopMatrix()
{
    RendererState& state = State();
    if (state.isLegacyOpenGL)
    {
        kf_gl_check(glPopMatrix());
        return;
    }
    if (state.matrixStack.empty())
    {
        kf_error("kfExternalError: Can't pop matrix, there is no matrix to pop.");
        return;
    }
    SetModelViewMatrix(state.matrixStack.back());
    state.matrixStack.pop_back();
}

namespace
{

void MultiplyOntoModelView(const Matrix4& transform)
{
    Matrix4 product;
    KelpForge::Math::MultiplyMatrix(product, State().modelView, transform);
    SetModelViewMatrix(product);
}

} // namespace

void Translate(float x, float y, float z)
{
    if (State().isLegacyOpenGL)
    {
        kf_gl_check(glTranslatef(x, y, z));
        return;
    }
    MultiplyOntoModelView(Matrix4::Translation(x, y, z));
}

void Rotate(float degrees, float x, float y, float z)
{
    if (State().isLegacyOpenGL)
    {
        kf_gl_check(glRotatef(degrees, x, y, z));
        return;
    }
    MultiplyOntoModelView(Matrix4::Rotation(degrees, x, y, z));
}

void Scale(float x, float y, float z)
{
    if (State().isLegacyOpenGL)
    {
        kf_gl_check(glScalef(x, y, z));
        return;
    }
    MultiplyOntoModelView(Matrix4::Scaling(x, y, z));
}

//--------------------------------------------------------------------------------------------------
// [SECTION] Drawing
//--------------------------------------------------------------------------------------------------

namespace
{

void DrawPrimitive(PrimitiveType type, const Vertex* vertices, unsigned int count, bool isUntextured)
{
    if (count == 0)
    {
        return;
    }
    const unsigned int typeIndex = static_cast<unsigned int>(type);
    if (typeIndex >= std::size(kOpenGLModes))
    {
        kf_error("kfExternalError: Unknown primitive type %u.", typeIndex);
        return;
    }
    const GLenum mode = kOpenGLModes[typeIndex];
    RendererState& state = State();
    if (state.isLegacyOpenGL)
    {
        UseReplacingTextureEnvironment(state.canReplaceTexel &&
                                       MayLeaveTintOut(vertices, count, state.isReplacingTexel));
        glBegin(mode);
        for (unsigned int index = 0; index < count; ++index)
        {
            const Vertex& vertex = vertices[index];
            glTexCoord2f(vertex.u, vertex.v);
            // The bytes of colorABGR lie in memory as red, green, blue, alpha.
            glColor4ubv(reinterpret_cast<const GLubyte*>(&vertex.colorABGR));
            glVertex2f(vertex.x, vertex.y);
        }
        kf_gl_check(glEnd());
        return;
    }
    DrawingProgram& program = ProgramToDrawWith(vertices, count, isUntextured);
    UseProgram(program);
    UploadPendingMatrices(program);
    if (&program != &state.current)
    {
        TransformVertices(vertices, count, state.modelView, state.transformedVertices);
        state.transformedVertexStream.Draw(mode, state.transformedVertices.data(), count);
    }
    else
    {
        state.vertexStream.Draw(mode, vertices, count);
    }
}

} // namespace

void RenderPrimitive(PrimitiveType type, const Vertex* vertices, unsigned int count)
{
    DrawPrimitive(type, vertices, count, false);
}

void RenderUntexturedPrimitive(PrimitiveType type, const Vertex* vertices, unsigned int count)
{
    DrawPrimitive(type, vertices, count, true);
}

void RenderQuad(const KelpForge::Math::Vector2& topLeft, const KelpForge::Math::Vector2& bottomRight,
                std::uint32_t colorABGR, float uLeft, float vTop, float uRight, float vBottom)
{
    const float left = topLeft.x;
    const float top = topLeft.y;
    const float right = bottomRight.x;
    const float bottom = bottomRight.y;
    const Vertex quad[4] = {
        {left, bottom, colorABGR, uLeft, vBottom},
        {left, top, colorABGR, uLeft, vTop},
        {right, bottom, colorABGR, uRight, vBottom},
        {right, top, colorABGR, uRight, vTop},
    };
    RenderPrimitive(PrimitiveType::kTriangleStrip, quad, 4);
}

} // namespace kfImplementation::Renderer
