#pragma once
#include "render/GlFunctions.h"

namespace zel::render {

// Compiles one shader of `type` from `source` in the current context. A
// shader the driver refuses is deleted and reported as ShaderFailed, its
// text starting with `what` ("шейдер", "шейдер вывода") and ending with the
// driver's log, so a failing device says which of its programs failed.
GLuint CompileShader(GlFunctions& gl, GLenum type, const char* source, const char* what);

}  // namespace zel::render
