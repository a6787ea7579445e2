#include "kelp_forge/graphics/implementation/kfi_shader_sources.hpp"

#include <string>

namespace kfImplementation::Renderer
{

const char* const kVertexShaderSource150 = R"glsl(#version 150
in vec2 vertexPosition;
in vec4 vertexColor;
in vec2 vertexTextureUV;
out vec4 fragmentColor;
out vec2 fragmentTextureUV;
uniform mat4 mvpMatrix;
void main()
{
    gl_Position = mvpMatrix * vec4(floor(vertexPosition), 0.0, 1.0);
    fragmentColor = vec4(vertexColor.rgb * vertexColor.a, vertexColor.a);
    fragmentTextureUV = vertexTextureUV;
}
)glsl";

const char* const kFragmentShaderSource150 = R"glsl(#version 150
precision highp float;
in vec2 fragmentTextureUV;
in vec4 fragmentColor;
uniform sampler2D diffuseTexture;
uniform mat4 colorMatrix;
uniform vec4 colorTint;
out vec4 finalFragColor;
void main()
{
    vec4 texel = texture(diffuseTexture, fragmentTextureUV);
    vec4 color = clamp(colorTint + colorMatrix * texel, 0.0, 1.0) * fragmentColor;
    if (color.a < 0.01)
    {
        discard;
    }
    finalFragColor = color;
}
)glsl";

const char* const kVertexShaderSource100 = R"glsl(#version 100
attribute vec2 vertexPosition;
attribute vec4 vertexColor;
attribute vec2 vertexTextureUV;
varying vec4 fragmentColor;
varying vec2 fragmentTextureUV;
uniform mat4 mvpMatrix;
void main()
{
    gl_Position = mvpMatrix * vec4(floor(vertexPosition), 0.0, 1.0);
    fragmentColor = vec4(vertexColor.rgb * vertexColor.a, vertexColor.a);
    fragmentTextureUV = vertexTextureUV;
}
)glsl";

const char* const kFragmentShaderSource100 = R"glsl(#version 100
precision highp float;
varying vec2 fragmentTextureUV;
varying vec4 fragmentColor;
uniform sampler2D diffuseTexture;
uniform mat4 colorMatrix;
uniform vec4 colorTint;
void main()
{
    vec4 texel = texture2D(diffuseTexture, fragmentTextureUV);
    vec4 color = clamp(colorTint + colorMatrix * texel, 0.0, 1.0) * fragmentColor;
    if (color.a < 0.01)
    {
        discard;
    }
    gl_FragColor = color;
}
)glsl";

const char* const kSpriteVertexShaderSource150 = R"glsl(#version 150
in vec4 vertexPosition;
in vec4 vertexColor;
in vec2 vertexTextureUV;
out vec4 fragmentColor;
out vec2 fragmentTextureUV;
uniform mat4 projectionMatrix;
void main()
{
    gl_Position = projectionMatrix * vertexPosition;
    fragmentColor = vec4(vertexColor.rgb * vertexColor.a, vertexColor.a);
    fragmentTextureUV = vertexTextureUV;
}
)glsl";

const char* const kSpriteVertexShaderSource100 = R"glsl(#version 100
attribute vec4 vertexPosition;
attribute vec4 vertexColor;
attribute vec2 vertexTextureUV;
varying vec4 fragmentColor;
varying vec2 fragmentTextureUV;
uniform mat4 projectionMatrix;
void main()
{
    gl_Position = projectionMatrix * vertexPosition;
    fragmentColor = vec4(vertexColor.rgb * vertexColor.a, vertexColor.a);
    fragmentTextureUV = vertexTextureUV;
}
)glsl";

const char* const kSpriteFragmentShaderSource150 = R"glsl(#version 150
precision highp float;
in vec2 fragmentTextureUV;
in vec4 fragmentColor;
uniform sampler2D diffuseTexture;
out vec4 finalFragColor;
void main()
{
#ifdef LEAVE_TEXTURE_OUT
    vec4 color = fragmentColor;
#else
    vec4 color = texture(diffuseTexture, fragmentTextureUV);
#endif
#ifdef COPY_PREMULTIPLIED
    // Whole bytes, each colour byte times alpha / 255, truncated; the 0.5 keeps exact multiples of
    // 255 clear of the division's rounding.
    vec4 bytes = floor(color * 255.0 + 0.5);
    finalFragColor = vec4(floor((bytes.rgb * bytes.a + 0.5) / 255.0), bytes.a) / 255.0;
#else
#if !defined(LEAVE_TINT_OUT) && !defined(LEAVE_TEXTURE_OUT)
    color *= fragmentColor;
#endif
    if (color.a < 0.01)
    {
        discard;
    }
    finalFragColor = color;
#endif
}
)glsl";

const char* const kSpriteFragmentShaderSource100 = R"glsl(#version 100
precision highp float;
varying vec2 fragmentTextureUV;
varying vec4 fragmentColor;
uniform sampler2D diffuseTexture;
void main()
{
#ifdef LEAVE_TEXTURE_OUT
    vec4 color = fragmentColor;
#else
    vec4 color = texture2D(diffuseTexture, fragmentTextureUV);
#endif
#ifdef COPY_PREMULTIPLIED
    // Whole bytes, each colour byte times alpha / 255, truncated; the 0.5 keeps exact multiples of
    // 255 clear of the division's rounding.
    vec4 bytes = floor(color * 255.0 + 0.5);
    gl_FragColor = vec4(floor((bytes.rgb * bytes.a + 0.5) / 255.0), bytes.a) / 255.0;
#else
#if !defined(LEAVE_TINT_OUT) && !defined(LEAVE_TEXTURE_OUT)
    color *= fragmentColor;
#endif
    if (color.a < 0.01)
    {
        discard;
    }
    gl_FragColor = color;
#endif
}
)glsl";

namespace
{

std::string WithDefinition(const char* source, const char* name)
{
    // A definition may only follow the "#version" line.
    std::string defined = source;
    defined.insert(defined.find('\n') + 1, std::string("#define ") + name + "\n");
    return defined;
}

} // namespace

std::string UntintedSpriteFragmentShaderSource(const char* spriteFragmentShaderSource)
{
    return WithDefinition(spriteFragmentShaderSource, "LEAVE_TINT_OUT");
}

std::string UntexturedFragmentShaderSource(const char* spriteFragmentShaderSource)
{
    return WithDefinition(spriteFragmentShaderSource, "LEAVE_TEXTURE_OUT");
}

std::string PremultiplyingCopyFragmentShaderSource(const char* spriteFragmentShaderSource)
{
    return WithDefinition(spriteFragmentShaderSource, "COPY_PREMULTIPLIED");
}

} // namespace kfImplementation::Renderer
