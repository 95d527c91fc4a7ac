#include "render/ShaderCompile.h"

#include <string>

#include "render/RenderError.h"

namespace zel::render {

GLuint CompileShader(GlFunctions& gl, GLenum type, const char* source, const char* what) {
    const GLuint shader = gl.glCreateShader(type);
    gl.glShaderSource(shader, 1, &source, nullptr);
    gl.glCompileShader(shader);
    GLint ok = 0;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        gl.glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        gl.glDeleteShader(shader);
        throw RenderError(RenderErrorCode::ShaderFailed, std::string(what) + " не собран: " + log, "OpenGL");
    }
    return shader;
}

}  // namespace zel::render
