#include "kelp_forge/graphics/implementation/kfi_shader_program.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_shader_sources.hpp"

#include <cstdio>
#include <string>

namespace
{

std::string ReadShaderLog(GLuint shader)
{
    GLint logLength = 0;
    kf_gl_check(glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength));
    std::string log(static_cast<std::size_t>(logLength > 0 ? logLength : 1), '\0');
    GLsizei written = 0;
    kf_gl_check(glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), &written, log.data()));
    log.resize(static_cast<std::size_t>(written));
    return log;
}

GLuint CompileShader(GLenum stage, const char* source)
{
    GLuint shader = 0;
    kf_gl_check(shader = glCreateShader(stage));
    kf_gl_check(glShaderSource(shader, 1, &source, nullptr));
    kf_gl_check(glCompileShader(shader));
    GLint isCompiled = GL_FALSE;
    kf_gl_check(glGetShaderiv(shader, GL_COMPILE_STATUS, &isCompiled));
    if (isCompiled == GL_FALSE)
    {
        // The log is the only hint of what the driver disliked, so it goes to the console too.
        std::printf("Shader Compiler Error: %s\n", ReadShaderLog(shader).c_str());
        std::fflush(stdout);
    }
    kf_error_if(isCompiled == GL_FALSE, "kfInternalError: Shader did not compile, what does log say?");
    return shader;
}

} // namespace

namespace kfImplementation::Renderer
{

ShaderProgram BuildShaderProgram(const char* vertexSource, const char* fragmentSource)
{
    ShaderProgram built;
    built.vertexShader = CompileShader(GL_VERTEX_SHADER, vertexSource);
    built.fragmentShader = CompileShader(GL_FRAGMENT_SHADER, fragmentSource);

    kf_gl_check(built.program = glCreateProgram());
    kf_gl_check(glAttachShader(built.program, built.vertexShader));
    kf_gl_check(glAttachShader(built.program, built.fragmentShader));
    kf_gl_check(glBindAttribLocation(built.program, kPositionAttribute, "vertexPosition"));
    kf_gl_check(glBindAttribLocation(built.program, kColorAttribute, "vertexColor"));
    kf_gl_check(glBindAttribLocation(built.program, kTextureUVAttribute, "vertexTextureUV"));
    kf_gl_check(glLinkProgram(built.program));
    GLint isLinked = GL_FALSE;
    kf_gl_check(glGetProgramiv(built.program, GL_LINK_STATUS, &isLinked));
    kf_error_if(isLinked == GL_FALSE, "kfInternalError: Program did not link, what does log say?");
    return built;
}

void DeleteShaderProgram(const ShaderProgram& shaderProgram)
{
    kf_gl_check(glDeleteProgram(shaderProgram.program));
    kf_gl_check(glDeleteShader(shaderProgram.vertexShader));
    kf_gl_check(glDeleteShader(shaderProgram.fragmentShader));
}

UniformLocations LookUpUniforms(GLuint program)
{
    UniformLocations locations;
    locations.program = program;
    GLint isLinked = GL_FALSE;
    if (program != 0)
    {
        kf_gl_check(glGetProgramiv(program, GL_LINK_STATUS, &isLinked));
    }
    // A program that failed to link has no uniforms to find.
    if (isLinked == GL_FALSE)
    {
        return locations;
    }
    kf_gl_check(locations.mvpMatrix = glGetUniformLocation(program, "mvpMatrix"));
    kf_gl_check(locations.projectionMatrix = glGetUniformLocation(program, "projectionMatrix"));
    kf_gl_check(locations.modelViewMatrix = glGetUniformLocation(program, "modelViewMatrix"));
    kf_gl_check(locations.diffuseTexture = glGetUniformLocation(program, "diffuseTexture"));
    kf_gl_check(locations.colorMatrix = glGetUniformLocation(program, "colorMatrix"));
    kf_gl_check(locations.colorTint = glGetUniformLocation(program, "colorTint"));
    return locations;
}

} // namespace kfImplementation::Renderer
