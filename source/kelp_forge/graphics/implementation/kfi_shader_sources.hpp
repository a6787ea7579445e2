#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_SHADER_SOURCES_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_SHADER_SOURCES_HPP

// The renderer's GLSL program as fixed texts: one pair for "#version 150" (OpenGL 3.2) and the same
// pair for "#version 100" (OpenGL ES 2.0). Both pairs compute the same thing.
//
// Attributes: vertexPosition (pixels, floored to whole pixels so moving sprites do not jitter),
// vertexColor (premultiplied by its alpha in the vertex stage), vertexTextureUV.
// Uniforms: mvpMatrix; diffuseTexture; colorMatrix and colorTint, which map the texel as
// clamp(colorTint + colorMatrix * texel) before it is multiplied by the vertex colour.
// Fragments whose final alpha is below 0.01 are discarded.
//
// The sprite pair is a twin of the general program for sprite mode. Its fragment stage has the
// sprites' identity colour matrix and zero tint folded in: texel * colour, which for a texel in
// 0..1 is exactly what the general shader computes (software rasterisers such as llvmpipe spend
// most of a sprite's time on that per-pixel matrix product). Its vertex stage takes positions the
// renderer has already floored and carried through the model-view matrix (kfi_transformed_vertex)
// and applies "projectionMatrix" alone. Built with LEAVE_TINT_OUT defined, its fragment stage
// leaves out the colour product, for draws whose vertices are all opaque white, where that
// product changes nothing; built with LEAVE_TEXTURE_OUT, it draws the vertex colour alone, which
// is what a white texel times that colour gives, for plain shapes, without a texture read per
// pixel; built with COPY_PREMULTIPLIED, it copies a texture premultiplied.

#include <GL/glew.h>

#include <string>

namespace kfImplementation::Renderer
{

// Attribute locations, bound before the program is linked.
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColorAttribute = 1;
constexpr GLuint kTextureUVAttribute = 2;

extern const char* const kVertexShaderSource150;
extern const char* const kFragmentShaderSource150;
extern const char* const kVertexShaderSource100;
extern const char* const kFragmentShaderSource100;
extern const char* const kSpriteVertexShaderSource150;
extern const char* const kSpriteFragmentShaderSource150;
extern const char* const kSpriteVertexShaderSource100;
extern const char* const kSpriteFragmentShaderSource100;

// Either sprite fragment source with LEAVE_TINT_OUT defined: the texel alone, the same discard.
std::string UntintedSpriteFragmentShaderSource(const char* spriteFragmentShaderSource);
// Either sprite fragment source with LEAVE_TEXTURE_OUT defined: the vertex colour alone, the same
// discard (plain colours, drawn as if with the white blank texture).
std::string UntexturedFragmentShaderSource(const char* spriteFragmentShaderSource);
// Either sprite fragment source with COPY_PREMULTIPLIED defined: the texel premultiplied by its
// alpha exactly as the texture manager premultiplies images, with no discard (render targets).
std::string PremultiplyingCopyFragmentShaderSource(const char* spriteFragmentShaderSource);

} // namespace kfImplementation::Renderer

#endif
