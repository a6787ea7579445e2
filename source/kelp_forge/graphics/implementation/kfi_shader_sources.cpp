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
    vec4 color = texture(diffuseTexture, fragmentTextureUV);
#ifndef LEAVE_TINT_OUT
    color *= fragmentColor;
#endif
    if (color.a < 0.01)
    {
        discard;
    }
    finalFragColor = color;
}
)glsl";

const char* const kSpriteFragmentShaderSource100 = R"glsl(#version 100
precision highp float;
varying vec2 fragmentTextureUV;
varying vec4 fragmentColor;
uniform sampler2D diffuseTexture;
void main()
{
    vec4 color = texture2D(diffuseTexture, fragmentTextureUV);
#ifndef LEAVE_TINT_OUT
    color *= fragmentColor;
#endif
    if (color.a < 0.01)
    {
        discard;
    }
    gl_FragColor = color;
}
)glsl";

std::string UntintedSpriteFragmentShaderSource(const char* spriteFragmentShaderSource)
{
    // A definition may only follow the "#version" line.
    std::string source = spriteFragmentShaderSource;
    source.insert(source.find('\n') + 1, "#define LEAVE_TINT_OUT\n");
    return source;
}

} // namespace kfImplementation::Renderer
