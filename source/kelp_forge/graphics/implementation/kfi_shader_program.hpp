#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_SHADER_PROGRAM_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_SHADER_PROGRAM_HPP

// Building the renderer's GLSL program, and the uniform locations the renderer keeps per program
// so that no uniform is looked up by name while a frame is drawn.

#include <GL/glew.h>

namespace kfImplementation::Renderer
{

struct ShaderProgram
{
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint program = 0;
};

// Compiles both shaders, binds the attribute locations and links them. A compile failure writes
// the log to standard output and is reported; a link failure is reported. Either way the objects
// built so far are returned, for the caller to delete.
[[nodiscard]] ShaderProgram BuildShaderProgram(const char* vertexSource, const char* fragmentSource);
// Deletes what BuildShaderProgram made; program 0 must be current or the program is deleted only
// once it stops being current.
void DeleteShaderProgram(const ShaderProgram& shaderProgram);

// Locations of the renderer's uniforms in one program; -1 where the program lacks one.
struct UniformLocations
{
    GLuint program = 0;
    GLint mvpMatrix = -1;
    GLint projectionMatrix = -1;
    GLint modelViewMatrix = -1;
    GLint diffuseTexture = -1;
    GLint colorMatrix = -1;
    GLint colorTint = -1;
};

[[nodiscard]] UniformLocations LookUpUniforms(GLuint program);

} // namespace kfImplementation::Renderer

#endif
